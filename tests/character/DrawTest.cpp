// Drawing and the visual motions of the character base: where and how a
// character's sprite is drawn, parallax scrolling, attachment to a parent,
// the tween and the afterimage trail.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "character/Character.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/TestCharacter.h"
#include "framework/GameMain.h"
#include "support/Scenario.h"
#include "support/WorldList.h"
#include "win/Sprite.h"

using testing_support::Scenario;

namespace {

constexpr int32_t kState = 230;

// What one DrawSprite saw, with the draw parameters of that moment.
struct Seen {
    SpriteDraw draw;
    float direction, angle, pivotX, pivotY, scaleX, scaleY;
    uint32_t colour;
    int blendMode, colourMode;
};

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSpriteObserver([this](const SpriteDraw& d) {
            seen.push_back({d, DrawParams::direction, DrawParams::angle, DrawParams::pivotX, DrawParams::pivotY,
                            DrawParams::scaleX, DrawParams::scaleY, DrawParams::colour, DrawParams::blendMode,
                            DrawParams::colourMode});
        });
    }
    void TearDown() override {
        SetSpriteObserver(nullptr);
        PlayFieldOffset::x = PlayFieldOffset::y = 0;
        CGameMain::GetInstance()->m_characterList.DeleteAll();
    }

    // A character in a record with the given sprite rectangle around (u, v).
    static void Picture(CCharacter& c, int32_t u, int32_t v, int32_t left, int32_t right, int32_t top, int32_t bottom,
                        int32_t slot = 7) {
        c.SetFrameRecord(kState, u, v, left, right, top, bottom, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 999, -1, 999,
                         slot);
        c.SetState(kState);
    }

    std::vector<Seen> seen;
};

}  // namespace

TEST_F(DrawTest, OneSpriteAtThePositionMirroredByFacing) {
    TestCharacter c;
    Picture(c, 100, 60, -16, 15, -20, 9);
    c.x = 1234;
    c.y = 567;
    c.facing = -1;
    c.CCharacter::Draw();
    c.facing = 1;
    c.CCharacter::Draw();
    ASSERT_EQ(seen.size(), 2u);
    // Facing -1: from the right edge; +1: from the left edge.
    EXPECT_EQ(seen[0].draw.x, 123 - 15);
    EXPECT_EQ(seen[1].draw.x, 123 - 16);
    EXPECT_EQ(seen[0].draw.y, 56 - 20);
    EXPECT_EQ(seen[0].direction, -1.0f);
    EXPECT_EQ(seen[1].direction, 1.0f);
    // The rectangle of the record, its anchor the pivot.
    EXPECT_EQ(seen[1].draw.slot, 7);
    EXPECT_EQ(seen[1].draw.srcX, 84);
    EXPECT_EQ(seen[1].draw.srcY, 40);
    EXPECT_EQ(seen[1].draw.w, 32);
    EXPECT_EQ(seen[1].draw.h, 30);
    EXPECT_EQ(seen[1].pivotX, 16.0f);
    EXPECT_EQ(seen[1].pivotY, 20.0f);
}

TEST_F(DrawTest, PositionTruncatesTowardZeroAndAddsThePlayFieldOffset) {
    TestCharacter c;
    Picture(c, 32, 32, 0, 7, 0, 7);
    c.x = -5;
    c.y = -19;
    c.CCharacter::Draw();
    PlayFieldOffset::x = 30;
    PlayFieldOffset::y = -4;
    c.CCharacter::Draw();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].draw.x, 0);  // -5 / 10 is 0, not -1
    EXPECT_EQ(seen[0].draw.y, -1);
    EXPECT_EQ(seen[1].draw.x, 30);
    EXPECT_EQ(seen[1].draw.y, -5);
}

TEST_F(DrawTest, LooksComeFromTheCharacter) {
    TestCharacter c;
    Picture(c, 32, 32, -8, 7, -8, 7);
    c.angle = 0.75;
    c.scaleX = 2.0;
    c.scaleY = 3.0;
    c.colorR = 0x12;
    c.colorG = 0x34;
    c.colorB = 0x56;
    c.alpha = 0x78;
    c.blendMode = 2;
    c.CCharacter::Draw();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FLOAT_EQ(seen[0].angle, 0.75f);
    EXPECT_EQ(seen[0].scaleX, 2.0f);
    EXPECT_EQ(seen[0].scaleY, 3.0f);
    EXPECT_EQ(seen[0].colour, 0x78123456u);
    EXPECT_EQ(seen[0].blendMode, 2);
    EXPECT_EQ(seen[0].colourMode, 0);
}

TEST_F(DrawTest, InvincibilityAndBlinkHideSomeFrames) {
    TestCharacter c;
    Picture(c, 32, 32, -8, 7, -8, 7);
    auto drawn = [&] {
        seen.clear();
        c.CCharacter::Draw();
        return !seen.empty();
    };
    // Invincibility hides one frame of three: 5 (and 2, 8 ...).
    c.invincibleTimer = 5;
    EXPECT_FALSE(drawn());
    c.invincibleTimer = 4;
    EXPECT_TRUE(drawn());
    c.invincibleTimer = 3;
    EXPECT_TRUE(drawn());
    c.invincibleTimer = -1;  // held: remainder -1 never hides
    EXPECT_TRUE(drawn());
    c.invincibleTimer = 0;
    // Blink: hidden while timer mod period >= visible.
    c.blinkPeriod = 4;
    c.blinkVisible = 3;
    c.blinkTimer = 7;
    EXPECT_FALSE(drawn());
    c.blinkTimer = 6;
    EXPECT_TRUE(drawn());
    c.blinkTimer = -1;
    EXPECT_TRUE(drawn());
}

TEST_F(DrawTest, DamageFlashAndFlashDrawASilhouetteAndPutTheModeBack) {
    TestCharacter c;
    Picture(c, 32, 32, -8, 7, -8, 7);
    c.damageFlashTimer = 4;  // 1, 4, 7 ...
    c.CCharacter::Draw();
    c.damageFlashTimer = 3;
    c.CCharacter::Draw();
    c.damageFlashTimer = 0;
    c.flashPeriod = 3;
    c.flashOn = 1;
    c.flashTimer = 5;  // 5 mod 3 = 2 >= 1: white
    c.CCharacter::Draw();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].colourMode, 1);
    EXPECT_EQ(seen[1].colourMode, 0);
    EXPECT_EQ(seen[2].colourMode, 1);
    // The next sprite anyone draws starts from the plain mode.
    EXPECT_EQ(DrawParams::colourMode, 0);
    EXPECT_EQ(DrawParams::textureFactor, 0xFFFFFFFFu);
}

// --- Parallax ------------------------------------------------------------------

TEST(Parallax, ModesShiftByTheirShareAndCarryTheRemainders) {
    TestCharacter c;
    c.x = 1000;
    c.y = 1000;
    c.parallaxMode = 9;  // pinned to the screen
    c.ScrollParallax(123, -77);
    EXPECT_EQ(c.x, 1000);
    EXPECT_EQ(c.y, 1000);

    c.parallaxMode = 3;  // a quarter
    c.ScrollParallax(100, 100);
    EXPECT_EQ(c.x, 975);
    EXPECT_EQ(c.parallaxRemX, 0);
    EXPECT_EQ(c.y, 975);

    c.parallaxMode = 5;  // a half: 1, 1, 1, 1 shift by 0, 1, 0, 1
    std::vector<int32_t> shifts;
    for (int i = 0; i < 4; ++i) {
        const int32_t before = c.x;
        c.ScrollParallax(1, 0);
        shifts.push_back(before - c.x);
    }
    EXPECT_EQ(shifts, (std::vector<int32_t>{0, 1, 0, 1}));

    c.parallaxMode = 6;  // two thirds, the remainder keeps the sign of the scroll
    c.x = 0;
    c.parallaxRemX = 0;
    c.ScrollParallax(-2, 0);
    EXPECT_EQ(c.x, 1);  // -4 / 3 = -1 moved back
    EXPECT_EQ(c.parallaxRemX, -1);
    c.ScrollParallax(-1, 0);
    EXPECT_EQ(c.x, 2);
    EXPECT_EQ(c.parallaxRemX, 0);

    c.parallaxMode = 1;
    c.x = 0;
    c.parallaxRemX = 0;
    for (int i = 0; i < 16; ++i) c.ScrollParallax(1, 0);
    EXPECT_EQ(c.x, -1);
}

TEST(Parallax, ModesWithoutAShareMoveWithTheWorld) {
    for (int32_t mode : {0, 7, 8, 10, 42, -1}) {
        TestCharacter c;
        c.parallaxMode = mode;
        c.x = 500;
        c.y = 500;
        c.ScrollParallax(0, 0);  // no division by a missing share
        c.ScrollParallax(37, -11);
        EXPECT_EQ(c.x, 463) << mode;
        EXPECT_EQ(c.y, 511) << mode;
        EXPECT_EQ(c.parallaxRemX, 0) << mode;
    }
}

// --- Parent and tween ----------------------------------------------------------

TEST(FollowParent, RotatedScaledMirroredOffset) {
    TestCharacter parent, child;
    parent.x = 1000;
    parent.y = 2000;
    parent.facing = -1;
    parent.scaleX = parent.scaleY = 2.0;
    child.parentOffsetX = 30;
    child.parentOffsetY = 10;
    child.FollowParent();  // no parent: nothing
    EXPECT_EQ(child.x, 0);
    child.linksA[0] = &parent;
    child.FollowParent();
    EXPECT_EQ(child.x, 940);
    EXPECT_EQ(child.y, 2020);

    // A quarter turn of the parent turns the offset with it.
    parent.angle = std::acos(-1.0) / 2;
    parent.facing = 1;
    child.facing = -1;
    child.relativeAngle = 0.25;
    child.FollowParent();
    EXPECT_NEAR(child.x, 1000 - 20, 1);
    EXPECT_NEAR(child.y, 2000 + 60, 1);
    EXPECT_DOUBLE_EQ(child.angle, -0.25 + parent.angle);
}

TEST(Tween, EasingStepsAndEnds) {
    TestCharacter parent, c;
    c.linksA[0] = &parent;
    // Decelerating over 4: 4/10, 7/10, 9/10, 10/10 of the way.
    c.SetTween(0, 1000, 0, -100, 1.0, 3.0, 2.0, 2.0, 100, 110, 0.0, 1.0, 4, 2);
    EXPECT_TRUE(c.IsTweening());
    EXPECT_DOUBLE_EQ(c.relativeAngle, 0.0);
    std::vector<int32_t> xs, layers;
    for (int i = 0; i < 5; ++i) {
        c.UpdateTween();
        xs.push_back(c.parentOffsetX);
        layers.push_back(c.layer);
    }
    EXPECT_EQ(xs, (std::vector<int32_t>{400, 700, 900, 1000, 1000}));
    EXPECT_EQ(layers, (std::vector<int32_t>{104, 107, 109, 110, 110}));
    EXPECT_EQ(c.parentOffsetY, -100);
    EXPECT_DOUBLE_EQ(c.scaleX, 3.0);
    EXPECT_DOUBLE_EQ(c.relativeAngle, 1.0);
    EXPECT_FALSE(c.IsTweening());

    // Accelerating over 4: 0/6, 1/6, 3/6, 6/6.
    c.SetTween(0, 600, 0, 0, 1.0, 1.0, 1.0, 1.0, 0, 0, 0.0, 0.0, 4, 1);
    xs.clear();
    for (int i = 0; i < 4; ++i) {
        c.UpdateTween();
        xs.push_back(c.parentOffsetX);
    }
    EXPECT_EQ(xs, (std::vector<int32_t>{0, 100, 300, 600}));

    // Linear, with integer truncation toward zero.
    c.SetTween(0, -10, 0, 0, 1.0, 1.0, 1.0, 1.0, 0, 0, 0.0, 0.0, 3, 0);
    c.UpdateTween();
    EXPECT_EQ(c.parentOffsetX, -3);
}

TEST(Tween, TooShortToDivideEndsAtOnce) {
    TestCharacter parent, c;
    c.linksA[0] = &parent;
    for (int32_t mode : {0, 1, 2}) {
        for (int32_t duration : {0, 1}) {
            c.SetTween(0, 500, 0, 70, 1.0, 2.0, 1.0, 4.0, 10, 20, 0.0, 3.0, duration, mode);
            c.UpdateTween();
            EXPECT_EQ(c.parentOffsetX, 500) << mode << " " << duration;
            EXPECT_EQ(c.parentOffsetY, 70);
            EXPECT_DOUBLE_EQ(c.scaleY, 4.0);
            EXPECT_EQ(c.layer, 20);
            EXPECT_FALSE(c.IsTweening());
        }
    }
}

TEST(Tween, NeedsAParentAndMovesNothingByItself) {
    TestCharacter parent, c;
    c.SetTween(0, 500, 0, 0, 1.0, 1.0, 1.0, 1.0, 0, 0, 0.0, 0.0, 2, 0);
    c.UpdateTween();
    EXPECT_EQ(c.tweenStep, 0);
    c.linksA[0] = &parent;
    c.x = 77;
    c.UpdateTween();
    EXPECT_EQ(c.parentOffsetX, 250);
    EXPECT_EQ(c.x, 77);  // FollowParent places it
}

// --- Afterimages -----------------------------------------------------------------

namespace {

std::vector<CCharacter*> Afterimages() {
    return testing_support::InStates(CCharacterEffect::kAfterimage, CCharacterEffect::kAfterimage);
}

}  // namespace

TEST_F(DrawTest, AStartedTrailDropsAfterimagesAlongTheNextMoveOnly) {
    Scenario s({"....."}, {});
    auto* owner = s.Add(std::make_unique<TestCharacter>(), 1000, 500);
    Picture(*owner, 60, 70, -10, 9, -20, 19, 19);
    owner->layer = 152;
    owner->facing = -1;
    owner->parallaxMode = 3;
    owner->angle = owner->angle2 = 0.5;
    owner->scaleX = owner->scaleX2 = owner->scaleY = owner->scaleY2 = 2.0;
    owner->StartAfterimageTinted(4, 0, 151, 224, 224, 255, 240, 16);
    owner->Move(400, 0);
    owner->Move(400, 0);  // one-shot: no more
    const std::vector<CCharacter*> trail = Afterimages();
    ASSERT_EQ(trail.size(), 4u);
    for (int32_t i = 0; i < 4; ++i) {
        const CCharacter& a = *trail[static_cast<std::size_t>(i)];
        EXPECT_EQ(a.x, 1000 + 100 * i);
        EXPECT_EQ(a.y, 500);
        EXPECT_EQ(a.alpha, 240 - 16 + 4 * i);  // faintest first
        EXPECT_EQ(a.layer, 151);
        EXPECT_EQ(a.facing, -1);
        EXPECT_EQ(a.parallaxMode, 3);
        EXPECT_EQ(a.colorB, 255);
        EXPECT_EQ(a.colorR, 224);
        EXPECT_EQ(a.fadeStep, 16);
        EXPECT_EQ(a.vx, 0);
        // The owner's picture, in the afterimage's own record.
        const FrameRecord& r = a.CurrentRecord();
        EXPECT_EQ(r.u, 60);
        EXPECT_EQ(r.v, 70);
        EXPECT_EQ(r.spriteLeft, -10);
        EXPECT_EQ(r.spriteBottom, 19);
        EXPECT_EQ(r.textureId, 19);
        EXPECT_EQ(r.stateDuration, 65535);
    }
    // Other effects keep the class's record.
    CCharacterEffect plain;
    EXPECT_NE(plain.RecordAt(CCharacterEffect::kAfterimage).u, 60);
}

TEST_F(DrawTest, TrailScalesAndAnglesGoFromTheSecondValuesToTheFirst) {
    TestCharacter owner;
    Picture(owner, 32, 32, -8, 7, -8, 7);
    owner.SetAfterimageParams(0, 0, 10, 1.0, 0.0, 3.0, 1.0, 2.0, 2.0, 255, 255, 255, 1, 200, 20, 0.1, 0.2, 30, 1, 2,
                              -3, 4, -5, 6, 57);
    owner.SpawnAfterimagesC(0, 400, 0, 0, 4);
    const std::vector<CCharacter*> trail = Afterimages();
    ASSERT_EQ(trail.size(), 4u);
    const int32_t alphas[4] = {200, 200, 300, 300};  // ((i / 2) + 2) * 2 * 200 / 4
    for (int32_t i = 0; i < 4; ++i) {
        const CCharacter& a = *trail[static_cast<std::size_t>(i)];
        EXPECT_DOUBLE_EQ(a.angle, 0.25 * i);
        EXPECT_DOUBLE_EQ(a.scaleX, 1.0 + 0.5 * i);
        EXPECT_EQ(a.alpha, alphas[i]);
        EXPECT_EQ(a.blendMode, 1);
        EXPECT_DOUBLE_EQ(a.scaleYRate, 0.2);
        EXPECT_EQ(a.CurrentRecord().textureId, 57);
    }
}

TEST_F(DrawTest, ChannelsBAndCSpreadTheirAfterimagesAsTheyShould) {
    Scenario s({"....."}, {});
    auto* owner = s.Add(std::make_unique<TestCharacter>(), 0, 0);
    Picture(*owner, 32, 32, -8, 7, -8, 7);
    // B: one every `count` unit steps along the segment.
    owner->SetAfterimageParams(0, 3, 10, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0, 255, 255, 255, 0, 200, 10, 0.0, 0.0, 30, 32,
                               32, -8, 7, -8, 7, 1);
    owner->Move(4, 6);
    EXPECT_EQ(Afterimages().size(), 3u);  // 10 unit steps, one at every third
    CGameMain::GetInstance()->m_characterList.DeleteAll();

    // C: two short trails on both sides of the position, a quarter of the
    // last step long.
    auto* mover = s.Add(std::make_unique<TestCharacter>(), 1000, 0);
    Picture(*mover, 32, 32, -8, 7, -8, 7);
    mover->StartAfterimageCounted(0, 2, 10, 200, 10);
    mover->Move(400, 0);
    std::vector<int32_t> xs;
    for (CCharacter* a : Afterimages()) xs.push_back(a->x);
    EXPECT_EQ(xs, (std::vector<int32_t>{1500, 1450, 1300, 1350}));
}

TEST(Afterimage, AnAfterimageFadingBy32FromFullIsGoneInItsEighthFrame) {
    Scenario s({"....."}, {});
    TestCharacter owner;
    owner.SpawnAfterimage(500, 500, 120, 0.0, 2.0, 2.0, 255, 255, 255, 0, 255, 32, 0.01, 0.02, 65535, 32, 32, -8, 7,
                          -8, 7, 56);
    ASSERT_EQ(Afterimages().size(), 1u);
    CCharacter* a = Afterimages()[0];
    std::vector<int32_t> alphas;
    for (int frame = 1; frame <= 7; ++frame) {
        s.Run(1);
        ASSERT_EQ(Afterimages().size(), 1u) << frame;
        alphas.push_back(a->alpha);
    }
    EXPECT_EQ(alphas, (std::vector<int32_t>{223, 191, 159, 127, 95, 63, 31}));
    EXPECT_NEAR(a->scaleY, 2.14, 1e-9);
    s.Run(1);
    EXPECT_TRUE(Afterimages().empty());
}
