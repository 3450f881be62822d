#pragma once
// Luka (character 5), one of the two characters the title offers: the
// ninja's moves with twice its life, a four-step dash that runs instead of
// spinning and never dives, and defeats that play out by the kind of the
// lethal hit: animated poses with their effects, two of them fading to black
// and moving the game to a defeat stage (272, 273), every one ending in the
// Continue screen.
#include <cstdint>

#include "player/CharacterNinja.h"

class CCharacterLuka : public CCharacterNinja {
public:
    static constexpr int32_t kBaseLife = 600;
    // The records she shares with the ninja draw from the ninja's sheet;
    // her own versions of those pictures lie 256 texels to the right of
    // the ninja's.
    static constexpr int32_t kNinjaSheet = 19;
    static constexpr CCharacter::PictureShift kOwnPictures{kNinjaSheet, 256, 0};

    // A stage switch that a defeat asks for: the stage and where the player
    // starts in it.
    struct DefeatStage {
        int32_t stage;
        int32_t startX;
        int32_t startY;
    };
    // After the crawl of kind 23, and after the landing of kinds 26 and 27.
    static constexpr DefeatStage kFirstDefeatStage{272, 600, 0};
    static constexpr DefeatStage kSecondDefeatStage{273, 1000, 2000};
    // How the defeat stages come in: no drawn transition, a fade from black
    // over 80 frames.
    static constexpr int32_t kDefeatStageTransition = 0;
    static constexpr int32_t kDefeatStageFadeIn = 80;

    CCharacterLuka();

    void UpdateDefeat() override;
    // The entry and exit actions (EnterState); a change of body keeps a
    // standing player's feet where they were.
    void SetState(int32_t state) override;
    int32_t ReadStatus(CSaveData& record) override;
    void UpdateMoveAttack() override;
    // The dash toward the touch; a swipe never dives.
    bool TryMoveAttack(int32_t cost, bool pressed) override;

protected:
    void RunStateHandler() override;
    void LeaveState(int32_t from, int32_t to) override;
    // The dash lasts distance / speed ticks whichever of its four steps shows.
    void SetDashLength(int32_t distance) override;
    // The class's entry actions, then the player's and the character core's.
    virtual void EnterState(int32_t state);

    // The exit actions that clear the taken object, the target and the
    // launch's invulnerability, for a katana band ending at lastKatana.
    void LeaveAttackStates(int32_t from, int32_t to, int32_t lastKatana);
    // The dash's afterimage and strike, each frame of its flight.
    void DashStrike();

    // Effect states of the defeats: the sparkles thrown by the blast (kind
    // 28) above and below, and what bonks the player (kind 30).
    int32_t blastSparkHigh = 541;
    int32_t blastSparkLow = 540;
    int32_t bonkEffect = 550;

private:
    // After a change of record: the player's place kept for the new body.
    void KeepPlace(const FrameRecord& before, bool standing);
    // A touch opens the Continue screen: the press is taken whole, and the
    // player is no longer steered.
    void TouchToContinue();
    static void OpenContinue();
    // Waiting for that touch, now and then showing the other picture (a
    // cough, a sob, a twitch); falling or held where it is.
    void WaitForTouch(int32_t fidgetFrame, bool falls);
    // The screen fade has reached its target.
    static bool FadeFinished();
    static void StartFadeToBlack();
    static void RequestDefeatStage(const DefeatStage& stage);
    // The blast of kind 28: four star pieces and forty sparkles.
    void SpawnBlast();

    int32_t setStateDepth_ = 0;
};
