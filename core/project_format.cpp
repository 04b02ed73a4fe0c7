#include "project_format.h"

#include <cstring>

#include "byte_io.h"

namespace {

constexpr uint8_t kMagic[4] = {'F', 'I', 'C', '1'};
constexpr size_t kPointSize = 8;

bool ReadUnits(ByteReader& reader, uint16_t* units, size_t count)
{
    for (size_t i = 0; i < count; i++)
        if (!reader.U16(&units[i]))
            return false;
    return true;
}

bool ReadHeader(ByteReader& reader, ProjectHeader* header)
{
    return ReadUnits(reader, header->fileName, kProjectNameUnits) && reader.U8(&header->fileKind) &&
           reader.U16(&header->imageCount) && reader.U32(&header->defaultRate) &&
           ReadUnits(reader, header->title, kProjectTextUnits) &&
           ReadUnits(reader, header->creator, kProjectTextUnits);
}

bool ReadImageFields(ByteReader& reader, ProjectImageFields* fields)
{
    uint16_t hotspotX = 0, hotspotY = 0;
    const bool read = reader.U32(&fields->visibleLayers) && reader.U16(&hotspotX) && reader.U16(&hotspotY) &&
                      reader.U8(&fields->bitsPerPixel) && reader.U16(&fields->height) &&
                      reader.U16(&fields->width) && reader.U32(&fields->displayRate) &&
                      reader.U8(&fields->layerCount);
    fields->hotspotX = int16_t(hotspotX);
    fields->hotspotY = int16_t(hotspotY);
    return read;
}

// A pixel block must be exactly the Image's size, with rows of width * 4 bytes, all of
// them inside the file.
bool ReadPixelBlock(ByteReader& reader, const ProjectImageFields& image, PixelView* pixels)
{
    uint32_t width = 0, height = 0, stride = 0;
    if (!reader.U32(&width) || !reader.U32(&height) || !reader.U32(&stride))
        return false;
    if (width == 0 || height == 0 || width != image.width || height != image.height || stride != width * 4)
        return false;
    const size_t bytes = size_t(stride) * height;
    if (!reader.Has(bytes))
        return false;
    // The views only ever read; they share the caller's buffer rather than copy it.
    *pixels = {int(width), int(height), std::ptrdiff_t(stride), const_cast<uint8_t*>(reader.data + reader.pos)};
    return reader.Skip(bytes);
}

bool ReadOutline(ByteReader& reader, ProjectOutline* outline)
{
    uint32_t count = 0;
    if (!reader.U8(&outline->shapeKind) || !reader.U32(&count))
        return false;
    // The points, their types and the parameters must all be in the file before anything
    // is allocated for them.
    if (count > reader.Remaining() / (kPointSize + 1) ||
        !reader.Has(size_t(count) * (kPointSize + 1) + kVectorParameterSize))
        return false;
    outline->points.resize(size_t(count) * 2);
    for (float& coordinate : outline->points) {
        uint32_t bits = 0;
        reader.U32(&bits);
        std::memcpy(&coordinate, &bits, sizeof coordinate);
    }
    outline->pointTypes.resize(count);
    return reader.Bytes(outline->pointTypes.data(), count) &&
           reader.Bytes(outline->parameters, kVectorParameterSize);
}

bool ReadLayer(ByteReader& reader, const ProjectImageFields& image, ProjectLayer* layer)
{
    if (!reader.U8(&layer->type))
        return false;
    if (layer->type != 1 && !IsVectorLayerType(layer->type))
        return false;
    if (IsVectorLayerType(layer->type) && !ReadOutline(reader, &layer->outline))
        return false;
    return ReadPixelBlock(reader, image, &layer->pixels);
}

bool ReadImage(ByteReader& reader, ProjectImage* image)
{
    if (!ReadImageFields(reader, &image->fields) || image->fields.layerCount == 0 ||
        !ReadPixelBlock(reader, image->fields, &image->composite))
        return false;
    image->layers.resize(image->fields.layerCount);
    for (ProjectLayer& layer : image->layers)
        if (!ReadLayer(reader, image->fields, &layer))
            return false;
    return true;
}

void AppendUnits(ByteWriter& writer, const uint16_t* units, size_t count)
{
    for (size_t i = 0; i < count; i++)
        writer.U16(units[i]);
}

}  // namespace

bool IsVectorLayerType(uint8_t type)
{
    return type == 2 || type == 3;
}

ProjectParseResult ParseProject(const uint8_t* data, size_t size, ProjectContents* contents)
{
    ByteReader reader{data, size};
    uint8_t magic[4] = {};
    if (!reader.Bytes(magic, sizeof magic))
        return ProjectParseResult::kReadError;
    if (std::memcmp(magic, kMagic, sizeof magic) != 0)
        return ProjectParseResult::kBadMagic;
    if (!ReadHeader(reader, &contents->header))
        return ProjectParseResult::kReadError;
    for (int i = 0; i < contents->header.imageCount; i++) {
        contents->images.emplace_back();
        if (!ReadImage(reader, &contents->images.back()))
            return ProjectParseResult::kReadError;
    }
    return ProjectParseResult::kOk;
}

void AppendProjectHeader(std::vector<uint8_t>& out, const ProjectHeader& header)
{
    ByteWriter writer{out};
    writer.Bytes(kMagic, sizeof kMagic);
    AppendUnits(writer, header.fileName, kProjectNameUnits);
    writer.U8(header.fileKind);
    writer.U16(header.imageCount);
    writer.U32(header.defaultRate);
    AppendUnits(writer, header.title, kProjectTextUnits);
    AppendUnits(writer, header.creator, kProjectTextUnits);
}

void AppendProjectImageFields(std::vector<uint8_t>& out, const ProjectImageFields& fields)
{
    ByteWriter writer{out};
    writer.U32(fields.visibleLayers);
    writer.U16(uint16_t(fields.hotspotX));
    writer.U16(uint16_t(fields.hotspotY));
    writer.U8(fields.bitsPerPixel);
    writer.U16(fields.height);
    writer.U16(fields.width);
    writer.U32(fields.displayRate);
    writer.U8(fields.layerCount);
}

void AppendPixelBlock(std::vector<uint8_t>& out, const PixelView& pixels)
{
    ByteWriter writer{out};
    const size_t rowBytes = size_t(pixels.width) * 4;
    writer.U32(uint32_t(pixels.width));
    writer.U32(uint32_t(pixels.height));
    writer.U32(uint32_t(rowBytes));
    const size_t at = out.size();
    out.resize(at + rowBytes * size_t(pixels.height));
    for (int y = 0; y < pixels.height; y++)
        std::memcpy(out.data() + at + rowBytes * size_t(y), pixels.Row(y), rowBytes);
}

void AppendLayerHead(std::vector<uint8_t>& out, uint8_t type, const ProjectOutline& outline)
{
    ByteWriter writer{out};
    writer.U8(type);
    if (!IsVectorLayerType(type))
        return;
    writer.U8(outline.shapeKind);
    writer.U32(uint32_t(outline.pointTypes.size()));
    for (size_t i = 0; i < outline.pointTypes.size() * 2; i++) {
        uint32_t bits = 0;
        if (i < outline.points.size())
            std::memcpy(&bits, &outline.points[i], sizeof bits);
        writer.U32(bits);
    }
    writer.Bytes(outline.pointTypes.data(), outline.pointTypes.size());
    writer.Bytes(outline.parameters, kVectorParameterSize);
}
