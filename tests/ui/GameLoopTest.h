#pragma once
// The whole game run through its real frame step: a scripted clock, the
// graphics device and the sound manager, CGameMain::Init, and a scripted
// mouse. With PELLUMBRISK_SHOTS=dir, Shot writes the frame on screen there
// as a PNG.
#include <cstdlib>
#include <string>

#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "platform/Clock.h"
#include "support/Screenshot.h"
#include "ui/UiTestSupport.h"
#include "win/Graphics.h"
#include "win/SoundManager.h"

namespace testing_support {

class GameLoopTest : public PointerTest {
protected:
    void SetUp() override {
        platform::SetClockSource([this] { return now; });
        ASSERT_TRUE(InitGraphics());
        CSoundManager::GetInstance()->Init();
        PointerTest::SetUp();
        game->ResetGameData();
        // From the logo, so that the title starts afresh even when a test
        // before this one left the title running.
        states->ChangeState(3);
        game->Init();
        if (const char* dir = std::getenv("PELLUMBRISK_SHOTS")) shots = dir;
    }
    void TearDown() override {
        PointerTest::TearDown();
        ReleaseGraphics();
        platform::SetClockSource(nullptr);
    }
    // One logical frame of the real game, 24 ms after the last.
    virtual void Frame(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            now += CGameMain::kFrameMs;
            game->DoFrame();
        }
    }
    // Frames run until `done` holds (at most `limit`); how many.
    template <typename Done>
    int FramesUntil(Done done, int limit = 400) {
        int frames = 0;
        while (!done() && frames < limit) {
            Frame();
            ++frames;
        }
        return frames;
    }
    void Tap(int32_t x, int32_t y) {
        MoveTo(x, y);
        Press();
        Frame();
        Release();
        Frame();
    }
    void Shot(const std::string& name) {
        if (shots.empty()) return;
        testing_support::WriteScreenshot(shots + "/" + name + ".png");
    }

    SaveTestDir saves;
    uint32_t now = 50000;
    std::string shots;
    CGameMain* game = CGameMain::GetInstance();
    CGameStateController* states = CGameStateController::GetInstance();
};

}  // namespace testing_support
