// A main window under Xvfb with a document, an AppContext and the layers panel on it; the
// application messages the main window receives; helpers to build layer stacks and to
// press, drag and right-click on rows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/app_context.h"
#include "harness/test_windows.h"
#include "core/pyx.h"
#include "panels/layers/layerpane.h"

constexpr UINT kUndoRing = WM_APP + 27;
constexpr UINT kImageChanged = WM_APP + 6;
constexpr UINT kLayerChanged = WM_APP + 7;

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    int layerCount;  // of the current Image when the message arrived
    bool sent;       // sent rather than posted
};

// One layer of a stack to build: its kind, visibility and the color its bitmap is filled
// with inside the box (x, y, w, h); 0 leaves it transparent.
struct LayerRecipe {
    bool vector = false;
    bool visible = true;
    uint32_t color = 0;
    int x = 0, y = 0, w = 48, h = 48;
};

void PumpMessages();

class LayersTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the current Image's layers with the given stack (bottom first) and reloads
    // the panel; the messages the reload caused are dropped.
    void BuildLayers(const std::vector<LayerRecipe>& recipes);
    Image* image() const;
    Layer* layer(int index) const;
    int LayerCount() const;
    // The list y in the middle of the name box of the layer's row (no scrolling).
    int RowMiddle(int layer) const;

    void Click(int x, int y, WPARAM keys = 0);
    void CtrlClick(int layer);
    void Drag(int fromY, int toY);

    std::vector<ReceivedMessage> TakeMessages();

    HWND parent = nullptr;
    AppContext context{};
    HWND frame = nullptr;
    HWND list = nullptr;
};

// Compares messages by number and wParam, in order.
void ExpectMessages(const std::vector<ReceivedMessage>& got, const std::vector<std::pair<UINT, WPARAM>>& expected);
