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
#include "ui/WholeGameRun.h"

using testing_support::ClearEnemiesOutOfPlay;
using testing_support::WholeGame;

TEST_F(WholeGame, LukaFromTheTitleThroughTheFiveStagesAndSilvyToTheClearAndBack) {
    PlayLukaFromTheTitleToTheClearAndBack();
    if (HasFatalFailure()) return;

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
    // The stages are only the ground the scenes play on: their enemies are
    // taken out of play.
    ClearEnemiesOutOfPlay();

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
    ClearEnemiesOutOfPlay();
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
