// The life bars: the hearts and air-dash marks the player's bar draws for
// its hit points, the boss bar's fill, and the bars a stage start leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "ui/GameInputMain.h"
#include "platform/GraphicsDevice.h"
#include "ui/Lifebar.h"
#include "win/Graphics.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

namespace {

struct Mark {
    int32_t x, y;
    std::string kind;
};

// The marks a draw of the player's bar puts on screen, in order.
std::vector<Mark> DrawnMarks() {
    std::vector<Mark> marks;
    SetSpriteObserver([&](const SpriteDraw& d) {
        if (d.slot != 16 || d.srcY != 60) return;
        const char* kind = "?";
        switch (d.srcX) {
            case 170: kind = "full"; break;
            case 180: kind = "half"; break;
            case 190: kind = "empty"; break;
            case 90: kind = "small"; break;
            case 100: kind = "small-empty"; break;
            case 200: kind = "dash"; break;
            case 210: kind = "dash-used"; break;
            default: break;
        }
        marks.push_back({d.x, d.y, kind});
    });
    CLifebarNinja::GetInstance()->Draw();
    SetSpriteObserver(nullptr);
    return marks;
}

std::vector<std::string> Kinds(const std::vector<Mark>& marks, bool hearts = true) {
    std::vector<std::string> kinds;
    for (const Mark& m : marks) {
        if ((m.kind.rfind("dash", 0) == 0) != hearts) kinds.push_back(m.kind);
    }
    return kinds;
}

class PlayerBar : public ::testing::Test {
protected:
    void Show(int32_t hp, int32_t hpMax, int32_t dashes = 1, int32_t dashesMax = 1) {
        player.hp = hp;
        player.hpMax = hpMax;
        player.airDashes = dashes;
        player.airDashesMax = dashesMax;
        bar->Update();
    }

    CCharacterPlayer player;
    CLifebarNinja* bar = CLifebarNinja::GetInstance();

    void SetUp() override { CGameMain::GetInstance()->m_player = &player; }
};

using Kind = std::vector<std::string>;

TEST_F(PlayerBar, OneHeartPerHundredHitPointsWithHalvesAndAHalfSizeLastHeart) {
    Show(250, 300);
    EXPECT_EQ(Kinds(DrawnMarks()), (Kind{"full", "full", "half"}));
    Show(320, 350);
    EXPECT_EQ(Kinds(DrawnMarks()), (Kind{"full", "full", "full", "small"}));
    Show(300, 350);
    EXPECT_EQ(Kinds(DrawnMarks()), (Kind{"full", "full", "full", "small-empty"}));
    Show(0, 300);
    EXPECT_EQ(Kinds(DrawnMarks()), (Kind{"empty", "empty", "empty"}));
    // A heart is half from 1 to 50 of its hundred, full above.
    Show(151, 300);
    EXPECT_EQ(Kinds(DrawnMarks()), (Kind{"full", "full", "empty"}));
    Show(150, 300);
    EXPECT_EQ(Kinds(DrawnMarks()), (Kind{"full", "half", "empty"}));
}

TEST_F(PlayerBar, HeartsRunEightToARowAndAThirdRowHoldsTheMostLifeThereIs) {
    // 300 of the start and 20 life tanks: 23 hearts.
    Show(2300, 2300, 2, 3);
    const std::vector<Mark> marks = DrawnMarks();
    std::vector<Mark> hearts;
    for (const Mark& m : marks)
        if (m.kind == "full") hearts.push_back(m);
    ASSERT_EQ(hearts.size(), 23u);
    EXPECT_EQ(hearts[0].x, 70);
    EXPECT_EQ(hearts[0].y, 18);
    EXPECT_EQ(hearts[7].x, 210);
    EXPECT_EQ(hearts[8].x, 70);
    EXPECT_EQ(hearts[8].y, 38);
    EXPECT_EQ(hearts[16].x, 70);
    EXPECT_EQ(hearts[16].y, 58);
    EXPECT_EQ(hearts[22].x, 190);
    // The marks under "JUMP": two left of three.
    EXPECT_EQ(Kinds(marks, false), (Kind{"dash", "dash", "dash-used"}));
    EXPECT_EQ(marks[23].x, 260);
    EXPECT_EQ(marks[25].x, 300);
    EXPECT_EQ(marks[25].y, 18);
    // Past eight, the marks go on in a second row 20 lower.
    Show(100, 100, 9, 10);
    const std::vector<Mark> dashes = DrawnMarks();
    ASSERT_EQ(dashes.size(), 11u);
    struct Dash {
        int j, x, y;
        const char* kind;
    };
    for (const Dash& d : {Dash{0, 260, 18, "dash"}, Dash{7, 400, 18, "dash"}, Dash{8, 260, 38, "dash"},
                          Dash{9, 280, 38, "dash-used"}}) {
        EXPECT_EQ(dashes[1 + d.j].x, d.x) << d.j;
        EXPECT_EQ(dashes[1 + d.j].y, d.y) << d.j;
        EXPECT_EQ(dashes[1 + d.j].kind, d.kind) << d.j;
    }
    Show(2300, 2300, 2, 3);
    // "JUMP" and its marks stand 8 from the right edge of the wider screens.
    CGameMain* game = CGameMain::GetInstance();
    struct Width {
        int32_t screen, jump;
    };
    for (const Width& c : {Width{568, 560}, Width{512, 504}, Width{480, 260}}) {
        game->m_screenWidth = c.screen;
        EXPECT_EQ(DrawnMarks()[23].x, c.jump) << c.screen;
    }
}

TEST_F(PlayerBar, TheBarKeepsItsValuesWithoutAPlayerAndSetupStartsAfresh) {
    Show(120, 500);
    CGameMain::GetInstance()->m_player = nullptr;
    bar->Update();
    EXPECT_EQ(bar->m_value, 120);
    EXPECT_EQ(bar->m_maxValue, 500);
    bar->Setup();
    EXPECT_EQ(bar->m_value, 0);
    EXPECT_EQ(bar->m_maxValue, 300);
    EXPECT_EQ(bar->m_airDashesMax, 1);
    EXPECT_EQ(bar->GetAlpha(), 255);
}

TEST_F(PlayerBar, TheWholeBarStandsStillWhenTheScreenShakes) {
    Show(300, 300);
    DrawParams::shakeEnabled = 1;
    bool shakeOff = true;
    SetSpriteObserver([&](const SpriteDraw&) { shakeOff = shakeOff && DrawParams::shakeEnabled == 0; });
    bar->Draw();
    SetSpriteObserver(nullptr);
    EXPECT_TRUE(shakeOff);
    EXPECT_EQ(DrawParams::shakeEnabled, 1);
}

TEST_F(PlayerBar, TheLabelsAreWrittenOnceEachAndTheMarksAreAllItDrawsBesides) {
    Show(300, 300, 1, 2);
    std::vector<std::string> texts;
    int glyphs = 0;
    std::vector<int32_t> slots;
    SetTextObserver([&](const TextDraw& t) {
        texts.push_back(std::string(t.text) + " " + std::to_string(t.x) + "," + std::to_string(t.y));
    });
    SetGlyphObserver([&](const GlyphDraw&) { ++glyphs; });
    SetSpriteObserver([&](const SpriteDraw& d) { slots.push_back(d.slot); });
    bar->Draw();
    SetTextObserver(nullptr);
    SetGlyphObserver(nullptr);
    SetSpriteObserver(nullptr);
    EXPECT_EQ(texts, (std::vector<std::string>{"HP 70,2", "JUMP 260,2"}));
    // Six letters, then three hearts and two marks of the HUD sheet.
    ASSERT_EQ(glyphs, 6);
    EXPECT_EQ(std::vector<int32_t>(slots.begin() + 6, slots.end()), (std::vector<int32_t>{16, 16, 16, 16, 16}));
}

class BossBar : public ::testing::Test {
protected:
    CCharacter boss;
    CLifebarController* bars = CLifebarController::GetInstance();
};

TEST_F(BossBar, FillsTowardTheBossesLifeInFortyFramesAndDrainsAtTheSameRate) {
    boss.hp = boss.hpMax = 1000;
    bars->SetEnemyBar(&boss);
    CLifebarEnemy* bar = bars->GetEnemyBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetAlpha(), 224);
    for (int frame = 1; frame <= 39; ++frame) bar->Update();
    EXPECT_EQ(bar->m_value, 975);
    bar->Update();
    EXPECT_EQ(bar->m_value, 1000);
    EXPECT_EQ(bar->FillWidth(), 150);

    boss.hp = 940;
    bar->Update();
    EXPECT_EQ(bar->m_value, 975);
    bar->Update();
    EXPECT_EQ(bar->m_value, 950);
    bar->Update();
    EXPECT_EQ(bar->m_value, 940) << "never past the boss's life";
    EXPECT_EQ(bar->FillWidth(), 141);

    // Attached again, the fill starts from nothing.
    bars->SetEnemyBar(&boss);
    EXPECT_EQ(bar->m_value, 0);
}

TEST_F(BossBar, DrawsItsFrameLabelAndStripCentredOverTheBottomEdge) {
    boss.hp = boss.hpMax = 400;
    bars->SetEnemyBar(&boss);
    for (int i = 0; i < 40; ++i) bars->GetEnemyBar()->Update();
    std::vector<SpriteDraw> draws;
    SetSpriteObserver([&](const SpriteDraw& d) {
        if (d.slot == 14) draws.push_back(d);
    });
    bars->GetEnemyBar()->Draw();
    SetSpriteObserver(nullptr);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].x, 100);
    EXPECT_EQ(draws[0].y, 300);
    EXPECT_EQ(draws[0].srcX, 160);
    EXPECT_EQ(draws[0].w, 160);
    EXPECT_EQ(draws[1].x, 106);
    EXPECT_EQ(draws[1].y, 306);
    EXPECT_EQ(draws[1].srcY, 170);
    EXPECT_EQ(draws[1].w, 150);
    EXPECT_EQ(draws[1].h, 3);
    const CLifebarEnemy* bar = bars->GetEnemyBar();
    EXPECT_STREQ(bar->GetText(), "BOSS");
    EXPECT_EQ(std::vector<int32_t>({bar->textX, bar->textY, bar->textWidth, bar->textHeight, bar->textFlags}),
              std::vector<int32_t>({-65, 2, 160, 20, 5}));
}

// A full strip fills the frame's field to its right end, and nothing red
// stands past it.
TEST_F(BossBar, AFullStripEndsInsideItsFrame) {
    ASSERT_TRUE(InitGraphics());
    LoadTexture(14, 114, 512);
    boss.hp = boss.hpMax = 400;
    bars->SetEnemyBar(&boss);
    for (int i = 0; i < 40; ++i) bars->GetEnemyBar()->Update();
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF808080u, 1.0f);
    bars->GetEnemyBar()->Draw();
    const auto red = [device](int x, int y) {
        const uint32_t p = device->Pixel(x, y);
        const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
        return r > g + 60 && r > b + 40;
    };
    // The strip: 300 pixels from x 106, rows 306 to 311.
    for (int y = 306; y < 312; ++y) {
        EXPECT_TRUE(red(106, y) && red(405, y)) << y;
        for (int x = 406; x < 440; ++x) EXPECT_FALSE(red(x, y)) << x << "," << y;
    }
    ReleaseGraphics();
}

TEST_F(BossBar, DetachedItIsNeitherUpdatedNorDrawnAndAStageStartDetachesIt) {
    boss.hp = boss.hpMax = 400;
    bars->SetEnemyBar(&boss);
    bars->SetEnemyBar(nullptr);
    EXPECT_EQ(bars->GetEnemyBar(), nullptr);
    int drawn = 0;
    SetSpriteObserver([&](const SpriteDraw& d) { drawn += d.slot == 14; });
    bars->Draw();
    SetSpriteObserver(nullptr);
    EXPECT_EQ(drawn, 0);

    bars->SetEnemyBar(&boss);
    CLifebarNinja::GetInstance()->m_value = 77;
    ASSERT_TRUE(CGameMain::GetInstance()->StartStage(267));
    EXPECT_EQ(bars->GetEnemyBar(), nullptr);
    EXPECT_EQ(bars->GetNinjaBar(), CLifebarNinja::GetInstance());
    // The new player's life shows from the first HUD frame.
    bars->Update();
    EXPECT_EQ(bars->GetNinjaBar()->m_value, CGameMain::GetInstance()->m_player->hp);
}

}  // namespace
