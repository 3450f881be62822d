#include "ui/GameInputTitleScore.h"

#include "framework/GameMain.h"
#include "framework/TextTable.h"
#include "win/Network.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kSheet = 14;
constexpr int32_t kShareHeadText = 189;
constexpr int32_t kShareLinkText = 201;
constexpr int32_t kShareTagText = 202;

constexpr const char* kCharacterHeadings[CGameInputTitleScore::kCharacterPages] = {
    "ALL CHARACTER TOTAL\n\n\n\n", "NINJA\n\n\n\n", "KUNOICHI\n\n\n\n", "KUSARIGAMA\n\n\n\n", "ROBO NINJA\n\n\n\n",
};
constexpr const char* kColumnHeading = "STAGE  HI-SCORE    NO ITEM\n";

constexpr SpriteKey Key(int32_t x, int32_t y) { return SpriteKey{kSheet, x, y, 20, 20, 0}; }

// One step through `count` pages, round at both ends.
int32_t Turn(int32_t page, int32_t step, int32_t count) { return ((page + step) % count + count) % count; }

}  // namespace

CGameInputTitleScore* CGameInputTitleScore::GetInstance() {
    static CGameInputTitleScore instance;
    return &instance;
}

CGameInputTitleScore::CGameInputTitleScore() { CGameInputTitleScore::Init(); }

void CGameInputTitleScore::Init() {
    InitTitleBar(m_titleBar, "");
    InitPageWindow(m_window);
    m_nextCharacterButton.InitAnimation(380, 38, 40, 40, Key(20, 200), 2.0f);
    m_prevCharacterButton.InitAnimation(60, 38, 40, 40, Key(0, 200), 2.0f);
    m_prevStagePageButton.InitAnimation(220, 70, 40, 40, Key(40, 200), 2.0f);
    m_nextStagePageButton.InitAnimation(220, 270, 40, 40, Key(60, 200), 2.0f);
    m_backButton.InitAnimation(436, 276, 40, 40, Key(100, 80), 2.0f);
    m_shareButton.InitAnimation(436, 232, 40, 40, Key(40, 80), 2.0f);
}

void CGameInputTitleScore::Open() {
    state_ = ScreenState::Opening;
    child_ = nullptr;
    const int32_t w = CGameMain::GetInstance()->m_screenWidth;
    if (w == 480 || w == 568) {
        const int32_t ww = m_window.width;
        m_window.x = w / 2 - ww / 2;
        m_prevStagePageButton.x = CentredX(w, m_prevStagePageButton.width);
        m_nextStagePageButton.x = CentredX(w, m_nextStagePageButton.width);
        m_prevCharacterButton.x = w / 2 - ww / 2 + 20;
        m_nextCharacterButton.x = w / 2 + ww / 2 - m_nextCharacterButton.width - 20;
        m_shareButton.x = w - 44;
        m_backButton.x = w - 44;
    }
    m_window.StartResize(0, 360, 290, 290, 14, CWidgetWindow::kTogether);
    StartScreenFade(255, 0, -16);
    RefreshHeader();
}

void CGameInputTitleScore::RefreshHeader() {
    char text[256];
    int used = 0;
    text[0] = '\0';
    AppendBoundedText(text, sizeof text, used, "SCORE\n\n");
    AppendBoundedText(text, sizeof text, used, kCharacterHeadings[Turn(m_characterPage, 0, kCharacterPages)]);
    if (m_stagePage >= 1 && m_stagePage <= 3) AppendBoundedText(text, sizeof text, used, kColumnHeading);
    m_window.SetText(text);
}

void CGameInputTitleScore::BuildShareText(char* out, int size) {
    if (size <= 0) return;
    out[0] = '\0';
    int used = 0;
    for (int32_t id : {kShareHeadText, kShareLinkText, kShareTagText}) AppendBoundedText(out, size, used, GetText(id));
}

void CGameInputTitleScore::UpdateWidgets() {
    for (CWidget* w : {&m_titleBar, static_cast<CWidget*>(&m_window), &m_nextCharacterButton, &m_prevCharacterButton,
                       &m_prevStagePageButton, &m_nextStagePageButton, &m_backButton, &m_shareButton}) {
        w->Update();
    }
}

void CGameInputTitleScore::Update() {
    UpdateChild();
    if (RunGenericStates(true)) UpdateButtons();
}

void CGameInputTitleScore::UpdateButtons() {
    if (m_backButton.IsTouchBegan()) {
        TakePress();
        Close();
        return;
    }
    if (m_shareButton.IsTouchBegan()) {
        TakePress();
        char text[256];
        BuildShareText(text, sizeof text);
        CNetwork::GetInstance()->Tweet(text);
        return;
    }
    struct Arrow {
        CWidget* button;
        int32_t* page;
        int32_t step, count;
    };
    for (const Arrow& a : {Arrow{&m_nextCharacterButton, &m_characterPage, 1, kCharacterPages},
                           Arrow{&m_prevCharacterButton, &m_characterPage, -1, kCharacterPages},
                           Arrow{&m_nextStagePageButton, &m_stagePage, 1, kStagePages},
                           Arrow{&m_prevStagePageButton, &m_stagePage, -1, kStagePages}}) {
        if (!a.button->IsTouchBegan()) continue;
        TakePress();
        *a.page = Turn(*a.page, a.step, a.count);
        RefreshHeader();
        return;
    }
}

void CGameInputTitleScore::Draw() {
    DrawParams::ResetToDefaults();
    DrawParams::scaleX = DrawParams::scaleY = 2.0f;
    m_titleBar.Draw();
    m_titleBar.DrawOwnText();
    m_window.Draw();
    if (!m_window.IsResizing()) {
        m_window.DrawOwnText();
        for (CWidget* w : {&m_prevStagePageButton, &m_nextStagePageButton, &m_prevCharacterButton,
                           &m_nextCharacterButton}) {
            w->Draw();
        }
    }
    m_shareButton.Draw();
    m_backButton.Draw();
    DrawChild();
}
