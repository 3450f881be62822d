#include "character/CharacterEffect.h"

#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"

namespace {

// One draw from [lo, hi] (bounds in either order).
int32_t Draw(int32_t a, int32_t b) {
    const int32_t lo = a < b ? a : b;
    const int32_t hi = a < b ? b : a;
    return GameRand() % (hi - lo + 1) + lo;
}

}  // namespace

CCharacterEffect* SpawnEffect(int32_t state, int32_t facing, int32_t x0, int32_t x1, int32_t y0, int32_t y1,
                              int32_t vx0, int32_t vx1, int32_t vy0, int32_t vy1) {
    auto* effect = static_cast<CCharacterEffect*>(CreateCharacter(50000));
    if (effect == nullptr) return nullptr;
    effect->SetState(state);
    effect->facing = facing;
    // One draw each, in this order.
    effect->x = Draw(x0, x1);
    effect->y = Draw(y0, y1);
    effect->vx = Draw(vx0, vx1);
    effect->vy = Draw(vy0, vy1);
    CGameMain::GetInstance()->m_characterList.Add(effect);
    return effect;
}
