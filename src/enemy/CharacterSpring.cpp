#include "enemy/CharacterSpring.h"

#include "frames/FrameTables.h"
#include "player/CharacterPlayer.h"
#include "win/SoundTables.h"

CCharacterSpring::CCharacterSpring() {
    layer = 136;
    frameTable.Load(kCharacterSpringFrames);
}

void CCharacterSpring::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    static constexpr double kAngles[] = {kUp, kRight, kDown, kLeft};
    const int32_t k = id - 20770;
    if (k < 0 || k > 3) return;
    homeState = kReady;
    angle = kAngles[k];
}

void CCharacterSpring::Bounce(CCharacter& player, bool push) {
    player.SetState(PlayerState::Stand);
    if (angle == kUp) {
        player.vy = -kBounceSpeed;
        if (push) player.Move(0, -kBounceSpeed);
        player.OnSpringLaunch();
    } else if (angle == kRight) {
        player.vx = kBounceSpeed;
        if (push) player.Move(kBounceSpeed, 0);
    } else if (angle == kDown) {
        player.vy = kBounceSpeed;
        if (push) player.Move(0, kBounceSpeed);
    } else if (angle == kLeft) {
        player.vx = -kBounceSpeed;
        if (push) player.Move(-kBounceSpeed, 0);
    }
}

void CCharacterSpring::UpdateAction230() {
    CCharacter* player = TouchingPlayer();
    if (frame == kPressed) {
        if (player != nullptr) {
            Bounce(*player, true);
        } else {
            PlaySE(kReleaseSound);
            SetState(kRelease);
        }
    } else if (player != nullptr) {
        // Ready, or still springing back: either way it bounces.
        Bounce(*player, false);
        SetState(kPressed);
    }
}
