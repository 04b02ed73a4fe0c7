// Memory for bitmap pixels, kept for reuse once a bitmap is freed. Touching fresh pages is
// slow (each first touch of a page is a fault, and under a virtual machine a costly one),
// while documents, undo steps and filter results come and go in the same few sizes all day.
#pragma once

#include <cstddef>
#include <cstdint>

// The most freed memory one module keeps for reuse. A library document of some 1,800 images
// holds about 110 MB of pixels.
constexpr size_t kKeptPixelBytes = size_t(128) << 20;

// `bytes` of pixel memory, all zero when `zeroed` (otherwise whatever it held before), or
// null when it cannot be had. A block freed earlier of exactly this size is used again.
uint8_t* TakePixelMemory(size_t bytes, bool zeroed);

// Gives back a block from TakePixelMemory with the size it was taken with; it is kept for
// the next taker while the kept total stays within kKeptPixelBytes, and freed otherwise.
void GivePixelMemory(uint8_t* pixels, size_t bytes);
