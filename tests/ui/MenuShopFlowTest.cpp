// The in-stage menu and shop in the whole game's frame step, drawn: from
// the title into the first stage, the menu's three pages (the MAP page on
// a room of map A), then the shop; each closes back into running play.
// With PELLUMBRISK_SHOTS=dir it writes a PNG of each page there.
#include "framework/SaveData.h"
#include "framework/StateMain.h"
#include "ui/GameInputMainMenu.h"
#include "ui/GameInputMainShop.h"
#include "ui/GameInputTitleTop.h"
#include "ui/GameLoopTest.h"

namespace {

class MenuShopFlow : public testing_support::GameLoopTest {
protected:
    bool Playing() const { return states->GetCurrent() == CGameStateMainNormal::GetInstance(); }
    // Any pixel of the rectangle differs from `colour`.
    static bool Drawn(int x0, int y0, int w, int h, uint32_t colour) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                if (GetDevice()->Pixel(x, y) != colour) return true;
        return false;
    }
};

TEST_F(MenuShopFlow, TheMenuPagesAndTheShopOverTheFirstStage) {
    CGameInputTitleTop* title = CGameInputTitleTop::GetInstance();
    FramesUntil([&] { return title->GetState() == ScreenState::Active; });
    Tap(240, 155);  // "START"
    Tap(160, 220);
    Tap(160, 220);
    FramesUntil([&] { return Playing(); });
    ASSERT_TRUE(Playing());
    CGameInputMainMenu* menu = CGameInputMainMenu::GetInstance();
    CSaveData& slot = game->m_slotData[game->m_currentSlot];
    static_cast<CCharacterPlayer*>(game->m_player)->SetHealingPotions(3);

    states->ChangeState(8);
    CGameInputController::GetInstance()->PushInput(ScreenId::MainMenu);
    Frame(12);
    ASSERT_EQ(menu->GetState(), ScreenState::Active);
    Tap(135, 182);  // the healing potion
    Shot("menu-item");
    Tap(222, 82);  // STATE
    Shot("menu-state");
    for (int room = 8; room <= 30; ++room) slot.SetSlotFlag(401 + room, room % 5 != 0 ? 1 : 0);
    const int32_t stage = game->m_mapId;
    game->m_mapId = 20;
    Tap(302, 82);  // MAP
    Frame(2);
    ASSERT_TRUE(menu->m_mapMarker.IsVisible());
    ASSERT_TRUE(menu->m_maps[0].container.IsVisible());
    Shot("menu-map");
    Tap(130, 270);  // zoom out
    Shot("menu-map-overview");
    game->m_mapId = stage;
    Tap(460, 290);  // close
    FramesUntil([&] { return Playing(); });
    EXPECT_TRUE(Playing());

    CGameInputMainShop* shop = CGameInputMainShop::GetInstance();
    states->ChangeState(8);
    shop->SetOrigin(300, 250);
    CGameInputController::GetInstance()->PushInput(ScreenId::MainShop);
    Frame(5);
    Shot("shop-opening");
    Frame(7);
    ASSERT_EQ(shop->GetState(), ScreenState::Active);
    Tap(82 + 52 * 2, 152);  // the tank of heart
    Shot("shop");
    EXPECT_TRUE(Drawn(50, 60, 380, 220, GetDevice()->Pixel(5, 5))) << "the window is drawn";
    Tap(400, 260);  // close
    FramesUntil([&] { return Playing(); });
    EXPECT_TRUE(Playing());
}

}  // namespace
