#include "stage/StageData.h"

#include <algorithm>
#include <cstdlib>

#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "win/SoundManager.h"
#include "win/SoundTables.h"

namespace {

constexpr int kLayerA = 0;
constexpr int kLayerB = 1;
constexpr int kLayerC = 2;

// The spawn window around a camera: 160 pixels beyond the 640 x 640 layout
// space on every side, so 9600 x 9600 units centred on the view's centre.
struct Window {
    int32_t left, right, top, bottom;
};

Window SpawnWindowAt(int32_t cameraX, int32_t cameraY, int32_t viewWidth, int32_t viewHeight) {
    const int32_t l = CGameMain::ViewCorner(viewWidth) + 160, t = CGameMain::ViewCorner(viewHeight) + 160;
    return {cameraX - 10 * l, cameraX + 10 * (l + viewWidth), cameraY - 10 * t, cameraY + 10 * (t + viewHeight)};
}

// Scrolls every character of a list by the camera's movement.
void ScrollList(CCharacterList& list, int32_t dx, int32_t dy) {
    list.ResetCursor();
    while (CCharacter* c = list.GetNext()) c->ScrollParallax(dx, dy);
}

}  // namespace

CStageData::CStageData() = default;
CStageData::~CStageData() = default;

void CStageData::Init() {}
void CStageData::End() {}
void CStageData::EmptyHookA() {}
void CStageData::EmptyHookB() {}
void CStageData::EmptyHookC(int32_t) {}
int32_t CStageData::GetNextStage() { return m_nextStage; }
int32_t CStageData::GetWidth() { return m_width; }
int32_t CStageData::GetHeight() { return m_height; }
int32_t CStageData::GetCameraX() { return m_cameraX; }
int32_t CStageData::GetCameraY() { return m_cameraY; }
int32_t CStageData::GetScreenWidth() { return m_screenWidth; }
int32_t CStageData::GetScreenHeight() { return m_screenHeight; }
int32_t CStageData::GetMusic() { return m_music; }
int32_t CStageData::GetGoldMultiplier() { return m_goldMultiplier; }

void CStageData::SetScreenWidth(int32_t w) {
    m_screenWidth = w;
    m_deadZoneMaxX = m_deadZoneMinX = (w * 10) / 2;
}

void CStageData::SetDeadZone(int32_t maxX, int32_t minX, int32_t minY, int32_t maxY) {
    m_deadZoneMaxX = maxX;
    m_deadZoneMinX = minX;
    m_deadZoneMinY = minY;
    m_deadZoneMaxY = maxY;
}

bool CStageDataBase::IsStarted() { return m_started != 0; }

// --- Start, restart, update ------------------------------------------------

namespace {

// The stage's ids become the game's current, retry and restart stages; -1
// leaves the game's value.
void RecordStageIds(const CStageData& s) {
    CGameMain* game = CGameMain::GetInstance();
    if (s.m_stageId != -1) game->m_mapId = s.m_stageId;
    if (s.m_retryStageId != -1) game->m_retryMapId = s.m_retryStageId;
    if (s.m_restartStageId != -1) game->m_restartMapId = s.m_restartStageId;
}

// Makes the selected player character, the camera's target.
CCharacter* MakePlayer() {
    CGameMain* game = CGameMain::GetInstance();
    CCharacter* player = CreateCharacter(game->m_selectedCharacter);
    game->m_player = player;
    game->m_cameraTarget = player;
    if (player != nullptr) game->m_characterList.Add(player);
    return player;
}

}  // namespace

void CStageData::ResetCamera() {
    const CGameMain* game = CGameMain::GetInstance();
    const int32_t vw = game->GetViewWidth(), vh = game->GetViewHeight();
    m_spawnCameraX = -30 * vw;
    m_spawnCameraY = -30 * vh;
    m_spawnViewWidth = vw;
    m_spawnViewHeight = vh;
    m_cameraX = 0;
    m_cameraY = 0;
    m_deadZoneMaxX = m_deadZoneMinX = vw * 10 / 2;
    m_screenWidth = vw;
    m_screenHeight = vh;
}

void CStageData::StartMusic() {
    CSoundManager* sound = CSoundManager::GetInstance();
    const int32_t playing = sound->GetPlayingMusic();
    sound->StopAllMusic();
    if (m_music != -1) PlayMusic(m_music);
    // The piece that played is let go, unless it is the one just started.
    if (playing != -1 && playing != m_music) sound->ReleaseMusic(playing);
}

void CStageData::Start() {
    CEffect* effect = CEffect::GetInstance();
    effect->m_fade = 255;
    effect->m_fadeTarget = 0;
    effect->m_fadeStep = -5;
    effect->m_overlay = 255;
    effect->m_overlayTarget = 0;
    effect->m_overlayStep = -10;
    effect->m_overlayKind = 1;
    RecordStageIds(*this);
    CGameMain* game = CGameMain::GetInstance();
    game->m_characterList.DeleteAll();
    game->m_subCharacterList.DeleteAll();
    ResetCamera();
    if (CCharacter* player = MakePlayer()) {
        player->Reset();
        player->x = m_startX;
        player->y = m_startY;
        if (m_startFacing != 0) player->facing = m_startFacing;
    }
    SpawnObjectLayer();
    StartMusic();
    m_state = 2;
    Update();
}

void CStageData::Restart() {
    RecordStageIds(*this);
    CGameMain* game = CGameMain::GetInstance();
    game->m_characterList.DeleteAllButPlayer();
    game->m_subCharacterList.DeleteAllButPlayer();
    SpawnObjectLayer();
    if (m_music < 0 || CSoundManager::GetInstance()->GetPlayingMusic() != m_music) StartMusic();
    // A switch normally finds the player made by the stage's start; should
    // there be none, one is made as a start makes it. The camera follows the
    // player again: whatever else it followed was deleted with the stage.
    CCharacter* player = game->m_player != nullptr ? game->m_player : MakePlayer();
    game->m_cameraTarget = player;
    if (player != nullptr) {
        player->Reset();
        player->x = m_startX;
        player->y = m_startY;
        if (m_startFacing != 0) player->facing = m_startFacing;
    }
    ResetCamera();
    m_state = 2;
    Update();
}

void CStageData::Update() {
    UpdateCamera();
    CheckFallOut();
}

bool CStageData::IsPlayerBelowView() {
    const CCharacter* player = CGameMain::GetInstance()->m_player;
    return player != nullptr && player->y >= 4000;
}

bool CStageData::CheckFallOut() {
    const int32_t vh = CGameMain::GetInstance()->GetViewHeight();
    if (m_cameraY < m_height * kTileSize - 10 * vh) return false;
    if (!IsPlayerBelowView()) return false;
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player->hp > 0) {
        player->hp = 0;
        CSoundManager::GetInstance()->PlaySE(31, 0);
        player->SetState(120);
    } else if (player->frame < 120 || player->frame > 129) {
        player->SetState(120);
    }
    player->y = 4000;
    return true;
}

// --- Drawing ------------------------------------------------------------------

void CStageData::Draw() {
    const CGameMain* game = CGameMain::GetInstance();
    // Black over what the view shows outside the stage. The masks stand
    // still while the screen shakes and move with the play field.
    const int32_t stageW = m_width * kTileSize, stageH = m_height * kTileSize;
    const int32_t vw = game->GetViewWidth(), vh = game->GetViewHeight();
    const int32_t ox = PlayFieldOffset::x, oy = PlayFieldOffset::y;
    constexpr uint32_t kBlack = 0xFF000000u;
    if (stageW < m_cameraX + 10 * vw)
        CEffect::DrawRect((stageW - m_cameraX) / 10 + ox, 0, (10 * vw - stageW + m_cameraX) / 10 + 10, vh, kBlack);
    if (m_cameraX < 0) CEffect::DrawRect(ox, 0, -m_cameraX / 10, vh, kBlack);
    if (stageH < m_cameraY + 10 * vh)
        CEffect::DrawRect(ox, (stageH - m_cameraY) / 10 + oy, vw, (10 * vh - stageH + m_cameraY) / 10, kBlack);
    if (m_cameraY < 0) CEffect::DrawRect(ox, oy, vw, -m_cameraY / 10, kBlack);
}

// --- Camera and scrolling -------------------------------------------------------

void CStageData::UpdateCamera() {
    const CGameMain* game = CGameMain::GetInstance();
    const CCharacter* target = game->m_cameraTarget;
    if (target == nullptr) {
        // Nothing to follow: the camera stays, the window is kept filled.
        ScrollBy(0, 0);
        return;
    }
    const int32_t vw = game->GetViewWidth(), vh = game->GetViewHeight();
    const int32_t stageW = m_width * kTileSize, stageH = m_height * kTileSize;

    int32_t dx = target->facing == 1 ? target->vx + 50 : target->vx - 50;
    if (target->x - dx < m_deadZoneMinX) dx = target->x - m_deadZoneMinX;
    if (target->x - dx > m_deadZoneMaxX) dx = target->x - m_deadZoneMaxX;
    if (m_cameraX + dx + 10 * vw > stageW + kTileSize) dx = stageW + kTileSize - 10 * vw - m_cameraX;
    if (m_cameraX + dx < -kTileSize) dx = -kTileSize - m_cameraX;
    for (;;) {
        const int32_t l = m_cameraX + dx + kTileSize;
        const int32_t r = stageW + kTileSize - 10 * vw - (m_cameraX + dx);
        if ((l >= 0 && r >= 0) || std::abs(l - r) <= 1 || l + r > 0) break;
        dx += l < r ? 1 : -1;
    }

    int32_t dy = 0;
    if (target->y < m_deadZoneMinY) dy = target->y - m_deadZoneMinY;
    if (target->y > m_deadZoneMaxY) dy = target->y - m_deadZoneMaxY;
    if (m_cameraY + dy < 0) dy = -m_cameraY;
    if (m_cameraY + dy + 10 * vh > stageH) dy = stageH - 10 * vh - m_cameraY;
    for (;;) {
        const int32_t t = m_cameraY + dy;
        const int32_t b = stageH - 10 * vh - t;
        if ((t >= 0 && b >= 0) || std::abs(t - b) <= 10) break;
        dy += t < b ? 10 : -10;
    }
    ScrollBy(dx, dy);
}

void CStageData::ScrollBy(int32_t dx, int32_t dy) {
    m_cameraX += dx;
    m_cameraY += dy;
    CGameMain* game = CGameMain::GetInstance();
    ScrollList(game->m_characterList, dx, dy);
    ScrollList(game->m_subCharacterList, dx, dy);

    // The window spawned last time, at the view size of then, and the one
    // of now: after a change of the view size the two differ in size, and
    // the passes below still make exactly the cells of the new one that the
    // old one lacked.
    const int32_t vw = game->GetViewWidth(), vh = game->GetViewHeight();
    const Window before = SpawnWindowAt(m_spawnCameraX, m_spawnCameraY, m_spawnViewWidth, m_spawnViewHeight);
    const Window after = SpawnWindowAt(m_cameraX, m_cameraY, vw, vh);
    const int32_t columns = LayerColumns(), rows = LayerRows();
    // Columns that entered, over the rows of the old window; then rows that
    // entered, over the columns of the new one: no cell twice in one pass.
    for (int32_t c = 0; c < columns; ++c) {
        const int32_t x = MapCellX(c);
        const bool entered = (before.right < x && x <= after.right) || (after.left <= x && x < before.left);
        if (!entered) continue;
        for (int32_t r = rows - 1; r >= 0; --r) {
            const int32_t y = MapCellY(r);
            if (y < before.top || y > before.bottom) continue;
            const int32_t i = r * columns + c;
            if (m_layerA != nullptr) SpawnCell(m_layerA[i], c, r, kLayerA);
            if (m_layerB != nullptr) SpawnCell(m_layerB[i], c, r, kLayerB);
        }
    }
    for (int32_t r = rows - 1; r >= 0; --r) {
        const int32_t y = MapCellY(r);
        const bool entered = (before.bottom < y && y <= after.bottom) || (after.top <= y && y < before.top);
        if (!entered) continue;
        for (int32_t c = 0; c < columns; ++c) {
            const int32_t x = MapCellX(c);
            if (x < after.left || x > after.right) continue;
            const int32_t i = r * columns + c;
            if (m_layerA != nullptr) SpawnCell(m_layerA[i], c, r, kLayerA);
            if (m_layerB != nullptr) SpawnCell(m_layerB[i], c, r, kLayerB);
        }
    }
    m_spawnCameraX = m_cameraX;
    m_spawnCameraY = m_cameraY;
    m_spawnViewWidth = vw;
    m_spawnViewHeight = vh;
}

CCharacter* CStageData::SpawnCell(StageMapCell value, int32_t column, int32_t row, int layer) {
    if (value == 0) return nullptr;
    // A cell whose id makes nothing is passed over.
    CCharacter* c = CreateCharacter(static_cast<int32_t>(value & kMapCellTypeMask));
    if (c == nullptr) return nullptr;
    CGameMain::GetInstance()->m_characterList.Add(c);
    c->x = MapCellX(column);
    c->y = MapCellY(row);
    if (layer != kLayerC) {
        c->x -= m_cameraX;
        c->y -= m_cameraY;
    }
    if (value & kMapCellHalfRight) c->x += kHalfTile;
    if (value & kMapCellHalfDown) c->y += kHalfTile;
    c->mapColumn = column;
    c->mapRow = row;
    if (layer == kLayerA) c->fromLayerA = 1;
    else if (layer == kLayerB) c->fromLayerB = 1;
    else c->fromLayerC = 1;
    return c;
}

void CStageData::SpawnObjectLayer() {
    if (m_layerC == nullptr) return;
    const int32_t columns = LayerColumns(), rows = LayerRows();
    for (int32_t c = 0; c < columns; ++c)
        for (int32_t r = rows - 1; r >= 0; --r) SpawnCell(m_layerC[r * columns + c], c, r, kLayerC);
}

void CStageData::ScrollClamped(int32_t dx, int32_t dy) {
    const CGameMain* game = CGameMain::GetInstance();
    const int32_t vw = game->GetViewWidth(), vh = game->GetViewHeight();
    if (m_cameraX + dx < 0) dx = -m_cameraX;
    else if (m_cameraX + dx + 10 * vw > m_width * kTileSize) dx = m_width * kTileSize - 10 * vw - m_cameraX;
    if (m_cameraY + dy < 0) dy = -m_cameraY;
    else if (m_cameraY + dy + 10 * vh > m_height * kTileSize) dy = m_height * kTileSize - 10 * vh - m_cameraY;
    ScrollBy(dx, dy);
}

namespace {

// The snaps' right bound: the view's right edge at the stage's right end.
int32_t SnapRightBound(int32_t dx, int32_t cameraX, int32_t width) {
    const int32_t view = 10 * CGameMain::GetInstance()->GetViewWidth();
    if (cameraX + dx + view > width * kTileSize) dx = width * kTileSize - view - cameraX;
    return dx;
}

}  // namespace

void CStageData::SnapToTarget() {
    const CCharacter* target = CGameMain::GetInstance()->m_cameraTarget;
    if (target == nullptr) return;
    int32_t dx = target->x - 800;
    if (m_cameraX + dx < 0) dx = -m_cameraX;
    dx = SnapRightBound(dx, m_cameraX, m_width);
    if (dx < 0) dx = 0;
    ScrollBy(dx, 0);
}

void CStageData::SnapToSecondTarget() {
    const CCharacter* limit = CGameMain::GetInstance()->m_cameraLimitCharacter;
    if (limit == nullptr) return;
    int32_t dx = limit->x - 1150;
    if (m_cameraX + dx < 0) dx = -m_cameraX;
    dx = SnapRightBound(dx, m_cameraX, m_width);
    if (dx > 0) dx = 0;
    ScrollBy(dx, 0);
}

int32_t CStageData::GetPlayerEdgeFlags() {
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (player == nullptr) return 0;
    const FrameRecord& r = player->CurrentRecord();
    const int32_t left = player->facing == -1 ? player->x - r.bodyRight : player->x + r.bodyLeft;
    const int32_t right = player->facing == -1 ? player->x - r.bodyLeft : player->x + r.bodyRight;
    const int32_t rightEnd = m_width * kTileSize;
    int32_t flags = 0;
    if (left <= 0 && m_cameraX == 0) flags |= 1;
    if (right >= 4800 && m_cameraX == rightEnd) flags |= 2;
    if (player->y + r.bodyTop <= 0 && m_cameraX == 0) flags |= 4;
    if (player->y + r.bodyBottom >= 3200 && m_cameraX == rightEnd) flags |= 8;
    return flags;
}
