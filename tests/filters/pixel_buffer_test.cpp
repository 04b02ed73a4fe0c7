// Pixel buffers reuse the blocks of buffers that are gone: a new buffer must still start
// transparent, and buffers alive at the same time must never share memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/pixel_filters/pixel_buffer.h"

namespace {

void Fill(PixelBuffer& buffer, uint32_t value)
{
    std::fill(buffer.pixels.get(), buffer.pixels.get() + size_t(buffer.width) * size_t(buffer.height), value);
}

bool AllEqual(PixelBuffer& buffer, uint32_t value)
{
    const uint32_t* pixels = buffer.pixels.get();
    return std::all_of(pixels, pixels + size_t(buffer.width) * size_t(buffer.height),
                       [value](uint32_t pixel) { return pixel == value; });
}

}  // namespace

TEST(PixelBuffer, ANewBufferIsTransparentEvenInAReusedBlock)
{
    for (int round = 0; round < 3; round++) {
        PixelBuffer used = NewPixelBuffer(300, 300);
        Fill(used, 0xFFFFFFFF);
        used = PixelBuffer();
        PixelBuffer fresh = NewPixelBuffer(300, 300);
        EXPECT_TRUE(AllEqual(fresh, 0));
        PixelBuffer smaller = NewPixelBuffer(200, 300);
        EXPECT_TRUE(AllEqual(smaller, 0));
    }
}

TEST(PixelBuffer, BuffersAliveTogetherNeverShareMemory)
{
    std::vector<PixelBuffer> alive;
    for (int step = 0; step < 60; step++) {
        if (step % 3 == 2 && !alive.empty())
            alive.erase(alive.begin() + step % int(alive.size()));  // some go, their blocks come back
        const int side = 100 + (step * 37) % 300;
        alive.push_back(NewScratchBuffer(side, side / 2 + 1));
        for (size_t i = 0; i < alive.size(); i++)
            Fill(alive[i], uint32_t(i * 0x01010101u + 7));
        for (size_t i = 0; i < alive.size(); i++)
            ASSERT_TRUE(AllEqual(alive[i], uint32_t(i * 0x01010101u + 7))) << "step " << step << ", buffer " << i;
    }
}

TEST(PixelBuffer, EmptySizesGiveNoMemory)
{
    EXPECT_EQ(NewPixelBuffer(0, 10).pixels, nullptr);
    EXPECT_EQ(NewScratchBuffer(10, -1).pixels, nullptr);
}
