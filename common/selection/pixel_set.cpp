#include "pixel_set.h"

#include <algorithm>

namespace {

struct Run {
    int left;
    int right;  // exclusive
};

std::vector<Run> RowRuns(const PixelMask& mask, int y)
{
    std::vector<Run> runs;
    const uint8_t* row = mask.bits.data() + size_t(y) * size_t(mask.width);
    int x = 0;
    while (x < mask.width) {
        while (x < mask.width && !row[x])
            x++;
        const int start = x;
        while (x < mask.width && row[x])
            x++;
        if (x > start)
            runs.push_back({start, x});
    }
    return runs;
}

bool SameRuns(const std::vector<Run>& a, const std::vector<Run>& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](const Run& p, const Run& q) { return p.left == q.left && p.right == q.right; });
}

}  // namespace

std::vector<PixelRect> RectsFromMask(const PixelMask& mask)
{
    std::vector<PixelRect> rects;
    if (mask.width <= 0 || mask.height <= 0 || mask.bits.size() < size_t(mask.width) * size_t(mask.height))
        return rects;
    std::vector<Run> previous;
    size_t bandStart = 0;  // first rectangle of the band the previous row belongs to
    for (int y = 0; y < mask.height; y++) {
        std::vector<Run> runs = RowRuns(mask, y);
        if (!runs.empty() && SameRuns(runs, previous)) {
            for (size_t i = bandStart; i < rects.size(); i++)
                rects[i].bottom = y + 1;
            continue;
        }
        bandStart = rects.size();
        for (const Run& run : runs)
            rects.push_back({run.left, y, run.right, y + 1});
        previous = std::move(runs);
    }
    return rects;
}

PixelRect BoundingBox(const std::vector<PixelRect>& rects)
{
    if (rects.empty())
        return {0, 0, 0, 0};
    PixelRect box = rects.front();
    for (const PixelRect& rect : rects) {
        box.left = std::min(box.left, rect.left);
        box.top = std::min(box.top, rect.top);
        box.right = std::max(box.right, rect.right);
        box.bottom = std::max(box.bottom, rect.bottom);
    }
    return box;
}
