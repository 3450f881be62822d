#pragma once
// The score screen: a framed page headed by one of five character pages
// (all characters, or one of the four) and, on three of four stage pages,
// the column heading of a hi-score list; arrows page through both and the
// pages are kept between openings. Nothing in the game keeps per-stage
// hi-scores, so the lists stay empty. A share button sends a fixed text.
#include <cstdint>

#include "ui/GameInput.h"
#include "ui/Widget.h"
#include "ui/WidgetWindow.h"

class CGameInputTitleScore : public CGameInput {
public:
    static constexpr int32_t kCharacterPages = 5;
    static constexpr int32_t kStagePages = 4;

    static CGameInputTitleScore* GetInstance();
    ~CGameInputTitleScore() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override { CloseWithFade(); }
    void UpdateWidgets() override;

    // The page text from the two page numbers.
    virtual void RefreshHeader();
    static void BuildShareText(char* out, int size);

    CWidget m_titleBar;
    CWidgetWindow m_window;
    CWidget m_nextCharacterButton;
    CWidget m_prevCharacterButton;
    CWidget m_prevStagePageButton;
    CWidget m_nextStagePageButton;
    CWidget m_backButton;
    CWidget m_shareButton;
    int32_t m_characterPage = 0;
    int32_t m_stagePage = 0;

private:
    CGameInputTitleScore();
    void UpdateButtons();
};
