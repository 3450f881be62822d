#pragma once
// The princess of the opening and ending scenes. The scenes create her,
// place her and pick her poses; she neither attacks nor falls nor can be
// hit, and her own update only animates her, lets her sink in the jump
// down (232) until the ground stops her, and shows a marker above her head
// while she calls for help (270/271).
#include <cstdint>

#include "enemy/CharacterEnemy.h"

class CCharacterPrincess : public CCharacterEnemy {
public:
    static constexpr int32_t kRecords = 290;
    static constexpr int32_t kStartPose = 230;
    static constexpr int32_t kJumpingDown = 232;
    static constexpr int32_t kCalling = 270;  // 270/271
    static constexpr int32_t kMarker = 340;   // the effect above her
    static constexpr int32_t kSinkSpeed = 10;

    CCharacterPrincess();
    // Her marker goes with her.
    ~CCharacterPrincess() override;

    void Update() override;
    void SetState(int32_t state) override;

private:
    void RemoveMarker();
};
