// The animated cursor layout: a RIFF "ACON" file with an INFO list (title, creator), the
// "anih" header, an optional "rate" and "seq " chunk, and a "fram" list of "icon" chunks,
// each a one-image cursor file. Bytes in, plain records out, and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ico_format.h"

constexpr size_t kAniHeaderSize = 36;
constexpr uint32_t kAniIconFramesFlag = 1;
constexpr uint32_t kAniSequenceFlag = 2;

// More frames or steps than any real animation has; each step becomes an Image, so a file
// must not ask for more than this.
constexpr uint32_t kMaxAniFrames = 1024;

struct AniHeader {
    uint32_t headerSize = 0;
    uint32_t frames = 0;
    uint32_t steps = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t planes = 0;
    uint32_t defaultRate = 0;
    uint32_t flags = 0;
};

struct AniFrame {
    const uint8_t* data;
    size_t size;
};

struct AniContents {
    AniHeader header;
    std::vector<uint8_t> title;    // ANSI bytes up to the first zero
    std::vector<uint8_t> creator;  // ANSI bytes up to the first zero
    std::vector<AniFrame> frames;  // inside the parsed bytes
    std::vector<uint32_t> rates;
    std::vector<uint32_t> sequence;
    bool hasRates = false;
    bool hasSequence = false;
};

enum class AniParseResult { kOk, kReadError, kCorrupted, kNotIconFrames };

// Reads an animated cursor held in memory and checks that its counts agree. Chunks it does
// not use are skipped by their size; every chunk must lie inside the data. The frames point
// into `data`, which must outlive `contents`.
AniParseResult ParseAni(const uint8_t* data, size_t size, AniContents* contents);

// One displayed step of a parsed file: the frame it shows and for how long (jiffies).
struct AniStep {
    uint32_t frame;
    uint32_t rate;
};
std::vector<AniStep> AniSteps(const AniContents& contents);

// The first image of a frame: its block at offset 22, and the hot spot of a cursor frame
// ((0, 0) for an icon frame). False when the frame is too short to hold a block.
struct AniFrameImage {
    const uint8_t* block;
    size_t blockSize;
    int16_t hotspotX;
    int16_t hotspotY;
};
bool AniFrameImageOf(const AniFrame& frame, AniFrameImage* image);

struct AniFileContent {
    std::vector<uint8_t> title;    // ANSI bytes with their terminating zero
    std::vector<uint8_t> creator;  // ANSI bytes with their terminating zero
    uint32_t defaultRate = 0;
    std::vector<IconFileImage> frames;
    std::vector<uint32_t> rates;  // one per frame
};

// The bytes of a whole animated cursor, each frame a one-image cursor file.
std::vector<uint8_t> BuildAniFile(const AniFileContent& content);
