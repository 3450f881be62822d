// The kunoichi, the chain-sickle fighter and the robot on foot: walking as
// the ninja does, the running start that keeps its burst, the fall off the
// floor, and the knock-back that lifts only a standing player.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "character/CharacterList.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "player/Item.h"
#include "player/TouchPad.h"
#include "player/VariantRoom.h"
#include "support/Scenario.h"
#include "ui/GameInput.h"

using testing_support::Scenario;

namespace {

using variant_room::kFloor;
using variant_room::kRoom;
using Field = variant_room::Room;

int RunDust() {
    int n = 0;
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    for (int32_t i = 1; i <= world.GetCount(); ++i) {
        const CCharacter* c = world.GetAt(i);
        n += c != nullptr && c->typeId == 50000 && c->frame == 380 ? 1 : 0;
    }
    return n;
}

}  // namespace

// Walking speeds up by 10 a frame to 20 along the facing, and falls off the
// floor. The running start throws dust, sounds and bursts off at 100; the
// run has no handler of its own, so it keeps that speed, even in the air.
TEST(VariantStances, WalkAndRunAlongTheFacingAndFallOffTheFloor) {
    struct Case {
        int32_t state, facing, entryVx;
        std::vector<int32_t> vx;  // after each frame
    };
    const Case cases[] = {
        {250, 1, 0, {10, 20, 20}},
        {250, -1, 0, {-10, -20, -20}},
        {260, 1, 100, {100, 100, 100}},
        {260, -1, -100, {-100, -100, -100}},
    };
    for (int32_t id : {2, 3, 4}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "character " << id << ", " << c.state << " facing " << c.facing);
            {
                Field f(id, Scenario::CellX(5), kFloor);
                ASSERT_EQ(f.player->y, kFloor);
                f.s.ClearSounds();
                f.player->facing = c.facing;
                f.player->vx = 0;
                f.player->SetState(c.state);
                EXPECT_EQ(f.player->vx, c.entryVx);
                const bool start = c.state == 260;
                EXPECT_EQ(RunDust(), start ? 1 : 0);
                EXPECT_EQ(f.s.Sounds(), start ? std::vector<int32_t>{13} : std::vector<int32_t>{});
                for (std::size_t i = 0; i < c.vx.size(); ++i) {
                    const int32_t x = f.player->x;
                    f.s.Run(1);
                    EXPECT_EQ(f.player->vx, c.vx[i]) << i;
                    EXPECT_EQ(f.player->x - x, c.vx[i]) << i;
                }
                EXPECT_EQ(f.player->y, kFloor);
            }
            Field f(id, Scenario::CellX(5), 1000);
            f.player->facing = c.facing;
            f.player->vy = 0;
            f.player->SetState(c.state);
            const int32_t y = f.player->y;
            f.s.Run(1);
            if (c.state == 250) {
                EXPECT_EQ(f.player->frame, 290) << "in the air";
            } else {
                EXPECT_EQ(f.player->frame / 10, 26) << "still running";
                EXPECT_EQ(f.player->vx, c.entryVx);
                EXPECT_EQ(f.player->y, y) << "no gravity";
            }
        }
    }
}

// A hit knocks a standing player up by 200 into the hurt state; one already
// in the air is not lifted.
TEST(VariantStances, AHitLiftsOnlyAStandingPlayer) {
    for (int32_t id : {2, 3, 4}) {
        for (bool standing : {true, false}) {
            SCOPED_TRACE(testing::Message() << "character " << id << (standing ? ", standing" : ", in the air"));
            Field f(id, Scenario::CellX(5), standing ? kFloor : 1000);
            if (!standing) {
                f.player->SetState(290);
                f.s.Run(1);
            }
            const int32_t y = f.player->y;
            f.player->airDashes = 0;
            f.player->OnHit(15, 1, 1, nullptr);
            EXPECT_EQ(f.player->frame, 10);
            EXPECT_EQ(f.player->y, standing ? y - 200 : y);
            EXPECT_EQ(f.player->airDashes, f.player->airDashesMax);
        }
    }
}

// The holds of the three need no ability, but the player must move toward
// the surface (or stand still against it) and must not have let go of that
// side last; away from the side, the side let go of is forgotten.
TEST(VariantStances, AHoldNeedsAMoveTowardTheSurfaceAndASideNotJustLetGo) {
    for (int32_t id : {2, 3, 4}) {
        SCOPED_TRACE(testing::Message() << "character " << id);
        {
            Field f(id, 700, 1200, kRoom);
            f.player->SetState(290);
            f.player->vx = -40;
            for (int i = 0; i < 60 && f.player->frame != 232; ++i) f.s.Run(1);
            ASSERT_EQ(f.player->frame, 232);
            CCharacterPlayer* p = f.player;
            p->SetState(290);
            struct Try {
                int32_t vx, released;
                bool holds;
                int32_t releasedAfter;
            };
            for (const Try& t : {Try{5, 0, false, 0}, Try{0, 2, false, 2}, Try{-5, 2, false, 2}, Try{0, 3, true, 3},
                                 Try{-5, 0, true, 0}}) {
                SCOPED_TRACE(testing::Message() << "vx " << t.vx << ", let go of " << t.released);
                p->frame = 290;
                p->vx = t.vx;
                p->vy = 0;
                p->releasedSide = t.released;
                p->facing = -1;
                EXPECT_EQ(p->TryHold(), t.holds);
                EXPECT_EQ(p->releasedSide, t.releasedAfter);
                if (t.holds) {
                    EXPECT_EQ(p->frame, 232);
                    EXPECT_EQ(p->vx, -1);
                    EXPECT_EQ(p->facing, 1);
                }
            }
            // Away from the wall the side let go of is forgotten.
            p->x += 200;
            p->releasedSide = 2;
            p->vx = -5;
            EXPECT_FALSE(p->TryHold());
            EXPECT_EQ(p->releasedSide, 0);
        }
        Field f(id, 2000, 460, kRoom);
        f.player->SetState(290);
        f.player->vy = -40;
        for (int i = 0; i < 60 && f.player->frame != 234; ++i) f.s.Run(1);
        ASSERT_EQ(f.player->frame, 234);
        CCharacterPlayer* p = f.player;
        struct Try {
            int32_t vy;
            bool holds;
        };
        for (const Try& t : {Try{5, false}, Try{0, true}, Try{-5, true}}) {
            SCOPED_TRACE(testing::Message() << "vy " << t.vy);
            p->frame = 290;
            p->vx = 0;
            p->vy = t.vy;
            p->releasedSide = 0;
            EXPECT_EQ(p->TryHold(), t.holds);
            if (t.holds) {
                EXPECT_EQ(p->frame, 234);
                EXPECT_EQ(p->vy, -1);
            }
        }
    }
}
