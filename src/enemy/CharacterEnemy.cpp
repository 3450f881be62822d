#include "enemy/CharacterEnemy.h"

#include <cmath>
#include <cstdlib>
#include <iterator>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "player/CharacterPlayer.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kBurstSound = 31;
// Frames every character of a non-zero group stands still at a burst.
constexpr int32_t kBurstFreeze = 10;
// Alpha lost each frame of the fade after the burst.
constexpr int32_t kFadeStep = 14;
// The player's move-attack frames: a burst waits until the dash has passed.
constexpr int32_t kMoveAttackFirst = 321;
constexpr int32_t kMoveAttackLast = 324;

// Vibration settings.
constexpr int32_t kVibrationNormal = 0;
constexpr int32_t kVibrationStrong = 1;
constexpr int32_t kVibrationNone = 2;
constexpr int32_t kVibrationMild = 3;

// Dropped coins and pick-ups.
constexpr int32_t kCoinScatter = 30;
constexpr int32_t kCoinSpeedX = 20;
constexpr int32_t kCoinLiftLow = -120;
constexpr int32_t kCoinLiftHigh = -80;
constexpr int32_t kItemLift = -70;

}  // namespace

CCharacterEnemy::CCharacterEnemy() {
    group = kEnemyGroup;
    ApplyRoster({10000, 100, 100, 2, 10, 10, 0, 1, 1, 10, 10, 1, 2});
    layer = 168;
    friction = 5;
    maxFall = 200;
    hoverAcc = 0;
    hoverDir = -1;
    scaleX = scaleY = 2.0;
    frame = EnemyState::Wait;
}

// The player's aim and hold on this enemy are dropped by the character
// core's destructor, as for every character that goes.
CCharacterEnemy::~CCharacterEnemy() = default;

void CCharacterEnemy::ApplyRoster(const Roster& r) {
    typeId = r.typeId;
    hp = hpMax = r.hp;
    coinChance = r.coinChance;
    coinRange = r.coinRange;
    gold = r.baseCoins;
    itemChance = r.itemChance;
    secondItemChance = r.secondItemChance;
    gravityNum = r.gravityNum;
    gravityDen = r.gravityDen;
    hoverSpeed = r.hoverSpeed;
    hoverAmplitude = r.hoverAmplitude;
    hoverNum = r.hoverNum;
    hoverDen = r.hoverDen;
}

// --- The frame --------------------------------------------------------------

void CCharacterEnemy::Update() {
    const bool onScreen = IsOnScreen();
    if (presenceMode == kRemoveOffScreen && !onScreen) SetState(EnemyState::Remove);
    if (frame != EnemyState::Defeated && frame != EnemyState::FadeOut && !onScreen) {
        // Asleep: no timers, no handler, no move. A removal asked for in
        // the meantime still takes effect, or the enemy would stay listed
        // until it was seen again.
        if (pendingState == EnemyState::Remove) ConsumeStateChange();
        return;
    }
    StepAnimation();
    DispatchFrame();
    Move(vx, vy);
}

void CCharacterEnemy::DispatchFrame() {
    using Handler = void (CCharacterEnemy::*)();
    static constexpr Handler kBlocks[] = {
        &CCharacterEnemy::UpdateAction230, &CCharacterEnemy::UpdateAction250, &CCharacterEnemy::UpdateAction270,
        &CCharacterEnemy::UpdateAction290, &CCharacterEnemy::UpdateAction310, &CCharacterEnemy::UpdateAction330,
        &CCharacterEnemy::UpdateAction350, &CCharacterEnemy::UpdateAction370, &CCharacterEnemy::UpdateAction390,
        &CCharacterEnemy::UpdateAction410, &CCharacterEnemy::UpdateAction430,
    };
    constexpr int32_t kFirstBlock = 230;
    constexpr int32_t kBlockSize = 20;
    constexpr int32_t kLastBlockFrame = kFirstBlock + kBlockSize * static_cast<int32_t>(std::size(kBlocks)) - 1;
    if (frame == EnemyState::Hurt) UpdateHurt();
    else if (frame >= EnemyState::Defeated && frame <= 119) UpdateDefeat();
    else if (frame == EnemyState::Wait) UpdateWait();
    else if (frame >= kFirstBlock && frame <= kLastBlockFrame) (this->*kBlocks[(frame - kFirstBlock) / kBlockSize])();
}

// --- Entry actions ------------------------------------------------------------

void CCharacterEnemy::SetState(int32_t state) {
    const int32_t vibration = CGameMain::GetInstance()->m_vibration;
    CEffect* effect = CEffect::GetInstance();
    switch (state) {
        case EnemyState::Defeated:
            // The same short bounce for every setting but none.
            if (vibration != kVibrationNone) effect->StartShake(0, 0, 0, 100, -3, 3, 6);
            vx = vy = 0;
            break;
        case EnemyState::FadeOut:
            vx = vy = 0;
            if (vibration == kVibrationNormal) effect->StartVerticalShake(20, -10, 10, 3);
            else if (vibration == kVibrationStrong) effect->StartShake(0, 0, 0, 100, -10, 10, 20);
            else if (vibration == kVibrationMild) effect->StartVerticalShake(20, -5, 5, 1);
            break;
        case EnemyState::Wait:
            // On screen the enemy goes straight on with its behaviour.
            if (IsOnScreen() && homeState != EnemyState::Wait) {
                FacePlayer();
                SetState(homeState);
                return;
            }
            break;
        default:
            break;
    }
    CCharacter::SetState(state);
}

// --- Handlers -------------------------------------------------------------------

void CCharacterEnemy::UpdateWait() {
    FacePlayer();
    SetState(homeState);
}

void CCharacterEnemy::UpdateWaitGrounded() {
    FacePlayer();
    SetState(homeState);
    DropToGround();
}

void CCharacterEnemy::UpdateHurt() {
    // Hangs where it was hit; once the attack that hit it has moved off,
    // the next one counts again.
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player == nullptr || !player->AttackHits(this)) ClearInvulnerable();
}

void CCharacterEnemy::UpdateDefeat() {
    if (frame == EnemyState::Defeated) {
        // The burst waits until the player's dash through the enemy is over.
        const CCharacter* player = CGameMain::GetInstance()->m_player;
        if (player != nullptr && player->frame >= kMoveAttackFirst && player->frame <= kMoveAttackLast) return;
        CGameMain::GetInstance()->SetGroupFreezeTimer(kBurstFreeze);
        SetState(EnemyState::FadeOut);
        PlaySE(kBurstSound);
        DropCoins();
        DropItem();
    } else if (frame == EnemyState::FadeOut) {
        alpha -= kFadeStep;
        if (alpha < 1) {
            alpha = 0;
            SetState(EnemyState::Remove);
        }
    }
}

void CCharacterEnemy::UpdateAction230() {}
void CCharacterEnemy::UpdateAction250() {}
void CCharacterEnemy::UpdateAction270() {}
void CCharacterEnemy::UpdateAction290() {}
void CCharacterEnemy::UpdateAction310() {}
void CCharacterEnemy::UpdateAction330() {}
void CCharacterEnemy::UpdateAction350() {}
void CCharacterEnemy::UpdateAction370() {}
void CCharacterEnemy::UpdateAction390() {}
void CCharacterEnemy::UpdateAction410() {}
void CCharacterEnemy::UpdateAction430() {}

// --- The payout -------------------------------------------------------------------

void CCharacterEnemy::DropCoins() {
    int32_t count = 0;
    if (GameRand() % 100 < coinChance) {
        // A kind without a random part drops its base count.
        count = GetGold() + (coinRange > 0 ? GameRand() % coinRange : 0);
    }
    const int32_t state =
        PlayerIsLaunched() ? CCharacterEffect::kDroppedCoinLaunched : CCharacterEffect::kDroppedCoin;
    for (int32_t i = 0; i < count; ++i) {
        CCharacterEffect* coin = SpawnEffect(state, facing, x - kCoinScatter, x + kCoinScatter, y - kCoinScatter,
                                             y + kCoinScatter, -kCoinSpeedX, kCoinSpeedX, kCoinLiftLow, kCoinLiftHigh);
        if (coin == nullptr) continue;
        coin->SetGold(1);
        coin->attackDirX = coin->vx;
        coin->attackDirY = coin->vy;
    }
}

void CCharacterEnemy::DropItem() {
    const bool launched = PlayerIsLaunched();
    int32_t id = 0;
    if (GameRand() % 100 < itemChance) id = launched ? kLaunchedHeart : kHeart;
    else if (GameRand() % 100 < secondItemChance) id = launched ? kLaunchedSpirit : kSpirit;
    if (id == 0) return;
    CCharacter* item = CreateCharacter(id);
    if (item == nullptr) return;
    item->x = item->prevX = x;
    item->y = item->prevY = y;
    item->vx = 0;
    item->vy = kItemLift;
    item->attackDirX = 0;
    item->attackDirY = kItemLift;
    CGameMain::GetInstance()->m_characterList.Add(item);
}

// --- Shared bodies ----------------------------------------------------------------

CCharacter* CCharacterEnemy::TouchAttack(int32_t kind, int32_t damage) {
    return AttackAll(&CGameMain::GetInstance()->m_characterList, ~group, kind, damage);
}

void CCharacterEnemy::StandFacingPlayer() {
    vx = 0;
    ApplyGravity();
    FacePlayer();
}

void CCharacterEnemy::UpdateStandingBlock(int32_t first, int32_t last) {
    TouchAttack();
    if (frame >= first && frame <= last) StandFacingPlayer();
}

void CCharacterEnemy::ChooseHome(int32_t id, std::initializer_list<Home> homes) {
    for (const Home& h : homes) {
        if (h.id == id) {
            homeState = h.state;
            return;
        }
    }
    homeState = EnemyState::Remove;
    SetState(EnemyState::Remove);
}

void CCharacterEnemy::TurnWhenFar(int32_t state) {
    if (state != 250 && state != 251) return;
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player != nullptr && std::abs(player->x - x) > kFarTurnReach) FacePlayer();
}

void CCharacterEnemy::UpdateDriftBlock() {
    TouchAttack();
    if (frame == 250 || frame == 251) {
        UpdateHover();
        // A drifter that stands on the ground bobs above it, not into it
        // (the bob moves it without the terrain test of a move).
        while (FindBlockOverlap() != nullptr) --y;
    }
    vx = facing * kDriftSpeed;
}

void CCharacterEnemy::FireSpiralShot() {
    constexpr double kStep = 3.14159265358979323846 / 8;
    const double a = stateTimer * kStep;
    const int32_t svx = static_cast<int32_t>(std::sin(a) * kSpiralShotSpeed * facing);
    const int32_t svy = static_cast<int32_t>(std::cos(a) * kSpiralShotSpeed);
    SpawnAttackEffect(this, facing == 1 ? kSpiralShot : kSpiralShotMirrored, facing, x, x, y, y, svx, svx, svy, svy);
}

void CCharacterEnemy::UpdateSpiralBlock() {
    TouchAttack();
    if (frame == 251 || frame == 252) FireSpiralShot();
    if (frame >= 250 && frame <= 252) StandFacingPlayer();
}

bool CCharacterEnemy::PlayerOffset(double& dx, double& dy) const {
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    dx = dy = 0;
    if (player == nullptr) return false;
    dx = static_cast<double>(player->x) - x;
    dy = static_cast<double>(player->y) - y;
    return true;
}

bool CCharacterEnemy::EnterHomeWhenSeen(int32_t state) {
    if (state != EnemyState::Wait || !IsOnScreen() || homeState == EnemyState::Wait) return false;
    SetState(homeState);
    return true;
}

void CCharacterEnemy::FlyForward(int32_t speed) {
    UpdateHover();
    vx = speed * facing;
}

bool CCharacterEnemy::BlockedAhead() {
    return IsAirborne() || (facing == -1 && TouchesSolid(2)) || (facing == 1 && TouchesSolid(3));
}

void CCharacterEnemy::RepointRecords(std::initializer_list<int32_t> records, int32_t textureId, int32_t u,
                                     int32_t v) {
    for (int32_t index : records) {
        FrameRecord* r = frameTable.Find(index);
        if (r == nullptr) continue;
        r->textureId = textureId;
        r->u = u;
        r->v = v;
    }
}

CCharacterPlayer* CCharacterEnemy::Player() { return CCharacterPlayer::GetGamePlayer(); }

bool CCharacterEnemy::PlayerIsLaunched() {
    CCharacterPlayer* player = Player();
    return player != nullptr && player->IsLaunched();
}
