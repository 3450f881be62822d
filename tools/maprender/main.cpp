// Renders every stage's whole map, all three layers, to one PNG each for
// review: layers B and A as the game draws them (each cell's character made
// by the real factory from the compiled maps and drawn from the game's own
// texture slots, by draw layer), at half the game's size (a cell is 20
// pixels); layer C, exits and the places the stages and scenes put the
// player are marked over them, since enemies have no pictures of their own
// yet.
//
// Marks: a labelled box per layer-C cell (its type id's kind and id), the
// exit cells outlined in gold, the start position (S), the position a warp
// into the stage arrives at (W) and the scene positions (P) as small flags
// at the feet, the playfield's edge as a thin line.
//
// It also starts every stage as the game does and writes the view after the
// fade-in (OUT_DIR/start_<MapId>.png).
//
// Usage: maprender OUT_DIR   (writes OUT_DIR/<stage>.png, OUT_DIR/all.png and
// OUT_DIR/start_266.png to start_273.png)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "HeadlessDraw.h"
#include "character/Character.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/StateLoading.h"
#include "maps/StageMaps.h"
#include "platform/GraphicsDevice.h"
#include "stage/MapTypeIds.h"
#include "stage/StagePellumbrisk.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

constexpr int kCell = 20;     // pixels per map cell in the picture
constexpr double kScale = 0.5;  // of the game's size

// A mark at a map position (feet), in world units.
struct Mark {
    int32_t x, y;
    char letter;
    Rgb colour;
};

// Where the stages and scenes put the player in each stage (besides the
// start): the arrival of the warp that leads in, and the scene positions.
std::vector<Mark> MarksFor(int index) {
    const Rgb warp = Hex(0x6ad0ff), scene = Hex(0xff8ad8);
    switch (index) {
        case 1: return {{200, 2400, 'W', warp}};                        // from 1-1, same height
        case 2: return {{200, 2400, 'W', warp}};                        // from 1-2
        case 3: return {{200, 15200, 'W', warp}};                       // from 1-3, 12800 lower
        case 4: return {{200, 2800, 'W', warp}};                        // from 1-4, 400 lower
        case 5: return {{2200, 2400, 'W', warp}, {2400, 800, 'P', scene}, {1200, -800, 'P', scene},
                        {1800, -800, 'P', scene}, {3000, -800, 'P', scene}, {3600, -800, 'P', scene}};
        case 6: return {{2200, 2400, 'W', warp}, {4400, 800, 'P', scene}, {1200, -800, 'P', scene},
                        {1800, -800, 'P', scene}, {3000, -800, 'P', scene}, {3600, -800, 'P', scene}};
        case 7: return {{2200, 2400, 'W', warp}, {1300, 2400, 'P', scene}, {2800, 1200, 'P', scene}};
        default: return {};
    }
}

const char* KindName(MapObjectKind kind) {
    switch (kind) {
        case MapObjectKind::Enemy: return "";
        case MapObjectKind::StageObject: return "obj";
        case MapObjectKind::Item: return "item";
        default: return "?";
    }
}

Canvas RenderStage(const StageMapData& map, int index) {
    const int32_t columns = map.width + 2 * kMapBorder, rows = map.height + 2 * kMapBorder;
    const int pw = columns * kCell, ph = rows * kCell;
    Canvas out(pw, ph, Hex(0x101018));

    // Layers B and A through the device, one device-sized window at a time.
    std::vector<std::unique_ptr<CCharacter>> tiles;
    for (const StageMapCell* layer : {map.layerB, map.layerA})
        for (int32_t r = 0; r < rows; ++r)
            for (int32_t c = 0; c < columns; ++c) {
                const StageMapCell v = layer[r * columns + c];
                if (v == 0) continue;
                const MapObjectKind kind = KindOfTypeId(static_cast<int32_t>(v & kMapCellTypeMask));
                if (kind != MapObjectKind::Block && kind != MapObjectKind::Scenery) continue;
                std::unique_ptr<CCharacter> ch(CreateCharacter(static_cast<int32_t>(v & kMapCellTypeMask)));
                if (!ch) continue;
                ch->x = MapCellX(c) + ch->pushX + ((v & kMapCellHalfRight) ? kHalfTile : 0);
                ch->y = MapCellY(r) + ch->pushY + ((v & kMapCellHalfDown) ? kHalfTile : 0);
                tiles.push_back(std::move(ch));
            }
    std::stable_sort(tiles.begin(), tiles.end(), [](const auto& a, const auto& b) { return a->layer < b->layer; });
    platform::GraphicsDevice* device = GetDevice();
    const int dw = device->Width(), dh = device->Height();
    // Map position of the picture's top-left corner.
    const int32_t mapLeft = MapCellX(0) - kHalfTile, mapTop = MapCellY(0) - kHalfTile;
    for (int wy = 0; wy < ph; wy += dh)
        for (int wx = 0; wx < pw; wx += dw) {
            device->Clear(0xFF101018u, 1.0f);
            const int32_t originX = mapLeft + static_cast<int32_t>(wx * 10 / kScale);
            const int32_t originY = mapTop + static_cast<int32_t>(wy * 10 / kScale);
            for (auto& t : tiles)
                headless::DrawCharacterAt(*t, static_cast<int32_t>((t->x - originX) * kScale / 10.0),
                                          static_cast<int32_t>((t->y - originY) * kScale / 10.0), kScale);
            for (int y = 0; y < dh && wy + y < ph; ++y)
                for (int x = 0; x < dw && wx + x < pw; ++x) {
                    const uint32_t p = device->Pixel(x, y);
                    out.Set(wx + x, wy + y,
                            Rgb{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
                }
        }

    auto toPixelX = [&](int32_t mx) { return static_cast<int>((mx - mapLeft) * kScale / 10.0); };
    auto toPixelY = [&](int32_t my) { return static_cast<int>((my - mapTop) * kScale / 10.0); };

    // The playfield's edge.
    const Rgb edge = Hex(0x8090a0);
    out.Frame(toPixelX(0), toPixelY(0), map.width * kCell, map.height * kCell, edge);

    // Exit cells and layer C.
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < columns; ++c) {
            const int32_t id = static_cast<int32_t>(map.layerA[r * columns + c] & kMapCellTypeMask);
            if (KindOfTypeId(id) == MapObjectKind::RoomExit) {
                out.Frame(c * kCell, r * kCell, kCell, kCell, Hex(0xffd040));
                out.Frame(c * kCell + 1, r * kCell + 1, kCell - 2, kCell - 2, Hex(0xffd040));
            }
            const StageMapCell v = map.layerC[r * columns + c];
            if (v == 0) continue;
            const int32_t cid = static_cast<int32_t>(v & kMapCellTypeMask);
            const int x0 = c * kCell + 1, y0 = r * kCell + 1;
            out.Rect(x0, y0, kCell - 2, kCell - 2, Hex(0xc02030));
            out.Frame(x0, y0, kCell - 2, kCell - 2, Hex(0xffe0e0));
            const std::string label = std::string(KindName(KindOfTypeId(cid))) + std::to_string(cid % 1000);
            out.Text(x0 + 1, y0 + 5, label.substr(label.size() > 3 ? label.size() - 3 : 0), Hex(0xffffff));
        }

    // Where the player is put.
    std::vector<Mark> marks = MarksFor(index);
    const StageTableRow& row = kStageTable[index];
    marks.insert(marks.begin(), Mark{row.startX, row.startY, 'S', Hex(0x60ff60)});
    for (const Mark& m : marks) {
        const int x = toPixelX(m.x), y = toPixelY(m.y);
        out.Line(x, y - 12, x, y, m.colour);
        out.Rect(x + 1, y - 12, 7, 9, m.colour);
        const std::string s(1, m.letter);
        out.Text(x + 2, y - 11, s, Hex(0x000000));
    }
    out.Text(4, 4, std::string("STAGE ") + map.name, Hex(0xffffff), 2);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: maprender OUT_DIR\n";
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    std::filesystem::create_directories(outDir);
    if (!headless::OpenGraphics("maprender")) return 1;

    std::vector<Canvas> pictures;
    int rc = 0;
    for (int i = 0; i < kStageMapCount; ++i) {
        pictures.push_back(RenderStage(kStageMaps[i], i));
        if (!pictures.back().WritePng((outDir / (std::string(kStageMaps[i].name) + ".png")).string())) rc = 1;
    }
    // All stages on one sheet: the long runs one under the other, the small
    // rooms side by side below them.
    int sheetW = 0, sheetH = 0, x = 0, rowH = 0;
    std::vector<std::pair<int, int>> at;
    for (const Canvas& p : pictures) {
        if (p.W() > 1000 || x + p.W() > sheetW) {
            if (x > 0 || rowH > 0) sheetH += rowH + 8;
            x = 0;
            rowH = 0;
        }
        at.push_back({x, sheetH});
        x += p.W() + 8;
        rowH = std::max(rowH, p.H());
        sheetW = std::max(sheetW, x);
    }
    sheetH += rowH;
    Canvas sheet(sheetW, sheetH, Hex(0x303030));
    for (std::size_t i = 0; i < pictures.size(); ++i) sheet.Blit(pictures[i], at[i].first, at[i].second);
    if (!sheet.WritePng((outDir / "all.png").string())) rc = 1;

    // Each stage's start as the game shows it once the fade-in is over.
    CGameMain* game = CGameMain::GetInstance();
    for (int32_t id = 266; id <= 273; ++id) {
        game->StartStage(id);
        for (int i = 0; i < 60; ++i) {
            ++game->m_frameCount;
            CGameStateController::GetInstance()->DoAction();
        }
        game->Draw();
        const std::string name = "start_" + std::to_string(id) + ".png";
        if (!platform::SaveColourBufferPng(*GetDevice(), (outDir / name).string().c_str())) rc = 1;
    }
    game->GoToTitle();
    ReleaseGraphics();
    return rc;
}
