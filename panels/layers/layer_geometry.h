// Row arithmetic of the layers panel, free of the platform: which layer a pointer is over,
// how far the list scrolls, where a dragged row lands. Layer index 0 is the bottom of the
// stack; the top layer is drawn in row 0.
#pragma once

#include <cstdint>

constexpr int kRowHeight = 45;
constexpr int kListWidth = 176;
constexpr int kListBufferHeight = 945;  // 21 rows

// No layer under the pointer.
constexpr int kNoLayer = -1;

// Rows a list of this height shows (at least 1, so that a tiny panel still scrolls).
int PageRows(int listHeight);

// How many rows can scroll off the top.
int MaxScrollPos(int layerCount, int listHeight);

// The buffer row of a layer and the top of that row's drawing (its base line).
int RowOfLayer(int layerCount, int layer);
int RowBaseY(int row);

// The layer under window y, or kNoLayer when the row is past the stack (or above it).
int LayerAtPointer(int layerCount, int scrollPos, int y);

// True when (x, y) of the window lies on the visibility square of its row.
bool OnVisibilitySquare(int x, int y);

// 1 when y is in the lower part of its row, else 0.
int LowerHalf(int y);

// The buffer y of the insertion line while a row is dragged.
int InsertionLineY(int layerCount, int scrollPos, int pointerY);

// The top of the dashed box that follows the pointer, in buffer coordinates.
int DragBoxTop(int scrollPos, int pointerY);

// Where a layer dragged from `current` and released at window y ends, as a list index;
// equal to `current` when the drop changes nothing.
int DropPosition(int layerCount, int scrollPos, int current, int y);

// Layers selected in the mask (its 32 bits).
int SelectedCount(uint32_t selected);

// True when the first layerCount visibility bits are not all set.
bool HasHiddenLayer(uint32_t visible, int layerCount);
