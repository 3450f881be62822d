#pragma once
// The options screen: music and effect volume, the language of the texts and
// the strength of the screen shake. Changes apply at once; "BACK" writes them
// to the system record.
#include "ui/GameInput.h"
#include "ui/Widget.h"

class CGameInputOption : public CGameInput {
public:
    static constexpr int32_t kVolumeStep = 10;

    static CGameInputOption* GetInstance();
    ~CGameInputOption() override = default;

    void Init() override;
    void Draw() override;
    void Update() override;
    void Open() override;
    // Closes and writes the settings to "save".
    void Close() override;
    void OnCovered() override;
    void OnUncovered() override;
    void UpdateWidgets() override;
    // The four value texts from the current settings.
    virtual void Refresh();

    CWidget m_musicVolumeLabel;
    CWidget m_musicVolumeValue;
    CWidget m_musicVolumeDown;
    CWidget m_musicVolumeUp;
    CWidget m_seVolumeLabel;
    CWidget m_seVolumeValue;
    CWidget m_seVolumeDown;
    CWidget m_seVolumeUp;
    CWidget m_languageLabel;
    CWidget m_languageButton;
    CWidget m_vibrationLabel;
    CWidget m_vibrationButton;
    CWidget m_backButton;

private:
    CGameInputOption();
    // The thirteen widgets in member order.
    CWidget* const m_widgets[13] = {&m_musicVolumeLabel, &m_musicVolumeValue, &m_musicVolumeDown, &m_musicVolumeUp,
                                    &m_seVolumeLabel,    &m_seVolumeValue,    &m_seVolumeDown,    &m_seVolumeUp,
                                    &m_languageLabel,    &m_languageButton,   &m_vibrationLabel,  &m_vibrationButton,
                                    &m_backButton};
};
