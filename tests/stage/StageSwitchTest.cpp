// The stage proxy: building stages by id, the pending warp and the switch
// it performs, starting and restarting, the fall out of the stage and the
// black masks beyond the stage's backdrop.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/Effect.h"
#include "platform/AudioMixer.h"
#include "stage/Event.h"
#include "stage/StageDataControl.h"
#include "stage/StagePellumbrisk.h"
#include "stage/StageTestSupport.h"
#include "support/FailingAllocations.h"
#include "win/DebugLog.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"
#include "win/Sprite.h"

using testing_support::StagePlayTest;

namespace {

class SwitchTest : public StagePlayTest {
protected:
    CStageDataControl& Proxy() { return Game()->m_stageControl; }
    // Asks for a switch the way a room exit does.
    void Warp(int32_t id, int32_t x, int32_t y, int32_t facing, int32_t transition = 5, int32_t frames = 30) {
        Proxy().SetPendingStage(id);
        Proxy().m_startX = x;
        Proxy().m_startY = y;
        Proxy().m_startFacing = facing;
        Proxy().m_transitionType = transition;
        Proxy().m_transitionFrames = frames;
    }
    void ExpectWarpIdle() {
        EXPECT_EQ(Proxy().m_nextStage, 0);
        EXPECT_EQ(Proxy().m_startX, -1);
        EXPECT_EQ(Proxy().m_startY, -1);
        EXPECT_EQ(Proxy().m_startFacing, 0);
        EXPECT_EQ(Proxy().m_warpExtra, -1);
        EXPECT_EQ(Proxy().m_transitionType, -1);
        EXPECT_EQ(Proxy().m_transitionFrames, 30);
    }
};

}  // namespace

TEST_F(SwitchTest, StageIdsBuildTheirStagesAndZeroRemovesIt) {
    const int32_t widths[8] = {150, 150, 150, 12, 12, 30, 30, 9};
    for (int32_t id = 266; id <= 273; ++id) {
        ASSERT_TRUE(Proxy().SetStage(id));
        ASSERT_NE(Stage(), nullptr);
        EXPECT_EQ(Stage()->m_stageId, id);
        EXPECT_EQ(Proxy().GetWidth(), widths[id - 266]);
        EXPECT_EQ(Proxy().GetNextStage(), 299);
        EXPECT_EQ(Proxy().GetGoldMultiplier(), 1);
        EXPECT_EQ(Proxy().GetMusic(), id <= 269 ? 2 : -1);
        EXPECT_EQ(Stage()->m_retryStageId, id <= 270 ? id : -1);
    }
    // With a stage the proxy forwards the view size and dead zone to it.
    EXPECT_EQ(Proxy().GetScreenHeight(), 320);
    Proxy().SetScreenWidth(568);
    EXPECT_EQ(Stage()->m_screenWidth, 568);
    EXPECT_EQ(Proxy().GetScreenWidth(), 568);
    EXPECT_EQ(Stage()->m_deadZoneMaxX, 2840);
    EXPECT_EQ(Stage()->m_deadZoneMinX, 2840);
    Proxy().SetDeadZone(3000, 2000, 1500, 1700);
    EXPECT_EQ(Stage()->m_deadZoneMaxX, 3000);
    EXPECT_EQ(Stage()->m_deadZoneMinX, 2000);
    EXPECT_EQ(Stage()->m_deadZoneMinY, 1500);
    EXPECT_EQ(Stage()->m_deadZoneMaxY, 1700);
    Proxy().EmptyHookA();
    Proxy().EmptyHookB();
    EXPECT_EQ(Stage()->m_stageId, 273);
    EXPECT_TRUE(Proxy().SetStage(0));
    EXPECT_EQ(Stage(), nullptr);
    EXPECT_FALSE(Proxy().HasStage());
    // Without a stage the accessors read nothing instead of through null.
    EXPECT_EQ(Proxy().GetWidth(), 0);
    EXPECT_EQ(Proxy().GetCameraY(), 0);
    EXPECT_EQ(Proxy().GetNextStage(), 0);
    EXPECT_EQ(Proxy().GetGoldMultiplier(), 1);
    Proxy().Start();
    Proxy().Update();
    Proxy().Draw();
}

TEST_F(SwitchTest, AnIdThatNamesNoStageKeepsTheCurrentOne) {
    std::vector<std::string> log;
    SetDebugLogSink([&](const char* line) { log.push_back(line); });
    Game()->StartStage(266);
    CStageData* before = Stage();
    for (int32_t id : {259, 299, 8, -3, 274}) {
        EXPECT_FALSE(Proxy().SetStage(id));
        EXPECT_EQ(Stage(), before);
        // A warp there is dropped, and play goes on where it was.
        Warp(id, 200, 2400, 1);
        Frame();
        EXPECT_EQ(Stage(), before) << id;
        EXPECT_EQ(Game()->m_mapId, 266);
        ExpectWarpIdle();
    }
    EXPECT_FALSE(log.empty());
    SetDebugLogSink(nullptr);
}

TEST_F(SwitchTest, AStageThatCannotBeMadeLeavesNoStageAndItsWarpGoesNowhere) {
    for (int32_t id = 266; id <= 273; ++id) {
        ASSERT_TRUE(Proxy().SetStage(266));
        {
            testing_support::FailingAllocations full;
            EXPECT_FALSE(Proxy().SetStage(id)) << id;
        }
        EXPECT_EQ(Stage(), nullptr) << id;
        EXPECT_FALSE(Proxy().HasStage()) << id;
    }
    // A switch into a stage that cannot be made: the old stage is ended and
    // gone, the warp is idle and no fade starts.
    Game()->StartStage(266);
    const int32_t fade = CEffect::GetInstance()->m_fade;
    Warp(267, 200, 2000, -1);
    {
        testing_support::FailingAllocations full;
        Proxy().Update();
    }
    EXPECT_EQ(Stage(), nullptr);
    ExpectWarpIdle();
    EXPECT_EQ(Game()->m_mapId, 266);
    EXPECT_EQ(CEffect::GetInstance()->m_fade, fade);
    // Without a stage the proxy forwards nothing.
    Proxy().SetScreenWidth(568);
    Proxy().SetDeadZone(1, 2, 3, 4);
    Proxy().Restart();
    Proxy().End();
    Proxy().EmptyHookA();
    Proxy().EmptyHookB();
    EXPECT_EQ(Proxy().GetMusic(), -1);
    EXPECT_EQ(Proxy().GetScreenWidth(), 0);
    EXPECT_EQ(Proxy().GetGoldMultiplier(), 1);
}

TEST_F(SwitchTest, AWarpPlacesThePlayerTurnsItAndFadesIn) {
    // The start's music replaces what played, which is let go.
    platform::AudioMixer::GetInstance()->UseManualOutput();
    ASSERT_TRUE(CSoundManager::GetInstance()->Init());
    PlayMusic(11);
    Game()->StartStage(266);
    EXPECT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), 2);
    EXPECT_FALSE(CSoundManager::GetInstance()->HasMusicSegment(11));
    std::vector<int32_t> music;
    SetMusicObserver([&](int32_t entry) { music.push_back(entry); });
    CCharacter* player = Player();
    player->facing = 1;
    Game()->m_subCharacterList.Add(new CCharacter());
    Warp(267, 200, 2000, -1);
    Proxy().m_warpExtra = 250;
    Frame();
    EXPECT_EQ(Stage()->m_warpExtra, 250) << "carried into the new stage";
    EXPECT_TRUE(music.empty()) << "the same music goes on through the switch";
    EXPECT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), 2);
    EXPECT_EQ(Game()->m_subCharacterList.GetCount(), 0) << "the second list emptied too";
    ASSERT_EQ(Game()->m_mapId, 267);
    EXPECT_EQ(Player(), player) << "the player is kept";
    EXPECT_EQ(PlayerMapX(), 200);
    EXPECT_EQ(player->facing, -1);
    CEffect* effect = CEffect::GetInstance();
    EXPECT_EQ(effect->m_overlayKind, 5);
    EXPECT_EQ(effect->m_overlayTarget, 0);
    EXPECT_EQ(effect->m_overlayStep, -10);
    EXPECT_EQ(effect->m_fadeTarget, 0);
    EXPECT_EQ(effect->m_fadeStep, -8);  // 255 / 30 frames, truncated
    EXPECT_EQ(effect->m_fade, 255 - 8);  // from black, already one frame of the fade
    ExpectWarpIdle();
    // Into the boss room, which has none: the music stops and is let go.
    Warp(270, 200, 2000, 1);
    Frame();
    ASSERT_EQ(Game()->m_mapId, 270);
    EXPECT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), -1);
    EXPECT_FALSE(CSoundManager::GetInstance()->HasMusicSegment(2));
}

TEST_F(SwitchTest, AWarpWithoutPositionOrFacingKeepsTheStagesStartAndThePlayersFacing) {
    Game()->StartStage(266);
    Player()->facing = -1;
    Warp(268, -1, 2000, 0, -1);  // a y without an x is no position
    const int32_t overlay = CEffect::GetInstance()->m_overlayKind;
    Frame();
    ASSERT_EQ(Game()->m_mapId, 268);
    EXPECT_EQ(Stage()->m_startX, 1000);
    EXPECT_EQ(Stage()->m_startY, 2400);
    EXPECT_EQ(Player()->facing, -1);
    EXPECT_EQ(CEffect::GetInstance()->m_overlayKind, overlay) << "no transition asked for";
}

TEST_F(SwitchTest, TheSceneRoomsPutThePlayerWhereTheirSceneWantsIt) {
    const int32_t events[3] = {7, 8, 9};
    for (int32_t id = 271; id <= 273; ++id) {
        Game()->StartStage(266);
        Warp(id, 600, 0, 1, 0, 80);
        Frame();
        ASSERT_EQ(Game()->m_mapId, id);
        EXPECT_EQ(Stage()->m_startX, 2200);
        EXPECT_EQ(Stage()->m_startY, 2400);
        EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), events[id - 271]);
        // The scene begins after the restart: the player as the scene holds
        // it, hidden for the clear, posed for the defeats.
        EXPECT_EQ(Player()->controlled, 0);
        if (id == 271) {
            EXPECT_EQ(Player()->alpha, 0);
        } else {
            EXPECT_EQ(Player()->frame, id == 272 ? 144 : 162);
        }
        EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, -255 / 80);
        // These rooms record no retry stage of their own.
        EXPECT_EQ(Game()->m_retryMapId, 266);
        // Started afresh they use their start position (the scene then
        // places the player where it wants it).
        Game()->StartStage(id);
        EXPECT_EQ(Stage()->m_startX, 1000);
    }
}

TEST_F(SwitchTest, ASwitchAskedForDuringTheCharacterUpdatesHappensInTheSameFrame) {
    Game()->StartStage(266);
    struct Asker : CCharacter {
        void Update() override {
            if (!asked) CGameMain::GetInstance()->m_stageControl.SetPendingStage(268);
            asked = true;
        }
        bool asked = false;
    };
    Game()->m_characterList.Add(new Asker());
    Frame();
    EXPECT_EQ(Game()->m_mapId, 268);
    EXPECT_EQ(Stage()->m_cameraX, -400) << "the new stage's first camera step followed the switch";
}

TEST_F(SwitchTest, AWarpOfNoFramesFadesInAtOnce) {
    Game()->StartStage(266);
    Warp(267, 200, 2400, 1, 5, 0);
    Frame();
    EXPECT_EQ(Game()->m_mapId, 267);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, -255);
    Warp(268, 200, 2400, 1, 5, -7);
    Frame();
    EXPECT_EQ(Game()->m_mapId, 268);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, -255);
}

TEST_F(SwitchTest, RestartMakesAPlayerWhenThereIsNone) {
    ASSERT_TRUE(Proxy().SetStage(267));
    Game()->m_player = nullptr;
    Stage()->m_startX = 1000;
    Stage()->m_startY = 2400;
    Proxy().Restart();
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(Game()->m_cameraTarget, Player());
    EXPECT_EQ(PlayerMapX(), 1000);
    EXPECT_EQ(PlayerMapY(), 2400);
}

TEST_F(SwitchTest, StartRecordsTheIdsAndBeginsWithAFadeAndAFreshWorld) {
    Game()->StartStage(266);
    CCharacter* first = Player();
    Game()->m_characterList.Add(new CCharacter());
    Game()->m_subCharacterList.Add(new CCharacter());
    Proxy().Start();
    EXPECT_EQ(Game()->m_subCharacterList.GetCount(), 0);
    EXPECT_NE(Player(), nullptr);
    int32_t players = 0;
    for (int32_t i = 1; i <= Game()->m_characterList.GetCount(); ++i)
        players += Game()->m_characterList.GetAt(i)->typeId == Game()->m_selectedCharacter;
    EXPECT_EQ(players, 1) << "the player of the last run went with the world";
    EXPECT_EQ(Game()->m_cameraTarget, Player());
    (void)first;
    EXPECT_EQ(Game()->m_mapId, 266);
    EXPECT_EQ(Game()->m_retryMapId, 266);
    EXPECT_EQ(Game()->m_restartMapId, 266);
    CEffect* e = CEffect::GetInstance();
    EXPECT_EQ(e->m_fadeTarget, 0);
    EXPECT_EQ(e->m_fadeStep, -5);
    EXPECT_EQ(e->m_overlayKind, 1);
    EXPECT_EQ(e->m_overlayStep, -10);
    EXPECT_EQ(Stage()->m_state, 2);
    auto* base = dynamic_cast<CStageDataBase*>(Stage());
    ASSERT_NE(base, nullptr);
    EXPECT_TRUE(base->IsStarted());
    Stage()->End();
    EXPECT_FALSE(base->IsStarted());
    // Each stage's start position, in map units.
    struct Start {
        int32_t id, x, y;
    };
    for (const Start& st : {Start{266, 1000, 2400}, Start{267, 1000, 2400}, Start{268, 1000, 2400},
                            Start{269, 1000, 14400}, Start{270, 600, 2400}}) {
        ASSERT_TRUE(Game()->StartStage(st.id));
        EXPECT_EQ(std::make_pair(PlayerMapX(), PlayerMapY()), std::make_pair(st.x, st.y)) << st.id;
    }
    // A start facing turns the new player; 0 leaves it as it is made.
    struct Row {
        int32_t startFacing, facing;
    };
    for (const Row& r : {Row{-1, -1}, Row{1, 1}, Row{0, 1}}) {
        Stage()->m_startFacing = r.startFacing;
        Proxy().Start();
        ASSERT_NE(Player(), nullptr);
        EXPECT_EQ(Player()->facing, r.facing) << r.startFacing;
    }
    // The stage takes the view's size at its start.
    Game()->m_screenWidth = 568;
    Proxy().Start();
    EXPECT_EQ(Stage()->m_screenWidth, 568);
    EXPECT_EQ(Stage()->m_deadZoneMinX, 2840);
    Game()->m_screenWidth = 480;
}

TEST_F(SwitchTest, FallingOutOfTheStageStopsThePlayerOnce) {
    Game()->StartStage(266);
    CCharacter* player = Player();
    player->y = 4200;
    Proxy().Update();
    EXPECT_EQ(player->hp, 0);
    EXPECT_EQ(player->frame, 120);
    EXPECT_EQ(player->y, 4000);
    EXPECT_EQ(sounds, std::vector<int32_t>{31});
    Frame(5);
    EXPECT_EQ(sounds, std::vector<int32_t>{31});
    EXPECT_EQ(player->frame, 120);
    EXPECT_EQ(player->stateTimer, 5) << "the state is not entered again";
    EXPECT_EQ(player->y, 4000);
    // Anywhere in 120 to 129 the dying goes on; outside it begins again.
    for (const int32_t frame : {129, 125, 130, 119}) {
        player->frame = frame;
        player->stateTimer = 7;
        Proxy().Update();
        const bool kept = frame >= 120 && frame <= 129;
        EXPECT_EQ(player->frame, kept ? frame : 120) << frame;
        EXPECT_EQ(player->stateTimer, kept ? 7 : 0) << frame;
    }
    EXPECT_EQ(sounds, std::vector<int32_t>{31}) << "heard once";
}

TEST_F(SwitchTest, WithoutAPlayerNothingFallsOut) {
    Game()->StartStage(266);
    Stage()->m_cameraY = 0;  // the camera at the bottom of this one-view-high stage
    Game()->m_cameraTarget = nullptr;
    CCharacter* player = Player();
    player->y = 3999;
    EXPECT_FALSE(Stage()->IsPlayerBelowView());
    player->y = 4000;
    EXPECT_TRUE(Stage()->IsPlayerBelowView());
    player->y = 4200;
    Game()->m_player = nullptr;
    EXPECT_FALSE(Stage()->IsPlayerBelowView());
    EXPECT_FALSE(Stage()->CheckFallOut());
    EXPECT_GT(player->hp, 0);
    EXPECT_TRUE(sounds.empty());
    Game()->m_player = player;
}

TEST_F(SwitchTest, FallingBelowTheViewHigherUpTheTowerDoesNothing) {
    Game()->StartStage(269);
    Stage()->m_cameraY = 0;  // the camera near the top, far above the bottom
    Game()->m_cameraTarget = nullptr;
    Player()->y = 4400;
    EXPECT_FALSE(Stage()->CheckFallOut());
    EXPECT_GT(Player()->hp, 0);
}

TEST_F(SwitchTest, MasksCoverWhatLiesBeyondTheStageAndItsBackdrop) {
    std::vector<SpriteDraw> masks;
    SetSpriteObserver([&](const SpriteDraw& d) {
        if (d.slot == 1) masks.push_back(d);
    });
    // 9 cells wide with the camera centring it: 600 units each side.
    testing_support::GridStage stage(9, 8);
    stage.m_cameraX = -600;
    stage.Draw();  // no backdrop: black from the stage's edges
    ASSERT_EQ(masks.size(), 2u);
    EXPECT_EQ(masks[0].x, 420);  // right: (3600 + 600) / 10
    EXPECT_EQ(masks[0].w, 70);   // 10 pixels wider than the strip
    EXPECT_EQ(masks[0].h, 320);
    EXPECT_EQ(masks[1].x, 0);
    EXPECT_EQ(masks[1].w, 60);
    masks.clear();
    stage.Fill(stage.b, 4, 14, 4, 13, 30251);  // a backdrop over the border cells
    stage.Draw();
    ASSERT_EQ(masks.size(), 2u);
    EXPECT_EQ(masks[0].x, 460);  // (4000 + 600) / 10
    EXPECT_EQ(masks[0].w, 30);
    EXPECT_EQ(masks[1].w, 20);
    masks.clear();
    // Above and below: a stage exactly one view wide (12 cells), eight high.
    struct Row {
        int32_t cameraY;
        int32_t y, h;
    };
    const Row rows[] = {
        {400, 280, 40},  // below: (3200 - 400) / 10, (3200 - 3200 + 400) / 10
        {-300, 0, 30},   // above: -(-300) / 10
    };
    for (const Row& r : rows) {
        testing_support::GridStage wide(12, 8);
        wide.m_cameraY = r.cameraY;
        masks.clear();
        wide.Draw();
        ASSERT_EQ(masks.size(), 1u) << r.cameraY;
        EXPECT_EQ(masks[0].x, 0) << r.cameraY;
        EXPECT_EQ(masks[0].y, r.y) << r.cameraY;
        EXPECT_EQ(masks[0].w, 480) << r.cameraY;
        EXPECT_EQ(masks[0].h, r.h) << r.cameraY;
    }
    masks.clear();
    // The stages' maps fill every place their cameras show, but for the
    // shrine room of 273 (9 cells wide, its backdrop on the ring of border
    // cells only), where the masks stand as over the filled stage above.
    Game()->StartStage(266);
    Proxy().Draw();
    EXPECT_TRUE(masks.empty());
    Game()->StartStage(273);
    Proxy().Draw();
    ASSERT_EQ(masks.size(), 2u);
    EXPECT_EQ(masks[0].x, 460);
    EXPECT_EQ(masks[0].w, 30);
    EXPECT_EQ(masks[1].x, 0);
    EXPECT_EQ(masks[1].w, 20);
    SetSpriteObserver(nullptr);
}
