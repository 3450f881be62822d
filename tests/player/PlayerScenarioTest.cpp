// The ninja in small worlds of real blocks, steered by scripted touches
// through the real play frame: standing, falling and landing, holds, the
// dash, the dive, homing targets, grabs and doors, death and the Continue
// screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "player/CharacterNinja.h"
#include "player/TouchPad.h"
#include "support/PlayerRoom.h"
#include "support/Scenario.h"
#include "support/WorldList.h"
#include "ui/GameInput.h"
#include "win/MyInput.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

using namespace player_room;

TEST(PlayerScenario, StandsOnTheFloorAndLandsFromAFall) {
    Room r;
    r.s.Run(8);
    EXPECT_TRUE(IsStanding(r.ninja->frame));
    EXPECT_EQ(r.ninja->y, kFloor);
    // Pushed while standing, it slows by 10 a frame.
    r.ninja->vx = 30;
    r.s.Run(1);
    EXPECT_EQ(r.ninja->vx, 20);
    r.s.Run(2);
    EXPECT_EQ(r.ninja->vx, 0);

    // Dropped from the air: falls, lands in 236, and stands in 230.
    r.ninja->y = 800;
    r.ninja->SetState(220);
    EXPECT_EQ(r.ninja->frame, 290);
    const std::vector<int32_t> t = r.Trace(60);
    const int landed = IndexOf(t, 236);
    ASSERT_GE(landed, 0);
    for (int i = 0; i < landed; ++i) EXPECT_TRUE(t[i] == 290 || t[i] == 291) << i;
    EXPECT_TRUE(IsStanding(t.back()));
    EXPECT_EQ(r.ninja->y, kFloor);
    EXPECT_EQ(r.ninja->vx, 0);
}

TEST(PlayerScenario, WallHoldsNeedTheAbility) {
    {
        Room r(kLeftWall + 20, 1000);
        r.ninja->SetState(290);
        const std::vector<int32_t> t = r.Trace(60);
        EXPECT_FALSE(Contains(t, 232));
        EXPECT_TRUE(IsStanding(t.back()));
    }
    Room r(kLeftWall + 20, 1000);
    r.ninja->wallHold = 1;
    r.ninja->SetState(290);
    const std::vector<int32_t> t = r.Trace(30);
    EXPECT_EQ(t.front(), 232);
    for (int32_t f : t) EXPECT_TRUE(f == 232 || f == 233);
    EXPECT_EQ(r.ninja->facing, 1) << "the wall is behind the player";
    EXPECT_EQ(r.ninja->x, kLeftWall + 20);
    EXPECT_EQ(r.ninja->y, 1000);
    EXPECT_EQ(r.ninja->GetAnchorX(), kLeftWall + 20 + 190);
}

TEST(PlayerScenario, CeilingHoldsNeedTheAbility) {
    {
        Room r(Scenario::CellX(4), kCeiling + 20);
        r.ninja->SetState(290);
        EXPECT_FALSE(Contains(r.Trace(60), 234));
    }
    Room r(Scenario::CellX(4), kCeiling + 20);
    r.ninja->ceilingHold = 1;
    r.ninja->SetState(290);
    const std::vector<int32_t> t = r.Trace(30);
    EXPECT_EQ(t.front(), 234);
    for (int32_t f : t) EXPECT_TRUE(f == 234 || f == 235);
    EXPECT_EQ(r.ninja->y, kCeiling + 20);
    EXPECT_EQ(r.ninja->GetAnchorY(), kCeiling + 20 + 190);
    // Taking the hold presses it up against the ceiling.
    r.ninja->SetState(290);
    r.ninja->vx = 30;
    ASSERT_TRUE(r.ninja->TryHold());
    EXPECT_EQ(r.ninja->frame, 234);
    EXPECT_EQ(r.ninja->vx, 0);
    EXPECT_EQ(r.ninja->vy, -1);
}

TEST(PlayerScenario, AWallLetGoOfIsNotHeldAgainUntilThePlayerWasAwayFromIt) {
    Room r(kLeftWall + 20, 1200);
    r.ninja->wallHold = 1;
    r.ninja->SetState(290);
    r.s.Run(3);
    ASSERT_EQ(r.ninja->frame / 2, 232 / 2);
    // A dash up and back into the same wall: it slides along it.
    r.Tap(100, 200);
    bool slidAlongTheWall = false;
    int32_t frame = 0;
    for (int i = 0; i < 40 && !(frame == 232 && i > 0); ++i) {
        r.s.Run(1);
        frame = r.ninja->frame;
        if (frame >= 320 && frame <= 322) {
            EXPECT_NE(r.ninja->releasedSide, 0);
            slidAlongTheWall = slidAlongTheWall || r.ninja->x == kLeftWall + 20;
        }
    }
    EXPECT_TRUE(slidAlongTheWall);
    // Once the dash is over the side counts as left, and the wall is held.
    EXPECT_EQ(frame, 232);
    EXPECT_EQ(r.ninja->releasedSide, 0);

    // The rule directly: a released side is not held while touched, and is
    // forgotten once the player is away from it.
    r.ninja->SetState(290);
    r.ninja->releasedSide = 2;
    r.ninja->vx = 0;
    EXPECT_FALSE(r.ninja->CanHold(2));
    EXPECT_EQ(r.ninja->releasedSide, 2);
    r.ninja->x += 50;
    EXPECT_FALSE(r.ninja->CanHold(2));
    EXPECT_EQ(r.ninja->releasedSide, 0);
    r.ninja->x -= 50;
    EXPECT_TRUE(r.ninja->CanHold(2));
}

TEST(PlayerScenario, ATouchAThousandUnitsAwayDashesForSixteenTicks) {
    Room r;
    r.s.Run(8);
    const int32_t touchX = r.ninja->x + 1000, touchY = r.ninja->y;
    r.Tap(touchX, touchY);
    EXPECT_EQ(r.ninja->frame, 320);
    EXPECT_EQ(r.ninja->RecordAt(321).stateDuration, 16);
    // A fan of five thrown back from the player: 50 straight back and 51 at
    // +-pi/8 at speed 20, 51 at +pi/12 and 50 at -pi/12 at speed 14; and 70
    // on the touched point.
    struct Piece {
        int32_t state, vx, vy;
    };
    const Piece fan[] = {{50, -20, 0}, {51, -18, -7}, {51, -18, 7}, {51, -13, -3}, {50, -13, 3}, {70, 0, 0}};
    std::vector<const CCharacter*> effects;
    for (int32_t i = 1; i <= testing_support::World().GetCount(); ++i) {
        const CCharacter* c = testing_support::World().GetAt(i);
        if (c->typeId == 50000) effects.push_back(c);
    }
    ASSERT_EQ(effects.size(), std::size(fan));
    for (std::size_t i = 0; i < effects.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(effects[i]->frame, fan[i].state);
        EXPECT_EQ(effects[i]->vx, fan[i].vx);
        EXPECT_EQ(effects[i]->vy, fan[i].vy);
    }
    EXPECT_EQ(effects.back()->x, touchX);
    EXPECT_EQ(effects.back()->y, touchY);
    EXPECT_EQ(r.ninja->airDashes, 1) << "a dash from the ground costs nothing";
    EXPECT_EQ(r.ninja->attackDirX, 60);
    EXPECT_EQ(r.ninja->attackDirY, 0);
    EXPECT_EQ(r.ninja->facing, 1);
    EXPECT_EQ(r.ninja->releasedSide, 4);
    EXPECT_EQ(CMyInput::GetInstance()->m_touchHistory[0], 2) << "the press is used";
    // The dash's whoosh: on its first tick, then every sixth.
    std::vector<int32_t> t, whooshTicks;
    for (int i = 0; i < 30; ++i) {
        r.s.ClearSounds();
        r.s.Run(1);
        t.push_back(r.ninja->frame);
        if (std::count(r.s.Sounds().begin(), r.s.Sounds().end(), 0) != 0) whooshTicks.push_back(r.ninja->stateTimer);
    }
    EXPECT_EQ(whooshTicks, (std::vector<int32_t>{1, 7, 13}));
    EXPECT_EQ(std::count(t.begin(), t.end(), 321), 16);
    const int end = IndexOf(t, 322);
    ASSERT_GT(end, 0);
    EXPECT_EQ(IndexOf(t, 321), 0);
    // The dash runs along the floor without landing on it, and ends
    // standing.
    EXPECT_TRUE(IsStanding(t.back()));
    EXPECT_EQ(r.ninja->y, kFloor);
    EXPECT_EQ(r.ninja->releasedSide, 0);

    // A touch beyond the dash's range is cut to 1500: 25 ticks.
    r.s.TouchUp();
    r.s.Run(2);
    r.ninja->x = Scenario::CellX(1);
    r.Tap(Scenario::CellX(8), r.ninja->y - 1500);
    EXPECT_EQ(r.ninja->RecordAt(321).stateDuration, 1500 / 60);
}

TEST(PlayerScenario, ADownwardSwipeDivesOnlyWhenLongerThanEightyPixels) {
    // Longer than 80 pixels down, and more down than across.
    struct Case {
        int32_t dx, dy;
        bool dives;
    };
    for (const Case c : {Case{-80, 81, true}, Case{0, 81, true}, Case{0, 80, false}, Case{-80, 80, false},
                         Case{-81, 81, false}, Case{81, 81, false}, Case{0, -120, false}}) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        Room r;
        r.s.Run(8);
        const int32_t px = r.ninja->GetAnchorX() / 10, py = r.ninja->GetAnchorY() / 10;
        r.s.TouchDown(px, py - 40);
        r.s.Run(1);
        r.s.TouchMove(px + c.dx, py - 40 + c.dy);
        r.s.Run(1);
        r.s.TouchUp();
        r.s.Run(1);
        EXPECT_EQ(r.ninja->frame == 440, c.dives);
    }
}

TEST(PlayerScenario, InTheAirATouchCostsAnAirDashAndWithoutOneDoesNothing) {
    Room r(Scenario::CellX(4), 600);
    r.ninja->SetState(290);
    r.ninja->airDashes = 0;
    r.Tap(Scenario::CellX(7), 1000);
    EXPECT_TRUE(r.ninja->frame == 290 || r.ninja->frame == 291);
    EXPECT_EQ(CMyInput::GetInstance()->m_touchHistory[0], 1) << "the press is left for others";
    r.s.TouchUp();
    r.s.Run(1);

    r.ninja->airDashes = 1;
    r.Tap(Scenario::CellX(7), 1000);
    EXPECT_EQ(r.ninja->frame, 320);
    EXPECT_EQ(r.ninja->airDashes, 0);
}

TEST(PlayerScenario, OfTwoTargetsTheNearerToTheTouchIsTakenAndOnATieTheEarlierInTheList) {
    struct Case {
        int32_t firstX, secondX, touchX;
        bool firstTaken;
    };
    for (const Case c : {Case{1200, 1600, 1400, true}, Case{1600, 1200, 1400, true}, Case{1200, 1600, 1500, false},
                         Case{1600, 1200, 1300, false}}) {
        SCOPED_TRACE(testing::Message() << c.firstX << " " << c.secondX << " touched at " << c.touchX);
        Room r;
        r.s.Run(8);
        const int32_t y = r.ninja->GetAnchorY();
        ScenarioBody* first = r.Enemy(c.firstX, y);
        ScenarioBody* second = r.Enemy(c.secondX, y);
        r.Tap(c.touchX, y);
        EXPECT_EQ(r.ninja->target, c.firstTaken ? first : second);
        EXPECT_EQ(r.ninja->frame, 330);
        // Both are marked as targets in reach.
        EXPECT_TRUE(first->HasChildOfType19990());
        EXPECT_TRUE(second->HasChildOfType19990());
    }
    // The one already aimed at starts nothing again: the touch dashes.
    Room r;
    r.s.Run(8);
    const int32_t y = r.ninja->GetAnchorY();
    ScenarioBody* enemy = r.Enemy(1600, y);
    r.ninja->target = enemy;
    r.Tap(1600, y);
    EXPECT_EQ(r.ninja->frame, 320);
    EXPECT_EQ(r.ninja->target, enemy);

    // A touch takes a target whose hurt box (100 to either side) reaches
    // the square of 300 around it; a touch farther off dashes.
    struct Near {
        int32_t touchX, state;
    };
    for (const Near c : {Near{1990, 330}, Near{2010, 320}, Near{1210, 330}, Near{1190, 320}}) {
        SCOPED_TRACE(testing::Message() << "touched at " << c.touchX);
        Room near;
        near.s.Run(8);
        const int32_t ay = near.ninja->GetAnchorY();
        near.Enemy(1600, ay);
        near.Tap(c.touchX, ay);
        EXPECT_EQ(near.ninja->frame, c.state);
    }
}

TEST(PlayerScenario, TheKatanaCutsDownATargetAndTheTargetIsForgottenWhenItGoes) {
    Room r;
    r.s.Run(8);
    ScenarioBody* enemy = r.Enemy(1600, r.ninja->GetAnchorY());
    enemy->hp = 100;
    r.Tap(1600, r.ninja->GetAnchorY());
    // Turned away during the wind-up, the chase faces its motion again.
    r.ninja->facing = -1;
    std::vector<int32_t> t;
    while (t.size() < 10 && r.ninja->frame != 331) {
        r.s.Run(1);
        t.push_back(r.ninja->frame);
    }
    EXPECT_EQ(r.ninja->facing, 1);
    for (const int32_t f : r.Trace(80)) t.push_back(f);
    EXPECT_TRUE(Contains(t, 331));
    EXPECT_TRUE(Contains(t, 341)) << "the cut that kills ends in the finishing pose";
    EXPECT_EQ(enemy->hp, 0);
    EXPECT_EQ(enemy->frame, 110);
    EXPECT_TRUE(IsStanding(t.back()));

    // A target deleted while aimed at is forgotten by the player.
    ScenarioBody* other = r.Enemy(2400, r.ninja->GetAnchorY());
    r.ninja->target = other;
    r.ninja->grabbedObject = other;
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    other->alive = 0;
    other->SetState(0);
    world.UpdateAll();
    EXPECT_EQ(r.ninja->target, nullptr);
    EXPECT_EQ(r.ninja->grabbedObject, nullptr);
}

// The katana's wind-up aims at the target's anchor (for a tall enemy well
// above its feet), and the chase strikes whatever it passes through with
// kind 1 at the attack power.
TEST(PlayerScenario, TheKatanaAimsAtTheAnchorAndItsChaseStrikesWhatItPasses) {
    struct Tall : Foe {
        int32_t GetAnchorY() override { return y - 550; }
    };
    {
        Room r;
        r.s.Run(8);
        ASSERT_TRUE(IsStanding(r.ninja->frame));
        auto* tall = r.s.Add(std::make_unique<Tall>(), r.ninja->x + 600, r.ninja->y);
        r.Tap(tall->x, tall->y);
        ASSERT_EQ(r.ninja->target, tall);
        // Lifted 100, the anchor lies 450 up and 600 across: 3-4-5.
        EXPECT_NEAR(r.ninja->attackDirX, 120, 1);
        EXPECT_NEAR(r.ninja->attackDirY, -90, 1);
    }
    Room r;
    r.s.Run(8);
    Foe* passed = r.Enemy(1300, r.ninja->GetAnchorY());
    Foe* target = r.Enemy(1600, r.ninja->GetAnchorY());
    target->hp = 100000;
    r.ninja->attack = 120;
    r.Tap(target->x, target->y);
    ASSERT_EQ(r.ninja->target, target);
    for (int i = 0; i < 40 && passed->hits.empty(); ++i) r.s.Run(1);
    ASSERT_FALSE(passed->hits.empty());
    EXPECT_EQ(std::make_pair(passed->hits.front().kind, passed->hits.front().damage),
              std::make_pair(1, 120));
    EXPECT_TRUE(r.ninja->frame == 331 || r.ninja->frame == 332) << "struck on the way: " << r.ninja->frame;
}

TEST(PlayerScenario, ATouchedExitDoorIsTaken) {
    Room r;
    r.s.Run(8);
    CCharacter* door = r.s.AddAt(23800, r.ninja->x + 100, kFloor - 200);
    FrameRecord* rec = door->frameTable.Find(250);
    rec->bodyLeft = rec->bodyTop = -200;
    rec->bodyRight = rec->bodyBottom = 200;
    door->SetState(250);
    r.Tap(door->x, door->y);
    EXPECT_EQ(door->frame, 251);
    EXPECT_EQ(r.ninja->frame, 300);
    EXPECT_EQ(r.ninja->x, door->GetAnchorX()) << "the door's anchor";
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
    EXPECT_EQ(CMyInput::GetInstance()->m_touchHistory[59], kInputConsumed) << "the press is taken whole";
    EXPECT_EQ(r.s.Sounds().back(), 66);
}

TEST(PlayerScenario, ATouchedShopDoorOpensTheShop) {
    Room r;
    r.s.Run(8);
    CCharacter* door = r.s.AddAt(23800, r.ninja->x, kFloor - 200);
    FrameRecord* rec = door->frameTable.Find(350);
    rec->bodyLeft = rec->bodyTop = -200;
    rec->bodyRight = rec->bodyBottom = 200;
    door->SetState(350);
    r.Tap(door->x, door->y);
    EXPECT_EQ(CGameInputController::GetInstance()->GetTop(), CGameInput::GetInput(ScreenId::MainShop));
    EXPECT_EQ(r.ninja->target, nullptr);
    EXPECT_NE(r.ninja->frame, 320);
    EXPECT_EQ(CMyInput::GetInstance()->m_touchHistory[0], kInputConsumed);
}

TEST(PlayerScenario, ADyingPlayerFallsOutAndAsksForTheContinueScreen) {
    Room r;
    r.s.Run(8);
    // The stage's check after the characters: a player below the stage's
    // bottom edge stops.
    auto* stage = r.s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{}), 0, 0);
    stage->onUpdate = [&r](ScenarioBody&) {
        CCharacterNinja* p = r.ninja;
        if (p->y > r.s.Stage().height * 400 && p->frame != 120 && p->frame != 121) p->SetState(120);
    };
    r.ninja->OnHit(1, 1000, -1, r.ninja);
    EXPECT_EQ(r.ninja->frame, 110);
    EXPECT_EQ(r.ninja->vy, -60);
    EXPECT_EQ(r.ninja->GetInvulnerable(), -1);
    // The screen shakes for 30 frames between -2 and 2 at speed 2, not
    // vertically, and flashes white four times (peak 255, up and down by 255,
    // no holds).
    const CEffect* effect = CEffect::GetInstance();
    EXPECT_EQ(std::make_tuple(effect->m_shakeFrames, effect->m_shakeLowX, effect->m_shakeHighX, effect->m_shakeVelocityX,
                              effect->m_shakeVelocityY),
              std::make_tuple(30, -2, 2, 2, 0));
    EXPECT_EQ(std::make_tuple(effect->m_flashRed, effect->m_flashGreen, effect->m_flashBlue, effect->m_flashPeak,
                              effect->m_flashCycles, effect->m_flashRiseStep, effect->m_flashHoldPeak,
                              effect->m_flashFallStep, effect->m_flashHoldZero),
              std::make_tuple(255, 255, 255, 255, 4, 255, 0, 255, 0));
    // It spins back by half a radian a frame.
    const double spin = r.ninja->angle;
    const int32_t facing = r.ninja->facing;
    r.s.Run(2);
    EXPECT_DOUBLE_EQ(r.ninja->angle, spin - 1.0 * facing);
    const std::vector<int32_t> t = r.Trace(120);
    const int stop = IndexOf(t, 120);
    const int over = IndexOf(t, 121);
    ASSERT_GT(stop, 0);
    for (int i = 0; i < stop; ++i) EXPECT_EQ(t[i], 110);
    EXPECT_EQ(over - stop, 40);
    EXPECT_EQ(t.back(), 121);
    EXPECT_EQ(CGameInputController::GetInstance()->GetTop(), CGameInput::GetInput(ScreenId::Continue));
}

TEST(PlayerScenario, WhileNotControlledTouchesReachOnlyTheScreens) {
    Room r;
    r.s.Run(8);
    r.ninja->controlled = 0;
    r.Tap(3000, 1000);
    EXPECT_TRUE(IsStanding(r.ninja->frame));
    CMyInput* input = CMyInput::GetInstance();
    EXPECT_EQ(input->m_inputAvailable, 1);
    EXPECT_TRUE(input->IsTouchPressed()) << "the press is still fresh for a screen";
}

TEST(PlayerScenario, SceneRunsReachTheRecordsTheScenesWaitFor) {
    {
        Room r;
        r.s.Run(8);
        r.ninja->SetState(986);
        const std::vector<int32_t> t = r.Trace(70);
        EXPECT_EQ(IndexOf(t, 230), 59);
    }
    // The ending's flight leaves the top of an open stage and comes down.
    Scenario open({"....", "....", "....", "...."}, {});
    auto* ninja = open.Add(std::make_unique<CCharacterNinja>(), 800, 1400);
    open.SetPlayer(ninja);
    ninja->SetState(965);
    bool down = false;
    for (int i = 0; i < 120 && !down; ++i) {
        open.Run(1);
        down = ninja->frame == 967;
    }
    EXPECT_TRUE(down);
    EXPECT_EQ(ninja->vy, 15);
}

TEST(PlayerScenario, TheStageExitHandsOverToTheStageClearScreen) {
    Room r;
    r.s.Run(8);
    r.ninja->SetState(940);
    const std::vector<int32_t> t = r.Trace(50);
    EXPECT_EQ(IndexOf(t, 941), 39);
    EXPECT_EQ(t.back(), 941);
    EXPECT_EQ(CGameInputController::GetInstance()->GetTop(), CGameInput::GetInput(ScreenId::StageClear));
}

TEST(PlayerScenario, WithAPotionInHandOnlyTouchingThePlayerUsesIt) {
    Room r;
    r.s.Run(8);
    r.ninja->currentWeapon = 7;  // potion of healing
    r.ninja->healingPotions = 2;
    r.ninja->hp = 50;
    ScenarioBody* enemy = r.Enemy(2000, r.ninja->GetAnchorY());
    // On the enemy: no potion, a dash instead.
    r.Tap(enemy->x, enemy->y);
    EXPECT_EQ(r.ninja->healingPotions, 2);
    EXPECT_EQ(r.ninja->target, nullptr);
    r.s.TouchUp();
    r.s.Run(40);
    // On the player: the potion.
    r.Tap(r.ninja->x, r.ninja->y - 100);
    EXPECT_EQ(r.ninja->healingPotions, 1);
    EXPECT_EQ(r.ninja->hp, 300);
    EXPECT_EQ(r.s.Sounds().back(), 45);

    // Each potion in hand, touched on the player, is the one used.
    struct Potion {
        int32_t weapon, hp, gauge, sound;
    };
    for (const Potion& p : {Potion{8, 300, 100, 45}, Potion{9, 50, 3000, 46}, Potion{10, 50, 3000, 46}}) {
        SCOPED_TRACE(p.weapon);
        Room q;
        q.s.Run(8);
        q.ninja->currentWeapon = p.weapon;
        q.ninja->healingPotions = q.ninja->exHealingPotions = q.ninja->magicPotions = q.ninja->exMagicPotions = 3;
        q.ninja->hp = 50;
        q.ninja->gauge = 100;
        q.ninja->gaugeMax = 3000;
        q.s.ClearSounds();
        q.Tap(q.ninja->x, q.ninja->y - 100);
        const int32_t stocks[] = {q.ninja->healingPotions, q.ninja->exHealingPotions, q.ninja->magicPotions,
                                  q.ninja->exMagicPotions};
        for (int32_t w = 7; w <= 10; ++w) EXPECT_EQ(stocks[w - 7], w == p.weapon ? 2 : 3) << w;
        EXPECT_EQ(q.ninja->hp, p.hp);
        EXPECT_NEAR(q.ninja->gauge, p.gauge, 3) << "(and a frame's refill)";
        EXPECT_EQ(q.s.Sounds(), std::vector<int32_t>{p.sound});
        EXPECT_TRUE(IsStanding(q.ninja->frame));
    }
}

// A marker is put on every living, targetable character with a hurt box in
// reach of a steered player, once.
TEST(PlayerScenario, OnlyLivingTargetableFoesInReachAreMarkedAndOnce) {
    struct Case {
        const char* what;
        int32_t dx, hp;
        bool targetable, hurtBox, controlled, marked;
    };
    const Case cases[] = {
        {"a foe in reach", 1000, 100, true, true, true, true},
        {"a dead foe", 1000, 0, true, true, true, false},
        {"a foe that cannot be targeted", 1000, 100, false, true, true, false},
        {"a foe without a hurt box", 1000, 100, true, false, true, false},
        {"a foe beyond the katana's 1200", 1500, 100, true, true, true, false},
        {"a foe in reach of a player not steered", 1000, 100, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Room r(Scenario::CellX(1));
        r.s.Run(8);
        r.ninja->controlled = c.controlled ? 1 : 0;
        Foe* foe = r.Enemy(r.ninja->x + c.dx, r.ninja->GetAnchorY());
        foe->hp = c.hp;
        foe->targetable = c.targetable ? 1 : 0;
        FrameRecord* rec = foe->frameTable.Find(foe->frame);
        ASSERT_NE(rec, nullptr);
        if (!c.hurtBox) rec->hurtLeft = rec->hurtRight = rec->hurtTop = rec->hurtBottom = 0;
        r.s.Run(5);
        ASSERT_TRUE(testing_support::Listed(foe));
        EXPECT_EQ(foe->hp, c.hp);
        int markers = 0;
        for (int32_t i = 1; i <= testing_support::World().GetCount(); ++i) {
            const CCharacter* m = testing_support::World().GetAt(i);
            markers += m != nullptr && m->typeId == 19990 ? 1 : 0;
        }
        EXPECT_EQ(markers, c.marked ? 1 : 0);
        EXPECT_EQ(foe->HasChildOfType19990(), c.marked);
    }

    // The reach by weapon, to the nearest edge of the hurt box: the katana
    // 1200, fire 1600, every other weapon 4000.
    struct Reach {
        int32_t weapon, gap;
        bool inReach;
    };
    for (const Reach c : {Reach{1, 1200, true}, Reach{1, 1201, false}, Reach{4, 1600, true}, Reach{4, 1601, false},
                          Reach{5, 4000, true}, Reach{5, 4001, false}, Reach{2, 4000, true}, Reach{3, 4001, false}}) {
        SCOPED_TRACE(testing::Message() << "weapon " << c.weapon << " gap " << c.gap);
        Room r(Scenario::CellX(1));
        r.s.Run(8);
        r.ninja->currentWeapon = c.weapon;
        // The foe's hurt box reaches 100 to either side of it.
        Foe* foe = r.Enemy(r.ninja->x + c.gap + 100, r.ninja->y);
        EXPECT_EQ(r.ninja->IsInHomingRange(foe), c.inReach);
    }
}

TEST(PlayerScenario, PushOutOfBlocksStepsAwayFromEveryTouchedSide) {
    Room r(kLeftWall + 20, kCeiling + 20);
    r.ninja->SetState(290);
    ASSERT_TRUE(r.ninja->TouchesSolid(1));
    ASSERT_TRUE(r.ninja->TouchesSolid(2));
    r.ninja->PushOutOfBlocks();
    EXPECT_EQ(r.ninja->x, kLeftWall + 21);
    EXPECT_EQ(r.ninja->y, kCeiling + 21);
}

TEST(PlayerScenario, AHeldTouchKeepsTheNinjaDashingTowardIt) {
    // Through the HUD's pad, and through the input's own pad (no HUD yet):
    // a press that play has used still counts as held.
    for (const bool ownPad : {false, true}) {
        SCOPED_TRACE(ownPad);
        Room r;
        CTouchPad* hudPad = CTouchPad::GetCurrent();
        if (ownPad) CTouchPad::SetCurrent(nullptr);
        r.s.Run(8);
        const int32_t goal = Scenario::CellX(7);
        r.TouchAt(goal, kFloor);
        const std::vector<int32_t> t = r.Trace(80);
        int dashes = 0;
        for (std::size_t i = 0; i < t.size(); ++i) dashes += t[i] == 320 ? 1 : 0;
        EXPECT_GE(dashes, 2) << "a dash starts again each time the ninja stands";
        EXPECT_LE(std::abs(r.ninja->x - goal), 120);
        EXPECT_FALSE(CMyInput::GetInstance()->IsTouchPressed()) << "no screen sees the used press as new";
        CTouchPad::SetCurrent(hudPad);
    }
}

// The states other code sets: the spinning jump flies along its stored
// direction, turning 1.3 a frame with its sound every sixth tick, until a
// surface holds it; the item-get pose stops and falls to the ground; the
// launched flight that meets a surface holds on and stands after 2 frames.
TEST(PlayerScenario, TheJumpTheItemGetAndTheLaunchEndOnTheSurfaceTheyMeet) {
    {
        Room r(Scenario::CellX(2), 900);
        r.ninja->attackDirX = 30;
        r.ninja->attackDirY = 40;
        r.ninja->facing = 1;
        r.ninja->SetState(280);
        EXPECT_EQ(r.ninja->vx, 30);
        EXPECT_EQ(r.ninja->vy, 40);
        r.s.ClearSounds();
        double angle = r.ninja->angle;
        int spins = 0;
        // The flight's whoosh: on the first tick of the spin, then every sixth.
        std::vector<int32_t> whooshTicks;
        while (r.ninja->frame != 236 && spins < 60) {
            const int32_t before = r.ninja->frame;
            r.s.ClearSounds();
            r.s.Run(1);
            const double turned = r.ninja->angle - angle;
            angle = r.ninja->angle;
            if (std::count(r.s.Sounds().begin(), r.s.Sounds().end(), 65) != 0) whooshTicks.push_back(r.ninja->stateTimer);
            if (r.ninja->frame != 281 || before != 281) continue;
            ++spins;
            EXPECT_NEAR(turned, 1.3, 1e-9) << spins;
            if (r.ninja->y < kFloor) {
                EXPECT_EQ(r.ninja->vx, 30);
                EXPECT_EQ(r.ninja->vy, 40);
            }
        }
        EXPECT_EQ(r.ninja->frame, 236) << "landed";
        EXPECT_GT(spins, 10);
        ASSERT_GE(whooshTicks.size(), 2u);
        EXPECT_EQ(std::vector<int32_t>(whooshTicks.begin(), whooshTicks.begin() + 2), (std::vector<int32_t>{1, 7}));
        for (const int32_t tick : whooshTicks) EXPECT_EQ(tick % 6, 1) << tick;
    }
    {
        Room r(Scenario::CellX(2), 900);
        r.ninja->vx = 50;
        r.ninja->vy = -30;
        r.ninja->SetState(310);
        EXPECT_EQ(r.ninja->vx, 0);
        EXPECT_EQ(r.ninja->vy, 0);
        EXPECT_EQ(r.ninja->GetAnchorY(), r.ninja->y) << "in the air: at its position";
        for (int i = 0; i < 60 && r.ninja->frame == 310; ++i) r.s.Run(1);
        EXPECT_EQ(r.ninja->frame, 311);
        EXPECT_EQ(r.ninja->y, kFloor);
        EXPECT_EQ(r.ninja->GetAnchorY(), kFloor - 190) << "landed: the body's centre above the feet";
        EXPECT_EQ(r.ninja->x, Scenario::CellX(2));
        r.s.Run(30);
        EXPECT_EQ(r.ninja->frame, 311) << "held";
    }
    {
        Room r(Scenario::CellX(2), 1200);
        r.ninja->attackDirX = 20;
        r.ninja->attackDirY = 150;
        r.ninja->SetState(360);
        EXPECT_EQ(r.ninja->GetInvulnerable(), 999);
        // The flight's whoosh on its first tick.
        std::vector<int32_t> whooshTicks;
        ASSERT_TRUE([&] {
            for (int i = 0; i < 60; ++i) {
                r.s.ClearSounds();
                r.s.Run(1);
                if (r.ninja->frame == 361 && std::count(r.s.Sounds().begin(), r.s.Sounds().end(), 0) != 0)
                    whooshTicks.push_back(r.ninja->stateTimer);
                if (r.ninja->frame == 363) return true;
            }
            return false;
        }()) << r.ninja->frame;
        EXPECT_EQ(whooshTicks, std::vector<int32_t>{1});
        EXPECT_EQ(r.ninja->y, kFloor);
        r.s.Run(2);
        EXPECT_TRUE(IsStanding(r.ninja->frame) || r.ninja->frame == 236) << r.ninja->frame;
    }
    {
        // The spin that follows the flight falls under the player's gravity.
        Room r(Scenario::CellX(2), 900);
        r.ninja->SetState(362);
        r.ninja->vx = r.ninja->vy = 0;
        r.ninja->gravityAcc = 0;
        r.s.Run(1);
        EXPECT_EQ(r.ninja->frame, 362);
        EXPECT_EQ(r.ninja->vy, 6);
    }
}

// A dash from a surface kicks off dust at the player, turned to the surface
// it leaves: upright off the floor, a quarter turn off a wall (toward the
// facing), a half turn off a ceiling.
TEST(PlayerScenario, ADashFromASurfaceKicksOffDustTurnedToIt) {
    struct Start {
        const char* from;
        int32_t x, y, stance, touchX, touchY;
        double angle;
    };
    constexpr double kPi = 3.14159265358979323846;
    for (const Start& st : {Start{"the floor", Scenario::CellX(2), kFloor, 230, 2400, 1200, 0.0},
                            Start{"a wall", kLeftWall + 20, 1000, 232, 2400, 1000, kPi / 2},
                            Start{"a ceiling", Scenario::CellX(4), kCeiling + 20, 234, 1800, 1800, kPi}}) {
        SCOPED_TRACE(st.from);
        Room r(st.x, st.y);
        r.ninja->wallHold = r.ninja->ceilingHold = 1;
        r.ninja->SetState(st.stance == 230 ? 220 : 290);
        ASSERT_TRUE([&] {
            for (int i = 0; i < 20; ++i) {
                if (r.ninja->frame / 2 == st.stance / 2) return true;
                r.s.Run(1);
            }
            return false;
        }()) << r.ninja->frame;
        r.Tap(st.touchX, st.touchY);
        ASSERT_EQ(r.ninja->frame, 320);
        r.s.Run(1);
        ASSERT_EQ(r.ninja->frame, 321) << "dashing";
        int dust = 0;
        for (int32_t i = 1; i <= testing_support::World().GetCount(); ++i) {
            const CCharacter* c = testing_support::World().GetAt(i);
            if (c->typeId != 50000 || c->frame / 10 != 4) continue;
            ++dust;
            EXPECT_DOUBLE_EQ(c->angle, st.angle);
        }
        EXPECT_EQ(dust, 1);
    }
}

namespace {

int CountEffects(int32_t state) {
    int n = 0;
    for (int32_t i = 1; i <= testing_support::World().GetCount(); ++i) {
        const CCharacter* c = testing_support::World().GetAt(i);
        n += c != nullptr && c->typeId == 50000 && c->frame == state ? 1 : 0;
    }
    return n;
}

}  // namespace

// Walking speeds up by 10 a frame to 20 along the facing, running to 40.
// Off the floor, both fall.
TEST(PlayerScenario, WalkAndRunSpeedUpAlongTheFacingAndFallWhenTheFloorIsGone) {
    struct Case {
        int32_t state, facing;
        std::vector<int32_t> vx;  // after each frame
    };
    const Case cases[] = {
        {250, 1, {10, 20, 20}},
        {250, -1, {-10, -20, -20}},
        {260, 1, {10, 20, 30, 40, 40}},
        {260, -1, {-10, -20, -30, -40, -40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.state << " facing " << c.facing);
        {
            Room r(Scenario::CellX(4));
            r.s.Run(8);
            r.s.ClearSounds();
            r.ninja->facing = c.facing;
            r.ninja->vy = 0;
            r.ninja->SetState(c.state);
            EXPECT_EQ(r.ninja->vx, 0);
            EXPECT_EQ(CountEffects(380), 0) << "no running start's dust";
            EXPECT_TRUE(r.s.Sounds().empty());
            for (std::size_t i = 0; i < c.vx.size(); ++i) {
                const int32_t x = r.ninja->x;
                r.s.Run(1);
                EXPECT_EQ(r.ninja->vx, c.vx[i]) << i;
                EXPECT_EQ(r.ninja->x - x, c.vx[i]) << i;
            }
            EXPECT_EQ(r.ninja->y, kFloor);
        }
        Room r(Scenario::CellX(4), 1200);
        r.ninja->SetState(c.state);
        r.s.Run(1);
        EXPECT_EQ(r.ninja->frame, 290) << "in the air";
    }
    // The running start (270) kicks off dust (380) with its sound (13) and
    // goes off at 100 along the facing.
    for (const int32_t facing : {1, -1}) {
        SCOPED_TRACE(facing);
        Room r(Scenario::CellX(4));
        r.s.Run(8);
        r.s.ClearSounds();
        r.ninja->facing = facing;
        r.ninja->SetState(270);
        EXPECT_EQ(r.ninja->vx, 100 * facing);
        EXPECT_EQ(CountEffects(380), 1);
        EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{13});
    }
}

// The jump of the player interface: only with a fresh press and the feet on
// the ground; it flies along the stored attack direction.
TEST(PlayerScenario, TheJumpNeedsAFreshPressAndTheGround) {
    Room r;
    r.s.Run(8);
    r.ninja->controlled = 0;  // the handlers leave the press alone
    r.ninja->attackDirX = 30;
    r.ninja->attackDirY = -50;
    EXPECT_FALSE(r.ninja->TryJump()) << "no press";
    EXPECT_TRUE(IsStanding(r.ninja->frame));
    r.TouchAt(2400, 1000);
    r.s.Run(1);
    ASSERT_TRUE(IsStanding(r.ninja->frame));
    r.ninja->y = 1200;  // lifted off the floor
    EXPECT_FALSE(r.ninja->TryJump()) << "in the air";
    r.ninja->y = kFloor;
    EXPECT_TRUE(r.ninja->TryJump());
    EXPECT_EQ(r.ninja->frame, 280);
    EXPECT_EQ(r.ninja->vx, 30);
    EXPECT_EQ(r.ninja->vy, -50);
}

// A dive that meets nothing ends on the floor: the record pair 441/442
// falls at 100 until it lands, then the player lands and stands.
TEST(PlayerScenario, ADiveThatMeetsNothingLandsAndStands) {
    Room r(Scenario::CellX(4), 1000);
    r.ninja->SetState(290);
    r.ninja->vx = 35;
    r.s.ClearSounds();
    r.ninja->SetState(440);
    EXPECT_EQ(r.ninja->vx, 0);
    EXPECT_EQ(r.ninja->vy, -40);
    std::vector<int32_t> t;
    for (int i = 0; i < 40 && !IsStanding(r.ninja->frame); ++i) {
        r.s.Run(1);
        t.push_back(r.ninja->frame);
        if (r.ninja->frame == 441 || r.ninja->frame == 442) {
            EXPECT_EQ(r.ninja->vx, 0);
            EXPECT_TRUE(r.ninja->vy == 100 || r.ninja->y == kFloor) << r.ninja->vy;
        }
    }
    EXPECT_EQ(IndexOf(t, 441), 3) << "after 4 frames of 440";
    EXPECT_TRUE(Contains(t, 442));
    EXPECT_FALSE(Contains(t, 443)) << "no bounce without a hit";
    EXPECT_TRUE(Contains(t, 236)) << "landed";
    EXPECT_TRUE(IsStanding(r.ninja->frame));
    EXPECT_EQ(r.ninja->y, kFloor);
    EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{0}) << "the dive's sound as it falls";
}

// A shop door opens the shop only when the player stands, its body touches
// the door and the touch lies on the door; any other touch is a dash.
TEST(PlayerScenario, AShopDoorOpensOnlyToAStandingPlayerAtItTouchedOnIt) {
    struct Case {
        const char* what;
        int32_t doorDx;   // from the player
        int32_t touchDx;  // from the door
        bool inTheAir, opens;
    };
    const Case cases[] = {
        {"at the door, touched on it", 0, 0, false, true},
        {"at the door, touched on its right edge", 0, 200, false, true},
        {"at the door, touched beside it", 0, 260, false, false},
        {"at the door, touched below it", 0, 0, false, false},
        {"away from the door", 1200, 0, false, false},
        {"in the air at the door", 0, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Room r(Scenario::CellX(3));
        r.s.Run(8);
        CCharacter* door = r.s.AddAt(23800, r.ninja->x + c.doorDx, kFloor - 200);
        FrameRecord* rec = door->frameTable.Find(350);
        rec->bodyLeft = rec->bodyTop = -200;
        rec->bodyRight = rec->bodyBottom = 200;
        door->SetState(350);
        CGameInputController::GetInstance()->SetInput(ScreenId::Main);
        if (c.inTheAir) {
            r.ninja->y = kFloor - 150;
            r.ninja->SetState(290);
        }
        const bool below = std::string(c.what).find("below") != std::string::npos;
        r.Tap(door->x + c.touchDx, below ? door->y + 260 : door->y);
        EXPECT_EQ(CGameInputController::GetInstance()->GetTop() == CGameInput::GetInput(ScreenId::MainShop), c.opens);
        EXPECT_EQ(r.ninja->frame == 320, !c.opens) << r.ninja->frame;
    }
}

// A stage object that can be taken hold of, touched away from the body:
// the dash goes to it and takes it on arrival.
TEST(PlayerScenario, AGrabbableObjectTouchedFromAfarIsTakenWhenTheDashReachesIt) {
    Room r(Scenario::CellX(2));
    r.s.Run(8);
    CCharacter* object = r.s.AddAt(23800, Scenario::CellX(6), kFloor - 200);
    FrameRecord* rec = object->frameTable.Find(250);
    rec->bodyLeft = rec->bodyTop = -200;
    rec->bodyRight = rec->bodyBottom = 200;
    object->SetState(250);
    r.s.ClearSounds();
    // Touched 210 beside it: just outside the 200 square around the touch.
    r.Tap(object->x + 410, object->y);
    EXPECT_EQ(r.ninja->frame, 320);
    EXPECT_EQ(r.ninja->grabbedObject, nullptr);
    r.s.Run(40);
    r.s.TouchUp();
    r.ninja->x = Scenario::CellX(2);
    r.ninja->SetState(220);
    r.s.Run(2);
    ASSERT_TRUE(IsStanding(r.ninja->frame));

    // 190 beside it: just within.
    r.Tap(object->x + 390, object->y);
    EXPECT_EQ(r.ninja->frame, 320);
    EXPECT_EQ(r.ninja->grabbedObject, object);
    for (int i = 0; i < 40 && r.ninja->frame != 300; ++i) r.s.Run(1);
    EXPECT_EQ(r.ninja->frame, 300);
    EXPECT_EQ(object->frame, 251);
    EXPECT_EQ(r.ninja->x, object->GetAnchorX());
    EXPECT_EQ(r.ninja->y, kFloor);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
    EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, 8);
    EXPECT_EQ(r.s.Sounds().back(), 66);

    // The spinning jump takes the object it was aimed at once it touches it
    // (280 and 281 alike).
    for (int32_t jump : {280, 281}) {
        SCOPED_TRACE(jump);
        Room q(Scenario::CellX(2));
        q.s.Run(8);
        CCharacter* other = q.s.AddAt(23800, Scenario::CellX(2) + 200, kFloor - 200);
        FrameRecord* body = other->frameTable.Find(250);
        body->bodyLeft = body->bodyTop = -200;
        body->bodyRight = body->bodyBottom = 200;
        other->SetState(250);
        CEffect::GetInstance()->m_fadeTarget = 0;
        q.s.ClearSounds();
        q.ninja->attackDirX = 30;
        q.ninja->attackDirY = -40;
        q.ninja->grabbedObject = other;
        q.ninja->SetState(jump);
        ASSERT_TRUE(q.ninja->BodyTouches(other));
        q.s.Run(1);
        EXPECT_EQ(q.ninja->frame, 300);
        EXPECT_EQ(other->frame, 251);
        EXPECT_EQ(q.ninja->x, other->GetAnchorX());
        EXPECT_EQ(CEffect::GetInstance()->m_fadeTarget, 255);
        EXPECT_EQ(q.s.Sounds(), std::vector<int32_t>{66});
    }
}

// The knocked-back death: thrown back at 30 and up at 50, it falls at a
// quarter of the gravity, bounces once at 20 and then lies still.
TEST(PlayerScenario, AKnockedBackPlayerBouncesOnceAndLies) {
    for (int32_t facing : {1, -1}) {
        SCOPED_TRACE(facing);
        Room r(Scenario::CellX(4));
        r.s.Run(8);
        // Give the poses a body, so that the floor can stop them.
        const FrameRecord& stand = r.ninja->RecordAt(230);
        for (int32_t f = 112; f <= 115; ++f) {
            FrameRecord* rec = r.ninja->frameTable.Find(f);
            rec->bodyLeft = stand.bodyLeft;
            rec->bodyRight = stand.bodyRight;
            rec->bodyTop = stand.bodyTop;
            rec->bodyBottom = stand.bodyBottom;
        }
        r.ninja->facing = facing;
        r.ninja->SetState(112);
        EXPECT_EQ(r.ninja->vx, -30 * facing);
        EXPECT_EQ(r.ninja->vy, -50);
        int32_t vy = r.ninja->vy;
        bool bounced = false;
        for (int i = 0; i < 200 && r.ninja->frame != 115; ++i) {
            r.s.Run(1);
            if (r.ninja->frame == 113 && !bounced) {
                bounced = true;
                EXPECT_EQ(r.ninja->vy, -20) << "the bounce";
            } else if (r.ninja->frame == 112) {
                EXPECT_LE(r.ninja->vy - vy, 2) << "a quarter of the gravity";
                EXPECT_GE(r.ninja->vy - vy, 1);
            }
            vy = r.ninja->vy;
        }
        EXPECT_TRUE(bounced);
        EXPECT_EQ(r.ninja->frame, 115);
        EXPECT_EQ(r.ninja->vx, 0);
        EXPECT_EQ(r.ninja->vy, 0);
        EXPECT_EQ(r.ninja->y, kFloor);
        r.s.Run(10);
        EXPECT_EQ(r.ninja->frame, 115) << "lies";
    }
}

// Entries that depend on the state the player comes from: standing up
// takes a hold (the floor: 236) unless the player walked, ran, threw from
// the ground, landed already or ends the opening's pose; the katana's wind-up
// lifts a standing player by 100 and the hurt state by 200, and no one
// else; the carried pose waits in the air in 304.
TEST(PlayerScenario, EntriesDependOnWhereThePlayerComesFrom) {
    struct Case {
        int32_t from, to, frame, dy;
    };
    const Case cases[] = {
        {250, 230, 230, 0},   {253, 230, 230, 0},  {260, 230, 230, 0},    {263, 230, 230, 0},
        {236, 230, 230, 0},   {383, 230, 230, 0},  {403, 230, 230, 0},    {423, 230, 230, 0},
        {986, 230, 230, 0},   {290, 230, 236, 0},  {310, 230, 236, 0},    {322, 230, 236, 0},
        {230, 330, 330, -100}, {231, 330, 330, -100}, {236, 330, 330, -100}, {290, 330, 330, 0},
        {230, 10, 10, -200},  {236, 10, 10, -200}, {290, 10, 10, 0},      {230, 300, 300, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        Room r(Scenario::CellX(4));
        r.s.Run(8);
        r.ninja->frame = c.from;
        r.ninja->vx = 10;
        r.ninja->airDashes = 0;
        r.ninja->SetState(c.to);
        EXPECT_EQ(r.ninja->frame, c.frame);
        EXPECT_EQ(r.ninja->y, kFloor + c.dy);
        if (c.to == 230 || c.to == 330 || c.to == 10) {
            EXPECT_EQ(r.ninja->airDashes, 1) << "the air dash comes back";
        }
        if (c.to != 10) {
            EXPECT_EQ(r.ninja->vx, 0);
        }
    }
    // Carried in the air: the pose that waits.
    Room r(Scenario::CellX(4), 1000);
    r.ninja->vx = 10;
    r.ninja->SetState(300);
    EXPECT_EQ(r.ninja->frame, 304);
    EXPECT_EQ(r.ninja->vx, 0);
}

// A hold lasts while its surface is touched: the wall behind the player
// (left when facing right, right when facing left) or the ceiling; away
// from it the player falls.
TEST(PlayerScenario, AHoldEndsInAFallWhenItsSurfaceIsGone) {
    struct Case {
        const char* what;
        int32_t x, y, vx, vy, stance, facing, awayX, awayY;
    };
    const Case cases[] = {
        {"the left wall", kLeftWall + 20, 1200, -5, 0, 232, 1, 50, 0},
        {"the right wall", kRightWall - 20, 1200, 5, 0, 232, -1, -50, 0},
        {"the ceiling", Scenario::CellX(4), kCeiling + 20, 0, -5, 234, 0, 0, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Room r(c.x, c.y);
        r.ninja->wallHold = r.ninja->ceilingHold = 1;
        r.ninja->SetState(290);
        r.ninja->vx = c.vx;
        r.ninja->vy = c.vy;
        r.s.Run(3);
        ASSERT_EQ(r.ninja->frame / 2, c.stance / 2);
        if (c.facing != 0) {
            EXPECT_EQ(r.ninja->facing, c.facing);
        }
        for (int i = 0; i < 10; ++i) {
            r.s.Run(1);
            EXPECT_EQ(r.ninja->frame / 2, c.stance / 2) << "held, frame " << i;
        }
        r.ninja->x += c.awayX;
        r.ninja->y += c.awayY;
        r.s.Run(1);
        EXPECT_TRUE(r.ninja->frame == 290 || r.ninja->frame == 291) << r.ninja->frame;
    }
}
