#include "enemy/CharacterEnemyMaker.h"

#include <cmath>

#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kWispSound = 21;
// Draws of a spot before the spawner gives up for this time. The spots'
// ranges are always wider than the keep-away circle, so this only bounds
// the loop.
constexpr int32_t kMaxDraws = 1000;

bool FarFromPlayer(const CCharacter& player, int32_t x, int32_t y) {
    const double dx = static_cast<double>(player.x) - x;
    const double dy = static_cast<double>(player.y) - y;
    return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy)) > CCharacterEnemyMaker::kKeepAway;
}

}  // namespace

CCharacterEnemyMaker::CCharacterEnemyMaker() { frameTable.Load(kCharacterEnemyMakerFrames); }

void CCharacterEnemyMaker::SetTypeId(int32_t id) {
    CCharacter::SetTypeId(id);
    if (id == 10005) SetState(kWisps);
    else if (id == 10074) SetState(kCrows);
    else if (id == 11072) SetState(kDragons);
}

void CCharacterEnemyMaker::Update() {
    StepAnimation();
    DispatchFrame();
    Move(vx, vy);
}

void CCharacterEnemyMaker::SetState(int32_t state) {
    switch (state) {
        case 231:
        case 232:
            ReleaseWisp();
            break;
        case 251:
        case 252:
            ReleaseFlyer(kCrowId);
            break;
        case 271:
        case 272:
            ReleaseFlyer(kDragonId);
            break;
        default:
            break;
    }
    CCharacterEnemy::SetState(state);
}

void CCharacterEnemyMaker::ReleaseWisp() {
    CGameMain* game = CGameMain::GetInstance();
    const CCharacter* player = game->m_player;
    if (player == nullptr) return;
    const int32_t w = game->GetViewWidth(), h = game->GetViewHeight();
    // Around the screen's centre, on the side the player faces.
    for (int32_t draw = 0; draw < kMaxDraws; ++draw) {
        const int32_t sx = (GameRand() % 1800) * player->facing + w * 10 / 2;
        const int32_t sy = GameRand() % 2800 + h * 10 / 2 - 1400;
        if (!FarFromPlayer(*player, sx, sy)) continue;
        PlaySE(kWispSound);
        Release(kWispId, sx, sy, 1);
        return;
    }
}

void CCharacterEnemyMaker::ReleaseFlyer(int32_t typeId) {
    CGameMain* game = CGameMain::GetInstance();
    const CCharacter* player = game->m_player;
    if (player == nullptr) return;
    const int32_t w = game->GetViewWidth(), h = game->GetViewHeight();
    const int32_t f = player->facing;
    // 400 beyond the screen edge the player faces, flying toward it.
    const int32_t sx = (w * 10 / 2 + 400) * f + w * 10 / 2;
    for (int32_t draw = 0; draw < kMaxDraws; ++draw) {
        const int32_t sy = GameRand() % 2400 + h * 10 / 2 - 1200;
        if (!FarFromPlayer(*player, sx, sy)) continue;
        Release(typeId, sx, sy, -f);
        return;
    }
}

void CCharacterEnemyMaker::Release(int32_t typeId, int32_t sx, int32_t sy, int32_t newFacing) {
    CCharacter* c = CreateCharacter(typeId);
    if (c == nullptr) return;
    c->x = c->prevX = sx;
    c->y = c->prevY = sy;
    c->facing = newFacing;
    CGameMain::GetInstance()->m_characterList.Add(c);
}
