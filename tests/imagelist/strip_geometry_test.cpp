// The strip's arithmetic against the numbers of the panel's description, worked by hand.
#include <gtest/gtest.h>

#include "panels/imagelist/strip_geometry.h"

TEST(StripLayout, PageOfEachWidth)
{
    struct Case {
        int listWidth, cardsPerPage, cardGap, pitch;
    };
    const Case cases[] = {
        {576, 6, 10, 95},  // the panel as created
        {800, 9, 3, 88},   // a 1024-wide main window: 1024 - 200 - 24
        {85, 1, 0, 85},    // (85 - 85 - 5) / 1 would be negative
        {40, 1, 0, 85},    // narrower than a card: still one card, never a division by zero
        {1000, 11, 5, 90},
    };
    for (const Case& c : cases) {
        const StripLayout layout = LayoutForWidth(c.listWidth);
        EXPECT_EQ(layout.cardsPerPage, c.cardsPerPage) << c.listWidth;
        EXPECT_EQ(layout.cardGap, c.cardGap) << c.listWidth;
        EXPECT_EQ(layout.pitch, c.pitch) << c.listWidth;
    }
}

TEST(StripLayout, ScrollLimits)
{
    const StripLayout layout = LayoutForWidth(576);
    struct Case {
        int imageCount, maxScrollPos;
    };
    const Case cases[] = {{8, 2}, {6, 0}, {1, 0}, {0, 0}, {1840, 1834}};
    for (const Case& c : cases)
        EXPECT_EQ(MaxScrollPos(c.imageCount, 576, layout), c.maxScrollPos) << c.imageCount;
    // After a resize or a delete the current card sits near the middle of the page.
    EXPECT_EQ(ScrollPosAround(5, 2, 576, layout), 2);
    EXPECT_EQ(ScrollPosAround(1, 2, 576, layout), 0);
    EXPECT_EQ(ScrollPosAround(100, 1834, 576, layout), 97);
}

TEST(StripLayout, CardBoxesAt576)
{
    const StripLayout layout = LayoutForWidth(576);
    struct Case {
        int i, cardX, thumbnailLeft, markX;
    };
    const Case cases[] = {{0, 5, 22, 3}, {1, 100, 117, 98}, {5, 480, 497, 478}};
    for (const Case& c : cases) {
        EXPECT_EQ(CardX(c.i, layout), c.cardX) << c.i;
        const BoxI thumbnail = ThumbnailBox(c.i, layout);
        EXPECT_EQ(thumbnail.x, c.thumbnailLeft) << c.i;
        EXPECT_EQ(thumbnail.y, 4);
        EXPECT_EQ(thumbnail.width, 55);
        const BoxI frame = CardFrame(c.i, layout);
        EXPECT_EQ(frame.x, c.cardX);
        EXPECT_EQ(frame.y, 3);
        EXPECT_EQ(frame.width, 90);
        EXPECT_EQ(frame.height, 55);
        const BoxI mark = SelectionMark(c.i, layout);
        EXPECT_EQ(mark.x, c.markX) << c.i;
        EXPECT_EQ(mark.y, 1);
        EXPECT_EQ(mark.width, 94);
        EXPECT_EQ(mark.height, 105);
    }
    const int labelTops[] = {61, 76, 91};
    for (int row = 0; row < 3; ++row) {
        const BoxI label = LabelBox(2, row, layout);
        EXPECT_EQ(label.x, 195);
        EXPECT_EQ(label.y, labelTops[row]);
        EXPECT_EQ(label.width, 90);
        EXPECT_EQ(label.height, 13);
    }
}

TEST(StripLayout, ThumbnailPlacement)
{
    struct Case {
        int width, height;
        float left, top, drawnWidth, drawnHeight;
        bool scaled;
    };
    const Case cases[] = {
        {256, 128, 0, 13.75f, 55, 27.5f, true},  // scaled by 55/256, centered vertically
        {128, 256, 13.75f, 0, 27.5f, 55, true},
        {16, 16, 19, 19, 16, 16, false},         // 1:1, centered
        {55, 55, 0, 0, 55, 55, false},
        {32, 16, 11, 19, 32, 16, false},         // (55 - 32) / 2 and (55 - 16) / 2, whole pixels
        {48, 48, 3, 3, 48, 48, false},
        {56, 56, 0, 0, 55, 55, true},
    };
    for (const Case& c : cases) {
        const ThumbnailPlacement place = PlaceThumbnail(c.width, c.height);
        EXPECT_FLOAT_EQ(place.box.x, c.left) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(place.box.y, c.top) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(place.box.width, c.drawnWidth) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(place.box.height, c.drawnHeight) << c.width << "x" << c.height;
        EXPECT_EQ(place.scaled, c.scaled) << c.width << "x" << c.height;
    }
}

TEST(StripLayout, HitTestAndDropTarget)
{
    const StripLayout layout = LayoutForWidth(576);
    EXPECT_EQ(HitTest(0, 0, layout), 0);
    EXPECT_EQ(HitTest(94, 0, layout), 0);
    EXPECT_EQ(HitTest(95, 0, layout), 1);
    EXPECT_EQ(HitTest(95, 3, layout), 4);
    struct Case {
        int x, scrollPos, current, imageCount, target;
    };
    const Case cases[] = {
        {387, 0, 1, 5, 3},   // card 1 dropped just right of the boundary between cards 3 and 4
        {100, 0, 1, 5, 1},   // on its own card, left half
        {145, 0, 1, 5, 1},   // on its own card, right half
        {10, 0, 3, 5, 0},    // to the front
        {575, 0, 0, 3, 2},   // past the last card: the end of the list
        {-40, 0, 2, 5, 0},   // left of the strip while captured
        {387, 2, 1, 9, 5},   // scrolled by two
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropTarget(c.x, c.scrollPos, c.current, c.imageCount, layout), c.target) << c.x;
}

TEST(StripLayout, DragMarks)
{
    const StripLayout layout = LayoutForWidth(576);
    struct Case {
        int pointerX, cardX, lineX;
    };
    const Case cases[] = {
        {387, 340, 382},  // the line on the boundary between cards 3 and 4
        {0, 2, 2},        // kept inside the strip on the left
        {600, 480, 572},  // and on the right: 576 - 10 - 86
        {700, 480, 574},
        {140, 93, 97},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DraggedCardX(c.pointerX, 576, layout), c.cardX) << c.pointerX;
        EXPECT_EQ(InsertionLineX(c.pointerX, 576, layout), c.lineX) << c.pointerX;
    }
}

TEST(StripLayout, CurrentAfterDelete)
{
    struct Case {
        int current, countBefore, after;
    };
    const Case cases[] = {{2, 3, 1}, {0, 3, 0}, {1, 3, 1}, {0, 2, 0}, {1, 2, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(CurrentAfterDelete(c.current, c.countBefore), c.after) << c.current;
}

TEST(CardLabels, TextsOfACard)
{
    struct Case {
        CardFacts facts;
        const wchar_t* texts[4];
    };
    const Case cases[] = {
        {{5, 48, 48, 0, 0, 32}, {L"5 jif", L"Size: 48x48", L"X:0,Y:0", L"Color:32bpp"}},
        {{0, 256, 128, 255, 7, 4}, {L"0 jif", L"Size: 256x128", L"X:255,Y:7", L"Color:4bpp"}},
        {{9999, 16, 16, -1, -3, 1}, {L"9999 jif", L"Size: 16x16", L"X:-1,Y:-3", L"Color:1bpp"}},
    };
    for (const Case& c : cases) {
        const auto labels = CardLabels(c.facts);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(labels[i], c.texts[i]);
    }
}

TEST(ContextMenu, EnablingRules)
{
    using Row = std::array<bool, kMenuPositions>;
    struct Case {
        const char* what;
        bool onCard;
        int imageCount;
        CardFacts current;
        Row enabled;  // create, duplicate, delete, properties, animated, export, formats
    };
    const Case cases[] = {
        {"empty area", false, 3, {5, 48, 48, 0, 0, 32}, {1, 0, 0, 0, 0, 0, 0}},
        {"one 48x48 32-bit Image", true, 1, {5, 48, 48, 0, 0, 32}, {1, 1, 0, 1, 1, 1, 1}},
        {"64x48", true, 2, {5, 64, 48, 0, 0, 32}, {1, 1, 1, 1, 1, 1, 0}},
        {"24-bit 48x48", true, 2, {5, 48, 48, 0, 0, 24}, {1, 1, 1, 1, 1, 1, 0}},
        {"32x32", true, 2, {5, 32, 32, 0, 0, 32}, {1, 1, 1, 1, 1, 1, 0}},
        {"256x256", true, 2, {5, 256, 256, 0, 0, 32}, {1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContextMenuEnabling(c.onCard, c.imageCount, c.current), c.enabled) << c.what;
}
