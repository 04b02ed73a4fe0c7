#include "panels.h"

#include <initializer_list>

#include "editarea/easel.h"
#include "layout.h"
#include "panels/colorpicker/swatch.h"
#include "panels/imagelist/imagestrip.h"
#include "panels/layers/layerpane.h"
#include "panels/toolbox/toolrack.h"

namespace {

int WindowHeight(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

}  // namespace

bool CreatePanels(AppContext* context)
{
    HWND main = context->mainWindow;
    RECT client;
    GetClientRect(main, &client);
    const int w = client.right, h = client.bottom;
    context->toolboxWindow = TOOLRACK_CreateWindow(main, 1, 1, context);
    if (context->toolboxWindow)
        context->toolOptionsWindow = TOOLRACKO_CreateWindow(main, context);
    if (context->toolOptionsWindow) {
        const PanelLayout layout =
            ComputePanelLayout(w, h, WindowHeight(context->toolOptionsWindow), EditAreaHeight::AtCreation);
        context->layersWindow = CreateLWindow(main, layout.layers.left, layout.layers.top, context);
        if (context->layersWindow)
            context->colorPickerWindow =
                CreateCPWindow(main, layout.colorPicker.left, layout.colorPicker.top, context);
        if (context->colorPickerWindow)
            context->imageListWindow = CreateILWindow(main, layout.imageList.left, layout.imageList.top, context);
        if (context->imageListWindow)
            context->editAreaWindow = EASEL_CreateWindow(main, layout.editArea.left, layout.editArea.top,
                                                         layout.editArea.width, layout.editArea.height, context);
    }
    if (!context->editAreaWindow) {
        DestroyPanels(context);
        return false;
    }
    LayoutPanels(*context, EditAreaHeight::AtCreation);
    return true;
}

void DestroyPanels(AppContext* context)
{
    if (context->imageListWindow)
        DestroyILWindow();
    if (context->layersWindow)
        DestroyLWindow();
    if (context->colorPickerWindow)
        DestroyCPWindow();
    if (context->toolboxWindow)
        TOOLRACK_DestroyWindow();
    if (context->toolOptionsWindow)
        TOOLRACKO_DestroyWindow();
    if (context->editAreaWindow)
        EASEL_DestroyWindow();
    context->imageListWindow = context->layersWindow = context->colorPickerWindow = nullptr;
    context->toolboxWindow = context->toolOptionsWindow = context->editAreaWindow = nullptr;
}

void PostToAllPanels(const AppContext& context, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (HWND panel : {context.imageListWindow, context.layersWindow, context.colorPickerWindow,
                       context.toolboxWindow, context.toolOptionsWindow, context.editAreaWindow}) {
        if (panel)
            PostMessageW(panel, message, wParam, lParam);
    }
}
