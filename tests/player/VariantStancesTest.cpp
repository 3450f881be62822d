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
#include "support/Scenario.h"
#include "ui/GameInput.h"

using testing_support::Scenario;

namespace {

constexpr int32_t kFill = 20069;  // a plain block of earth
constexpr int32_t kFloor = 2000;
const std::vector<std::string> kField = {
    "............",
    "............",
    "............",
    "............",
    "............",
    "############",
};

struct Field {
    Field(int32_t typeId, int32_t x, int32_t y) : s(kField, {{'#', kFill}}) {
        CGameInputController::GetInstance()->SetInput(ScreenId::Main);
        CTouchPad::SetCurrent(nullptr);
        CItem::GetInstance()->Reset();
        player = static_cast<CCharacterPlayer*>(s.AddAt(typeId, x, y));
        s.SetPlayer(player);
        player->SetState(220);
        s.Run(4);
    }
    ~Field() { CTouchPad::SetCurrent(pad); }

    CTouchPad* pad = CTouchPad::GetCurrent();
    Scenario s;
    CCharacterPlayer* player = nullptr;
};

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
