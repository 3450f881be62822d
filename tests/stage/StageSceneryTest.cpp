// The stages' scenery as places: props that stand on something and join
// their tops, the tower's light changing as the player climbs, the forest's
// earth fills that do not repeat one picture, and walls that the playable
// characters stand out against.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "character/Character.h"
#include "character/CreateCharacter.h"
#include "framework/StateLoading.h"
#include "maps/StageMaps.h"
#include "platform/GraphicsDevice.h"
#include "stage/MapGrid.h"
#include "win/Graphics.h"
#include "win/Resource.h"

using testing_support::MapGrid;

namespace {

// A standing prop: the ids of its pieces, what may lie over a piece (the
// piece again or its top; none given: anything) and what may lie under it
// (the piece again or its foot; layer A's ground and the bottom border
// count as well).
struct Prop {
    const char* what;
    int stage;  // index into kStageMaps
    std::set<int32_t> piece, over, under;
};

const std::vector<Prop>& Props() {
    static const std::vector<Prop> table = {
        // The forest: trunks under the nearest pines' crowns.
        {"forest trunk", 0, {30052, 30072}, {30052, 30031}, {30052, 30072}},
        {"forest trunk pair", 0, {30053}, {30053, 30043}, {30053}},
        {"forest wide trunk, left", 0, {30054, 30056}, {30054, 30056, 30044}, {30054, 30056}},
        {"forest wide trunk, right", 0, {30055, 30057}, {30055, 30057, 30045}, {30055, 30057}},
        {"forest lantern trunk", 0, {30059}, {30031}, {}},
        // The riverside's reeds: stalks under their tops, down to the bed.
        {"reeds", 1, {30091}, {30091, 30093}, {30091}},
        {"reeds", 1, {30092}, {30092, 30094}, {30092}},
        // The forest room: trunks rising into the canopy.
        {"room trunk", 6, {30052, 30072}, {30052, 30058}, {30052, 30072}},
        {"room trunk pair", 6, {30053}, {30053, 30049}, {30053}},
        {"room wide trunk, left", 6, {30054, 30056}, {30054, 30056, 30070}, {30054, 30056}},
        {"room wide trunk, right", 6, {30055, 30057}, {30055, 30057, 30071}, {30055, 30057}},
        // Crowns and the canopy's hanging needles stand on their trunks.
        {"forest crown", 0, {30031}, {}, {30052, 30059, 30072}},
        {"forest crowns of a pair", 0, {30043}, {}, {30053}},
        {"forest wide crown, left", 0, {30044}, {}, {30054, 30056}},
        {"forest wide crown, right", 0, {30045}, {}, {30055, 30057}},
        {"room trunk's top", 6, {30058}, {}, {30052}},
        {"room pair's top", 6, {30049}, {}, {30053}},
        {"room wide trunk's top, left", 6, {30070}, {}, {30054, 30056}},
        {"room wide trunk's top, right", 6, {30071}, {}, {30055, 30057}},
        {"willow crown", 1, {30099, 30100}, {}, {30081}},
        // Undergrowth grows from the ground or the forest floor, never from
        // more undergrowth or the air.
        {"forest undergrowth", 0, {30060, 30061, 30062, 30063}, {}, {30066, 30067, 30068, 30069}},
        {"room undergrowth", 6, {30060, 30061, 30062, 30063}, {}, {30066, 30067, 30068, 30069}},
    };
    return table;
}

int32_t IdAt(const MapGrid& g, int32_t c, int32_t r) { return static_cast<int32_t>(g.B(c, r) & kMapCellTypeMask); }

// The sheets of the game's texture slots, loaded from the resources.
class Sheets {
public:
    Sheets() {
        for (const TextureSlotRow& row : kTextureSlotRows) {
            const ResourceBlob blob = FindResourceBlob(ResourceType::RcData, row.resourceId);
            if (blob) sheets[row.slot] = platform::CreateTextureFromPng(blob.data, blob.size, row.size, row.size, kColourKey);
        }
    }
    // The picture of a tile id: its frame's texels, 0x00RRGGBB.
    std::vector<uint32_t> Picture(int32_t id) const {
        std::unique_ptr<CCharacter> tile(CreateCharacter(id));
        std::vector<uint32_t> texels;
        if (!tile) return texels;
        const FrameRecord& r = tile->CurrentRecord();
        const auto found = sheets.find(r.textureId);
        if (found == sheets.end() || !found->second) return texels;
        const platform::Texture& t = *found->second;
        for (int32_t y = r.v + r.spriteTop; y <= r.v + r.spriteBottom; ++y)
            for (int32_t x = r.u + r.spriteLeft; x <= r.u + r.spriteRight; ++x)
                texels.push_back(t.Pixels()[static_cast<std::size_t>(y) * t.Width() + static_cast<std::size_t>(x)] &
                                 0xFFFFFFu);
        return texels;
    }
    // Calls `f` with the colour (0x00RRGGBB) of every texel of a sheet's
    // rectangle that is neither the colour key nor the outline: a figure's
    // body.
    template <typename F>
    void ForEachBodyTexel(int32_t slot, int32_t x0, int32_t y0, int32_t w, int32_t h, F f) const {
        const platform::Texture& t = *sheets.at(slot);
        for (int32_t y = y0; y < y0 + h; ++y)
            for (int32_t x = x0; x < x0 + w; ++x) {
                const uint32_t p = t.Pixels()[static_cast<std::size_t>(y) * t.Width() + static_cast<std::size_t>(x)];
                if ((p >> 24) == 0 || (p & 0xFFFFFFu) == 0x1A1423u) continue;
                f(p & 0xFFFFFFu);
            }
    }
    // The mean colour of a figure's body.
    std::array<double, 3> BodyColour(int32_t slot, int32_t x0, int32_t y0, int32_t w, int32_t h) const {
        std::array<double, 3> sum = {0, 0, 0};
        int n = 0;
        ForEachBodyTexel(slot, x0, y0, w, h, [&](uint32_t p) {
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
            ++n;
        });
        for (double& v : sum) v /= std::max(n, 1);
        return sum;
    }
    // A figure's shade: the darkest of the colours that make up a tenth or
    // more of its body (less the outline), 0x00RRGGBB.
    uint32_t ShadeColour(int32_t slot, int32_t x0, int32_t y0, int32_t w, int32_t h) const {
        std::map<uint32_t, int> count;
        int n = 0;
        ForEachBodyTexel(slot, x0, y0, w, h, [&](uint32_t p) {
            ++count[p];
            ++n;
        });
        uint32_t shade = 0;
        double darkest = 256.0;
        for (const auto& [colour, k] : count)
            if (k * 10 >= n && Luma(colour) < darkest) {
                darkest = Luma(colour);
                shade = colour;
            }
        return shade;
    }
    // The colour a tile's picture shows most, 0x00RRGGBB.
    uint32_t MainColour(int32_t id) const {
        std::map<uint32_t, int> count;
        for (uint32_t p : Picture(id)) ++count[p];
        uint32_t main = 0;
        int most = -1;
        for (const auto& [colour, k] : count)
            if (k > most) {
                most = k;
                main = colour;
            }
        return main;
    }
    static double Luma(uint32_t p) { return (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10.0; }
    // The mean colour of a tile's picture.
    std::array<double, 3> MeanColour(int32_t id) const {
        const std::vector<uint32_t> texels = Picture(id);
        std::array<double, 3> sum = {0, 0, 0};
        for (uint32_t p : texels) {
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
        }
        for (double& v : sum) v /= std::max<std::size_t>(texels.size(), 1);
        return sum;
    }
    // The mean brightness of a tile's picture, 0 to 255.
    double Brightness(int32_t id) const {
        const std::vector<uint32_t> texels = Picture(id);
        double sum = 0;
        for (uint32_t p : texels) sum += (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10.0;
        return texels.empty() ? 0.0 : sum / static_cast<double>(texels.size());
    }
    // The mean brightness of three equal bands of the positions first..last
    // (rows or columns of a map), the tiles at a position given by `ids`.
    template <class Ids>
    std::array<double, 3> ThirdsBrightness(int32_t first, int32_t last, Ids ids) const {
        const int32_t third = (last - first + 1) / 3;
        std::array<double, 3> band = {0, 0, 0};
        std::array<int, 3> count = {0, 0, 0};
        for (int32_t i = first; i <= last; ++i) {
            const int b = std::min((i - first) / third, 2);
            for (int32_t id : ids(i)) {
                band[b] += Brightness(id);
                ++count[b];
            }
        }
        for (int b = 0; b < 3; ++b) band[b] /= count[b];
        return band;
    }

private:
    std::map<int32_t, std::unique_ptr<platform::Texture>> sheets;
};

class SceneryPictures : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitGraphics()); }
    void TearDown() override { ReleaseGraphics(); }
};

}  // namespace

// Nothing hangs in the air and nothing stops under a flat edge: every piece
// of a trunk or a reed has its own kind or its top over it, and its own kind
// or its foot, the ground or the stage's bottom edge under it.
TEST(StageScenery, PropsStandOnSomethingAndJoinTheirTops) {
    for (const Prop& p : Props()) {
        const StageMapData& m = kStageMaps[p.stage];
        const MapGrid g(m);
        int pieces = 0;
        for (int32_t r = 0; r < m.height + 10; ++r)
            for (int32_t c = 0; c < m.width + 10; ++c) {
                if (!p.piece.count(IdAt(g, c, r))) continue;
                ++pieces;
                EXPECT_TRUE(p.over.empty() || p.over.count(IdAt(g, c, r - 1)))
                    << m.name << " " << p.what << " at column " << c << " row " << r << " under " << IdAt(g, c, r - 1);
                const bool stands = p.under.count(IdAt(g, c, r + 1)) || g.Solid(c, r + 1) || IdAt(g, c, r + 1) == 0;
                EXPECT_TRUE(stands) << m.name << " " << p.what << " at column " << c << " row " << r << " over "
                                    << IdAt(g, c, r + 1);
            }
        EXPECT_GT(pieces, 0) << m.name << " " << p.what;
    }
}

// The river's stones in the air stand on piers: behind every boulder and
// every slab on its beam the backdrop holds the pier that carries it, from
// the stone's own row down to the stage's bottom edge, so that none floats
// over the water.
TEST(StageScenery, TheRiversStonesStandOnPiersToTheBed) {
    struct Carried {
        int32_t stone, pier;
    };
    const Carried carried[] = {{20061, 30097}, {20534, 30098}, {20535, 30098}, {20536, 30098}};
    const StageMapData& river = kStageMaps[1];
    const MapGrid g(river);
    int stones = 0;
    for (int32_t r = 0; r < g.rows; ++r)
        for (int32_t c = 0; c < g.columns; ++c)
            for (const Carried& k : carried) {
                if (static_cast<int32_t>(g.A(c, r) & kMapCellTypeMask) != k.stone) continue;
                ++stones;
                for (int32_t below = r; below <= river.height + 5; ++below)
                    EXPECT_EQ(IdAt(g, c, below), k.pier) << "under " << k.stone << " at column " << c << " row " << r;
            }
    EXPECT_GT(stones, 10);
}

// Climbing the tower, the walls grow lighter: the storeys of the top third
// are brighter on average than those of the middle, and those than the
// bottom third's.
TEST_F(SceneryPictures, TheTowersWallsLightenTowardTheTop) {
    const Sheets sheets;
    const StageMapData& tower = kStageMaps[3];
    const MapGrid g(tower);
    // The walls: the rows between the sky over the top and the stone base.
    const std::array<double, 3> band = sheets.ThirdsBrightness(7, 41, [&](int32_t r) {
        std::vector<int32_t> row;
        for (int32_t c = 5; c <= tower.width + 4; ++c) row.push_back(IdAt(g, c, r));
        return row;
    });
    EXPECT_GT(band[0], band[1] + 5) << "top " << band[0] << ", middle " << band[1];
    EXPECT_GT(band[1], band[2] + 5) << "middle " << band[1] << ", bottom " << band[2];
}

// The forest's earth mixes its two fills, the plain one and the one with a
// root and two stones: both are used, their pictures differ in more than a
// tenth of their texels, and no two roots touch (side by side, above one
// another or at a corner), so that no mark lines up from tile to tile.
TEST_F(SceneryPictures, TheForestEarthMixesFillsThatDiffer) {
    const Sheets sheets;
    const StageMapData& forest = kStageMaps[0];
    const MapGrid g(forest);
    constexpr int32_t kPlain = 20069, kRoot = 20064;
    auto id = [&](int32_t c, int32_t r) { return static_cast<int32_t>(g.A(c, r) & kMapCellTypeMask); };
    int plain = 0, roots = 0;
    for (int32_t r = 0; r < g.rows; ++r)
        for (int32_t c = 0; c < g.columns; ++c) {
            plain += id(c, r) == kPlain;
            if (id(c, r) != kRoot) continue;
            ++roots;
            for (int32_t dr = -1; dr <= 1; ++dr)
                for (int32_t dc = -1; dc <= 1; ++dc)
                    if (dr != 0 || dc != 0) {
                        EXPECT_NE(id(c + dc, r + dr), kRoot) << "roots touch at column " << c << " row " << r;
                    }
        }
    EXPECT_GT(plain, 0);
    EXPECT_GT(roots, 0);
    const std::vector<uint32_t> a = sheets.Picture(kPlain), b = sheets.Picture(kRoot);
    ASSERT_EQ(a.size(), b.size());
    std::size_t differ = 0;
    for (std::size_t k = 0; k < a.size(); ++k) differ += a[k] != b[k];
    EXPECT_GT(differ, a.size() / 10);
}

// Every playable character stands out against every stage's backdrop: the
// mean colour of its body (the standing picture less the outline) lies far
// from the mean colour of each scenery picture that fills a good share of the
// cells before which a character stands, the two cells over each floor
// (the blue ninja once vanished into the river and the forest's mountains,
// the castle's plaster was once that blue as well). Its shade, the darkest
// colour making up a tenth of its body, is not the colour those pictures
// show most, nor the dark next to it in the palette: the ninja's navy was
// once the very colour of the forest's depth, the river and the forest
// room.
TEST_F(SceneryPictures, PlayableCharactersStandOutAgainstEveryStagesBackdrop) {
    const Sheets sheets;
    struct Figure {
        const char* who;
        int32_t slot;  // the standing picture: the sheet's first 40 x 40 cell
    };
    const Figure figures[] = {{"ninja", 19},     {"kunoichi", 21}, {"kusarigama ninja", 22},
                              {"robot ninja", 23}, {"Luka", 25},   {"Ironclaw", 27}};
    constexpr double kFarApart = 60.0;     // distance of mean colours, RGB 0 to 255
    constexpr double kShadeApart = 30.0;   // more than navy from night (20)
    constexpr int kShare = 5;              // percent of the cells a picture must fill to count
    auto distance = [](uint32_t a, uint32_t b) {
        double sum = 0;
        for (int shift : {16, 8, 0}) {
            const double d = static_cast<double>((a >> shift) & 0xFF) - static_cast<double>((b >> shift) & 0xFF);
            sum += d * d;
        }
        return std::sqrt(sum);
    };
    for (int stage = 0; stage < 8; ++stage) {
        const StageMapData& m = kStageMaps[stage];
        const MapGrid g(m);
        std::map<int32_t, int> behind;
        int cells = 0;
        for (int32_t r = 2; r < g.rows; ++r)
            for (int32_t c = 0; c < g.columns; ++c)
                if (g.Solid(c, r) && !g.Solid(c, r - 1) && !g.Solid(c, r - 2))
                    for (int32_t up : {1, 2}) {
                        ++behind[IdAt(g, c, r - up)];
                        ++cells;
                    }
        ASSERT_GT(cells, 0) << m.name;
        for (const auto& [id, count] : behind) {
            if (id == 0 || count * 100 < cells * kShare) continue;
            const std::array<double, 3> wall = sheets.MeanColour(id);
            for (const Figure& f : figures) {
                const std::array<double, 3> body = sheets.BodyColour(f.slot, 0, 0, 40, 40);
                const double d = std::sqrt((body[0] - wall[0]) * (body[0] - wall[0]) +
                                           (body[1] - wall[1]) * (body[1] - wall[1]) +
                                           (body[2] - wall[2]) * (body[2] - wall[2]));
                EXPECT_GE(d, kFarApart) << f.who << " before scenery " << id << " of stage " << m.name;
                EXPECT_GE(distance(sheets.ShadeColour(f.slot, 0, 0, 40, 40), sheets.MainColour(id)), kShadeApart)
                    << f.who << "'s shade before scenery " << id << " of stage " << m.name;
            }
        }
    }
}

// The stone ledges the castle, the tower and the river set in the air rest
// on a timber beam: each piece shows its top edge, where the feet stand,
// across its width, and under the slab the beam runs on below it.
TEST_F(SceneryPictures, StoneLedgesRestOnABeam) {
    const Sheets sheets;
    struct Piece {
        const char* what;
        int32_t id;
        int32_t firstTop;  // the first column of the top edge (a rounded corner stays open)
    };
    const Piece pieces[] = {{"left end", 20534, 1}, {"middle", 20535, 0}, {"right end", 20536, 0}};
    for (const Piece& p : pieces) {
        const std::vector<uint32_t> texels = sheets.Picture(p.id);
        ASSERT_EQ(texels.size(), 400u) << p.what;
        // The colour key loads as transparent black, which no sheet draws.
        auto opaque = [&](int x, int y) { return texels[static_cast<std::size_t>(y) * 20 + static_cast<std::size_t>(x)] != 0u; };
        EXPECT_FALSE(opaque(p.firstTop == 1 ? 0 : 19, 19)) << p.what << ": the slab rests on the beam, not on a block";
        for (int x = p.firstTop; x < 20 - (p.id == 20536 ? 1 : 0); ++x) EXPECT_TRUE(opaque(x, 0)) << p.what << " top at " << x;
        // The beam: under the slab, rows 14 to 16 are wood across the
        // middle of the piece.
        for (int y = 14; y <= 16; ++y)
            for (int x = 5; x < 15; ++x) {
                const uint32_t c = texels[static_cast<std::size_t>(y) * 20 + static_cast<std::size_t>(x)];
                const bool wood = c == 0x9B6A43u || c == 0x6B4630u || c == 0x3D2A22u || c == 0xC9A46Bu;
                EXPECT_TRUE(wood) << p.what << " beam at " << x << ", " << y;
            }
    }
}

// What the player stands on carries the dark outline along its top row,
// where the feet land, with a lit surface under it (never the outline
// again): the castle's capstones and roof-tiled ledges, the tower's beams
// and floor boards, the river's stepping stones and boulders, the stone
// set's coping, ledges and the rooms' floor.
TEST_F(SceneryPictures, WhatThePlayerStandsOnIsOutlinedAlongItsTop) {
    const Sheets sheets;
    struct Piece {
        const char* what;
        int32_t id;
        int32_t first, last;  // the columns of the top edge (a rounded or cut-in end stays open)
    };
    const Piece pieces[] = {
        {"castle top, laying A", 20575, 0, 19},    {"castle top, laying B", 20583, 0, 19},
        {"castle top, laying C", 20178, 0, 19},    {"castle top, laying D", 20185, 0, 19},
        {"castle top-left corner", 20589, 1, 19},  {"castle top-right corner", 20590, 0, 18},
        {"castle slab", 20201, 0, 19},            {"castle slab, left end", 20202, 1, 19},
        {"roof-tiled ledge, left end", 20214, 1, 19}, {"roof-tiled ledge, middle", 20215, 0, 19},
        {"roof-tiled ledge, right end", 20216, 0, 18}, {"tower beam, left end", 20274, 1, 19},
        {"tower beam, middle", 20275, 0, 19},      {"tower beam, right end", 20276, 0, 18},
        {"tower boards, left end", 20287, 1, 19},  {"tower boards, middle", 20286, 0, 19},
        {"tower boards, right end", 20288, 0, 18}, {"stepping stone, middle", 20975, 0, 19},
        {"river boulder", 20061, 3, 16},
        {"stone, single block", 20521, 1, 18},     {"stone, top-left corner", 20525, 1, 19},
        {"stone, top", 20526, 0, 19},              {"stone, top-right corner", 20527, 0, 18},
        {"stone ledge, left end", 20534, 1, 19},   {"stone ledge", 20535, 0, 19},
        {"stone ledge, right end", 20536, 0, 18},  {"room floor", 20546, 0, 19},
    };
    constexpr uint32_t kOutline = 0x1A1423u;
    for (const Piece& p : pieces) {
        const std::vector<uint32_t> texels = sheets.Picture(p.id);
        ASSERT_EQ(texels.size(), 400u) << p.what;
        for (int32_t x = p.first; x <= p.last; ++x) {
            EXPECT_EQ(texels[static_cast<std::size_t>(x)], kOutline) << p.what << ": the outline at " << x;
            EXPECT_NE(texels[static_cast<std::size_t>(20 + x)], kOutline) << p.what << ": the lit top at " << x;
        }
    }
}

// Along the castle the evening deepens: the sky over its roofs (the top row
// of every view) is lighter in the first third of the stage than in the
// middle third, and there than in the last.
TEST_F(SceneryPictures, TheCastlesEveningDeepensAlongTheStage) {
    const Sheets sheets;
    const StageMapData& castle = kStageMaps[2];
    const MapGrid g(castle);
    constexpr int32_t kSkyRow = 5;
    const std::array<double, 3> band = sheets.ThirdsBrightness(
        5, castle.width + 4, [&](int32_t c) { return std::vector<int32_t>{IdAt(g, c, kSkyRow)}; });
    EXPECT_GT(band[0], band[1] + 10) << "first " << band[0] << ", middle " << band[1];
    EXPECT_GT(band[1], band[2] + 5) << "middle " << band[1] << ", last " << band[2];
}

// The pieces laid in long runs (the walls' stones and coping, the ledges,
// the rooms' floor, and behind them the sky, the roofs, the plaster and the
// stone base) show nothing that marks the cells' grid: no column of their
// picture, repeated every cell along a run, stands out from the rest (a
// weathered stone, a joint on the cell's edge, a window).
TEST_F(SceneryPictures, TheSetsLongRunsShowNoMarkOfTheCellsGrid) {
    const Sheets sheets;
    constexpr double kMostApart = 25.0;  // brightness, 0 to 255
    for (int32_t id : {20522, 20526, 20529, 20535, 20546, 20552, 30248, 30249, 30250, 30251, 30253}) {
        const std::vector<uint32_t> texels = sheets.Picture(id);
        ASSERT_EQ(texels.size(), 400u) << id;
        auto brightness = [](uint32_t p) { return (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10.0; };
        double all = 0, column[20] = {};
        for (std::size_t k = 0; k < texels.size(); ++k) {
            column[k % 20] += brightness(texels[k]) / 20.0;
            all += brightness(texels[k]) / 400.0;
        }
        for (int x = 0; x < 20; ++x) EXPECT_LE(std::abs(column[x] - all), kMostApart) << id << " column " << x;
    }
}
