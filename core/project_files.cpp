// Project files (.fic): the exported loader and writer over the platform-free layout.
#include <cstring>
#include <vector>

#include "common/gdiplus_pixels.h"
#include "error_box.h"
#include "file_io.h"
#include "project_format.h"
#include "pyx.h"
#include "resource_list.h"

static_assert(sizeof(wchar_t) == sizeof(uint16_t), "the file keeps UTF-16 code units");
static_assert(sizeof(BrushSettings) + sizeof(float) + sizeof(uint32_t) == kVectorParameterSize,
              "brush, pen width and smoothing fill the parameter bytes");

namespace {

void CopyUnits(wchar_t* to, const uint16_t* from, size_t count)
{
    std::memcpy(to, from, count * sizeof(wchar_t));
    to[count - 1] = 0;  // a file without the terminator must not run our strings on
}

Resource* ResourceFromHeader(const ProjectHeader& header)
{
    Resource* resource = new Resource{};
    PYX_DoInitInternalResource(resource);
    CopyUnits(resource->fileName, header.fileName, kProjectNameUnits);
    CopyUnits(resource->title, header.title, kProjectTextUnits);
    CopyUnits(resource->creator, header.creator, kProjectTextUnits);
    resource->fileKind = header.fileKind;
    resource->defaultRate = header.defaultRate;
    return resource;
}

Path* PathFromOutline(const ProjectOutline& outline)
{
    const int count = int(outline.pointTypes.size());
    if (count == 0)
        return new Path(Gdiplus::FillModeWinding);
    std::vector<Gdiplus::PointF> points(count);
    for (int i = 0; i < count; i++)
        points[i] = {outline.points[2 * i], outline.points[2 * i + 1]};
    Path* path = new Path(points.data(), outline.pointTypes.data(), count, Gdiplus::FillModeWinding);
    if (path->GetLastStatus() != Gdiplus::Ok) {
        delete path;
        return nullptr;
    }
    return path;
}

Layer* LayerFromRecord(const ProjectLayer& record)
{
    Layer* layer = new Layer{};
    layer->type = record.type;
    layer->bitmap = BitmapFromPixels(record.pixels);
    bool complete = layer->bitmap != nullptr;
    if (IsVectorLayerType(record.type)) {
        const uint8_t* parameters = record.outline.parameters;
        layer->shapeKind = record.outline.shapeKind;
        std::memcpy(&layer->brush, parameters, sizeof layer->brush);
        std::memcpy(&layer->penWidth, parameters + 48, sizeof layer->penWidth);
        std::memcpy(&layer->smoothing, parameters + 52, sizeof layer->smoothing);
        layer->path = PathFromOutline(record.outline);
        complete = complete && layer->path;
    }
    if (!complete) {
        PYX_DeleteLayer(layer);
        return nullptr;
    }
    return layer;
}

// Builds the Image, linking each Layer as it is made so that a failure frees all of it.
Image* ImageFromRecord(const ProjectImage& record)
{
    const ProjectImageFields& fields = record.fields;
    Image* image = new Image{};
    image->visibleLayers = fields.visibleLayers;
    image->hotspotX = fields.hotspotX;
    image->hotspotY = fields.hotspotY;
    image->bitsPerPixel = fields.bitsPerPixel;
    image->height = fields.height;
    image->width = fields.width;
    image->displayRate = fields.displayRate;
    image->composite = BitmapFromPixels(record.composite);
    bool complete = image->composite != nullptr;
    Layer** tail = &image->firstLayer;
    for (const ProjectLayer& layerRecord : record.layers) {
        if (!complete || !(*tail = LayerFromRecord(layerRecord))) {
            complete = false;
            break;
        }
        tail = &(*tail)->next;
        image->layerCount++;
    }
    if (!complete) {
        PYX_DeleteImage(image);
        return nullptr;
    }
    return image;
}

Resource* ResourceFromContents(const ProjectContents& contents)
{
    Resource* resource = ResourceFromHeader(contents.header);
    ImageAppender images{resource};
    for (const ProjectImage& record : contents.images) {
        Image* image = ImageFromRecord(record);
        if (!image) {
            PYX_DoCleanupInternalResource(resource);
            return nullptr;
        }
        images.Append(image);
    }
    return resource;
}

ProjectHeader HeaderOf(const Resource* resource)
{
    ProjectHeader header;
    std::memcpy(header.fileName, resource->fileName, sizeof header.fileName);
    std::memcpy(header.title, resource->title, sizeof header.title);
    std::memcpy(header.creator, resource->creator, sizeof header.creator);
    header.fileKind = resource->fileKind;
    header.imageCount = resource->imageCount;
    header.defaultRate = resource->defaultRate;
    return header;
}

bool AppendBitmap(std::vector<uint8_t>& out, Bitmap* bitmap)
{
    if (!bitmap)
        return false;
    BitmapLock lock(bitmap, Gdiplus::ImageLockModeRead);
    if (!lock.ok())
        return false;
    AppendPixelBlock(out, lock.view());
    return true;
}

bool OutlineOf(const Layer* layer, ProjectOutline* outline)
{
    outline->shapeKind = layer->shapeKind;
    std::memcpy(outline->parameters, &layer->brush, sizeof layer->brush);
    std::memcpy(outline->parameters + 48, &layer->penWidth, sizeof layer->penWidth);
    std::memcpy(outline->parameters + 52, &layer->smoothing, sizeof layer->smoothing);
    const int count = layer->path ? layer->path->GetPointCount() : 0;
    if (count <= 0)
        return true;
    std::vector<Gdiplus::PointF> points(count);
    outline->pointTypes.resize(count);
    if (layer->path->GetPathPoints(points.data(), count) != Gdiplus::Ok ||
        layer->path->GetPathTypes(outline->pointTypes.data(), count) != Gdiplus::Ok)
        return false;
    for (const Gdiplus::PointF& point : points) {
        outline->points.push_back(point.X);
        outline->points.push_back(point.Y);
    }
    return true;
}

bool HasImageSize(Bitmap* bitmap, const Image* image)
{
    return bitmap && bitmap->GetWidth() == image->width && bitmap->GetHeight() == image->height;
}

bool IsStorableLayer(const Layer* layer, const Image* image)
{
    return layer && (layer->type == kRasterLayer || IsVectorLayerType(layer->type)) &&
           HasImageSize(layer->bitmap, image);
}

// What the reader refuses is not written either: every Image has layers, and every layer
// a known type and a bitmap of the Image's size, as has the composite.
bool IsStorableImage(const Image* image)
{
    if (image->layerCount == 0 || !HasImageSize(image->composite, image))
        return false;
    const Layer* layer = image->firstLayer;
    for (int i = 0; i < image->layerCount; i++, layer = layer->next)
        if (!IsStorableLayer(layer, image))
            return false;
    return true;
}

bool AppendImage(std::vector<uint8_t>& out, const Image* image)
{
    if (!IsStorableImage(image))
        return false;
    AppendProjectImageFields(out, {image->visibleLayers, image->hotspotX, image->hotspotY, image->bitsPerPixel,
                                   image->height, image->width, image->displayRate, image->layerCount});
    if (!AppendBitmap(out, image->composite))
        return false;
    const Layer* layer = image->firstLayer;
    for (int i = 0; i < image->layerCount; i++, layer = layer->next) {
        ProjectOutline outline;
        if (!layer || (IsVectorLayerType(layer->type) && !OutlineOf(layer, &outline)))
            return false;
        AppendLayerHead(out, layer->type, outline);
        if (!AppendBitmap(out, layer->bitmap))
            return false;
    }
    return true;
}

size_t EstimatedSize(const Resource* resource)
{
    size_t size = kProjectHeaderSize;
    const Image* image = resource->firstImage;
    for (int i = 0; i < resource->imageCount && image; i++, image = image->next)
        size += (size_t(image->width) * image->height * 4 + 128) * (image->layerCount + 1);
    return size;
}

bool BuildProjectFile(const Resource* resource, std::vector<uint8_t>* bytes)
{
    bytes->reserve(EstimatedSize(resource));
    AppendProjectHeader(*bytes, HeaderOf(resource));
    const Image* image = resource->firstImage;
    for (int i = 0; i < resource->imageCount; i++, image = image->next)
        if (!image || !AppendImage(*bytes, image))
            return false;
    return true;
}

}  // namespace

PYX_API Resource* PYX_LoadProjectFromFile(HWND owner, const wchar_t* path)
{
    if (!path)
        return nullptr;
    BorrowedBytes buffer;
    std::vector<uint8_t>& file = buffer.bytes();
    FileReadResult read;
    if (!ReadDocumentFile(owner, path, L"Error Opening File for Reading", &file, &read))
        return nullptr;
    ProjectContents contents;
    const ProjectParseResult parsed = read == FileReadResult::kOk
                                          ? ParseProject(file.data(), file.size(), &contents)
                                          : ProjectParseResult::kReadError;
    if (parsed == ProjectParseResult::kBadMagic) {
        ShowErrorBox(owner, L"Project File is not valid", kFormatErrorCaption);
        return nullptr;
    }
    Resource* resource = parsed == ProjectParseResult::kOk ? ResourceFromContents(contents) : nullptr;
    if (!resource)
        ShowErrorBox(owner, L"Error Reading Project File", kIoErrorCaption);
    return resource;
}

PYX_API int PYX_SaveProjectToFile(HWND owner, const wchar_t* path, Resource* resource)
{
    if (!path || !resource)
        return 0;
    BorrowedBytes buffer;
    std::vector<uint8_t>& bytes = buffer.bytes();
    FileWriteResult written = FileWriteResult::kCannotWrite;
    if (BuildProjectFile(resource, &bytes))
        written = WriteWholeFileSafely(path, bytes.data(), bytes.size());
    if (written == FileWriteResult::kCannotCreate)
        ShowErrorBox(owner, L"Error Opening File for Writing", kIoErrorCaption);
    else if (written == FileWriteResult::kCannotWrite)
        ShowErrorBox(owner, L"Error writing Project file", kIoErrorCaption);
    return written == FileWriteResult::kOk ? 1 : 0;
}
