// The arithmetic of the painting brush and the blur dab: which fill a brush is, the rectangle
// and circle its gradients cover, the blend's points, and the block a dab blurs.
// Platform-free.
#pragma once

#include <cstdint>

// An integer rectangle: corner and size.
struct BrushRect {
    int x;
    int y;
    int width;
    int height;
};

// The gradients reach one pixel beyond the shape on the left and top and end at its far
// edge, so that no edge pixel falls outside the colour ramp.
BrushRect EnlargedBrushRect(const BrushRect& rect);

enum class BrushKind { kSolid, kLinear, kRadial };

enum class GradientForce { kAsSet, kForced };

// The kind of fill: solid below 24 bits per pixel whatever the settings say, solid when the
// gradient is neither switched on nor forced, else by the gradient kind (1 linear, 2 radial;
// any other number paints solid).
BrushKind PaintingBrushKind(int bitsPerPixel, bool useGradient, GradientForce force, uint32_t gradientKind);

// The circle of a radial gradient over the (already enlarged) rectangle: its center from the
// percentages (integer arithmetic), its radius just reaching the farthest corner.
struct RadialCircle {
    int centerX;
    int centerY;
    int radius;
};
RadialCircle RadialGradientCircle(const BrushRect& enlarged, int centerXPercent, int centerYPercent);

// A percentage as a fraction, kept within 0..1 (the platform refuses blends outside it).
float PercentFraction(float percent);

// The three-point blend: factors 0, factor, 1 at positions 0, position, 1.
struct ThreePointBlend {
    float factors[3];
    float positions[3];
};
ThreePointBlend BlendFromPercents(float factorPercent, float positionPercent);

// The block one blur dab of size s at pixel (x, y) covers on a w x h layer: starting half a
// size up and left of the pixel, clamped to the layer's top-left, cut at its far edges.
BrushRect BlurDabBlock(int x, int y, int size, int layerWidth, int layerHeight);
