#pragma once
// The span routines of the software device: the per-draw set-up they read
// and the choice of routine for a draw's states. Two sets exist: a portable
// one (SSE2, four pixels at a time, on x86-64; plain C++ elsewhere) and, on
// x86-64 processors that have it, an AVX2 one (eight pixels at a time). Both
// give the same pixels.
#include <cstdint>

#include "platform/GraphicsDevice.h"

namespace platform::detail {

struct SpanSetup {
    // Attribute planes relative to (x0, y0): depth, and the texture
    // coordinates in texels, u then v (their values at (x0, y0) and their
    // steps per pixel to the right and per row down).
    double x0, y0, z0, dzdx, dzdy;
    double uv0[2], uvDx[2], uvDy[2];
    int64_t dudxFix, dvdxFix;
    const uint32_t* texels;
    uint32_t texW, texH, uMask, vMask;
    int rowShift;  // log2 of texW for a power-of-two texture
    bool pow2;
    uint32_t dA, dR, dG, dB, factorA;
    uint32_t srcBlend, destBlend;
    bool zTest, zWrite, zConstant;
    uint16_t zConst;
};

// Rows of a primitive are kept for as many rows as a back buffer of
// kWidth x kHeight pixels has either way up, and a whole vector of rows
// more, so that they can be read a vector at a time.
constexpr int kRowSlots =
    (GraphicsDevice::kWidth > GraphicsDevice::kHeight ? GraphicsDevice::kWidth : GraphicsDevice::kHeight) + 8;

// The rows of one primitive (setup[1] null), or of both halves of a sprite:
// on row yFirst + r, half h covers pixels xl[h][r]..xr[h][r], none when
// xl > xr. Where the spans of the two halves meet, they are filled in one
// pass; otherwise half 0's span comes first, as it would when the halves
// were drawn one after the other.
struct Rows {
    const SpanSetup* setup[2];
    int yFirst, count;
    alignas(32) int16_t xl[2][kRowSlots];
    alignas(32) int16_t xr[2][kRowSlots];
};

// How texture and vertex colour combine (the colour operation, with the
// common white-vertex modulate taken apart).
enum OpKind { kOpTexture, kOpModulateAlpha, kOpModulate, kOpDiffuse, kOpFactor };
// The frame-buffer blend.
enum BlendKind { kBlendNone, kBlendAlpha, kBlendAdd, kBlendAddAlpha, kBlendGeneric };

// A depth in 0..1 as the depth buffer holds it.
uint16_t QuantisedDepth(double z);

// The routine for a draw with these states, from the widest set this
// processor runs, or from the portable set when `portable` is true.
SpanFn PickSpan(OpKind op, BlendKind blend, bool portable);

// The sets themselves.
SpanFn PickPortableSpan(OpKind op, BlendKind blend);
#if PELLUMBRISK_AVX2_SPANS
SpanFn PickAvx2Span(OpKind op, BlendKind blend);
#endif

}  // namespace platform::detail
