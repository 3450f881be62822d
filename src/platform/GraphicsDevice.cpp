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
    : colour_(static_cast<size_t>(kWidth) * kMaxHeight, 0xFF000000u),
      depth_(static_cast<size_t>(kWidth) * kMaxHeight, 0xFFFF) {
    otherStates_[static_cast<int>(RenderState::ZFunc)] = kCmpLessEqual;
}

Result GraphicsDevice::Clear(uint32_t argb, float depth) {
    const size_t used = static_cast<size_t>(kWidth) * height_;
    std::fill(colour_.begin(), colour_.begin() + used, argb | 0xFF000000u);
    const float d = std::clamp(depth, 0.0f, 1.0f);
    const uint16_t value = static_cast<uint16_t>(std::lround(d * 65535.0f));
    // Most frames write no depth: the buffer then still holds the value.
    if (depthDirty_ || value != depthClearValue_) std::fill(depth_.begin(), depth_.begin() + used, value);
    depthClearValue_ = value;
    depthDirty_ = false;
    return kOk;
}

Result GraphicsDevice::BeginScene() { return kOk; }
Result GraphicsDevice::EndScene() { return kOk; }

Result GraphicsDevice::Present() {
    ++presentCount_;
    if (!presenter_) return kOk;
    if (width_ == kWidth) {
        presenter_(colour_.data(), width_, height_);
        return kOk;
    }
    packed_.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
        std::copy_n(colour_.begin() + static_cast<ptrdiff_t>(y) * kWidth, width_,
                    packed_.begin() + static_cast<ptrdiff_t>(y) * width_);
    presenter_(packed_.data(), width_, height_);
    return kOk;
}

Result GraphicsDevice::Reset() { return kOk; }

Result GraphicsDevice::Reset(int width, int height) {
    if (width < 1 || width > kWidth || height < 1 || height > kMaxHeight) return kFail;
    width_ = width;
    height_ = height;
    std::fill(colour_.begin(), colour_.end(), 0xFF000000u);
    std::fill(depth_.begin(), depth_.end(), depthClearValue_);
    depthDirty_ = false;
    return kOk;
}

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

struct Edge {
    double a, b;    // E(x, y) = a (x - rx) + b (y - ry), positive inside
    double rx, ry;  // reference vertex: the same for both directions of an edge
    double k;       // -b / a: x moves by k per row along the edge
    bool inclusive; // top-left rule: left edges and top edges own their pixels
};

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

// How texture and vertex colour combine (the colour operation, with the
// common white-vertex modulate taken apart).
enum OpKind { kOpTexture, kOpModulateAlpha, kOpModulate, kOpDiffuse, kOpFactor };
// The frame-buffer blend.
enum BlendKind { kBlendNone, kBlendAlpha, kBlendAdd, kBlendAddAlpha, kBlendGeneric };

}  // namespace

namespace detail {

struct SpanSetup {
    // Attribute planes relative to (x0, y0), in texels for u and v.
    double x0, y0, u0, v0, z0;
    double dudx, dudy, dvdx, dvdy, dzdx, dzdy;
    int64_t dudxFix, dvdxFix;
    const uint32_t* texels;
    uint32_t texW, texH, uMask, vMask;
    bool pow2;
    uint32_t dA, dR, dG, dB, factorA;
    uint32_t srcBlend, destBlend;
    bool zTest, zWrite, zConstant;
    uint16_t zConst;
};

struct PreparedTriangle {
    SpanSetup setup;
    SpanFn fill;
    Span spans[GraphicsDevice::kMaxHeight];
    int count;
};

}  // namespace detail

namespace {

using detail::Span;
using detail::SpanSetup;

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
// A texture coordinate in texels to 16.16 fixed point, rounded down.
inline int64_t ToFixed(double texels) {
    constexpr double kLimit = 4.0e18;
    return FloorInt(std::clamp(texels * 65536.0, -kLimit, kLimit));
}

// The texels along one span, in order, from a power-of-two texture. The
// coordinates are 16.16 fixed point; only their low 32 bits matter, since
// wrapping keeps at most 16 bits of whole texels, so they step as 32-bit
// words. CrossesRows is false when the span stays on one texel row (an
// unrotated sprite); then v never moves.
template <bool CrossesRows>
class SpanTexels {
public:
    SpanTexels(const uint32_t* texels, uint32_t texW, uint32_t uMask, uint32_t vMask, int64_t u, int64_t v, int64_t du,
               int64_t dv)
        : texels_(CrossesRows ? texels : texels + (static_cast<uint32_t>(v >> 16) & vMask) * texW),
          uMask_(uMask), vMask_(vMask), texW_(texW), rowShift_(__builtin_ctz(texW)),
          u_(static_cast<uint32_t>(u)), v_(static_cast<uint32_t>(v)),
          du_(static_cast<uint32_t>(du)), dv_(static_cast<uint32_t>(dv)) {}

    // Steps back n pixels.
    void Back(int n) {
        u_ -= static_cast<uint32_t>(n) * du_;
        v_ -= static_cast<uint32_t>(n) * dv_;
    }

    uint32_t Next() {
        uint32_t i = (u_ >> 16) & uMask_;
        if constexpr (CrossesRows) i += ((v_ >> 16) & vMask_) * texW_;
        u_ += du_;
        v_ += dv_;
        return texels_[i];
    }

#ifdef __SSE2__
    // The next four texels, the first in the lowest lane.
    __m128i Next4() {
        if constexpr (!CrossesRows) {
            const uint32_t t0 = Next(), t1 = Next(), t2 = Next(), t3 = Next();
            return _mm_setr_epi32(static_cast<int>(t0), static_cast<int>(t1), static_cast<int>(t2), static_cast<int>(t3));
        }
        const __m128i steps = _mm_setr_epi32(0, static_cast<int>(du_), static_cast<int>(2 * du_), static_cast<int>(3 * du_));
        const __m128i u = _mm_add_epi32(_mm_set1_epi32(static_cast<int>(u_)), steps);
        __m128i index = _mm_and_si128(_mm_srli_epi32(u, 16), _mm_set1_epi32(static_cast<int>(uMask_)));
        if constexpr (CrossesRows) {
            const __m128i vSteps =
                _mm_setr_epi32(0, static_cast<int>(dv_), static_cast<int>(2 * dv_), static_cast<int>(3 * dv_));
            const __m128i v = _mm_add_epi32(_mm_set1_epi32(static_cast<int>(v_)), vSteps);
            const __m128i row = _mm_and_si128(_mm_srli_epi32(v, 16), _mm_set1_epi32(static_cast<int>(vMask_)));
            index = _mm_add_epi32(index, _mm_sll_epi32(row, _mm_cvtsi32_si128(rowShift_)));
        }
        const uint64_t low = static_cast<uint64_t>(_mm_cvtsi128_si64(index));
        const uint64_t high = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(index, index)));
        u_ += 4 * du_;
        v_ += 4 * dv_;
        return _mm_setr_epi32(static_cast<int>(texels_[static_cast<uint32_t>(low)]),
                              static_cast<int>(texels_[low >> 32]),
                              static_cast<int>(texels_[static_cast<uint32_t>(high)]),
                              static_cast<int>(texels_[high >> 32]));
    }
#endif

private:
    const uint32_t* texels_;
    uint32_t uMask_, vMask_, texW_;
    int rowShift_;  // log2 of texW_
    uint32_t u_, v_, du_, dv_;
};

// A second source of texels that takes over from the first at pixel
// `boundary` of a row: the two halves of a turned sprite meet on their
// shared edge, and each keeps its own texture coordinates.
class JoinedTexels {
public:
    JoinedTexels(const SpanTexels<true>& first, const SpanTexels<true>& second, int x, int boundary)
        : first_(first), second_(second), x_(x), boundary_(boundary) {}

    uint32_t Next() { return x_++ < boundary_ ? first_.Next() : second_.Next(); }

#ifdef __SSE2__
    __m128i Next4() {
        const int x = x_;
        x_ += 4;
        if (x + 3 < boundary_) return first_.Next4();
        if (x >= boundary_) return second_.Next4();
        // The group where the halves meet: the second half steps back so that
        // its lanes line up with the pixels, and each lane takes its own half.
        second_.Back(boundary_ - x);
        const __m128i fromFirst = _mm_cmpgt_epi32(_mm_set1_epi32(boundary_ - x), _mm_setr_epi32(0, 1, 2, 3));
        const __m128i a = first_.Next4(), b = second_.Next4();
        return _mm_or_si128(_mm_and_si128(fromFirst, a), _mm_andnot_si128(fromFirst, b));
    }
#endif

private:
    SpanTexels<true> first_, second_;
    int x_, boundary_;
};

template <OpKind Op, BlendKind Blend>
void FillSpans(const detail::Rows& first, const detail::Rows* second, uint32_t* colour, uint16_t* depth) {
    const SpanSetup& s = *first.setup;
    // Everything the loops read lives in locals: the stores into the colour
    // buffer would otherwise force the set-up to be read again per pixel.
    const uint32_t* const texels = s.texels;
    const double x0 = s.x0, y0 = s.y0, z0 = s.z0, dzdx = s.dzdx, dzdy = s.dzdy;
    const int64_t du = s.dudxFix, dv = s.dvdxFix;
    const uint32_t uMask = s.uMask, vMask = s.vMask, texW = s.texW, texH = s.texH;
    const bool pow2 = s.pow2;
    const uint32_t vA = s.dA, vR = s.dR, vG = s.dG, vB = s.dB, fA = s.factorA;
    const uint32_t srcBlend = s.srcBlend, destBlend = s.destBlend;
    const bool zTest = s.zTest, zWrite = s.zWrite, zConstant = s.zConstant;
    const uint16_t zConst = s.zConst;
    // Without depth work and with a power-of-two texture, whole groups of
    // pixels are shaded at once.
    const bool grouped = texels && pow2 && !zTest && !zWrite;
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

#ifdef __SSE2__
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
#endif

    // Shades pixels xl..xr of the current row with texels taken in order
    // from src, four pixels at a time where the blend allows.
    auto groupedSpan = [&](auto& src, int xl, int xr) __attribute__((always_inline)) {
        int x = xl;
#ifdef __SSE2__
        constexpr bool kFour = ((Op == kOpTexture || Op == kOpModulateAlpha) && Blend == kBlendAlpha) ||
                               (Op == kOpTexture && Blend == kBlendAdd);
        if constexpr (kFour) {
            for (; x + 3 <= xr; x += 4) group.template operator()<false>(src.Next4(), x, 4);
            // The last few pixels as a part group, unless it would reach
            // past the end of the row.
            if (x <= xr && x + 3 < GraphicsDevice::kWidth) {
                group.template operator()<true>(src.Next4(), x, xr - x + 1);
                return;
            }
        }
#endif
        for (; x <= xr; ++x) {
            const uint32_t tex = src.Next();
            if (Op == kOpTexture && Blend == kBlendAlpha && (tex >> 24) == 255) cp[x] = tex;
            else shade.template operator()<false>(tex, x, 0.0);
        }
    };

    // Where each span starts in the texture, all worked out before any
    // drawing: a span then never waits on the arithmetic of its own start.
    auto starts = [&](const detail::Rows& rows, int64_t* u, int64_t* v) {
        const SpanSetup& p = *rows.setup;
        for (int i = 0; i < rows.count; ++i) {
            const double ox = rows.spans[i].xl - p.x0, oy = rows.spans[i].y - p.y0;
            u[i] = ToFixed(p.u0 + p.dudx * ox + p.dudy * oy);
            v[i] = ToFixed(p.v0 + p.dvdx * ox + p.dvdy * oy);
        }
    };
    int64_t uStart[GraphicsDevice::kMaxHeight], vStart[GraphicsDevice::kMaxHeight];
    if (texels) starts(first, uStart, vStart);

    if (second) {
        // Both halves of a turned sprite (grouped drawing only), row by row.
        // Where a row holds a span of each and they meet, one pass crosses
        // both; otherwise the first half's span goes first, as it would
        // when the halves were drawn one after the other.
        int64_t uSecond[GraphicsDevice::kMaxHeight], vSecond[GraphicsDevice::kMaxHeight];
        starts(*second, uSecond, vSecond);
        const SpanSetup& t = *second->setup;
        auto texelsOf = [&](const SpanSetup& p, int64_t u, int64_t v) {
            return SpanTexels<true>(texels, texW, uMask, vMask, u, v, p.dudxFix, p.dvdxFix);
        };
        int i = 0, j = 0;
        while (i < first.count || j < second->count) {
            const Span* a = i < first.count ? &first.spans[i] : nullptr;
            const Span* b = j < second->count ? &second->spans[j] : nullptr;
            const int y = a && (!b || a->y <= b->y) ? a->y : b->y;
            cp = colour + static_cast<size_t>(y) * GraphicsDevice::kWidth;
            const bool hasA = a && a->y == y, hasB = b && b->y == y;
            if (hasA && hasB && (a->xr + 1 == b->xl || b->xr + 1 == a->xl)) {
                SpanTexels<true> ta = texelsOf(s, uStart[i], vStart[i]), tb = texelsOf(t, uSecond[j], vSecond[j]);
                if (a->xr + 1 == b->xl) {
                    JoinedTexels src(ta, tb, a->xl, b->xl);
                    groupedSpan(src, a->xl, b->xr);
                } else {
                    JoinedTexels src(tb, ta, b->xl, a->xl);
                    groupedSpan(src, b->xl, a->xr);
                }
            } else {
                if (hasA) {
                    SpanTexels<true> src = texelsOf(s, uStart[i], vStart[i]);
                    groupedSpan(src, a->xl, a->xr);
                }
                if (hasB) {
                    SpanTexels<true> src = texelsOf(t, uSecond[j], vSecond[j]);
                    groupedSpan(src, b->xl, b->xr);
                }
            }
            i += hasA;
            j += hasB;
        }
        return;
    }

    const Span* const spans = first.spans;
    const int count = first.count;
    for (int i = 0; i < count; ++i) {
        const int y = spans[i].y, xl = spans[i].xl, xr = spans[i].xr;
        cp = colour + static_cast<size_t>(y) * GraphicsDevice::kWidth;
        zp = depth + static_cast<size_t>(y) * GraphicsDevice::kWidth;
        int64_t uf = texels ? uStart[i] : 0, vf = texels ? vStart[i] : 0;
        if (grouped) {
            if (dv == 0) {
                // The common sprite: one texel row for the whole span.
                SpanTexels<false> src(texels, texW, uMask, vMask, uf, vf, du, dv);
                groupedSpan(src, xl, xr);
            } else {
                SpanTexels<true> src(texels, texW, uMask, vMask, uf, vf, du, dv);
                groupedSpan(src, xl, xr);
            }
            continue;
        }
        double z = z0 + dzdx * (xl - x0) + dzdy * (y - y0);
        for (int x = xl; x <= xr; ++x, uf += du, vf += dv, z += dzdx) {
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
    }
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

}  // namespace

void GraphicsDevice::DrawTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    detail::PreparedTriangle t;
    if (!PrepareTriangle(a, b, c, t)) return;
    t.fill(detail::Rows{&t.setup, t.spans, t.count}, nullptr, colour_.data(), depth_.data());
}

namespace {
// Whether the span routines shade this primitive a group of pixels at a time.
bool Grouped(const SpanSetup& s) { return s.texels && s.pow2 && !s.zTest && !s.zWrite; }
}  // namespace

bool GraphicsDevice::DrawQuadPair(const Vertex* v) {
    if (std::memcmp(&v[3], &v[0], sizeof(Vertex)) != 0 || std::memcmp(&v[4], &v[2], sizeof(Vertex)) != 0) return false;
    detail::PreparedTriangle first, second;
    const bool hasFirst = PrepareTriangle(v[0], v[1], v[2], first);
    const bool hasSecond = PrepareTriangle(v[3], v[4], v[5], second);
    const detail::Rows a{&first.setup, first.spans, first.count}, b{&second.setup, second.spans, second.count};
    if (hasFirst && hasSecond && first.fill == second.fill && Grouped(first.setup) && Grouped(second.setup)) {
        first.fill(a, &b, colour_.data(), depth_.data());
        return true;
    }
    if (hasFirst) first.fill(a, nullptr, colour_.data(), depth_.data());
    if (hasSecond) second.fill(b, nullptr, colour_.data(), depth_.data());
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
    const int yStart = static_cast<int>(std::clamp(std::ceil(minY), 0.0, static_cast<double>(height_)));
    const int yEnd = static_cast<int>(std::clamp(std::floor(maxY), -1.0, static_cast<double>(height_ - 1)));
    if (yStart > yEnd) return false;

    out.setup = SpanSetup{};
    if (!Setup(v0, v1, v2, area, out.setup)) return false;
    out.fill = spanFn_;
    const Edge edges[3] = {MakeEdge(v0, v1), MakeEdge(v1, v2), MakeEdge(v2, v0)};
    // A left edge (the inside lies to its right) bounds each row from the
    // left and owns the pixels on it; a right edge bounds it from the right
    // and does not; a horizontal edge keeps or drops whole rows. A triangle
    // has one or two of each side.
    const Edge* left[2] = {nullptr, nullptr};
    const Edge* right[2] = {nullptr, nullptr};
    const Edge* flat = nullptr;
    for (const Edge& e : edges) {
        if (e.a == 0) flat = &e;
        else if (e.a > 0) left[left[0] ? 1 : 0] = &e;
        else right[right[0] ? 1 : 0] = &e;
    }
    if (!left[0] || !right[0]) return false;
    if (!left[1]) left[1] = left[0];
    if (!right[1]) right[1] = right[0];

    // The edge crosses row y at x = t; both triangles sharing an edge compute
    // the same t, so the rule splits its pixels exactly. Crossings far off the
    // screen are cut down to a range whose ceiling fits an integer and still
    // lies off the screen.
    auto crossing = [](const Edge* e, double y) __attribute__((always_inline)) {
        constexpr double kFar = 1.0e15;
        return CeilInt(std::clamp(e->rx + e->k * (y - e->ry), -kFar, kFar));
    };
    int count = 0;
    auto rows = [&]<bool TwoLeft>() __attribute__((always_inline)) {
        for (int y = yStart; y <= yEnd; ++y) {
            const double fy = y;
            if (flat) {
                const double by = flat->b * (fy - flat->ry);
                if (!(by > 0 || (by == 0 && flat->inclusive))) continue;
            }
            const int64_t l = TwoLeft ? std::max(crossing(left[0], fy), crossing(left[1], fy)) : crossing(left[0], fy);
            const int64_t r = (TwoLeft ? crossing(right[0], fy) : std::min(crossing(right[0], fy), crossing(right[1], fy))) - 1;
            const int xl = static_cast<int>(std::clamp<int64_t>(l, 0, width_));
            const int xr = static_cast<int>(std::clamp<int64_t>(r, -1, width_ - 1));
            if (xl > xr) continue;
            out.spans[count++] = Span{y, xl, xr};
        }
    };
    // Three edges: two on one side, one (or a horizontal one) on the other.
    if (left[1] != left[0]) rows.template operator()<true>();
    else rows.template operator()<false>();
    out.count = count;
    return count > 0;
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
    const int x0 = static_cast<int>(std::clamp(std::ceil(left), 0.0, static_cast<double>(width_)));
    const int x1 = static_cast<int>(std::clamp(std::ceil(right) - 1, -1.0, static_cast<double>(width_ - 1)));
    const int y0 = static_cast<int>(std::clamp(std::ceil(top), 0.0, static_cast<double>(height_)));
    const int y1 = static_cast<int>(std::clamp(std::ceil(bottom) - 1, -1.0, static_cast<double>(height_ - 1)));
    if (x0 > x1 || y0 > y1) return true;
    SpanSetup s{};
    if (!Setup(a, b, c, area, s)) return true;
    Span spans[kMaxHeight];
    int count = 0;
    for (int y = y0; y <= y1; ++y) spans[count++] = Span{y, x0, x1};
    spanFn_(detail::Rows{&s, spans, count}, nullptr, colour_.data(), depth_.data());
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
    if (s.texels) {
        plane(static_cast<double>(v0.u) * s.texW, static_cast<double>(v1.u) * s.texW, static_cast<double>(v2.u) * s.texW, s.dudx, s.dudy);
        plane(static_cast<double>(v0.v) * s.texH, static_cast<double>(v1.v) * s.texH, static_cast<double>(v2.v) * s.texH, s.dvdx, s.dvdy);
        s.u0 = static_cast<double>(v0.u) * s.texW;
        s.v0 = static_cast<double>(v0.v) * s.texH;
        // Texture coordinates far outside any sprite's range draw nothing sensible.
        if (!std::isfinite(s.dudx + s.dudy + s.dvdx + s.dvdy + s.u0 + s.v0) || std::fabs(s.u0) > 1e9 ||
            std::fabs(s.v0) > 1e9 || std::fabs(s.dudx) > 1e6 || std::fabs(s.dvdx) > 1e6 || std::fabs(s.dudy) > 1e6 ||
            std::fabs(s.dvdy) > 1e6)
            return false;
        s.dudxFix = std::llround(s.dudx * 65536.0);
        s.dvdxFix = std::llround(s.dvdx * 65536.0);
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
    const int w = device.Width(), h = device.Height();
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = device.Pixel(x, y);
            uint8_t* out = &rgb[3 * (static_cast<size_t>(y) * w + x)];
            out[0] = (p >> 16) & 0xFF;
            out[1] = (p >> 8) & 0xFF;
            out[2] = p & 0xFF;
        }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace platform
