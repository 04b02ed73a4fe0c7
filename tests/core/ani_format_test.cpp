// The animated cursor layout: what the writer produces, and how the reader takes files
// from other tools, odd chunks and broken counts.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "core/ani_format.h"
#include "core/byte_io.h"
#include "portable_pixels.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Word(uint32_t value)
{
    Bytes bytes(4);
    WriteU32(bytes.data(), value);
    return bytes;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Id(const char* id)
{
    return Bytes(id, id + 4);
}

// A chunk with its pad byte when the size is odd.
Bytes Chunk(const char* id, const Bytes& data)
{
    Bytes chunk = Cat({Id(id), Word(uint32_t(data.size())), data});
    if (data.size() % 2)
        chunk.push_back(0);
    return chunk;
}

Bytes Words(std::initializer_list<uint32_t> values)
{
    Bytes bytes;
    for (uint32_t value : values)
        bytes = Cat({bytes, Word(value)});
    return bytes;
}

Bytes Header(uint32_t frames, uint32_t steps, uint32_t flags)
{
    return Chunk("anih", Words({36, frames, steps, 0, 0, 0, 0, 6, flags}));
}

// A one-image cursor file of a 2 x 2 picture filled with `color`.
Bytes Frame(uint32_t color, int hotspot)
{
    TestPixels pixels(2, 2, color);
    return BuildIconFile(kCursorFileType, {{pixels.View(), 32, hotspot, hotspot + 1}});
}

Bytes Frames(int count)
{
    Bytes list = Id("fram");
    for (int i = 0; i < count; i++)
        list = Cat({list, Chunk("icon", Frame(0xFF000000u | uint32_t(i), i))});
    return Cat({Id("LIST"), Word(uint32_t(list.size())), list});
}

Bytes Riff(const Bytes& body)
{
    return Cat({Id("RIFF"), Word(uint32_t(body.size() + 4)), Id("ACON"), body});
}

AniParseResult Parse(const Bytes& bytes, AniContents* contents = nullptr)
{
    AniContents local;
    return ParseAni(bytes.data(), bytes.size(), contents ? contents : &local);
}

std::string Text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(AniFormat, WriterLayout)
{
    TestPixels small(4, 4, 0x80FF0000u), large(8, 8, 0xFF00FF00u);
    AniFileContent content;
    content.title = {'a', 'b', 'c', 0};
    content.creator = {'w', 'x', 'y', 'z', 0};
    content.defaultRate = 11;
    content.frames = {{small.View(), 32, 1, 2}, {large.View(), 4, 7, 6}};
    content.rates = {3, 20};
    const Bytes file = BuildAniFile(content);
    const uint32_t smallFrame = 22 + IconBlockSize(4, 4, 32), largeFrame = 22 + IconBlockSize(8, 8, 4);
    ASSERT_EQ(file.size(), 12 + 8 + 4 + (8 + 4) + (8 + 6) + (8 + 36) + (8 + 8) + 12 + (8 + smallFrame) + (8 + largeFrame));
    EXPECT_EQ(Text(Bytes(file.begin(), file.begin() + 4)), "RIFF");
    EXPECT_EQ(ReadU32(&file[4]), file.size() - 8);
    EXPECT_EQ(Text(Bytes(file.begin() + 8, file.begin() + 24)), std::string("ACONLIST") + std::string("\x1e\0\0\0", 4) + "INFO");
    EXPECT_EQ(ReadU32(&file[28]), 4u) << "three characters and the zero";
    EXPECT_EQ(ReadU32(&file[40]), 6u) << "four characters, the zero and one pad byte";
    EXPECT_EQ(Text(Bytes(file.begin() + 36, file.begin() + 40)), "IART");
    const size_t anih = 50;
    EXPECT_EQ(Text(Bytes(file.begin() + anih, file.begin() + anih + 4)), "anih");
    const uint32_t expected[] = {36, 36, 2, 2, 0, 0, 0, 0, 11, 1};
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(ReadU32(&file[anih + 4 + 4 * i]), expected[i]) << "anih word " << i;
    const size_t rate = anih + 44;
    EXPECT_EQ(Text(Bytes(file.begin() + rate, file.begin() + rate + 4)), "rate");
    EXPECT_EQ(ReadU32(&file[rate + 4]), 8u);
    EXPECT_EQ(ReadU32(&file[rate + 8]), 3u);
    EXPECT_EQ(ReadU32(&file[rate + 12]), 20u);
    const size_t list = rate + 16;
    EXPECT_EQ(ReadU32(&file[list + 4]), 4 + smallFrame + 8 + largeFrame + 8);
    const size_t icon = list + 12;
    EXPECT_EQ(Text(Bytes(file.begin() + icon, file.begin() + icon + 4)), "icon");
    EXPECT_EQ(ReadU32(&file[icon + 4]), smallFrame);
    const uint8_t cursorHead[] = {0, 0, 2, 0, 1, 0, 4, 4, 0, 0, 1, 0, 2, 0};
    EXPECT_EQ(std::memcmp(&file[icon + 8], cursorHead, sizeof cursorHead), 0);
    EXPECT_EQ(ReadU32(&file[icon + 8 + 18]), 22u) << "the block follows the one entry";
}

TEST(AniFormat, ReadsWhatItWrites)
{
    TestPixels first(2, 2, 0xFF112233u), second(2, 2, 0xFF445566u);
    AniFileContent content;
    content.title = {'T', 0};
    content.creator = {'C', 'r', 0};
    content.defaultRate = 4;
    content.frames = {{first.View(), 32, 1, 0}, {second.View(), 32, 0, 1}};
    content.rates = {9, 10};
    const Bytes file = BuildAniFile(content);
    AniContents contents;
    ASSERT_EQ(Parse(file, &contents), AniParseResult::kOk);
    EXPECT_EQ(Text(contents.title), "T");
    EXPECT_EQ(Text(contents.creator), "Cr");
    EXPECT_EQ(contents.header.defaultRate, 4u);
    const std::vector<AniStep> steps = AniSteps(contents);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1].frame, 1u);
    EXPECT_EQ(steps[1].rate, 10u);
    AniFrameImage image;
    ASSERT_TRUE(AniFrameImageOf(contents.frames[0], &image));
    EXPECT_EQ(image.hotspotX, 1);
    EXPECT_EQ(image.hotspotY, 0);
    EXPECT_EQ(image.blockSize, IconBlockSize(2, 2, 32));

    for (size_t length = 0; length < file.size(); length++)
        ASSERT_NE(Parse(Bytes(file.begin(), file.begin() + length)), AniParseResult::kOk) << "cut at " << length;
}

TEST(AniFormat, SequencesPickFramesPerStep)
{
    const Bytes file = Riff(Cat({Header(2, 3, 3), Chunk("seq ", Words({0, 1, 0})), Chunk("rate", Words({5, 6, 7})),
                                 Frames(2)}));
    AniContents contents;
    ASSERT_EQ(Parse(file, &contents), AniParseResult::kOk);
    const std::vector<AniStep> steps = AniSteps(contents);
    ASSERT_EQ(steps.size(), 3u);
    const uint32_t frames[] = {0, 1, 0}, rates[] = {5, 6, 7};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(steps[i].frame, frames[i]) << "step " << i;
        EXPECT_EQ(steps[i].rate, rates[i]) << "step " << i;
    }
    // Without a rate chunk each step shows for the default rate.
    AniContents unrated;
    ASSERT_EQ(Parse(Riff(Cat({Header(2, 3, 3), Chunk("seq ", Words({1, 1, 0})), Frames(2)})), &unrated),
              AniParseResult::kOk);
    EXPECT_EQ(AniSteps(unrated)[0].rate, 6u);
}

// Files from other tools: chunks the writer does not make are stepped over by their size.
TEST(AniFormat, OpenReadingOfOtherChunks)
{
    struct Case {
        const char* name;
        Bytes file;
        const char* title;
    };
    const Bytes info = Cat({Id("INFO"), Chunk("INAM", {'a', 'b', 0}), Chunk("ISFT", {'t', 'o', 'o', 'l', 0}),
                            Chunk("ICOP", {'(', 'c', ')', 0}), Chunk("IART", {'m', 'e', 0, 0})});
    const Bytes infoList = Cat({Id("LIST"), Word(uint32_t(info.size())), info});
    Bytes wrongRiffSize = Riff(Cat({infoList, Header(1, 1, 1), Frames(1)}));
    WriteU32(&wrongRiffSize[4], 99999);
    const Case cases[] = {
        {"software and copyright in INFO, odd-sized title", Riff(Cat({infoList, Header(1, 1, 1), Frames(1)})), "ab"},
        {"a vendor chunk between header and frames",
         Riff(Cat({infoList, Header(1, 1, 1), Chunk("VNDR", {1, 2, 3}), Frames(1)})), "ab"},
        {"a RIFF size that disagrees with the file", wrongRiffSize, "ab"},
        {"no INFO list at all", Riff(Cat({Header(1, 1, 1), Frames(1)})), ""},
        {"a title without its zero",
         Riff(Cat({Id("LIST"), Word(14), Id("INFO"), Chunk("INAM", {'x', 'y'}), Header(1, 1, 1), Frames(1)})), "xy"},
    };
    for (const Case& test : cases) {
        AniContents contents;
        ASSERT_EQ(Parse(test.file, &contents), AniParseResult::kOk) << test.name;
        EXPECT_EQ(Text(contents.title), test.title) << test.name;
        EXPECT_EQ(contents.frames.size(), 1u) << test.name;
    }
}

// An odd-sized title or creator is followed by a zero pad byte only when the writer added
// one; a byte that is not zero already belongs to the next chunk.
TEST(AniFormat, OddSizedTextsWithAndWithoutPadByte)
{
    const Bytes title = {'a', 'b', 'c'}, creator = {'m', 'e', 0, 0, 'x'};
    struct Case {
        const char* name;
        Bytes info;
    } cases[] = {
        {"both padded", Cat({Chunk("INAM", title), Chunk("IART", creator)})},
        {"title unpadded",
         Cat({Id("INAM"), Word(3), title, Chunk("IART", creator)})},
        {"both unpadded",
         Cat({Id("INAM"), Word(3), title, Id("IART"), Word(5), creator})},
    };
    for (const Case& test : cases) {
        const Bytes info = Cat({Id("INFO"), test.info});
        const Bytes file = Riff(Cat({Id("LIST"), Word(uint32_t(info.size())), info, Header(1, 1, 1), Frames(1)}));
        AniContents contents;
        ASSERT_EQ(Parse(file, &contents), AniParseResult::kOk) << test.name;
        EXPECT_EQ(Text(contents.title), "abc") << test.name;
        EXPECT_EQ(Text(contents.creator), "me") << test.name;
        EXPECT_EQ(contents.frames.size(), 1u) << test.name;
    }
}

TEST(AniFormat, RefusesBrokenFiles)
{
    struct Case {
        const char* name;
        Bytes file;
        AniParseResult result;
    };
    Bytes manyFrames = Id("fram");
    for (uint32_t i = 0; i <= kMaxAniFrames; i++)
        manyFrames = Cat({manyFrames, Chunk("icon", {0, 0})});
    const Bytes tooMany = Riff(Cat({Header(kMaxAniFrames + 1, kMaxAniFrames + 1, 1), Id("LIST"),
                                    Word(uint32_t(manyFrames.size())), manyFrames}));
    const Case cases[] = {
        {"not RIFF", Cat({Id("RIFX"), Word(4), Id("ACON")}), AniParseResult::kReadError},
        {"shorter than the RIFF head", Id("RIFF"), AniParseResult::kReadError},
        {"a chunk running past the end", Riff(Cat({Header(1, 1, 1), Frames(1), Id("icon"), Word(100), Bytes(10)})),
         AniParseResult::kReadError},
        {"three stray bytes at the end", Riff(Cat({Header(1, 1, 1), Frames(1), Bytes{'a', 'b', 'c'}})),
         AniParseResult::kReadError},
        {"a header of 32 bytes", Riff(Cat({Chunk("anih", Bytes(32)), Frames(1)})), AniParseResult::kReadError},
        {"no header", Riff(Frames(1)), AniParseResult::kCorrupted},
        {"no list", Riff(Cat({Header(0, 0, 1)})), AniParseResult::kCorrupted},
        {"no ACON", Cat({Id("RIFF"), Word(0), Header(1, 1, 1), Frames(1)}), AniParseResult::kCorrupted},
        {"fewer frames than the header says", Riff(Cat({Header(3, 3, 1), Frames(2)})), AniParseResult::kCorrupted},
        {"more rates than steps", Riff(Cat({Header(2, 2, 1), Chunk("rate", Words({1, 2, 3})), Frames(2)})),
         AniParseResult::kCorrupted},
        {"fewer steps than frames, with rates",
         Riff(Cat({Header(3, 2, 1), Chunk("rate", Words({1, 2})), Frames(3)})), AniParseResult::kCorrupted},
        {"sequence flag without a sequence", Riff(Cat({Header(2, 2, 3), Frames(2)})), AniParseResult::kCorrupted},
        {"sequence shorter than the steps", Riff(Cat({Header(2, 3, 3), Chunk("seq ", Words({0, 1})), Frames(2)})),
         AniParseResult::kCorrupted},
        {"a sequence entry that names no frame",
         Riff(Cat({Header(2, 3, 3), Chunk("seq ", Words({0, 2, 1})), Frames(2)})), AniParseResult::kCorrupted},
        {"more frames than any animation has", tooMany, AniParseResult::kCorrupted},
        {"frames not in icon format", Riff(Cat({Header(1, 1, 0), Frames(1)})), AniParseResult::kNotIconFrames},
    };
    for (const Case& test : cases)
        EXPECT_EQ(Parse(test.file), test.result) << test.name;
}

TEST(AniFormat, FramesTooShortForABlock)
{
    const Bytes frame = Frame(0xFFFFFFFFu, 3);
    AniFrameImage image;
    EXPECT_FALSE(AniFrameImageOf({frame.data(), 22}, &image));
    ASSERT_TRUE(AniFrameImageOf({frame.data(), frame.size()}, &image));
    EXPECT_EQ(image.hotspotX, 3);
    EXPECT_EQ(image.hotspotY, 4);
    Bytes icon = frame;
    WriteU16(&icon[2], kIconFileType);
    ASSERT_TRUE(AniFrameImageOf({icon.data(), icon.size()}, &image));
    EXPECT_EQ(image.hotspotX, 0) << "an icon frame has no hot spot";
    EXPECT_EQ(image.hotspotY, 0);
}

// The seed files of the fuzzers are real files of both readers; they must stay readable.
TEST(AniFormat, SeedFilesRead)
{
    const std::string folder = std::string(VEXIL_FIXTURES) + "/fuzz/ani_reader/";
    for (const char* name : {"two_frames.ani", "sequenced_odd_chunks.ani"}) {
        std::ifstream in(folder + name, std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(file.empty()) << name;
        AniContents contents;
        EXPECT_EQ(Parse(file, &contents), AniParseResult::kOk) << name;
        EXPECT_EQ(AniSteps(contents).size(), 2u + (std::string(name) == "sequenced_odd_chunks.ani")) << name;
    }
}
