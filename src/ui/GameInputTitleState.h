#pragma once
// The status screen: the owned equipment switched in and out of use, the
// owned character chosen, and the life, attack and air-dash values they
// give. "Back" writes the system record.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"
#include "ui/WidgetWindow.h"

class CGameInputTitleState : public CGameInput {
public:
    static constexpr int32_t kItemSlots = 12;
    static constexpr int32_t kCharacterSlots = 4;

    static CGameInputTitleState* GetInstance();
    ~CGameInputTitleState() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override { CloseWithFade(); }
    void UpdateWidgets() override;

    virtual int32_t GetEquipmentKind(int32_t slot);
    virtual int32_t GetCharacterKind(int32_t slot);
    // Enables the owned slots, places the character slots and rebuilds the
    // status text.
    virtual void Refresh();

    // The values the equipment in use gives: life 3 to 8, attack 1 to 6,
    // air dashes 1 to 4.
    struct Values {
        int32_t life, attack, airDash;
    };
    static Values ValuesInUse();

    CWidget m_titleBar;
    CWidget m_itemSlots[kItemSlots];
    CWidgetWindow m_window;
    CWidget m_characterSlots[kCharacterSlots];
    CWidget m_backButton;

private:
    CGameInputTitleState();
    void UpdateButtons();
};
