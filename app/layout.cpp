#include "layout.h"

namespace {

constexpr int kSidePanelWidth = 200;
constexpr int kImageListHeight = 150;
constexpr int kColorPickerOffset = 325;
constexpr int kToolboxWidth = 60;

int WindowHeight(HWND window)
{
    RECT rect;
    return window && GetWindowRect(window, &rect) ? rect.bottom - rect.top : 0;
}

void Place(HWND window, const PanelRect& rect, UINT flags)
{
    if (window)
        SetWindowPos(window, nullptr, rect.left, rect.top, rect.width, rect.height,
                     flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

PanelLayout ComputePanelLayout(int w, int h, int t, EditAreaHeight editArea)
{
    PanelLayout layout;
    layout.toolOptions = {0, 0, w, t};
    layout.toolbox = {1, t, kToolboxWidth, h - t - kImageListHeight};
    const int editHeight = h - t - kImageListHeight - (editArea == EditAreaHeight::AtCreation ? 2 : 0);
    layout.editArea = {kToolboxWidth + 1, t + 2, w - kSidePanelWidth - kToolboxWidth, editHeight};
    layout.layers = {w - kSidePanelWidth, t, kSidePanelWidth, h - t - kColorPickerOffset};
    layout.colorPicker = {w - kSidePanelWidth, h - kColorPickerOffset, 0, 0};
    layout.imageList = {1, h - kImageListHeight, w - kSidePanelWidth, kImageListHeight};
    return layout;
}

void LayoutPanels(const AppContext& context, EditAreaHeight editArea)
{
    RECT client;
    if (!GetClientRect(context.mainWindow, &client))
        return;
    const PanelLayout layout = ComputePanelLayout(client.right, client.bottom,
                                                  WindowHeight(context.toolOptionsWindow), editArea);
    Place(context.toolOptionsWindow, layout.toolOptions, SWP_NOMOVE);
    Place(context.toolboxWindow, layout.toolbox, 0);
    Place(context.layersWindow, layout.layers, 0);
    Place(context.colorPickerWindow, layout.colorPicker, SWP_NOSIZE);
    Place(context.imageListWindow, layout.imageList, 0);
    if (editArea == EditAreaHeight::AfterResize)
        Place(context.editAreaWindow, layout.editArea, SWP_NOMOVE);
}
