// The event director and the camera tour: one scene at a time, begun and
// ended by SetEvent and Reset; the tour's glides, its rests of the wait plus
// two updates, sixteen spots, spots added while it runs, the group freeze,
// an early end; and the characters it points at deleted under it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "framework/GameMain.h"
#include "stage/Event.h"
#include "stage/EventScenes.h"
#include "stage/EventSpot1.h"
#include "stage/StageDataControl.h"
#include "stage/StageTestSupport.h"
#include "support/Scenario.h"
#include "win/MyInput.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::StagePlayTest;

namespace {

CGameMain* Game() { return CGameMain::GetInstance(); }
CEvent* Director() { return CEvent::GetInstance(); }
CEventSpot1* Tour() { return CEventSpot1::GetInstance(); }

// A room for tours: a player and any number of spots, held still in the
// air (the bodies do not fall).
struct TourRoom {
    Scenario s{{"."}, {}};
    ScenarioBody* player = nullptr;

    TourRoom() {
        player = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-20, 20, -20, 0}), 1000, 2000);
        s.SetPlayer(player);
        Game()->m_cameraTarget = player;
    }
    ~TourRoom() {
        Director()->Reset();
        Game()->ClearGroupFreezeTimer();
        Game()->m_cameraTarget = nullptr;
    }
    ScenarioBody* Spot(int32_t x, int32_t y) {
        return s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-100, 100, -100, 100}), x, y);
    }
    // The usual start: Init, the spots, travel and wait, then scene 3.
    void StartTour(std::vector<CCharacter*> spots, int32_t travel, int32_t wait, bool freeze = true) {
        Tour()->Init();
        if (!freeze) Tour()->SetFreeze(false);
        for (CCharacter* c : spots) Tour()->AddSpot(c);
        Tour()->m_travelFrames = travel;
        Tour()->m_waitFrames = wait;
        Director()->SetEvent(EventId::kSpot);
    }
    // Frames until the tour has ended (at most a limit); the number run.
    int RunUntilIdle(int limit = 2000) {
        int n = 0;
        while (Tour()->IsRunning() && n < limit) {
            s.Run(1);
            ++n;
        }
        return n;
    }
};

}  // namespace

// --- The director -------------------------------------------------------------------

TEST(EventDirector, SetEventEndsTheRunningSceneAndBeginsTheNew) {
    TourRoom room;
    ScenarioBody* spot = room.Spot(3000, 1000);
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
    Director()->Update();  // nothing runs: nothing happens
    room.StartTour({spot}, 10, 10);
    EXPECT_EQ(Director()->GetCurrentId(), EventId::kSpot);
    CCharacter* dolly = Tour()->m_dolly;
    ASSERT_NE(dolly, nullptr);
    EXPECT_EQ(Game()->m_cameraTarget, dolly);
    EXPECT_EQ(dolly->x, room.player->x) << "the dolly starts at the player";
    room.s.Run(3);
    // Another scene: the tour's End runs (dolly gone, camera back), then
    // the clear scene begins.
    Director()->SetEvent(EventId::kClear);
    EXPECT_EQ(Director()->GetCurrent(), CEventClear1::GetInstance());
    EXPECT_EQ(CEventClear1::GetInstance()->GetStep(), 0);
    EXPECT_EQ(dolly->pendingState, 0);
    EXPECT_EQ(Game()->m_cameraTarget, room.player);
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
    EXPECT_TRUE(Tour()->IsRunning()) << "a tour ended early keeps its step";
    // Ids of no scene leave none running.
    for (int32_t id : {0, -1, 10, 65535}) {
        Director()->SetEvent(EventId::kClear);
        Director()->SetEvent(id);
        EXPECT_EQ(Director()->GetCurrent(), nullptr) << id;
    }
    Director()->SetEvent(EventId::kQuelmar2);
    Director()->Reset();
    EXPECT_EQ(Director()->GetCurrentId(), 0);
    // Reset ends a tour as SetEvent does.
    room.StartTour({spot}, 10, 10);
    dolly = Tour()->m_dolly;
    room.s.Run(3);
    Director()->Reset();
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
    EXPECT_TRUE(Tour()->IsRunning());
    EXPECT_EQ(dolly->pendingState, 0);
    EXPECT_EQ(Game()->m_cameraTarget, room.player);
    // It counts as running until a tour completes.
    room.s.Run(3);
    EXPECT_TRUE(Tour()->IsRunning());
    room.StartTour({spot}, 10, 10);
    EXPECT_LT(room.RunUntilIdle(200), 200);
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
}

TEST(EventDirector, TheSameIdBeginsTheTourAfreshWithANewDolly) {
    TourRoom room;
    ScenarioBody* a = room.Spot(3000, 1000);
    ScenarioBody* b = room.Spot(4000, 1000);
    room.StartTour({a, b}, 5, 5);
    room.s.Run(20);  // on to the second spot
    ASSERT_GE(Tour()->GetStep(), 2);
    CCharacter* old = Tour()->m_dolly;
    const int32_t count = Game()->m_characterList.GetCount();
    Director()->SetEvent(EventId::kSpot);
    EXPECT_EQ(Tour()->GetStep(), 0);
    EXPECT_NE(Tour()->m_dolly, old);
    EXPECT_EQ(old->pendingState, 0) << "the old dolly goes";
    EXPECT_EQ(Tour()->m_dolly->linksA[0], a) << "from the first spot again";
    room.s.Run(1);
    EXPECT_EQ(Game()->m_characterList.GetCount(), count) << "one dolly in the world";
}

TEST(EventDirector, ASceneStartedDuringTheListsGetsItsFirstUpdateInThatFrame) {
    TourRoom room;
    ScenarioBody* spot = room.Spot(3000, 1000);
    auto* boss = room.Spot(3000, 1000);
    bool started = false;
    boss->onUpdate = [&](ScenarioBody& self) {
        if (started) return;
        started = true;
        Tour()->Init();
        Tour()->SetFreeze(false);
        Tour()->AddSpot(&self);
        Tour()->m_travelFrames = 1;
        Tour()->m_waitFrames = 0;
        Director()->SetEvent(EventId::kSpot);
    };
    static_cast<void>(spot);
    room.s.Run(1);
    // The dolly, made during the list's pass, ran in it and arrived; the
    // director saw that after the lists, in the same frame.
    EXPECT_EQ(Tour()->m_dolly->frame, 221);
    EXPECT_EQ(Tour()->GetStep(), 1);
}

TEST(EventDirector, ConsumeTouchHidesThePressUntilANewOne) {
    CMyInput* input = CMyInput::GetInstance();
    for (int8_t& sample : input->m_touchHistory) sample = 0;
    input->m_touchHistory[0] = 1;
    input->m_touchHistory[1] = 1;
    input->m_inputAvailable = 1;
    ASSERT_TRUE(input->IsTouchPressed());
    CEvent::ConsumeTouch();
    for (int8_t sample : input->m_touchHistory) EXPECT_EQ(sample, -1);
    EXPECT_FALSE(input->IsTouchPressed());
    for (int8_t& sample : input->m_touchHistory) sample = 0;
}

// --- The tour ---------------------------------------------------------------------

TEST(CameraTour, OneSpotRestsItsWaitPlusTwoUpdatesThenTheCameraComesBack) {
    TourRoom room;
    ScenarioBody* spot = room.Spot(3000, 1000);
    room.player->facing = -1;
    room.StartTour({spot}, 10, 40);
    ASSERT_NE(Tour()->m_dolly, nullptr);
    EXPECT_EQ(Tour()->m_dolly->facing, 1) << "whichever way the player looks";
    std::vector<int32_t> steps;
    int restStart = -1, restEnd = -1, end = -1;
    for (int frame = 0; Tour()->IsRunning() && frame < 500; ++frame) {
        end = frame;
        const int32_t before = Tour()->GetStep();
        room.s.Run(1);
        const int32_t after = Tour()->GetStep();
        if (before == 0 && after == 1) {
            restStart = frame;
            // The dolly glided there in its travel frames and sits on it.
            EXPECT_EQ(Tour()->m_dolly->x, spot->GetAnchorX());
            EXPECT_EQ(Tour()->m_dolly->y, spot->GetAnchorY());
        }
        if (before == 1 && after == 99) restEnd = frame;
        if (steps.empty() || steps.back() != after) steps.push_back(after);
    }
    EXPECT_EQ(restEnd - restStart, 40 + 2);
    // Each glide, there and back, takes its 10 travel frames.
    EXPECT_EQ(restStart + 1, 10);
    EXPECT_EQ(end - restEnd, 10);
    EXPECT_EQ(steps, (std::vector<int32_t>{0, 1, 99, 65535}));
    EXPECT_EQ(Director()->GetCurrent(), nullptr) << "the tour ended itself";
    EXPECT_EQ(Game()->m_cameraTarget, room.player);
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
}

TEST(CameraTour, SixteenSpotsAreVisitedInOrderAndASeventeenthIsRefused) {
    TourRoom room;
    std::vector<CCharacter*> spots;
    for (int i = 0; i < 16; ++i) spots.push_back(room.Spot(1200 + 300 * i, 1000 + 50 * i));
    room.StartTour(spots, 3, 2);
    EXPECT_FALSE(Tour()->AddSpot(room.player));
    EXPECT_EQ(Tour()->m_spots[15], spots[15]) << "nothing changed";
    std::vector<CCharacter*> visited;
    while (Tour()->IsRunning() && visited.size() < 100) {
        room.s.Run(1);
        CCharacter* dolly = Tour()->m_dolly;
        if (dolly == nullptr) break;
        if (visited.empty() || visited.back() != dolly->linksA[0]) visited.push_back(dolly->linksA[0]);
    }
    spots.push_back(room.player);
    EXPECT_EQ(visited, spots);
    EXPECT_FALSE(Tour()->IsRunning());
}

TEST(CameraTour, ASpotAddedWhileRunningIsVisitedAndTheWaitChangesAtOnce) {
    TourRoom room;
    ScenarioBody* first = room.Spot(3000, 1000);
    ScenarioBody* later = room.Spot(5000, 1000);
    room.StartTour({first}, 10, 300);
    while (Tour()->GetStep() == 0) room.s.Run(1);
    // A gate that opens during the tour joins it.
    EXPECT_TRUE(Tour()->AddSpot(later));
    Tour()->m_travelFrames = 30;
    Tour()->m_waitFrames = 20;
    int rest = 0;
    while (Tour()->GetStep() == 1) {
        room.s.Run(1);
        ++rest;
    }
    EXPECT_EQ(rest, 20 + 2) << "the new wait counts already";
    EXPECT_EQ(Tour()->GetStep(), 2);
    EXPECT_EQ(Tour()->m_dolly->linksA[0], later);
    EXPECT_EQ(Tour()->m_dolly->CurrentRecord().stateDuration, 10) << "travel changes from the next tour on";
    room.RunUntilIdle();
    EXPECT_EQ(Game()->m_cameraTarget, room.player);
}

TEST(CameraTour, TheFreezeHoldsTheWorldOnlyWhenAsked) {
    TourRoom room;
    ScenarioBody* enemy = room.Spot(3000, 1000);
    enemy->group = 2;
    enemy->vx = 10;
    room.StartTour({enemy}, 10, 10);
    const int32_t held = enemy->x;
    room.s.Run(5);
    EXPECT_EQ(enemy->x, held) << "frozen while the tour runs";
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), -1);
    room.RunUntilIdle();
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
    // A boss's tour leaves the world moving.
    room.StartTour({enemy}, 10, 10, false);
    const int32_t moving = enemy->x;
    room.s.Run(5);
    EXPECT_EQ(enemy->x, moving + 50);
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
}

TEST(CameraTour, ASpotDeletedOnTheWayIsDroppedAndTheTourGoesOn) {
    TourRoom room;
    ScenarioBody* a = room.Spot(3000, 1000);
    ScenarioBody* b = room.Spot(4000, 1000);
    ScenarioBody* c = room.Spot(5000, 1000);
    room.StartTour({a, b, c}, 5, 5);
    room.s.Run(2);
    // The camera glides to a; b goes first, then a itself.
    b->alive = 0;
    room.s.Run(1);
    EXPECT_EQ(Tour()->m_spots[1], c);
    EXPECT_EQ(Tour()->m_spots[2], nullptr);
    a->alive = 0;
    room.s.Run(1);
    EXPECT_EQ(Tour()->m_spots[0], c);
    EXPECT_EQ(Tour()->m_dolly->linksA[0], c) << "on to the next spot at once";
    room.RunUntilIdle();
    EXPECT_EQ(Game()->m_cameraTarget, room.player);
}

// A spot already passed that is deleted moves the later ones up: the tour
// rests where it rested, on the same character, and goes on from there.
TEST(CameraTour, ASpotPassedThatIsDeletedLeavesTheTourWhereItWas) {
    TourRoom room;
    ScenarioBody* a = room.Spot(3000, 1000);
    ScenarioBody* b = room.Spot(4000, 1000);
    ScenarioBody* c = room.Spot(5000, 1000);
    room.StartTour({a, b, c}, 4, 30);
    while (Tour()->GetStep() != 3 && Tour()->IsRunning()) room.s.Run(1);
    ASSERT_EQ(Tour()->GetStep(), 3) << "resting on b";
    a->alive = 0;
    room.s.Run(1);
    EXPECT_EQ(Tour()->GetStep(), 1) << "b is the first spot now";
    EXPECT_EQ(Tour()->m_spots[0], b);
    EXPECT_EQ(Tour()->m_spots[1], c);
    EXPECT_EQ(Tour()->m_dolly->linksA[0], b);
    std::vector<CCharacter*> visited;
    while (Tour()->IsRunning() && visited.size() < 10) {
        room.s.Run(1);
        if (Tour()->m_dolly != nullptr && (visited.empty() || visited.back() != Tour()->m_dolly->linksA[0]))
            visited.push_back(Tour()->m_dolly->linksA[0]);
    }
    EXPECT_EQ(visited, (std::vector<CCharacter*>{b, c, room.player}));
}

// With no player the dolly sets off from the first spot, and the camera
// comes back to nothing.
TEST(CameraTour, WithoutAPlayerTheDollyStartsAtTheFirstSpot) {
    TourRoom room;
    ScenarioBody* spot = room.Spot(3000, 1000);
    Game()->m_player = nullptr;
    room.StartTour({spot}, 10, 5);
    ASSERT_NE(Tour()->m_dolly, nullptr);
    EXPECT_EQ(Tour()->m_dolly->x, 3000);
    EXPECT_EQ(Tour()->m_dolly->y, 1000);
    EXPECT_LT(room.RunUntilIdle(200), 200);
    EXPECT_EQ(Game()->m_cameraTarget, nullptr);
}

TEST(CameraTour, ACameraTargetThatIsDeletedGivesTheCameraBackToThePlayer) {
    TourRoom room;
    ScenarioBody* other = room.Spot(3000, 1000);
    Game()->m_cameraTarget = other;
    other->alive = 0;
    room.s.Run(1);
    EXPECT_EQ(Game()->m_cameraTarget, room.player);
    // The player itself: no target at all rather than a freed one.
    room.player->alive = 0;
    room.s.Run(1);
    EXPECT_EQ(Game()->m_cameraTarget, nullptr);
}

// A stage switch during a tour deletes the dolly with the stage's
// characters: the tour ends cleanly and the camera follows the player.
class TourSwitch : public StagePlayTest {};

TEST_F(TourSwitch, TheDollyDeletedByAStageSwitchEndsTheTour) {
    Game()->StartStage(266);
    Frame(5);
    // The tour shows an enemy of the stage (layer C lives for the stage).
    CCharacter* enemy = nullptr;
    CCharacterList& list = Game()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount() && enemy == nullptr; ++i)
        if (list.GetAt(i)->fromLayerC) enemy = list.GetAt(i);
    ASSERT_NE(enemy, nullptr);
    Tour()->Init();
    Tour()->AddSpot(enemy);
    Tour()->m_travelFrames = 60;
    Tour()->m_waitFrames = 60;
    Director()->SetEvent(EventId::kSpot);
    Frame(10);
    ASSERT_TRUE(Tour()->IsRunning());
    ASSERT_EQ(Game()->m_cameraTarget, Tour()->m_dolly);
    Game()->m_stageControl.SetPendingStage(267);
    Frame();
    ASSERT_EQ(Game()->m_mapId, 267);
    EXPECT_EQ(Tour()->m_dolly, nullptr);
    EXPECT_FALSE(Tour()->IsRunning());
    EXPECT_EQ(Director()->GetCurrent(), nullptr);
    EXPECT_EQ(Game()->m_cameraTarget, Player());
    EXPECT_EQ(Game()->GetGroupFreezeTimer(), 0);
    EXPECT_EQ(Tour()->m_spots[0], nullptr) << "the enemy went with the stage";
    Frame(30);  // and play goes on
    EXPECT_EQ(Game()->m_mapId, 267);
}
