// The whole run of the game in this process: the single-instance test, the
// 480 by 320 window, the start-up, the main loop with its waits until the
// window is closed, and the teardown, on the dummy display with a scripted
// clock.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "framework/GameMain.h"
#include "framework/SaveTestDir.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/Window.h"
#include "win/Graphics.h"
#include "win/Main.h"

namespace {

// The game's window: the only one open.
SDL_Window* OpenWindow() {
    for (Uint32 id = 1; id < 100000; ++id)
        if (SDL_Window* w = SDL_GetWindowFromID(id)) return w;
    return nullptr;
}

// The per-user lock goes into the test's own folder, apart from a copy of
// the game or another test binary running on this machine.
class GameRun : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) oldRuntime = runtime;
        setenv("XDG_RUNTIME_DIR", saves.Path().c_str(), 1);
    }
    void TearDown() override {
        ReleaseSingleInstance();
        platform::SetClockSource(nullptr);
        if (oldRuntime) {
            setenv("XDG_RUNTIME_DIR", oldRuntime->c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }
    bool LockIsFree() {
        platform::InstanceLock probe;
        return probe.Acquire("pellumbrisk", saves.Path()) == platform::InstanceLockResult::Acquired;
    }

    SaveTestDir saves;
    std::optional<std::string> oldRuntime;
};

TEST_F(GameRun, TheGameRunsInItsWindowUntilItIsClosedAndThenEnds) {
    CGameMain* game = CGameMain::GetInstance();
    // Every read of the clock is a millisecond later. Once the title has
    // run some frames the window's close button is pressed.
    uint32_t now = 40000;
    int clientW = 0, clientH = 0;
    bool lockHeld = false;
    bool closed = false;
    std::string title;
    int fontHeight = 0;
    platform::SetClockSource([&]() -> uint32_t {
        ++now;
        if (!closed && platform::HasGameWindow() && game->m_frameCount >= 30) {
            closed = true;
            platform::GetGameWindowClientSize(clientW, clientH);
            if (SDL_Window* w = OpenWindow()) title = SDL_GetWindowTitle(w);
            fontHeight = TextFontHeight();
            lockHeld = !LockIsFree();
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
        return now;
    });

    EXPECT_EQ(WinMain(), 1);
    EXPECT_TRUE(closed) << "the loop ran until the close";
    EXPECT_GE(game->m_frameCount, 30);
    EXPECT_EQ(clientW / platform::WindowScale(), 480);
    EXPECT_EQ(clientH / platform::WindowScale(), 320);
    EXPECT_EQ(title, "Pellumbrisk");
    EXPECT_EQ(fontHeight, 9);
    EXPECT_TRUE(lockHeld) << "a second copy would have found the game running";
    // Torn down: no window, and the world is empty.
    EXPECT_FALSE(platform::HasGameWindow());
    EXPECT_EQ(game->m_player, nullptr);
    EXPECT_EQ(game->m_characterList.GetCount(), 0);
}

TEST_F(GameRun, ASecondCopyFindsTheFirstAndEndsWithoutAWindow) {
    platform::InstanceLock running;  // the copy that runs
    ASSERT_EQ(running.Acquire("pellumbrisk", saves.Path()), platform::InstanceLockResult::Acquired);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(WinMain(), 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Pellumbrisk is already running."), std::string::npos) << said;
    EXPECT_FALSE(platform::HasGameWindow());

    // Once the first copy has ended, the next one takes the lock.
    running.Release();
    EXPECT_TRUE(AcquireSingleInstance());
    EXPECT_FALSE(LockIsFree());
    ReleaseSingleInstance();
    EXPECT_TRUE(LockIsFree());
}

}  // namespace
