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
        EXPECT_EQ(std::tie(hurt.hurtLeft, hurt.hurtRight, hurt.hurtTop, hurt.hurtBottom),
                  std::make_tuple(-150, 150, -150, 150));
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
            // Where they are there, the boxes are the kinds' touch reach
            // (140), the hurt box (150) and the standing kinds' body (190)
            // each way.
            if (HasAttack(r)) {
                EXPECT_EQ(std::tie(r.attackLeft, r.attackRight, r.attackTop, r.attackBottom),
                          std::make_tuple(-140, 140, -140, 140)) << i;
            }
            if (HasHurt(r)) {
                EXPECT_EQ(std::tie(r.hurtLeft, r.hurtRight, r.hurtTop, r.hurtBottom),
                          std::make_tuple(-150, 150, -150, 150)) << i;
            }
            if (HasBody(r) && k.body == Stands) {
                EXPECT_EQ(std::tie(r.bodyLeft, r.bodyRight, r.bodyTop, r.bodyBottom),
                          std::make_tuple(-190, 190, -190, 190)) << i;
            }
        }
    }
    // A hanging bat is hurt and defeated in its hanging picture.
    std::unique_ptr<CCharacterEnemy> bat(dynamic_cast<CCharacterEnemy*>(CreateCharacter(10227)));
    for (int32_t r : {EnemyState::Hurt, EnemyState::Defeated, EnemyState::FadeOut})
        EXPECT_EQ(CellOf(bat->RecordAt(r)), CellOf(bat->RecordAt(290))) << r;
}

// The timing the kinds' behaviour rides on: state chains (next state after
// so many ticks; -1 held) and frame loops (first .. last, every so many).
TEST(YokaiFrames, TheChainsTheBehavioursRelyOn) {
    struct Chain {
        int32_t id, from, next, ticks;
    };
    const Chain chains[] = {
        {10001, 230, -1, 0},   {10001, 231, -1, 0},   {10002, 250, 251, 96}, {10002, 251, 250, 96},
        {10006, 290, 292, 20}, {10006, 291, 292, 20}, {10006, 292, 294, 20}, {10006, 293, 294, 20},
        {10006, 294, -1, 0},   {10006, 295, -1, 0},   {10054, 230, 231, 40}, {10054, 231, 232, 80},
        {10054, 232, 233, 20}, {10054, 233, 231, 20}, {10011, 230, -1, 0},   {10011, 231, 232, 20},
        {10011, 232, 230, 1},  {10012, 250, 251, 96}, {10012, 251, 250, 96},
        {10022, 250, 251, 96}, {10022, 251, 250, 96}, {10032, 250, 251, 96}, {10032, 251, 250, 96},
        {10021, 230, 231, 50}, {10021, 231, 232, 1},
        {10021, 232, 233, 1},  {10021, 233, 234, 30}, {10021, 234, 235, 2},  {10021, 235, 230, 2},
        {10031, 230, 231, 12}, {10031, 231, 230, 12}, {10131, 230, 232, 90}, {10131, 231, 232, 90},
        {10131, 232, 233, 8},  {10131, 233, 230, 32}, {10132, 250, 251, 40}, {10132, 251, 252, 8},
        {10132, 252, 250, 12}, {10151, 230, 232, 80}, {10151, 231, 232, 80}, {10151, 232, 233, 8},
        {10151, 233, 234, 12}, {10151, 234, 235, 8},  {10151, 235, 236, 12}, {10151, 236, 238, 80},
        {10151, 237, 238, 80}, {10151, 238, 239, 8},  {10151, 239, 240, 12}, {10151, 240, 241, 8},
        {10151, 241, 230, 12}, {10152, 250, 252, 40}, {10152, 251, 252, 40}, {10152, 252, 253, 8},
        {10152, 253, 254, 12}, {10152, 254, 255, 8},  {10152, 255, 250, 12}, {10161, 230, 235, 60},
        {10161, 233, 235, 60}, {10161, 234, -1, 0},   {10161, 235, 230, 30}, {10161, 236, 230, 30},
        {10162, 250, 251, 40}, {10162, 251, 250, 30}, {10162, 252, 250, 30}, {10171, 230, 232, 20},
        {10171, 231, 232, 20}, {10171, 232, 234, 10}, {10171, 233, 234, 10}, {10171, 234, 230, 10},
        {10171, 235, 230, 10}, {10172, 250, 252, 10}, {10172, 251, 252, 10}, {10172, 252, 254, 6},
        {10172, 253, 254, 6},  {10172, 254, 250, 6},  {10172, 255, 250, 6},  {10181, 230, 230, 60},
        {10181, 231, 230, 60}, {10181, 232, -1, 0},   {10181, 233, -1, 0},   {10221, 230, -1, 0},
        {10222, 250, -1, 0},   {10223, 270, -1, 0},   {10227, 290, -1, 0},   {10231, 230, 231, 10},
        {10231, 231, -1, 0},
    };
    for (const Chain& c : chains) {
        std::unique_ptr<CCharacter> e(CreateCharacter(c.id));
        const FrameRecord& r = e->RecordAt(c.from);
        EXPECT_EQ(r.nextState, c.next) << c.id << " " << c.from;
        if (c.next != -1) {
            EXPECT_EQ(r.stateDuration, c.ticks) << c.id << " " << c.from;
        }
    }
    struct Loop {
        int32_t id, first, last, ticks;
    };
    const Loop loops[] = {
        {10001, 230, 231, 16}, {10002, 250, 251, 16}, {10012, 250, 251, 16}, {10022, 250, 251, 16},
        {10032, 250, 251, 16}, {10006, 290, 291, 8},  {10006, 292, 293, 16},
        {10006, 294, 295, 16}, {10131, 230, 231, 8},  {10151, 230, 231, 8},  {10151, 236, 237, 8},
        {10152, 250, 251, 8},  {10161, 230, 233, 6},  {10161, 235, 236, 6},  {10162, 251, 252, 6},
        {10171, 230, 231, 8},  {10171, 232, 233, 2},  {10171, 234, 235, 2},  {10172, 250, 251, 8},
        {10172, 252, 253, 2},  {10172, 254, 255, 2},  {10181, 230, 231, 6},  {10221, 230, 231, 6},
        {10222, 250, 251, 6},  {10223, 270, 271, 6},
    };
    for (const Loop& l : loops) {
        std::unique_ptr<CCharacter> e(CreateCharacter(l.id));
        for (int32_t f = l.first; f <= l.last; ++f) {
            EXPECT_EQ(e->RecordAt(f).nextFrame, f == l.last ? l.first : f + 1) << l.id << " " << f;
            EXPECT_EQ(e->RecordAt(f).frameDuration, l.ticks) << l.id << " " << f;
        }
    }
}
