// The kunoichi, the chain-sickle fighter and the robot in small worlds of
// real blocks through the real play frame: what they share (their making,
// the holds on walls and ceilings, touched targets that vanish, the stage
// exit), the kunoichi's smoke dash and cuts, the chain's throw, pull, hang
// and homing, the robot's drill charge, rams and ending flight, and a walk
// of the first stage with each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "player/CharacterKunoichi.h"
#include "player/CharacterKusarigama.h"
#include "player/CharacterRobo.h"
#include "player/Item.h"
#include "player/TouchPad.h"
#include "stage/StageTestSupport.h"
#include "stage/StageWalker.h"
#include "player/VariantRoom.h"
#include "support/Scenario.h"
#include "support/WorldList.h"
#include "ui/GameInput.h"
#include "win/MyInput.h"

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;
using testing_support::World;

namespace {

constexpr int32_t kNinja = 1, kKunoichi = 2, kKusarigama = 3, kRobo = 4;

using variant_room::Foe;
using variant_room::kField;
using variant_room::kFill;
using variant_room::kFloor;
using variant_room::kRoom;
using variant_room::Room;

int CountEffects(int32_t typeId, int32_t state) {
    int n = 0;
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        const CCharacter* c = world.GetAt(i);
        n += c != nullptr && c->typeId == typeId && c->frame == state ? 1 : 0;
    }
    return n;
}

bool Standing(const CCharacter* p) { return p->frame == 230 || p->frame == 231; }

std::pair<int32_t, int32_t> Velocity(const CCharacter& c) { return {c.vx, c.vy}; }

// The velocity at `speed` from (x, y) toward the target's position, each
// part truncated.
std::pair<int32_t, int32_t> Toward(int32_t x, int32_t y, const CCharacter& target, int32_t speed) {
    const double a = std::atan2(static_cast<double>(target.y) - y, static_cast<double>(target.x) - x);
    return {static_cast<int32_t>(speed * std::cos(a)), static_cast<int32_t>(speed * std::sin(a))};
}

int SwingsHeard(const Scenario& s, int32_t sound) {
    return static_cast<int>(std::count(s.Sounds().begin(), s.Sounds().end(), sound));
}

}  // namespace

// --- What the three share --------------------------------------------------------

TEST(NinjaVariants, TheFactoryMakesEachWithItsLifeGaugeAndOwnRecordsOverTheNinjas) {
    struct Case {
        int32_t id, sheet;
    };
    CItem::GetInstance()->Reset();
    const CCharacterNinja ninja;
    for (const Case c : {Case{kKunoichi, 21}, Case{kKusarigama, 22}, Case{kRobo, 23}}) {
        SCOPED_TRACE(c.id);
        std::unique_ptr<CCharacter> made(CreateCharacter(c.id));
        auto* v = dynamic_cast<CNinjaVariant*>(made.get());
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->typeId, c.id);
        EXPECT_EQ(v->hp, 30);
        EXPECT_EQ(v->hpMax, 30);
        EXPECT_EQ(v->gaugeMax, 10000);
        EXPECT_EQ(v->attack, 100);
        EXPECT_EQ(v->frame, 220);
        EXPECT_EQ(v->layer, 152);
        EXPECT_EQ(v->maxFall, 100);
        EXPECT_EQ(v->friction, 10);
        EXPECT_EQ(std::make_pair(v->gravityNum, v->gravityDen), std::make_pair(6, 1));
        EXPECT_EQ(v->group, 1);
        EXPECT_EQ(v->controlled, 1);
        EXPECT_EQ(std::make_pair(v->airDashes, v->airDashesMax), std::make_pair(1, 1));
        EXPECT_EQ(std::make_pair(v->strikeSide, v->releasedSide), std::make_pair(0, 0));
        EXPECT_EQ(std::make_tuple(v->colorR, v->colorG, v->colorB), std::make_tuple(255, 255, 255));
        EXPECT_EQ(std::make_tuple(v->scaleX, v->scaleX2, v->scaleY, v->scaleY2), std::make_tuple(2.0, 2.0, 2.0, 2.0));
        for (int32_t f : {10, 230, 250, 290, 333, 361}) EXPECT_EQ(v->RecordAt(f).textureId, c.sheet) << f;
        for (int32_t f : {0, 120, 121, 220}) EXPECT_EQ(v->RecordAt(f).textureId, 0) << f;
        // The throws it never makes keep the ninja's records.
        for (int32_t f : {300, 380, 400, 440}) EXPECT_EQ(v->RecordAt(f), ninja.RecordAt(f)) << f;
    }
    EXPECT_EQ(CCharacterRobo().RecordAt(965).textureId, 24) << "the ending's flight";
    // Bought equipment counts on top of their own values: a piece of life
    // (+10), the charm (+100 attack), a scroll (+1 air dash).
    for (const int32_t kind : {1, 6, 9}) CItem::GetInstance()->SetFlag(kind, 1);
    for (const int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        std::unique_ptr<CCharacter> made(CreateCharacter(id));
        auto* v = dynamic_cast<CNinjaVariant*>(made.get());
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(std::make_pair(v->hp, v->hpMax), std::make_pair(40, 40));
        EXPECT_EQ(v->attack, 200);
        EXPECT_EQ(std::make_pair(v->airDashes, v->airDashesMax), std::make_pair(2, 2));
    }
    CItem::GetInstance()->Reset();
}

TEST(NinjaVariants, EachClingsToAWallAndACeilingItMovesIntoWithoutTheHoldAbilities) {
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        {
            Room r(id, 700, 1200, kRoom);
            r.player->SetState(290);
            r.player->vx = -40;
            ASSERT_TRUE(r.RunUntilFrame(232, 60)) << r.player->frame;
            EXPECT_EQ(r.player->wallHold, 0);
            EXPECT_EQ(r.player->facing, 1) << "its back to the wall";
            EXPECT_EQ(r.player->GetAnchorX(), r.player->x + 190);
            r.s.Run(30);
            EXPECT_TRUE(r.player->frame == 232 || r.player->frame == 233) << "it stays";
            // A touch away from it lets go of that wall, the left one.
            r.Tap(2000, 1200);
            EXPECT_EQ(r.player->releasedSide, 2);
        }
        Room r(id, 2000, 1200, kRoom);
        r.player->y = 460;
        r.player->SetState(290);
        r.player->vy = -40;
        ASSERT_TRUE(r.RunUntilFrame(234, 20)) << r.player->frame;
        EXPECT_EQ(r.player->ceilingHold, 0);
        r.s.Run(30);
        EXPECT_TRUE(r.player->frame == 234 || r.player->frame == 235);
        // A touch below lets go of the ceiling, which is not taken again on
        // the way down.
        r.Tap(2400, 1900);
        EXPECT_EQ(r.player->releasedSide, 1);
        EXPECT_EQ(r.player->airDashes, 1) << "a start from a hold costs no air dash";
        r.s.Run(4);
        EXPECT_NE(r.player->frame, 234);
        ASSERT_TRUE(r.RunUntil([&] { return r.player->releasedSide == 0; }, 60)) << "away from it, forgotten";
        EXPECT_GT(r.player->y, 460);
        EXPECT_TRUE(r.player->frame >= 320 && r.player->frame <= 329) << "while still on its way: " << r.player->frame;
    }
}

TEST(NinjaVariants, InTheAirAnEnemyTouchedStartsTheHomingAttackAndEmptySpaceCostsTheAirDash) {
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 800, 800);
        Foe* foe = r.Enemy(3200, 700);
        ASSERT_EQ(r.player->frame, 290);
        r.player->airDashes = 0;
        r.Tap(2000, 600);
        EXPECT_EQ(r.player->frame, 290) << "no air dash left: nothing";
        r.player->vy = 0;
        const int32_t y = r.player->y;
        r.Tap(foe->x, foe->y);
        EXPECT_EQ(r.player->frame, 330);
        EXPECT_EQ(r.player->y, y + r.player->vy) << "in the air the start lifts nothing";
        EXPECT_EQ(r.player->target, foe);
        EXPECT_EQ(r.player->airDashes, 1) << "the homing start gives the air dash back";
        r.player->SetState(290);
        r.s.Run(1);
        r.player->airDashes = 1;
        r.Tap(2000, 600);
        EXPECT_GE(r.player->frame, 320);
        EXPECT_LE(r.player->frame, 329);
        EXPECT_EQ(r.player->airDashes, 0);
    }
}

// The touch picks, among the enemies whose hurt box reaches within 200 of
// it, the one whose position is nearest to it; on a tie the one earlier in
// the world; never the target already being attacked.
TEST(NinjaVariants, TheTouchTakesTheNearestEnemyTheFirstOnATieAndNeverTheCurrentTarget) {
    struct Foes {
        const char* what;
        std::vector<std::pair<int32_t, int32_t>> at;  // offsets from the touch, in world order
        int winner;
    };
    const Foes cases[] = {
        {"the nearer, though later", {{150, 0}, {-100, 0}}, 1},
        {"the nearer, though earlier", {{0, 90}, {120, 0}}, 0},
        {"a tie: the first", {{0, -120}, {0, 120}}, 0},
        {"a tie the other way round", {{120, 0}, {-120, 0}, {0, 121}}, 0},
        {"one out of reach is no candidate", {{0, 320}, {250, 60}}, 1},
        // Its hurt box (-200..100 up and down) a unit short of the square.
        {"just out of reach above", {{0, -301}, {0, 390}}, 1},
        {"just within reach above", {{0, -299}, {0, 390}}, 0},
        {"just out of reach aside", {{301, 0}, {0, 390}}, 1},
    };
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        for (const Foes& c : cases) {
            SCOPED_TRACE(testing::Message() << id << ": " << c.what);
            Room r(id, 800, 800);
            constexpr int32_t px = 3000, py = 900;
            std::vector<Foe*> foes;
            for (const auto& [dx, dy] : c.at) foes.push_back(r.Enemy(px + dx, py + dy));
            r.Tap(px, py);
            ASSERT_EQ(r.player->frame, 330);
            EXPECT_EQ(r.player->target, foes[c.winner]);
        }
    }
    // While still on the way to the target (330-332) a touch on another
    // enemy is only a move dash.
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 800, 800);
        Foe* second = r.Enemy(3150, 900);
        Foe* first = r.Enemy(2900, 900);
        r.Tap(3000, 900);
        ASSERT_EQ(r.player->target, first);
        r.s.Run(1);
        ASSERT_TRUE(r.player->frame >= 330 && r.player->frame <= 332) << r.player->frame;
        r.Tap(second->x, second->y);
        EXPECT_NE(r.player->target, second);
        EXPECT_TRUE(r.player->frame >= 320 && r.player->frame <= 329) << r.player->frame;
    }
    // In the strike loop on the nearer one, the same touch takes the other.
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 800, 800);
        Foe* farther = r.Enemy(3150, 900);
        Foe* nearer = r.Enemy(2900, 900);
        r.Tap(3000, 900);
        ASSERT_EQ(r.player->target, nearer);
        ASSERT_TRUE(r.RunUntil([&] { return !nearer->hits.empty(); }, 60));
        r.Tap(3000, 900);
        EXPECT_EQ(r.player->target, farther);
        EXPECT_EQ(r.player->frame, 330);
    }
}

// Out of the player's control (a scene, the stage exit) every variant is
// still kept inside the stage, and a pose without a handler floats at its
// speed without falling.
TEST(NinjaVariants, UncontrolledTheyAreStillKeptInsideTheStage) {
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        for (const int32_t facing : {1, -1}) {
            SCOPED_TRACE(testing::Message() << id << " facing " << facing);
            Room r(id, 300, 800);
            r.player->controlled = 0;
            r.player->SetState(310);  // the item-get pose
            r.player->facing = facing;
            r.player->x = 100;
            r.player->y = 800;
            r.player->vx = -150;
            r.player->vy = 7;
            r.s.Run(1);
            EXPECT_EQ(r.player->x, 20) << "its body's left edge on the stage's";
            EXPECT_EQ(r.player->y, 807);
            EXPECT_EQ(r.player->vy, 7) << "no gravity";
            r.player->x = 12 * 400 - 100;
            r.player->vx = 150;
            r.s.Run(1);
            EXPECT_EQ(r.player->x, 12 * 400 - 20);
            EXPECT_EQ(r.player->controlled, 0);
            // Nor does a touch start anything, on an enemy or beside it;
            // the touch finds no target until control comes back.
            Foe* foe = r.Enemy(2400, 700);
            r.Tap(foe->x, foe->y);
            r.Tap(1200, 700);
            EXPECT_EQ(r.player->frame, 310);
            EXPECT_EQ(r.player->target, nullptr);
            r.s.TouchDown(foe->x / 10, foe->y / 10);
            r.s.Run(1);
            auto* variant = dynamic_cast<CNinjaVariant*>(r.player);
            ASSERT_NE(variant, nullptr);
            EXPECT_EQ(variant->FindTouchedTarget(), nullptr);
            r.player->controlled = 1;
            EXPECT_EQ(variant->FindTouchedTarget(), foe);
            r.player->controlled = 0;
            r.s.TouchUp();
            r.s.Run(1);
        }
    }
}

// The entry actions every variant shares: a hurt lifts a standing player
// 200, a fall rises at most 40, a run throws up dust with its sound, and
// each hold leaves its own small push toward the surface.
TEST(NinjaVariants, TheSharedEntriesOfHurtFallRunAndTheHolds) {
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 1200, kFloor);
        ASSERT_TRUE(r.RunUntil([&] { return Standing(r.player); }, 20));
        Foe* foe = r.Enemy(3000, kFloor);
        r.player->airDashes = 0;
        r.player->OnHit(15, 1, 1, foe);
        EXPECT_EQ(r.player->frame, 10);
        EXPECT_EQ(r.player->y, kFloor - 200);
        EXPECT_EQ(r.player->airDashes, r.player->airDashesMax);
        r.player->SetState(280);
        EXPECT_EQ(r.player->vy, -40) << "a jump's 110 held to the fall's 40";
        r.s.ClearSounds();
        r.player->facing = -1;
        r.player->vy = 250;
        r.player->SetState(260);
        EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{13});
        EXPECT_EQ(r.player->vx, -100);
        EXPECT_EQ(r.player->vy, 2);
        EXPECT_EQ(CountEffects(50000, 380), 1);
        // A homing attack given up (349) in the air stops and falls.
        r.player->y = 800;
        r.player->vx = 30;
        r.player->vy = -20;
        r.player->SetState(349);
        EXPECT_EQ(r.player->frame, 290);
        EXPECT_EQ(std::make_pair(r.player->vx, r.player->vy), std::make_pair(0, 0));
    }
    // A fall rises at most 40 a frame, as the ninja's own does.
    for (int32_t id : {kNinja, kKunoichi, kKusarigama, kRobo}) {
        Room r(id, 1200, 800);
        for (const auto& [rising, kept] : {std::pair{-100, -40}, {-41, -40}, {-40, -40}, {-39, -39}, {20, 20}}) {
            SCOPED_TRACE(testing::Message() << id << ": " << rising);
            r.player->vy = rising;
            r.player->SetState(290);
            EXPECT_EQ(r.player->vy, kept);
        }
    }
    // The ninja's own run (270) and dive (440) entries.
    {
        Room r(kNinja, 1200, kFloor);
        ASSERT_TRUE(r.RunUntil([&] { return Standing(r.player); }, 20));
        r.s.ClearSounds();
        r.player->facing = -1;
        r.player->vy = 250;
        r.player->SetState(270);
        EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{13});
        EXPECT_EQ(std::make_pair(r.player->vx, r.player->vy), std::make_pair(-100, 2));
        r.player->SetState(440);
        EXPECT_EQ(std::make_pair(r.player->vx, r.player->vy), std::make_pair(0, -40));
    }
    // The hop after the last cut falls in each of its records.
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        for (const int32_t hop : {341, 342, 343, 344}) {
            SCOPED_TRACE(testing::Message() << id << " in " << hop);
            Room r(id, 1200, 800);
            r.player->SetState(hop);
            r.player->vy = -50;
            r.s.Run(1);
            EXPECT_EQ(r.player->vy, -50 + 6);
        }
    }
    // Each hold: the stance, the push it leaves and the facing.
    struct Hold {
        int32_t x, y, vx, vy, stance, pushX, pushY, facing;
    };
    // (A facing of 0: the hold keeps the one it had.)
    for (const Hold& h : {Hold{700, 1200, -40, 0, 232, -1, 0, 1}, Hold{4100, 1200, 40, 0, 232, 1, 0, -1},
                          Hold{2000, 460, 0, -40, 234, 0, -1, 0}, Hold{2000, 1900, 0, 40, 236, 0, 1, 0}}) {
        SCOPED_TRACE(testing::Message() << h.x << "," << h.y);
        Room r(kKunoichi, h.x, h.y, kRoom);
        r.player->x = h.x;
        r.player->y = h.y;
        r.player->facing = 1;
        r.player->SetState(290);
        r.player->vx = h.vx;
        r.player->vy = h.vy;
        ASSERT_TRUE(r.RunUntil([&] { return r.player->frame == h.stance; }, 60)) << r.player->frame;
        // The push it leaves is met by the surface within the frame: the
        // hold is tried again on the spot to see it.
        r.player->vx = h.vx;
        r.player->vy = h.vy;
        const int32_t was = h.facing != 0 ? -h.facing : -1;
        r.player->facing = was;
        ASSERT_TRUE(r.player->TryHold());
        EXPECT_EQ(r.player->frame, h.stance);
        EXPECT_EQ(r.player->vx, h.pushX);
        EXPECT_EQ(r.player->vy, h.pushY);
        EXPECT_EQ(r.player->facing, h.facing != 0 ? h.facing : was);
    }
}

TEST(NinjaVariants, ATargetThatVanishesMidAttackIsGoneAndEveryClassStandsAgain) {
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 800, kFloor);
        Foe* foe = r.Enemy(3200, kFloor - 100);
        r.Tap(foe->x, foe->y);
        ASSERT_EQ(r.player->frame, 330);
        ASSERT_EQ(r.player->target, foe);
        r.s.Run(3);
        foe->alive = 0;  // deleted with the list's next walk
        r.s.Run(2);
        EXPECT_EQ(r.player->target, nullptr);
        ASSERT_TRUE(r.RunUntil([&] { return Standing(r.player); }, 120)) << r.player->frame;
        EXPECT_EQ(r.player->linksB[0] == nullptr || r.player->linksB[0]->frame != 620, true) << "no chain left";
    }
    // Leaving the attack (330-349) keeps the target only for 330-359.
    struct Leave {
        int32_t to;
        bool kept;
    };
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        for (const Leave l : {Leave{341, true}, Leave{350, true}, Leave{359, true}, Leave{360, false},
                              Leave{329, false}, Leave{290, false}}) {
            SCOPED_TRACE(testing::Message() << id << " to " << l.to);
            Room r(id, 800, 800);
            Foe* foe = r.Enemy(3200, 700);
            r.player->target = foe;
            r.player->strikeChain = 1;
            r.player->frame = 336;
            r.player->SetState(l.to);
            EXPECT_EQ(r.player->target == foe, l.kept);
        }
    }
}

TEST(NinjaVariants, ALaunchFliesTurnedAlongItsWayStrikingAtFivefoldPowerUntilItHoldsOn) {
    struct Case {
        int32_t id, powered, end;
    };
    for (const Case c : {Case{kKunoichi, 361, 365}, Case{kKusarigama, 361, 369}, Case{kRobo, 361, 375}}) {
        SCOPED_TRACE(c.id);
        Room r(c.id, 1000, 1200, kRoom);
        Foe* foe = r.Enemy(2000, 900);
        r.player->y = 1200;
        r.player->attackDirX = 120;
        r.player->attackDirY = -60;
        r.player->SetState(360);
        ASSERT_TRUE(r.RunUntilFrame(c.powered, 4));
        // Its speed falls by 2% a frame of the flight.
        for (int i = 0; i < 3; ++i) {
            const double slowing = std::pow(0.98, r.player->stateTimer + 1);
            EXPECT_EQ(r.player->vx, static_cast<int32_t>(120 * slowing)) << i;
            EXPECT_EQ(r.player->vy, static_cast<int32_t>(-60 * slowing)) << i;
            const auto& trail = r.player->afterimage;
            EXPECT_EQ(std::make_tuple(trail.layer, trail.alpha, trail.fadeStep), std::make_tuple(152 + 1, 240, 15))
                << "the trail over it while powered";
            EXPECT_DOUBLE_EQ(r.player->angle2, r.player->angle) << "both drawing angles along the flight";
            EXPECT_NE(r.player->angle, 0.0);
            r.s.Run(1);
        }
        EXPECT_NEAR(r.player->angle, std::atan2(120.0, 60.0), 0.1) << "turned along the flight";
        auto holding = [&] { return r.player->frame >= 232 && r.player->frame <= 235; };
        ASSERT_TRUE(r.RunUntil([&] { return holding() || r.player->frame == c.end; }, 60));
        EXPECT_EQ(std::make_pair(r.player->angle, r.player->angle2), std::make_pair(0.0, 0.0));
        // The flight that meets the wall or ceiling ends in the end state first.
        ASSERT_EQ(r.player->frame, c.end);
        r.s.Run(1);
        EXPECT_TRUE(holding()) << "the end state takes the hold in its first frame: " << r.player->frame;
        ASSERT_FALSE(foe->hits.empty());
        EXPECT_EQ(foe->hits.front(), std::make_pair(1, 500));
        EXPECT_TRUE(r.RunUntil(holding, 30)) << r.player->frame;
    }
    // A touch on an enemy during the flight starts the homing attack.
    for (const int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 1000, 1200, kRoom);
        Foe* foe = r.Enemy(3500, 700);
        r.player->y = 1200;
        r.player->attackDirX = 120;
        r.player->attackDirY = -60;
        r.player->SetState(360);
        ASSERT_TRUE(r.RunUntilFrame(361, 4));
        r.Tap(foe->x, foe->y);
        EXPECT_EQ(r.player->frame, 330);
        EXPECT_EQ(r.player->target, foe);
    }
}

TEST(NinjaVariants, TheStageExitOpensTheStageClearScreen) {
    struct Case {
        int32_t id, cleared;
    };
    for (const Case c : {Case{kKunoichi, 941}, Case{kKusarigama, 941}, Case{kRobo, 947}}) {
        SCOPED_TRACE(c.id);
        Room r(c.id, 1200, kFloor);
        r.player->SetState(940);
        r.s.Run(38);
        EXPECT_NE(CGameInputController::GetInstance()->GetTop(), CGameInput::GetInput(ScreenId::StageClear));
        r.s.Run(3);
        EXPECT_GE(r.player->frame, c.cleared);
        EXPECT_EQ(CGameInputController::GetInstance()->GetTop(), CGameInput::GetInput(ScreenId::StageClear));
        CGameInputController::GetInstance()->SetInput(ScreenId::Main);
    }
}

// In the strike loop a target that slips away is chased again at 150 a
// frame; a strike asked for with no chain going ends standing; a launch that
// runs out of push falls, turned along its fall, striking all the way.
TEST(NinjaVariants, TheStrikesChaseASlippingTargetAndALaunchFallsOnOnceSpent) {
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 800, 800);
        Foe* foe = r.Enemy(2000, 900);
        r.Tap(foe->x, foe->y);
        ASSERT_TRUE(r.RunUntil([&] { return r.player->frame == 333 || r.player->frame == 337; }, 60));
        foe->x += 700;
        bool chased = false;
        for (int i = 0; i < 8; ++i) {
            r.s.Run(1);
            const int32_t f = r.player->frame;
            if (f != 333 && f != 334 && f != 337 && f != 338) continue;
            if (r.player->vx == 0) continue;
            chased = true;
            EXPECT_EQ(Velocity(*r.player), Toward(r.player->prevX, r.player->prevY, *foe, 150)) << f;
            EXPECT_EQ(r.player->facing, 1);
            const auto& trail = r.player->afterimage;
            EXPECT_EQ(std::make_tuple(trail.layer, trail.alpha, trail.fadeStep), std::make_tuple(152 - 1, 160, 8)) << f;
        }
        EXPECT_TRUE(chased);
        // A target straight above: the chase has no sideways part and keeps
        // the facing it had. (The robot's ram is on it before it closes in.)
        if (id != kRobo) {
            foe->x = r.player->x;
            foe->y = r.player->y - 700;
            r.player->facing = 1;
            bool upward = false;
            for (int i = 0; i < 8 && !upward; ++i) {
                r.s.Run(1);
                const int32_t f = r.player->frame;
                if (f != 333 && f != 334 && f != 337 && f != 338) continue;
                upward = r.player->vx == 0 && r.player->vy < 0;
                if (upward) {
                    EXPECT_EQ(r.player->facing, 1);
                }
            }
            EXPECT_TRUE(upward);
        }
        // No chain going: a strike asked for gives way to standing.
        r.player->strikeChain = 0;
        r.player->SetState(337);
        EXPECT_NE(r.player->frame, 337);
        EXPECT_NE(r.player->frame, 333);
    }
    // Each strike pose flashes a short bright trail over the striker; a
    // strike that lands stops the striker, and one that defeats the target
    // hops it straight up.
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 800, 800);
        Foe* foe = r.Enemy(2000, 900);
        r.Tap(foe->x, foe->y);
        int poses = 0;
        std::vector<int32_t> stilled;
        auto stilledIn = [&](int32_t f) { return std::find(stilled.begin(), stilled.end(), f) != stilled.end(); };
        for (int i = 0; i < 120 && !(stilledIn(336) && stilledIn(340)); ++i) {
            const bool nudged = r.player->vx != 0;
            r.s.Run(1);
            const int32_t f = r.player->frame;
            if (f != 335 && f != 336 && f != 339 && f != 340) continue;
            ++poses;
            const auto& trail = r.player->afterimage;
            EXPECT_EQ(std::make_tuple(trail.layer, trail.alpha, trail.fadeStep), std::make_tuple(152 + 1, 80, 6)) << f;
            // Each pose holds the striker still, however it was pushed.
            EXPECT_EQ(Velocity(*r.player), std::make_pair(0, 0)) << f;
            if (nudged) stilled.push_back(f);
            r.player->vx = 40;
        }
        EXPECT_GE(poses, 4);
        EXPECT_TRUE(stilledIn(336) && stilledIn(340));
        r.player->vx = 0;
        foe->hp = 1;
        ASSERT_TRUE(r.RunUntil([&] {
            const int32_t f = r.player->frame;
            if (f == 334 || f == 338) r.player->vx = 40;  // still drifting as the blow falls
            return f == 341 || f == 343;
        }, 60)) << r.player->frame;
        EXPECT_EQ(Velocity(*r.player), std::make_pair(0, -50 + 6));
    }
    struct Case {
        int32_t id, falling;
    };
    for (const Case c : {Case{kKunoichi, 363}, Case{kKusarigama, 365}, Case{kRobo, 368}}) {
        SCOPED_TRACE(c.id);
        Room r(c.id, 2000, 1400);
        Foe* foe = r.Enemy(2000, 100);
        foe->SetBody({});
        r.player->attackDirX = 0;
        r.player->attackDirY = -20;
        r.player->SetState(360);
        ASSERT_TRUE(r.RunUntil([&] { return r.player->frame >= c.falling && r.player->frame <= c.falling + 6; }, 40))
            << r.player->frame;
        int falls = 0;
        for (int i = 0; i < 10 && r.player->frame >= c.falling && r.player->frame <= c.falling + 6; ++i) {
            const int32_t vy = r.player->vy;
            r.s.Run(1);
            if (r.player->frame < c.falling || r.player->frame > c.falling + 6) break;
            ++falls;
            EXPECT_EQ(r.player->vy, vy + 6) << "falling";
            const auto& trail = r.player->afterimage;
            EXPECT_EQ(std::make_tuple(trail.layer, trail.alpha, trail.fadeStep), std::make_tuple(152 - 1, 240, 15))
                << "the trail under it while falling";
            EXPECT_DOUBLE_EQ(r.player->angle, std::atan2(r.player->vx, -r.player->vy));
        }
        EXPECT_GE(falls, 5);
    }
}

// Where each stance's anchor lies (the point the camera, a thrown chain or
// a smoke puff is set from): above the feet standing, below the hands on a
// ceiling, off the back on a wall; the class's own stances besides.
TEST(NinjaVariants, EachStancesAnchorLiesWhereItsClassPutsIt) {
    struct Anchor {
        int32_t frame, kunoichi, kusarigama, robo;  // y offsets
    };
    const Anchor anchors[] = {
        {230, -190, -190, -190}, {231, -190, -190, -190}, {236, -190, -190, -190}, {234, 190, 190, 190},
        {235, 190, 190, 190},    {324, 0, -190, -190},    {325, 0, -190, -190},    {940, -190, -190, -190},
        {941, -190, -190, -190}, {947, 0, 0, -190},       {953, 0, 0, -190},       {232, 0, 0, 0},
        {290, 0, 0, 0},          {330, 0, 0, 0},          {320, 0, 0, 0},          {954, 0, 0, 0},
    };
    const int32_t ids[] = {kKunoichi, kKusarigama, kRobo};
    for (int32_t n = 0; n < 3; ++n) {
        std::unique_ptr<CCharacter> made(CreateCharacter(ids[n]));
        made->x = 1000;
        made->y = 2000;
        for (const Anchor& a : anchors) {
            SCOPED_TRACE(testing::Message() << ids[n] << " in " << a.frame);
            made->frame = a.frame;
            const int32_t dy = n == 0 ? a.kunoichi : n == 1 ? a.kusarigama : a.robo;
            EXPECT_EQ(made->GetAnchorY(), 2000 + dy);
            for (const int32_t facing : {1, -1}) {
                made->facing = facing;
                const bool wall = a.frame == 232 || a.frame == 233;
                EXPECT_EQ(made->GetAnchorX(), 1000 + (wall ? 190 * facing : 0));
            }
        }
        made->frame = 233;
        EXPECT_EQ(made->GetAnchorX(), 1000 - 190);
    }
}

// The touch's candidates: another group's, targetable, with a hurt box,
// mirrored by its facing; a touch right on the player dashes to the right.
TEST(NinjaVariants, OnlyTargetableEnemiesWithAHurtBoxUnderTheTouchAreCandidates) {
    constexpr int32_t px = 3000, py = 900;
    struct Case {
        const char* what;
        int32_t dx;  // from the touch
        std::function<void(Foe&)> make;
        bool taken;
    };
    const Case cases[] = {
        {"an enemy", 250, [](Foe&) {}, true},
        {"of the player's group", 250, [](Foe& f) { f.group = 1; }, false},
        {"of both groups", 250, [](Foe& f) { f.group = 3; }, true},
        {"not targetable", 250, [](Foe& f) { f.targetable = 0; }, false},
        {"without a hurt box", 250, [](Foe& f) { f.SetHurtBox({}); }, false},
        {"a flat hurt box", 250, [](Foe& f) { f.SetHurtBox({-100, 100, 0, 0}); }, false},
        {"a box only to its right, facing right", 450, [](Foe& f) { f.SetHurtBox({0, 300, -100, 100}); }, false},
        {"a box only to its right, facing left", 450,
         [](Foe& f) {
             f.SetHurtBox({0, 300, -100, 100});
             f.facing = -1;
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Room r(kKunoichi, 800, 800);
        Foe* foe = r.Enemy(px + c.dx, py);
        foe->targetable = 1;
        c.make(*foe);
        r.Tap(px, py);
        EXPECT_EQ(r.player->target == foe, c.taken);
        EXPECT_EQ(r.player->frame == 330, c.taken);
    }
    // A touch on the player itself: no way to go, so to the right, and the
    // dash lasts a single tick.
    Room r(kKunoichi, 2000, kFloor);
    ASSERT_TRUE(r.RunUntil([&] { return Standing(r.player); }, 20));
    r.Tap(r.player->x, r.player->y);
    EXPECT_EQ(r.player->frame, 324);
    EXPECT_EQ(std::make_pair(r.player->attackDirX, r.player->attackDirY), std::make_pair(150, 0));
    EXPECT_EQ(r.player->RecordAt(322).stateDuration, 1);
    EXPECT_EQ(r.player->facing, 1);
}

// A dash is timed by its longer part; when both parts of its speed come out
// equal, by the upright one.
TEST(NinjaVariants, ADashAlongTheDiagonalIsTimedByItsUprightPart) {
    struct Case {
        int32_t id, touchX, touchY, record, ticks, chainTicks;
    };
    // From (801, 800): 1059 across and 1060 down, or 699 and 700.
    for (const Case c : {Case{kKunoichi, 1860, 1860, 322, 1060 / 106 + 1, 0},
                         Case{kKusarigama, 1860, 1860, 322, 1060 / 106 + 2, 1060 / 212 + 2},
                         Case{kRobo, 1500, 1500, 321, 700 / 70 + 5, 0}}) {
        SCOPED_TRACE(c.id);
        Room r(c.id, 800, 800);
        ASSERT_EQ(r.player->frame, 290);
        r.player->x = 801;
        r.player->y = 800;
        r.player->vx = r.player->vy = 0;
        r.Tap(c.touchX, c.touchY);
        EXPECT_EQ(std::abs(r.player->attackDirX), std::abs(r.player->attackDirY));
        EXPECT_EQ(r.player->RecordAt(c.record).stateDuration, c.ticks);
        if (c.chainTicks != 0) {
            const CCharacter* chain = static_cast<CCharacterKusarigama*>(r.player)->Chain();
            ASSERT_NE(chain, nullptr);
            EXPECT_EQ(chain->RecordAt(610).stateDuration, c.chainTicks);
        }
        if (c.id == kRobo) {
            // The charge slows down and across alike: 70 each, then 63 ... 7.
            std::vector<std::pair<int32_t, int32_t>> charge;
            r.RunUntil([&] {
                if (r.player->frame >= 321 && r.player->frame <= 327) charge.push_back(Velocity(*r.player));
                return r.player->frame > 327;
            }, 40);
            ASSERT_GE(charge.size(), 15u);
            EXPECT_EQ(charge[5], std::make_pair(70, 70));
            EXPECT_EQ(charge[6], std::make_pair(63, 63));
            EXPECT_EQ(charge[14], std::make_pair(7, 7));
        }
    }
}

// The homing attack ends when its target leaves the screen; a variant that
// loses the ground under it falls; one beaten falls out of the stage.
TEST(NinjaVariants, ATargetOffScreenEndsTheAttackAndLostGroundOrLifeMakesThemFall) {
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 800, 800);
        Foe* foe = r.Enemy(2000, 900);
        r.Tap(foe->x, foe->y);
        ASSERT_TRUE(r.RunUntil([&] { return !foe->hits.empty(); }, 60));
        foe->x = 9000;  // beyond the screen's right edge
        r.s.Run(1);
        EXPECT_TRUE(r.player->frame == 230 || r.player->frame == 290) << r.player->frame;
        EXPECT_EQ(r.player->target, nullptr);
        EXPECT_EQ(r.player->vx, 0);
    }
    // A target off the screen ends the attack in any record up to the last
    // strike pose (330-340); the hop after the last cut (341-344) is finished
    // whatever the target does.
    struct OffScreen {
        int32_t id, state;
        bool givesUp;
    };
    for (const OffScreen o : {OffScreen{kRobo, 336, true}, OffScreen{kRobo, 340, true}, OffScreen{kRobo, 341, false},
                              OffScreen{kKunoichi, 341, false}, OffScreen{kKusarigama, 343, false}}) {
        SCOPED_TRACE(testing::Message() << o.id << " in " << o.state);
        Room r(o.id, 800, 800);
        Foe* foe = r.Enemy(9000, 800);  // beyond the screen's right edge
        r.player->target = foe;
        r.player->frame = o.state;
        r.player->stateTimer = 0;
        r.player->vx = 30;
        r.player->vy = -50;
        r.s.Run(1);
        EXPECT_EQ(r.player->frame == 230 || r.player->frame == 290, o.givesUp) << r.player->frame;
        EXPECT_EQ(r.player->vx, o.givesUp ? 0 : 30);
    }
    for (int32_t id : {kKunoichi, kKusarigama, kRobo}) {
        SCOPED_TRACE(id);
        Room r(id, 2000, 1600, {"............", "............", "............", "............",
                                 "....#.......", "............"});
        ASSERT_TRUE(r.RunUntil([&] { return Standing(r.player); }, 40));
        ASSERT_EQ(r.player->y, 1600) << "on the block";
        r.s.At(4, 4)->alive = 0;
        r.s.Run(2);
        EXPECT_EQ(r.player->frame, 290) << "its ground gone";
        r.player->OnHit(15, 1000, 1, r.Enemy(3000, 1000));
        EXPECT_GE(r.player->frame, 110);
        EXPECT_LE(r.player->frame, 115);
        const int32_t y = r.player->y;
        r.s.Run(60);
        EXPECT_GT(r.player->y, y) << "beaten, it falls";
    }
}

// --- The kunoichi ----------------------------------------------------------------

TEST(Kunoichi, TheSmokeDashPassesThroughAShotUnhurtAndEndsAtTheTouchedPoint) {
    Room r(kKunoichi, 600, kFloor);
    // A shot hanging in her way, striking the player's group every frame.
    auto* shot = r.s.Add(std::make_unique<ScenarioBody>(ScenarioBody::Box{}), 1100, kFloor - 150);
    shot->group = 2;
    shot->SetAttackBox({-100, 100, -100, 100});
    int overlaps = 0;
    shot->onUpdate = [&](ScenarioBody& b) {
        overlaps += b.AttackHits(r.player) ? 1 : 0;
        b.AttackAll(nullptr, 1, 1, 10);
    };
    r.s.ClearSounds();
    r.player->vx = 50;  // still walking as she touches
    r.Tap(1600, kFloor);
    EXPECT_EQ(r.player->frame, 324);
    EXPECT_EQ(Velocity(*r.player), std::make_pair(0, 0)) << "she stops to vanish";
    EXPECT_EQ(r.player->x, 600);
    EXPECT_EQ(r.player->RecordAt(322).stateDuration, 1000 / 150 + 1);
    EXPECT_EQ(std::make_pair(r.player->GetInvulnerable(), r.player->GetTimer172()), std::make_pair(-1, -1));
    EXPECT_EQ(CountEffects(50000, 60), 1) << "the vanishing smoke";
    EXPECT_EQ(CountEffects(50000, 70), 1) << "the mark of where she goes";
    for (int32_t i = 1; i <= World().GetCount(); ++i) {
        const CCharacter* c = World().GetAt(i);
        if (c->typeId != 50000 || c->frame != 70) continue;
        EXPECT_EQ(c->prevX, 1600);
        EXPECT_EQ(c->prevY, kFloor);
    }
    for (int32_t i = 1; i <= World().GetCount(); ++i) {
        const CCharacter* c = World().GetAt(i);
        if (c->typeId != 50000 || c->frame != 60) continue;
        EXPECT_EQ(c->prevX, 600);
        EXPECT_EQ(c->prevY, kFloor - 190) << "at the middle of her body";
    }
    int dashTicks = 0;
    int reappearing = 0;
    ASSERT_TRUE(r.RunUntil([&] {
        const bool dashing = r.player->frame == 322;
        dashTicks += dashing ? 1 : 0;
        if (dashTicks > 0 && !dashing && reappearing == 0) {
            // The smoke where she comes out of the dash.
            for (int32_t i = 1; i <= World().GetCount(); ++i) {
                const CCharacter* c = World().GetAt(i);
                reappearing += c->typeId == 50000 && c->frame == 60 && c->prevX == r.player->prevX &&
                               c->prevY == r.player->prevY;
            }
            reappearing += 1000;  // looked once
        }
        return Standing(r.player);
    }));
    EXPECT_EQ(reappearing, 1001) << "one smoke where the dash ends";
    EXPECT_GT(overlaps, 0);
    EXPECT_EQ(r.player->hp, 30) << "unhurt";
    EXPECT_EQ(dashTicks, 7);
    EXPECT_GE(r.player->x, 1600);
    EXPECT_LE(r.player->x, 1600 + 150) << "at most one tick past the touch";
    EXPECT_EQ(r.player->y, kFloor);
    EXPECT_EQ(r.player->GetInvulnerable(), 0);
    EXPECT_EQ(r.player->GetTimer172(), 0);
    EXPECT_EQ(r.player->releasedSide, 0) << "the floor she left is hers again";
    EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{54}) << "the vanish into smoke, and nothing else on the way";
    // Vulnerable again: the shot now hurts her.
    shot->x = r.player->x;
    r.s.Run(2);
    EXPECT_LT(r.player->hp, 30);
}

// A smoke dash started in the air against a wall: the wall is only taken
// from the dash's third tick (stateTimer 2) on, as the robot's charge.
TEST(Kunoichi, ASmokeDashIntoAWallHoldsItFromItsThirdTick) {
    Room r(kKunoichi, 4300, 1200, kRoom);
    r.player->x = 4300;
    r.player->y = 1200;
    r.player->SetState(290);
    r.player->vx = r.player->vy = 0;
    r.Tap(4790, 1200);
    ASSERT_EQ(r.player->frame, 320);
    ASSERT_EQ(r.player->RecordAt(322).stateDuration, 490 / 150 + 1);
    // In the air she vanishes in smoke where she is.
    ASSERT_EQ(CountEffects(50000, 60), 1);
    for (int32_t i = 1; i <= World().GetCount(); ++i) {
        const CCharacter* c = World().GetAt(i);
        if (c->typeId == 50000 && c->frame == 60) {
            EXPECT_EQ(std::make_pair(c->prevX, c->prevY), std::make_pair(4300, 1200));
        }
    }
    ASSERT_TRUE(r.RunUntilFrame(322, 20)) << r.player->frame;
    int dashing = 1;  // the frame that entered 322 ran its first tick
    while (r.player->frame == 322 && dashing < 40) {
        r.s.Run(1);
        ++dashing;
    }
    EXPECT_EQ(dashing, 3);
    EXPECT_EQ(r.player->frame, 323);
}

TEST(Kunoichi, TheHomingDashBurstsBehindHerAndCutsAtHalfPowerAlternately) {
    Room r(kKunoichi, 800, kFloor);
    static_cast<CCharacterKunoichi*>(r.player)->attack = 101;
    Foe* foe = r.Enemy(2800, kFloor - 100);
    r.player->facing = -1;
    r.Tap(foe->x, foe->y);
    ASSERT_EQ(r.player->frame, 330);
    EXPECT_EQ(r.player->facing, 1) << "turned to the target";
    EXPECT_EQ(r.player->y, kFloor - 100) << "lifted off the ground";
    EXPECT_EQ(r.player->attackDirX, 150);
    EXPECT_EQ(CountEffects(50000, 50), 2);
    EXPECT_EQ(CountEffects(50000, 51), 3);
    EXPECT_EQ(CountEffects(50000, 80), 1) << "the mark on the target";
    for (int32_t i = 1; i <= World().GetCount(); ++i) {
        const CCharacter* c = World().GetAt(i);
        if (c->typeId == 50000 && c->frame == 80) {
            EXPECT_EQ(std::make_pair(c->prevX, c->prevY), std::make_pair(foe->x, foe->y));
        }
    }
    // The burst comes out 150 behind her.
    for (int32_t i = 1; i <= World().GetCount(); ++i) {
        const CCharacter* c = World().GetAt(i);
        if (c->typeId != 50000 || (c->frame != 50 && c->frame != 51)) continue;
        EXPECT_EQ(std::make_pair(c->prevX, c->prevY), std::make_pair(800 - 150, kFloor - 100)) << c->frame;
    }
    EXPECT_NE(r.player->GetInvulnerable(), 0);
    // Still for the wind-up, then at 150 a frame straight at it.
    ASSERT_TRUE(r.RunUntilFrame(332, 10));
    // An enemy that slips behind her turns her round on the way.
    foe->x = r.player->x - 500;
    r.s.Run(1);
    ASSERT_EQ(r.player->frame, 332);
    EXPECT_LT(r.player->vx, 0);
    EXPECT_EQ(r.player->facing, -1);
    foe->x = 2800;
    int approach = 0;
    while (r.player->frame == 332 && approach < 30) {
        r.s.Run(1);
        if (r.player->frame != 332) break;
        ++approach;
        EXPECT_EQ(Velocity(*r.player), Toward(r.player->prevX, r.player->prevY, *foe, 150)) << approach;
        EXPECT_NE(r.player->GetInvulnerable(), 0) << "unhurt all the way in, " << approach;
    }
    EXPECT_GE(approach, 5);
    r.s.ClearSounds();
    ASSERT_TRUE(r.RunUntil([&] { return foe->hits.size() >= 4; }, 120));
    EXPECT_EQ(SwingsHeard(r.s, 0), 4) << "each cut's swing before it";
    EXPECT_EQ(r.player->GetInvulnerable(), 0) << "hurt again from the cuts on";
    const std::vector<std::pair<int32_t, int32_t>> cuts(foe->hits.begin(), foe->hits.begin() + 4);
    EXPECT_EQ(cuts, (std::vector<std::pair<int32_t, int32_t>>{{2, 50}, {3, 50}, {2, 50}, {3, 50}}));
    // The foe falls to a cut: the finish of that side, a hop up at 50, then
    // standing.
    foe->hp = 1;
    ASSERT_TRUE(r.RunUntil([&] { return r.player->frame == 341 || r.player->frame == 343; }, 20));
    EXPECT_EQ(r.player->frame, foe->hits.back().first == 2 ? 341 : 343);
    EXPECT_EQ(r.player->vy, -50 + 6) << "up at 50, a frame of gravity";
    EXPECT_TRUE(r.RunUntil([&] { return !r.player->IsAirborne() && Standing(r.player); }, 120));
}

// An enemy already within her reach when the wind-up ends: no approach, the
// first cut's pose is struck in that very frame.
TEST(Kunoichi, AnEnemyWithinReachAfterTheWindUpIsCutAtOnce) {
    Room r(kKunoichi, 800, kFloor);
    Foe* foe = r.Enemy(1100, kFloor - 100);
    r.Tap(foe->x, foe->y);
    ASSERT_EQ(r.player->frame, 330);
    std::vector<int32_t> frames;
    ASSERT_TRUE(r.RunUntil([&] {
        frames.push_back(r.player->frame);
        return r.player->frame == 333;
    }, 10));
    EXPECT_EQ(std::count(frames.begin(), frames.end(), 332), 0) << "never seen approaching";
    EXPECT_EQ(r.player->stateTimer, 0);
    EXPECT_EQ(Velocity(*r.player), std::make_pair(0, 0));
    const auto& trail = r.player->afterimage;
    EXPECT_EQ(std::make_tuple(trail.layer, trail.alpha, trail.fadeStep), std::make_tuple(152 + 1, 80, 6))
        << "the cut's flash already in the frame it began";
}

// --- The chain-sickle fighter -------------------------------------------------------

TEST(Kusarigama, TheChainFliesToTheTouchPullsHerThereAndSheHangsWhileTheTouchIsHeld) {
    Room r(kKusarigama, 600, kFloor);
    auto* k = static_cast<CCharacterKusarigama*>(r.player);
    // 900 to the right of her anchor: five ticks of flight, eight of pull.
    r.Tap(600 + 900, kFloor - 190);
    ASSERT_EQ(k->frame, 324);
    ASSERT_NE(k->Chain(), nullptr);
    EXPECT_EQ(k->Chain()->RecordAt(610).stateDuration, 5);
    EXPECT_EQ(k->RecordAt(322).stateDuration, 8);
    EXPECT_EQ(Velocity(*k->Chain()), std::make_pair(300, 0)) << "the chain flies at 300";
    EXPECT_EQ(k->Chain()->linksA[0], k);
    // The chain's box is hers while it flies.
    Foe* atChain = r.Enemy(k->Chain()->x, k->Chain()->y);
    EXPECT_TRUE(k->AttackHits(atChain));
    atChain->alive = 0;
    r.s.Run(40);
    EXPECT_TRUE(Standing(k)) << k->frame;
    EXPECT_EQ(k->linksB[0], nullptr) << "the chain is gone when she stands";

    // Up into the air with the touch held: pulled, then hanging.
    const int32_t cx = 1800, cy = 700;
    r.TouchAt(cx, cy);
    ASSERT_TRUE(r.RunUntilFrame(322, 30));
    CCharacter* chain = k->Chain();
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->frame, 611);
    EXPECT_EQ(chain->x, cx);
    EXPECT_EQ(chain->y, cy);
    EXPECT_NE(k->GetInvulnerable(), 0);
    // Pulled at 200 a frame straight at the chain.
    int pulled = 0;
    while (k->frame == 322 && pulled < 30) {
        r.s.Run(1);
        if (k->frame != 322) break;
        ++pulled;
        const double a = std::atan2(static_cast<double>(cy - k->prevY), static_cast<double>(cx - k->prevX));
        EXPECT_EQ(k->vx, static_cast<int32_t>(200 * std::cos(a))) << pulled;
        EXPECT_EQ(k->vy, static_cast<int32_t>(200 * std::sin(a))) << pulled;
        EXPECT_DOUBLE_EQ(k->angle, std::atan2(k->vx, -k->vy)) << "drawn along the pull, " << pulled;
    }
    EXPECT_GE(pulled, 2);
    ASSERT_TRUE(r.RunUntil([&] { return k->frame == 326 || k->frame == 327; }, 30)) << k->frame;
    EXPECT_EQ(k->GetInvulnerable(), 0) << "hanging, she can be hit";
    EXPECT_EQ(std::make_pair(k->angle, k->angle2), std::make_pair(0.0, 0.0)) << "hanging upright";
    for (int i = 0; i < 40; ++i) {
        r.s.Run(1);
        ASSERT_TRUE(k->frame == 326 || k->frame == 327) << i;
        const double d = std::hypot(static_cast<double>(k->x - cx), static_cast<double>(k->y - cy));
        EXPECT_LE(d, 400 + 100) << "on the rope";
    }
    // Letting go drops her from rest and takes the chain away.
    k->vx = 30;
    r.s.TouchUp();
    r.s.Run(1);
    EXPECT_EQ(k->frame, 290);
    EXPECT_EQ(Velocity(*k), std::make_pair(0, 0));
    EXPECT_EQ(k->linksB[0], nullptr);
    r.s.Run(1);
    EXPECT_EQ(CountEffects(40000, 611), 0);
}

// The rope is 400 long: when her next position would lie farther from the
// chain, each part of her speed that takes her away is turned back at half,
// and a turned fall under 10 stops; within 400 she swings freely.
TEST(Kusarigama, HangingTheRopeOf400TurnsBackWhatTakesHerAwayAtHalfSpeed) {
    struct Case {
        int32_t dx, dy, vx, vy;    // from the chain, her speed before gravity
        int32_t afterVx, afterVy;  // her speed after the frame
    };
    const Case cases[] = {
        {0, 410, 0, 0, 0, 0},        // falling beyond: she stops where she is
        {0, 380, 0, 0, 0, 6},        // within the rope: she falls on
        {0, 396, 0, 0, 0, 0},        // 402 next: beyond
        {0, 394, 0, 0, 0, 6},        // 400 next: still within
        {420, 0, 30, 0, -15, 6},     // swinging out to the right
        {-420, 0, -31, 0, 15, 6},    // and to the left
        {390, 0, 5, 0, 5, 6},        // 395 next: within
        {0, -420, 0, -40, 0, 17},    // flying up past the chain: back down at half
        {300, 300, 10, 0, -5, 0},    // out along both axes
        {300, -300, 10, 0, -5, 6},   // above it the fall takes her nearer
        {0, -420, 0, -20, 0, 0},     // flying up slowly: turned back under 10, she stops
        {0, -420, 0, -26, 0, 10},    // turned back at 10: she falls on
    };
    Room r(kKusarigama, 600, kFloor);
    auto* k = static_cast<CCharacterKusarigama*>(r.player);
    const int32_t cx = 1800, cy = 700;
    r.TouchAt(cx, cy);
    ASSERT_TRUE(r.RunUntil([&] { return k->frame == 326 || k->frame == 327; }, 60)) << k->frame;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy << " at " << c.vx << "," << c.vy);
        ASSERT_NE(k->Chain(), nullptr);
        ASSERT_EQ(k->Chain()->x, cx);
        ASSERT_EQ(k->Chain()->y, cy);
        k->x = cx + c.dx;
        k->y = cy + c.dy;
        k->vx = c.vx;
        k->vy = c.vy;
        r.s.Run(1);
        ASSERT_TRUE(k->frame == 326 || k->frame == 327) << k->frame;
        EXPECT_EQ(k->vx, c.afterVx);
        EXPECT_EQ(k->vy, c.afterVy);
        EXPECT_EQ(k->x, cx + c.dx + c.afterVx);
        EXPECT_EQ(k->y, cy + c.dy + c.afterVy);
    }
    // Leaving the hang takes the chain away at once, its owner link cut.
    CCharacter* chain = k->Chain();
    ASSERT_NE(chain, nullptr);
    k->SetState(290);
    EXPECT_EQ(k->linksB[0], nullptr);
    EXPECT_EQ(chain->linksA[0], nullptr);
    EXPECT_EQ(chain->frame, 0);
    r.s.TouchUp();
}

TEST(Kusarigama, AChainThatIsRemovedUnderHerLetsHerGoWhereverSheIs) {
    struct Case {
        const char* when;
        std::vector<int32_t> frames;  // she is in one of them when it goes
    };
    for (const Case& c : {Case{"thrown", {320, 321}}, Case{"pulled", {322}}, Case{"hanging", {326, 327}}}) {
        SCOPED_TRACE(c.when);
        Room r(kKusarigama, 600, 1200, kRoom);
        auto* k = static_cast<CCharacterKusarigama*>(r.player);
        r.TouchAt(3400, 700);
        ASSERT_TRUE(r.RunUntil([&] { return std::count(c.frames.begin(), c.frames.end(), k->frame) != 0; }, 60));
        k->Chain()->SetState(0);
        r.s.Run(2);
        EXPECT_EQ(k->linksB[0], nullptr);
        EXPECT_TRUE(k->frame == 290 || k->frame == 323) << k->frame;
        r.s.TouchUp();
        EXPECT_TRUE(r.RunUntil([&] { return Standing(k) || (k->frame >= 232 && k->frame <= 235); }, 200)) << k->frame;
    }
}

TEST(Kusarigama, TheHomingChainCatchesTheEnemyPullsHerInAndTheCutsStrikeAtFullPower) {
    Room r(kKusarigama, 800, kFloor);
    auto* k = static_cast<CCharacterKusarigama*>(r.player);
    Foe* foe = r.Enemy(3000, kFloor - 100);
    r.Tap(foe->x, foe->y);
    ASSERT_EQ(k->frame, 330);
    ASSERT_NE(k->Chain(), nullptr);
    EXPECT_EQ(k->Chain()->frame, 620);
    // Unhurt from the throw until the cuts begin.
    EXPECT_EQ(k->GetInvulnerable(), -1);
    std::vector<int32_t> unhurtIn;
    ASSERT_TRUE(r.RunUntil([&] {
        if (k->GetInvulnerable() == -1) unhurtIn.push_back(k->frame);
        return k->frame == 332;
    }, 30)) << "the chain holds the enemy";
    ASSERT_FALSE(unhurtIn.empty());
    EXPECT_EQ(unhurtIn.front(), 330);
    EXPECT_NE(std::find(unhurtIn.begin(), unhurtIn.end(), 331), unhurtIn.end()) << "nor in the second pose";
    EXPECT_EQ(unhurtIn.back(), 332);
    EXPECT_EQ(k->Chain()->frame, 621);
    EXPECT_GT(k->vx, 0);
    EXPECT_DOUBLE_EQ(k->angle, std::atan2(k->vx, -k->vy)) << "drawn along the pull";
    ASSERT_TRUE(r.RunUntil([&] { return k->frame == 333; }, 30));
    EXPECT_EQ(k->GetInvulnerable(), 0) << "the cuts can be answered";
    EXPECT_EQ(std::make_pair(k->angle, k->angle2), std::make_pair(0.0, 0.0)) << "upright for the cuts";
    r.s.Run(1);
    EXPECT_EQ(k->linksB[0], nullptr) << "the cuts put the chain away";
    r.s.ClearSounds();
    ASSERT_TRUE(r.RunUntil([&] { return foe->hits.size() >= 4; }, 60));
    EXPECT_EQ(SwingsHeard(r.s, 0), 4) << "each cut's swing before it";
    const std::vector<std::pair<int32_t, int32_t>> cuts(foe->hits.begin(), foe->hits.begin() + 4);
    EXPECT_EQ(cuts, (std::vector<std::pair<int32_t, int32_t>>{{2, 100}, {3, 100}, {2, 100}, {3, 100}}));
}

// --- The robot -----------------------------------------------------------------------

TEST(Robo, TheDrillChargeHitsAllInItsWayAtDoublePowerAndSlowsOverItsLastTenTicks) {
    Room r(kRobo, 600, kFloor);
    Foe* near = r.Enemy(1220, kFloor - 100);
    Foe* far = r.Enemy(1290, kFloor - 100);
    r.s.ClearSounds();
    r.Tap(1600, kFloor);
    ASSERT_EQ(r.player->frame, 329);
    for (int32_t f = 321; f <= 327; ++f)
        EXPECT_EQ(r.player->RecordAt(f).stateDuration, 1000 / 100 + 5) << f;
    EXPECT_EQ(r.s.Sounds(), std::vector<int32_t>{55}) << "the drill set off";
    // The drill, set off at the start with the robot as its owner.
    CCharacter* drill = r.player->linksB[0];
    ASSERT_NE(drill, nullptr);
    EXPECT_EQ(drill->frame, 630);
    EXPECT_EQ(drill->linksA[0], r.player);
    std::vector<int32_t> speeds;
    ASSERT_TRUE(r.RunUntil([&] {
        if (r.player->frame >= 321 && r.player->frame <= 327) {
            speeds.push_back(r.player->vx);
            EXPECT_DOUBLE_EQ(r.player->angle, std::atan2(r.player->vx, -r.player->vy)) << "turned along its charge";
            EXPECT_DOUBLE_EQ(r.player->angle2, r.player->angle);
            const auto& trail = r.player->afterimage;
            EXPECT_EQ(std::make_tuple(trail.layer, trail.alpha, trail.fadeStep), std::make_tuple(152 - 1, 160, 10))
                << "the trail under it while it charges";
        }
        return r.player->frame == 328 || Standing(r.player);
    }));
    const std::vector<int32_t> expected = {100, 100, 100, 100, 100, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10};
    EXPECT_EQ(speeds, expected);
    ASSERT_TRUE(r.RunUntil([&] { return Standing(r.player); }, 40)) << r.player->frame;
    EXPECT_EQ(r.player->releasedSide, 0) << "the floor it charged along is its own again";
    EXPECT_EQ(std::make_pair(r.player->angle, r.player->angle2), std::make_pair(0.0, 0.0)) << "upright again";
    for (const Foe* foe : {near, far}) {
        ASSERT_FALSE(foe->hits.empty());
        EXPECT_EQ(foe->hits.front(), std::make_pair(1, 200));
    }
    // The drill is set off 200 in front of the arm, on the side the robot
    // faces as the charge starts.
    for (const int32_t side : {1, -1}) {
        Room m(kRobo, 1500, kFloor);
        m.player->facing = side;
        m.Tap(1500 + side * 1000, kFloor);
        ASSERT_EQ(m.player->frame, 329) << side;
        const CCharacter* sideDrill = m.player->linksB[0];
        ASSERT_NE(sideDrill, nullptr) << side;
        EXPECT_EQ(sideDrill->x, 1500 + side * 200) << side;
    }
}

// A charge started in the air against a wall: the wall is only taken from
// the charge's third tick (stateTimer 2) on.
TEST(Robo, ADrillChargeIntoAWallHoldsItFromItsThirdTick) {
    Room r(kRobo, 4300, 1200, kRoom);
    r.player->x = 4300;
    r.player->y = 1200;
    r.player->SetState(290);
    r.player->vx = r.player->vy = 0;
    r.Tap(4390, 1200);
    ASSERT_EQ(r.player->frame, 320);
    ASSERT_TRUE(r.RunUntil([&] { return r.player->frame != 320; }, 20));
    int charging = 1;  // the frame that entered 321 ran its first tick
    while (r.player->frame >= 321 && r.player->frame <= 327 && charging < 40) {
        r.s.Run(1);
        ++charging;
    }
    EXPECT_EQ(charging, 3);
    EXPECT_TRUE(r.player->frame == 328 || (r.player->frame >= 232 && r.player->frame <= 233)) << r.player->frame;
}

TEST(Robo, TheHomingChargeRamsTheTargetAgainAndAgainWithDoubleStrikesOfKind13) {
    Room r(kRobo, 800, kFloor);
    static_cast<CCharacterRobo*>(r.player)->attack = 300;
    Foe* foe = r.Enemy(2400, kFloor - 100);
    r.Tap(foe->x, foe->y);
    ASSERT_EQ(r.player->frame, 330);
    EXPECT_EQ(r.player->target, foe);
    EXPECT_EQ(r.player->attackDirX, 150);
    // The charge aims at the target at once, at 150 (straight right), less
    // the ground's slowing of 10 in the frame of the touch.
    EXPECT_EQ(r.player->vx, 150 - 10);
    EXPECT_EQ(r.player->vy, 0);
    std::vector<int32_t> frames;
    r.s.ClearSounds();
    ASSERT_TRUE(r.RunUntil([&] {
        frames.push_back(r.player->frame);
        return foe->hits.size() >= 3;
    }, 200));
    EXPECT_EQ(SwingsHeard(r.s, 59), 3) << "each ram's roar before it";
    EXPECT_EQ(SwingsHeard(r.s, 0), 0);
    for (const auto& hit : foe->hits) EXPECT_EQ(hit, std::make_pair(13, 600));
    // The rams alternate their sides, a charge between them.
    const auto first = std::find(frames.begin(), frames.end(), 336);
    ASSERT_NE(first, frames.end());
    EXPECT_NE(std::find(first, frames.end(), 340), frames.end());
}

// A charge that meets nothing ends 80 frames after it was aimed; each ram
// aims a new one with a fresh 80.
TEST(Robo, AHomingChargeThatNeverMeetsItsTargetGivesUpAfterEightyFrames) {
    Room r(kRobo, 800, kFloor);
    Foe* foe = r.Enemy(2400, kFloor - 100);
    r.Tap(foe->x, foe->y);
    ASSERT_EQ(r.player->frame, 330);
    ASSERT_EQ(r.player->target, foe);
    EXPECT_DOUBLE_EQ(r.player->angle, std::atan2(r.player->vx, -r.player->vy)) << "turned along its charge";
    foe->SetHurtBox({});  // nothing can reach it any more
    int charging = 0;
    while (r.player->frame >= 330 && r.player->frame <= 332 && charging < 200) {
        const double before = r.player->angle;
        r.s.Run(1);
        ++charging;
        if (r.player->frame < 330 || r.player->frame > 332) break;
        EXPECT_EQ(Velocity(*r.player), Toward(r.player->prevX, r.player->prevY, *foe, 150)) << charging;
        EXPECT_DOUBLE_EQ(r.player->angle, std::atan2(r.player->vx, -r.player->vy)) << charging;
        EXPECT_DOUBLE_EQ(r.player->angle2, before) << "the angle it had before turning, " << charging;
        const auto& trail = r.player->afterimage;
        EXPECT_EQ(std::make_tuple(trail.layer, trail.alpha, trail.fadeStep), std::make_tuple(152 - 1, 160, 8))
            << "the trail under it while it charges, " << charging;
    }
    EXPECT_EQ(charging, 80);
    EXPECT_TRUE(r.player->frame == 230 || r.player->frame == 290 || r.player->frame == 236) << r.player->frame;
    EXPECT_EQ(std::make_pair(r.player->angle, r.player->angle2), std::make_pair(0.0, 0.0)) << "upright again";
    EXPECT_EQ(r.player->target, nullptr);
    EXPECT_TRUE(foe->hits.empty());
}

TEST(Robo, TheEndingRisesOnItsJetsThenHovers) {
    Room r(kRobo, 2000, kFloor);
    r.player->SetState(963);
    const int32_t y0 = r.player->y;
    r.s.Run(10);
    EXPECT_EQ(r.player->y, y0 - 190);
    ASSERT_TRUE(r.RunUntilFrame(970, 70));
    const int32_t y1 = r.player->y;
    r.s.Run(10);
    EXPECT_TRUE(r.player->frame == 970 || r.player->frame == 971);
    EXPECT_EQ(r.player->y, y1) << "hovering";
    r.s.Run(40);
    EXPECT_TRUE(r.player->frame == 972 || r.player->frame == 973);
    // Whatever speed it has, the rise is 19 a frame and the hover still.
    struct Jet {
        int32_t state, vy, after;
    };
    for (const Jet j : {Jet{963, 0, -19}, Jet{969, 30, -19}, Jet{970, -19, 0}, Jet{971, -19, 0}}) {
        SCOPED_TRACE(j.state);
        r.player->SetState(j.state);
        r.player->vy = j.vy;
        r.s.Run(1);
        EXPECT_EQ(r.player->vy, j.after);
    }
}

// --- The first stage with each ---------------------------------------------------------

class NinjaVariantStageWalk : public testing_support::StagePlayTest, public ::testing::WithParamInterface<int32_t> {
protected:
    // Their attacks start on a fresh touch only: a button another test left
    // down is let go first.
    void SetUp() override {
        StagePlayTest::SetUp();
        TouchUp();
        CMyInput::GetInstance()->Poll();
    }
    testing_support::StageWalker walker{{[this] {
                                             testing_support::ClearEnemiesOutOfPlay();
                                             Frame();
                                         },
                                         [this](int32_t x, int32_t y) { TouchDown(x, y); }, [this] { TouchUp(); }}};
};

TEST_P(NinjaVariantStageWalk, TheFirstStageToItsExit) {
    Game()->m_selectedCharacter = GetParam();
    Game()->StartStage(266);
    ASSERT_NE(Player(), nullptr);
    ASSERT_EQ(Player()->typeId, GetParam());
    walker.PlayToTheExit();
    EXPECT_EQ(Game()->m_mapId, 267);
}

INSTANTIATE_TEST_SUITE_P(EachClass, NinjaVariantStageWalk, ::testing::Values(kKunoichi, kKusarigama, kRobo));

TEST(Kusarigama, HangingWithTheTouchHeldSheKeepsHerChainLongerThanTheHangsCount) {
    Room r(kKusarigama, 600, kFloor);
    auto* k = static_cast<CCharacterKusarigama*>(r.player);
    r.TouchAt(1800, 700);
    ASSERT_TRUE(r.RunUntil([&] { return k->frame == 326 || k->frame == 327; }, 60)) << k->frame;
    CCharacter* chain = k->Chain();
    ASSERT_NE(chain, nullptr);
    // 1200 frames of the hang: past the 999 its state counts.
    for (int i = 0; i < 1200; ++i) {
        r.s.Run(1);
        ASSERT_TRUE(k->frame == 326 || k->frame == 327) << "dropped at frame " << i;
    }
    EXPECT_EQ(k->Chain(), chain) << "the chain still holds her";
    EXPECT_EQ(chain->frame, 611);
    // Letting go still drops her and takes the chain away.
    r.s.TouchUp();
    r.s.Run(1);
    EXPECT_EQ(k->frame, 290);
    EXPECT_EQ(k->linksB[0], nullptr);
}

// Leaving the homing wind-up's second pose stops the kunoichi and the
// chain-sickle fighter where they are; the robot keeps its way.
TEST(NinjaVariants, LeavingTheSecondWindUpPoseStopsAllButTheRobot) {
    struct Case {
        int32_t type, vx, vy;  // her speed once out of it
    };
    for (const Case& c : {Case{kKunoichi, 0, 0}, Case{kKusarigama, 0, 0}, Case{kRobo, 40, -30}}) {
        SCOPED_TRACE(c.type);
        Room r(c.type, 800, kFloor);
        r.player->SetState(331);
        ASSERT_EQ(r.player->frame, 331);
        r.player->vx = 40;
        r.player->vy = -30;
        r.player->SetState(290);
        EXPECT_EQ(Velocity(*r.player), std::make_pair(c.vx, c.vy));
    }
}

// Thrown from a wall, the chain leaves from her position (her anchor once
// she has let go, not the wall's); a pull straight up along the wall she
// stood by takes that wall only from its third tick (stateTimer 2) on.
TEST(Kusarigama, AThrowFromAWallLeavesFromHerAndAPullTakesAWallFromItsThirdTick) {
    {
        Room r(kKusarigama, 700, 1200, kRoom);
        auto* k = static_cast<CCharacterKusarigama*>(r.player);
        k->SetState(290);
        k->vx = -40;
        ASSERT_TRUE(r.RunUntilFrame(232, 60)) << k->frame;
        r.s.Run(3);
        const int32_t x = k->x, y = k->y;
        ASSERT_EQ(k->GetAnchorX(), x + 190);
        r.Tap(x + 1580, y - 996);
        ASSERT_EQ(k->frame, 320);
        const CCharacter* chain = k->Chain();
        ASSERT_NE(chain, nullptr);
        EXPECT_EQ(std::make_pair(chain->prevX, chain->prevY), std::make_pair(x, y));
        EXPECT_EQ(Velocity(*chain), std::make_pair(253, -159));
        EXPECT_EQ(std::make_pair(k->attackDirX, k->attackDirY), std::make_pair(126, -79));
    }
    Room r(kKusarigama, 420, 2000, kRoom);
    auto* k = static_cast<CCharacterKusarigama*>(r.player);
    k->x = 420;
    k->y = 2000;
    k->vx = k->vy = 0;
    ASSERT_TRUE(r.RunUntil([&] { return Standing(k); }, 10));
    r.TouchAt(420, 800);
    ASSERT_TRUE(r.RunUntilFrame(322, 20)) << k->frame;
    ASSERT_EQ(Velocity(*k), std::make_pair(0, -200));
    ASSERT_TRUE(r.RunUntil([&] { return k->frame == 232; }, 10)) << k->frame;
    EXPECT_EQ(k->y, 2000 - 200) << "one tick of the pull before the wall holds her";
    r.s.TouchUp();
}
