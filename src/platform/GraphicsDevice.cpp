#include "platform/GraphicsDevice.h"

#include <png.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

Texture::Texture(uint32_t width, uint32_t height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0u) {}

std::unique_ptr<Texture> CreateTextureFromPng(const uint8_t* data, size_t size, uint32_t width,
                                              uint32_t height, uint32_t colourKey) {
    if (!data || size == 0 || width == 0 || height == 0) return nullptr;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return nullptr;
    image.format = PNG_FORMAT_BGRA;  // little-endian: reads back as 0xAARRGGBB
    std::vector<uint32_t> decoded(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    auto tex = std::make_unique<Texture>(width, height);
    const uint32_t cw = std::min(width, image.width);
    const uint32_t ch = std::min(height, image.height);
    for (uint32_t y = 0; y < ch; ++y) {
        const uint32_t* src = decoded.data() + static_cast<size_t>(y) * image.width;
        uint32_t* dst = tex->Pixels() + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < cw; ++x) dst[x] = src[x] == colourKey ? 0u : src[x];
    }
    return tex;
}

GraphicsDevice::GraphicsDevice()
    : colour_(static_cast<size_t>(kWidth) * kHeight, 0xFF000000u),
      depth_(static_cast<size_t>(kWidth) * kHeight, 0xFFFF) {
    otherStates_[static_cast<int>(RenderState::ZFunc)] = kCmpLessEqual;
}

Result GraphicsDevice::Clear(uint32_t argb, float depth) {
    std::fill(colour_.begin(), colour_.end(), argb | 0xFF000000u);
    const float d = std::clamp(depth, 0.0f, 1.0f);
    const uint16_t value = static_cast<uint16_t>(std::lround(d * 65535.0f));
    // Most frames write no depth: the buffer then still holds the value.
    if (depthDirty_ || value != depthClearValue_) std::fill(depth_.begin(), depth_.end(), value);
    depthClearValue_ = value;
    depthDirty_ = false;
    return kOk;
}

Result GraphicsDevice::BeginScene() { return kOk; }
Result GraphicsDevice::EndScene() { return kOk; }

Result GraphicsDevice::Present() {
    ++presentCount_;
    if (presenter_) presenter_(colour_.data(), kWidth, kHeight);
    return kOk;
}

Result GraphicsDevice::Reset() { return kOk; }

Result GraphicsDevice::SetRenderState(RenderState state, uint32_t value) {
    switch (state) {
        case RenderState::ZEnable: zEnable_ = value != 0; break;
        case RenderState::ZWriteEnable: zWrite_ = value != 0; break;
        case RenderState::AlphaBlendEnable: blendEnable_ = value != 0; break;
        case RenderState::SrcBlend: srcBlend_ = value; break;
        case RenderState::DestBlend: destBlend_ = value; break;
        case RenderState::TextureFactor: textureFactor_ = value; break;
        default: break;
    }
    const int index = static_cast<int>(state);
    if (index >= 0 && index < 256) otherStates_[index] = value;
    return kOk;
}

uint32_t GraphicsDevice::GetRenderState(RenderState state) const {
    switch (state) {
        case RenderState::ZEnable: return zEnable_;
        case RenderState::ZWriteEnable: return zWrite_;
        case RenderState::AlphaBlendEnable: return blendEnable_;
        case RenderState::SrcBlend: return srcBlend_;
        case RenderState::DestBlend: return destBlend_;
        case RenderState::TextureFactor: return textureFactor_;
        default: break;
    }
    const int index = static_cast<int>(state);
    return index >= 0 && index < 256 ? otherStates_[index] : 0;
}

Result GraphicsDevice::SetTextureStageState(int stage, TextureStageState type, uint32_t value) {
    if (stage != 0 || type < 0 || type >= 8) return kFail;
    stageStates_[type] = value;
    if (type == kStageColorOp) colourOp_ = value;
    return kOk;
}

uint32_t GraphicsDevice::GetTextureStageState(int stage, TextureStageState type) const {
    if (stage != 0 || type < 0 || type >= 8) return 0;
    return type == kStageColorOp ? colourOp_ : stageStates_[type];
}

Result GraphicsDevice::SetTexture(int stage, const Texture* texture) {
    if (stage != 0) return kFail;
    texture_ = texture;
    return kOk;
}

Result GraphicsDevice::SetVertexShader(uint32_t fvf) { return fvf == kVertexFormat ? kOk : kFail; }

Result GraphicsDevice::DrawPrimitiveUP(int triangleCount, const Vertex* vertices, uint32_t stride) {
    if (!vertices || stride != sizeof(Vertex) || triangleCount < 0) return kFail;
    for (int i = 0; i < triangleCount; ++i) {
        if (i + 1 < triangleCount && (DrawAxisAlignedQuad(vertices + 3 * i) || DrawQuadPair(vertices + 3 * i))) {
            ++i;
            continue;
        }
        DrawTriangle(vertices[3 * i], vertices[3 * i + 1], vertices[3 * i + 2]);
    }
    return kOk;
}

namespace {

// a * b / 255, rounded.
inline uint32_t Mul255(uint32_t a, uint32_t b) {
    uint32_t t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

inline uint32_t Factor(uint32_t blend, uint32_t srcAlpha) {
    switch (blend) {
        case kBlendZero: return 0;
        case kBlendOne: return 255;
        case kBlendSrcAlpha: return srcAlpha;
        case kBlendInvSrcAlpha: return 255 - srcAlpha;
        default: return 255;
    }
}

// How texture and vertex colour combine (the colour operation, with the
// common white-vertex modulate taken apart).
enum OpKind { kOpTexture, kOpModulateAlpha, kOpModulate, kOpDiffuse, kOpFactor };
// The frame-buffer blend.
enum BlendKind { kBlendNone, kBlendAlpha, kBlendAdd, kBlendAddAlpha, kBlendGeneric };

}  // namespace

namespace detail {

struct Edge {
    double a, b;    // E(x, y) = a (x - rx) + b (y - ry), positive inside
    double rx, ry;  // reference vertex: the same for both directions of an edge
    double k;       // -b / a: x moves by k per row along the edge
    bool inclusive; // top-left rule: left edges and top edges own their pixels
};

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

struct PreparedTriangle {
    SpanSetup setup;
    SpanFn fill;
    Edge edges[3];
    // The edges that bound each row from the left and from the right (one
    // edge named twice on a side that has one), and the horizontal edge, if
    // any.
    const Edge* left[2];
    const Edge* right[2];
    const Edge* flat;
    int yStart, yEnd;
};

}  // namespace detail

namespace {

using detail::Edge;
using detail::Span;
using detail::SpanSetup;

Edge MakeEdge(const Vertex& p, const Vertex& q) {
    Edge e;
    e.a = static_cast<double>(p.y) - q.y;
    e.b = static_cast<double>(q.x) - p.x;
    const bool pFirst = p.x < q.x || (p.x == q.x && p.y < q.y);
    e.rx = pFirst ? p.x : q.x;
    e.ry = pFirst ? p.y : q.y;
    e.k = e.a != 0 ? -e.b / e.a : 0;
    e.inclusive = e.a > 0 || (e.a == 0 && e.b > 0);
    return e;
}

inline uint16_t QuantiseDepth(double z) {
    const double zc = z < 0 ? 0 : (z > 1 ? 1 : z);
    return static_cast<uint16_t>(zc * 65535.0 + 0.5);
}

// Floor and ceiling by truncation, without a library call; the callers keep
// the values well inside the 64-bit range.
inline int64_t FloorInt(double x) {
    const int64_t i = static_cast<int64_t>(x);
    return i - (x < static_cast<double>(i));
}
inline int64_t CeilInt(double x) {
    const int64_t i = static_cast<int64_t>(x);
    return i + (x > static_cast<double>(i));
}
// Texture coordinates are cut down to this many 16.16 units, far beyond any
// sprite's, so that they fit an integer.
constexpr double kFixedLimit = 4.0e18;

// Where the texture coordinates of a span starting at pixel x of row y lie,
// in 16.16 fixed point, rounded down. Each span starts from its own plane, so
// that a run of pixels never carries the rounding of another row or triangle.
inline void TexelStart(const SpanSetup& p, int x, int y, int64_t& u, int64_t& v) {
    const double ox = x - p.x0, oy = y - p.y0;
#ifdef __SSE2__
    // u and v side by side, with the same operations in the same order.
    __m128d t = _mm_add_pd(_mm_loadu_pd(p.uv0), _mm_mul_pd(_mm_loadu_pd(p.uvDx), _mm_set1_pd(ox)));
    t = _mm_mul_pd(_mm_add_pd(t, _mm_mul_pd(_mm_loadu_pd(p.uvDy), _mm_set1_pd(oy))), _mm_set1_pd(65536.0));
    t = _mm_min_pd(_mm_max_pd(t, _mm_set1_pd(-kFixedLimit)), _mm_set1_pd(kFixedLimit));
    u = FloorInt(_mm_cvtsd_f64(t));
    v = FloorInt(_mm_cvtsd_f64(_mm_unpackhi_pd(t, t)));
#else
    u = FloorInt(std::clamp((p.uv0[0] + p.uvDx[0] * ox + p.uvDy[0] * oy) * 65536.0, -kFixedLimit, kFixedLimit));
    v = FloorInt(std::clamp((p.uv0[1] + p.uvDx[1] * ox + p.uvDy[1] * oy) * 65536.0, -kFixedLimit, kFixedLimit));
#endif
}

// Whether the span routines shade this set-up a group of pixels at a time:
// a power-of-two texture (whose row index fits a 16-bit shift) and no depth
// work.
bool Grouped(const SpanSetup& s) { return s.texels && s.pow2 && s.rowShift <= 16 && !s.zTest && !s.zWrite; }

#ifdef __SSE2__
// The four texels at four indices, the first in the lowest lane.
inline __m128i Gather4(const uint32_t* texels, __m128i index) {
    const uint64_t low = static_cast<uint64_t>(_mm_cvtsi128_si64(index));
    // (A shuffle rather than an unpack, which the compiler would turn into
    // a movhlps that waits on the target register's last value.)
    const uint64_t high = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_shuffle_epi32(index, 0xEE)));
    const __m128i t0 = _mm_cvtsi32_si128(static_cast<int>(texels[static_cast<uint32_t>(low)]));
    const __m128i t1 = _mm_cvtsi32_si128(static_cast<int>(texels[low >> 32]));
    const __m128i t2 = _mm_cvtsi32_si128(static_cast<int>(texels[static_cast<uint32_t>(high)]));
    const __m128i t3 = _mm_cvtsi32_si128(static_cast<int>(texels[high >> 32]));
    return _mm_unpacklo_epi64(_mm_unpacklo_epi32(t0, t1), _mm_unpacklo_epi32(t2, t3));
}

// The lanes start, start + step, start + 2 step, start + 3 step.
inline __m128i Lanes(uint32_t start, uint32_t step) {
    return _mm_setr_epi32(static_cast<int>(start), static_cast<int>(start + step), static_cast<int>(start + 2 * step),
                          static_cast<int>(start + 3 * step));
}

// The texels along a span that stays on one texel row (an unrotated
// sprite), four pixels at a time. The coordinates are 16.16 fixed point;
// only their low 32 bits matter, since wrapping keeps at most 16 bits of
// whole texels, so they step as 32-bit words.
class RowTexels {
public:
    RowTexels(const uint32_t* row, uint32_t uMask, uint32_t u, uint32_t du)
        : row_(row), uMask_(_mm_set1_epi32(static_cast<int>(uMask))), u_(Lanes(u, du)),
          step_(_mm_set1_epi32(static_cast<int>(4 * du))) {}

    __m128i Next4() {
        const __m128i index = _mm_and_si128(_mm_srli_epi32(u_, 16), uMask_);
        u_ = _mm_add_epi32(u_, step_);
        return Gather4(row_, index);
    }

private:
    const uint32_t* row_;
    __m128i uMask_, u_, step_;
};

// How a half of a turned sprite steps through the texture: the offsets of
// four lanes from the first and the step of a group, for u and for v.
struct PlaneSteps {
    __m128i uLanes, vLanes, uStep, vStep;
};

inline PlaneSteps StepsOf(const SpanSetup& p) {
    const uint32_t du = static_cast<uint32_t>(p.dudxFix), dv = static_cast<uint32_t>(p.dvdxFix);
    return PlaneSteps{Lanes(0, du), Lanes(0, dv), _mm_set1_epi32(static_cast<int>(4 * du)),
                      _mm_set1_epi32(static_cast<int>(4 * dv))};
}

// The texels along a span of a turned sprite, four pixels at a time. The
// pixels from `boundary` on belong to the other half of the sprite: when both
// halves step alike, its coordinates are this half's plus a constant jump,
// which those lanes add.
class PlaneTexels {
public:
    PlaneTexels(const uint32_t* texels, __m128i uMask, __m128i vMask, __m128i vShift, const PlaneSteps& steps,
                uint32_t u, uint32_t v, int x, int boundary, uint32_t uJump, uint32_t vJump)
        : texels_(texels), uMask_(uMask), vMask_(vMask), vShift_(vShift),
          u_(_mm_add_epi32(_mm_set1_epi32(static_cast<int>(u)), steps.uLanes)),
          v_(_mm_add_epi32(_mm_set1_epi32(static_cast<int>(v)), steps.vLanes)), uStep_(steps.uStep),
          vStep_(steps.vStep), x_(_mm_add_epi32(_mm_set1_epi32(x), _mm_setr_epi32(0, 1, 2, 3))),
          lastOfFirst_(_mm_set1_epi32(boundary - 1)), uJump_(_mm_set1_epi32(static_cast<int>(uJump))),
          vJump_(_mm_set1_epi32(static_cast<int>(vJump))) {}

    __m128i Next4() {
        const __m128i other = _mm_cmpgt_epi32(x_, lastOfFirst_);
        const __m128i u = _mm_add_epi32(u_, _mm_and_si128(other, uJump_));
        const __m128i v = _mm_add_epi32(v_, _mm_and_si128(other, vJump_));
        x_ = _mm_add_epi32(x_, _mm_set1_epi32(4));
        u_ = _mm_add_epi32(u_, uStep_);
        v_ = _mm_add_epi32(v_, vStep_);
        // Column plus row times the (power-of-two) width, both wrapped.
        const __m128i index = _mm_or_si128(_mm_and_si128(_mm_srli_epi32(u, 16), uMask_),
                                           _mm_and_si128(_mm_srl_epi32(v, vShift_), vMask_));
        return Gather4(texels_, index);
    }

private:
    const uint32_t* texels_;
    __m128i uMask_, vMask_, vShift_, u_, v_, uStep_, vStep_, x_, lastOfFirst_, uJump_, vJump_;
};
#endif

// At most two spans a row: the halves of a sprite that do not meet.
constexpr int kMaxSpans = 2 * GraphicsDevice::kHeight;

template <OpKind Op, BlendKind Blend>
void FillSpans(const detail::Rows& rows, uint32_t* colour, uint16_t* depth) {
    const SpanSetup& s = *rows.setup[0];
    // Everything the loops read lives in locals: the stores into the colour
    // buffer would otherwise force the set-up to be read again per pixel.
    // The two halves of a sprite share texture and colour states; depth
    // states are each half's own.
    const uint32_t* const texels = s.texels;
    const uint32_t uMask = s.uMask, vMask = s.vMask, texW = s.texW, texH = s.texH;
    const bool pow2 = s.pow2;
    const uint32_t vA = s.dA, vR = s.dR, vG = s.dG, vB = s.dB, fA = s.factorA;
    const uint32_t srcBlend = s.srcBlend, destBlend = s.destBlend;
    bool zTest = false, zWrite = false, zConstant = true;
    uint16_t zConst = 0;
    uint32_t* cp = colour;
    uint16_t* zp = depth;

    // Depth is false when this draw neither tests nor writes depth: the
    // common sprite then skips all depth work.
    auto shade = [&]<bool Depth>(uint32_t tex, int x, double zAt) __attribute__((always_inline)) {
        const uint32_t a = Op == kOpTexture ? (tex >> 24) : Mul255(tex >> 24, vA);
        // A fully transparent pixel changes no colour under the alpha blends.
        const bool clear = (Blend == kBlendAlpha || Blend == kBlendAddAlpha) && a == 0;
        if constexpr (Depth) {
            if (clear && !zWrite) return;
            const uint16_t zq = zConstant ? zConst : QuantiseDepth(zAt);
            if (zTest && zq > zp[x]) return;
            if (zWrite) zp[x] = zq;
        }
        if (clear) return;
        uint32_t r, g, b;
        const uint32_t tR = (tex >> 16) & 0xFF, tG = (tex >> 8) & 0xFF, tB = tex & 0xFF;
        if constexpr (Op == kOpTexture) {
            r = tR; g = tG; b = tB;
        } else if constexpr (Op == kOpModulateAlpha) {
            r = tR; g = tG; b = tB;
        } else if constexpr (Op == kOpModulate) {
            r = Mul255(tR, vR); g = Mul255(tG, vG); b = Mul255(tB, vB);
        } else if constexpr (Op == kOpDiffuse) {
            r = vR; g = vG; b = vB;
        } else {
            r = Mul255(tR, fA) + Mul255(vR, 255 - fA);
            g = Mul255(tG, fA) + Mul255(vG, 255 - fA);
            b = Mul255(tB, fA) + Mul255(vB, 255 - fA);
        }
        if constexpr (Blend != kBlendNone) {
            const uint32_t dst = cp[x];
            const uint32_t dR = (dst >> 16) & 0xFF, dG = (dst >> 8) & 0xFF, dB = dst & 0xFF;
            if constexpr (Blend == kBlendAlpha) {
                if (a != 255) {
                    // Red and blue side by side in one word, then green; each
                    // lane is src * a + dst * (255 - a), divided by 255 rounded.
                    const uint32_t ia = 255 - a;
                    uint32_t rb = ((r << 16) | b) * a + (dst & 0x00FF00FFu) * ia + 0x00800080u;
                    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
                    uint32_t gg = g * a + dG * ia + 0x80u;
                    gg = ((gg + (gg >> 8)) >> 8) & 0xFFu;
                    cp[x] = 0xFF000000u | rb | (gg << 8);
                    return;
                }
            } else if constexpr (Blend == kBlendAdd) {
                // Saturating add of the three bytes at once.
                const uint32_t src = (r << 16) | (g << 8) | b, d = dst & 0xFFFFFFu;
                uint32_t sum = (src & 0x7F7F7Fu) + (d & 0x7F7F7Fu);
                sum ^= (src ^ d) & 0x808080u;
                const uint32_t carry = ((src & d) | ((src | d) & ~sum)) & 0x808080u;
                cp[x] = 0xFF000000u | sum | ((carry >> 7) * 0xFFu);
                return;
            } else if constexpr (Blend == kBlendAddAlpha) {
                r = std::min(255u, Mul255(r, a) + dR);
                g = std::min(255u, Mul255(g, a) + dG);
                b = std::min(255u, Mul255(b, a) + dB);
            } else {
                const uint32_t sf = Factor(srcBlend, a), df = Factor(destBlend, a);
                r = std::min(255u, Mul255(r, sf) + Mul255(dR, df));
                g = std::min(255u, Mul255(g, sf) + Mul255(dG, df));
                b = std::min(255u, Mul255(b, sf) + Mul255(dB, df));
            }
        }
        cp[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    };

    // Pixels x0..x1 of row y from plane p, one at a time.
    auto pixels = [&](const SpanSetup& p, int y, int x0, int x1) __attribute__((always_inline)) {
        zTest = p.zTest;
        zWrite = p.zWrite;
        zConstant = p.zConstant;
        zConst = p.zConst;
        int64_t uf = 0, vf = 0;
        if (texels) TexelStart(p, x0, y, uf, vf);
        const int64_t du = p.dudxFix, dv = p.dvdxFix;
        if (texels && pow2 && !zTest && !zWrite) {
            // Wrapping keeps at most 16 bits of whole texels: the low 32 bits
            // of the coordinates are enough.
            uint32_t u = static_cast<uint32_t>(uf), v = static_cast<uint32_t>(vf);
            for (int x = x0; x <= x1; ++x, u += static_cast<uint32_t>(du), v += static_cast<uint32_t>(dv))
                shade.template operator()<false>(texels[((v >> 16) & vMask) * texW + ((u >> 16) & uMask)], x, 0.0);
            return;
        }
        double z = p.z0 + p.dzdx * (x0 - p.x0) + p.dzdy * (y - p.y0);
        for (int x = x0; x <= x1; ++x, uf += du, vf += dv, z += p.dzdx) {
            uint32_t tex = 0xFFFFFFFFu;
            if (texels) {
                const int64_t tu = uf >> 16, tv = vf >> 16;
                uint32_t ix, iy;
                if (pow2) {
                    ix = static_cast<uint32_t>(tu) & uMask;
                    iy = static_cast<uint32_t>(tv) & vMask;
                } else {
                    ix = static_cast<uint32_t>(((tu % texW) + texW) % texW);
                    iy = static_cast<uint32_t>(((tv % texH) + texH) % texH);
                }
                tex = texels[iy * texW + ix];
            }
            shade.template operator()<true>(tex, x, z);
        }
    };

#ifdef __SSE2__
    // The blends that shade four pixels at once.
    constexpr bool kFour = ((Op == kOpTexture || Op == kOpModulateAlpha) && Blend == kBlendAlpha) ||
                           (Op == kOpTexture && Blend == kBlendAdd);
    const __m128i alphaBits = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i colourBits = _mm_set1_epi32(0x00FFFFFF);
    const __m128i zero = _mm_setzero_si128();
    const __m128i round = _mm_set1_epi16(128);
    const __m128i full = _mm_set1_epi16(255);
    const __m128i vertexAlpha = _mm_set1_epi16(static_cast<short>(vA));
    const __m128i laneNumbers = _mm_setr_epi32(0, 1, 2, 3);
    // x / 255 rounded, for 16-bit lanes holding up to 255 * 255.
    auto div255 = [&](__m128i v) __attribute__((always_inline)) {
        v = _mm_add_epi16(v, round);
        return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
    };
    // Blends two pixels widened to 16 bits per channel.
    auto blend2 = [&](__m128i src, __m128i dst) __attribute__((always_inline)) {
        __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(src, 0xFF), 0xFF);
        if constexpr (Op == kOpModulateAlpha) a = div255(_mm_mullo_epi16(a, vertexAlpha));
        const __m128i ia = _mm_sub_epi16(full, a);
        return div255(_mm_add_epi16(_mm_mullo_epi16(src, a), _mm_mullo_epi16(dst, ia)));
    };
    // Shades the four pixels from x on with texels t, of which only the
    // first n belong to the span when Part is set; the others keep their
    // colour.
    auto group = [&]<bool Part>(__m128i t, int x, int n) __attribute__((always_inline)) {
        __m128i* target = reinterpret_cast<__m128i*>(cp + x);
        const __m128i live = Part ? _mm_cmpgt_epi32(_mm_set1_epi32(n), laneNumbers) : _mm_set1_epi32(-1);
        auto keepOutside = [&](__m128i result, __m128i d) __attribute__((always_inline)) {
            return Part ? _mm_or_si128(_mm_and_si128(live, result), _mm_andnot_si128(live, d)) : result;
        };
        if constexpr (Blend == kBlendAlpha) {
            // Sheets are mostly opaque or empty texels: choose between texel
            // and target without a branch and blend the rest in 16 bits.
            const __m128i a = _mm_and_si128(t, alphaBits);
            const __m128i empty = _mm_or_si128(_mm_cmpeq_epi32(a, zero), _mm_andnot_si128(live, alphaBits));
            if constexpr (Op == kOpTexture) {
                // Empty groups are stored back unchanged rather than skipped:
                // a branch on them would be guessed wrong at every edge.
                const __m128i d = _mm_loadu_si128(target);
                const __m128i opaque = _mm_and_si128(_mm_cmpeq_epi32(a, alphaBits), live);
                if (_mm_movemask_epi8(_mm_or_si128(opaque, empty)) == 0xFFFF) {
                    _mm_storeu_si128(target, _mm_or_si128(_mm_and_si128(opaque, t), _mm_andnot_si128(opaque, d)));
                    return;
                }
            }
            if (_mm_movemask_epi8(empty) == 0xFFFF) return;
            const __m128i d = _mm_loadu_si128(target);
            const __m128i lo = blend2(_mm_unpacklo_epi8(t, zero), _mm_unpacklo_epi8(d, zero));
            const __m128i hi = blend2(_mm_unpackhi_epi8(t, zero), _mm_unpackhi_epi8(d, zero));
            _mm_storeu_si128(target, keepOutside(_mm_or_si128(_mm_packus_epi16(lo, hi), alphaBits), d));
        } else {
            // Saturating byte adds.
            const __m128i d = _mm_loadu_si128(target);
            const __m128i sum = _mm_or_si128(_mm_adds_epu8(_mm_and_si128(t, colourBits), d), alphaBits);
            _mm_storeu_si128(target, keepOutside(sum, d));
        }
    };
    // Shades pixels xl..xr of the current row with texels taken in order
    // from src, four at a time; the last few as a part group, or one at a
    // time where a group would reach past the end of the row.
    auto groups = [&](auto&& src, int xl, int xr) __attribute__((always_inline)) {
        int x = xl;
        for (; x + 3 <= xr; x += 4) group.template operator()<false>(src.Next4(), x, 4);
        if (x > xr) return;
        const __m128i t = src.Next4();
        if (x + 3 < GraphicsDevice::kWidth) {
            group.template operator()<true>(t, x, xr - x + 1);
            return;
        }
        alignas(16) uint32_t lane[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lane), t);
        for (int i = 0; x + i <= xr; ++i) shade.template operator()<false>(lane[i], x + i, 0.0);
    };
    // The texture's wrapping, and how each half steps through it.
    const __m128i uMaskLanes = _mm_set1_epi32(static_cast<int>(uMask));
    const __m128i vMaskLanes = _mm_set1_epi32(static_cast<int>(vMask << s.rowShift));
    const __m128i vShift = _mm_cvtsi32_si128(16 - s.rowShift);
    const PlaneSteps steps[2] = {StepsOf(s), rows.setup[1] ? StepsOf(*rows.setup[1]) : PlaneSteps{}};
    // Pixels xl..xr of the current row, from plane p whose texture
    // coordinates at xl are (u, v); from `boundary` on, those of the other
    // half, which steps as p does, are p's plus the jumps.
    auto grouped = [&](const SpanSetup& p, int xl, int xr, int boundary, uint32_t u, uint32_t v, uint32_t uJump,
                       uint32_t vJump) __attribute__((always_inline)) {
        if (p.dvdxFix == 0 && uJump == 0 && vJump == 0) {
            // The common sprite: one texel row for the whole span.
            const uint32_t* row = texels + ((v >> 16) & vMask) * texW;
            groups(RowTexels(row, uMask, u, static_cast<uint32_t>(p.dudxFix)), xl, xr);
        } else {
            groups(PlaneTexels(texels, uMaskLanes, vMaskLanes, vShift, steps[&p == rows.setup[1]], u, v, xl, boundary,
                               uJump, vJump),
                   xl, xr);
        }
    };
#endif

    // Pixels x0..x1 of row y from plane p, a group at a time where it can.
    auto run = [&](const SpanSetup& p, int y, int x0, int x1) __attribute__((always_inline)) {
#ifdef __SSE2__
        if constexpr (kFour) {
            if (Grouped(p)) {
                int64_t u, v;
                TexelStart(p, x0, y, u, v);
                grouped(p, x0, x1, x1 + 1, static_cast<uint32_t>(u), static_cast<uint32_t>(v), 0, 0);
                return;
            }
        }
#endif
        pixels(p, y, x0, x1);
    };
    // A span whose halves are drawn apart.
    auto apart = [&](const Span& sp) __attribute__((always_inline)) {
        cp = colour + static_cast<size_t>(sp.y) * GraphicsDevice::kWidth;
        zp = depth + static_cast<size_t>(sp.y) * GraphicsDevice::kWidth;
        run(*rows.setup[sp.plane], sp.y, sp.xl, std::min(sp.xr, sp.boundary - 1));
        if (sp.boundary <= sp.xr) run(*rows.setup[1 - sp.plane], sp.y, sp.boundary, sp.xr);
    };

#ifdef __SSE2__
    if constexpr (kFour) {
        // Whether each half is shaded a group at a time, and whether a row
        // where the halves meet is crossed in one pass.
        const SpanSetup* const first = rows.setup[0];
        const SpanSetup* const second = rows.setup[1];
        const bool groupedHalf[2] = {Grouped(*first), second && Grouped(*second)};
        const bool joined = groupedHalf[0] && groupedHalf[1] && first->dudxFix == second->dudxFix &&
                            first->dvdxFix == second->dvdxFix;
        // Where each span starts in the texture, all worked out before any
        // drawing: a span then never waits on the arithmetic of its own
        // start.
        uint32_t uStart[kMaxSpans], vStart[kMaxSpans], uJump[kMaxSpans], vJump[kMaxSpans];
        for (int i = 0; i < rows.count; ++i) {
            const Span& sp = rows.spans[i];
            const SpanSetup& p = *rows.setup[sp.plane];
            int64_t u, v;
            TexelStart(p, sp.xl, sp.y, u, v);
            uStart[i] = static_cast<uint32_t>(u);
            vStart[i] = static_cast<uint32_t>(v);
            uJump[i] = vJump[i] = 0;
            if (joined && sp.boundary <= sp.xr) {
                int64_t uq, vq;
                TexelStart(*rows.setup[1 - sp.plane], sp.boundary, sp.y, uq, vq);
                const uint32_t n = static_cast<uint32_t>(sp.boundary - sp.xl);
                uJump[i] = static_cast<uint32_t>(uq) - (uStart[i] + n * static_cast<uint32_t>(p.dudxFix));
                vJump[i] = static_cast<uint32_t>(vq) - (vStart[i] + n * static_cast<uint32_t>(p.dvdxFix));
            }
        }
        for (int i = 0; i < rows.count; ++i) {
            const Span& sp = rows.spans[i];
            if (!(sp.boundary > sp.xr ? groupedHalf[sp.plane] : joined)) {
                apart(sp);
                continue;
            }
            cp = colour + static_cast<size_t>(sp.y) * GraphicsDevice::kWidth;
            grouped(*rows.setup[sp.plane], sp.xl, sp.xr, sp.boundary, uStart[i], vStart[i], uJump[i], vJump[i]);
        }
        return;
    }
#endif
    for (int i = 0; i < rows.count; ++i) apart(rows.spans[i]);
}

using detail::SpanFn;

template <OpKind Op>
SpanFn PickBlend(BlendKind blend) {
    switch (blend) {
        case kBlendNone: return &FillSpans<Op, kBlendNone>;
        case kBlendAlpha: return &FillSpans<Op, kBlendAlpha>;
        case kBlendAdd: return &FillSpans<Op, kBlendAdd>;
        case kBlendAddAlpha: return &FillSpans<Op, kBlendAddAlpha>;
        default: return &FillSpans<Op, kBlendGeneric>;
    }
}

SpanFn PickSpan(OpKind op, BlendKind blend) {
    switch (op) {
        case kOpTexture: return PickBlend<kOpTexture>(blend);
        case kOpModulateAlpha: return PickBlend<kOpModulateAlpha>(blend);
        case kOpModulate: return PickBlend<kOpModulate>(blend);
        case kOpDiffuse: return PickBlend<kOpDiffuse>(blend);
        default: return PickBlend<kOpFactor>(blend);
    }
}

// The rows of one triangle, or of the two halves of a sprite, top to bottom.
// An edge the halves share is crossed once per row. Where a row holds a span
// of each half and they meet, the row is one span that changes plane where
// they meet; otherwise the first triangle's span comes first, as it would
// when the triangles were drawn one after the other.
template <int N>
int BuildRows(const detail::PreparedTriangle* const (&tris)[N], Span* out) {
    constexpr int kMaxEdges = 3 * N;
    double rx[kMaxEdges], ry[kMaxEdges], k[kMaxEdges];
    int edgeCount = 0;
    auto slot = [&](const Edge* e) {
        for (int i = 0; i < edgeCount; ++i)
            if (rx[i] == e->rx && ry[i] == e->ry && k[i] == e->k) return i;
        rx[edgeCount] = e->rx;
        ry[edgeCount] = e->ry;
        k[edgeCount] = e->k;
        return edgeCount++;
    };
    int left[N][2], right[N][2];
    int yFirst = GraphicsDevice::kHeight, yLast = -1;
    for (int t = 0; t < N; ++t) {
        for (int side = 0; side < 2; ++side) {
            left[t][side] = slot(tris[t]->left[side]);
            right[t][side] = slot(tris[t]->right[side]);
        }
        yFirst = std::min(yFirst, tris[t]->yStart);
        yLast = std::max(yLast, tris[t]->yEnd);
    }
    const int rows = yLast - yFirst + 1;
    // Rows are worked out eight at a time.
    constexpr int kRows = (GraphicsDevice::kHeight + 7) / 8 * 8;

    // Where each edge crosses each row, rounded up: the first pixel right of
    // it. Both triangles sharing an edge compute the same value, so the
    // top-left rule splits its pixels exactly. Crossings are cut down to
    // -1..kWidth + 1: any beyond give the same spans.
    constexpr double kLow = -1.0, kHigh = GraphicsDevice::kWidth + 1;
    alignas(16) int16_t crossing[kMaxEdges][kRows];
    for (int e = 0; e < edgeCount; ++e) {
#ifdef __SSE2__
        const __m128d erx = _mm_set1_pd(rx[e]), ery = _mm_set1_pd(ry[e]), ek = _mm_set1_pd(k[e]);
        // Two rows: their crossings in the low two 32-bit lanes.
        auto two = [&](__m128d fy) __attribute__((always_inline)) {
            __m128d t = _mm_add_pd(erx, _mm_mul_pd(ek, _mm_sub_pd(fy, ery)));
            t = _mm_min_pd(_mm_max_pd(t, _mm_set1_pd(kLow)), _mm_set1_pd(kHigh));
            const __m128i whole = _mm_cvttpd_epi32(t);
            const __m128i above = _mm_castpd_si128(_mm_cmpgt_pd(t, _mm_cvtepi32_pd(whole)));
            return _mm_sub_epi32(whole, _mm_shuffle_epi32(above, 0x08));
        };
        for (int r = 0; r < (rows + 7) / 8 * 8; r += 4) {
            const __m128d y = _mm_setr_pd(yFirst + r, yFirst + r + 1);
            const __m128i four = _mm_unpacklo_epi64(two(y), two(_mm_add_pd(y, _mm_set1_pd(2.0))));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(&crossing[e][r]), _mm_packs_epi32(four, four));
        }
#else
        for (int r = 0; r < rows; ++r)
            crossing[e][r] = static_cast<int16_t>(CeilInt(std::clamp(rx[e] + k[e] * ((yFirst + r) - ry[e]), kLow, kHigh)));
#endif
    }

    // Each triangle's span on each row. A left edge (the inside lies to its
    // right) bounds the row from the left and owns the pixels on it; a right
    // edge bounds it from the right and does not.
    alignas(16) int16_t xl[N][kRows], xr[N][kRows];
    for (int t = 0; t < N; ++t) {
        const int16_t *l0 = crossing[left[t][0]], *l1 = crossing[left[t][1]];
        const int16_t *r0 = crossing[right[t][0]], *r1 = crossing[right[t][1]];
#ifdef __SSE2__
        auto at = [](const int16_t* row, int r) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + r)); };
        for (int r = 0; r < rows; r += 8) {
            const __m128i l = _mm_max_epi16(at(l0, r), at(l1, r));
            const __m128i h = _mm_sub_epi16(_mm_min_epi16(at(r0, r), at(r1, r)), _mm_set1_epi16(1));
            _mm_store_si128(reinterpret_cast<__m128i*>(&xl[t][r]),
                            _mm_min_epi16(_mm_max_epi16(l, _mm_setzero_si128()), _mm_set1_epi16(GraphicsDevice::kWidth)));
            _mm_store_si128(reinterpret_cast<__m128i*>(&xr[t][r]),
                            _mm_max_epi16(_mm_min_epi16(h, _mm_set1_epi16(GraphicsDevice::kWidth - 1)), _mm_set1_epi16(-1)));
        }
#else
        for (int r = 0; r < rows; ++r) {
            xl[t][r] = static_cast<int16_t>(std::clamp<int>(std::max(l0[r], l1[r]), 0, GraphicsDevice::kWidth));
            xr[t][r] = static_cast<int16_t>(std::clamp<int>(std::min(r0[r], r1[r]) - 1, -1, GraphicsDevice::kWidth - 1));
        }
#endif
        // Rows outside the triangle, and those its horizontal edge drops,
        // are empty.
        const detail::PreparedTriangle& tri = *tris[t];
        const int first = tri.yStart - yFirst, last = tri.yEnd - yFirst;
        for (int r = 0; r < first; ++r) xl[t][r] = GraphicsDevice::kWidth;
        for (int r = last + 1; r < rows; ++r) xl[t][r] = GraphicsDevice::kWidth;
        for (int r = first; tri.flat && r <= last; ++r) {
            const double by = tri.flat->b * (static_cast<double>(yFirst + r) - tri.flat->ry);
            if (!(by > 0 || (by == 0 && tri.flat->inclusive))) xl[t][r] = GraphicsDevice::kWidth;
        }
    }

    int count = 0;
    for (int r = 0; r < rows; ++r) {
        const int y = yFirst + r;
        const int la = xl[0][r], ha = xr[0][r];
        if constexpr (N == 2) {
            const int lb = xl[1][r], hb = xr[1][r];
            if (la <= ha && lb <= hb) {
                if (ha + 1 == lb) {
                    out[count++] = Span{y, la, hb, lb, 0};
                    continue;
                }
                if (hb + 1 == la) {
                    out[count++] = Span{y, lb, ha, la, 1};
                    continue;
                }
            }
            if (la <= ha) out[count++] = Span{y, la, ha, ha + 1, 0};
            if (lb <= hb) out[count++] = Span{y, lb, hb, hb + 1, 1};
        } else {
            if (la <= ha) out[count++] = Span{y, la, ha, ha + 1, 0};
        }
    }
    return count;
}

}  // namespace

void GraphicsDevice::DrawTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    detail::PreparedTriangle t;
    if (!PrepareTriangle(a, b, c, t)) return;
    Span spans[kHeight];
    const detail::PreparedTriangle* const tris[1] = {&t};
    const int count = BuildRows(tris, spans);
    t.fill(detail::Rows{{&t.setup, nullptr}, spans, count}, colour_.data(), depth_.data());
}

bool GraphicsDevice::DrawQuadPair(const Vertex* v) {
    if (std::memcmp(&v[3], &v[0], sizeof(Vertex)) != 0 || std::memcmp(&v[4], &v[2], sizeof(Vertex)) != 0) return false;
    detail::PreparedTriangle first, second;
    const bool hasFirst = PrepareTriangle(v[0], v[1], v[2], first);
    const bool hasSecond = PrepareTriangle(v[3], v[4], v[5], second);
    Span spans[kMaxSpans];
    if (hasFirst && hasSecond && first.fill == second.fill) {
        const detail::PreparedTriangle* const tris[2] = {&first, &second};
        const int count = BuildRows(tris, spans);
        first.fill(detail::Rows{{&first.setup, &second.setup}, spans, count}, colour_.data(), depth_.data());
        return true;
    }
    for (const detail::PreparedTriangle* t : {hasFirst ? &first : nullptr, hasSecond ? &second : nullptr}) {
        if (!t) continue;
        const detail::PreparedTriangle* const tris[1] = {t};
        const int count = BuildRows(tris, spans);
        t->fill(detail::Rows{{&t->setup, nullptr}, spans, count}, colour_.data(), depth_.data());
    }
    return true;
}

bool GraphicsDevice::PrepareTriangle(const Vertex& v0, const Vertex& v1In, const Vertex& v2In,
                                     detail::PreparedTriangle& out) {
    const Vertex* p1 = &v1In;
    const Vertex* p2 = &v2In;
    double area = (static_cast<double>(p1->x) - v0.x) * (static_cast<double>(p2->y) - v0.y) -
                  (static_cast<double>(p2->x) - v0.x) * (static_cast<double>(p1->y) - v0.y);
    if (!(std::isfinite(area)) || area == 0.0) return false;
    if (area < 0) {
        std::swap(p1, p2);
        area = -area;
    }
    const Vertex& v1 = *p1;
    const Vertex& v2 = *p2;

    const double minY = std::min({static_cast<double>(v0.y), static_cast<double>(v1.y), static_cast<double>(v2.y)});
    const double maxY = std::max({static_cast<double>(v0.y), static_cast<double>(v1.y), static_cast<double>(v2.y)});
    if (!std::isfinite(minY) || !std::isfinite(maxY)) return false;
    out.yStart = static_cast<int>(std::clamp(std::ceil(minY), 0.0, static_cast<double>(kHeight)));
    out.yEnd = static_cast<int>(std::clamp(std::floor(maxY), -1.0, static_cast<double>(kHeight - 1)));
    if (out.yStart > out.yEnd) return false;

    out.setup = SpanSetup{};
    if (!Setup(v0, v1, v2, area, out.setup)) return false;
    out.fill = spanFn_;
    out.edges[0] = MakeEdge(v0, v1);
    out.edges[1] = MakeEdge(v1, v2);
    out.edges[2] = MakeEdge(v2, v0);
    // A triangle has one or two edges on each side.
    out.left[0] = out.left[1] = out.right[0] = out.right[1] = out.flat = nullptr;
    for (const Edge& e : out.edges) {
        if (e.a == 0) out.flat = &e;
        else if (e.a > 0) out.left[out.left[0] ? 1 : 0] = &e;
        else out.right[out.right[0] ? 1 : 0] = &e;
    }
    if (!out.left[0] || !out.right[0]) return false;
    if (!out.left[1]) out.left[1] = out.left[0];
    if (!out.right[1]) out.right[1] = out.right[0];
    return true;
}

bool GraphicsDevice::DrawAxisAlignedQuad(const Vertex* v) {
    // Two triangles (a, b, c) and (a, c, d) of an unrotated rectangle: the
    // top-left rule gives exactly the pixels whose centres lie in
    // [left, right) x [top, bottom), so the rows need no edge walking.
    const Vertex &a = v[0], &b = v[1], &c = v[2], &d = v[5];
    if (!(v[3].x == a.x && v[3].y == a.y && v[4].x == c.x && v[4].y == c.y)) return false;
    if (!(a.y == b.y && c.y == d.y && a.x == d.x && b.x == c.x)) return false;
    if (!(v[3].u == a.u && v[3].v == a.v && v[4].u == c.u && v[4].v == c.v)) return false;
    if (!(a.diffuse == b.diffuse && a.diffuse == c.diffuse && a.diffuse == d.diffuse)) return false;
    if (!(a.z == b.z && a.z == c.z && a.z == d.z)) return false;
    const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const double top = std::min(a.y, d.y), bottom = std::max(a.y, d.y);
    if (!std::isfinite(left + right + top + bottom)) return false;
    const double area = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y);
    if (area == 0) return true;
    const int x0 = static_cast<int>(std::clamp(std::ceil(left), 0.0, static_cast<double>(kWidth)));
    const int x1 = static_cast<int>(std::clamp(std::ceil(right) - 1, -1.0, static_cast<double>(kWidth - 1)));
    const int y0 = static_cast<int>(std::clamp(std::ceil(top), 0.0, static_cast<double>(kHeight)));
    const int y1 = static_cast<int>(std::clamp(std::ceil(bottom) - 1, -1.0, static_cast<double>(kHeight - 1)));
    if (x0 > x1 || y0 > y1) return true;
    SpanSetup s{};
    if (!Setup(a, b, c, area, s)) return true;
    Span spans[kHeight];
    int count = 0;
    for (int y = y0; y <= y1; ++y) spans[count++] = Span{y, x0, x1, x1 + 1, 0};
    spanFn_(detail::Rows{{&s, nullptr}, spans, count}, colour_.data(), depth_.data());
    return true;
}

bool GraphicsDevice::Setup(const Vertex& v0, const Vertex& v1, const Vertex& v2, double area, SpanSetup& s) {
    const double x10 = static_cast<double>(v1.x) - v0.x, y10 = static_cast<double>(v1.y) - v0.y;
    const double x20 = static_cast<double>(v2.x) - v0.x, y20 = static_cast<double>(v2.y) - v0.y;
    auto plane = [&](double f0, double f1, double f2, double& dx, double& dy) {
        const double d1 = f1 - f0, d2 = f2 - f0;
        dx = (d1 * y20 - d2 * y10) / area;
        dy = (d2 * x10 - d1 * x20) / area;
    };
    s.x0 = v0.x;
    s.y0 = v0.y;
    s.texels = texture_ ? texture_->Pixels() : nullptr;
    s.texW = texture_ ? texture_->Width() : 1;
    s.texH = texture_ ? texture_->Height() : 1;
    s.uMask = s.texW - 1;
    s.vMask = s.texH - 1;
    s.pow2 = (s.texW & s.uMask) == 0 && (s.texH & s.vMask) == 0;
    s.rowShift = s.pow2 ? __builtin_ctz(s.texW) : 0;
    if (s.texels) {
        plane(static_cast<double>(v0.u) * s.texW, static_cast<double>(v1.u) * s.texW, static_cast<double>(v2.u) * s.texW, s.uvDx[0], s.uvDy[0]);
        plane(static_cast<double>(v0.v) * s.texH, static_cast<double>(v1.v) * s.texH, static_cast<double>(v2.v) * s.texH, s.uvDx[1], s.uvDy[1]);
        s.uv0[0] = static_cast<double>(v0.u) * s.texW;
        s.uv0[1] = static_cast<double>(v0.v) * s.texH;
        // Texture coordinates far outside any sprite's range draw nothing sensible.
        if (!std::isfinite(s.uvDx[0] + s.uvDy[0] + s.uvDx[1] + s.uvDy[1] + s.uv0[0] + s.uv0[1]) ||
            std::fabs(s.uv0[0]) > 1e9 || std::fabs(s.uv0[1]) > 1e9 || std::fabs(s.uvDx[0]) > 1e6 ||
            std::fabs(s.uvDx[1]) > 1e6 || std::fabs(s.uvDy[0]) > 1e6 || std::fabs(s.uvDy[1]) > 1e6)
            return false;
        s.dudxFix = std::llround(s.uvDx[0] * 65536.0);
        s.dvdxFix = std::llround(s.uvDx[1] * 65536.0);
    }
    s.z0 = std::isfinite(v0.z) ? v0.z : 0.0;
    plane(s.z0, std::isfinite(v1.z) ? v1.z : 0.0, std::isfinite(v2.z) ? v2.z : 0.0, s.dzdx, s.dzdy);
    if (!std::isfinite(s.dzdx + s.dzdy)) s.dzdx = s.dzdy = 0;
    s.zConstant = s.dzdx == 0 && s.dzdy == 0;
    s.zConst = QuantiseDepth(s.z0);
    s.zTest = zEnable_;
    s.zWrite = zWrite_;
    if (s.zTest && s.zConstant && !depthDirty_) {
        // The depth buffer still holds one cleared value: the test passes
        // everywhere or nowhere.
        if (s.zConst > depthClearValue_) return false;
        s.zTest = false;
    }
    if (s.zWrite) depthDirty_ = true;

    const uint32_t diffuse = v0.diffuse;
    s.dA = diffuse >> 24;
    s.dR = (diffuse >> 16) & 0xFF;
    s.dG = (diffuse >> 8) & 0xFF;
    s.dB = diffuse & 0xFF;
    s.factorA = textureFactor_ >> 24;
    s.srcBlend = srcBlend_;
    s.destBlend = destBlend_;

    OpKind op;
    switch (colourOp_) {
        case kTopSelectArg1: op = kOpTexture; s.dA = 255; break;
        case kTopSelectArg2: op = kOpDiffuse; break;
        case kTopBlendFactorAlpha: op = kOpFactor; break;
        default:
            op = diffuse == 0xFFFFFFFFu ? kOpTexture : (diffuse & 0xFFFFFFu) == 0xFFFFFFu ? kOpModulateAlpha : kOpModulate;
            break;
    }
    BlendKind blend = kBlendGeneric;
    if (!blendEnable_ || (srcBlend_ == kBlendOne && destBlend_ == kBlendZero)) blend = kBlendNone;
    else if (srcBlend_ == kBlendSrcAlpha && destBlend_ == kBlendInvSrcAlpha) blend = kBlendAlpha;
    else if (srcBlend_ == kBlendOne && destBlend_ == kBlendOne) blend = kBlendAdd;
    else if (srcBlend_ == kBlendSrcAlpha && destBlend_ == kBlendOne) blend = kBlendAddAlpha;
    spanFn_ = PickSpan(op, blend);
    return true;
}

bool SaveColourBufferPng(const GraphicsDevice& device, const char* path) {
    std::vector<uint8_t> rgb(static_cast<size_t>(GraphicsDevice::kWidth) * GraphicsDevice::kHeight * 3);
    const uint32_t* src = device.ColourBuffer();
    for (size_t i = 0; i < static_cast<size_t>(GraphicsDevice::kWidth) * GraphicsDevice::kHeight; ++i) {
        rgb[3 * i] = (src[i] >> 16) & 0xFF;
        rgb[3 * i + 1] = (src[i] >> 8) & 0xFF;
        rgb[3 * i + 2] = src[i] & 0xFF;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = GraphicsDevice::kWidth;
    image.height = GraphicsDevice::kHeight;
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace platform
