// The numbers of the effects and of the shapes they are drawn on, as requests carry them.
#pragma once

#include <cstdint>

enum EffectKind : int32_t {
    kWaveEffect = 1,
    kPearlEffect = 2,
    kMarbleEffect = 3,
    kJellyEffect = 4,
    kGlassyBallEffect = 5,
    kAquaBallEffect = 6,
    kSweetEffect = 7,
};

// The layer's shape as the effects see it (rectangle and ellipse swapped against the
// layer's own shape kind).
enum EffectShape : int32_t {
    kEffectRectangle = 1,
    kEffectEllipse = 2,
    kEffectPolygon = 3,
    kEffectText = 4,
    kEffectCustomShape = 5,
};
