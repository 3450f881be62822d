#include "boss/CharacterBoseki.h"

#include "character/CharacterAttackEffect.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kLandingSound = 56;
constexpr int32_t kConjureSound = 21;
constexpr int32_t kTourHold = 200;
constexpr int32_t kFadeStep = 16;
constexpr int32_t kWispFireTimer = 40;

int32_t s_conjured = 0;

}  // namespace

CCharacterBoseki::CCharacterBoseki() : CCharacterSwitchBoss({kBody, kHp, 200000, 136, 6, 0, &kCharacterBosekiFrames}) {}

int32_t CCharacterBoseki::ConjuredSoFar() { return s_conjured; }
void CCharacterBoseki::ResetConjuring() { s_conjured = 0; }

void CCharacterBoseki::SetTypeId(int32_t id) {
    typeId = id;
    int32_t start = 0;
    switch (id) {
        case kBody:
            homeState = 240;
            return;
        case kFlame:
            start = kFlameFalling;
            break;
        case kStupa:
            start = kStupaFalling;
            break;
        case kLantern:
            start = kLanternFalling;
            break;
        case kTablet:
            start = kTabletFalling;
            break;
        default:
            return;
    }
    SetState(start);
    homeState = start;
}

int32_t CCharacterBoseki::ConjureInterval() const { return 60 - 10 * FifthsLost(); }

// --- The frame ------------------------------------------------------------------

void CCharacterBoseki::Update() {
    StepFrame();
    switch (frame) {
        case EnemyState::Entrance:
            FacePlayer();
            HoldPlayer();
            break;
        case kDrop:
        case kFlameFalling:
        case kStupaFalling:
        case kLanternFalling:
        case kTabletFalling:
            FadeInAndLand();
            break;
        case kWaitTour:
            if (!CameraTourRunning()) StartFight(kBossMusic, kFight, true);
            break;
        case kFight:
        case kFight + 1:
        case kFight + 2:
        case kFight + 3:
        case kFight + 4:
        case kFight + 5:
        case kFight + 6:
        case kFight + 7:
            if (stateTimer % ConjureInterval() == 0) Conjure();
            break;
        case EnemyState::Defeated:
            UpdateDefeatExplosions(500, -115);
            if (frame == EnemyState::BossDefeatFall) ThrowPlot();
            break;
        case EnemyState::BossDefeatFall:
            FallOutOfRoom(false, 0, 4);
            break;
        case kFlameThrown:
        case kStupaFalling + 9:
        case kLanternFalling + 9:
        case kTabletFalling + 9:
            ApplyGravity();
            break;
        default:
            break;
    }
    Move(vx, vy);
}

void CCharacterBoseki::FadeInAndLand() {
    alpha = alpha + kFadeStep > 255 ? 255 : alpha + kFadeStep;
    if (ApplyGravity()) return;
    // Landed: a thud (but for the ghost fires) and a small shake.
    if (frame != kFlameFalling) PlaySE(kLandingSound);
    SetState(frame + 1);
    CEffect::GetInstance()->StartVerticalShake(20, -10, 10, 3);
}

void CCharacterBoseki::Conjure() {
    CGameMain* game = CGameMain::GetInstance();
    const CCharacter* player = game->m_player;
    if (player == nullptr || player->hp <= 0) return;
    PlaySE(kConjureSound);
    const int32_t stageRight = game->GetStageView()->GetWidth() * kTileSize - 200;
    int32_t px = 0, py = 0;
    // No point far enough from the player in the room: nothing this time.
    if (!DrawRoomPoint({1900, -1400, 2800, 200, stageRight, 1000, true}, px, py)) return;
    if (s_conjured++ % 2 == 0) {
        if (CCharacterAttackEffect* fire = SpawnAttackEffect(this, kWispFire, facing, px, px, py, py, 0, 0, 0, 0)) {
            fire->x = px;
            fire->y = py;
            fire->stateTimer = kWispFireTimer;
        }
        return;
    }
    if (CCharacter* wisp = CreateCharacter(kWisp)) {
        game->m_characterList.Add(wisp);
        wisp->x = px;
        wisp->y = py;
    }
}

void CCharacterBoseki::ThrowPlot() {
    struct Throw {
        int32_t vx, vy, state;
    };
    constexpr Throw kThrows[] = {
        {0, -100, kStupaFalling + 9}, {-10, -105, kLanternFalling + 9}, {10, -105, kLanternFalling + 9},
        {-5, -110, kFlameThrown},     {5, -110, kFlameThrown},
    };
    for (int32_t k = 0; k < 5; ++k) {
        CCharacter* piece = linksB[k];
        if (piece == nullptr) continue;
        piece->vx = kThrows[k].vx;
        piece->vy = kThrows[k].vy;
        piece->SetState(kThrows[k].state);
    }
}

// --- Entry actions -----------------------------------------------------------------

void CCharacterBoseki::SetState(int32_t state) {
    switch (state) {
        case EnemyState::Defeated:
            CCharacterEnemyBoss::SetState(state);
            for (int32_t k : {3, 4})
                if (linksB[k] != nullptr) linksB[k]->SetState(kFlameStill);
            ClearOtherEnemies();
            StopMusicUnlessQuiet();
            return;
        case EnemyState::ChooseAttack:
            TryReturnToWait();
            return;
        case EnemyState::Entrance:
            FacePlayer();
            if (CCharacter* player = CGameMain::GetInstance()->m_player) player->controlled = 0;
            break;
        case EnemyState::FightStart:
            StartCameraTour(kTourHold);
            StopMusicUnlessQuiet();
            break;
        case 232:
            linksB[0] = MakePart(kStupa, this, 0, x, y, true);
            break;
        case 233:
            linksB[1] = MakePart(kLantern, this, 1, x - 500, y);
            linksB[2] = MakePart(kTablet, this, 2, x + 400, y);
            break;
        case kDrop:
            linksB[3] = MakePart(kFlame, this, 3, x - 500, y);
            linksB[4] = MakePart(kFlame, this, 4, x + 200, y);
            break;
        default:
            break;
    }
    CCharacterEnemyBoss::SetState(state);
}
