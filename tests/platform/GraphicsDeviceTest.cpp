#include "platform/GraphicsDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <tuple>
#include <vector>

#include "support/TextureHelpers.h"

using namespace platform;
using testing_support::MakePng;

namespace {

Vertex V(float x, float y, float u = 0, float v = 0, uint32_t colour = 0xFFFFFFFFu, float z = 0) {
    return Vertex{x, y, z, 1.0f, colour, 0, u, v};
}

int CountColour(const GraphicsDevice& d, uint32_t colour) {
    int n = 0;
    for (int y = 0; y < GraphicsDevice::kHeight; ++y)
        for (int x = 0; x < GraphicsDevice::kWidth; ++x) n += d.Pixel(x, y) == colour;
    return n;
}

}  // namespace

TEST(TextureLoading, ColourKeyPlacementAndCutting) {
    const uint32_t green = 0xFF00FF00u, red = 0xFFFF0000u, blue = 0xFF0000FFu;
    for (bool colormap : {false, true}) {
        // 3x2 image into a 4x4 texture: keyed green becomes transparent black,
        // the image sits top-left and the rest is transparent.
        auto png = MakePng(3, 2, {red, green, blue, blue, red, green}, colormap);
        auto tex = CreateTextureFromPng(png.data(), png.size(), 4, 4, 0xFF00FF00u);
        ASSERT_TRUE(tex) << colormap;
        EXPECT_EQ(tex->At(0, 0), red);
        EXPECT_EQ(tex->At(1, 0), 0u);
        EXPECT_EQ(tex->At(2, 0), blue);
        EXPECT_EQ(tex->At(3, 0), 0u);
        EXPECT_EQ(tex->At(2, 1), 0u);
        EXPECT_EQ(tex->At(0, 3), 0u);
        // A larger image is cut at the right and bottom.
        auto cut = CreateTextureFromPng(png.data(), png.size(), 2, 2, 0xFF00FF00u);
        ASSERT_TRUE(cut);
        EXPECT_EQ(cut->At(0, 1), blue);
        EXPECT_EQ(cut->At(1, 1), red);
    }
    const uint8_t junk[] = {1, 2, 3, 4, 5};
    EXPECT_FALSE(CreateTextureFromPng(junk, sizeof junk, 4, 4, 0));
    EXPECT_FALSE(CreateTextureFromPng(nullptr, 0, 4, 4, 0));
}

TEST(Rasterizer, PixelCentresAndTopLeftRule) {
    GraphicsDevice d;
    d.Clear(0, 1.0f);
    d.SetRenderState(RenderState::AlphaBlendEnable, 0);
    // A quad from -0.5 to 9.5 covers exactly pixels 0..9.
    const uint32_t c = 0xFF102030u;
    Vertex q[6] = {V(-0.5f, -0.5f, 0, 0, c), V(9.5f, -0.5f, 0, 0, c), V(9.5f, 9.5f, 0, 0, c),
                   V(-0.5f, -0.5f, 0, 0, c), V(9.5f, 9.5f, 0, 0, c), V(-0.5f, 9.5f, 0, 0, c)};
    d.DrawPrimitiveUP(2, q, sizeof(Vertex));
    EXPECT_EQ(CountColour(d, c), 100);
    EXPECT_EQ(d.Pixel(9, 9), c);
    EXPECT_NE(d.Pixel(10, 9), c);

    // Edges through pixel centres: a quad from 0 to 4 owns columns and rows
    // 0..3 (left and top edges inclusive, right and bottom exclusive).
    d.Clear(0, 1.0f);
    Vertex e[6] = {V(0, 0, 0, 0, c), V(4, 0, 0, 0, c), V(4, 4, 0, 0, c), V(0, 0, 0, 0, c), V(4, 4, 0, 0, c), V(0, 4, 0, 0, c)};
    d.DrawPrimitiveUP(2, e, sizeof(Vertex));
    EXPECT_EQ(CountColour(d, c), 16);
    EXPECT_EQ(d.Pixel(0, 0), c);
    EXPECT_EQ(d.Pixel(3, 3), c);
    EXPECT_NE(d.Pixel(4, 0), c);
}

TEST(Rasterizer, SharedDiagonalDrawsEveryPixelOnce) {
    // Additive quads at arbitrary angles: a pixel on the shared edge that
    // both triangles drew would come out twice as bright.
    for (float angle : {0.3f, 0.785398f, 1.2f, 2.5f}) {
        GraphicsDevice d;
        d.Clear(0, 1.0f);
        d.SetRenderState(RenderState::AlphaBlendEnable, 1);
        d.SetRenderState(RenderState::SrcBlend, kBlendOne);
        d.SetRenderState(RenderState::DestBlend, kBlendOne);
        const float cx = 200, cy = 150, h = 40, cs = std::cos(angle), sn = std::sin(angle);
        auto corner = [&](float x, float y) { return V(cx + x * cs - y * sn, cy + x * sn + y * cs, 0, 0, 0xFF404040u); };
        Vertex tl = corner(-h, -h), tr = corner(h, -h), br = corner(h, h), bl = corner(-h, h);
        Vertex q[6] = {tl, tr, br, tl, br, bl};
        d.DrawPrimitiveUP(2, q, sizeof(Vertex));
        int lit = 0;
        for (int y = 0; y < GraphicsDevice::kHeight; ++y)
            for (int x = 0; x < GraphicsDevice::kWidth; ++x) {
                const uint32_t p = d.Pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(p == 0 || p == 0x404040) << angle << " at " << x << "," << y;
                lit += p != 0;
            }
        EXPECT_NEAR(lit, 80 * 80, 80 * 4) << angle;
    }
}

TEST(Rasterizer, RejectsBrokenInput) {
    GraphicsDevice d;
    d.Clear(0, 1.0f);
    const float nan = std::nanf("");
    Vertex t[3] = {V(nan, 0), V(10, 0), V(0, 10)};
    EXPECT_EQ(d.DrawPrimitiveUP(1, t, sizeof(Vertex)), kOk);
    Vertex huge[3] = {V(-1e30f, -1e30f), V(1e30f, 0), V(0, 1e30f)};
    EXPECT_EQ(d.DrawPrimitiveUP(1, huge, sizeof(Vertex)), kOk);
    EXPECT_NE(d.DrawPrimitiveUP(1, t, 16), kOk);
}

TEST(Device, ClearAndPresentReachThePresenter) {
    GraphicsDevice d;
    int presented = 0;
    uint32_t first = 0;
    d.SetPresenter([&](const uint32_t* px, int w, int h) {
        ++presented;
        first = px[0];
        EXPECT_EQ(w, 480);
        EXPECT_EQ(h, 320);
    });
    d.Clear(0xFF112233u, 1.0f);
    EXPECT_EQ(d.Depth(5, 5), 0xFFFF);
    EXPECT_EQ(d.Present(), kOk);
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(first, 0xFF112233u);
}

TEST(Device, AFreshlyClearedFrameTakesSpritesAtTheFarthestDepth) {
    // Depth test less-or-equal against a frame cleared to 1.0: a sprite at
    // depth 1.0 is drawn, on the fast quad path and on a rotated one alike;
    // once depth 0.5 has been written, depth 1.0 there is hidden.
    GraphicsDevice d;
    d.Clear(0, 1.0f);
    d.SetRenderState(RenderState::AlphaBlendEnable, 0);
    const uint32_t c = 0xFF405060u, e = 0xFF0000FFu;
    Vertex flat[6] = {V(-0.5f, -0.5f, 0, 0, c, 1.0f), V(3.5f, -0.5f, 0, 0, c, 1.0f), V(3.5f, 3.5f, 0, 0, c, 1.0f),
                      V(-0.5f, -0.5f, 0, 0, c, 1.0f), V(3.5f, 3.5f, 0, 0, c, 1.0f), V(-0.5f, 3.5f, 0, 0, c, 1.0f)};
    d.DrawPrimitiveUP(2, flat, sizeof(Vertex));
    EXPECT_EQ(CountColour(d, c), 16);
    Vertex tilted[3] = {V(50, 50, 0, 0, c, 1.0f), V(60, 52, 0, 0, c, 1.0f), V(52, 60, 0, 0, c, 1.0f)};
    d.DrawPrimitiveUP(1, tilted, sizeof(Vertex));
    EXPECT_EQ(d.Pixel(53, 53), c);

    d.SetRenderState(RenderState::ZWriteEnable, 1);
    Vertex nearer[6] = {V(-0.5f, -0.5f, 0, 0, e, 0.5f), V(1.5f, -0.5f, 0, 0, e, 0.5f), V(1.5f, 1.5f, 0, 0, e, 0.5f),
                        V(-0.5f, -0.5f, 0, 0, e, 0.5f), V(1.5f, 1.5f, 0, 0, e, 0.5f), V(-0.5f, 1.5f, 0, 0, e, 0.5f)};
    d.DrawPrimitiveUP(2, nearer, sizeof(Vertex));
    d.DrawPrimitiveUP(2, flat, sizeof(Vertex));
    EXPECT_EQ(d.Pixel(0, 0), e);
    EXPECT_EQ(d.Pixel(3, 3), c);
}

TEST(Rasterizer, TurnedQuadsDrawAsTheirTwoTrianglesWould) {
    // A turned sprite's two triangles are filled together, row by row, a
    // group of pixels at a time; drawn one triangle per call they take the
    // one-triangle path. Both must give the same pixels, wherever the halves
    // meet inside a group, at the screen's edges and under every blend.
    Texture tex(64, 64);
    for (uint32_t i = 0; i < 64 * 64; ++i) {
        const uint32_t a = i % 7 == 0 ? 0u : (i % 5 == 0 ? 0x80u : 0xFFu);
        tex.Pixels()[i] = a << 24 | ((i * 2654435761u) & 0xFFFFFFu);
    }
    struct Blend {
        uint32_t src, dest, colour;
    };
    const Blend blends[] = {{kBlendSrcAlpha, kBlendInvSrcAlpha, 0xFFFFFFFFu},
                            {kBlendSrcAlpha, kBlendInvSrcAlpha, 0x80FFFFFFu},
                            {kBlendOne, kBlendOne, 0xFFFFFFFFu}};
    for (const Blend& blend : blends)
        for (float angle : {0.3f, 1.0f, 2.2f, 4.0f})
            for (float cx : {100.5f, 3.0f, 470.25f}) {
                GraphicsDevice together, apart;
                const float c = std::cos(angle), s = std::sin(angle), h = 30;
                auto corner = [&](float x, float y, float u, float v) {
                    return V(cx + x * c - y * s, 160 + x * s + y * c, u, v, blend.colour);
                };
                const Vertex tl = corner(-h, -h, 0.1f, 0.2f), tr = corner(h, -h, 0.9f, 0.2f),
                             br = corner(h, h, 0.9f, 0.8f), bl = corner(-h, h, 0.1f, 0.8f);
                const Vertex quad[6] = {tl, tr, br, tl, br, bl};
                for (GraphicsDevice* d : {&together, &apart}) {
                    d->SetRenderState(RenderState::ZWriteEnable, 0);  // no depth work, as for sprites
                    for (int y = 0; y < GraphicsDevice::kHeight; ++y) {
                        // A background that differs per pixel.
                        const uint32_t row = 0xFF000000u | (static_cast<uint32_t>(y) * 0x010305u);
                        Vertex line[6] = {V(-0.5f, y - 0.5f, 0, 0, row), V(479.5f, y - 0.5f, 0, 0, row),
                                          V(479.5f, y + 0.5f, 0, 0, row), V(-0.5f, y - 0.5f, 0, 0, row),
                                          V(479.5f, y + 0.5f, 0, 0, row), V(-0.5f, y + 0.5f, 0, 0, row)};
                        d->SetRenderState(RenderState::AlphaBlendEnable, 0);
                        d->DrawPrimitiveUP(2, line, sizeof(Vertex));
                    }
                    d->SetRenderState(RenderState::AlphaBlendEnable, 1);
                    d->SetRenderState(RenderState::SrcBlend, blend.src);
                    d->SetRenderState(RenderState::DestBlend, blend.dest);
                    d->SetTexture(0, &tex);
                }
                together.DrawPrimitiveUP(2, quad, sizeof(Vertex));
                apart.DrawPrimitiveUP(1, quad, sizeof(Vertex));
                apart.DrawPrimitiveUP(1, quad + 3, sizeof(Vertex));
                int lit = 0;
                for (int y = 0; y < GraphicsDevice::kHeight; ++y)
                    for (int x = 0; x < GraphicsDevice::kWidth; ++x) {
                        ASSERT_EQ(together.Pixel(x, y), apart.Pixel(x, y))
                            << "angle " << angle << " centre " << cx << " at " << x << "," << y;
                        lit += together.Pixel(x, y) != 0xFF000000u;
                    }
                EXPECT_GT(lit, 0);
            }
}

TEST(Device, AResetTurnsTheBackBufferOnItsSideAndBack) {
    GraphicsDevice d;
    EXPECT_NE(d.Reset(481, 320), kOk);
    EXPECT_NE(d.Reset(320, 481), kOk);
    EXPECT_NE(d.Reset(0, 320), kOk);
    ASSERT_EQ(d.Reset(320, 480), kOk);
    EXPECT_EQ(d.Width(), 320);
    EXPECT_EQ(d.Height(), 480);
    d.Clear(0xFF000000u, 1.0f);
    d.SetRenderState(RenderState::AlphaBlendEnable, 0);
    // Everything far beyond the picture: only its 320 x 480 pixels are drawn,
    // by the fast path and by the triangle walk alike.
    const uint32_t c = 0xFF405060u;
    Vertex q[6] = {V(-50, -50, 0, 0, c), V(900, -50, 0, 0, c), V(900, 900, 0, 0, c),
                   V(-50, -50, 0, 0, c), V(900, 900, 0, 0, c), V(-50, 900, 0, 0, c)};
    d.DrawPrimitiveUP(2, q, sizeof(Vertex));
    Vertex t[3] = {V(-50, -50, 0, 0, c), V(2000, -40, 0, 0, c), V(-40, 2000, 0, 0, c)};
    d.DrawPrimitiveUP(1, t, sizeof(Vertex));
    int inside = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 320; ++x) inside += d.Pixel(x, y) == c;
    EXPECT_EQ(inside, 320 * 480);
    int presented = 0;
    d.SetPresenter([&](const uint32_t* px, int w, int h) {
        ++presented;
        EXPECT_EQ(w, 320);
        EXPECT_EQ(h, 480);
        int n = 0;
        for (int i = 0; i < w * h; ++i) n += px[i] == c;
        EXPECT_EQ(n, 320 * 480) << "the picture comes packed, row after row";
    });
    d.Present();
    EXPECT_EQ(presented, 1);
    ASSERT_EQ(d.Reset(480, 320), kOk);
    EXPECT_EQ(d.Width(), 480);
    EXPECT_EQ(d.Pixel(0, 0), 0xFF000000u) << "a reset starts from a cleared picture";
}

TEST(Rasterizer, RowsOnOneTexelRowStartWhereTheirOwnCoordinatesSay) {
    // A sheared sprite over a texture one texel high: every screen row reads
    // that one texel row, but starts one texel further along than the row
    // above, so no row may take its texels from the row before. Pixel
    // (x, y) shows texel (x + y + 1) mod 8, whether the quad is drawn in one
    // call or triangle by triangle.
    Texture strip(8, 1);
    for (uint32_t i = 0; i < 8; ++i) strip.Pixels()[i] = 0xFF000000u | (0x112233u * (i + 1));
    const float u0 = 0.25f / 8;
    const Vertex tl = V(-0.5f, -0.5f, u0, 0.5f), tr = V(7.5f, -0.5f, u0 + 1, 0.5f),
                 br = V(7.5f, 3.5f, u0 + 1.5f, 0.5f), bl = V(-0.5f, 3.5f, u0 + 0.5f, 0.5f);
    const Vertex quad[6] = {tl, tr, br, tl, br, bl};
    for (int calls : {1, 2}) {
        GraphicsDevice d;
        d.Clear(0, 1.0f);
        d.SetRenderState(RenderState::ZWriteEnable, 0);
        d.SetRenderState(RenderState::AlphaBlendEnable, 1);
        d.SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
        d.SetRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
        d.SetTexture(0, &strip);
        for (int i = 0; i < calls; ++i) d.DrawPrimitiveUP(2 / calls, quad + 6 / calls * i, sizeof(Vertex));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) EXPECT_EQ(d.Pixel(x, y), strip.At((x + y + 1) % 8, 0)) << calls << ": " << x << "," << y;
    }
}

namespace {

// A small generator of reproducible random scenes.
class SceneRandom {
public:
    explicit SceneRandom(uint64_t seed = 0x9E3779B97F4A7C15ull) : state_(seed | 1) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<uint32_t>(state_ >> 11);
    }
    float Between(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(Next() % 100001) / 100000.0f; }
    template <class T>
    T Pick(std::initializer_list<T> list) { return list.begin()[Next() % list.size()]; }

private:
    uint64_t state_;
};

// Textures the way sheets come: cells of opaque texels with empty rims; some
// half-transparent texels; a size that is not a power of two.
std::vector<Texture> SceneTextures(SceneRandom& random) {
    std::vector<Texture> textures;
    for (auto [w, h, mixed] : {std::tuple{64u, 64u, false}, {16u, 16u, true}, {32u, 8u, true}, {6u, 10u, false}}) {
        Texture& t = textures.emplace_back(w, h);
        for (uint32_t i = 0; i < w * h; ++i) {
            const uint32_t alpha = mixed ? random.Pick({0u, 255u, 128u, 1u, random.Next() & 0xFFu}) : (random.Next() % 3 ? 255u : 0u);
            t.Pixels()[i] = alpha << 24 | (random.Next() & 0xFFFFFFu);
        }
    }
    return textures;
}

// Sets the states of one draw at random.
void RandomStates(SceneRandom& random, GraphicsDevice& d, const Texture* texture) {
    d.SetRenderState(RenderState::ZEnable, random.Next() % 4 != 0);
    d.SetRenderState(RenderState::ZWriteEnable, random.Next() % 3 == 0);
    d.SetRenderState(RenderState::AlphaBlendEnable, random.Next() % 5 != 0);
    const uint32_t factors[] = {kBlendZero, kBlendOne, kBlendSrcAlpha, kBlendInvSrcAlpha};
    const uint32_t blend = random.Next() % 5;
    const uint32_t src[] = {kBlendSrcAlpha, kBlendOne, kBlendSrcAlpha, kBlendOne, factors[random.Next() % 4]};
    const uint32_t dest[] = {kBlendInvSrcAlpha, kBlendOne, kBlendOne, kBlendZero, factors[random.Next() % 4]};
    d.SetRenderState(RenderState::SrcBlend, src[blend]);
    d.SetRenderState(RenderState::DestBlend, dest[blend]);
    d.SetRenderState(RenderState::TextureFactor, random.Next());
    d.SetTextureStageState(0, kStageColorOp,
                           random.Pick({kTopModulate, kTopModulate, kTopSelectArg1, kTopSelectArg2, kTopBlendFactorAlpha}));
    d.SetTexture(0, texture);
}

}  // namespace

TEST(Rasterizer, RandomScenesGiveTheSamePixelsWhateverTheRoutineAndJoin) {
    // Every scene is drawn three times: with the widest span routines this
    // processor runs, with the portable ones, and (portable again) with each
    // turned sprite's two triangles drawn by separate calls, which fills
    // them apart rather than row by row together. Colour and depth must be
    // the same. The scenes mix sprites at any angle, scale and mirroring,
    // every blend, colour operation and depth state, textures of several
    // kinds and stray triangles, some far off the screen.
    SceneRandom random;
    std::vector<Texture> textures = SceneTextures(random);
    auto wide = std::make_unique<GraphicsDevice>();
    auto portable = std::make_unique<GraphicsDevice>();
    auto apart = std::make_unique<GraphicsDevice>();
    portable->UsePortableSpans(true);
    apart->UsePortableSpans(true);
    GraphicsDevice* const devices[] = {wide.get(), portable.get(), apart.get()};
    for (int scene = 0; scene < 120; ++scene) {
        const uint32_t background = random.Next();
        const float clearDepth = random.Pick({1.0f, 1.0f, 0.5f, random.Between(0, 1)});
        for (GraphicsDevice* d : devices) d->Clear(background, clearDepth);
        for (int draw = 0, draws = 1 + static_cast<int>(random.Next() % 8); draw < draws; ++draw) {
            const int shape = static_cast<int>(random.Next() % 10);
            const int pick = static_cast<int>(random.Next() % (textures.size() + 1));
            const Texture* texture = pick < static_cast<int>(textures.size()) ? &textures[pick] : nullptr;
            const uint64_t statesSeed = random.Next();
            for (GraphicsDevice* d : devices) {
                SceneRandom states(statesSeed);
                RandomStates(states, *d, texture);
                if (shape == 0) {
                    // The states of a sprite, so that the far-off triangle
                    // below takes the vector routines.
                    d->SetRenderState(RenderState::ZWriteEnable, 0);
                    d->SetRenderState(RenderState::AlphaBlendEnable, 1);
                    d->SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
                    d->SetRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
                    d->SetTextureStageState(0, kStageColorOp, kTopModulate);
                    d->SetTexture(0, &textures[0]);
                }
            }
            const uint32_t colour = random.Pick({0xFFFFFFFFu, 0xFFFFFFFFu, 0x80FFFFFFu, 0xFF8040C0u, random.Next()});
            const float z = random.Next() % 3 ? 0.0f : random.Between(-0.2f, 1.2f);
            std::vector<Vertex> vertices;
            bool turned = false;
            if (shape >= 2) {
                // A sprite as DrawSprite builds it, mostly turned.
                const float angle = random.Pick({0.0f, 1.5707964f, random.Between(-7, 7), random.Between(-7, 7)});
                turned = angle != 0.0f && angle != 1.5707964f;
                const float c = std::cos(angle), s = std::sin(angle);
                const float sx = random.Between(0.3f, 3), sy = random.Next() % 3 ? sx : random.Between(0.3f, 3);
                const float w = random.Between(1, 60), h = random.Between(1, 60);
                const float cx = random.Between(-40, 520), cy = random.Between(-40, 360);
                const float u0 = random.Between(-1, 1), v0 = random.Between(-1, 1);
                const float du = random.Between(-1.5f, 1.5f), dv = random.Between(0, 1.5f);
                auto corner = [&](float x, float y, float u, float v) {
                    const float zc = random.Next() % 8 ? z : random.Between(0, 1);
                    return Vertex{cx + sx * x * c - sy * y * s - 0.5f, cy + sx * x * s + sy * y * c - 0.5f, zc, 1, colour, 0, u, v};
                };
                const Vertex tl = corner(-w / 2, -h / 2, u0, v0), tr = corner(w / 2, -h / 2, u0 + du, v0),
                             br = corner(w / 2, h / 2, u0 + du, v0 + dv), bl = corner(-w / 2, h / 2, u0, v0 + dv);
                vertices = {tl, tr, br, tl, br, bl};
            } else if (shape == 1 && random.Next() % 2) {
                // A sheared sprite: each screen row stays on one texel row,
                // but starts further along it than the row above.
                const float x0 = random.Between(-20, 400), y0 = random.Between(-20, 250);
                const float w = random.Between(4, 100), h = random.Between(4, 100), slide = random.Between(-2, 2);
                const Vertex tl{x0, y0, z, 1, colour, 0, 0, 0}, tr{x0 + w, y0, z, 1, colour, 0, 1, 0},
                             br{x0 + w, y0 + h, z, 1, colour, 0, 1 + slide, 0.5f},
                             bl{x0, y0 + h, z, 1, colour, 0, slide, 0.5f};
                vertices = {tl, tr, br, tl, br, bl};
            } else if (shape == 1) {
                // Stray triangles, now and then far off the screen.
                for (int i = 0; i < 3; ++i) {
                    const bool far = random.Next() % 10 == 0;
                    vertices.push_back(Vertex{far ? random.Between(-1e7f, 1e7f) : random.Between(-50, 530),
                                              random.Between(-50, 370), random.Between(-0.5f, 1.5f), 1, colour, 0,
                                              random.Between(-3, 3), random.Between(-3, 3)});
                }
            } else {
                // A vertex far off the screen and a steep gradient: texture
                // coordinates on the screen far beyond a sprite's.
                const float gradient = random.Between(4e5f, 9e5f) / 64.0f, top = random.Between(0, 120);
                vertices = {Vertex{-1e5f, 100, 0, 1, 0xFFFFFFFFu, 0, 1.0e6f, 0.25f},
                            Vertex{300, top, 0, 1, 0xFFFFFFFFu, 0, 1.0e6f + gradient * (300 + 1e5f), 10.0f},
                            Vertex{300, top + 200, 0, 1, 0xFFFFFFFFu, 0, 1.0e6f + gradient * (300 + 1e5f), -20.0f}};
            }
            const int triangles = static_cast<int>(vertices.size() / 3);
            wide->DrawPrimitiveUP(triangles, vertices.data(), sizeof(Vertex));
            portable->DrawPrimitiveUP(triangles, vertices.data(), sizeof(Vertex));
            for (int t = 0; t < triangles; t += turned ? 1 : triangles)
                apart->DrawPrimitiveUP(turned ? 1 : triangles, vertices.data() + 3 * t, sizeof(Vertex));
        }
        for (int y = 0; y < GraphicsDevice::kHeight; ++y)
            for (int x = 0; x < GraphicsDevice::kWidth; ++x) {
                ASSERT_EQ(wide->Pixel(x, y), portable->Pixel(x, y)) << "scene " << scene << " at " << x << "," << y;
                ASSERT_EQ(apart->Pixel(x, y), portable->Pixel(x, y)) << "scene " << scene << " at " << x << "," << y;
                ASSERT_EQ(wide->Depth(x, y), portable->Depth(x, y)) << "scene " << scene << " at " << x << "," << y;
                ASSERT_EQ(apart->Depth(x, y), portable->Depth(x, y)) << "scene " << scene << " at " << x << "," << y;
            }
    }
}

namespace {

// A title-like frame: a clear, a tiled backdrop over the whole picture
// (alpha-blended) and a sprite on it, or another small one as well.
struct SceneFrame {
    uint32_t clear = 0xFF203040u, blend = 1;
    float spriteX = 100;
    int sprites = 1;
};

void Quad(GraphicsDevice& d, float x0, float y0, float x1, float y1, float u1, float v1) {
    Vertex q[6] = {V(x0, y0, 0, 0), V(x1, y0, u1, 0), V(x1, y1, u1, v1), V(x0, y0, 0, 0), V(x1, y1, u1, v1), V(x0, y1, 0, v1)};
    d.DrawPrimitiveUP(2, q, sizeof(Vertex));
}

void DrawScene(GraphicsDevice& d, const Texture& tile, const SceneFrame& f) {
    d.Clear(f.clear, 1.0f);
    d.SetRenderState(RenderState::ZEnable, 0);
    d.SetRenderState(RenderState::AlphaBlendEnable, f.blend);
    d.SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
    d.SetRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
    d.SetTexture(0, &tile);
    Quad(d, -0.5f, -0.5f, 479.5f, 319.5f, 30, 20);
    if (f.sprites > 0) Quad(d, f.spriteX - 0.5f, 49.5f, f.spriteX + 15.5f, 65.5f, 1, 1);
    if (f.sprites > 1) Quad(d, 199.5f, 199.5f, 207.5f, 207.5f, 0.5f, 0.5f);
}

// An opaque 16 x 16 tile but for texel 5 of its first row.
void FillTile(Texture& t, uint32_t alphaOf5 = 0xFF) {
    uint32_t* p = t.Pixels();
    for (uint32_t i = 0; i < 256; ++i) p[i] = 0xFF000000u | (i * 0x030507u);
    p[5] = (p[5] & 0xFFFFFFu) | alphaOf5 << 24;
}

void ExpectSamePicture(const GraphicsDevice& a, const GraphicsDevice& b, const char* what) {
    for (int i = 0; i < GraphicsDevice::kWidth * GraphicsDevice::kHeight; ++i)
        ASSERT_EQ(a.ColourBuffer()[i], b.ColourBuffer()[i]) << what << " at pixel " << i;
}

}  // namespace

TEST(Device, AFrameThatRepeatsTheLastIsKnownAndEveryOtherIsDrawnAnew) {
    struct Case {
        const char* what;
        SceneFrame second;
        bool retexel;  // a texel of the tile changes between the frames
        bool repeated;
    } const cases[] = {
        {"the same frame", {}, false, true},          {"the sprite a pixel on", {.spriteX = 101}, false, false},
        {"another blend", {.blend = 0}, false, false}, {"another clear", {.clear = 0xFF000000u}, false, false},
        {"a draw fewer", {.sprites = 0}, false, false}, {"a draw more", {.sprites = 2}, false, false},
        {"the tile's texels changed", {}, true, false},
    };
    for (const Case& c : cases) {
        Texture tile(16, 16);
        FillTile(tile);
        GraphicsDevice d, fresh;
        d.SetPresenter([](const uint32_t*, int, int) {});
        DrawScene(d, tile, SceneFrame{});
        d.Present();
        if (c.retexel) tile.Pixels()[3] = 0xFFFFFFFFu;
        DrawScene(d, tile, c.second);
        d.Present();
        EXPECT_EQ(d.FrameRepeated(), c.repeated) << c.what;
        DrawScene(fresh, tile, c.second);
        ExpectSamePicture(d, fresh, c.what);
    }
}

TEST(Device, DrawsHeldBackShowWhenTheBufferIsReadOrTheirTextureGoes) {
    auto tile = std::make_unique<Texture>(16, 16);
    FillTile(*tile);
    GraphicsDevice d, expected;
    DrawScene(d, *tile, SceneFrame{});
    d.Present();
    // Read halfway through a repeating frame: the frame so far, not the last.
    d.Clear(0xFF203040u, 1.0f);
    EXPECT_EQ(d.Pixel(100, 50), 0xFF203040u);
    d.Present();
    DrawScene(d, *tile, SceneFrame{});
    d.Present();
    // The repeating draws are done before their texture goes: a texture
    // made in its place (likely in its memory) does not show in them.
    DrawScene(expected, *tile, SceneFrame{});
    DrawScene(d, *tile, SceneFrame{});
    tile.reset();
    Texture other(16, 16);
    std::fill_n(other.Pixels(), 256, 0xFFFFFFFFu);
    d.Present();
    ExpectSamePicture(d, expected, "texture gone");
}

TEST(Device, TheClearShowsOnlyWhereTheFirstWholePictureDrawLetsItThrough) {
    for (uint32_t alpha : {0xFFu, 0x00u}) {
        Texture tile(16, 16);
        FillTile(tile, alpha);
        GraphicsDevice d;
        DrawScene(d, tile, SceneFrame{.sprites = 0});
        // Texel 5 of the first tile row lies under pixel 5 of the top row.
        EXPECT_EQ(d.Pixel(5, 0), alpha == 0xFF ? tile.At(5, 0) : 0xFF203040u) << alpha;
        EXPECT_EQ(d.Pixel(6, 0), tile.At(6, 0)) << alpha;
    }
}
