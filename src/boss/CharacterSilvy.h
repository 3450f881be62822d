#pragma once
// Silvy, the last boss: a ground fighter of the one-screen boss hall with
// four attacks (a leap with an aimed shot, a low shot along the floor, a
// ring of four spinning stars, a high leap with a volley of darts), each
// warned by its own wind-up. She attacks only while the player lives. Her
// first defeat is final: struck, thrown up spinning, and as she falls out
// of the hall the clear scene starts and the stage switches to its stage.
// The clear scene uses her as its actor (the defeated poses 112-119 and
// the scene poses 420-426). All of her damage comes from her shots.
#include <cstdint>

#include "boss/CharacterEnemyBoss.h"

class CCharacterSilvy : public CCharacterEnemyBoss {
public:
    static constexpr int32_t kTypeId = 11100;
    static constexpr int32_t kHp = 10000;
    // What her defeat starts: the clear scene and its stage.
    static constexpr int32_t kClearEvent = 7;
    static constexpr int32_t kClearStage = 271;

    // Records.
    static constexpr int32_t kLeap = 240;
    static constexpr int32_t kAimedShot = 242;
    static constexpr int32_t kLeapFall = 243;
    static constexpr int32_t kLowWindUp = 260;
    static constexpr int32_t kLowShot = 262;
    static constexpr int32_t kRingCall = 280;
    static constexpr int32_t kRingBurst = 281;
    static constexpr int32_t kHighLeap = 300;
    static constexpr int32_t kVolleyA = 303;
    static constexpr int32_t kVolleyB = 304;
    static constexpr int32_t kHighFall = 305;
    static constexpr int32_t kDropped = 112;
    static constexpr int32_t kLying = 113;
    static constexpr int32_t kShineA = 424;
    static constexpr int32_t kShineB = 425;

    CCharacterSilvy();

    void Update() override;
    void SetState(int32_t state) override;
    // The id the factory passes is not kept.
    void SetTypeId(int32_t) override {}
    void UpdateWait() override { UpdateWaitShared(); }
    void UpdateEntrance() override { UpdateEntranceShared(); }

    // One of her four attacks, at even odds, while the player lives.
    virtual void ChooseNextAttack();

    // The volley's aim off the exact line to the player, in thousandths of
    // a radian, for a draw of the random generator: none for an even draw,
    // a tenth of a radian less for an odd one.
    static int32_t VolleyOffset(int32_t draw) { return (draw & 1) != 0 ? -100 : 0; }

private:
    void FireVolleyShot();
    void UpdateThrownUp();
    void ReleaseDefeatSparkles();
    void PlaceRingStars();
    void ThrowAimedShot();
};
