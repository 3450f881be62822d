#pragma once
// Visual effects and the collectables that fly to the player: hit sparks,
// dust and smoke, shock rings, debris, target and homing marks, score orbs
// and their pop-up numbers, map and dropped coins, the combo-rate text,
// fades, the switch light, the camera dolly and the afterimages of fast
// characters. An effect runs by its frame records (data/frames/
// CCharacterEffect.tab) and by the set-up and frame handlers of its state;
// most end themselves by fading out, leaving the view or by their records.
#include <cstdint>

#include "character/Character.h"

class CCharacterEffect : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 890;

    // States other code starts.
    static constexpr int32_t kHitSpark = 10;
    static constexpr int32_t kLethalSpark = 20;
    static constexpr int32_t kBurstSpark = 30;
    static constexpr int32_t kDashPuff = 40;
    static constexpr int32_t kTrailSmoke = 50;
    static constexpr int32_t kTrailSmokeSide = 51;
    static constexpr int32_t kSmokePuff = 60;
    static constexpr int32_t kShockRing = 70;
    static constexpr int32_t kTargetMark = 80;
    static constexpr int32_t kHomingMark = 90;
    static constexpr int32_t kHomingMarkLost = 96;
    static constexpr int32_t kChosenMark = 100;
    static constexpr int32_t kScoreOrb = 110;
    static constexpr int32_t kScoreOrbHoming = 112;
    static constexpr int32_t kMapCoin = 120;
    static constexpr int32_t kMapCoinTaken = 128;
    static constexpr int32_t kDroppedCoin = 140;
    static constexpr int32_t kDroppedCoinLying = 148;
    static constexpr int32_t kDroppedCoinMagnet = 156;
    static constexpr int32_t kDroppedCoinLaunched = 164;
    static constexpr int32_t kScorePopup = 180;
    static constexpr int32_t kRatePopup = 190;
    static constexpr int32_t kFadeIn = 200;
    static constexpr int32_t kFadeOut = 202;
    static constexpr int32_t kSwitchLight = 210;
    static constexpr int32_t kDolly = 220;
    static constexpr int32_t kDollyArrived = 221;
    static constexpr int32_t kDoorGlow = 250;
    static constexpr int32_t kGale = 260;
    static constexpr int32_t kDebris = 280;
    static constexpr int32_t kOverlay = 300;
    static constexpr int32_t kBlast = 320;
    static constexpr int32_t kSplash = 350;
    static constexpr int32_t kAfterimage = 590;
    static constexpr int32_t kShortLived = 760;
    static constexpr int32_t kExplosionPuff = 860;

    // Type ids effects carry in some states.
    static constexpr int32_t kTypeId = 50000;
    static constexpr int32_t kMarkerTypeId = 19990;
    static constexpr int32_t kSwitchLightTypeId = 50005;
    static constexpr int32_t kShopGlowTypeId = 50006;
    static constexpr int32_t kDoorGlowTypeId = 50007;

    CCharacterEffect();

    void Update() override;
    void Draw() override;
    // The state's set-up (looks, layer, fall rate, type id), then the
    // state; 810, 820 and 830 are tinted versions of 780, 790 and 800.
    void SetState(int32_t state) override;
    // The score rate (percent) a rate pop-up shows, kept in `combo`.
    void SetScoreRate(int32_t percent) override { combo = percent; }
    int32_t GetScoreRate() override { return combo; }
    // Takes three values and reports true; nothing calls it.
    virtual bool ExtraHook(int32_t a, int32_t b, int32_t c);

private:
    // The behaviour of the current frame; false when the effect has gone
    // (and must not move any more this frame).
    bool RunFrame();
    void Vanish();
    void SitOnAnchorOf(CCharacter* c);
    void FlyOutAsOrb();
    void HomeAsOrb();
    void FallAndBounce();
    void DrawNumber(const char* text);
    void DrawGlow();
};

// Makes an effect in the given state and facing, at a position and speed
// each drawn from its range (bounds in either order, one draw each in the
// order x, y, vx, vy), and appends it to the world list. Null when no
// effect could be made.
CCharacterEffect* SpawnEffect(int32_t state, int32_t facing, int32_t x0, int32_t x1, int32_t y0, int32_t y1,
                              int32_t vx0, int32_t vx1, int32_t vy0, int32_t vy1);

// A short-lived piece (state 760) that lives 2 to 7 frames, its life drawn
// into its own copy of the record.
CCharacterEffect* SpawnShortLivedEffect(int32_t facing, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t vx0,
                                        int32_t vx1, int32_t vy0, int32_t vy1);

// One draw from [min(a, b), max(a, b)] as the game draws every range.
int32_t RandomBetween(int32_t a, int32_t b);

// The last steps of both spawn functions: the position and speed drawn
// from their ranges (one draw each, in the order x, y, vx, vy), then the
// character appended to the world list.
void PlaceFromRanges(CCharacter& c, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t vx0, int32_t vx1,
                     int32_t vy0, int32_t vy1);
