#include "png_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kGammaOneOverTwoPointTwo = 45455;

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool TypeIs(const uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

// ---- Checksums ----------------------------------------------------------------------------

// Eight tables, so the checksum takes eight bytes a step: a large picture's chunks are
// megabytes long.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

const CrcTables& CrcTable()
{
    static const CrcTables tables = [] {
        CrcTables t{};
        for (uint32_t n = 0; n < 256; n++) {
            uint32_t c = n;
            for (int k = 0; k < 8; k++)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][n] = c;
        }
        for (size_t k = 1; k < t.size(); k++)
            for (uint32_t n = 0; n < 256; n++)
                t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
        return t;
    }();
    return tables;
}

uint32_t LittleEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint32_t Crc32(const uint8_t* data, size_t size)
{
    const CrcTables& t = CrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (; size >= 8; data += 8, size -= 8) {
        const uint32_t low = c ^ LittleEndian32(data), high = LittleEndian32(data + 4);
        c = t[7][low & 0xFF] ^ t[6][low >> 8 & 0xFF] ^ t[5][low >> 16 & 0xFF] ^ t[4][low >> 24] ^
            t[3][high & 0xFF] ^ t[2][high >> 8 & 0xFF] ^ t[1][high >> 16 & 0xFF] ^ t[0][high >> 24];
    }
    for (; size > 0; data++, size--)
        c = t[0][(c ^ *data) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const uint8_t* data, size_t size)
{
    uint32_t a = 1, b = 0;
    while (size > 0) {
        const size_t run = std::min<size_t>(size, 5552);  // no overflow before the modulo
        size_t i = 0;
        // Eight bytes a step: b gains eight times a, and each byte once for every sum it
        // joins; the sums of a step no longer wait on one another.
        for (; i + 8 <= run; i += 8) {
            const uint8_t* d = data + i;
            b += 8 * a + 8u * d[0] + 7u * d[1] + 6u * d[2] + 5u * d[3] + 4u * d[4] + 3u * d[5] + 2u * d[6] + d[7];
            a += uint32_t(d[0]) + d[1] + d[2] + d[3] + d[4] + d[5] + d[6] + d[7];
        }
        for (; i < run; i++) {
            a += data[i];
            b += a;
        }
        a %= 65521;
        b %= 65521;
        data += run;
        size -= run;
    }
    return b << 16 | a;
}

// ---- Chunks -------------------------------------------------------------------------------

struct Chunk {
    const uint8_t* type;
    const uint8_t* data;
    uint32_t length;
};

// Walks the chunks after the signature; false once they run past the end.
template <typename Visit>
bool ForEachChunk(const uint8_t* png, size_t size, Visit visit)
{
    size_t at = sizeof(kSignature);
    while (at < size) {
        if (size - at < 12)
            return false;
        const uint32_t length = BigEndian32(png + at);
        if (length > size - at - 12)
            return false;
        if (!visit(Chunk{png + at + 4, png + at + 8, length}))
            return true;
        at += 12 + size_t(length);
    }
    return false;  // no IEND
}

bool ChunkCrcMatches(const Chunk& chunk)
{
    return Crc32(chunk.type, size_t(chunk.length) + 4) == BigEndian32(chunk.data + chunk.length);
}

struct PngFacts {
    PngLayout layout;
    bool ended = false;
    int paletteCount = 0;
    const uint8_t* palette = nullptr;
    const uint8_t* transparency = nullptr;
    uint32_t transparencyLength = 0;
    size_t dataSize = 0;  // of all data chunks together
};

bool SupportedForm(int depth, int colorType)
{
    switch (colorType) {
    case 0:
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8;
    default: return false;
    }
}

bool ReadHeader(const Chunk& chunk, int maxSide, PngLayout* layout)
{
    if (!TypeIs(chunk.type, "IHDR") || chunk.length != 13)
        return false;
    const uint32_t width = BigEndian32(chunk.data), height = BigEndian32(chunk.data + 4);
    layout->width = int(std::min<uint32_t>(width, 0x7FFFFFFF));
    layout->height = int(std::min<uint32_t>(height, 0x7FFFFFFF));
    layout->bitDepth = chunk.data[8];
    layout->colorType = chunk.data[9];
    const bool plain = chunk.data[10] == 0 && chunk.data[11] == 0 && chunk.data[12] == 0;
    return plain && width >= 1 && height >= 1 && width <= uint32_t(maxSide) && height <= uint32_t(maxSide) &&
           SupportedForm(layout->bitDepth, layout->colorType);
}

// Everything but the pixel data: which chunks there are, in which order, what they say.
bool ReadFacts(const uint8_t* png, size_t size, int maxSide, PngFacts* facts)
{
    if (size < sizeof(kSignature) || std::memcmp(png, kSignature, sizeof(kSignature)) != 0)
        return false;
    bool ok = true, first = true, seenData = false, dataEnded = false;
    const bool walked = ForEachChunk(png, size, [&](const Chunk& chunk) {
        const bool isData = TypeIs(chunk.type, "IDAT");
        if (first) {
            ok = ReadHeader(chunk, maxSide, &facts->layout);
            first = false;
        } else if (isData) {
            ok = !dataEnded;  // the data chunks follow one another
            seenData = true;
            facts->dataSize += chunk.length;
        } else if (TypeIs(chunk.type, "IEND")) {
            facts->ended = true;
        } else if (TypeIs(chunk.type, "PLTE")) {
            ok = !seenData && !facts->palette && chunk.length % 3 == 0 && chunk.length >= 3 && chunk.length <= 768;
            facts->palette = chunk.data;
            facts->paletteCount = int(chunk.length / 3);
        } else if (TypeIs(chunk.type, "tRNS")) {
            ok = !seenData && !facts->transparency;
            facts->transparency = chunk.data;
            facts->transparencyLength = chunk.length;
        } else if (TypeIs(chunk.type, "gAMA")) {
            ok = chunk.length == 4 && BigEndian32(chunk.data) == kGammaOneOverTwoPointTwo;
        } else if (TypeIs(chunk.type, "iCCP") || !(chunk.type[0] & 0x20)) {
            ok = false;  // colour profiles and unknown critical chunks go to the system decoder
        }
        dataEnded = seenData && !isData;
        ok = ok && ChunkCrcMatches(chunk);
        return ok && !facts->ended;
    });
    if (!walked || !ok || !facts->ended || !seenData)
        return false;
    const int type = facts->layout.colorType;
    if (type == 3 && (!facts->palette || facts->paletteCount > (1 << facts->layout.bitDepth)))
        return false;
    if (facts->transparency) {
        const uint32_t n = facts->transparencyLength;
        if ((type == 0 && n != 2) || (type == 2 && n != 6) || (type == 3 && (n == 0 || int(n) > facts->paletteCount)) ||
            type == 4 || type == 6)
            return false;
    }
    return true;
}

// ---- Inflate ------------------------------------------------------------------------------

constexpr int kMaxCodeBits = 15;
constexpr int kFastBits = 10;

struct Huffman {
    uint16_t counts[kMaxCodeBits + 1];
    uint16_t symbols[288];
    uint16_t fast[1 << kFastBits];  // length << 9 | symbol, 0 when the code is longer
};

// Canonical codes from their lengths; false for an over-subscribed set.
bool BuildHuffman(Huffman* h, const uint8_t* lengths, int n)
{
    std::memset(h->counts, 0, sizeof(h->counts));
    std::memset(h->fast, 0, sizeof(h->fast));
    for (int i = 0; i < n; i++)
        h->counts[lengths[i]]++;
    int left = 1;
    for (int len = 1; len <= kMaxCodeBits; len++) {
        left = left * 2 - h->counts[len];
        if (left < 0)
            return false;
    }
    uint16_t offsets[kMaxCodeBits + 2] = {};
    for (int len = 1; len <= kMaxCodeBits; len++)
        offsets[len + 1] = uint16_t(offsets[len] + h->counts[len]);
    for (int i = 0; i < n; i++)
        if (lengths[i])
            h->symbols[offsets[lengths[i]]++] = uint16_t(i);
    // Fast table: codes of up to kFastBits bits, indexed by their bits as they arrive.
    int code = 0, index = 0;
    for (int len = 1; len <= kFastBits; len++) {
        for (int k = 0; k < h->counts[len]; k++, code++, index++) {
            int reversed = 0;
            for (int b = 0; b < len; b++)
                reversed |= ((code >> b) & 1) << (len - 1 - b);
            for (int fill = reversed; fill < (1 << kFastBits); fill += 1 << len)
                h->fast[fill] = uint16_t(len << 9 | h->symbols[index]);
        }
        code <<= 1;
    }
    return true;
}

struct BitReader {
    const uint8_t* next;
    const uint8_t* end;
    uint64_t bits = 0;
    int count = 0;
    bool failed = false;

    void Refill()
    {
        if (end - next >= 8) {  // whole bytes up to 56 bits at once
            uint64_t word = 0;
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(&word, next, 8);  // one load instead of eight
            } else {
                for (int i = 7; i >= 0; i--)
                    word = word << 8 | next[i];
            }
            bits |= word << count;
            next += (63 - count) >> 3;
            count |= 56;
            return;
        }
        while (count <= 56 && next < end) {
            bits |= uint64_t(*next++) << count;
            count += 8;
        }
    }
    uint32_t Take(int n)
    {
        if (count < n)
            Refill();
        if (count < n) {
            failed = true;
            return 0;
        }
        const uint32_t value = uint32_t(bits & ((uint64_t(1) << n) - 1));
        bits >>= n;
        count -= n;
        return value;
    }
    // Kept small so the compiler inlines it into the symbol loop; the rest is apart.
    int Decode(const Huffman& h)
    {
        if (count < kMaxCodeBits)
            Refill();
        const uint16_t entry = h.fast[bits & ((1u << kFastBits) - 1)];
        const int length = entry >> 9;
        if (entry && length <= count) {
            bits >>= length;
            count -= length;
            return entry & 0x1FF;
        }
        return DecodeLong(h);
    }
    int DecodeLong(const Huffman& h)
    {
        int code = 0, first = 0, index = 0;  // longer codes, one bit at a time
        for (int len = 1; len <= kMaxCodeBits; len++) {
            code |= int(Take(1));
            if (failed)
                return -1;
            const int n = h.counts[len];
            if (code - n < first)
                return h.symbols[index + (code - first)];
            index += n;
            first = (first + n) << 1;
            code <<= 1;
        }
        failed = true;
        return -1;
    }
};

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct Inflater {
    BitReader in{nullptr, nullptr};
    uint8_t* out = nullptr;
    size_t outSize = 0;
    size_t written = 0;
    Huffman lengths, distances;

    bool Codes()
    {
        for (;;) {
            const int symbol = in.Decode(lengths);
            if (symbol < 0)
                return false;
            if (symbol < 256) {
                if (written >= outSize)
                    return false;
                out[written++] = uint8_t(symbol);
                continue;
            }
            if (symbol == 256)
                return true;
            if (symbol > 285)
                return false;
            const size_t length = kLengthBase[symbol - 257] + in.Take(kLengthExtra[symbol - 257]);
            const int d = in.Decode(distances);
            if (d < 0 || d > 29 || in.failed)
                return false;
            const size_t distance = kDistanceBase[d] + in.Take(kDistanceExtra[d]);
            if (in.failed || distance > written || length > outSize - written)
                return false;
            const uint8_t* from = out + written - distance;
            uint8_t* to = out + written;
            for (size_t i = 0; i < length; i++)  // overlapping copies repeat the run
                to[i] = from[i];
            written += length;
        }
    }

    bool Stored()
    {
        in.Take(in.count & 7);  // to the byte boundary
        const uint32_t length = in.Take(16), complement = in.Take(16);
        if (in.failed || (length ^ 0xFFFF) != complement || length > outSize - written)
            return false;
        uint32_t done = 0;
        for (; done < length && in.count > 0; done++)  // the bytes already in the bit buffer
            out[written++] = uint8_t(in.Take(8));
        const size_t rest = length - done;
        if (size_t(in.end - in.next) < rest)
            return false;
        in.bits = 0;  // a refill may have left the bytes after its count above it
        std::memcpy(out + written, in.next, rest);
        in.next += rest;
        written += rest;
        return true;
    }

    bool Fixed()
    {
        uint8_t lens[288 + 30];
        std::fill(lens, lens + 144, 8);
        std::fill(lens + 144, lens + 256, 9);
        std::fill(lens + 256, lens + 280, 7);
        std::fill(lens + 280, lens + 288, 8);
        std::fill(lens + 288, lens + 318, 5);
        return BuildHuffman(&lengths, lens, 288) && BuildHuffman(&distances, lens + 288, 30) && Codes();
    }

    bool Dynamic()
    {
        static const uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
        const int literalCount = int(in.Take(5)) + 257, distanceCount = int(in.Take(5)) + 1;
        const int codeCount = int(in.Take(4)) + 4;
        if (in.failed || literalCount > 286 || distanceCount > 30)
            return false;
        uint8_t lens[320] = {};
        for (int i = 0; i < codeCount; i++)
            lens[kOrder[i]] = uint8_t(in.Take(3));
        Huffman codeLengths;
        if (in.failed || !BuildHuffman(&codeLengths, lens, 19))
            return false;
        std::memset(lens, 0, sizeof(lens));
        for (int i = 0; i < literalCount + distanceCount;) {
            const int symbol = in.Decode(codeLengths);
            if (symbol < 0)
                return false;
            if (symbol < 16) {
                lens[i++] = uint8_t(symbol);
                continue;
            }
            int repeat = 0;
            uint8_t value = 0;
            if (symbol == 16) {
                if (i == 0)
                    return false;
                value = lens[i - 1];
                repeat = 3 + int(in.Take(2));
            } else if (symbol == 17) {
                repeat = 3 + int(in.Take(3));
            } else {
                repeat = 11 + int(in.Take(7));
            }
            if (in.failed || i + repeat > literalCount + distanceCount)
                return false;
            std::fill(lens + i, lens + i + repeat, value);
            i += repeat;
        }
        if (lens[256] == 0)
            return false;  // no end-of-block code
        return BuildHuffman(&lengths, lens, literalCount) &&
               BuildHuffman(&distances, lens + literalCount, distanceCount) && Codes();
    }
};

// A zlib stream that inflates to exactly outSize bytes, its checksum correct.
bool Inflate(const uint8_t* data, size_t size, uint8_t* out, size_t outSize)
{
    if (size < 6 || (data[0] & 0x0F) != 8 || (data[0] >> 4) > 7 || (data[1] & 0x20) ||
        (uint32_t(data[0]) << 8 | data[1]) % 31 != 0)
        return false;
    Inflater inflater;
    inflater.in = BitReader{data + 2, data + size};
    inflater.out = out;
    inflater.outSize = outSize;
    for (bool last = false; !last;) {
        last = inflater.in.Take(1) != 0;
        const uint32_t kind = inflater.in.Take(2);
        bool ok = false;
        if (!inflater.in.failed) {
            if (kind == 0)
                ok = inflater.Stored();
            else if (kind == 1)
                ok = inflater.Fixed();
            else if (kind == 2)
                ok = inflater.Dynamic();
        }
        if (!ok || inflater.in.failed)
            return false;
    }
    if (inflater.written != outSize)
        return false;
    BitReader& in = inflater.in;
    in.Take(in.count & 7);
    uint32_t stored = 0;
    for (int i = 0; i < 4; i++)
        stored = stored << 8 | in.Take(8);
    return !in.failed && stored == Adler32(out, outSize);
}

// ---- Rows ---------------------------------------------------------------------------------

uint8_t Paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Paeth rows of whole pixels of N bytes: the left and upper-left bytes stay in registers
// instead of being read back from the row just written.
template <size_t N>
void UnpaethPixels(uint8_t* row, const uint8_t* previous, size_t length)
{
    uint8_t left[N] = {}, upperLeft[N] = {};
    for (size_t i = 0; i + N <= length; i += N)
        for (size_t k = 0; k < N; k++) {
            const uint8_t up = previous[i + k];
            left[k] = row[i + k] = uint8_t(row[i + k] + Paeth(left[k], up, upperLeft[k]));
            upperLeft[k] = up;
        }
}

// Undoes one row's filter in place; `previous` is the row above, already restored, or null
// for the first row (which filters against zeros).
bool Unfilter(int filter, uint8_t* row, const uint8_t* previous, size_t length, size_t pixelBytes)
{
    const size_t first = std::min(pixelBytes, length);
    switch (filter) {
    case 0: return true;
    case 2:
        if (previous)
            for (size_t i = 0; i < length; i++)
                row[i] = uint8_t(row[i] + previous[i]);
        return true;
    case 3:
        if (previous)
            for (size_t i = 0; i < first; i++)
                row[i] = uint8_t(row[i] + (previous[i] >> 1));
        for (size_t i = first; i < length; i++)
            row[i] = uint8_t(row[i] + ((row[i - pixelBytes] + (previous ? previous[i] : 0)) >> 1));
        return true;
    case 1:
    case 4:
        if (filter == 1 || !previous) {  // the Paeth predictor of a first row is the left byte
            for (size_t i = first; i < length; i++)
                row[i] = uint8_t(row[i] + row[i - pixelBytes]);
            return true;
        }
        if (pixelBytes == 4 && length % 4 == 0) {
            UnpaethPixels<4>(row, previous, length);
            return true;
        }
        if (pixelBytes == 3 && length % 3 == 0) {
            UnpaethPixels<3>(row, previous, length);
            return true;
        }
        for (size_t i = 0; i < first; i++)
            row[i] = uint8_t(row[i] + previous[i]);
        for (size_t i = first; i < length; i++)
            row[i] = uint8_t(row[i] + Paeth(row[i - pixelBytes], previous[i], previous[i - pixelBytes]));
        return true;
    default: return false;
    }
}

int Sample(const uint8_t* row, int x, int depth)
{
    if (depth == 8)
        return row[x];
    const int perByte = 8 / depth;
    const int shift = 8 - depth * (x % perByte + 1);
    return (row[x / perByte] >> shift) & ((1 << depth) - 1);
}

bool ConvertRow(const PngFacts& facts, const uint8_t* row, uint8_t* target)
{
    const PngLayout& l = facts.layout;
    const uint8_t* t = facts.transparency;
    const int width = l.width;
    switch (l.colorType) {
    case 6:
        for (int x = 0; x < width; x++, row += 4, target += 4) {
            target[0] = row[2];
            target[1] = row[1];
            target[2] = row[0];
            target[3] = row[3];
        }
        return true;
    case 4:
        for (int x = 0; x < width; x++, row += 2, target += 4) {
            target[0] = target[1] = target[2] = row[0];
            target[3] = row[1];
        }
        return true;
    case 2:
        for (int x = 0; x < width; x++, row += 3, target += 4) {
            target[0] = row[2];
            target[1] = row[1];
            target[2] = row[0];
            target[3] = t && !t[0] && !t[2] && !t[4] && t[1] == row[0] && t[3] == row[1] && t[5] == row[2] ? 0 : 255;
        }
        return true;
    case 0:
        for (int x = 0; x < width; x++, target += 4) {
            const int value = Sample(row, x, l.bitDepth);
            target[0] = target[1] = target[2] = uint8_t(value * 255 / ((1 << l.bitDepth) - 1));
            target[3] = t && (t[0] << 8 | t[1]) == value ? 0 : 255;
        }
        return true;
    default:
        for (int x = 0; x < width; x++, target += 4) {
            const int index = Sample(row, x, l.bitDepth);
            if (index >= facts.paletteCount)
                return false;
            const uint8_t* color = facts.palette + index * 3;
            target[0] = color[2];
            target[1] = color[1];
            target[2] = color[0];
            target[3] = t && uint32_t(index) < facts.transparencyLength ? t[index] : 255;
        }
        return true;
    }
}

int SamplesPerPixel(int colorType)
{
    return colorType == 6 ? 4 : colorType == 2 ? 3 : colorType == 4 ? 2 : 1;
}

size_t RowBytes(const PngLayout& l)
{
    return (size_t(l.width) * SamplesPerPixel(l.colorType) * l.bitDepth + 7) / 8;
}

// The filtered rows, each with its filter byte.
size_t RowsSize(const PngLayout& l)
{
    return (RowBytes(l) + 1) * size_t(l.height);
}

// Deflate expands at most 1032 times: a header promising more rows than its data can hold
// must not make anyone set aside the memory for them.
bool RowsCanFit(const PngLayout& l, size_t dataSize)
{
    return RowsSize(l) / 1032 <= dataSize + 16;
}

}  // namespace

bool ReadPngLayout(const uint8_t* data, size_t size, int maxSide, PngLayout* layout)
{
    if (!data || size < sizeof(kSignature) + 12 + 13 || std::memcmp(data, kSignature, sizeof(kSignature)) != 0)
        return false;
    const uint8_t* header = data + sizeof(kSignature);
    return BigEndian32(header) == 13 && ReadHeader(Chunk{header + 4, header + 8, 13}, maxSide, layout) &&
           RowsCanFit(*layout, size);
}

bool DecodePngInto(const uint8_t* data, size_t size, const PixelView& target, std::vector<uint8_t>* scratch)
{
    PngFacts facts;
    if (!data || !ReadFacts(data, size, std::max(target.width, target.height), &facts) ||
        facts.layout.width != target.width || facts.layout.height != target.height)
        return false;
    const PngLayout& l = facts.layout;
    // The filtered rows first, then the compressed stream joined from its chunks.
    const size_t rowBytes = RowBytes(l);
    const size_t pixelBytes = std::max<size_t>(1, size_t(SamplesPerPixel(l.colorType)) * l.bitDepth / 8);
    const size_t rowsSize = RowsSize(l);
    if (!RowsCanFit(l, facts.dataSize))
        return false;
    scratch->resize(rowsSize);
    ForEachChunk(data, size, [&](const Chunk& chunk) {
        if (TypeIs(chunk.type, "IDAT"))
            scratch->insert(scratch->end(), chunk.data, chunk.data + chunk.length);
        return !TypeIs(chunk.type, "IEND");
    });
    uint8_t* rows = scratch->data();
    if (!Inflate(rows + rowsSize, scratch->size() - rowsSize, rows, rowsSize))
        return false;
    const uint8_t* previous = nullptr;
    for (int y = 0; y < l.height; y++) {
        uint8_t* line = rows + size_t(y) * (rowBytes + 1);
        if (!Unfilter(line[0], line + 1, previous, rowBytes, pixelBytes) || !ConvertRow(facts, line + 1, target.Row(y)))
            return false;
        previous = line + 1;
    }
    return true;
}
