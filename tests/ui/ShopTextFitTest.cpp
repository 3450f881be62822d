// Every text of the title shop, the status, score and stage-select screens,
// the save slots, the ending, the in-stage menu with its map page and the
// in-stage shop stays inside its text area, in both languages. Each screen
// of the table is driven through the states that show its texts and drawn
// with its own Draw; the ink of every text DrawString lays out is measured
// against the area the table gives for its box, and no two texts of one
// layer may touch. With PELLUMBRISK_SHOTS=dir each look is also drawn whole
// to dir/text-<look>-<en|ja>.png.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/SaveData.h"
#include "framework/StateLoading.h"
#include "framework/TextTable.h"
#include "player/Item.h"
#include "support/Screenshot.h"
#include "ui/GameInputEnding.h"
#include "ui/GameInputMainMenu.h"
#include "ui/GameInputMainShop.h"
#include "ui/GameInputSaveSlot.h"
#include "ui/GameInputTitleScore.h"
#include "ui/GameInputTitleShop.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/GameInputTitleState.h"
#include "ui/UiTestSupport.h"
#include "win/DrawString.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

struct Box {
    int32_t x, y, w, h;
    bool Holds(const Box& b) const { return b.x >= x && b.y >= y && b.x + b.w <= x + w && b.y + b.h <= y + h; }
    bool Meets(const Box& b) const { return b.x < x + w && x < b.x + b.w && b.y < y + h && y < b.y + b.h; }
    // The same box, or one of the copies an outlined text is drawn in.
    bool Outlines(const Box& b) const { return std::abs(b.x - x) <= 2 && std::abs(b.y - y) <= 2 && b.w == w && b.h == h; }
    std::string Show() const {
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(w) + " x " + std::to_string(h) + ")";
    }
};

// A text area: the box its widget hands to DrawString, where the ink must
// stay (the box, or where the box is only nominal, what the text is seen
// in), and its layer: a window drawn over texts hides them.
struct Area {
    Box box, inside;
    int layer = 0;
};
Area Own(Box b, int layer = 0) { return {b, b, layer}; }

// One text as DrawString laid it out: its box and the ink of each line.
struct Drawn {
    std::string text;
    Box box;
    std::vector<Box> lines;
    int layer = 0;
};

// Where a glyph leaves ink: the texels of its cell that are not transparent
// (the page wraps as the sampler does), at the scale drawn.
Box InkOf(const GlyphDraw& g) {
    const platform::Texture* page = TextureTable[g.slot].texture.get();
    int32_t left = g.w, top = g.h, right = -1, bottom = -1;
    for (int32_t v = 0; page != nullptr && v < g.h; ++v) {
        for (int32_t u = 0; u < g.w; ++u) {
            const uint32_t texel = page->At(static_cast<uint32_t>(g.srcX + u) % page->Width(),
                                            static_cast<uint32_t>(g.srcY + v) % page->Height());
            if ((texel >> 24) == 0) continue;
            left = std::min(left, u), right = std::max(right, u), top = std::min(top, v), bottom = std::max(bottom, v);
        }
    }
    if (right < 0) return {g.x, g.y, 0, 0};
    const auto at = [](int32_t n, float scale) { return static_cast<int32_t>(static_cast<float>(n) * scale); };
    const float sx = DrawParams::scaleX, sy = DrawParams::scaleY;
    return {g.x + at(left, sx), g.y + at(top, sy), at(right + 1, sx) - at(left, sx), at(bottom + 1, sy) - at(top, sy)};
}

// Every text a screen's Draw lays out.
std::vector<Drawn> DrawnBy(CGameInput* screen) {
    std::vector<Drawn> texts;
    int32_t lineTop = 0;
    SetTextObserver([&](const TextDraw& t) { texts.push_back({t.text, {t.x, t.y, t.w, t.h}, {}}); });
    SetGlyphObserver([&](const GlyphDraw& g) {
        const Box ink = InkOf(g);
        if (ink.w == 0) return;  // a blank
        std::vector<Box>& lines = texts.back().lines;
        if (lines.empty() || g.y != lineTop) {
            lines.push_back(ink);
        } else {
            Box& l = lines.back();
            const int32_t right = std::max(l.x + l.w, ink.x + ink.w), bottom = std::max(l.y + l.h, ink.y + ink.h);
            l.x = std::min(l.x, ink.x), l.y = std::min(l.y, ink.y), l.w = right - l.x, l.h = bottom - l.y;
        }
        lineTop = g.y;
    });
    screen->Draw();
    SetGlyphObserver(nullptr);
    SetTextObserver(nullptr);
    return texts;
}

using LookFn = std::function<std::vector<Drawn>(const std::string& what, int least)>;

// One screen: its text areas at a width of 480, and the way through the
// states that show its texts, with a look at each.
struct Screen {
    const char* name;
    std::vector<Area> areas;
    std::function<void(const LookFn&)> drive;
};

class ShopTexts : public testing_support::PlayTest {
protected:
    // The glyph pages give the font metrics, and their texels the ink.
    void SetUp() override {
        PlayTest::SetUp();
        ASSERT_TRUE(InitGraphics());
        game->LoadTexturePages();
        if (const char* dir = std::getenv("PELLUMBRISK_SHOTS")) {
            shots = dir;
            for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
        }
    }
    void TearDown() override {
        SetGlyphObserver(nullptr);
        SetTextObserver(nullptr);
        game->m_language = 0;
        ReleaseGraphics();
        PlayTest::TearDown();
    }

    // The top screen as it stands: every text seen lies inside its area and
    // on no other text of its layer, and at least `least` texts are seen.
    std::vector<Drawn> Look(std::string what, const std::vector<Area>& areas, int least) {
        const std::string where = what + (game->m_language == 1 ? ", Japanese" : ", English");
        if (!shots.empty()) {
            std::replace(what.begin(), what.end(), ' ', '-');
            game->Draw();
            testing_support::WriteScreenshot(shots + "/text-" + what + (game->m_language == 1 ? "-ja" : "-en") + ".png");
        }
        std::vector<Drawn> texts = DrawnBy(Root()->GetTop());
        int seen = 0;
        for (Drawn& d : texts) {
            if (d.lines.empty() || !Box{0, 0, 480, 320}.Meets(d.box)) continue;  // rows parked off the screen
            ++seen;
            const auto area = std::find_if(areas.begin(), areas.end(), [&](const Area& a) { return a.box.Outlines(d.box); });
            if (area == areas.end()) {
                ADD_FAILURE() << where << ": a text in the box " << d.box.Show() << " no area holds: " << d.text;
                continue;
            }
            d.layer = area->layer;
            // An outline's copies stand out of the area by their offset.
            const Box inside{area->inside.x + d.box.x - area->box.x, area->inside.y + d.box.y - area->box.y,
                             area->inside.w, area->inside.h};
            for (const Box& line : d.lines) {
                EXPECT_TRUE(inside.Holds(line)) << where << ": a line at " << line.Show() << " outside " << inside.Show()
                                                << ": " << d.text;
            }
            for (const Drawn& other : texts) {
                if (&other == &d) break;
                if (other.text == d.text || other.layer != d.layer) continue;  // an outline, or hidden
                for (const Box& mine : d.lines) {
                    for (const Box& theirs : other.lines) {
                        EXPECT_FALSE(mine.Meets(theirs)) << where << ": \"" << d.text << "\" on \"" << other.text << "\"";
                    }
                }
            }
        }
        EXPECT_GE(seen, least) << where;
        return texts;
    }

    // The stage select, and a title screen pushed from its button at y.
    void OpenSelect() {
        game->GoToTitle();
        Root()->SetInput(ScreenId::TitleStageSelect);
        Frame(40);
    }
    void PushFromSelect(int32_t buttonY, CGameInput* screen) {
        OpenSelect();
        Click(456, buttonY);
        Frame(60);
        ASSERT_EQ(Root()->GetTop(), screen);
    }
    // A stage with a player who owns every weapon, potion and ability, with
    // full stocks and a slot played for 99 hours and 59 minutes.
    void StartStage() {
        ASSERT_TRUE(game->StartStage(266));
        CCharacterPlayer* p = Player();
        p->SetGold(999999), p->SetShurikenAmmo(200), p->SetBombAmmo(30);
        p->SetFireNinjutsu(1), p->SetWindNinjutsu(1), p->SetWaterNinjutsu(1);
        p->SetHealingPotions(9), p->SetExHealingPotions(9), p->SetMagicPotions(9), p->SetExMagicPotions(9);
        p->airDashesMax = 4, p->wallHold = 1, p->ceilingHold = 1, p->softBlockCrash = 1;
        game->m_slotData[game->m_currentSlot].SetInt(SaveSlotRecord::kPlayTime, 14397600);
        Frame();
    }

    std::string shots;
};

TEST_F(ShopTexts, EveryTextOfTheScreensStaysInItsAreaInBothLanguages) {
    CItem* items = CItem::GetInstance();
    const Area titleBar = Own({0, 0, 480, 20});
    const Area window = Own({40, 20, 400, 280});  // status and score: (40, 15) + (0, 5)
    // The ending's top-aligned texts in a nominal 480 x 30 box at x 60 are
    // seen right of the black column and between the two bars.
    const Box betweenBars{60, 40, 420, 240};
    // The in-stage menu's frame stands at (100, 60); the last two areas are
    // the life bar's labels over it.
    std::vector<Area> menu = {Own({102, 62, 80, 40}),  Own({182, 62, 80, 40}),   Own({262, 62, 80, 40}),
                              Own({390, 164, 80, 40}), Own({120, 220, 340, 60}), Own({306, 118, 148, 80}),
                              Own({70, 2, 200, 200}),  Own({260, 2, 200, 200})};
    for (int32_t row : {1, 2, 6, 7, 8, 9}) menu.push_back(Own({113 + 59 * (row % 6), row < 6 ? 108 : 160, 46, 46}));
    // The erase dialogue is a window over the rows.
    std::vector<Area> slots = {Own({60, 110, 360, 140}, 1), Own({70, 180, 160, 40}, 1), Own({250, 180, 160, 40}, 1)};
    // A row's text starts 24 pixels in, clear of the frame's rim.
    for (int32_t row = 0; row < 3; ++row) slots.push_back(Own({64, 30 + 100 * row, 380, 60}));

    const std::vector<Screen> table = {
        // The speech keeps to the cream of its balloon: the English comments
        // in full-width letters are wider than its box and cannot wrap. The
        // info panel's text, in style 0 at the panel's 2x, runs a few pixels
        // over the panel's frame with the longest English lines (seven for
        // the potion, "→Hold:Hanging"), but stays clear of the gold panel.
        {"title shop",
         {titleBar, {{86, 20, 320, 60}, {76, 24, 376, 50}}, {{228, 108, 224, 120}, {226, 96, 238, 142}},
          Own({54, 106, 112, 128}),
          Own({220, 276, 80, 42}), Own({228, 246, 224, 20})},
         [&](const LookFn& look) {
             CGameInputTitleShop* shop = CGameInputTitleShop::GetInstance();
             items->Reset();
             game->m_gold = 999999;
             PushFromSelect(208, shop);
             look("", 3);
             for (int32_t page = 0; page < 2; ++page) {
                 for (int32_t row = 0; row < (page == 0 ? 12 : 3); ++row) {
                     shop->SelectRow(row, page);
                     const auto texts = look("page " + std::to_string(page) + " row " + std::to_string(row), 5 + page);
                     // The stars as the table holds them, blanks and all.
                     for (const Drawn& d : texts) {
                         if (page == 1 && d.box.x == 54) {
                             EXPECT_EQ(d.text, GetText(87 + row));
                         }
                     }
                 }
             }
             // The panel draws the name, the price, the category and the
             // effect line, which for the potion begins with its name again.
             shop->SelectRow(0, 0);
             // Texts 125, 175, 143 and 233: "POTION OF HEALING", "50G",
             // the consumables' category, "POTION OF HEALING\nHEAL 8 HP".
             const std::string potion = std::string(GetText(125)) + "\n" + GetText(175) + "\n" + GetText(143) + "\n" +
                                        GetText(233);
             const auto texts = look("potion", 5);
             const auto panel = std::find_if(texts.begin(), texts.end(), [](const Drawn& d) { return d.box.x == 228; });
             ASSERT_NE(panel, texts.end());
             EXPECT_EQ(panel->text, potion);
             // In English both names wrap after "POTION OF".
             EXPECT_EQ(panel->lines.size(), game->m_language == 1 ? 5u : 7u);
             Click(260, 297);  // BUY
             look("thanks", 3);
         }},
        {"status", {titleBar, window},
         [&](const LookFn& look) {
             for (int32_t kind = 0; kind < CItem::kKindCount; ++kind) items->SetCount(kind, 1), items->SetFlag(kind, 1);
             PushFromSelect(164, CGameInputTitleState::GetInstance());
             look("", 1);
         }},
        {"score", {titleBar, window},
         [&](const LookFn& look) {
             CGameInputTitleScore* score = CGameInputTitleScore::GetInstance();
             PushFromSelect(120, score);
             for (int32_t page = 0; page < CGameInputTitleScore::kCharacterPages; ++page) {
                 for (int32_t stagePage : {0, 1}) {
                     score->m_characterPage = page, score->m_stagePage = stagePage;
                     score->RefreshHeader();
                     look(std::to_string(page) + " " + std::to_string(stagePage), 1);
                 }
             }
         }},
        {"stage select", {titleBar},
         [&](const LookFn& look) {
             OpenSelect();
             look("", 1);
         }},
        {"save slots", slots,
         [&](const LookFn& look) {
             for (CSaveData& slot : game->m_slotData) {
                 slot.SetNewGameDefaults();
                 slot.SetInt(SaveSlotRecord::kPlayTime, 14397600);
                 for (int32_t flag = 9; flag <= 48; ++flag) slot.SetSlotFlag(flag, 1);
             }
             Root()->SetInput(ScreenId::SaveSlot);
             Frame(20);
             for (int32_t page = 0; page < CGameInputSaveSlot::kPages; ++page) {
                 if (page > 0) CGameInputSaveSlot::GetInstance()->ShowPage(page - 1, page), Frame(20);
                 look("page " + std::to_string(page), 3);
             }
             // The last row's erase: both questions, then the message.
             Click(420, 230);
             Frame(12);
             look("first question", 6);
             Click(150, 200);
             Frame(12);
             look("second question", 6);
             Click(150, 200);
             Frame(24);
             look("erased", 4);
             Click(240, 160);
             Frame(12);
         }},
        {"ending", {{{60, 100, 480, 30}, betweenBars}, {{60, 60, 480, 30}, betweenBars}, {{60, 120, 480, 30}, betweenBars}},
         [&](const LookFn& look) {
             CGameInputEnding* ending = CGameInputEnding::GetInstance();
             game->m_slotData[game->m_currentSlot].SetInt(SaveSlotRecord::kPlayTime, 14397600);
             Root()->SetInput(ScreenId::Ending);
             Frame(41);
             for (int32_t card = 0; card < 8; ++card) {
                 ending->LayoutStep();
                 ending->m_creditLine.MoveTo(0, 0, 100, 100, 0, 0);  // halfway up
                 look("card " + std::to_string(card), 1);
             }
             ending->LayoutStep();
             look("the end", 2);
             Click(240, 160);
             look("result", 1);
         }},
        {"menu", menu,
         [&](const LookFn& look) {
             StartStage();
             CGameStateController::GetInstance()->ChangeState(8);
             Root()->PushInput(ScreenId::MainMenu);
             Frame(12);
             Click(142, 82);  // ITEM
             for (int32_t row = 0; row < CGameInputMainMenu::kRows; ++row) {
                 Click(135 + 59 * (row % 6), row < 6 ? 130 : 182);
                 look("item " + std::to_string(row), 5);
             }
             Click(222, 82);  // STATE
             const CWidget* icons = CGameInputMainMenu::GetInstance()->m_abilityIcons;
             for (int32_t icon = 0; icon < 4; ++icon) {  // the fifth is never shown
                 Click(icons[icon].GetX() + 22, icons[icon].GetY() + 22);
                 look("ability " + std::to_string(icon), 7);
             }
             Click(302, 82);  // MAP
             look("map", 5);
         }},
        // The shop's window stands at (50, 60). A name of eight kana (the
        // potions, the scroll) reaches 4 pixels past the info box, to the
        // edge of its panel.
        {"in-stage shop",
         {Own({122, 72, 296, 46}), {{280, 130, 140, 60}, {280, 130, 144, 60}}, Own({280, 210, 140, 20}),
          Own({280, 250, 80, 20}),
          Own({60, 130, 46, 46}), Own({112, 130, 46, 46})},
         [&](const LookFn& look) {
             StartStage();
             Player()->SetHealingPotions(0);
             for (int32_t bombs : {0, -1}) {
                 for (int32_t level : {0, 4}) {
                     for (int32_t flag = 0; flag < 4; ++flag) {
                         game->m_slotData[game->m_currentSlot].SetSlotFlag(18 + flag, flag < level ? 1 : 0);
                         game->m_slotData[game->m_currentSlot].SetSlotFlag(38 + flag, flag < level ? 1 : 0);
                     }
                     Player()->SetBombAmmo(bombs);
                     CGameStateController::GetInstance()->ChangeState(8);
                     CGameInputMainShop::GetInstance()->SetOrigin(300, 200);
                     Root()->PushInput(ScreenId::MainShop);
                     Frame(10);
                     const std::string state = "bombs " + std::to_string(bombs) + " level " + std::to_string(level);
                     look(state, 3);
                     for (int32_t row = 0; row < CGameInputMainShop::kGoods; ++row) {
                         Click(82 + 52 * (row % 4), 152 + 52 * (row / 4));
                         look(state + " row " + std::to_string(row), 4);
                     }
                     Click(82, 204);   // the potion of healing
                     Click(300, 260);  // BUY
                     look(state + " thanks", 3);
                     Click(400, 260);  // close
                     Frame(12);
                 }
             }
         }},
    };

    for (const Screen& screen : table) {
        for (int32_t language : {0, 1}) {
            game->m_language = language;
            screen.drive([&](const std::string& what, int least) {
                return Look(std::string(screen.name) + (what.empty() ? "" : " " + what), screen.areas, least);
            });
        }
    }
}

}  // namespace
