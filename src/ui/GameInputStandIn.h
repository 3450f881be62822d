#pragma once
// Stand-ins for the screens that are not built yet: each one opens, shows
// its name and a "BACK" button, and closes cleanly, so that every screen id
// can be requested. "BACK" closes a pushed stand-in back to its parent and
// takes a stand-in at the bottom of the chain back to the title.
#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputStandIn : public CGameInput {
public:
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override { CloseToClosingState(); }
    void OnCovered() override { CoverWithoutFade(); }
    void UpdateWidgets() override;

    // The stage-select cursor, which the stage-clear screen puts on the
    // stage just played; kept here until the stage-select screen is built.
    void SelectCell(int32_t row, int32_t column) {
        m_row = row;
        m_column = column;
    }

    CWidget m_caption;
    CWidget m_backButton;
    int32_t m_row = 0;
    int32_t m_column = 0;

protected:
    explicit CGameInputStandIn(const char* caption);

private:
    void Leave();
};

// The name a stand-in shows for its screen id.
const char* StandInCaption(int32_t screenId);

// The one stand-in class per screen id.
template <int32_t Id>
class CGameInputStandInFor final : public CGameInputStandIn {
public:
    static CGameInputStandInFor* GetInstance() {
        static CGameInputStandInFor instance;
        return &instance;
    }

private:
    CGameInputStandInFor() : CGameInputStandIn(StandInCaption(Id)) {}
};

using CGameInputSaveSlot = CGameInputStandInFor<ScreenId::SaveSlot>;
using CGameInputTitleStageSelect = CGameInputStandInFor<ScreenId::TitleStageSelect>;
using CGameInputTitleShop = CGameInputStandInFor<ScreenId::TitleShop>;
using CGameInputTitleState = CGameInputStandInFor<ScreenId::TitleState>;
using CGameInputTitleScore = CGameInputStandInFor<ScreenId::TitleScore>;

// The ending screen. (Stand-in until the ending screen is built: it shows its
// name and a "BACK" button, and counts the steps of its roll that the
// ending scenes ask for.)
class CGameInputEnding final : public CGameInputStandIn {
public:
    static CGameInputEnding* GetInstance() {
        static CGameInputEnding instance;
        return &instance;
    }
    // The next card of the staff roll.
    virtual void LayoutStep() { ++m_layoutSteps; }

    int32_t m_layoutSteps = 0;

private:
    CGameInputEnding() : CGameInputStandIn(StandInCaption(ScreenId::Ending)) {}
};
