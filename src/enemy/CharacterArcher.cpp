#include "enemy/CharacterArcher.h"

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "frames/FrameTables.h"

namespace {

// Arrows leave 100 ahead of him and 60 under his centre.
constexpr int32_t kArrowAhead = 100;
constexpr int32_t kArrowDrop = 60;
constexpr int32_t kArrowSpeed = 100;
constexpr int32_t kLobLift = -120;

// The lobbed arrows' forward speeds on entering each loose of 250-265.
int32_t LobSpeed(int32_t state) {
    switch (state) {
        case 253: return 10;
        case 257: return 30;
        case 261: return 50;
        case 265: return 30;
        default: return 0;
    }
}

}  // namespace

CCharacterArcher::CCharacterArcher() {
    ApplyRoster({11050, 300, 0, 1, 0, 0, 0, 6, 1, 10, 10, 1, 2});
    frameTable.Load(kCharacterArcherFrames);
}

void CCharacterArcher::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 11050) homeState = kStraight;
    else if (id == 11051) homeState = kLobbed;
}

void CCharacterArcher::SetState(int32_t state) {
    const int32_t ax = x + kArrowAhead * facing, ay = y + kArrowDrop;
    if (state == kLoose) {
        SpawnAttackEffect(this, kArrow, facing, ax, ax, ay, ay, kArrowSpeed * facing, kArrowSpeed * facing, 0, 0);
    } else if (const int32_t s = LobSpeed(state); s != 0) {
        SpawnAttackEffect(this, kLobbedArrow, facing, ax, ax, ay, ay, s * facing, s * facing, kLobLift, kLobLift);
    } else if (state == EnemyState::FadeOut) {
        // Forty sparks drift up from where he fell.
        for (int32_t round = 0; round < 10; ++round)
            for (int32_t drift : {-5, -5, 5, 5}) SpawnEffect(kSpark, facing, x - 200, x + 200, y, y + 200, drift, drift, 0, 0);
    } else if (state == kHopBack) {
        layer = 136;
        vx = -10 * facing;
        vy = -60;
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterArcher::UpdateDefeat() {
    if (frame == EnemyState::Defeated) {
        CCharacterEnemy::UpdateDefeat();
    } else if (frame == kHopBack && !ApplyGravity()) {
        vx = 0;
        SetState(kBody);
    }
}

void CCharacterArcher::UpdateAction230() {
    if (frame >= kStraight && frame <= kLoose) StandFacingPlayer();
}

void CCharacterArcher::UpdateAction250() {
    if (frame >= kLobbed && frame <= 253) StandFacingPlayer();
}
