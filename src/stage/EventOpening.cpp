// The two openings: the walk-in that ends in a fall into another stage and a
// save, and the guided first fight.
#include "character/Character.h"
#include "character/CharacterEffect.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "stage/EventScenes.h"
#include "win/SoundTables.h"

namespace {

constexpr int32_t kPrincessId = 101;
constexpr int32_t kKingTenguId = 10250;
constexpr int32_t kSoldierId = 11000;

// The player's poses.
constexpr int32_t kStanding = 220;
constexpr int32_t kWalking = 250;
constexpr int32_t kFalling = 290;
constexpr int32_t kCarrying = 300;
constexpr int32_t kStandingStill = 230;  // the record the opening's last pose ends in

// Effects of the opening: a burst over the head, a glint, the homing marker.
constexpr int32_t kBurst = 330;
constexpr int32_t kGlint = 270;
constexpr int32_t kMarker = CCharacterEffect::kHomingMark;

CGameMain* Game() { return CGameMain::GetInstance(); }
CCharacter* Player() { return Game()->m_player; }
CCharacterPlayer* PlayerCharacter() { return dynamic_cast<CCharacterPlayer*>(Player()); }

// A camera-relative x for a map x of the current stage.
int32_t FromMapX(int32_t mapX) { return mapX - Game()->m_stageControl.GetCameraX(); }

// An effect standing still above the player's position.
void EffectAbovePlayer(int32_t state, int32_t above) {
    const CCharacter* player = Player();
    if (player == nullptr) return;
    const int32_t y = player->y - above;
    SpawnEffect(state, 1, player->x, player->x, y, y, 0, 0, 0, 0);
}

void PosePlayer(int32_t state) {
    if (CCharacter* player = Player()) player->SetState(state);
}

void SetPlayerSpeed(int32_t vx, int32_t vy) {
    if (CCharacter* player = Player()) {
        player->vx = vx;
        player->vy = vy;
    }
}

// A condition on the ground: true once the character stands (or has gone).
bool Landed(CCharacter* c) { return c == nullptr || !c->IsAirborne(); }

// An actor of the opening placed, turned and put down, in a pose.
CCharacter* MakeStandingActor(int32_t typeId, int32_t x, int32_t y, int32_t facing, int32_t state) {
    CCharacter* actor = MakeSceneActor(typeId);
    if (actor == nullptr) return nullptr;
    actor->x = x;
    actor->y = y;
    actor->facing = facing;
    actor->DropToGround();
    actor->SetState(state);
    return actor;
}

}  // namespace

// --- The walk-in ------------------------------------------------------------------

void CEventOpening1_1::Begin() {
    GoToStep(0);
    if (CCharacter* player = Player()) {
        player->controlled = 0;
        player->vx = player->vy = 0;
        player->DropToGround();
        player->SetState(kWalking);
    }
    m_princess = MakeStandingActor(kPrincessId, 6800, 1600, -1, 270);
    m_kingTengu = MakeStandingActor(kKingTenguId, 6300, 1600, -1, 420);
}

void CEventOpening1_1::End() {
    if (CCharacter* player = Player()) player->controlled = 1;
}

void CEventOpening1_1::Update() {
    CCharacter* player = Player();
    switch (m_step) {
        case 0:
            if (!WaitFrames(80)) return;
            PlaySE(80);
            EffectAbovePlayer(kBurst, 400);
            PosePlayer(231);
            break;
        case 1:
            if (!WaitFrames(30)) return;
            PosePlayer(260);
            break;
        case 2:
            // The king tengu has come at least 80 pixels inside the view.
            if (m_kingTengu != nullptr && m_kingTengu->x >= 10 * Game()->GetViewWidth() - 800) return;
            StopSceneMusic();
            PlaySE(74);
            PosePlayer(980);
            SetPlayerSpeed(0, 0);
            m_step = 3;  // the wait of step 3 counts on from here
            return;
        case 3:
            if (!WaitFrames(120)) return;
            PlaySE(51);
            Pose(m_kingTengu, 421);
            Pose(m_princess, 280);
            PosePlayer(987);
            break;
        case 4:
            if (!WaitFrames(80)) return;
            PosePlayer(981);
            SetPlayerSpeed(-100, -50);
            break;
        case 5: {
            if (!WaitFrames(60)) return;
            // Into the stage the player falls into, the player kept.
            CStageDataControl& control = Game()->m_stageControl;
            control.End();
            control.SetStage(kFallStage);
            if (CStageData* stage = control.GetStage()) stage->m_music = -1;
            control.Restart();
            StopSceneMusic();
            player = Player();
            PosePlayer(982);
            if (player != nullptr) {
                player->x = FromMapX(1800);
                player->y = -3200;
            }
            SetPlayerSpeed(0, 0);
            break;
        }
        case 6:
            if (!Landed(player)) return;
            if (player != nullptr) player->vy = -80;
            break;
        case 7:
            if (!Landed(player)) return;
            PosePlayer(983);
            SetPlayerSpeed(0, 0);
            break;
        case 8:
            if (!WaitFrames(40)) return;
            PosePlayer(kFalling);
            if (player != nullptr) player->vy = -60;
            break;
        case 9:
            if (!WaitFrames(60)) return;
            PlaySE(80);
            EffectAbovePlayer(kBurst, 400);
            PosePlayer(989);
            break;
        case 10:
            if (!WaitFrames(30)) return;
            PosePlayer(984);
            break;
        case 11:
            if (!WaitFrames(75)) return;
            EffectAbovePlayer(kGlint, 500);
            PosePlayer(986);
            break;
        case 12:
            if (player == nullptr || player->frame != kStandingStill) return;
            ChangeSceneMusic(0);
            SaveAfterOpening();
            CEvent::GetInstance()->Reset();
            break;
        default:
            return;
    }
    GoToStep(m_step + 1);
}

void CEventOpening1_1::SaveAfterOpening() {
    CGameMain* game = Game();
    if (game->m_currentSlot < 0 || game->m_currentSlot >= CGameMain::kSlotCount) return;
    CSaveData& slot = game->m_slotData[game->m_currentSlot];
    slot.SetInt(SaveSlotRecord::kMapId, game->m_mapId);
    game->ResetResumeRecord();
    game->SaveResumeRecords();
    if (CCharacterPlayer* player = PlayerCharacter()) {
        player->StoreStatus();
        slot.SetInt(SaveSlotRecord::kResumeX, player->GetStageX());
        slot.SetInt(SaveSlotRecord::kResumeY, player->GetStageY());
    }
    game->SaveGlobalData();
}

void CEventOpening1_1::DropCharacter(const CCharacter* dying) {
    Forget(m_kingTengu, dying);
    Forget(m_princess, dying);
}

// --- The guided first fight -------------------------------------------------------

void CEventOpening1_2::Begin() {
    GoToStep(0);
    if (CCharacter* player = Player()) {
        player->controlled = 0;
        player->x = FromMapX(-200);
        player->y = 0;
        player->vx = player->vy = 0;
        player->DropToGround();
        player->SetState(kStanding);
    }
    if (CCharacterPlayer* player = PlayerCharacter()) player->katanaReach = 2000;
    static constexpr int32_t kSoldierX[kSoldiers] = {1100, 2500};
    static constexpr int32_t kSoldierFacing[kSoldiers] = {-1, 1};
    for (int i = 0; i < kSoldiers; ++i) {
        m_soldiers[i] = MakeSceneActor(kSoldierId);
        if (CCharacter* soldier = m_soldiers[i]) {
            soldier->SetState(350);
            soldier->x = FromMapX(kSoldierX[i]);
            soldier->y = 1600;
            soldier->facing = kSoldierFacing[i];
            soldier->DropToGround();
        }
    }
}

void CEventOpening1_2::End() {
    if (CCharacter* player = Player()) player->controlled = 1;
}

void CEventOpening1_2::MarkSoldier(CCharacter* soldier) {
    if (soldier == nullptr) return;
    const int32_t x = soldier->GetAnchorX(), y = soldier->GetAnchorY();
    CCharacter* marker = SpawnEffect(kMarker, 1, x, x, y, y, 0, 0, 0, 0);
    if (marker == nullptr) return;
    soldier->LinkBLast(marker);
    marker->LinkALast(soldier);
}

template <typename Test>
bool CEventOpening1_2::WithControls(CCharacterPlayer& player, Test test) {
    player.controlled = 1;
    const bool done = test();
    player.controlled = 0;
    return done;
}

void CEventOpening1_2::Update() {
    CCharacterPlayer* player = PlayerCharacter();
    auto face = [this](int i, int32_t facing) {
        if (m_soldiers[i] != nullptr) m_soldiers[i]->facing = facing;
    };
    switch (m_step) {
        case 0:
        case 1:
        case 2:
        case 3:
        {
            // The soldiers look about, each in turn.
            static constexpr int32_t kLook[4] = {1, -1, -1, 1};
            if (!WaitFrames(40)) return;
            face(m_step % 2, kLook[m_step]);
            break;
        }
        case 4:
            if (!WaitFrames(40)) return;
            face(0, 1);
            if (player != nullptr) {
                player->x = 400;
                player->alpha = 0;
            }
            MarkSoldier(m_soldiers[0]);
            break;
        case 5:
        case 8: {
            if (player == nullptr) return;
            if (!WithControls(*player, [player] { return player->TryHomingAttackDefault(); })) return;
            if (m_step == 5) {
                player->x = -400;
                player->y -= 600;
                player->alpha = 255;
            } else {
                Game()->ClearGroupFreezeTimer();
                player->katanaReach = CCharacterPlayer::kKatanaReach;
            }
            break;
        }
        case 6:
            if (!WaitFrames(40)) return;
            PlaySE(80);
            face(1, -1);
            Pose(m_soldiers[1], 352);
            break;
        case 7:
            if (!WaitFrames(20)) return;
            MarkSoldier(m_soldiers[1]);
            Game()->SetGroupFreezeTimer(-1);
            if (player != nullptr) player->katanaReach = 3000;
            break;
        case 9:
            if (!WaitFrames(40)) return;
            break;
        case 10: {
            if (player == nullptr) return;
            player->controlled = 1;
            if (!player->TryGrabObject()) {
                player->controlled = 0;
                return;
            }
            ConsumeTouch();
            CEffect* effect = CEffect::GetInstance();
            effect->m_fade = 0;
            effect->m_fadeTarget = 255;
            effect->m_fadeStep = 8;
            PlaySE(66);
            if (CCharacter* grabbed = player->grabbedObject) {
                grabbed->SetState(251);
                player->x = grabbed->GetAnchorX();
            }
            player->DropToGround();
            player->SetState(kCarrying);
            CEvent::GetInstance()->Reset();
            break;
        }
        default:
            return;
    }
    GoToStep(m_step + 1);
}

void CEventOpening1_2::DropCharacter(const CCharacter* dying) {
    for (CCharacter*& soldier : m_soldiers) Forget(soldier, dying);
}
