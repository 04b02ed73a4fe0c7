// Fuzzes the filter routines: every type number (the refused ones too) on a picture of up to
// 64 x 64 pixels, with padded or bottom-up rows and settings as they come, in range or not.
// Checks what every filter promises: the source stays as it was, nothing outside the
// result's pixels is written, and every result pixel comes from the source alone (two runs
// over differently filled results agree), while a refused type writes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "filters/filter_request.h"

namespace {

constexpr int kLargestSide = 64;
constexpr int kLargestKernel = 9;
constexpr uint8_t kPadding = 0xA5;

// A picture in a buffer of its own, rows `gap` pixels longer than the picture, walked top
// down or (negative stride) bottom up.
struct Picture {
    int width, height;
    std::ptrdiff_t rowBytes;
    bool bottomUp;
    std::vector<uint8_t> bytes;

    Picture(int w, int h, int gap, bool up, uint8_t fill)
        : width(w), height(h), rowBytes(std::ptrdiff_t(w + gap) * 4), bottomUp(up), bytes(size_t(rowBytes) * h, kPadding)
    {
        for (int y = 0; y < height; y++)
            std::memset(View().Row(y), fill, size_t(width) * 4);
    }
    PixelView View()
    {
        const PixelView down{width, height, rowBytes, bytes.data()};
        return bottomUp ? FlippedView(down) : down;
    }
    // The picture's pixels, top row first, without the padding.
    std::vector<uint8_t> Pixels()
    {
        std::vector<uint8_t> pixels;
        for (int y = 0; y < height; y++)
            pixels.insert(pixels.end(), View().Row(y), View().Row(y) + size_t(width) * 4);
        return pixels;
    }
    // Whether every byte outside the picture's pixels still holds the padding.
    bool PaddingIntact()
    {
        for (int y = 0; y < height; y++) {
            const uint8_t* row = bytes.data() + size_t(rowBytes) * y;
            for (size_t i = size_t(width) * 4; i < size_t(rowBytes); i++)
                if (row[i] != kPadding)
                    return false;
        }
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    FilterRequest request{};
    request.filterType = in.ConsumeIntegralInRange<int32_t>(kCustomFilter - 1, kBorderize + 1);
    const int width = in.ConsumeIntegralInRange(1, kLargestSide);
    const int height = in.ConsumeIntegralInRange(1, kLargestSide);
    const int sourceGap = in.ConsumeIntegralInRange(0, 3), resultGap = in.ConsumeIntegralInRange(0, 3);
    const bool sourceUp = in.ConsumeBool(), resultUp = in.ConsumeBool();

    int32_t* words[] = {&request.word4, &request.word5, &request.word6, &request.word7,
                        &request.word9, &request.word10, &request.word11, &request.word12};
    for (int32_t* word : words)
        *word = in.ConsumeIntegral<int32_t>();
    const uint32_t shadowColor = in.ConsumeIntegral<uint32_t>();
    request.shadowColor = in.ConsumeBool() ? &shadowColor : nullptr;
    // The caller hands over exactly kernel size x kernel size weights.
    std::vector<int32_t> kernel;
    if (request.filterType == kCustomFilter) {
        request.word4 = in.ConsumeIntegralInRange(-1, kLargestKernel);
        if (request.word4 > 0)
            for (int i = 0; i < request.word4 * request.word4; i++)
                kernel.push_back(in.ConsumeIntegral<int32_t>());
        request.kernel = in.ConsumeBool() ? nullptr : kernel.data();
    }

    // The rest of the input is the source's pixel bytes, repeated to fill a picture larger
    // than the input (shape filters need alpha edges, not a zero tail).
    Picture source(width, height, sourceGap, sourceUp, 0);
    const std::vector<uint8_t> pixels = in.ConsumeRemainingBytes<uint8_t>();
    if (!pixels.empty())
        for (int y = 0; y < height; y++)
            for (size_t i = 0; i < size_t(width) * 4; i++)
                source.View().Row(y)[i] = pixels[(size_t(y) * width * 4 + i) % pixels.size()];
    const std::vector<uint8_t> sourceBefore = source.bytes;

    Picture first(width, height, resultGap, resultUp, 0x00), second(width, height, resultGap, resultUp, 0xFF);
    RunFilter(request, source.View(), first.View());
    RunFilter(request, source.View(), second.View());
    if (source.bytes != sourceBefore || !first.PaddingIntact() || !second.PaddingIntact())
        __builtin_trap();
    if (!IsFilterType(request.filterType)) {
        if (first.Pixels() != std::vector<uint8_t>(size_t(width) * height * 4, 0x00) ||
            second.Pixels() != std::vector<uint8_t>(size_t(width) * height * 4, 0xFF))
            __builtin_trap();
        return 0;
    }
    if (first.Pixels() != second.Pixels())
        __builtin_trap();
    return 0;
}
