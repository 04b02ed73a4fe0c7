// The strip's arithmetic: page layout, card boxes, thumbnail placement, hit tests, drop
// targets, the drag marks, the card labels and the context menu's enabling. Free of Win32
// so that it is tested natively as well.
#pragma once

#include <array>
#include <string>

constexpr int kCardWidth = 85;       // a card's width before the page's spare width is shared out
constexpr int kThumbnailBox = 55;    // thumbnails fit a 55 x 55 box
constexpr int kThumbnailTop = 4;
constexpr int kStripMargin = 5;      // left edge of the first card
constexpr int kScrollPageDivisor = 80;

struct StripLayout {
    int cardsPerPage;
    int cardGap;  // extra width of each card beyond kCardWidth
    int pitch;    // kCardWidth + cardGap
};

// The page for a strip listWidth pixels wide. A strip narrower than one card still shows one.
StripLayout LayoutForWidth(int listWidth);

// Largest first-card index that still fills the page: max(0, imageCount - listWidth / pitch).
int MaxScrollPos(int imageCount, int listWidth, const StripLayout& layout);
// The first card after a resize or a delete: the current card near the middle of the page.
int ScrollPosAround(int current, int maxScrollPos, int listWidth, const StripLayout& layout);

struct BoxI {
    int x, y, width, height;
};
struct BoxF {
    float x, y, width, height;
};

// Boxes of the card at page position i (0 = the card of Image scrollPos).
int CardX(int i, const StripLayout& layout);
BoxI ThumbnailBox(int i, const StripLayout& layout);
BoxI CardFrame(int i, const StripLayout& layout);
BoxI LabelBox(int i, int row, const StripLayout& layout);  // rows 0..2 at y 61, 76, 91
BoxI SelectionMark(int i, const StripLayout& layout);

// Where a width x height picture lands inside its thumbnail box, relative to the box's
// top-left corner: scaled down to fit 55 x 55 when larger, else 1:1 and centered.
struct ThumbnailPlacement {
    BoxF box;
    bool scaled;
};
ThumbnailPlacement PlaceThumbnail(int width, int height);

// The Image index under strip x (may name no Image: callers compare with imageCount).
int HitTest(int x, int scrollPos, const StripLayout& layout);
// Where the current Image lands when a drag is released at x, within [0, imageCount - 1].
int DropTarget(int x, int scrollPos, int current, int imageCount, const StripLayout& layout);

// The dragged card's left edge and the insertion line's x while the pointer is at x.
int DraggedCardX(int pointerX, int listWidth, const StripLayout& layout);
int InsertionLineX(int pointerX, int listWidth, const StripLayout& layout);

// The current Image's index after deleting the Image at `current` of imageCountBefore.
int CurrentAfterDelete(int current, int imageCountBefore);

// The four card texts: rate, size, hot spot, depth.
struct CardFacts {
    int displayRate, width, height, hotspotX, hotspotY, bitsPerPixel;
};
std::array<std::wstring, 4> CardLabels(const CardFacts& facts);

// The context menu's seven positions, enabled or not, for a right press on a card
// (onCard) of a document with imageCount Images whose current Image is described by facts.
enum MenuPosition {
    kMenuCreate,
    kMenuDuplicate,
    kMenuDelete,
    kMenuProperties,
    kMenuAnimatedCursor,
    kMenuExport,
    kMenuStandardFormats,
    kMenuPositions
};
std::array<bool, kMenuPositions> ContextMenuEnabling(bool onCard, int imageCount,
                                                     const CardFacts& current);
