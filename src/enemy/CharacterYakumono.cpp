#include "enemy/CharacterYakumono.h"

#include <cmath>

#include "framework/GameMain.h"

CCharacterYakumono::CCharacterYakumono() {
    // No life; the rest as every enemy has it (group, friction, fall, bob,
    // scale, the wait).
    ApplyRoster({20770, 0, 100, 2, 10, 10, 0, 6, 1, 10, 10, 1, 2});
    layer = 126;
}

void CCharacterYakumono::Update() {
    StepAnimation();
    // Gone for good once it is well outside the view; the list deletes it
    // after this frame.
    if (!IsNearScreen()) alive = 0;
    DispatchFrame();
    Move(vx, vy);
}

void CCharacterYakumono::UpdateWait() {
    if (IsOnScreen()) SetState(homeState);
}

CCharacter* CCharacterYakumono::TouchingPlayer() {
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player == nullptr || !AttackHits(player) || player->hp <= 0 || player->GetTimer172() != 0) return nullptr;
    return player;
}

CCharacterYakumono::Vector CCharacterYakumono::Direction(int32_t speed) const {
    return {static_cast<int32_t>(std::sin(angle) * speed), static_cast<int32_t>(-std::cos(angle) * speed)};
}
