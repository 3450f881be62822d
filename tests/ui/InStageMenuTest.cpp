// The in-stage menu over paused play: its slide, the ITEM page's EQUIP and
// USE, the STATE page's lines and abilities, and the MAP page's pieces,
// marker and zoom, all pressed through the real frame step.
#include <cstring>
#include <vector>

#include "framework/SaveData.h"
#include "framework/TextTable.h"
#include "stage/StageData.h"
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
    // The life bar drawn with the menu keeps following the player.
    Player()->hp = Player()->hpMax - 50;
    Frame();
    EXPECT_EQ(CLifebarNinja::GetInstance()->m_value, Player()->hpMax - 50);
    EXPECT_EQ(menu->m_panel.y, -84);
    EXPECT_EQ(menu->m_panel.x, -44);
    EXPECT_EQ(menu->m_panel.moveY0, 236) << "up from below the screen";
    EXPECT_EQ(menu->m_panel.moveMode, 2) << "easing out";
    EXPECT_EQ(CLifebarController::GetInstance()->GetNinjaBar()->parent, &menu->m_root);
    EXPECT_EQ(menu->m_root.x, 114);
    // The frame's picture is that of the tab shown: 30 texels further down per tab.
    struct TabCase {
        int tab, srcY;
        const CWidget* page;
    };
    for (const TabCase& t : {TabCase{2, 300, &menu->m_mapPage}, TabCase{0, 240, &menu->m_itemPage},
                             TabCase{1, 270, &menu->m_statePage}}) {
        Tab(t.tab);
        EXPECT_EQ(menu->m_tab, t.tab);
        EXPECT_EQ(menu->m_frame.GetSpriteTable(WidgetTable::Normal)[0].srcY, t.srcY) << "tab " << t.tab;
        EXPECT_TRUE(t.page->IsVisible()) << "tab " << t.tab;
    }
    CloseButton();
    EXPECT_EQ(menu->GetState(), ScreenState::Closing);
    EXPECT_EQ(menu->m_panel.moveY1, 236);
    EXPECT_EQ(menu->m_panel.moveMode, 1) << "easing in on the way down";
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
    EXPECT_EQ(menu->m_tab, 1);
    EXPECT_TRUE(menu->m_statePage.IsVisible());
    EXPECT_FALSE(menu->m_itemPage.IsVisible());
    EXPECT_STREQ(menu->m_stateText.GetText(), "");
}

TEST_F(InStageMenu, TheSideColumnTurnsWithTheScreenAndStaysForOtherSizes) {
    // The column stands upright beside a landscape screen and lies across a
    // portrait one; a size of neither kind leaves it as it was.
    struct Turn {
        int32_t w, h, width, height, srcX, srcW;
    };
    for (const Turn& t : {Turn{320, 480, 320, 120, 60, 160}, Turn{480, 320, 120, 320, 0, 60},
                          Turn{320, 568, 320, 120, 60, 160}, Turn{1000, 700, 320, 120, 60, 160},
                          Turn{568, 320, 120, 320, 0, 60}, Turn{384, 512, 320, 120, 60, 160},
                          Turn{512, 384, 120, 320, 0, 60}}) {
        game->m_screenWidth = t.w;
        game->m_screenHeight = t.h;
        Frame();
        EXPECT_EQ(menu->m_root.width, t.width) << t.w << "x" << t.h;
        EXPECT_EQ(menu->m_root.height, t.height) << t.w << "x" << t.h;
        const SpriteKey& key = menu->m_root.GetSpriteTable(WidgetTable::Normal)[0];
        EXPECT_EQ(key.srcX, t.srcX) << t.w << "x" << t.h;
        EXPECT_EQ(key.width, t.srcW) << t.w << "x" << t.h;
    }
    game->m_screenWidth = 480;
    game->m_screenHeight = 320;
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
    EXPECT_EQ(sounds, std::vector<int32_t>{74});
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
    EXPECT_STREQ(menu->m_itemText.GetText(), "") << "no description without a chosen row";
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

    // Each potion row drinks its own potion and no other.
    struct Potion {
        int row;
        int32_t (CCharacterPlayer::*count)();
    };
    const Potion potions[] = {{6, &CCharacterPlayer::GetHealingPotions},
                              {7, &CCharacterPlayer::GetExHealingPotions},
                              {8, &CCharacterPlayer::GetMagicPotions},
                              {9, &CCharacterPlayer::GetExMagicPotions}};
    for (const Potion& used : potions) {
        p->SetHealingPotions(2);
        p->SetExHealingPotions(2);
        p->SetMagicPotions(2);
        p->SetExMagicPotions(2);
        Row(used.row);
        UseButton();
        for (const Potion& other : potions) {
            EXPECT_EQ((p->*other.count)(), other.row == used.row ? 1 : 2) << "row " << used.row << " used";
        }
    }
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
    EXPECT_EQ(menu->m_statusWindow.resizeW1, 160) << "the status box's frame";
    EXPECT_EQ(menu->m_statusWindow.resizeH1, 80) << "the status box's frame";
    EXPECT_EQ(std::vector<int32_t>({menu->m_statusWindow.textX, menu->m_statusWindow.textY, menu->m_statusWindow.textWidth,
                                    menu->m_statusWindow.textHeight, menu->m_statusWindow.textFlags}),
              std::vector<int32_t>({6, 0, 148, 80, 6}))
        << "left-aligned, centred from top to bottom";
    // Hours and minutes at 40 frames a second; the play time runs on in the pause.
    struct TimeCase {
        int32_t frames;
        const char* line;
    };
    for (const TimeCase& c : {TimeCase{143990, "TIME 0:59\n"}, TimeCase{1809600, "TIME 12:34\n"},
                              TimeCase{1812000, "TIME 12:35\n"}, TimeCase{2400, "TIME 0:01\n"}}) {
        Slot().SetInt(SaveSlotRecord::kPlayTime, c.frames);
        Frame();
        EXPECT_NE(std::strstr(menu->m_statusWindow.GetText(), c.line), nullptr)
            << c.frames << ": " << menu->m_statusWindow.GetText();
    }

    struct Place {
        const CWidget* widget;
        int32_t x, y;
    };
    for (const Place& c : {Place{&menu->m_abilityIcons[0], 40, 48}, Place{&menu->m_abilityIcons[1], 40, 100},
                           Place{&menu->m_abilityIcons[2], 114, 100}, Place{&menu->m_abilityIcons[3], 114, 48},
                           Place{&menu->m_abilityIcons[4], 336, 48}, Place{&menu->m_closeButton, 330, 210}}) {
        EXPECT_EQ(c.widget->x, c.x);
        EXPECT_EQ(c.widget->y, c.y);
    }
    const bool shown[] = {false, p->HasWallHold(), p->HasCeilingHold(), true, false};
    for (int i = 0; i < CGameInputMainMenu::kAbilityIcons; ++i) {
        EXPECT_EQ(menu->m_abilityIcons[i].IsVisible(), shown[i]) << "icon " << i;
    }
    // The double-jump icon shows from one air dash allowed; the scarf's icon
    // follows the block crash alone.
    struct Ability {
        int32_t CCharacterPlayer::*value;
        int32_t set;
        int icon;
        bool shown;
    };
    for (const Ability& a : {Ability{&CCharacterPlayer::airDashesMax, 1, 0, true},
                             Ability{&CCharacterPlayer::airDashesMax, 2, 0, true},
                             Ability{&CCharacterPlayer::airDashesMax, 0, 0, false},
                             Ability{&CCharacterPlayer::softBlockCrash, 0, 3, false},
                             Ability{&CCharacterPlayer::softBlockCrash, 1, 3, true}}) {
        p->*a.value = a.set;
        Frame();
        EXPECT_EQ(menu->m_abilityIcons[a.icon].IsVisible(), a.shown) << "icon " << a.icon << " at " << a.set;
    }
    Click(236, 130);  // the scarf
    EXPECT_STREQ(menu->m_stateText.GetText(), GetText(240));
    EXPECT_EQ(menu->m_abilityIcons[3].red, 255);
    // The STATE tab pressed again lets go of the chosen ability, and so
    // does closing and opening the menu again.
    Tab(1);
    EXPECT_FALSE(menu->m_abilityIcons[3].GetHighlight());
    EXPECT_EQ(menu->m_abilityIcons[3].red, 128);
    EXPECT_STREQ(menu->m_stateText.GetText(), "");
    Click(236, 130);
    ASSERT_TRUE(menu->m_abilityIcons[3].GetHighlight());
    CloseButton();
    Frame(12);
    ASSERT_EQ(menu->GetState(), ScreenState::Closed);
    OpenMenu();
    EXPECT_EQ(menu->m_tab, 1);
    EXPECT_FALSE(menu->m_abilityIcons[3].GetHighlight());
    EXPECT_STREQ(menu->m_stateText.GetText(), "");
}

TEST(InStageMenuMaps, EveryRoomBelongsToItsMapAndTheGapsToNone) {
    struct Case {
        int32_t room, map;
    };
    const Case cases[] = {
        {-1, -1}, {0, -1},  {7, -1},   {8, 0},    {43, 0},   {44, -1},  {46, -1},  {47, 0},   {51, 0},
        {52, -1}, {53, 1},  {65, 1},   {66, 2},   {83, 2},   {84, 0},   {93, 0},   {94, -1},  {95, -1},
        {96, 3},  {124, 3}, {125, 0},  {149, 0},  {150, -1}, {157, -1}, {158, 0},  {171, 0},  {172, 4},
        {200, 4}, {201, 0}, {214, 0},  {215, -1}, {216, -1}, {217, 5},  {244, 5},  {245, -1}, {266, -1},
        {273, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(CGameInputMainMenu::MapOf(c.room), c.map) << "room " << c.room;

    // Map A's pieces by room: the runs of the room table, then the rooms that share a piece.
    const Case pieces[] = {{8, 1},   {43, 36}, {84, 37}, {93, 46},  {125, 47}, {149, 71}, {161, 72}, {171, 82},
                           {158, 83}, {160, 85}, {201, 86}, {214, 99}, {47, 2},   {48, 2},   {49, 11},  {50, 5},
                           {51, 4},   {44, 0},   {266, 0}};
    for (const Case& c : pieces) EXPECT_EQ(CGameInputMainMenu::PieceOfRoomOnMapA(c.room), c.map) << "room " << c.room;
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
    // It blinks: its mark for 40 frames, then an empty key for 40.
    const std::vector<SpriteKey>& blink = menu->m_mapMarker.GetSpriteTable(WidgetTable::Normal);
    ASSERT_EQ(blink.size(), 2u);
    EXPECT_EQ(std::vector<int32_t>({blink[0].slot, blink[0].srcX, blink[0].srcY, blink[0].width, blink[0].height,
                                    blink[0].duration, blink[1].width, blink[1].duration}),
              std::vector<int32_t>({16, 360, 240, 10, 10, 40, 0, 40}));
    EXPECT_FALSE(menu->m_zoomOutButton.IsVisible());
    const int32_t markerX = menu->m_mapMarker.GetX() - b.pieces[3].GetX();
    const int32_t markerY = menu->m_mapMarker.GetY() - b.pieces[3].GetY();
    EXPECT_GE(markerX, -5);
    EXPECT_LE(markerX, b.pieces[3].width - 5);
    EXPECT_GE(markerY, -5);
    EXPECT_LE(markerY, b.pieces[3].height - 5);

    // The marker stands at the camera's share of the stage's travel inside
    // the 40 x 10 piece, less 5: stage 266 is 150 x 8 cells, so the camera
    // travels (6000 - 480) x 10 across and not at all down.
    struct MarkerCase {
        int32_t cameraX, dx;
    };
    CStageData* stage = game->m_stageControl.GetStage();
    ASSERT_NE(stage, nullptr);
    ASSERT_EQ(stage->GetWidth(), 150);
    ASSERT_EQ(stage->GetHeight(), 8);
    for (const MarkerCase& c : {MarkerCase{0, -5}, MarkerCase{27600, 10}, MarkerCase{55200, 25}}) {
        stage->m_cameraX = c.cameraX;
        Frame();
        EXPECT_EQ(menu->m_mapMarker.GetX() - b.pieces[3].GetX(), c.dx) << c.cameraX;
        EXPECT_EQ(menu->m_mapMarker.GetY() - b.pieces[3].GetY(), -5) << c.cameraX;
    }
    stage->m_cameraX = 0;

    // Down the 20-high piece of room 57 the camera's travel is the stage's
    // 320 pixels less the view's height: 320 for a screen 320 or 384 high,
    // 420 for 568, 452 for 512, none for any other height.
    struct HeightCase {
        int32_t w, h, cameraY, dy;
    };
    game->m_mapId = 57;
    for (const HeightCase& c : {HeightCase{480, 320, 0, -5}, HeightCase{320, 568, -1000, 5},
                                HeightCase{384, 512, -1320, 5}, HeightCase{512, 384, 0, -5},
                                HeightCase{1000, 700, 1600, 0}}) {
        game->m_screenWidth = c.w;
        game->m_screenHeight = c.h;
        stage->m_cameraY = c.cameraY;
        Frame();
        EXPECT_EQ(b.pieces[5].height, 20);
        EXPECT_EQ(menu->m_mapMarker.GetY() - b.pieces[5].GetY(), c.dy) << c.w << "x" << c.h;
    }
    stage->m_cameraY = 0;
    game->m_screenWidth = 480;
    game->m_screenHeight = 320;
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
    // A piece cut at the window's left edge loses its left part: its
    // picture still ends where the whole piece's does.
    for (int32_t room : {214, 149, 171}) {
        Slot().SetSlotFlag(401 + room, 1);
        game->m_mapId = room;
        Frame();
        std::vector<SpriteKey> cut(a.count + 1);
        std::vector<int32_t> cutX(a.count + 1);
        for (int k = 1; k <= a.count; ++k) {
            cut[k] = a.pieces[k].GetSpriteTable(WidgetTable::Normal)[0];
            cutX[k] = a.pieces[k].x;
        }
        menu->LayoutMaps();
        // The scroll, from a piece that stands whole inside the window.
        int32_t shift = 0;
        bool shiftSeen = false;
        for (int k = 1; k <= a.count && !shiftSeen; ++k) {
            const SpriteKey& whole = a.pieces[k].GetSpriteTable(WidgetTable::Normal)[0];
            if (whole.width <= 0 || cutX[k] <= 15 || cutX[k] + 2 * whole.width >= 365) continue;
            shift = a.pieces[k].x - cutX[k];
            shiftSeen = true;
        }
        ASSERT_TRUE(shiftSeen) << "room " << room;
        int leftCuts = 0;
        for (int k = 1; k <= a.count; ++k) {
            const SpriteKey& whole = a.pieces[k].GetSpriteTable(WidgetTable::Normal)[0];
            if (cutX[k] != 15 || cut[k].srcX == whole.srcX || cutX[k] + 2 * cut[k].width >= 365) continue;
            ++leftCuts;
            EXPECT_EQ(cut[k].srcX + cut[k].width, whole.srcX + whole.width) << "room " << room << " piece " << k;
            // Half a texel per pixel cut: the picture lines up with the pieces beside it.
            EXPECT_EQ(cut[k].srcX - whole.srcX, (15 - (a.pieces[k].x - shift)) / 2) << "room " << room << " piece " << k;
        }
        EXPECT_GT(leftCuts, 0) << "room " << room;
        Frame();
    }
    game->m_mapId = 47;
    Frame();

    ZoomButton();
    EXPECT_FALSE(menu->m_mapZoomed);
    EXPECT_TRUE(menu->m_zoomInButton.IsVisible());
    EXPECT_FALSE(menu->m_zoomOutButton.IsVisible());
    EXPECT_EQ(a.pieces[1].x, 35 + 50) << "source (35, 125) at half scale";
    EXPECT_EQ(a.pieces[1].y, 125 + 120);
    EXPECT_EQ(a.pieces[1].scaleX, 1.0f);
    EXPECT_EQ(menu->m_mapMarker.scaleX, 1.0f);
    // At half scale the marker's offset is halved too: (-5) / 2 on this stage's first screen.
    EXPECT_EQ(menu->m_mapMarker.GetX() - a.pieces[2].GetX(), -2);
    EXPECT_EQ(menu->m_mapMarker.GetY() - a.pieces[2].GetY(), -2);
    ZoomButton();
    EXPECT_TRUE(menu->m_mapZoomed);
    EXPECT_EQ(a.pieces[1].scaleX, 2.0f);
}

}  // namespace
