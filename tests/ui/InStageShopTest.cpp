// The in-stage shop over paused play: the window flying out of the stall
// and back, each of the eight goods bought with just enough gold and not
// bought with one less, the stock limits, and the upgrades with their price
// steps, their flags and the resume snapshot.
#include <string>

#include "framework/SaveData.h"
#include "support/PlayerRoom.h"
#include "framework/TextTable.h"
#include "ui/GameInputMainShop.h"
#include "ui/Lifebar.h"
#include "ui/UiTestSupport.h"
#include "win/Sprite.h"

namespace {

class InStageShop : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        Slot().SetNewGameDefaults();
        Frame();
        CCharacterPlayer* p = Player();
        p->SetShurikenAmmo(0);
        p->SetBombAmmo(0);
        for (auto set : {&CCharacterPlayer::SetHealingPotions, &CCharacterPlayer::SetExHealingPotions,
                         &CCharacterPlayer::SetMagicPotions, &CCharacterPlayer::SetExMagicPotions}) {
            (p->*set)(0);
        }
        OpenShop();
    }
    void OpenShop() {
        CGameStateController::GetInstance()->ChangeState(8);
        shop->SetOrigin(300, 200);
        Root()->PushInput(ScreenId::MainShop);
        Frame(10);
        ASSERT_EQ(shop->GetState(), ScreenState::Active);
    }
    // Places on a 480-wide view: the open window stands at (50, 60).
    void Select(int row) { Click(82 + 52 * (row % 4), 152 + 52 * (row / 4)); }
    void Buy() { Click(320, 260); }
    void CloseButton() { Click(400, 260); }
    CSaveData& Slot() { return game->m_slotData[game->m_currentSlot]; }

    CGameInputMainShop* shop = CGameInputMainShop::GetInstance();
};

TEST_F(InStageShop, TheWindowGrowsOutOfTheStallGreetsAndShrinksBackBeforePlayResumes) {
    EXPECT_TRUE(Paused());
    // The life bars keep following the player under the shop.
    Player()->hp = Player()->hpMax - 50;
    Frame();
    EXPECT_EQ(CLifebarNinja::GetInstance()->m_value, Player()->hpMax - 50);
    EXPECT_EQ(shop->m_window.x, 50);
    EXPECT_EQ(shop->m_window.y, 60);
    EXPECT_EQ(shop->m_window.scaleX, 2.0f);
    EXPECT_EQ(shop->m_window.moveX0, 300 - 80) << "it flew from the stall";
    EXPECT_EQ(shop->m_window.moveY0, 200);
    EXPECT_STREQ(shop->m_speechText.GetText(), GetText(90));
    EXPECT_STREQ(shop->m_infoText.GetText(), "");
    EXPECT_EQ(shop->SelectedRow(), -1);
    EXPECT_STREQ(shop->m_itemIcons[0].GetText(), "20") << "shuriken come twenty to a pack";
    EXPECT_STREQ(shop->m_itemIcons[1].GetText(), "10") << "bombs ten";
    Player()->SetGold(77);
    Select(4);
    EXPECT_STREQ(shop->m_goldText.GetText(), "77G");
    // Two rows of four icons 52 apart from (10, 70) in the window; the
    // chosen one bright, the others grey.
    struct Icon {
        int row, x, y, shade;
    };
    for (const Icon& c : {Icon{0, 10, 70, 128}, Icon{3, 166, 70, 128}, Icon{4, 10, 122, 255}, Icon{7, 166, 122, 128}}) {
        EXPECT_EQ(shop->m_itemIcons[c.row].x, c.x) << c.row;
        EXPECT_EQ(shop->m_itemIcons[c.row].y, c.y) << c.row;
        EXPECT_EQ(shop->m_itemIcons[c.row].red, c.shade) << c.row;
        EXPECT_EQ(shop->m_itemOverlays[c.row].red, c.shade) << c.row;
    }

    sounds.clear();
    CloseButton();
    EXPECT_EQ(shop->GetState(), ScreenState::Closing);
    EXPECT_EQ(sounds, std::vector<int32_t>{35}) << "the close button clicks";
    Frame(8);
    EXPECT_TRUE(Paused());
    Frame();
    EXPECT_TRUE(Playing());
    EXPECT_EQ(shop->m_window.x, 220);
    EXPECT_EQ(shop->m_window.scaleX, 0.0f);
    EXPECT_EQ(shop->m_window.scaleY, 0.0f);
    Frame();
    EXPECT_EQ(Root()->GetTop(), hud);
    // Opened again, nothing is chosen and the keeper greets anew.
    OpenShop();
    EXPECT_EQ(shop->SelectedRow(), -1);
    EXPECT_STREQ(shop->m_speechText.GetText(), GetText(90));
    EXPECT_STREQ(shop->m_infoText.GetText(), "");
}

TEST_F(InStageShop, TheWindowOpensCentredOnEveryScreenWidth) {
    // The open window's left edge is half the view less 190; a width the
    // game does not know counts as none.
    struct Place {
        int32_t width, x;
    };
    for (const Place& p : {Place{480, 50}, Place{568, 94}, Place{512, 66}, Place{320, -30}, Place{600, -190}}) {
        game->m_screenWidth = p.width;
        shop->Open();
        // While it flies out only the window itself is drawn.
        int drawn = 0, others = 0;
        SetSpriteObserver([&](const SpriteDraw& d) {
            ++drawn;
            if (d.srcX != 200 || d.srcY != 260) ++others;
        });
        shop->Draw();
        SetSpriteObserver(nullptr);
        EXPECT_EQ(drawn, 1) << p.width;
        EXPECT_EQ(others, 0) << p.width;
        EXPECT_EQ(shop->m_window.moveX0, 300 - 80) << p.width;
        EXPECT_EQ(shop->m_window.moveX1, p.x) << p.width;
        EXPECT_EQ(shop->m_window.moveY1, 60) << p.width;
        shop->Close();
        EXPECT_EQ(shop->m_window.moveX0, p.x) << p.width;
        EXPECT_EQ(shop->m_window.moveX1, 300 - 80) << p.width;
    }
    game->m_screenWidth = 480;
    // The text panels' picture: the speech on sheet 0, the others on the HUD sheet.
    struct Panel {
        const CWidget* widget;
        int32_t sheet, x, y, w, h;
    };
    for (const Panel& c : {Panel{&shop->m_speechText, 0, 210, 150, 24, 24}, Panel{&shop->m_infoText, 16, 210, 150, 24, 24},
                           Panel{&shop->m_goldText, 16, 210, 150, 24, 24}, Panel{&shop->m_buyButton, 16, 210, 150, 24, 24},
                           Panel{&shop->m_keeperIcon, 40, 182, 21, 16, 16}}) {
        const SpriteKey k = c.widget->GetSpriteTable(WidgetTable::Normal)[0];
        EXPECT_EQ(k.slot, c.sheet) << c.x;
        EXPECT_EQ(k.srcX, c.x);
        EXPECT_EQ(k.srcY, c.y);
        EXPECT_EQ(k.width, c.w);
        EXPECT_EQ(k.height, c.h);
    }
    EXPECT_FLOAT_EQ(shop->m_keeperIcon.scaleX, 3.0f) << "the keeper's 16 x 16 face drawn at 3x";
}

struct GoodsCase {
    int row;
    int32_t price;
    int32_t (CCharacterPlayer::*stock)();
    int32_t after;
    int32_t label;   // the text of its price
    int32_t effect;  // the text of what it does, last in the panel
    int32_t name;    // the first line of the panel
    int32_t speech;  // the keeper's line while it is chosen
};

TEST_F(InStageShop, EachGoodsIsBoughtWithJustEnoughGoldAndNotWithOneLess) {
    const GoodsCase cases[] = {
        {0, 10, &CCharacterPlayer::GetShurikenAmmo, 20, 165, 132, 121, 107},
        {1, 20, &CCharacterPlayer::GetBombAmmo, 10, 166, 133, 122, 108},
        {4, 50, &CCharacterPlayer::GetHealingPotions, 1, 175, 136, 125, 111},
        {5, 200, &CCharacterPlayer::GetExHealingPotions, 1, 176, 137, 126, 112},
        {6, 50, &CCharacterPlayer::GetMagicPotions, 1, 177, 138, 127, 113},
        {7, 200, &CCharacterPlayer::GetExMagicPotions, 1, 178, 139, 128, 114},
    };
    CCharacterPlayer* p = Player();
    const auto slots = [p] {
        return std::vector<int32_t>{p->GetEquipSlot(0), p->GetEquipSlot(1), p->GetEquipSlot(2)};
    };
    ASSERT_EQ(slots(), (std::vector<int32_t>{1, 0, 0}));
    for (const GoodsCase& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(shop->GetPrice(c.row), c.price);
        p->SetGold(c.price - 1);
        Select(c.row);
        EXPECT_NE(std::string(shop->m_infoText.GetText()).find(std::string("\n") + GetText(c.label) + "\n"),
                  std::string::npos)
            << shop->m_infoText.GetText();
        const std::string info = shop->m_infoText.GetText();
        EXPECT_EQ(info.rfind(std::string(GetText(c.name)) + "\n", 0), 0u) << info;
        EXPECT_STREQ(shop->m_speechText.GetText(), GetText(c.speech));
        const std::string effect = std::string("\n") + GetText(c.effect);
        EXPECT_TRUE(info.size() >= effect.size() && info.compare(info.size() - effect.size(), effect.size(), effect) == 0)
            << info;
        EXPECT_FALSE(shop->m_buyButton.IsEnabled());
        EXPECT_STREQ(shop->m_buyButton.GetText(), "");
        Buy();
        EXPECT_EQ((p->*c.stock)(), 0);
        EXPECT_EQ(p->GetGold(), c.price - 1);

        p->SetGold(c.price + 5);
        Select(c.row);
        EXPECT_TRUE(shop->m_buyButton.IsEnabled());
        EXPECT_STREQ(shop->m_buyButton.GetText(), GetText(183));
        sounds.clear();
        Buy();
        EXPECT_EQ(sounds, std::vector<int32_t>{40});
        EXPECT_EQ((p->*c.stock)(), c.after);
        EXPECT_EQ(p->GetGold(), 5);
        EXPECT_STREQ(shop->m_speechText.GetText(), GetText(91));
        // A purchase puts the owned weapons (shuriken 2 and bombs 3 here) into the free slots.
        EXPECT_EQ(slots(), (std::vector<int32_t>{1, 2, 3}));
    }
    Select(0);
    EXPECT_STREQ(shop->m_speechText.GetText(), GetText(107)) << "a new choice shows its description";
}

TEST_F(InStageShop, FullStocksAndMissingBombsCannotBeBought) {
    CCharacterPlayer* p = Player();
    p->SetGold(999);
    p->SetShurikenAmmo(195);
    Select(0);
    Buy();
    EXPECT_EQ(p->GetShurikenAmmo(), 200);
    EXPECT_FALSE(shop->m_buyButton.IsEnabled());
    struct Potion {
        int row;
        void (CCharacterPlayer::*set)(int32_t);
    };
    for (const Potion& c : {Potion{4, &CCharacterPlayer::SetHealingPotions}, Potion{5, &CCharacterPlayer::SetExHealingPotions},
                            Potion{6, &CCharacterPlayer::SetMagicPotions}, Potion{7, &CCharacterPlayer::SetExMagicPotions}}) {
        (p->*c.set)(9);
        Select(c.row);
        EXPECT_FALSE(shop->m_buyButton.IsEnabled()) << "row " << c.row << " at 9";
        (p->*c.set)(8);
        Select(c.row);
        EXPECT_TRUE(shop->m_buyButton.IsEnabled()) << "row " << c.row << " at 8";
    }
    p->SetBombAmmo(30);
    Select(1);
    EXPECT_FALSE(shop->m_buyButton.IsEnabled());
    p->SetBombAmmo(29);
    Select(1);
    EXPECT_TRUE(shop->m_buyButton.IsEnabled());

    p->SetBombAmmo(-1);
    Select(1);
    EXPECT_STREQ(shop->m_speechText.GetText(), GetText(120));
    EXPECT_STREQ(shop->m_infoText.GetText(), GetText(131));
    EXPECT_FALSE(shop->m_buyButton.IsEnabled());
    EXPECT_EQ(shop->m_itemIcons[1].GetSpriteTable(WidgetTable::Normal)[0].srcX, 480);
    EXPECT_STREQ(shop->m_itemIcons[1].GetText(), "") << "no pack size for goods not in stock";
    Buy();
    EXPECT_EQ(p->GetBombAmmo(), -1);
}

TEST_F(InStageShop, UpgradesClimbTheirPriceStepsUntilSoldAndLastInTheSnapshot) {
    CCharacterPlayer* p = Player();
    const int32_t lifeBefore = p->hpMax;
    // Life tanks are flags 18 to 21 (+100 life each), gauge scrolls 38 to
    // 41 (+1000 gauge each); both cost 500, 1000, 2000, 3000.
    struct Upgrade {
        int row, firstFlag;
        int32_t CCharacterPlayer::*max;
        int32_t gain;
        int32_t (CGameInputMainShop::*level)();
        int32_t firstLabel;  // the price label of level 0; one text further per level
    };
    const int32_t steps[] = {500, 1000, 2000, 3000};
    for (const Upgrade& u : {Upgrade{2, 18, &CCharacterPlayer::hpMax, 100, &CGameInputMainShop::GetLifeLevel, 167},
                             Upgrade{3, 38, &CCharacterPlayer::gaugeMax, 1000, &CGameInputMainShop::GetGaugeLevel, 171}}) {
        const int32_t before = p->*u.max;
        EXPECT_FALSE(shop->m_itemOverlays[u.row].IsVisible());
        for (int level = 0; level < 4; ++level) {
            SCOPED_TRACE(testing::Message() << "row " << u.row << " level " << level);
            EXPECT_EQ((shop->*u.level)(), level);
            EXPECT_EQ(shop->GetPrice(u.row), steps[level]);
            p->SetGold(steps[level] - 1);
            Select(u.row);
            EXPECT_FALSE(shop->m_buyButton.IsEnabled());
            EXPECT_NE(std::string(shop->m_infoText.GetText()).find(std::string("\n") + GetText(u.firstLabel + level) + "\n"),
                      std::string::npos)
                << shop->m_infoText.GetText();
            p->SetGold(steps[level]);
            Select(u.row);
            Buy();
            EXPECT_EQ(Slot().GetSlotFlag(u.firstFlag + level), 1);
            EXPECT_EQ(p->*u.max, before + u.gain * (level + 1));
            EXPECT_EQ(p->GetGold(), 0);
            EXPECT_EQ(shop->m_itemOverlays[u.row].IsVisible(), level == 3);
        }
        EXPECT_EQ(shop->GetPrice(u.row), 2147483647);  // sold out
        p->SetGold(999999);
        Select(u.row);
        EXPECT_FALSE(shop->m_buyButton.IsEnabled());
        EXPECT_NE(std::string(shop->m_infoText.GetText()).find(GetText(182)), std::string::npos);
    }

    // The snapshot carries the upgrades: a player read from it starts with
    // the raised maximum.
    CSaveData& snapshot = game->m_resumeData[game->m_currentSlot];
    EXPECT_EQ(snapshot.GetSlotFlag(21), 1);
    p->hpMax = 0;
    p->ReadStatus(snapshot);
    EXPECT_EQ(p->hpMax, lifeBefore + 400);
}

TEST_F(InStageShop, AGaugeScrollFoundOutOfOrderLeavesThePurchaseTheFirstClearFlag) {
    CCharacterPlayer* p = Player();
    Slot().SetSlotFlag(39, 1);
    const int32_t gaugeBefore = p->gaugeMax;
    EXPECT_EQ(shop->GetGaugeLevel(), 1);
    p->SetGold(1000);
    Select(CGameInputMainShop::kGaugeRow);
    Buy();
    EXPECT_EQ(Slot().GetSlotFlag(38), 1);
    EXPECT_EQ(shop->GetGaugeLevel(), 2);
    EXPECT_EQ(p->gaugeMax, 3000 + 2000) << "was " << gaugeBefore;
    EXPECT_EQ(p->GetGold(), 0);
}

// A shop point in a room of real blocks: the ninja's tap on the stall
// pauses play and opens the shop where the stall stands; a purchase spends
// the ninja's gold, and closing lets play run on.
TEST(InStageShopScenario, AShopPointOpensTheShopOutOfItsStall) {
    player_room::Room r;
    CGameInputMainShop* shop = CGameInputMainShop::GetInstance();
    r.s.Run(8);
    CCharacter* stall = r.s.AddAt(10190, r.ninja->x + 800, player_room::kFloor - 200);
    ASSERT_NE(stall, nullptr);
    r.s.Run(2);
    ASSERT_EQ(stall->frame, 350);
    r.ninja->SetGold(60);
    r.ninja->SetHealingPotions(0);
    r.Tap(stall->x - 800, stall->y - 200);

    CGameStateController* states = CGameStateController::GetInstance();
    EXPECT_EQ(states->GetCurrent(), CGameStateMainPause::GetInstance());
    EXPECT_EQ(CGameInputController::GetInstance()->GetTop(), shop);
    EXPECT_EQ(shop->m_originX, stall->x / 10);
    EXPECT_EQ(shop->m_originY, stall->y / 10);
    const auto frames = [&](int n, int32_t x = -1, int32_t y = -1) {
        for (int i = 0; i < n; ++i) {
            if (x >= 0) r.s.TouchDown(x, y);
            CMyInput::GetInstance()->Poll();
            states->DoAction();
            if (x >= 0) r.s.TouchUp();
        }
    };
    frames(12);
    ASSERT_EQ(shop->GetState(), ScreenState::Active);
    const int32_t wx = shop->m_window.GetX(), wy = shop->m_window.GetY();
    frames(1, wx + 10 + 22, wy + 122 + 22);  // the healing potion
    frames(1);
    frames(1, wx + 270, wy + 200);  // BUY
    frames(1);
    EXPECT_EQ(r.ninja->GetHealingPotions(), 1);
    EXPECT_EQ(r.ninja->GetGold(), 10);
    frames(1, wx + 350, wy + 200);  // close
    frames(12);
    EXPECT_EQ(states->GetCurrent(), CGameStateMainNormal::GetInstance());
    EXPECT_EQ(shop->GetState(), ScreenState::Closed);
}

}  // namespace
