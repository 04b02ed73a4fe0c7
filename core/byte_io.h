// Little-endian reads and writes on byte buffers whose bounds the caller has checked.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t ReadU32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
inline int32_t ReadI32(const uint8_t* p) { return int32_t(ReadU32(p)); }

inline void WriteU16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void WriteU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        p[i] = uint8_t(v >> (8 * i));
}

// Appends little-endian values to a growing byte vector.
struct ByteWriter {
    std::vector<uint8_t>& out;

    void U8(uint8_t v) { out.push_back(v); }
    void U16(uint16_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); }
    void U32(uint32_t v) { for (int i = 0; i < 4; i++) out.push_back(uint8_t(v >> (8 * i))); }
    void Bytes(const void* data, size_t size)
    {
        const size_t at = out.size();
        out.resize(at + size);
        if (size)
            std::memcpy(out.data() + at, data, size);
    }
};

// A bounds-checked cursor over untrusted bytes: every read says whether the bytes were there.
struct ByteReader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;

    size_t Remaining() const { return pos <= size ? size - pos : 0; }
    bool Has(size_t count) const { return count <= Remaining(); }
    bool Skip(size_t count)
    {
        if (!Has(count)) return false;
        pos += count;
        return true;
    }
    bool Bytes(void* out, size_t count)
    {
        if (!Has(count)) return false;
        if (count)  // an empty destination may have no address at all
            std::memcpy(out, data + pos, count);
        pos += count;
        return true;
    }
    bool U8(uint8_t* v) { return Bytes(v, 1); }
    bool U16(uint16_t* v)
    {
        if (!Has(2)) return false;
        *v = ReadU16(data + pos);
        pos += 2;
        return true;
    }
    bool U32(uint32_t* v)
    {
        if (!Has(4)) return false;
        *v = ReadU32(data + pos);
        pos += 4;
        return true;
    }
};
