#pragma once
// An eye of the king tengu's second form, a boss part of its own class.
// (Stand-in until the bosses land.)
#include <cstdint>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"

class CCharacterKingTengu2ndEye : public CCharacter {
public:
    static constexpr int32_t kFrameCount = 450;

    CCharacterKingTengu2ndEye() {
        group = 2;
        hp = hpMax = 1000;
        layer = 168;
        gravityNum = gravityDen = 1;
        scaleX = scaleY = 2.0;
        frameTable.Allocate(kFrameCount);
        for (int32_t r = 1; r < kFrameCount; ++r)
            SetFrameRecord(r, 32, 32, -32, 31, -32, 31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, kHeldDuration, -1,
                           kHeldDuration, 0);
        frame = 220;
    }

    ~CCharacterKingTengu2ndEye() override {
        auto* player = dynamic_cast<CCharacterPlayer*>(CGameMain::GetInstance()->m_player);
        if (player != nullptr && player->target == this) player->target = nullptr;
    }

    // The variant waits in its start state.
    void SetTypeId(int32_t id) override {
        CCharacter::SetTypeId(id);
        SetState(220);
    }

    void Update() override { StepAnimation(); }
};
