// The stages' scenery as places: props that stand on something and join
// their tops, the tower's light changing as the player climbs, and the
// forest's earth fills that do not repeat one picture.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
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
// piece again or its top) and what may lie under it (the piece again or
// its foot; layer A's ground and the bottom border count as well).
struct Prop {
    const char* what;
    int stage;  // index into kStageMaps
    std::set<int32_t> piece, over, under;
};

const std::vector<Prop>& Props() {
    static const std::vector<Prop> table = {
        // The forest: trunks under the nearest pines' crowns.
        {"forest trunk", 0, {30052, 30072}, {30052, 30108}, {30052, 30072}},
        {"forest trunk pair", 0, {30053}, {30053, 30109}, {30053}},
        {"forest wide trunk, left", 0, {30054, 30056}, {30054, 30056, 30110}, {30054, 30056}},
        {"forest wide trunk, right", 0, {30055, 30057}, {30055, 30057, 30111}, {30055, 30057}},
        {"forest lantern trunk", 0, {30059}, {30112}, {}},
        // The riverside's reeds: stalks under their tops, down to the bed.
        {"reeds", 1, {30091}, {30091, 30093}, {30091}},
        {"reeds", 1, {30092}, {30092, 30094}, {30092}},
        // The forest room: trunks rising into the canopy.
        {"room trunk", 6, {30052, 30072}, {30052, 30104}, {30052, 30072}},
        {"room trunk pair", 6, {30053}, {30053, 30105}, {30053}},
        {"room wide trunk, left", 6, {30054, 30056}, {30054, 30056, 30106}, {30054, 30056}},
        {"room wide trunk, right", 6, {30055, 30057}, {30055, 30057, 30107}, {30055, 30057}},
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
    // The mean brightness of a tile's picture, 0 to 255.
    double Brightness(int32_t id) const {
        const std::vector<uint32_t> texels = Picture(id);
        double sum = 0;
        for (uint32_t p : texels) sum += (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10.0;
        return texels.empty() ? 0.0 : sum / static_cast<double>(texels.size());
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
                EXPECT_TRUE(p.over.count(IdAt(g, c, r - 1)))
                    << m.name << " " << p.what << " at column " << c << " row " << r << " under " << IdAt(g, c, r - 1);
                const bool stands = p.under.count(IdAt(g, c, r + 1)) || g.Solid(c, r + 1) || IdAt(g, c, r + 1) == 0;
                EXPECT_TRUE(stands) << m.name << " " << p.what << " at column " << c << " row " << r << " over "
                                    << IdAt(g, c, r + 1);
            }
        EXPECT_GT(pieces, 0) << m.name << " " << p.what;
    }
}

// Climbing the tower, the walls grow lighter: the storeys of the top third
// are brighter on average than those of the middle, and those than the
// bottom third's.
TEST_F(SceneryPictures, TheTowersWallsLightenTowardTheTop) {
    const Sheets sheets;
    const StageMapData& tower = kStageMaps[3];
    const MapGrid g(tower);
    // The walls: the rows between the sky over the top and the stone base.
    const int32_t first = 7, last = 41, third = (last - first + 1) / 3;
    double band[3] = {0, 0, 0};
    int count[3] = {0, 0, 0};
    for (int32_t r = first; r <= last; ++r)
        for (int32_t c = 5; c <= tower.width + 4; ++c) {
            const int b = std::min((r - first) / third, 2);
            band[b] += sheets.Brightness(IdAt(g, c, r));
            ++count[b];
        }
    for (int b = 0; b < 3; ++b) band[b] /= count[b];
    EXPECT_GT(band[0], band[1] + 5) << "top " << band[0] << ", middle " << band[1];
    EXPECT_GT(band[1], band[2] + 5) << "middle " << band[1] << ", bottom " << band[2];
}

// The forest's earth uses three or more fills, and no two of them share
// the same specks, so that no mark lines up from tile to tile.
TEST_F(SceneryPictures, TheForestEarthMixesFillsThatDiffer) {
    const Sheets sheets;
    const StageMapData& forest = kStageMaps[0];
    const MapGrid g(forest);
    // The fills of the forest's earth: the plain one and its variants.
    const std::set<int32_t> kFills = {20062, 20069, 20080, 20082};
    std::set<int32_t> fills;
    for (int32_t r = 0; r < forest.height + 10; ++r)
        for (int32_t c = 0; c < forest.width + 10; ++c) {
            const int32_t id = static_cast<int32_t>(g.A(c, r) & kMapCellTypeMask);
            if (kFills.count(id)) fills.insert(id);
        }
    EXPECT_GE(fills.size(), 3u);
    const std::vector<int32_t> ids(fills.begin(), fills.end());
    for (std::size_t i = 0; i < ids.size(); ++i)
        for (std::size_t j = i + 1; j < ids.size(); ++j) {
            const std::vector<uint32_t> a = sheets.Picture(ids[i]), b = sheets.Picture(ids[j]);
            ASSERT_EQ(a.size(), b.size());
            std::size_t differ = 0;
            for (std::size_t k = 0; k < a.size(); ++k) differ += a[k] != b[k];
            EXPECT_GT(differ, a.size() / 10) << ids[i] << " and " << ids[j];
        }
}
