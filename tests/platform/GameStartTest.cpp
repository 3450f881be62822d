// The start and the end of the process, each in a process of its own (the
// process re-runs the test binary): a start where no display answers, a
// second start while a copy runs, and the exit in the middle of a boss
// fight with every singleton destroyed as at the end of the game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "boss/BossField.h"
#include "boss/CharacterSilvy.h"
#include "framework/GameMain.h"
#include "platform/InstanceLock.h"
#include "platform/Window.h"
#include "ui/Lifebar.h"
#include "win/Main.h"
#include "win/SaveFile.h"

namespace {

constexpr const char* kScratchVariable = "PELLUMBRISK_START_TEST_DIR";

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// A folder for the lock files and the saves. The test makes it and hands it
// on in the environment to the process the death test starts, which runs
// the test again from its beginning.
class Scratch {
public:
    Scratch() {
        if (const char* handed = std::getenv(kScratchVariable)) {
            path_ = handed;
            return;
        }
        char pattern[] = "/tmp/pellumbrisk-start-XXXXXX";
        if (mkdtemp(pattern) == nullptr) return;
        path_ = pattern;
        owner_ = true;
        setenv(kScratchVariable, path_.c_str(), 1);
    }
    ~Scratch() {
        if (!owner_) return;
        unsetenv(kScratchVariable);
        const std::string command = "rm -rf '" + path_ + "'";
        if (std::system(command.c_str()) != 0) std::perror("rm");
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::string& Path() const { return path_; }
    std::string SaveFolder() const { return path_ + "/"; }

    // The process's lock and saves go here, apart from any copy of the game
    // running on this machine.
    void Use() const {
        setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
        CSaveFile::SetBaseDirectory(SaveFolder());
    }

private:
    std::string path_;
    bool owner_ = false;
};

// A display that no X server serves on this machine.
std::string DeadDisplay() {
    for (int n = 917;; ++n) {
        if (!Exists("/tmp/.X11-unix/X" + std::to_string(n)) && !Exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return ":" + std::to_string(n);
    }
}

// Probes the scratch folder's own locks, never those of a copy of the game
// running on this machine.
bool LockIsFree(const Scratch& scratch) {
    const char* was = std::getenv("XDG_RUNTIME_DIR");
    const std::string previous = was != nullptr ? was : "";
    setenv("XDG_RUNTIME_DIR", scratch.Path().c_str(), 1);
    bool free = false;
    {
        platform::InstanceLock probe;
        free = probe.Acquire("pellumbrisk", scratch.SaveFolder()) == platform::InstanceLockResult::Acquired;
    }
    if (was != nullptr) setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
    return free;
}

class GameStart : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
    void TearDown() override { CSaveFile::SetBaseDirectory(""); }
};

// Exit codes of the processes below: 3 when all went as it should.
constexpr int kAsItShould = 3;

TEST_F(GameStart, WhereNoDisplayAnswersTheGameSaysWhyAndEndsGivingUpItsLock) {
    Scratch scratch;
    ASSERT_FALSE(scratch.Path().empty());
    EXPECT_EXIT(
        {
            // Run on unseen, the game would never end by itself.
            alarm(60);
            scratch.Use();
            unsetenv("SDL_VIDEODRIVER");
            unsetenv("WAYLAND_DISPLAY");
            setenv("DISPLAY", DeadDisplay().c_str(), 1);
            const int32_t result = WinMain();
            std::_Exit(result == 0 && !platform::HasGameWindow() && LockIsFree(scratch) ? kAsItShould : 4);
        },
        ::testing::ExitedWithCode(kAsItShould),
        "Pellumbrisk cannot open its window: no display answers \\(DISPLAY is \":9[0-9]+\", WAYLAND_DISPLAY is "
        "not set;");
    // The next start takes the lock.
    EXPECT_TRUE(LockIsFree(scratch));
}

TEST_F(GameStart, ASecondStartSaysTheGameIsAlreadyRunningAndEnds) {
    Scratch scratch;
    ASSERT_FALSE(scratch.Path().empty());
    EXPECT_EXIT(
        {
            alarm(60);
            scratch.Use();
            platform::InstanceLock running;  // the copy that runs
            if (running.Acquire("pellumbrisk", scratch.SaveFolder()) != platform::InstanceLockResult::Acquired)
                std::_Exit(5);
            const int32_t result = WinMain();
            std::_Exit(result == 0 && !platform::HasGameWindow() ? kAsItShould : 4);
        },
        ::testing::ExitedWithCode(kAsItShould), "Pellumbrisk is already running\\.");
}

TEST_F(GameStart, TheGameClosedDuringTheFightWithSilvyEndsCleanly) {
    EXPECT_EXIT(
        {
            alarm(60);
            // The fight is under way: the life bar shows her. The field is
            // never taken down: the process ends around it as the game does.
            static boss_test::BossField* field = new boss_test::BossField(800);
            CCharacterSilvy* silvy = field->MakeBoss<CCharacterSilvy>(11100, 4000, 190);
            field->RunEntrance(silvy);
            if (silvy->frame != EnemyState::Wait || CLifebarEnemy::GetInstance()->m_target != silvy) std::_Exit(5);

            EndRun();
            const CGameMain* game = CGameMain::GetInstance();
            if (game->m_characterList.GetCount() != 0 || game->m_subCharacterList.GetCount() != 0 ||
                game->m_player != nullptr || CLifebarEnemy::GetInstance()->m_target != nullptr)
                std::_Exit(6);
            // Every singleton is destroyed as at the end of the game; the
            // sanitizers report any use of one already gone.
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
