// One rule for the room a boss leaves at its fall: every other character of
// the enemies' group goes, the room's springs and catapults among them (a
// spike is of no group outside its own step, and stays), whether the boss
// clears by the shared rule (the mammoth, the boseki, the kappa tank) or
// counts its own parts (the big ghost, whose veil goes along; the wanyudo,
// whose wheel stays). The fight's music stops with the fall: the explosions run in
// silence.
#include <gtest/gtest.h>

#include "boss/BossField.h"
#include "boss/CharacterBigGhost.h"
#include "boss/CharacterMammoth.h"
#include "boss/CharacterWanyudo.h"
#include "boss/SideRoom.h"
#include "support/WorldList.h"

namespace {

using namespace boss_test;
using testing_support::Listed;

}  // namespace

TEST(BossRoomClear, AtEachBossesFallTheOtherEnemiesTheSpringsAndTheCatapultsGo) {
    struct Case {
        const char* boss;
        int32_t typeId, x, y;
    };
    const Case cases[] = {
        {"mammoth (the shared rule)", 11020, 5000, 2600},
        {"big ghost", 10290, 4000, 1600},
        {"wanyudo", 11010, 4000, 1600},
        {"boseki", 10280, 4000, 1000},
        {"kappa tank", 11030, 4000, kFloor - 660},
    };
    struct Other {
        const char* what;
        int32_t typeId, x;
        bool goes;
    };
    const Other others[] = {
        {"spring", 20770, 1600, true},
        {"catapult", 20800, 2400, true},
        {"spike", 20780, 3200, false},
        {"karakasa", 10011, 6400, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boss);
        SideRoom room(800, RoomGrid());
        auto* boss = dynamic_cast<CCharacterEnemyBoss*>(room.s.AddAt(c.typeId, c.x, c.y));
        ASSERT_NE(boss, nullptr);
        std::vector<CCharacter*> placed;
        for (const Other& o : others) placed.push_back(room.s.AddAt(o.typeId, o.x, kFloor - 200));
        room.s.Run(5);
        room.music.clear();
        boss->SetState(EnemyState::Defeated);
        EXPECT_EQ(room.music, (std::vector<int32_t>{kMusicStopped}));
        room.s.Run(1);
        for (std::size_t i = 0; i < placed.size(); ++i)
            EXPECT_EQ(Listed(placed[i]), !others[i].goes) << others[i].what;
        EXPECT_TRUE(Listed(boss));
    }
}

TEST(BossRoomClear, TheBigGhostsVeilGoesWithTheOthersAndTheWanyudosWheelStays) {
    {
        SideRoom room;
        auto* ghost = dynamic_cast<CCharacterBigGhost*>(room.s.AddAt(CCharacterBigGhost::kTypeId, 4000, 1600));
        ASSERT_NE(ghost, nullptr);
        room.s.Run(2);
        CCharacter* veil = ghost->linksB[0];
        ASSERT_NE(veil, nullptr);
        ghost->ClearOtherEnemies();
        room.s.Run(1);
        EXPECT_FALSE(Listed(veil));
    }
    SideRoom room(800, RoomGrid(20, true, true));
    auto* face = dynamic_cast<CCharacterWanyudo*>(room.s.AddAt(CCharacterWanyudo::kFace, 4000, 1600));
    ASSERT_NE(face, nullptr);
    for (int i = 0; i < 800 && face->frame != CCharacterWanyudo::kBounce; ++i) room.s.Run(1);
    CCharacter* wheel = face->linksB[0];
    ASSERT_NE(wheel, nullptr);
    CCharacter* flame = wheel->linksB[0];
    face->ClearOtherEnemies();
    room.s.Run(1);
    EXPECT_TRUE(Listed(wheel));
    EXPECT_TRUE(Listed(flame));
}
