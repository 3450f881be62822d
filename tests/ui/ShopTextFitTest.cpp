// The shops' talk in both languages: whatever the in-stage shop says stays
// inside its bubble's text box, and the title shop's inside its bubble (a
// line the wrap cannot break, as a Japanese one, runs over the frame).
#include <algorithm>
#include <string>
#include <vector>

#include "ui/GameInputMainShop.h"
#include "ui/GameInputTitleShop.h"
#include "ui/GameInputTitleStageSelect.h"
#include "ui/UiTestSupport.h"
#include "win/DrawString.h"
#include "win/Sprite.h"

namespace {

class ShopTexts : public testing_support::PlayTest {
protected:
    // The font metrics come with the glyph pages.
    void SetUp() override {
        PlayTest::SetUp();
        game->LoadTexturePages();
    }
    void TearDown() override {
        SetGlyphObserver(nullptr);
        game->m_language = 0;
        PlayTest::TearDown();
    }
    // The glyphs of the widget's own text that fall outside its text box
    // (or, with `ownRect`, outside the widget's own picture).
    static std::string Overrun(CWidget& w, bool ownRect = false) {
        const int32_t left = ownRect ? w.GetX() : w.GetX() + w.textX;
        const int32_t top = ownRect ? w.GetY() : w.GetY() + w.textY;
        const int32_t right = left + (ownRect ? w.width : w.textWidth);
        const int32_t bottom = top + (ownRect ? w.height : w.textHeight);
        int glyphs = 0, outside = 0, most = 0;
        SetGlyphObserver([&](const GlyphDraw& g) {
            ++glyphs;
            const int32_t gw = static_cast<int32_t>(static_cast<float>(g.w) * DrawParams::scaleX);
            const int32_t gh = static_cast<int32_t>(static_cast<float>(g.h) * DrawParams::scaleY);
            const int32_t by = std::max({left - g.x, top - g.y, g.x + gw - right, g.y + gh - bottom});
            if (by > 0) ++outside;
            most = std::max(most, by);
        });
        w.DrawOwnText();
        SetGlyphObserver(nullptr);
        if (glyphs == 0) return "nothing drawn: " + std::string(w.GetText());
        if (outside == 0) return "";
        return std::to_string(outside) + " of " + std::to_string(glyphs) + " glyphs outside by up to " + std::to_string(most) + ": " + w.GetText();
    }
};

TEST_F(ShopTexts, EverySpeechOfTheInStageShopStaysInItsBubble) {
    CGameInputMainShop* shop = CGameInputMainShop::GetInstance();
    for (int32_t language : {0, 1}) {
        game->m_language = language;
        for (int32_t bombs : {0, -1}) {
            Player()->SetBombAmmo(bombs);
            CGameStateController::GetInstance()->ChangeState(8);
            shop->SetOrigin(300, 200);
            Root()->PushInput(ScreenId::MainShop);
            Frame(10);
            ASSERT_EQ(shop->GetState(), ScreenState::Active);
            EXPECT_EQ(Overrun(shop->m_speechText), "") << "greeting, language " << language;
            for (int row = 0; row < CGameInputMainShop::kGoods; ++row) {
                Click(82 + 52 * (row % 4), 152 + 52 * (row / 4));
                EXPECT_EQ(Overrun(shop->m_speechText), "") << "row " << row << ", language " << language;
            }
            Click(400, 260);  // close
            Frame(12);
        }
    }
}

TEST_F(ShopTexts, EverySpeechOfTheTitleShopStaysInItsBubble) {
    CGameInputTitleShop* shop = CGameInputTitleShop::GetInstance();
    for (int32_t language : {0, 1}) {
        game->m_language = language;
        game->GoToTitle();
        Root()->SetInput(ScreenId::TitleStageSelect);
        Frame(40);
        Root()->PushInput(ScreenId::TitleShop);
        Frame(40);
        ASSERT_EQ(Root()->GetTop(), shop);
        for (int32_t page = 0; page < 2; ++page) {
            const int rows = page == 0 ? 12 : 3;
            for (int row = 0; row < rows; ++row) {
                shop->SelectRow(row, page);
                EXPECT_EQ(Overrun(shop->m_speech, true), "")
                    << "page " << page << " row " << row << ", language " << language;
            }
        }
        shop->SelectRow(-1, 0);
    }
}

}  // namespace
