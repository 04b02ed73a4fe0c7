// The project file layout: sizes of each record, parse of what the appenders write, and
// files that are short or claim more than they hold.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "core/byte_io.h"
#include "core/project_format.h"
#include "portable_pixels.h"

namespace {

struct SampleFile {
    TestPixels composite{3, 2};
    TestPixels raster{3, 2};
    TestPixels shape{3, 2};
    ProjectOutline outline;
    std::vector<uint8_t> bytes;
    size_t vectorLayerAt = 0;  // offset of the vector layer record
};

// One 3 x 2 Image with a raster layer and an outlined rectangle.
void BuildSample(SampleFile* file)
{
    for (int i = 0; i < 6; i++) {
        file->composite.argb[i] = Argb(255, i, 2 * i, 3 * i);
        file->raster.argb[i] = Argb(i * 40, 9, 8, 7);
        file->shape.argb[i] = Argb(128, 1, 2, i);
    }
    file->outline.shapeKind = 2;
    file->outline.points = {0.5f, 0.5f, 2.5f, 0.5f, 2.5f, 1.5f, 0.5f, 1.5f};
    file->outline.pointTypes = {0, 1, 1, 0x81};
    for (size_t i = 0; i < kVectorParameterSize; i++)
        file->outline.parameters[i] = uint8_t(i + 1);
    ProjectHeader header;
    const char16_t name[] = u"C:\\icons\\sample.fic";
    std::memcpy(header.fileName, name, sizeof name);
    header.fileKind = 4;
    header.imageCount = 1;
    header.defaultRate = 7;
    header.title[0] = u'T';
    header.creator[0] = u'C';
    AppendProjectHeader(file->bytes, header);
    AppendProjectImageFields(file->bytes, {0x5, -3, 4, 8, 2, 3, 12, 2});
    AppendPixelBlock(file->bytes, file->composite.View());
    AppendLayerHead(file->bytes, 1, ProjectOutline{});
    AppendPixelBlock(file->bytes, file->raster.View());
    file->vectorLayerAt = file->bytes.size();
    AppendLayerHead(file->bytes, 3, file->outline);
    AppendPixelBlock(file->bytes, file->shape.View());
}

ProjectParseResult Parse(const std::vector<uint8_t>& bytes, ProjectContents* contents = nullptr)
{
    ProjectContents local;
    return ParseProject(bytes.data(), bytes.size(), contents ? contents : &local);
}

bool SamePixels(const PixelView& a, TestPixels& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (int y = 0; y < a.height; y++)
        if (std::memcmp(a.Row(y), b.View().Row(y), size_t(a.width) * 4) != 0)
            return false;
    return true;
}

}  // namespace

TEST(ProjectFormat, RecordsHaveTheirFixedSizes)
{
    SampleFile file;
    BuildSample(&file);
    const size_t block = 12 + 3 * 2 * 4;
    EXPECT_EQ(file.vectorLayerAt, kProjectHeaderSize + 18 + block + 1 + block);
    EXPECT_EQ(file.bytes.size(), file.vectorLayerAt + (1 + 1 + 4 + 32 + 4 + 56) + block)
        << "a four-point outline adds its head before the pixel block";
    EXPECT_EQ(std::memcmp(file.bytes.data(), "FIC1", 4), 0);
    EXPECT_EQ(ReadU16(&file.bytes[4]), u'C');
    EXPECT_EQ(file.bytes[524], 4);
    EXPECT_EQ(ReadU16(&file.bytes[525]), 1);
    EXPECT_EQ(ReadU32(&file.bytes[527]), 7u);
    EXPECT_EQ(ReadU16(&file.bytes[531]), u'T');
    EXPECT_EQ(ReadU16(&file.bytes[931]), u'C');
    // Image fields: height before width.
    const uint8_t* fields = &file.bytes[kProjectHeaderSize];
    EXPECT_EQ(ReadU32(fields), 5u);
    EXPECT_EQ(int16_t(ReadU16(fields + 4)), -3);
    EXPECT_EQ(fields[8], 8);
    EXPECT_EQ(ReadU16(fields + 9), 2);
    EXPECT_EQ(ReadU16(fields + 11), 3);
    EXPECT_EQ(fields[17], 2);
    EXPECT_EQ(ReadU32(fields + 18 + 8), 12u) << "stride is width * 4";
    const uint8_t* vector = &file.bytes[file.vectorLayerAt];
    EXPECT_EQ(vector[0], 3);
    EXPECT_EQ(vector[1], 2);
    EXPECT_EQ(ReadU32(vector + 2), 4u);
    float x = 0;
    std::memcpy(&x, vector + 6 + 8, 4);
    EXPECT_EQ(x, 2.5f);
    EXPECT_EQ(vector[6 + 32 + 3], 0x81);
    EXPECT_EQ(vector[6 + 36], 1) << "parameters follow the point types";
}

TEST(ProjectFormat, ParsesWhatWasAppended)
{
    SampleFile file;
    BuildSample(&file);
    ProjectContents contents;
    ASSERT_EQ(Parse(file.bytes, &contents), ProjectParseResult::kOk);
    EXPECT_EQ(contents.header.fileName[9], u's');
    EXPECT_EQ(contents.header.defaultRate, 7u);
    ASSERT_EQ(contents.images.size(), 1u);
    const ProjectImage& image = contents.images[0];
    EXPECT_EQ(image.fields.hotspotX, -3);
    EXPECT_EQ(image.fields.hotspotY, 4);
    EXPECT_EQ(image.fields.width, 3);
    EXPECT_EQ(image.fields.height, 2);
    EXPECT_EQ(image.fields.displayRate, 12u);
    EXPECT_TRUE(SamePixels(image.composite, file.composite));
    ASSERT_EQ(image.layers.size(), 2u);
    EXPECT_EQ(image.layers[0].type, 1);
    EXPECT_TRUE(image.layers[0].outline.points.empty());
    EXPECT_TRUE(SamePixels(image.layers[0].pixels, file.raster));
    EXPECT_EQ(image.layers[1].type, 3);
    EXPECT_EQ(image.layers[1].outline.shapeKind, 2);
    EXPECT_EQ(image.layers[1].outline.points, file.outline.points);
    EXPECT_EQ(image.layers[1].outline.pointTypes, file.outline.pointTypes);
    EXPECT_EQ(std::memcmp(image.layers[1].outline.parameters, file.outline.parameters, kVectorParameterSize), 0);
    EXPECT_TRUE(SamePixels(image.layers[1].pixels, file.shape));
}

TEST(ProjectFormat, EveryShortFileIsAReadError)
{
    SampleFile file;
    BuildSample(&file);
    for (size_t length = 0; length < file.bytes.size(); length++) {
        std::vector<uint8_t> cut(file.bytes.begin(), file.bytes.begin() + length);
        ASSERT_EQ(Parse(cut), ProjectParseResult::kReadError) << "cut at " << length;
    }
    std::vector<uint8_t> wrong = file.bytes;
    wrong[3] = '2';
    EXPECT_EQ(Parse(wrong), ProjectParseResult::kBadMagic);
}

// Counts and sizes that the rest of the file does not back, or that the document cannot
// hold, are refused before anything is allocated for them.
TEST(ProjectFormat, RefusesWhatTheFileDoesNotBack)
{
    SampleFile file;
    BuildSample(&file);
    const size_t image = kProjectHeaderSize, composite = image + 18, vector = file.vectorLayerAt;
    struct Case {
        const char* name;
        size_t offset;
        int width;  // 1, 2 or 4 bytes
        uint32_t value;
    };
    const Case cases[] = {
        {"image count beyond the file", 525, 2, 60000},
        {"no layers", image + 17, 1, 0},
        {"more layers than stored", image + 17, 1, 3},
        {"composite wider than the Image", composite, 4, 4},
        {"composite taller than the Image", composite + 4, 4, 3},
        {"huge composite", composite + 4, 4, 0x40000000},
        {"stride not width * 4", composite + 8, 4, 16},
        {"empty Image", image + 9, 2, 0},
        {"unknown layer type", vector, 1, 4},
        {"layer type 0", vector, 1, 0},
        {"point count beyond the file", vector + 2, 4, 1000},
        {"point count that overflows", vector + 2, 4, 0xFFFFFFFF},
    };
    for (const Case& test : cases) {
        std::vector<uint8_t> bytes = file.bytes;
        if (test.width == 1)
            bytes[test.offset] = uint8_t(test.value);
        else if (test.width == 2)
            WriteU16(&bytes[test.offset], uint16_t(test.value));
        else
            WriteU32(&bytes[test.offset], test.value);
        EXPECT_EQ(Parse(bytes), ProjectParseResult::kReadError) << test.name;
    }
}

TEST(ProjectFormat, NoImagesIsJustTheHeader)
{
    std::vector<uint8_t> bytes;
    AppendProjectHeader(bytes, ProjectHeader{});
    EXPECT_EQ(bytes.size(), kProjectHeaderSize);
    ProjectContents contents;
    EXPECT_EQ(Parse(bytes, &contents), ProjectParseResult::kOk);
    EXPECT_TRUE(contents.images.empty());
}

TEST(ProjectFormat, SeedFilesRead)
{
    const std::string folder = std::string(VEXIL_FIXTURES) + "/fuzz/project_reader/";
    for (const char* name : {"two_images.fic", "raster_and_outline.fic"}) {
        std::ifstream in(folder + name, std::ios::binary);
        const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(file.empty()) << name;
        EXPECT_EQ(Parse(file), ProjectParseResult::kOk) << name;
    }
}
