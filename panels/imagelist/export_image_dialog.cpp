// Export This Image: the current Image alone as a BMP, JPEG, PNG, icon or cursor file.
#include <windows.h>
#include <commdlg.h>

#include "common/document_ops.h"
#include "image_dialogs.h"

namespace {

constexpr wchar_t kCaption[] = L"Vexil 1.0";
constexpr wchar_t kTitle[] = L"Save Image As ... ";
constexpr wchar_t kWriteFailed[] = L"An error occured while saving the Image File .";

// The hook centers the dialog over the main window and gives the typed name the extension
// of each file type the user picks.
UINT_PTR CALLBACK ExportHook(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return 0;
    const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lParam);
    HWND dialog = GetParent(hook);
    if (notice->hdr.code == CDN_INITDONE)
        CenterWindowOver(dialog, notice->lpOFN->hwndOwner);
    else if (notice->hdr.code == CDN_TYPECHANGE)
        OnExportTypeChange(dialog, int(notice->lpOFN->nFilterIndex));
    return 0;
}

}  // namespace

bool ExportImageTo(ImageListState* state, ExportFormat format, const std::wstring& chosenPath)
{
    HWND main = state->context->mainWindow;
    Image* image = ImageAt(state->context->document, state->current);
    const std::wstring path = WithExtension(chosenPath, ExportExtension(int(format)));
    if (!image || !MayReplaceForcedPath(main, chosenPath, path))
        return false;
    if (format == ExportFormat::Icon)
        return PYX_SaveSingleImageAsIcon(main, path.c_str(), image) != 0;
    if (format == ExportFormat::Cursor)
        return PYX_SaveSingleImageAsCursor(main, path.c_str(), image) != 0;
    if (WritePictureFile(*image, format, path))
        return true;
    MessageBoxW(main, kWriteFailed, kCaption, MB_OK | MB_ICONERROR);
    return false;
}

void ExportCurrentImage(ImageListState* state)
{
    if (!state->context || !ImageAt(state->context->document, state->current))
        return;
    CancelDrag(state);
    wchar_t name[MAX_PATH] = L"Untitled.bmp";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = state->context->mainWindow;
    dialog.lpstrFilter = kExportFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = kTitle;
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                   OFN_FORCESHOWHIDDEN;
    dialog.lpfnHook = ExportHook;
    if (GetSaveFileNameW(&dialog))
        ExportImageTo(state, ExportFormat(dialog.nFilterIndex), name);
}
