#pragma once
// The boss base: every boss of the play field. It gives the shared fight
// flow: the per-frame dispatcher that hands each band of records to a hook
// (the hook-style bosses fill the hooks), the damage cap, the defeat start
// that freezes the player in its victory pose, the hook-style defeat with
// its rings of score orbs, and the pieces the switch-style bosses build
// their own Update from: the entrance that holds the player through the
// camera tour and then starts the boss music and the life bar, the defeat
// explosions and the fall, the music changes, clearing the room of other
// enemies. A boss is not an ordinary enemy: it drops nothing, never sleeps
// and is never hurt out of its stride (super armour).
#include <cstdint>
#include <functional>

#include "character/Character.h"
#include "enemy/CharacterEnemy.h"

// The states the bosses add to those of every enemy: each the first record
// of its run.
namespace EnemyState {
enum : int32_t {
    BossDefeatFall = 111,
    Gone = 112,
    ChooseAttack = 221,
    Entrance = 230,
    FightStart = 231,
};
}  // namespace EnemyState

class CCharacterEnemyBoss : public CCharacter {
public:
    static constexpr int32_t kEnemyGroup = 2;

    // The think record of the flying phase.
    static constexpr int32_t kChooseFlying = 342;
    // Music-table entries of the fights.
    static constexpr int32_t kBossMusic = 8;
    static constexpr int32_t kLastBossMusic = 9;
    // Maps on which a boss leaves the music alone (inclusive).
    static constexpr int32_t kQuietMapFirst = 246;
    static constexpr int32_t kQuietMapLast = 265;

    // The values every boss constructor sets; the class's own row of the
    // roster gives the rest.
    struct Roster {
        int32_t typeId;
        int32_t hp;
        int32_t score;
        int32_t layer;
        int32_t gravityNum;
        int32_t alpha;
        const FrameTableData* frames;
    };

    ~CCharacterEnemyBoss() override;

    // The hook-style frame: off screen nothing happens (but in the defeat),
    // then the timers, the re-arming of the player's hits, the hook of the
    // current record's band and the move.
    void Update() override;
    // The defeat start on 110 (then the state).
    void SetState(int32_t state) override;
    // The hook-style defeat: rings of score orbs while the boss fades, then
    // the player's stage exit.
    void UpdateDefeat() override;
    // Blows of 100 and more count a third above 100.
    int32_t ScaleDamage(int32_t kind, int32_t damage) override;

    // The hooks of the record bands, in slot order: 220, 230-239, 240-259,
    // 260-279, 280-299, then 420-469 by tens. The wait faces the player and
    // enters the home state; the others are empty.
    virtual void UpdateWait();
    virtual void UpdateEntrance();
    virtual void UpdateAttack1();
    virtual void UpdateAttack2();
    virtual void UpdateAttack3();
    virtual void UpdateAttack4();
    virtual void UpdateAttack5();
    virtual void UpdateAttack6();
    virtual void UpdateAttack7();
    virtual void UpdateAttack8();
    // One ring of four score orbs around the boss, turned by the state
    // timer.
    virtual void ReleaseScoreOrbs();

    // Whether the current map keeps its music through boss fights.
    static bool IsQuietMap();
    // The values every boss and every part of one (the king tengu's second
    // form's eyes) starts with: the enemies' group, the entrance, super
    // armour, the fall, the hover, twice the size, layer 168, no control.
    static void SetCommonScalars(CCharacter& c);

protected:
    explicit CCharacterEnemyBoss(const Roster& roster);

    // --- Shared bodies the boss classes choose from ----------------------

    // The think record's end for the switch-style bosses: back to the wait
    // with chance 1/2; otherwise nothing, and the request comes again the
    // next frame.
    void TryReturnToWait();
    // Every other character of the enemies' group leaves the field, but for
    // the boss's first five parts (its B links).
    void ClearOtherEnemies();
    // The rule every boss clears its room by: every other character of the
    // enemies' group leaves (the stage's springs and catapults among them),
    // but for those `stays` keeps: the boss's own parts, as each boss counts
    // them.
    void ClearOtherEnemiesBut(const std::function<bool(const CCharacter*)>& stays);
    // One of the boss's first five parts (its B links).
    bool IsOwnPart(const CCharacter* c) const;
    // The shared entrance hook: face the player, fall, and fight as soon as
    // the player may move again.
    void UpdateEntranceShared();
    // The shared wait hook: face the player, fall, keep inside the stage.
    void UpdateWaitShared();

    // The frame stepping of the switch-style Updates (timers and the state
    // change), then the re-arming of the player's hits.
    void StepFrame();
    // Cleared whenever the player's attack box is off the boss, so that the
    // next swing counts again.
    void RearmHits();
    // The player is held still: no control, no horizontal speed.
    static void HoldPlayer();
    // The camera tour over the boss (the world keeps moving): 30 frames of
    // travel each way and `holdFrames` on the boss.
    void StartCameraTour(int32_t holdFrames);
    // Whether the tour is still running; asked once a frame by the boss
    // that waits for it.
    static bool CameraTourRunning();
    // The end of the entrance once the tour is over: the player moves
    // again, the boss music starts (unless `quietMaps` and the map is one
    // that keeps its music), the fight starts in `firstState` and the life
    // bar shows the boss.
    void StartFight(int32_t music, int32_t firstState, bool quietMaps);

    // The switch-style defeat's explosions (frame 110): more and more of
    // them within `spread` of the boss, then after 260 ticks the last blast,
    // the shake, the white strobe and the throw into 111 at `throwSpeed`.
    void UpdateDefeatExplosions(int32_t spread, int32_t throwSpeed);
    // The switch-style fall (frame 111): spinning under gravity out of the
    // room; below 8000 the player has control again, the bar is detached,
    // the stage's music comes back and the boss is removed.
    void UpdateDefeatFall();

    // --- The hook-style bosses (ghost, one-eyed monster, tengu) ------------

    // The entry actions they share: the think record 221 is only the choice
    // (true: the request is done with); the fight start shows the life bar.
    template <class Choose>
    bool EnterHookStyleState(int32_t state, Choose choose) {
        if (state == EnemyState::ChooseAttack) {
            choose();
            return true;
        }
        if (state == EnemyState::FightStart) AttachLifebar();
        return false;
    }
    // A blow of its own body that frame (kind 15, 10 damage).
    void BodyAttack();
    // The room's camera offset: a stage position is this plus a position.
    static int32_t CameraX();

    // --- The ground fighters built alike (the king tengu, Silvy) ---------

    // Frames 230 and 231: the player is held; in 231, once the camera tour
    // is over, the fight starts in the wait with the music entry.
    void UpdateTourEntrance(int32_t music);
    // The entrance (230, 231) and the wait (220) of the ground fighters;
    // false when the current frame is none of them.
    bool UpdateEntranceOrWait();
    // Entering 231: on the ground, the tour over the boss (holding it for
    // `holdFrames`) and the music stopped.
    void EnterFightStart(int32_t holdFrames);
    // Entering the wait: always the wait, even at no life.
    void EnterWait();
    // The entry actions the ground fighters share: the wait (even at no
    // life), the think records 221 and 342 (only the choice, no state of
    // their own) and the fight start (tour holding `tourHold` frames);
    // false for any other state.
    template <class Choose>
    bool EnterGroundFighterState(int32_t state, int32_t tourHold, Choose choose) {
        switch (state) {
            case EnemyState::Wait:
                EnterWait();
                return true;
            case EnemyState::ChooseAttack:
            case kChooseFlying:
                choose();
                return true;
            case EnemyState::FightStart:
                EnterFightStart(tourHold);
                CCharacterEnemyBoss::SetState(state);
                return true;
            default:
                return false;
        }
    }
    // The wait: facing the player, standing.
    void UpdateStandingWait();
    // A leap toward the player: forward at 30 to 59, upward at `lift` and
    // up to `liftSpread` - 1 more.
    void StartLeap(int32_t lift, int32_t liftSpread);
    // Rising: back to the wait on landing, on to the record's next state at
    // the top.
    void UpdateLeap();
    // Falling forward until it lands, then the wait.
    void UpdateLeapFall();

    // Music changes: stop what plays, start an entry (or none), and let go
    // of what played.
    static void StopBossMusic();
    static void ChangeBossMusic(int32_t entry);
    // The stage's own music again.
    static void RestoreStageMusic();

    // The stage switch that ends the last fights: to `stage`, the player at
    // (600, 0) facing right, after a fade of 80 frames.
    static void RequestStageSwitch(int32_t stage);

    // The life bar shows this boss, or nothing.
    void AttachLifebar();
    static void DetachLifebar();

    // Explosions of the defeat: sound and a blast at a random spot around.
    void Explode(int32_t spreadX0, int32_t spreadX1, int32_t spreadY0, int32_t spreadY1);
};
