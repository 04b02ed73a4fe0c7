// Every filter type on pictures from 1 x 1 up, with settings in and beyond their ranges:
// the result keeps its size, the source stays as it was, and (under the sanitizers)
// nothing is read or written outside the pictures. The pictures have padded rows, so a
// filter that ignores the row stride or writes past a row end shows too.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "filter_test_support.h"
#include "filters/filter_request.h"

namespace {

constexpr uint8_t kPadding = 0xA5;

// A picture whose rows are `extra` pixels longer than its width, padding filled with kPadding.
struct PaddedPicture {
    int width, height, extra;
    std::vector<uint8_t> bytes;

    PaddedPicture(int w, int h, int e) : width(w), height(h), extra(e), bytes(size_t(w + e) * h * 4, kPadding) {}
    PixelView View() { return {width, height, std::ptrdiff_t(width + extra) * 4, bytes.data()}; }
};

PaddedPicture RandomPadded(std::mt19937& random, int width, int height)
{
    PaddedPicture picture(width, height, int(random() % 3));
    TestPixels pixels = RandomPixels(random, width, height);
    for (int y = 0; y < height; y++)
        std::memcpy(picture.View().Row(y), &pixels.argb[size_t(y) * width], size_t(width) * 4);
    return picture;
}

int RandomIn(std::mt19937& random, int low, int high) { return low + int(random() % uint32_t(high - low + 1)); }

// Settings within the dialogs' ranges most of the time, and anywhere now and then.
FilterRequest RandomRequest(std::mt19937& random, int type, const std::vector<int32_t>& kernel, const uint32_t* color,
                            int width, int height)
{
    const bool wild = random() % 4 == 0;
    auto pick = [&](int low, int high) { return wild ? int32_t(random()) : RandomIn(random, low, high); };
    FilterRequest r{};
    r.filterType = type;
    r.kernel = kernel.data();
    r.shadowColor = color;
    switch (type) {
    case kCustomFilter:
        r.word4 = RandomIn(random, -1, 7);  // the kernel holds 49 weights
        r.word5 = pick(-5, 100);
        r.word6 = pick(-255, 255);
        break;
    case kInnerShadow:
    case kDropShadow:
        r.word4 = pick(-width, width);
        r.word5 = pick(-height, height);
        r.word6 = pick(0, 100);
        r.word9 = RandomIn(random, 0, 50);
        break;
    case kBevel:
        r.word4 = pick(0, 255);
        r.word5 = pick(0, 255);
        r.word6 = wild ? RandomIn(random, -1, 9) : RandomIn(random, 1, 8);
        r.word10 = wild ? RandomIn(random, 0, 9) : 3 + 2 * RandomIn(random, 0, 2);
        r.word11 = int32_t(random());
        r.word12 = int32_t(random());
        break;
    case kBorderize:
        r.word4 = wild ? RandomIn(random, -1, 11) : 3 + 2 * RandomIn(random, 0, 3);
        r.word11 = int32_t(random());
        break;
    case kHeavyBlur:
        r.word9 = wild ? RandomIn(random, -3, 80) : RandomIn(random, 0, 50);
        break;
    default:
        r.word4 = pick(-255, 255);
        r.word5 = pick(-100, 100);
        r.word6 = pick(-100, 100);
        break;
    }
    return r;
}

void CheckPadding(const PaddedPicture& picture, const char* what, int type)
{
    for (int y = 0; y < picture.height; y++)
        for (int i = picture.width * 4; i < (picture.width + picture.extra) * 4; i++)
            ASSERT_EQ(picture.bytes[size_t(y) * (picture.width + picture.extra) * 4 + i], kPadding)
                << what << " padding touched by type " << type;
}

}  // namespace

TEST(EveryFilter, AnySizeAndSettingKeepsSourceAndBounds)
{
    std::mt19937 random(2024);
    std::vector<int32_t> kernel(49);
    for (int32_t& weight : kernel)
        weight = int32_t(random() % 41) - 20;
    const uint32_t shadowColor = 0x80336699;
    const int fixedSizes[][2] = {{1, 1}, {1, 2}, {2, 1}, {1, 300}, {300, 1}, {300, 300}};
    for (int type = kCustomFilter; type <= kBorderize; type++) {
        if (!IsFilterType(type))
            continue;
        for (int round = 0; round < 9; round++) {
            const int width = round < 6 ? fixedSizes[round][0] : RandomIn(random, 1, 120);
            const int height = round < 6 ? fixedSizes[round][1] : RandomIn(random, 1, 120);
            PaddedPicture source = RandomPadded(random, width, height);
            const std::vector<uint8_t> before = source.bytes;
            PaddedPicture result(width, height, int(random() % 3));
            const FilterRequest request = RandomRequest(random, type, kernel, &shadowColor, width, height);
            RunFilter(request, source.View(), result.View());
            ASSERT_EQ(source.bytes, before) << "type " << type << " changed its source at " << width << "x" << height;
            CheckPadding(result, "result", type);
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(EveryFilter, TypesWithoutAFilter)
{
    for (int type : {-1, 0, 5, 23, 1000, INT32_MIN, INT32_MAX})
        EXPECT_FALSE(IsFilterType(type)) << type;
    for (int type = 1; type <= 22; type++)
        EXPECT_EQ(IsFilterType(type), type != 5) << type;
}
