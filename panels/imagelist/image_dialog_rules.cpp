#include "image_dialog_rules.h"

#include <algorithm>
#include <cstdint>

PreviewPlace PlacePreview(int boxWidth, int boxHeight, int w, int h, float shrink)
{
    const float W = float(boxWidth), H = float(boxHeight);
    if (w <= 0 || h <= 0)
        return {0, 0, 0, 0};
    if (boxWidth < w || boxHeight < h) {
        const float s = std::min(W, H) / float(std::max(w, h));
        const float dw = std::max(0.0f, s * float(w) - shrink), dh = std::max(0.0f, s * float(h) - shrink);
        return {std::max(0.0f, (W - dw) / 2), std::max(0.0f, (H - dh) / 2), dw, dh};
    }
    return {std::max(0.0f, (W - float(w)) / 2), std::max(0.0f, (H - float(h)) / 2), float(w), float(h)};
}

bool HotSpotFromClick(const PreviewPlace& place, int w, int h, int x, int y, HotSpot* spot)
{
    const float fx = float(x), fy = float(y);
    if (w <= 0 || h <= 0 || place.width <= 0 || place.height <= 0)
        return false;
    if (fx < place.left || fy < place.top || fx >= place.left + place.width || fy >= place.top + place.height)
        return false;
    // (x - left) x w / drawn width, multiplied first so that whole results stay whole.
    const double scale = h < w ? double(w) : double(h), drawn = h < w ? place.width : place.height;
    const double X = w > 48 ? (fx - place.left) * scale / drawn : fx - place.left;
    const double Y = h > 48 ? (fy - place.top) * scale / drawn : fy - place.top;
    spot->x = ClampHotSpot(int(X), w);
    spot->y = ClampHotSpot(int(Y), h);
    return true;
}

bool ParseEditNumber(const std::wstring& text, int* value)
{
    if (text.empty())
        return false;
    int number = 0;
    for (size_t i = 0; i < text.size() && i < 4; ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        number = number * 10 + (text[i] - L'0');
    }
    if (text.size() > 4) {
        for (wchar_t c : text)
            if (c < L'0' || c > L'9')
                return false;
        number = 9999;  // more digits than the edit keeps: far above every limit
    }
    *value = number;
    return true;
}

std::wstring CorrectTypedSize(const std::wstring& text)
{
    int value = 0;
    if (!ParseEditNumber(text, &value))
        return L"48";
    return value > 256 ? L"256" : L"";
}

std::wstring CorrectLeftSize(const std::wstring& text)
{
    int value = 0;
    if (!ParseEditNumber(text, &value))
        return L"";
    if (value < 16)
        return L"16";
    return value > 256 ? L"256" : L"";
}

int ClampHotSpot(int value, int size) { return std::clamp(value, 0, std::max(0, size - 1)); }

int ClampImageSize(int value) { return std::clamp(value, 16, 256); }

int DepthOfItem(int item)
{
    constexpr int kDepths[5] = {32, 24, 8, 4, 1};
    return item >= 0 && item < 5 ? kDepths[item] : 32;
}

int ItemOfDepth(int depth)
{
    switch (depth) {
    case 24: return 1;
    case 8: return 2;
    case 4: return 3;
    case 1: return 4;
    default: return 0;
    }
}

int StandardColumnX(int boxWidth, int column) { return 13 + column * (boxWidth - 13) / 4; }

int StandardRowY(int boxHeight, int row) { return 13 + row * (boxHeight - 13) / 4; }

GridCell StandardFormatCell(int boxWidth, int boxHeight, int column, int row)
{
    const int n = kStandardSizes[column];
    const int x = StandardColumnX(boxWidth, column) + ((boxWidth - 13) / 4 - n) / 2;
    const int y = StandardRowY(boxHeight, row) + ((boxHeight - 13) / 4 - 48) / 2 + (48 - n) / 2;
    return {x, y};
}

std::array<StandardFormat, kStandardFormatCount> StandardFormatOrder()
{
    std::array<StandardFormat, kStandardFormatCount> order{};
    constexpr int kDepthOrder[4] = {4, 8, 24, 32};
    constexpr int kSizeOrder[4] = {16, 24, 32, 48};
    for (int d = 0; d < 4; ++d)
        for (int s = 0; s < 4; ++s)
            order[size_t(d * 4 + s)] = {kSizeOrder[s], kDepthOrder[d]};
    return order;
}

bool StandardFormatsAvailable(int bitsPerPixel, int width, int height)
{
    return bitsPerPixel == 32 && width == height && width >= 48;
}

unsigned FrameMilliseconds(unsigned rate) { return unsigned((uint64_t(rate) * 1000 + 30) / 60); }

unsigned RoundRestMilliseconds(unsigned roundMilliseconds)
{
    return roundMilliseconds == 0 ? FrameMilliseconds(1) : 0;
}
