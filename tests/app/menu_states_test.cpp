// Menu items follow the document, the brush and a pending transformation when a menu opens.
#include <gtest/gtest.h>

#include "core/pyx.h"
#include "shell_session.h"
#include "shell_state.h"

namespace {

bool Enabled(HWND window, int command)
{
    SendMessageW(window, WM_INITMENUPOPUP, 0, 0);
    return !(GetMenuState(GetMenu(window), UINT(command), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

bool Checked(HWND window, int command)
{
    return GetMenuState(GetMenu(window), UINT(command), MF_BYCOMMAND) & MF_CHECKED;
}

struct Expectation {
    int command;
    bool enabled;
};

void ExpectStates(HWND window, const std::vector<Expectation>& expectations, const char* situation)
{
    for (const Expectation& expectation : expectations)
        EXPECT_EQ(Enabled(window, expectation.command), expectation.enabled)
            << situation << ", command " << expectation.command;
}

}  // namespace

TEST(MenuStates, FollowTheNewDocument)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    // One 48 x 48 32-bit Image with one raster layer, nothing to undo.
    ExpectStates(window,
                 {{32771, true}, {105, true}, {32789, false}, {32790, false}, {32796, true}, {32798, true},
                  {32827, true}, {32828, true}, {32829, false}, {32830, false}, {32831, false}, {32879, false},
                  {32833, true}, {32835, false}, {32837, true}, {32852, true}, {32883, true}, {32860, false},
                  {32864, false}},
                 "new document");
    Image* image = Context().document->firstImage;
    image->layerCount = 20;
    ExpectStates(window, {{32827, false}, {32828, false}, {32794, false}, {32829, true}, {32879, true}}, "20 layers");
    image->layerCount = 19;
    ExpectStates(window, {{32827, true}, {32828, true}}, "19 layers");
    image->layerCount = 1;
    image->height = 32;
    ExpectStates(window, {{32837, false}}, "48 x 32");
    image->height = 48;
    StopShell();
}

TEST(MenuStates, GradientItemFollowsDepthAndBrush)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    Image* image = Context().document->firstImage;
    BrushSettings* brush = Context().brushSettings;
    brush->useGradient = 1;
    EXPECT_TRUE(Enabled(window, 32871));
    EXPECT_TRUE(Checked(window, 32871));
    brush->useGradient = 0;
    image->bitsPerPixel = 24;
    EXPECT_TRUE(Enabled(window, 32871));
    EXPECT_FALSE(Checked(window, 32871));
    brush->useGradient = 1;
    image->bitsPerPixel = 8;
    EXPECT_FALSE(Enabled(window, 32871));
    EXPECT_FALSE(Checked(window, 32871)) << "unchecked below 24 bits whatever the brush says";
    EXPECT_FALSE(Enabled(window, 32852)) << "filters need 32 bits";
    image->bitsPerPixel = 32;
    StopShell();
}

TEST(MenuStates, VectorLayersSwapFiltersForEffectsByShape)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    Layer* layer = Context().document->firstImage->firstLayer;
    layer->type = kFilledVectorLayer;
    const struct {
        uint8_t shape;
        bool glassy, aqua, sweet;
    } shapes[] = {{kNoShape, true, true, true},        {kEllipseShape, true, true, false},
                  {kRectangleShape, false, false, true}, {kTextShape, false, false, true},
                  {kPolygonShape, false, false, false},  {kCustomShape, false, false, false}};
    for (const auto& shape : shapes) {
        layer->shapeKind = shape.shape;
        SCOPED_TRACE(testing::Message() << "shape " << int(shape.shape));
        ExpectStates(window,
                     {{32860, true}, {32865, shape.glassy}, {32863, shape.aqua}, {32864, shape.sweet}, {32852, false},
                      {32831, true}, {32796, false}, {32792, false}, {32802, false}},
                     "vector layer");
    }
    layer->type = kRasterLayer;
    layer->shapeKind = kNoShape;
    StopShell();
}

TEST(MenuStates, PendingTransformationDisablesTheDocumentMenus)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    CurrentShell().transformPending = 1;
    ExpectStates(window,
                 {{32771, false}, {105, false}, {32797, false}, {32811, false}, {32827, false}, {32833, false},
                  {32852, false}, {32884, true}, {104, true}},
                 "pending");
    CurrentShell().transformPending = 0;
    ExpectStates(window, {{32771, true}, {32797, true}, {32811, true}}, "applied");
    StopShell();
}

// The Paste items offer what Paste reads: a picture put on the clipboard only as PNG too.
TEST(MenuStates, PasteFollowsTheClipboard)
{
    HWND window = StartShell();
    ASSERT_NE(window, nullptr);
    struct Case {
        const char* name;
        UINT format;
        bool enabled;
    };
    const Case cases[] = {
        {"an empty clipboard", 0, false},
        {"a PNG alone", RegisterClipboardFormatW(L"PNG"), true},
        {"a bitmap alone", CF_DIB, true},
        {"text alone", CF_UNICODETEXT, false},
    };
    for (const Case& test : cases) {
        ASSERT_TRUE(OpenClipboard(window));
        EmptyClipboard();
        if (test.format)
            SetClipboardData(test.format, GlobalAlloc(GMEM_MOVEABLE, 64));
        CloseClipboard();
        ExpectStates(window, {{32794, test.enabled}, {32795, test.enabled}}, test.name);
    }
    StopShell();
}
