#include "character/Character.h"

#include <gtest/gtest.h>

#include <iterator>
#include <utility>
#include <vector>

#include "character/CharacterList.h"
#include "character/TestCharacter.h"
#include "framework/GameMain.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kHeldState = 230;

}  // namespace

// --- Timed values ------------------------------------------------------------

TEST(CharacterTimerRule, MinusOneLastsUntilCleared) {
    TestCharacter c;
    c.SetInvulnerable(30);
    c.SetInvulnerable(-1);
    EXPECT_EQ(c.GetInvulnerable(), -1);
    c.SetInvulnerable(100);  // nothing replaces a held timer
    EXPECT_EQ(c.GetInvulnerable(), -1);
    c.SetInvulnerable(-1);
    EXPECT_EQ(c.GetInvulnerable(), -1);
    for (int i = 0; i < 50; ++i) c.Frame();  // never counted down
    EXPECT_EQ(c.GetInvulnerable(), -1);
    c.ClearInvulnerable();
    c.SetInvulnerable(100);
    EXPECT_EQ(c.GetInvulnerable(), 100);
}

TEST(CharacterTimerRule, SmallerOrEqualDoesNotReplaceLarger) {
    TestCharacter c;
    c.SetDamageFlash(5);
    c.SetDamageFlash(5);
    EXPECT_EQ(c.GetDamageFlash(), 5);
    c.SetDamageFlash(3);
    EXPECT_EQ(c.GetDamageFlash(), 5);
    c.SetDamageFlash(6);
    EXPECT_EQ(c.GetDamageFlash(), 6);

    c.SetInvincible(20);
    c.SetInvincible(10);
    EXPECT_EQ(c.GetInvincible(), 20);
    c.SetAuxTimer(7);
    c.SetAuxTimer(0);
    EXPECT_EQ(c.GetAuxTimer(), 7);
    c.SetHitStop(4);
    c.SetHitStop(2);
    EXPECT_EQ(c.hitStop, 4);
}

TEST(CharacterTimerRule, RefusedBlinkAndFlashKeepTheirPattern) {
    TestCharacter c;
    c.SetBlink(10, 4, 2);
    EXPECT_EQ(c.GetBlink(), 10);
    EXPECT_EQ(c.blinkPeriod, 4);
    EXPECT_EQ(c.blinkVisible, 2);
    c.SetBlink(8, 9, 9);  // refused: smaller
    EXPECT_EQ(c.GetBlink(), 10);
    EXPECT_EQ(c.blinkPeriod, 4);
    EXPECT_EQ(c.blinkVisible, 2);
    c.SetBlink(10, 9, 9);  // refused: not larger
    EXPECT_EQ(c.blinkPeriod, 4);
    c.SetBlink(-1, 6, 3);
    EXPECT_EQ(c.GetBlink(), -1);
    EXPECT_EQ(c.blinkPeriod, 6);
    c.SetBlink(-1, 7, 7);  // refused: held
    EXPECT_EQ(c.blinkPeriod, 6);

    c.SetFlash(5, 3, 1);
    c.SetFlash(4, 8, 8);
    EXPECT_EQ(c.GetFlash(), 5);
    EXPECT_EQ(c.flashPeriod, 3);
    EXPECT_EQ(c.flashOn, 1);
}

// --- Frame entry -------------------------------------------------------------

TEST(CharacterFrame, HitStopCountsDownWithPushesStillApplied) {
    TestCharacter c;
    c.SetState(kHeldState);
    c.SetHitStop(3);
    c.SetInvincible(5);
    std::vector<int32_t> seen;
    for (int i = 0; i < 3; ++i) {
        c.pushX = 10;
        c.pushY = -4;
        seen.push_back(c.hitStop);
        c.Frame();
        EXPECT_EQ(c.pushX, 0);
        EXPECT_EQ(c.pushY, 0);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{3, 2, 1}));
    EXPECT_EQ(c.hitStop, 0);
    EXPECT_EQ(c.x, 30);
    EXPECT_EQ(c.y, -12);
    EXPECT_EQ(c.updates, 0);
    EXPECT_EQ(c.GetInvincible(), 5);

    c.Frame();  // the fourth frame runs the timers and the update again
    EXPECT_EQ(c.updates, 1);
    EXPECT_EQ(c.GetInvincible(), 4);
}

TEST(CharacterFrame, CountsDownEveryPositiveTimerAndClearsCarry) {
    TestCharacter c;
    c.SetState(kHeldState);
    c.SetInvincible(2);
    c.SetInvulnerable(2);
    c.SetDamageFlash(2);
    c.SetAuxTimer(2);
    c.SetBlink(2, 1, 1);
    c.SetFlash(2, 1, 1);
    c.guardTimer = 2;
    c.carryX = 5;
    c.carryY = 6;
    c.Frame();
    EXPECT_EQ(c.invincibleTimer, 1);
    EXPECT_EQ(c.invulnerableTimer, 1);
    EXPECT_EQ(c.damageFlashTimer, 1);
    EXPECT_EQ(c.auxTimer, 1);
    EXPECT_EQ(c.blinkTimer, 1);
    EXPECT_EQ(c.flashTimer, 1);
    EXPECT_EQ(c.guardTimer, 1);
    EXPECT_EQ(c.carryX, 0);
    EXPECT_EQ(c.carryY, 0);
    c.Frame();
    c.Frame();
    EXPECT_EQ(c.invincibleTimer, 0);
    EXPECT_EQ(c.guardTimer, 0);
}

// --- Frame records and stepping ----------------------------------------------

TEST(CharacterRecords, SetFrameRecordTakesNextFrameBeforeNextState) {
    TestCharacter c;
    c.SetFrameRecord(10, 1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 40, 41, 42, 43, 44);
    const FrameRecord& r = c.RecordAt(10);
    EXPECT_EQ(r.u, 1);
    EXPECT_EQ(r.spriteBottom, 6);
    EXPECT_EQ(r.solidLeft, 0);
    EXPECT_EQ(r.solidBottomRight, 0);
    EXPECT_EQ(r.bodyLeft, 12);
    EXPECT_EQ(r.attackBottom, 19);
    EXPECT_EQ(r.hurtBottom, 23);
    EXPECT_EQ(r.nextFrame, 40);
    EXPECT_EQ(r.frameDuration, 41);
    EXPECT_EQ(r.nextState, 42);
    EXPECT_EQ(r.stateDuration, 43);
    EXPECT_EQ(r.textureId, 44);
}

TEST(CharacterRecords, ARecordWithAnyOneFieldSetIsNotAnEmptyRecord) {
    // Empty records are the ones a table leaves out: a player variant
    // takes those from its base class, and only an attacker with a
    // holding record holds the player. Every field counts.
    using Field = int32_t FrameRecord::*;
    const Field fields[] = {
        &FrameRecord::u,           &FrameRecord::v,           &FrameRecord::spriteLeft,
        &FrameRecord::spriteRight, &FrameRecord::spriteTop,   &FrameRecord::spriteBottom,
        &FrameRecord::solidLeft,   &FrameRecord::solidRight,  &FrameRecord::solidTopLeft,
        &FrameRecord::solidTopRight, &FrameRecord::solidBottomLeft, &FrameRecord::solidBottomRight,
        &FrameRecord::bodyLeft,    &FrameRecord::bodyRight,   &FrameRecord::bodyTop,
        &FrameRecord::bodyBottom,  &FrameRecord::attackLeft,  &FrameRecord::attackRight,
        &FrameRecord::attackTop,   &FrameRecord::attackBottom, &FrameRecord::hurtLeft,
        &FrameRecord::hurtRight,   &FrameRecord::hurtTop,     &FrameRecord::hurtBottom,
        &FrameRecord::nextFrame,   &FrameRecord::nextState,   &FrameRecord::frameDuration,
        &FrameRecord::stateDuration, &FrameRecord::textureId,
    };
    static_assert(std::size(fields) == 29);
    int index = 0;
    for (Field f : fields) {
        FrameRecord one{};
        one.*f = -1;
        EXPECT_NE(one, FrameRecord{}) << "field " << index;
        FrameRecord same = one;
        EXPECT_EQ(same, one) << "field " << index;
        same.*f = 1;
        EXPECT_NE(same, one) << "field " << index;
        ++index;
    }
}

TEST(CharacterRecords, RecordZeroIsTheDefaultRecord) {
    TestCharacter c;
    const FrameRecord& r = c.RecordAt(0);
    EXPECT_EQ(r.u, 32);
    EXPECT_EQ(r.v, 32);
    EXPECT_EQ(r.spriteLeft, -32);
    EXPECT_EQ(r.spriteRight, 31);
    EXPECT_EQ(r.spriteTop, -32);
    EXPECT_EQ(r.spriteBottom, 31);
    EXPECT_EQ(r.nextFrame, 0);
    EXPECT_EQ(r.nextState, 0);
    EXPECT_EQ(r.frameDuration, 1);
    EXPECT_EQ(r.stateDuration, 1);
    EXPECT_EQ(r.textureId, 0);
}

TEST(CharacterRecords, HeldFrameAndStateAfter999Ticks) {
    TestCharacter c;
    c.SetState(kHeldState);
    c.ConsumeStateChange();
    for (int i = 0; i < 998; ++i) c.Update();
    EXPECT_EQ(c.frameTimer, 998);
    EXPECT_EQ(c.stateTimer, 998);
    c.Update();  // the 999th tick restarts both timers and keeps the record
    EXPECT_EQ(c.frame, kHeldState);
    EXPECT_EQ(c.frameTimer, 0);
    EXPECT_EQ(c.stateTimer, 0);
    EXPECT_EQ(c.alive, 1);
    for (int i = 0; i < 2000; ++i) c.Update();
    EXPECT_EQ(c.frame, kHeldState);
    EXPECT_EQ(c.alive, 1);
}

TEST(CharacterRecords, FrameChainsWithinAHeldState) {
    TestCharacter c;
    // 240 -> 241 -> 240 every 2 ticks; the state itself holds.
    c.SetFrameRecord(240, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 241, 2, -1, 999, 0);
    c.SetFrameRecord(241, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 240, 2, -1, 999, 0);
    c.SetState(240);
    std::vector<int32_t> frames;
    for (int i = 0; i < 6; ++i) {
        c.Update();
        frames.push_back(c.frame);
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{240, 241, 241, 240, 240, 241}));
    EXPECT_EQ(c.stateTimer, 6);
}

TEST(CharacterRecords, StateDurationEntersTheNextState) {
    TestCharacter c;
    c.SetFrameRecord(250, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 999, 260, 3, 0);
    c.SetState(250);
    c.Update();
    c.Update();
    EXPECT_EQ(c.frame, 250);
    c.Update();
    EXPECT_EQ(c.frame, 260);
    EXPECT_EQ(c.stateTimer, 0);
    EXPECT_EQ(c.pendingState, -1);  // consumed in the same step
}

TEST(CharacterRecords, RecordZeroRemovesInTheFirstUpdate) {
    TestCharacter c;
    EXPECT_EQ(c.frame, 0);
    EXPECT_EQ(c.pendingState, -1);
    c.Update();
    EXPECT_EQ(c.alive, 0);
}

TEST(CharacterRecords, SetStateMinusOneOnlyRestartsTheStateTimer) {
    TestCharacter c;
    c.SetState(kHeldState);
    c.Update();
    c.Update();
    c.SetFrame(231);
    c.Update();
    c.pendingState = 77;
    c.SetState(-1);
    EXPECT_EQ(c.frame, 231);
    EXPECT_EQ(c.pendingState, 77);
    EXPECT_EQ(c.frameTimer, 1);
    EXPECT_EQ(c.stateTimer, 0);
}

TEST(CharacterRecords, SetFrameMinusOneKeepsTheFrame) {
    TestCharacter c;
    c.SetState(kHeldState);
    c.Update();
    c.SetFrame(-1);
    EXPECT_EQ(c.frame, kHeldState);
    EXPECT_EQ(c.frameTimer, 0);
    EXPECT_EQ(c.stateTimer, 1);
}

TEST(CharacterRecords, StandWithoutLifeBecomesDefeatWithOneSound) {
    std::vector<int32_t> sounds;
    SetSoundEffectObserver([&](int32_t slot) { sounds.push_back(slot); });
    TestCharacter c;
    c.hp = 0;
    c.SetState(kHeldState);
    c.Update();
    c.SetState(220);
    SetSoundEffectObserver(nullptr);
    EXPECT_EQ(sounds, (std::vector<int32_t>{31}));
    EXPECT_EQ(c.frame, 110);
    EXPECT_EQ(c.pendingState, 110);
    EXPECT_EQ(c.frameTimer, 0);
    EXPECT_EQ(c.stateTimer, 0);
}

TEST(CharacterRecords, StandWithLifeStaysStanding) {
    std::vector<int32_t> sounds;
    SetSoundEffectObserver([&](int32_t slot) { sounds.push_back(slot); });
    TestCharacter c;
    c.hp = 1;
    c.SetState(220);
    SetSoundEffectObserver(nullptr);
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(c.frame, 220);
}

TEST(CharacterRecords, StatesOutsideTheTableCountAsTheZeroRecord) {
    TestCharacter c;
    c.SetState(TestCharacter::kRecords + 5000);  // from a bad map cell or save
    EXPECT_EQ(c.CurrentRecord().frameDuration, 0);
    EXPECT_EQ(c.CurrentRecord().nextState, 0);
    c.Update();
    EXPECT_EQ(c.alive, 0);

    TestCharacter negative;
    negative.SetState(-7);
    negative.Update();
    EXPECT_EQ(negative.alive, 0);

    // Writing outside the table goes nowhere.
    TestCharacter w;
    w.SetFrameRecord(TestCharacter::kRecords, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    w.SetFrameRecord(-1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);
    EXPECT_EQ(w.frameTable.Find(TestCharacter::kRecords), nullptr);
    EXPECT_EQ(w.RecordAt(-1).u, 0);
}

TEST(CharacterRecords, ACharacterWithoutTableRemovesItself) {
    struct Bare : CCharacter {
        void Update() override { StepAnimation(); }
    } c;
    c.hp = 1;
    c.SetState(220);
    c.Update();
    EXPECT_EQ(c.alive, 0);
}

TEST(CharacterRecords, ConsumingStateZeroClearsAlive) {
    TestCharacter c;
    c.SetState(0);
    EXPECT_EQ(c.alive, 1);
    c.ConsumeStateChange();
    EXPECT_EQ(c.alive, 0);
    EXPECT_EQ(c.pendingState, -1);
}

// --- Links -------------------------------------------------------------------

TEST(CharacterLinks, FirstAndLastFreeEntries) {
    TestCharacter c;
    TestCharacter other;
    c.linksA[14] = &other;
    c.linksA[15] = &other;
    EXPECT_EQ(c.LinkALast(&other), 13);
    EXPECT_EQ(c.LinkA(&other), 0);
    for (int i = 1; i < 13; ++i) EXPECT_EQ(c.LinkA(&other), i);
    EXPECT_EQ(c.LinkA(&other), kLinkCount);
    EXPECT_EQ(c.LinkALast(&other), -1);
    EXPECT_EQ(c.LinkBLast(&other), 15);
    EXPECT_EQ(c.LinkB(&other), 0);
}

TEST(CharacterLinks, LinksToADeletedCharacterBecomeNull) {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    auto* holder = new TestCharacter;
    auto* dying = new TestCharacter;
    auto* keeper = new TestCharacter;
    holder->SetState(kHeldState);
    dying->SetState(kHeldState);
    keeper->SetState(kHeldState);
    world.Add(holder);
    world.Add(dying);
    world.Add(keeper);
    holder->linksA[3] = dying;
    holder->linksB[0] = dying;
    holder->linksB[1] = keeper;
    keeper->linksA[0] = dying;
    dying->linksA[0] = holder;

    dying->onUpdate = [](TestCharacter& self) { self.alive = 0; };
    world.UpdateAll();
    ASSERT_EQ(world.GetCount(), 2);
    EXPECT_EQ(holder->linksA[3], nullptr);
    EXPECT_EQ(holder->linksB[0], nullptr);
    EXPECT_EQ(holder->linksB[1], keeper);
    EXPECT_EQ(keeper->linksA[0], nullptr);
    world.DeleteAll();
}

TEST(CharacterLinks, EveryWayOfLinkingIsClearedWhenTheTargetGoes) {
    // A character that was never linked to leaves without sweeping the
    // world; whatever way a link is made, its target counts as linked.
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    struct Way {
        const char* name;
        void (*link)(CCharacter& holder, CCharacter& target);
    };
    const Way ways[] = {
        {"assigned", [](CCharacter& h, CCharacter& t) { h.linksB[5] = &t; }},
        {"LinkA", [](CCharacter& h, CCharacter& t) { h.LinkA(&t); }},
        {"LinkBLast", [](CCharacter& h, CCharacter& t) { h.LinkBLast(&t); }},
        {"copied from a link", [](CCharacter& h, CCharacter& t) {
             CharacterLink other;
             other = &t;
             h.linksA[7] = other;
         }},
        {"swapped in", [](CCharacter& h, CCharacter& t) {
             h.linksA[1] = &t;
             std::swap(h.linksA[1], h.linksA[9]);
         }},
    };
    for (const Way& way : ways) {
        auto* holder = new TestCharacter;
        auto* dying = new TestCharacter;
        holder->SetState(kHeldState);
        dying->SetState(kHeldState);
        world.Add(holder);
        world.Add(dying);
        EXPECT_FALSE(dying->linkedTo) << way.name;
        way.link(*holder, *dying);
        EXPECT_TRUE(dying->linkedTo) << way.name;
        dying->onUpdate = [](TestCharacter& self) { self.alive = 0; };
        world.UpdateAll();
        ASSERT_EQ(world.GetCount(), 1) << way.name;
        for (int32_t k = 0; k < kLinkCount; ++k) {
            EXPECT_EQ(holder->linksA[k], nullptr) << way.name << " A " << k;
            EXPECT_EQ(holder->linksB[k], nullptr) << way.name << " B " << k;
        }
        world.DeleteAll();
    }
}

TEST(CharacterLinks, HasChildOfType19990) {
    TestCharacter c;
    TestCharacter child;
    EXPECT_FALSE(c.HasChildOfType19990());
    c.linksB[9] = &child;
    EXPECT_FALSE(c.HasChildOfType19990());
    child.typeId = 19990;
    EXPECT_TRUE(c.HasChildOfType19990());
}

TEST(CharacterLinks, OwnedListsAreEmptiedNotDeleted) {
    bool memberDestroyed = false;
    auto* member = new TestCharacter;
    member->destroyed = &memberDestroyed;
    {
        TestCharacter owner;
        owner.ownedLists[0] = new CCharacterList;
        owner.ownedLists[0]->Add(member);
    }
    EXPECT_FALSE(memberDestroyed);
    delete member;
    EXPECT_TRUE(memberDestroyed);
}

// --- Small operations --------------------------------------------------------

TEST(CharacterValues, LifeGaugeAlphaAndGold) {
    TestCharacter c;
    c.hp = 300;
    c.hpMax = 300;
    c.AddHP(-500);
    EXPECT_EQ(c.hp, -200);
    c.hp = 290;
    c.AddHP(50);
    EXPECT_EQ(c.hp, 300);
    c.gauge = 10;
    c.gaugeMax = 20;
    c.AddGauge(15);
    EXPECT_EQ(c.gauge, 20);

    c.SetAlpha(300);
    EXPECT_EQ(c.alpha, 255);
    c.SetAlpha(-3);
    EXPECT_EQ(c.alpha, 0);
    c.AddAlpha(40);
    EXPECT_EQ(c.alpha, 40);
    c.AddAlphaClamped(100, 0, 120);
    EXPECT_EQ(c.alpha, 120);

    c.IncGold();
    c.AddGold(4);
    EXPECT_EQ(c.GetGold(), 5);
}

TEST(CharacterValues, PlayTimeAndCountdown) {
    TestCharacter c;
    c.SetPlayTime(40000);
    c.SetPlayTimeRunning(true);
    c.TickPlayTime();
    EXPECT_EQ(c.GetPlayTime(), 40000);
    c.SetPlayTimeRunning(false);
    c.SetPlayTime(12);
    c.TickPlayTime();
    EXPECT_EQ(c.GetPlayTime(), 12);
    c.SetPlayTime(40005);
    c.TickPlayTime();
    EXPECT_EQ(c.GetPlayTime(), 40000);

    c.combo = 7;
    c.comboWindow = 0;
    c.TickCountdown();
    EXPECT_EQ(c.combo, 0);
    EXPECT_EQ(c.comboWindow, 0);
    c.combo = 3;
    c.comboWindow = 2;
    c.TickCountdown();
    EXPECT_EQ(c.combo, 3);
    EXPECT_EQ(c.comboWindow, 1);
}

TEST(CharacterValues, FacePlayerAndFaceVelocity) {
    TestCharacter player;
    CGameMain::GetInstance()->m_player = &player;
    TestCharacter c;
    player.x = 100;
    c.x = 50;
    c.facing = -1;
    c.FacePlayer();
    EXPECT_EQ(c.facing, 1);
    c.x = 150;
    c.FacePlayer();
    EXPECT_EQ(c.facing, -1);
    c.x = 100;
    c.FacePlayer();
    EXPECT_EQ(c.facing, -1);
    CGameMain::GetInstance()->m_player = nullptr;
    c.facing = 1;
    c.x = 0;
    c.FacePlayer();  // no player: unchanged
    EXPECT_EQ(c.facing, 1);

    c.vx = 0;
    c.vy = -10;
    c.FaceVelocity();
    EXPECT_DOUBLE_EQ(c.angle, 0.0);
    c.vx = 10;
    c.vy = 0;
    c.FaceVelocity();
    EXPECT_NEAR(c.angle, 1.5707963267948966, 1e-12);
}

TEST(CharacterValues, ConstructionDefaults) {
    CCharacter c;
    EXPECT_EQ(c.alive, 1);
    EXPECT_EQ(c.pendingState, -1);
    EXPECT_EQ(c.frame, 0);
    EXPECT_EQ(c.homeState, 0);
    EXPECT_EQ(c.facing, 1);
    EXPECT_EQ(c.hoverDir, 1);
    EXPECT_EQ(c.blinkPeriod, 1);
    EXPECT_EQ(c.flashPeriod, 1);
    EXPECT_EQ(c.mapColumn, -1);
    EXPECT_EQ(c.mapRow, -1);
    EXPECT_EQ(c.targetable, 1);
    EXPECT_EQ(c.alpha, 255);
    EXPECT_DOUBLE_EQ(c.scaleX, 1.0);
    EXPECT_DOUBLE_EQ(c.scaleY2, 1.0);
    EXPECT_EQ(c.frameTable.Count(), 0);
    EXPECT_FALSE(c.IsTweening());
    for (CCharacter* link : c.linksA) EXPECT_EQ(link, nullptr);
}
