// The mouse on the list: picking, the visibility square, dragging rows, the lost capture,
// the context menu's enabling, and input switched off.
#include "layers/layers_fixture.h"

#include <array>

#include "common/document_ops.h"

namespace {

constexpr UINT kInput = WM_APP + 43;

// The context menu's item states as it opens; the menu is closed again at once.
struct MenuProbe {
    static inline std::array<bool, 6> enabled{};
    static inline int opened = 0;
    HHOOK hook = nullptr;

    MenuProbe()
    {
        opened = 0;
        hook = SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~MenuProbe() { UnhookWindowsHookEx(hook); }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_INITMENUPOPUP) {
            HMENU popup = HMENU(call->wParam);
            for (int i = 0; i < 6; i++)
                enabled[size_t(i)] = !(GetMenuState(popup, UINT(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
            opened++;
            PostMessageW(call->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

}  // namespace

TEST_F(LayersTest, ClickOnAHiddenLayerMakesItCurrentAndVisible)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{.visible = false}, LayerRecipe{.vector = true}});
    Click(100, RowMiddle(1));
    EXPECT_EQ(context.currentLayer, 1);
    EXPECT_EQ(image()->visibleLayers & 7, 0b111u);
    auto messages = TakeMessages();
    ExpectMessages(messages, {{kImageChanged, 1}, {kLayerChanged, 1}});
    EXPECT_FALSE(messages[0].sent);
    Click(100, RowMiddle(2));  // a vector layer
    ExpectMessages(TakeMessages(), {{kLayerChanged, 0}});
    Click(100, RowMiddle(2));  // already current: nothing to report
    EXPECT_TRUE(TakeMessages().empty());
    Click(100, 3 * 45 + 10);   // below the last row
    EXPECT_EQ(context.currentLayer, 2);
}

TEST_F(LayersTest, TheUpperSquareTogglesVisibility)
{
    BuildLayers({LayerRecipe{.color = 0xFFFF0000}, LayerRecipe{}});
    const int top = (LayerCount() - 1) * 45;  // row of layer 0
    struct Case {
        int x, y;
        uint32_t mask;
    };
    const Case cases[] = {{10, top + 10, 0b10}, {6, top + 5, 0b11}, {22, top + 21, 0b10}, {10, top + 30, 0b10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        Click(c.x, c.y);
        EXPECT_EQ(image()->visibleLayers & 3, c.mask);
        EXPECT_EQ(context.currentLayer, 0);
    }
    ExpectMessages(TakeMessages(), {{kImageChanged, 1}, {kImageChanged, 1}, {kImageChanged, 1}});
    Gdiplus::Color color;
    image()->composite->GetPixel(5, 5, &color);
    EXPECT_EQ(color.GetAlpha(), 0);  // the hidden layer left the composite
}

TEST_F(LayersTest, DraggingTheTopOfThreeToTheBottom)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{.visible = false}, LayerRecipe{.vector = true}});
    Layer* top = layer(2);
    Layer* middle = layer(1);
    Drag(RowMiddle(2), 2 * 45 + 30);  // released in the lower part of the bottom row
    ASSERT_EQ(LayerCount(), 3);
    EXPECT_EQ(layer(0), top);
    EXPECT_EQ(layer(2), middle);
    EXPECT_EQ(image()->visibleLayers & 7, 0b011u);  // the hidden layer's bit went with it
    EXPECT_EQ(context.currentLayer, 0);
    EXPECT_EQ(context.document->modified, 1u);
    EXPECT_NE(GetCapture(), list);
    // The press reports the new current layer (posted); the move sends its undo step at once.
    ExpectMessages(TakeMessages(), {{kUndoRing, 0}, {kLayerChanged, 0}, {kImageChanged, 0}});
}

TEST_F(LayersTest, DropsThatChangeNothingMoveNothing)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{}, LayerRecipe{}});
    const std::array<Layer*, 3> before = {layer(0), layer(1), layer(2)};
    struct Case {
        int from, to;
    };
    const Case cases[] = {{RowMiddle(1), RowMiddle(1)}, {RowMiddle(1), 45 + 5}, {RowMiddle(1), 90 + 5}};
    for (const Case& c : cases) {
        Drag(c.from, c.to);
        for (int i = 0; i < 3; i++)
            EXPECT_EQ(layer(i), before[size_t(i)]) << "drop at " << c.to;
    }
    for (const ReceivedMessage& m : TakeMessages())
        EXPECT_NE(m.message, kUndoRing);
}

TEST_F(LayersTest, ALostCaptureEndsTheDragWithoutADrop)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{}, LayerRecipe{}});
    Layer* top = layer(2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, RowMiddle(2)));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 120));
    EXPECT_EQ(GetCapture(), list);
    SetCapture(parent);  // another window takes the mouse
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(100, 120));
    ReleaseCapture();
    EXPECT_EQ(layer(2), top);
    for (const ReceivedMessage& m : TakeMessages())
        EXPECT_NE(m.message, kUndoRing);
}

TEST_F(LayersTest, InputOffIgnoresTheMouse)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{}});
    SendMessageW(frame, kInput, 0, 0);
    Click(100, RowMiddle(1));
    Click(10, RowMiddle(0) - 13);
    EXPECT_EQ(context.currentLayer, 0);
    EXPECT_EQ(image()->visibleLayers & 3, 3u);
    SendMessageW(frame, kInput, 1, 0);
    Click(100, RowMiddle(1));
    EXPECT_EQ(context.currentLayer, 1);
}

TEST_F(LayersTest, ContextMenuEnablesWhatCanRun)
{
    struct Case {
        const char* name;
        int layers;
        bool topIsVector;
        bool selectSecond;  // Ctrl-click layer 1 before the right click
        int rightClickLayer;  // in one of the first six rows
        int currentAfter;     // a selected row stays as it is
        std::array<bool, 6> enabled;  // create, duplicate, delete, merge, convert, merge all
    };
    const Case cases[] = {
        {"one raster layer", 1, false, false, 0, 0, {true, true, false, false, false, false}},
        {"twenty layers", 20, false, false, 19, 19, {false, false, true, false, false, true}},
        {"a vector layer alone", 3, true, false, 2, 2, {true, true, true, false, true, true}},
        {"two selected", 3, false, true, 1, 0, {true, true, true, true, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LayerRecipe> recipes(size_t(c.layers));
        recipes.back().vector = c.topIsVector;
        BuildLayers(recipes);
        if (c.selectSecond)
            CtrlClick(1);
        const int y = (c.layers - 1 - c.rightClickLayer) * 45 + 23;
        MenuProbe probe;
        SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, y));
        PumpMessages();
        ASSERT_EQ(MenuProbe::opened, 1);
        for (size_t i = 0; i < 6; i++)
            EXPECT_EQ(MenuProbe::enabled[i], c.enabled[i]) << "item " << i;
        EXPECT_EQ(context.currentLayer, c.currentAfter);
    }
}

TEST_F(LayersTest, RightClickOnAnUnselectedRowMakesItCurrent)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{.visible = false}});
    MenuProbe probe;
    SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, RowMiddle(1)));
    EXPECT_EQ(context.currentLayer, 1);
    EXPECT_EQ(image()->visibleLayers & 3, 1u);  // a right click shows nothing
    ExpectMessages(TakeMessages(), {{kLayerChanged, 0}});
}

TEST_F(LayersTest, DraggingPastTheListScrollsOneRowPerMove)
{
    BuildLayers(std::vector<LayerRecipe>(8));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 23));  // layer 7, the top row
    const struct {
        int y, scroll;
    } steps[] = {{300, 1}, {300, 2}, {300, 2}, {100, 2}, {-5, 1}, {-5, 0}, {-5, 0}};
    for (const auto& step : steps) {
        SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, step.y));
        EXPECT_EQ(GetScrollPos(list, SB_VERT), step.scroll) << "move to y " << step.y;
    }
    // Low in the sixth row, which shows layer 2: two layers stay below the line.
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(100, 250));
    EXPECT_EQ(context.currentLayer, 2);
    EXPECT_EQ(GetCapture(), nullptr);
}
