// Effects: spawning, the set-up of states, the collectables that fly to the
// player (score orbs, map and dropped coins), the pop-up numbers, fades,
// marks, the dolly and the light.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "player/CharacterPlayer.h"
#include "support/FailingAllocations.h"
#include "support/Scenario.h"
#include "support/WorldList.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::InStates;
using testing_support::Listed;
using testing_support::World;

namespace {

constexpr int32_t kForestFill = 20069;


// A player for the marks: the player character class with a hurt box and a
// homing range the test decides.
class MarkPlayer : public CCharacterPlayer {
public:
    MarkPlayer() {
        // A player body that holds still in its stand record.
        AllocateHeldRecords(kFrameCount);
        frame = PlayerState::Stand;
        gravityNum = 0;
        if (FrameRecord* r = frameTable.Find(frame)) {
            r->hurtLeft = r->hurtTop = -200;
            r->hurtRight = r->hurtBottom = 200;
        }
    }
    bool IsInHomingRange(CCharacter*) override { return inRange; }
    bool inRange = true;
};

// The player of most tests: a plain body with a hurt box.
ScenarioBody* AddPlayer(Scenario& s, int32_t x, int32_t y) {
    auto* p = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-200, 200, -200, 200}), x, y);
    s.SetPlayer(p);
    return p;
}

}  // namespace

// --- Spawning --------------------------------------------------------------------

TEST(SpawnEffect, DrawsEachValueFromItsRangeInOrderAndAppends) {
    Scenario s({"."}, {});
    GameSrand(99);
    const int32_t r1 = GameRand(), r2 = GameRand(), r3 = GameRand(), r4 = GameRand();
    GameSrand(99);
    CCharacterEffect* e = SpawnEffect(60, -1, 300, 100, 50, 50, -5, 5, 7, 9);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->frame, 60);
    EXPECT_EQ(e->facing, -1);
    EXPECT_EQ(e->x, r1 % 201 + 100);  // bounds taken in either order
    EXPECT_EQ(e->y, 50);              // one draw even for an exact bound
    EXPECT_EQ(e->vx, r3 % 11 - 5);
    EXPECT_EQ(e->vy, r4 % 3 + 7);
    (void)r2;
    EXPECT_EQ(World().GetAt(World().GetCount()), e);
    EXPECT_EQ(e->typeId, 50000);
}

TEST(SpawnEffect, NothingIsSpawnedWhenNoneCanBeMade) {
    Scenario s({"."}, {});
    const int32_t listed = World().GetCount();
    testing_support::FailingAllocations full;
    EXPECT_EQ(SpawnEffect(60, 1, 0, 0, 0, 0, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(SpawnShortLivedEffect(1, 0, 0, 0, 0, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(World().GetCount(), listed);
}

TEST(SpawnEffect, ShortLivedPiecesLiveTwoToSevenFramesEach) {
    Scenario s({"."}, {}, 5);
    std::vector<CCharacterEffect*> pieces;
    for (int i = 0; i < 40; ++i) pieces.push_back(SpawnShortLivedEffect(1, 200, 200, 200, 200, 0, 0, 0, 0));
    std::vector<int32_t> lives;
    for (CCharacterEffect* p : pieces) lives.push_back(p->CurrentRecord().stateDuration);
    EXPECT_GE(*std::min_element(lives.begin(), lives.end()), 2);
    EXPECT_LE(*std::max_element(lives.begin(), lives.end()), 7);
    EXPECT_GT(std::count(lives.begin(), lives.end(), 2) + std::count(lives.begin(), lives.end(), 7), 0);
    EXPECT_NE(*std::min_element(lives.begin(), lives.end()), *std::max_element(lives.begin(), lives.end()));
    // Each piece has its own life; the class's record is untouched.
    CCharacterEffect fresh;
    EXPECT_EQ(fresh.RecordAt(CCharacterEffect::kShortLived).stateDuration, 4);
    // A piece with life n is gone after n frames.
    CCharacterEffect* first = pieces[0];
    const int32_t life = lives[0];
    s.Run(life - 1);
    EXPECT_TRUE(Listed(first));
    s.Run(1);
    EXPECT_FALSE(Listed(first));
}

TEST(EffectSetUp, StatesGiveTheirLooksLayersAndTypeIds) {
    CCharacterEffect e;
    e.SetState(810);  // 780 tinted, at scale 1.5
    EXPECT_EQ(e.frame, 780);
    EXPECT_EQ(e.colorG, 128);
    EXPECT_EQ(e.colorR, 64);
    EXPECT_EQ(e.colorB, 0);
    EXPECT_DOUBLE_EQ(e.scaleX, 1.5);
    EXPECT_EQ(e.gravityNum, 10);
    e.SetState(830);
    EXPECT_EQ(e.frame, 800);
    EXPECT_EQ(e.colorG, 255);
    EXPECT_DOUBLE_EQ(e.scaleY, 1.0);

    CCharacterEffect marker, light, coin;
    marker.SetState(90);
    EXPECT_EQ(marker.typeId, 19990);
    EXPECT_EQ(marker.alpha, 192);
    light.SetState(210);
    EXPECT_EQ(light.typeId, 50005);
    EXPECT_EQ(light.colorG, 224);
    coin.SetState(140);
    EXPECT_EQ(coin.layer, 129);
    EXPECT_EQ(coin.maxFall, 150);
    EXPECT_EQ(coin.gravityNum, 15);
    EXPECT_EQ(coin.gravityDen, 2);

    CCharacterEffect fresh;
    EXPECT_EQ(fresh.score, 100);
    EXPECT_EQ(fresh.GetScoreRate(), 100);
    fresh.SetScoreRate(175);
    EXPECT_EQ(fresh.combo, 175);
}

// --- Score orbs and pop-ups ---------------------------------------------------------

TEST(ScoreOrb, CurlsOutThenHomesAndScoresOnceAsARisingNumber) {
    Scenario s({"........"}, {}, 3);
    ScenarioBody* player = AddPlayer(s, 3000, 1000);
    player->score = 10;
    CCharacterEffect* orb = SpawnEffect(CCharacterEffect::kScoreOrb, 1, 400, 400, 1000, 1000, 0, 0, -200, -200);
    orb->SetScore(1234);
    orb->attackDirX = 100;
    // Flying out: it turns a little every frame and slows to half its speed.
    s.Run(1);
    EXPECT_NEAR(std::hypot(orb->vx, orb->vy), 100, 2);
    const double heading1 = std::atan2(orb->vx, -orb->vy);
    s.Run(1);
    EXPECT_GT(std::atan2(orb->vx, -orb->vy), heading1);
    s.Run(27);
    EXPECT_NEAR(std::hypot(orb->vx, orb->vy), 51, 2);
    // Then it flies to the player and scores once.
    int frames = 0;
    while (orb->frame != CCharacterEffect::kScorePopup && frames < 200) {
        s.Run(1);
        ++frames;
    }
    ASSERT_EQ(orb->frame, CCharacterEffect::kScorePopup);
    EXPECT_EQ(player->score, 1244);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 44), 1);
    // The number rises 10 units a frame, then fades out and goes.
    const int32_t y = orb->y;
    s.Run(20);
    EXPECT_EQ(orb->y, y - 200);
    EXPECT_EQ(orb->frame, 181);
    s.Run(15);
    ASSERT_TRUE(Listed(orb));
    EXPECT_LT(orb->alpha, 32);
    s.Run(2);
    EXPECT_FALSE(Listed(orb));
    EXPECT_EQ(player->score, 1244);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 44), 1);
}

namespace {

// Draws a pop-up and reads its text back from the glyphs (style 0's
// single-byte page: character c at column c & 15, row (c >> 4) - 2).
std::string PopupText(CCharacterEffect& e) {
    CGameMain* game = CGameMain::GetInstance();
    game->LoadTexturePages();
    const CDrawString& style = game->m_textStyles[0];
    std::string text;
    SetGlyphObserver([&](const GlyphDraw& g) {
        const int col = g.srcX / style.asciiCellWidth, row = g.srcY / style.cellHeight;
        text += static_cast<char>((row + 2) * 16 + col);
    });
    e.Draw();
    SetGlyphObserver(nullptr);
    return text;
}

}  // namespace

TEST(Popup, RateTextShowsTheRateAsAMultiplier) {
    for (auto [rate, shown] : std::vector<std::pair<int32_t, std::string>>{
             {100, "x1.00"}, {205, "x2.05"}, {150, "x1.50"}, {200, "x2.00"}}) {
        CCharacterEffect e;
        e.SetState(CCharacterEffect::kRatePopup);
        e.SetScoreRate(rate);
        EXPECT_EQ(PopupText(e), shown);
    }
    CCharacterEffect score;
    score.SetState(CCharacterEffect::kScorePopup);
    score.SetScore(4800);
    EXPECT_EQ(PopupText(score), "4800");
}

TEST(Popup, NumberIsCentredOnTheEffectAndLeavesTheSharedStyleAsItWas) {
    CGameMain* game = CGameMain::GetInstance();
    game->LoadTexturePages();
    CDrawString& style = game->m_textStyles[0];
    style.SetAlpha(255);
    CCharacterEffect e;
    e.SetState(CCharacterEffect::kScorePopup);
    e.SetFrame(CCharacterEffect::kScorePopup + 1);  // fading
    e.SetScore(77);
    e.alpha = 40;
    e.x = 2000;
    e.y = 1000;
    std::vector<GlyphDraw> glyphs;
    uint32_t colour = 0;
    SetGlyphObserver([&](const GlyphDraw& g) {
        glyphs.push_back(g);
        colour = DrawParams::colour;
    });
    e.Draw();
    SetGlyphObserver(nullptr);
    ASSERT_EQ(glyphs.size(), 2u);
    // Scaled by the effect (2.0): "77" is 18 + 20 wide, so it starts 19 left.
    EXPECT_EQ(glyphs[0].x, 200 - 19);
    EXPECT_EQ(glyphs[0].y, 100);
    EXPECT_EQ(colour >> 24, 40u);
    EXPECT_EQ(style.GetAlpha(), 255);
    EXPECT_DOUBLE_EQ(style.scaleX, 1.0);
}

// --- Coins ----------------------------------------------------------------------------

namespace {
// A coin thrown up as an enemy's drop throws it, worth one piece of gold.
CCharacterEffect* ThrowDroppedCoin() {
    CCharacterEffect* coin = SpawnEffect(CCharacterEffect::kDroppedCoin, 1, 1000, 1000, 600, 600, 0, 0, -80, -80);
    coin->SetGold(1);
    coin->attackDirX = coin->vx;
    coin->attackDirY = coin->vy;
    return coin;
}
}  // namespace

TEST(Coin, ADroppedCoinBouncesWithHalfItsSpeedAndComesToRest) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}}, 2);
    CCharacterEffect* coin = ThrowDroppedCoin();
    std::vector<int32_t> bounces;
    int32_t lastVy = coin->vy;
    for (int i = 0; i < 60; ++i) {
        s.Run(1);
        if (coin->vy < 0 && lastVy >= 0) bounces.push_back(coin->vy);
        lastVy = coin->vy;
    }
    EXPECT_EQ(bounces, (std::vector<int32_t>{-40, -20, -10, -5, -2, -1}));
    // It lies on the ground: its feet on the top of the blocks (y 1200).
    s.Run(20);
    EXPECT_EQ(coin->y + coin->CurrentRecord().bodyBottom, 1200);
    EXPECT_EQ(coin->vy, 0);
    EXPECT_GE(coin->frame, CCharacterEffect::kDroppedCoinLying);
}

TEST(Coin, ALyingCoinFliesToANearPlayerWhoTakesItsScoreAndGold) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}}, 2);
    CCharacterEffect* coin = SpawnEffect(CCharacterEffect::kDroppedCoinLying, 1, 1000, 1000, 1100, 1100, 0, 0, 0, 0);
    ScenarioBody* player = AddPlayer(s, 2600, 1000);
    s.Run(10);
    EXPECT_LT(coin->frame, CCharacterEffect::kDroppedCoinMagnet);  // 1600 away: stays
    player->x = 1700;                                                // within 800
    s.Run(1);
    EXPECT_GE(coin->frame, CCharacterEffect::kDroppedCoinMagnet);
    s.Run(40);
    EXPECT_FALSE(Listed(coin));
    EXPECT_EQ(player->score, 100);
    EXPECT_EQ(player->gold, 1);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 39), 1);
}

TEST(Coin, ALyingCoinBlinksBeforeItGoes) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}}, 2);
    CCharacterEffect* coin = SpawnEffect(CCharacterEffect::kDroppedCoinLying, 1, 1000, 1000, 1100, 1100, 0, 0, 0, 0);
    const int32_t life = coin->CurrentRecord().stateDuration;
    s.Run(life - 81);
    EXPECT_EQ(coin->GetBlink(), 0);
    s.Run(1);
    EXPECT_GT(coin->GetBlink(), 0);
    EXPECT_EQ(coin->blinkPeriod, 2);
    s.Run(80);
    EXPECT_FALSE(Listed(coin));
}

TEST(Coin, ACoinAnEnemyDropsIsSeenThenBlinksShownAndHiddenInTurnThroughItsLastEightyFrames) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}}, 2);
    CCharacterEffect* coin = ThrowDroppedCoin();
    int sprites = 0;
    SetSpriteObserver([&sprites](const SpriteDraw&) { ++sprites; });
    std::vector<bool> shown;  // one entry for each frame it was listed after
    for (int i = 0; i < 3000 && Listed(coin); ++i) {
        s.Run(1);
        if (!Listed(coin)) break;
        sprites = 0;
        coin->Draw();
        shown.push_back(sprites > 0);
    }
    SetSpriteObserver(nullptr);
    ASSERT_FALSE(Listed(coin)) << "it goes at the end of its lying time";
    ASSERT_GT(shown.size(), 80u);
    const std::size_t blinkFrom = shown.size() - 80;
    EXPECT_EQ(std::count(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(blinkFrom), false), 0)
        << "seen all along until its last 80 frames";
    for (std::size_t i = blinkFrom; i + 1 < shown.size(); ++i)
        EXPECT_NE(shown[i], shown[i + 1]) << "frame " << i - blinkFrom << " of the last 80";
    EXPECT_EQ(std::count(shown.begin() + static_cast<std::ptrdiff_t>(blinkFrom), shown.end(), true), 40);
}

TEST(Coin, AMapCoinIsTakenOnceWithScoreGoldAndCombo) {
    Scenario s({"........"}, {});
    auto player = std::make_unique<MarkPlayer>();
    MarkPlayer* p = s.Add(std::move(player), 1000, 200);
    s.SetPlayer(p);
    p->gold = 5;
    CCharacter* coin = s.AddAt(10300, 1100, 200);
    ASSERT_NE(coin, nullptr);
    EXPECT_EQ(coin->frame, CCharacterEffect::kMapCoin);
    s.Run(1);
    EXPECT_EQ(coin->frame, CCharacterEffect::kMapCoinTaken);
    EXPECT_EQ(p->gold, 6);
    EXPECT_EQ(p->score, 100);
    EXPECT_EQ(p->GetCombo(), 1);
    s.Run(20);
    EXPECT_FALSE(Listed(coin));
    EXPECT_EQ(p->gold, 6);
    EXPECT_EQ(s.Sounds(), (std::vector<int32_t>{39}));
}

TEST(Collectables, WithoutAPlayerTheyWaitInsteadOfFailing) {
    Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}}, 2);
    CCharacterEffect* orb = SpawnEffect(CCharacterEffect::kScoreOrbHoming, 1, 1000, 1000, 400, 400, 30, 30, 0, 0);
    CCharacterEffect* magnet = SpawnEffect(CCharacterEffect::kDroppedCoinMagnet, 1, 600, 600, 400, 400, 0, 0, 0, 0);
    CCharacterEffect* lying = SpawnEffect(CCharacterEffect::kDroppedCoinLying, 1, 1400, 1400, 1100, 1100, 0, 0, 0, 0);
    CCharacter* coin = s.AddAt(10300, 2000, 600);
    CCharacterEffect* mark = SpawnEffect(CCharacterEffect::kTargetMark, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    s.Run(5);
    EXPECT_TRUE(Listed(orb));
    EXPECT_EQ(orb->frame / 2, CCharacterEffect::kScoreOrbHoming / 2);
    EXPECT_TRUE(Listed(magnet));
    EXPECT_TRUE(Listed(lying));
    EXPECT_EQ(coin->frame / 8, CCharacterEffect::kMapCoin / 8);
    EXPECT_FALSE(Listed(mark));  // nothing to mark
    EXPECT_TRUE(s.Sounds().empty());
}

// --- Fades, light, rings and pieces ------------------------------------------------------

TEST(Fade, FadesReachTheirEndsExactly) {
    Scenario s({"."}, {});
    CCharacterEffect* in = SpawnEffect(CCharacterEffect::kFadeIn, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    std::vector<int32_t> alphas;
    while (in->frame == CCharacterEffect::kFadeIn && alphas.size() < 100) {
        s.Run(1);
        alphas.push_back(in->alpha);
    }
    EXPECT_EQ(alphas.size(), 43u);  // 6 a frame, the last step clamped
    EXPECT_EQ(alphas[41], 252);
    EXPECT_EQ(alphas.back(), 255);
    EXPECT_EQ(in->frame, 201);
    EXPECT_EQ(in->colorR, 0);

    CCharacterEffect* out = SpawnEffect(CCharacterEffect::kFadeOut, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    out->alpha = 250;  // 16 a frame does not divide it
    s.Run(15);
    ASSERT_TRUE(Listed(out));
    EXPECT_EQ(out->alpha, 10);
    s.Run(1);
    EXPECT_FALSE(Listed(out));
}

TEST(Light, PulsesWithTheFrameCounterAndGlowsInSevenDraws) {
    Scenario s({"."}, {});
    CCharacterEffect* light = SpawnEffect(CCharacterEffect::kSwitchLight, 1, 200, 200, 200, 200, 0, 0, 0, 0);
    std::vector<double> scales;
    for (int i = 0; i < 100; ++i) {
        s.Run(1);
        scales.push_back(light->scaleX);
    }
    EXPECT_DOUBLE_EQ(scales[99], 0.15);  // frame count 100: no steps
    EXPECT_DOUBLE_EQ(scales[0], 1500.0 / 10025);
    EXPECT_LT(*std::max_element(scales.begin(), scales.end()), 0.16);
    EXPECT_GT(*std::min_element(scales.begin(), scales.end()), 0.14);

    std::vector<float> drawn;
    SetSpriteObserver([&](const SpriteDraw&) { drawn.push_back(DrawParams::scaleX); });
    light->scaleX = light->scaleY = 0.5;
    light->Draw();
    SetSpriteObserver(nullptr);
    const std::vector<float> glow = {0.5f, 0.54f, 0.58f, 0.62f, 0.66f, 0.70f, 0.5f};
    ASSERT_EQ(drawn.size(), glow.size());
    for (std::size_t i = 0; i < glow.size(); ++i) EXPECT_NEAR(drawn[i], glow[i], 1e-6);
    EXPECT_DOUBLE_EQ(light->scaleX, 0.5);
}

TEST(Effects, RingsShrinkToTwoDebrisShrinksAwaySmokeWaitsItsLead) {
    Scenario s({"....", "....", "....", "...."}, {});
    CCharacterEffect* ring = SpawnEffect(CCharacterEffect::kShockRing, 1, 800, 800, 800, 800, 0, 0, 0, 0);
    s.Run(3);
    EXPECT_DOUBLE_EQ(ring->scaleX, 3.5);
    EXPECT_EQ(ring->alpha, 210);
    s.Run(3);
    EXPECT_DOUBLE_EQ(ring->scaleX, 2.0);

    CCharacterEffect* chip = SpawnEffect(CCharacterEffect::kDebris, 1, 800, 800, 400, 400, 0, 0, -60, -60);
    s.Run(39);
    EXPECT_TRUE(Listed(chip));
    EXPECT_GT(chip->vy, -60);  // falls at 6 a frame
    s.Run(1);
    EXPECT_FALSE(Listed(chip));  // scale 2.0 is gone after 40 steps of 0.05

    CCharacterEffect* smoke = SpawnEffect(CCharacterEffect::kTrailSmoke, 1, 800, 800, 800, 800, 10, 10, 0, 0);
    smoke->alpha = 192;
    s.Run(1);
    EXPECT_EQ(smoke->alpha, 0);  // invisible while it drifts
    s.Run(3);
    EXPECT_EQ(smoke->frame, CCharacterEffect::kSmokePuff);
    EXPECT_EQ(smoke->alpha, 192);
    EXPECT_EQ(smoke->x, 840);
}

// --- Marks and the dolly ---------------------------------------------------------------

TEST(Marks, FollowTheTouchedObjectAndChangeWithIt) {
    Scenario s({"........"}, {});
    MarkPlayer* p = s.Add(std::make_unique<MarkPlayer>(), 400, 400);
    s.SetPlayer(p);
    auto* enemy = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-100, 100, -100, 100}), 2000, 600);
    CCharacterEffect* target = SpawnEffect(CCharacterEffect::kTargetMark, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    CCharacterEffect* homing = SpawnEffect(CCharacterEffect::kHomingMark, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    homing->linksA[15] = enemy;
    p->target = enemy;
    s.Run(1);
    EXPECT_EQ(target->x, 2000);
    EXPECT_EQ(target->y, 600);
    EXPECT_EQ(homing->frame, CCharacterEffect::kChosenMark);  // the player chose it
    enemy->x = 2500;
    s.Run(1);
    EXPECT_EQ(target->x, 2500);
    EXPECT_EQ(homing->x, 2500);
    p->target = nullptr;
    s.Run(1);
    EXPECT_FALSE(Listed(target));
    EXPECT_EQ(homing->frame, 94);  // back to a homing mark
    p->inRange = false;
    s.Run(1);
    EXPECT_EQ(homing->frame, CCharacterEffect::kHomingMarkLost);
    s.Run(5);
    EXPECT_FALSE(Listed(homing));
}

TEST(Marks, AHomingMarkIsLostChosenOrKeptByThePlayerAndItsCharacter) {
    // after: the mark's frame after one frame; 0 means it is still a
    // homing mark (90 to 95).
    struct Row {
        const char* what;
        int32_t mark;
        bool playerCharacter;
        int32_t playerHp;
        bool inRange, chosen;
        int32_t markedHp;
        int32_t after;
    };
    const Row rows[] = {
        {"kept", 90, true, 100, true, false, 50, 0},
        {"chosen", 90, true, 100, true, true, 50, 100},
        {"its character has no hp", 90, true, 100, true, false, 0, 96},
        {"the player has no hp", 90, true, 0, true, false, 50, 96},
        {"the player has negative hp", 90, true, -5, true, true, 50, 96},
        {"out of the homing range", 90, true, 100, false, true, 50, 96},
        {"no player character to ask", 90, false, 100, false, false, 50, 0},
        {"no player character: chosen stays", 100, false, 100, false, false, 50, 100},
        {"chosen and still touched", 100, true, 100, true, true, 50, 100},
        {"chosen, touched no more", 100, true, 100, true, false, 50, 94},
    };
    for (const Row& r : rows) {
        Scenario s({"........"}, {});
        CCharacter* player = nullptr;
        MarkPlayer* p = nullptr;
        if (r.playerCharacter) {
            p = s.Add(std::make_unique<MarkPlayer>(), 400, 400);
            p->inRange = r.inRange;
            player = p;
        } else {
            player = AddPlayer(s, 400, 400);
        }
        player->hp = r.playerHp;
        s.SetPlayer(player);
        auto* enemy = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-100, 100, -100, 100}), 2000, 600);
        enemy->hp = r.markedHp;
        if (p != nullptr && r.chosen) p->target = enemy;
        CCharacterEffect* mark = SpawnEffect(r.mark, 1, 0, 0, 0, 0, 0, 0, 0, 0);
        mark->linksA[15] = enemy;
        s.Run(1);
        if (r.after == 0) {
            EXPECT_GE(mark->frame, 90) << r.what;
            EXPECT_LE(mark->frame, 95) << r.what;
        } else {
            EXPECT_EQ(mark->frame, r.after) << r.what;
        }
        EXPECT_EQ(mark->x, 2000) << r.what;  // on its character
        EXPECT_EQ(mark->y, 600) << r.what;
    }
}

TEST(Marks, AMarkWhoseCharacterIsGoneIsLost) {
    Scenario s({"........"}, {});
    MarkPlayer* p = s.Add(std::make_unique<MarkPlayer>(), 400, 400);
    s.SetPlayer(p);
    auto* enemy = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-100, 100, -100, 100}), 2000, 600);
    CCharacterEffect* homing = SpawnEffect(CCharacterEffect::kHomingMark, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    homing->linksA[15] = enemy;
    s.Run(1);
    EXPECT_EQ(homing->frame / 2, 45);
    enemy->alive = 0;  // dies before the mark's turn; its links are cleared
    s.Run(1);
    EXPECT_EQ(homing->linksA[15], nullptr);
    EXPECT_EQ(homing->frame, CCharacterEffect::kHomingMarkLost);
}

TEST(Dolly, GlidesToItsTargetOverItsDurationAndStaysOnIt) {
    Scenario s({"........"}, {});
    auto* spot = s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{-100, 100, -100, 100}), 3000, 1000);
    CCharacterEffect* dolly = SpawnEffect(CCharacterEffect::kDolly, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    dolly->linksA[0] = spot;
    if (FrameRecord* r = dolly->frameTable.Find(dolly->frame)) r->stateDuration = 10;
    std::vector<int32_t> xs;
    for (int i = 0; i < 10; ++i) {
        s.Run(1);
        xs.push_back(dolly->x);
    }
    for (std::size_t i = 1; i < xs.size(); ++i) EXPECT_GE(xs[i], xs[i - 1]);
    EXPECT_LT(xs[7], 3000);
    EXPECT_EQ(xs[8], 3000);
    EXPECT_EQ(dolly->frame, CCharacterEffect::kDollyArrived);
    spot->x = 3500;
    s.Run(1);
    EXPECT_EQ(dolly->x, 3500);
    EXPECT_EQ(dolly->y, 1000);
}

// --- How each kind of piece moves, fades and goes --------------------------------------

TEST(Effects, EachPieceShrinksFadesSpinsAndFallsAtItsOwnRate) {
    // From (1600, 400) in open air, facing right, angle 0, at (vx0, vy0);
    // the look after `frames` frames. A value of kAny is not looked at.
    constexpr int32_t kAny = -9999;
    constexpr double kAnyD = -9999.0;
    struct Row {
        int32_t state, vx0, vy0, frames;
        bool gone;
        int32_t alpha;
        double scale, angle;
        int32_t facing, vy;
    };
    const Row rows[] = {
        // sparkles: shrink 0.03 (0.05, 0.01) a frame, flip every tenth frame
        {360, 0, 0, 10, false, kAny, 1.2, kAnyD, -1, 0},
        {363, 0, 0, 10, false, kAny, 0.7, kAnyD, -1, 0},
        {541, 0, 0, 10, false, kAny, 1.2, kAnyD, -1, 0},
        {564, 0, 0, 9, false, kAny, 0.73, kAnyD, 1, 0},
        {640, 0, 0, 10, false, kAny, 1.0, kAnyD, -1, 0},
        {640, 0, 0, 29, false, kAny, 0.05, kAnyD, 1, 0},
        {640, 0, 0, 30, true, kAny, kAnyD, kAnyD, 0, 0},
        {680, 0, 0, 20, false, kAny, 1.3, kAnyD, 1, 0},
        {610, 0, 0, 10, false, kAny, 1.0, kAnyD, -1, 0},
        {620, 0, 0, 20, false, kAny, 1.0, kAnyD, 1, 0},
        {650, 0, 0, 10, false, kAny, 1.0, kAnyD, -1, 0},
        // falling pieces that spin against their facing: gravity 6/1
        {370, 0, 0, 10, false, kAny, 2.0, -3.0, 1, 60},
        {550, 0, 0, 10, false, kAny, 2.0, -3.0, 1, 60},
        {570, 0, 0, 10, false, kAny, 2.0, -3.0, 1, 60},
        // swelling fades
        {390, 0, 0, 10, false, 60, 1.5, kAnyD, 1, 0},
        {400, 0, 0, 10, false, 80, 1.5, kAnyD, 1, 0},
        // shrinking fades
        {450, 0, 0, 10, false, 205, 1.4, kAnyD, 1, 0},
        {460, 0, 0, 10, false, 205, 1.4, kAnyD, 1, 0},
        {530, 0, 0, 10, false, 205, 1.4, kAnyD, 1, 0},
        // 470 fades by 10: its alpha goes below 0 on the 26th frame
        {470, 0, 0, 25, false, 5, kAnyD, kAnyD, 1, 0},
        {470, 0, 0, 26, true, kAny, kAnyD, kAnyD, 0, 0},
        // spinning falling pieces: gravity 10/1
        {440, 0, 0, 10, false, kAny, 1.0, 3.0, 1, 100},
        {480, 0, 0, 10, false, kAny, 1.0, 9.0, 1, 100},
        {520, 0, 0, 10, false, kAny, 1.0, 9.0, 1, 100},
        {630, 0, 0, 10, false, kAny, 1.0, 4.0, 1, 100},
        {660, 0, 0, 10, false, kAny, 1.0, 4.0, 1, 100},
        {690, 0, 0, 10, false, kAny, 1.0, 2.0, 1, 100},
        {740, 0, 0, 10, false, kAny, 1.0, 2.0, 1, 100},
        {842, 0, 0, 10, false, kAny, 1.0, 2.0, 1, 100},
        // pieces that point along their flight
        {750, 40, 0, 1, false, kAny, 1.0, std::atan2(40.0, 0.0), 1, 10},  // faced before it falls
        {780, 40, 0, 1, false, kAny, 1.0, std::atan2(40.0, 0.0), 1, 10},
        {770, 40, 0, 10, false, kAny, 1.0, std::atan2(40.0, 0.0), 1, 0},
        {800, 0, 30, 10, false, kAny, 1.0, std::atan2(0.0, -30.0), 1, 30},
        // debris and the falling drop: gravity 6/1
        {281, 0, 0, 10, false, kAny, 1.5, kAnyD, 1, 60},
        {350, 0, 0, 10, false, 224, 2.0, kAnyD, 1, 60},
    };
    for (const Row& r : rows) {
        Scenario s({"............", "............", "............", "............", "............", "............",
                    "............", "............"},
                   {});
        CCharacterEffect* e = SpawnEffect(r.state, 1, 1600, 1600, 400, 400, r.vx0, r.vx0, r.vy0, r.vy0);
        e->score = 4242;  // a mark a newcomer at a freed address does not have
        e->angle = 0.0;
        s.Run(r.frames);
        CCharacter* left = nullptr;
        for (CCharacter* c : testing_support::InStates(0, 99999))
            if (c->score == 4242) left = c;
        ASSERT_EQ(left == nullptr, r.gone) << r.state << " after " << r.frames;
        if (r.gone) continue;
        if (r.alpha != kAny) {
            EXPECT_EQ(left->alpha, r.alpha) << r.state;
        }
        if (r.scale != kAnyD) {
            EXPECT_NEAR(left->scaleX, r.scale, 1e-9) << r.state;
            EXPECT_NEAR(left->scaleY, r.scale, 1e-9) << r.state;
        }
        if (r.angle != kAnyD) {
            EXPECT_NEAR(left->angle, r.angle, 1e-9) << r.state;
        }
        EXPECT_EQ(left->facing, r.facing) << r.state;
        EXPECT_EQ(left->vy, r.vy) << r.state;
    }
}

TEST(Effects, FallingPiecesStopOrGoWhereTheyLandAndOffTheScreen) {
    // went: the state it is in after landing, 0 when it is gone.
    struct Row {
        int32_t state;
        int32_t landed;
    };
    const Row rows[] = {{370, 371}, {550, 551}, {570, 571}, {700, 0}, {840, 0}, {750, 0}, {790, 0}};
    for (const Row& r : rows) {
        Scenario s({"........", "........", "........", "########"}, {{'#', kForestFill}});
        CCharacterEffect* e = SpawnEffect(r.state, 1, 1600, 1600, 1000, 1000, 0, 0, 30, 30);
        e->score = 4242;
        int frames = 0;
        CCharacter* left = e;
        while (left != nullptr && left->frame == r.state && frames < 40) {
            s.Run(1);
            ++frames;
            left = nullptr;
            for (CCharacter* c : testing_support::InStates(0, 99999))
                if (c->score == 4242) left = c;
        }
        EXPECT_LT(frames, 40) << r.state;
        if (r.landed == 0) {
            EXPECT_EQ(left, nullptr) << r.state;
            continue;
        }
        ASSERT_NE(left, nullptr) << r.state;
        EXPECT_EQ(left->frame, r.landed) << r.state;
        EXPECT_EQ(left->vx, 0);
        EXPECT_EQ(left->vy, 0);
        EXPECT_DOUBLE_EQ(left->angle, 0.0);
        EXPECT_EQ(left->y + 60, 1200) << r.state;  // its body on the floor
    }
    // Off the screen (the view ends at 5600), or out of the spawn window for
    // those that only need to stay near.
    struct Away {
        int32_t state, x;
        bool gone;
    };
    const Away away[] = {{490, 5800, true}, {710, 5800, true}, {760, 5800, true}, {770, 5800, true},
                         {800, 5800, true}, {440, 5800, false}, {350, 5800, false}, {350, 7400, true},
                         {262, 7400, true}, {262, 5800, false}, {140, 7400, true}, {164, 7400, true},
                         {164, 5800, false}, {148, 7400, true}, {155, 5800, false}};
    for (const Away& a : away) {
        Scenario s({std::string(20, '.')}, {});
        CCharacterEffect* e = SpawnEffect(a.state, 1, a.x, a.x, 200, 200, 0, 0, 0, 0);
        e->score = 4242;
        s.Run(1);
        bool listed = false;
        for (CCharacter* c : testing_support::InStates(0, 99999))
            if (c->score == 4242) listed = true;
        EXPECT_EQ(listed, !a.gone) << a.state << " at " << a.x;
    }
}

TEST(Effects, TheLeanCopiesItsAngleForItsSecondDraw) {
    Scenario s({"........"}, {});
    for (int32_t state : {600, 604}) {
        CCharacterEffect* e = SpawnEffect(state, 1, 800, 800, 200, 200, 0, 0, 0, 0);
        e->angle = 0.7;
        e->angle2 = 0.0;
        s.Run(1);
        EXPECT_DOUBLE_EQ(e->angle2, 0.7) << state;
    }
}
