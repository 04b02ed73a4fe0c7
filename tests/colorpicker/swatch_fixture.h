// A plain main window under Xvfb with an AppContext (brush settings and the shared
// palettes) and the color picker panel created on it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "harness/test_windows.h"
#include "core/palette_objects.h"
#include "core/pyx.h"
#include "panels/colorpicker/swatch.h"
#include "panels/colorpicker/swatch_ids.h"

// Handles the posted and sent messages waiting for this thread.
void PumpMessages();

class SwatchTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Control(int id) const { return GetDlgItem(panel, id); }
    std::wstring BoxText(int id) const { return WindowText(Control(id)); }
    int SliderPosition(int id) const;
    // The user releases the mouse at (x, y) of the panel.
    void Click(int x, int y);
    // The user drags a slider's thumb to position and lets go.
    void DragSlider(int id, int position);
    // The user types text into a number box (replacing what it held).
    void TypeIntoBox(int id, const wchar_t* text);
    // The main window tells the panel the current image's depth, as it does on every
    // change of the current image.
    void SynchronizeDepth(int bitsPerPixel);
    // Makes a fresh panel (for table rows that need the initial state).
    void Recreate();

    HWND parent = nullptr;
    AppContext context{};
    BrushSettings brush{};
    SharedPalettes palettes;
    HWND panel = nullptr;
};
