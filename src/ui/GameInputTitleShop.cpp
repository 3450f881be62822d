#include "ui/GameInputTitleShop.h"

#include <algorithm>
#include <cstdio>

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "player/Item.h"
#include "win/SoundManager.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kSheet = 14;
constexpr int32_t kPortraitSheet = 15;
constexpr int32_t kLeftMiddle = 4;
constexpr int32_t kLeftBottom = 7;
constexpr int32_t kCentredBothWays = 10;
constexpr int32_t kPanelStyle = 0;
constexpr int32_t kTitleStyle = 3;
constexpr int32_t kHelloText = 90;
constexpr int32_t kThanksText = 91;
constexpr int32_t kBuyText = 183;
constexpr int32_t kFirstStarsText = 87;
constexpr uint32_t kGrey = 0xFF808080u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

constexpr SpriteKey Key(int32_t x, int32_t y, int32_t w, int32_t h) { return SpriteKey{kSheet, x, y, w, h, 0}; }

void InitText(CWidget& w, int32_t tx, int32_t ty, int32_t tw, int32_t th, int32_t flags) {
    w.SetTextRect(tx, ty, tw, th, flags);
    w.InitTextStyleKeys(&CGameMain::GetInstance()->m_textStyles[kPanelStyle]);
}

// The three texts of the character page's portraits.
const char* StarsText(int32_t row) { return GetText(kFirstStarsText + row); }

}  // namespace

CGameInputTitleShop* CGameInputTitleShop::GetInstance() {
    static CGameInputTitleShop instance;
    return &instance;
}

CGameInputTitleShop::CGameInputTitleShop() { CGameInputTitleShop::Init(); }

int32_t CGameInputTitleShop::RowToItemKind(int32_t row) { return row; }

int32_t CGameInputTitleShop::RowToCharacterKind(int32_t row) { return ItemKind::Kunoichi + row; }

void CGameInputTitleShop::Init() {
    InitLabelWidget(m_titleBar, 0, 0, 480, 20, SpriteKey{}, 2.0f, kTitleStyle, "SHOP");
    m_pageButton.InitAnimation(0, 0, 40, 30, Key(60, 205, 20, 15), 2.0f);
    // The arrow bobs by one source pixel.
    m_pageButton.SetSpriteTable(WidgetTable::Normal,
                                {SpriteKey{kSheet, 60, 205, 20, 15, 10}, SpriteKey{kSheet, 60, 204, 20, 15, 10}});
    m_shopkeeper.InitAnimation(0, 0, 40, 40, Key(140, 100, 20, 20), 2.0f);
    m_speech.InitAnimation(0, 0, 400, 60, Key(160, 80, 200, 30), 2.0f);
    InitText(m_speech, 30, 0, 320, 60, kLeftMiddle);
    for (int32_t r = 0; r < kItemRows; ++r) {
        m_itemRows[r].InitAnimation(0, 0, 42, 42, Key(160, 110, 21, 21), 2.0f);
        m_itemMarks[r].InitAnimation(0, 0, 42, 42, Key(244, 131, 21, 21), 2.0f);
    }
    m_portraitFrame.InitAnimation(0, 0, 140, 140, SpriteKey{kPortraitSheet, 0, 0, 70, 70, 0}, 2.0f);
    m_portrait.InitAnimation(0, 0, 128, 128, SpriteKey{kPortraitSheet, 0, 0, 0, 0, 1}, 2.0f);
    for (int32_t c = 0; c < kCharacterRows; ++c) {
        m_characterRows[c].InitAnimation(0, 0, 42, 42, Key(160, 110, 21, 21), 2.0f);
        m_characterMarks[c].InitAnimation(0, 0, 42, 42, Key(244, 131, 21, 21), 2.0f);
    }
    m_infoPanel.InitAnimation(0, 0, 240, 136, Key(360, 0, 120, 68), 2.0f);
    InitText(m_infoPanel, 8, 8, 224, 120, kLeftMiddle);
    m_portraitText.InitAnimation(0, 0, 128, 128, SpriteKey{}, 1.0f);
    InitText(m_portraitText, 8, 0, 112, 128, kLeftBottom);
    m_portraitText.SetColor(255, 255, 240);
    m_buyButton.InitAnimation(0, 0, 80, 42, Key(320, 0, 40, 21), 2.0f);
    InitText(m_buyButton, 0, 0, 80, 42, kCentredBothWays);
    m_buyButton.SetText(GetText(kBuyText));
    m_goldPanel.InitAnimation(0, 0, 240, 36, Key(360, 70, 120, 18), 2.0f);
    InitText(m_goldPanel, 8, 8, 224, 20, kLeftMiddle);
    m_backButton.InitAnimation(0, 0, 40, 40, Key(100, 80, 20, 20), 2.0f);
    Place(0);
}

void CGameInputTitleShop::Place(int32_t dx) {
    const auto at = [dx](CWidget& w, int32_t x, int32_t y) {
        w.x = x + dx;
        w.y = y;
    };
    at(m_titleBar, 0, 0);
    at(m_pageButton, 90, 290);
    at(m_shopkeeper, 20, 38);
    at(m_speech, 56, 20);
    // Three columns of four item rows, filled column by column.
    for (int32_t r = 0; r < kItemRows; ++r) {
        const int32_t x = 20 + 46 * (r / 4), y = 100 + 46 * (r % 4);
        at(m_itemRows[r], x, y);
        at(m_itemMarks[r], x, y);
    }
    at(m_portraitFrame, 40, 100);
    at(m_portrait, 46, 106);
    for (int32_t c = 0; c < kCharacterRows; ++c) {
        at(m_characterRows[c], 42 + 46 * c, 242);
        at(m_characterMarks[c], 42 + 46 * c, 242);
    }
    at(m_infoPanel, 220, 100);
    at(m_portraitText, 46, 106);
    at(m_buyButton, 220, 276);
    at(m_goldPanel, 220, 238);
    at(m_backButton, 436, 276);
}

void CGameInputTitleShop::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    const int32_t w = CGameMain::GetInstance()->m_screenWidth;
    if (w == 480 || w == 568) {
        Place((w - 480) / 2);
        m_titleBar.x = w / 2 - 240;
        m_backButton.x = w - 44;
    }
    SelectRow(-1, kItemPage);
    StartScreenFade(255, 0, -16);
}

int32_t CGameInputTitleShop::SelectedKind() {
    return m_page == kItemPage ? RowToItemKind(m_selectedRow) : RowToCharacterKind(m_selectedRow);
}

void CGameInputTitleShop::SelectRow(int32_t row, int32_t page) {
    m_selectedRow = row;
    m_page = page;
    const CItem* items = CItem::GetInstance();
    CGameMain* game = CGameMain::GetInstance();
    const bool itemPage = page == kItemPage;
    for (int32_t r = 0; r < kItemRows; ++r) {
        m_itemRows[r].SetVisible(itemPage);
        m_itemMarks[r].SetVisible(itemPage && items->GetCount(RowToItemKind(r)) != 0);
    }
    for (int32_t c = 0; c < kCharacterRows; ++c) {
        m_characterRows[c].SetVisible(!itemPage);
        m_characterMarks[c].SetVisible(!itemPage && items->GetCount(RowToCharacterKind(c)) != 0);
    }
    m_portraitFrame.SetVisible(!itemPage);
    m_portrait.SetVisible(!itemPage);

    char text[CWidget::kTextSize];
    if (row >= 0) {
        const int32_t kind = SelectedKind();
        if (itemPage) {
            std::snprintf(text, sizeof text, "%s\n%s\n%s\n%s", items->GetName(kind), items->GetText6(kind),
                          items->GetCategoryText(kind), items->GetText3(kind));
            m_infoPanel.SetText(text);
            m_portraitText.SetText("");
        } else {
            m_portrait.SetSpriteTable(WidgetTable::Normal, {SpriteKey{kPortraitSheet, 80 + 80 * row, 80, 64, 64, 1}});
            m_infoPanel.SetText(items->GetText3(kind));
            m_portraitText.SetText(StarsText(row));
        }
        m_speech.SetText(items->GetText4(kind));
        m_buyButton.SetVisible(items->GetCount(kind) == 0 && game->m_gold >= items->GetPrice(kind));
    } else {
        if (!itemPage) m_portrait.SetSpriteTable(WidgetTable::Normal, {SpriteKey{0, 0, 0, 0, 0, 1}});
        m_infoPanel.SetText("");
        m_portraitText.SetText("");
        m_speech.SetText(GetText(kHelloText));
        m_buyButton.SetVisible(false);
        m_buyButton.SetText(GetText(kBuyText));
    }
    std::snprintf(text, sizeof text, "%dG", static_cast<int>(game->m_gold));
    m_goldPanel.SetText(text);
}

void CGameInputTitleShop::Buy() {
    CItem* items = CItem::GetInstance();
    CGameMain* game = CGameMain::GetInstance();
    const int32_t kind = SelectedKind();
    const int32_t price = items->GetPrice(kind);
    // Never a purchase the gold does not cover, nor one of a kind the shop
    // does not sell.
    if (price < 0 || game->m_gold < price || items->GetCount(kind) != 0) return;
    ConsumeTouch();
    CSoundManager::GetInstance()->PlaySE(kPurchaseSound, 1);
    items->SetCount(kind, 1);
    items->SetFlag(kind, 1);
    if (m_page == kCharacterPage) game->m_selectedCharacter = 2 + m_selectedRow;
    game->m_gold = std::clamp(game->m_gold - price, 0, kMaxGold);
    SelectRow(-1, m_page);
    m_speech.SetText(GetText(kThanksText));
    game->SaveGlobalData();
}

void CGameInputTitleShop::UpdateWidgets() {
    for (CWidget* w : {&m_titleBar, &m_pageButton, &m_shopkeeper, &m_speech, &m_portraitFrame, &m_portrait,
                       &m_infoPanel, &m_portraitText, &m_buyButton, &m_goldPanel, &m_backButton}) {
        w->Update();
    }
    for (int32_t r = 0; r < kItemRows; ++r) {
        m_itemRows[r].Update();
        m_itemMarks[r].Update();
    }
    for (int32_t c = 0; c < kCharacterRows; ++c) {
        m_characterRows[c].Update();
        m_characterMarks[c].Update();
    }
}

void CGameInputTitleShop::Update() {
    UpdateChild();
    if (RunGenericStates(true)) UpdateButtons();
}

void CGameInputTitleShop::UpdateButtons() {
    for (int32_t r = 0; r < kItemRows; ++r) {
        if (m_itemRows[r].IsTouchBegan()) {
            TakePress();
            SelectRow(r, m_page);
        }
    }
    for (int32_t c = 0; c < kCharacterRows; ++c) {
        if (m_characterRows[c].IsTouchBegan()) {
            TakePress();
            SelectRow(c, m_page);
        }
    }
    if (m_buyButton.IsTouchBegan()) {
        Buy();
    } else if (m_pageButton.IsTouchBegan()) {
        TakePress();
        SelectRow(-1, m_page == kItemPage ? kCharacterPage : kItemPage);
    } else if (m_backButton.IsTouchBegan()) {
        TakePress();
        Close();
    }
}

void CGameInputTitleShop::Draw() {
    DrawParams::ResetToDefaults();
    DrawParams::scaleX = DrawParams::scaleY = 2.0f;
    m_titleBar.Draw();
    m_titleBar.DrawOwnText();
    m_pageButton.Draw();
    m_shopkeeper.Draw();
    m_speech.Draw();
    m_speech.DrawOwnText();
    const CItem* items = CItem::GetInstance();
    // Unselected icons grey, the selected one bright.
    for (int32_t r = 0; r < kItemRows; ++r) {
        DrawParams::colour = r == m_selectedRow ? kWhite : kGrey;
        if (m_itemRows[r].IsVisible()) items->DrawIcon(RowToItemKind(r), m_itemRows[r].x, m_itemRows[r].y);
    }
    for (int32_t c = 0; c < kCharacterRows; ++c) {
        DrawParams::colour = c == m_selectedRow ? kWhite : kGrey;
        if (m_characterRows[c].IsVisible()) {
            items->DrawIcon(RowToCharacterKind(c), m_characterRows[c].x, m_characterRows[c].y);
        }
    }
    DrawParams::colour = kWhite;
    for (CWidget& mark : m_itemMarks) mark.Draw();
    for (CWidget& mark : m_characterMarks) mark.Draw();
    for (CWidget* w : {&m_portraitFrame, &m_portrait, &m_infoPanel, &m_goldPanel, &m_buyButton}) w->Draw();
    m_infoPanel.DrawOwnText();
    m_portraitText.DrawOwnText();
    m_buyButton.DrawOwnText();
    m_goldPanel.DrawOwnText();
    m_backButton.Draw();
    DrawChild();
}
