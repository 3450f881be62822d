#pragma once
// The credits page: four entries of three rows (role, name, web address) and
// "BACK". A press on any row of an entry opens that entry's web page.
#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputTitleCredits : public CGameInput {
public:
    static constexpr int kRowCount = 12;
    static constexpr int kRowsPerEntry = 3;
    static constexpr int32_t kFirstText = 6;

    static CGameInputTitleCredits* GetInstance();
    ~CGameInputTitleCredits() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    void Close() override { CloseToClosingState(); }
    void UpdateWidgets() override;

    CWidget m_rows[kRowCount];
    CWidget m_backButton;

private:
    CGameInputTitleCredits();
};
