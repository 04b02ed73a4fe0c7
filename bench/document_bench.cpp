// Document core: undo and redo of a layered Image, animated cursor and project files.
#include <windows.h>
#include <gdiplus.h>

#include <string>

#include "bench.h"
#include "core/pyx.h"
#include "tests/core/document_builders.h"

namespace {

std::wstring BenchFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"vexil-bench-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

void PaintPattern(Gdiplus::Bitmap* bitmap, uint32_t seed)
{
    Gdiplus::Rect all(0, 0, int(bitmap->GetWidth()), int(bitmap->GetHeight()));
    Gdiplus::BitmapData data{};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return;
    for (int y = 0; y < all.Height; y++) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < all.Width; x++) {
            seed = seed * 1664525u + 1013904223u;
            row[x] = seed;
        }
    }
    bitmap->UnlockBits(&data);
}

// One 256 x 256 Image with 20 painted raster layers.
Resource* LayeredDocument()
{
    Resource* document = PYX_CreateNewResource();
    PYX_DeleteImage(document->firstImage);
    Image* image = PYX_CreateImage(256, 256);
    PaintPattern(image->composite, 1);
    Layer* last = image->firstLayer;
    PaintPattern(last->bitmap, 2);
    for (int i = 1; i < 20; i++) {
        last->next = PYX_CreateRasterLayer(256, 256);
        last = last->next;
        PaintPattern(last->bitmap, 3 + i);
    }
    image->layerCount = 20;
    document->firstImage = image;
    return document;
}

Resource* Animation()
{
    Resource* document = DocumentWithoutImages();
    for (int i = 0; i < 20; i++) {
        Image* image = PYX_CreateImage(32, 32);
        PaintPattern(image->composite, 100 + i);
        AppendImage(document, image);
    }
    return document;
}

void BenchUndo()
{
    Resource* document = LayeredDocument();
    UndoChain* chain = PYX_InitNewUndoChain();
    PYX_AddChangeUndoRing(chain, 0, document);
    Report("undo of a change ring, 256x256, 20 layers", MedianMilliseconds(50, [&] {
               PYX_Undo(chain, document);
               PYX_Redo(chain, document);
           }) / 2, 1);
    PYX_DeleteUndoChain(chain);
    PYX_DoCleanupInternalResource(document);
}

void BenchProject()
{
    Resource* document = LayeredDocument();
    const std::wstring path = BenchFile(L"layers.fic");
    Report("write project, 256x256, 20 layers",
           MedianMilliseconds(15, [&] { PYX_SaveProjectToFile(nullptr, path.c_str(), document); }), 30);
    Report("read project, 256x256, 20 layers", MedianMilliseconds(15, [&] {
               PYX_DoCleanupInternalResource(PYX_LoadProjectFromFile(nullptr, path.c_str()));
           }), 30);
    PYX_DoCleanupInternalResource(document);
    DeleteFileW(path.c_str());
}

void BenchAni()
{
    Resource* document = Animation();
    const std::wstring path = BenchFile(L"frames.ani");
    PYX_SaveAniToFile(nullptr, path.c_str(), document);
    Report("read animated cursor, 20 frames 32x32", MedianMilliseconds(30, [&] {
               PYX_DoCleanupInternalResource(PYX_LoadAniFromFile(nullptr, path.c_str()));
           }), 2);
    PYX_DoCleanupInternalResource(document);
    DeleteFileW(path.c_str());
}

}  // namespace

void RunDocumentBenchmarks()
{
    BenchUndo();
    BenchAni();
    BenchProject();
}
