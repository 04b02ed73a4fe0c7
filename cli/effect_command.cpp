#include "cli/effect_command.h"

#include "cli/cli_support.h"
#include "cli/document_io.h"
#include "cli/picture_export.h"
#include "effects/lustre.h"

namespace {

// The style dialog's starting values: white highlights at 50, a black shadow at 0, the
// reflex at 60 percent.
EffectStyle DefaultStyle()
{
    return {0, 50, 50, 60};
}

// The layers' shape kinds number the ellipse 1 and the rectangle 2; the effects the other
// way round.
int32_t EffectShapeOf(const Layer* layer)
{
    switch (layer->shapeKind) {
    case kEllipseShape: return kEffectEllipse;
    case kRectangleShape: return kEffectRectangle;
    default: return layer->shapeKind;
    }
}

bool WriteResult(Resource* document, Layer* layer, const std::wstring& out)
{
    const PictureFormat picture = PictureFormatOfPath(out);
    if (picture != PictureFormat::kUnknown)
        return ExportPicture(layer->bitmap, out, picture);
    return SaveDocument(out, document) != 0;
}

int ApplyToLayer(Resource* document, Image* image, Layer* layer, long effect, const std::wstring& out,
                 const MessageBoxRecorder& recorder)
{
    if (layer->type == kRasterLayer || !layer->path)
        return Fail(L"that layer is a raster layer; effects need a vector layer");
    EffectStyle style = DefaultStyle();
    EffectParams request{};
    request.path = layer->path;
    request.target = layer->bitmap;
    request.outlined = layer->type == kOutlinedVectorLayer;
    request.effect = int32_t(effect);
    request.style = &style;
    request.effectShape = EffectShapeOf(layer);
    request.upperColor = 0xFFFFFFFF;
    request.lowerColor = 0xFFFFFFFF;
    request.shadowColor = 0xFF000000;
    if (!LustreApplyEffect(&request))
        return Fail(L"this effect is not offered for the layer's shape");
    if (!RecompositeImage(image))
        return Fail(L"cannot rebuild the image from its layers");
    document->modified = 1;
    return WriteResult(document, layer, out) ? 0 : FailWithBoxes(recorder, L"cannot write \"" + out + L"\"");
}

}  // namespace

int RunEffectCommand(const std::wstring& in, const std::wstring& imageText, const std::wstring& layerText,
                     const std::wstring& effectText, const std::wstring& out)
{
    long imageIndex = 0, layerIndex = 0, effect = 0;
    if (FormatOfPath(in) != DocumentFormat::kProject)
        return FailUsage(L"effects need the vector layers of a project: use a .fic file");
    if (!ParseIndex(imageText, &imageIndex) || !ParseIndex(layerText, &layerIndex))
        return FailUsage(L"the image and layer must be given as numbers");
    if (!ParseIndex(effectText, &effect) || effect < kWaveEffect || effect > kSweetEffect)
        return FailUsage(L"\"" + effectText + L"\" is not an effect: use 1 to 7");
    if (PictureFormatOfPath(out) == PictureFormat::kUnknown && FormatOfPath(out) != DocumentFormat::kProject)
        return FailUsage(L"cannot write \"" + out + L"\": use a .fic, .png or .bmp file");
    MessageBoxRecorder recorder;
    int status = 0;
    Resource* document = Load(in, recorder, &status);
    if (!document)
        return status;
    Image* image = ImageAt(document, int(imageIndex));
    Layer* layer = image ? LayerAt(image, int(layerIndex)) : nullptr;
    if (!image)
        status = Fail(L"image " + imageText + L" does not exist");
    else if (!layer)
        status = Fail(L"layer " + layerText + L" does not exist; image " + imageText + L" has " +
                      std::to_wstring(image->layerCount) + L" layers");
    else
        status = ApplyToLayer(document, image, layer, effect, out, recorder);
    PYX_DoCleanupInternalResource(document);
    return status;
}
