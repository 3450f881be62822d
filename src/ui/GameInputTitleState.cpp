#include "ui/GameInputTitleState.h"

#include <cstdio>

#include "framework/GameMain.h"
#include "player/Item.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kSheet = 14;
constexpr int32_t kSlotStep = 44;
constexpr uint32_t kGrey = 0xFF808080u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr SpriteKey kSlotKey{kSheet, 160, 110, 21, 21, 0};

bool InUse(int32_t kind) { return CItem::GetInstance()->GetFlag(kind) != 0; }
bool Owned(int32_t kind) { return CItem::GetInstance()->GetCount(kind) != 0; }

}  // namespace

CGameInputTitleState* CGameInputTitleState::GetInstance() {
    static CGameInputTitleState instance;
    return &instance;
}

CGameInputTitleState::CGameInputTitleState() { CGameInputTitleState::Init(); }

int32_t CGameInputTitleState::GetEquipmentKind(int32_t slot) { return slot; }

int32_t CGameInputTitleState::GetCharacterKind(int32_t slot) { return ItemKind::Ninja + slot; }

void CGameInputTitleState::Init() {
    InitTitleBar(m_titleBar, "");
    InitPageWindow(m_window);
    for (int32_t i = 0; i < kItemSlots; ++i) {
        m_itemSlots[i].InitAnimation(108 + kSlotStep * (i % 6), 118 + kSlotStep * (i / 6), 42, 42, kSlotKey, 2.0f);
        m_itemSlots[i].SetColor(128, 128, 128);
    }
    for (int32_t j = 0; j < kCharacterSlots; ++j) {
        m_characterSlots[j].InitAnimation(108 + kSlotStep * j, 248, 42, 42, kSlotKey, 2.0f);
    }
    m_backButton.InitAnimation(436, 276, 40, 40, SpriteKey{kSheet, 100, 80, 20, 20, 0}, 2.0f);
}

void CGameInputTitleState::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    const int32_t w = CGameMain::GetInstance()->m_screenWidth;
    if (w == 480 || w == 568) {
        m_window.x = CentredX(w, m_window.width);
        for (int32_t i = 0; i < kItemSlots; ++i) m_itemSlots[i].x = w / 2 - 132 + kSlotStep * (i % 6);
        m_backButton.x = w - 44;
    }
    m_window.StartResize(0, 360, 290, 290, 14, CWidgetWindow::kTogether);
    StartScreenFade(255, 0, -16);
    Refresh();
}

CGameInputTitleState::Values CGameInputTitleState::ValuesInUse() {
    Values v{3, 1, 1};
    for (int32_t kind = ItemKind::StrawSandals; kind <= ItemKind::ClothesOfShinobi; ++kind) v.life += InUse(kind) ? 1 : 0;
    v.attack += (InUse(ItemKind::CharmOfPower) ? 1 : 0) + (InUse(ItemKind::SushiOfStrength) ? 2 : 0) +
                (InUse(ItemKind::Masamune) ? 2 : 0);
    for (int32_t kind = ItemKind::ScrollOfSecrets; kind <= ItemKind::ShurikenOfGale; ++kind) v.airDash += InUse(kind) ? 1 : 0;
    return v;
}

void CGameInputTitleState::Refresh() {
    for (int32_t i = 0; i < kItemSlots; ++i) m_itemSlots[i].SetEnabled(Owned(GetEquipmentKind(i)));
    int32_t owned = 0;
    for (int32_t j = 0; j < kCharacterSlots; ++j) {
        m_characterSlots[j].SetEnabled(Owned(GetCharacterKind(j)));
        if (m_characterSlots[j].IsEnabled()) ++owned;
    }
    // The owned characters side by side, centred.
    const int32_t w = CGameMain::GetInstance()->m_screenWidth;
    int32_t k = 0;
    for (CWidget& slot : m_characterSlots) {
        if (slot.IsEnabled()) slot.x = w / 2 - 22 * owned + kSlotStep * k++;
    }
    const Values v = ValuesInUse();
    char text[256];
    std::snprintf(text, sizeof text,
                  "STATE\nLife    :%d\nAttack  :%d\nAir Dash:%d\n\nITEM\n\n\n\n\n\n\n\nCHARACTER\n",
                  static_cast<int>(v.life), static_cast<int>(v.attack), static_cast<int>(v.airDash));
    m_window.SetText(text);
}

void CGameInputTitleState::UpdateWidgets() {
    m_titleBar.Update();
    m_window.Update();
    for (CWidget& slot : m_itemSlots) slot.Update();
    for (CWidget& slot : m_characterSlots) slot.Update();
    m_backButton.Update();
}

void CGameInputTitleState::Update() {
    UpdateChild();
    if (RunGenericStates(true)) UpdateButtons();
}

void CGameInputTitleState::UpdateButtons() {
    CItem* items = CItem::GetInstance();
    for (int32_t i = 0; i < kItemSlots; ++i) {
        if (!m_itemSlots[i].IsTouchBegan()) continue;
        TakePress();
        const int32_t kind = GetEquipmentKind(i);
        items->SetFlag(kind, items->GetFlag(kind) == 0 ? 1 : 0);
        Refresh();
        return;
    }
    for (int32_t j = 0; j < kCharacterSlots; ++j) {
        if (!m_characterSlots[j].IsTouchBegan()) continue;
        TakePress();
        items->SetFlag(GetCharacterKind(j), 1);
        CGameMain::GetInstance()->m_selectedCharacter = j + 1;
        Refresh();
        return;
    }
    if (m_backButton.IsTouchBegan()) {
        TakePress();
        Close();
        CGameMain::GetInstance()->SaveGlobalData();
    }
}

void CGameInputTitleState::Draw() {
    DrawParams::ResetToDefaults();
    DrawParams::scaleX = DrawParams::scaleY = 2.0f;
    m_titleBar.Draw();
    m_titleBar.DrawOwnText();
    m_window.Draw();
    if (!m_window.IsResizing()) {
        m_window.DrawOwnText();
        const CItem* items = CItem::GetInstance();
        for (int32_t i = 0; i < kItemSlots; ++i) {
            const int32_t kind = GetEquipmentKind(i);
            DrawParams::colour = InUse(kind) ? kWhite : kGrey;
            // An item not owned shows the grey empty frame.
            if (Owned(kind)) {
                items->DrawIcon(kind, m_itemSlots[i].x, m_itemSlots[i].y);
            } else {
                m_itemSlots[i].Draw();
            }
        }
        for (int32_t j = 0; j < kCharacterSlots; ++j) {
            const int32_t kind = GetCharacterKind(j);
            DrawParams::colour = InUse(kind) ? kWhite : kGrey;
            if (Owned(kind)) items->DrawIcon(kind, m_characterSlots[j].x, m_characterSlots[j].y);
        }
        DrawParams::colour = kWhite;
        DrawParams::colourMode = 0;
    }
    m_backButton.Draw();
    DrawChild();
}
