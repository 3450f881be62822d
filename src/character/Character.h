#pragma once
// CCharacter: the one base class of everything in the play field. It keeps
// position and speed in tenths of a pixel, the animation by frame records,
// allegiance, life and gauge, the timed values, drawing parameters, links to
// other characters, the eased-motion and afterimage blocks and the score
// record, behind one wide virtual interface shared by every character kind.
#include <cstdint>

#include "character/FrameRecord.h"

class CCharacterList;

// Where the play field lies on the screen, in pixels: the position of the
// in-stage screen. Every character's drawing adds it, so the whole play
// field moves with that screen.
struct PlayFieldOffset {
    static int32_t x;
    static int32_t y;
};

// Two ordered ranges [a0, a1] and [b0, b1] overlap when each starts before
// the other ends, or when they are the same range; ranges that only touch
// at an end do not.
bool RangesOverlap(int32_t a0, int32_t a1, int32_t b0, int32_t b1);

// World units are tenths of a pixel; a map cell is 400 units.
constexpr int32_t kTileSize = 400;
constexpr int32_t kHalfTile = kTileSize / 2;
// Entries in each of the two link rows.
constexpr int32_t kLinkCount = 16;
// Draw layers 0 to 254.
constexpr int32_t kDrawLayerCount = 255;
// A frame or state duration that the tables use for "held".
constexpr int32_t kHeldDuration = 999;

// Start and end values of the eased motion of an attached character.
struct TweenBlock {
    int32_t offsetXFrom = 0;
    int32_t offsetXTo = 0;
    int32_t offsetYFrom = 0;
    int32_t offsetYTo = 0;
    double scaleXFrom = 0.0;
    double scaleXTo = 0.0;
    double scaleYFrom = 0.0;
    double scaleYTo = 0.0;
    int32_t layerFrom = 0;
    int32_t layerTo = 0;
    double angleFrom = 0.0;
    double angleTo = 0.0;
};

// The afterimage trail: one-shot counts of the three channels and the
// parameters every dropped afterimage is given.
struct AfterimageBlock {
    int32_t countA = 0;
    int32_t countB = 0;
    int32_t countC = 0;
    int32_t layer = 0;
    double angle = 0.0;
    double angle2 = 0.0;
    double scaleX = 0.0;
    double scaleX2 = 0.0;
    double scaleY = 0.0;
    double scaleY2 = 0.0;
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    int32_t blendMode = 0;
    int32_t alpha = 0;
    int32_t fadeStep = 0;
    double scaleXRate = 0.0;
    double scaleYRate = 0.0;
    int32_t stateDuration = 0;
    int32_t u = 0;
    int32_t v = 0;
    int32_t spriteLeft = 0;
    int32_t spriteRight = 0;
    int32_t spriteTop = 0;
    int32_t spriteBottom = 0;
    int32_t textureId = 0;
};

class CCharacter;

// One entry of a character's link rows: another character, or none. Setting
// one marks its target as linked to, so that a character nobody ever linked
// to leaves the world without a sweep of the world for links to it.
class CharacterLink {
public:
    CharacterLink() = default;
    CharacterLink(const CharacterLink& other) { Set(other.target_); }
    CharacterLink& operator=(const CharacterLink& other) {
        Set(other.target_);
        return *this;
    }
    CharacterLink& operator=(CCharacter* target) {
        Set(target);
        return *this;
    }
    operator CCharacter*() const { return target_; }
    CCharacter* operator->() const { return target_; }
    CCharacter* Get() const { return target_; }

private:
    inline void Set(CCharacter* target);
    CCharacter* target_ = nullptr;
};

class CCharacter {
public:
    CCharacter();
    CCharacter(const CCharacter&) = delete;
    CCharacter& operator=(const CCharacter&) = delete;

    // --- Virtual interface, in slot order --------------------------------

    virtual bool ApplyGravityCapped(int32_t num, int32_t den, int32_t maxFallSpeed);
    virtual bool ApplyGravityWith(int32_t num, int32_t den);
    virtual bool ApplyGravity();
    virtual void StartHover();
    virtual bool UpdateHover();
    virtual void AccelerateXAbsolute(int32_t target, int32_t step);
    virtual void AccelerateX(int32_t target, int32_t step, bool absolute, bool slowDown);
    virtual void AccelerateXForward(int32_t target, int32_t step);
    virtual bool OverlapsSolid(CCharacter* other);
    virtual CCharacter* FindBlockOverlap();
    virtual bool BodyTouches(CCharacter* other);
    virtual int32_t GravityTicks();
    virtual int32_t HoverTicks();
    virtual CCharacter* AttackAll(CCharacterList* ignored, int32_t groupMask, int32_t kind, int32_t damage);
    virtual bool ClampToStage();
    virtual void FacePlayer();
    virtual void CarryRiders(CCharacterList* list);
    virtual bool IsRiderOn(CCharacter* other);
    virtual void StartAfterimageTinted(int32_t countA, int32_t countC, int32_t layer, int32_t red, int32_t green,
                                       int32_t blue, int32_t alpha, int32_t fadeStep);
    virtual void StartAfterimageCounted(int32_t countA, int32_t countC, int32_t layer, int32_t alpha,
                                        int32_t fadeStep);
    virtual void StartAfterimage(int32_t countA, int32_t layer, int32_t alpha, int32_t fadeStep);
    virtual void SetAfterimageParams(int32_t countA, int32_t countB, int32_t layer, double angle, double angle2,
                                     double scaleX, double scaleX2, double scaleY, double scaleY2, int32_t red,
                                     int32_t green, int32_t blue, int32_t blendMode, int32_t alpha, int32_t fadeStep,
                                     double scaleXRate, double scaleYRate, int32_t stateDuration, int32_t u,
                                     int32_t v, int32_t spriteLeft, int32_t spriteRight, int32_t spriteTop,
                                     int32_t spriteBottom, int32_t textureId);
    virtual void UpdateAfterimages();
    virtual void SpawnAfterimagesC(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t count);
    virtual void SpawnAfterimagesA(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t count);
    virtual void SpawnAfterimagesB(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t count);
    virtual void SpawnAfterimage(int32_t x, int32_t y, int32_t layer, double angle, double scaleX, double scaleY,
                                 int32_t red, int32_t green, int32_t blue, int32_t blendMode, int32_t alpha,
                                 int32_t fadeStep, double scaleXRate, double scaleYRate, int32_t stateDuration,
                                 int32_t u, int32_t v, int32_t spriteLeft, int32_t spriteRight, int32_t spriteTop,
                                 int32_t spriteBottom, int32_t textureId);
    virtual void UpdateTween();
    virtual bool IsTweening();
    virtual ~CCharacter();
    virtual void EmptyHook();
    virtual void Frame();
    virtual void Update();
    virtual void Draw();
    virtual bool OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker);
    virtual bool IsRemoved();
    virtual void Reset();
    virtual void UpdateHurt();
    virtual void UpdateState20();
    virtual void UpdateState30();
    virtual void UpdateState40();
    virtual void UpdateState50();
    virtual void UpdateState60();
    virtual void UpdateState70();
    virtual void UpdateState80();
    virtual void UpdateState90();
    virtual void UpdateState100();
    virtual void UpdateDefeat();
    virtual void UpdateState120();
    virtual void UpdateState130();
    virtual void UpdateState140();
    virtual void UpdateState150();
    virtual void UpdateState160();
    virtual void UpdateState170();
    virtual void UpdateState180();
    virtual void UpdateState190();
    virtual void UpdateState200();
    virtual void AddHP(int32_t n);
    virtual void AddGauge(int32_t n);
    virtual void Move(int32_t dx, int32_t dy);
    virtual bool OnTerrainContact(int32_t side);
    virtual bool IsAirborne();
    virtual bool TouchesSolid(int32_t side);
    virtual bool TouchesAnySolid();
    virtual bool TouchesSolidOf(CCharacter* other, int32_t side);
    virtual int32_t FirstTouchedSideOf(CCharacter* other);
    virtual bool AttackHits(CCharacter* other);
    virtual bool AlwaysTrueTest(int32_t a, int32_t b);
    virtual bool IsOnScreen();
    virtual bool IsNearScreen();
    virtual bool IsInsideStage();
    virtual void SetPosition(int32_t newX, int32_t newY);
    virtual int32_t GetX();
    virtual int32_t GetY();
    virtual int32_t GetStageX();
    virtual int32_t GetStageY();
    virtual void SetStageX(int32_t sx);
    virtual void SetStageY(int32_t sy);
    virtual bool SetFacing(int32_t f);
    virtual int32_t GetFacing();
    virtual void DecelerateX(int32_t step);
    virtual void SetFrame(int32_t newFrame);
    virtual void SetState(int32_t state);
    virtual void ConsumeStateChange();
    virtual void ScrollParallax(int32_t dx, int32_t dy);
    virtual void SetTypeId(int32_t id);
    virtual void FollowParent();
    virtual int32_t ScaleDamage(int32_t kind, int32_t damage);
    virtual void DropToGround();
    virtual void FaceVelocity();
    virtual void SetTween(int32_t offsetXFrom, int32_t offsetXTo, int32_t offsetYFrom, int32_t offsetYTo,
                          double scaleXFrom, double scaleXTo, double scaleYFrom, double scaleYTo, int32_t layerFrom,
                          int32_t layerTo, double angleFrom, double angleTo, int32_t duration, int32_t mode);
    virtual bool SteerToward(CCharacter* target, int32_t speed, double maxTurn);
    virtual void AimAt(CCharacter* target, int32_t speed);
    virtual int32_t GetAnchorX();
    virtual int32_t GetAnchorY();
    virtual void SetAlpha(int32_t a);
    virtual void AddAlphaClamped(int32_t d, int32_t lo, int32_t hi);
    virtual void AddAlpha(int32_t d);
    virtual void SetScore(int32_t n);
    virtual int32_t GetScore();
    virtual void AddScore(int32_t n);
    virtual void SetScoreRate(int32_t percent);
    virtual int32_t GetScoreRate();
    virtual void SetCombo(int32_t n);
    virtual int32_t GetCombo();
    virtual void OnAttackLanded();
    virtual void OnCountdownEnd();
    virtual void TickCountdown();
    virtual void SetPlayTime(int32_t t);
    virtual int32_t GetPlayTime();
    virtual void TickPlayTime();
    virtual void SetPlayTimeRunning(bool running);
    virtual bool IsPlayTimeRunning();
    virtual void SetGold(int32_t n);
    virtual void IncGold();
    virtual void AddGold(int32_t n);
    virtual int32_t GetGold();
    virtual bool IsTargetable();
    virtual void PushOutOfBlocks();
    virtual void OnSpringLaunch();
    virtual void OnCatapultLaunch();
    virtual int32_t GetInvincible();
    virtual int32_t GetInvulnerable();
    virtual int32_t GetDamageFlash();
    virtual int32_t GetAuxTimer();
    virtual void SetInvincible(int32_t t);
    virtual void SetInvulnerable(int32_t t);
    virtual void SetDamageFlash(int32_t t);
    virtual void SetAuxTimer(int32_t t);
    virtual void ClearInvincible();
    virtual void ClearInvulnerable();
    virtual void ClearDamageFlash();
    virtual void ClearAuxTimer();
    virtual int32_t GetBlink();
    virtual void SetBlink(int32_t t, int32_t period, int32_t visible);
    virtual void ClearBlink();
    virtual int32_t GetFlash();
    virtual void SetFlash(int32_t t, int32_t period, int32_t on);
    virtual void ClearFlash();
    virtual void SetHitStop(int32_t t);
    virtual int32_t LinkA(CCharacter* other);
    virtual int32_t LinkALast(CCharacter* other);
    virtual int32_t LinkB(CCharacter* other);
    virtual int32_t LinkBLast(CCharacter* other);
    virtual bool HasChildOfType19990();

    // --- Frame records and stepping --------------------------------------

    // Fills one record of the own table; the solid geometry is set to 0.
    // Mind the order at the end: next frame and its duration, then next
    // state and its duration. A record outside the table is ignored.
    void SetFrameRecord(int32_t record, int32_t u, int32_t v, int32_t spriteLeft, int32_t spriteRight,
                        int32_t spriteTop, int32_t spriteBottom, int32_t bodyLeft, int32_t bodyRight,
                        int32_t bodyTop, int32_t bodyBottom, int32_t attackLeft, int32_t attackRight,
                        int32_t attackTop, int32_t attackBottom, int32_t hurtLeft, int32_t hurtRight,
                        int32_t hurtTop, int32_t hurtBottom, int32_t nextFrame, int32_t frameDuration,
                        int32_t nextState, int32_t stateDuration, int32_t textureId);

    // Fill operations of the tile kinds (scenery and blocks): a 20-pixel
    // wide sprite from spriteLeft -10, a solid with flat top and bottom
    // (both top fields solidTop, both bottom fields solidBottom), next frame
    // -1. A scenery-style record has no boxes, next state -1 and state
    // duration 999; a block-style record gives its boxes, next state and
    // state duration, and frame duration 999. The texture slot is kept as a
    // 16-bit value.
    void SetBackgroundFrameRecord(int32_t record, int32_t u, int32_t v, int32_t spriteTop, int32_t spriteBottom,
                                  int32_t solidLeft, int32_t solidRight, int32_t solidTop, int32_t solidBottom,
                                  int32_t frameDuration, int32_t textureId);
    void SetBlockFrameRecord(int32_t record, int32_t u, int32_t v, int32_t spriteRight, int32_t spriteTop,
                             int32_t spriteBottom, int32_t solidLeft, int32_t solidRight, int32_t solidTop,
                             int32_t solidBottom, int32_t bodyLeft, int32_t bodyRight, int32_t bodyTop,
                             int32_t bodyBottom, int32_t attackLeft, int32_t attackRight, int32_t attackTop,
                             int32_t attackBottom, int32_t hurtLeft, int32_t hurtRight, int32_t hurtTop,
                             int32_t hurtBottom, int32_t nextState, int32_t stateDuration, int32_t textureId);

    // The current record (the all-zero record when the frame lies outside
    // the table) and any record by index.
    const FrameRecord& CurrentRecord() const { return frameTable.Get(frame); }
    const FrameRecord& RecordAt(int32_t index) const { return frameTable.Get(index); }

    // Where a record's picture is taken from: the anchor's place on the
    // record's sheet, moved by the class's picture shift when the record
    // names the shifted sheet.
    struct PicturePlace {
        int32_t u;
        int32_t v;
    };
    PicturePlace PictureOf(const FrameRecord& r) const {
        if (r.textureId != pictureShift.textureId) return {r.u, r.v};
        return {r.u + pictureShift.du, r.v + pictureShift.dv};
    }

    // The first three steps of every class's Update: advance the frame
    // timer and chain the frame, advance the state timer and chain the
    // state, then consume the state change (removal on state 0).
    void StepAnimation();
    // Allocates count records and makes records 1 .. count-1 one held
    // 64x64 frame each (record 0 is the table's default record), for
    // classes whose real animation tables are still to come.
    void AllocateHeldRecords(int32_t count);

    // Decelerate by the friction, then fall.
    void DefaultPhysics();

    // Aliases under which the player, enemy and boss code knows the fourth
    // countdown timer.
    void SetTimer172(int32_t t) { SetAuxTimer(t); }
    void ClearTimer172() { ClearAuxTimer(); }
    int32_t GetTimer172() { return GetAuxTimer(); }

    // --- Data ------------------------------------------------------------

    uint8_t controlled = 0;
    uint8_t alive = 1;
    int32_t group = 0;
    int32_t typeId = 0;
    int32_t hp = 0;
    int32_t hpMax = 0;
    int32_t gauge = 0;
    int32_t gaugeMax = 0;
    FrameTable frameTable;
    int32_t frame = 0;
    int32_t pendingState = -1;
    int32_t frameTimer = 0;
    int32_t stateTimer = 0;
    int32_t vx = 0;
    int32_t vy = 0;
    int32_t attackDirX = 0;
    int32_t attackDirY = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t prevX = 0;
    int32_t prevY = 0;
    int32_t auxValue = 1;
    int32_t maxFall = 1;
    int32_t gravityNum = 0;
    int32_t gravityDen = 1;
    int32_t gravityAcc = 0;
    int32_t hoverSpeed = 0;
    int32_t hoverAmplitude = 0;
    int32_t hoverNum = 0;
    int32_t hoverDen = 0;
    int32_t hoverAcc = 0;
    int32_t hoverDir = 1;
    int32_t facing = 1;
    int32_t invincibleTimer = 0;
    int32_t invulnerableTimer = 0;
    int32_t damageFlashTimer = 0;
    int32_t auxTimer = 0;
    int32_t blinkTimer = 0;
    int32_t blinkVisible = 1;
    int32_t blinkPeriod = 1;
    int32_t flashTimer = 0;
    int32_t flashOn = 1;
    int32_t flashPeriod = 1;
    int32_t guardTimer = 0;
    CCharacterList* ownedLists[2] = {nullptr, nullptr};
    CharacterLink linksA[kLinkCount];
    CharacterLink linksB[kLinkCount];
    // Whether any link was ever set to this character.
    bool linkedTo = false;
    double angle = 0.0;
    double angle2 = 0.0;
    double scaleX = 1.0;
    double scaleX2 = 1.0;
    double scaleY = 1.0;
    double scaleY2 = 1.0;
    int32_t parentOffsetX = 0;
    int32_t parentOffsetY = 0;
    int32_t parallaxMode = 0;
    int32_t parallaxRemX = 0;
    int32_t parallaxRemY = 0;
    int32_t colorR = 255;
    int32_t colorG = 255;
    int32_t colorB = 255;
    int32_t alpha = 255;
    int32_t blendMode = 0;
    int32_t score = 0;
    int32_t combo = 0;
    int32_t comboWindow = 0;
    int32_t mapColumn = -1;
    int32_t mapRow = -1;
    uint8_t fromLayerA = 0;
    uint8_t fromLayerB = 0;
    uint8_t fromLayerC = 0;
    int32_t layer = 0;
    int32_t hitStop = 0;
    int32_t friction = 0;
    uint8_t superArmor = 0;
    // The state an enemy or boss returns to; 0 (removal) unless its
    // SetTypeId chooses one.
    int32_t homeState = 0;
    int32_t gold = 0;
    int32_t playTime = 0;
    uint8_t playTimeRunning = 0;
    int32_t pushX = 0;
    int32_t pushY = 0;
    uint8_t targetable = 1;
    int32_t fadeStep = 0;
    double scaleXRate = 0.0;
    double scaleYRate = 0.0;
    int32_t carryX = 0;
    int32_t carryY = 0;
    uint8_t wallSolid = 0;
    uint8_t notSolid = 0;
    TweenBlock tween;
    double relativeAngle = 0.0;
    int32_t tweenStep = 0;
    int32_t tweenDuration = 0;
    int32_t tweenMode = 0;
    AfterimageBlock afterimage;
    // A class that shares another class's records but draws its own
    // versions of their pictures, kept on the same sheet at a fixed offset
    // from the other class's, sets the sheet and the offset here; the
    // records themselves stay the other class's. Slot -1 moves nothing.
    struct PictureShift {
        int32_t textureId = -1;
        int32_t du = 0;
        int32_t dv = 0;
    };
    PictureShift pictureShift;

    static constexpr int32_t kMaxPlayTime = 40000;
};

inline void CharacterLink::Set(CCharacter* target) {
    if (target != nullptr) target->linkedTo = true;
    target_ = target;
}
