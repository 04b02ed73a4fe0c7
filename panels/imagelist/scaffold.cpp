// Stand-in image list until it is built: a plain "Image Palette" window. New images are
// appended to the document and made current, as the real panel does.
#include "common/scaffold_panel.h"
#include "core/pyx.h"
#include "imagestrip.h"

namespace {
HWND gFrame = nullptr;
AppContext* gContext = nullptr;
}  // namespace

IMAGESTRIP_API HWND CreateILWindow(HWND parent, int x, int y, AppContext* context)
{
    if (!context)
        return nullptr;
    gContext = context;
    gFrame = CreateScaffoldPanel(GetModuleHandleW(L"imagestrip.dll"), L"Image Palette", parent, x, y, 600, 150);
    return gFrame;
}

IMAGESTRIP_API void DestroyILWindow()
{
    DestroyScaffoldPanel(&gFrame);
    gContext = nullptr;
}

IMAGESTRIP_API int CreateNewImageEx(uint16_t width, uint16_t height)
{
    if (!gContext || !gContext->document)
        return 0;
    Resource* document = gContext->document;
    Image* image = PYX_CreateImage(width, height);
    Image* last = document->firstImage;
    while (last && last->next)
        last = last->next;
    image->prev = last;
    (last ? last->next : document->firstImage) = image;
    gContext->currentImage = document->imageCount++;
    gContext->currentLayer = 0;
    document->modified = 1;
    return 1;
}
