#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "ui/GameInput.h"
#include "ui/GameInputMain.h"
#include "ui/GameInputPause.h"
#include "ui/GameInputTitleCredits.h"
#include "ui/GameInputTitleTop.h"
#include "ui/UiTestSupport.h"
#include "framework/TextTable.h"
#include "win/DebugLog.h"
#include "win/DrawString.h"

namespace {

using testing_support::ScreenTest;

CGameInputController* Root() { return CGameInputController::GetInstance(); }

TEST(ScreenStack, IdsWithoutAScreenChangeNothing) {
    for (int32_t id : {-1, 4, 7, 8, 9, 14, 19, 23, 29, 1000}) EXPECT_EQ(CGameInput::GetInput(id), nullptr) << id;
    EXPECT_EQ(CGameInput::GetInput(0), CGameInput::GetInput(2));
    EXPECT_EQ(CGameInput::GetInput(1), CGameInputTitleTop::GetInstance());
    CGameInputController* root = Root();
    // The empty chain: the root is its own top, and a frame does nothing.
    EXPECT_EQ(root->GetTop(), root);
    root->Update();
    root->Draw();
    root->SetInput(4);
    root->PushInput(19);
    EXPECT_EQ(root->GetChild(), nullptr);
    root->SetInput(ScreenId::Main);
    root->SetInput(7);
    EXPECT_EQ(root->GetChild(), CGameInputMain::GetInstance());
}

// A screen of the fading kind, linked by hand.
class FadingScreen : public CGameInput {
public:
    void Update() override {
        UpdateChild();
        if (RunGenericStates(true)) ++activeFrames;
    }
    void Close() override { CloseWithFade(); }
    void UpdateWidgets() override { ++widgetFrames; }
    static void Link(FadingScreen& under, FadingScreen& over) {
        under.child_ = &over;
        over.parent_ = &under;
    }
    int activeFrames = 0;
    int widgetFrames = 0;
};

TEST(ScreenStack, AFadingCloseBlackensTurnsBackAndThenWakesTheParent) {
    CEffect* effect = CEffect::GetInstance();
    FadingScreen under, over;
    FadingScreen::Link(under, over);
    under.SetState(ScreenState::Idle);
    over.SetState(ScreenState::Active);
    over.Close();
    auto frame = [&] {
        under.Update();
        effect->Update();
    };
    for (int i = 0; i < 16; ++i) frame();
    EXPECT_EQ(effect->m_fade, 255);
    EXPECT_EQ(over.GetState(), ScreenState::Closing);
    EXPECT_EQ(under.widgetFrames, 0) << "idle under a child: not animated";
    frame();
    EXPECT_EQ(over.GetState(), ScreenState::Closed);
    EXPECT_EQ(under.GetState(), ScreenState::Uncovered);
    EXPECT_EQ(under.GetChild(), nullptr);
    EXPECT_EQ(effect->m_fadeTarget, 0);
    // Active on its first update after the fade back has reached 0.
    for (int i = 0; i < 15; ++i) frame();
    EXPECT_EQ(effect->m_fade, 0);
    EXPECT_EQ(under.GetState(), ScreenState::Uncovered);
    frame();
    EXPECT_EQ(under.GetState(), ScreenState::Active);
    EXPECT_EQ(under.activeFrames, 0);
    frame();
    EXPECT_EQ(under.activeFrames, 1);

    // Covering waits for the fade too.
    effect->m_fade = 0;
    effect->m_fadeTarget = 32;
    effect->m_fadeStep = 16;
    under.OnCovered();
    frame();
    EXPECT_EQ(under.GetState(), ScreenState::Covered);
    frame();
    frame();
    EXPECT_EQ(under.GetState(), ScreenState::Idle);
}

// Every text of the title side's rows fits its row on one line at the
// double size the rows draw at (a wider text would wrap over the next row).
TEST(ScreenTexts, FitTheirRows) {
    CGameMain* game = CGameMain::GetInstance();
    game->LoadTexturePages();
    auto width = [&](int style, const char* text) {
        CDrawString s = game->m_textStyles[style];
        s.SetUniformScale(2.0);
        return GetStringWidth(&s, text, static_cast<int32_t>(std::string(text).size()));
    };
    for (int32_t language : {0, 1}) {
        for (int32_t id = 6; id <= 17; ++id) {
            EXPECT_LE(width(3, GetTextForLanguage(id, language)), 480) << "credit text " << id;
        }
        for (int32_t id = 45; id <= 49; ++id) {
            EXPECT_LE(width(2, GetTextForLanguage(id, language)), 160) << "option value " << id;
        }
    }
    EXPECT_LE(width(3, "VIBRATION EFFECT"), 240);
    EXPECT_LE(width(2, "STAGE SELECT"), 160);
}

class ScreenStackFlow : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        Root()->SetInput(ScreenId::TitleTopEntry);
        SettleFade();
        Frame();
        ASSERT_EQ(title->GetState(), ScreenState::Active);
    }
    CGameInputTitleTop* title = CGameInputTitleTop::GetInstance();
    CGameInputTitleCredits* credits = CGameInputTitleCredits::GetInstance();
};

TEST_F(ScreenStackFlow, EveryCreditsRowStaysInsideTheScreenWithAMargin) {
    constexpr int kMargin = 16;
    for (int32_t language : {0, 1}) {
        CGameMain* game = CGameMain::GetInstance();
        game->m_language = language;
        Root()->PushInput(ScreenId::TitleCredits);
        for (const CWidget& row : credits->m_rows) {
            CDrawString style = game->m_textStyles[3];
            style.SetUniformScale(row.scaleX);
            const char* text = row.GetText();
            EXPECT_LE(GetStringWidth(&style, text, static_cast<int32_t>(std::strlen(text))), 480 - 2 * kMargin)
                << "\"" << text << "\" in language " << language;
        }
        credits->Close();
        Frame(2);
    }
}

TEST_F(ScreenStackFlow, CreditsOpenOverTheTitleAndCloseInTwoFrames) {
    std::vector<std::string> log;
    SetDebugLogSink([&](const char* line) { log.emplace_back(line); });
    title->OnCovered();
    Root()->PushInput(ScreenId::TitleCredits);
    EXPECT_EQ(credits->GetParent(), title);
    EXPECT_EQ(title->GetState(), ScreenState::Idle);
    EXPECT_FALSE(title->m_startButton.IsVisible());
    EXPECT_EQ(credits->GetState(), ScreenState::Opening);
    Frame();
    EXPECT_EQ(credits->GetState(), ScreenState::Active);

    // Pushing the top screen again re-opens it in place.
    Root()->PushInput(ScreenId::TitleCredits);
    EXPECT_EQ(credits->GetState(), ScreenState::Opening);
    EXPECT_EQ(Root()->GetTop(), credits);
    EXPECT_EQ(title->GetChild(), credits);
    EXPECT_EQ(credits->GetChild(), nullptr);
    Frame();

    // Every row of an entry opens the entry's page; the credits stay.
    Click(240, 80);   // "SOUND MATERIAL"
    Click(240, 120);  // its address
    Click(240, 20);   // "FONT MATERIAL"
    SetDebugLogSink(nullptr);
    std::string all;
    for (const std::string& l : log) all += l;
    EXPECT_EQ(all,
              "OpenURL:www.timbrechbill.com\nOpenURL:www.timbrechbill.com\n"
              "OpenURL:littlelimit.net/misaki.htm\n");
    EXPECT_EQ(credits->GetState(), ScreenState::Active);
    EXPECT_EQ(sounds, (std::vector<int32_t>{35, 35, 35}));

    // All twelve rows where they stand, each opening its entry's address
    // (the third row's text: ids 8, 11, 14, 17); the gap between entries
    // opens nothing.
    struct Row {
        int32_t y, addressText;
    };
    const Row rows[] = {{10, 8},   {30, 8},   {50, 8},   {80, 11},  {100, 11}, {120, 11},
                        {150, 14}, {170, 14}, {190, 14}, {220, 17}, {240, 17}, {260, 17}};
    std::string heard;
    SetDebugLogSink([&heard](const char* line) { heard += line; });
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(credits->m_rows[i].y, rows[i].y) << "row " << i;
        EXPECT_EQ(credits->m_rows[i].x, 0) << "row " << i;
        EXPECT_EQ(credits->m_rows[i].width, 480) << "row " << i;
        EXPECT_EQ(credits->m_rows[i].height, 20) << "row " << i;
        heard.clear();
        Click(240, rows[i].y + 10);
        EXPECT_EQ(heard, std::string("OpenURL:") + GetText(rows[i].addressText) + "\n") << "row " << i;
    }
    heard.clear();
    Click(240, 75);
    EXPECT_EQ(heard, "");
    SetDebugLogSink(nullptr);
    EXPECT_EQ(credits->m_backButton.y, 290);
    // On a wider screen every row and "BACK" stand centred.
    CGameMain::GetInstance()->m_screenWidth = 568;
    credits->Open();
    for (const CWidget* w : {&credits->m_rows[0], &credits->m_rows[11], &credits->m_backButton}) EXPECT_EQ(w->x, 44);
    CGameMain::GetInstance()->m_screenWidth = 480;
    credits->Open();
    Frame();
    ASSERT_EQ(credits->GetState(), ScreenState::Active);
    sounds.clear();

    MoveTo(240, 300);
    Press();
    Frame();
    EXPECT_EQ(credits->GetState(), ScreenState::Closing);
    Frame();
    EXPECT_EQ(credits->GetState(), ScreenState::Closed);
    EXPECT_EQ(title->GetState(), ScreenState::Active) << "the title's fade is long done";
    EXPECT_EQ(title->GetChild(), nullptr);
    EXPECT_TRUE(title->m_startButton.IsVisible());
    EXPECT_FALSE(title->m_creditsButton.IsVisible());
}

TEST_F(ScreenStackFlow, SetInputDropsTheOldChainAsItStands) {
    title->OnCovered();
    Root()->PushInput(ScreenId::Option);
    Frame();
    CGameInput* options = CGameInput::GetInput(ScreenId::Option);
    ASSERT_EQ(options->GetState(), ScreenState::Active);
    Root()->SetInput(ScreenId::Main);
    CGameInput* main = CGameInputMain::GetInstance();
    EXPECT_EQ(Root()->GetChild(), main);
    EXPECT_EQ(main->GetParent(), nullptr);
    Frame(3);
    // Neither updated nor told: their stale states and links stay.
    EXPECT_EQ(title->GetState(), ScreenState::Idle);
    EXPECT_EQ(title->GetChild(), options);
    EXPECT_EQ(options->GetState(), ScreenState::Active);

    // A screen pushed over one that covers without a fade opens at once.
    Root()->PushInput(ScreenId::Pause);
    CGameInput* pause = CGameInputPause::GetInstance();
    EXPECT_EQ(main->GetState(), ScreenState::Idle);
    Frame();
    EXPECT_EQ(pause->GetState(), ScreenState::Active);
    // "RESUME" closes it back to the screen under it, which takes over
    // once the pause screen's backdrop has faded out.
    Click(240, 145);
    EXPECT_EQ(pause->GetState(), ScreenState::Closing);
    Frame(20);
    EXPECT_EQ(pause->GetState(), ScreenState::Closed);
    EXPECT_EQ(main->GetState(), ScreenState::Active);
    EXPECT_EQ(Root()->GetTop(), main);
}

}  // namespace
