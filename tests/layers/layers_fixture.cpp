#include "layers/layers_fixture.h"

#include <windowsx.h>

#include "common/document_ops.h"
#include "harness/test_bitmaps.h"

namespace {

std::vector<ReceivedMessage> gReceived;
AppContext* gContext = nullptr;
bool gPumping = false;  // messages that arrive while pumping were posted

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP && message < 0xC000) {
        const Image* image = gContext ? CurrentImage(*gContext) : nullptr;
        gReceived.push_back({message, wParam, image ? image->layerCount : -1, !gPumping});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateParent()
{
    return CreateTestMainWindow(L"LayersTestMain", ParentProc, {1040, 800});
}

Layer* MakeLayer(const LayerRecipe& recipe)
{
    Layer* layer = PYX_CreateRasterLayer(48, 48);
    PaintPixels(layer->bitmap, [&](int x, int y) {
        const bool inside = x >= recipe.x && x < recipe.x + recipe.w && y >= recipe.y && y < recipe.y + recipe.h;
        return inside ? recipe.color : 0u;
    });
    if (recipe.vector) {
        layer->type = kFilledVectorLayer;
        layer->shapeKind = 1;
        layer->path = new Gdiplus::GraphicsPath();
        layer->path->AddRectangle(Gdiplus::Rect(recipe.x, recipe.y, recipe.w, recipe.h));
    }
    return layer;
}

}  // namespace

void PumpMessages()
{
    PumpThreadMessages();
}

void LayersTest::SetUp()
{
    parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    context.document = PYX_CreateNewResource();
    ASSERT_NE(context.document, nullptr);
    context.mainWindow = parent;
    context.currentLayer = 3;  // the panel starts on the bottom layer whatever this says
    gContext = &context;
    frame = CreateLWindow(parent, 824, 40, &context);
    ASSERT_NE(frame, nullptr);
    context.layersWindow = frame;
    list = FindWindowExW(frame, nullptr, L"Layer List Palette", nullptr);
    ASSERT_NE(list, nullptr);
    PumpMessages();
    gReceived.clear();
}

void LayersTest::TearDown()
{
    DestroyLWindow();
    if (parent)
        DestroyWindow(parent);
    PumpMessages();
    PYX_DoCleanupInternalResource(context.document);
    gContext = nullptr;
    gReceived.clear();
}

void LayersTest::BuildLayers(const std::vector<LayerRecipe>& recipes)
{
    Image* target = image();
    while (target->layerCount > 0)
        PYX_DeleteLayer(UnlinkLayer(target, 0));
    target->visibleLayers = 0;
    for (size_t i = 0; i < recipes.size(); i++)
        ASSERT_TRUE(InsertLayer(target, int(i), MakeLayer(recipes[i]), recipes[i].visible));
    RecompositeImage(target);
    SendMessageW(frame, WM_APP + 5, 0, 0);
    TakeMessages();
}

Image* LayersTest::image() const { return CurrentImage(context); }
Layer* LayersTest::layer(int index) const { return LayerAt(image(), index); }
int LayersTest::LayerCount() const { return image()->layerCount; }
int LayersTest::RowMiddle(int index) const { return (LayerCount() - 1 - index) * 45 + 23; }

void LayersTest::Click(int x, int y, WPARAM keys)
{
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
    SendMessageW(list, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

void LayersTest::CtrlClick(int index) { Click(100, RowMiddle(index), MK_CONTROL); }

void LayersTest::Drag(int fromY, int toY)
{
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, fromY));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, (fromY + toY) / 2));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, toY));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(100, toY));
}

std::vector<ReceivedMessage> LayersTest::TakeMessages()
{
    gPumping = true;
    PumpMessages();
    gPumping = false;
    std::vector<ReceivedMessage> taken;
    taken.swap(gReceived);
    return taken;
}

void ExpectMessages(const std::vector<ReceivedMessage>& got, const std::vector<std::pair<UINT, WPARAM>>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); i++) {
        EXPECT_EQ(got[i].message - WM_APP, expected[i].first - WM_APP) << "message " << i;
        EXPECT_EQ(got[i].wParam, expected[i].second) << "message " << i;
    }
}
