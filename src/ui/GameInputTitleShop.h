#pragma once
// The title shop: the equipment of the inventory on one page (the potion
// and eleven pieces) and the three other ninjas on the other. Selecting a
// row shows what it is and the shopkeeper's word on it; BUY stands only
// under a row not yet owned whose price the gold covers. Buying takes the
// price, marks the row owned and in use (a character also becomes the one
// that plays) and writes the system record.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputTitleShop : public CGameInput {
public:
    static constexpr int32_t kItemRows = 12;
    static constexpr int32_t kCharacterRows = 3;
    static constexpr int32_t kItemPage = 0;
    static constexpr int32_t kCharacterPage = 1;
    static constexpr int32_t kPurchaseSound = 40;
    static constexpr int32_t kMaxGold = 999999;

    static CGameInputTitleShop* GetInstance();
    ~CGameInputTitleShop() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override { CloseWithFade(); }
    void UpdateWidgets() override;

    // Selects a row of a page (-1: none) and brings every widget up to date.
    virtual void SelectRow(int32_t row, int32_t page);
    virtual int32_t RowToItemKind(int32_t row);
    virtual int32_t RowToCharacterKind(int32_t row);

    CWidget m_titleBar;
    CWidget m_pageButton;
    CWidget m_shopkeeper;
    CWidget m_speech;
    CWidget m_itemRows[kItemRows];
    CWidget m_itemMarks[kItemRows];
    CWidget m_portraitFrame;
    CWidget m_portrait;
    CWidget m_characterRows[kCharacterRows];
    CWidget m_characterMarks[kCharacterRows];
    CWidget m_infoPanel;
    CWidget m_portraitText;
    CWidget m_buyButton;
    CWidget m_goldPanel;
    CWidget m_backButton;
    int32_t m_selectedRow = -1;
    int32_t m_page = 0;

private:
    CGameInputTitleShop();
    // Every widget at its place for a screen `dx` wider on each side than
    // 480 / 2.
    void Place(int32_t dx);
    void UpdateButtons();
    void Buy();
    int32_t SelectedKind();
};
