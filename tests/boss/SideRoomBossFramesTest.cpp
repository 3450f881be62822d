// A sample of the side-room bosses' tables: the chains and timings the
// fights run on, the boxes, and the texture slots; and every picture a
// record names is the cell its art layout draws for that record.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "boss/CharacterBigGhost.h"
#include "boss/CharacterBoseki.h"
#include "boss/CharacterKappaTank.h"
#include "boss/CharacterMammoth.h"
#include "boss/CharacterWanyudo.h"
#include "boss/FrameChains.h"

namespace {

using boss_test::ExpectChains;

TEST(SideRoomBossFrames, ChainsAndTimings) {
    ExpectChains<CCharacterMammoth>({{230, 231, 234, 8, 0, 73}, {237, 234, -1, 8, 999, 73}, {242, 243, 246, 8, 20, 73}, {244, 245, 260, 8, 200, 73},
                                     {247, 244, 263, 8, 200, 73}, {262, 263, 264, 8, 60, 73}, {263, 260, 264, 8, 60, 73}, {265, 266, -1, 4, 999, 73},
                                     {266, 265, -1, 4, 999, 73}, {267, -1, 268, 999, 60, 73}, {111, -1, -1, 999, 999, 73}});
    ExpectChains<CCharacterBoseki>({{230, -1, 231, 999, 20, 74}, {233, -1, 234, 999, 40, 74}, {234, -1, 235, 999, 40, 74},
                                    {238, 235, -1, 6, 999, 74}, {220, 221, -1, 6, 800, 74}, {227, 220, -1, 6, 800, 74},
                                    {304, 301, -1, 4, 999, 20},
                                    {349, -1, -1, 999, 999, 20}});
    ExpectChains<CCharacterBigGhost>({{230, -1, 231, 999, 20, 74}, {232, 231, 234, 40, 60, 74}, {233, 234, 235, 40, 60, 74},
                                      {235, 236, 238, 40, 120, 74}, {236, 235, 238, 40, 120, 74}, {238, 237, -1, 40, 999, 74}, {227, 220, -1, 40, 800, 74}});
    ExpectChains<CCharacterWanyudo>({{230, -1, 231, 999, 20, 74}, {231, -1, 232, 999, 40, 74}, {232, -1, 233, 999, 40, 74},
                                     {233, -1, 234, 999, 40, 74}, {234, -1, 235, 999, 40, 74}, {220, -1, -1, 999, 300, 74},
                                     {240, -1, 241, 999, 40, 74}, {241, -1, 242, 999, 120, 74}, {242, -1, 220, 999, 40, 74},
                                     {221, 220, -1, 4, 300, 74}, {110, -1, 111, 999, 40, 74}, {112, -1, 113, 999, 60, 74},
                                     {301, -1, 0, 999, 40, 74}, {317, 314, 0, 6, 80, 74}});
    ExpectChains<CCharacterKappaTank>({{230, -1, 233, 999, 0, 37}, {233, 233, -1, 999, 999, 37}, {222, 220, 240, 2, 160, 37},
                                       {240, -1, 241, 999, 0, 37}, {241, -1, 242, 999, 60, 37}, {242, -1, 220, 999, 10, 37},
                                       {300, -1, 301, 999, 100, 37}, {301, -1, 302, 999, 40, 37},
                                       {302, -1, 300, 999, 18, 37}, {340, -1, 341, 999, 120, 37}, {341, -1, 342, 999, 40, 37},
                                       {342, -1, 340, 999, 18, 37}, {344, -1, -1, 999, 120, 37},
                                       {111, -1, -1, 999, 999, 0}, {264, -1, -1, 999, 999, 36}});
}

TEST(SideRoomBossFrames, Boxes) {
    struct Box {
        int32_t record, hurtLeft, hurtBottom, attackRight, bodyLeft, bodyBottom;
    };
    auto expect = [](CCharacter& c, std::initializer_list<Box> boxes) {
        for (const Box& b : boxes) {
            const FrameRecord* r = c.frameTable.Find(b.record);
            EXPECT_EQ(r->hurtLeft, b.hurtLeft) << b.record;
            EXPECT_EQ(r->hurtBottom, b.hurtBottom) << b.record;
            EXPECT_EQ(r->attackRight, b.attackRight) << b.record;
            EXPECT_EQ(r->bodyLeft, b.bodyLeft) << b.record;
            EXPECT_EQ(r->bodyBottom, b.bodyBottom) << b.record;
        }
    };
    CCharacterMammoth mammoth;
    expect(mammoth, {{240, -490, 590, 400, -490, 590}, {268, -490, 590, 400, -490, 590}, {110, 0, 0, 0, 0, 0}});
    CCharacterBoseki boseki;
    expect(boseki, {{220, -250, 250, 0, -300, 720}, {235, -250, 250, 0, -300, 720}, {321, 0, 0, 0, -200, 400}});
    CCharacterWanyudo wanyudo;
    expect(wanyudo, {{220, -250, 250, 0, -250, 250}, {300, 0, 0, 0, 0, 0}, {310, 0, 0, 0, 0, 0}});
    CCharacterKappaTank tank;
    expect(tank, {{220, -490, 590, 400, -800, 660}, {233, -490, 590, 400, -800, 660}, {300, 0, 0, 0, 0, 0}});
}

// The records of a boss's layout files, each with the cell drawn for it
// (slot, anchor, sprite rectangle).
using Cell = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;

std::vector<std::pair<int32_t, Cell>> LayoutRecords(std::initializer_list<const char*> files) {
    std::vector<std::pair<int32_t, Cell>> out;
    for (const char* file : files) {
        std::ifstream in(std::string(PELLUMBRISK_ART_LAYOUTS) + "/" + file + ".txt");
        EXPECT_TRUE(in) << file;
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream words(line);
            std::string pose, anchor, states;
            int32_t slot, u, v, l, r, t, b;
            if (!(words >> pose >> slot >> u >> v >> l >> r >> t >> b >> anchor)) continue;
            while (words >> states) {
                const auto dash = states.find('-');
                const int32_t first = std::stoi(states.substr(0, dash));
                const int32_t last = dash == std::string::npos ? first : std::stoi(states.substr(dash + 1));
                for (int32_t s = first; s <= last; ++s) out.push_back({s, {slot, u, v, l, r, t, b}});
            }
        }
    }
    return out;
}

template <class T>
void ExpectPictures(std::initializer_list<const char*> files) {
    auto boss = std::make_unique<T>();
    std::set<int32_t> drawn;
    for (const auto& [record, cell] : LayoutRecords(files)) {
        const FrameRecord* r = boss->frameTable.Find(record);
        ASSERT_NE(r, nullptr) << record;
        EXPECT_EQ(Cell(r->textureId, r->u, r->v, r->spriteLeft, r->spriteRight, r->spriteTop, r->spriteBottom), cell)
            << record;
        drawn.insert(record);
    }
    // Every record that shows a picture has one drawn for it.
    for (int32_t i = 1; i < boss->frameTable.Count(); ++i) {
        const FrameRecord* r = boss->frameTable.Find(i);
        if (r->textureId != 0) {
            EXPECT_TRUE(drawn.count(i)) << i;
        }
    }
}

TEST(SideRoomBossFrames, EveryPictureIsTheCellDrawnForIt) {
    ExpectPictures<CCharacterMammoth>({"mammoth_slot73"});
    ExpectPictures<CCharacterBoseki>({"boseki_slot74", "boseki_slot20"});
    ExpectPictures<CCharacterBigGhost>({"bigghost_slot74"});
    ExpectPictures<CCharacterWanyudo>({"wanyudo_slot74", "wanyudo_wheel_slot74", "wanyudo_flames_slot74"});
    ExpectPictures<CCharacterKappaTank>({"kappatank_slot37", "kappatank_parts_slot37", "kappatank_slot36"});
}

}  // namespace
