#include "enemy/CharacterCatapult.h"

#include <numbers>

#include "frames/FrameTables.h"
#include "player/CharacterPlayer.h"
#include "win/SoundTables.h"

CCharacterCatapult::CCharacterCatapult() { frameTable.Load(kCharacterCatapultFrames); }

void CCharacterCatapult::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    const int32_t k = id - 20800;
    if (k >= 0 && k <= 7) {
        homeState = kReady;
        angle = k * std::numbers::pi / 4;
    } else if (k == 8) {
        // This id names a home state the catapult has no records for; it
        // is taken as an ordinary catapult keeping its direction.
        homeState = kReady;
    }
}

void CCharacterCatapult::UpdateAction230() {
    if (scaleX > kRestScale) {
        scaleX -= kShrinkStep;
        scaleY -= kShrinkStep;
    }
    CCharacter* player = TouchingPlayer();
    if (frame == kReady) {
        if (player == nullptr) return;
        PlaySE(kLaunchSound);
        player->SetState(PlayerState::Launched);
        player->OnCatapultLaunch();
        player->x = x;
        player->y = y;
        const Vector d = Direction(kLaunchSpeed);
        player->attackDirX = d.x;
        player->attackDirY = d.y;
        if (d.x > 0) player->facing = 1;
        else if (d.x < 0) player->facing = -1;
        scaleX = scaleY = kSwellScale;
        SetState(kLoaded);
    } else if (frame == kLoaded) {
        const bool flying = player != nullptr && player->frame >= PlayerState::Launched && player->frame < 380;
        if (!flying) SetState(kReady);
    }
}
