#include "ani_format.h"

#include <cstring>

#include "byte_io.h"

namespace {

constexpr size_t kFrameBlockOffset = kIconHeaderSize + kIconEntrySize;

bool IsId(const uint8_t* id, const char (&name)[5])
{
    return std::memcmp(id, name, 4) == 0;
}

// What the scan has seen so far.
struct AniScan {
    AniContents* contents;
    bool sawForm = false;
    bool sawList = false;
    bool sawHeader = false;
};

// Reads a chunk's size and data.
bool ReadChunkData(ByteReader& reader, const uint8_t** data, uint32_t* size)
{
    if (!reader.U32(size) || !reader.Has(*size))
        return false;
    *data = reader.data + reader.pos;
    return reader.Skip(*size);
}

// The same, then steps over the pad byte of an odd-sized chunk.
bool ReadChunk(ByteReader& reader, const uint8_t** data, uint32_t* size)
{
    if (!ReadChunkData(reader, data, size))
        return false;
    if (*size % 2)
        reader.Skip(1);
    return true;
}

// Text chunks: the bytes up to the first zero. Writers disagree on padding odd-sized
// texts, so the byte after the text is stepped over only when it is a zero; anything else
// already starts the next chunk.
bool ReadText(ByteReader& reader, std::vector<uint8_t>* text)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!ReadChunkData(reader, &data, &size))
        return false;
    const uint8_t* end = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    text->assign(data, end ? end : data + size);
    if (reader.Has(1) && reader.data[reader.pos] == 0)
        reader.Skip(1);
    return true;
}

bool ReadWords(ByteReader& reader, std::vector<uint32_t>* words)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!ReadChunk(reader, &data, &size))
        return false;
    words->resize(size / 4);
    for (size_t i = 0; i < words->size(); i++)
        (*words)[i] = ReadU32(data + 4 * i);
    return true;
}

bool ReadHeader(ByteReader& reader, AniHeader* header)
{
    uint32_t size = 0;
    if (!reader.U32(&size) || size != kAniHeaderSize)
        return false;
    uint32_t* fields[] = {&header->headerSize, &header->frames, &header->steps,
                          &header->width, &header->height, &header->bitsPerPixel,
                          &header->planes, &header->defaultRate, &header->flags};
    for (uint32_t* field : fields)
        if (!reader.U32(field))
            return false;
    return true;
}

bool ReadFrame(ByteReader& reader, AniContents* contents)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!ReadChunk(reader, &data, &size))
        return false;
    contents->frames.push_back({data, size});
    return true;
}

// One identifier of the flat scan and what follows it.
bool ReadItem(ByteReader& reader, const uint8_t* id, AniScan* scan)
{
    AniContents* contents = scan->contents;
    if (IsId(id, "ACON"))
        return scan->sawForm = true;
    if (IsId(id, "LIST"))
        return scan->sawList = reader.Skip(4);
    if (IsId(id, "INFO") || IsId(id, "fram"))
        return true;
    if (IsId(id, "INAM"))
        return ReadText(reader, &contents->title);
    if (IsId(id, "IART"))
        return ReadText(reader, &contents->creator);
    if (IsId(id, "anih"))
        return scan->sawHeader = ReadHeader(reader, &contents->header);
    if (IsId(id, "rate"))
        return contents->hasRates = ReadWords(reader, &contents->rates);
    if (IsId(id, "seq "))
        return contents->hasSequence = ReadWords(reader, &contents->sequence);
    if (IsId(id, "icon"))
        return ReadFrame(reader, contents);
    // Authoring tools add chunks of their own (software name, copyright, vendor data).
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    return ReadChunk(reader, &data, &size);
}

bool CountsAgree(const AniScan& scan)
{
    const AniContents& contents = *scan.contents;
    const AniHeader& header = contents.header;
    if (!scan.sawForm || !scan.sawList || !scan.sawHeader)
        return false;
    if (header.frames != contents.frames.size() || header.frames > kMaxAniFrames || header.steps > kMaxAniFrames)
        return false;
    if (contents.hasRates && contents.rates.size() != header.steps)
        return false;
    if (!(header.flags & kAniSequenceFlag))
        return !contents.hasRates || header.steps >= header.frames;
    if (!contents.hasSequence || contents.sequence.size() != header.steps)
        return false;
    for (uint32_t frame : contents.sequence)
        if (frame >= header.frames)
            return false;
    return true;
}

void AppendChunkHead(ByteWriter& writer, const char (&id)[5], uint32_t size)
{
    writer.Bytes(id, 4);
    writer.U32(size);
}

// Text chunks keep their zero byte and are padded to an even size.
std::vector<uint8_t> PaddedText(const std::vector<uint8_t>& text)
{
    std::vector<uint8_t> padded = text;
    if (padded.empty() || padded.back() != 0)
        padded.push_back(0);
    if (padded.size() % 2)
        padded.push_back(0);
    return padded;
}

}  // namespace

AniParseResult ParseAni(const uint8_t* data, size_t size, AniContents* contents)
{
    ByteReader reader{data, size};
    uint8_t riff[4] = {};
    // The RIFF size is not trusted: writers disagree on it, and the chunks carry their own.
    if (!reader.Bytes(riff, 4) || !IsId(riff, "RIFF") || !reader.Skip(4))
        return AniParseResult::kReadError;
    AniScan scan{contents};
    while (reader.Remaining() > 0) {
        uint8_t id[4] = {};
        if (!reader.Bytes(id, 4) || !ReadItem(reader, id, &scan))
            return AniParseResult::kReadError;
        if (contents->frames.size() > kMaxAniFrames)
            return AniParseResult::kCorrupted;
    }
    if (!CountsAgree(scan))
        return AniParseResult::kCorrupted;
    if (!(contents->header.flags & kAniIconFramesFlag))
        return AniParseResult::kNotIconFrames;
    return AniParseResult::kOk;
}

std::vector<AniStep> AniSteps(const AniContents& contents)
{
    const AniHeader& header = contents.header;
    const bool sequenced = (header.flags & kAniSequenceFlag) != 0;
    const size_t count = sequenced ? header.steps : header.frames;
    std::vector<AniStep> steps;
    for (size_t i = 0; i < count; i++) {
        const uint32_t frame = sequenced ? contents.sequence[i] : uint32_t(i);
        steps.push_back({frame, contents.hasRates ? contents.rates[i] : header.defaultRate});
    }
    return steps;
}

bool AniFrameImageOf(const AniFrame& frame, AniFrameImage* image)
{
    if (frame.size <= kFrameBlockOffset)
        return false;
    image->block = frame.data + kFrameBlockOffset;
    image->blockSize = frame.size - kFrameBlockOffset;
    const bool cursor = ReadU16(frame.data + 2) == kCursorFileType;
    image->hotspotX = cursor ? int16_t(ReadU16(frame.data + 10)) : 0;
    image->hotspotY = cursor ? int16_t(ReadU16(frame.data + 12)) : 0;
    return true;
}

std::vector<uint8_t> BuildAniFile(const AniFileContent& content)
{
    const std::vector<uint8_t> title = PaddedText(content.title), creator = PaddedText(content.creator);
    std::vector<std::vector<uint8_t>> frames;
    uint32_t framesSize = 4;
    for (const IconFileImage& image : content.frames) {
        frames.push_back(BuildIconFile(kCursorFileType, {image}));
        framesSize += uint32_t(frames.back().size() + 8);
    }
    const uint32_t count = uint32_t(content.frames.size());
    std::vector<uint8_t> file;
    ByteWriter writer{file};
    AppendChunkHead(writer, "RIFF", 0);  // filled in below
    writer.Bytes("ACON", 4);
    AppendChunkHead(writer, "LIST", uint32_t(20 + title.size() + creator.size()));
    writer.Bytes("INFO", 4);
    AppendChunkHead(writer, "INAM", uint32_t(title.size()));
    writer.Bytes(title.data(), title.size());
    AppendChunkHead(writer, "IART", uint32_t(creator.size()));
    writer.Bytes(creator.data(), creator.size());
    AppendChunkHead(writer, "anih", kAniHeaderSize);
    for (uint32_t field : {uint32_t(kAniHeaderSize), count, count, 0u, 0u, 0u, 0u, content.defaultRate, kAniIconFramesFlag})
        writer.U32(field);
    AppendChunkHead(writer, "rate", 4 * count);
    for (uint32_t i = 0; i < count; i++)
        writer.U32(i < content.rates.size() ? content.rates[i] : content.defaultRate);
    AppendChunkHead(writer, "LIST", framesSize);
    writer.Bytes("fram", 4);
    for (const std::vector<uint8_t>& frame : frames) {
        AppendChunkHead(writer, "icon", uint32_t(frame.size()));
        writer.Bytes(frame.data(), frame.size());
    }
    WriteU32(&file[4], uint32_t(file.size() - 8));
    return file;
}
