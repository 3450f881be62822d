#include "platform/GraphicsDevice.h"

#include <png.h>

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
    std::fill(depth_.begin(), depth_.end(), static_cast<uint16_t>(std::lround(d * 65535.0f)));
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
    for (int i = 0; i < triangleCount; ++i) DrawTriangle(vertices[3 * i], vertices[3 * i + 1], vertices[3 * i + 2]);
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
    bool inclusive; // top-left rule: left edges and top edges own their pixels
};

Edge MakeEdge(const Vertex& p, const Vertex& q) {
    Edge e;
    e.a = static_cast<double>(p.y) - q.y;
    e.b = static_cast<double>(q.x) - p.x;
    const bool pFirst = p.x < q.x || (p.x == q.x && p.y < q.y);
    e.rx = pFirst ? p.x : q.x;
    e.ry = pFirst ? p.y : q.y;
    e.inclusive = e.a > 0 || (e.a == 0 && e.b > 0);
    return e;
}

}  // namespace

void GraphicsDevice::DrawTriangle(const Vertex& v0, const Vertex& v1In, const Vertex& v2In) {
    const Vertex* p1 = &v1In;
    const Vertex* p2 = &v2In;
    double area = (static_cast<double>(p1->x) - v0.x) * (static_cast<double>(p2->y) - v0.y) -
                  (static_cast<double>(p2->x) - v0.x) * (static_cast<double>(p1->y) - v0.y);
    if (!(std::isfinite(area)) || area == 0.0) return;
    if (area < 0) {
        std::swap(p1, p2);
        area = -area;
    }
    const Vertex& v1 = *p1;
    const Vertex& v2 = *p2;
    const Edge edges[3] = {MakeEdge(v0, v1), MakeEdge(v1, v2), MakeEdge(v2, v0)};

    const double minY = std::min({static_cast<double>(v0.y), static_cast<double>(v1.y), static_cast<double>(v2.y)});
    const double maxY = std::max({static_cast<double>(v0.y), static_cast<double>(v1.y), static_cast<double>(v2.y)});
    if (!std::isfinite(minY) || !std::isfinite(maxY)) return;
    const int yStart = static_cast<int>(std::clamp(std::ceil(minY), 0.0, static_cast<double>(kHeight)));
    const int yEnd = static_cast<int>(std::clamp(std::floor(maxY), -1.0, static_cast<double>(kHeight - 1)));
    if (yStart > yEnd) return;

    // Attribute planes: f(x, y) = f0 + dfdx (x - x0) + dfdy (y - y0).
    const double x10 = static_cast<double>(v1.x) - v0.x, y10 = static_cast<double>(v1.y) - v0.y;
    const double x20 = static_cast<double>(v2.x) - v0.x, y20 = static_cast<double>(v2.y) - v0.y;
    auto plane = [&](double f0, double f1, double f2, double& dx, double& dy) {
        const double d1 = f1 - f0, d2 = f2 - f0;
        dx = (d1 * y20 - d2 * y10) / area;
        dy = (d2 * x10 - d1 * x20) / area;
    };
    const uint32_t texW = texture_ ? texture_->Width() : 1;
    const uint32_t texH = texture_ ? texture_->Height() : 1;
    double dudx = 0, dudy = 0, dvdx = 0, dvdy = 0, dzdx, dzdy;
    double u0 = 0, vv0 = 0;
    if (texture_) {
        plane(static_cast<double>(v0.u) * texW, static_cast<double>(v1.u) * texW, static_cast<double>(v2.u) * texW, dudx, dudy);
        plane(static_cast<double>(v0.v) * texH, static_cast<double>(v1.v) * texH, static_cast<double>(v2.v) * texH, dvdx, dvdy);
        u0 = static_cast<double>(v0.u) * texW;
        vv0 = static_cast<double>(v0.v) * texH;
        // Texture coordinates far outside any sprite's range draw nothing sensible.
        if (!std::isfinite(dudx + dudy + dvdx + dvdy + u0 + vv0) ||
            std::fabs(u0) > 1e9 || std::fabs(vv0) > 1e9 || std::fabs(dudx) > 1e6 || std::fabs(dvdx) > 1e6 ||
            std::fabs(dudy) > 1e6 || std::fabs(dvdy) > 1e6) return;
    }
    plane(v0.z, v1.z, v2.z, dzdx, dzdy);
    const double zStart = std::isfinite(v0.z) ? v0.z : 0.0;
    if (!std::isfinite(dzdx + dzdy + zStart)) dzdx = dzdy = 0;

    // Per-draw constants.
    const uint32_t diffuse = v0.diffuse;
    const uint32_t dA = diffuse >> 24, dR = (diffuse >> 16) & 0xFF, dG = (diffuse >> 8) & 0xFF, dB = diffuse & 0xFF;
    const uint32_t factorA = textureFactor_ >> 24;
    const uint32_t op = colourOp_;
    const bool blend = blendEnable_;
    const uint32_t srcBlend = srcBlend_, destBlend = destBlend_;
    const bool zTest = zEnable_, zWrite = zWrite_;
    // A fully transparent source pixel leaves the target alone under these blends.
    const bool skipClear = !zWrite && blend &&
                           ((srcBlend == kBlendSrcAlpha && (destBlend == kBlendInvSrcAlpha || destBlend == kBlendOne)));
    const uint32_t* texels = texture_ ? texture_->Pixels() : nullptr;
    const uint32_t uMask = texW - 1, vMask = texH - 1;
    const bool pow2 = (texW & uMask) == 0 && (texH & vMask) == 0;
    const int64_t dudxFix = std::llround(dudx * 65536.0);
    const int64_t dvdxFix = std::llround(dvdx * 65536.0);

    for (int y = yStart; y <= yEnd; ++y) {
        int xl = 0, xr = kWidth - 1;
        bool rowEmpty = false;
        for (const Edge& e : edges) {
            const double by = e.b * (static_cast<double>(y) - e.ry);
            if (e.a == 0) {
                if (!(by > 0 || (by == 0 && e.inclusive))) rowEmpty = true;
                continue;
            }
            const double t = e.rx + (-by) / e.a;
            if (e.a > 0) {
                double bound = e.inclusive ? std::ceil(t) : std::floor(t) + 1;
                if (bound > xl) xl = bound > kWidth ? kWidth : static_cast<int>(bound);
            } else {
                double bound = std::ceil(t) - 1;
                if (bound < xr) xr = bound < -1 ? -1 : static_cast<int>(bound);
            }
        }
        if (rowEmpty || xl > xr) continue;

        const double ox = xl - static_cast<double>(v0.x), oy = y - static_cast<double>(v0.y);
        int64_t uf = static_cast<int64_t>(std::floor((u0 + dudx * ox + dudy * oy) * 65536.0));
        int64_t vf = static_cast<int64_t>(std::floor((vv0 + dvdx * ox + dvdy * oy) * 65536.0));
        double z = zStart + dzdx * ox + dzdy * oy;
        uint32_t* cp = colour_.data() + static_cast<size_t>(y) * kWidth;
        uint16_t* zp = depth_.data() + static_cast<size_t>(y) * kWidth;
        for (int x = xl; x <= xr; ++x, uf += dudxFix, vf += dvdxFix, z += dzdx) {
            uint16_t zq = 0;
            if (zTest || zWrite) {
                const double zc = z < 0 ? 0 : (z > 1 ? 1 : z);
                zq = static_cast<uint16_t>(zc * 65535.0 + 0.5);
                if (zTest && zq > zp[x]) continue;
            }
            uint32_t tex = 0xFFFFFFFFu;
            if (texels) {
                int64_t tu = uf >> 16, tv = vf >> 16;
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
            const uint32_t tA = tex >> 24;
            const uint32_t a = Mul255(tA, dA);
            if (a == 0 && skipClear) continue;
            uint32_t r, g, b;
            const uint32_t tR = (tex >> 16) & 0xFF, tG = (tex >> 8) & 0xFF, tB = tex & 0xFF;
            switch (op) {
                case kTopSelectArg1: r = tR; g = tG; b = tB; break;
                case kTopSelectArg2: r = dR; g = dG; b = dB; break;
                case kTopBlendFactorAlpha:
                    r = Mul255(tR, factorA) + Mul255(dR, 255 - factorA);
                    g = Mul255(tG, factorA) + Mul255(dG, 255 - factorA);
                    b = Mul255(tB, factorA) + Mul255(dB, 255 - factorA);
                    break;
                case kTopModulate:
                default:
                    r = Mul255(tR, dR); g = Mul255(tG, dG); b = Mul255(tB, dB);
                    break;
            }
            if (blend) {
                const uint32_t dst = cp[x];
                const uint32_t sf = Factor(srcBlend, a), df = Factor(destBlend, a);
                r = std::min(255u, Mul255(r, sf) + Mul255((dst >> 16) & 0xFF, df));
                g = std::min(255u, Mul255(g, sf) + Mul255((dst >> 8) & 0xFF, df));
                b = std::min(255u, Mul255(b, sf) + Mul255(dst & 0xFF, df));
            }
            cp[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
            if (zWrite) zp[x] = zq;
        }
    }
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
