// The end of the process, in a process of its own (the process re-runs the
// test binary): the exit in the middle of a boss fight with every singleton
// destroyed as at the end of the game.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "boss/BossField.h"
#include "boss/CharacterSilvy.h"
#include "framework/GameMain.h"
#include "ui/Lifebar.h"
#include "win/Main.h"

namespace {

class GameStart : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

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
