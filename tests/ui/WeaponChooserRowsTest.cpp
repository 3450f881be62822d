// The HUD's weapon chooser on each of the three equip slots: the slot that
// holds the weapon in use spreads its own row, and the choice goes into
// that slot. The equip buttons are hidden in play; shown here.
#include <string>
#include <utility>
#include <vector>

#include "ui/UiTestSupport.h"
#include "win/DrawString.h"

namespace {

class ChooserRows : public testing_support::PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        for (auto& row : hud->m_icons)
            for (CWidget& icon : row) icon.SetVisible(true);
    }
    void TapSlot(int i) { Click(30, 88 + 72 * i); }
    void TapSpread(int row, int k) { Click(86 + 56 * k, 88 + 72 * row); }
};

TEST_F(ChooserRows, TheSlotHoldingTheWeaponInUseSpreadsItsRowAndTakesTheChoice) {
    // The slot in use and its row's y; the other slots hold the bombs.
    struct Case {
        int row;
        int32_t y;
    };
    for (const Case c : {Case{0, 64}, Case{1, 136}, Case{2, 208}}) {
        SCOPED_TRACE(c.row);
        CCharacterPlayer* p = Player();
        p->shurikenAmmo = 10;
        p->bombAmmo = 3;
        p->fireNinjutsu = p->windNinjutsu = p->waterNinjutsu = 0;
        for (int s = 0; s < 3; ++s) p->equipSlots[s] = s == c.row ? WeaponId::Katana : WeaponId::Bomb;
        p->currentWeapon = WeaponId::Katana;
        sounds.clear();
        TapSlot(c.row);
        EXPECT_EQ(hud->GetState(), 7);
        EXPECT_EQ(sounds, std::vector<int32_t>{35});
        EXPECT_TRUE(Paused());
        Frame(9);
        // Katana, shuriken and bombs out to the right on the row's own line;
        // the unowned ninjutsu and the potions off the screen.
        EXPECT_EQ(hud->m_icons[c.row][WeaponId::Katana].x, 62);
        EXPECT_EQ(hud->m_icons[c.row][WeaponId::Shuriken].x, 118);
        EXPECT_EQ(hud->m_icons[c.row][WeaponId::Bomb].x, 174);
        EXPECT_EQ(hud->m_icons[c.row][WeaponId::Bomb].y, c.y);
        EXPECT_EQ(hud->m_icons[c.row][WeaponId::NinjutsuFire].x, -200);
        EXPECT_EQ(hud->m_icons[c.row][WeaponId::PotionOfMagic].x, -200);
        for (int other = 0; other < 3; ++other) {
            if (other != c.row) {
                EXPECT_EQ(hud->m_icons[other][WeaponId::Shuriken].x, 6) << "row " << other;
            }
        }
        TapSpread(c.row, 1);  // the shuriken
        EXPECT_EQ(p->equipSlots[c.row], WeaponId::Shuriken);
        EXPECT_EQ(p->currentWeapon, WeaponId::Shuriken);
        for (int other = 0; other < 3; ++other) {
            if (other != c.row) {
                EXPECT_EQ(p->equipSlots[other], WeaponId::Bomb) << "row " << other;
            }
        }
        EXPECT_EQ(hud->GetState(), 8);
        Frame(10);
        EXPECT_TRUE(Playing());
        EXPECT_EQ(hud->m_icons[c.row][WeaponId::Shuriken].x, 6);
    }
}

TEST_F(ChooserRows, AnEmptySlotOfAnOwnedCountPutsNothingInHand) {
    CCharacterPlayer* p = Player();
    p->shurikenAmmo = 4;
    p->equipSlots[0] = WeaponId::Katana;
    p->equipSlots[1] = WeaponId::None;
    p->currentWeapon = WeaponId::Katana;
    hud->ShowNewMarks(WeaponId::Shuriken);
    TapSlot(1);
    EXPECT_EQ(p->currentWeapon, WeaponId::None);
    EXPECT_EQ(hud->GetState(), ScreenState::Active) << "no chooser for a slot not in use";
    EXPECT_TRUE(hud->m_newMarks[0][WeaponId::Shuriken].visible) << "no weapon's mark goes";
    // Marks for ids that have no column are ignored.
    hud->ShowNewMarks(11);
    hud->ShowNewMarks(-1);
}

TEST_F(ChooserRows, NewMarksShowOnTheSlotsTheyConcernAndBlinkWithTheFrameCount) {
    CCharacterPlayer* p = Player();
    p->shurikenAmmo = 10;
    p->bombAmmo = 3;
    p->fireNinjutsu = p->windNinjutsu = p->waterNinjutsu = 0;
    p->equipSlots[0] = WeaponId::Katana;
    p->equipSlots[1] = WeaponId::Shuriken;
    p->equipSlots[2] = WeaponId::None;
    p->currentWeapon = WeaponId::Katana;
    for (int32_t w : {WeaponId::Katana, WeaponId::Shuriken, WeaponId::Bomb}) hud->ShowNewMarks(w);
    std::vector<std::pair<int32_t, int32_t>> marks;  // (x, y) of each "NEW"
    SetTextObserver([&](const TextDraw& t) {
        if (std::string(t.text) == "NEW") marks.emplace_back(t.x, t.y);
    });
    const auto drawn = [&](int32_t frameCount) {
        marks.clear();
        CGameMain::GetInstance()->m_frameCount = frameCount;
        hud->Draw();
        return marks;
    };
    using Marks = std::vector<std::pair<int32_t, int32_t>>;
    // Slot 0 holds the weapon in use: its own katana and the bombs that no
    // slot holds; slot 1 its own shuriken only; the empty slot 2 none.
    EXPECT_EQ(drawn(0), (Marks{{6, 64}, {6, 64}, {6, 136}}));
    EXPECT_EQ(drawn(29), (Marks{{6, 64}, {6, 64}, {6, 136}}));
    EXPECT_TRUE(drawn(30).empty()) << "off for 30 frames";
    EXPECT_TRUE(drawn(59).empty());
    EXPECT_EQ(drawn(60).size(), 3u);
    // Nothing in hand: the empty slot "holds" it, yet an empty slot shows
    // no marks; the others show their own weapons only.
    p->currentWeapon = WeaponId::None;
    EXPECT_EQ(drawn(0), (Marks{{6, 64}, {6, 136}}));
    p->currentWeapon = WeaponId::Katana;

    // With the chooser open on slot 0 the weapon of another slot is marked
    // too: bombs, shuriken and katana spread at 174, 118 and 62.
    TapSlot(0);
    Frame(10);
    EXPECT_EQ(drawn(0), (Marks{{174, 64}, {118, 64}, {62, 64}, {6, 136}}));
    SetTextObserver(nullptr);
}

}  // namespace
