// The stage furniture in small worlds: what each kind takes from its row,
// the save point from the touch to the slot file the title reads back,
// keys and key locks, a target that opens two gates under one camera tour,
// switches of both polarities and the timed one, the enemy lock with its
// reward and re-entry, breakable, sealed and falling blocks sharing flags,
// and the hazard blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "character/CharacterEffect.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/SaveTestDir.h"
#include "stage/CharacterStageObject.h"
#include "stage/Event.h"
#include "stage/EventSpot1.h"
#include "stage/StageTestSupport.h"
#include "support/PlayerRoom.h"
#include "support/WorldList.h"
#include "ui/GameInputMain.h"

using namespace player_room;
using testing_support::InStates;
using testing_support::Listed;
using testing_support::StagePlayTest;
using R = SaveSlotRecord;

namespace {

constexpr int32_t kSlot = 3;

CGameMain* Game() { return CGameMain::GetInstance(); }
CSaveData& Slot() { return Game()->m_slotData[kSlot]; }
CCharacterStageObject* AsObject(CCharacter* c) { return dynamic_cast<CCharacterStageObject*>(c); }

// No stage, scene, freeze or screen effect of an earlier test.
void ResetPlay() {
    Game()->m_stageControl.SetStage(0);
    CEvent::GetInstance()->Reset();
    Game()->ClearFreezeTimer();
    Game()->ClearGroupFreezeTimer();
    CEffect::GetInstance()->ResetScreenEffects();
}

// An empty world before the room is built.
struct EmptyWorld {
    EmptyWorld() {
        ResetPlay();
        Game()->m_characterList.DeleteAll();
        Game()->m_subCharacterList.DeleteAll();
    }
};

// The ninja's room with a fresh slot in play.
struct Furnished : EmptyWorld, Room {
    Furnished() {
        Game()->m_currentSlot = kSlot;
        Slot().SetNewGameDefaults();
        Game()->m_resumeData[kSlot].SetNewGameDefaults();
        ninja->RestoreStatus();  // the ninja as the slot has it, as at a stage start
        s.Run(4);
    }
    ~Furnished() {
        ResetPlay();
        Slot().SetNewGameDefaults();
    }
    CCharacterStageObject* Make(int32_t id, int32_t x, int32_t y) { return AsObject(s.AddAt(id, x, y)); }
    // Frames until the tour is over (at most n).
    void RunTour(int n = 600) {
        for (int i = 0; i < n && CEventSpot1::GetInstance()->IsRunning(); ++i) s.Run(1);
        ASSERT_FALSE(CEventSpot1::GetInstance()->IsRunning());
    }
    int Count(int32_t sound) const { return static_cast<int>(std::count(s.Sounds().begin(), s.Sounds().end(), sound)); }
};

int32_t CountType(int32_t typeId) {
    int32_t n = 0;
    for (int32_t i = 1; i <= testing_support::World().GetCount(); ++i)
        n += testing_support::World().GetAt(i)->typeId == typeId;
    return n;
}

}  // namespace

TEST(StageFurniture, EachKindStartsFromItsRow) {
    Furnished f;
    Slot().SetSlotFlag(203, 1);  // the timed switch forgets it
    struct Case {
        int32_t id, state, flag, condition, startsTour, openSound, reward, typeId;
    };
    const Case cases[] = {
        {22900, 290, 89, 0, 0, -1, 0, 23800},     {22949, 290, 138, 0, 0, -1, 0, 23800},
        {10400, 300, -1, 149, 0, -1, 0, 23800},   {10402, 300, -1, 199, 1, 68, 0, 23800},
        {10439, 300, -1, 361, 0, -1, 0, 23800},   {10447, 300, -1, 196, 0, -1, 0, 23800},
        {10448, 0, -1, 0, 0, -1, 0, 23800},       {10449, 0, -1, 0, 0, -1, 0, 23800},
        {10364, 310, 203, 0, 0, -1, 0, 23800},    {10390, 321, 229, 0, 0, -1, 0, 23800},
        {10450, 260, 249, 201, 0, -1, 0, 23800},  {10600, 330, 299, 0, 0, -1, 0, 23800},
        {10550, 340, 349, 0, 0, 68, 23085, 23800}, {10599, 340, 398, 0, 0, -1, 0, 23800},
        {10660, 400, -1, 0, 0, -1, 0, 10660},     {10709, 400, 750, 0, 0, -1, 0, 10660},
        {10711, 410, 802, 0, 0, -1, 0, 10710},    {10761, 420, 802, 0, 0, -1, 0, 23800},
        {10809, 420, 850, 0, 0, -1, 0, 23800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CCharacterStageObject* o = f.Make(c.id, 2000, 1000);
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->frame, c.state);
        EXPECT_EQ(o->m_flagId, c.flag);
        EXPECT_EQ(o->m_conditionFlags[0], c.condition);
        EXPECT_EQ(o->m_startsTour, c.startsTour);
        EXPECT_EQ(o->m_openSound, c.openSound);
        EXPECT_EQ(o->m_rewardTypeId, c.reward);
        EXPECT_EQ(o->typeId, c.typeId);
    }
    EXPECT_EQ(Slot().GetSlotFlag(203), 0);
    CCharacterStageObject* timed = f.Make(10365, 2000, 1000);
    EXPECT_EQ(timed->m_onFrames, 400);
    // The locked door: its warp, its two keys and the open door's picture.
    CCharacterStageObject* door = f.Make(10450, 2000, 1000);
    EXPECT_EQ(door->m_destMapId, 66);
    EXPECT_EQ(door->m_destY, 2790);
    EXPECT_EQ(door->m_warpExtra, 246);
    EXPECT_EQ(door->m_conditionFlags[1], 202);
    const FrameRecord& open = door->RecordAt(250);
    EXPECT_EQ(std::vector<int32_t>({open.bodyLeft, open.bodyRight, open.bodyTop, open.bodyBottom}),
              std::vector<int32_t>({-500, 500, -400, 200}));
    EXPECT_EQ(door->RecordAt(259).u, 190);
}

// Every flag gate's row: the flag it waits for, whether it starts the
// camera tour (and then sounds 68 when open), nothing else to wait for.
TEST(StageFurniture, EveryFlagGateWaitsForItsFlag) {
    struct Gate {
        int32_t id, flag, tour;
    };
    const Gate gates[] = {
        {10400, 149, 0}, {10401, 351, 0}, {10402, 199, 1}, {10403, 299, 1}, {10404, 299, 1}, {10405, 349, 0},
        {10406, 350, 0}, {10407, 200, 1}, {10408, 230, 1}, {10409, 352, 1}, {10410, 300, 1}, {10411, 301, 1},
        {10412, 302, 1}, {10413, 303, 1}, {10414, 353, 0}, {10415, 205, 1}, {10416, 231, 1}, {10417, 304, 1},
        {10418, 232, 1}, {10419, 233, 1}, {10420, 305, 1}, {10421, 306, 1}, {10422, 354, 0}, {10423, 307, 1},
        {10424, 234, 1}, {10425, 308, 1}, {10426, 355, 1}, {10427, 356, 1}, {10428, 309, 1}, {10429, 310, 1},
        {10430, 357, 1}, {10431, 358, 1}, {10432, 359, 1}, {10433, 360, 0}, {10434, 235, 1}, {10435, 356, 0},
        {10436, 359, 0}, {10437, 311, 1}, {10438, 312, 1}, {10439, 361, 0}, {10440, 189, 0}, {10441, 190, 0},
        {10442, 191, 0}, {10443, 192, 0}, {10444, 193, 0}, {10445, 194, 0}, {10446, 195, 0}, {10447, 196, 0},
    };
    ASSERT_EQ(std::size(gates), 48u);
    for (const Gate& g : gates) {
        SCOPED_TRACE(g.id);
        std::unique_ptr<CCharacter> made(CreateCharacter(g.id));
        auto* gate = AsObject(made.get());
        ASSERT_NE(gate, nullptr);
        EXPECT_EQ(gate->frame, 300);
        EXPECT_EQ(gate->m_conditionFlags[0], g.flag);
        for (int32_t i = 1; i < 8; ++i) EXPECT_EQ(gate->m_conditionFlags[i], 0) << i;
        EXPECT_EQ(gate->m_startsTour, g.tour);
        EXPECT_EQ(gate->m_openSound, g.tour ? 68 : -1);
    }
    // The switches: flag 199 on, the first and the two timed ones forget
    // theirs at the start; the inverted ones from 10390.
    struct Switch {
        int32_t id, flag, onFrames, invert, state;
        bool forgets;
    };
    Furnished f;
    for (const Switch& w : {Switch{10360, 199, -1, 1, 310, true}, Switch{10361, 200, -1, 1, 311, false},
                            Switch{10364, 203, 400, 1, 310, true}, Switch{10365, 204, 400, 1, 310, true},
                            Switch{10389, 228, -1, 1, 311, false}, Switch{10390, 229, -1, 0, 321, true},
                            Switch{10391, 230, -1, 0, 320, false}, Switch{10399, 238, -1, 0, 320, false}}) {
        SCOPED_TRACE(w.id);
        Slot().SetSlotFlag(w.flag, 1);
        CCharacterStageObject* o = f.Make(w.id, 2000, 1000);
        EXPECT_EQ(o->m_flagId, w.flag);
        EXPECT_EQ(o->m_onFrames, w.onFrames);
        EXPECT_EQ(o->m_invert, w.invert);
        EXPECT_EQ(Slot().GetSlotFlag(w.flag), w.forgets ? 0 : 1);
        EXPECT_EQ(o->frame, w.state);
        o->SetState(0);
    }
    // The locked doors and the enemy locks.
    struct Door {
        int32_t id, dest, x, y, extra, flag, key1, key2;
    };
    for (const Door& d : {Door{10450, 66, 1600, 2790, 246, 249, 201, 202}, Door{10451, 1, 1600, 2790, 258, -1, -1, -1},
                          Door{10452, 246, 1400, 2790, 244, 251, 236, 237}, Door{10453, 8, 1800, 2790, -1, -1, -1, -1},
                          Door{10459, 47, 32400, 0, -1, 0, 0, 0}}) {
        SCOPED_TRACE(d.id);
        std::unique_ptr<CCharacter> made(CreateCharacter(d.id));
        auto* door = AsObject(made.get());
        EXPECT_EQ(door->frame, 260);
        EXPECT_EQ(std::make_tuple(door->m_destMapId, door->m_destX, door->m_destY, door->m_warpExtra),
                  std::make_tuple(d.dest, d.x, d.y, d.extra));
        EXPECT_EQ(std::make_tuple(door->m_flagId, door->m_conditionFlags[0], door->m_conditionFlags[1]),
                  std::make_tuple(d.flag, d.key1, d.key2));
        EXPECT_EQ(std::make_tuple(door->m_destFacing, door->m_transitionType, door->m_transitionFrames),
                  std::make_tuple(1, 1, 30));
    }
    // The one lock met afresh every time: its flag is cleared when it is made.
    Slot().SetSlotFlag(360, 1);
    Slot().SetSlotFlag(361, 1);
    std::unique_ptr<CCharacter> kept(CreateCharacter(10561));
    EXPECT_EQ(Slot().GetSlotFlag(360), 1);
    std::unique_ptr<CCharacter> fresh(CreateCharacter(10562));
    EXPECT_EQ(Slot().GetSlotFlag(361), 0);
    Slot().SetSlotFlag(360, 0);
    for (const int32_t id : {10551, 10562, 10598}) {
        std::unique_ptr<CCharacter> made(CreateCharacter(id));
        auto* lock = AsObject(made.get());
        EXPECT_EQ(lock->m_flagId, id - 10201) << id;
        EXPECT_EQ(lock->m_rewardTypeId, 0) << id;
        EXPECT_EQ(lock->m_openSound, -1) << id;
    }
}

// The save point: the message, the refill, the resume point dropped, and
// the slot file that the title's re-read gets back.
TEST(SavePoint, TouchingSavesTheSlotAndTheTitleReadsItBack) {
    SaveTestDir dir;
    Furnished f;
    Game()->m_language = 0;  // English
    Game()->m_mapId = 268;
    Slot().SetSlotFlag(199, 1);
    Slot().SetInt(R::kKeyCount, 2);
    Game()->m_resumeData[kSlot].SetByte(R::kResumeFlag, 1);
    CCharacterStageObject* save = f.Make(10350, Scenario::CellX(6), kFloor - 300);
    f.s.Run(10);
    ASSERT_TRUE(Listed(save)) << "offered while nobody touches it";
    EXPECT_GE(save->frame, 280);
    f.ninja->hp = 1;
    f.ninja->x = save->x;
    f.s.Run(1);
    EXPECT_EQ(f.Count(71), 1);
    // A white flash that rises at once and fades by 8 a frame.
    const CEffect* e = CEffect::GetInstance();
    EXPECT_EQ(std::tie(e->m_flashRed, e->m_flashGreen, e->m_flashBlue, e->m_flashPeak), std::make_tuple(255, 255, 255, 255));
    EXPECT_EQ(std::tie(e->m_flashCycles, e->m_flashRiseStep, e->m_flashHoldPeak, e->m_flashFallStep, e->m_flashHoldZero),
              std::make_tuple(1, 255, 0, 8, 0));
    // Started in this frame: at full white already, falling from the next.
    EXPECT_EQ(std::make_pair(e->m_flash, e->m_flashPhase), std::make_pair(255, 3));
    EXPECT_STREQ(CGameInputMain::GetInstance()->m_messageText, "GAME SAVED");
    EXPECT_EQ(f.ninja->hp, f.ninja->hpMax);
    EXPECT_EQ(Slot().GetInt(R::kMapId), 268);
    EXPECT_EQ(Slot().GetInt(R::kResumeX), save->GetStageX());
    EXPECT_EQ(Slot().GetInt(R::kResumeY), save->GetStageY());
    ASSERT_NE(save->GetStageX(), save->GetStageY());
    EXPECT_EQ(Game()->m_resumeData[kSlot].GetByte(R::kResumeFlag), 0);
    ASSERT_EQ(dir.Size("resume03"), 65536);
    EXPECT_EQ(dir.Read("resume03").at(R::kResumeFlag), 0);
    f.s.Run(1);
    EXPECT_FALSE(Listed(save)) << "used up";
    // Back at the title everything is read again from the files.
    const int32_t savedX = Slot().GetInt(R::kResumeX), savedY = Slot().GetInt(R::kResumeY);
    Slot().SetNewGameDefaults();
    Game()->LoadAllSlots();
    EXPECT_EQ(Slot().GetInt(R::kMapId), 268);
    EXPECT_EQ(Slot().GetInt(R::kResumeX), savedX);
    EXPECT_EQ(Slot().GetInt(R::kResumeY), savedY);
    EXPECT_EQ(Slot().GetSlotFlag(199), 1);
    EXPECT_EQ(Slot().GetInt(R::kKeyCount), 2);
}

// A stage begun by Start offers its save points only when the slot holds a
// resume snapshot.
class SavePointOnStart : public StagePlayTest {};

TEST_F(SavePointOnStart, WithoutASnapshotTheSavePointIsNotOffered) {
    // Begun by Start without and with a snapshot; then, without one, a stage
    // reached through a warp, which offers it all the same.
    for (const int run : {0, 1, 2}) {
        const bool snapshot = run == 1, warped = run == 2;
        SCOPED_TRACE(run);
        Game()->m_currentSlot = kSlot;
        Game()->m_resumeData[kSlot].SetNewGameDefaults();
        Game()->m_resumeData[kSlot].SetByte(R::kResumeFlag, snapshot ? 1 : 0);
        Game()->StartStage(266);
        if (warped) {
            Game()->m_stageControl.SetPendingStage(267);
            Frame();
            ASSERT_EQ(Game()->m_mapId, 267);
        }
        Frame(2);
        CCharacter* save = CreateCharacter(10350);
        Game()->m_characterList.Add(save);
        save->x = Player()->x + 2000;
        save->y = Player()->y - 400;
        Frame(2);
        EXPECT_EQ(Listed(save), snapshot || warped);
    }
    Game()->m_resumeData[kSlot].SetNewGameDefaults();
}

TEST(KeyLock, AKeyOpensItAndItStaysOpen) {
    Furnished f;
    CCharacterStageObject* lock = f.Make(22900, Scenario::CellX(5), kFloor - 1000);
    // The ninja against its bars: the bodies overlap by a unit.
    f.ninja->x = lock->x - 200 - f.ninja->CurrentRecord().bodyRight;
    f.s.Run(5);
    EXPECT_EQ(lock->frame, 290) << "no key: nothing happens";
    EXPECT_EQ(lock->wallSolid, 1);
    Slot().SetInt(R::kKeyCount, 2);
    f.s.Run(1);
    EXPECT_EQ(lock->frame, 291);
    EXPECT_EQ(lock->wallSolid, 0) << "the opening bars wall the way no more";
    EXPECT_EQ(Slot().GetInt(R::kKeyCount), 1);
    // The bars draw up 2 texels and 40 units of their solid a frame.
    const FrameRecord opening = lock->RecordAt(291);
    f.s.Run(1);
    EXPECT_EQ(lock->RecordAt(291).spriteBottom, opening.spriteBottom - 2);
    EXPECT_EQ(lock->RecordAt(291).v, opening.v + 2);
    EXPECT_EQ(lock->RecordAt(291).solidBottomLeft, opening.solidBottomLeft - 40);
    EXPECT_EQ(lock->RecordAt(291).solidBottomRight, opening.solidBottomRight - 40);
    EXPECT_EQ(Slot().GetSlotFlag(89), 1);
    EXPECT_EQ(f.Count(69), 1);
    EXPECT_EQ(f.Count(70), 1);
    f.s.Run(33);
    EXPECT_TRUE(Listed(lock)) << "the bars sink for 35 frames";
    f.s.Run(2);
    EXPECT_FALSE(Listed(lock));
    // Made again, it goes at once and takes no key.
    CCharacter* again = f.Make(22900, Scenario::CellX(5), kFloor - 1000);
    f.s.Run(2);
    EXPECT_FALSE(Listed(again));
    EXPECT_EQ(Slot().GetInt(R::kKeyCount), 1);
}

// Target 10600 sets flag 299, which both gates 10403 and 10404 wait for:
// the first starts the tour, the second joins it.
TEST(FlagGate, ATargetOpensTwoGatesUnderOneTour) {
    Furnished f;
    CCharacterStageObject* target = f.Make(10600, Scenario::CellX(2), kFloor - 800);
    CCharacterStageObject* first = f.Make(10403, Scenario::CellX(6), kCeiling + 200);
    CCharacterStageObject* second = f.Make(10404, Scenario::CellX(7), kCeiling + 200);
    // The bars come down 4 texels a frame: 19 frames from -7 to 69.
    int closing = 0;
    while (first->frame == 300 && closing < 30) {
        f.s.Run(1);
        ++closing;
    }
    EXPECT_EQ(closing, 19);
    EXPECT_EQ(first->frame, 301);
    EXPECT_EQ(first->RecordAt(300).spriteBottom, 69);
    EXPECT_EQ(first->RecordAt(300).v, 146 - 19 * 4);
    EXPECT_EQ(second->CurrentRecord().solidBottomLeft, 1400);
    EXPECT_FALSE(target->OnHit(4, 100, 1, f.ninja));
    EXPECT_TRUE(target->OnHit(9, 100, 1, f.ninja));
    EXPECT_EQ(target->hp, 0) << "a hit target is spent";
    EXPECT_EQ(Slot().GetSlotFlag(299), 1);
    EXPECT_EQ(f.Count(78), 1);
    f.s.Run(1);
    CEventSpot1* tour = CEventSpot1::GetInstance();
    ASSERT_TRUE(tour->IsRunning());
    EXPECT_EQ(tour->m_spots[0], first);
    EXPECT_EQ(tour->m_spots[1], second);
    EXPECT_EQ(tour->m_travelFrames, 30);
    EXPECT_EQ(tour->m_waitFrames, 20);
    EXPECT_EQ(target->frame, 332);
    // They rise a texel and 20 units of their solid a frame: 79 frames.
    ASSERT_EQ(first->frame, 302);
    int opening = 0;
    while (first->frame == 302 && opening < 120) {
        f.s.Run(1);
        ++opening;
    }
    EXPECT_EQ(opening, 79);
    EXPECT_EQ(first->RecordAt(302).spriteBottom, -10);
    EXPECT_EQ(first->RecordAt(302).v, 70 + 79);
    EXPECT_EQ(first->RecordAt(302).solidBottomLeft, 1400 - 79 * 20);
    EXPECT_EQ(first->RecordAt(302).solidBottomRight, 1400 - 79 * 20);
    EXPECT_EQ(f.Count(68), 0) << "the sound waits for the tour's end";
    f.s.Run(1);
    ASSERT_TRUE(tour->IsRunning());
    EXPECT_EQ(first->frame, 303) << "open, waiting for the tour";
    EXPECT_EQ(f.Count(68), 0) << "the sound waits for the tour's end";
    f.RunTour();
    f.s.Run(1);
    EXPECT_EQ(first->frame, 304);
    EXPECT_EQ(second->frame, 304);
    EXPECT_EQ(f.Count(68), 2);
    // Met again: the gate is gone at once, the target shows itself hit.
    CCharacter* gate = f.Make(10403, Scenario::CellX(6), kCeiling + 200);
    CCharacter* hit = f.Make(10600, Scenario::CellX(3), kFloor - 800);
    f.s.Run(2);
    EXPECT_FALSE(Listed(gate));
    EXPECT_EQ(hit->frame, 332);
}

// Locked door 10450 waits for the two switch flags 201 and 202, shows
// itself opening under the camera and becomes a door; met again it is open.
TEST(LockedDoor, BothKeyFlagsOpenItUnderTheCamera) {
    Furnished f;
    CCharacterStageObject* door = f.Make(10450, Scenario::CellX(6), kFloor - 200);
    Slot().SetSlotFlag(201, 1);
    f.s.Run(5);
    EXPECT_EQ(door->frame, 260) << "one key flag is not enough";
    Slot().SetSlotFlag(202, 1);
    f.s.Run(1);
    EXPECT_EQ(Slot().GetSlotFlag(249), 1);
    CEventSpot1* tour = CEventSpot1::GetInstance();
    ASSERT_TRUE(tour->IsRunning());
    EXPECT_EQ(tour->m_spots[0], door);
    EXPECT_EQ(tour->m_travelFrames, 40);
    EXPECT_EQ(tour->m_waitFrames, 100);
    f.RunTour();
    f.s.Run(150);
    EXPECT_EQ(door->frame, 250);
    EXPECT_EQ(f.Count(79), 1);
    EXPECT_EQ(f.Count(68), 1);
    EXPECT_EQ(door->typeId, 23800) << "the player finds doors by it";
    CCharacterStageObject* again = f.Make(10450, Scenario::CellX(3), kFloor - 200);
    f.s.Run(1);
    EXPECT_EQ(again->frame, 250);
}

TEST(Switch, BothPolaritiesAndTheTimedSwitch) {
    Furnished f;
    // Lighting switch 10360 writes 1 to flag 199, which opens gate 10402.
    CCharacterStageObject* gate = f.Make(10402, Scenario::CellX(7), kCeiling + 200);
    CCharacterStageObject* sw = f.Make(10360, Scenario::CellX(4), kFloor - 600);
    f.s.Run(20);
    EXPECT_FALSE(sw->OnHit(8, 100, 1, f.ninja)) << "an unlit switch cannot be put out";
    EXPECT_TRUE(sw->OnHit(6, 100, 1, f.ninja));
    EXPECT_EQ(Slot().GetSlotFlag(199), 1);
    EXPECT_EQ(f.Count(22), 1);
    EXPECT_NE(sw->FindChild50005(), nullptr);
    f.s.Run(1);
    EXPECT_EQ(gate->frame, 302);
    // A gate that starts the tour shows itself: 40 frames there, 40 resting.
    CEventSpot1* tour = CEventSpot1::GetInstance();
    ASSERT_TRUE(tour->IsRunning());
    EXPECT_EQ(tour->m_spots[0], gate);
    EXPECT_EQ(tour->m_spots[1], nullptr);
    EXPECT_EQ(tour->m_travelFrames, 40);
    EXPECT_EQ(tour->m_waitFrames, 40);
    EXPECT_EQ(tour->m_freeze, 1);
    f.RunTour();
    // The inverted switch shows lit while its flag is 0; lighting writes 0.
    CCharacterStageObject* inv = f.Make(10390, Scenario::CellX(5), kFloor - 600);
    EXPECT_EQ(inv->frame, 321);
    EXPECT_FALSE(inv->OnHit(6, 100, 1, f.ninja));
    EXPECT_TRUE(inv->OnHit(10, 100, 1, f.ninja));
    EXPECT_EQ(Slot().GetSlotFlag(229), 1);
    f.s.Run(30);
    EXPECT_EQ(inv->frame, 320) << "back to its off look";
    EXPECT_TRUE(inv->OnHit(6, 100, 1, f.ninja));
    EXPECT_EQ(Slot().GetSlotFlag(229), 0);
    // Another switch's flag written elsewhere shows at its next frame.
    Slot().SetSlotFlag(229, 1);
    f.s.Run(1);
    EXPECT_EQ(inv->frame, 324);
    CCharacterStageObject* other = f.Make(10361, Scenario::CellX(2), kFloor - 600);
    f.s.Run(1);
    const int heard = f.Count(22);
    EXPECT_EQ(other->frame, 310);
    Slot().SetSlotFlag(200, 1);
    f.s.Run(1);
    EXPECT_EQ(other->frame, 311) << "lit by its flag";
    EXPECT_NE(other->FindChild50005(), nullptr);
    EXPECT_EQ(f.Count(22), heard) << "no sound but a hit's";
    // The timed switch puts itself out after 401 frames on.
    CCharacterStageObject* timed = f.Make(10364, Scenario::CellX(3), kFloor - 600);
    f.s.Run(1);
    ASSERT_TRUE(timed->OnHit(6, 100, 1, f.ninja));
    int on = 0;
    while (timed->frame >= 311 && timed->frame <= 313 && on < 1000) {
        EXPECT_EQ(Slot().GetSlotFlag(203), 1);
        f.s.Run(1);
        ++on;
    }
    EXPECT_EQ(on, 401);
    EXPECT_EQ(Slot().GetSlotFlag(203), 0);
    EXPECT_EQ(timed->FindChild50005(), nullptr) << "the light went out";
}

TEST(EnemyLock, TheRoomClearedGivesTheRewardAndStaysCleared) {
    Furnished f;
    Foe* foe = f.Enemy(Scenario::CellX(6), kFloor);
    CCharacterStageObject* lock = f.Make(10550, Scenario::CellX(4), kFloor - 800);
    f.s.Run(10);
    EXPECT_EQ(lock->frame, 340);
    lock->facing = -1;
    foe->SetState(0);
    f.s.Run(1);
    EXPECT_EQ(Slot().GetSlotFlag(349), 1);
    EXPECT_EQ(lock->frame, 342);
    int32_t bursts = 0;
    for (CCharacter* c : InStates(230, 230)) {
        if (c->typeId != 50000) continue;
        ++bursts;
        EXPECT_EQ(std::make_pair(c->x, c->y), std::make_pair(lock->x, lock->y)) << "the burst where the lock is";
        EXPECT_EQ(c->facing, -1) << "and the lock's way";
    }
    EXPECT_EQ(bursts, 1) << "the burst of light";
    CEventSpot1* tour = CEventSpot1::GetInstance();
    ASSERT_TRUE(tour->IsRunning());
    EXPECT_EQ(tour->m_spots[0], lock);
    EXPECT_EQ(tour->m_travelFrames, 30);
    EXPECT_EQ(tour->m_waitFrames, 80);
    // The key comes where the lock is.
    const int32_t lockX = lock->x, lockY = lock->y;
    for (int i = 0; i < 200 && CountType(23085) == 0; ++i) f.s.Run(1);
    ASSERT_EQ(CountType(23085), 1) << "the key";
    ASSERT_TRUE(tour->IsRunning());
    EXPECT_EQ(f.Count(68), 0) << "the sound waits for the tour's end";
    for (int32_t i = 1; i <= testing_support::World().GetCount(); ++i) {
        const CCharacter* key = testing_support::World().GetAt(i);
        if (key->typeId == 23085) {
            EXPECT_EQ(std::make_pair(key->prevX, key->prevY), std::make_pair(lockX, lockY));
        }
    }
    f.RunTour();
    f.s.Run(5);
    EXPECT_EQ(CountType(23085), 1) << "the key";
    EXPECT_FALSE(Listed(lock));
    EXPECT_EQ(f.Count(68), 1);
    // Entered again: the room's enemies go at once, those of both sides
    // too, and the key comes again.
    Foe* back = f.Enemy(Scenario::CellX(6), kFloor);
    Foe* both = f.Enemy(Scenario::CellX(7), kFloor);
    both->group = 3;
    f.Make(10550, Scenario::CellX(4), kFloor - 800);
    f.s.Run(2);
    EXPECT_FALSE(Listed(back));
    EXPECT_FALSE(Listed(both));
    EXPECT_EQ(CountType(23085), 2);
}

TEST(Blocks, BreakableSealedAndFallingBlocksShareTheirFlags) {
    Furnished f;
    CCharacterStageObject* sealed = f.Make(10711, Scenario::CellX(7), kFloor - 200);
    CCharacterStageObject* falling = f.Make(10761, Scenario::CellX(4), kCeiling + 200);
    CCharacterStageObject* breakable = f.Make(10661, Scenario::CellX(1), kFloor - 400);
    f.s.Run(2);
    EXPECT_FALSE(sealed->OnHit(1, 100, 1, f.ninja)) << "not without the ability";
    EXPECT_FALSE(falling->OnHit(4, 100, 1, f.ninja));
    EXPECT_TRUE(falling->OnHit(7, 100, 1, f.ninja));
    EXPECT_EQ(Slot().GetSlotFlag(802), 1);
    EXPECT_EQ(f.Count(60), 1);
    f.s.Run(2);
    EXPECT_FALSE(Listed(sealed)) << "the falling block's flag removes the sealed block";
    // It drops at 6 more a frame, up to 200; each landing sends it back up
    // at half the speed it came down with, until that is under 10.
    std::vector<int32_t> bounces;
    int32_t fastest = 0;
    for (int i = 0; i < 200; ++i) {
        const int32_t before = falling->vy, landing = falling->attackDirY;
        f.s.Run(1);
        fastest = std::max(fastest, falling->vy);
        if (before >= 0 && falling->vy < 0) {
            bounces.push_back(falling->vy);
            EXPECT_EQ(falling->vy, -(landing / 2)) << i;
        }
    }
    EXPECT_EQ(fastest, 126);
    EXPECT_EQ(bounces, (std::vector<int32_t>{-66, -33, -16, -10}));
    EXPECT_EQ(falling->vy, 0);
    EXPECT_EQ(falling->y, kFloor);
    // Breaking scatters eighteen pieces, three of each half of each piece,
    // up and out to either side of the block.
    f.s.ClearSounds();
    EXPECT_TRUE(breakable->OnHit(4, 100, 1, f.ninja));
    EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{47});
    const std::vector<CCharacter*> pieces = InStates(280, 282);
    ASSERT_EQ(pieces.size(), 18u);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const CCharacter* p = pieces[i];
        EXPECT_EQ(p->frame, 280 + static_cast<int32_t>(i % 6) / 2) << i;
        EXPECT_LE(std::abs(p->x - breakable->x), 150) << i;
        EXPECT_LE(std::abs(p->y - breakable->y), 150) << i;
        EXPECT_GE(p->vx, i % 2 == 0 ? -40 : 0) << i;
        EXPECT_LE(p->vx, i % 2 == 0 ? 0 : 40) << i;
        EXPECT_GE(p->vy, -80) << i;
        EXPECT_LE(p->vy, -20) << i;
    }
    EXPECT_EQ(Slot().GetSlotFlag(702), 1);
    f.s.Run(1);
    EXPECT_FALSE(Listed(breakable));
    CCharacter* again = f.Make(10661, Scenario::CellX(1), kFloor - 400);
    f.s.Run(2);
    EXPECT_FALSE(Listed(again));
    // With the ability the plain attack breaks a sealed block.
    Slot().SetSlotFlag(6, 1);
    CCharacterStageObject* seal = f.Make(10712, Scenario::CellX(7), kFloor - 200);
    EXPECT_TRUE(seal->OnHit(1, 100, 1, f.ninja));
    EXPECT_EQ(Slot().GetSlotFlag(803), 1);
    const std::vector<CCharacter*> shards = InStates(291, 292);
    ASSERT_EQ(shards.size(), 8u);
    for (std::size_t i = 0; i < shards.size(); ++i) {
        EXPECT_EQ(shards[i]->frame, 291 + static_cast<int32_t>(i % 4) / 2) << i;
        EXPECT_LE(std::abs(shards[i]->x - seal->x), 100) << i;
        EXPECT_LE(std::abs(shards[i]->y - seal->y), 100) << i;
    }
    // The first sealed block has no flag: no flag written removes it.
    CCharacterStageObject* plain = f.Make(10710, Scenario::CellX(5), kFloor - 200);
    for (int32_t flag = 801; flag <= 850; ++flag) Slot().SetSlotFlag(flag, 1);
    f.s.Run(2);
    EXPECT_TRUE(Listed(plain));
    EXPECT_EQ(plain->frame / 2, 205);
}

// A ninja standing on a falling block rides it down: each frame it is moved
// with the block, its feet on the block's top, standing all the way.
TEST(Blocks, AFallingBlockCarriesTheNinjaStandingOnIt) {
    Furnished f;
    CCharacterStageObject* block = f.Make(10761, Scenario::CellX(4), 1000);
    f.ninja->x = block->x + 200;
    f.ninja->y = 700;
    f.ninja->SetState(290);
    f.s.Run(20);
    ASSERT_EQ(f.ninja->y, block->y - 200) << "landed on its top";
    EXPECT_EQ(block->notSolid, 0) << "its top carries feet that are not below it";
    f.ninja->y += 1;
    block->Frame();
    EXPECT_EQ(block->notSolid, 1) << "feet a unit below its top pass through";
    f.ninja->y -= 1;
    block->Frame();
    ASSERT_EQ(block->notSolid, 0);
    ASSERT_TRUE(block->OnHit(7, 100, 1, f.ninja));
    int carried = 0;
    while (block->vy >= 0 && carried < 40) {
        f.s.Run(1);
        if (block->y >= kFloor) break;
        EXPECT_EQ(f.ninja->y, block->y - 200) << carried;
        EXPECT_EQ(std::make_pair(f.ninja->carryX, f.ninja->carryY), std::make_pair(0, block->vy)) << carried;
        EXPECT_TRUE(IsStanding(f.ninja->frame)) << carried;
        ++carried;
    }
    EXPECT_EQ(carried, 17) << "down from 1000 to the floor at 2000";
    // A ninja below its top walks through it.
    f.s.Run(60);
    f.ninja->x = block->x + 200;
    f.ninja->y = kFloor;
    f.ninja->SetState(220);
    block->Frame();
    EXPECT_EQ(block->notSolid, 1);
    f.s.Run(1);
    EXPECT_EQ(f.ninja->y, kFloor) << "not pushed onto it";
    // A ninja with no life left is not carried.
    CCharacterStageObject* other = f.Make(10762, Scenario::CellX(4), 1000);
    f.ninja->x = other->x + 200;
    f.ninja->y = 700;
    f.ninja->SetState(290);
    f.s.Run(20);
    ASSERT_EQ(f.ninja->y, other->y - 200);
    f.ninja->hp = 0;
    ASSERT_TRUE(other->OnHit(7, 100, 1, f.ninja));
    f.s.Run(3);
    EXPECT_LT(f.ninja->y, other->y - 200 - 20) << "left behind";
}

// What the player's homing attack may aim at depends on the weapon held: an
// unlit switch for the fourth, a lit one for the sixth, a breakable block
// for the third, a falling block for the fifth; never a target.
TEST(StageFurniture, EachKindIsATargetOnlyForItsWeapon) {
    Furnished f;
    CCharacterStageObject* unlit = f.Make(10361, Scenario::CellX(2), kFloor - 600);
    CCharacterStageObject* lit = f.Make(10362, Scenario::CellX(3), kFloor - 600);
    CCharacterStageObject* block = f.Make(10660, Scenario::CellX(5), kFloor - 200);
    CCharacterStageObject* falling = f.Make(10760, Scenario::CellX(7), 1000);
    CCharacterStageObject* target = f.Make(10601, Scenario::CellX(4), kFloor - 1000);
    Slot().SetSlotFlag(201, 1);  // lights 10362
    f.s.Run(2);
    ASSERT_EQ(unlit->frame, 310);
    ASSERT_EQ(lit->frame / 4, 311 / 4);
    for (int32_t weapon = 0; weapon <= 7; ++weapon) {
        SCOPED_TRACE(weapon);
        f.ninja->SetCurrentWeapon(weapon);
        f.s.Run(1);
        EXPECT_EQ(unlit->targetable, weapon == 4 ? 1 : 0);
        EXPECT_EQ(lit->targetable, weapon == 6 ? 1 : 0);
        EXPECT_EQ(block->targetable, weapon == 3 ? 1 : 0);
        EXPECT_EQ(falling->targetable, weapon == 5 ? 1 : 0);
        EXPECT_EQ(target->targetable, 0);
    }
}

TEST(Hazard, ItHurtsEveryOtherGroupWithKind15AndSparesItsOwn) {
    Furnished f;
    Foe* foe = f.Enemy(Scenario::CellX(5), kFloor);
    Foe* ally = f.Enemy(Scenario::CellX(7), kFloor);
    ally->group = 1;  // the player's side
    CCharacterStageObject* hazard = f.Make(21150, Scenario::CellX(5), kFloor - 200);
    CCharacterStageObject* second = f.Make(21151, Scenario::CellX(7), kFloor - 200);
    const int32_t hp = f.ninja->hp;
    // Its looks change every 12 frames of the game's counter, both kinds in
    // step: 430-433 and 434-437.
    for (int i = 0; i < 48; ++i) {
        f.s.Run(1);
        const int32_t phase = Game()->m_frameCount % 48 / 12;
        EXPECT_EQ(hazard->frame, 430 + phase) << Game()->m_frameCount;
        EXPECT_EQ(second->frame, 434 + phase) << Game()->m_frameCount;
        EXPECT_EQ(hazard->group, 2);
    }
    EXPECT_EQ(f.ninja->hp, hp) << "away from it";
    EXPECT_TRUE(foe->hits.empty());
    ASSERT_FALSE(ally->hits.empty());
    EXPECT_EQ(ally->hits.front().kind, 15);
    EXPECT_EQ(ally->hits.front().damage, 100);
    EXPECT_EQ(ally->hits.front().attacker, second);
    f.ninja->x = hazard->x;
    f.ninja->y = hazard->y - 200;
    f.s.Run(1);
    EXPECT_EQ(f.ninja->hp, hp - 100);
}

// The goal target's finish, as its defeat would start it: the sound, the
// shake of the vibration setting, a fade that scatters four score orbs every
// other frame, and the player sent out of the stage 50 frames after it.
TEST(GoalTarget, ItsFinishFadesScatteringScoreOrbsThenThePlayerLeaves) {
    struct Shake {
        int32_t vibration, frames, low, high, decay;
    };
    for (const Shake& k : {Shake{0, 20, -10, 10, 3}, Shake{1, 20, -10, 10, 0}, Shake{2, 0, 0, 0, 0},
                           Shake{3, 20, -5, 5, 1}}) {
        SCOPED_TRACE(k.vibration);
        Furnished f;
        Game()->m_vibration = k.vibration;
        CCharacterStageObject* goal = f.Make(10340, Scenario::CellX(6), 1200);
        f.s.Run(2);
        CEffect::GetInstance()->m_shakeFrames = 0;
        f.s.ClearSounds();
        goal->SetState(110);
        EXPECT_EQ(goal->frame, 234);
        EXPECT_EQ(f.s.Sounds(), std::vector<int32_t>{31});
        const CEffect* e = CEffect::GetInstance();
        EXPECT_EQ(e->m_shakeFrames, k.frames);
        if (k.frames == 0) continue;
        EXPECT_EQ(e->m_shakeLowY, k.low);
        EXPECT_EQ(e->m_shakeHighY, k.high);
        EXPECT_EQ(e->m_shakeDecay, k.decay);
        EXPECT_EQ(e->m_shakeVelocityY, 100);
    }
    Game()->m_vibration = 0;

    Furnished f;
    CCharacterStageObject* goal = f.Make(10340, Scenario::CellX(6), 1200);
    f.s.Run(2);
    // Its hit flash lasts only while the player's attack is on it.
    goal->damageFlashTimer = 5;
    f.s.Run(1);
    EXPECT_EQ(goal->damageFlashTimer, 0);
    FrameRecord* reach = f.ninja->frameTable.Find(f.ninja->frame);
    ASSERT_NE(reach, nullptr);
    const FrameRecord kept = *reach;
    reach->attackLeft = reach->attackTop = -5000;
    reach->attackRight = reach->attackBottom = 5000;
    ASSERT_TRUE(f.ninja->AttackHits(goal));
    goal->damageFlashTimer = 5;
    goal->Frame();
    EXPECT_GT(goal->damageFlashTimer, 0) << "the attack is on it";
    *f.ninja->frameTable.Find(f.ninja->frame) = kept;
    f.ninja->combo = 30;  // a score rate of 130
    goal->facing = -1;
    goal->SetState(110);
    ASSERT_EQ(goal->frame, 234);
    // Its own first six frames: the orbs come on even state timers, four
    // on a circle of 200 around it turning 0.1 a frame, flying outward.
    for (int32_t t = 1; t <= 6; ++t) {
        const std::size_t before = InStates(110, 119).size();
        goal->Frame();
        EXPECT_EQ(goal->alpha, 255 - 2 * t);
        const std::vector<CCharacter*> orbs = InStates(110, 119);
        if (t % 2 != 0) {
            EXPECT_EQ(orbs.size(), before) << t;
            continue;
        }
        ASSERT_EQ(orbs.size(), before + 4) << t;
        for (std::size_t i = 0; i < 4; ++i) {
            const CCharacter* orb = orbs[before + i];
            const double a = t * 0.1 + static_cast<double>(i) * 3.14159265358979323846 / 2;
            const int32_t dx = static_cast<int32_t>(200 * std::sin(a)), dy = static_cast<int32_t>(200 * std::cos(a));
            EXPECT_EQ(orb->frame, 110);
            EXPECT_EQ(orb->x, goal->x + dx) << t << " " << i;
            EXPECT_EQ(orb->y, goal->y + dy) << t << " " << i;
            EXPECT_EQ(orb->vx, dx) << t << " " << i;
            EXPECT_EQ(orb->vy, dy) << t << " " << i;
            EXPECT_EQ(const_cast<CCharacter*>(orb)->GetScore(), 100);
            EXPECT_EQ(const_cast<CCharacter*>(orb)->GetScoreRate(), 130);
            EXPECT_EQ(orb->attackDirX, 180);
            EXPECT_EQ(orb->facing, -1) << "the goal's way";
        }
    }
    // Two a frame from 255: below 0 at its 128th frame.
    int fading = 6;
    while (goal->frame == 234 && fading < 200) {
        f.s.Run(1);
        ++fading;
    }
    EXPECT_EQ(fading, 128);
    EXPECT_EQ(goal->frame, 235);
    int waiting = 0;
    while (f.ninja->frame != 940 && waiting < 100) {
        f.s.Run(1);
        ++waiting;
    }
    EXPECT_EQ(waiting, 50) << "the player leaves the stage";
    f.s.Run(1);
    EXPECT_FALSE(Listed(goal));
}

// The kinds whose row asks for less: a locked door with no flag is open at
// once, a gate with no tour opens quietly and stays open, an enemy lock with
// no reward just remembers the cleared room.
TEST(StageFurniture, RowsWithoutAFlagATourOrAReward) {
    Furnished f;
    CCharacterStageObject* door = f.Make(10451, Scenario::CellX(6), kFloor - 200);
    EXPECT_EQ(door->frame, 260);
    EXPECT_EQ(door->m_flagId, -1);
    f.s.Run(1);
    EXPECT_EQ(door->frame, 250) << "a door at once";
    EXPECT_EQ(door->m_destMapId, 1);
    EXPECT_EQ(door->m_warpExtra, 258);

    CCharacterStageObject* gate = f.Make(10405, Scenario::CellX(7), kCeiling + 200);
    f.s.Run(20);
    ASSERT_EQ(gate->frame, 301);
    f.s.ClearSounds();
    Slot().SetSlotFlag(349, 1);
    f.s.Run(1);
    EXPECT_EQ(gate->frame, 302);
    EXPECT_FALSE(CEventSpot1::GetInstance()->IsRunning()) << "no tour";
    f.s.Run(200);
    EXPECT_EQ(gate->frame, 303) << "open for good, without a sound";
    EXPECT_TRUE(f.s.Sounds().empty());

    Foe* foe = f.Enemy(Scenario::CellX(2), kFloor);
    CCharacterStageObject* lock = f.Make(10551, Scenario::CellX(4), kFloor - 800);
    f.s.Run(5);
    EXPECT_EQ(lock->frame, 340);
    foe->SetState(0);
    const int32_t before = testing_support::World().GetCount();
    f.s.Run(1);
    EXPECT_EQ(Slot().GetSlotFlag(350), 1);
    EXPECT_EQ(lock->frame, 341);
    EXPECT_FALSE(CEventSpot1::GetInstance()->IsRunning());
    EXPECT_EQ(testing_support::World().GetCount(), before - 1) << "the foe went; nothing came";
    for (const CCharacter* c : InStates(230, 232)) EXPECT_NE(c->typeId, CCharacterEffect::kTypeId) << "no burst";
}

// The falling block is a target of the homing attack only while the player
// holds weapon 5; otherwise the attack sweep passes it by.
TEST(Blocks, TheFallingBlockIsATargetOnlyForTheFifthWeapon) {
    Furnished f;
    CCharacterStageObject* block = f.Make(10760, Scenario::CellX(4), 1000);
    EXPECT_EQ(block->m_flagId, -1);
    for (const int32_t weapon : {5, 3, 4, 6, 5}) {
        SCOPED_TRACE(weapon);
        f.ninja->SetCurrentWeapon(weapon);
        f.s.Run(1);
        EXPECT_EQ(block->targetable, weapon == 5 ? 1 : 0);
        EXPECT_EQ(block->GetInvulnerable() != 0, weapon != 5);
    }
    // Without a flag it drops all the same and writes nothing.
    ASSERT_TRUE(block->OnHit(7, 100, 1, f.ninja));
    f.s.Run(1);
    EXPECT_EQ(block->frame, 421);
    EXPECT_EQ(block->targetable, 0);
}

// Hazard blocks go once they lie beyond the spawn window; exit and door
// rows out of the table make nothing.
TEST(StageFurniture, HazardsFarOffGoAndIdsOutsideTheExitTableMakeNothing) {
    Furnished f;
    CCharacter* far = f.Make(21150, (Game()->GetViewLeft() + 160 + Game()->GetViewWidth()) * 10 + 1, kFloor - 200);
    CCharacter* near = f.Make(21153, (Game()->GetViewLeft() + 160 + Game()->GetViewWidth()) * 10, kFloor - 200);
    f.s.Run(1);
    EXPECT_FALSE(Listed(far));
    EXPECT_TRUE(Listed(near));
    for (const int32_t id : {23799, 24610}) {
        CCharacterStageObject o;
        o.SetTypeId(id);
        EXPECT_EQ(o.pendingState, 0) << id;
        EXPECT_EQ(o.typeId, 23800) << id;
    }
}

TEST(Completion, FurnitureFlagsAreProgressButNotCompletion) {
    Furnished f;
    for (int32_t flag : {0, 1, 2, 3, 4, 5, 6, 7, 8, 22, 89, 199, 299, 349, 702, 802}) Slot().SetSlotFlag(flag, 1);
    EXPECT_EQ(Game()->CountCompletion(kSlot), 8 * 100 / 278);
}

// With no player in the world, what needs one waits: nothing is touched,
// saved or carried, and nothing breaks.
TEST(StageFurniture, WithoutAPlayerNothingIsTouched) {
    Furnished f;
    Slot().SetInt(R::kKeyCount, 1);
    Game()->m_player = nullptr;
    std::vector<CCharacter*> kinds;
    for (int32_t id : {10350, 10190, 10340, 22900, 10760, 10761, 10364, 10660, 21150})
        kinds.push_back(f.Make(id, f.ninja->x, kFloor - 200));
    // The save point and the goal target hover up and down as they wait.
    int32_t top[2] = {kinds[0]->y, kinds[2]->y}, bottom[2] = {kinds[0]->y, kinds[2]->y};
    for (int i = 0; i < 84; ++i) {
        f.s.Run(1);
        for (int k = 0; k < 2; ++k) {
            top[k] = std::min(top[k], kinds[k * 2]->y);
            bottom[k] = std::max(bottom[k], kinds[k * 2]->y);
        }
    }
    EXPECT_GE(bottom[0] - top[0], 200) << "the save point hovers";
    EXPECT_GE(bottom[1] - top[1], 200) << "the goal target hovers";
    for (CCharacter* c : kinds) EXPECT_TRUE(Listed(c)) << c->typeId;
    EXPECT_EQ(Slot().GetInt(R::kKeyCount), 1);
    EXPECT_EQ(f.Count(71), 0);
    // A goal target finished with nobody to send out fades and goes.
    CCharacter* goal = kinds[2];
    goal->SetState(110);
    EXPECT_EQ(goal->frame, 234);
    f.s.Run(128 + 50);
    EXPECT_EQ(goal->frame, 0);
    f.s.Run(1);
    EXPECT_FALSE(Listed(goal));
}
