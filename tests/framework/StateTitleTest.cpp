#include <gtest/gtest.h>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateTitle.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"
#include "win/MyInput.h"
#include "win/Sprite.h"

namespace {

CEffect* Effect() { return CEffect::GetInstance(); }

// Runs the logo until its phase changes; returns the frames it took.
int RunLogoUntilPhaseChanges(CGameStateTitleLogo* logo, int limit = 1000) {
    const int phase = logo->m_phase;
    int frames = 0;
    while (logo->m_phase == phase && frames < limit) {
        logo->DoAction();
        ++frames;
    }
    return frames;
}

TEST(TitleLogo, FadesInShowsFadesOutAndHandsOverToTheTitle) {
    auto* controller = CGameStateController::GetInstance();
    controller->ChangeState(3);
    auto* logo = CGameStateTitleLogo::GetInstance();
    ASSERT_EQ(controller->GetCurrent(), logo);
    EXPECT_EQ(Effect()->m_fade, 255);
    EXPECT_EQ(Effect()->m_fadeTarget, 0);
    EXPECT_EQ(Effect()->m_fadeStep, -10);

    EXPECT_EQ(RunLogoUntilPhaseChanges(logo), 26);  // from black in 26 frames
    EXPECT_EQ(logo->m_phase, 1);
    EXPECT_EQ(RunLogoUntilPhaseChanges(logo), 182);  // at most 182 frames shown
    EXPECT_EQ(logo->m_phase, 2);
    EXPECT_EQ(Effect()->m_fade, 0);
    EXPECT_EQ(Effect()->m_fadeTarget, 255);
    EXPECT_EQ(Effect()->m_fadeStep, 10);
    for (int i = 0; i < 25; ++i) logo->DoAction();
    EXPECT_EQ(controller->GetCurrent(), logo);
    logo->DoAction();
    EXPECT_EQ(controller->GetCurrent(), CGameStateTitleMain::GetInstance());
    // Leaving the logo cleared its fade, and the title's start faded in
    // from black again.
    EXPECT_EQ(Effect()->m_fade, 255);
    EXPECT_EQ(Effect()->m_fadeTarget, 0);
}

TEST(TitleLogo, ActionKeysSkipTheWait) {
    auto* logo = CGameStateTitleLogo::GetInstance();
    logo->Start();
    RunLogoUntilPhaseChanges(logo);
    ASSERT_EQ(logo->m_phase, 1);
    for (int i = 0; i < 10; ++i) logo->DoAction();
    CMyInput* input = CMyInput::GetInstance();
    input->m_keyHistory[6][0] = 1;  // C
    input->m_inputAvailable = 0;    // already used this frame
    logo->DoAction();
    EXPECT_EQ(logo->m_phase, 1);
    input->m_inputAvailable = 1;
    logo->DoAction();
    EXPECT_EQ(logo->m_phase, 2);
    EXPECT_EQ(logo->m_frame, 12);
    logo->End();
    EXPECT_EQ(Effect()->m_fade, 0);
    EXPECT_EQ(Effect()->m_fadeTarget, 0);
    EXPECT_EQ(Effect()->m_fadeStep, 0);
}

TEST(TitleMain, StartResetsTheScreenEffectAndFadesInFromBlack) {
    CEffect* e = Effect();
    e->StartVerticalShake(50, -10, 10, 1);
    e->Update();
    e->m_overlay = 255;
    e->m_overlayKind = 3;
    e->StartFlash(255, 255, 255, 255, 3, 10, 10, 10, 10);
    auto* title = CGameStateTitleMain::GetInstance();
    title->m_scrollX = 77;
    title->Start();
    EXPECT_EQ(e->m_shakeY, 0);
    EXPECT_EQ(e->m_shakeFrames, 0);
    EXPECT_EQ(e->m_overlay, 0);
    EXPECT_EQ(e->m_flashPhase, 1);
    EXPECT_EQ(e->m_flashCycles, 0);
    // The title screen, opened by the start, fades in from black at its own
    // pace.
    EXPECT_EQ(e->m_fade, 255);
    EXPECT_EQ(e->m_fadeTarget, 0);
    EXPECT_EQ(e->m_fadeStep, -8);
    EXPECT_EQ(title->m_scrollX, 0);
    title->DoAction();
    EXPECT_EQ(e->m_fade, 247);
    EXPECT_EQ(e->m_overlayKind, 0);
}

TEST(TitleMain, BackgroundScrollWrapsAfter256Frames) {
    auto* title = CGameStateTitleMain::GetInstance();
    title->Start();
    for (int i = 0; i < 255; ++i) title->DoAction();
    EXPECT_EQ(title->m_scrollX, 255);
    title->DoAction();
    EXPECT_EQ(title->m_scrollX, 0);
    EXPECT_EQ(title->m_scrollY, 0);
}

TEST(TitleMain, DrawsTheTileAtDoubleSizeUnderTheFade) {
    ASSERT_TRUE(InitGraphics());
    LoadTexture(49, 119, 128);
    auto* title = CGameStateTitleMain::GetInstance();
    title->Start();
    platform::GraphicsDevice* device = GetDevice();
    // Fully faded: black over everything.
    device->Clear(0xFF123456u, 1.0f);
    title->Draw();
    EXPECT_EQ(device->Pixel(240, 160), 0xFF000000u);
    EXPECT_EQ(DrawParams::scaleX, 1.0f);
    // Faded in: the tile covers the whole screen.
    Effect()->m_fade = 0;
    device->Clear(0xFF123456u, 1.0f);
    title->Draw();
    for (auto [x, y] : {std::pair{0, 0}, {479, 319}, {240, 160}}) {
        EXPECT_NE(device->Pixel(x, y), 0xFF123456u) << x << "," << y;
        EXPECT_EQ(device->Pixel(x, y) >> 24, 0xFFu);
    }
    ReleaseGraphics();
}

}  // namespace
