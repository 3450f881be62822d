#pragma once
// The shop of a stage's shop point: play pauses, the shop window grows out
// of the stall and offers eight goods (shuriken, bombs, the life and gauge
// upgrades, four potions) for the gold picked up in this stage; closed, it
// shrinks back into the stall and play resumes.
//
// An upgrade sets the next of its four flags in the save slot, takes a
// resume snapshot and reads the player's status back, so the new maximum
// is in effect at once and survives a restart from the snapshot.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputMainShop : public CGameInput {
public:
    static constexpr int kGoods = 8;
    static constexpr int kLevels = 5;
    static constexpr int32_t kBuySound = 40;
    static constexpr int32_t kLifeRow = 2;
    static constexpr int32_t kGaugeRow = 3;
    static constexpr int32_t kFirstLifeFlag = 18;
    static constexpr int32_t kFirstGaugeFlag = 38;
    static constexpr int32_t kSoldOut = 2147483647;

    static CGameInputMainShop* GetInstance();
    ~CGameInputMainShop() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override;
    void UpdateWidgets() override;

    virtual void Refresh();
    // Where the stall that opens the shop stands on the screen, in pixels.
    virtual void SetOrigin(int32_t x, int32_t y) {
        m_originX = x;
        m_originY = y;
    }
    virtual int32_t GetPrice(int32_t row);
    virtual int32_t GetLifeLevel();
    virtual int32_t GetGaugeLevel();

    // The selected row, or -1.
    int32_t SelectedRow() const;

    CWidget m_window;
    CWidget m_itemIcons[kGoods];
    CWidget m_itemOverlays[kGoods];
    CWidget m_keeperIcon;
    CWidget m_speechText;
    CWidget m_infoText;
    CWidget m_goldText;
    CWidget m_buyButton;
    CWidget m_closeButton;
    int32_t m_originX = 0;
    int32_t m_originY = 0;

private:
    CGameInputMainShop();
    void UpdateButtons();
    void Buy(int32_t row);
    // Sets the first clear flag of the four from `firstFlag`.
    static void RaiseLevel(int32_t firstFlag);
    // Whether the row's stock leaves room for another purchase.
    static bool InStock(int32_t row);
    // The window's place when open, and at the stall.
    void OpenPlace(int32_t& x, int32_t& y) const;
    void StallPlace(int32_t& x, int32_t& y) const;
};
