// The enemy frame tables as the kinds load them (variants applied): every
// picture is a cell of the kinds' art layouts, the shared records and the
// chains the behaviours rely on are as they must be, and the boxes sit
// where the kinds need them.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "character/CreateCharacter.h"
#include "enemy/CharacterEnemy.h"

namespace {

// A picture: slot, anchor and rectangle.
using Cell = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;

Cell CellOf(const FrameRecord& r) {
    return {r.textureId, r.u, r.v, r.spriteLeft, r.spriteRight, r.spriteTop, r.spriteBottom};
}

// Every cell of the enemies' layout files (pose slot u v left right top
// bottom anchor states...).
std::set<Cell> LayoutCells() {
    std::set<Cell> cells;
    for (const char* file : {"kappa_slot33", "enemy_ninja_slot30", "living_armour_slot30", "living_armour_slot29",
                             "archer_slot42", "flower_slot45", "dragon_slot44", "bird_slot46", "lizardman_slot43",
                             "soldier_slot35", "snow_fairy_slot29", "crow_slot29", "princess_slot41",
                             "gimmicks_slot48"}) {
        std::ifstream in(std::string(PELLUMBRISK_ART_LAYOUTS) + "/" + file + ".txt");
        EXPECT_TRUE(in) << file;
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream words(line);
            std::string pose;
            int32_t slot, u, v, l, r, t, b;
            if (words >> pose >> slot >> u >> v >> l >> r >> t >> b) cells.insert({slot, u, v, l, r, t, b});
        }
    }
    return cells;
}

struct Kind {
    int32_t id;
    bool grounded;
};

// Every variant of every kind of this lot.
constexpr Kind kKinds[] = {
    {10041, true},  {10042, true},  {10091, true},  {10092, true},  {10121, true},  {10122, true},
    {10123, true},  {11050, true},  {11051, true},  {11080, true},  {11081, true},  {11070, false},
    {11071, false}, {11073, false}, {11090, false}, {11091, false}, {11060, true},  {11061, true},
    {11001, true},  {11002, true},  {10060, true},  {10072, false},
};

std::unique_ptr<CCharacterEnemy> Make(int32_t id) {
    return std::unique_ptr<CCharacterEnemy>(dynamic_cast<CCharacterEnemy*>(CreateCharacter(id)));
}

bool Defined(const FrameRecord& r) { return !(r == FrameRecord{}); }
bool HasBody(const FrameRecord& r) { return r.bodyLeft != r.bodyRight; }
bool HasAttack(const FrameRecord& r) { return r.attackLeft != r.attackRight; }
bool HasHurt(const FrameRecord& r) { return r.hurtLeft != r.hurtRight; }

}  // namespace

TEST(EnemyFrames, EveryPictureIsACellOfTheArtLayouts) {
    const std::set<Cell> cells = LayoutCells();
    ASSERT_GT(cells.size(), 60u);
    for (const Kind& k : kKinds) {
        auto e = Make(k.id);
        ASSERT_NE(e, nullptr) << k.id;
        EXPECT_EQ(e->frameTable.Count(), 450);
        int32_t shown = 0;
        for (int32_t i = 1; i < e->frameTable.Count(); ++i) {
            const FrameRecord& r = e->RecordAt(i);
            if (!Defined(r)) continue;
            EXPECT_TRUE(cells.count(CellOf(r))) << k.id << " record " << i << " slot " << r.textureId << " at "
                                                << r.u << "," << r.v;
            ++shown;
        }
        EXPECT_GT(shown, 5) << k.id;
    }
    // The variants show their own hurt and defeat pictures.
    const std::tuple<int32_t, int32_t, int32_t, int32_t> variants[] = {
        {10092, 30, 105, 45}, {10122, 30, 105, 105}, {10123, 29, 105, 225}, {11060, 43, 140, 20}, {11061, 43, 140, 60}};
    for (const auto& [id, slot, u, v] : variants) {
        auto e = Make(id);
        for (int32_t r : {EnemyState::Hurt, EnemyState::Defeated, EnemyState::FadeOut}) {
            const FrameRecord& rec = e->RecordAt(r);
            EXPECT_EQ(std::tie(rec.textureId, rec.u, rec.v), std::tie(slot, u, v)) << id << " " << r;
        }
    }
    // The princess and the gimmicks: every picture but the gimmicks' shared
    // rows (slot 31, the standard pictures) is a cell of their layouts.
    for (int32_t id : {101, 20770, 20800, 20780}) {
        auto e = Make(id);
        ASSERT_NE(e, nullptr) << id;
        for (int32_t i = 1; i < e->frameTable.Count(); ++i) {
            const FrameRecord& r = e->RecordAt(i);
            if (!Defined(r) || r.textureId == 31) continue;
            EXPECT_TRUE(cells.count(CellOf(r))) << id << " record " << i << " at " << r.u << "," << r.v;
        }
    }
    // The spawner shows nothing: the one empty texel of slot 0.
    auto maker = Make(10005);
    for (int32_t i = 1; i < maker->frameTable.Count(); ++i) {
        const FrameRecord& r = maker->RecordAt(i);
        if (!Defined(r)) continue;
        EXPECT_EQ(CellOf(r), (Cell{0, 0, 0, 0, 0, 0, 0})) << i;
    }
}

TEST(EnemyFrames, SharedRecordsChainsAndBoxes) {
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.id);
        auto e = Make(k.id);
        const FrameRecord& hurt = e->RecordAt(EnemyState::Hurt);
        EXPECT_EQ(std::tie(hurt.nextState, hurt.stateDuration), std::make_tuple(220, 20));
        EXPECT_FALSE(HasAttack(hurt));
        EXPECT_EQ(std::tie(hurt.hurtLeft, hurt.hurtRight, hurt.hurtTop, hurt.hurtBottom),
                  std::make_tuple(-150, 150, -150, 150));
        for (int32_t d : {EnemyState::Defeated, EnemyState::FadeOut}) {
            EXPECT_FALSE(HasAttack(e->RecordAt(d)));
            EXPECT_FALSE(HasHurt(e->RecordAt(d)));
        }
        EXPECT_EQ(e->RecordAt(EnemyState::Defeated).stateDuration, kHeldDuration);
        const FrameRecord& fade = e->RecordAt(EnemyState::FadeOut);
        if (k.id == 11050 || k.id == 11051) {
            EXPECT_EQ(std::tie(fade.nextState, fade.stateDuration), std::make_tuple(112, 20));
        } else {
            EXPECT_EQ(std::tie(fade.nextState, fade.stateDuration), std::make_tuple(0, 100));
        }
        EXPECT_EQ(e->RecordAt(EnemyState::Wait).stateDuration, kHeldDuration);

        // Every chain leads to a record that exists; the behaviour records
        // carry the touch and hurt boxes, and a body where the kind stands.
        for (int32_t i = 1; i < e->frameTable.Count(); ++i) {
            const FrameRecord& r = e->RecordAt(i);
            if (!Defined(r)) continue;
            if (r.nextFrame > 0) {
                EXPECT_TRUE(Defined(e->RecordAt(r.nextFrame))) << i;
            }
            if (r.nextState > 0) {
                EXPECT_TRUE(Defined(e->RecordAt(r.nextState))) << i;
            }
            if (i < 230 || i >= 350) continue;
            EXPECT_EQ(std::tie(r.attackLeft, r.attackRight, r.attackTop, r.attackBottom),
                      std::make_tuple(-140, 140, -140, 140)) << i;
            EXPECT_EQ(std::tie(r.hurtLeft, r.hurtRight, r.hurtTop, r.hurtBottom), std::make_tuple(-150, 150, -150, 150))
                << i;
            const bool lurking = (k.id == 10041 || k.id == 10042) && (i == 250 || i == 251 || i == 258 || i == 259);
            EXPECT_EQ(HasBody(r), k.grounded && !lurking) << i;
            if (HasBody(r)) {
                EXPECT_EQ(std::tie(r.bodyLeft, r.bodyRight, r.bodyTop, r.bodyBottom),
                          std::make_tuple(-190, 190, -190, 190)) << i;
            }
        }
    }
    // The gimmicks' touch boxes, in every record they act in; no gimmick
    // has a body or can be hit.
    struct Box {
        int32_t id, first, last, left, right, top, bottom;
    };
    for (const Box& b : {Box{20770, 230, 249, -200, 200, -200, 200}, Box{20800, 230, 231, -250, 250, -250, 250},
                         Box{20780, 230, 230, -200, 200, -100, 200}, Box{20781, 231, 231, -200, 100, -200, 200},
                         Box{20782, 232, 232, -200, 200, -200, 100}, Box{20783, 233, 233, -100, 200, -200, 200}}) {
        const auto e = Make(b.id);
        for (int32_t i = b.first; i <= b.last; ++i) {
            const FrameRecord& r = e->RecordAt(i);
            EXPECT_EQ(std::tie(r.attackLeft, r.attackRight, r.attackTop, r.attackBottom),
                      std::tie(b.left, b.right, b.top, b.bottom)) << b.id << " " << i;
            EXPECT_FALSE(HasBody(r) || HasHurt(r)) << b.id << " " << i;
        }
    }
}

TEST(EnemyFrames, TheChainsTheBehavioursRelyOn) {
    struct Chain {
        int32_t id, from, next, duration;
    };
    // a -n-> b (999: held).
    const Chain chains[] = {
        {10041, 230, 231, 20}, {10041, 231, 232, 12}, {10041, 232, -1, 999}, {10041, 233, 230, 12},
        {10042, 250, -1, 999}, {10042, 251, -1, 999}, {10042, 252, -1, 999}, {10042, 253, 254, 20},
        {10042, 254, 255, 12}, {10042, 255, -1, 999}, {10042, 256, 257, 12}, {10042, 257, 258, 20},
        {10042, 258, -1, 999}, {10042, 259, 250, 40}, {10091, 230, 235, 60}, {10091, 233, 235, 60},
        {10091, 231, 235, 60}, {10091, 232, 235, 60}, {10121, 230, 235, 60}, {10121, 232, 235, 60},
        {10121, 233, 235, 60}, {10091, 234, -1, 999}, {10091, 235, 236, 8},  {10091, 236, 230, 20},
        {10092, 250, 251, 40},
        {10092, 251, 252, 8},  {10092, 252, 250, 20}, {10121, 231, 235, 60}, {10121, 235, 236, 8},
        {10121, 236, 230, 12}, {10122, 250, 251, 40}, {10122, 251, 252, 8},  {10122, 252, 250, 12},
        {10123, 270, 271, 40}, {10123, 271, 272, 8},  {10123, 272, 273, 12}, {10123, 273, 270, 12},
        {11050, 230, 231, 40}, {11050, 231, 232, 8},  {11050, 232, 233, 12}, {11050, 233, 230, 12},
        {11050, 110, -1, 999}, {11050, 112, -1, 999}, {11050, 113, -1, 999}, {11051, 250, 251, 20},
        {11051, 253, 254, 12}, {11051, 254, 255, 20}, {11051, 262, 263, 20}, {11051, 265, 250, 12},
        {11080, 230, 231, 20}, {11080, 231, -1, 999}, {11081, 250, 251, 10}, {11081, 251, -1, 999},
        {11070, 230, 232, 60}, {11070, 231, 232, 60}, {11070, 232, 230, 30}, {11070, 233, 230, 30},
        {11071, 250, 252, 60}, {11071, 253, 250, 30}, {11090, 230, 230, 800}, {11090, 231, 230, 800},
        {11091, 252, -1, 999}, {11060, 230, 230, 72}, {11060, 233, 230, 72}, {11060, 234, -1, 999},
        {11060, 235, -1, 999}, {11061, 250, 250, 72}, {11061, 251, 250, 72}, {11061, 252, 250, 72},
        {11061, 253, 250, 72},
        {11060, 231, 230, 72}, {11060, 232, 230, 72}, {11061, 254, -1, 999}, {11061, 255, -1, 999},
        {11060, 350, -1, 999}, {11060, 356, -1, 999}, {10005, 230, 231, 60}, {10005, 231, 232, 60},
        {10005, 232, 231, 60}, {10074, 250, 251, 60}, {10074, 251, 252, 120}, {10074, 252, 251, 120},
        {11072, 270, 271, 60}, {11072, 271, 272, 120}, {11072, 272, 271, 120},
        {11001, 230, -1, 999}, {11001, 231, 233, 8},  {11001, 232, 232, 40}, {11001, 233, 233, 40},
        {11002, 250, 251, 40}, {11002, 251, 250, 80}, {11002, 254, 250, 80}, {11000, 350, -1, 999},
        {11000, 354, -1, 999}, {10060, 230, 231, 40}, {10060, 231, 232, 20}, {10060, 232, 230, 24},
        {10060, 233, 230, 24}, {10072, 230, 232, 60}, {10072, 231, 232, 60}, {10072, 232, 230, 30},
        {10072, 233, 230, 30}, {10072, 250, 250, 96}, {10072, 251, 251, 96}, {20770, 230, -1, 999},
        {20770, 231, -1, 999}, {20770, 232, 233, 2},  {20770, 235, 236, 6},  {20770, 246, 247, 9},
        {20770, 249, 230, 3},  {20800, 230, -1, 999}, {20800, 231, -1, 999}, {20783, 233, -1, 999},
    };
    for (const Chain& c : chains) {
        const auto e = Make(c.id);
        const FrameRecord& r = e->RecordAt(c.from);
        EXPECT_EQ(std::tie(r.nextState, r.stateDuration), std::tie(c.next, c.duration)) << c.id << " " << c.from;
    }
    struct Loop {
        int32_t id, first, last, ticks;
    };
    // nextFrame cycles first .. last every `ticks`.
    const Loop loops[] = {{10091, 230, 233, 6}, {10121, 230, 233, 6}, {11070, 230, 231, 6}, {11070, 232, 233, 6},
                          {11071, 250, 251, 6}, {11090, 230, 231, 6}, {11091, 250, 251, 6}, {11060, 230, 233, 6},
                          {11061, 250, 253, 6}, {11001, 232, 233, 8}, {11002, 251, 254, 8}, {10060, 232, 233, 2},
                          {10072, 230, 231, 6}, {10072, 232, 233, 6}, {10072, 250, 251, 16}, {101, 230, 231, 1},
                          {101, 250, 251, 16}, {101, 270, 271, 12}, {101, 280, 281, 1}};
    for (const Loop& l : loops) {
        auto e = Make(l.id);
        for (int32_t f = l.first; f <= l.last; ++f) {
            EXPECT_EQ(e->RecordAt(f).nextFrame, f == l.last ? l.first : f + 1) << l.id << " " << f;
            EXPECT_EQ(e->RecordAt(f).frameDuration, l.ticks) << l.id << " " << f;
        }
    }
}
