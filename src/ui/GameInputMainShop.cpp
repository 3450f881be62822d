#include "ui/GameInputMainShop.h"

#include <cstdio>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/TextTable.h"
#include "player/CharacterPlayer.h"
#include "ui/GameInputMain.h"
#include "ui/Lifebar.h"
#include "ui/PausedPlayScreen.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kHudSheet = 16;
constexpr int32_t kKeeperSheet = 40;
constexpr int32_t kAlignCentred = 10;
constexpr int32_t kAlignTopLeft = 5;
constexpr int32_t kAlignBottomRight = 15;
constexpr int32_t kCountStyle = 2;
constexpr int32_t kEnglishStyle = 4;
constexpr int32_t kJapaneseStyle = 0;
constexpr int32_t kFlyFrames = 10;
constexpr int32_t kUpgradeLevels = 4;
constexpr int32_t kGreetingText = 90;
constexpr int32_t kThanksText = 91;
constexpr int32_t kNoBombsSpeechText = 120;
constexpr int32_t kNoBombsInfoText = 131;
constexpr int32_t kBuyText = 183;
constexpr SpriteKey kTextBack{kHudSheet, 210, 150, 24, 24, 0};
constexpr SpriteKey kNoBombsIcon{kHudSheet, 480, 150, 24, 24, 0};

// The goods: icon on the HUD sheet, name, description and effect texts,
// and the price labels by level.
struct Goods {
    int32_t srcX, srcY;
    int32_t name, description, effect;
    int32_t priceLabels[CGameInputMainShop::kLevels];
};
constexpr Goods kGoodsTable[CGameInputMainShop::kGoods] = {
    {240, 150, 121, 107, 132, {165, 165, 165, 165, 165}}, {270, 150, 122, 108, 133, {166, 166, 166, 166, 166}},
    {150, 180, 123, 109, 134, {167, 168, 169, 170, 182}}, {150, 150, 124, 110, 135, {171, 172, 173, 174, 182}},
    {180, 180, 125, 111, 136, {175, 175, 175, 175, 175}}, {240, 180, 126, 112, 137, {176, 176, 176, 176, 176}},
    {210, 180, 127, 113, 138, {177, 177, 177, 177, 177}}, {120, 180, 128, 114, 139, {178, 178, 178, 178, 178}},
};

constexpr int32_t kPrices[CGameInputMainShop::kGoods][CGameInputMainShop::kLevels] = {
    {10, 10, 10, 10, 10},
    {20, 20, 20, 20, 20},
    {500, 1000, 2000, 3000, CGameInputMainShop::kSoldOut},
    {500, 1000, 2000, 3000, CGameInputMainShop::kSoldOut},
    {50, 50, 50, 50, 50},
    {200, 200, 200, 200, 200},
    {50, 50, 50, 50, 50},
    {200, 200, 200, 200, 200},
};

int32_t CountSetFlags(int32_t firstFlag) {
    int32_t level = 0;
    for (int32_t i = 0; i < kUpgradeLevels; ++i) level += CurrentSlotRecord().GetSlotFlag(firstFlag + i) != 0 ? 1 : 0;
    return level;
}

const char* Text(int32_t id) { return GetTextForLanguage(id, CGameMain::GetInstance()->m_language); }

void InitTextWidget(CWidget& w, int32_t x, int32_t y, int32_t width, int32_t height, const SpriteKey& key,
                    int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags) {
    w.InitAnimation(x, y, width, height, key, 2.0f);
    w.SetTextRect(tx, ty, tw, th, flags);
    w.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[kEnglishStyle]);
    w.SetText("");
}

void SetQuantityLabel(CWidget& icon, const char* label) {
    icon.SetTextRect(0, 0, 46, 46, kAlignBottomRight);
    icon.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[kCountStyle]);
    icon.SetText(label);
}

void IconPlace(int32_t row, int32_t& x, int32_t& y) {
    x = 10 + 52 * (row % 4);
    y = 70 + 52 * (row / 4);
}

}  // namespace

CGameInputMainShop* CGameInputMainShop::GetInstance() {
    static CGameInputMainShop instance;
    return &instance;
}

CGameInputMainShop::CGameInputMainShop() { CGameInputMainShop::Init(); }

void CGameInputMainShop::Init() {
    m_window.InitAnimation(0, 0, 380, 220, SpriteKey{kHudSheet, 200, 260, 190, 110, 0}, 2.0f);
    for (int32_t i = 0; i < kGoods; ++i) {
        int32_t x = 0, y = 0;
        IconPlace(i, x, y);
        m_itemIcons[i].InitAnimation(x, y, 44, 44, SpriteKey{kHudSheet, kGoodsTable[i].srcX, kGoodsTable[i].srcY, 24, 24, 0},
                                     2.0f);
        m_itemOverlays[i].InitAnimation(x, y, 44, 44, SpriteKey{kHudSheet, 480, 180, 24, 24, 0}, 2.0f);
        m_itemOverlays[i].SetVisible(false);
    }
    SetQuantityLabel(m_itemIcons[0], "20");
    SetQuantityLabel(m_itemIcons[1], "10");
    m_keeperIcon.InitAnimation(6, 6, 44, 44, SpriteKey{kKeeperSheet, 182, 21, 16, 16, 0}, 3.0f);
    InitTextWidget(m_speechText, 60, 0, 44, 44, SpriteKey{0, 210, 150, 24, 24, 0}, 12, 12, 296, 46, kAlignTopLeft);
    InitTextWidget(m_infoText, 220, 60, 44, 44, kTextBack, 10, 10, 140, 60, kAlignTopLeft);
    InitTextWidget(m_goldText, 220, 140, 44, 44, kTextBack, 10, 10, 140, 20, kAlignCentred);
    InitTextWidget(m_buyButton, 220, 180, 100, 40, kTextBack, 10, 10, 80, 20, kAlignCentred);
    m_closeButton.InitAnimation(320, 180, 60, 40, SpriteKey{kHudSheet, 110, 100, 30, 20, 0}, 2.0f);
    for (CWidget& icon : m_itemIcons) icon.SetHighlight(false);
    m_originX = 0;
    m_originY = 0;
    // Everything stands inside the window and flies with it.
    for (int32_t i = 0; i < kGoods; ++i) {
        m_itemIcons[i].parent = &m_window;
        m_itemOverlays[i].parent = &m_window;
    }
    for (CWidget* w : {&m_keeperIcon, &m_speechText, &m_infoText, &m_goldText, &m_buyButton, &m_closeButton}) {
        w->parent = &m_window;
    }
}

int32_t CGameInputMainShop::GetPrice(int32_t row) {
    if (row < 0 || row >= kGoods) return kSoldOut;
    int32_t level = 0;
    if (row == kLifeRow) level = GetLifeLevel();
    if (row == kGaugeRow) level = GetGaugeLevel();
    return kPrices[row][level];
}

int32_t CGameInputMainShop::GetLifeLevel() { return CountSetFlags(kFirstLifeFlag); }

int32_t CGameInputMainShop::GetGaugeLevel() { return CountSetFlags(kFirstGaugeFlag); }

int32_t CGameInputMainShop::SelectedRow() const {
    for (int32_t i = 0; i < kGoods; ++i) {
        if (m_itemIcons[i].GetHighlight()) return i;
    }
    return -1;
}

void CGameInputMainShop::OpenPlace(int32_t& x, int32_t& y) const {
    const CWidget& pad = CGameInputMain::GetInstance()->m_touchPad;
    x = CGameMain::GetInstance()->GetViewWidth() / 2 - 190 + pad.x;
    y = pad.y + 60;
}

void CGameInputMainShop::StallPlace(int32_t& x, int32_t& y) const {
    const CWidget& pad = CGameInputMain::GetInstance()->m_touchPad;
    x = m_originX + pad.x - 80;
    y = m_originY + pad.y;
}

void CGameInputMainShop::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    for (CWidget& icon : m_itemIcons) icon.SetHighlight(false);
    m_speechText.SetText(Text(kGreetingText));
    Refresh();
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    StallPlace(x0, y0);
    OpenPlace(x1, y1);
    m_window.MoveTo(x0, x1, y0, y1, kFlyFrames, 0);
    m_window.ScaleAnim(0.0f, 2.0f, 0.0f, 2.0f, kFlyFrames);
}

void CGameInputMainShop::Close() {
    state_ = ScreenState::Closing;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    OpenPlace(x0, y0);
    StallPlace(x1, y1);
    m_window.MoveTo(x0, x1, y0, y1, kFlyFrames, 0);
    m_window.ScaleAnim(2.0f, 0.0f, 2.0f, 0.0f, kFlyFrames);
}

bool CGameInputMainShop::InStock(int32_t row) {
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return false;
    switch (row) {
        case 0: return player->GetShurikenAmmo() < CCharacterPlayer::kMaxShuriken;
        case 1: return player->GetBombAmmo() >= 0 && player->GetBombAmmo() < CCharacterPlayer::kMaxBombs;
        case 4: return player->GetHealingPotions() < CCharacterPlayer::kMaxPotions;
        case 5: return player->GetExHealingPotions() < CCharacterPlayer::kMaxPotions;
        case 6: return player->GetMagicPotions() < CCharacterPlayer::kMaxPotions;
        case 7: return player->GetExMagicPotions() < CCharacterPlayer::kMaxPotions;
        default: return true;
    }
}

void CGameInputMainShop::Refresh() {
    CGameMain* game = CGameMain::GetInstance();
    CDrawString* style = &game->m_textStyles[game->m_language == 0 ? kEnglishStyle : kJapaneseStyle];
    for (CWidget* w : {&m_speechText, &m_infoText, &m_goldText, &m_buyButton}) w->InitTextStyleKeys(style);
    m_infoText.SetText("");
    m_buyButton.SetText("");
    CCharacterPlayer* player = PlayerInPlay();
    const int32_t gold = player ? player->GetGold() : 0;
    char line[CWidget::kTextSize];
    std::snprintf(line, sizeof line, "%dG", gold);
    m_goldText.SetText(line);

    const bool bombsOwned = player && player->GetBombAmmo() >= 0;
    int32_t x = 0, y = 0;
    IconPlace(1, x, y);
    if (bombsOwned) {
        m_itemIcons[1].InitAnimation(x, y, 44, 44, SpriteKey{kHudSheet, kGoodsTable[1].srcX, kGoodsTable[1].srcY, 24, 24, 0},
                                     2.0f);
        m_itemIcons[1].SetText("10");
    } else {
        m_itemIcons[1].InitAnimation(x, y, 44, 44, kNoBombsIcon, 2.0f);
        m_itemIcons[1].SetText("");
    }
    m_itemOverlays[kLifeRow].SetVisible(GetLifeLevel() >= kUpgradeLevels);
    m_itemOverlays[kGaugeRow].SetVisible(GetGaugeLevel() >= kUpgradeLevels);

    for (int32_t row = 0; row < kGoods; ++row) {
        const bool selected = m_itemIcons[row].GetHighlight();
        const int32_t shade = selected ? 255 : 128;
        m_itemIcons[row].SetColor(shade, shade, shade);
        m_itemOverlays[row].SetColor(shade, shade, shade);
        if (!selected) continue;
        const Goods& goods = kGoodsTable[row];
        const int32_t level = row == kLifeRow ? GetLifeLevel() : (row == kGaugeRow ? GetGaugeLevel() : 0);
        bool canBuy = InStock(row) && gold >= GetPrice(row);
        if (row == 1 && !bombsOwned) {
            m_speechText.SetText(Text(kNoBombsSpeechText));
            m_infoText.SetText(Text(kNoBombsInfoText));
            canBuy = false;
        } else {
            m_speechText.SetText(Text(goods.description));
            std::snprintf(line, sizeof line, "%s\n%s\n%s", Text(goods.name), Text(goods.priceLabels[level]),
                          Text(goods.effect));
            m_infoText.SetText(line);
        }
        m_buyButton.SetEnabled(canBuy);
        m_buyButton.SetText(canBuy ? Text(kBuyText) : "");
    }
}

void CGameInputMainShop::RaiseLevel(int32_t firstFlag) {
    // A flag may already be set out of order (a life tank found in the
    // stage): the purchase takes the first clear one.
    for (int32_t i = 0; i < kUpgradeLevels; ++i) {
        if (CurrentSlotRecord().GetSlotFlag(firstFlag + i) == 0) {
            CurrentSlotRecord().SetSlotFlag(firstFlag + i, 1);
            return;
        }
    }
}

void CGameInputMainShop::Buy(int32_t row) {
    CCharacterPlayer* player = PlayerInPlay();
    if (!player) return;
    CSoundManager::GetInstance()->PlaySE(kBuySound, 1);
    player->SetGold(player->GetGold() - GetPrice(row));
    switch (row) {
        case 0: player->AddShurikenAmmo(20); break;
        case 1: player->AddBombAmmo(10); break;
        case 4: player->AddHealingPotions(1); break;
        case 5: player->AddExHealingPotions(1); break;
        case 6: player->AddMagicPotions(1); break;
        case 7: player->AddExMagicPotions(1); break;
        default:
            player->StoreStatus();
            RaiseLevel(row == kLifeRow ? kFirstLifeFlag : kFirstGaugeFlag);
            CGameMain::GetInstance()->TakeResumeSnapshot();
            player->RestoreStatus();
            break;
    }
    if (row != kLifeRow && row != kGaugeRow) player->FillWeaponSlots();
    Refresh();
    m_speechText.SetText(Text(kThanksText));
}

void CGameInputMainShop::UpdateWidgets() {
    m_window.Update();
    for (CWidget& icon : m_itemIcons) icon.Update();
    for (CWidget& overlay : m_itemOverlays) overlay.Update();
    for (CWidget* w : {&m_keeperIcon, &m_speechText, &m_infoText, &m_goldText, &m_buyButton, &m_closeButton}) {
        w->Update();
    }
}

void CGameInputMainShop::Update() {
    UpdateChild();
    CLifebarController::GetInstance()->Update();
    if (!RunPausedPlayStates(*this, m_window)) return;
    UpdateWidgets();
    UpdateButtons();
}

void CGameInputMainShop::UpdateButtons() {
    if (m_closeButton.IsTouchBegan()) {
        TakePress();
        if (parent_) parent_->OnUncovered();
        Close();
        return;
    }
    if (m_buyButton.IsTouchBegan()) {
        ConsumeTouch();
        const int32_t row = SelectedRow();
        if (row >= 0) Buy(row);
    }
    for (CWidget& chosen : m_itemIcons) {
        if (!chosen.IsTouchBegan()) continue;
        TakePress();
        for (CWidget& icon : m_itemIcons) icon.SetHighlight(false);
        chosen.SetHighlight(true);
        Refresh();
    }
}

void CGameInputMainShop::Draw() {
    DrawParams::shakeEnabled = 0;
    m_window.Draw();
    if (state_ != ScreenState::Opening && state_ != ScreenState::Closing) {
        for (CWidget& icon : m_itemIcons) icon.Draw();
        m_itemOverlays[0].Draw();
        m_itemOverlays[1].Draw();
        m_itemIcons[0].DrawOwnText();
        m_itemIcons[1].DrawOwnText();
        m_itemOverlays[kLifeRow].Draw();
        m_itemOverlays[kGaugeRow].Draw();
        m_keeperIcon.Draw();
        for (CWidget* w : {&m_speechText, &m_infoText, &m_goldText, &m_buyButton}) w->DrawOwnText();
    }
    DrawParams::shakeEnabled = 1;
    DrawChild();
}
