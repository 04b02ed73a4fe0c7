// The layer commands through the messages the main window sends, and what the panel
// reports back.
#include "layers/layers_fixture.h"

#include "common/document_ops.h"
#include "harness/test_bitmaps.h"
#include "common/message_box_recorder.h"

namespace {

constexpr UINT kRefresh = WM_APP + 1;
constexpr UINT kReload = WM_APP + 5;
constexpr UINT kNewLayer = WM_APP + 8;
constexpr UINT kDuplicate = WM_APP + 9;
constexpr UINT kDelete = WM_APP + 10;
constexpr UINT kMergeSelected = WM_APP + 11;
constexpr UINT kConvert = WM_APP + 12;
constexpr UINT kMergeAll = WM_APP + 42;

constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00;

uint32_t PixelOf(Gdiplus::Bitmap* bitmap, int x, int y)
{
    Gdiplus::Color color;
    bitmap->GetPixel(x, y, &color);
    return color.GetValue();
}

// Answers every message box of this thread with one button; installed after the recorder,
// it runs first, so its click closes the box before the recorder's default one arrives.
class BoxAnswer {
public:
    explicit BoxAnswer(int button)
    {
        gButton = button;
        hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxAnswer() { UnhookWindowsHookEx(hook_); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE && !GetPropW(HWND(wParam), L"LayersAnswered")) {
            SetPropW(HWND(wParam), L"LayersAnswered", HANDLE(1));
            PostMessageW(HWND(wParam), WM_COMMAND, MAKEWPARAM(gButton, BN_CLICKED),
                         LPARAM(GetDlgItem(HWND(wParam), gButton)));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int gButton = IDYES;
    HHOOK hook_ = nullptr;
};

}  // namespace

TEST(LayersCreation, RefusesMissingParentOrContext)
{
    AppContext context{};
    EXPECT_EQ(CreateLWindow(nullptr, 0, 0, &context), nullptr);
    EXPECT_EQ(CreateLWindow(GetDesktopWindow(), 0, 0, nullptr), nullptr);
}

TEST_F(LayersTest, WindowsHaveTheirClassesPlacesAndScrollPage)
{
    EXPECT_EQ(ClassName(frame), L"Layer Palette");
    EXPECT_EQ(ClassName(list), L"Layer List Palette");
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL);
    RECT rect;
    GetWindowRect(frame, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 824);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 300);
    GetWindowRect(list, &rect);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 12);
    EXPECT_EQ(rect.top, 12);
    EXPECT_EQ(rect.right - rect.left, 176);
    EXPECT_EQ(rect.bottom - rect.top, 276);
    EXPECT_EQ(GetSelectedLayerCount(), 1);

    BuildLayers(std::vector<LayerRecipe>(8));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &info);
    EXPECT_EQ(info.nPage, 6u);
    EXPECT_EQ(info.nMax, 7);
    for (int i = 0; i < 4; i++)
        SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 2);  // 8 layers, 6 rows: two can scroll off
    Click(100, 10);                              // the top visible row is now layer 5
    EXPECT_EQ(context.currentLayer, 5);
    SendMessageW(list, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
}

TEST_F(LayersTest, CreateAddsAVisibleCurrentRasterLayerOnTop)
{
    struct Case {
        const char* how;
        UINT message;
        WPARAM wParam;
        bool undoSent;
    };
    const Case cases[] = {
        {"Layers menu", kNewLayer, 0, true},
        {"paste into a new layer, undo recorded by the caller", kNewLayer, 1, false},
        {"context menu", WM_COMMAND, 40001, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        BuildLayers({LayerRecipe{}, LayerRecipe{.visible = false}, LayerRecipe{.vector = true}});
        context.document->modified = 0;
        SendMessageW(c.message == WM_COMMAND ? list : frame, c.message, c.wParam, 0);
        const auto messages = TakeMessages();
        ASSERT_EQ(LayerCount(), 4);
        EXPECT_EQ(layer(3)->type, kRasterLayer);
        EXPECT_EQ(image()->visibleLayers & 0xF, 0b1101u);
        EXPECT_EQ(context.currentLayer, 3);
        EXPECT_EQ(GetSelectedLayerCount(), 1);
        EXPECT_EQ(context.document->modified, 1u);
        if (c.undoSent) {
            ExpectMessages(messages, {{kUndoRing, 0}, {kImageChanged, 1}});
            EXPECT_EQ(messages[0].layerCount, 3);  // before the change
        } else {
            ExpectMessages(messages, {{kImageChanged, 1}});
        }
        EXPECT_TRUE(messages.back().sent);
    }
}

TEST_F(LayersTest, TwentyLayersRefuseCreateAndDuplicate)
{
    BuildLayers(std::vector<LayerRecipe>(20));
    for (UINT message : {kNewLayer, kDuplicate}) {
        SendMessageW(frame, message, 0, 0);
        EXPECT_EQ(LayerCount(), 20);
        EXPECT_TRUE(TakeMessages().empty());
    }
    SendMessageW(list, WM_COMMAND, 40002, 0);
    EXPECT_EQ(LayerCount(), 20);
}

TEST_F(LayersTest, DuplicateInsertsAVisibleCopyAboveTheCurrentLayer)
{
    BuildLayers({LayerRecipe{.color = kRed}, LayerRecipe{.vector = true, .visible = false, .color = kBlue, .w = 10},
                 LayerRecipe{}});
    Click(100, RowMiddle(1));  // shows the hidden vector layer and makes it current
    TakeMessages();
    SendMessageW(frame, kDuplicate, 0, 0);
    const auto messages = TakeMessages();
    ASSERT_EQ(LayerCount(), 4);
    EXPECT_EQ(layer(2)->type, kFilledVectorLayer);
    EXPECT_NE(layer(2), layer(1));
    EXPECT_EQ(PixelOf(layer(2)->bitmap, 5, 5), kBlue);
    EXPECT_EQ(image()->visibleLayers & 0xF, 0b1111u);
    EXPECT_EQ(context.currentLayer, 2);
    ExpectMessages(messages, {{kUndoRing, 0}, {kImageChanged, 0}});  // 0: the source is a vector layer
}

TEST_F(LayersTest, DeleteSelectedKeepsTheRemainingVisibilityBits)
{
    // Layers 1 (hidden) and 4 (visible) survive the deletion of 0, 2 and 3.
    BuildLayers({LayerRecipe{}, LayerRecipe{.vector = true, .visible = false}, LayerRecipe{}, LayerRecipe{.visible = false},
                 LayerRecipe{}});
    Layer* survivors[] = {layer(1), layer(4)};
    CtrlClick(2);
    CtrlClick(3);
    EXPECT_EQ(GetSelectedLayerCount(), 3);
    EXPECT_TRUE(TakeMessages().empty());
    SendMessageW(frame, kDelete, 0, 0);
    const auto messages = TakeMessages();
    ASSERT_EQ(LayerCount(), 2);
    EXPECT_EQ(layer(0), survivors[0]);
    EXPECT_EQ(layer(1), survivors[1]);
    EXPECT_EQ(image()->visibleLayers & 3, 0b10u);
    EXPECT_EQ(context.currentLayer, 0);
    EXPECT_EQ(GetSelectedLayerCount(), 1);
    ExpectMessages(messages, {{kUndoRing, 0}, {kImageChanged, 0}});  // the new first layer is a vector layer
}

TEST_F(LayersTest, DeleteLeavesTheLastLayerAlone)
{
    BuildLayers({LayerRecipe{}});
    SendMessageW(frame, kDelete, 0, 0);
    EXPECT_EQ(LayerCount(), 1);
    EXPECT_TRUE(TakeMessages().empty());
    BuildLayers({LayerRecipe{}, LayerRecipe{}});
    CtrlClick(1);
    SendMessageW(frame, kDelete, 0, 0);  // both selected: one must stay
    EXPECT_EQ(LayerCount(), 1);
}

TEST_F(LayersTest, MergeSelectedFoldsIntoTheLowestSelectedLayer)
{
    struct Case {
        const char* name;
        std::vector<LayerRecipe> layers;
        std::vector<int> select;  // added to the bottom layer's selection by Ctrl-clicks
        bool deselectBottom;
        int base;
        std::vector<int> survivors;  // original indexes left, bottom first
        uint32_t visible;            // the mask of the result
    };
    const LayerRecipe redLeft{.vector = true, .visible = false, .color = kRed, .w = 24};
    const LayerRecipe blueRight{.color = kBlue, .x = 24, .w = 24};
    const Case cases[] = {
        {"1 and 3 of 4, only 3 visible",
         {LayerRecipe{}, redLeft, LayerRecipe{.visible = false}, blueRight}, {1, 3}, true, 1, {0, 1, 2}, 0b011},
        {"0, 2 and 4 of 5",
         {LayerRecipe{.visible = false, .color = kRed, .w = 24}, LayerRecipe{.visible = false}, LayerRecipe{.visible = false},
          LayerRecipe{}, blueRight},
         {2, 4}, false, 0, {0, 1, 3}, 0b101},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildLayers(c.layers);
        std::vector<Layer*> before;
        for (int i = 0; i < LayerCount(); i++)
            before.push_back(layer(i));
        if (c.deselectBottom)
            CtrlClick(0);
        for (int index : c.select)
            CtrlClick(index);
        SendMessageW(frame, kMergeSelected, 0, 0);
        const auto messages = TakeMessages();
        ASSERT_EQ(LayerCount(), int(c.survivors.size()));
        for (size_t i = 0; i < c.survivors.size(); i++)
            EXPECT_EQ(layer(int(i)), before[size_t(c.survivors[i])]) << "position " << i;
        Layer* merged = layer(c.base);
        EXPECT_EQ(merged->type, kRasterLayer);
        EXPECT_EQ(merged->path, nullptr);
        EXPECT_EQ(PixelOf(merged->bitmap, 10, 10), kRed);
        EXPECT_EQ(PixelOf(merged->bitmap, 40, 10), kBlue);
        EXPECT_EQ(image()->visibleLayers & 0x7, c.visible);
        EXPECT_EQ(context.currentLayer, c.base);
        EXPECT_EQ(GetSelectedLayerCount(), 1);
        ExpectMessages(messages, {{kUndoRing, 0}, {kImageChanged, 1}});
    }
}

TEST_F(LayersTest, MergeSelectedNeedsTwoLayers)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{}});
    SendMessageW(frame, kMergeSelected, 0, 0);
    EXPECT_EQ(LayerCount(), 2);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(LayersTest, MergeAllAsksAboutHiddenLayers)
{
    struct Case {
        int answer;
        int layers;             // after
        uint32_t hiddenPixel;   // the hidden layer's spot in the composite afterwards
        bool changed;
    };
    const Case cases[] = {{IDYES, 1, 0, true}, {IDNO, 1, kRed, true}, {IDCANCEL, 3, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        BuildLayers({LayerRecipe{.color = kGreen, .w = 10}, LayerRecipe{.visible = false, .color = kRed, .x = 20, .w = 10},
                     LayerRecipe{.color = kBlue, .x = 40, .w = 8}});
        MessageBoxRecorder recorder;
        {
            BoxAnswer answer(c.answer);
            SendMessageW(frame, kMergeAll, 0, 0);
        }
        const auto messages = TakeMessages();
        ASSERT_EQ(recorder.boxes().size(), 1u);
        EXPECT_EQ(recorder.boxes()[0].text, L"Do you want to discard the hidden layer(s) ? ");
        EXPECT_EQ(recorder.boxes()[0].caption, L"Vexil 1.0");
        ASSERT_EQ(LayerCount(), c.layers);
        if (!c.changed) {
            EXPECT_TRUE(messages.empty());
            EXPECT_FALSE(image()->visibleLayers & 2);
            continue;
        }
        EXPECT_EQ(PixelOf(layer(0)->bitmap, 25, 25), c.hiddenPixel);
        EXPECT_EQ(PixelOf(layer(0)->bitmap, 5, 5), kGreen);
        EXPECT_EQ(PixelOf(layer(0)->bitmap, 45, 5), kBlue);
        EXPECT_EQ(PixelOf(image()->composite, 25, 25), c.hiddenPixel);
        EXPECT_EQ(image()->visibleLayers, 0xFFFFFFFFu);
        EXPECT_EQ(context.currentLayer, 0);
        // Recorded once the question is answered, so that a merge that drops layers can be undone.
        ExpectMessages(messages, {{kUndoRing, 0}, {kImageChanged, 0}});
        EXPECT_FALSE(messages.back().sent);
    }
}

TEST_F(LayersTest, MergeAllWithoutHiddenLayersAsksNothing)
{
    BuildLayers({LayerRecipe{.color = kGreen, .w = 10}, LayerRecipe{.color = kBlue, .x = 40, .w = 8}});
    MessageBoxRecorder recorder;
    SendMessageW(frame, kMergeAll, 0, 0);
    EXPECT_TRUE(recorder.boxes().empty());
    ASSERT_EQ(LayerCount(), 1);
    EXPECT_EQ(PixelOf(layer(0)->bitmap, 45, 5), kBlue);
    SendMessageW(frame, kMergeAll, 0, 0);  // one layer: nothing to merge
    EXPECT_EQ(LayerCount(), 1);
}

TEST_F(LayersTest, ConvertMakesTheVectorLayerRasterAndKeepsItsPicture)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{.vector = true, .color = kBlue}});
    Click(100, RowMiddle(1));
    TakeMessages();
    context.document->modified = 0;
    SendMessageW(frame, kConvert, 0, 0);
    EXPECT_EQ(layer(1)->type, kRasterLayer);
    EXPECT_EQ(layer(1)->shapeKind, 0);
    EXPECT_EQ(layer(1)->path, nullptr);
    EXPECT_EQ(PixelOf(layer(1)->bitmap, 5, 5), kBlue);
    EXPECT_EQ(context.document->modified, 1u);
    ExpectMessages(TakeMessages(), {{kUndoRing, 0}});
    SendMessageW(frame, kConvert, 0, 0);  // already raster
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(LayersTest, RefreshWithOneTakesTheLayerAddedAboveTheCurrentOne)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{.visible = false}});
    // Another part of the program links a layer in above layer 0, leaving the mask to the panel.
    Layer* added = PYX_CreateRasterLayer(48, 48);
    added->next = image()->firstLayer->next;
    image()->firstLayer->next = added;
    image()->layerCount++;
    SendMessageW(frame, kRefresh, 1, 0);
    EXPECT_EQ(context.currentLayer, 1);
    EXPECT_EQ(image()->visibleLayers & 7, 0b011u);
    EXPECT_EQ(GetSelectedLayerCount(), 1);
    SendMessageW(frame, kRefresh, 0, 0);
    EXPECT_EQ(context.currentLayer, 1);
}

TEST_F(LayersTest, ReloadShowsTheNewImageFromItsBottomLayer)
{
    BuildLayers({LayerRecipe{}, LayerRecipe{}, LayerRecipe{}});
    Click(100, RowMiddle(2));
    EXPECT_EQ(context.currentLayer, 2);
    Image* second = PYX_CreateImage(32, 32);
    ASSERT_TRUE(InsertImage(context.document, 1, second));
    context.currentImage = 1;
    SendMessageW(frame, kReload, 0, 0);
    EXPECT_EQ(context.currentLayer, 0);
    EXPECT_EQ(GetSelectedLayerCount(), 1);
    // A command that arrives before the reload still works on the document's current Image.
    context.currentImage = 0;
    context.currentLayer = 2;
    SendMessageW(frame, kNewLayer, 0, 0);
    EXPECT_EQ(LayerCount(), 4);
    EXPECT_EQ(context.currentLayer, 3);
}
