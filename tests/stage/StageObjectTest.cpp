// Stage objects: their records and the exit table as the game keeps them,
// room exits (the marker, its stacking and phase, leaving the window, the
// warp a touch arms), door exits from the waiting door to the warp after the
// fade, the entries of the states, hits, anchors, the flags and the
// enemies of the room.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "frames/FrameTables.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/StateLoading.h"
#include "maps/ExitTable.h"
#include "player/CharacterNinja.h"
#include "stage/CharacterStageObject.h"
#include "stage/StageDataControl.h"
#include "stage/StageTestSupport.h"
#include "support/Scenario.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"
#include "win/Resource.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::StagePlayTest;

namespace {

CGameMain* Game() { return CGameMain::GetInstance(); }
CStageDataControl& Proxy() { return Game()->m_stageControl; }

CCharacterStageObject* AsObject(CCharacter* c) { return dynamic_cast<CCharacterStageObject*>(c); }

// Leaves the proxy's warp idle again (a test that armed it without letting
// the proxy perform it).
void ClearWarp() {
    Proxy().SetPendingStage(0);
    Proxy().m_startX = Proxy().m_startY = -1;
    Proxy().m_startFacing = 0;
    Proxy().m_warpExtra = -1;
    Proxy().m_transitionType = -1;
    Proxy().m_transitionFrames = 30;
}

// A scenario on an empty world: nothing an earlier test left is counted.
Scenario EmptyScenario() {
    Game()->m_characterList.DeleteAll();
    Game()->m_subCharacterList.DeleteAll();
    return Scenario({"."}, {});
}

// A small body for the player: 40 wide, its feet at its position.
ScenarioBody::Box SmallBody() { return {-20, 20, -20, 0}; }

const FrameRecord& Record(int32_t index) { return kCharacterStageObjectFrames.records[index]; }

}  // namespace

// --- The stage proxy without a stage -----------------------------------------------

// With no stage the proxy reads as an empty stage and passes nothing on.
TEST(StageProxy, WithoutAStageItReadsAsNothingAndDoesNothing) {
    CStageDataControl proxy;
    proxy.SetStage(0);
    EXPECT_EQ(proxy.GetStage(), nullptr);
    EXPECT_EQ(proxy.GetWidth(), 0);
    EXPECT_EQ(proxy.GetHeight(), 0);
    EXPECT_EQ(proxy.GetCameraX(), 0);
    EXPECT_EQ(proxy.GetCameraY(), 0);
    EXPECT_EQ(proxy.GetScreenWidth(), 0);
    EXPECT_EQ(proxy.GetScreenHeight(), 0);
    EXPECT_EQ(proxy.GetMusic(), -1);
    EXPECT_EQ(proxy.GetNextStage(), 0);
    EXPECT_EQ(proxy.GetGoldMultiplier(), proxy.m_goldMultiplier);
    proxy.SetScreenWidth(480);
    proxy.SetDeadZone(1, 2, 3, 4);
    proxy.Start();
    proxy.Restart();
    proxy.EmptyHookA();
    proxy.EmptyHookB();
    proxy.Update();
    proxy.End();
    EXPECT_EQ(proxy.GetStage(), nullptr);
    // With one, the same reads are the stage's.
    ASSERT_TRUE(proxy.SetStage(269));
    EXPECT_EQ(proxy.GetWidth(), 12);
    EXPECT_EQ(proxy.GetHeight(), 40);
    proxy.SetDeadZone(5000, 100, 200, 3000);
    EXPECT_EQ(proxy.GetStage()->m_deadZoneMaxX, 5000);
    EXPECT_EQ(proxy.GetStage()->m_deadZoneMinY, 200);
    proxy.SetScreenWidth(320);
    EXPECT_EQ(proxy.GetScreenWidth(), 320);
    EXPECT_EQ(proxy.GetStage()->m_deadZoneMinX, 1600);
    proxy.SetStage(0);
}

// --- Records and the exit table --------------------------------------------------

TEST(StageObjectRecords, TheTableKeepsTheRecordsOfTheObjects) {
    ASSERT_EQ(kCharacterStageObjectFrames.count, 440);
    // The exit marker's two frames, one texel apart, on the stage-object sheet.
    const FrameRecord& m0 = Record(240);
    EXPECT_EQ(m0.u, 430);
    EXPECT_EQ(m0.v, 10);
    EXPECT_EQ(m0.spriteLeft, -30);
    EXPECT_EQ(m0.spriteRight, -11);
    EXPECT_EQ(m0.bodyLeft, -201);
    EXPECT_EQ(m0.bodyBottom, 201);
    EXPECT_EQ(m0.nextFrame, 241);
    EXPECT_EQ(m0.frameDuration, 20);
    EXPECT_EQ(m0.textureId, 40);
    EXPECT_EQ(Record(241).u, 431);
    EXPECT_EQ(Record(241).spriteLeft, -31);
    // The door's body and the key lock's solid.
    EXPECT_EQ(Record(250).bodyLeft, -150);
    EXPECT_EQ(Record(250).bodyRight, 550);
    EXPECT_EQ(Record(250).bodyTop, -400);
    EXPECT_EQ(Record(290).solidBottomLeft, 1000);
    EXPECT_EQ(Record(290).bodyBottom, 1001);
    EXPECT_EQ(Record(291).bodyRight, 0) << "the opening lock has no body";
    // The locked door opens on its state timers: 60, 20, 20, 40, 1 into 250.
    const int32_t next[] = {262, 263, 264, 265, 250}, ticks[] = {60, 20, 20, 40, 1};
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(Record(261 + i).nextState, next[i]);
        EXPECT_EQ(Record(261 + i).stateDuration, ticks[i]);
    }
    // The falling block hangs from a long picture; the hazard blocks cycle.
    EXPECT_EQ(Record(420).spriteTop, -460);
    EXPECT_EQ(Record(420).hurtTop, -1000);
    EXPECT_EQ(Record(433).nextState, 430);
    EXPECT_EQ(Record(437).nextState, 434);
    EXPECT_EQ(Record(430).attackRight, 210);
    EXPECT_EQ(Record(342).textureId, 16);
    EXPECT_EQ(Record(370).textureId, 17);
    // What the table leaves out is nothing at all.
    for (int32_t i : {1, 229, 236, 239, 242, 253, 266, 284, 344, 363, 372, 391, 412, 422, 438, 439})
        EXPECT_EQ(Record(i), FrameRecord{}) << i;
}

// Every kind's timing: the frame chains and state chains its behaviour
// rides on (-1: held), and the boxes that make it touched, solid or hit.
TEST(StageObjectRecords, EveryKindsChainsAndBoxes) {
    struct Chain {
        int32_t record, nextFrame, frameTicks, nextState, stateTicks;
    };
    const Chain chains[] = {
        {0, 0, 1, 0, 1},         {230, 231, 10, -1, 0},   {231, 232, 10, -1, 0},  {232, 233, 20, -1, 0},
        {233, 230, 10, -1, 0},   {234, -1, 0, -1, 0},     {235, -1, 0, 0, 200},   {240, 241, 20, -1, 0},
        {241, 240, 20, -1, 0},   {250, -1, 0, -1, 0},     {260, -1, 0, -1, 0},    {261, -1, 0, 262, 60},
        {262, -1, 0, 263, 20},   {263, -1, 0, 264, 20},   {264, -1, 0, 265, 40},  {265, -1, 0, 250, 1},
        {280, 281, 10, -1, 0},   {281, 282, 10, -1, 0},   {282, 283, 20, -1, 0},  {283, 280, 10, -1, 0},
        {290, -1, 0, -1, 0},     {300, -1, 0, -1, 0},     {303, -1, 0, -1, 0},    {310, -1, 0, -1, 0},
        {311, 312, 4, -1, 0},    {312, 313, 4, -1, 0},    {313, 311, 4, -1, 0},   {314, -1, 0, 315, 6},
        {315, -1, 0, 316, 6},    {316, -1, 0, 317, 6},    {317, -1, 0, 310, 6},   {320, -1, 0, -1, 0},
        {321, 322, 4, -1, 0},    {322, 323, 4, -1, 0},    {323, 321, 4, -1, 0},   {324, -1, 0, 325, 6},
        {325, -1, 0, 326, 6},    {326, -1, 0, 327, 6},    {327, -1, 0, 320, 6},   {330, -1, 0, -1, 0},
        {331, 332, 1, -1, 0},    {332, -1, 0, -1, 0},     {371, 332, 1, -1, 0},   {340, -1, 0, -1, 0},
        {342, -1, 0, 343, 70},   {343, -1, 0, -1, 0},     {350, -1, 0, -1, 0},    {400, -1, 0, -1, 0},
        {410, -1, 0, -1, 0},     {420, -1, 0, -1, 0},     {421, -1, 0, -1, 0},    {430, -1, 0, 431, 12},
        {431, -1, 0, 432, 12},   {432, -1, 0, 433, 12},   {433, -1, 0, 430, 12},  {434, -1, 0, 435, 12},
        {435, -1, 0, 436, 12},   {436, -1, 0, 437, 12},   {437, -1, 0, 434, 12},
    };
    for (const Chain& c : chains) {
        SCOPED_TRACE(c.record);
        const FrameRecord& r = Record(c.record);
        EXPECT_EQ(r.nextFrame, c.nextFrame);
        EXPECT_EQ(r.nextState, c.nextState);
        if (c.nextFrame != -1) {
            EXPECT_EQ(r.frameDuration, c.frameTicks);
        }
        if (c.nextState != -1) {
            EXPECT_EQ(r.stateDuration, c.stateTicks);
        }
    }
    struct Boxes {
        int32_t record;
        int32_t solid[6], body[4], attack[4], hurt[4];
    };
    const Boxes boxes[] = {
        {230, {}, {}, {}, {-200, 200, -200, 200}},
        {240, {}, {-201, 201, -201, 201}, {}, {}},
        {250, {}, {-150, 550, -400, 200}, {}, {}},
        {280, {}, {}, {-200, 200, -200, 200}, {}},
        {290, {-200, 200, -200, -200, 1000, 1000}, {-201, 201, -201, 1001}, {}, {}},
        {300, {-200, 200, -200, -200, 1400, 1400}, {}, {}, {}},
        {303, {}, {}, {}, {}},
        {310, {}, {-200, 200, -600, 600}, {}, {-100, 100, -100, 100}},
        {324, {}, {-200, 200, -600, 600}, {}, {-100, 100, -100, 100}},
        {330, {}, {-200, 200, -200, 200}, {}, {-100, 100, -100, 100}},
        {331, {}, {-200, 200, -200, 200}, {}, {}},
        {350, {}, {-1400, -200, -600, 200}, {}, {}},
        {400, {-200, 600, -600, -600, 200, 200}, {}, {}, {-200, 600, -600, 200}},
        {410, {-200, 200, -200, -200, 200, 200}, {}, {}, {-100, 100, -100, 100}},
        {420, {-200, 600, -200, -200, 0, 0}, {-200, 600, -200, 0}, {}, {100, 300, -1000, -200}},
        {421, {-200, 600, -200, -200, 0, 0}, {-200, 600, -200, 0}, {}, {}},
        {430, {-200, 200, -200, -200, 200, 200}, {}, {-210, 210, -210, 210}, {}},
        {437, {-200, 200, -200, -200, 200, 200}, {}, {-210, 210, -210, 210}, {}},
    };
    for (const Boxes& b : boxes) {
        SCOPED_TRACE(b.record);
        const FrameRecord& r = Record(b.record);
        EXPECT_EQ(std::vector<int32_t>({r.solidLeft, r.solidRight, r.solidTopLeft, r.solidTopRight, r.solidBottomLeft,
                                        r.solidBottomRight}),
                  std::vector<int32_t>(b.solid, b.solid + 6));
        EXPECT_EQ(std::vector<int32_t>({r.bodyLeft, r.bodyRight, r.bodyTop, r.bodyBottom}),
                  std::vector<int32_t>(b.body, b.body + 4));
        EXPECT_EQ(std::vector<int32_t>({r.attackLeft, r.attackRight, r.attackTop, r.attackBottom}),
                  std::vector<int32_t>(b.attack, b.attack + 4));
        EXPECT_EQ(std::vector<int32_t>({r.hurtLeft, r.hurtRight, r.hurtTop, r.hurtBottom}),
                  std::vector<int32_t>(b.hurt, b.hurt + 4));
    }
}

TEST(ExitTable, TheRowsOfTheShippedStagesAreAsPlaced) {
    struct Row {
        int32_t id, dest, x10, y10;
    };
    for (const Row& r : {Row{24590, 267, 20, 0}, Row{24592, 268, 20, 0}, Row{24594, 269, 20, 1280},
                         Row{24596, 270, 20, 40}, Row{24598, 270, 20, 0}}) {
        const ExitTableRow& row = kExitTable[r.id - kExitTableFirstId];
        EXPECT_EQ(row.startState, 240) << r.id;
        EXPECT_EQ(row.warpExtra, -1) << r.id;
        EXPECT_EQ(row.destMapId, r.dest) << r.id;
        EXPECT_EQ(row.destX10, r.x10) << r.id;
        EXPECT_EQ(row.destY10, r.y10) << r.id;
        EXPECT_EQ(row.facing, 1) << r.id;
        EXPECT_EQ(row.transitionType, 5) << r.id;
        EXPECT_EQ(row.transitionFrames, 30) << r.id;
        EXPECT_EQ(row.spriteU + row.spriteV + row.textureId, 0) << r.id;
    }
}

TEST(ExitTable, RowsPairUpAndOnlyStagesOfThisGameMakeAnExit) {
    int32_t exits = 0, doors = 0;
    for (int32_t r = 0; r < kExitTableRows; ++r) {
        const ExitTableRow& row = kExitTable[r];
        const int32_t id = kExitTableFirstId + r;
        EXPECT_EQ(row.transitionFrames, 30) << id;
        if (row.transitionType == 1) {
            ++doors;
            EXPECT_TRUE(row.textureId == 54 || row.textureId == 50 || row.textureId == 61) << id;
        } else {
            EXPECT_EQ(row.facing, id % 2 == 0 ? 1 : -1) << id;
            EXPECT_EQ(row.transitionType, id % 2 == 0 ? 5 : 6) << id;
        }
        if (row.startState == 0) continue;
        ++exits;
        EXPECT_TRUE(CStageDataControl::IsStageId(row.destMapId)) << id;
    }
    EXPECT_EQ(exits, 5);
    EXPECT_EQ(doors, 81);
}

// The pictures: every record that draws shows something of its sheet, and
// so does every door picture of the exit table.
class StageObjectSheets : public ::testing::Test {
protected:
    // The share of the rectangle's texels that are not the colour key.
    double Coverage(int32_t slot, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        if (!sheets.count(slot)) {
            for (const TextureSlotRow& row : kTextureSlotRows) {
                if (row.slot != slot) continue;
                const ResourceBlob blob = FindResourceBlob(ResourceType::RcData, row.resourceId);
                if (!blob) break;
                sheets[slot] = platform::CreateTextureFromPng(blob.data, blob.size, row.size, row.size, kColourKey);
            }
        }
        if (sheets[slot] == nullptr) return -1.0;
        const platform::Texture& t = *sheets[slot];
        if (x0 < 0 || y0 < 0 || x1 >= static_cast<int32_t>(t.Width()) || y1 >= static_cast<int32_t>(t.Height()))
            return -1.0;
        int32_t opaque = 0;
        for (int32_t y = y0; y <= y1; ++y)
            for (int32_t x = x0; x <= x1; ++x) opaque += (t.At(x, y) >> 24) != 0;
        return static_cast<double>(opaque) / ((x1 - x0 + 1) * (y1 - y0 + 1));
    }
    double Coverage(int32_t slot, int32_t u, int32_t v, int32_t l, int32_t r, int32_t t, int32_t b) {
        return Coverage(slot, u + l, v + t, u + r, v + b);
    }
    std::map<int32_t, std::unique_ptr<platform::Texture>> sheets;
};

TEST_F(StageObjectSheets, EveryRecordThatDrawsShowsAPictureOfItsSheet) {
    int32_t drawn = 0;
    for (int32_t i = 1; i < kCharacterStageObjectFrames.count; ++i) {
        const FrameRecord& r = Record(i);
        if (r.textureId == 0) continue;  // the empty sheet: nothing shows
        ++drawn;
        const double c = Coverage(r.textureId, r.u, r.v, r.spriteLeft, r.spriteRight, r.spriteTop, r.spriteBottom);
        // The gate and the falling block show a slice of a taller picture.
        EXPECT_GT(c, 0.1) << "record " << i << " on slot " << r.textureId;
    }
    EXPECT_GT(drawn, 60);
    // The room exit's marker is a bold arrow.
    EXPECT_GT(Coverage(40, 430, 10, -30, -11, -10, 9), 0.4);
    // Doors fill their frame: the exit rows' pictures and the opened gate.
    for (int32_t r = 0; r < kExitTableRows; ++r) {
        const ExitTableRow& row = kExitTable[r];
        if (row.transitionType != 1) continue;
        EXPECT_GT(Coverage(row.textureId, row.spriteU, row.spriteV, row.spriteLeft, row.spriteRight, row.spriteTop,
                           row.spriteBottom),
                  0.9)
            << kExitTableFirstId + r;
    }
    EXPECT_GT(Coverage(66, 190, 150, -30, 29, -30, 9), 0.9) << "the locked door once open";
}

// --- Room exits -------------------------------------------------------------------

TEST(RoomExit, AnExitTakesItsRowAndARowOfNoObjectMakesNothing) {
    Scenario s = EmptyScenario();
    auto* exit = AsObject(s.AddAt(24594, 2000, 2000));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->frame, 240);
    EXPECT_EQ(exit->typeId, 24594);
    EXPECT_EQ(exit->facing, 1);
    EXPECT_EQ(exit->alpha, 224);
    EXPECT_EQ(exit->layer, 113);
    EXPECT_EQ(exit->scaleX, 2.0);
    EXPECT_EQ(exit->m_destMapId, 269);
    EXPECT_EQ(exit->m_destX, 200);
    EXPECT_EQ(exit->m_destY, 12800);
    EXPECT_EQ(exit->m_transitionType, 5);
    EXPECT_EQ(exit->m_warpExtra, -1);
    EXPECT_EQ(exit->attackDirX, 200);
    // A row of a stage this game does not have: gone after one update.
    s.AddAt(23866, 2000, 2000);
    s.AddAt(24591, 2000, 2000);
    EXPECT_EQ(Game()->m_characterList.GetCount(), 3);
    s.Run(1);
    EXPECT_EQ(Game()->m_characterList.GetCount(), 1);
}

TEST(RoomExit, AColumnOfFiveShowsOneMarkerTwoCellsLower) {
    Scenario s({"."}, {});
    std::vector<CCharacter*> column;
    for (int32_t row = 5; row >= 1; --row) column.push_back(s.AddAt(24590, 4000, Scenario::CellY(row)));
    CCharacter* single = s.AddAt(24592, 3000, Scenario::CellY(3));
    s.Run(1);
    CCharacter* top = column.back();
    EXPECT_EQ(top->alpha, 224);
    EXPECT_EQ(top->CurrentRecord().v, -30);
    EXPECT_EQ(top->CurrentRecord().spriteTop, 30);
    EXPECT_EQ(top->CurrentRecord().spriteBottom, 49);
    for (std::size_t i = 0; i + 1 < column.size(); ++i) EXPECT_EQ(column[i]->alpha, 0) << i;
    EXPECT_EQ(single->alpha, 224);
    EXPECT_EQ(single->CurrentRecord().v, 10);
    EXPECT_EQ(single->CurrentRecord().spriteTop, -10);
    EXPECT_EQ(single->CurrentRecord().spriteBottom, 9);
    // The records are the exit's own: a new exit starts from the table's.
    const std::unique_ptr<CCharacter> fresh(CreateCharacter(24590));
    EXPECT_EQ(fresh->RecordAt(240).v, 10);
}

TEST(RoomExit, TheMarkerFollowsTheFrameCounterInStepAcrossExits) {
    Scenario s({"."}, {});
    CCharacter* a = s.AddAt(24590, 2000, 2000);
    s.Run(7);
    CCharacter* b = s.AddAt(24592, 3000, 2000);
    std::vector<int32_t> frames;
    for (int i = 0; i < 60; ++i) {
        s.Run(1);
        EXPECT_EQ(a->frame, b->frame) << i;
        EXPECT_EQ(a->frame, Game()->m_frameCount % 40 < 20 ? 240 : 241) << i;
        frames.push_back(a->frame);
    }
    EXPECT_NE(std::count(frames.begin(), frames.end(), 241), 0);
}

TEST(RoomExit, AnExitLeavesOutsideTheSpawnWindow) {
    Scenario s = EmptyScenario();
    // The right edge of the window: 160 pixels past the layout space.
    const int32_t edge = (Game()->GetViewLeft() + 160 + Game()->GetViewWidth()) * 10;
    CCharacter* near = s.AddAt(24590, edge, 2000);
    s.AddAt(24590, edge + 1, 2000);
    s.Run(1);
    ASSERT_EQ(Game()->m_characterList.GetCount(), 1);
    EXPECT_EQ(Game()->m_characterList.GetAt(1), near);
}

TEST(RoomExit, TouchingArmsTheWarpOfTheRow) {
    Scenario s({"."}, {});
    auto* player = s.Add(std::make_unique<ScenarioBody>(SmallBody()), 2000, 2000);
    auto* exit = s.AddAt(24594, 2000 + 200 + 20, 2000);  // the bodies overlap by one unit
    // No player: nothing armed.
    exit->Frame();
    EXPECT_EQ(Proxy().m_nextStage, 0);
    s.SetPlayer(player);
    player->x = 2000 - 1;  // just apart
    exit->Frame();
    EXPECT_EQ(Proxy().m_nextStage, 0);
    player->x = 2000;
    player->hp = 0;  // beaten as it reached the exit: it stays for its defeat
    exit->Frame();
    EXPECT_EQ(Proxy().m_nextStage, 0);
    player->hp = 1;
    Proxy().m_transitionFrames = 12;  // the row's own fade length replaces it
    exit->Frame();
    EXPECT_EQ(Proxy().m_nextStage, 269);
    EXPECT_EQ(Proxy().m_startX, 200);
    EXPECT_EQ(Proxy().m_startY, Proxy().GetCameraY() + 2000 + 12800);
    EXPECT_EQ(Proxy().m_startFacing, 1);
    EXPECT_EQ(Proxy().m_transitionType, 5);
    EXPECT_EQ(Proxy().m_transitionFrames, 30);
    EXPECT_EQ(Proxy().m_warpExtra, -1);
    ClearWarp();
}

// The real stage: the player touching 266's exit wall is in 267 the next
// frame, at the same height.
class ExitWall : public StagePlayTest {};

TEST_F(ExitWall, ThePlayerAtTheRightEdgeOf266GoesTo267) {
    Game()->StartStage(266);
    CStageData* stage = Stage();
    // Carry the player to the right end, the camera after it.
    for (int i = 0; i < 400 && Game()->m_mapId == 266; ++i) {
        Player()->x = std::min(PlayerMapX() + 200, 59980) - stage->m_cameraX;
        Player()->y = 2400 - stage->m_cameraY;
        Player()->vx = Player()->vy = 0;
        ClearEnemies();
        Frame();
    }
    ASSERT_EQ(Game()->m_mapId, 267);
    EXPECT_EQ(PlayerMapX(), 200);
    EXPECT_EQ(PlayerMapY(), 2400);
    EXPECT_EQ(Player()->facing, 1);
    EXPECT_EQ(CEffect::GetInstance()->m_overlayKind, 5);
    // The exits of 266 went with the stage; 267's own are far away.
    CCharacterList& list = Game()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i) EXPECT_NE(list.GetAt(i)->typeId, 24590);
}

// --- Door exits --------------------------------------------------------------------

namespace {

// A door by hand (no row of this game's table makes one): to stage 268 at
// (1600, 2400).
CCharacterStageObject* MakeDoor() {
    auto* door = new CCharacterStageObject();
    door->SetState(250);
    door->SetLinkParam(268);
    door->m_destX = 1600;
    door->m_destY = 2400;
    door->m_destFacing = -1;
    door->m_transitionType = 1;
    door->attackDirX = 200;
    return door;
}

int32_t CountChildren(CCharacter* c, int32_t type) {
    int32_t n = 0;
    for (CCharacter* child : c->linksB) n += child != nullptr && child->typeId == type;
    return n;
}

}  // namespace

TEST(DoorExit, TheArrowShowsOnlyWhileTheGroundedPlayerStandsAtTheDoor) {
    Scenario s({"......", "......", "######"}, {{'#', 20526}});
    auto* player = s.Add(std::make_unique<CCharacterNinja>(), Scenario::CellX(1), 800);
    s.SetPlayer(player);
    player->SetState(220);
    CCharacterStageObject* door = s.Add(std::unique_ptr<CCharacterStageObject>(MakeDoor()), Scenario::CellX(4), 600);
    s.Run(5);
    EXPECT_EQ(CountChildren(door, 50007), 0) << "the player is away";
    player->x = door->x;
    s.Run(5);
    ASSERT_EQ(CountChildren(door, 50007), 1) << "one arrow, however long";
    CCharacter* arrow = nullptr;
    for (CCharacter* c : door->linksB)
        if (c != nullptr) arrow = c;
    EXPECT_EQ(arrow->linksA[0], door);
    EXPECT_EQ(arrow->frame, 250);
    EXPECT_EQ(arrow->x, door->x + 200);
    EXPECT_EQ(arrow->y, door->y - 450);
    // In the air the arrow goes, even while the player is still at the door.
    player->y -= 100;
    player->SetState(290);
    s.Run(1);
    ASSERT_TRUE(player->IsAirborne());
    ASSERT_TRUE(door->BodyTouches(player));
    EXPECT_EQ(CountChildren(door, 50007), 0);
}

// The shop point's sign: one, 800 left of it and 650 up, while the grounded
// player stands in the 1200 units in front of it; none otherwise.
TEST(ShopPoint, TheSignShowsOnlyWhileTheGroundedPlayerStandsBeforeIt) {
    Scenario s({"..........", "..........", "##########"}, {{'#', 20526}});
    auto* player = s.Add(std::make_unique<CCharacterNinja>(), Scenario::CellX(1), 800);
    s.SetPlayer(player);
    player->SetState(220);
    auto* shop = AsObject(s.AddAt(10190, Scenario::CellX(8), 600));
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(shop->frame, 350);
    EXPECT_EQ(shop->typeId, 23800) << "the player finds it by this";
    s.Run(5);
    EXPECT_EQ(CountChildren(shop, 50006), 0) << "the player is away";
    player->x = shop->x - 800;
    s.Run(5);
    ASSERT_EQ(CountChildren(shop, 50006), 1);
    CCharacter* sign = nullptr;
    for (CCharacter* c : shop->linksB)
        if (c != nullptr) sign = c;
    EXPECT_EQ(sign->frame, 240);
    EXPECT_EQ(sign->x, shop->x - 800);
    EXPECT_EQ(sign->y, shop->y - 650);
    EXPECT_EQ(sign->linksA[0], shop);
    // Just past either end of its reach it goes.
    for (const int32_t x : {shop->x - 1400 - 20 - 1, shop->x - 200 + 20 + 1, shop->x - 1400 - 20 + 1}) {
        player->x = x;
        s.Run(1);
        EXPECT_EQ(CountChildren(shop, 50006), x == shop->x - 1400 - 20 + 1 ? 1 : 0) << x;
        player->x = shop->x - 800;
        s.Run(1);
        EXPECT_EQ(CountChildren(shop, 50006), 1) << x;
    }
    player->y -= 100;
    player->SetState(290);
    s.Run(1);
    ASSERT_TRUE(player->IsAirborne());
    ASSERT_TRUE(shop->BodyTouches(player)) << "still before it";
    EXPECT_EQ(CountChildren(shop, 50006), 0) << "in the air";
}

TEST(DoorExit, WithNoPlayerADoorWaitsAndShowsNoArrow) {
    Scenario s({"."}, {});
    CCharacterStageObject* door = s.Add(std::unique_ptr<CCharacterStageObject>(MakeDoor()), 2000, 2000);
    s.Run(5);
    EXPECT_EQ(door->frame, 250);
    EXPECT_EQ(CountChildren(door, 50007), 0);
    EXPECT_EQ(Proxy().m_nextStage, 0);
}

// An opened locked door arms the warp of its row, warp extra included.
TEST(DoorExit, AnOpenLockedDoorArmsTheWarpOfItsRow) {
    Scenario s = EmptyScenario();
    CCharacterStageObject* door = AsObject(s.AddAt(10451, 2000, 2000));
    ASSERT_NE(door, nullptr);
    s.Run(1);
    ASSERT_EQ(door->frame, 250) << "a door without a flag is open at once";
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = effect->m_fadeTarget = 255;
    door->SetState(251);
    door->Frame();
    EXPECT_EQ(Proxy().m_nextStage, 1);
    EXPECT_EQ(Proxy().m_startX, 1600);
    EXPECT_EQ(Proxy().m_startY, 2790);
    EXPECT_EQ(Proxy().m_startFacing, 1);
    EXPECT_EQ(Proxy().m_transitionType, 1);
    EXPECT_EQ(Proxy().m_transitionFrames, 30);
    EXPECT_EQ(Proxy().m_warpExtra, 258);
    EXPECT_EQ(door->GetAnchorX(), door->x) << "entered at its own x";
    ClearWarp();
    effect->ResetScreenEffects();
}

class DoorRun : public StagePlayTest {};

TEST_F(DoorRun, ADoorIsEnteredAndWarpsWhenTheFadeHasFinished) {
    Game()->StartStage(266);
    ClearEnemies();  // the first stage's walker stays away from the door
    Frame(40);  // the player stands, the fade of the start is over
    // Out in the open, away from the buttons of the screen's left edge.
    Player()->x = 3000 - Stage()->m_cameraX;
    Frame(10);
    ASSERT_EQ(Player()->frame / 10, 23) << Player()->frame;
    CCharacterStageObject* door = MakeDoor();
    Game()->m_characterList.Add(door);
    door->x = Player()->x - 200;
    door->y = Player()->y - 200;
    Frame();
    // A tap on the door takes it: the fade starts and the door waits for it.
    TouchDown(door->GetAnchorX() / 10, (door->y - 200) / 10);
    Frame();
    TouchUp();
    ASSERT_EQ(door->frame, 251);
    EXPECT_EQ(Player()->frame, 300);
    int frames = 0;
    while (Game()->m_mapId == 266 && frames < 100) {
        EXPECT_EQ(Proxy().m_nextStage, 0) << "no warp before the fade is black";
        Frame();
        ++frames;
    }
    // 0 to 255 by 8: 32 frames of fading, the warp in the frame it is black.
    EXPECT_EQ(frames, 32);
    ASSERT_EQ(Game()->m_mapId, 268);
    EXPECT_EQ(PlayerMapX(), 1600);
    EXPECT_EQ(PlayerMapY(), 2400) << "a door gives the height itself";
    EXPECT_EQ(Player()->facing, -1);
    EXPECT_EQ(CEffect::GetInstance()->m_overlayKind, 1);
}

TEST(DoorExit, ADoorFromTheMapLeavesOutsideTheWindowAndOtherDoorsStay) {
    Scenario s = EmptyScenario();
    CCharacterStageObject* mapDoor = s.Add(std::unique_ptr<CCharacterStageObject>(MakeDoor()), 9000, 2000);
    mapDoor->fromLayerA = 1;
    CCharacterStageObject* placed = s.Add(std::unique_ptr<CCharacterStageObject>(MakeDoor()), 9000, 2400);
    s.Run(1);
    ASSERT_EQ(Game()->m_characterList.GetCount(), 1);
    EXPECT_EQ(Game()->m_characterList.GetAt(1), placed);
}

// --- State entries, hits, anchors ---------------------------------------------------

TEST(StageObjectStates, TheSwitchLightComesWithTheOnLookAndGoesWithIt) {
    Scenario s({"."}, {});
    CCharacterStageObject* sw = s.Add(std::make_unique<CCharacterStageObject>(), 2000, 2000);
    sw->facing = -1;
    sw->SetState(311);
    EXPECT_EQ(sw->group, 2);
    EXPECT_EQ(sw->layer, 114);
    EXPECT_EQ(sw->scaleY, 2.0);
    CCharacter* light = sw->FindChild50005();
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->frame, 210);
    EXPECT_EQ(light->linksA[0], sw);
    EXPECT_EQ(light->x, 2000);
    EXPECT_EQ(light->facing, -1) << "the switch's own way";
    sw->SetState(312);
    sw->SetState(311);
    EXPECT_EQ(CountChildren(sw, 50005), 1) << "one light only";
    sw->SetState(314);
    EXPECT_EQ(sw->FindChild50005(), nullptr);
    EXPECT_EQ(light->pendingState, 0) << "the light goes";
}

TEST(StageObjectStates, EntriesSetLayersSoundsAndShakes) {
    Scenario s({"."}, {});
    CCharacterStageObject* o = s.Add(std::make_unique<CCharacterStageObject>(), 2000, 2000);
    o->SetState(300);
    EXPECT_EQ(o->layer, 114);
    EXPECT_EQ(o->wallSolid, 1);
    o->scaleX = o->scaleY = 1.0;
    o->SetState(262);
    EXPECT_EQ(s.Sounds().back(), 79);
    EXPECT_EQ(o->scaleX, 1.0) << "262 keeps the scale";
    o->SetState(265);
    EXPECT_EQ(s.Sounds().back(), 68);
    o->SetState(420);
    EXPECT_EQ(o->gravityNum, 6);
    EXPECT_EQ(o->maxFall, 200);
    EXPECT_EQ(o->group, 2);
    o->SetState(390);
    EXPECT_EQ(o->layer, 63);
    // An enemy lock that opens gives its reward at its place.
    o->m_rewardTypeId = 23085;
    const int32_t before = Game()->m_characterList.GetCount();
    o->SetState(341);
    ASSERT_EQ(Game()->m_characterList.GetCount(), before + 1);
    CCharacter* reward = Game()->m_characterList.GetAt(before + 1);
    EXPECT_EQ(reward->typeId, 23085);
    EXPECT_EQ(reward->x, 2000);
}

// The entry of every state: its layer, group and solid walls, and whether
// it draws the object at twice its size (-1: left as it was).
TEST(StageObjectStates, EachStatesEntrySetsItsLayerGroupAndScale) {
    struct Entry {
        int32_t state, layer, group, wallSolid;
        bool scales;
    };
    const Entry entries[] = {
        {240, 113, -1, -1, true}, {250, 128, -1, -1, true}, {290, 114, -1, 1, true},  {300, 114, -1, 1, true},
        {340, 114, -1, -1, true}, {350, 114, -1, -1, true}, {360, 114, -1, -1, true}, {361, 114, -1, -1, true},
        {362, 114, -1, -1, true}, {310, 114, 2, -1, true},  {314, 114, 2, -1, true},  {320, 114, 2, -1, true},
        {324, 114, 2, -1, true},  {330, 114, 2, -1, true},  {311, 114, 2, -1, true},  {321, 114, 2, -1, true},
        {370, 63, -1, -1, true},  {380, 63, -1, -1, true},  {390, 63, -1, -1, true},  {400, 127, 2, 1, true},
        {410, 127, 2, 1, true},   {420, 114, 2, -1, true},  {430, 120, 2, -1, true},  {434, 120, 2, -1, true},
        {230, -1, -1, -1, true},  {260, -1, -1, -1, true},  {280, -1, -1, -1, true},  {262, -1, -1, -1, false},
        {265, -1, -1, -1, false}, {341, -1, -1, -1, false}, {343, -1, -1, -1, false}, {331, -1, -1, -1, false},
        {401, -1, -1, -1, false}, {304, -1, -1, -1, false},
    };
    Scenario s({"."}, {});
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.state);
        CCharacterStageObject* o = s.Add(std::make_unique<CCharacterStageObject>(), 2000, 2000);
        o->layer = 1;
        o->group = 0;
        o->wallSolid = 0;
        o->scaleX = o->scaleY = 1.0;
        o->SetState(e.state);
        EXPECT_EQ(o->layer, e.layer == -1 ? 1 : e.layer);
        EXPECT_EQ(o->group, e.group == -1 ? 0 : e.group);
        EXPECT_EQ(o->wallSolid, e.wallSolid == -1 ? 0 : e.wallSolid);
        EXPECT_EQ(o->scaleX, e.scales ? 2.0 : 1.0);
        EXPECT_EQ(o->scaleY, e.scales ? 2.0 : 1.0);
        o->SetState(0);
    }
    s.Run(1);
    // The shaking lock: a 60-frame bounce of one unit up and down.
    CEffect* effect = CEffect::GetInstance();
    effect->m_shakeFrames = 0;
    CCharacterStageObject* lock = s.Add(std::make_unique<CCharacterStageObject>(), 2000, 2000);
    lock->SetState(262);
    EXPECT_EQ(std::make_tuple(effect->m_shakeFrames, effect->m_shakeLowY, effect->m_shakeHighY, effect->m_shakeVelocityY),
              std::make_tuple(60, -1, 1, 100));
    EXPECT_EQ(std::make_tuple(effect->m_shakeLowX, effect->m_shakeHighX, effect->m_shakeVelocityX), std::make_tuple(0, 0, 0));
    effect->m_shakeFrames = 0;
}

TEST(StageObjectStates, TheGoalTargetFinishesInsteadOfFalling) {
    Scenario s({"."}, {});
    Game()->m_vibration = 1;
    CCharacterStageObject* goal = s.Add(std::make_unique<CCharacterStageObject>(), 2000, 2000);
    goal->SetState(230);
    // Without a player it finishes all the same.
    goal->SetState(110);
    EXPECT_EQ(goal->frame, 234);
    auto* player = s.Add(std::make_unique<CCharacterNinja>(), 1000, 2000);
    s.SetPlayer(player);
    player->vx = 60;
    player->angle = 0.5;
    player->SetPlayTimeRunning(true);
    goal->SetState(231);
    goal->SetState(110);
    EXPECT_EQ(goal->frame, 234);
    EXPECT_EQ(player->vx, 0);
    EXPECT_EQ(player->angle, 0.0) << "straightened for the pose";
    EXPECT_FALSE(player->IsPlayTimeRunning()) << "the clock stops at the goal";
    EXPECT_EQ(player->frame, 341);
    EXPECT_EQ(player->controlled, 0);
    EXPECT_EQ(player->hitStop, 10);
    EXPECT_EQ(player->invulnerableTimer, -1) << "unhurt for good";
    EXPECT_EQ(player->vy, -50);
    EXPECT_EQ(s.Sounds().back(), 31);
    EXPECT_GT(CEffect::GetInstance()->m_shakeFrames, 0);
    // From any other frame, 110 is the plain state.
    goal->SetState(240);
    goal->SetState(110);
    EXPECT_EQ(goal->frame, 110);
    Game()->m_vibration = 0;
}

TEST(StageObjectStates, AttackKind12IsRefusedAndTheFurnitureAnswersOnlyItsOwnKinds) {
    Scenario s({"."}, {});
    CCharacterStageObject* o = s.Add(std::make_unique<CCharacterStageObject>(), 2000, 2000);
    auto* attacker = s.Add(std::make_unique<ScenarioBody>(SmallBody()), 1800, 2000);
    o->SetState(240);
    EXPECT_FALSE(o->OnHit(12, 100, 1, attacker));
    EXPECT_EQ(o->hp, 600);
    EXPECT_TRUE(o->OnHit(2, 100, 1, attacker));
    EXPECT_LT(o->hp, 600);
    CSaveData& slot = Game()->m_slotData[Game()->m_currentSlot];
    slot.SetSlotFlag(6, 1);  // the ability that lets kind 1 break sealed blocks
    // The frame, the kind it answers to, and where that takes it.
    const struct {
        int32_t frame, kind, next;
    } cases[] = {{310, 6, 311}, {317, 6, 311}, {311, 8, 314}, {313, 10, 314}, {320, 6, 321},
                 {321, 10, 324}, {330, 9, 331}, {400, 4, 0},   {410, 1, 0},    {420, 7, 421}};
    for (const auto& c : cases) {
        o->SetState(c.frame);
        o->hp = 600;
        for (int32_t kind = 1; kind <= 16; ++kind) {
            const bool douses = (c.kind == 8 || c.kind == 10) && (kind == 8 || kind == 10);
            if (kind == c.kind || douses) continue;
            EXPECT_FALSE(o->OnHit(kind, 100, 1, attacker)) << c.frame << " " << kind;
        }
        EXPECT_EQ(o->frame, c.frame);
        EXPECT_EQ(o->hp, 600) << c.frame;
        EXPECT_TRUE(o->OnHit(c.kind, 100, 1, attacker)) << c.frame;
        EXPECT_EQ(o->frame, c.next) << c.frame;
    }
    slot.SetSlotFlag(6, 0);
    s.Run(1);
}

TEST(StageObjectStates, AnchorsFollowTheFrame) {
    CCharacterStageObject o;
    o.x = 1000;
    o.y = 2000;
    o.attackDirX = 200;
    const struct {
        int32_t frame, ax, ay;
    } cases[] = {{250, 1200, 2000}, {252, 1200, 2000}, {253, 1000, 2000}, {300, 1000, 2600}, {304, 1000, 2600},
                 {400, 1200, 1800}, {420, 1200, 1400}, {240, 1000, 2000}};
    for (const auto& c : cases) {
        o.frame = c.frame;
        EXPECT_EQ(o.GetAnchorX(), c.ax) << c.frame;
        EXPECT_EQ(o.GetAnchorY(), c.ay) << c.frame;
    }
}

// --- Flags and the enemies of the room ----------------------------------------------

TEST(StageObjectFlags, ConditionsOfZeroAreSkipped) {
    CCharacterStageObject gate;
    EXPECT_TRUE(gate.AreAllFlagsSet()) << "no conditions";
    CSaveData& slot = Game()->m_slotData[Game()->m_currentSlot];
    gate.m_conditionFlags[0] = 299;
    gate.m_conditionFlags[3] = 230;
    slot.SetSlotFlag(299, 1);
    EXPECT_FALSE(gate.AreAllFlagsSet());
    slot.SetSlotFlag(230, 1);
    EXPECT_TRUE(gate.AreAllFlagsSet());
    slot.SetSlotFlag(299, 0);
    slot.SetSlotFlag(230, 0);
}

TEST(StageObjectFlags, SealedBlocksAreNoEnemyButGoWithTheRest) {
    Scenario s = EmptyScenario();
    CCharacterStageObject* lock = s.Add(std::make_unique<CCharacterStageObject>(), 2000, 2000);
    lock->SetState(340);  // an enemy lock
    CCharacter* sealed = s.AddAt(10710, 3000, 2000);
    EXPECT_FALSE(lock->AnyEnemyLeft()) << "a sealed block is no enemy";
    auto* enemy = s.Add(std::make_unique<ScenarioBody>(SmallBody()), 1000, 2000);
    enemy->group = 2;
    EXPECT_TRUE(lock->AnyEnemyLeft());
    CCharacter* target = s.AddAt(10600, 3000, 1000);
    enemy->group = 0;
    EXPECT_TRUE(lock->AnyEnemyLeft()) << "a target counts as an enemy";
    enemy->group = 2;
    lock->RemoveAllEnemies();
    EXPECT_EQ(enemy->pendingState, 0);
    EXPECT_EQ(sealed->pendingState, 0);
    EXPECT_EQ(target->pendingState, 0);
    EXPECT_NE(lock->pendingState, 0);
    s.Run(1);
    EXPECT_EQ(Game()->m_characterList.GetCount(), 1);
}
