// The project file layout ("FIC1"): a fixed header, then image records with their
// composites and layer records, all as fixed-width little-endian fields without padding.
// Bytes in, plain records out, and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/pixel_view.h"

constexpr size_t kProjectHeaderSize = 1331;
constexpr size_t kProjectNameUnits = 260;
constexpr size_t kProjectTextUnits = 200;
constexpr size_t kVectorParameterSize = 56;  // brush (12 words), pen width, smoothing

struct ProjectHeader {
    uint16_t fileName[kProjectNameUnits] = {};
    uint8_t fileKind = 0;
    uint16_t imageCount = 0;
    uint32_t defaultRate = 0;
    uint16_t title[kProjectTextUnits] = {};
    uint16_t creator[kProjectTextUnits] = {};
};

struct ProjectImageFields {
    uint32_t visibleLayers = 0;
    int16_t hotspotX = 0;
    int16_t hotspotY = 0;
    uint8_t bitsPerPixel = 0;
    uint16_t height = 0;
    uint16_t width = 0;
    uint32_t displayRate = 0;
    uint8_t layerCount = 0;
};

// The outline and drawing parameters of a vector layer.
struct ProjectOutline {
    uint8_t shapeKind = 0;
    std::vector<float> points;  // x, y, x, y, ...
    std::vector<uint8_t> pointTypes;
    uint8_t parameters[kVectorParameterSize] = {};
};

struct ProjectLayer {
    uint8_t type = 0;  // 1 raster, 2 filled vector, 3 outlined vector
    ProjectOutline outline;  // types 2 and 3 only
    PixelView pixels;  // rows inside the parsed file's bytes
};

struct ProjectImage {
    ProjectImageFields fields;
    PixelView composite;  // rows inside the parsed file's bytes
    std::vector<ProjectLayer> layers;
};

struct ProjectContents {
    ProjectHeader header;
    std::vector<ProjectImage> images;
};

bool IsVectorLayerType(uint8_t type);

enum class ProjectParseResult { kOk, kBadMagic, kReadError };

// Reads a whole project file held in memory. Beyond short reads it refuses what the writer
// never produces and the document cannot hold: pixel blocks whose size or stride disagree
// with their Image, unknown layer types and Images without layers. The pixel views point
// into `data`, which must outlive `contents`.
ProjectParseResult ParseProject(const uint8_t* data, size_t size, ProjectContents* contents);

// Appenders for the writer, in file order.
void AppendProjectHeader(std::vector<uint8_t>& out, const ProjectHeader& header);
void AppendProjectImageFields(std::vector<uint8_t>& out, const ProjectImageFields& fields);
void AppendPixelBlock(std::vector<uint8_t>& out, const PixelView& pixels);
// The layer record up to its pixel block: the type, and for vector types the outline.
void AppendLayerHead(std::vector<uint8_t>& out, uint8_t type, const ProjectOutline& outline);
