#pragma once
// The span routines, written once for any width of vector: a set of them is
// made by instantiating PickSpanFor with a lane type (Lanes4 for SSE2,
// Lanes8 for AVX2, NoLanes for plain C++). Each translation unit that does so
// gets its own copies: everything here has internal linkage, so routines
// built for AVX2 never stand in for the portable ones.
//
// Only the texel fetch and the blends that the game's sprites use (opaque
// or alpha-blended texture, half-faded or tinted texture, additive texture,
// plain or tinted) work a vector at a time; every other state is shaded a
// pixel at a time.
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#ifdef __AVX2__
#include <immintrin.h>
#endif

#include "platform/SpanFill.h"

namespace platform::detail {
namespace {

inline uint32_t Min(uint32_t a, uint32_t b) { return a < b ? a : b; }
inline double Clamp(double x, double lo, double hi) { return x < lo ? lo : (hi < x ? hi : x); }

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

inline uint16_t QuantiseDepth(double z) {
    const double zc = z < 0 ? 0 : (z > 1 ? 1 : z);
    return static_cast<uint16_t>(zc * 65535.0 + 0.5);
}

// Floor by truncation, without a library call; the callers keep the values
// well inside the 64-bit range.
inline int64_t FloorInt(double x) {
    const int64_t i = static_cast<int64_t>(x);
    return i - (x < static_cast<double>(i));
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
    u = FloorInt(Clamp((p.uv0[0] + p.uvDx[0] * ox + p.uvDy[0] * oy) * 65536.0, -kFixedLimit, kFixedLimit));
    v = FloorInt(Clamp((p.uv0[1] + p.uvDx[1] * ox + p.uvDy[1] * oy) * 65536.0, -kFixedLimit, kFixedLimit));
#endif
}

// Whether a set-up is shaded a vector at a time: a power-of-two texture
// (whose row index fits a 16-bit shift) and no depth work.
inline bool Grouped(const SpanSetup& s) { return s.texels && s.pow2 && s.rowShift <= 16 && !s.zTest && !s.zWrite; }

// No vectors: every pixel on its own.
struct NoLanes {
    static constexpr int kCount = 0;
};

#ifdef __SSE2__
// Four 32-bit lanes of SSE2.
struct Lanes4 {
    static constexpr int kCount = 4;
    using V = __m128i;
    static V Set(uint32_t x) { return _mm_set1_epi32(static_cast<int>(x)); }
    static V Set16(uint16_t x) { return _mm_set1_epi16(static_cast<short>(x)); }
    // start, start + step, start + 2 step, ...
    static V Steps(uint32_t start, uint32_t step) {
        return _mm_setr_epi32(static_cast<int>(start), static_cast<int>(start + step),
                              static_cast<int>(start + 2 * step), static_cast<int>(start + 3 * step));
    }
    static V Lane() { return _mm_setr_epi32(0, 1, 2, 3); }  // each lane's number
    static V Zero() { return _mm_setzero_si128(); }
    static V Add(V a, V b) { return _mm_add_epi32(a, b); }
    static V Sub(V a, V b) { return _mm_sub_epi32(a, b); }
    static V SignMask(V a) { return _mm_srai_epi32(a, 31); }
    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V AndNot(V a, V b) { return _mm_andnot_si128(a, b); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static V Equal(V a, V b) { return _mm_cmpeq_epi32(a, b); }
    static V Greater(V a, V b) { return _mm_cmpgt_epi32(a, b); }
    static V ShiftRight16(V a) { return _mm_srli_epi32(a, 16); }
    static V ShiftRight(V a, int n) { return _mm_srl_epi32(a, _mm_cvtsi32_si128(n)); }
    static V Select(V mask, V a, V b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }
    static bool AllSet(V mask) { return _mm_movemask_epi8(mask) == 0xFFFF; }
    static V Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static void Store(uint32_t* p, V a) { _mm_storeu_si128(reinterpret_cast<V*>(p), a); }
    static V AddSaturated8(V a, V b) { return _mm_adds_epu8(a, b); }
    // Channels widened to 16 bits: the first and the second half of the
    // pixels (within each 128-bit block), and back.
    static V Low16(V a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }
    static V High16(V a) { return _mm_unpackhi_epi8(a, _mm_setzero_si128()); }
    static V Pack16(V lo, V hi) { return _mm_packus_epi16(lo, hi); }
    // Each pixel's alpha in all four of its 16-bit channels.
    static V Alpha16(V a) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, 0xFF), 0xFF); }
    static V Add16(V a, V b) { return _mm_add_epi16(a, b); }
    static V Sub16(V a, V b) { return _mm_sub_epi16(a, b); }
    static V Mul16(V a, V b) { return _mm_mullo_epi16(a, b); }
    static V MulHigh16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    // The texels at four indices, the first in the lowest lane. (The upper
    // half is moved down with a shuffle rather than an unpack, which the
    // compiler would turn into a movhlps that waits on its target's last
    // value.)
    static V Gather(const uint32_t* texels, V index) {
        const uint64_t low = static_cast<uint64_t>(_mm_cvtsi128_si64(index));
        const uint64_t high = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_shuffle_epi32(index, 0xEE)));
        return Gather4(texels, low, high);
    }
    static __m128i Gather4(const uint32_t* texels, uint64_t low, uint64_t high) {
        auto two = [texels](uint64_t pair) {
            return _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(texels[static_cast<uint32_t>(pair)])),
                                      _mm_cvtsi32_si128(static_cast<int>(texels[pair >> 32])));
        };
        return _mm_unpacklo_epi64(two(low), two(high));
    }
};
#endif

#ifdef __AVX2__
// Eight 32-bit lanes of AVX2.
struct Lanes8 {
    static constexpr int kCount = 8;
    using V = __m256i;
    static V Set(uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
    static V Set16(uint16_t x) { return _mm256_set1_epi16(static_cast<short>(x)); }
    static V Steps(uint32_t start, uint32_t step) {
        return _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(start)),
                                _mm256_mullo_epi32(_mm256_set1_epi32(static_cast<int>(step)), Lane()));
    }
    static V Lane() { return _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7); }
    static V Zero() { return _mm256_setzero_si256(); }
    static V Add(V a, V b) { return _mm256_add_epi32(a, b); }
    static V Sub(V a, V b) { return _mm256_sub_epi32(a, b); }
    static V SignMask(V a) { return _mm256_srai_epi32(a, 31); }
    static V And(V a, V b) { return _mm256_and_si256(a, b); }
    static V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }
    static V Or(V a, V b) { return _mm256_or_si256(a, b); }
    static V Equal(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
    static V Greater(V a, V b) { return _mm256_cmpgt_epi32(a, b); }
    static V ShiftRight16(V a) { return _mm256_srli_epi32(a, 16); }
    static V ShiftRight(V a, int n) { return _mm256_srl_epi32(a, _mm_cvtsi32_si128(n)); }
    static V Select(V mask, V a, V b) { return _mm256_blendv_epi8(b, a, mask); }
    static bool AllSet(V mask) { return _mm256_movemask_epi8(mask) == -1; }
    static V Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
    static void Store(uint32_t* p, V a) { _mm256_storeu_si256(reinterpret_cast<V*>(p), a); }
    static V AddSaturated8(V a, V b) { return _mm256_adds_epu8(a, b); }
    static V Low16(V a) { return _mm256_unpacklo_epi8(a, _mm256_setzero_si256()); }
    static V High16(V a) { return _mm256_unpackhi_epi8(a, _mm256_setzero_si256()); }
    static V Pack16(V lo, V hi) { return _mm256_packus_epi16(lo, hi); }
    static V Alpha16(V a) { return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(a, 0xFF), 0xFF); }
    static V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
    static V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
    static V Mul16(V a, V b) { return _mm256_mullo_epi16(a, b); }
    static V MulHigh16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
    // The texels at eight indices. (AVX2's gather instruction is slower on
    // the processors measured than these loads.)
    static V Gather(const uint32_t* texels, V index) {
        const __m128i lo = _mm256_castsi256_si128(index), hi = _mm256_extracti128_si256(index, 1);
        const __m128i first = Lanes4::Gather4(texels, static_cast<uint64_t>(_mm_cvtsi128_si64(lo)),
                                              static_cast<uint64_t>(_mm_extract_epi64(lo, 1)));
        const __m128i second = Lanes4::Gather4(texels, static_cast<uint64_t>(_mm_cvtsi128_si64(hi)),
                                               static_cast<uint64_t>(_mm_extract_epi64(hi, 1)));
        return _mm256_inserti128_si256(_mm256_castsi128_si256(first), second, 1);
    }
};
#endif

// How a half of a primitive steps through the texture along a row: the
// offsets of the lanes from the first and the step of a vector, for u and
// for v.
template <class L>
struct PlaneSteps {
    typename L::V uLanes, vLanes, uStep, vStep;

    static PlaneSteps Of(const SpanSetup& p) {
        const uint32_t du = static_cast<uint32_t>(p.dudxFix), dv = static_cast<uint32_t>(p.dvdxFix);
        return PlaneSteps{L::Steps(0, du), L::Steps(0, dv), L::Set(L::kCount * du), L::Set(L::kCount * dv)};
    }
};

// The texels along a span that stays on one texel row (an unrotated
// sprite), a vector of pixels at a time. The coordinates are 16.16 fixed
// point; only their low 32 bits matter, since wrapping keeps at most 16 bits
// of whole texels, so they step as 32-bit words.
template <class L>
class RowTexels {
public:
    using V = typename L::V;
    RowTexels(const uint32_t* row, V uMask, uint32_t u, const PlaneSteps<L>& steps)
        : row_(row), uMask_(uMask), u_(L::Add(L::Set(u), steps.uLanes)), step_(steps.uStep) {}

    V Next() {
        const V index = L::And(L::ShiftRight16(u_), uMask_);
        u_ = L::Add(u_, step_);
        return L::Gather(row_, index);
    }

private:
    const uint32_t* row_;
    V uMask_, u_, step_;
};

// Texels taken in order from another source and kept in `copy` as they go.
template <class L, class Source>
class CopiedTexels {
public:
    using V = typename L::V;
    CopiedTexels(Source source, uint32_t* copy) : source_(source), copy_(copy) {}

    V Next() {
        const V t = source_.Next();
        L::Store(copy_, t);
        copy_ += L::kCount;
        return t;
    }

private:
    Source source_;
    uint32_t* copy_;
};

// Texels kept by CopiedTexels, given again in the same order.
template <class L>
class KeptTexels {
public:
    using V = typename L::V;
    explicit KeptTexels(const uint32_t* copy) : copy_(copy) {}

    V Next() {
        const V t = L::Load(copy_);
        copy_ += L::kCount;
        return t;
    }

private:
    const uint32_t* copy_;
};

// The texels along a span of a turned sprite, a vector of pixels at a time.
// The pixels from `boundary` on belong to the other half of the sprite: when
// both halves step alike, its coordinates are this half's plus a constant
// jump, which those lanes add.
template <class L>
class PlaneTexels {
public:
    using V = typename L::V;
    struct Wrap {
        V uMask, vMask;  // vMask is shifted up to the row's place in the index
        int vShift;      // 16 less the row shift
    };

    PlaneTexels(const uint32_t* texels, const Wrap& wrap, const PlaneSteps<L>& steps, uint32_t u, uint32_t v, int x,
                int boundary, uint32_t uJump, uint32_t vJump)
        : texels_(texels), wrap_(wrap), u_(L::Add(L::Set(u), steps.uLanes)), v_(L::Add(L::Set(v), steps.vLanes)),
          uStep_(steps.uStep), vStep_(steps.vStep),
          before_(L::Sub(L::Set(static_cast<uint32_t>(boundary - 1 - x)), L::Lane())), uJump_(L::Set(uJump)),
          vJump_(L::Set(vJump)) {}

    V Next() {
        // A lane is past the boundary when its count of pixels before it
        // has gone below zero.
        const V other = L::SignMask(before_);
        const V u = L::Add(u_, L::And(other, uJump_));
        const V v = L::Add(v_, L::And(other, vJump_));
        before_ = L::Sub(before_, L::Set(L::kCount));
        u_ = L::Add(u_, uStep_);
        v_ = L::Add(v_, vStep_);
        // Column plus row times the (power-of-two) width, both wrapped.
        const V index = L::Or(L::And(L::ShiftRight16(u), wrap_.uMask),
                              L::And(L::ShiftRight(v, wrap_.vShift), wrap_.vMask));
        return L::Gather(texels_, index);
    }

private:
    const uint32_t* texels_;
    Wrap wrap_;
    V u_, v_, uStep_, vStep_, before_, uJump_, vJump_;
};

// Where a half's span starts in the texture on each of `count` rows from
// yFirst, as TexelStart gives it (the low 32 bits).
template <class L>
void Starts(const SpanSetup& p, int yFirst, int count, const int16_t* xl, uint32_t* u, uint32_t* v) {
    int r = 0;
#ifdef __AVX2__
    if constexpr (L::kCount == 8) {
        // Four rows at a time, with the same operations in the same order
        // as TexelStart. The floor of a double below 2^51 in magnitude,
        // plus 1.5 * 2^52, holds that floor modulo 2^32 in the low word of
        // its bits.
        const __m256d x0 = _mm256_set1_pd(p.x0), y0 = _mm256_set1_pd(p.y0);
        const __m256d u0 = _mm256_set1_pd(p.uv0[0]), uDx = _mm256_set1_pd(p.uvDx[0]), uDy = _mm256_set1_pd(p.uvDy[0]);
        const __m256d v0 = _mm256_set1_pd(p.uv0[1]), vDx = _mm256_set1_pd(p.uvDx[1]), vDy = _mm256_set1_pd(p.uvDy[1]);
        const __m256d low = _mm256_set1_pd(-kFixedLimit), high = _mm256_set1_pd(kFixedLimit);
        const __m256d magic = _mm256_set1_pd(6755399441055744.0), exact = _mm256_set1_pd(2251799813685248.0);
        const __m256d sign = _mm256_set1_pd(-0.0);
        const __m256i lowWords = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6);
        auto fixed = [&](__m256d base, __m256d dx, __m256d dy, __m256d ox, __m256d oy) __attribute__((always_inline)) {
            const __m256d t = _mm256_mul_pd(_mm256_add_pd(_mm256_add_pd(base, _mm256_mul_pd(dx, ox)), _mm256_mul_pd(dy, oy)),
                                            _mm256_set1_pd(65536.0));
            return _mm256_floor_pd(_mm256_min_pd(_mm256_max_pd(t, low), high));
        };
        for (; r + 4 <= count; r += 4) {
            const __m128i xs = _mm_cvtepi16_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(xl + r)));
            const __m128i ys = _mm_add_epi32(_mm_set1_epi32(yFirst + r), _mm_setr_epi32(0, 1, 2, 3));
            const __m256d ox = _mm256_sub_pd(_mm256_cvtepi32_pd(xs), x0);
            const __m256d oy = _mm256_sub_pd(_mm256_cvtepi32_pd(ys), y0);
            const __m256d tu = fixed(u0, uDx, uDy, ox, oy), tv = fixed(v0, vDx, vDy, ox, oy);
            const __m256d far = _mm256_or_pd(_mm256_cmp_pd(_mm256_andnot_pd(sign, tu), exact, _CMP_GE_OQ),
                                             _mm256_cmp_pd(_mm256_andnot_pd(sign, tv), exact, _CMP_GE_OQ));
            if (!_mm256_testz_pd(far, far)) break;  // far-off coordinates: the rest one at a time
            const __m256i bu = _mm256_castpd_si256(_mm256_add_pd(tu, magic));
            const __m256i bv = _mm256_castpd_si256(_mm256_add_pd(tv, magic));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(u + r),
                             _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(bu, lowWords)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(v + r),
                             _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(bv, lowWords)));
        }
    }
#endif
    for (; r < count; ++r) {
        int64_t uf, vf;
        TexelStart(p, xl[r], yFirst + r, uf, vf);
        u[r] = static_cast<uint32_t>(uf);
        v[r] = static_cast<uint32_t>(vf);
    }
}

template <OpKind Op, BlendKind Blend, class L>
void FillSpans(const Rows& rows, uint32_t* colour, uint16_t* depth) {
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
                r = Min(255u, Mul255(r, a) + dR);
                g = Min(255u, Mul255(g, a) + dG);
                b = Min(255u, Mul255(b, a) + dB);
            } else {
                const uint32_t sf = Factor(srcBlend, a), df = Factor(destBlend, a);
                r = Min(255u, Mul255(r, sf) + Mul255(dR, df));
                g = Min(255u, Mul255(g, sf) + Mul255(dG, df));
                b = Min(255u, Mul255(b, sf) + Mul255(dB, df));
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
    // The blends that shade a vector of pixels at once.
    // (The additive blend reads no alpha: a texture whose vertex colour
    // only fades it adds as the bare texture does.)
    constexpr bool kVectors =
        L::kCount > 0 && (Op == kOpTexture || Op == kOpModulateAlpha || Op == kOpModulate) &&
        (Blend == kBlendAlpha || Blend == kBlendAdd);
    if constexpr (kVectors) {
        using V = typename L::V;
        constexpr int kCount = L::kCount;
        const V alphaBits = L::Set(0xFF000000u);
        const V colourBits = L::Set(0x00FFFFFFu);
        const V zero = L::Zero();
        const V round = L::Set16(128);
        const V full = L::Set16(255);
        const V vertexAlpha = L::Set16(static_cast<uint16_t>(vA));
        // The vertex colour in each pixel's four 16-bit channels.
        const V vertexColour = L::Low16(L::Set(vA << 24 | vR << 16 | vG << 8 | vB));
        const V laneNumbers = L::Lane();
        // x / 255 rounded, for 16-bit lanes holding up to 255 * 255: with
        // t = x + 128, (t + (t >> 8)) >> 8 is t * 257 >> 16.
        auto div255 = [&](V v) __attribute__((always_inline)) {
            return L::MulHigh16(L::Add16(v, round), L::Set16(257));
        };
        // Texels widened to 16 bits per channel, each channel times the
        // vertex colour's where the colour operation modulates them.
        auto tinted16 = [&](V t16) __attribute__((always_inline)) {
            if constexpr (Op == kOpModulate) return div255(L::Mul16(t16, vertexColour));
            else return t16;
        };
        // Blends pixels widened to 16 bits per channel.
        auto blend16 = [&](V src, V dst) __attribute__((always_inline)) {
            src = tinted16(src);
            V a = L::Alpha16(src);
            if constexpr (Op == kOpModulateAlpha) a = div255(L::Mul16(a, vertexAlpha));
            const V ia = L::Sub16(full, a);
            return div255(L::Add16(L::Mul16(src, a), L::Mul16(dst, ia)));
        };
        // Shades the pixels from x on with texels t, of which only the first
        // n belong to the span when Part is set; the others keep their
        // colour.
        auto shadeVector = [&]<bool Part>(V t, int x, int n) __attribute__((always_inline)) {
            uint32_t* target = cp + x;
            const V live = Part ? L::Greater(L::Set(static_cast<uint32_t>(n)), laneNumbers) : L::Equal(zero, zero);
            auto keepOutside = [&](V result, V d) __attribute__((always_inline)) {
                return Part ? L::Select(live, result, d) : result;
            };
            if constexpr (Blend == kBlendAlpha) {
                // Sheets are mostly opaque or empty texels: choose between
                // texel and target without a branch and blend the rest in 16
                // bits.
                const V a = L::And(t, alphaBits);
                const V empty = L::Or(L::Equal(a, zero), L::AndNot(live, alphaBits));
                if constexpr (Op == kOpTexture) {
                    // Empty vectors are stored back unchanged rather than
                    // skipped: a branch on them would be guessed wrong at
                    // every edge.
                    const V d = L::Load(target);
                    const V opaque = L::And(L::Equal(a, alphaBits), live);
                    if (L::AllSet(L::Or(opaque, empty))) {
                        L::Store(target, L::Select(opaque, t, d));
                        return;
                    }
                }
                if (L::AllSet(empty)) return;
                const V d = L::Load(target);
                const V lo = blend16(L::Low16(t), L::Low16(d));
                const V hi = blend16(L::High16(t), L::High16(d));
                L::Store(target, keepOutside(L::Or(L::Pack16(lo, hi), alphaBits), d));
            } else {
                // Saturating byte adds.
                const V d = L::Load(target);
                const V src = Op == kOpModulate ? L::Pack16(tinted16(L::Low16(t)), tinted16(L::High16(t))) : t;
                const V sum = L::Or(L::AddSaturated8(L::And(src, colourBits), d), alphaBits);
                L::Store(target, keepOutside(sum, d));
            }
        };
        // Shades pixels xl..xr of the current row with texels taken in order
        // from src, a vector at a time; the last few as a part vector, or one
        // at a time where a vector would reach past the end of the row.
        auto vectors = [&](auto&& src, int xl, int xr) __attribute__((always_inline)) {
            int x = xl;
            for (; x + kCount - 1 <= xr; x += kCount) shadeVector.template operator()<false>(src.Next(), x, kCount);
            if (x > xr) return;
            const V t = src.Next();
            if (x + kCount - 1 < GraphicsDevice::kWidth) {
                shadeVector.template operator()<true>(t, x, xr - x + 1);
                return;
            }
            alignas(32) uint32_t lane[kCount];
            L::Store(lane, t);
            for (int i = 0; x + i <= xr; ++i) shade.template operator()<false>(lane[i], x + i, 0.0);
        };

        // The texture's wrapping, and how each half steps through it.
        const V uMaskLanes = L::Set(uMask);
        const typename PlaneTexels<L>::Wrap wrap{uMaskLanes, L::Set(vMask << s.rowShift), 16 - s.rowShift};
        const PlaneSteps<L> steps[2] = {PlaneSteps<L>::Of(s),
                                        rows.setup[1] ? PlaneSteps<L>::Of(*rows.setup[1]) : PlaneSteps<L>{}};
        // Pixels xl..xr of the current row, from half h whose texture
        // coordinates at xl are (u, v); from `boundary` on, those of the
        // other half, which steps alike, are these plus the jumps.
        // A sprite drawn larger than its texels repeats each texel row on
        // several screen rows: a span whose texels are those of the last
        // one fetched takes them from the copy kept of them.
        alignas(32) uint32_t kept[GraphicsDevice::kWidth + kCount];
        struct {
            const uint32_t* row = nullptr;
            uint32_t u = 0;
            int half = -1, xl = 0, xr = -1;
        } keptFor;
        auto grouped = [&](int h, int xl, int xr, int boundary, uint32_t u, uint32_t v, uint32_t uJump, uint32_t vJump)
                           __attribute__((always_inline)) {
            const SpanSetup& p = *rows.setup[h];
            if (p.dvdxFix == 0 && uJump == 0 && vJump == 0) {
                // The common sprite: one texel row for the whole span.
                const uint32_t* row = texels + ((v >> 16) & vMask) * texW;
                if (row == keptFor.row && u == keptFor.u && h == keptFor.half && xl == keptFor.xl && xr == keptFor.xr) {
                    vectors(KeptTexels<L>(kept), xl, xr);
                    return;
                }
                keptFor.row = row;
                keptFor.u = u;
                keptFor.half = h;
                keptFor.xl = xl;
                keptFor.xr = xr;
                vectors(CopiedTexels<L, RowTexels<L>>(RowTexels<L>(row, uMaskLanes, u, steps[h]), kept), xl, xr);
            } else {
                vectors(PlaneTexels<L>(texels, wrap, steps[h], u, v, xl, boundary, uJump, vJump), xl, xr);
            }
        };

        // Whether each half is shaded a vector at a time, and whether a row
        // where the halves meet is crossed in one pass.
        const SpanSetup* const second = rows.setup[1];
        const bool groupedHalf[2] = {Grouped(s), second && Grouped(*second)};
        const bool joined = groupedHalf[0] && groupedHalf[1] && s.dudxFix == second->dudxFix &&
                            s.dvdxFix == second->dvdxFix;
        // Where each half's span starts in the texture on each row, all
        // worked out before any drawing: a span then never waits on the
        // arithmetic of its own start.
        alignas(32) uint32_t uStart[2][kRowSlots], vStart[2][kRowSlots];
        for (int h = 0; h < 2; ++h)
            if (groupedHalf[h]) Starts<L>(*rows.setup[h], rows.yFirst, rows.count, rows.xl[h], uStart[h], vStart[h]);
        // Pixels x0..x1 of row r from half h, whose span starts at x0.
        auto run = [&](int h, int r, int x0, int x1) __attribute__((always_inline)) {
            if (groupedHalf[h]) {
                grouped(h, x0, x1, x1 + 1, uStart[h][r], vStart[h][r], 0, 0);
            } else {
                zp = depth + static_cast<size_t>(rows.yFirst + r) * GraphicsDevice::kWidth;
                pixels(*rows.setup[h], rows.yFirst + r, x0, x1);
            }
        };
        for (int r = 0; r < rows.count; ++r) {
            cp = colour + static_cast<size_t>(rows.yFirst + r) * GraphicsDevice::kWidth;
            const int la = rows.xl[0][r], ha = rows.xr[0][r];
            if (second) {
                const int lb = rows.xl[1][r], hb = rows.xr[1][r];
                if (la <= ha && lb <= hb && (ha + 1 == lb || hb + 1 == la)) {
                    // The halves meet: h is the one on the left.
                    const int h = ha + 1 == lb ? 0 : 1;
                    const int xl = h ? lb : la, boundary = h ? la : lb, xr = h ? ha : hb;
                    if (joined) {
                        const SpanSetup& p = *rows.setup[h];
                        const uint32_t n = static_cast<uint32_t>(boundary - xl);
                        const uint32_t u = uStart[h][r], v = vStart[h][r];
                        grouped(h, xl, xr, boundary, u, v,
                                uStart[1 - h][r] - (u + n * static_cast<uint32_t>(p.dudxFix)),
                                vStart[1 - h][r] - (v + n * static_cast<uint32_t>(p.dvdxFix)));
                    } else {
                        run(h, r, xl, boundary - 1);
                        run(1 - h, r, boundary, xr);
                    }
                    continue;
                }
                if (la <= ha) run(0, r, la, ha);
                if (lb <= hb) run(1, r, lb, hb);
                continue;
            }
            if (la <= ha) run(0, r, la, ha);
        }
        return;
    }
    for (int r = 0; r < rows.count; ++r) {
        const int y = rows.yFirst + r;
        cp = colour + static_cast<size_t>(y) * GraphicsDevice::kWidth;
        zp = depth + static_cast<size_t>(y) * GraphicsDevice::kWidth;
        for (int h = 0; h < (rows.setup[1] ? 2 : 1); ++h)
            if (rows.xl[h][r] <= rows.xr[h][r]) pixels(*rows.setup[h], y, rows.xl[h][r], rows.xr[h][r]);
    }
}

template <OpKind Op, class L>
SpanFn PickBlend(BlendKind blend) {
    switch (blend) {
        case kBlendNone: return &FillSpans<Op, kBlendNone, L>;
        case kBlendAlpha: return &FillSpans<Op, kBlendAlpha, L>;
        case kBlendAdd: return &FillSpans<Op, kBlendAdd, L>;
        case kBlendAddAlpha: return &FillSpans<Op, kBlendAddAlpha, L>;
        default: return &FillSpans<Op, kBlendGeneric, L>;
    }
}

template <class L>
SpanFn PickSpanFor(OpKind op, BlendKind blend) {
    switch (op) {
        case kOpTexture: return PickBlend<kOpTexture, L>(blend);
        case kOpModulateAlpha: return PickBlend<kOpModulateAlpha, L>(blend);
        case kOpModulate: return PickBlend<kOpModulate, L>(blend);
        case kOpDiffuse: return PickBlend<kOpDiffuse, L>(blend);
        default: return PickBlend<kOpFactor, L>(blend);
    }
}

}  // namespace
}  // namespace platform::detail
