#include "layer_geometry.h"

#include <algorithm>

namespace {

// Floor division: pointers above the list have negative y.
int FloorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

int FloorMod(int value, int divisor)
{
    return value - FloorDiv(value, divisor) * divisor;
}

}  // namespace

int PageRows(int listHeight)
{
    return std::max(1, listHeight / kRowHeight);
}

int MaxScrollPos(int layerCount, int listHeight)
{
    return std::max(0, layerCount - PageRows(listHeight));
}

int RowOfLayer(int layerCount, int layer)
{
    return layerCount - 1 - layer;
}

int RowBaseY(int row)
{
    return kRowHeight * row + 1;
}

int LayerAtPointer(int layerCount, int scrollPos, int y)
{
    const int layer = layerCount - scrollPos - FloorDiv(y, kRowHeight) - 1;
    return (layer >= 0 && layer < layerCount) ? layer : kNoLayer;
}

bool OnVisibilitySquare(int x, int y)
{
    const int inRow = FloorMod(y, kRowHeight);
    return x > 5 && x <= 22 && inRow > 4 && inRow <= 21;
}

int LowerHalf(int y)
{
    return y >= FloorDiv(y, kRowHeight) * kRowHeight + 22 ? 1 : 0;
}

int InsertionLineY(int layerCount, int scrollPos, int pointerY)
{
    const int line = (scrollPos + FloorDiv(pointerY, kRowHeight) + LowerHalf(pointerY)) * kRowHeight + 1;
    return std::clamp(line, 1, layerCount * kRowHeight + 1);
}

int DragBoxTop(int scrollPos, int pointerY)
{
    return kRowHeight * scrollPos + pointerY - 22;
}

int DropPosition(int layerCount, int scrollPos, int current, int y)
{
    // Layers below the drop line.
    const int below = std::clamp(layerCount - scrollPos - FloorDiv(y, kRowHeight) - LowerHalf(y), 0, layerCount);
    if (below == current || below == current + 1)
        return current;
    return below > current ? below - 1 : below;
}

int SelectedCount(uint32_t selected)
{
    int count = 0;
    for (; selected; selected &= selected - 1)
        count++;
    return count;
}

bool HasHiddenLayer(uint32_t visible, int layerCount)
{
    for (int i = 0; i < layerCount && i < 32; i++)
        if (!((visible >> i) & 1u))
            return true;
    return false;
}
