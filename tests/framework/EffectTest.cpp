#include <gtest/gtest.h>

#include <vector>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

CEffect* Effect() { return CEffect::GetInstance(); }

std::vector<int> RunShakeY(int frames) {
    std::vector<int> ys;
    for (int i = 0; i < frames; ++i) {
        Effect()->Update();
        ys.push_back(Effect()->m_shakeY);
    }
    return ys;
}

TEST(Effect, FirstUseZeroesAndTakesTheWhiteTexture) {
    CEffect* e = Effect();
    EXPECT_EQ(e->m_fade, 0);
    EXPECT_EQ(e->m_flashPhase, 0);
    EXPECT_EQ(e->m_shakeFrames, 0);
    EXPECT_EQ(TextureRefCount[1], 1);
    EXPECT_EQ(TextureTable[1].width, 8u);
}

TEST(Effect, VerticalShakeNarrowsAtEveryBounce) {
    Effect()->StartVerticalShake(20, -10, 10, 3);
    const std::vector<int> ys = RunShakeY(22);
    const std::vector<int> expected = {10, -10, 7, -7, 4, -4, 1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(ys, expected);
    EXPECT_EQ(Effect()->m_shakeX, 0);
    EXPECT_EQ(Effect()->m_shakeVelocityY, 0);  // cleared when the frames ran out
    EXPECT_EQ(Effect()->m_shakeLowY, 0);
    EXPECT_EQ(Effect()->m_shakeHighY, 0);
}

TEST(Effect, PlainShakeBouncesBetweenFixedLimitsUntilItsFramesRunOut) {
    // STRONG hit: y limits +-10, x limits 0, y speed 100, 20 frames.
    Effect()->StartShake(0, 0, 0, 100, 10, -10, 20);
    EXPECT_EQ(Effect()->m_shakeLowY, -10);
    EXPECT_EQ(Effect()->m_shakeHighY, 10);
    std::vector<int> ys = RunShakeY(21);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(ys[i], i % 2 == 0 ? 10 : -10) << i;
    EXPECT_EQ(ys[19], 0);  // frame 20 ends the shake
    EXPECT_EQ(ys[20], 0);
    EXPECT_EQ(Effect()->m_shakeHighY, 10);  // the limits stay
    EXPECT_EQ(DrawParams::shakeY, 0);
}

TEST(Effect, ShakeOffsetsReachTheSpriteDrawing) {
    Effect()->StartShake(-4, 4, 2, 0, 0, 0, 10);
    Effect()->Update();
    EXPECT_EQ(DrawParams::shakeX, 2);
    Effect()->Update();
    EXPECT_EQ(DrawParams::shakeX, 4);
    Effect()->Update();
    EXPECT_EQ(DrawParams::shakeX, 2);
}

TEST(Effect, ShorterShakeNeverCutsALongerOne) {
    Effect()->StartShake(-5, 5, 100, 0, 0, 0, 14);
    for (int i = 0; i < 4; ++i) Effect()->Update();
    ASSERT_EQ(Effect()->m_shakeFrames, 10);
    Effect()->StartVerticalShake(6, -20, 20, 1);
    EXPECT_EQ(Effect()->m_shakeFrames, 10);
    EXPECT_EQ(Effect()->m_shakeHighX, 5);
    Effect()->StartShake(-1, 1, 0, 100, -2, 2, 6);
    EXPECT_EQ(Effect()->m_shakeHighY, 0);
    Effect()->StartVerticalShake(10, -20, 20, 1);
    EXPECT_EQ(Effect()->m_shakeHighY, 20);
    EXPECT_EQ(Effect()->m_shakeHighX, 0);
    EXPECT_EQ(Effect()->m_shakeVelocityY, 100);
    EXPECT_EQ(Effect()->m_shakeDecay, 1);
}

TEST(Effect, ShakeWithoutFramesRunsUntilReplaced) {
    Effect()->StartShake(-3, 3, 3, 0, 0, 0, 0);
    std::vector<int> xs;
    for (int i = 0; i < 6; ++i) {
        Effect()->Update();
        xs.push_back(Effect()->m_shakeX);
    }
    EXPECT_EQ(xs, (std::vector<int>{3, 0, -3, 0, 3, 0}));
    EXPECT_EQ(Effect()->m_shakeFrames, 0);
}

TEST(Effect, IdleFrameCountRunsBelowZeroSoAnyShakeMayStart) {
    for (int i = 0; i < 3; ++i) Effect()->Update();
    EXPECT_EQ(Effect()->m_shakeFrames, -3);
    Effect()->StartVerticalShake(0, -2, 2, 1);
    EXPECT_EQ(Effect()->m_shakeHighY, 2);
    // After years of running it stops at the lowest count instead of
    // overflowing, and any shake may still start.
    Effect()->m_shakeLowY = Effect()->m_shakeHighY = 0;
    Effect()->m_shakeFrames = -2147483647;
    for (int i = 0; i < 3; ++i) Effect()->Update();
    EXPECT_EQ(Effect()->m_shakeFrames, -2147483647 - 1);
    Effect()->StartVerticalShake(0, -2, 2, 1);
    EXPECT_EQ(Effect()->m_shakeHighY, 2);
}

TEST(Effect, FadeStopsExactlyOnItsTarget) {
    CEffect* e = Effect();
    e->m_fade = 250;
    e->m_fadeTarget = 255;
    e->m_fadeStep = 10;
    e->Update();
    EXPECT_EQ(e->m_fade, 255);
    e->m_fadeTarget = 0;
    e->m_fadeStep = -10;
    int frames = 0;
    while (e->m_fade != e->m_fadeTarget && frames < 100) {
        e->Update();
        ++frames;
    }
    EXPECT_EQ(frames, 26);
    EXPECT_EQ(e->m_fade, 0);
    // A step of the wrong sign moves away from the target.
    e->m_fadeTarget = 100;
    e->m_fadeStep = -5;
    e->Update();
    e->Update();
    EXPECT_EQ(e->m_fade, -10);
}

TEST(Effect, OverlayOpensInTwentySixFramesAndClearsItsKind) {
    CEffect* e = Effect();
    e->m_overlay = 255;
    e->m_overlayTarget = 0;
    e->m_overlayStep = -10;
    e->m_overlayKind = 4;
    for (int i = 0; i < 25; ++i) {
        e->Update();
        ASSERT_EQ(e->m_overlayKind, 4) << i;
    }
    EXPECT_EQ(e->m_overlay, 5);
    e->Update();
    EXPECT_EQ(e->m_overlay, 0);
    EXPECT_EQ(e->m_overlayStep, 0);
    EXPECT_EQ(e->m_overlayKind, 0);
}

TEST(Effect, ClosedOverlayKeepsItsKind) {
    CEffect* e = Effect();
    e->m_overlay = 0;
    e->m_overlayTarget = 255;
    e->m_overlayStep = 100;
    e->m_overlayKind = 7;
    e->Update();
    e->Update();
    EXPECT_EQ(e->m_overlay, 200);
    e->Update();
    EXPECT_EQ(e->m_overlay, 255);
    EXPECT_EQ(e->m_overlayStep, 0);
    e->Update();
    EXPECT_EQ(e->m_overlayKind, 7);
}

TEST(Effect, FlashRisesHoldsFallsAndPausesForEachRepetition) {
    CEffect* e = Effect();
    e->StartFlash(255, 0, 0, 100, 2, 60, 2, 50, 1);
    std::vector<int> levels, phases;
    for (int i = 0; i < 16; ++i) {
        e->Update();
        levels.push_back(e->m_flash);
        phases.push_back(e->m_flashPhase);
    }
    // Rise 60, 100 (top); hold 2 frames; fall 50, 0; pause 1; again; off.
    EXPECT_EQ(levels, (std::vector<int>{60, 100, 100, 100, 50, 0, 0, 60, 100, 100, 100, 50, 0, 0, 0, 0}));
    EXPECT_EQ(phases, (std::vector<int>{1, 2, 2, 3, 3, 4, 1, 1, 2, 2, 3, 3, 4, 0, 0, 0}));
    EXPECT_EQ(e->m_flashCyclesDone, 0);
}

TEST(Effect, SavePointFlashFadesByEightAFrame) {
    CEffect* e = Effect();
    e->StartFlash(255, 255, 255, 255, 1, 255, 0, 8, 0);
    e->Update();
    EXPECT_EQ(e->m_flash, 255);
    EXPECT_EQ(e->m_flashPhase, 3);
    int frames = 1;
    while (e->m_flashPhase != 0 && frames < 100) {
        e->Update();
        ++frames;
    }
    EXPECT_EQ(frames, 33);  // 255 / 8 rounds up to 32 falling frames
    EXPECT_EQ(e->m_flash, 0);
}

TEST(Effect, ResetClearsMotionAndLetsTheFlashRunOut) {
    CEffect* e = Effect();
    e->StartShake(-7, 7, 3, 4, -6, 6, 50);
    e->Update();
    e->m_fade = 120;
    e->m_fadeTarget = 255;
    e->m_fadeStep = 5;
    e->m_overlay = 90;
    e->m_overlayTarget = 255;
    e->m_overlayStep = 5;
    e->m_overlayKind = 2;
    e->StartFlash(1, 2, 3, 200, 5, 10, 10, 10, 10);
    e->Update();
    e->ResetScreenEffects();
    EXPECT_EQ(e->m_shakeX, 0);
    EXPECT_EQ(e->m_shakeVelocityY, 0);
    EXPECT_EQ(e->m_shakeFrames, 0);
    EXPECT_EQ(e->m_shakeHighX, 7);  // limits stay
    EXPECT_EQ(e->m_shakeLowY, -6);
    EXPECT_EQ(e->m_fade + e->m_fadeTarget + e->m_fadeStep, 0);
    EXPECT_EQ(e->m_overlay + e->m_overlayTarget + e->m_overlayStep, 0);
    EXPECT_EQ(e->m_flash + e->m_flashPeak + e->m_flashCycles + e->m_flashRed, 0);
    EXPECT_EQ(e->m_flashPhase, 1);
    e->Update();
    e->Update();
    EXPECT_EQ(e->m_flashPhase, 0);
    EXPECT_EQ(e->m_overlayKind, 0);
    EXPECT_EQ(e->m_shakeX, 0);  // with no speed the offsets stay at rest
}

// Drawing through the software device: the overlays cover the screen as
// the kinds say and never shake.
class EffectDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InitGraphics());
        Effect()->Init();  // loads the white texture now that there is a device
        device = GetDevice();
        device->Clear(0xFF808080u, 1.0f);
    }
    void TearDown() override { ReleaseGraphics(); }
    bool Black(int x, int y) const { return device->Pixel(x, y) == 0xFF000000u; }
    bool Grey(int x, int y) const { return device->Pixel(x, y) == 0xFF808080u; }
    platform::GraphicsDevice* device = nullptr;
};

TEST_F(EffectDrawTest, FadeCoversTheScreenWithBlackAtItsLevelAndIgnoresTheShake) {
    ASSERT_TRUE(TextureTable[1].texture);
    DrawParams::shakeX = 30;
    DrawParams::shakeY = 30;
    Effect()->m_fade = 255;
    Effect()->Draw();
    EXPECT_TRUE(Black(0, 0));
    EXPECT_TRUE(Black(479, 319));
    EXPECT_EQ(DrawParams::shakeEnabled, 1);
    device->Clear(0xFF808080u, 1.0f);
    Effect()->m_fade = 128;
    Effect()->Draw();
    const uint32_t p = device->Pixel(240, 160);
    EXPECT_LT(p & 0xFF, 0x50u);
    EXPECT_GT(p & 0xFF, 0x30u);
}

TEST_F(EffectDrawTest, HalfClosedOverlaysLeaveTheMiddleOpen) {
    CEffect* e = Effect();
    e->m_overlay = 128;  // q(160) = 80, q(240) = 120
    e->m_overlayKind = 1;
    e->Draw();
    EXPECT_TRUE(Black(240, 0));
    EXPECT_TRUE(Black(240, 79));
    EXPECT_TRUE(Grey(240, 80));
    EXPECT_TRUE(Grey(240, 239));
    EXPECT_TRUE(Black(240, 240));

    device->Clear(0xFF808080u, 1.0f);
    e->m_overlayKind = 4;
    e->Draw();
    EXPECT_TRUE(Black(119, 160));
    EXPECT_TRUE(Grey(120, 160));
    EXPECT_TRUE(Grey(359, 160));
    EXPECT_TRUE(Black(360, 160));

    device->Clear(0xFF808080u, 1.0f);
    e->m_overlayKind = 5;  // from the right: q(480) = 240
    e->Draw();
    EXPECT_TRUE(Grey(239, 10));
    EXPECT_TRUE(Black(240, 10));

    device->Clear(0xFF808080u, 1.0f);
    e->m_overlayKind = 3;  // from the bottom: q(320) = 160
    e->Draw();
    EXPECT_TRUE(Grey(10, 159));
    EXPECT_TRUE(Black(10, 160));
}

TEST_F(EffectDrawTest, ClosedOverlayOfEveryKindCoversTheScreen) {
    for (int kind = 1; kind <= 7; ++kind) {
        device->Clear(0xFF808080u, 1.0f);
        Effect()->m_overlay = 255;
        Effect()->m_overlayKind = kind;
        Effect()->Draw();
        for (auto [x, y] : {std::pair{0, 0}, {479, 0}, {0, 319}, {479, 319}, {240, 160}})
            EXPECT_TRUE(Black(x, y)) << "kind " << kind << " at " << x << "," << y;
    }
    // Open, every kind leaves the screen as it was.
    for (int kind = 1; kind <= 7; ++kind) {
        device->Clear(0xFF808080u, 1.0f);
        Effect()->m_overlay = 0;
        Effect()->m_overlayKind = kind;
        Effect()->Draw();
        for (auto [x, y] : {std::pair{0, 0}, {479, 319}, {240, 160}}) EXPECT_TRUE(Grey(x, y)) << kind;
    }
}

TEST_F(EffectDrawTest, WideScreenDrawsThirtyTwoPixelsHigher) {
    CGameMain::GetInstance()->m_screenWidth = 512;
    Effect()->m_overlay = 255;
    Effect()->m_overlayKind = 2;  // W x H from the top, at d = -32
    Effect()->Draw();
    EXPECT_TRUE(Black(0, 287));
    EXPECT_TRUE(Grey(0, 288));
}

TEST_F(EffectDrawTest, FlashUsesItsColourAndLevel) {
    Effect()->StartFlash(0x1FF, 0, 0, 255, 1, 255, 5, 10, 0);  // colours use their low byte
    Effect()->Update();
    Effect()->Draw();
    EXPECT_EQ(device->Pixel(100, 100), 0xFFFF0000u);
}

}  // namespace
