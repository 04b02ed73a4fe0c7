#include "common/pixel_memory.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

// Freed blocks by their size; shared by every thread of the module.
struct KeptBlocks {
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<size_t, std::vector<uint8_t*>> bySize;
    size_t total = 0;
};

KeptBlocks& Kept()
{
    static KeptBlocks* kept = new KeptBlocks;  // never destroyed: bitmaps may outlive static destruction
    return *kept;
}

uint8_t* TakeKeptBlock(size_t bytes)
{
    KeptBlocks& kept = Kept();
    AcquireSRWLockExclusive(&kept.lock);
    uint8_t* block = nullptr;
    auto found = kept.bySize.find(bytes);
    if (found != kept.bySize.end() && !found->second.empty()) {
        block = found->second.back();
        found->second.pop_back();
        kept.total -= bytes;
    }
    ReleaseSRWLockExclusive(&kept.lock);
    return block;
}

// False when keeping the block would pass the limit.
bool KeepBlock(uint8_t* pixels, size_t bytes)
{
    KeptBlocks& kept = Kept();
    AcquireSRWLockExclusive(&kept.lock);
    const bool keep = bytes <= kKeptPixelBytes - kept.total;
    if (keep) {
        kept.bySize[bytes].push_back(pixels);
        kept.total += bytes;
    }
    ReleaseSRWLockExclusive(&kept.lock);
    return keep;
}

}  // namespace

uint8_t* TakePixelMemory(size_t bytes, bool zeroed)
{
    if (bytes == 0)
        return nullptr;
    if (uint8_t* block = TakeKeptBlock(bytes)) {
        if (zeroed)
            std::memset(block, 0, bytes);
        return block;
    }
    return static_cast<uint8_t*>(zeroed ? std::calloc(bytes, 1) : std::malloc(bytes));
}

void GivePixelMemory(uint8_t* pixels, size_t bytes)
{
    if (pixels && !KeepBlock(pixels, bytes))
        std::free(pixels);
}
