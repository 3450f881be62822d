#include "platform/GraphicsDevice.h"

#include "platform/SpanFill.h"

#include <png.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

uint64_t NewStamp() {
    static std::atomic<uint64_t> next{1};
    return next++;
}

// The devices holding back draws that read textures: a texture about to
// change or go has them drawn first.
std::vector<GraphicsDevice*>& HoldingDevices() {
    // Never destroyed: textures built before it may go after it.
    static auto* devices = new std::vector<GraphicsDevice*>;
    return *devices;
}

void DrawEverythingHeldBack() {
    // Drawing takes each device off the list.
    while (!HoldingDevices().empty()) HoldingDevices().back()->DrawHeldBack();
}

void ForgetHolding(GraphicsDevice* device) {
    auto& devices = HoldingDevices();
    devices.erase(std::remove(devices.begin(), devices.end(), device), devices.end());
}

}  // namespace

Texture::Texture(uint32_t width, uint32_t height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0u), stamp_(NewStamp()) {}

Texture::~Texture() { DrawEverythingHeldBack(); }

uint32_t* Texture::Pixels() {
    DrawEverythingHeldBack();
    stamp_ = NewStamp();
    opaque_ = -1;
    return pixels_.data();
}

bool Texture::Opaque() const {
    if (opaque_ < 0)
        opaque_ = std::all_of(pixels_.begin(), pixels_.end(), [](uint32_t t) { return (t >> 24) == 0xFF; }) ? 1 : 0;
    return opaque_ == 1;
}

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
    uint32_t* texels = tex->Pixels();  // taken once: each call counts as a change
    for (uint32_t y = 0; y < ch; ++y) {
        const uint32_t* src = decoded.data() + static_cast<size_t>(y) * image.width;
        uint32_t* dst = texels + static_cast<size_t>(y) * width;
        for (uint32_t x = 0; x < cw; ++x) dst[x] = src[x] == colourKey ? 0u : src[x];
    }
    return tex;
}

namespace {

// Fills n pixels with one value, sixteen bytes at a time (the compiler
// leaves the plain loop a pixel at a time).
void FillPixels(uint32_t* p, size_t n, uint32_t value) {
    size_t i = 0;
#ifdef __SSE2__
    const __m128i v = _mm_set1_epi32(static_cast<int>(value));
    for (; i + 8 <= n; i += 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 4), v);
    }
#endif
    for (; i < n; ++i) p[i] = value;
}

// Fills `count` row ends, rounded up to whole groups of eight, with x.
void FillRowEnds(int16_t* ends, int count, int x) {
    const int groups = (count + 7) / 8;
#ifdef __SSE2__
    const __m128i v = _mm_set1_epi16(static_cast<short>(x));
    for (int g = 0; g < groups; ++g) _mm_store_si128(reinterpret_cast<__m128i*>(ends + 8 * g), v);
#else
    std::fill_n(ends, 8 * groups, static_cast<int16_t>(x));
#endif
}

}  // namespace

GraphicsDevice::GraphicsDevice()
    : colour_(static_cast<size_t>(kWidth) * kMaxHeight, 0xFF000000u),
      depth_(static_cast<size_t>(kWidth) * kMaxHeight, 0xFFFF) {
    otherStates_[static_cast<int>(RenderState::ZFunc)] = kCmpLessEqual;
}

GraphicsDevice::~GraphicsDevice() { ForgetHolding(this); }

GraphicsDevice::DrawState GraphicsDevice::CurrentDrawState() const {
    DrawState s;
    s.texture = texture_;
    s.textureStamp = texture_ ? texture_->Stamp() : 0;
    s.textureFactor = textureFactor_;
    s.srcBlend = srcBlend_;
    s.destBlend = destBlend_;
    s.colourOp = colourOp_;
    s.zEnable = zEnable_;
    s.zWrite = zWrite_;
    s.blendEnable = blendEnable_;
    s.portableSpans = portableSpans_;
    return s;
}

void GraphicsDevice::ApplyDrawState(const DrawState& s) {
    texture_ = s.texture;
    textureFactor_ = s.textureFactor;
    srcBlend_ = s.srcBlend;
    destBlend_ = s.destBlend;
    colourOp_ = s.colourOp;
    zEnable_ = s.zEnable;
    zWrite_ = s.zWrite;
    blendEnable_ = s.blendEnable;
    portableSpans_ = s.portableSpans;
}

bool GraphicsDevice::LastCommandRepeats() const {
    const size_t i = frame_.commands.size() - 1;
    if (i >= shown_.commands.size()) return false;
    const FrameCommand& now = frame_.commands[i];
    const FrameCommand& then = shown_.commands[i];
    if (now.clear != then.clear) return false;
    if (now.clear) return now.clearArgb == then.clearArgb && now.clearDepth == then.clearDepth;
    return now.state == then.state && now.vertexCount == then.vertexCount &&
           std::memcmp(&frame_.vertices[now.firstVertex], &shown_.vertices[then.firstVertex],
                       now.vertexCount * sizeof(Vertex)) == 0;
}

void GraphicsDevice::StopHolding() {
    holding_ = false;
    shownValid_ = false;
    ForgetHolding(this);
    const DrawState current = CurrentDrawState();
    for (const FrameCommand& c : frame_.commands) {
        if (c.clear) {
            ClearNow(c.clearArgb, c.clearDepth);
            continue;
        }
        ApplyDrawState(c.state);
        DrawNow(static_cast<int>(c.vertexCount / 3), &frame_.vertices[c.firstVertex]);
    }
    ApplyDrawState(current);
}

void GraphicsDevice::DrawHeldBack() {
    if (holding_) StopHolding();
    FillPendingClear();
}

void GraphicsDevice::FillPendingClear() {
    if (!clearPending_) return;
    clearPending_ = false;
    FillPixels(colour_.data(), static_cast<size_t>(kWidth) * height_, pendingClearArgb_);
}

Result GraphicsDevice::Clear(uint32_t argb, float depth) {
    // Nothing drawn before a clear shows after it: the frame's log starts
    // here, and from here on it may repeat the frame shown.
    logging_ = true;
    frame_.Clear();
    FrameCommand c;
    c.clear = true;
    c.clearArgb = argb;
    c.clearDepth = depth;
    frame_.commands.push_back(c);
    if (shownValid_ && LastCommandRepeats()) {
        if (!holding_) HoldingDevices().push_back(this);
        holding_ = true;
        return kOk;
    }
    if (holding_) StopHolding();  // draws this clear
    else ClearNow(argb, depth);
    return kOk;
}

void GraphicsDevice::ClearNow(uint32_t argb, float depth) {
    const size_t used = static_cast<size_t>(kWidth) * height_;
    // The colour waits for the first draw: a picture-wide opaque one makes
    // it pointless.
    clearPending_ = true;
    pendingClearArgb_ = argb | 0xFF000000u;
    const float d = std::clamp(depth, 0.0f, 1.0f);
    const uint16_t value = static_cast<uint16_t>(std::lround(d * 65535.0f));
    // Most frames write no depth: the buffer then still holds the value.
    if (depthDirty_ || value != depthClearValue_) std::fill(depth_.begin(), depth_.begin() + used, value);
    depthClearValue_ = value;
    depthDirty_ = false;
}

Result GraphicsDevice::BeginScene() { return kOk; }
Result GraphicsDevice::EndScene() { return kOk; }

Result GraphicsDevice::Present() {
    ++presentCount_;
    const bool repeats = holding_ && frame_.commands.size() == shown_.commands.size();
    if (repeats) {
        holding_ = false;
        ForgetHolding(this);
    }
    DrawHeldBack();
    if (!repeats) {
        // The buffers hold this frame: the next one may repeat it.
        std::swap(frame_, shown_);
        shownValid_ = logging_;
    }
    logging_ = false;
    frame_.Clear();
    repeated_ = repeats && !presenterFresh_ && presenter_;
    if (!presenter_) return kOk;
    presenterFresh_ = false;
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
    DrawHeldBack();
    logging_ = shownValid_ = false;
    frame_.Clear();
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
    if (!logging_) {
        // Drawn onto whatever the last frame left: this picture is no
        // frame another can repeat.
        shownValid_ = false;
        DrawNow(triangleCount, vertices);
        return kOk;
    }
    FrameCommand c;
    c.state = CurrentDrawState();
    c.firstVertex = frame_.vertices.size();
    c.vertexCount = static_cast<size_t>(triangleCount) * 3;
    frame_.vertices.insert(frame_.vertices.end(), vertices, vertices + c.vertexCount);
    frame_.commands.push_back(c);
    if (holding_) {
        if (LastCommandRepeats()) return kOk;
        StopHolding();  // draws this one as well
        return kOk;
    }
    DrawNow(triangleCount, vertices);
    return kOk;
}

void GraphicsDevice::DrawNow(int triangleCount, const Vertex* vertices) {
    for (int i = 0; i < triangleCount; ++i) {
        if (i + 1 < triangleCount && (DrawAxisAlignedQuad(vertices + 3 * i) || DrawQuadPair(vertices + 3 * i))) {
            ++i;
            continue;
        }
        DrawTriangle(vertices[3 * i], vertices[3 * i + 1], vertices[3 * i + 2]);
    }
}

namespace detail {

struct Edge {
    double a, b;    // E(x, y) = a (x - rx) + b (y - ry), positive inside
    double rx, ry;  // reference vertex: the same for both directions of an edge
    double k;       // -b / a: x moves by k per row along the edge
    bool inclusive; // top-left rule: left edges and top edges own their pixels
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

using detail::BlendKind;
using detail::Edge;
using detail::OpKind;
using detail::Rows;
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

#ifndef __SSE2__
// Ceiling by truncation, without a library call; the callers keep the
// values well inside the 64-bit range.
inline int64_t CeilInt(double x) {
    const int64_t i = static_cast<int64_t>(x);
    return i + (x > static_cast<double>(i));
}
#endif

// The rows of one triangle, or of the two halves of a sprite, with their
// set-ups, on a back buffer `width` pixels wide. An edge the halves share is
// crossed once per row.
template <int N>
void BuildRows(const detail::PreparedTriangle* const (&tris)[N], int width, Rows& out) {
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
    int yFirst = GraphicsDevice::kMaxHeight, yLast = -1;
    for (int t = 0; t < N; ++t) {
        for (int side = 0; side < 2; ++side) {
            left[t][side] = slot(tris[t]->left[side]);
            right[t][side] = slot(tris[t]->right[side]);
        }
        yFirst = std::min(yFirst, tris[t]->yStart);
        yLast = std::max(yLast, tris[t]->yEnd);
    }
    const int rows = yLast - yFirst + 1;
    out.yFirst = yFirst;
    out.count = rows;
    out.setup[0] = &tris[0]->setup;
    out.setup[1] = N == 2 ? &tris[N - 1]->setup : nullptr;
    // Rows are worked out eight at a time.
    constexpr int kRows = detail::kRowSlots;

    // Where each edge crosses each row, rounded up: the first pixel right of
    // it. Both triangles sharing an edge compute the same value, so the
    // top-left rule splits its pixels exactly. Crossings are cut down to
    // -1..width + 1: any beyond give the same spans.
    const double kLow = -1.0, kHigh = width + 1;
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
    for (int t = 0; t < N; ++t) {
        int16_t* const xl = out.xl[t];
        int16_t* const xr = out.xr[t];
        const int16_t *l0 = crossing[left[t][0]], *l1 = crossing[left[t][1]];
        const int16_t *r0 = crossing[right[t][0]], *r1 = crossing[right[t][1]];
#ifdef __SSE2__
        auto at = [](const int16_t* row, int r) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + r)); };
        for (int r = 0; r < rows; r += 8) {
            const __m128i l = _mm_max_epi16(at(l0, r), at(l1, r));
            const __m128i h = _mm_sub_epi16(_mm_min_epi16(at(r0, r), at(r1, r)), _mm_set1_epi16(1));
            _mm_store_si128(reinterpret_cast<__m128i*>(&xl[r]),
                            _mm_min_epi16(_mm_max_epi16(l, _mm_setzero_si128()), _mm_set1_epi16(static_cast<short>(width))));
            _mm_store_si128(reinterpret_cast<__m128i*>(&xr[r]),
                            _mm_max_epi16(_mm_min_epi16(h, _mm_set1_epi16(static_cast<short>(width - 1))), _mm_set1_epi16(-1)));
        }
#else
        for (int r = 0; r < rows; ++r) {
            xl[r] = static_cast<int16_t>(std::clamp<int>(std::max(l0[r], l1[r]), 0, width));
            xr[r] = static_cast<int16_t>(std::clamp<int>(std::min(r0[r], r1[r]) - 1, -1, width - 1));
        }
#endif
        // Rows outside the triangle, and those its horizontal edge drops,
        // are empty.
        const detail::PreparedTriangle& tri = *tris[t];
        const int first = tri.yStart - yFirst, last = tri.yEnd - yFirst;
        for (int r = 0; r < first; ++r) xl[r] = static_cast<int16_t>(width);
        for (int r = last + 1; r < rows; ++r) xl[r] = static_cast<int16_t>(width);
        for (int r = first; tri.flat && r <= last; ++r) {
            const double by = tri.flat->b * (static_cast<double>(yFirst + r) - tri.flat->ry);
            if (!(by > 0 || (by == 0 && tri.flat->inclusive))) xl[r] = static_cast<int16_t>(width);
        }
    }

}

}  // namespace

void GraphicsDevice::DrawTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    detail::PreparedTriangle t;
    if (!PrepareTriangle(a, b, c, t)) return;
    FillPendingClear();
    Rows rows;
    const detail::PreparedTriangle* const tris[1] = {&t};
    BuildRows(tris, width_, rows);
    t.fill(rows, colour_.data(), depth_.data());
}

bool GraphicsDevice::DrawQuadPair(const Vertex* v) {
    if (std::memcmp(&v[3], &v[0], sizeof(Vertex)) != 0 || std::memcmp(&v[4], &v[2], sizeof(Vertex)) != 0) return false;
    detail::PreparedTriangle first, second;
    const bool hasFirst = PrepareTriangle(v[0], v[1], v[2], first);
    const bool hasSecond = PrepareTriangle(v[3], v[4], v[5], second);
    if (hasFirst || hasSecond) FillPendingClear();
    Rows rows;
    if (hasFirst && hasSecond && first.fill == second.fill) {
        const detail::PreparedTriangle* const tris[2] = {&first, &second};
        BuildRows(tris, width_, rows);
        first.fill(rows, colour_.data(), depth_.data());
        return true;
    }
    for (const detail::PreparedTriangle* t : {hasFirst ? &first : nullptr, hasSecond ? &second : nullptr}) {
        if (!t) continue;
        const detail::PreparedTriangle* const tris[1] = {t};
        BuildRows(tris, width_, rows);
        t->fill(rows, colour_.data(), depth_.data());
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
    out.yStart = static_cast<int>(std::clamp(std::ceil(minY), 0.0, static_cast<double>(height_)));
    out.yEnd = static_cast<int>(std::clamp(std::floor(maxY), -1.0, static_cast<double>(height_ - 1)));
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
    const int x0 = static_cast<int>(std::clamp(std::ceil(left), 0.0, static_cast<double>(width_)));
    const int x1 = static_cast<int>(std::clamp(std::ceil(right) - 1, -1.0, static_cast<double>(width_ - 1)));
    const int y0 = static_cast<int>(std::clamp(std::ceil(top), 0.0, static_cast<double>(height_)));
    const int y1 = static_cast<int>(std::clamp(std::ceil(bottom) - 1, -1.0, static_cast<double>(height_ - 1)));
    if (x0 > x1 || y0 > y1) return true;
    SpanSetup s{};
    if (!Setup(a, b, c, area, s)) return true;
    if (clearPending_) {
        // A first draw that sets every pixel of the picture, whatever lay
        // beneath, leaves nothing of the clear to see.
        const bool whole = width_ == kWidth && x0 == 0 && x1 == width_ - 1 && y0 == 0 && y1 == height_ - 1;
        const bool opaque = lastBlend_ == detail::kBlendNone ||
                            (lastBlend_ == detail::kBlendAlpha && lastOp_ == detail::kOpTexture &&
                             (!texture_ || texture_->Opaque()));
        if (whole && opaque && !s.zTest) clearPending_ = false;
        else FillPendingClear();
    }
    Rows rows;
    rows.setup[0] = &s;
    rows.setup[1] = nullptr;
    rows.yFirst = y0;
    rows.count = y1 - y0 + 1;
    FillRowEnds(rows.xl[0], rows.count, x0);
    FillRowEnds(rows.xr[0], rows.count, x1);
    spanFn_(rows, colour_.data(), depth_.data());
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
    s.zConst = detail::QuantisedDepth(s.z0);
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
        case kTopSelectArg1: op = detail::kOpTexture; s.dA = 255; break;
        case kTopSelectArg2: op = detail::kOpDiffuse; break;
        case kTopBlendFactorAlpha: op = detail::kOpFactor; break;
        default:
            op = diffuse == 0xFFFFFFFFu                 ? detail::kOpTexture
                 : (diffuse & 0xFFFFFFu) == 0xFFFFFFu ? detail::kOpModulateAlpha
                                                      : detail::kOpModulate;
            break;
    }
    BlendKind blend = detail::kBlendGeneric;
    if (!blendEnable_ || (srcBlend_ == kBlendOne && destBlend_ == kBlendZero)) blend = detail::kBlendNone;
    else if (srcBlend_ == kBlendSrcAlpha && destBlend_ == kBlendInvSrcAlpha) blend = detail::kBlendAlpha;
    else if (srcBlend_ == kBlendOne && destBlend_ == kBlendOne) blend = detail::kBlendAdd;
    else if (srcBlend_ == kBlendSrcAlpha && destBlend_ == kBlendOne) blend = detail::kBlendAddAlpha;
    spanFn_ = detail::PickSpan(op, blend, portableSpans_);
    lastOp_ = op;
    lastBlend_ = blend;
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
