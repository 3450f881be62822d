#pragma once
// The stage-gimmick base: springs, catapults and spikes placed by the stage
// maps. A gimmick carries the enemy group but has no life and no hurt box,
// never sleeps off screen and never moves; it steps its own records, waits
// in 220 until it is seen, then runs its home state, and it is deleted as
// soon as it lies more than 160 pixels outside the view.
#include <cstdint>
#include <numbers>

#include "enemy/CharacterEnemy.h"

class CCharacterYakumono : public CCharacterEnemy {
public:
    // The gimmicks' shared ready state (springs, catapults, upward spikes).
    static constexpr int32_t kReady = 230;

    // Directions: 0 up, growing clockwise.
    static constexpr double kUp = 0.0;
    static constexpr double kRight = std::numbers::pi / 2;
    static constexpr double kDown = std::numbers::pi;
    static constexpr double kLeft = 3 * std::numbers::pi / 2;

    CCharacterYakumono();

    void Update() override;
    void UpdateWait() override;

protected:
    // The game's player when it touches this gimmick: its hurt box meets
    // the gimmick's attack box, it is alive and its fourth countdown is
    // not running; else null.
    CCharacter* TouchingPlayer();
    // The direction `angle` scaled by speed, each part truncated toward 0.
    struct Vector {
        int32_t x;
        int32_t y;
    };
    Vector Direction(int32_t speed) const;
};
