#pragma once
// The spring: bounces a touching player in its direction (up, right, down
// or left) at 120 units a frame, keeps pushing while the player stays on it,
// and springs back with a wobble once the player has gone. Only the upward
// spring gives the player its air dashes back.
#include <cstdint>

#include "enemy/CharacterYakumono.h"

class CCharacterSpring : public CCharacterYakumono {
public:
    static constexpr int32_t kPressed = 231;
    static constexpr int32_t kRelease = 232;  // 232-249: the wobble back to 230
    static constexpr int32_t kBounceSpeed = 120;
    static constexpr int32_t kReleaseSound = 41;

    CCharacterSpring();

    void SetTypeId(int32_t id) override;
    void UpdateAction230() override;

private:
    // Stands the player up and sets its speed along the spring; `push` also
    // moves it by that speed at once.
    void Bounce(CCharacter& player, bool push);
};
