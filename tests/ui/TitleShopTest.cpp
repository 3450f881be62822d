// The title shop, the status screen and the score screen, each pushed from
// the stage select through the real screen stack: buying every kind of good
// with enough and too little gold, switching equipment and characters, the
// score pages, and a bought character playing the next stage.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/SaveData.h"
#include "framework/TextTable.h"
#include "player/Item.h"
#include "ui/GameInputTitleScore.h"
#include "ui/GameInputTitleShop.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/GameInputTitleState.h"
#include "ui/UiTestSupport.h"
#include "win/Sprite.h"

namespace {

using Shop = CGameInputTitleShop;
using R = SystemRecord;

class TitleScreens : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        CItem::GetInstance()->Reset();
        game->GoToTitle();
        Root()->SetInput(ScreenId::TitleStageSelect);
        WaitFor(select);
    }
    // The inventory lives across tests: none is left with these purchases.
    void TearDown() override {
        CItem::GetInstance()->Reset();
        PlayTest::TearDown();
    }
    // Frames until `screen` is the active top of the chain.
    void WaitFor(CGameInput* screen) {
        const auto ready = [&] { return Root()->GetTop() == screen && screen->GetState() == ScreenState::Active; };
        for (int i = 0; i < 100 && !ready(); ++i) Frame();
        ASSERT_TRUE(ready());
        sounds.clear();
    }
    // A stage-select button, then the pushed screen.
    void OpenFromSelect(int32_t buttonY, CGameInput* screen) {
        Click(456, buttonY);
        WaitFor(screen);
    }
    void Back(CGameInput* screen) {
        Click(456, 296);
        EXPECT_EQ(screen->GetState(), ScreenState::Closing);
        WaitFor(select);
    }
    void ClickCentre(const CWidget& w) { Click(w.x + w.width / 2, w.y + w.height / 2); }
    int32_t SavedInt(std::size_t offset) {
        const std::vector<uint8_t> b = saves.Read("save");
        if (b.size() != 65536) return -1;
        return b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 | b[offset + 3] << 24;
    }

    CGameInputTitleStageSelect* select = CGameInputTitleStageSelect::GetInstance();
    Shop* shop = Shop::GetInstance();
    CGameInputTitleState* status = CGameInputTitleState::GetInstance();
    CGameInputTitleScore* score = CGameInputTitleScore::GetInstance();
    CItem* items = CItem::GetInstance();
};

TEST_F(TitleScreens, TheShopSellsEachKindForItsPriceAndNothingWithoutTheGold) {
    struct Case {
        int32_t page, row, kind, price;
    };
    for (const Case& c : {Case{0, 0, 0, 1000}, Case{0, 3, 3, 8000}, Case{0, 11, 11, 400000}, Case{1, 0, 16, 10000},
                          Case{1, 2, 18, 200000}}) {
        SCOPED_TRACE(c.kind);
        for (bool enough : {false, true}) {
            game->m_gold = enough ? c.price : c.price - 1;
            OpenFromSelect(208, shop);
            EXPECT_STREQ(shop->m_speech.GetText(), "HI!");
            EXPECT_FALSE(shop->m_buyButton.IsVisible());
            if (c.page == 1) ClickCentre(shop->m_pageButton);
            EXPECT_EQ(shop->m_page, c.page);
            const CWidget& row = c.page == 0 ? shop->m_itemRows[c.row] : shop->m_characterRows[c.row];
            ClickCentre(row);
            EXPECT_EQ(shop->m_selectedRow, c.row);
            EXPECT_EQ(shop->m_buyButton.IsVisible(), enough);
            EXPECT_FALSE((c.page == 0 ? shop->m_itemMarks[c.row] : shop->m_characterMarks[c.row]).IsVisible());
            sounds.clear();
            Click(260, 297);  // where BUY stands
            if (!enough) {
                EXPECT_TRUE(sounds.empty());
                EXPECT_EQ(game->m_gold, c.price - 1);
                EXPECT_EQ(items->GetCount(c.kind), 0);
                EXPECT_FALSE(saves.Exists("save"));
                Back(shop);
                continue;
            }
            EXPECT_EQ(sounds, std::vector<int32_t>{40});
            EXPECT_EQ(game->m_gold, 0);
            EXPECT_EQ(items->GetCount(c.kind), 1);
            EXPECT_EQ(items->GetFlag(c.kind), 1);
            EXPECT_STREQ(shop->m_speech.GetText(), "THANK YOU!");
            EXPECT_STREQ(shop->m_goldPanel.GetText(), "0G");
            EXPECT_EQ(shop->m_selectedRow, -1);
            EXPECT_TRUE((c.page == 0 ? shop->m_itemMarks[c.row] : shop->m_characterMarks[c.row]).IsVisible());
            EXPECT_FALSE((c.page == 0 ? shop->m_itemMarks[10] : shop->m_characterMarks[1]).IsVisible())
                << "a kind not owned has no mark";
            EXPECT_EQ(SavedInt(R::kGold), 0);
            EXPECT_EQ(SavedInt(R::kItemCounts + 4 * c.kind), 1);
            if (c.page == 1) {
                EXPECT_EQ(game->m_selectedCharacter, 2 + c.row);
                EXPECT_EQ(items->GetFlag(15), 0) << "the bought character is the one in use";
            }
            // Owned: no BUY again, whatever the gold.
            game->m_gold = 999999;
            ClickCentre(row);
            EXPECT_FALSE(shop->m_buyButton.IsVisible());
            Back(shop);
            std::remove(saves.File("save").c_str());
        }
    }
}

TEST_F(TitleScreens, GoldStaysWithinItsCapAndThePotionChargesItsTablePrice) {
    game->m_gold = 1500000;
    OpenFromSelect(208, shop);
    EXPECT_STREQ(shop->m_goldPanel.GetText(), "1500000G");
    // The panels' pictures on the title sheet 14.
    struct Picture {
        const CWidget* widget;
        int32_t x, y, w, h;
    };
    for (const Picture& c : {Picture{&shop->m_infoPanel, 360, 0, 120, 68}, Picture{&shop->m_goldPanel, 360, 70, 120, 18},
                             Picture{&shop->m_buyButton, 320, 0, 40, 21}}) {
        const SpriteKey k = c.widget->GetSpriteTable(WidgetTable::Normal)[0];
        EXPECT_EQ(k.slot, 14) << c.x << "," << c.y;
        EXPECT_EQ(k.srcX, c.x) << c.y;
        EXPECT_EQ(k.srcY, c.y) << c.x;
        EXPECT_EQ(k.width, c.w) << c.x << "," << c.y;
        EXPECT_EQ(k.height, c.h) << c.x << "," << c.y;
    }
    // The panel: the name, the price label, the category, then the effect.
    ClickCentre(shop->m_itemRows[3]);
    const std::string amulet = std::string(GetText(52)) + "\n" + GetText(149) + "\n" + GetText(144) + "\n";
    EXPECT_EQ(std::string(shop->m_infoPanel.GetText()).rfind(amulet, 0), 0u);
    ClickCentre(shop->m_itemRows[0]);
    EXPECT_NE(std::string(shop->m_infoPanel.GetText()).find("50G"), std::string::npos) << "the label as it stands";
    Click(260, 297);
    EXPECT_EQ(game->m_gold, 999999);
    // The page button turns to the characters and back, clearing the row.
    ClickCentre(shop->m_itemRows[1]);
    ClickCentre(shop->m_pageButton);
    EXPECT_EQ(shop->m_page, 1);
    EXPECT_EQ(shop->m_selectedRow, -1);
    EXPECT_FALSE(shop->m_itemRows[0].IsVisible());
    // Each character shows its own portrait and its own stars.
    struct Portrait {
        int row, srcX, starsText;
    };
    for (const Portrait& c : {Portrait{1, 160, 88}, Portrait{0, 80, 87}, Portrait{2, 240, 89}}) {
        ClickCentre(shop->m_characterRows[c.row]);
        EXPECT_EQ(shop->m_portrait.GetSpriteTable(WidgetTable::Normal)[0].srcX, c.srcX) << c.row;
        EXPECT_STREQ(shop->m_portraitText.GetText(), GetText(c.starsText)) << c.row;
        EXPECT_EQ(std::vector<int32_t>({shop->m_portraitText.red, shop->m_portraitText.green, shop->m_portraitText.blue}),
                  std::vector<int32_t>({255, 255, 240}))
            << "warm white stars";
        // The chosen character's icon bright, the other two grey.
        std::vector<uint32_t> colours(3, 0);
        SetSpriteObserver([&](const SpriteDraw& d) {
            for (int k = 0; k < 3; ++k)
                if (d.x == 42 + 46 * k && d.y == 242 && colours[k] == 0) colours[k] = DrawParams::colour;
        });
        shop->Draw();
        SetSpriteObserver(nullptr);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(colours[k], k == c.row ? 0xFFFFFFFFu : 0xFF808080u) << c.row << " " << k;
    }
    ClickCentre(shop->m_pageButton);
    EXPECT_EQ(shop->m_page, 0);
    // Back on the characters with none chosen, the portrait is empty again.
    ClickCentre(shop->m_pageButton);
    EXPECT_EQ(shop->m_page, 1);
    EXPECT_EQ(shop->m_portrait.GetSpriteTable(WidgetTable::Normal)[0].width, 0);
    EXPECT_EQ(shop->m_portrait.GetSpriteTable(WidgetTable::Normal)[0].srcX, 0);
    EXPECT_TRUE(shop->m_portraitFrame.IsVisible());
    ClickCentre(shop->m_pageButton);
    EXPECT_EQ(shop->m_page, 0);
    EXPECT_FALSE(shop->m_portraitFrame.IsVisible()) << "the portrait belongs to the character page";
    EXPECT_FALSE(shop->m_portrait.IsVisible());
    // Nor are the characters' icons drawn on the item page.
    int characterIcons = 0;
    SetSpriteObserver([&](const SpriteDraw& d) {
        for (int k = 0; k < 3; ++k) characterIcons += d.x == 42 + 46 * k && d.y == 242;
    });
    shop->Draw();
    SetSpriteObserver(nullptr);
    EXPECT_EQ(characterIcons, 0);
}

TEST_F(TitleScreens, TheStatusTogglesOwnedEquipmentAndChoosesOneOwnedCharacter) {
    for (int32_t kind : {1, 6, 9, 16}) items->SetCount(kind, 1);
    OpenFromSelect(164, status);
    const auto text = [&] { return std::string(status->m_window.GetText()); };
    EXPECT_EQ(text(), "STATE\nLife    :3\nAttack  :1\nAir Dash:1\n\nITEM\n\n\n\n\n\n\n\nCHARACTER\n");
    EXPECT_EQ(status->m_characterSlots[0].x, 196);
    EXPECT_EQ(status->m_characterSlots[1].x, 240);
    EXPECT_FALSE(status->m_characterSlots[2].IsEnabled());

    ClickCentre(status->m_itemSlots[1]);
    ClickCentre(status->m_itemSlots[6]);
    ClickCentre(status->m_itemSlots[9]);
    EXPECT_EQ(text().substr(0, 45), "STATE\nLife    :4\nAttack  :2\nAir Dash:2\n\nITEM\n");
    ClickCentre(status->m_itemSlots[1]);
    EXPECT_EQ(items->GetFlag(1), 0);
    ClickCentre(status->m_itemSlots[2]);  // not owned
    EXPECT_EQ(items->GetFlag(2), 0);

    ClickCentre(status->m_characterSlots[1]);
    EXPECT_EQ(game->m_selectedCharacter, 2);
    EXPECT_EQ(items->GetFlag(16), 1);
    EXPECT_EQ(items->GetFlag(15), 0);
    ClickCentre(status->m_characterSlots[0]);
    EXPECT_EQ(game->m_selectedCharacter, 1);
    EXPECT_EQ(items->GetFlag(16), 0);
    Back(status);
    ASSERT_EQ(saves.Size("save"), 65536);
    EXPECT_EQ(saves.Read("save")[R::kItemFlags + 6], 1) << "written on the way back";

    // Everything in use, then nothing.
    for (int32_t kind = 0; kind <= 11; ++kind) items->SetFlag(kind, 1);
    const CGameInputTitleState::Values all = CGameInputTitleState::ValuesInUse();
    EXPECT_EQ(all.life, 8);
    EXPECT_EQ(all.attack, 6);
    EXPECT_EQ(all.airDash, 4);
}

TEST_F(TitleScreens, TheScorePagesTurnRoundAndStayBetweenOpenings) {
    score->m_characterPage = 0;
    score->m_stagePage = 0;
    OpenFromSelect(120, score);
    const auto text = [&] { return std::string(score->m_window.GetText()); };
    EXPECT_EQ(text(), "SCORE\n\nALL CHARACTER TOTAL\n\n\n\n");
    const char* pages[] = {"NINJA", "KUNOICHI", "KUSARIGAMA", "ROBO NINJA", "ALL CHARACTER TOTAL"};
    for (const char* page : pages) {
        ClickCentre(score->m_nextCharacterButton);
        EXPECT_EQ(text(), std::string("SCORE\n\n") + page + "\n\n\n\n");
    }
    ClickCentre(score->m_prevCharacterButton);
    EXPECT_EQ(score->m_characterPage, 4);
    ClickCentre(score->m_nextStagePageButton);
    EXPECT_EQ(text(), "SCORE\n\nROBO NINJA\n\n\n\nSTAGE  HI-SCORE    NO ITEM\n");
    // The column heading stands on stage pages 1, 2 and 3; round past 3 it goes.
    struct StagePage {
        CWidget* arrow;
        int32_t page;
        bool heading;
    };
    for (const StagePage& p : {StagePage{&score->m_prevStagePageButton, 0, false},
                               StagePage{&score->m_prevStagePageButton, 3, true},
                               StagePage{&score->m_prevStagePageButton, 2, true},
                               StagePage{&score->m_nextStagePageButton, 3, true},
                               StagePage{&score->m_nextStagePageButton, 0, false}}) {
        ClickCentre(*p.arrow);
        EXPECT_EQ(score->m_stagePage, p.page);
        EXPECT_EQ(text(), std::string("SCORE\n\nROBO NINJA\n\n\n\n") + (p.heading ? "STAGE  HI-SCORE    NO ITEM\n" : ""))
            << "page " << p.page;
    }
    ClickCentre(score->m_prevStagePageButton);
    sounds.clear();
    Click(456, 252);  // share
    EXPECT_EQ(sounds, std::vector<int32_t>{35});
    char share[256];
    CGameInputTitleScore::BuildShareText(share, sizeof share);
    EXPECT_STREQ(share, "Corvennic!\nPellumbrisk for the Linux desktop\n#Corvennic");
    Back(score);
    OpenFromSelect(120, score);
    EXPECT_EQ(score->m_characterPage, 4);
    EXPECT_EQ(score->m_stagePage, 3);

    // While the frame opens (14 frames) the four arrows stay away; share and
    // back show from the start.
    const auto arrowsAndButtons = [&] {
        int arrows = 0, buttons = 0;
        SetSpriteObserver([&](const SpriteDraw& d) {
            if (d.slot == 14 && d.srcY == 200 && d.srcX <= 60) ++arrows;
            if (d.slot == 14 && d.srcY == 80 && (d.srcX == 40 || d.srcX == 100)) ++buttons;
        });
        score->Draw();
        SetSpriteObserver(nullptr);
        return std::vector<int>{arrows, buttons};
    };
    score->m_window.StartResize(0, 360, 290, 290, 14, CWidgetWindow::kTogether);
    EXPECT_EQ(arrowsAndButtons(), (std::vector<int>{0, 2}));
    for (int i = 0; i < 14; ++i) score->m_window.Update();
    EXPECT_EQ(arrowsAndButtons(), (std::vector<int>{4, 2}));
}

TEST_F(TitleScreens, ACharacterBoughtAndChosenPlaysTheNextStage) {
    game->m_gold = 100000;
    OpenFromSelect(208, shop);
    ClickCentre(shop->m_pageButton);
    ClickCentre(shop->m_characterRows[1]);  // Kusarigama
    Click(260, 297);
    ASSERT_EQ(items->GetCount(17), 1);
    Back(shop);
    // On the status screen: the ninja, then the one just bought.
    OpenFromSelect(164, status);
    ClickCentre(status->m_characterSlots[0]);
    EXPECT_EQ(game->m_selectedCharacter, 1);
    ClickCentre(status->m_characterSlots[2]);
    EXPECT_EQ(game->m_selectedCharacter, 3);
    Back(status);
    EXPECT_EQ(select->m_stageButtons[0].GetSpriteTable(WidgetTable::Highlighted)[0].slot, 22);
    Click(120, 140);
    for (int i = 0; i < 60 && !Playing(); ++i) Frame();
    ASSERT_TRUE(Playing());
    ASSERT_NE(game->m_player, nullptr);
    EXPECT_EQ(game->m_player->typeId, 3);
}

TEST_F(TitleScreens, EachScreenLaysItsWidgetsOutForTheScreenWidth) {
    // At 480 and at 568 (the shop shifted by half the extra 88, the side
    // buttons at the right edge less 44, the rest centred).
    struct Place {
        const char* what;
        const CWidget* widget;
        int32_t x480, x568, y;
    };
    const Place places[] = {
        {"shop title", &shop->m_titleBar, 0, 44, 0},
        {"shop page arrow", &shop->m_pageButton, 90, 134, 290},
        {"shopkeeper", &shop->m_shopkeeper, 20, 64, 38},
        {"speech", &shop->m_speech, 56, 100, 20},
        {"item row 0", &shop->m_itemRows[0], 20, 64, 100},
        {"item row 5", &shop->m_itemRows[5], 66, 110, 146},
        {"item row 11", &shop->m_itemRows[11], 112, 156, 238},
        {"character row 2", &shop->m_characterRows[2], 134, 178, 242},
        {"portrait frame", &shop->m_portraitFrame, 40, 84, 100},
        {"portrait", &shop->m_portrait, 46, 90, 106},
        {"info panel", &shop->m_infoPanel, 220, 264, 100},
        {"buy", &shop->m_buyButton, 220, 264, 276},
        {"gold panel", &shop->m_goldPanel, 220, 264, 238},
        {"shop back", &shop->m_backButton, 436, 524, 276},
        {"status window", &status->m_window, 40, 84, -1},
        {"status item 0", &status->m_itemSlots[0], 108, 152, 118},
        {"status item 11", &status->m_itemSlots[11], 328, 372, 162},
        {"status back", &status->m_backButton, 436, 524, 276},
        {"score window", &score->m_window, 40, 84, -1},
        {"score stage up", &score->m_prevStagePageButton, 220, 264, 70},
        {"score stage down", &score->m_nextStagePageButton, 220, 264, 270},
        {"score character left", &score->m_prevCharacterButton, 60, 104, 38},
        {"score character right", &score->m_nextCharacterButton, 380, 424, 38},
        {"score share", &score->m_shareButton, 436, 524, 232},
        {"score back", &score->m_backButton, 436, 524, 276},
        {"select title", &select->m_titleBar, 0, 44, 0},
        {"select row up", &select->m_prevRowButton, 40, 84, 90},
        {"select row down", &select->m_nextRowButton, 400, 444, 90},
        {"select preview", &select->m_preview, 80, 124, 20},
        {"select cell 3", &select->m_stageButtons[3], 320, 364, 100},
        {"select plate 1", &select->m_plates[1], 170, 214, 150},
        {"select connector 2", &select->m_connectors[2], 310, 354, 150},
        {"select window", &select->m_window, 80, 124, -1},
        {"select score", &select->m_scoreButton, 436, 524, 100},
        {"select status", &select->m_statusButton, 436, 524, 144},
        {"select shop", &select->m_shopButton, 436, 524, 188},
        {"select leaderboard", &select->m_leaderboardButton, 436, 524, 232},
        {"select back", &select->m_backButton, 436, 524, 276},
    };
    for (int32_t width : {568, 480}) {
        game->m_screenWidth = width;
        for (CGameInput* screen : {static_cast<CGameInput*>(shop), static_cast<CGameInput*>(status),
                                   static_cast<CGameInput*>(score), static_cast<CGameInput*>(select)}) {
            screen->Open();
            // Each comes in from black, 16 a frame.
            EXPECT_EQ(CEffect::GetInstance()->m_fade, 255);
            EXPECT_EQ(CEffect::GetInstance()->m_fadeStep, -16);
        }
        // The page boxes open from a line across, over 14 frames.
        struct Box {
            const CWidgetWindow* window;
            int32_t w1, h;
        };
        for (const Box& b : {Box{&status->m_window, 360, 290}, Box{&score->m_window, 360, 290},
                             Box{&select->m_window, 320, 100}}) {
            EXPECT_EQ(b.window->resizeW0, 0);
            EXPECT_EQ(b.window->resizeW1, b.w1);
            EXPECT_EQ(b.window->resizeH0, b.h);
            EXPECT_EQ(b.window->resizeH1, b.h);
            EXPECT_EQ(b.window->resizeFrames, 14);
        }
        for (const Place& p : places) {
            EXPECT_EQ(p.widget->x, width == 480 ? p.x480 : p.x568) << p.what << " at " << width;
            if (p.y >= 0) {
                EXPECT_EQ(p.widget->y, p.y) << p.what;
            }
        }
    }
}

}  // namespace
