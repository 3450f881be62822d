#include "enemy/CharacterSnowFairy.h"

#include <cmath>
#include <numbers>

#include "character/CharacterAttackEffect.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

// The crystals' speed, split along 45 degrees.
constexpr int32_t kCrystalSpeed = 50;

}  // namespace

CCharacterSnowFairy::CCharacterSnowFairy() {
    ApplyRoster({10060, 400, 100, 3, 3, 10, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterSnowFairyFrames);
}

void CCharacterSnowFairy::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id >= 10060 && id <= 10062) homeState = kStand;
}

void CCharacterSnowFairy::SetState(int32_t state) {
    if (state == kCast) {
        PlaySE(kCastSound);
        const int32_t d = static_cast<int32_t>(std::sin(std::numbers::pi / 4) * kCrystalSpeed);
        const int32_t e = static_cast<int32_t>(std::cos(std::numbers::pi / 4) * kCrystalSpeed);
        for (const int32_t side : {1, -1}) {
            CCharacterAttackEffect* crystal = SpawnAttackEffect(this, kCrystal, facing, x, x, y, y, 0, 0, 0, 0);
            if (crystal == nullptr) continue;
            crystal->attackDirX = d;
            crystal->attackDirY = e;
            crystal->vx = side * d;
            crystal->vy = -e;
        }
    }
    CCharacterEnemy::SetState(state);
}
