#include "effects/offer_table.h"

namespace {

constexpr int kShapeCount = kEffectCustomShape;
constexpr int kEffectCount = kSweetEffect;

// Rows: rectangle, ellipse, polygon, text, custom shape. Columns: Wave, Pearl, Marble,
// Jelly, Glassy Ball, Aqua Ball, Sweet. The balls need a round outline; Sweet's capsule
// only suits boxes and lines of text.
constexpr bool kOffered[kShapeCount][kEffectCount] = {
    {true, true, true, true, false, false, true},
    {true, true, true, true, true, true, false},
    {true, true, true, true, false, false, false},
    {true, true, true, true, false, false, true},
    {true, true, true, true, false, false, false},
};

bool WalksSubpaths(int32_t effectShape)
{
    return effectShape == kEffectText || effectShape == kEffectCustomShape;
}

}  // namespace

EffectOffer OfferFor(int32_t effectShape, int32_t effect)
{
    if (effectShape < 1 || effectShape > kShapeCount || effect < 1 || effect > kEffectCount)
        return EffectOffer::kNoHighlights;
    if (!kOffered[effectShape - 1][effect - 1])
        return EffectOffer::kNotOffered;
    return WalksSubpaths(effectShape) ? EffectOffer::kEachSubpath : EffectOffer::kWholePath;
}
