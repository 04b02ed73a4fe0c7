#include "pixport.h"

#include <commdlg.h>

#include "import_picture.h"

namespace {

constexpr wchar_t kTitle[] = L"Import Image as Icon ... ";
constexpr wchar_t kFilter[] =
    L"Picture Files (*.bmp;*.png;*.jpg;*.jpeg;*.gif)\0*.bmp;*.png;*.jpg;*.jpeg;*.gif\0All Files (*.*)\0*.*\0";

}  // namespace

PIXPORT_API int ImportImageAsIcon(HWND mainWindow, AppContext* context)
{
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = mainWindow;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = kTitle;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    // A cancel is the user's choice, not a failure: nothing changes and nothing is reported.
    if (!GetOpenFileNameW(&dialog))
        return 1;
    return ImportPictureFile(mainWindow, context, path);
}
