// The map compiler's view of the type ids against the factory itself: for
// every 16-bit id, the table knows an id exactly when the factory makes
// something of it, and of the class its kind says.
#include <gtest/gtest.h>

#include <memory>

#include "boss/CharacterEnemyBoss.h"
#include "boss/CharacterKingTengu2ndEye.h"
#include "character/CharacterBackground.h"
#include "character/CharacterBlock.h"
#include "character/CharacterEffect.h"
#include "character/CreateCharacter.h"
#include "enemy/CharacterEnemy.h"
#include "enemy/CharacterPrincess.h"
#include "enemy/CharacterYakumono.h"
#include "player/CharacterItem.h"
#include "player/CharacterPlayer.h"
#include "stage/CharacterStageObject.h"
#include "stage/MapTypeIds.h"

namespace {

bool IsKind(CCharacter* c, MapObjectKind kind) {
    switch (kind) {
        case MapObjectKind::Player: return dynamic_cast<CCharacterPlayer*>(c) != nullptr;
        case MapObjectKind::Actor: return dynamic_cast<CCharacterPrincess*>(c) != nullptr;
        case MapObjectKind::Enemy:
            return dynamic_cast<CCharacterEnemy*>(c) != nullptr || dynamic_cast<CCharacterEnemyBoss*>(c) != nullptr ||
                   dynamic_cast<CCharacterKingTengu2ndEye*>(c) != nullptr;
        case MapObjectKind::Gimmick: return dynamic_cast<CCharacterYakumono*>(c) != nullptr;
        case MapObjectKind::StageObject:
        case MapObjectKind::RoomExit:
        case MapObjectKind::Hazard: return dynamic_cast<CCharacterStageObject*>(c) != nullptr;
        case MapObjectKind::Block: return dynamic_cast<CCharacterBlock*>(c) != nullptr;
        case MapObjectKind::Scenery: return dynamic_cast<CCharacterBackground*>(c) != nullptr;
        case MapObjectKind::Item: return dynamic_cast<CCharacterItem*>(c) != nullptr;
        case MapObjectKind::Effect: return c != nullptr;
        case MapObjectKind::None: return c == nullptr;
    }
    return false;
}

}  // namespace

TEST(MapTypeIds, TheTableMakesWhatTheFactoryMakes) {
    for (int32_t id = 0; id <= 0xFFFF; ++id) {
        const MapObjectKind kind = KindOfTypeId(id);
        std::unique_ptr<CCharacter> made(CreateCharacter(id));
        ASSERT_EQ(made != nullptr, kind != MapObjectKind::None) << "id " << id;
        ASSERT_TRUE(IsKind(made.get(), kind)) << "id " << id;
    }
}

TEST(MapTypeIds, OnlyTilesExitsHazardsAndGimmicksMayStandInTheWindowLayers) {
    EXPECT_TRUE(LeavesWithSpawnWindow(KindOfTypeId(20526)));
    EXPECT_TRUE(LeavesWithSpawnWindow(KindOfTypeId(30248)));
    EXPECT_TRUE(LeavesWithSpawnWindow(KindOfTypeId(24590)));
    EXPECT_TRUE(LeavesWithSpawnWindow(KindOfTypeId(21150)));
    EXPECT_TRUE(LeavesWithSpawnWindow(KindOfTypeId(20770)));
    EXPECT_FALSE(LeavesWithSpawnWindow(KindOfTypeId(11060)));  // an enemy stays when off screen
    EXPECT_FALSE(LeavesWithSpawnWindow(KindOfTypeId(10350)));  // a save point
    EXPECT_FALSE(LeavesWithSpawnWindow(KindOfTypeId(23001)));  // a pick-up
    EXPECT_FALSE(LeavesWithSpawnWindow(KindOfTypeId(7)));
}
