// The boseki: its plot falling into place round it at the entrance, the
// conjuring of wisp fire and will-o'-wisps in turn, faster as its life
// drops, and the conjuring in a room too narrow for any point (the draws
// give up; the game goes on).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "boss/CharacterBoseki.h"
#include "boss/SideRoom.h"

namespace {

using namespace boss_test;

struct BosekiFight : SideRoom {
    CCharacterBoseki* body = nullptr;
    explicit BosekiFight(std::vector<std::string> grid = RoomGrid(), int32_t bossX = 4000) : SideRoom(800, std::move(grid)) {
        CCharacterBoseki::ResetConjuring();
        body = dynamic_cast<CCharacterBoseki*>(s.AddAt(CCharacterBoseki::kBody, bossX, 1000));
    }
    ~BosekiFight() { CCharacterBoseki::ResetConjuring(); }
    void Begin() { RunUntil([&] { return body->frame == CCharacterBoseki::kFight; }, 800); }
};

TEST(Boseki, ThePlotFallsIntoPlaceRoundTheBodyAndCannotBeTouched) {
    BosekiFight f;
    EXPECT_EQ(f.body->alpha, 0);
    // The body fades in by 16 a frame as it drops; each landing shakes the
    // room 20 frames from -10, easing by 3.
    std::vector<int32_t> fading;
    std::vector<std::vector<int32_t>> shakes;
    int32_t lastShake = 0;
    f.RunUntil(
        [&] {
            const CEffect* e = CEffect::GetInstance();
            if (e->m_shakeFrames > lastShake) shakes.push_back({e->m_shakeFrames, e->m_shakeLowY, e->m_shakeDecay});
            lastShake = e->m_shakeFrames;
            if (f.body->frame == CCharacterBoseki::kDrop && fading.size() < 3) fading.push_back(f.body->alpha);
            return f.body->frame == CCharacterBoseki::kFight;
        },
        800);
    EXPECT_EQ(fading, (std::vector<int32_t>{16, 32, 48}));
    ASSERT_FALSE(shakes.empty());
    // (Seen a frame into it: 19 frames left, its first swing upward.)
    for (const auto& shake : shakes) EXPECT_EQ(shake, (std::vector<int32_t>{19, -10, 3}));
    ASSERT_EQ(f.body->frame, 220);  // fighting
    EXPECT_EQ(f.body->alpha, 255);
    EXPECT_EQ(f.body->y, kFloor - 720);
    // The stupa first of the whole world (drawn behind the rest of its
    // layer), each piece linked back to the body in its own A link and
    // turned the body's way (toward the player, on its left).
    EXPECT_EQ(World().GetAt(1), f.body->linksB[0]);
    const int32_t types[] = {CCharacterBoseki::kStupa, CCharacterBoseki::kLantern, CCharacterBoseki::kTablet,
                             CCharacterBoseki::kFlame, CCharacterBoseki::kFlame};
    const int32_t offsets[] = {0, -500, 400, -500, 200};
    for (int32_t k = 0; k < 5; ++k) {
        CCharacter* piece = f.body->linksB[k];
        ASSERT_NE(piece, nullptr) << k;
        EXPECT_EQ(piece->typeId, types[k]) << k;
        EXPECT_EQ(piece->linksA[k], f.body) << k;
        EXPECT_EQ(piece->facing, -1) << k;
        EXPECT_EQ(piece->x, f.body->x + offsets[k]) << k;
        EXPECT_EQ(piece->alpha, 255) << k;
        EXPECT_EQ(piece->y + piece->CurrentRecord().bodyBottom, kFloor) << k;
    }
    // A thud for the body and the three stone pieces; the fires land
    // silently.
    EXPECT_EQ(f.Heard(56), 4);
    EXPECT_EQ(f.body->linksB[3]->frame / 10, 30);
}

TEST(Boseki, ItConjuresFireThenAWispInTurnFasterAsItsLifeDrops) {
    BosekiFight f;
    f.Begin();
    // At full life every 60 frames: fire first, put exactly on its point
    // far from the player (its timer started at 40: it hangs 60 more
    // frames before it flies), then a wisp.
    f.s.ClearSounds();
    EXPECT_EQ(f.RunUntil([] { return CCharacterBoseki::ConjuredSoFar() == 1; }, 200), 60);
    EXPECT_EQ(f.Heard(21), 1);
    ASSERT_EQ(Shots().size(), 1u);
    const CCharacter* fire = Shots().front();
    const double dx = fire->x - f.player->x, dy = fire->y - f.player->y;
    EXPECT_GE(dx * dx + dy * dy, 1000.0 * 1000.0);
    EXPECT_GE(fire->x, 200);
    EXPECT_LE(fire->x, 20 * kTileSize - 200);
    EXPECT_EQ(fire->stateTimer, 41);  // and it has had its first frame
    EXPECT_EQ(f.RunUntil([] { return CCharacterBoseki::ConjuredSoFar() == 2; }, 200), 60);
    EXPECT_EQ(enemy_test::OfType(10006).size(), 1u);
    // 60 frames while it keeps four fifths of its life (15000: a fifth is
    // 3000), 10 fewer for each fifth lost; a life exactly on a fifth still
    // counts that fifth.
    for (auto [hp, interval] : {std::pair{15000, 60}, {12000, 60}, {11999, 50}, {9000, 50}, {8999, 40}, {6000, 40},
                                {5999, 30}, {3000, 30}, {2999, 20}, {1, 20}}) {
        f.body->hp = hp;
        EXPECT_EQ(f.body->ConjureInterval(), interval) << hp;
    }
    f.body->hp = 2999;
    const int32_t made = CCharacterBoseki::ConjuredSoFar();
    const int n = f.RunUntil([&] { return CCharacterBoseki::ConjuredSoFar() == made + 2; }, 200);
    EXPECT_LE(n, 40);
    EXPECT_GT(n, 20);
    // Every fire and every wisp lies at least 1000 from the player (and
    // the draws come near that), inside the stage but 200 from either end;
    // each is measured as it comes and then taken away.
    f.body->hp = 1;
    double nearest = 1e9;
    int fires = 0, wisps = 0;
    for (int i = 0; i < 3000; ++i) {
        const int32_t made = CCharacterBoseki::ConjuredSoFar();
        f.player->hp = 100;  // (its fires and wisps must not end the test)
        f.s.Run(1);
        if (CCharacterBoseki::ConjuredSoFar() == made) continue;
        // A fire when the count was even, else a wisp: the newest of them.
        const auto wispsNow = enemy_test::OfType(10006);
        CCharacter* hazard = made % 2 == 0 ? Shots(CCharacterBoseki::kWispFire).back() : wispsNow.back();
        ++(made % 2 == 0 ? fires : wisps);
        nearest = std::min(nearest, std::hypot(hazard->x - f.player->x, hazard->y - f.player->y));
        EXPECT_GE(hazard->x, 200);
        EXPECT_LE(hazard->x, 20 * kTileSize - 200);
        hazard->SetState(EnemyState::Remove);
    }
    EXPECT_GE(fires, 70);
    EXPECT_GE(wisps, 70);
    EXPECT_GE(nearest, 1000.0);
    EXPECT_LT(nearest, 1100.0);
    // Nothing while the player is down.
    f.player->hp = 0;
    const int32_t before = CCharacterBoseki::ConjuredSoFar();
    f.s.Run(200);
    EXPECT_EQ(CCharacterBoseki::ConjuredSoFar(), before);
}

TEST(Boseki, InASixCellRoomTheDrawsGiveUpAndTheFightGoesOn) {
    // Six cells, the player in the middle: hardly a point of the drawing
    // area qualifies; the fight runs on in bounded time.
    BosekiFight f(RoomGrid(6), 1400);
    f.player->x = 1200;
    f.Begin();
    ASSERT_EQ(f.body->frame, 220);  // fighting
    f.body->hp = 100;  // every 20 frames
    f.s.Run(400);
    EXPECT_EQ(f.body->frame / 10, 22);
    for (auto* fire : Shots(CCharacterBoseki::kWispFire)) {
        EXPECT_GE(fire->x, 200);
        EXPECT_LE(fire->x, 6 * kTileSize - 200);
    }
}

TEST(Boseki, InAnElevenCellRoomTheDrawsComeTo200ShortOfTheRightEnd) {
    // Eleven cells (4400 across), the camera at the left end: the drawing
    // area reaches past the room, so the last 200 units bound the points.
    // The same bound holds in stage units wherever the view stands: twenty
    // cells with the view 4000 into the room leave 3800 from its left edge.
    struct Case {
        int32_t cells, cameraX, right;
    };
    for (const Case& c : {Case{11, 0, 4200}, Case{20, 4000, 3800}}) {
        SCOPED_TRACE(c.cells);
        BosekiFight f(RoomGrid(c.cells), 2200);
        f.Begin();
        ASSERT_EQ(f.body->frame, 220);  // fighting
        f.s.Stage().cameraX = c.cameraX;
        f.body->hp = 1;
        int32_t right = 0;
        // Their heights: from 1400 above the view's middle to 1400 below it.
        const int32_t middle = CGameMain::GetInstance()->GetViewHeight() * 10 / 2;
        int32_t highest = 100000, lowest = -100000;
        for (int i = 0; i < 2000; ++i) {
            const int32_t made = CCharacterBoseki::ConjuredSoFar();
            f.player->hp = 100;
            f.s.Run(1);
            if (CCharacterBoseki::ConjuredSoFar() == made) continue;
            const auto wispsNow = enemy_test::OfType(10006);
            CCharacter* hazard = made % 2 == 0 ? Shots(CCharacterBoseki::kWispFire).back() : wispsNow.back();
            right = std::max(right, hazard->x);
            highest = std::min(highest, hazard->y - middle);
            lowest = std::max(lowest, hazard->y - middle);
            hazard->SetState(EnemyState::Remove);
        }
        EXPECT_LE(right, c.right);
        EXPECT_GT(right, c.right - 100);
        // (Each has had a frame of its own to move.)
        EXPECT_GE(highest, -1400 - 50);
        EXPECT_LT(highest, -1200);
        EXPECT_LE(lowest, 1400 + 50);
        EXPECT_GT(lowest, 1200);
    }
}

// The defeat: the fires stop where they burn; after the explosions the
// last blast throws the body up at 115 and each piece its own way.
TEST(Boseki, TheLastBlastThrowsTheBodyAndEveryPieceItsOwnWay) {
    BosekiFight f;
    f.Begin();
    f.body->hp = 10;
    f.body->OnHit(1, 50, 1, f.player);
    ASSERT_EQ(f.body->frame, EnemyState::Defeated);
    EXPECT_EQ(f.body->linksB[3]->frame, 308);
    EXPECT_EQ(f.body->linksB[4]->frame, 308);
    f.RunUntil([&] { return f.body->stateTimer == 259; }, 400);
    ASSERT_EQ(f.body->frame, EnemyState::Defeated);
    f.s.ClearSounds();
    f.body->Frame();  // the body alone: the pieces have not moved yet
    EXPECT_EQ(f.body->frame, EnemyState::BossDefeatFall);
    EXPECT_EQ(f.body->vy, -115);
    EXPECT_EQ(f.s.Sounds(), (std::vector<int32_t>{17}));
    struct Throw {
        int32_t vx, vy, state;
    };
    const Throw throws[] = {{0, -100, 329}, {-10, -105, 339}, {10, -105, 339}, {-5, -110, 309}, {5, -110, 309}};
    for (int32_t k = 0; k < 5; ++k) {
        const CCharacter* piece = f.body->linksB[k];
        ASSERT_NE(piece, nullptr) << k;
        EXPECT_EQ(piece->vx, throws[k].vx) << k;
        EXPECT_EQ(piece->vy, throws[k].vy) << k;
        EXPECT_EQ(piece->frame, throws[k].state) << k;
    }
    // Each piece then falls under its gravity (6 a frame); the body does
    // not spin.
    for (int32_t k = 0; k < 5; ++k) {
        CCharacter* piece = f.body->linksB[k];
        piece->Frame();
        EXPECT_EQ(piece->vy, throws[k].vy + 6) << k;
    }
    const double angle = f.body->angle;
    f.body->Frame();
    EXPECT_EQ(f.body->angle, angle);
    // The biggest blast of all, at the body, with a long shake.
    const auto blasts = Shots(581);
    ASSERT_FALSE(blasts.empty());
    EXPECT_EQ(blasts.back()->scaleX, 8.0);
    EXPECT_EQ(blasts.back()->x, f.body->x);
    // 60 frames between -20 and 20, easing by 1; ten white strobes, full up
    // and full down each frame with a frame between.
    const CEffect* effect = CEffect::GetInstance();
    EXPECT_EQ(effect->m_shakeFrames, 60);
    EXPECT_EQ(effect->m_shakeLowY, -20);
    EXPECT_EQ(effect->m_shakeHighY, 20);
    EXPECT_EQ(effect->m_shakeDecay, 1);
    EXPECT_EQ(std::vector<int32_t>({effect->m_flashRed, effect->m_flashGreen, effect->m_flashBlue, effect->m_flashPeak,
                                    effect->m_flashCycles, effect->m_flashRiseStep, effect->m_flashHoldPeak,
                                    effect->m_flashFallStep, effect->m_flashHoldZero}),
              std::vector<int32_t>({255, 255, 255, 255, 10, 255, 0, 255, 1}));
}

}  // namespace
