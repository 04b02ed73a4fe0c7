// The stand-in main window the editing-area tests put the editing area in, what it was told,
// and the fixtures built on it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/app_context.h"
#include "common/messages.h"
#include "common/selection_state.h"
#include "core/pyx.h"
#include "panels/toolbox/toolrack.h"

// What the editing area told the main window.
struct Reports {
    int undoEntries = 0;  // kUndoChangeRing
    int undoImage = -1;   // its wParam: the image to copy
    int changes = 0;      // kEditAreaChanged
    int layersAdded = 0;  // kEditAreaChanged with 1
    int picks = 0;        // kEditAreaPickedColor
    int ended = 0;        // kTransformationEnded (posted)
};

extern Reports gReports;
// Where the main window keeps undo copies, as the shell does; null: it only counts the requests.
extern UndoChain* gChain;

// A shown main window whose procedure records the editing area's reports in gReports.
HWND MakeMain();

// Delivers what is waiting, posted messages included.
void PumpMessages();

using Pixels = std::vector<uint32_t>;  // 0xAARRGGBB, rows top to bottom

constexpr int kSize = 32;  // the tool tests' images are 32 x 32

inline uint32_t Alpha(uint32_t color)
{
    return color >> 24;
}

// How a window's client area is read back.
enum class ReadBack {
    kPrintWindow,  // PrintWindow: the window draws itself into the copy
    kScreen,       // what is on screen now
    kPrintClient,  // WM_PRINTCLIENT
};

// The client area's pixels as 0x00RRGGBB, with its size.
Pixels ClientPixels(HWND window, ReadBack how, int* width = nullptr, int* height = nullptr);

// A main window, an empty document and the context the editing area is created with.
class EaselHostTest : public testing::Test {
public:  // the table-driven cases of some tests reach the fixture through plain functions
    void SetUp() override;
    void TearDown() override;

    // The main window answers undo requests with real undo copies of the document.
    void KeepUndoCopies();
    // The context hands the editing area `brush` and `options`.
    void UseToolSettings();
    // The shell's "nothing selected": the whole layer (nothing at all for no image).
    void ResetSelection(Image* whose);
    // Puts `replacement` in place of the document's first image.
    void PlaceImage(Image* replacement);
    // The editing area at (10, 10) in the main window, with its canvas and strip.
    void CreateArea(int width = 700, int height = 500);

    HWND main = nullptr;
    HWND frame = nullptr;
    HWND canvas = nullptr;
    HWND strip = nullptr;
    AppContext context{};
    SelectionState selection{};
    BrushSettings brush{};
    ToolOptions options{};
};

// A 32 x 32 image in a 700 x 500 editing area: the 696 x 439 canvas shows it at zoom 13 from
// (140, 11); mouse messages aim at the middle of image pixels.
class ImageToolTest : public EaselHostTest {
public:
    static LPARAM At(int x, int y) { return MAKELPARAM(140 + 13 * x + 6, 11 + 13 * y + 6); }
    static uint32_t At(const Pixels& pixels, int x, int y, int width = kSize) { return pixels[size_t(y) * width + x]; }

    void Press(int x, int y, WPARAM keys = 0) { SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON | keys, At(x, y)); }
    void Drag(int x, int y) { SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }
    void Release(int x, int y) { SendMessageW(canvas, WM_LBUTTONUP, 0, At(x, y)); }
    void Click(int x, int y, WPARAM keys = 0)
    {
        Press(x, y, keys);
        Release(x, y);
    }

    // Replaces the selection region and tells the editing area, as the shell does.
    void Select(HRGN region)
    {
        DeleteObject(selection.region);
        selection.region = region;
        SendMessageW(frame, kEditAreaSelectionChanged, 0, 0);
    }

    Image* image = nullptr;
};
