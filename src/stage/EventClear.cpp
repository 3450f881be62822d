// The stage-clear scene and the two defeat scenes, with the pieces every
// scene shares: the black fade, the touch, and actors made into the world.
#include "character/Character.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "stage/EventScenes.h"
#include "ui/GameInput.h"
#include "ui/GameInputMain.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kBlack = 255;
constexpr int32_t kFadeStep = 3;

// The final boss and the lizardman, by type id.
constexpr int32_t kFinalBossId = 11100;
constexpr int32_t kLizardmanId = 11060;
// Where the lizardmen of the closing scenes stand, and which way they look.
struct LizardmanPlace {
    int32_t x, facing;
};
constexpr LizardmanPlace kFourLizardmen[4] = {{1200, 1}, {1800, 1}, {3000, -1}, {3600, -1}};
constexpr int32_t kLizardmanWatching = 350;
constexpr int32_t kLizardmanLying = 356;

// The stage-clear music: the MIDI entry of the music table.
constexpr int32_t kClearMusic = 11;
// Poses of the final boss in the scene.
constexpr int32_t kBossDefeated = 112;
constexpr int32_t kBossRising = 114;
constexpr int32_t kBossLookingUp = 115;
constexpr int32_t kBossShaking = 116;
constexpr int32_t kBossKneeling = 118;
constexpr int32_t kBossTalking = 420;
constexpr int32_t kBossBowing = 422;
constexpr int32_t kBossWaving = 424;
constexpr int32_t kBossLeaving = 426;

// Poses the player takes in the defeat stages.
constexpr int32_t kPlayerCaught = 144;
constexpr int32_t kPlayerBurnt = 162;

CCharacter* Player() { return CGameMain::GetInstance()->m_player; }

// Holds the player still for a scene at a place, on the ground.
CCharacter* HoldPlayerAt(int32_t x, int32_t y) {
    CCharacter* player = Player();
    if (player == nullptr) return nullptr;
    player->controlled = 0;
    player->x = x;
    player->y = y;
    player->DropToGround();
    return player;
}

void SetAlpha(CCharacter* actor, int32_t alpha) {
    if (actor != nullptr) actor->alpha = alpha;
}

// A lizardman of the closing scenes: made, reset, in a held pose, at x and
// facing, dropped from y onto the ground.
CCharacter* MakeLizardman(int32_t state, int32_t x, int32_t y, int32_t facing) {
    CCharacter* lizardman = MakeSceneActor(kLizardmanId);
    if (lizardman == nullptr) return nullptr;
    lizardman->Reset();
    lizardman->SetState(state);
    lizardman->x = x;
    lizardman->y = y;
    lizardman->facing = facing;
    lizardman->DropToGround();
    return lizardman;
}

// A touch takes the Continue screen over the play; false without one.
bool TouchOpensContinue() {
    if (!SceneTouched()) return false;
    CEvent::ConsumeTouch();
    CGameInputController::GetInstance()->PushInput(ScreenId::Continue);
    return true;
}

// The four lizardmen of the clear and the first defeat scene.
void MakeFourLizardmen(CCharacter* (&lizardmen)[4]) {
    for (int i = 0; i < 4; ++i)
        lizardmen[i] = MakeLizardman(kLizardmanWatching, kFourLizardmen[i].x, -800, kFourLizardmen[i].facing);
}

}  // namespace

// --- Shared pieces ----------------------------------------------------------------

void StartSceneFadeOut() {
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 0;
    effect->m_fadeTarget = kBlack;
    effect->m_fadeStep = kFadeStep;
}

void StartSceneFadeIn() {
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = kBlack;
    effect->m_fadeTarget = 0;
    effect->m_fadeStep = -kFadeStep;
}

bool SceneFadeArrived() {
    const CEffect* effect = CEffect::GetInstance();
    return effect->m_fade == effect->m_fadeTarget;
}

bool SceneTouched() { return CMyInput::GetInstance()->IsTouchPressed(); }

CCharacter* MakeSceneActor(int32_t typeId) {
    CCharacter* actor = CreateCharacter(typeId);
    if (actor != nullptr) CGameMain::GetInstance()->m_characterList.Add(actor);
    return actor;
}

// --- The stage clear --------------------------------------------------------------

void CEventClear1::Begin() {
    GoToStep(0);
    for (CCharacter*& lizardman : m_lizardmen) lizardman = nullptr;
    if (CCharacter* player = HoldPlayerAt(2400, 800)) player->alpha = 0;  // hidden for the whole scene
    m_boss = MakeSceneActor(kFinalBossId);
    if (m_boss != nullptr) {
        m_boss->Reset();
        m_boss->SetState(kBossDefeated);
        m_boss->x = 2400;
        m_boss->y = -800;
        m_boss->facing = 1;
    }
}

void CEventClear1::Update() {
    // The boss's poses of steps 2 to 6, each after the step's wait.
    static constexpr int32_t kPoses[] = {kBossRising, kBossLookingUp, kBossRising, kBossShaking, kBossKneeling};
    switch (m_step) {
        case 0:
            if (!WaitFrames(100)) return;
            StartSceneFadeOut();
            break;
        case 1:
            if (!SceneFadeArrived()) return;
            StartSceneFadeIn();
            MakeFourLizardmen(m_lizardmen);
            break;
        case 2:
            if (!SceneFadeArrived()) return;
            Pose(m_boss, kPoses[0]);
            break;
        case 3:
        case 4:
        case 5:
        case 6:
            if (!WaitFrames(80)) return;
            Pose(m_boss, kPoses[m_step - 2]);
            break;
        case 7:
            if (!WaitFrames(80)) return;
            StartSceneFadeOut();
            break;
        case 8:
            if (!SceneFadeArrived()) return;
            StartSceneFadeIn();
            Pose(m_boss, kBossTalking);
            SetAlpha(m_lizardmen[0], 0);
            SetAlpha(m_lizardmen[3], 0);
            break;
        case 9:
            if (!SceneFadeArrived()) return;
            break;
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
            if (!SceneTouched()) return;
            ConsumeTouch();
            if (m_step == 10) Pose(m_boss, kBossBowing);
            if (m_step == 11) Pose(m_boss, kBossWaving);
            if (m_step == 12) {
                Pose(m_boss, kBossLeaving);
                SetAlpha(m_lizardmen[0], 255);
                SetAlpha(m_lizardmen[3], 255);
            }
            if (m_step == 13) {
                PlayMusic(kClearMusic);
                CGameInputMain::GetInstance()->m_clearLabel.SetVisible(true);
            }
            if (m_step == 14) {
                StartSceneFadeOut();
                GoToStep(kFinishStep);
                return;
            }
            break;
        case kFinishStep:
            if (SceneFadeArrived()) Finish();
            return;
        default:
            return;
    }
    GoToStep(m_step + 1);
}

void CEventClear1::Finish() {
    CGameMain* game = CGameMain::GetInstance();
    // Entry 0 keeps a bit for each game mode cleared, and 8 for any clear.
    int32_t modeBit = 0;
    if (game->m_gameMode == 0) modeBit = 1;
    if (game->m_gameMode == 1) modeBit = 2;
    if (game->m_gameMode == 2) modeBit = 4;
    game->m_clearFlags[0] |= modeBit | 8;
    game->SaveGlobalData();
    CGameStateController::GetInstance()->ChangeState(2);
    CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopAfterEnding);
    game->m_mapId = 0;
    CEvent::GetInstance()->Reset();
}

void CEventClear1::DropCharacter(const CCharacter* dying) {
    Forget(m_boss, dying);
    for (CCharacter*& lizardman : m_lizardmen) Forget(lizardman, dying);
}

// --- The defeat scenes ------------------------------------------------------------

void CEventQuelmar1::Begin() {
    GoToStep(0);
    for (CCharacter*& lizardman : m_lizardmen) lizardman = nullptr;
    if (CCharacter* player = HoldPlayerAt(4400, 800)) player->SetState(kPlayerCaught);
    StartSceneFadeIn();
}

void CEventQuelmar1::Update() {
    switch (m_step) {
        case 0:
            if (!WaitFrames(1)) return;
            MakeFourLizardmen(m_lizardmen);
            break;
        case 1:
            if (!SceneFadeArrived()) return;
            break;
        case 2:
            if (!TouchOpensContinue()) return;
            break;
        default:
            return;
    }
    GoToStep(m_step + 1);
}

void CEventQuelmar1::DropCharacter(const CCharacter* dying) {
    for (CCharacter*& lizardman : m_lizardmen) Forget(lizardman, dying);
}

void CEventQuelmar2::Begin() {
    GoToStep(0);
    if (CCharacter* player = HoldPlayerAt(1300, 2400)) player->SetState(kPlayerBurnt);
    StartSceneFadeIn();
    m_lizardmen[0] = MakeLizardman(kLizardmanLying, 2800, 1200, 1);
}

void CEventQuelmar2::Update() {
    switch (m_step) {
        case 0:
            if (!SceneFadeArrived()) return;
            break;
        case 1:
            if (!TouchOpensContinue()) return;
            break;
        default:
            return;
    }
    GoToStep(m_step + 1);
}

void CEventQuelmar2::DropCharacter(const CCharacter* dying) { Forget(m_lizardmen[0], dying); }
