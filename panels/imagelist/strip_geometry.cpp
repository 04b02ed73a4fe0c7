#include "strip_geometry.h"

#include <algorithm>

namespace {

constexpr int kCardFrameTop = 3;
constexpr int kCardFrameHeight = 55;
constexpr int kLabelTop = 61;
constexpr int kLabelStep = 15;
constexpr int kLabelHeight = 13;
constexpr int kMarkHeight = 105;
constexpr int kStandardFormatsMinSide = 48;

}  // namespace

StripLayout LayoutForWidth(int listWidth)
{
    StripLayout layout;
    layout.cardsPerPage = std::max(1, listWidth / kCardWidth);
    const int spare = listWidth - layout.cardsPerPage * kCardWidth - kStripMargin;
    layout.cardGap = std::max(0, spare / layout.cardsPerPage);
    layout.pitch = kCardWidth + layout.cardGap;
    return layout;
}

int MaxScrollPos(int imageCount, int listWidth, const StripLayout& layout)
{
    return std::max(0, imageCount - listWidth / layout.pitch);
}

int ScrollPosAround(int current, int maxScrollPos, int listWidth, const StripLayout& layout)
{
    return std::min(maxScrollPos, std::max(0, current - (listWidth / layout.pitch) / 2));
}

int CardX(int i, const StripLayout& layout) { return i * layout.pitch + kStripMargin; }

BoxI ThumbnailBox(int i, const StripLayout& layout)
{
    return {CardX(i, layout) + (layout.cardGap + 25) / 2, kThumbnailTop, kThumbnailBox,
            kThumbnailBox};
}

BoxI CardFrame(int i, const StripLayout& layout)
{
    return {CardX(i, layout), kCardFrameTop, layout.cardGap + 80, kCardFrameHeight};
}

BoxI LabelBox(int i, int row, const StripLayout& layout)
{
    return {CardX(i, layout), kLabelTop + row * kLabelStep, layout.cardGap + 80, kLabelHeight};
}

BoxI SelectionMark(int i, const StripLayout& layout)
{
    return {i * layout.pitch + 3, 1, layout.cardGap + 84, kMarkHeight};
}

ThumbnailPlacement PlaceThumbnail(int width, int height)
{
    if (width > kThumbnailBox || height > kThumbnailBox) {
        const float scale = float(kThumbnailBox) / float(std::max(width, height));
        const float drawnWidth = std::min(scale * width, float(kThumbnailBox));
        const float drawnHeight = std::min(scale * height, float(kThumbnailBox));
        const float left = std::max(0.0f, (kThumbnailBox - scale * width) / 2);
        const float top = std::max(0.0f, (kThumbnailBox - scale * height) / 2);
        return {{left, top, drawnWidth, drawnHeight}, true};
    }
    return {{float((kThumbnailBox - width) / 2), float((kThumbnailBox - height) / 2), float(width),
             float(height)},
            false};
}

int HitTest(int x, int scrollPos, const StripLayout& layout) { return x / layout.pitch + scrollPos; }

int DropTarget(int x, int scrollPos, int current, int imageCount, const StripLayout& layout)
{
    int target = x / layout.pitch + (x % layout.pitch) / (layout.pitch / 2) + scrollPos;
    if (target > current)
        target--;
    return std::clamp(target, 0, std::max(0, imageCount - 1));
}

int DraggedCardX(int pointerX, int listWidth, const StripLayout& layout)
{
    const int width = layout.cardGap + 84;
    const int right = std::max(2, listWidth - layout.cardGap - 86);
    return std::clamp(pointerX - width / 2, 2, right);
}

int InsertionLineX(int pointerX, int listWidth, const StripLayout& layout)
{
    const int boundary = pointerX / layout.pitch + (pointerX % layout.pitch) / (layout.pitch / 2);
    return std::clamp(boundary * layout.pitch + 2, 2, std::max(2, listWidth - 2));
}

int CurrentAfterDelete(int current, int imageCountBefore)
{
    const int remaining = imageCountBefore - 1;
    return current >= remaining ? std::max(0, current - 1) : current;
}

std::array<std::wstring, 4> CardLabels(const CardFacts& facts)
{
    return {std::to_wstring(facts.displayRate) + L" jif",
            L"Size: " + std::to_wstring(facts.width) + L"x" + std::to_wstring(facts.height),
            L"X:" + std::to_wstring(facts.hotspotX) + L",Y:" + std::to_wstring(facts.hotspotY),
            L"Color:" + std::to_wstring(facts.bitsPerPixel) + L"bpp"};
}

std::array<bool, kMenuPositions> ContextMenuEnabling(bool onCard, int imageCount,
                                                     const CardFacts& current)
{
    std::array<bool, kMenuPositions> enabled{};
    enabled.fill(onCard);
    enabled[kMenuCreate] = true;
    if (!onCard)
        return enabled;
    enabled[kMenuDelete] = imageCount > 1;
    enabled[kMenuStandardFormats] = current.bitsPerPixel >= 32 &&
                                    current.width >= kStandardFormatsMinSide &&
                                    current.height >= kStandardFormatsMinSide &&
                                    current.width == current.height;
    return enabled;
}
