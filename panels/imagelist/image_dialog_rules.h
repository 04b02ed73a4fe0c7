// The arithmetic of the dialogs the image list opens: where a picture sits in a preview box,
// the hot spot a click in it picks, the corrections of the size and hot spot edits, the
// depth list's items, the Standard Formats grid and the order of the Images it makes.
// Free of Win32 so that it is tested natively as well.
#pragma once

#include <array>
#include <string>

struct PreviewPlace {
    float left, top, width, height;  // the drawn picture inside the box
};

// A w x h picture in a W x H box: 1:1 and centered when it fits, otherwise scaled by
// min(W, H) / max(w, h) and made `shrink` pixels smaller (2 in Image Properties, 0 in the
// animated preview), centered, never left of or above the box.
PreviewPlace PlacePreview(int boxWidth, int boxHeight, int w, int h, float shrink);

struct HotSpot {
    int x, y;
};

// The hot spot a click at (x, y) of the preview box picks for a w x h picture placed at
// `place`; false when the click misses the picture. The result lies inside 0..w-1, 0..h-1.
bool HotSpotFromClick(const PreviewPlace& place, int w, int h, int x, int y, HotSpot* spot);

// Reads a number edit's text: digits only, at most four of them taken. False otherwise.
bool ParseEditNumber(const std::wstring& text, int* value);

// The width or height edit while the user types: the text it must be given instead, or
// empty when it stays. Not a number gives "48"; above 256 gives "256".
std::wstring CorrectTypedSize(const std::wstring& text);
// ... and when it loses the focus: 0..15 gives "16", above 256 "256".
std::wstring CorrectLeftSize(const std::wstring& text);

// The hot spot a user may keep for an Image `size` pixels wide (or high): 0..size-1.
int ClampHotSpot(int value, int size);
// The size OK accepts: 16..256.
int ClampImageSize(int value);

// The depth list: items "32", "24", "8", "4", "1".
int DepthOfItem(int item);   // 32 for anything outside 0..4
int ItemOfDepth(int depth);  // 0 for anything else

// Standard Formats.
constexpr int kStandardSizes[4] = {48, 32, 24, 16};  // the grid's columns
constexpr int kStandardDepths[4] = {32, 24, 8, 4};   // the grid's rows
constexpr int kStandardFormatCount = 16;

struct GridCell {
    int x, y;  // the picture's top-left corner
};
// Where the picture of column j, row r sits in a W x H preview.
GridCell StandardFormatCell(int boxWidth, int boxHeight, int column, int row);
int StandardColumnX(int boxWidth, int column);
int StandardRowY(int boxHeight, int row);

struct StandardFormat {
    int size, depth;
};
// The sixteen new Images in the order they follow the source: 16, 24, 32, 48 at 4 bits,
// then at 8, 24 and 32 bits.
std::array<StandardFormat, kStandardFormatCount> StandardFormatOrder();

// Whether Standard Formats can start from an Image: 32 bits, square, at least 48 wide.
bool StandardFormatsAvailable(int bitsPerPixel, int width, int height);

// The animated preview's wait after showing an Image of `rate` jiffies, in milliseconds.
unsigned FrameMilliseconds(unsigned rate);
// The wait added at the end of a round whose frames waited `roundMilliseconds` in all: one
// jiffy when they waited nothing, so that a round of rate-0 Images does not spin.
unsigned RoundRestMilliseconds(unsigned roundMilliseconds);
