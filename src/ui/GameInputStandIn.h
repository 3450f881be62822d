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

    CWidget m_caption;
    CWidget m_backButton;

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

using CGameInputMainMenu = CGameInputStandInFor<ScreenId::MainMenu>;
using CGameInputMainShop = CGameInputStandInFor<ScreenId::MainShop>;
