#pragma once
// The pointer and frame driving shared by the widget and screen tests: a
// scripted mouse under the real input object, the effect sounds heard, and
// save files kept in a directory of the test's own.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateMain.h"
#include "player/CharacterPlayer.h"
#include "framework/SaveTestDir.h"
#include "support/ScriptedInput.h"
#include "ui/GameInput.h"
#include "ui/GameInputMain.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace testing_support {

class PointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetInputSource(&source);
        CMyInput::GetInstance()->SetWindow(source.GameWindow());
        CMouseDevice::GetInstance()->InitMouse(source.GameWindow());
        SetSoundEffectObserver([this](int32_t slot) { sounds.push_back(slot); });
        // Start from a released pointer with a full history of frames
        // (also after a test that ended with the button held).
        Release();
        Poll(12);
    }
    void TearDown() override {
        SetSoundEffectObserver(nullptr);
        platform::SetInputSource(nullptr);
    }

    CMyInput* Input() { return CMyInput::GetInstance(); }
    void MoveTo(int32_t x, int32_t y) {
        source.cursorX = x;
        source.cursorY = y;
    }
    void Press() { source.events.push_back({0, 0x80}); }
    void Release() { source.events.push_back({0, 0x00}); }
    void Poll(int frames = 1) {
        for (int i = 0; i < frames; ++i) Input()->Poll();
    }

    ScriptedInput source;
    std::vector<int32_t> sounds;
};

// Screens driven as the title state drives them: input, the screen stack,
// then the screen effect, once per frame.
class ScreenTest : public PointerTest {
protected:
    // Every screen test starts from the game's reset values (the screen
    // size among them) and a still screen effect.
    void SetUp() override {
        PointerTest::SetUp();
        CGameMain::GetInstance()->ResetGameData();
        CEffect::GetInstance()->ResetScreenEffects();
    }
    virtual void Frame(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            Poll();
            CGameInputController::GetInstance()->Update();
            CEffect::GetInstance()->Update();
        }
    }
    // A press at (x, y) seen for one frame, then the release and a frame.
    void Click(int32_t x, int32_t y) {
        MoveTo(x, y);
        Press();
        Frame();
        Release();
        Frame();
    }
    // Frames until the screen fade stands still.
    void SettleFade() {
        for (int i = 0; i < 100; ++i) {
            const CEffect* e = CEffect::GetInstance();
            if (e->m_fade == e->m_fadeTarget) return;
            Frame();
        }
    }

    SaveTestDir saves;
};

// In-stage screens driven as the play and pause game states drive them:
// input, then the current state's frame (the screen stack first, then the
// world while play runs), from a stage started with the default player.
class PlayTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(CGameMain::GetInstance()->StartStage(266));
    }
    void Frame(int frames = 1) override {
        for (int i = 0; i < frames; ++i) {
            Poll();
            CGameStateController::GetInstance()->DoAction();
        }
    }
    void KeyDown(uint32_t vk) { Input()->OnKeyMessage({platform::MessageType::KeyDown, vk, false}); }
    void KeyUp(uint32_t vk) { Input()->OnKeyMessage({platform::MessageType::KeyUp, vk, false}); }
    // The pause key (P) down for one frame, then up again.
    void PressPauseKey() {
        KeyDown('P');
        Frame();
        KeyUp('P');
    }
    bool Playing() const {
        return CGameStateController::GetInstance()->GetCurrent() == CGameStateMainNormal::GetInstance();
    }
    bool Paused() const {
        return CGameStateController::GetInstance()->GetCurrent() == CGameStateMainPause::GetInstance();
    }
    CCharacterPlayer* Player() { return PlayerInPlay(); }
    CGameInput* Root() { return CGameInputController::GetInstance(); }

    CGameMain* game = CGameMain::GetInstance();
    CGameInputMain* hud = CGameInputMain::GetInstance();
};

}  // namespace testing_support
