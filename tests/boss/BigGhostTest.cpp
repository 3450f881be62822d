// The big ghost: the room's two lights decide whether it can be seen and
// hit; its entrance lights them in turn and puts them out (even when a
// fight starts with stale lights from the save slot); it calls at most four
// ghosts; in a room too narrow for any point its calls give up.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "boss/CharacterBigGhost.h"
#include "boss/SideRoom.h"

namespace {

using namespace boss_test;

struct GhostFight : SideRoom {
    CCharacterBigGhost* ghost = nullptr;
    explicit GhostFight(std::vector<std::string> grid = RoomGrid(), int32_t bossX = 4000) : SideRoom(800, std::move(grid)) {
        Light(false, false);
        ghost = dynamic_cast<CCharacterBigGhost*>(s.AddAt(CCharacterBigGhost::kTypeId, bossX, 1600));
    }
    ~GhostFight() { Light(false, false); }
    static void Light(bool first, bool second) {
        CCharacterBigGhost::SetLight(203, first);
        CCharacterBigGhost::SetLight(204, second);
    }
    static std::pair<bool, bool> Lights() {
        return {CCharacterBigGhost::LightOn(203), CCharacterBigGhost::LightOn(204)};
    }
    void Begin() { RunUntil([&] { return ghost->frame == CCharacterBigGhost::kFight; }, 1000); }
};

TEST(BigGhost, TheEntranceLightsTheRoomInTurnThenPutsItOut) {
    for (bool stale : {false, true}) {
        GhostFight f;
        if (stale) GhostFight::Light(true, true);
        std::vector<std::pair<bool, bool>> seen{GhostFight::Lights()};
        for (int i = 0; i < 1000 && f.ghost->frame != CCharacterBigGhost::kFight; ++i) {
            f.s.Run(1);
            if (GhostFight::Lights() != seen.back()) seen.push_back(GhostFight::Lights());
        }
        const std::vector<std::pair<bool, bool>> fresh{{false, false}, {true, false}, {true, true}, {false, false}};
        const std::vector<std::pair<bool, bool>> old{{true, true}, {false, false}};
        EXPECT_EQ(seen, stale ? old : fresh) << stale;
        EXPECT_EQ(f.Heard(22), 3) << stale;
        EXPECT_EQ(f.ghost->alpha, 0) << stale;
    }
}

TEST(BigGhost, OnlyBothLightsShowItAndOpenItToBlows) {
    GhostFight f;
    f.Begin();
    CCharacter* veil = f.ghost->linksB[0];
    ASSERT_NE(veil, nullptr);
    struct Step {
        bool first, second;
        int32_t alpha, colour, veilAlpha;
        bool hittable;
    };
    const Step steps[] = {
        {false, false, 0, 255, 128, false},  {true, false, 128, 128, 64, false}, {false, true, 128, 128, 64, false},
        {true, true, 255, 255, 0, true},     {true, true, 255, 255, 0, true},    {false, true, 128, 128, 64, false},
        {false, false, 0, 128, 128, false},
    };
    for (const Step& st : steps) {
        GhostFight::Light(st.first, st.second);
        f.s.Run(1);
        EXPECT_EQ(f.ghost->alpha, st.alpha) << st.first << st.second;
        EXPECT_EQ(f.ghost->colorR, st.colour) << st.first << st.second;
        EXPECT_EQ(veil->alpha, st.veilAlpha) << st.first << st.second;
        EXPECT_EQ(f.ghost->targetable != 0, st.hittable) << st.first << st.second;
        const int32_t hp = f.ghost->hp;
        EXPECT_EQ(f.Strike(f.ghost, 100), st.hittable) << st.first << st.second;
        EXPECT_EQ(f.ghost->hp, st.hittable ? hp - 100 : hp);
    }
}

TEST(BigGhost, ItCallsAtMostFourGhostsAndGivesUpInANarrowRoom) {
    {
        GhostFight f;
        f.Begin();
        const auto times = enemy_test::TimesItGrew(f.s, [] { return enemy_test::OfType(10050).size(); }, 800);
        EXPECT_EQ(times, (std::vector<int>{120, 240, 360, 480}));
        for (CCharacter* minion : enemy_test::OfType(10050)) EXPECT_GE(minion->x, 1200);
        EXPECT_EQ(f.ghost->CallInterval(), 120);
        f.ghost->hp = 2399;
        EXPECT_EQ(f.ghost->CallInterval(), 80);
    }

    // Six cells: the drift bounds leave one column of points, which the
    // draws hardly ever hit; the calls give up and the fight goes on.
    GhostFight g(RoomGrid(6), 1200);
    g.Begin();
    ASSERT_EQ(g.ghost->frame / 10, 22);
    g.s.ClearSounds();
    g.s.Run(600);
    EXPECT_EQ(g.Heard(21), 5);
    EXPECT_TRUE(enemy_test::OfType(10050).empty());
}

}  // namespace
