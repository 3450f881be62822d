// Luka and Ironclaw in small worlds of real blocks through the real play
// frame: their dashes, every defeat by damage kind to the Continue screen or
// the defeat stages, and Ironclaw's katana chain.
//
// With PELLUMBRISK_SHOTS set to a folder, every third frame of each room is
// drawn (the world list's own drawing at 2x) and written there as
// <test>-<type id>-<room>-NNN.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <functional>
#include <memory>
#include <set>
#include <type_traits>
#include <utility>
#include <vector>

#include "character/CharacterEffect.h"
#include "enemy/CharacterKappa.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/StateLoading.h"
#include "player/CharacterIronclaw.h"
#include "player/CharacterLuka.h"
#include "support/PlayerRoom.h"
#include "player/VariantRoom.h"
#include "support/Scenario.h"
#include "support/Screenshot.h"
#include "ui/GameInput.h"
#include "ui/Lifebar.h"
#include "win/Graphics.h"
#include "win/MyInput.h"

using player_room::IndexOf;
using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

namespace {

using variant_room::kField;
using variant_room::kFill;
using variant_room::kFloor;
using variant_room::kRoom;

constexpr double kPi = 3.14159265358979323846;

using testing_support::HitRecorder;

// An attacker that has a state to hold a grabbed player in.
class Holder : public CCharacter {
public:
    static constexpr int32_t kHold = 350;
    Holder() {
        frameTable.Allocate(400);
        for (int32_t i : {1, kHold}) {
            FrameRecord* r = frameTable.Find(i);
            r->nextFrame = r->nextState = -1;
            r->frameDuration = r->stateDuration = 999;
        }
        SetState(1);
    }
    void Update() override { StepAnimation(); }
};

// The stage switch a defeat asked for, as the stage control held it.
struct Pending {
    int32_t stage, x, y, facing, transition, frames, extra;
    bool operator==(const Pending&) const = default;
};

Pending TakePending() {
    CStageDataControl& c = CGameMain::GetInstance()->m_stageControl;
    const Pending p{c.m_nextStage, c.m_startX, c.m_startY, c.m_startFacing, c.m_transitionType, c.m_transitionFrames,
                    c.m_warpExtra};
    // Taken, as the stage's switch takes it.
    c.m_nextStage = 0;
    c.m_startX = c.m_startY = -1;
    c.m_startFacing = 0;
    c.m_transitionType = -1;
    c.m_transitionFrames = 30;
    c.m_warpExtra = -1;
    return p;
}

bool ContinueIsOpen() {
    return CGameInputController::GetInstance()->GetTop() == CGameInput::GetInput(ScreenId::Continue);
}

template <class P>
struct Room {
    explicit Room(int32_t x = Scenario::CellX(2), int32_t y = kFloor, const std::vector<std::string>& grid = kRoom)
        : s(grid, {{'#', kFill}}) {
        CGameInputController::GetInstance()->SetInput(ScreenId::Main);
        CEffect* effect = CEffect::GetInstance();
        effect->m_fade = effect->m_fadeTarget = 0;
        TakePending();
        player = s.Add(std::make_unique<P>(), x, y);
        s.SetPlayer(player);
        player->SetState(220);
        if (const char* dir = std::getenv("PELLUMBRISK_SHOTS")) StartShots(dir);
        s.Run(8);
    }
    ~Room() {
        if (!shots.empty()) ReleaseGraphics();
    }

    std::vector<int32_t> Trace(int n) {
        std::vector<int32_t> frames;
        for (int i = 0; i < n; ++i) {
            s.Run(1);
            frames.push_back(player->frame);
        }
        return frames;
    }
    // Runs until the player's record is f (at most n frames); false if it
    // never is.
    bool RunUntil(int32_t f, int n = 600) {
        for (int i = 0; i < n && player->frame != f; ++i) s.Run(1);
        return player->frame == f;
    }
    void TouchAt(int32_t x, int32_t y) { s.TouchDown(x / 10, y / 10); }
    void Tap(int32_t x, int32_t y) {
        TouchAt(x, y);
        s.Run(1);
        s.TouchUp();
    }
    // A character after the player in the world list: it sees each frame
    // what the player did before the stage and the screen effect run.
    ScenarioBody* Watcher(std::function<void(ScenarioBody&)> f) {
        auto* w = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{}), 0, 0);
        w->onUpdate = std::move(f);
        return w;
    }
    template <class T = HitRecorder>
    T* Enemy(int32_t x, int32_t y) {
        return s.Add(std::make_unique<T>(), x, y);
    }

    Scenario s;
    P* player = nullptr;

private:
    void StartShots(const std::string& dir) {
        if (!InitGraphics()) return;
        for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        static int rooms = 0;
        shots = dir + "/" + test->name() + "-" + std::to_string(player->typeId) + "-" + std::to_string(rooms++);
        s.beforeFrame = [this](Scenario&) {
            if (frames++ % 3 != 0) return;
            GetDevice()->Clear(0xFF2B2140u, 1.0f);
            CGameMain::GetInstance()->m_characterList.DrawAll();
            char index[16];
            std::snprintf(index, sizeof index, "-%03d.png", shotCount++);
            testing_support::WriteScreenshot(shots + index);
        };
    }

    std::string shots;
    int frames = 0;
    int shotCount = 0;
};

int CountEffects(int32_t state) {
    int n = 0;
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        const CCharacter* c = world.GetAt(i);
        n += c != nullptr && c->typeId == 50000 && c->frame == state ? 1 : 0;
    }
    return n;
}

}  // namespace

// --- Life and status -------------------------------------------------------------

namespace {

// What leaving a state undoes, by class.
struct Leave {
    int32_t from, to;
    bool angles, released, grabbed, target, invulnerable, velocity;
};

template <class P>
void CheckLeaving(const std::vector<Leave>& cases) {
    for (const Leave& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << " to " << c.to);
        Scenario s(kRoom, {{'#', kFill}});
        auto* marker = s.Add(std::make_unique<ScenarioBody>(WalkerBody()), Scenario::CellX(8), 1200);
        P* p = s.Add(std::make_unique<P>(), Scenario::CellX(4), 1200);
        s.SetPlayer(p);
        p->frame = c.from;
        p->angle = p->angle2 = 1.5;
        p->releasedSide = 2;
        p->grabbedObject = marker;
        p->target = marker;
        p->SetInvulnerable(50);
        p->vx = 30;
        p->vy = 20;
        p->SetState(c.to);
        EXPECT_EQ(p->frame, c.to);
        EXPECT_EQ(p->angle == 0.0 && p->angle2 == 0.0, c.angles);
        EXPECT_EQ(p->releasedSide == 0, c.released);
        EXPECT_EQ(p->grabbedObject == nullptr, c.grabbed);
        EXPECT_EQ(p->target == nullptr, c.target);
        EXPECT_EQ(p->GetInvulnerable() == 0, c.invulnerable);
        EXPECT_EQ(p->vx == 0 && p->vy == 0, c.velocity);
    }
}

}  // namespace

// The exit actions of the ninja and of the two classes that keep its
// table's layout with their own dash and katana bands (290, the fall, lies
// outside every band). Entries that stop the player: 330; 360 and Ironclaw's
// 323 fly along the attack direction, here none.
TEST(LukaIronclaw, LeavingAStateUndoesWhatItsClassTies) {
    //   from, to,  angles, released, grabbed, target, invulnerable, velocity
    const std::vector<Leave> ninja = {
        {280, 290, true, false, false, true, false, false},  {281, 290, true, false, false, true, false, false},
        {321, 322, true, false, false, false, false, false}, {322, 290, false, true, true, true, false, false},
        {322, 323, false, true, false, false, false, false}, {320, 330, false, false, true, false, false, true},
        {335, 380, false, false, false, false, false, false}, {335, 290, false, false, false, true, false, false},
        {350, 290, false, false, false, false, false, false}, {445, 290, false, false, false, true, false, false},
        {361, 362, false, false, false, false, false, false}, {361, 290, true, false, false, false, true, false},
        {363, 365, false, false, false, false, false, false}, {363, 290, false, false, false, false, true, false},
        {981, 290, true, false, false, false, false, false},  {982, 290, true, false, false, false, false, false},
        {250, 290, false, false, false, false, false, false},
    };
    CheckLeaving<CCharacterNinja>(ninja);
    const std::vector<Leave> luka = {
        {280, 290, true, false, false, true, false, false},  {324, 325, true, false, false, false, false, false},
        {323, 290, true, false, true, true, false, false},   {325, 290, false, true, true, true, false, false},
        {325, 326, false, true, false, false, false, false}, {344, 290, false, false, false, true, false, false},
        {350, 290, false, false, false, false, false, false}, {361, 290, true, false, false, false, true, false},
        {362, 360, false, false, false, false, false, true}, {250, 290, false, false, false, false, false, false},
        {331, 290, false, false, false, true, false, true},  {385, 290, false, false, false, true, false, false},
        {405, 290, false, false, false, true, false, false}, {425, 290, false, false, false, true, false, false},
        {445, 290, false, false, false, true, false, false}, {405, 440, false, false, false, false, false, false},
    };
    CheckLeaving<CCharacterLuka>(luka);
    const std::vector<Leave> ironclaw = {
        {281, 290, true, false, false, true, false, false},  {322, 323, false, false, false, false, false, true},
        {322, 290, true, false, true, true, false, false},   {325, 290, true, true, true, true, false, false},
        {332, 290, false, false, false, true, false, true},  {333, 290, false, false, false, true, false, true},
        {350, 290, false, false, false, true, false, false}, {355, 290, false, false, false, false, false, false},
        {362, 290, true, false, false, false, true, false},  {364, 290, false, false, false, false, false, false},
        {250, 290, false, false, false, false, false, false},
    };
    CheckLeaving<CCharacterIronclaw>(ironclaw);
}

namespace {

// A dash under way keeps its target while the touch is held and the player
// steered; a released touch or a scene's hold drops it.
template <class P>
void CheckDashDropsTarget() {
    struct Case {
        bool held, controlled, kept;
    };
    for (const Case& c : {Case{true, true, true}, Case{false, true, false}, Case{true, false, false}}) {
        SCOPED_TRACE(testing::Message() << (c.held ? "held" : "released") << (c.controlled ? "" : ", not steered"));
        Room<P> r(Scenario::CellX(2));
        auto* mark = r.s.Add(std::make_unique<ScenarioBody>(WalkerBody()), Scenario::CellX(9), kFloor);
        r.TouchAt(Scenario::CellX(8), kFloor - 600);
        r.s.Run(1);
        ASSERT_EQ(r.player->frame, 320);
        r.player->target = mark;
        if (!c.held) r.s.TouchUp();
        r.player->controlled = c.controlled ? 1 : 0;
        r.s.Run(1);
        ASSERT_TRUE(r.player->frame >= 320 && r.player->frame <= 325) << r.player->frame;
        EXPECT_EQ(r.player->target == mark, c.kept);
    }
}

}  // namespace

TEST(LukaIronclaw, ADashDropsItsTargetWhenTheTouchIsReleasedOrThePlayerNotSteered) {
    CheckDashDropsTarget<CCharacterNinja>();
    CheckDashDropsTarget<CCharacterLuka>();
    CheckDashDropsTarget<CCharacterIronclaw>();
}

namespace {

// A dash into a wall that can be held ends in the dash's last record, 325,
// and then in the wall hold, facing away from the wall, where it stays.
template <class P>
void CheckDashIntoAWall() {
    Room<P> r(Scenario::CellX(3));
    r.player->wallHold = 1;
    r.Tap(200, kFloor - 500);
    ASSERT_EQ(r.player->frame, 320);
    std::vector<int32_t> t = r.Trace(60);
    const int end = IndexOf(t, 325);
    ASSERT_GE(end, 0);
    for (int i = 0; i < end; ++i) EXPECT_TRUE(t[i] >= 320 && t[i] <= 324) << i << ": " << t[i];
    const int hold = IndexOf(t, 232);
    ASSERT_GT(hold, end);
    EXPECT_EQ(r.player->facing, 1);
    EXPECT_TRUE(r.player->TouchesSolid(2)) << "against the wall";
    t = r.Trace(20);
    for (int32_t f : t) EXPECT_TRUE(f == 232 || f == 233) << f;
}

}  // namespace

TEST(LukaIronclaw, ADashIntoAWallEndsInItsLastRecordAndHoldsTheWall) {
    {
        SCOPED_TRACE("Luka");
        CheckDashIntoAWall<CCharacterLuka>();
    }
    {
        SCOPED_TRACE("Ironclaw");
        CheckDashIntoAWall<CCharacterIronclaw>();
    }
}

TEST(LukaIronclaw, TwiceTheNinjasLifeAlsoAfterReadingAStatus) {
    for (bool ironclaw : {false, true}) {
        std::unique_ptr<CCharacterPlayer> p;
        if (ironclaw) p = std::make_unique<CCharacterIronclaw>();
        else p = std::make_unique<CCharacterLuka>();
        EXPECT_EQ(p->typeId, ironclaw ? 6 : 5);
        EXPECT_EQ(p->hpMax, 600);
        EXPECT_EQ(p->hp, 600);
        EXPECT_EQ(p->frame, 220);
        CSaveData record;
        record.SetSlotFlag(9, 1);
        record.SetSlotFlag(10, 1);
        p->ReadStatus(record);
        EXPECT_EQ(p->hpMax, 800) << "two life tanks";
        EXPECT_EQ(p->hp, 800);
    }
}

// --- Dashes ----------------------------------------------------------------------

TEST(LukaDash, AThousandUnitsLastSixteenTicksWhicheverStepShowsAndRunsAlongTheFloor) {
    Room<CCharacterLuka> r;
    ASSERT_EQ(r.player->y, kFloor);
    r.Tap(r.player->x + 1000, kFloor);
    ASSERT_EQ(r.player->frame, 320);
    for (int32_t f = 321; f <= 324; ++f) EXPECT_EQ(r.player->RecordAt(f).stateDuration, 16) << f;
    // Her footfalls: on the dash's first tick, then every sixth.
    std::vector<int32_t> t, footfalls;
    for (int i = 0; i < 30; ++i) {
        r.s.ClearSounds();
        r.s.Run(1);
        t.push_back(r.player->frame);
        if (std::count(r.s.Sounds().begin(), r.s.Sounds().end(), 0) != 0) footfalls.push_back(r.player->stateTimer);
    }
    EXPECT_EQ(footfalls, (std::vector<int32_t>{1, 7, 13}));
    int dashing = 0;
    std::set<int32_t> steps;
    for (int32_t f : t)
        if (f >= 321 && f <= 324) {
            ++dashing;
            steps.insert(f);
        }
    EXPECT_EQ(dashing, 16);
    EXPECT_EQ(steps.size(), 4u) << "all four steps show";
    EXPECT_EQ(IndexOf(t, 325), 16);
    EXPECT_EQ(t[18], 236) << "two ticks of the stop, then landed";
    EXPECT_TRUE(t.back() == 230 || t.back() == 231);
    // She ran on the floor and stands on it.
    EXPECT_EQ(r.player->y, kFloor);
    EXPECT_EQ(r.player->angle, 0.0);
    EXPECT_GE(r.player->x, Scenario::CellX(2) + 900);
}

TEST(LukaDash, ADownwardSwipeDashesTowardTheReleaseAndNeverDives) {
    Room<CCharacterLuka> r;
    const int32_t px = r.player->x / 10, py = r.player->y / 10;
    r.s.TouchDown(px + 30, py - 150);
    r.s.Run(1);
    EXPECT_EQ(r.player->frame, 320) << "the press dashes toward the finger";
    r.s.TouchMove(px + 20, py - 40);
    r.s.Run(1);
    r.s.TouchUp();
    const std::vector<int32_t> t = r.Trace(40);
    EXPECT_EQ(IndexOf(t, 440), -1);
}

TEST(IronclawDash, ItsLengthIsSevenFifthsOfTheDistanceOverTheSpeedAtLeastOneTick) {
    struct Case {
        int32_t distance, ticks;
    };
    for (const Case c : {Case{3000, 28}, Case{4000, 28}, Case{1000, 9}, Case{50, 1}}) {
        SCOPED_TRACE(c.distance);
        Room<CCharacterIronclaw> r(600, kFloor, kField);
        r.Tap(r.player->x + c.distance, kFloor);
        EXPECT_EQ(r.player->frame, 320);
        EXPECT_EQ(r.player->RecordAt(321).stateDuration, c.ticks);
    }
}

TEST(IronclawDash, AWindUpAtATenthThenThePounceThatSlowsToAThirdTurnedAlongItsFlight) {
    {
        // In the air the wind-up brakes the fall it starts from.
        Room<CCharacterIronclaw> air(600, 1000, kField);
        air.player->vx = 95;
        air.player->vy = 57;
        air.Tap(air.player->x + 1000, 1000);
        ASSERT_EQ(air.player->frame, 320);
        EXPECT_EQ(air.player->vx, 9);
        EXPECT_EQ(air.player->vy, (57 + 6) / 10) << "the fall of that frame, to a tenth";
    }
    Room<CCharacterIronclaw> r(600, kFloor, kField);
    r.Tap(r.player->x + 3000, kFloor);
    ASSERT_EQ(r.player->frame, 320);
    r.s.ClearSounds();
    std::vector<int32_t> speeds;
    int windUp = 0;
    for (int i = 0; i < 40 && r.player->frame != 325; ++i) {
        r.s.Run(1);
        if (r.player->frame == 320) ++windUp;
        if (r.player->frame == 321) {
            speeds.push_back(r.player->vx);
            EXPECT_NEAR(r.player->angle, kPi / 2, 1e-9) << "turned from straight up to level, to the right";
        }
    }
    EXPECT_EQ(windUp, 5) << "six ticks of wind-up, the first of them the tap's";
    ASSERT_EQ(speeds.size(), 28u);
    EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{6});
    EXPECT_EQ(std::count(r.s.Sounds().begin(), r.s.Sounds().end(), 0), 0) << "no running sound";
    EXPECT_EQ(speeds.front(), 150);
    EXPECT_EQ(speeds.back(), (28 - 2 * 27 / 3) * 150 / 28);
    EXPECT_TRUE(std::is_sorted(speeds.rbegin(), speeds.rend()));
    EXPECT_EQ(r.player->y, kFloor - 10) << "along the floor, its small body on it";
    r.s.Run(12);
    EXPECT_TRUE(r.player->frame == 230 || r.player->frame == 231);
    EXPECT_EQ(r.player->y, kFloor);

    // The angle is the direction of the flight counted from straight up: a
    // pounce to the left turns a quarter the other way, one up and to the
    // right an eighth.
    Room<CCharacterIronclaw> left(3600, kFloor, kField);
    left.Tap(left.player->x - 1500, kFloor);
    left.s.Run(7);
    ASSERT_EQ(left.player->frame, 321);
    EXPECT_EQ(left.player->facing, -1);
    EXPECT_NEAR(left.player->angle, -kPi / 2, 1e-9);
    Room<CCharacterIronclaw> up(600, kFloor, kField);
    up.Tap(up.player->x + 1000, kFloor - 1000);
    up.s.Run(7);
    ASSERT_EQ(up.player->frame, 321);
    EXPECT_NEAR(up.player->angle, kPi / 4, 0.01);
    EXPECT_EQ(up.player->angle2, up.player->angle);
}

TEST(LukaIronclaw, AChangeOfBodyKeepsTheFootholdAtALedgeAndStaysOutOfWalls) {
    // Standing on a ledge's corner by a unit: the dash's narrower body keeps
    // the foothold and runs along the top instead of sliding down its side.
    const std::vector<std::string> step = {
        "............",
        "............",
        "............",
        "....########",
        "############",
    };
    {
        Room<CCharacterIronclaw> ledge(1581, 1200, step);
        ASSERT_TRUE(ledge.player->frame == 230 || ledge.player->frame == 231);
        ledge.Tap(ledge.player->x + 1900, ledge.player->y + 250);
        for (int i = 0; i < 30; ++i) {
            ledge.s.Run(1);
            EXPECT_LE(ledge.player->y, 1200) << i;
        }
        EXPECT_GT(ledge.player->x, 3000);
        EXPECT_EQ(ledge.player->y, 1200);
    }

    // A dash that ends against a wall in the air: the wider body of the fall
    // is moved out of the wall, not pushed up through the wall's top.
    Room<CCharacterLuka> wall(700, 1200);
    wall.player->SetState(290);
    wall.Tap(100, 1200);
    int32_t lastY = wall.player->y;
    for (int i = 0; i < 60; ++i) {
        wall.s.Run(1);
        EXPECT_GE(wall.player->y, lastY - 60) << "no jump up at frame " << i;
        const FrameRecord& body = wall.player->CurrentRecord();
        EXPECT_GE(wall.player->x + std::min(body.bodyLeft * wall.player->facing, body.bodyRight * wall.player->facing),
                  400)
            << "outside the wall";
        lastY = wall.player->y;
    }
    EXPECT_EQ(wall.player->y, kFloor);
}

// --- Defeats ---------------------------------------------------------------------

template <class P>
class Defeats : public ::testing::Test {};
using Players = ::testing::Types<CCharacterLuka, CCharacterIronclaw>;
TYPED_TEST_SUITE(Defeats, Players);

TYPED_TEST(Defeats, AnOrdinaryDeathLandsAndOpensTheContinueScreenOnTheLanding) {
    Room<TypeParam> r;
    r.player->OnHit(1, 1000, -1, r.player);
    EXPECT_EQ(r.player->frame, 110);
    EXPECT_EQ(r.player->vy, -90);
    bool openBeforeLanding = false;
    int frames = 0;
    while (r.player->frame == 110 && frames++ < 200) {
        openBeforeLanding = openBeforeLanding || ContinueIsOpen();
        r.s.Run(1);
    }
    EXPECT_FALSE(openBeforeLanding);
    EXPECT_EQ(r.player->frame, 111);
    EXPECT_TRUE(ContinueIsOpen()) << "in the frame of the landing";
    EXPECT_EQ(r.player->angle, 0.0);
    EXPECT_EQ(r.player->vx, 0);
    EXPECT_EQ(r.player->controlled, 1);
    EXPECT_LT(r.player->x, Scenario::CellX(2)) << "drifted back";
    EXPECT_EQ(r.player->y, kFloor - 10) << "lying on the floor";
}

TYPED_TEST(Defeats, SquashedThenDazedUntilATouchThatOpensTheContinueScreenOnce) {
    Room<TypeParam> r;
    ScenarioBody* attacker = r.template Enemy<HitRecorder>(Scenario::CellX(3), 1800);
    r.player->OnHit(22, 1000, -1, attacker);
    EXPECT_EQ(r.player->frame, 130);
    EXPECT_EQ(r.player->x, attacker->x);
    const std::vector<int32_t> t = r.Trace(190);
    EXPECT_EQ(IndexOf(t, 132), 179);
    for (int i = 0; i < 179; ++i) EXPECT_TRUE(t[i] == 130 || t[i] == 131) << i;
    EXPECT_FALSE(ContinueIsOpen());
    r.Tap(Scenario::CellX(6), 1000);
    EXPECT_TRUE(ContinueIsOpen());
    EXPECT_EQ(r.player->controlled, 0);
    EXPECT_EQ(CMyInput::GetInstance()->m_touchHistory[59], kInputConsumed) << "the press is taken whole";
}

TYPED_TEST(Defeats, CrawlingThenTheFirstDefeatStageOnlyOnceTheScreenIsBlack) {
    Room<TypeParam> r;
    std::vector<std::pair<int32_t, Pending>> seen;  // fade level, request
    r.Watcher([&seen](ScenarioBody&) { seen.emplace_back(CEffect::GetInstance()->m_fade, TakePending()); });
    r.player->OnHit(23, 1000, -1, r.player);
    EXPECT_EQ(r.player->frame, 140);
    ASSERT_TRUE(r.RunUntil(142, 170));
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 3);
    r.s.Run(120);
    const Pending first{272, 600, 0, 1, 0, 80, -1};
    int requests = 0;
    for (const auto& [fade, p] : seen) {
        if (p.stage == 0) continue;
        ++requests;
        EXPECT_EQ(fade, 255) << "asked for only once the screen is black";
        EXPECT_EQ(p, first);
    }
    EXPECT_GE(requests, 30) << "asked for again every frame until the switch";
    EXPECT_TRUE(r.player->frame == 142 || r.player->frame == 143);
    EXPECT_FALSE(ContinueIsOpen());

    // The switch fades the defeat stage in from black, and the stage's scene
    // takes the player on to 144 as it begins. A player still crawling is
    // not sent while a fade runs, and is sent again once it has finished.
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 255;
    effect->m_fadeTarget = 0;
    effect->m_fadeStep = -3;
    seen.clear();
    r.s.Run(150);
    EXPECT_EQ(effect->m_fade, 0);
    for (const auto& [fade, p] : seen) EXPECT_EQ(p.stage == 272, fade == 0) << "at fade " << fade;
    r.player->SetState(144);
    seen.clear();
    r.s.Run(30);
    for (const auto& [fade, p] : seen) EXPECT_EQ(p.stage, 0) << "posed by the scene";
}

TYPED_TEST(Defeats, ZappedThrownUpAndTheContinueScreenOnTheLanding) {
    Room<TypeParam> r;
    r.player->OnHit(25, 1000, -1, r.player);
    EXPECT_EQ(r.player->frame, 150);
    r.s.Run(1);
    EXPECT_GE(CountEffects(310), 2) << "sparks of the zap";
    std::vector<int32_t> t, drift;
    for (int i = 0; i < 150; ++i) {
        r.s.Run(1);
        t.push_back(r.player->frame);
        if (r.player->frame == 153) drift.push_back(r.player->vx);
    }
    ASSERT_FALSE(drift.empty());
    for (const int32_t v : drift) EXPECT_EQ(v, -10) << "thrown up, drifting back at 10";
    EXPECT_EQ(IndexOf(t, 151), 38);
    EXPECT_EQ(IndexOf(t, 152), 78);
    EXPECT_EQ(IndexOf(t, 153), 118);
    const int landed = IndexOf(t, 154);
    ASSERT_GT(landed, 118);
    EXPECT_TRUE(ContinueIsOpen());
    EXPECT_EQ(r.player->y, kFloor - 10);
}

TYPED_TEST(Defeats, ThrownUpThenTheSecondDefeatStageOnceBlackAndATouchAfterTheFadeIn) {
    for (int32_t kind : {26, 27}) {
        SCOPED_TRACE(kind);
        Room<TypeParam> r;
        CCharacter* boss = r.template Enemy<HitRecorder>(Scenario::CellX(8), 1800);
        CLifebarController::GetInstance()->SetEnemyBar(boss);
        std::vector<std::pair<int32_t, Pending>> seen;
        r.Watcher([&seen](ScenarioBody&) { seen.emplace_back(CEffect::GetInstance()->m_fade, TakePending()); });
        r.player->OnHit(kind, 1000, -1, boss);
        EXPECT_EQ(r.player->frame, 160);
        EXPECT_EQ(r.player->vy, -90);
        ASSERT_TRUE(r.RunUntil(161, 200));
        EXPECT_NE(CLifebarController::GetInstance()->GetEnemyBar(), nullptr);
        ASSERT_TRUE(r.RunUntil(162, 100));
        EXPECT_EQ(CLifebarController::GetInstance()->GetEnemyBar(), nullptr) << "the boss bar is gone";
        r.s.Run(5);
        int requests = 0;
        for (const auto& [fade, p] : seen) {
            if (p.stage == 0) continue;
            ++requests;
            EXPECT_EQ(fade, 255);
            EXPECT_EQ(p, (Pending{273, 1000, 2000, 1, 0, 80, -1}));
        }
        EXPECT_EQ(requests, 1) << "asked for once";

        // The defeat stage fades in: a touch does nothing until the fade is over.
        CEffect* effect = CEffect::GetInstance();
        effect->m_fade = 255;
        effect->m_fadeTarget = 0;
        effect->m_fadeStep = -3;
        r.Tap(Scenario::CellX(6), 1000);
        EXPECT_FALSE(ContinueIsOpen());
        r.s.Run(90);
        EXPECT_TRUE(r.player->frame == 162 || r.player->frame == 163);
        r.Tap(Scenario::CellX(6), 1000);
        EXPECT_TRUE(ContinueIsOpen());
        CGameInputController::GetInstance()->SetInput(ScreenId::Main);
    }
}

TYPED_TEST(Defeats, BlownUpSootyAndCoughingUntilATouch) {
    Room<TypeParam> r;
    const bool ironclaw = std::is_same_v<TypeParam, CCharacterIronclaw>;
    r.player->OnHit(28, 1000, -1, r.player);
    EXPECT_EQ(r.player->frame, 170);
    EXPECT_EQ(r.player->vy, -90);
    EXPECT_EQ(CountEffects(370), 4);
    EXPECT_EQ(CountEffects(ironclaw ? 561 : 541), 20);
    EXPECT_EQ(CountEffects(ironclaw ? 560 : 540), 20);
    ASSERT_TRUE(r.RunUntil(171, 200));
    r.s.Run(60);
    EXPECT_TRUE(r.player->frame == 171 || r.player->frame == 172);
    EXPECT_EQ(r.player->y, kFloor - 10) << "it falls in 171 and 172";
    EXPECT_FALSE(ContinueIsOpen());
    r.Tap(Scenario::CellX(6), 1000);
    EXPECT_TRUE(ContinueIsOpen());
}

TYPED_TEST(Defeats, BonkedSteamingCryingUntilATouch) {
    Room<TypeParam> r;
    const bool ironclaw = std::is_same_v<TypeParam, CCharacterIronclaw>;
    r.player->OnHit(30, 1000, -1, r.player);
    EXPECT_EQ(r.player->frame, 180);
    EXPECT_EQ(CountEffects(ironclaw ? 570 : 550), 1) << "what bonks the player";
    const std::vector<int32_t> t = r.Trace(170);
    EXPECT_EQ(IndexOf(t, 181), 79);
    EXPECT_EQ(IndexOf(t, 182), 159);
    EXPECT_FALSE(ContinueIsOpen());
    r.Tap(Scenario::CellX(6), 1000);
    EXPECT_TRUE(ContinueIsOpen());
}

TYPED_TEST(Defeats, AGrabDeathReachesTheTouchThatContinuesEvenWhenNothingLetsGo) {
    for (bool holds : {false, true}) {
        SCOPED_TRACE(holds);
        Room<TypeParam> r;
        CCharacter* attacker = holds ? static_cast<CCharacter*>(r.template Enemy<Holder>(Scenario::CellX(4), 1800))
                                     : r.template Enemy<HitRecorder>(Scenario::CellX(4), 1800);
        r.player->OnHit(29, 1000, -1, attacker);
        EXPECT_EQ(r.player->frame, 190);
        EXPECT_EQ(attacker->frame, 350) << "the attacker holds the player";
        const int32_t heldAt = r.player->y;
        const std::vector<int32_t> t = r.Trace(160);
        EXPECT_EQ(IndexOf(t, 193), 149);
        EXPECT_EQ(r.player->y, heldAt) << "no gravity while held";
        EXPECT_FALSE(ContinueIsOpen());
        r.Tap(Scenario::CellX(6), 1000);
        EXPECT_TRUE(ContinueIsOpen());
        CGameInputController::GetInstance()->SetInput(ScreenId::Main);
    }
    // The holder's own timing: it shakes the player (191), then lets it
    // hang limp (193).
    Room<TypeParam> r;
    r.player->OnHit(29, 1000, -1, r.player);
    r.s.Run(30);
    r.player->SetState(191);
    const std::vector<int32_t> t = r.Trace(10);
    for (int32_t f : t) EXPECT_TRUE(f == 191 || f == 192);
    r.player->SetState(193);
    r.s.Run(60);
    EXPECT_TRUE(r.player->frame == 193 || r.player->frame == 194);
}

TYPED_TEST(Defeats, TheKappasGrabHoldsThePlayerUntilItGoesHomeAndATouchStillContinues) {
    // A lurking kappa beside the player; a grab that kills.
    Room<TypeParam> r(Scenario::CellX(5));
    r.player->hp = 100;
    auto* kappa = dynamic_cast<CCharacterKappa*>(r.s.AddAt(10041, Scenario::CellX(5) - 200, kFloor - 190));
    ASSERT_NE(kappa, nullptr);
    ASSERT_TRUE(r.RunUntil(190, 10));
    EXPECT_EQ(r.player->hp, 0);
    EXPECT_EQ(kappa->frame, CCharacterKappa::kHolding);
    const int32_t heldAt = r.player->y;
    bool wentHome = false;
    int frames = 0;
    while (r.player->frame == 190 && frames++ < 200) {
        r.s.Run(1);
        wentHome = wentHome || kappa->frame == CCharacterKappa::kStand;
        if (r.player->frame == 190) {
            EXPECT_EQ(r.player->y, heldAt) << "held, not falling";
        }
    }
    EXPECT_TRUE(wentHome) << "the kappa lets go and returns to its stance";
    EXPECT_EQ(r.player->frame, 193) << "the limp wait comes by itself";
    EXPECT_FALSE(ContinueIsOpen());
    r.s.Run(20);
    r.Tap(Scenario::CellX(8), 1000);
    EXPECT_TRUE(ContinueIsOpen());
}

// --- Ironclaw's katana -----------------------------------------------------------

TEST(IronclawKatana, GroundAndAirWindUpsThenRandomStrikePairsAtHalfPower) {
    Room<CCharacterIronclaw> r;
    r.player->attack = 300;
    auto* enemy = r.Enemy(Scenario::CellX(5), kFloor - 100);
    enemy->hp = 100000;
    r.Tap(enemy->x, enemy->y);
    EXPECT_EQ(r.player->frame, 331) << "the grounded wind-up";
    EXPECT_EQ(r.player->target, enemy);
    EXPECT_EQ(r.player->y, kFloor - 110) << "lifted off the floor";
    std::vector<int32_t> t = r.Trace(120);
    EXPECT_EQ(IndexOf(t, 332), 5);
    std::set<int32_t> swings;
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i] >= 334 && t[i] <= 346 && t[i] % 2 == 0) {
            swings.insert(t[i]);
            EXPECT_TRUE(t[i + 1] == t[i] || t[i + 1] == t[i] + 1) << "a swing leads to its strike";
        }
    }
    EXPECT_GE(swings.size(), 3u) << "pairs picked at random";
    std::set<std::pair<int32_t, int32_t>> kinds(enemy->hits.begin(), enemy->hits.end());
    EXPECT_TRUE(kinds.count({11, 150})) << "each strike at half power";
    for (const auto& k : kinds) EXPECT_TRUE(k == std::make_pair(11, 150) || k == std::make_pair(11, 300)) << k.first;

    // From the air: the airborne wind-up.
    Room<CCharacterIronclaw> air(Scenario::CellX(2), 1000);
    air.player->SetState(290);
    auto* high = air.Enemy(Scenario::CellX(4), 1000);
    air.Tap(high->x, high->y);
    EXPECT_EQ(air.player->frame, 330);
}

TEST(IronclawKatana, AStrikeThatKillsEndsInThePairsFinishingPose) {
    struct Case {
        int32_t strike, finish;
    };
    for (const Case c : {Case{341, 351}, Case{347, 354}, Case{335, 348}}) {
        SCOPED_TRACE(c.strike);
        Room<CCharacterIronclaw> r;
        r.player->attack = 300;
        auto* enemy = r.Enemy(r.player->x + 100, kFloor - 100);
        enemy->hp = 150;
        r.player->target = enemy;
        r.player->SetState(c.strike);
        r.s.Run(1);
        EXPECT_EQ(enemy->hp, 0);
        EXPECT_EQ(enemy->hits.back(), std::make_pair(11, 150));
        EXPECT_EQ(r.player->frame, c.finish);
        EXPECT_EQ(r.player->vy, -50 + 6) << "thrown up, one tick of gravity";
        // Two ticks of the pose, then the fall back to the floor.
        const std::vector<int32_t> t = r.Trace(30);
        EXPECT_EQ(t[0], c.finish);
        EXPECT_EQ(t[1], 290);
        EXPECT_TRUE(t.back() == 230 || t.back() == 231);
    }
}

// A strike that hits without killing stops the player in its pose; one
// without a target finishes its pair whatever it hits; one that hits
// nothing changes nothing.
TEST(IronclawKatana, AStrikeFinishesOnlyWhenItsTargetIsDone) {
    struct Case {
        int32_t strike, enemyDx;
        bool targeted;
        int32_t frame, vx, vy;
    };
    const Case cases[] = {
        {337, 100, true, 337, 0, 0},   {345, 100, true, 345, 0, 0},     {337, 100, false, 349, 0, -50},
        {343, 100, false, 352, 0, -50}, {339, 2500, true, 339, 25, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.strike << (c.targeted ? "" : " without a target"));
        Room<CCharacterIronclaw> r;
        r.player->attack = 300;
        auto* enemy = r.Enemy(r.player->x + c.enemyDx, kFloor - 100);
        enemy->hp = 100000;
        r.player->target = c.targeted ? enemy : nullptr;
        r.player->SetState(c.strike);
        r.player->vx = 25;
        r.player->vy = 15;
        r.player->ConsumeStateChange();
        EXPECT_EQ(enemy->hits.size(), c.enemyDx < 1000 ? 1u : 0u);
        if (!enemy->hits.empty()) {
            EXPECT_EQ(enemy->hits.back(), std::make_pair(11, 150)) << "kind 11 at half the attack";
        }
        EXPECT_EQ(r.player->frame, c.frame);
        EXPECT_EQ(r.player->vx, c.vx);
        EXPECT_EQ(r.player->vy, c.vy);
    }
}

// The swings: with the chain, one of the seven even records 334-346 at
// random, whichever is asked for; without it, the player stands.
TEST(IronclawKatana, ASwingIsOneOfSevenWhileTheChainHoldsElseThePlayerStands) {
    Room<CCharacterIronclaw> r;
    std::set<int32_t> seen;
    for (int32_t asked = 334; asked <= 346; asked += 2) {
        for (int i = 0; i < 20; ++i) {
            r.player->strikeChain = 1;
            r.player->SetState(asked);
            const int32_t f = r.player->frame;
            EXPECT_TRUE(f >= 334 && f <= 346 && f % 2 == 0) << f;
            seen.insert(f);
        }
        r.player->strikeChain = 0;
        r.player->SetState(asked);
        EXPECT_TRUE(r.player->frame == 236 || r.player->frame == 230) << asked << ": " << r.player->frame;
    }
    EXPECT_EQ(seen.size(), 7u);
}

TEST(IronclawKatana, TheVictoryPoseWithoutATargetStandsAgainWithoutReadingIt) {
    Room<CCharacterIronclaw> r;
    ASSERT_EQ(r.player->target, nullptr);
    r.s.ClearSounds();
    r.player->SetState(341);  // a boss's defeat
    EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{0});
    r.s.Run(1);
    EXPECT_EQ(r.player->frame, 236) << "given up at once: on its feet again";
    EXPECT_EQ(r.player->vx, 0);
    r.s.Run(10);
    EXPECT_TRUE(r.player->frame == 230 || r.player->frame == 231);
    // A defeated boss (out of the strike's reach) as the target: on its
    // feet again in the same frame.
    auto* boss = r.Enemy(Scenario::CellX(6), kFloor - 100);
    boss->hp = 0;
    r.player->target = boss;
    r.player->SetState(341);
    r.s.Run(1);
    EXPECT_TRUE(r.player->frame == 230 || r.player->frame == 236) << r.player->frame;
    r.s.Run(10);
    // The same with a target that has gone.
    auto* enemy = r.Enemy(Scenario::CellX(6), kFloor - 100);
    r.player->target = enemy;
    r.player->SetState(345);
    enemy->alive = 0;
    enemy->SetState(0);
    CGameMain::GetInstance()->m_characterList.UpdateAll();
    ASSERT_EQ(r.player->target, nullptr);
    r.s.Run(2);
    EXPECT_EQ(r.player->frame, 236);
}

TEST(IronclawKatana, TheDashStrikesAtFullPowerWithItsOwnKind) {
    Room<CCharacterIronclaw> r(600, kFloor, kField);
    r.player->attack = 300;
    r.player->currentWeapon = 2;  // shuriken: touching the enemy would throw
    r.player->shurikenAmmo = -1;
    auto* enemy = r.Enemy(1800, kFloor - 100);
    enemy->hp = 100000;
    enemy->targetable = 0;  // passed through, not aimed at
    r.Tap(3000, kFloor);
    r.s.Run(30);
    ASSERT_FALSE(enemy->hits.empty());
    EXPECT_EQ(enemy->hits.front(), std::make_pair(1, 300));
}
