// The image list panel driven with the messages and mouse input of a user and the main
// window, under Xvfb.
#include <windows.h>

#include <array>
#include <string>

#include "common/message_box_recorder.h"
#include "common/messages.h"
#include "harness/test_bitmaps.h"
#include "imagelist/image_list_fixture.h"
#include "panels/imagelist/imagestrip.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

LPARAM At(int x, int y = 50) { return MAKELPARAM(x, y); }

void Click(HWND strip, int x)
{
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(x));
    SendMessageW(strip, WM_LBUTTONUP, 0, At(x));
}

RECT RectInParent(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Red(uint32_t pixel) { return (pixel >> 16) & 255; }
int Green(uint32_t pixel) { return (pixel >> 8) & 255; }
int Blue(uint32_t pixel) { return pixel & 255; }
bool IsRed(uint32_t pixel) { return Red(pixel) > 200 && Green(pixel) < 80 && Blue(pixel) < 80; }
bool IsDark(uint32_t pixel) { return Red(pixel) < 80 && Green(pixel) < 80 && Blue(pixel) < 80; }

void Fill(Image* image, uint32_t color)
{
    PaintPixels(image->composite, [color](int, int) { return color; });
}

// The messages of a kind among those received.
std::vector<ReceivedMessage> Only(const std::vector<ReceivedMessage>& all, UINT message)
{
    std::vector<ReceivedMessage> found;
    for (const ReceivedMessage& received : all)
        if (received.message == message)
            found.push_back(received);
    return found;
}

// The context menu as it stands while it is open: a timer reads it and closes it, since
// the menu runs its own message loop until then.
struct MenuSnapshot {
    bool seen = false;
    std::array<bool, 7> enabled{};
    std::array<std::wstring, 7> texts;
    std::array<UINT, 7> ids{};
};
MenuSnapshot gSnapshot;

HWND FindOpenMenu()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            if (ClassName(window) == L"#32768" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(lParam) = window;
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&found));
    return found;
}

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = FindOpenMenu();
    HMENU menu = window ? reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) : nullptr;
    if (!menu)
        return;  // not open yet: the next tick looks again
    KillTimer(nullptr, timer);
    gSnapshot.seen = GetMenuItemCount(menu) == 7;
    for (int i = 0; i < 7 && gSnapshot.seen; ++i) {
        gSnapshot.enabled[i] = !(GetMenuState(menu, UINT(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
        wchar_t text[64] = {};
        GetMenuStringW(menu, UINT(i), text, 64, MF_BYPOSITION);
        gSnapshot.texts[i] = text;
        gSnapshot.ids[i] = GetMenuItemID(menu, i);
    }
    EndMenu();
}

MenuSnapshot RightClick(HWND strip, int x)
{
    gSnapshot = MenuSnapshot{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, ReadOpenMenu);
    SendMessageW(strip, WM_RBUTTONDOWN, MK_RBUTTON, At(x));
    KillTimer(nullptr, timer);
    PumpMessages();
    return gSnapshot;
}

}  // namespace

TEST(ImageListCreation, RefusesMissingParentOrContext)
{
    AppContext context{};
    EXPECT_EQ(CreateILWindow(nullptr, 1, 1, &context), nullptr);
    EXPECT_EQ(CreateILWindow(GetDesktopWindow(), 1, 1, nullptr), nullptr);
    EXPECT_EQ(CreateNewImageEx(32, 16), 0);  // no panel, no document to append to
}

TEST(ImageListCreation, ExportsByOrdinal)
{
    HMODULE module = GetModuleHandleW(L"imagestrip.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(1))),
              reinterpret_cast<void*>(&CreateILWindow));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(2))),
              reinterpret_cast<void*>(&DestroyILWindow));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(3))),
              reinterpret_cast<void*>(&CreateNewImageEx));
}

TEST_F(ImageListTest, FrameAndStripWindows)
{
    EXPECT_EQ(ClassName(frame), L"Image Palette");
    EXPECT_EQ(WindowText(frame), L"Image Palette");
    EXPECT_EQ(ClassName(strip), L"Image List Palette");
    EXPECT_EQ(WindowText(strip), L"Image List Palette");
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(IsWindowVisible(strip));
    EXPECT_TRUE(GetWindowLongW(strip, GWL_STYLE) & WS_HSCROLL);
    const RECT frameRect = RectInParent(frame);
    EXPECT_EQ(frameRect.left, 1);
    EXPECT_EQ(frameRect.top, 450);
    EXPECT_EQ(frameRect.right - frameRect.left, 600);
    EXPECT_EQ(frameRect.bottom - frameRect.top, 150);
    const RECT stripRect = RectInParent(strip);
    EXPECT_EQ(stripRect.left, 12);
    EXPECT_EQ(stripRect.top, 12);
    EXPECT_EQ(stripRect.right - stripRect.left, 576);
    EXPECT_EQ(stripRect.bottom - stripRect.top, 126);

    // The main window sizes the panel to its client width - 200: the strip follows.
    MoveWindow(frame, 1, 450, 824, 150, TRUE);
    const RECT wider = RectInParent(strip);
    EXPECT_EQ(wider.right - wider.left, 800);
    EXPECT_EQ(wider.bottom - wider.top, 126);
}

TEST_F(ImageListTest, PageGeometryAndScrolling)
{
    UseImages(std::vector<SIZE>(8, SIZE{48, 48}));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(strip, SB_HORZ, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 8);
    EXPECT_EQ(info.nPage, 7u);  // 576 / 80

    // Six cards fill the page (pitch 95): a click on each selects it, past them nothing.
    struct Step {
        UINT request;
        int position;
    };
    const Step steps[] = {{SB_LINELEFT, 0}, {SB_LINERIGHT, 1}, {SB_PAGERIGHT, 2}, {SB_LINERIGHT, 2},
                          {SB_PAGELEFT, 1}, {SB_LINELEFT, 0},  {SB_LINELEFT, 0}};
    for (const Step& step : steps) {
        SendMessageW(strip, WM_HSCROLL, step.request, 0);
        EXPECT_EQ(GetScrollPos(strip, SB_HORZ), step.position) << step.request;
    }
    // Scrolled to the end (maxScrollPos 2), the sixth card on the page is Image 7.
    SendMessageW(strip, WM_HSCROLL, SB_LINERIGHT, 0);
    SendMessageW(strip, WM_HSCROLL, SB_LINERIGHT, 0);
    Click(strip, 5 * 95 + 40);
    EXPECT_EQ(context.currentImage, 7);
    Click(strip, 0 * 95 + 40);
    EXPECT_EQ(context.currentImage, 2);

    // Selecting an Image from the main window brings it into view, within the limit.
    const int selections[][2] = {{7, 2}, {1, 1}, {0, 0}, {5, 2}};
    for (const auto& selection : selections) {
        SendMessageW(frame, kImageListSelectImage, WPARAM(selection[0]), 0);
        EXPECT_EQ(GetScrollPos(strip, SB_HORZ), selection[1]) << selection[0];
    }
}

TEST_F(ImageListTest, ThumbnailsAreScaledOrCenteredInTheirBox)
{
    UseImages({{256, 128}, {16, 16}});
    Fill(ImageNumber(0), 0xFFFF0000);
    PaintPixels(ImageNumber(1)->composite, [](int x, int y) { return NoiseColor(x, y, 255); });
    SendMessageW(frame, kPanelRefresh, 0, 0);
    const Capture capture = CapturePrintClient(strip);

    // Card 0: the box starts at x 22, y 4; 256 x 128 is drawn 55 x 27.5 from y 17.75.
    for (int y = 19; y <= 43; ++y)
        for (int x = 23; x <= 75; ++x)
            ASSERT_TRUE(IsRed(capture.at(x, y))) << x << "," << y;
    for (int y : {6, 10, 15, 47, 52})
        EXPECT_EQ(capture.at(49, y), kWhite) << y;  // white above and below
    EXPECT_EQ(capture.at(49, 16), kWhite);
    EXPECT_FALSE(IsRed(capture.at(49, 16)));
    EXPECT_FALSE(IsRed(capture.at(49, 46)));

    // Card 1: 16 x 16 at 1:1, left 95 + 5 + 19 + 17 = 136, top 4 + 19 = 23.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(capture.at(136 + x, 23 + y), NoiseColor(x, y, 255) & 0xFFFFFF) << x << "," << y;
    for (int y = 23; y < 39; ++y) {
        EXPECT_EQ(capture.at(135, y), kWhite);
        EXPECT_EQ(capture.at(152, y), kWhite);
    }
    for (int x = 136; x < 152; ++x) {
        EXPECT_EQ(capture.at(x, 22), kWhite);
        EXPECT_EQ(capture.at(x, 39), kWhite);
    }
}

TEST_F(ImageListTest, ThumbnailFollowsAChangedImageAfterARefresh)
{
    UseImages({{48, 48}, {48, 48}});
    Fill(ImageNumber(1), 0xFF0000FF);
    SendMessageW(frame, kPanelRefresh, 0, 0);
    EXPECT_EQ(CapturePrintClient(strip).at(95 + 22 + 27, 30), 0x0000FFu);
    Fill(ImageNumber(1), 0xFF00FF00);
    SendMessageW(frame, kPanelRefresh, 0, 0);
    EXPECT_EQ(CapturePrintClient(strip).at(95 + 22 + 27, 30), 0x00FF00u);
}

TEST_F(ImageListTest, ClickSelectsTheCardUnderThePointer)
{
    UseImages({{48, 48}, {48, 48}, {48, 48}});
    struct Case {
        int x;
        int current;   // afterwards
        bool reports;  // WM_APP + 15 posted
    };
    const Case cases[] = {
        {2 * 95 + 50, 2, true}, {2 * 95 + 10, 2, false}, {95, 1, true},
        {3 * 95 + 10, 1, false},  // the empty space after the last card
        {94, 0, true},
    };
    for (const Case& c : cases) {
        context.currentLayer = 3;
        Click(strip, c.x);
        const auto messages = TakeMessages();
        EXPECT_EQ(context.currentImage, c.current) << c.x;
        const auto reports = Only(messages, kImageListCurrentChanged);
        ASSERT_EQ(reports.size(), c.reports ? 1u : 0u) << c.x;
        if (c.reports) {
            EXPECT_FALSE(reports[0].sent);
            EXPECT_EQ(reports[0].currentImage, c.current);
            // The old Image's layer index must not reach the selection reset.
            EXPECT_EQ(reports[0].currentLayer, 0) << c.x;
        }
    }
    // The red mark surrounds the current card (index 0): left edge x 3, top edge y 1.
    const Capture capture = CapturePrintClient(strip);
    EXPECT_TRUE(IsRed(capture.at(3, 50)));
    EXPECT_TRUE(IsRed(capture.at(50, 1)));
    EXPECT_FALSE(IsRed(capture.at(145, 1)));
    EXPECT_FALSE(IsRed(capture.at(240, 1)));
    EXPECT_FALSE(IsRed(capture.at(193, 50)));
}

TEST_F(ImageListTest, InputSwitchedOffIgnoresTheMouse)
{
    UseImages({{48, 48}, {48, 48}});
    SendMessageW(frame, kPanelInput, 0, 0);
    Click(strip, 140);
    EXPECT_EQ(context.currentImage, 0);
    EXPECT_TRUE(TakeMessages().empty());
    SendMessageW(frame, kPanelInput, 1, 0);
    Click(strip, 140);
    EXPECT_EQ(context.currentImage, 1);
}

TEST_F(ImageListTest, DragMovesTheCardToTheNearestBoundary)
{
    struct Case {
        int releaseX;
        std::array<int, 5> order;  // original indexes, in their new order
        bool moves;
    };
    const Case cases[] = {
        {387, {0, 2, 3, 1, 4}, true},   // just right of the boundary between cards 3 and 4
        {145, {0, 1, 2, 3, 4}, false},  // released on its own card
        {10, {1, 0, 2, 3, 4}, true},
    };
    for (const Case& c : cases) {
        UseImages(std::vector<SIZE>(5, SIZE{48, 48}));
        const std::vector<Image*> before = Order();
        context.currentLayer = 2;
        SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(140));
        TakeMessages();
        context.currentLayer = 2;
        SendMessageW(strip, WM_MOUSEMOVE, MK_LBUTTON, At(c.releaseX));
        EXPECT_EQ(GetCapture(), strip) << "the drag holds the mouse";
        SendMessageW(strip, WM_LBUTTONUP, 0, At(c.releaseX));
        EXPECT_EQ(GetCapture(), nullptr);
        const auto messages = TakeMessages();
        const std::vector<Image*> after = Order();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(after[i], before[c.order[i]]) << c.releaseX << " position " << i;
        const auto moves = Only(messages, kUndoMoveRing);
        if (!c.moves) {
            EXPECT_TRUE(messages.empty()) << c.releaseX;
            EXPECT_EQ(context.currentImage, 1);
            continue;
        }
        const int target = c.releaseX == 387 ? 3 : 0;
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_TRUE(moves[0].sent);
        EXPECT_EQ(moves[0].wParam, 1u);
        EXPECT_EQ(moves[0].lParam, target);
        EXPECT_EQ(Only(messages, kImageListChanged).size(), 1u);
        EXPECT_EQ(context.currentImage, target);
        EXPECT_EQ(context.currentLayer, 0);
        EXPECT_EQ(context.document->modified, 1u);
    }
}

TEST_F(ImageListTest, DragShowsTheInsertionLine)
{
    UseImages(std::vector<SIZE>(5, SIZE{48, 48}));
    // Between cards 3 and 4 (x 380 to 385) the strip is white until a drag points there.
    EXPECT_EQ(CapturePrintClient(strip).at(382, 30), kWhite);
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(140));
    SendMessageW(strip, WM_MOUSEMOVE, MK_LBUTTON, At(387));
    const Capture dragging = CapturePrintClient(strip);
    EXPECT_TRUE(IsDark(dragging.at(382, 30)));
    EXPECT_TRUE(IsDark(dragging.at(382, 100)));
    SendMessageW(strip, WM_LBUTTONUP, 0, At(387));
    // Dropped: the line is gone, and x 382 is now the right edge of the red mark of card 3.
    const Capture dropped = CapturePrintClient(strip);
    EXPECT_FALSE(IsDark(dropped.at(382, 30)));
    EXPECT_TRUE(IsRed(dropped.at(382, 30)));
}

TEST_F(ImageListTest, LostCaptureEndsTheDragWithoutADrop)
{
    UseImages(std::vector<SIZE>(5, SIZE{48, 48}));
    const std::vector<Image*> before = Order();
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(140));
    SendMessageW(strip, WM_MOUSEMOVE, MK_LBUTTON, At(387));
    ASSERT_EQ(GetCapture(), strip);
    SetCapture(parent);  // another window takes the mouse
    SendMessageW(strip, WM_LBUTTONUP, 0, At(387));
    ReleaseCapture();
    const auto messages = TakeMessages();
    EXPECT_TRUE(Only(messages, kUndoMoveRing).empty());
    EXPECT_TRUE(Only(messages, kImageListChanged).empty());
    EXPECT_EQ(Order(), before);
    EXPECT_EQ(context.currentImage, 1);
    EXPECT_EQ(CapturePrintClient(strip).at(382, 30), kWhite);
}

TEST_F(ImageListTest, DeleteKeepsTheNeighbourCurrent)
{
    struct Case {
        int current;
        int currentAfter;
        int survivorBefore;  // the Image that is current afterwards, by its old index
    };
    const Case cases[] = {{2, 1, 1}, {0, 0, 1}, {1, 1, 2}};
    for (const Case& c : cases) {
        UseImages(std::vector<SIZE>(3, SIZE{48, 48}), c.current);
        const std::vector<Image*> before = Order();
        context.currentLayer = 4;
        SendMessageW(frame, kImageListDeleteImage, 0, 0);
        const auto messages = TakeMessages();
        ASSERT_EQ(context.document->imageCount, 2) << c.current;
        EXPECT_EQ(context.currentImage, c.currentAfter) << c.current;
        EXPECT_EQ(context.currentLayer, 0);
        EXPECT_EQ(ImageNumber(c.currentAfter), before[c.survivorBefore]) << c.current;
        const auto deletes = Only(messages, kUndoDeleteRing);
        ASSERT_EQ(deletes.size(), 1u);
        EXPECT_TRUE(deletes[0].sent);
        EXPECT_EQ(deletes[0].wParam, WPARAM(c.current));
        EXPECT_EQ(deletes[0].imageCount, 3) << "the undo step comes before the delete";
        const auto changes = Only(messages, kImageListChanged);
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_EQ(changes[0].currentLayer, 0);
        EXPECT_EQ(context.document->modified, 1u);
    }
}

TEST_F(ImageListTest, TheLastImageIsNeverDeleted)
{
    UseImages({{48, 48}});
    Image* only = ImageNumber(0);
    // The menu command, the main window's message (an accelerator ends there too).
    SendMessageW(frame, kImageListDeleteImage, 0, 0);
    SendMessageW(strip, WM_COMMAND, 32780, 0);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(context.document->imageCount, 1);
    EXPECT_EQ(ImageNumber(0), only);
    EXPECT_EQ(context.document->modified, 0u);
}

TEST_F(ImageListTest, DuplicateInsertsTheCopyAfterItsSource)
{
    UseImages({{16, 16}, {32, 24}, {48, 48}}, 1);
    ImageNumber(1)->hotspotX = 7;
    const std::vector<Image*> before = Order();
    SendMessageW(frame, kImageListDuplicateImage, 0, 0);
    const auto messages = TakeMessages();
    ASSERT_EQ(context.document->imageCount, 4);
    EXPECT_EQ(context.currentImage, 2);
    EXPECT_EQ(context.currentLayer, 0);
    const Image* copy = ImageNumber(2);
    EXPECT_NE(copy, before[1]);
    EXPECT_EQ(copy->width, 32);
    EXPECT_EQ(copy->height, 24);
    EXPECT_EQ(copy->hotspotX, 7);
    EXPECT_EQ(ImageNumber(3), before[2]);
    const auto news = Only(messages, kUndoNewRing);
    ASSERT_EQ(news.size(), 1u);
    EXPECT_TRUE(news[0].sent);
    EXPECT_EQ(news[0].wParam, 2u);
    EXPECT_EQ(news[0].imageCount, 4) << "recorded after the copy is in";
    EXPECT_EQ(Only(messages, kImageListChanged).size(), 1u);
}

TEST_F(ImageListTest, CreateAndAppendAddAtTheEnd)
{
    struct Case {
        const char* how;
        int width, height;
        bool recordsUndo;
    };
    const Case cases[] = {{"WM_APP + 16", 48, 48, true},
                          {"context menu", 48, 48, true},
                          {"CreateNewImageEx", 32, 16, false}};
    for (const Case& c : cases) {
        UseImages({{48, 48}, {48, 48}}, 0);
        context.currentLayer = 5;
        if (c.how[0] == 'W')
            SendMessageW(frame, kImageListNewImage, 0, 0);
        else if (c.how[0] == 'c')
            SendMessageW(strip, WM_COMMAND, 32778, 0);
        else
            EXPECT_NE(CreateNewImageEx(32, 16), 0);
        const auto messages = TakeMessages();
        ASSERT_EQ(context.document->imageCount, 3) << c.how;
        const Image* added = ImageNumber(2);
        EXPECT_EQ(added->width, c.width) << c.how;
        EXPECT_EQ(added->height, c.height) << c.how;
        EXPECT_EQ(added->bitsPerPixel, 32) << c.how;
        EXPECT_EQ(context.currentImage, 2) << c.how;
        EXPECT_EQ(context.currentLayer, 0) << c.how;
        EXPECT_EQ(context.document->modified, 1u) << c.how;
        EXPECT_EQ(Only(messages, kImageListChanged).size(), 1u) << c.how;
        const auto news = Only(messages, kUndoNewRing);
        ASSERT_EQ(news.size(), c.recordsUndo ? 1u : 0u) << c.how;
        if (c.recordsUndo) {
            EXPECT_EQ(news[0].wParam, 2u);
        }
    }
}

TEST_F(ImageListTest, CreateScrollsToTheNewCard)
{
    UseImages(std::vector<SIZE>(6, SIZE{48, 48}));
    SendMessageW(frame, kImageListNewImage, 0, 0);
    EXPECT_EQ(GetScrollPos(strip, SB_HORZ), 1);  // 7 Images, 6 on a page
    SendMessageW(frame, kImageListNewImage, 0, 0);
    EXPECT_EQ(GetScrollPos(strip, SB_HORZ), 2);
}

TEST_F(ImageListTest, ContextMenuEnabling)
{
    struct Case {
        const char* what;
        std::vector<SIZE> sizes;
        int bitsPerPixel;  // of every Image
        int x;             // right press
        std::array<bool, 7> enabled;
    };
    const Case cases[] = {
        {"empty area after the last card", {{48, 48}, {48, 48}}, 32, 2 * 95 + 30, {1, 0, 0, 0, 0, 0, 0}},
        {"the only Image, 48 x 48 32-bit", {{48, 48}}, 32, 40, {1, 1, 0, 1, 1, 1, 1}},
        {"a 64 x 48 Image", {{48, 48}, {64, 48}}, 32, 140, {1, 1, 1, 1, 1, 1, 0}},
        {"a 24-bit 48 x 48 Image", {{48, 48}, {48, 48}}, 24, 140, {1, 1, 1, 1, 1, 1, 0}},
    };
    const wchar_t* texts[7] = {L"Create New Image",     L"Duplicate This Image",
                               L"Delete This Image",    L"Image Properties",
                               L"Animated Cursor Properties", L"Export This Image",
                               L"Create Standard Formats"};
    const UINT ids[7] = {32778, 32779, 32780, 32781, 32789, 32784, 32785};
    for (const Case& c : cases) {
        UseImages(c.sizes);
        for (Image* image : Order())
            image->bitsPerPixel = uint8_t(c.bitsPerPixel);
        const MenuSnapshot menu = RightClick(strip, c.x);
        ASSERT_TRUE(menu.seen) << c.what;
        EXPECT_EQ(menu.enabled, c.enabled) << c.what;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(menu.texts[i], texts[i]);
            EXPECT_EQ(menu.ids[i], ids[i]);
        }
    }
    // A right press on a card selects it, as a left press does.
    EXPECT_EQ(context.currentImage, 1);
}

// A picture that cannot be made leaves the list as it was: nothing appended, nothing
// reported, nothing to undo.
TEST_F(ImageListTest, AnImageThatCannotBeMadeChangesNothing)
{
    UseImages({{48, 48}, {48, 48}}, 1);
    const std::vector<Image*> before = Order();
    MessageBoxRecorder boxes;  // whatever the document core tells the user, nobody waits
    EXPECT_EQ(CreateNewImageEx(0, 16), 0);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Order(), before);
    EXPECT_EQ(context.currentImage, 1);
    EXPECT_EQ(context.document->modified, 0u);
}

TEST(ImageListResources, HandCursorsWithTheirHotSpots)
{
    HMODULE module = GetModuleHandleW(L"imagestrip.dll");
    ASSERT_NE(module, nullptr);
    struct Case {
        int id, hotX, hotY;
    };
    const Case cases[] = {{101, 5, 1}, {102, 9, 10}};
    for (const Case& c : cases) {
        HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(c.id));
        ASSERT_NE(cursor, nullptr) << c.id;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(int(info.xHotspot), c.hotX) << c.id;
        EXPECT_EQ(int(info.yHotspot), c.hotY) << c.id;
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(mask.bmWidth, 32);
        EXPECT_EQ(mask.bmHeight, info.hbmColor ? 32 : 64);  // monochrome: AND and XOR stacked
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }
}

// A long document (every icon of a system library) is listed and chosen like a short one.
TEST_F(ImageListTest, LongDocumentScrollsAndChooses)
{
    UseImages(std::vector<SIZE>(1840, SIZE{16, 16}));
    SendMessageW(frame, kImageListSelectImage, 1839, 0);
    EXPECT_EQ(GetScrollPos(strip, SB_HORZ), 1834);
    Click(strip, 2 * 95 + 40);
    EXPECT_EQ(context.currentImage, 1836);
    for (int i = 0; i < 10; ++i)
        SendMessageW(strip, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(GetScrollPos(strip, SB_HORZ), 1824);
    Click(strip, 40);
    EXPECT_EQ(context.currentImage, 1824);
    EXPECT_EQ(CapturePrintClient(strip).at(50, 1) >> 16, 0xFFu) << "the mark on the first card";
}

// Cards are kept between paints: after scrolling either way each card still shows its own
// Image and only the current one carries the mark.
TEST_F(ImageListTest, CardsShowTheirOwnImagesAfterScrolling)
{
    UseImages(std::vector<SIZE>(12, SIZE{48, 48}));
    auto colorOf = [](int k) { return uint32_t(0xFF000000u | uint32_t(k * 20) << 16 | uint32_t(255 - k * 20)); };
    for (int k = 0; k < 12; ++k)
        Fill(ImageNumber(k), colorOf(k));
    SendMessageW(frame, kImageListSelectImage, 3, 0);  // scrolls to 3 as well
    const struct {
        UINT request;
        int times;
        int position;  // twelve Images, six cards a page: the last position is 6
    } steps[] = {{SB_LINERIGHT, 1, 4}, {SB_LINELEFT, 3, 1}, {SB_PAGERIGHT, 4, 5}, {SB_LINERIGHT, 3, 6}, {SB_LINELEFT, 6, 0}};
    for (const auto& step : steps) {
        for (int n = 0; n < step.times; ++n)
            SendMessageW(strip, WM_HSCROLL, step.request, 0);
        ASSERT_EQ(GetScrollPos(strip, SB_HORZ), step.position);
        const Capture capture = CapturePrintClient(strip);
        for (int i = 0; i < 6; ++i) {
            const int shown = step.position + i;
            EXPECT_EQ(capture.at(i * 95 + 49, 30), colorOf(shown) & 0xFFFFFF) << "position " << step.position << " card " << i;
            EXPECT_EQ(IsRed(capture.at(i * 95 + 50, 1)), shown == 3) << "position " << step.position << " card " << i;
        }
    }
}

