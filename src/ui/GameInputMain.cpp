#include "ui/GameInputMain.h"

#include <cstdio>
#include <cstring>

#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "player/CharacterPlayer.h"
#include "player/TouchPad.h"
#include "ui/Lifebar.h"
#include "win/DrawString.h"
#include "win/MyInput.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kHudSheet = 16;
constexpr int32_t kFrameSheet = 13;
constexpr int32_t kWhiteSheet = 1;
constexpr int32_t kCountStyle = 2;
constexpr int32_t kBannerStyle = 3;
constexpr int32_t kIconSize = 48;
constexpr int32_t kIconSource = 24;
constexpr int32_t kIconX = 6;
constexpr int32_t kChooserFirstX = 62;
constexpr int32_t kChooserStep = 56;
constexpr int32_t kOffScreenX = -200;
constexpr int32_t kIconMoveFrames = 10;
constexpr int32_t kEaseOut = 2;
constexpr int32_t kBlinkPeriod = 60;
constexpr int32_t kBlinkOn = 30;
constexpr int32_t kWideLayout = 512;
constexpr int32_t kEdgeMaskHeight = 32;
// The message box: 90 pixels below the pad's top, 30 high, growing and
// shrinking over 10 frames; the whole text at once, then 80 frames.
constexpr int32_t kMessageTop = 90;
constexpr int32_t kMessageHeight = 30;
constexpr int32_t kMessageResizeFrames = 10;
constexpr int32_t kMessageSpeed = -80;
constexpr int32_t kMessageWait = 80;
constexpr int32_t kCentredBothWays = 10;

// Source cells (x, y) of the eleven icons of a row on the HUD sheet: the
// slot's button, then the icon of each weapon.
constexpr int32_t kIconCells[CGameInputMain::kIconColumns][2] = {
    {180, 150}, {210, 150}, {240, 150}, {270, 150}, {300, 150}, {360, 150},
    {330, 150}, {180, 180}, {240, 180}, {210, 180}, {120, 180},
};

void TintRow(CWidget (&row)[CGameInputMain::kIconColumns], int32_t shade) {
    for (CWidget& icon : row) icon.SetColor(shade, shade, shade);
}

void DrawIcon(CWidget& icon) {
    icon.Draw();
    icon.DrawOwnText();
}

}  // namespace

CCharacterPlayer* PlayerInPlay() { return dynamic_cast<CCharacterPlayer*>(CGameMain::GetInstance()->m_player); }

int32_t CentredInStage(int32_t width) {
    return CentredX(CGameMain::GetInstance()->GetViewWidth(), width) + CGameInputMain::GetInstance()->m_touchPad.x;
}

void LeavePlayFor(int32_t screenId) {
    CGameMain* game = CGameMain::GetInstance();
    CGameStateController::GetInstance()->ChangeState(2);
    CGameInputController::GetInstance()->SetInput(screenId);
    game->m_mapId = 0;
    game->m_stageControl.SetStage(0);
}

CGameInputMain* CGameInputMain::GetInstance() {
    static CGameInputMain instance;
    return &instance;
}

namespace {

// The player characters read their touches from the HUD's full-screen pad,
// so a press that a HUD button has taken never reaches them.
class CHudTouchPad : public CTouchPad {
public:
    bool IsPressed() override { return Pad().IsPressed(); }
    bool IsTouchEntered() override { return Pad().IsTouchEntered(); }
    int32_t GetPointerLocalX() override { return Pad().GetPointerLocalX(); }
    int32_t GetPointerLocalY() override { return Pad().GetPointerLocalY(); }

private:
    static CWidget& Pad() { return CGameInputMain::GetInstance()->m_touchPad; }
};

void AnnounceNewWeapon(int32_t weapon) { CGameInputMain::GetInstance()->ShowNewMarks(weapon); }

}  // namespace

CGameInputMain::CGameInputMain() {
    CGameInputMain::Init();
    static CHudTouchPad hudPad;
    CTouchPad::SetCurrent(&hudPad);
    CCharacterPlayer::SetWeaponNotice(&AnnounceNewWeapon);
}

void CGameInputMain::Init() {
    CGameMain* game = CGameMain::GetInstance();
    m_touchPad.InitAnimation(0, 0, 480, 320, SpriteKey{}, 1.0f);
    m_panel.InitAnimation(0, 0, 120, 320, SpriteKey{kHudSheet, 0, 0, 0, 160, 0}, 2.0f);
    m_panel.SetColor(0, 0, 0);
    m_pauseButton.InitAnimation(0, 2, 60, 40, SpriteKey{kHudSheet, 80, 120, 30, 20, 0}, 2.0f);
    m_pauseButton.parent = &m_panel;
    m_menuButton.InitAnimation(0, 278, 60, 40, SpriteKey{kHudSheet, 80, 100, 30, 20, 0}, 2.0f);
    m_menuButton.parent = &m_panel;
    m_menuButton.SetVisible(false);
    for (int r = 0; r < kEquipSlots; ++r) {
        for (int w = 0; w < kIconColumns; ++w) {
            CWidget& icon = m_icons[r][w];
            icon.InitAnimation(kIconX, IconY(r), kIconSize, kIconSize,
                               SpriteKey{kHudSheet, kIconCells[w][0], kIconCells[w][1], kIconSource, kIconSource, 0},
                               2.0f);
            icon.parent = &m_panel;
            icon.SetVisible(false);
            icon.SetTextRect(0, 0, 46, 46, kAlignBottom | kAlignRight);
            icon.InitTextStyleKeys(&game->m_textStyles[kCountStyle]);
            icon.SetText("");
            CWidget& mark = m_newMarks[r][w];
            mark.InitAnimation(0, 0, kIconSize, kIconSize, SpriteKey{}, 2.0f);
            mark.parent = &icon;
            mark.SetColor(255, 255, 0);
            mark.SetVisible(false);
            mark.SetTextRect(0, 0, 46, 46, kAlignTop | kAlignCentre);
            mark.InitTextStyleKeys(&game->m_textStyles[kCountStyle]);
            mark.SetText("NEW");
        }
    }
    m_clearLabel.InitAnimation(0, 0, 0, 0, SpriteKey{kFrameSheet, 0, 0, 512, 512, 0}, 1.0f);
    m_clearLabel.SetTextRect(0, 80, 480, 60, kAlignTop | kAlignCentre);
    m_clearLabel.InitTextStyleKeys(&game->m_textStyles[kBannerStyle], 3.0);
    m_clearLabel.SetText("CLEAR!");
    m_messageWindow.InitAnimation(0, 0, 0, 0, SpriteKey{kFrameSheet, 0, 0, 512, 512, 0}, 2.0f);
    m_messageWindow.SetPivot(0, 0);
    m_messageWindow.SetFrameTexture(2, 2);
    m_messageWindow.SetTextRect(-160, -30, 320, 60, kAlignTop | kAlignLeft);
    m_messageWindow.InitTextStyleKeys(&game->m_textStyles[0]);
    m_edgeMaskBottom.SetColor(0, 0, 0);
    m_edgeMaskTop.SetColor(0, 0, 0);
}

void CGameInputMain::Open() {
    state_ = ScreenState::Active;
    child_ = nullptr;
    m_messageState = kMessageIdle;
    CGameMain* game = CGameMain::GetInstance();
    // The stage learns the view width from the pad once the stages keep one.
    m_touchPad.width = game->GetViewWidth();
    m_messageWindow.SetVisible(false);
    m_clearLabel.SetVisible(false);
    for (int r = 0; r < kEquipSlots; ++r) ResetWeaponIcons(r);
    switch (game->m_screenWidth) {
        case 480:
        case 568:
            for (CWidget* mask : {&m_edgeMaskBottom, &m_edgeMaskTop}) mask->InitAnimation(0, 0, 0, 0, SpriteKey{}, 1.0f);
            break;
        case kWideLayout: {
            const int32_t w = game->m_screenWidth;
            const SpriteKey band{kWhiteSheet, 0, 0, w, kEdgeMaskHeight, 0};
            m_edgeMaskTop.InitAnimation(0, -kEdgeMaskHeight, w, kEdgeMaskHeight, band, 1.0f);
            m_edgeMaskBottom.InitAnimation(0, game->m_screenHeight - 2 * kEdgeMaskHeight, w, kEdgeMaskHeight, band,
                                           1.0f);
            break;
        }
        default: break;
    }
}

void CGameInputMain::UpdateWidgets() {
    for (int r = 0; r < kEquipSlots; ++r) {
        for (int w = 0; w < kIconColumns; ++w) {
            m_icons[r][w].Update();
            m_newMarks[r][w].Update();
        }
    }
    m_edgeMaskBottom.Update();
    m_edgeMaskTop.Update();
}

bool CGameInputMain::IsPlaying() const {
    return state_ == ScreenState::Active && CGameInputController::GetInstance()->GetTop() == this;
}

void CGameInputMain::Update() {
    UpdateChild();
    switch (state_) {
        case ScreenState::Active: UpdatePlay(); return;
        case ScreenState::Uncovered:
            if (child_ && child_->GetState() != ScreenState::Closed) return;
            child_ = nullptr;
            state_ = ScreenState::Active;
            return;
        case kChooserOpen: UpdateChooser(); return;
        case kChooserClosing: UpdateChooserClosing(); return;
        default: return;
    }
}

void CGameInputMain::UpdatePlay() {
    UpdateWidgets();
    RefreshHudNumbers();
    CLifebarController::GetInstance()->Update();
    m_messageWindow.Update();
    StepMessage();

    if (m_pauseButton.IsTouchBegan()) {
        ConsumeTouch();
        OpenPause();
        return;
    }
    if (m_menuButton.IsTouchBegan()) {
        ConsumeTouch();
        CGameStateController::GetInstance()->ChangeState(8);
        CGameInputController::GetInstance()->PushInput(ScreenId::MainMenu);
        return;
    }
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return;
    int32_t owned[6];
    const int32_t ownedCount = OwnedWeapons(*player, owned);
    for (int32_t i = 0; i < kEquipSlots; ++i) {
        if (ownedCount <= i || !m_icons[i][0].IsTouchBegan()) continue;
        TakePress();
        const int32_t weapon = player->GetEquipSlot(i);
        if (weapon == player->GetCurrentWeapon()) {
            OpenWeaponChooser(i);
        } else {
            player->SetCurrentWeapon(weapon);
            if (weapon >= 0 && weapon < kIconColumns) {
                for (auto& row : m_newMarks) row[weapon].SetVisible(false);
            }
        }
        return;
    }
}

void CGameInputMain::StepMessage() {
    switch (m_messageState) {
        case kMessageOpening:
            if (m_messageWindow.IsResizing()) return;
            m_messageState = kMessageShowing;
            m_messageWindow.StartTypewriter(m_messageText, kMessageSpeed, kMessageWait, 1);
            return;
        case kMessageShowing:
            if (m_messageWindow.IsTypewriting()) return;
            m_messageState = kMessageClosing;
            m_messageWindow.StartResize(m_messageWindow.left + m_messageWindow.right, 0,
                                        m_messageWindow.top + m_messageWindow.bottom, 0, kMessageResizeFrames,
                                        CWidgetWindow::kTogether);
            return;
        case kMessageClosing:
            if (m_messageWindow.IsResizing()) return;
            m_messageState = kMessageIdle;
            m_messageWindow.SetVisible(false);
            return;
        default: return;
    }
}

int32_t CGameInputMain::OwnedWeapons(CCharacterPlayer& player, int32_t (&weapons)[6]) {
    int32_t n = 0;
    weapons[n++] = WeaponId::Katana;
    if (player.GetShurikenAmmo() >= 0) weapons[n++] = WeaponId::Shuriken;
    if (player.GetBombAmmo() >= 0) weapons[n++] = WeaponId::Bomb;
    if (player.GetFireNinjutsu() != 0) weapons[n++] = WeaponId::NinjutsuFire;
    if (player.GetWindNinjutsu() != 0) weapons[n++] = WeaponId::NinjutsuWind;
    if (player.GetWaterNinjutsu() != 0) weapons[n++] = WeaponId::NinjutsuWater;
    return n;
}

void CGameInputMain::OpenPause() {
    CGameStateController::GetInstance()->ChangeState(8);
    CGameInputController::GetInstance()->PushInput(ScreenId::Pause);
}

void CGameInputMain::RefreshHudNumbers() {
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return;
    const int32_t counts[][2] = {
        {WeaponId::Shuriken, player->GetShurikenAmmo()},
        {WeaponId::Bomb, player->GetBombAmmo()},
        {WeaponId::PotionOfHealing, player->GetHealingPotions()},
        {WeaponId::PotionOfExHealing, player->GetExHealingPotions()},
        {WeaponId::PotionOfMagic, player->GetMagicPotions()},
        {WeaponId::PotionOfExMagic, player->GetExMagicPotions()},
    };
    char text[16];
    for (const auto& count : counts) {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(count[1]));
        for (auto& row : m_icons) row[count[0]].SetText(text);
    }
}

void CGameInputMain::ResetWeaponIcons(int32_t row) {
    if (row < 0 || row >= kEquipSlots) return;
    const int32_t y = IconY(row);
    for (int w = 0; w < kIconColumns; ++w) {
        m_icons[row][w].MoveTo(kIconX, kIconX, y, y, 1, kEaseOut);
        m_newMarks[row][w].SetVisible(false);
    }
}

void CGameInputMain::OpenWeaponChooser(int32_t row) {
    if (!MoveChooserIcons(row, true)) return;
    CGameStateController::GetInstance()->ChangeState(8);
    state_ = kChooserOpen;
}

void CGameInputMain::CloseWeaponChooser(int32_t row) {
    if (MoveChooserIcons(row, false)) state_ = kChooserClosing;
}

bool CGameInputMain::MoveChooserIcons(int32_t row, bool spread) {
    CCharacterPlayer* player = PlayerInPlay();
    if (!player || row < 0 || row >= kEquipSlots) return false;
    const int32_t y = IconY(row);
    int32_t owned[6];
    const int32_t count = OwnedWeapons(*player, owned);
    bool listed[kIconColumns] = {};
    // The owned weapons spread out to the right of the slot and come back;
    // the others wait off the screen and then return to the corner.
    for (int32_t k = 0; k < count; ++k) {
        listed[owned[k]] = true;
        const int32_t out = kChooserFirstX + kChooserStep * k;
        m_icons[row][owned[k]].MoveTo(spread ? kIconX : out, spread ? out : kIconX, y, y, kIconMoveFrames, kEaseOut);
    }
    const int32_t rest = spread ? kOffScreenX : kIconX;
    for (int w = 1; w < kIconColumns; ++w) {
        if (!listed[w]) m_icons[row][w].MoveTo(rest, rest, y, y, kIconMoveFrames, kEaseOut);
    }
    return true;
}

void CGameInputMain::UpdateChooser() {
    UpdateWidgets();
    RefreshHudNumbers();
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return;
    int32_t r = 0;
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        if (player->GetEquipSlot(s) == player->GetCurrentWeapon()) {
            r = s;
            break;
        }
    }
    if (m_icons[r][1].IsMoving()) return;
    for (int32_t w = 1; w < kIconColumns; ++w) {
        if (!m_icons[r][w].IsTouchBegan()) continue;
        TakePress();
        // A weapon another slot holds changes places with this slot's.
        for (int32_t s = 0; s < kEquipSlots; ++s) {
            if (player->GetEquipSlot(s) != w) continue;
            player->SetEquipSlot(s, player->GetEquipSlot(r));
            for (auto& row : m_newMarks) row[w].SetVisible(false);
        }
        player->SetEquipSlot(r, w);
        player->SetCurrentWeapon(w);
        CloseWeaponChooser(r);
        return;
    }
    if (CMyInput::GetInstance()->IsTouchPressed()) {
        ConsumeTouch();
        CloseWeaponChooser(r);
    }
}

void CGameInputMain::UpdateChooserClosing() {
    UpdateWidgets();
    RefreshHudNumbers();
    for (auto& row : m_icons) {
        if (row[1].IsMoving()) return;
    }
    CGameStateController::GetInstance()->ChangeState(6);
    state_ = ScreenState::Active;
}

void CGameInputMain::ShowMessage(const char* text) {
    m_messageState = kMessageOpening;
    CopyBoundedText(m_messageText, kMessageSize, text);
    CGameMain* game = CGameMain::GetInstance();
    const bool japanese = game->m_language == 1;
    const int32_t length = static_cast<int32_t>(std::strlen(m_messageText));
    const int32_t width = (japanese ? 9 : 12) * length + 40;
    m_messageWindow.InitTextStyleKeys(&game->m_textStyles[japanese ? 0 : 4]);
    m_messageWindow.x = m_touchPad.x + m_touchPad.width / 2;
    m_messageWindow.y = m_touchPad.y + kMessageTop;
    m_messageWindow.StartResize(0, width, 0, kMessageHeight, kMessageResizeFrames, CWidgetWindow::kTogether);
    m_messageWindow.SetTextRect(-320, -30, 640, 60, kCentredBothWays);
    m_messageWindow.StopTypewriter();
    m_messageWindow.SetVisible(true);
}

void CGameInputMain::ShowNewMarks(int32_t weapon) {
    if (weapon < 0 || weapon >= kIconColumns) return;
    for (auto& row : m_newMarks) row[weapon].SetVisible(true);
}

void CGameInputMain::Draw() {
    DrawParams::shakeEnabled = 0;
    for (CWidget* w : {&m_touchPad, &m_panel, &m_edgeMaskTop, &m_edgeMaskBottom, &m_pauseButton, &m_menuButton}) {
        w->Draw();
    }
    RefreshHudNumbers();
    if (CCharacterPlayer* player = PlayerInPlay()) {
        for (int32_t r = 0; r < kEquipSlots; ++r) DrawIconRow(r, player);
    }
    m_messageWindow.Draw();
    const CGameMain* game = CGameMain::GetInstance();
    if (game->m_frameCount % kBlinkPeriod < kBlinkOn) m_clearLabel.DrawOwnText();
    CLifebarController::GetInstance()->Draw();
    DrawParams::shakeEnabled = 1;
    DrawChild();
}

void CGameInputMain::DrawIconRow(int32_t r, CCharacterPlayer* player) {
    const int32_t current = player->GetCurrentWeapon();
    const int32_t own = player->GetEquipSlot(r);
    const bool holdsCurrent = own == current;
    TintRow(m_icons[r], holdsCurrent ? 255 : 128);
    for (int w = kIconColumns - 1; w >= 0; --w) DrawIcon(m_icons[r][w]);
    if (own >= 0 && own < kIconColumns) DrawIcon(m_icons[r][own]);

    if (own == WeaponId::None) return;
    if (CGameMain::GetInstance()->m_frameCount % kBlinkPeriod >= kBlinkOn) return;
    for (int32_t w = kIconColumns - 1; w >= 0; --w) {
        bool inSomeSlot = false, inOtherSlot = false;
        for (int32_t s = 0; s < kEquipSlots; ++s) {
            if (player->GetEquipSlot(s) != w) continue;
            inSomeSlot = true;
            if (s != r) inOtherSlot = true;
        }
        const bool shows = w == own || (!inSomeSlot && holdsCurrent) ||
                           (state_ == kChooserOpen && inOtherSlot && holdsCurrent);
        CWidget& mark = m_newMarks[r][w];
        if (shows && mark.IsVisible()) {
            mark.Draw();
            mark.DrawOwnText();
        }
    }
}
