// The in-stage menu beyond its first stage: the map of every room id with
// the piece that marks it, the layout on the other screen sizes, the four
// potions, and the HUD's menu button that opens and closes it.
#include "framework/SaveData.h"
#include "stage/StageData.h"
#include "ui/GameInputMainMenu.h"
#include "ui/Lifebar.h"
#include "ui/UiTestSupport.h"

namespace {

class MenuRooms : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        Slot().SetNewGameDefaults();
        Frame();
    }
    void OpenMenu() {
        CGameStateController::GetInstance()->ChangeState(8);
        Root()->PushInput(ScreenId::MainMenu);
        Frame(10);
        ASSERT_EQ(menu->GetState(), ScreenState::Active);
    }
    // The tabs wherever the frame stands; the rest placed on a 480-wide
    // view, where the frame stands at (100, 60).
    void Tab(int i) { Click(menu->m_tabButtons[i].GetX() + 40, menu->m_tabButtons[i].GetY() + 20); }
    void Row(int i) { Click(135 + 59 * (i % 6), i < 6 ? 130 : 182); }
    void UseButton() { Click(430, 184); }
    CSaveData& Slot() { return game->m_slotData[game->m_currentSlot]; }
    bool OnlyContainerShown(int m) {
        for (int k = 0; k < CGameInputMainMenu::kMaps; ++k) {
            if (menu->m_maps[k].container.IsVisible() != (k == m)) return false;
        }
        return true;
    }

    CGameInputMainMenu* menu = CGameInputMainMenu::GetInstance();
};

TEST_F(MenuRooms, EveryRoomShowsItsOwnMapWithItsPieceAndTheOthersShowNothing) {
    OpenMenu();
    Tab(2);
    // room, map (-1 none), piece of the room on that map (0: none).
    struct Case {
        int32_t room, map, piece;
    };
    const Case cases[] = {
        {7, -1, 0},   {8, 0, 1},    {43, 0, 36},  {44, -1, 0},  {46, -1, 0},  {47, 0, 2},   {48, 0, 2},
        {49, 0, 11},  {50, 0, 5},   {51, 0, 4},   {52, -1, 0},  {53, 1, 1},   {65, 1, 13},  {66, 2, 1},
        {83, 2, 18},  {84, 0, 37},  {93, 0, 46},  {94, -1, 0},  {95, -1, 0},  {96, 3, 1},   {124, 3, 29},
        {125, 0, 47}, {149, 0, 71}, {150, -1, 0}, {157, -1, 0}, {158, 0, 83}, {160, 0, 85}, {161, 0, 72},
        {171, 0, 82}, {172, 4, 1},  {200, 4, 29}, {201, 0, 86}, {214, 0, 99}, {215, -1, 0}, {216, -1, 0},
        {217, 5, 1},  {244, 5, 28}, {245, -1, 0}, {266, -1, 0}, {273, -1, 0},
    };
    for (const Case& c : cases) {
        Slot().SetNewGameDefaults();
        Slot().SetSlotFlag(401 + c.room, 1);
        game->m_mapId = c.room;
        Frame();
        EXPECT_TRUE(menu->m_mapPage.IsVisible());
        EXPECT_TRUE(OnlyContainerShown(c.map)) << "room " << c.room;
        EXPECT_EQ(menu->m_mapMarker.IsVisible(), c.map >= 0) << "room " << c.room;
        EXPECT_EQ(menu->m_zoomOutButton.IsVisible(), c.map == 0) << "room " << c.room;
        EXPECT_FALSE(menu->m_zoomInButton.IsVisible()) << "room " << c.room;
        if (c.map < 0) continue;
        const MenuMap& map = menu->m_maps[c.map];
        if (c.map == 0) {
            EXPECT_EQ(CGameInputMainMenu::PieceOfRoomOnMapA(c.room), c.piece) << "room " << c.room;
            EXPECT_EQ(menu->m_mapMarker.x, 180) << "room " << c.room;
            // Rooms 47 to 51 have no piece of their own to show.
            if (c.room < 47 || c.room > 51) {
                EXPECT_TRUE(map.pieces[c.piece].IsVisible()) << "room " << c.room;
            }
            continue;
        }
        // The room's own piece shows, its neighbours stay dark, and the
        // marker lies inside the piece (5 pixels to its left and top at most).
        EXPECT_TRUE(map.pieces[c.piece].IsVisible()) << "room " << c.room;
        const int32_t other = c.piece == 1 ? 2 : c.piece - 1;
        EXPECT_FALSE(map.pieces[other].IsVisible()) << "room " << c.room;
        const CWidget& piece = map.pieces[c.piece];
        const int32_t dx = menu->m_mapMarker.GetX() - piece.GetX();
        const int32_t dy = menu->m_mapMarker.GetY() - piece.GetY();
        EXPECT_GE(dx, -5) << "room " << c.room;
        EXPECT_LE(dx, piece.width - 5) << "room " << c.room;
        EXPECT_GE(dy, -5) << "room " << c.room;
        EXPECT_LE(dy, piece.height - 5) << "room " << c.room;
    }
    EXPECT_EQ(menu->m_maps[1].count, 13);
    EXPECT_EQ(menu->m_maps[2].count, 18);
    EXPECT_EQ(menu->m_maps[3].count, 29);
    EXPECT_EQ(menu->m_maps[4].count, 29);
    EXPECT_EQ(menu->m_maps[5].count, 29);
}

TEST_F(MenuRooms, OtherScreenSizesTurnTheBarAnchorAndScaleTheMarkersTravel) {
    // width, height, the anchor's size and source x (0 0: kept from the row
    // before), the view height the marker's travel is taken from.
    struct Case {
        int32_t width, height;
        int32_t rootW, rootH, rootSrcX;
        int32_t viewH;
    };
    const Case cases[] = {
        {320, 568, 320, 120, 60, 420}, {320, 512, 320, 120, 60, 452}, {568, 384, 120, 320, 0, 320},
        {320, 320, 0, 0, 0, 320},      {512, 300, 120, 320, 0, 0},    {480, 320, 120, 320, 0, 320},
    };
    int32_t lastW = 120, lastH = 320, lastSrcX = 0;
    for (const Case& c : cases) {
        game->m_screenWidth = c.width;
        game->m_screenHeight = c.height;
        game->m_mapId = 57;  // map B, room 57: piece 5, 60 x 20
        OpenMenu();
        const int32_t rootW = c.rootW ? c.rootW : lastW, rootH = c.rootW ? c.rootH : lastH;
        const int32_t srcX = c.rootW ? c.rootSrcX : lastSrcX;
        EXPECT_EQ(menu->m_root.width, rootW) << c.width << "x" << c.height;
        EXPECT_EQ(menu->m_root.height, rootH) << c.width << "x" << c.height;
        ASSERT_FALSE(menu->m_root.GetSpriteTable(WidgetTable::Normal).empty());
        EXPECT_EQ(menu->m_root.GetSpriteTable(WidgetTable::Normal)[0].srcX, srcX) << c.width << "x" << c.height;
        EXPECT_EQ(menu->m_root.x, 114);
        EXPECT_EQ(menu->m_root.y, 84);
        EXPECT_EQ(menu->m_panel.x, c.width / 2 - 284);
        lastW = rootW;
        lastH = rootH;
        lastSrcX = srcX;

        // With the camera at the far end of its travel over the stage (the
        // view taken off the stage's size) the marker stands at the far end
        // of the piece: 10 pixels in from its right and bottom, less 5. A
        // stage no taller than the view has no travel: 5 above the piece.
        CStageData* stage = game->m_stageControl.GetStage();
        ASSERT_NE(stage, nullptr);
        const int32_t rangeX = (stage->GetWidth() * 40 - c.width) * 10;
        const int32_t rangeY = (stage->GetHeight() * 40 - c.viewH) * 10;
        ASSERT_GT(rangeX, 0);
        stage->m_cameraX = rangeX;
        stage->m_cameraY = rangeY != 0 ? rangeY : 1000;
        Tab(2);
        const CWidget& piece = menu->m_maps[1].pieces[5];
        EXPECT_EQ(piece.width, 60);
        EXPECT_EQ(piece.height, 20);
        EXPECT_EQ(menu->m_mapMarker.GetX() - piece.GetX(), 45) << c.width << "x" << c.height;
        EXPECT_EQ(menu->m_mapMarker.GetY() - piece.GetY(), rangeY != 0 ? 5 : -5) << c.width << "x" << c.height;
        // Half-way, half-way along.
        stage->m_cameraX = rangeX / 2;
        stage->m_cameraY = rangeY != 0 ? rangeY / 2 : 1000;
        Frame();
        EXPECT_EQ(menu->m_mapMarker.GetX() - piece.GetX(), 20) << c.width << "x" << c.height;
        EXPECT_EQ(menu->m_mapMarker.GetY() - piece.GetY(), rangeY != 0 ? 0 : -5) << c.width << "x" << c.height;
        Tab(0);

        Click(menu->m_closeButton.GetX() + 30, menu->m_closeButton.GetY() + 20);
        Frame(12);
        EXPECT_EQ(menu->GetState(), ScreenState::Closed) << c.width << "x" << c.height;
    }
}

TEST_F(MenuRooms, EachPotionHealsItsWayAndIsGoneFromTheStock) {
    OpenMenu();
    CCharacterPlayer* p = Player();
    // row, sound, life after, gauge after (-1: full)
    struct Case {
        int row, sound;
        int32_t life, gauge;
    };
    const Case cases[] = {{6, 45, 900, 0}, {7, 45, -1, 0}, {8, 46, 100, 8000}, {9, 46, 100, -1}};
    for (const Case& c : cases) {
        p->SetHealingPotions(c.row == 6 ? 1 : -1);
        p->SetExHealingPotions(c.row == 7 ? 1 : -1);
        p->SetMagicPotions(c.row == 8 ? 1 : -1);
        p->SetExMagicPotions(c.row == 9 ? 1 : -1);
        p->hpMax = 2000;
        p->hp = 100;
        p->gaugeMax = 20000;
        p->gauge = 0;
        Frame();
        for (int r = 6; r <= 9; ++r) EXPECT_EQ(menu->m_itemRows[r].IsVisible(), r == c.row) << "row " << r;
        Row(c.row);
        EXPECT_STREQ(menu->m_useButton.GetText(), "USE");
        EXPECT_TRUE(menu->m_useButton.IsEnabled()) << "row " << c.row;
        sounds.clear();
        UseButton();
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), c.sound), 1) << "row " << c.row;
        EXPECT_EQ(p->hp, c.life < 0 ? 2000 : c.life) << "row " << c.row;
        EXPECT_EQ(p->gauge, c.gauge < 0 ? 20000 : c.gauge) << "row " << c.row;
        EXPECT_STREQ(menu->m_itemRows[c.row].GetText(), "0") << "row " << c.row;
        EXPECT_FALSE(menu->m_useButton.IsEnabled()) << "none left, row " << c.row;
    }
}

TEST_F(MenuRooms, TheHudsMenuButtonPausesPlayOpensTheMenuAndClosesItAgain) {
    // The button is made hidden; shown, it works as the menu's own close.
    hud->m_menuButton.SetVisible(true);
    Click(30, 298);
    EXPECT_TRUE(Paused());
    EXPECT_EQ(Root()->GetTop(), menu);
    Frame(10);
    ASSERT_EQ(menu->GetState(), ScreenState::Active);
    sounds.clear();
    Click(30, 298);
    EXPECT_EQ(menu->GetState(), ScreenState::Closing);
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    Frame(10);
    EXPECT_TRUE(Playing());
    Frame();
    EXPECT_EQ(Root()->GetTop(), hud);
    hud->m_menuButton.SetVisible(false);
}

}  // namespace
