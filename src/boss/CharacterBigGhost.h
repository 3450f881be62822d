#pragma once
// The big ghost: a towering yurei that drifts to and fro across its dark
// room and calls up ghosts. It is seen and can be hit only while the room's
// two lights (slot flags 203 and 204 of the current save slot) both burn:
// with neither it is unseen under a dark veil, with one it shows grey and
// half there, still out of reach. Its entrance lights the two one after the
// other to show it, then puts them out again. Its defeat is a storm of
// blasts, a fade to black and a white-out.
#include <cstdint>

#include "boss/CharacterSwitchBoss.h"

class CCharacterBigGhost : public CCharacterSwitchBoss {
public:
    static constexpr int32_t kTypeId = 10290;
    static constexpr int32_t kHp = 12000;
    // The room's lights.
    static constexpr int32_t kFirstLight = 203;
    static constexpr int32_t kSecondLight = 204;
    // The ghosts it calls (made as 10054, they carry 10050) and how many
    // may be about at once.
    static constexpr int32_t kMinionMade = 10054;
    static constexpr int32_t kMinionType = 10050;
    static constexpr int32_t kMaxMinions = 4;
    // The veil (effect state) and the blasts of the defeat.
    static constexpr int32_t kVeil = 300;
    static constexpr int32_t kBlast = 320;

    static constexpr int32_t kFight = 220;

    CCharacterBigGhost();

    void Update() override;
    void SetState(int32_t state) override;
    void SetTypeId(int32_t id) override { typeId = id; }

    // Seen and out of reach, half there, or seen and open to blows, by the
    // room's lights; the veil darkens what it does not show.
    virtual void ApplyStageColour();
    // The ghosts about.
    virtual int32_t CountGhosts();
    // Every other enemy leaves, the veil and the stage's springs and
    // catapults with them.
    virtual void ClearOtherEnemies();

    // The frames between two calls at the current life.
    int32_t CallInterval() const;
    // The lights of the current save slot.
    static bool LightOn(int32_t flag);
    static void SetLight(int32_t flag, bool on);

private:
    void MakeVeil();
    void CallGhost();
    void UpdateDefeatBlasts();
    void Blast();
};
