#include "enemy/CharacterYakumono.h"

#include <cmath>

#include "framework/GameMain.h"

CCharacterYakumono::CCharacterYakumono() {
    typeId = 20770;
    frame = EnemyState::Wait;
    hp = hpMax = 0;
    group = kEnemyGroup;
    gold = 10;
    layer = 126;
    friction = 5;
    gravityNum = 6;
    gravityDen = 1;
    maxFall = 200;
    hoverSpeed = 10;
    hoverAmplitude = 10;
    hoverNum = 1;
    hoverDen = 2;
    hoverDir = -1;
    scaleX = scaleY = 2.0;
    secondItemChance = 0;
    presenceMode = kSleepOffScreen;
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
