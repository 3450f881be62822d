// The play and pause states: the order of a play frame, the function keys
// and the pause key, the portrait swap; and the stage start, retry, restart
// and return to the title with their tries.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Effect.h"
#include "framework/SaveData.h"
#include "framework/StateLoading.h"
#include "framework/StateMain.h"
#include "framework/StateTitle.h"
#include "platform/Window.h"
#include "stage/Event.h"
#include "stage/StageDataControl.h"
#include "stage/StageTestSupport.h"
#include "support/Screenshot.h"
#include "ui/GameInput.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

using namespace testing_support;

namespace {

CGameState* Current() { return CGameStateController::GetInstance()->GetCurrent(); }
bool InPlay() { return Current() == CGameStateMainNormal::GetInstance(); }
bool Paused() { return Current() == CGameStateMainPause::GetInstance(); }
bool AtTitle() { return Current() == CGameStateTitleMain::GetInstance(); }

int32_t PlayTime() {
    CGameMain* game = CGameMain::GetInstance();
    return game->m_slotData[game->m_currentSlot].GetInt(SaveSlotRecord::kPlayTime);
}

}  // namespace

TEST_F(StagePlayTest, StartRetryAndRestartCountTheTries) {
    CEffect::GetInstance()->m_shakeFrames = 30;
    Game()->StartStage(267);
    EXPECT_TRUE(InPlay());
    EXPECT_EQ(CEffect::GetInstance()->m_shakeFrames, 0) << "a shake of the last run stops";
    EXPECT_EQ(Game()->m_triesLeft, 3);
    for (int32_t left : {2, 1, 0, 0}) {
        Game()->m_restartMapId = 266;  // a retry does not start the restart stage
        Game()->RetryStage();
        EXPECT_EQ(Game()->m_triesLeft, left);
        EXPECT_EQ(Game()->m_mapId, 267);
    }
    Game()->m_restartMapId = 266;
    Game()->RestartStage();
    EXPECT_EQ(Game()->m_triesLeft, 3);
    EXPECT_EQ(Game()->m_mapId, 266);
    Game()->m_gameMode = 0;
    Game()->StartStage(266);
    Game()->RetryStage();
    Game()->RetryStage();
    EXPECT_EQ(Game()->m_triesLeft, 999);
    Game()->m_gameMode = 1;
}

TEST_F(StagePlayTest, ARetryEndsTheFreezeAndTheScene) {
    Game()->StartStage(266);
    Game()->SetGroupFreezeTimer(-1);
    CEvent::GetInstance()->SetEvent(3);
    Game()->RetryStage();
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
    EXPECT_EQ(CEvent::GetInstance()->GetCurrentId(), 0);
    // A new start ends both freezes of the last run too.
    Game()->SetFreezeTimer(40);
    Game()->SetGroupFreezeTimer(-1);
    Game()->StartStage(267);
    EXPECT_EQ(Game()->GetFreezeTimer(), 0);
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
}

TEST_F(StagePlayTest, TheTitleLeavesNoStage) {
    Game()->StartStage(272);  // a stage with a scene running
    Game()->GoToTitle();
    EXPECT_TRUE(AtTitle());
    EXPECT_EQ(CEvent::GetInstance()->GetCurrent(), nullptr);
    EXPECT_EQ(Stage(), nullptr);
    EXPECT_EQ(Game()->m_mapId, 0);
}

TEST_F(StagePlayTest, TheCharactersMoveBeforeTheStageAndTheFreezeEndsAfterThem) {
    Game()->StartStage(266);
    struct Counter : CCharacter {
        void Update() override { ++runs; }
        int runs = 0;
    };
    auto* counter = new Counter();
    Game()->m_characterList.Add(counter);
    Game()->SetFreezeTimer(1);
    Frame();
    EXPECT_EQ(counter->runs, 0) << "frozen in this frame";
    EXPECT_EQ(Game()->GetFreezeTimer(), 0) << "counted down after the characters";
    Frame();
    EXPECT_EQ(counter->runs, 1);
}

TEST_F(StagePlayTest, PlayAndPauseCountPlayTime) {
    Game()->StartStage(266);
    const int32_t start = PlayTime();
    Frame(3);
    EXPECT_EQ(PlayTime(), start + 3);
    Key(kKeyP, true);
    Frame();
    Key(kKeyP, false);
    ASSERT_TRUE(Paused());
    EXPECT_EQ(CGameInputController::GetInstance()->GetTop(), CGameInput::GetInput(18));
    // Nothing of the play field moves while paused, but time counts on.
    CCharacter* player = Player();
    const int32_t timer = player->stateTimer, x = player->x, y = player->y;
    Frame(4);
    EXPECT_EQ(PlayTime(), start + 8);
    EXPECT_EQ(player->stateTimer, timer);
    EXPECT_EQ(player->x, x);
    EXPECT_EQ(player->y, y);
}

TEST_F(StagePlayTest, F12GoesToTheTitleOnceHoweverLongItIsHeld) {
    Game()->StartStage(266);
    // A held F10 retries once too.
    FunctionKey(kKeyF10, true);
    Frame(4);
    FunctionKey(kKeyF10, false);
    Frame();
    EXPECT_EQ(Game()->m_triesLeft, 2);
    FunctionKey(kKeyF12, true);
    Frame(4);
    FunctionKey(kKeyF12, false);
    EXPECT_TRUE(AtTitle());
    EXPECT_EQ(Stage(), nullptr);
}

TEST_F(StagePlayTest, OnlyTheFirstKeyThatWentDownActs) {
    Game()->StartStage(266);
    FunctionKey(kKeyF10, true);
    FunctionKey(kKeyF11, true);
    Frame();
    FunctionKey(kKeyF10, false);
    FunctionKey(kKeyF11, false);
    EXPECT_EQ(Game()->m_triesLeft, 2) << "retried, not restarted";
    // The pause key and F12 together: to the title, no pause.
    Key(kKeyP, true);
    FunctionKey(kKeyF12, true);
    Frame();
    Key(kKeyP, false);
    FunctionKey(kKeyF12, false);
    EXPECT_TRUE(AtTitle());
}

TEST_F(StagePlayTest, RetryWithoutTriesOnlySounds) {
    Game()->StartStage(266);
    // The last try is still taken.
    Game()->m_triesLeft = 1;
    TapFunctionKey(kKeyF10);
    EXPECT_EQ(Game()->m_triesLeft, 0);
    EXPECT_NE(Stage(), nullptr);
    Frame();  // the key seen up
    CStageData* stage = Stage();
    sounds.clear();
    TapFunctionKey(kKeyF10);
    EXPECT_EQ(Stage(), stage);
    EXPECT_EQ(sounds, std::vector<int32_t>{36});
    // F11 restarts with fresh tries, the player back at the start.
    Player()->x += 1000;
    TapFunctionKey(kKeyF11);
    EXPECT_EQ(Game()->m_triesLeft, 3);
    EXPECT_EQ(PlayerMapX(), 1000);
}

TEST_F(StagePlayTest, TheFunctionKeysWorkWhilePausedButNotF2) {
    Game()->StartStage(266);
    Key(kKeyP, true);
    Frame();
    Key(kKeyP, false);
    ASSERT_TRUE(Paused());
    TapFunctionKey(kKeyF2);
    EXPECT_EQ(Game()->m_screenWidth, 480);
    TapFunctionKey(kKeyF10);
    EXPECT_TRUE(InPlay()) << "a retry from the pause returns to play";
    EXPECT_EQ(Game()->m_triesLeft, 2);
}

TEST_F(StagePlayTest, InputUsedByTheFrameStopsTheKeys) {
    Game()->StartStage(266);
    struct Taker : CCharacter {
        void Update() override { CMyInput::GetInstance()->m_inputAvailable = 0; }
    };
    Game()->m_characterList.Add(new Taker());
    TapFunctionKey(kKeyF12);
    EXPECT_TRUE(InPlay());
    Key(kKeyP, true);
    Frame();
    EXPECT_TRUE(InPlay());
}

TEST_F(StagePlayTest, F2TurnsTheScreenAndTheWindowAndBackAgain) {
    ASSERT_TRUE(InitGraphics());
    Game()->StartStage(266);
    TapFunctionKey(kKeyF2);
    EXPECT_EQ(Game()->m_screenWidth, 320);
    EXPECT_EQ(Game()->m_screenHeight, 480);
    EXPECT_EQ(GetDevice()->Width(), 320);
    EXPECT_EQ(GetDevice()->Height(), 480);
    EXPECT_EQ(BackBufferWidth, 320);
    int w = 0, h = 0;
    platform::GetGameWindowClientSize(w, h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 480);
    // The camera holds the player at the new view's centre, 320 by 480, and
    // the player stays in that view while it runs on.
    EXPECT_EQ(Stage()->m_deadZoneMinX, 1600);
    EXPECT_EQ(Stage()->m_deadZoneMaxX, 1600);
    EXPECT_EQ(Stage()->m_deadZoneMinY, 2400);
    EXPECT_EQ(Stage()->m_deadZoneMaxY, 2400);
    // At once, in the frame of the key: the 8-cell stage centred in the
    // 480-pixel-high view.
    EXPECT_EQ(Stage()->m_cameraY, -800);
    for (int i = 0; i < 40; ++i) {
        Frame();
        ASSERT_NE(Player(), nullptr);
        EXPECT_TRUE(Player()->x > 0 && Player()->x < 3200 && Player()->y > 0 && Player()->y < 4800)
            << "frame " << i << ": " << Player()->x << "," << Player()->y;
    }
    if (const char* dir = std::getenv("PELLUMBRISK_SHOTS")) {
        Game()->LoadTexturePages();
        CGameStateLoading::GetInstance()->LoadResources();
        CGameStateController::GetInstance()->Draw();
        WriteScreenshot(std::string(dir) + "/portrait-266.png");
    }
    TapFunctionKey(kKeyF2);
    EXPECT_EQ(Game()->m_screenWidth, 480);
    EXPECT_EQ(Game()->m_screenHeight, 320);
    EXPECT_EQ(GetDevice()->Width(), 480);
    EXPECT_EQ(GetDevice()->Height(), 320);
    platform::GetGameWindowClientSize(w, h);
    EXPECT_EQ(w, 480);
    EXPECT_EQ(h, 320);
    EXPECT_EQ(Stage()->m_deadZoneMinX, 2400);
    EXPECT_EQ(Stage()->m_deadZoneMinY, 1600);
    ReleaseGraphics();
}

TEST_F(StagePlayTest, TheDrawingShowsTheStageMasksOverThePlayField) {
    Game()->StartStage(273);
    std::vector<int32_t> slots;
    SetSpriteObserver([&](const SpriteDraw& d) { slots.push_back(d.slot); });
    CGameStateController::GetInstance()->Draw();
    SetSpriteObserver(nullptr);
    // Tiles first, then the two black masks (white texture, slot 1).
    ASSERT_GE(slots.size(), 3u);
    std::size_t firstMask = 0;
    while (firstMask < slots.size() && slots[firstMask] != 1) ++firstMask;
    ASSERT_LT(firstMask + 1, slots.size());
    EXPECT_GT(firstMask, 0u);
    EXPECT_EQ(slots[firstMask + 1], 1);

    // The fade lies over the masks: with the camera far left of the stage
    // the left mask comes before a half fade over the whole view.
    Stage()->m_cameraX = -3000;
    CEffect::GetInstance()->m_fade = 128;
    std::vector<SpriteDraw> draws;
    SetSpriteObserver([&](const SpriteDraw& d) { draws.push_back(d); });
    DrawPlayScene();
    SetSpriteObserver(nullptr);
    std::size_t mask = draws.size(), fade = draws.size();
    for (std::size_t i = 0; i < draws.size(); ++i) {
        if (draws[i].slot != 1 || draws[i].x != 0 || draws[i].y != 0 || draws[i].h != 320) continue;
        if (draws[i].w < 480 && mask == draws.size()) mask = i;
        if (draws[i].w == 480 && fade == draws.size()) fade = i;
    }
    ASSERT_LT(mask, draws.size());
    ASSERT_LT(fade, draws.size());
    EXPECT_LT(mask, fade);
}
