#pragma once
// The whole game as a player takes it, through the real game object and its
// frame step (software device in memory, no window, no sound device), with a
// fixed seed and the mouse scripted. The player is made invulnerable and
// strong, and on the way to the boss hall the enemies are taken out of the
// way as they come; everything else is the game's own. The tests run it, and
// so does the whole-game benchmark, which times every frame of Luka's run.
#include <string>

#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/Random.h"
#include "framework/SaveData.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"
#include "player/CharacterPlayer.h"
#include "stage/Event.h"
#include "stage/EventScenes.h"
#include "stage/StageWalker.h"
#include "ui/GameInputContinue.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputStageClear.h"
#include "ui/GameInputEnding.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/GameInputTitleTop.h"
#include "ui/GameLoopTest.h"
#include "win/MyInput.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace testing_support {

class WholeGame : public GameLoopTest {
protected:
    static constexpr int32_t kLuka = 5;
    static constexpr int32_t kIronclaw = 6;
    static constexpr int32_t kSilvy = 11100;

    void SetUp() override {
        GameLoopTest::SetUp();
        GameSrand(20);
    }

    bool Playing() const { return states->GetCurrent() == CGameStateMainNormal::GetInstance(); }
    bool AtTitle() const { return states->GetCurrent() == CGameStateTitleMain::GetInstance(); }
    CGameInput* Top() { return CGameInputController::GetInstance()->GetTop(); }
    CEvent* Director() { return CEvent::GetInstance(); }

    // From the title's main page: "START", then the character's button
    // twice (chosen, then confirmed), into the first stage.
    void StartWith(int32_t character) {
        ASSERT_TRUE(AtTitle());
        FramesUntil([&] { return title->GetState() == ScreenState::Active; });
        Tap(240, 155);  // "START"
        const int32_t x = character == kLuka ? 160 : 320;
        Tap(x, 220);
        Tap(x, 220);
        FramesUntil([&] { return Playing(); });
        ASSERT_TRUE(Playing());
        ASSERT_EQ(game->m_mapId, 266);
        ASSERT_NE(game->m_player, nullptr);
        EXPECT_EQ(game->m_player->typeId, character);
        EXPECT_EQ(Top(), CGameInputMain::GetInstance());
        MakePlayerUnbeatable();
    }
    // The kunoichi, the chain-sickle fighter and the robot are chosen on the
    // status screen, which is not built yet: the choice is written over
    // Luka's while the title fades into the first stage.
    void StartWithOtherNinja(int32_t character) {
        ASSERT_TRUE(AtTitle());
        FramesUntil([&] { return title->GetState() == ScreenState::Active; });
        Tap(240, 155);  // "START"
        Tap(160, 220);
        Tap(160, 220);
        game->m_selectedCharacter = character;
        FramesUntil([&] { return Playing(); });
        ASSERT_EQ(game->m_mapId, 266);
        ASSERT_NE(game->m_player, nullptr);
        EXPECT_EQ(game->m_player->typeId, character);
        MakePlayerUnbeatable();
    }
    void WalkTheFirstStageAs(int32_t character) {
        StartWithOtherNinja(character);
        if (HasFatalFailure()) return;
        Frame(40);  // the fade from black
        Shot("whole-266-" + std::to_string(character));
        StageWalker walker = Walker();
        walker.PlayToTheExit();
        if (HasFatalFailure()) return;
        EXPECT_EQ(game->m_mapId, 267);
        EXPECT_EQ(game->m_player->typeId, character);
        Shot("whole-267-" + std::to_string(character));
    }
    // Invulnerable and strong: no hit gets through, and its attacks fell
    // anything.
    void MakePlayerUnbeatable() {
        auto* player = static_cast<CCharacterPlayer*>(game->m_player);
        player->SetInvulnerable(-1);
        player->attack = 100000;
    }
    // A frame of the game's logic as the frame step runs it, without the
    // drawing. The long stretches (the walk through the stages, the scenes'
    // waits) draw one frame in eight, which keeps the run short under the
    // sanitizers.
    void LogicFrame() {
        now += CGameMain::kFrameMs;
        ++game->m_frameCount;
        CMyInput::GetInstance()->Poll();
        CSoundManager::GetInstance()->Update();
        states->DoAction();
    }
    // One frame in `drawEvery` drawn.
    void LightFrame() {
        if (++lightFrames % drawEvery == 0) Frame();
        else LogicFrame();
    }
    // Light frames until `done` holds (at most `limit`).
    template <typename Done>
    void LightFramesUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done(); ++i) LightFrame();
    }
    StageWalker Walker() {
        return StageWalker({[this] {
                                // The boss hall's fight stays.
                                if (game->m_mapId != 270) ClearEnemiesOutOfPlay();
                                LightFrame();
                            },
                            [this](int32_t x, int32_t y) {
                                MoveTo(x, y);
                                Press();
                            },
                            [this] { Release(); }});
    }
    CCharacter* Find(int32_t typeId) {
        CCharacterList& list = game->m_characterList;
        for (int32_t i = 1; i <= list.GetCount(); ++i)
            if (list.GetAt(i)->typeId == typeId) return list.GetAt(i);
        return nullptr;
    }
    // A touch in the middle of the view, away from the HUD's buttons.
    void TouchTheScreen() { Tap(240, 200); }

    // Luka from the title through the five stages and Silvy's defeat to
    // the clear scene, and back to the title.
    void PlayLukaFromTheTitleToTheClearAndBack() {
        // Boot: the title, no clear yet, "STAGE SELECT" closed, nothing saved.
        ASSERT_TRUE(AtTitle());
        FramesUntil([&] { return title->GetState() == ScreenState::Active; });
        EXPECT_EQ(Top(), title);
        EXPECT_FALSE(title->m_stageSelectButton.IsEnabled());
        EXPECT_FALSE(saves.Exists("save"));
        Shot("whole-title");

        StartWith(kLuka);
        if (HasFatalFailure()) return;
        Shot("whole-266");

        // Stages 266 to 269, each left through its exit wall into the next.
        StageWalker walker = Walker();
        for (int32_t stage = 266; stage <= 269; ++stage) {
            ASSERT_EQ(game->m_mapId, stage);
            walker.PlayToTheExit();
            if (HasFatalFailure()) return;
            ASSERT_EQ(game->m_mapId, stage + 1);
            EXPECT_TRUE(Playing());
            EXPECT_EQ(Top(), CGameInputMain::GetInstance());
            ASSERT_TRUE(walker.Settle());
        }

        // The boss hall: Silvy's entrance with its camera tour, then the fight.
        CCharacter* silvy = Find(kSilvy);
        ASSERT_NE(silvy, nullptr);
        FramesUntil([&] { return Director()->GetCurrent() == nullptr && game->m_player->controlled != 0; }, 600);
        ASSERT_EQ(game->m_player->controlled, 1);
        Frame(20);
        Shot("whole-270-fight");
        // Struck until she falls: a touch on her sends the player at her.
        for (int i = 0; i < 20 && game->m_mapId == 270 && Find(kSilvy) == silvy && silvy->hp > 0; ++i) {
            walker.Settle(100);
            walker.TapAt(silvy->GetStageX(), silvy->GetStageY() - 200);
            Frame(40);
        }
        EXPECT_LE(silvy->hp, 0) << "Silvy has not fallen";
        // Her defeat fall ends in the clear scene's stage.
        LightFramesUntil([&] { return game->m_mapId == 271; }, 1200);
        ASSERT_EQ(game->m_mapId, 271);
        CEventClear1* clear = CEventClear1::GetInstance();
        ASSERT_EQ(Director()->GetCurrent(), clear);
        EXPECT_EQ(clear->GetStep(), 0) << "begun afresh in 271";

        // The clear scene: its poses, five touches, the banner and the music.
        LightFramesUntil([&] { return clear->GetStep() == 10; }, 1200);
        ASSERT_EQ(clear->GetStep(), 10);
        Shot("whole-271-clear-pose");
        std::vector<int32_t> music;
        SetMusicObserver([&](int32_t entry) { music.push_back(entry); });
        for (int touch = 0; touch < 4; ++touch) TouchTheScreen();
        SetMusicObserver(nullptr);
        EXPECT_EQ(clear->GetStep(), 14);
        EXPECT_TRUE(CGameInputMain::GetInstance()->m_clearLabel.IsVisible());
        EXPECT_EQ(music, std::vector<int32_t>{11}) << "the stage-clear piece, nothing stopped";
        Frame(10);
        Shot("whole-271-clear-banner");
        TouchTheScreen();
        FramesUntil([&] { return AtTitle(); }, 200);

        // The title again: the clear marked and saved, "STAGE SELECT" open.
        ASSERT_TRUE(AtTitle());
        EXPECT_EQ(game->m_mapId, 0);
        EXPECT_EQ(game->m_clearFlags[0], 2 | 8);
        const std::vector<uint8_t> saved = saves.Read("save");
        ASSERT_EQ(saved.size(), 65536u);
        EXPECT_EQ(saved[SystemRecord::kClearMarks], 2 | 8);
        FramesUntil([&] { return title->GetState() == ScreenState::Active; });
        EXPECT_EQ(Top(), title);
        EXPECT_TRUE(title->m_stageSelectButton.IsEnabled());
        Shot("whole-title-cleared");
    }

    CGameInputTitleTop* title = CGameInputTitleTop::GetInstance();
    int lightFrames = 0;
    int drawEvery = 8;
};

}  // namespace testing_support
