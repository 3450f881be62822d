#include "win/Main.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>

#include "framework/GameMain.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "win/Graphics.h"
#include "win/MyInput.h"

namespace {

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetClockSource([this] { return now; });
        ASSERT_TRUE(platform::CreateGameWindow("test", 480, 320));
        ASSERT_TRUE(InitGraphics());
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // drop start-up events
    }
    void TearDown() override {
        ReleaseGraphics();
        platform::DestroyGameWindow();
        platform::SetClockSource(nullptr);
    }
    void PushKey(SDL_Keycode key, bool down, Uint16 mod = KMOD_NONE) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    uint32_t now = 10000;
    uint32_t last = 0;
};

}  // namespace

TEST_F(MainLoopTest, WorkHappensOncePerMillisecond) {
    CGameMain* game = CGameMain::GetInstance();
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(last, 10000u);
    const int frames = game->m_frameCount;
    EXPECT_EQ(frames, 1);
    // Same millisecond: no message is taken and no frame step runs.
    PushKey(SDLK_z, true);
    now += 30;
    last = now;
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(game->m_frameCount, frames);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN), 1);
    now += 1;
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(game->m_frameCount, frames + 1);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYDOWN), 0);
}

TEST_F(MainLoopTest, SystemKeysAreDroppedWithoutAFrame) {
    CGameMain* game = CGameMain::GetInstance();
    PushKey(SDLK_F10, true);
    PushKey(SDLK_F4, true, KMOD_LALT);
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(game->m_frameCount, 0);  // neither pass ran the frame step
    EXPECT_EQ(last, 0u);               // nor counted as a working pass
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(game->m_frameCount, 1);
}

TEST_F(MainLoopTest, EscapeDoesNothingAndClosingQuits) {
    PushKey(SDLK_ESCAPE, true);
    PushKey(SDLK_ESCAPE, false);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(MainLoopPass(last));
        ++now;
    }
    // The whole-application quit request, and the caption's close button.
    SDL_Event closes[2]{};
    closes[0].type = SDL_QUIT;
    closes[1].type = SDL_WINDOWEVENT;
    closes[1].window.event = SDL_WINDOWEVENT_CLOSE;
    for (SDL_Event& close : closes) {
        SDL_PushEvent(&close);
        EXPECT_TRUE(MainLoopPass(last)) << close.type;  // the close request posts the quit message
        ++now;
        EXPECT_FALSE(MainLoopPass(last)) << close.type;  // which the next working pass takes
        ++now;
    }
}

TEST_F(MainLoopTest, SleepsUntilTheNextFrameUnlessWorkWaits) {
    EXPECT_TRUE(MainLoopPass(last));  // runs the first frame at 10000
    EXPECT_EQ(MainLoopSleepMs(last), 24u);
    now += 10;
    EXPECT_EQ(MainLoopSleepMs(last), 14u);
    // A message: the next tick works, and this one is already past.
    PushKey(SDLK_z, true);
    EXPECT_EQ(MainLoopSleepMs(last), 0u);
    last = now;  // as if this tick had worked already
    EXPECT_EQ(MainLoopSleepMs(last), 1u);
    now += 1;
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(MainLoopSleepMs(last), 13u);
    // The sound's wake-up asks for a pass, which clears it.
    platform::WakeMainThread();
    EXPECT_EQ(MainLoopSleepMs(last), 1u);
    now += 1;
    EXPECT_EQ(MainLoopSleepMs(last), 0u);
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_FALSE(platform::WakeRequested());
    EXPECT_EQ(MainLoopSleepMs(last), 12u);
    // The frame falls due.
    now += 11;
    EXPECT_EQ(MainLoopSleepMs(last), 1u);
    now += 1;
    EXPECT_EQ(MainLoopSleepMs(last), 0u);
    const int frames = CGameMain::GetInstance()->m_frameCount;
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(CGameMain::GetInstance()->m_frameCount, frames + 1);
}

TEST_F(MainLoopTest, AKeyPressActsInTheNextLogicalFrame) {
    CGameMain* game = CGameMain::GetInstance();
    CMyInput* input = CMyInput::GetInstance();
    EXPECT_TRUE(MainLoopPass(last));
    const int frames = game->m_frameCount;
    // Pressed 5 ms into the frame: the loop wakes, takes the key and runs no
    // frame, then sleeps out the frame.
    now += 5;
    PushKey(SDLK_z, true);
    ASSERT_EQ(MainLoopSleepMs(last), 0u);
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(game->m_frameCount, frames);
    EXPECT_EQ(input->m_keyHistory[4][0], 0);
    EXPECT_EQ(MainLoopSleepMs(last), 19u);
    now += 19;
    EXPECT_TRUE(MainLoopPass(last));
    EXPECT_EQ(game->m_frameCount, frames + 1);
    EXPECT_EQ(input->m_keyHistory[4][0], 1);  // 'Z' is game key 4
}

// A key pressed and let go again between two frames (a quick tap) is down
// for one frame: F2, F10 (a system key, whose messages the loop drops), F11,
// F12 and the pause key.
TEST_F(MainLoopTest, AKeyTappedBetweenTwoFramesIsDownForOneFrame) {
    struct Tap {
        SDL_Keycode key;
        const int8_t* history;
    };
    CMyInput* input = CMyInput::GetInstance();
    const Tap taps[] = {{SDLK_F2, input->m_functionKeyHistory[1]},
                        {SDLK_F10, input->m_functionKeyHistory[9]},
                        {SDLK_F11, input->m_functionKeyHistory[10]},
                        {SDLK_F12, input->m_functionKeyHistory[11]},
                        {SDLK_p, input->m_keyHistory[11]}};
    CMouseDevice::GetInstance()->InitMouse(platform::GetInputSource().GameWindow());
    CGameMain* game = CGameMain::GetInstance();
    EXPECT_TRUE(MainLoopPass(last));
    uint32_t frameStart = now;
    for (const Tap& tap : taps) {
        SCOPED_TRACE(SDL_GetKeyName(tap.key));
        const int frames = game->m_frameCount;
        PushKey(tap.key, true);
        PushKey(tap.key, false);
        for (int pass = 0; pass < 4; ++pass) {
            ++now;
            EXPECT_TRUE(MainLoopPass(last));
        }
        ASSERT_EQ(game->m_frameCount, frames) << "both messages taken before the next frame";
        frameStart += 24;
        now = frameStart;
        EXPECT_TRUE(MainLoopPass(last));
        ASSERT_EQ(game->m_frameCount, frames + 1);
        EXPECT_EQ(tap.history[0], 1);
        frameStart += 24;
        now = frameStart;
        EXPECT_TRUE(MainLoopPass(last));
        EXPECT_EQ(tap.history[0], 0);
        EXPECT_EQ(tap.history[1], 1);
    }
}

// The portrait key's turn: the back buffer, the device and the window's
// picture all take the new shape, and back.
TEST_F(MainLoopTest, TurningTheScreenReshapesTheBackBufferAndTheWindow) {
    const int sizes[][2] = {{320, 480}, {480, 320}};
    for (const auto& s : sizes) {
        ResizeScreen(s[0], s[1]);
        EXPECT_EQ(BackBufferWidth, s[0]);
        EXPECT_EQ(BackBufferHeight, s[1]);
        EXPECT_EQ(GetDevice()->Width(), s[0]);
        EXPECT_EQ(GetDevice()->Height(), s[1]);
        int w = 0, h = 0;
        platform::GetGameWindowClientSize(w, h);
        EXPECT_EQ(w, s[0]);
        EXPECT_EQ(h, s[1]);
    }
}

TEST(MainLoopWake, AWakeFromAnotherThreadEndsTheWait) {
    platform::TakeWakeRequest();
    const auto start = std::chrono::steady_clock::now();
    std::thread waker([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        platform::WakeMainThread();
    });
    platform::WaitForInput(20000);
    waker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(platform::TakeWakeRequest());
    EXPECT_FALSE(platform::WakeRequested());
    // A wake raised before the wait keeps it from sleeping at all.
    platform::WakeMainThread();
    platform::WaitForInput(20000);
    EXPECT_TRUE(platform::TakeWakeRequest());
}

TEST(VirtualKeys, LettersArrowsAndFunctionKeys) {
    // Every key of the default key map, and the function keys.
    const std::pair<SDL_Keycode, uint32_t> keys[] = {
        {SDLK_UP, 0x26},   {SDLK_DOWN, 0x28}, {SDLK_LEFT, 0x25}, {SDLK_RIGHT, 0x27}, {SDLK_z, 0x5A},
        {SDLK_x, 0x58},    {SDLK_c, 0x43},    {SDLK_v, 0x56},    {SDLK_a, 0x41},     {SDLK_s, 0x53},
        {SDLK_d, 0x44},    {SDLK_p, 0x50},    {SDLK_F1, 0x70},   {SDLK_F12, 0x7B},   {SDLK_ESCAPE, 0x1B},
        {SDLK_CAPSLOCK, 0},
    };
    for (const auto& [key, vk] : keys) EXPECT_EQ(platform::VirtualKeyFromSdl(key), vk) << SDL_GetKeyName(key);
}
