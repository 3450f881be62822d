#include "win/Main.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "framework/GameMain.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "win/Graphics.h"

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
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_TRUE(MainLoopPass(last));  // the close request posts the quit message
    ++now;
    EXPECT_FALSE(MainLoopPass(last));  // which the next working pass takes
}

TEST(VirtualKeys, LettersArrowsAndFunctionKeys) {
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_z), uint32_t('Z'));
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_LEFT), 0x25u);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_DOWN), 0x28u);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_F1), 0x70u);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_F12), 0x7Bu);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_CAPSLOCK), 0u);
}
