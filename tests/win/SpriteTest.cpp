#include "win/Sprite.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/TextureHelpers.h"
#include "win/Graphics.h"

using testing_support::PutTexture;

namespace {

constexpr uint32_t R = 0xFFFF0000u, G = 0xFF00C000u, B = 0xFF0000FFu, W = 0xFFFFFFFFu, K = 0xFF000000u;

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InitGraphics());
        device = GetDevice();
        device->Clear(K, 1.0f);
        // Slot 5: a 4x4 texture whose first row is R G B W and second row
        // W B G R; the rest transparent.
        PutTexture(5, 4, {R, G, B, W, W, B, G, R});
    }
    void TearDown() override { ReleaseGraphics(); }
    uint32_t P(int x, int y) const { return device->Pixel(x, y); }
    int Lit() const {
        int n = 0;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 480; ++x) n += device->Pixel(x, y) != K;
        return n;
    }
    platform::GraphicsDevice* device = nullptr;
};

}  // namespace

TEST_F(SpriteTest, PlainDrawPlacesTexelsOnPixels) {
    DrawSprite(10, 20, 5, 0, 0, 4, 2);
    EXPECT_EQ(P(10, 20), R);
    EXPECT_EQ(P(13, 20), W);
    EXPECT_EQ(P(10, 21), W);
    EXPECT_EQ(P(13, 21), R);
    EXPECT_EQ(P(9, 20), K);
    EXPECT_EQ(P(14, 20), K);
    EXPECT_EQ(P(10, 22), K);
    EXPECT_EQ(Lit(), 8);
}

TEST_F(SpriteTest, ScaleTwoDoublesEveryTexel) {
    DrawParams::scaleX = DrawParams::scaleY = 2.0f;
    DrawSprite(100, 100, 5, 0, 0, 4, 1);
    DrawParams::ResetToDefaults();
    EXPECT_EQ(P(100, 100), R);
    EXPECT_EQ(P(101, 101), R);
    EXPECT_EQ(P(102, 100), G);
    EXPECT_EQ(P(107, 101), W);
    EXPECT_EQ(P(108, 100), K);
    EXPECT_EQ(Lit(), 16);
}

TEST_F(SpriteTest, OnlyExactlyMinusOneMirrors) {
    DrawParams::direction = -1.0f;
    DrawSprite(10, 10, 5, 0, 0, 4, 1);
    EXPECT_EQ(P(10, 10), W);
    EXPECT_EQ(P(11, 10), B);
    EXPECT_EQ(P(13, 10), R);
    DrawParams::direction = -0.999f;
    DrawSprite(10, 30, 5, 0, 0, 4, 1);
    EXPECT_EQ(P(10, 30), R);
    EXPECT_EQ(P(13, 30), W);
    DrawParams::direction = -2.0f;
    DrawSprite(10, 40, 5, 0, 0, 4, 1);
    EXPECT_EQ(P(10, 40), R);
}

TEST_F(SpriteTest, MirroredPivotCountsFromTheRightEdge) {
    // Scale 2 about a pivot 1 texel from the edge: unmirrored the sprite
    // grows to the right of x = 11, mirrored to the left of x = 13.
    DrawParams::scaleX = 2.0f;
    DrawParams::pivotX = 1.0f;
    DrawSprite(10, 10, 5, 0, 0, 4, 1);
    EXPECT_EQ(P(9, 10), R);   // first texel spans 9..10
    EXPECT_EQ(P(15, 10), W);  // last spans 15..16
    EXPECT_EQ(P(17, 10), K);
    DrawParams::direction = -1.0f;
    DrawSprite(10, 20, 5, 0, 0, 4, 1);
    // cx = 14 - 1 = 13; the sprite spans 13 - 2*3 = 7 .. 13 + 2 = 15.
    EXPECT_EQ(P(7, 20), W);
    EXPECT_EQ(P(14, 20), R);
    EXPECT_EQ(P(6, 20), K);
    EXPECT_EQ(P(15, 20), K);
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, CullingUsesTheUnrotatedRectangle) {
    PutTexture(6, 1024, {});
    for (auto& t : std::vector<uint32_t>(1)) (void)t;
    // Fill slot 6 opaque white.
    auto* tex = TextureTable[6].texture.get();
    std::fill(tex->Pixels(), tex->Pixels() + 1024 * 1024, W);

    DrawSprite(0, 0, 6, 0, 0, 480, 4);  // left 0, right 480: drawn
    EXPECT_EQ(P(0, 0), W);
    EXPECT_EQ(P(479, 3), W);
    device->Clear(K, 1.0f);
    DrawSprite(-1, 0, 6, 0, 0, 482, 4);  // left -1, right 481: drawn
    EXPECT_EQ(P(0, 0), W);
    device->Clear(K, 1.0f);
    DrawSprite(481, 0, 6, 0, 0, 10, 4);  // left 481: skipped
    DrawSprite(-20, 0, 6, 0, 0, 10, 4);  // right -10: skipped
    DrawSprite(0, 321, 6, 0, 0, 10, 4);  // top 321: skipped
    EXPECT_EQ(Lit(), 0);
    DrawSprite(480, 0, 6, 0, 0, 10, 4);  // left 480 passes but shows nothing
    EXPECT_EQ(Lit(), 0);

    // Rotated into view but unrotated off the screen: skipped.
    DrawParams::angle = static_cast<float>(M_PI / 2);
    DrawSprite(482, 100, 6, 0, 0, 40, 4);
    EXPECT_EQ(Lit(), 0);
    // Mirrored with scale: culled by the unmirrored extent.
    DrawParams::ResetToDefaults();
    DrawParams::direction = -1.0f;
    DrawParams::scaleX = 3.0f;
    DrawSprite(-35, 10, 6, 0, 0, 10, 2);  // right = -35 + 30 = -5: skipped
    EXPECT_EQ(Lit(), 0);
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, CullingScalesAboutThePivot) {
    PutTexture(6, 64, {});
    auto* tex = TextureTable[6].texture.get();
    std::fill(tex->Pixels(), tex->Pixels() + 64 * 64, W);
    // Below the screen unscaled, but doubled about its bottom edge it rises
    // into view: top = 325 + 10 - 2 * 10 = 315.
    DrawParams::pivotY = 10.0f;
    DrawParams::scaleY = 2.0f;
    DrawSprite(100, 325, 6, 0, 0, 4, 10);
    EXPECT_EQ(P(100, 315), W);
    EXPECT_EQ(P(100, 314), K);
    // Right of the screen, tripled about its right edge: left = 485 + 10 -
    // 3 * 10 = 465.
    DrawParams::ResetToDefaults();
    DrawParams::pivotX = 10.0f;
    DrawParams::scaleX = 3.0f;
    DrawSprite(485, 200, 6, 0, 0, 10, 2);
    EXPECT_EQ(P(465, 200), W);
    EXPECT_EQ(P(464, 200), K);
    // On the screen unscaled, but shrunk about a pivot left of the screen it
    // lies wholly off it: right = -4 - 20 + 0.1 * (10 + 20) = -21.
    device->Clear(K, 1.0f);
    DrawParams::ResetToDefaults();
    DrawParams::pivotX = -20.0f;
    DrawParams::scaleX = 0.1f;
    DrawSprite(-4, 100, 6, 0, 0, 10, 2);
    EXPECT_EQ(Lit(), 0);
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, ASpriteThatPassesCullingSetsItsStatesEvenWhenNothingShows) {
    PutTexture(7, 4, {0x80FF0000u});
    // A sprite at left 480 passes the culling: it draws no pixel but sets
    // the additive blend, which a later draw with blend mode 3 keeps.
    DrawParams::blendMode = 1;
    DrawSprite(480, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(Lit(), 0);
    EXPECT_EQ(device->GetRenderState(platform::RenderState::DestBlend), platform::kBlendOne);
    DrawParams::blendMode = 3;
    DrawSprite(5, 5, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(5, 5), 0xFFFF0000u);
    // One at left 481 is culled and sets nothing: the ordinary blend of the
    // draw before it stays.
    DrawParams::blendMode = 0;
    DrawSprite(6, 5, 7, 0, 0, 1, 1);
    DrawParams::blendMode = 1;
    DrawParams::depthWrite = 1;
    device->SetRenderState(platform::RenderState::ZWriteEnable, 0);
    DrawSprite(481, 0, 7, 0, 0, 1, 1);
    // So is one doubled about a pivot 10 texels in: left = 491 + 10 - 20.
    DrawParams::pivotX = 10.0f;
    DrawParams::scaleX = 2.0f;
    DrawSprite(491, 0, 7, 0, 0, 10, 1);
    EXPECT_EQ(device->GetRenderState(platform::RenderState::DestBlend), platform::kBlendInvSrcAlpha);
    EXPECT_EQ(device->GetRenderState(platform::RenderState::ZWriteEnable), 0u);
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, RotationTurnsClockwiseAboutThePivot) {
    DrawParams::angle = static_cast<float>(M_PI / 2);
    DrawSprite(100, 100, 5, 0, 0, 4, 1);  // pivot at the top-left corner
    DrawParams::ResetToDefaults();
    // The row now hangs down from the pivot, one column to its left.
    EXPECT_EQ(P(99, 100), R);
    EXPECT_EQ(P(99, 101), G);
    EXPECT_EQ(P(99, 102), B);
    EXPECT_EQ(P(99, 103), W);
    EXPECT_EQ(Lit(), 4);

    device->Clear(K, 1.0f);
    DrawParams::angle = static_cast<float>(M_PI);
    DrawParams::pivotX = 2.0f;
    DrawParams::pivotY = 0.5f;
    DrawSprite(100, 100, 5, 0, 0, 4, 1);  // half turn about the centre
    DrawParams::ResetToDefaults();
    EXPECT_EQ(P(100, 100), W);
    EXPECT_EQ(P(103, 100), R);
}

TEST_F(SpriteTest, ColourModesAndKeepingThePrevious) {
    PutTexture(7, 4, {0xFF808080u, 0x00FFFFFFu});
    DrawParams::colour = 0xFFFF8000u;
    DrawSprite(0, 0, 7, 0, 0, 1, 1);  // modulate
    EXPECT_EQ(P(0, 0), 0xFF804000u);
    DrawParams::colourMode = 1;  // flat vertex colour shaped by texture alpha
    DrawSprite(1, 0, 7, 0, 0, 1, 1);
    DrawSprite(2, 0, 7, 1, 0, 1, 1);
    EXPECT_EQ(P(1, 0), 0xFFFF8000u);
    EXPECT_EQ(P(2, 0), K);
    DrawParams::colourMode = 2;  // texture and vertex mixed by the factor's alpha
    DrawParams::textureFactor = 0x00000000u;
    DrawSprite(3, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(3, 0), 0xFFFF8000u);
    DrawParams::textureFactor = 0xFF000000u;
    DrawSprite(4, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(4, 0), 0xFF808080u);
    DrawParams::colourMode = 1;
    DrawSprite(5, 0, 7, 0, 0, 1, 1);
    DrawParams::colourMode = 3;  // keeps the flat colour of the draw before
    DrawSprite(6, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(6, 0), 0xFFFF8000u);
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, BlendModesAndKeepingThePrevious) {
    PutTexture(7, 4, {0x80FF0000u});
    auto fill = [&](int x, uint32_t c) {
        DrawParams::ResetToDefaults();
        DrawParams::colourMode = 1;
        DrawParams::colour = c;
        PutTexture(8, 1, {0xFFFFFFFFu});
        DrawSprite(x, 0, 8, 0, 0, 1, 1);
        DrawParams::ResetToDefaults();
    };
    fill(0, 0xFF0000FFu);
    fill(1, 0xFF0000FFu);
    fill(2, 0xFF0000FFu);
    fill(3, 0xFF0000FFu);
    DrawParams::blendMode = 0;  // half red over blue
    DrawSprite(0, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(0, 0), 0xFF80007Fu);
    DrawParams::blendMode = 1;  // add, alpha ignored
    DrawSprite(1, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(1, 0), 0xFFFF00FFu);
    DrawParams::blendMode = 2;  // add scaled by alpha
    DrawSprite(2, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(2, 0), 0xFF8000FFu);
    DrawParams::blendMode = 1;
    DrawSprite(10, 10, 7, 0, 0, 1, 1);
    DrawParams::blendMode = 3;  // keeps the additive blend
    DrawSprite(3, 0, 7, 0, 0, 1, 1);
    EXPECT_EQ(P(3, 0), 0xFFFF00FFu);
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, SourceRectanglesWrapAround) {
    // Eight texels from a four-texel row repeat it.
    DrawSprite(0, 0, 5, 0, 0, 8, 1);
    EXPECT_EQ(P(4, 0), R);
    EXPECT_EQ(P(7, 0), W);
    // A negative source offset wraps as well.
    DrawSprite(0, 5, 5, -1, 0, 2, 1);
    EXPECT_EQ(P(0, 5), W);
    EXPECT_EQ(P(1, 5), R);
}

TEST_F(SpriteTest, DepthWriteHidesLaterDeeperSprites) {
    PutTexture(9, 2, {W, W, W, W});
    DrawParams::depth = 0.5f;
    DrawParams::depthWrite = 1;
    DrawSprite(0, 0, 9, 0, 0, 2, 2);
    EXPECT_EQ(device->GetRenderState(platform::RenderState::ZWriteEnable), 1u);  // on after any draw
    DrawParams::depthWrite = 0;
    DrawParams::depth = 0.8f;
    DrawSprite(0, 0, 5, 0, 0, 2, 1);  // deeper: hidden
    EXPECT_EQ(P(0, 0), W);
    EXPECT_EQ(device->GetRenderState(platform::RenderState::ZWriteEnable), 1u) << "back on after a draw without";
    DrawParams::depth = 0.5f;
    DrawSprite(0, 0, 5, 0, 0, 2, 1);  // equal depth passes
    EXPECT_EQ(P(0, 0), R);
    DrawParams::depth = 0.0f;
    DrawSprite(0, 1, 5, 0, 1, 2, 1);
    EXPECT_EQ(P(0, 1), W);
    // Without depth write nothing hides later sprites.
    DrawParams::depth = 0.2f;
    DrawSprite(100, 0, 9, 0, 0, 2, 2);
    DrawParams::depth = 0.9f;
    DrawSprite(100, 0, 5, 0, 0, 2, 1);
    EXPECT_EQ(P(100, 0), R);
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, ShakeMovesAndCullsUnlessSwitchedOff) {
    DrawParams::shakeX = 3;
    DrawParams::shakeY = -2;
    DrawSprite(0, 10, 5, 0, 0, 1, 1);
    EXPECT_EQ(P(3, 8), R);
    EXPECT_EQ(P(0, 10), K);
    DrawParams::shakeX = -5;
    DrawSprite(2, 50, 5, 0, 0, 4, 1);  // right = -3 + 4 = 1: still drawn
    EXPECT_EQ(P(0, 48), W);
    DrawSprite(4, 60, 5, 0, 0, 4, 1);  // left -1, right 3
    EXPECT_EQ(P(0, 58), G);
    DrawParams::shakeEnabled = 0;
    DrawSprite(20, 100, 5, 0, 0, 1, 1);
    EXPECT_EQ(P(20, 100), R);
    DrawParams::shakeEnabled = 1;
    DrawParams::shakeX = DrawParams::shakeY = 0;
}

TEST_F(SpriteTest, SlotsOutsideTheTableDrawAndLoadNothing) {
    DrawSprite(0, 0, -1, 0, 0, 4, 4);
    DrawSprite(0, 0, kTextureSlotCount, 0, 0, 4, 4);
    DrawSprite(0, 0, 1 << 30, 0, 0, 4, 4);
    EXPECT_EQ(Lit(), 0);
    EXPECT_FALSE(LoadTexture(-1, 100, 64));
    EXPECT_FALSE(LoadTexture(kTextureSlotCount, 100, 64));
}

TEST_F(SpriteTest, LoadTextureCountsUsersAndKeepsTheFirstTexture) {
    ASSERT_TRUE(LoadTexture(20, 101, 8));  // the white page
    const platform::Texture* first = TextureTable[20].texture.get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->At(0, 0), W);
    EXPECT_TRUE(LoadTexture(20, 111, 512));
    EXPECT_EQ(TextureTable[20].texture.get(), first);
    EXPECT_EQ(TextureTable[20].width, 8u);
    EXPECT_EQ(TextureRefCount[20], 2);
    // A failed load keeps its count, and later loads report success.
    EXPECT_FALSE(LoadTexture(21, 9999, 64));
    EXPECT_TRUE(LoadTexture(21, 9999, 64));
    ReleaseTexture(20);
    EXPECT_NE(TextureTable[20].texture, nullptr);
    ReleaseTexture(20);
    EXPECT_EQ(TextureTable[20].texture, nullptr);
}

TEST_F(SpriteTest, ResetDeviceOnADeviceThatIsNotLostOnlyReleasesTheFont) {
    // The device answers the cooperative-level test with success: that
    // result comes back unchanged, nothing is reset.
    DrawParams::scaleX = 5.0f;
    EXPECT_EQ(ResetDevice(), platform::kOk);
    EXPECT_EQ(DrawParams::scaleX, 5.0f);
    EXPECT_EQ(TextFontHeight(), 0);
    DrawParams::scaleX = 1.0f;
}

namespace {

uint32_t Div255(uint32_t v) {
    v += 128;
    return (v + (v >> 8)) >> 8;
}

// The reference blend, one channel at a time.
uint32_t AlphaOver(uint32_t src, uint32_t a, uint32_t dst) {
    uint32_t out = 0xFF000000u;
    for (int shift : {0, 8, 16}) {
        const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        out |= Div255(s * a + d * (255 - a)) << shift;
    }
    return out;
}

uint32_t AddSaturated(uint32_t src, uint32_t dst) {
    uint32_t out = 0xFF000000u;
    for (int shift : {0, 8, 16}) out |= std::min(255u, ((src >> shift) & 0xFF) + ((dst >> shift) & 0xFF)) << shift;
    return out;
}

}  // namespace

TEST_F(SpriteTest, WideSpansBlendLikeSinglePixels) {
    // A row of 13 texels mixing empty, opaque and partly transparent ones,
    // drawn wide (so whole groups of pixels are blended together) over a
    // background that differs per pixel, at scale 1 and 2, plain and
    // mirrored, with and without vertex alpha, alpha-blended and additive.
    const uint32_t row[13] = {0x00000000u, 0xFF102030u, 0x80FF8040u, 0xFFFFFFFFu, 0x01FFFFFFu, 0xFE123456u, 0x00FFFFFFu,
                              0x40406080u, 0xC0C0A080u, 0xFF000000u, 0x7F7F7F7Fu, 0xFF80FF10u, 0x20E0E0E0u};
    PutTexture(10, 16, {row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8], row[9], row[10], row[11],
                        row[12]});
    auto background = [](int x, int y) { return 0xFF000000u | ((x * 37 + y * 11) & 0xFF) << 16 | ((x * 5) & 0xFF) << 8 | (y * 7 & 0xFF); };
    for (int blend : {0, 1})
        for (uint32_t vertexAlpha : {255u, 0x80u})
            for (float scale : {1.0f, 2.0f})
                for (float direction : {1.0f, -1.0f}) {
                    for (int y = 0; y < 4; ++y)
                        for (int x = 0; x < 40; ++x) {
                            // Paint the background texel by texel with flat colour.
                            DrawParams::ResetToDefaults();
                            DrawParams::colourMode = 1;
                            DrawParams::colour = background(x, y);
                            DrawSprite(x, y, 10, 3, 0, 1, 1);
                        }
                    DrawParams::ResetToDefaults();
                    DrawParams::blendMode = blend;
                    DrawParams::colour = (vertexAlpha << 24) | 0xFFFFFFu;
                    DrawParams::scaleX = scale;
                    DrawParams::direction = direction;
                    // Mirroring scales about the right edge: place the sprite so that
                    // it always starts at x = 1.
                    const int width = static_cast<int>(13 * scale);
                    DrawSprite(direction == -1.0f ? 1 + width - 13 : 1, 0, 10, 0, 0, 13, 1);
                    for (int x = 0; x < 40; ++x) {
                        const uint32_t bg = background(x, 0);
                        uint32_t expected = bg;
                        if (x >= 1 && x < 1 + width) {
                            int texel = static_cast<int>((x - 1) / scale);
                            if (direction == -1.0f) texel = 12 - texel;
                            const uint32_t t = row[texel];
                            const uint32_t a = Div255((t >> 24) * vertexAlpha);
                            if (blend == 0) expected = AlphaOver(t, a, bg);
                            else expected = AddSaturated(t, bg);
                        }
                        ASSERT_EQ(P(x, 0), expected) << "blend " << blend << " alpha " << vertexAlpha << " scale "
                                                     << scale << " direction " << direction << " x " << x;
                    }
                }
    DrawParams::ResetToDefaults();
}

TEST_F(SpriteTest, TintedWideSpansBlendLikeSinglePixels) {
    // A vertex colour that is not white modulates every channel of every
    // texel before the blend: a tint, a dim tint with half alpha, and the
    // black of a screen fade, drawn wide over a background that differs per
    // pixel, alpha-blended and additive, at scale 1 and 3 (a span that ends
    // in a part vector).
    const uint32_t row[11] = {0x00000000u, 0xFF102030u, 0x80FF8040u, 0xFFFFFFFFu, 0x01FFFFFFu, 0xFE123456u,
                              0x40406080u, 0xC0C0A080u, 0xFF000000u, 0x7F7F7F7Fu, 0xFF80FF10u};
    PutTexture(10, 16, {row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8], row[9], row[10]});
    auto background = [](int x) { return 0xFF000000u | ((x * 37) & 0xFF) << 16 | ((x * 5 + 90) & 0xFF) << 8 | ((x * 71) & 0xFF); };
    auto tinted = [](uint32_t t, uint32_t colour) {
        uint32_t out = 0;
        for (int shift : {0, 8, 16, 24}) out |= Div255(((t >> shift) & 0xFF) * ((colour >> shift) & 0xFF)) << shift;
        return out;
    };
    for (uint32_t colour : {0xFFFFE0C0u, 0x80406080u, 0x9A000000u})
        for (int blend : {0, 1})
            for (float scale : {1.0f, 3.0f}) {
                for (int x = 0; x < 48; ++x) {
                    DrawParams::ResetToDefaults();
                    DrawParams::colourMode = 1;
                    DrawParams::colour = background(x);
                    DrawSprite(x, 0, 10, 3, 0, 1, 1);
                }
                DrawParams::ResetToDefaults();
                DrawParams::blendMode = blend;
                DrawParams::colour = colour;
                DrawParams::scaleX = scale;
                DrawSprite(1, 0, 10, 0, 0, 11, 1);
                for (int x = 0; x < 48; ++x) {
                    const uint32_t bg = background(x);
                    uint32_t expected = bg;
                    if (x >= 1 && x < 1 + static_cast<int>(11 * scale)) {
                        const uint32_t t = tinted(row[static_cast<int>((x - 1) / scale)], colour);
                        expected = blend == 0 ? ((t >> 24) == 0 ? bg : AlphaOver(t, t >> 24, bg)) : AddSaturated(t, bg);
                    }
                    ASSERT_EQ(P(x, 0), expected) << std::hex << "colour " << colour << std::dec << " blend " << blend
                                                 << " scale " << scale << " x " << x;
                }
            }
    DrawParams::ResetToDefaults();
}
