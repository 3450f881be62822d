// The in-stage menu over paused play: its slide, the ITEM page's EQUIP and
// USE, the STATE page's lines and abilities, and the MAP page's pieces,
// marker and zoom, all pressed through the real frame step.
#include <cstring>

#include "framework/SaveData.h"
#include "framework/TextTable.h"
#include "ui/GameInputMainMenu.h"
#include "ui/Lifebar.h"
#include "ui/UiTestSupport.h"

namespace {

class InStageMenu : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        game->m_slotData[game->m_currentSlot].SetNewGameDefaults();
        Frame();
        OpenMenu();
    }
    void OpenMenu() {
        CGameStateController::GetInstance()->ChangeState(8);
        Root()->PushInput(ScreenId::MainMenu);
        Frame(10);
        ASSERT_EQ(menu->GetState(), ScreenState::Active);
    }
    // Places on a 480-wide view: the frame stands at (100, 60).
    void Tab(int i) { Click(142 + 80 * i, 82); }
    void Row(int i) { Click(135 + 59 * (i % 6), i < 6 ? 130 : 182); }
    void UseButton() { Click(430, 184); }
    void CloseButton() { Click(460, 290); }
    void ZoomButton() { Click(130, 270); }
    CSaveData& Slot() { return game->m_slotData[game->m_currentSlot]; }

    CGameInputMainMenu* menu = CGameInputMainMenu::GetInstance();
};

TEST_F(InStageMenu, SlidesUpOverPausedPlayAndDownBeforePlayResumes) {
    EXPECT_TRUE(Paused());
    EXPECT_EQ(menu->m_panel.y, -84);
    EXPECT_EQ(menu->m_panel.x, -44);
    EXPECT_EQ(CLifebarController::GetInstance()->GetNinjaBar()->parent, &menu->m_root);
    EXPECT_EQ(menu->m_root.x, 114);
    Tab(1);
    CloseButton();
    EXPECT_EQ(menu->GetState(), ScreenState::Closing);
    EXPECT_TRUE(Paused());
    Frame(8);
    EXPECT_TRUE(Paused()) << "play waits for the slide";
    Frame();
    EXPECT_TRUE(Playing());
    EXPECT_EQ(menu->GetState(), ScreenState::Closed);
    EXPECT_EQ(menu->m_panel.y, 236);
    Frame();
    EXPECT_EQ(Root()->GetTop(), hud);

    // It opens again on the page it was closed on, with nothing chosen.
    OpenMenu();
    EXPECT_EQ(menu->m_tab, CGameInputMainMenu::kStateTab);
    EXPECT_TRUE(menu->m_statePage.IsVisible());
    EXPECT_FALSE(menu->m_itemPage.IsVisible());
    EXPECT_STREQ(menu->m_stateText.GetText(), "");
}

TEST_F(InStageMenu, EquipPutsTheChosenWeaponInTheHandAndSwapsTheSlots) {
    CCharacterPlayer* p = Player();
    p->SetBombAmmo(5);
    p->SetEquipSlot(0, WeaponId::Katana);
    p->SetEquipSlot(1, WeaponId::None);
    p->SetEquipSlot(2, WeaponId::Bomb);
    p->SetCurrentWeapon(WeaponId::Katana);

    Row(0);
    EXPECT_TRUE(menu->m_useButton.IsVisible());
    EXPECT_STREQ(menu->m_useButton.GetText(), "EQUIP");
    EXPECT_FALSE(menu->m_useButton.IsEnabled()) << "the katana is already in hand";
    EXPECT_EQ(menu->m_useButton.red, 128);
    EXPECT_STREQ(menu->m_itemText.GetText(), GetText(227));

    Row(2);
    EXPECT_TRUE(menu->m_useButton.IsEnabled());
    EXPECT_EQ(menu->m_itemRows[2].red, 255);
    EXPECT_EQ(menu->m_itemRows[0].red, 128);
    sounds.clear();
    UseButton();
    EXPECT_EQ(sounds, std::vector<int32_t>{CGameInputMainMenu::kEquipSound});
    EXPECT_EQ(p->GetEquipSlot(0), WeaponId::Bomb);
    EXPECT_EQ(p->GetEquipSlot(2), WeaponId::Katana);
    EXPECT_EQ(p->GetCurrentWeapon(), WeaponId::Bomb);
    EXPECT_FALSE(menu->m_useButton.IsEnabled());

    // With no slot holding the weapon in hand, the chosen one takes slot 0.
    p->SetCurrentWeapon(WeaponId::NinjutsuFire);
    p->SetFireNinjutsu(1);
    Row(0);
    UseButton();
    EXPECT_EQ(p->GetEquipSlot(0), WeaponId::Katana);
    EXPECT_EQ(p->GetCurrentWeapon(), WeaponId::Katana);

    // The ITEM tab clears the choice.
    Tab(0);
    for (const CWidget& row : menu->m_itemRows) EXPECT_FALSE(row.GetHighlight());
    EXPECT_FALSE(menu->m_useButton.IsVisible());
}

TEST_F(InStageMenu, UseDrinksAPotionAndTheRowsShowWhatIsHeld) {
    CCharacterPlayer* p = Player();
    p->SetShurikenAmmo(0);
    p->SetBombAmmo(-1);
    p->SetHealingPotions(2);
    p->SetMagicPotions(0);
    p->hp = 100;
    Frame();
    EXPECT_TRUE(menu->m_itemRows[1].IsVisible()) << "none left is still owned";
    EXPECT_STREQ(menu->m_itemRows[1].GetText(), "0");
    EXPECT_FALSE(menu->m_itemRows[2].IsVisible()) << "-1 is not owned";

    Row(8);
    EXPECT_STREQ(menu->m_useButton.GetText(), "USE");
    EXPECT_FALSE(menu->m_useButton.IsEnabled());
    UseButton();
    EXPECT_EQ(p->GetMagicPotions(), 0);

    Row(6);
    EXPECT_TRUE(menu->m_useButton.IsEnabled());
    MoveTo(430, 184);
    Press();
    Frame();
    EXPECT_EQ(p->GetHealingPotions(), 1);
    EXPECT_STREQ(menu->m_itemRows[6].GetText(), "1") << "on the frame of the press";
    EXPECT_GT(p->hp, 100);
    Release();
    Frame();
}

TEST_F(InStageMenu, StateShowsGoldKeysTimeCompletionAndTheAbilitiesHeld) {
    CCharacterPlayer* p = Player();
    p->SetGold(1234);
    Slot().SetInt(SaveSlotRecord::kKeyCount, 3);
    Slot().SetInt(SaveSlotRecord::kPlayTime, 60 * 60 * 40);
    p->airDashesMax = 0;
    p->wallHold = 1;
    p->softBlockCrash = 1;
    Tab(1);
    char expected[128];
    std::snprintf(expected, sizeof expected, "GOLD 1234G\nKEY  3\nTIME 1:00\nCOMP %d%%",
                  game->CountCompletion(game->m_currentSlot));
    EXPECT_STREQ(menu->m_statusWindow.GetText(), expected);
    Slot().SetInt(SaveSlotRecord::kPlayTime, 60 * 60 * 40 - 10);  // play time runs on in the pause
    Frame();
    EXPECT_NE(std::strstr(menu->m_statusWindow.GetText(), "TIME 0:59"), nullptr);

    const bool shown[] = {false, p->HasWallHold(), p->HasCeilingHold(), true, false};
    for (int i = 0; i < CGameInputMainMenu::kAbilityIcons; ++i) {
        EXPECT_EQ(menu->m_abilityIcons[i].IsVisible(), shown[i]) << "icon " << i;
    }
    Click(236, 130);  // the scarf
    EXPECT_STREQ(menu->m_stateText.GetText(), GetText(240));
    EXPECT_EQ(menu->m_abilityIcons[3].red, 255);
}

TEST_F(InStageMenu, MapShowsTheVisitedRoomsWithTheMarkerAndNothingOutsideTheMaps) {
    Tab(2);
    EXPECT_TRUE(menu->m_mapPage.IsVisible());
    EXPECT_FALSE(menu->m_mapMarker.IsVisible()) << "stage 266 has no map";
    for (const MenuMap& map : menu->m_maps) EXPECT_FALSE(map.container.IsVisible());
    EXPECT_FALSE(menu->m_zoomInButton.IsVisible());
    EXPECT_FALSE(menu->m_zoomOutButton.IsVisible());

    // Map B: rooms 53 to 65; room 55 is current, 53 and 55 visited.
    Slot().SetSlotFlag(401 + 53, 1);
    Slot().SetSlotFlag(401 + 55, 1);
    game->m_mapId = 55;
    Frame();
    const MenuMap& b = menu->m_maps[1];
    EXPECT_TRUE(b.container.IsVisible());
    EXPECT_EQ(b.count, 13);
    EXPECT_TRUE(b.pieces[1].IsVisible());
    EXPECT_FALSE(b.pieces[2].IsVisible());
    EXPECT_TRUE(b.pieces[3].IsVisible());
    EXPECT_EQ(b.pieces[1].x, 10) << "twice the source (5, 15)";
    EXPECT_EQ(b.pieces[1].width, 40);
    EXPECT_TRUE(menu->m_mapMarker.IsVisible());
    EXPECT_FALSE(menu->m_zoomOutButton.IsVisible());
    const int32_t markerX = menu->m_mapMarker.GetX() - b.pieces[3].GetX();
    const int32_t markerY = menu->m_mapMarker.GetY() - b.pieces[3].GetY();
    EXPECT_GE(markerX, -5);
    EXPECT_LE(markerX, b.pieces[3].width - 5);
    EXPECT_GE(markerY, -5);
    EXPECT_LE(markerY, b.pieces[3].height - 5);
}

TEST_F(InStageMenu, MapAScrollsToKeepTheMarkerAtOneXAndZoomsOutToAnOverview) {
    Tab(2);
    Slot().SetSlotFlag(401 + 9, 1);
    game->m_mapId = 47;  // shares room 9's piece
    Frame();
    const MenuMap& a = menu->m_maps[0];
    EXPECT_EQ(CGameInputMainMenu::PieceOfRoomOnMapA(47), 2);
    EXPECT_EQ(CGameInputMainMenu::PieceOfRoomOnMapA(8), 1);
    EXPECT_EQ(CGameInputMainMenu::PieceOfRoomOnMapA(214), 99);
    EXPECT_EQ(a.count, 99);
    EXPECT_TRUE(a.pieces[2].IsVisible());
    EXPECT_FALSE(a.pieces[1].IsVisible());
    EXPECT_EQ(menu->m_mapMarker.x, 180);
    EXPECT_EQ(menu->m_mapMarker.scaleX, 2.0f);
    EXPECT_TRUE(menu->m_zoomOutButton.IsVisible());
    // Every shown piece lies inside the window 15..365 after the scroll.
    for (int k = 1; k <= a.count; ++k) {
        const CWidget& piece = a.pieces[k];
        const SpriteKey& key = piece.GetSpriteTable(WidgetTable::Normal)[0];
        if (!piece.IsVisible() || key.width <= 0) continue;
        EXPECT_GE(piece.x, 15) << "piece " << k;
        EXPECT_LE(piece.x + 2 * key.width, 365) << "piece " << k;
    }

    ZoomButton();
    EXPECT_FALSE(menu->m_mapZoomed);
    EXPECT_TRUE(menu->m_zoomInButton.IsVisible());
    EXPECT_FALSE(menu->m_zoomOutButton.IsVisible());
    EXPECT_EQ(a.pieces[1].x, 35 + 50) << "source (35, 125) at half scale";
    EXPECT_EQ(a.pieces[1].y, 125 + 120);
    EXPECT_EQ(a.pieces[1].scaleX, 1.0f);
    EXPECT_EQ(menu->m_mapMarker.scaleX, 1.0f);
    ZoomButton();
    EXPECT_TRUE(menu->m_mapZoomed);
    EXPECT_EQ(a.pieces[1].scaleX, 2.0f);
}

}  // namespace
