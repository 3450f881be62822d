// The stage furniture in small worlds: what each kind takes from its row,
// the save point from the touch to the slot file the title reads back,
// keys and key locks, a target that opens two gates under one camera tour,
// switches of both polarities and the timed one, the enemy lock with its
// reward and re-entry, breakable, sealed and falling blocks sharing flags,
// and the hazard blocks.
#include <gtest/gtest.h>

#include <memory>

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
    EXPECT_EQ(door->RecordAt(250).bodyLeft, -500);
    EXPECT_EQ(door->RecordAt(259).u, 190);
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
    EXPECT_EQ(CEffect::GetInstance()->m_flashRed, 255);
    EXPECT_STREQ(CGameInputMain::GetInstance()->m_messageText, "GAME SAVED");
    EXPECT_EQ(f.ninja->hp, f.ninja->hpMax);
    EXPECT_EQ(Slot().GetInt(R::kMapId), 268);
    EXPECT_EQ(Slot().GetInt(R::kResumeX), save->GetStageX());
    EXPECT_EQ(Game()->m_resumeData[kSlot].GetByte(R::kResumeFlag), 0);
    ASSERT_EQ(dir.Size("resume03"), 65536);
    EXPECT_EQ(dir.Read("resume03").at(R::kResumeFlag), 0);
    f.s.Run(1);
    EXPECT_FALSE(Listed(save)) << "used up";
    // Back at the title everything is read again from the files.
    const int32_t savedX = Slot().GetInt(R::kResumeX);
    Slot().SetNewGameDefaults();
    Game()->LoadAllSlots();
    EXPECT_EQ(Slot().GetInt(R::kMapId), 268);
    EXPECT_EQ(Slot().GetInt(R::kResumeX), savedX);
    EXPECT_EQ(Slot().GetSlotFlag(199), 1);
    EXPECT_EQ(Slot().GetInt(R::kKeyCount), 2);
}

// A stage begun by Start offers its save points only when the slot holds a
// resume snapshot.
class SavePointOnStart : public StagePlayTest {};

TEST_F(SavePointOnStart, WithoutASnapshotTheSavePointIsNotOffered) {
    for (const bool snapshot : {false, true}) {
        SCOPED_TRACE(snapshot);
        Game()->m_currentSlot = kSlot;
        Game()->m_resumeData[kSlot].SetNewGameDefaults();
        Game()->m_resumeData[kSlot].SetByte(R::kResumeFlag, snapshot ? 1 : 0);
        Game()->StartStage(266);
        Frame(2);
        CCharacter* save = CreateCharacter(10350);
        Game()->m_characterList.Add(save);
        save->x = Player()->x + 2000;
        save->y = Player()->y - 400;
        Frame(2);
        EXPECT_EQ(Listed(save), snapshot);
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
    EXPECT_EQ(Slot().GetInt(R::kKeyCount), 1);
    EXPECT_EQ(Slot().GetSlotFlag(89), 1);
    EXPECT_EQ(f.Count(69), 1);
    EXPECT_EQ(f.Count(70), 1);
    f.s.Run(34);
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
    f.s.Run(20);
    EXPECT_EQ(first->frame, 301) << "closed after 19 frames";
    EXPECT_EQ(second->CurrentRecord().solidBottomLeft, 1400);
    EXPECT_FALSE(target->OnHit(4, 100, 1, f.ninja));
    EXPECT_TRUE(target->OnHit(9, 100, 1, f.ninja));
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
    f.RunTour();
    f.s.Run(100);
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
    EXPECT_EQ(door->frame, CCharacterStageObject::kDoorExit);
    EXPECT_EQ(f.Count(79), 1);
    EXPECT_EQ(f.Count(68), 1);
    EXPECT_EQ(door->typeId, CCharacterStageObject::kTypeId) << "the player finds doors by it";
    CCharacterStageObject* again = f.Make(10450, Scenario::CellX(3), kFloor - 200);
    f.s.Run(1);
    EXPECT_EQ(again->frame, CCharacterStageObject::kDoorExit);
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
    foe->SetState(0);
    f.s.Run(1);
    EXPECT_EQ(Slot().GetSlotFlag(349), 1);
    EXPECT_EQ(lock->frame, 342);
    int32_t bursts = 0;
    for (CCharacter* c : InStates(230, 231)) bursts += c->typeId == CCharacterEffect::kTypeId;
    EXPECT_EQ(bursts, 1) << "the burst of light";
    EXPECT_TRUE(CEventSpot1::GetInstance()->IsRunning());
    f.RunTour();
    f.s.Run(5);
    EXPECT_EQ(CountType(23085), 1) << "the key";
    EXPECT_FALSE(Listed(lock));
    EXPECT_EQ(f.Count(68), 1);
    // Entered again: the room's enemies go at once and the key comes again.
    Foe* back = f.Enemy(Scenario::CellX(6), kFloor);
    f.Make(10550, Scenario::CellX(4), kFloor - 800);
    f.s.Run(2);
    EXPECT_FALSE(Listed(back));
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
    // It drops, bounces at half its speed and comes to rest on the floor.
    int32_t fastest = 0, bounces = 0;
    for (int i = 0; i < 200; ++i) {
        const int32_t before = falling->vy;
        f.s.Run(1);
        fastest = std::max(fastest, before);
        bounces += before > 0 && falling->vy < 0;
    }
    EXPECT_GT(fastest, 100);
    EXPECT_GE(bounces, 1);
    EXPECT_EQ(falling->vy, 0);
    EXPECT_EQ(falling->y, kFloor);
    // Breaking scatters eighteen pieces.
    EXPECT_TRUE(breakable->OnHit(4, 100, 1, f.ninja));
    EXPECT_EQ(InStates(280, 282).size(), 18u);
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
    EXPECT_EQ(InStates(291, 292).size(), 8u);
}

TEST(Hazard, ItHurtsThePlayerAndSparesItsOwnGroup) {
    Furnished f;
    Foe* foe = f.Enemy(Scenario::CellX(5), kFloor);
    CCharacterStageObject* hazard = f.Make(21150, Scenario::CellX(5), kFloor - 200);
    CCharacterStageObject* second = f.Make(21151, Scenario::CellX(7), kFloor - 200);
    const int32_t hp = f.ninja->hp;
    f.s.Run(3);
    EXPECT_EQ(f.ninja->hp, hp) << "away from it";
    EXPECT_TRUE(foe->hits.empty());
    EXPECT_EQ(hazard->frame, 430 + Game()->m_frameCount % 48 / 12);
    EXPECT_EQ(second->frame, 434 + Game()->m_frameCount % 48 / 12);
    f.ninja->x = hazard->x;
    f.ninja->y = hazard->y - 200;
    f.s.Run(1);
    EXPECT_LT(f.ninja->hp, hp);
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
    f.s.Run(30);
    for (CCharacter* c : kinds) EXPECT_TRUE(Listed(c)) << c->typeId;
    EXPECT_EQ(Slot().GetInt(R::kKeyCount), 1);
    EXPECT_EQ(f.Count(71), 0);
}
