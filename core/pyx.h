// pyx: the document core. The records every module edits (Resource, Image, Layer), the
// file formats, color reduction, undo, clipboard, icon libraries and raw image resources.
//
// Ownership: a Resource owns its Images, an Image its composite and Layers, a Layer its
// bitmap and path. Every Bitmap an export returns is new and belongs to the caller.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#ifdef PYX_BUILDING
#define PYX_API extern "C"
#else
#define PYX_API extern "C" __declspec(dllimport)
#endif

using Bitmap = Gdiplus::Bitmap;
using Path = Gdiplus::GraphicsPath;

// The painting brush of the color picker, copied verbatim into every vector layer.
struct BrushSettings {
    uint32_t primaryColor;    // 0xAARRGGBB
    uint32_t secondaryColor;  // 0xAARRGGBB
    uint32_t useGradient;     // 1: "Use Gradient Brush" is on
    uint32_t gradientKind;    // 1 linear, 2 radial
    float linearAngle;        // degrees, clockwise from the x axis
    int32_t centerX;          // radial center, percent of the brush rectangle
    int32_t centerY;
    uint32_t bellBlend;       // 1 bell-shaped blend, 0 factor blend
    float blendFocus;         // percents
    float blendScale;
    float blendFactor;
    float blendPosition;
};
static_assert(sizeof(BrushSettings) == 48, "BrushSettings is twelve 32-bit words");

enum LayerType : uint8_t {
    kRasterLayer = 1,
    kFilledVectorLayer = 2,
    kOutlinedVectorLayer = 3,
};

enum ShapeKind : uint8_t {
    kNoShape = 0,
    kEllipseShape = 1,
    kRectangleShape = 2,
    kPolygonShape = 3,
    kTextShape = 4,
    kCustomShape = 5,
};

struct Layer {
    uint8_t type;         // LayerType
    Path* path;           // owned; null for a raster layer
    Bitmap* bitmap;       // owned; image-sized
    uint8_t shapeKind;    // ShapeKind; 0 for raster layers
    Layer* next;          // next layer up
    BrushSettings brush;  // vector layers only
    float penWidth;       // vector layers only; 0 for a filled shape
    uint32_t smoothing;   // vector layers only; 1 when drawn anti-aliased
};

struct Image {
    uint32_t visibleLayers;  // bit (i mod 32) shows layer i
    int16_t hotspotX;
    int16_t hotspotY;
    uint8_t bitsPerPixel;  // stored depth: 1, 4, 8, 24 or 32
    uint16_t height;
    uint16_t width;
    Bitmap* composite;  // owned; visible layers flattened
    uint32_t displayRate;  // jiffies
    Image* prev;
    Image* next;
    Layer* firstLayer;  // bottom of the stack
    uint8_t layerCount;
};

enum FileKind : uint8_t {
    kNoFileKind = 0,
    kIconFileKind = 1,
    kCursorFileKind = 2,
    kAniFileKind = 3,
    kProjectFileKind = 4,
};

struct Resource {
    wchar_t fileName[260];
    uint8_t fileKind;  // FileKind
    Image* firstImage;
    uint16_t imageCount;
    uint32_t modified;
    uint32_t defaultRate;  // jiffies
    wchar_t title[200];    // animated cursor "INAM"
    wchar_t creator[200];  // animated cursor "IART"
};

// Document records.
PYX_API void PYX_DoInitInternalResource(Resource* resource);
PYX_API Resource* PYX_CreateNewResource();
PYX_API void PYX_DoCleanupInternalResource(Resource* resource);
PYX_API Image* PYX_CreateImage(uint16_t width, uint16_t height);
PYX_API Image* PYX_DuplicateImage(const Image* image);
PYX_API void PYX_DeleteImage(Image* image);
PYX_API Layer* PYX_CreateRasterLayer(uint16_t width, uint16_t height);
PYX_API Layer* PYX_CreateVectorLayer(Bitmap* bitmap, Path* path, uint8_t shapeKind);
PYX_API Layer* PYX_DuplicateLayer(const Layer* layer);
PYX_API void PYX_DeleteLayer(Layer* layer);

// Icon and cursor files.
PYX_API Resource* PYX_LoadIconFromFile(HWND owner, const wchar_t* path);
PYX_API Resource* PYX_LoadCursorFromFile(HWND owner, const wchar_t* path);
PYX_API int PYX_SaveIconToFile(HWND owner, const wchar_t* path, Resource* resource);
PYX_API int PYX_SaveCursorToFile(HWND owner, const wchar_t* path, Resource* resource);
PYX_API int PYX_SaveSingleImageAsIcon(HWND owner, const wchar_t* path, Image* image);
PYX_API int PYX_SaveSingleImageAsCursor(HWND owner, const wchar_t* path, Image* image);

// Color reduction with the shared palettes.
PYX_API Bitmap* PYX_GetDitheredImageBasedOnPalette(Bitmap* source, HPALETTE palette,
                                                   uint16_t entryCount, uint8_t level,
                                                   uint8_t alphaThreshold, uint16_t* indices,
                                                   int wantIndices);
PYX_API Bitmap* PYX_GetAlphaThresholdedImage(Bitmap* source, uint8_t alphaThreshold);

// Icon libraries: every icon image of an NE or PE module as a new Resource (fileKind 4),
// and the interactive creation of a .nil library out of .ico files (flag: pass 0).
PYX_API Resource* PYX_GetLibraryIcons(HWND owner, const wchar_t* path);
PYX_API void PYX_CreateLibrary(HWND owner, int flag);

// Raw 32-bit pictures ("QORVEN32") stored as custom resources of a module.
PYX_API Bitmap* PYX_LoadCustomImageResource(HMODULE module, uint16_t resourceId,
                                            const wchar_t* typeName);

// Animated cursor files.
PYX_API Resource* PYX_LoadAniFromFile(HWND owner, const wchar_t* path);
PYX_API int PYX_SaveAniToFile(HWND owner, const wchar_t* path, Resource* resource);

// Project files: the lossless document with every layer.
PYX_API Resource* PYX_LoadProjectFromFile(HWND owner, const wchar_t* path);
PYX_API int PYX_SaveProjectToFile(HWND owner, const wchar_t* path, Resource* resource);

// Undo history at the granularity of whole Images.
enum UndoRingKind : uint8_t {
    kMoveRing = 1,
    kChangeRing = 2,
    kDeleteRing = 3,
    kNewRing = 4,
    kStandardFormatsRing = 5,
};

struct UndoRing {
    int32_t first;   // first Image index
    int32_t second;  // move: the index moved to; standard formats: last index of the run
    Image* images;   // owned; linked by their next fields; may be null
    uint8_t kind;    // UndoRingKind
    UndoRing* next;  // newer ring
};

struct UndoChain {
    uint8_t count;        // rings held, 0 to 20
    int8_t position;      // last ring in effect; -1 when none is
    UndoRing* firstRing;  // oldest
    uint32_t canUndo;
    uint32_t canRedo;
};

PYX_API UndoChain* PYX_InitNewUndoChain();
PYX_API void PYX_DeleteUndoChain(UndoChain* chain);
PYX_API void PYX_AddChangeUndoRing(UndoChain* chain, int32_t index, Resource* resource);
PYX_API void PYX_AddMoveUndoRing(UndoChain* chain, int32_t fromIndex, int32_t toIndex);
PYX_API void PYX_AddDeleteUndoRing(UndoChain* chain, int32_t index, Resource* resource);
PYX_API void PYX_AddNewUndoRing(UndoChain* chain, int32_t index);
PYX_API void PYX_AddSFUndoRing(UndoChain* chain, int32_t firstIndex, int32_t lastIndex);
PYX_API int32_t PYX_Undo(UndoChain* chain, Resource* resource);
PYX_API int32_t PYX_Redo(UndoChain* chain, Resource* resource);

// Clipboard pictures (CF_DIB).
PYX_API int PYX_CopyImageToClipboard(HWND owner, Bitmap* bitmap, uint16_t width, uint16_t height);
PYX_API Bitmap* PYX_GetImageFromClipboard(HWND owner);
