// Which effect each kind of shape offers, and how the shape is handed to the effect.
// Platform-free, so that both builds test it.
#pragma once

#include <cstdint>

#include "effects/effect_kinds.h"

enum class EffectOffer {
    kNotOffered,      // the pair is refused: nothing is painted
    kWholePath,       // one call for the whole outline
    kEachSubpath,     // one call per figure (glyph outlines, pieces of a custom shape)
    kNoHighlights,    // unknown effect or shape: shadow and mask only
};

EffectOffer OfferFor(int32_t effectShape, int32_t effect);
