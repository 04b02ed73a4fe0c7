#include "common/pixel_filters/pixel_buffer.h"

#include <mutex>
#include <vector>

namespace {

// Large blocks come back for the next picture made on any thread: the filters and the
// effects make the same few sizes over and over, and fresh pages from the system are slow
// to touch on some platforms (a fault for every 4 KB). Sanitizer builds always free, so
// that a block used after its buffer is gone is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kRecycleBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kRecycleBlocks = false;
#else
constexpr bool kRecycleBlocks = true;
#endif
#else
constexpr bool kRecycleBlocks = true;
#endif

constexpr size_t kSmallestKeptBlock = size_t(16) << 10 >> 2;  // pixels
constexpr size_t kMostKeptPixels = size_t(16) << 20 >> 2;     // for the whole process

struct KeptBlock {
    size_t capacity;
    uint32_t* pixels;
};

// One store for all threads, not a thread_local: a thread_local with a destructor is torn
// down by each pool thread as it ends, under the runtime's thread-key lock, and unloading the
// library at process exit takes that lock too. A pool thread ending just as the process
// exited left the lock held, and the exit waited for it forever. The destructor runs at
// unload and deliberately does not take the mutex.
struct KeptBlocks {
    std::mutex lock;
    std::vector<KeptBlock> blocks;  // oldest first
    size_t pixels = 0;

    ~KeptBlocks()
    {
        for (const KeptBlock& block : blocks)
            delete[] block.pixels;
    }
};

KeptBlocks gKept;

// The smallest kept block that holds `count` pixels without wasting more than half of it.
uint32_t* TakeKeptBlock(size_t count, size_t* capacity)
{
    std::lock_guard<std::mutex> hold(gKept.lock);
    size_t best = gKept.blocks.size();
    for (size_t i = 0; i < gKept.blocks.size(); i++) {
        const size_t held = gKept.blocks[i].capacity;
        if (held >= count && held / 2 <= count && (best == gKept.blocks.size() || held < gKept.blocks[best].capacity))
            best = i;
    }
    if (best == gKept.blocks.size())
        return nullptr;
    const KeptBlock block = gKept.blocks[best];
    gKept.blocks.erase(gKept.blocks.begin() + std::ptrdiff_t(best));
    gKept.pixels -= block.capacity;
    *capacity = block.capacity;
    return block.pixels;
}

}  // namespace

void ReturnPixelBlock::operator()(uint32_t* pixels) const
{
    if (!kRecycleBlocks || capacity < kSmallestKeptBlock || capacity > kMostKeptPixels) {
        delete[] pixels;
        return;
    }
    std::lock_guard<std::mutex> hold(gKept.lock);
    gKept.blocks.push_back({capacity, pixels});
    gKept.pixels += capacity;
    while (gKept.pixels > kMostKeptPixels) {
        delete[] gKept.blocks.front().pixels;
        gKept.pixels -= gKept.blocks.front().capacity;
        gKept.blocks.erase(gKept.blocks.begin());
    }
}

PixelBuffer NewScratchBuffer(int width, int height)
{
    PixelBuffer buffer;
    if (width <= 0 || height <= 0)
        return buffer;
    const size_t count = size_t(width) * size_t(height);
    size_t capacity = count;
    uint32_t* pixels = kRecycleBlocks ? TakeKeptBlock(count, &capacity) : nullptr;
    if (!pixels)
        pixels = new uint32_t[count];
    buffer.width = width;
    buffer.height = height;
    buffer.pixels = std::unique_ptr<uint32_t[], ReturnPixelBlock>(pixels, ReturnPixelBlock{capacity});
    return buffer;
}

PixelBuffer NewPixelBuffer(int width, int height)
{
    PixelBuffer buffer = NewScratchBuffer(width, height);
    if (buffer.pixels)
        std::memset(buffer.pixels.get(), 0, size_t(width) * size_t(height) * 4);
    return buffer;
}

void CopyPixels(const PixelView& from, const PixelView& to)
{
    const size_t rowBytes = size_t(from.width) * 4;
    for (int y = 0; y < from.height; y++)
        std::memcpy(to.Row(y), from.Row(y), rowBytes);
}

PixelView SubView(const PixelView& view, int x, int y, int width, int height)
{
    return {width, height, view.stride, view.At(x, y)};
}
