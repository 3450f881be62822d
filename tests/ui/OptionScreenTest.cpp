#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "ui/GameInputOption.h"
#include "ui/GameInputTitleTop.h"
#include "ui/UiTestSupport.h"
#include "win/SoundManager.h"

namespace {

using testing_support::ScreenTest;

// Centres of the options' widgets at 480 x 320.
constexpr int kMusicY = 70, kSeY = 130, kDownX = 140, kUpX = 340;
constexpr int kLanguageY = 190, kVibrationY = 250, kBackY = 290;

class OptionScreen : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopEntry);
        SettleFade();
        Frame();
        Click(240, 255);  // "CONFIG"
        ASSERT_EQ(options->GetState(), ScreenState::Active);
        sounds.clear();
    }
    std::string Text(const CWidget& w) { return w.GetText(); }
    int32_t SavedInt(std::size_t offset) {
        const std::vector<uint8_t> block = saves.Read("save");
        if (block.size() < offset + 4) return -1;
        return static_cast<int32_t>(block[offset] | block[offset + 1] << 8 | block[offset + 2] << 16 |
                                    block[offset + 3] << 24);
    }
    CGameMain* game = CGameMain::GetInstance();
    CSoundManager* sound = CSoundManager::GetInstance();
    CGameInputOption* options = CGameInputOption::GetInstance();
};

TEST_F(OptionScreen, LaidOutAroundTheValues) {
    EXPECT_EQ(options->m_musicVolumeLabel.x, 120);
    EXPECT_EQ(options->m_musicVolumeValue.x, 160);
    EXPECT_EQ(options->m_musicVolumeDown.x, 120);
    EXPECT_EQ(options->m_musicVolumeUp.x, 320);
    EXPECT_EQ(options->m_backButton.x, 160);
    EXPECT_EQ(Text(options->m_musicVolumeValue), "80");
    EXPECT_EQ(Text(options->m_languageButton), "ENGLISH");
    EXPECT_EQ(Text(options->m_vibrationButton), "NORMAL");
    game->m_screenWidth = 568;
    options->Open();
    EXPECT_EQ(options->m_seVolumeValue.x, 204);
    EXPECT_EQ(options->m_seVolumeDown.x, 164);
    EXPECT_EQ(options->m_seVolumeUp.x, 364);
    game->m_screenWidth = 480;
}

TEST_F(OptionScreen, VolumesStepByTenWithinTheirLimits) {
    std::vector<std::string> shown;
    for (int i = 0; i < 3; ++i) {
        Click(kUpX, kMusicY);
        shown.push_back(Text(options->m_musicVolumeValue));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"90", "100", "100"}));
    EXPECT_EQ(sound->GetMusicVolume(), 100);
    EXPECT_EQ(sounds.size(), 3u) << "a press at the limit still sounds";
    for (int i = 0; i < 12; ++i) Click(kDownX, kSeY);
    EXPECT_EQ(sound->GetSEVolume(), 0);
    EXPECT_EQ(Text(options->m_seVolumeValue), "0");
    Click(kUpX, kSeY);
    EXPECT_EQ(sound->GetSEVolume(), 10);
    EXPECT_EQ(sound->GetMusicVolume(), 100) << "the other volume is untouched";
}

TEST_F(OptionScreen, LanguageAndShakeCycle) {
    Click(240, kLanguageY);
    EXPECT_EQ(game->m_language, 1);
    EXPECT_EQ(Text(options->m_languageButton), "JAPANESE");
    Click(240, kLanguageY);
    EXPECT_EQ(game->m_language, 0);
    EXPECT_EQ(Text(options->m_languageButton), "ENGLISH");
    // Any other stored value reads as English and becomes 0.
    game->m_language = 7;
    options->Refresh();
    EXPECT_EQ(Text(options->m_languageButton), "ENGLISH");
    Click(240, kLanguageY);
    EXPECT_EQ(game->m_language, 0);

    std::vector<std::string> shown;
    for (int i = 0; i < 4; ++i) {
        Click(240, kVibrationY);
        shown.push_back(Text(options->m_vibrationButton));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"STRONG", "NONE", "MILD", "NORMAL"}));
    EXPECT_EQ(game->m_vibration, 0);
}

TEST_F(OptionScreen, SettingsReachTheFileOnlyThroughBack) {
    Click(kUpX, kMusicY);
    Click(kDownX, kSeY);
    Click(240, kLanguageY);
    Click(240, kVibrationY);
    EXPECT_FALSE(saves.Exists("save"));
    MoveTo(240, kBackY);
    Press();
    Frame();
    EXPECT_EQ(options->GetState(), ScreenState::Closing);
    ASSERT_TRUE(saves.Exists("save"));
    EXPECT_EQ(saves.Size("save"), 65536);
    EXPECT_EQ(SavedInt(SystemRecord::kMusicVolume), 90);
    EXPECT_EQ(SavedInt(SystemRecord::kEffectVolume), 70);
    EXPECT_EQ(SavedInt(SystemRecord::kLanguage), 1);
    EXPECT_EQ(SavedInt(SystemRecord::kVibration), 1);
    Frame();
    EXPECT_EQ(options->GetState(), ScreenState::Closed);
    EXPECT_EQ(CGameInputTitleTop::GetInstance()->GetState(), ScreenState::Active);

    Release();
    Frame();

    // A save that cannot be written still closes the screen.
    CGameInputController::GetInstance()->PushInput(ScreenId::Option);
    Frame();
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::WriteError);
    Click(kUpX, kMusicY);
    Click(240, kBackY);
    EXPECT_EQ(options->GetState(), ScreenState::Closed);
    EXPECT_EQ(SavedInt(SystemRecord::kMusicVolume), 90) << "the old file stays";
    EXPECT_EQ(sound->GetMusicVolume(), 100);

    // Back at the title later (it reads the saves again), CONFIG still has
    // the setting the file could not take.
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
    CGameInputController::GetInstance()->SetInput(ScreenId::TitleTopEntry);
    SettleFade();
    Frame();
    Click(240, 255);
    ASSERT_EQ(options->GetState(), ScreenState::Active);
    EXPECT_EQ(sound->GetMusicVolume(), 100);
}

}  // namespace
