#include "ui/Lifebar.h"

#include <algorithm>

#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "ui/GameInputMain.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kHudSheet = 16;
constexpr int32_t kInterfaceSheet = 14;
constexpr int32_t kMarkSize = 10;  // source pixels of every heart and mark
constexpr int32_t kHitPointsPerHeart = 100;
constexpr int32_t kHalfHeart = 50;
constexpr int32_t kLabelStyle = 2;
constexpr int32_t kBossLabelStyle = 3;
constexpr int32_t kTopLeft = kAlignTop | kAlignLeft;

// Source x of each mark on the HUD sheet (all at y 60).
constexpr int32_t kMarkRow = 60;
constexpr int32_t kHeartFull = 170;
constexpr int32_t kHeartHalf = 180;
constexpr int32_t kHeartEmpty = 190;
constexpr int32_t kSmallHeartFull = 90;
constexpr int32_t kSmallHeartEmpty = 100;
constexpr int32_t kDashAvailable = 200;
constexpr int32_t kDashUsed = 210;

// The boss bar's frame and strip on the interface sheet.
constexpr SpriteKey kBossFrame{kInterfaceSheet, 160, 160, 160, 10, 0};
constexpr int32_t kStripX = 160;
constexpr int32_t kStripY = 170;
constexpr int32_t kStripHeight = 3;
constexpr int32_t kStripInset = 6;

void DrawMark(int32_t x, int32_t y, int32_t srcX) { DrawSprite(x, y, kHudSheet, srcX, kMarkRow, kMarkSize, kMarkSize); }

// The parameters of every heart and mark: 2x, no turn, white at the alpha.
void SetMarkParams(int32_t alpha) {
    DrawParams::direction = 1.0f;
    DrawParams::pivotX = 0.0f;
    DrawParams::pivotY = 0.0f;
    DrawParams::angle = 0.0f;
    DrawParams::scaleX = 2.0f;
    DrawParams::scaleY = 2.0f;
    DrawParams::colour = (static_cast<uint32_t>(alpha) & 0xFFu) << 24 | 0xFFFFFFu;
    DrawParams::blendMode = 0;
    DrawParams::colourMode = 0;
    DrawParams::textureFactor = 0xFFFFFFFFu;
}

const CWidget& TouchPad() { return CGameInputMain::GetInstance()->m_touchPad; }

}  // namespace

// --- The player's bar ---------------------------------------------------------

CLifebarNinja* CLifebarNinja::GetInstance() {
    static CLifebarNinja instance;
    return &instance;
}

void CLifebarNinja::Setup() {
    m_value = 0;
    m_maxValue = 300;
    alpha = 255;
    m_airDashes = 1;
    m_airDashesMax = 1;
}

int32_t CLifebarNinja::JumpColumn(int32_t screenWidth) {
    switch (screenWidth) {
        case 568:
        case 512: return screenWidth - 8;
        // Portrait: right after the eighth heart of a row.
        case 320: return 236;
        default: return 260;
    }
}

void CLifebarNinja::Update() {
    CCharacter* player = CGameMain::GetInstance()->m_player;
    if (!player) return;
    m_value = player->hp;
    m_maxValue = player->hpMax;
    if (auto* p = dynamic_cast<CCharacterPlayer*>(player)) {
        m_airDashes = p->airDashes;
        m_airDashesMax = p->airDashesMax;
    }
}

void CLifebarNinja::Draw() {
    CGameMain* game = CGameMain::GetInstance();
    const int32_t padX = TouchPad().GetX();
    const int32_t padY = TouchPad().GetY();
    const int32_t jump = padX + JumpColumn(game->m_screenWidth);
    DrawParams::shakeEnabled = 0;

    CDrawString& style = game->m_textStyles[kLabelStyle];
    style.SetUniformScale(2.0);
    DrawString("HP", &style, padX + 70, padY + 2, 200, 200, kTopLeft);
    DrawString("JUMP", &style, jump, padY + 2, 200, 200, kTopLeft);
    style.SetUniformScale(1.0);

    SetMarkParams(alpha);
    // Whole hearts, then a half-size one when the maximum ends in 50. A
    // maximum above 1,600 goes on in a third row.
    int32_t i = 0;
    for (; i * kHitPointsPerHeart < m_maxValue - kHalfHeart; ++i) {
        const int32_t hp = i * kHitPointsPerHeart;
        const int32_t cell = hp < m_value - kHalfHeart ? kHeartFull : hp < m_value ? kHeartHalf : kHeartEmpty;
        DrawMark(padX + HeartX(i), padY + HeartY(i), cell);
    }
    for (; i * kHitPointsPerHeart < m_maxValue; ++i) {
        const int32_t cell = i * kHitPointsPerHeart < m_value ? kSmallHeartFull : kSmallHeartEmpty;
        DrawMark(padX + HeartX(i), padY + HeartY(i), cell);
    }
    for (int32_t j = 0; j < m_airDashesMax; ++j) {
        SetMarkParams(alpha);
        DrawMark(jump + kCell * (j % kHeartsPerRow), padY + HeartY(j), j < m_airDashes ? kDashAvailable : kDashUsed);
    }
    DrawParams::shakeEnabled = 1;
}

// --- The boss bar ---------------------------------------------------------------

CLifebarEnemy* CLifebarEnemy::GetInstance() {
    static CLifebarEnemy instance;
    return &instance;
}

CLifebarEnemy::CLifebarEnemy() {
    InitAnimation(120, 300, 320, 20, kBossFrame, 2.0f);
    SetTextRect(-65, 2, 160, 20, kTopLeft);
    InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[kBossLabelStyle]);
    SetText("BOSS");
}

void CLifebarEnemy::Reset() {
    m_value = 0;
    m_maxValue = 300;
    alpha = kAlpha;
}

void CLifebarEnemy::SetTarget(CCharacter* boss) {
    m_value = 0;
    m_target = boss;
    alpha = kAlpha;
}

void CLifebarEnemy::Update() {
    if (!m_target) return;
    const int32_t step = m_target->hpMax / kFillFrames;
    const int32_t hp = m_target->hp;
    if (m_value > hp) m_value = std::max(m_value - step, hp);
    if (m_value < hp) m_value = std::min(m_value + step, hp);
}

int32_t CLifebarEnemy::FillWidth() const {
    if (!m_target || m_target->hpMax <= 0) return 0;
    return static_cast<int32_t>(static_cast<int64_t>(m_value) * kStripSource / m_target->hpMax);
}

void CLifebarEnemy::Draw() {
    if (!m_target) return;
    const int32_t fill = FillWidth();
    x = CentredX(CGameMain::GetInstance()->GetViewWidth(), width) + TouchPad().GetX() + 20;
    DrawParams::shakeEnabled = 0;
    CWidget::Draw();
    DrawOwnText();
    // The strip with the frame's scale and colour.
    if (IsVisible() && fill > 0) {
        ApplyDrawParams(static_cast<float>(pivotX), static_cast<float>(pivotY));
        DrawSprite(GetX() + kStripInset, GetY() + kStripInset, kInterfaceSheet, kStripX, kStripY, fill, kStripHeight);
        DrawParams::colourMode = 0;
        DrawParams::textureFactor = 0xFFFFFFFFu;
    }
    DrawParams::shakeEnabled = 1;
}

// --- The owner ------------------------------------------------------------------

CLifebarController* CLifebarController::GetInstance() {
    static CLifebarController instance;
    return &instance;
}

void CLifebarController::Update() {
    if (m_ninjaBar) m_ninjaBar->Update();
    if (m_enemyBar) m_enemyBar->Update();
}

void CLifebarController::Draw() {
    if (m_ninjaBar) m_ninjaBar->Draw();
    if (m_enemyBar) m_enemyBar->Draw();
}

void CLifebarController::Reset() {
    if (m_ninjaBar) m_ninjaBar->Setup();
}

void CLifebarController::SetNinjaBar(int32_t) { m_ninjaBar = CLifebarNinja::GetInstance(); }

void CLifebarController::SetEnemyBar(CCharacter* boss) {
    if (!boss) {
        m_enemyBar = nullptr;
        return;
    }
    m_enemyBar = CLifebarEnemy::GetInstance();
    m_enemyBar->SetTarget(boss);
}
