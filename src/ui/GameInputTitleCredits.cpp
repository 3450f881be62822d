#include "ui/GameInputTitleCredits.h"

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "win/Network.h"
#include "win/SoundManager.h"

namespace {

constexpr int32_t kRowWidth = 480;
constexpr int32_t kRowHeight = 20;
constexpr int32_t kRowStyle = 3;
// Rows from the top; the entries are spaced apart.
constexpr int32_t kRowY[CGameInputTitleCredits::kRowCount] = {10, 30, 50, 80, 100, 120, 150, 170, 190, 220, 240, 260};
constexpr int32_t kBackY = 290;

}  // namespace

CGameInputTitleCredits* CGameInputTitleCredits::GetInstance() {
    static CGameInputTitleCredits instance;
    return &instance;
}

CGameInputTitleCredits::CGameInputTitleCredits() { CGameInputTitleCredits::Init(); }

void CGameInputTitleCredits::Init() {
    CGameMain* game = CGameMain::GetInstance();
    auto setUp = [](CWidget& w, int32_t y, const char* text) {
        InitLabelWidget(w, 0, y, kRowWidth, kRowHeight, SpriteKey{}, 2.0f, kRowStyle, text);
    };
    for (int i = 0; i < kRowCount; ++i) setUp(m_rows[i], kRowY[i], GetTextForLanguage(kFirstText + i, game->m_language));
    setUp(m_backButton, kBackY, "BACK");
}

void CGameInputTitleCredits::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    const int32_t screenWidth = CGameMain::GetInstance()->GetViewWidth();
    for (CWidget& w : m_rows) w.x = CentredX(screenWidth, w.width);
    m_backButton.x = CentredX(screenWidth, m_backButton.width);
}

void CGameInputTitleCredits::UpdateWidgets() {
    for (CWidget& w : m_rows) w.Update();
    m_backButton.Update();
}

void CGameInputTitleCredits::Update() {
    UpdateChild();
    if (!RunGenericStates(false)) return;
    if (m_backButton.IsTouchBegan()) {
        TakePress(0);
        Close();
        return;
    }
    for (int i = 0; i < kRowCount; ++i) {
        if (!m_rows[i].IsTouchBegan()) continue;
        TakePress(0);
        // The page of an entry is the address on its third row.
        const int entry = i / kRowsPerEntry;
        CNetwork::GetInstance()->OpenURL(::GetText(kFirstText + entry * kRowsPerEntry + 2));
        return;
    }
}

void CGameInputTitleCredits::Draw() {
    for (CWidget& w : m_rows) w.Draw();
    m_backButton.Draw();
    for (CWidget& w : m_rows) w.DrawOwnText();
    m_backButton.DrawOwnText();
    DrawChild();
}
