// The frame tables of the will-o'-wisp, ghost, karakasa, chouchin, snake,
// fox, spider, zen priest, thunderer, goblin cat, bat and frog as the kinds
// load them: every picture is a cell of their art layouts, the shared
// records are as every enemy needs them, and each kind's boxes say whether
// it hurts on touch, can be hit and meets the terrain.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "character/CreateCharacter.h"
#include "enemy/CharacterBat.h"
#include "enemy/CharacterEnemy.h"

namespace {

using Cell = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;

Cell CellOf(const FrameRecord& r) {
    return {r.textureId, r.u, r.v, r.spriteLeft, r.spriteRight, r.spriteTop, r.spriteBottom};
}

std::set<Cell> LayoutCells() {
    std::set<Cell> cells;
    for (const char* file : {"yokai_slot34", "shooters_slot39", "thunder_cat_bat_frog_slot31"}) {
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

bool Defined(const FrameRecord& r) { return !(r == FrameRecord{}); }
bool HasBody(const FrameRecord& r) { return r.bodyLeft != r.bodyRight; }
bool HasAttack(const FrameRecord& r) { return r.attackLeft != r.attackRight; }
bool HasHurt(const FrameRecord& r) { return r.hurtLeft != r.hurtRight; }

enum Body { Floats, Stands, HangsOnly };

struct Kind {
    int32_t id;
    int32_t slot;
    Body body;
    bool touches;  // an attack box in its behaviour records
};

constexpr Kind kKinds[] = {
    {10001, 34, Floats, true}, {10002, 34, Floats, true},    {10006, 34, Floats, true},  {10054, 34, Stands, true},
    {10011, 34, Stands, true}, {10012, 34, Stands, true},    {10021, 34, Floats, false}, {10022, 34, Floats, false},
    {10031, 34, Stands, true}, {10032, 34, Stands, true},    {10131, 39, Stands, true},  {10132, 39, Stands, true},
    {10151, 39, Floats, true}, {10152, 39, Floats, true},    {10161, 39, Stands, true},  {10162, 39, Stands, true},
    {10171, 31, Floats, true}, {10172, 31, Floats, true},    {10181, 31, Stands, true},  {10182, 31, Stands, true},
    {10221, 31, HangsOnly, true}, {10227, 31, HangsOnly, true}, {10231, 31, Stands, true},  {10232, 31, Stands, true},
};

}  // namespace

TEST(YokaiFrames, PicturesSharedRecordsAndBoxes) {
    const std::set<Cell> cells = LayoutCells();
    ASSERT_GT(cells.size(), 60u);
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.id);
        std::unique_ptr<CCharacterEnemy> e(dynamic_cast<CCharacterEnemy*>(CreateCharacter(k.id)));
        ASSERT_NE(e, nullptr);
        const FrameRecord& hurt = e->RecordAt(EnemyState::Hurt);
        EXPECT_EQ(std::tie(hurt.nextState, hurt.stateDuration), std::make_tuple(220, 20));
        EXPECT_FALSE(HasAttack(hurt));
        EXPECT_TRUE(HasHurt(hurt));
        for (int32_t d : {EnemyState::Defeated, EnemyState::FadeOut}) {
            EXPECT_FALSE(HasAttack(e->RecordAt(d)) || HasHurt(e->RecordAt(d)));
        }
        EXPECT_EQ(std::tie(e->RecordAt(111).nextState, e->RecordAt(111).stateDuration), std::make_tuple(0, 100));
        EXPECT_EQ(e->RecordAt(EnemyState::Wait).stateDuration, kHeldDuration);
        for (int32_t i = 1; i < e->frameTable.Count(); ++i) {
            const FrameRecord& r = e->RecordAt(i);
            if (!Defined(r)) continue;
            EXPECT_EQ(r.textureId, k.slot) << i;
            EXPECT_TRUE(cells.count(CellOf(r))) << "record " << i << " at " << r.u << "," << r.v;
            EXPECT_TRUE(r.nextFrame <= 0 || Defined(e->RecordAt(r.nextFrame))) << i;
            EXPECT_TRUE(r.nextState <= 0 || Defined(e->RecordAt(r.nextState))) << i;
            if (i < 230) continue;
            // The homing wisp's appearance: no box, then only a hurt box.
            const bool wisp = k.id <= 10006;
            const bool sparking = wisp && i >= 290 && i <= 291, kindling = wisp && i >= 290 && i <= 293;
            EXPECT_EQ(HasHurt(r), !sparking) << i;
            EXPECT_EQ(HasAttack(r), k.touches && !kindling) << i;
            EXPECT_EQ(HasBody(r), k.body == Stands || (k.body == HangsOnly && i == 290)) << i;
        }
    }
    // A hanging bat is hurt and defeated in its hanging picture.
    std::unique_ptr<CCharacterEnemy> bat(dynamic_cast<CCharacterEnemy*>(CreateCharacter(10227)));
    for (int32_t r : {EnemyState::Hurt, EnemyState::Defeated, EnemyState::FadeOut})
        EXPECT_EQ(CellOf(bat->RecordAt(r)), CellOf(bat->RecordAt(290))) << r;
}
