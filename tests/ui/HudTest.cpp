// The in-stage root screen: the touch pad the players read, the pause button
// and key, the notices of its message box, the message window over it, and
// the equip slots' weapon chooser.
#include <cstring>

#include "framework/TextTable.h"
#include "ui/GameInputMessageWindow.h"
#include "ui/GameInputPause.h"
#include "ui/UiTestSupport.h"

namespace {

using testing_support::PlayTest;

class Hud : public PlayTest {};

TEST_F(Hud, AStageStartLeavesTheHudAloneInPlayWithAPadOverTheWholeView) {
    EXPECT_TRUE(Playing());
    EXPECT_EQ(Root()->GetChild(), hud);
    EXPECT_EQ(hud->GetState(), ScreenState::Active);
    EXPECT_TRUE(hud->IsPlaying());
    const CWidget& pad = hud->m_touchPad;
    EXPECT_EQ(pad.GetX(), 0);
    EXPECT_EQ(pad.GetY(), 0);
    EXPECT_EQ(pad.width, 480);
    EXPECT_EQ(pad.height, 320);

    // A touch in the play field: the pad sees it begin, held, and where.
    MoveTo(321, 207);
    Press();
    Poll();
    EXPECT_TRUE(pad.IsTouchEntered());
    EXPECT_TRUE(pad.IsPressed());
    EXPECT_EQ(pad.GetPointerLocalX(), 321);
    EXPECT_EQ(pad.GetPointerLocalY(), 207);
    // A fresh press counts as entering for ten frames, then only as held.
    Poll(9);
    EXPECT_TRUE(pad.IsTouchEntered());
    Poll();
    EXPECT_FALSE(pad.IsTouchEntered());
    EXPECT_TRUE(pad.IsPressed());
    // Dragged in from outside the view.
    Release();
    MoveTo(700, 100);
    Poll();
    Press();
    Poll(12);
    MoveTo(470, 100);
    Poll();
    EXPECT_TRUE(pad.IsTouchEntered());
    EXPECT_EQ(pad.GetPointerLocalX(), 470);
}

TEST_F(Hud, ThePauseButtonPausesPlayAndItsPressNeverReachesThePlayers) {
    MoveTo(30, 20);
    Press();
    Frame();
    EXPECT_TRUE(Paused());
    EXPECT_EQ(Root()->GetTop(), CGameInputPause::GetInstance());
    EXPECT_EQ(hud->GetState(), ScreenState::Idle);
    EXPECT_FALSE(hud->m_touchPad.IsPressed()) << "taken by the HUD";
    EXPECT_FALSE(hud->m_touchPad.IsTouchEntered());
    EXPECT_TRUE(sounds.empty()) << "the HUD's button makes no sound";
}

TEST_F(Hud, ThePauseKeyPausesPlayButNotOverThePauseScreenStillClosing) {
    PressPauseKey();
    EXPECT_TRUE(Paused());
    CGameInputPause* pause = CGameInputPause::GetInstance();
    ASSERT_EQ(Root()->GetTop(), pause);
    Frame();
    ASSERT_EQ(pause->GetState(), ScreenState::Active);
    // Held or pressed again while paused it does nothing.
    PressPauseKey();
    EXPECT_EQ(pause->GetState(), ScreenState::Active);
    Click(240, 145);  // "RESUME"
    EXPECT_TRUE(Playing());
    // Not while the pause screen is still closing over the HUD: reopened
    // there it would wait for the HUD to lie idle under it while the HUD
    // waits for it to close, and play would stay paused for good.
    PressPauseKey();
    EXPECT_EQ(pause->GetState(), ScreenState::Closing);
    EXPECT_TRUE(Playing());
    Frame(20);
    EXPECT_TRUE(hud->IsPlaying());
    EXPECT_EQ(pause->GetState(), ScreenState::Closed);
    PressPauseKey();
    EXPECT_TRUE(Paused());
}

TEST_F(Hud, ANoticeGrowsShowsForEightyFramesAndShrinks) {
    hud->ShowMessage(GetText(243));  // "GAME SAVED"
    CWidgetWindow& box = hud->m_messageWindow;
    EXPECT_TRUE(box.IsVisible());
    EXPECT_EQ(box.x, 240);
    EXPECT_EQ(box.y, 90);
    Frame(10);
    EXPECT_EQ(box.left + box.right, 12 * 10 + 40);
    EXPECT_EQ(box.top + box.bottom, 30);
    EXPECT_EQ(box.typewriterIndex, 0) << "grown: the text starts";
    Frame();
    EXPECT_EQ(box.typewriterIndex, 10) << "the whole text at once";
    // A tap does not shorten it.
    Frame(40);
    Click(240, 200);
    Frame(38);
    EXPECT_EQ(hud->m_messageState, CGameInputMain::kMessageShowing);
    Frame();
    EXPECT_EQ(hud->m_messageState, CGameInputMain::kMessageClosing);
    EXPECT_EQ(box.left + box.right, 160) << "shrinking from its full size";
    Frame(9);
    EXPECT_TRUE(box.IsVisible());
    Frame();
    EXPECT_EQ(hud->m_messageState, CGameInputMain::kMessageIdle);
    EXPECT_FALSE(box.IsVisible());
}

TEST_F(Hud, ANoticeIsSizedForItsLanguageAndItsTextIsKeptWithinItsBuffer) {
    game->m_language = 1;
    hud->ShowMessage(GetText(243));
    Frame(10);
    const int32_t bytes = static_cast<int32_t>(std::strlen(GetText(243)));
    EXPECT_EQ(hud->m_messageWindow.left + hud->m_messageWindow.right, 9 * bytes + 40);
    EXPECT_EQ(hud->m_messageWindow.GetTextStyleKey(WidgetTable::Normal).style, &game->m_textStyles[0]);

    std::string longText(5000, 'A');
    hud->ShowMessage(longText.c_str());
    EXPECT_EQ(std::strlen(hud->m_messageText), 4095u);
    EXPECT_EQ(hud->m_messageState, CGameInputMain::kMessageOpening) << "a new notice starts over";
}

TEST_F(Hud, AStageRestartHidesTheNoticeTheBannerAndEveryNewMark) {
    hud->ShowMessage("GAME SAVED");
    hud->m_clearLabel.SetVisible(true);
    hud->ShowNewMarks(2);
    hud->m_icons[1][3].MoveTo(6, 200, 136, 136, 10, 2);
    Frame(3);
    game->RetryStage();
    EXPECT_FALSE(hud->m_messageWindow.IsVisible());
    EXPECT_FALSE(hud->m_clearLabel.visible);
    EXPECT_EQ(hud->m_messageState, CGameInputMain::kMessageIdle);
    for (int r = 0; r < 3; ++r) EXPECT_FALSE(hud->m_newMarks[r][2].visible);
    Frame();
    EXPECT_EQ(hud->m_icons[1][3].x, 6);
    EXPECT_EQ(hud->m_icons[1][3].y, 136);
}

TEST_F(Hud, TheWideLayoutMasksTheEdgesAndTheOthersMaskNothing) {
    game->m_screenWidth = 512;
    game->m_screenHeight = 384;
    hud->Open();
    EXPECT_EQ(hud->m_touchPad.width, 512);
    EXPECT_EQ(hud->m_edgeMaskTop.y, -32);
    EXPECT_EQ(hud->m_edgeMaskBottom.y, 384 - 64);
    EXPECT_EQ(hud->m_edgeMaskBottom.width, 512);
    EXPECT_EQ(hud->m_edgeMaskBottom.GetSpriteTable(WidgetTable::Normal)[0].slot, 1);
    EXPECT_EQ(hud->m_edgeMaskBottom.red, 0);
    game->m_screenWidth = 480;
    game->m_screenHeight = 320;
    hud->Open();
    EXPECT_EQ(hud->m_edgeMaskBottom.width, 0);
    EXPECT_EQ(hud->m_edgeMaskBottom.GetSpriteTable(WidgetTable::Normal)[0].width, 0);
}

// --- The message window over the HUD ----------------------------------------------

class MessageWindow : public PlayTest {
protected:
    CGameInputMessageWindow* window = CGameInputMessageWindow::GetInstance();
    void Open(const char* text) {
        Root()->PushInput(ScreenId::MessageWindow);
        window->SetText(text);
    }
    void Tap() { Click(240, 160); }
};

TEST_F(MessageWindow, APickUpMessageOfTwoPagesIsTappedThroughAndHandsBackToTheHud) {
    Open("ONE\fTWO!");
    EXPECT_EQ(hud->GetState(), ScreenState::Idle);
    EXPECT_TRUE(Playing()) << "the message window runs over live play";
    Frame(10);
    EXPECT_EQ(window->m_window.left, 180);
    EXPECT_EQ(window->m_window.top, 40);
    EXPECT_EQ(window->GetState(), ScreenState::Active);
    Frame(3);
    EXPECT_EQ(window->m_window.typewriterIndex, 3) << "one character a frame";
    Frame(5);
    Tap();
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    Frame(4);
    EXPECT_EQ(window->m_window.typewriterIndex, 8);
    Tap();
    EXPECT_EQ(sounds, (std::vector<int32_t>{35, 35}));
    EXPECT_EQ(window->GetState(), ScreenState::Closing);
    Frame(8);
    EXPECT_EQ(hud->GetState(), ScreenState::Idle);
    Frame();
    EXPECT_EQ(window->GetState(), ScreenState::Closed);
    EXPECT_EQ(hud->GetState(), ScreenState::Active);
    EXPECT_EQ(Root()->GetTop(), hud);
}

TEST_F(MessageWindow, APlaceNameShowsAtOnceStaysAndClosesByItself) {
    Player()->controlled = 0;  // only the window could sound
    Root()->PushInput(ScreenId::MessageWindow);
    window->ShowText("TENGU CASTLE");
    Frame(10);
    EXPECT_EQ(window->m_window.left, 100);
    EXPECT_EQ(window->m_window.top, 15);
    Frame();
    EXPECT_EQ(window->m_window.typewriterIndex, 12);
    Tap();  // ignored
    Frame(78);
    EXPECT_EQ(window->GetState(), CGameInputMessageWindow::kCaptionShowing);
    Frame();
    EXPECT_EQ(window->GetState(), ScreenState::Closing);
    EXPECT_EQ(window->m_window.left, 90) << "it shrinks from 180 wide";
    Frame(10);
    EXPECT_EQ(window->GetState(), ScreenState::Closed);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MessageWindow, ThePauseKeyDuringAMessagePausesOverItAndTheMessageGoesOnAfterwards) {
    Open("HELLO");
    Frame(12);
    PressPauseKey();
    EXPECT_TRUE(Paused());
    CGameInputPause* pause = CGameInputPause::GetInstance();
    EXPECT_EQ(Root()->GetTop(), pause);
    Frame(10);
    EXPECT_EQ(pause->GetState(), ScreenState::Active);
    Click(240, 145);  // "RESUME"
    EXPECT_TRUE(Playing());
    Frame(20);
    EXPECT_EQ(Root()->GetTop(), window);
    Frame(5);
    Tap();
    Frame(12);
    EXPECT_EQ(Root()->GetTop(), hud);
    EXPECT_TRUE(hud->IsPlaying());
    PressPauseKey();
    EXPECT_TRUE(Paused());
}

TEST_F(MessageWindow, AScreenOpenedOverItFreezesItAndItGoesOnAfterwards) {
    Open("ABCDEFGH");
    Frame(13);
    const int32_t typed = window->m_window.typewriterIndex;
    // As the pause button would, with the window on top.
    CGameStateController::GetInstance()->ChangeState(8);
    Root()->PushInput(ScreenId::Pause);
    Frame(2);
    CGameInputPause* pause = CGameInputPause::GetInstance();
    EXPECT_EQ(window->GetState(), ScreenState::Idle);
    EXPECT_EQ(pause->GetState(), ScreenState::Active);
    Frame(10);
    EXPECT_EQ(window->m_window.typewriterIndex, typed) << "frozen under the pause screen";
    Click(240, 145);  // "RESUME"
    EXPECT_TRUE(Playing());
    Frame(20);
    EXPECT_EQ(pause->GetState(), ScreenState::Closed);
    EXPECT_EQ(window->GetState(), ScreenState::Active) << "back where it was";
    Frame(3);
    EXPECT_GT(window->m_window.typewriterIndex, typed);
    Frame(5);
    Tap();
    Frame(12);
    EXPECT_EQ(Root()->GetTop(), hud);
    EXPECT_TRUE(hud->IsPlaying());
}

// --- Equip slots and the weapon chooser (hidden in play, complete) ----------------

class WeaponChooser : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        for (auto& row : hud->m_icons)
            for (CWidget& icon : row) icon.SetVisible(true);
    }
    // The equip button of slot i, and where icon k of an open chooser lies.
    void TapSlot(int i) { Click(30, 88 + 72 * i); }
    void TapSpread(int row, int k) { Click(86 + 56 * k, 88 + 72 * row); }
};

TEST_F(WeaponChooser, OnlyTheSlotsOfOwnedWeaponsReact) {
    CCharacterPlayer* p = Player();
    p->shurikenAmmo = p->bombAmmo = -1;
    p->fireNinjutsu = p->windNinjutsu = p->waterNinjutsu = 0;
    p->controlled = 0;  // only the chooser could sound
    // Not owned (-1) does not react; owned, even with none left (0), does.
    struct Case {
        int32_t ammo;
        bool reacts;
    };
    for (const Case c : {Case{-1, false}, Case{0, true}, Case{5, true}}) {
        SCOPED_TRACE(c.ammo);
        p->shurikenAmmo = c.ammo;
        p->currentWeapon = WeaponId::Katana;
        p->equipSlots[0] = WeaponId::Katana;
        p->equipSlots[1] = WeaponId::Shuriken;
        hud->ShowNewMarks(WeaponId::Shuriken);
        sounds.clear();
        TapSlot(1);
        EXPECT_EQ(sounds, c.reacts ? std::vector<int32_t>{35} : std::vector<int32_t>{});
        EXPECT_EQ(p->currentWeapon, c.reacts ? WeaponId::Shuriken : WeaponId::Katana);
        // Taking up the new weapon puts out its "NEW" in every row.
        for (int r = 0; r < CGameInputMain::kEquipSlots; ++r) {
            EXPECT_EQ(hud->m_newMarks[r][WeaponId::Shuriken].visible, !c.reacts) << "row " << r;
        }
    }
    EXPECT_STREQ(hud->m_icons[2][WeaponId::Shuriken].GetText(), "5");
    // Each count on its own icon, in all three rows.
    p->bombAmmo = 7;
    p->SetHealingPotions(1);
    p->SetExHealingPotions(2);
    p->SetMagicPotions(3);
    p->SetExMagicPotions(4);
    Frame();
    struct Count {
        int column;
        const char* text;
    };
    for (const Count& c : {Count{WeaponId::Bomb, "7"}, Count{WeaponId::PotionOfHealing, "1"},
                           Count{WeaponId::PotionOfExHealing, "2"}, Count{WeaponId::PotionOfMagic, "3"},
                           Count{WeaponId::PotionOfExMagic, "4"}}) {
        for (int r = 0; r < CGameInputMain::kEquipSlots; ++r) {
            EXPECT_STREQ(hud->m_icons[r][c.column].GetText(), c.text) << "column " << c.column << " row " << r;
        }
    }
}

TEST_F(WeaponChooser, ChoosingASecondSlotsWeaponSwapsTheSlotsAndPlayWaitsForTheIcons) {
    CCharacterPlayer* p = Player();
    p->equipSlots[0] = WeaponId::Katana;
    p->equipSlots[1] = WeaponId::Bomb;
    hud->ShowNewMarks(WeaponId::Bomb);
    TapSlot(0);  // slot 0 holds the weapon in use: the chooser opens
    EXPECT_EQ(hud->GetState(), CGameInputMain::kChooserOpen);
    EXPECT_TRUE(Paused());
    Frame(9);
    // Katana, shuriken, bomb, then the three ninjutsu, spread to the right.
    EXPECT_EQ(hud->m_icons[0][WeaponId::Bomb].x, 62 + 2 * 56);
    EXPECT_EQ(hud->m_icons[0][WeaponId::PotionOfHealing].x, -200);
    TapSpread(0, 2);
    EXPECT_EQ(p->equipSlots[0], WeaponId::Bomb);
    EXPECT_EQ(p->equipSlots[1], WeaponId::Katana);
    EXPECT_EQ(p->currentWeapon, WeaponId::Bomb);
    EXPECT_FALSE(hud->m_newMarks[1][WeaponId::Bomb].visible);
    EXPECT_EQ(hud->GetState(), CGameInputMain::kChooserClosing);
    Frame(8);
    EXPECT_TRUE(Paused()) << "until every row has come to rest";
    Frame();
    EXPECT_TRUE(Playing());
    EXPECT_EQ(hud->GetState(), ScreenState::Active);
    EXPECT_EQ(hud->m_icons[0][WeaponId::Bomb].x, 6);
}

TEST_F(WeaponChooser, ATouchElsewhereClosesItUnchangedAndIsTaken) {
    CCharacterPlayer* p = Player();
    TapSlot(0);
    Frame(10);
    MoveTo(400, 300);
    Press();
    Frame();
    EXPECT_EQ(hud->GetState(), CGameInputMain::kChooserClosing);
    EXPECT_EQ(p->currentWeapon, WeaponId::Katana);
    EXPECT_FALSE(hud->m_touchPad.IsPressed()) << "the players never see it";
}

}  // namespace
