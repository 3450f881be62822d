// The whole game as a player takes it, through the real game object and its
// frame step (software device in memory, no window, no sound device), with a
// fixed seed and the mouse scripted: boot, the title, "START", Luka, the
// stages 266 to 270 through their exits, Silvy's defeat, the clear scene in
// 271 and back to a title whose "STAGE SELECT" the clear has opened; and
// Ironclaw's two defeats that lead to the defeat stages 272 and 273 and on
// to the Continue screen. The player is made invulnerable and strong, and on
// the way to the boss hall the enemies are taken out of the way as they
// come; everything else is the game's own. With PELLUMBRISK_SHOTS=dir it
// writes a PNG of each scene there.
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

using testing_support::StageWalker;

namespace {

constexpr int32_t kLuka = 5;
constexpr int32_t kIronclaw = 6;
constexpr int32_t kSilvy = 11100;

class WholeGame : public testing_support::GameLoopTest {
protected:
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
    // One frame in eight drawn.
    void LightFrame() {
        if (++lightFrames % 8 == 0) Frame();
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
                                if (game->m_mapId != 270) testing_support::ClearEnemiesOutOfPlay();
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

    CGameInputTitleTop* title = CGameInputTitleTop::GetInstance();
    int lightFrames = 0;
};

}  // namespace

TEST_F(WholeGame, LukaFromTheTitleThroughTheFiveStagesAndSilvyToTheClearAndBack) {
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

    // A new run: the first stage's exit, its stage clear, MENU to the stage
    // select on the cell just played, and the next cell started from there.
    StartWith(kLuka);
    if (HasFatalFailure()) return;
    static_cast<CCharacterPlayer*>(game->m_player)->SetState(PlayerState::StageExit);
    auto* stageClear = CGameInputStageClear::GetInstance();
    LightFramesUntil([&] { return Top() == stageClear; }, 600);
    ASSERT_EQ(Top(), stageClear);
    Frame(10);
    TouchTheScreen();
    FramesUntil([&] { return stageClear->GetState() == ScreenState::Active; });
    Tap(240, 290);  // "MENU"
    auto* select = CGameInputTitleStageSelect::GetInstance();
    FramesUntil([&] { return Top() == select && select->GetState() == ScreenState::Active; });
    ASSERT_EQ(Top(), select);
    EXPECT_TRUE(AtTitle());
    EXPECT_EQ(select->m_column, 0);
    Shot("whole-stage-select");
    Tap(200, 140);
    Tap(200, 140);
    FramesUntil([&] { return Playing(); }, 100);
    ASSERT_TRUE(Playing());
    EXPECT_EQ(game->m_mapId, 267);
    ASSERT_NE(game->m_player, nullptr);
    EXPECT_EQ(game->m_player->typeId, game->m_selectedCharacter) << "the character the inventory names";
}

TEST_F(WholeGame, IroncladsTwoDefeatStagesEachEndAtTheContinueScreen) {
    // Each kind: 23 leads to stage 272, 26 to stage 273.
    struct Defeat {
        int32_t kind, stage;
        const CEvent* scene;
    };
    const Defeat defeats[2] = {{23, 272, CEventQuelmar1::GetInstance()}, {26, 273, CEventQuelmar2::GetInstance()}};
    StartWith(kIronclaw);
    if (HasFatalFailure()) return;
    for (const Defeat& d : defeats) {
        ASSERT_TRUE(Playing());
        CCharacter* player = game->m_player;
        player->ClearInvulnerable();
        // A lizardman's blow of the kind, more than the player's life.
        CCharacter* lizardman = CreateCharacter(11060);
        ASSERT_NE(lizardman, nullptr);
        game->m_characterList.Add(lizardman);
        lizardman->x = player->x + 100;
        lizardman->y = player->y;
        player->OnHit(d.kind, player->hp + 1000, -1, lizardman);
        EXPECT_EQ(player->hp, 0);
        // The fall and the fade to black, then the defeat stage.
        LightFramesUntil([&] { return game->m_mapId == d.stage; }, 800);
        ASSERT_EQ(game->m_mapId, d.stage) << "kind " << d.kind;
        EXPECT_EQ(Director()->GetCurrent(), d.scene);
        EXPECT_EQ(game->m_player, player) << "the player is kept";
        EXPECT_NE(Top(), CGameInputContinue::GetInstance()) << "no Continue before the fade";
        Frame(10);
        Shot(d.stage == 272 ? "whole-272" : "whole-273");
        // After the fade in, a touch opens the Continue screen.
        FramesUntil([&] { return CEffect::GetInstance()->m_fade == CEffect::GetInstance()->m_fadeTarget; }, 200);
        Frame(2);
        TouchTheScreen();
        CGameInputContinue* gameOver = CGameInputContinue::GetInstance();
        EXPECT_EQ(Top(), gameOver) << "kind " << d.kind;
        FramesUntil([&] { return gameOver->GetState() == ScreenState::Active; });
        Shot(d.stage == 272 ? "whole-272-continue" : "whole-273-continue");
        // "CONTINUE": the last stage played, 266, again.
        Tap(240, 165);
        FramesUntil([&] { return Playing() && game->m_mapId == 266 && Top() == CGameInputMain::GetInstance(); });
        ASSERT_EQ(game->m_mapId, 266);
        EXPECT_EQ(Director()->GetCurrent(), nullptr);
        MakePlayerUnbeatable();
        Frame(30);
    }
}

// The scenes nothing in the game starts, each begun over a real stage with
// the real characters as the director would begin it: the walk-in that
// falls into the first stage and saves, the place name, and both endings
// over the ending screen.
TEST_F(WholeGame, TheOpeningThePlaceNameAndTheEndingsRunOverARealStage) {
    game->m_selectedCharacter = kLuka;
    ASSERT_TRUE(game->StartStage(267));
    FramesUntil([&] { return Top() == CGameInputMain::GetInstance(); });

    CEventOpening1_1* opening = CEventOpening1_1::GetInstance();
    Director()->SetEvent(EventId::kOpening1);
    Frame(60);
    Shot("scene-opening-walk");
    // Step 2 waits for the king tengu well inside the view. (The player's
    // run under the scene and the tengu's walk-in stop short of it: he is
    // brought there.) Then the player is knocked into the first stage,
    // lands and takes the row of poses, and the game saves.
    FramesUntil([&] { return opening->GetStep() == 2; }, 200);
    ASSERT_EQ(opening->GetStep(), 2);
    Frame(100);
    ASSERT_NE(opening->m_kingTengu, nullptr);
    if (opening->GetStep() == 2) opening->m_kingTengu->x = 10 * game->GetViewWidth() - 900;
    Frame();
    EXPECT_EQ(opening->GetStep(), 3);
    Frame(20);
    Shot("scene-opening-knock");
    LightFramesUntil([&] { return opening->GetStep() >= 6; }, 600);
    ASSERT_GE(opening->GetStep(), 6) << "stuck in step " << opening->GetStep();
    EXPECT_EQ(game->m_mapId, CEventOpening1_1::kFallStage);
    Frame(20);
    Shot("scene-opening-fall");
    LightFramesUntil([&] { return Director()->GetCurrent() == nullptr; }, 1500);
    ASSERT_EQ(Director()->GetCurrent(), nullptr) << "stuck in step " << opening->GetStep() << " frame " << game->m_player->frame;
    EXPECT_EQ(game->m_player->controlled, 1);
    EXPECT_TRUE(saves.Exists("save"));
    Shot("scene-opening-end");

    CEventPlaceName1* place = CEventPlaceName1::GetInstance();
    place->SetPlaceName("FOX FOREST");
    Director()->SetEvent(EventId::kPlaceName);
    Frame(30);
    Shot("scene-place-name");
    FramesUntil([&] { return Director()->GetCurrent() == nullptr; }, 600);
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
    EXPECT_EQ(game->m_player->controlled, 1);

    Director()->SetEvent(EventId::kEnding1);
    Frame(120);
    Shot("scene-ending-1");
    Director()->SetEvent(EventId::kEnding2);
    EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputEnding::GetInstance());
    Frame(120);
    Shot("scene-ending-2");
}

TEST_F(WholeGame, TheKunoichiWalksTheFirstStageToItsExit) { WalkTheFirstStageAs(2); }
TEST_F(WholeGame, TheChainSickleFighterWalksTheFirstStageToItsExit) { WalkTheFirstStageAs(3); }
TEST_F(WholeGame, TheRobotWalksTheFirstStageToItsExit) { WalkTheFirstStageAs(4); }
