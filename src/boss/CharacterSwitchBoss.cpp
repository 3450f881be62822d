#include "boss/CharacterSwitchBoss.h"

#include <cmath>

#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"

namespace {

constexpr int32_t kFallOutY = 8000;
constexpr double kSpinPerTick = 0.8;

}  // namespace

int32_t CCharacterSwitchBoss::FifthsLost() const {
    const int32_t fifth = hpMax / 5;
    int32_t lost = 0;
    for (int32_t k = 4; k >= 1; --k)
        if (hp < k * fifth) ++lost;
    return lost;
}

void CCharacterSwitchBoss::StopMusicUnlessQuiet() {
    if (!IsQuietMap()) StopBossMusic();
}

void CCharacterSwitchBoss::HandBackControl() {
    if (CCharacter* player = CGameMain::GetInstance()->m_player) {
        player->controlled = 1;
        player->ClearInvulnerable();
    }
    DetachLifebar();
    if (!IsQuietMap()) RestoreStageMusic();
}

void CCharacterSwitchBoss::RemoveWithParts(int32_t first, int32_t last) {
    SetState(EnemyState::Remove);
    for (int32_t k = first; k <= last; ++k)
        if (CCharacter* part = linksB[k]) part->SetState(EnemyState::Remove);
}

void CCharacterSwitchBoss::FallOutOfRoom(bool spin, int32_t first, int32_t last) {
    ApplyGravity();
    if (spin) angle -= facing * kSpinPerTick;
    if (y <= kFallOutY) return;
    HandBackControl();
    RemoveWithParts(first, last);
}

bool CCharacterSwitchBoss::AtStageEdge(int32_t side) {
    CStageView* stage = CGameMain::GetInstance()->GetStageView();
    if (!stage->HasStage()) return false;
    const FrameRecord& r = CurrentRecord();
    const int32_t left = facing > 0 ? r.bodyLeft : -r.bodyRight;
    const int32_t right = facing > 0 ? r.bodyRight : -r.bodyLeft;
    switch (side) {
        case 1:
            if (y + r.bodyTop > -stage->GetCameraY()) return false;
            y = -stage->GetCameraY() - r.bodyTop;
            return true;
        case 2:
            if (x + left > -stage->GetCameraX()) return false;
            x = -stage->GetCameraX() - left;
            return true;
        case 3: {
            const int32_t edge = stage->GetWidth() * kTileSize - stage->GetCameraX();
            if (x + right < edge) return false;
            x = edge - right;
            return true;
        }
        case 4: {
            const int32_t edge = stage->GetHeight() * kTileSize - stage->GetCameraY();
            if (y + r.bodyBottom < edge) return false;
            y = edge - r.bodyBottom;
            return true;
        }
        default:
            return false;
    }
}

bool CCharacterSwitchBoss::DrawRoomPoint(const PointRule& rule, int32_t& px, int32_t& py) {
    CGameMain* game = CGameMain::GetInstance();
    const CCharacter* player = game->m_player;
    const int32_t cameraX = game->GetStageView()->GetCameraX();
    for (int32_t tries = 0; tries < kPointTries; ++tries) {
        px = GameRand() % (2 * rule.spreadX) - rule.spreadX + game->GetViewWidth() * 10 / 2;
        py = GameRand() % rule.spreadY + rule.yLow + game->GetViewHeight() * 10 / 2;
        const int32_t stageX = cameraX + px;
        if (stageX < rule.left || stageX > rule.right) continue;
        if (player != nullptr) {
            const double dx = px - player->x, dy = py - player->y;
            const auto distance = static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
            if (rule.atLeast ? distance < rule.minDistance : distance <= rule.minDistance) continue;
        }
        return true;
    }
    return false;
}

CCharacter* CCharacterSwitchBoss::MakePart(int32_t typeId, CCharacter* parent, int32_t parentLink, int32_t px,
                                           int32_t py, bool front) {
    CCharacter* part = CreateCharacter(typeId);
    if (part == nullptr) return nullptr;
    part->linksA[parentLink] = parent;
    part->x = px;
    part->y = py;
    part->facing = parent->facing;
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    if (front) world.InsertFront(part);
    else world.Add(part);
    return part;
}
