// The row arithmetic of the layers panel, worked out by hand from the row layout: rows of
// 45 pixels, the top layer in row 0, the visibility square at x 6..22, y 5..21 of a row.
#include <gtest/gtest.h>

#include "panels/layers/layer_geometry.h"

TEST(LayerGeometry, PageAndScrollRange)
{
    struct Case {
        int layers, listHeight, page, maxScroll;
    };
    const Case cases[] = {
        {1, 276, 6, 0}, {6, 276, 6, 0}, {8, 276, 6, 2}, {20, 276, 6, 14}, {20, 900, 20, 0}, {3, 30, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layers << " layers in " << c.listHeight);
        EXPECT_EQ(PageRows(c.listHeight), c.page);
        EXPECT_EQ(MaxScrollPos(c.layers, c.listHeight), c.maxScroll);
    }
}

TEST(LayerGeometry, PointerToLayer)
{
    struct Case {
        int layers, scroll, y, layer;
    };
    const Case cases[] = {
        {3, 0, 0, 2},   {3, 0, 44, 2},  {3, 0, 45, 1},  {3, 0, 134, 0}, {3, 0, 135, kNoLayer},
        {3, 0, -1, kNoLayer}, {8, 2, 0, 5}, {8, 2, 269, 0}, {8, 2, 270, kNoLayer}, {1, 0, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << ", scroll " << c.scroll);
        EXPECT_EQ(LayerAtPointer(c.layers, c.scroll, c.y), c.layer);
    }
    EXPECT_EQ(RowOfLayer(4, 3), 0);
    EXPECT_EQ(RowOfLayer(4, 0), 3);
    EXPECT_EQ(RowBaseY(2), 91);
}

TEST(LayerGeometry, VisibilitySquare)
{
    struct Case {
        int x, y;
        bool on;
    };
    const Case cases[] = {
        {6, 5, true},   {22, 21, true}, {5, 10, false}, {23, 10, false}, {10, 4, false},
        {10, 22, false}, {10, 50, true}, {10, 49, false}, {10, 66, true}, {10, 70, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OnVisibilitySquare(c.x, c.y), c.on) << "(" << c.x << ", " << c.y << ")";
}

TEST(LayerGeometry, DragMarksAndDrop)
{
    struct Case {
        int layers, scroll, current, y;
        int line, drop;
    };
    const Case cases[] = {
        {3, 0, 2, 120, 136, 0},  // the top row released low on the bottom row goes to the bottom
        {3, 0, 2, 100, 91, 1},   // high on the bottom row: between layers 0 and 1
        {3, 0, 2, 10, 1, 2},     // on itself: nothing moves
        {3, 0, 2, 30, 46, 2},    // just below itself: nothing moves either
        {3, 0, 0, 10, 1, 2},     // the bottom row to the top
        {3, 0, 0, 200, 136, 0},  // far below the list
        {3, 0, 1, -30, 1, 2},    // above the list
        {8, 2, 5, 10, 91, 5},    // scrolled: the top visible row is layer 5 itself
        {8, 2, 0, 10, 91, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "current " << c.current << " released at y " << c.y);
        EXPECT_EQ(InsertionLineY(c.layers, c.scroll, c.y), c.line);
        EXPECT_EQ(DropPosition(c.layers, c.scroll, c.current, c.y), c.drop);
    }
    EXPECT_EQ(DragBoxTop(1, 30), 53);
    EXPECT_EQ(LowerHalf(21), 0);
    EXPECT_EQ(LowerHalf(22), 1);
    EXPECT_EQ(LowerHalf(-1), 1);
}

TEST(LayerGeometry, MaskCounts)
{
    EXPECT_EQ(SelectedCount(0), 0);
    EXPECT_EQ(SelectedCount(0b1101), 3);
    EXPECT_EQ(SelectedCount(0xFFFFFFFFu), 32);
    EXPECT_TRUE(HasHiddenLayer(0b1011, 4));
    EXPECT_FALSE(HasHiddenLayer(0b0111, 3));
    EXPECT_FALSE(HasHiddenLayer(0xFFFFFFFFu, 20));
    EXPECT_TRUE(HasHiddenLayer(0xFFFFFFFEu, 1));
}
