// The scenes on the real stages: the clear scene's fades, poses and touches,
// its clear marks and the saved "save" file, and the way back to the title;
// the two defeat scenes opening the Continue screen only after their fade;
// the openings, the place name and the endings step by step; and actors
// deleted under a running scene (a stage switch, a self-removal).
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/SaveData.h"
#include "framework/SaveTestDir.h"
#include "platform/AudioMixer.h"
#include "player/CharacterPlayer.h"
#include "stage/CharacterStageObject.h"
#include "stage/Event.h"
#include "stage/EventScenes.h"
#include "stage/StageTestSupport.h"
#include "ui/GameInput.h"
#include "ui/GameInputContinue.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputMessageWindow.h"
#include "ui/GameInputEnding.h"
#include "ui/GameInputTitleTop.h"
#include "win/MyInput.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

using namespace testing_support;

namespace {

CEvent* Director() { return CEvent::GetInstance(); }
CGameInput* Top() { return CGameInputController::GetInstance()->GetTop(); }
const CEffect* Fade() { return CEffect::GetInstance(); }

// The characters of the world list with a type id.
std::vector<CCharacter*> WithTypeId(int32_t typeId) {
    std::vector<CCharacter*> found;
    CCharacterList& list = CGameMain::GetInstance()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i)
        if (list.GetAt(i)->typeId == typeId) found.push_back(list.GetAt(i));
    return found;
}

class SceneTest : public StagePlayTest {
protected:
    void SetUp() override {
        StagePlayTest::SetUp();
        Game()->m_selectedCharacter = 1;
        Game()->m_gameMode = 1;
        for (int32_t& flag : Game()->m_clearFlags) flag = 0;
        Frame();  // a released pointer in the history
    }
    void TearDown() override {
        Director()->Reset();
        Game()->ClearGroupFreezeTimer();
        StagePlayTest::TearDown();
    }
    // Frames until the condition holds (at most a limit); how many ran.
    template <typename Done>
    int FramesUntil(Done done, int limit = 1000) {
        int n = 0;
        while (!done() && n < limit) {
            Frame();
            ++n;
        }
        return n;
    }
    // A press seen for one frame, then the release and a frame.
    void Touch() {
        TouchDown(240, 200);
        Frame();
        TouchUp();
        Frame();
    }
    bool FadeArrived() const { return Fade()->m_fade == Fade()->m_fadeTarget; }

    SaveTestDir saves;
};

}  // namespace

// --- The clear scene --------------------------------------------------------------

TEST_F(SceneTest, TheClearSceneRunsItsStepsMarksTheClearSavesAndReturnsToTheTitle) {
    CEventClear1* clear = CEventClear1::GetInstance();
    ASSERT_TRUE(Game()->StartStage(271));
    ASSERT_EQ(Director()->GetCurrent(), clear);
    // The player held and hidden; the boss lying where the player stands.
    EXPECT_EQ(Player()->controlled, 0);
    EXPECT_EQ(Player()->alpha, 0);
    EXPECT_EQ(Player()->x, 2400);
    ASSERT_NE(clear->m_boss, nullptr);
    EXPECT_EQ(clear->m_boss->typeId, 11100);
    EXPECT_EQ(clear->m_boss->frame, 112);
    EXPECT_EQ(clear->m_boss->x, 2400);
    EXPECT_EQ(clear->m_boss->y, -800) << "high above, to fall in";
    EXPECT_EQ(clear->m_boss->facing, 1);

    // Step 0 waits 100 frames: the fade out begins on the 102nd update.
    Frame(101);
    EXPECT_EQ(clear->GetStep(), 0);
    EXPECT_EQ(Fade()->m_fadeTarget, 0);
    Frame();
    EXPECT_EQ(clear->GetStep(), 1);
    EXPECT_EQ(Fade()->m_fadeTarget, 255);
    EXPECT_EQ(Fade()->m_fadeStep, 3);
    EXPECT_EQ(Fade()->m_fade, 3) << "the fade steps after the scene, in the same frame";
    // At black: the fade in and the four lizardmen.
    const int toBlack = FramesUntil([&] { return clear->GetStep() == 2; });
    EXPECT_EQ(toBlack, 85);
    EXPECT_EQ(Fade()->m_fadeTarget, 0);
    const int32_t xs[4] = {1200, 1800, 3000, 3600}, facings[4] = {1, 1, -1, -1};
    for (int i = 0; i < 4; ++i) {
        CCharacter* l = clear->m_lizardmen[i];
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->typeId, 11060);
        EXPECT_EQ(l->frame, 350);
        EXPECT_EQ(l->x, xs[i]);
        EXPECT_EQ(l->facing, facings[i]);
        EXPECT_FALSE(l->IsAirborne()) << "dropped onto the floor";
    }
    EXPECT_EQ(WithTypeId(11060).size(), 4u);
    // The boss's poses, 80 frames (82 updates) apart.
    FramesUntil([&] { return clear->GetStep() == 3; });
    EXPECT_EQ(clear->m_boss->frame, 114);
    for (int32_t pose : {115, 114, 116, 118}) {
        const int32_t step = clear->GetStep();
        Frame(81);
        EXPECT_EQ(clear->GetStep(), step);
        Frame();
        EXPECT_EQ(clear->m_boss->frame, pose);
    }
    // Step 7's wait, the second fade: pose 420, the outer lizardmen hidden.
    Frame(81);
    EXPECT_EQ(clear->GetStep(), 7);
    Frame();
    ASSERT_EQ(clear->GetStep(), 8);
    EXPECT_EQ(Fade()->m_fadeTarget, 255);
    FramesUntil([&] { return clear->GetStep() == 9; });
    EXPECT_EQ(clear->m_boss->frame, 420);
    EXPECT_EQ(clear->m_lizardmen[0]->alpha, 0);
    EXPECT_EQ(clear->m_lizardmen[3]->alpha, 0);
    EXPECT_EQ(clear->m_lizardmen[1]->alpha, 255);

    // Without a touch the scene waits at step 10.
    FramesUntil([&] { return clear->GetStep() == 10; });
    Frame(300);
    EXPECT_EQ(clear->GetStep(), 10);
    EXPECT_EQ(clear->m_boss->frame, 420);
    // A touch held across steps counts once.
    TouchDown(240, 200);
    Frame();
    EXPECT_EQ(clear->GetStep(), 11);
    EXPECT_EQ(clear->m_boss->frame, 422);
    Frame(20);
    EXPECT_EQ(clear->GetStep(), 11);
    TouchUp();
    Frame();
    // Each new touch: the boss's next pose.
    for (int32_t pose : {424, 426}) {
        TouchDown(240, 200);
        Frame();
        EXPECT_EQ(clear->m_boss->frame, pose);
        TouchUp();
        Frame();
    }
    EXPECT_EQ(clear->m_lizardmen[0]->alpha, 255);
    EXPECT_EQ(clear->m_lizardmen[3]->alpha, 255);
    EXPECT_FALSE(CGameInputMain::GetInstance()->m_clearLabel.IsVisible());
    std::vector<int32_t> music;
    SetMusicObserver([&](int32_t entry) { music.push_back(entry); });
    Touch();
    EXPECT_EQ(clear->GetStep(), 14);
    EXPECT_EQ(music, std::vector<int32_t>{11}) << "the clear music, nothing stopped";
    EXPECT_TRUE(CGameInputMain::GetInstance()->m_clearLabel.IsVisible()) << "the \"CLEAR!\" banner";
    Touch();
    EXPECT_EQ(clear->GetStep(), CEventClear1::kFinishStep);
    EXPECT_EQ(Fade()->m_fadeTarget, 255);
    EXPECT_EQ(Game()->m_clearFlags[0], 0) << "nothing recorded before the fade has arrived";

    // At black: the clear recorded (mode 1: bit 2, and 8), saved, the title.
    FramesUntil([&] { return Director()->GetCurrent() == nullptr; });
    EXPECT_EQ(Game()->m_clearFlags[0], 2 | 8);
    EXPECT_EQ(CGameStateController::GetInstance()->GetCurrent(), CGameStateController::StateForId(2));
    EXPECT_EQ(Top(), CGameInputTitleTop::GetInstance());
    EXPECT_EQ(Game()->m_mapId, 0);
    ASSERT_EQ(saves.Size("save"), 65536);
    EXPECT_EQ(saves.Read("save").at(SystemRecord::kClearMarks), 2 | 8);

    // Cleared again in mode 0: bit 1 joins them. Mode 2 gives bit 4; a mode
    // of no game only the 8.
    struct Row {
        int32_t mode, before, after;
    };
    for (const Row& r : {Row{0, 10, 11}, Row{2, 0, 12}, Row{2, 11, 15}, Row{5, 0, 8}}) {
        Game()->m_gameMode = r.mode;
        Game()->m_clearFlags[0] = r.before;
        ASSERT_TRUE(Game()->StartStage(271));
        clear->m_step = 14;
        Touch();
        FramesUntil([&] { return Director()->GetCurrent() == nullptr; });
        EXPECT_EQ(Game()->m_clearFlags[0], r.after) << r.mode;
    }
}

TEST_F(SceneTest, ARetryDuringTheClearSceneEndsItAndStartsTheLastPlayedStage) {
    ASSERT_TRUE(Game()->StartStage(269));
    Game()->m_stageControl.SetPendingStage(271);
    Frame();
    ASSERT_EQ(Game()->m_mapId, 271);
    ASSERT_EQ(Director()->GetCurrentId(), EventId::kClear);
    Frame(50);
    TapFunctionKey(kKeyF10);
    EXPECT_EQ(Game()->m_mapId, 269);
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
}

TEST_F(SceneTest, ActorsDeletedUnderARunningSceneAreDroppedAndNeverRead) {
    CEventClear1* clear = CEventClear1::GetInstance();
    ASSERT_TRUE(Game()->StartStage(271));
    FramesUntil([&] { return clear->GetStep() == 2; });
    // The boss and a lizardman remove themselves mid-scene.
    CCharacter* boss = clear->m_boss;
    boss->SetState(0);
    clear->m_lizardmen[2]->SetState(0);
    Frame();
    EXPECT_EQ(clear->m_boss, nullptr);
    EXPECT_EQ(clear->m_lizardmen[2], nullptr);
    EXPECT_NE(clear->m_lizardmen[0], nullptr);
    // A stage switch takes the rest with the stage's characters; the scene
    // goes on through its steps on nobody.
    Game()->m_stageControl.SetPendingStage(266);
    Frame();
    ASSERT_EQ(Game()->m_mapId, 266);
    for (CCharacter* l : clear->m_lizardmen) EXPECT_EQ(l, nullptr);
    FramesUntil([&] { return clear->GetStep() == 10; }, 800);
    for (int i = 0; i < 5; ++i) Touch();
    FramesUntil([&] { return Director()->GetCurrent() != clear; });
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
    EXPECT_EQ(Game()->m_clearFlags[0], 10);

    // The same for a defeat scene's lizardmen and an opening's actors.
    ASSERT_TRUE(Game()->StartStage(272));
    Frame(3);
    ASSERT_NE(CEventQuelmar1::GetInstance()->m_lizardmen[3], nullptr);
    Game()->m_stageControl.SetPendingStage(267);
    Frame();
    for (CCharacter* l : CEventQuelmar1::GetInstance()->m_lizardmen) EXPECT_EQ(l, nullptr);
    Director()->SetEvent(EventId::kOpening1);
    CEventOpening1_1* opening = CEventOpening1_1::GetInstance();
    opening->m_princess->SetState(0);
    Frame();
    EXPECT_EQ(opening->m_princess, nullptr);
    Frame(120);
    EXPECT_EQ(opening->GetStep(), 2);
}

// --- The defeat scenes ------------------------------------------------------------

TEST_F(SceneTest, TheFirstDefeatSceneOpensContinueOnATouchOnlyAfterItsFade) {
    CEventQuelmar1* scene = CEventQuelmar1::GetInstance();
    ASSERT_TRUE(Game()->StartStage(272));
    ASSERT_EQ(Director()->GetCurrent(), scene);
    EXPECT_EQ(Player()->controlled, 0);
    EXPECT_EQ(Player()->x, 4400);
    EXPECT_GT(Player()->y, 800) << "dropped from 800 onto the floor";
    EXPECT_EQ(Player()->frame, 144);
    EXPECT_EQ(Fade()->m_fade, 255);
    EXPECT_EQ(Fade()->m_fadeStep, -3);
    // The lizardmen come on the third update.
    Frame(2);
    EXPECT_TRUE(WithTypeId(11060).empty());
    Frame();
    ASSERT_EQ(WithTypeId(11060).size(), 4u);
    EXPECT_EQ(scene->m_lizardmen[2]->x, 3000);
    EXPECT_EQ(scene->m_lizardmen[2]->facing, -1);
    // A touch before the fade has arrived is neither seen nor consumed.
    TouchDown(240, 200);
    Frame();
    EXPECT_EQ(scene->GetStep(), 1);
    EXPECT_NE(CMyInput::GetInstance()->m_touchHistory[1], -1);
    TouchUp();
    EXPECT_NE(Top(), CGameInputContinue::GetInstance());
    FramesUntil([&] { return FadeArrived(); });
    Frame();
    EXPECT_EQ(scene->GetStep(), 2);
    EXPECT_NE(Top(), CGameInputContinue::GetInstance());
    TouchDown(240, 200);
    Frame();
    EXPECT_FALSE(CMyInput::GetInstance()->IsTouchPressed()) << "the press is used up";
    TouchUp();
    Frame();
    EXPECT_EQ(scene->GetStep(), 3);
    EXPECT_EQ(Top(), CGameInputContinue::GetInstance());
    EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputMain::GetInstance()) << "over the HUD";
    // The scene stays, the controls with it.
    Frame(50);
    EXPECT_EQ(Director()->GetCurrent(), scene);
    EXPECT_EQ(Player()->controlled, 0);
}

TEST_F(SceneTest, TheSecondDefeatSceneAndARepeatedEntryWithNewActors) {
    CEventQuelmar2* scene = CEventQuelmar2::GetInstance();
    ASSERT_TRUE(Game()->StartStage(273));
    ASSERT_EQ(Director()->GetCurrent(), scene);
    EXPECT_EQ(Fade()->m_fade, 255) << "its own fade in, slower than the start's";
    EXPECT_EQ(Fade()->m_fadeStep, -3);
    EXPECT_EQ(Player()->x, 1300);
    EXPECT_GT(Player()->y, 2400) << "dropped from 2400 onto the floor";
    EXPECT_EQ(Player()->frame, 162);
    CCharacter* lizardman = scene->m_lizardmen[0];
    ASSERT_NE(lizardman, nullptr);
    EXPECT_EQ(lizardman->frame, 356);
    EXPECT_EQ(lizardman->x, 2800);
    EXPECT_EQ(lizardman->facing, 1);
    Touch();
    EXPECT_EQ(scene->GetStep(), 0) << "no touch before the fade";
    FramesUntil([&] { return scene->GetStep() == 1; });
    EXPECT_NE(Top(), CGameInputContinue::GetInstance());
    Touch();
    EXPECT_EQ(scene->GetStep(), 2);
    EXPECT_EQ(Top(), CGameInputContinue::GetInstance());

    // In again through a switch: afresh, one new lizardman, the old gone.
    CGameInputController::GetInstance()->SetInput(ScreenId::Main);
    Game()->m_stageControl.SetPendingStage(273);
    Frame();
    EXPECT_EQ(scene->GetStep(), 0);
    ASSERT_EQ(WithTypeId(11060).size(), 1u);
    EXPECT_EQ(WithTypeId(11060)[0], scene->m_lizardmen[0]);
}

// --- The openings -----------------------------------------------------------------

TEST_F(SceneTest, TheWalkInFallsIntoTheFirstStageLandsAndSaves) {
    ASSERT_TRUE(Game()->StartStage(267));
    // The stage is only the ground the scene walks on: its enemies are
    // taken out of play, so that every sound heard is the scene's.
    ClearEnemies();
    Game()->m_currentSlot = 3;
    CEventOpening1_1* scene = CEventOpening1_1::GetInstance();
    Director()->SetEvent(EventId::kOpening1);
    EXPECT_EQ(Player()->controlled, 0);
    EXPECT_EQ(Player()->frame, 250);
    ASSERT_NE(scene->m_princess, nullptr);
    ASSERT_NE(scene->m_kingTengu, nullptr);
    EXPECT_EQ(scene->m_princess->frame, 270);
    EXPECT_EQ(scene->m_princess->x, 6800);
    EXPECT_EQ(scene->m_princess->facing, -1);
    EXPECT_EQ(scene->m_kingTengu->facing, -1);
    EXPECT_FALSE(scene->m_princess->IsAirborne());
    ASSERT_NE(scene->m_princess->linksB[0], nullptr) << "the marker above her";
    EXPECT_EQ(scene->m_kingTengu->frame, 420);
    EXPECT_EQ(scene->m_kingTengu->x, 6300);

    // An effect standing still a distance above the player, of a state.
    auto effectAbove = [&](int32_t state, int32_t above) {
        for (CCharacter* e : WithTypeId(CCharacterEffect::kTypeId))
            if (e->frame == state && e->x == Player()->x && e->y == Player()->y - above && e->facing == 1) return true;
        return false;
    };
    sounds.clear();
    Frame(82);
    EXPECT_EQ(Player()->frame, 231);
    EXPECT_EQ(sounds, std::vector<int32_t>{80});
    EXPECT_TRUE(effectAbove(330, 400)) << "the burst over the head";
    Frame(32);
    EXPECT_EQ(Player()->frame, 260);
    // Step 2 waits for the king tengu 80 pixels inside the view: not at
    // 4000, at 3999.
    Frame(20);
    EXPECT_EQ(scene->GetStep(), 2);
    scene->m_kingTengu->x = 4000;
    Director()->Update();  // the scene's step alone
    EXPECT_EQ(scene->GetStep(), 2) << "at 4000";
    scene->m_kingTengu->x = 3999;
    sounds.clear();
    platform::AudioMixer::GetInstance()->UseManualOutput();
    ASSERT_TRUE(CSoundManager::GetInstance()->Init());
    StopMusic();
    PlayMusic(11);
    Director()->Update();
    EXPECT_EQ(scene->GetStep(), 3);
    EXPECT_EQ(CSoundManager::GetInstance()->GetPlayingMusic(), -1) << "the music stops";
    EXPECT_FALSE(CSoundManager::GetInstance()->HasMusicSegment(11)) << "and is let go";
    EXPECT_EQ(sounds, std::vector<int32_t>{74});
    EXPECT_EQ(Player()->frame, 980);
    EXPECT_EQ(scene->m_frameCounter, 0);
    Frame(122);
    EXPECT_EQ(sounds, (std::vector<int32_t>{74, 51})) << "the blow's sound at step 3";
    EXPECT_EQ(scene->m_kingTengu->frame, 421);
    EXPECT_EQ(scene->m_princess->frame, 280);
    EXPECT_EQ(scene->m_princess->linksB[0], nullptr) << "taken, she no longer calls";
    Frame(82);
    EXPECT_EQ(Player()->frame, 981);
    EXPECT_EQ(Player()->vx, -100) << "knocked back";
    EXPECT_EQ(Player()->vy, -50);
    // Into the first stage with the player kept; the actors went.
    CCharacter* player = Player();
    Frame(62);
    EXPECT_EQ(scene->GetStep(), 6);
    EXPECT_EQ(Game()->m_mapId, CEventOpening1_1::kFallStage);
    EXPECT_EQ(Player(), player);
    EXPECT_EQ(scene->m_princess, nullptr);
    EXPECT_EQ(scene->m_kingTengu, nullptr);
    EXPECT_EQ(Player()->frame, 982);
    EXPECT_EQ(PlayerMapX(), 1800);
    EXPECT_EQ(Player()->y, -3200) << "high above, falling in";
    EXPECT_EQ(Stage()->m_music, -1);
    ClearEnemies();  // the first stage's walker stays out of the poses
    // Lands, bounces, lands; the row of poses to the standing record 230,
    // each after its wait.
    FramesUntil([&] { return scene->GetStep() == 7; }, 400);
    EXPECT_EQ(Player()->vy, -80) << "the bounce on landing";
    FramesUntil([&] { return scene->GetStep() == 8; }, 400);
    EXPECT_EQ(Player()->frame, 983);
    struct Pose {
        int32_t updates, frame;
    };
    sounds.clear();
    for (const Pose& p : {Pose{42, 290}, Pose{62, 989}, Pose{32, 984}, Pose{77, 986}}) {
        const int32_t step = scene->GetStep();
        if (p.frame == 989) Player()->facing = -1;  // the effects face right all the same
        EXPECT_EQ(FramesUntil([&] { return scene->GetStep() != step; }, 400), p.updates) << step;
        EXPECT_EQ(Player()->frame, p.frame) << step;
        if (p.frame == 290) {
            EXPECT_EQ(Player()->vy, -60);
        }
        if (p.frame == 989) {
            EXPECT_TRUE(effectAbove(330, 400));
            EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 80), 1) << "the burst's sound again";
        }
        if (p.frame == 986) {
            EXPECT_TRUE(effectAbove(270, 500)) << "the glint";
        }
    }
    EXPECT_EQ(scene->GetStep(), 12);
    std::vector<int32_t> music;
    SetMusicObserver([&](int32_t entry) { music.push_back(entry); });
    FramesUntil([&] { return Director()->GetCurrent() == nullptr; }, 200);
    ASSERT_FALSE(music.empty());
    EXPECT_EQ(music.back(), 0) << "the first stage's music begins";
    EXPECT_EQ(Player()->frame, 230) << "it ends on the standing record";
    EXPECT_EQ(Player()->controlled, 1);
    // Saved: the slot's stage, the resume snapshot dropped and written.
    EXPECT_EQ(Game()->m_slotData[3].GetInt(SaveSlotRecord::kMapId), CEventOpening1_1::kFallStage);
    EXPECT_EQ(Game()->m_slotData[3].GetInt(SaveSlotRecord::kResumeX), Player()->GetStageX());
    EXPECT_EQ(Game()->m_slotData[3].GetInt(SaveSlotRecord::kResumeY), Player()->GetStageY());
    EXPECT_TRUE(saves.Exists("resume03"));
    EXPECT_EQ(saves.Read("save").size(), CSaveData::kSize);
}

TEST_F(SceneTest, TheGuidedFightRunsThroughTheHomingAttacksToTheGrab) {
    ASSERT_TRUE(Game()->StartStage(266));
    CEventOpening1_2* scene = CEventOpening1_2::GetInstance();
    Director()->SetEvent(EventId::kOpening2);
    auto* player = static_cast<CCharacterPlayer*>(Player());
    EXPECT_EQ(player->katanaReach, 2000);
    // Placed on the map: the player at -200, the soldiers at 1100 and 2500.
    EXPECT_EQ(PlayerMapX(), -200);
    ASSERT_NE(scene->m_soldiers[0], nullptr);
    ASSERT_NE(scene->m_soldiers[1], nullptr);
    EXPECT_EQ(scene->m_soldiers[0]->x + Stage()->m_cameraX, 1100);
    EXPECT_EQ(scene->m_soldiers[1]->x + Stage()->m_cameraX, 2500);
    EXPECT_EQ(scene->m_soldiers[0]->frame, 350);
    EXPECT_EQ(scene->m_soldiers[0]->facing, -1);
    EXPECT_EQ(scene->m_soldiers[1]->facing, 1);
    // They look about in turn, 40 frames (42 updates) apart.
    struct Look {
        int soldier;
        int32_t facing;
    };
    for (const Look& l : {Look{0, 1}, Look{1, -1}, Look{0, -1}, Look{1, 1}}) {
        Frame(41);
        EXPECT_NE(scene->m_soldiers[l.soldier]->facing, l.facing);
        Frame();
        EXPECT_EQ(scene->m_soldiers[l.soldier]->facing, l.facing);
    }
    EXPECT_EQ(scene->GetStep(), 4);
    Frame(42);
    EXPECT_EQ(scene->GetStep(), 5);
    EXPECT_EQ(scene->m_soldiers[0]->facing, 1) << "the first one looks right again";
    EXPECT_EQ(player->alpha, 0);
    EXPECT_EQ(player->x, 400) << "hidden beside the first soldier";
    // The player's own update never sees the controls.
    for (int i = 0; i < 30 && scene->GetStep() == 5; ++i) {
        EXPECT_EQ(player->controlled, 0);
        Frame();
    }
    EXPECT_EQ(player->controlled, 0);

    // The first soldier struck down by a touch on it.
    auto touchAt = [&](const CCharacter* c) {
        TouchDown(c->x / 10, c->y / 10);
        Frame();
        TouchUp();
        Frame();
    };
    CCharacter* first = scene->m_soldiers[0];
    ASSERT_NE(first, nullptr);
    const int32_t y = player->y;
    TouchDown(first->x / 10, first->y / 10);
    Frame();
    EXPECT_EQ(scene->GetStep(), 6);
    // Shown again, put back at -400 and 600 higher than the strike, which
    // lifted the standing player 100 off the floor.
    EXPECT_EQ(player->x, -400);
    EXPECT_EQ(player->y, y - 100 - 600);
    EXPECT_EQ(player->alpha, 255);
    sounds.clear();
    TouchUp();
    Frame();
    FramesUntil([&] { return scene->m_soldiers[0] == nullptr; }, 400);
    EXPECT_EQ(scene->m_soldiers[0], nullptr) << "beaten, gone and forgotten";
    // The second one turns with the mark above its head; all stand still.
    FramesUntil([&] { return scene->GetStep() == 7; }, 100);
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.back(), 80) << "the second one calls as it turns";
    CCharacter* second = scene->m_soldiers[1];
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->frame, 352);
    EXPECT_EQ(second->facing, -1) << "it turns to the left";
    EXPECT_FALSE(WithTypeId(CCharacterEffect::kTypeId).empty());
    // 20 frames (22 updates) in step 7 before the mark, some maybe spent
    // while the first soldier went.
    const int32_t spent = scene->m_frameCounter;
    EXPECT_EQ(spent + FramesUntil([&] { return scene->GetStep() == 8; }, 100), 22);
    int marks = 0;
    for (const CCharacter* c : second->linksB) {
        if (c == nullptr || c->frame != 90 || c->facing != 1) continue;
        marks += std::count(std::begin(c->linksA), std::end(c->linksA), second) == 1;
    }
    EXPECT_EQ(marks, 1) << "the mark above the second soldier";
    EXPECT_EQ(player->katanaReach, 3000) << "a longer reach for the frozen one";
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), -1);
    touchAt(second);
    EXPECT_EQ(scene->GetStep(), 9);
    EXPECT_EQ(player->katanaReach, 1200);
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
    // Then it waits for the grab of a door; the room holds none until one is
    // put beside the player.
    FramesUntil([&] { return scene->GetStep() == 10; }, 100);
    EXPECT_EQ(scene->GetStep(), 10);
    EXPECT_EQ(player->controlled, 0);
    Frame(20);
    EXPECT_EQ(scene->GetStep(), 10) << "nothing to grab";
    auto* door = new CCharacterStageObject();
    door->SetState(CCharacterStageObject::kDoorExit);
    door->x = player->x + 200;
    door->y = player->y - 200;
    CGameMain::GetInstance()->m_characterList.Add(door);
    Frame();
    sounds.clear();
    TouchDown(door->x / 10, door->y / 10);
    Frame();
    // Taken: a sound, and the screen fades out by 8 a frame.
    EXPECT_EQ(sounds, std::vector<int32_t>{66});
    EXPECT_FALSE(CMyInput::GetInstance()->IsTouchPressed()) << "the press is used up";
    EXPECT_EQ(Fade()->m_fadeTarget, 255);
    EXPECT_EQ(Fade()->m_fadeStep, 8);
    EXPECT_EQ(player->x, door->GetAnchorX()) << "at the door it took";
    EXPECT_EQ(player->frame, 300);
    TouchUp();
    Frame();
    EXPECT_EQ(door->frame, 251) << "taken";
    EXPECT_EQ(player->grabbedObject, door);
    EXPECT_EQ(Director()->GetCurrent(), nullptr) << "the scene has ended";
    EXPECT_EQ(player->controlled, 1) << "given back at the end";
}

TEST_F(SceneTest, ThePlaceNameShowsInTheWindowAndEndsWhenItCloses) {
    ASSERT_TRUE(Game()->StartStage(266));
    CEventPlaceName1* scene = CEventPlaceName1::GetInstance();
    // A name longer than the room is cut at a whole character.
    std::string longName(62, 'a');
    longName += "\xE3\x81\x82\xE3\x81\x84";  // two three-byte characters
    scene->SetPlaceName(longName.c_str());
    EXPECT_EQ(std::string(scene->m_placeName), std::string(62, 'a'));
    scene->SetPlaceName("Kitsune Forest");
    EXPECT_STREQ(scene->m_placeName, "Kitsune Forest");
    Player()->vx = 30;
    Director()->SetEvent(EventId::kPlaceName);
    EXPECT_EQ(Player()->controlled, 0);
    EXPECT_EQ(Player()->vx, 0) << "stopped to read";
    CGameInputMessageWindow* window = CGameInputMessageWindow::GetInstance();
    EXPECT_EQ(Top(), window);
    EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputMain::GetInstance()) << "over the HUD";
    FramesUntil([&] { return window->GetState() == ScreenState::Closed; }, 600);
    Frame();
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
    EXPECT_EQ(Player()->controlled, 1);

    // Its end starts the stage's music again only when none plays.
    platform::AudioMixer::GetInstance()->UseManualOutput();
    ASSERT_TRUE(CSoundManager::GetInstance()->Init());
    std::vector<int32_t> music;
    SetMusicObserver([&](int32_t entry) { music.push_back(entry); });
    for (bool silenced : {false, true}) {
        ASSERT_TRUE(Game()->StartStage(266));
        ASSERT_NE(CSoundManager::GetInstance()->GetPlayingMusic(), -1);
        if (silenced) StopMusic();
        Director()->SetEvent(EventId::kPlaceName);
        music.clear();
        Director()->Reset();
        EXPECT_EQ(music, silenced ? std::vector<int32_t>{2} : std::vector<int32_t>{}) << silenced;
    }
}

// --- The endings ------------------------------------------------------------------

TEST_F(SceneTest, TheFirstEndingWithItsVariantsAndTheSecondToTheHug) {
    CGameInputEnding* ending = CGameInputEnding::GetInstance();
    platform::AudioMixer::GetInstance()->UseManualOutput();
    ASSERT_TRUE(CSoundManager::GetInstance()->Init());
    std::vector<int32_t> music;
    SetMusicObserver([&](int32_t entry) { music.push_back(entry); });
    // Character 2 skips the greetings.
    for (int32_t character : {1, 2, 4}) {
        Game()->m_selectedCharacter = character;
        ASSERT_TRUE(Game()->StartStage(266));
        ClearEnemies();  // the first stage's enemies stay out of the scene
        CEventEnding1_1* scene = CEventEnding1_1::GetInstance();
        StopMusic();
        PlayMusic(11);  // the clear music alone, still loaded
        Director()->SetEvent(EventId::kEnding1);
        EXPECT_EQ(Top(), ending);
        EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), CGameInputMain::GetInstance()) << "over the HUD";
        ASSERT_NE(scene->m_princess, nullptr);
        EXPECT_EQ(scene->m_princess->x, 2400);
        EXPECT_EQ(scene->m_princess->y, 800);
        EXPECT_EQ(scene->m_princess->facing, -1) << "facing the player";
        // The black screen parts evenly over 40 frames into two bars.
        Frame(20);
        EXPECT_EQ(ending->m_topBand.y, -60);
        EXPECT_EQ(ending->m_bottomBand.y, 220);
        Frame(20);
        EXPECT_EQ(ending->m_topBand.y, -120);
        EXPECT_EQ(ending->m_bottomBand.y, 280);
        // Step 0 waits 80 frames before she jumps down.
        Frame(41);
        EXPECT_EQ(scene->GetStep(), 0);
        EXPECT_NE(scene->m_princess->frame, 232);
        Frame();
        EXPECT_EQ(scene->m_princess->frame, 232);
        // She sinks to the ground; the scene goes on once she stands.
        ASSERT_EQ(scene->GetStep(), 1);
        EXPECT_TRUE(scene->m_princess->IsAirborne());
        FramesUntil([&] { return scene->GetStep() == 2; }, 400);
        EXPECT_FALSE(scene->m_princess->IsAirborne());
        EXPECT_EQ(FramesUntil([&] { return scene->GetStep() == 3; }, 400), 42) << "40 frames before the walk";
        ASSERT_EQ(scene->GetStep(), 3);
        EXPECT_EQ(Player()->frame, 250);
        // She is reached once the player is less than 300 short of her: not
        // at 300, the next pace on.
        Frame();  // under way
        const int32_t gap = scene->m_princess->x - Player()->x;
        Frame();
        const int32_t pace = gap - (scene->m_princess->x - Player()->x);
        ASSERT_GT(pace, 0);
        scene->m_princess->x = Player()->x + pace + 300;
        Frame();
        EXPECT_EQ(scene->GetStep(), 3) << "exactly 300 short";
        EXPECT_EQ(Player()->frame, 250);
        Frame();
        EXPECT_EQ(Player()->frame, 960);
        EXPECT_EQ(scene->GetStep(), character == 2 ? 7 : 4) << character;
        if (character == 2) {
            EXPECT_EQ(scene->m_princess->frame, 260) << "she turns away at once";
        }
        // Stopped where she was reached; character 2 steps 60 back.
        EXPECT_EQ(scene->m_princess->x - Player()->x, (character == 2 ? 360 : 300) - pace) << character;
        EXPECT_EQ(Player()->vx, 0);
        // The greeting: she talks, nods while the player bows, then waves
        // while the player cheers.
        struct Greeting {
            int updates;
            int32_t princess, player;
        };
        if (character != 2) {
            for (const Greeting& g : {Greeting{42, 240, 960}, Greeting{42, 241, 961}, Greeting{82, 250, 963}}) {
                const int32_t step = scene->GetStep();
                EXPECT_EQ(FramesUntil([&] { return scene->GetStep() != step; }, 400), g.updates) << step;
                EXPECT_EQ(scene->m_princess->frame, g.princess) << step;
                EXPECT_EQ(Player()->frame, g.player) << step;
            }
        }
        FramesUntil([&] { return scene->GetStep() == 7; }, 400);
        EXPECT_EQ(ending->GetState(), ScreenState::Active) << "the roll waits for the scene";
        const int waited = FramesUntil([&] { return Director()->GetCurrent() == nullptr; }, 400);
        EXPECT_EQ(waited, character == 4 ? 202 : 102) << character;
        // The ending music replaces the clear music, which is let go.
        ASSERT_GE(music.size(), 2u);
        EXPECT_EQ(music.back(), 10);
        EXPECT_EQ(music[music.size() - 2], kMusicStopped);
        EXPECT_FALSE(CSoundManager::GetInstance()->HasMusicSegment(11));
        EXPECT_EQ(ending->GetState(), CGameInputEnding::kFirstCard) << "the scene has started the roll";
        EXPECT_EQ(Player()->controlled, 0) << "the endings keep the controls";
    }

    ASSERT_TRUE(Game()->StartStage(266));
    ClearEnemies();  // the first stage's enemies stay out of the scene
    CEventEnding1_2* second = CEventEnding1_2::GetInstance();
    Director()->SetEvent(EventId::kEnding2);
    EXPECT_EQ(CGameInputController::GetInstance()->GetChild(), ending) << "the whole chain replaced";
    ASSERT_NE(second->m_princess, nullptr);
    EXPECT_EQ(second->m_princess->x, 3600);
    EXPECT_EQ(second->m_princess->y, 800);
    EXPECT_EQ(second->m_princess->facing, -1);
    // While she waits the player is held on the ground below 800, the
    // controls taken again whatever gave them back.
    const int32_t ground = Player()->y;
    Player()->y = 300;
    Player()->controlled = 1;
    Frame();
    EXPECT_EQ(Player()->y, ground);
    EXPECT_FALSE(Player()->IsAirborne());
    EXPECT_EQ(Player()->controlled, 0);
    FramesUntil([&] { return second->GetStep() == 1; }, 400);
    FramesUntil([&] { return second->GetStep() == 3; }, 400);
    second->m_princess->x = Player()->x + 200;
    FramesUntil([&] { return second->GetStep() == 4; }, 400);
    // The greeting ends in the hug.
    struct Greeting {
        int updates;
        int32_t princess, player;
    };
    for (const Greeting& g : {Greeting{42, 240, 960}, Greeting{42, 241, 961}, Greeting{82, 252, 965}}) {
        const int32_t step = second->GetStep();
        EXPECT_EQ(FramesUntil([&] { return second->GetStep() != step; }, 400), g.updates) << step;
        EXPECT_EQ(second->m_princess->frame, g.princess) << step;
        EXPECT_EQ(Player()->frame, g.player) << step;
    }
    EXPECT_EQ(second->GetStep(), 7);
    FramesUntil([&] { return second->GetStep() == 8; }, 400);
    EXPECT_EQ(Player()->frame, 967) << "the hug has come to rest";
    EXPECT_EQ(second->m_princess->frame, 253);
    const int waited = FramesUntil([&] { return Director()->GetCurrent() == nullptr; }, 400);
    EXPECT_EQ(waited, 302);
}
