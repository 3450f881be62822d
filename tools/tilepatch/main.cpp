// Renders a 12 x 8-cell patch of stage tiles per stage theme to PNG, the
// way the game shows them: each cell's tile is made by the real factory
// from its type id, and the tile's current frame record is drawn from the
// game's own texture slots at the tile's scale (2.0), scenery first, then
// the blocks by draw layer. The pictures are for review; nothing in the
// game reads them.
//
// Patch format (data/tilepatch/*.txt):
//   # comment
//   scenery           layer B: legend lines "CHAR TYPEID", then 8 rows
//   blocks            layer A: the same
// A row is 12 characters without spaces; '.' is an empty cell; every other
// character must be in the legend of its section.
//
// Usage: tilepatch OUT_DIR PATCH.txt...   (writes OUT_DIR/<name>.png for
// each patch and OUT_DIR/all.png with every patch, two to a row)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Canvas.h"
#include "HeadlessDraw.h"
#include "character/Character.h"
#include "character/CreateCharacter.h"
#include "framework/StateLoading.h"
#include "platform/GraphicsDevice.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

namespace {

constexpr int kColumns = 12;
constexpr int kRows = 8;

struct Grid {
    std::map<char, int32_t> legend;
    std::vector<std::string> rows;
};

struct Patch {
    std::string name;
    Grid scenery;
    Grid blocks;
};

bool ReadPatch(const std::filesystem::path& path, Patch& patch) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "tilepatch: cannot read " << path.string() << "\n";
        return false;
    }
    patch.name = path.stem().string();
    std::string line;
    Grid* grid = nullptr;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        std::cerr << path.string() << ":" << lineNo << ": " << what << "\n";
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (line.empty()) continue;
        if (line == "scenery" || line == "blocks") {
            grid = line == "scenery" ? &patch.scenery : &patch.blocks;
            continue;
        }
        if (grid == nullptr) return fail("expected scenery or blocks");
        if (line.find(' ') != std::string::npos) {
            std::istringstream words(line);
            std::string key;
            int32_t id = 0;
            if (!(words >> key >> id) || key.size() != 1) return fail("a legend line is one character and a type id");
            grid->legend[key[0]] = id;
            continue;
        }
        if (static_cast<int>(line.size()) != kColumns) return fail("a row has 12 cells");
        for (char ch : line)
            if (ch != '.' && grid->legend.count(ch) == 0) return fail(std::string("'") + ch + "' is not in the legend");
        grid->rows.push_back(line);
    }
    if (patch.scenery.rows.size() != kRows || patch.blocks.rows.size() != kRows) {
        std::cerr << path.string() << ": scenery and blocks need 8 rows each\n";
        return false;
    }
    return true;
}

bool Render(const Patch& patch, std::vector<uint32_t>& pixels) {
    std::vector<std::unique_ptr<CCharacter>> tiles;
    auto make = [&](const Grid& grid) {
        for (int row = 0; row < kRows; ++row)
            for (int col = 0; col < kColumns; ++col) {
                const char ch = grid.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
                if (ch == '.') continue;
                std::unique_ptr<CCharacter> c(CreateCharacter(grid.legend.at(ch)));
                if (!c) {
                    std::cerr << patch.name << ": type id " << grid.legend.at(ch) << " makes nothing\n";
                    return false;
                }
                c->x = col * kTileSize + kTileSize / 2 + c->pushX;
                c->y = row * kTileSize + kTileSize / 2 + c->pushY;
                tiles.push_back(std::move(c));
            }
        return true;
    };
    if (!make(patch.scenery) || !make(patch.blocks)) return false;
    std::stable_sort(tiles.begin(), tiles.end(), [](const auto& a, const auto& b) { return a->layer < b->layer; });
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF000000u, 1.0f);
    for (auto& c : tiles) headless::DrawCharacterAt(*c, c->x / 10, c->y / 10);
    pixels.assign(device->ColourBuffer(),
                  device->ColourBuffer() + platform::GraphicsDevice::kWidth * platform::GraphicsDevice::kHeight);
    return true;
}

bool WritePng(const std::filesystem::path& path, int w, int h, const std::vector<uint32_t>& argb) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = argb[static_cast<std::size_t>(y) * w + x];
            c.Set(x, y, Rgb{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
        }
    return c.WritePng(path.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: tilepatch OUT_DIR PATCH.txt...\n";
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    std::filesystem::create_directories(outDir);
    if (!headless::OpenGraphics("tilepatch")) return 1;

    const int w = platform::GraphicsDevice::kWidth, h = platform::GraphicsDevice::kHeight;
    const int count = argc - 2;
    const int sheetColumns = 2, sheetRows = (count + 1) / 2;
    const int gap = 8;
    const int sheetW = sheetColumns * w + (sheetColumns + 1) * gap, sheetH = sheetRows * h + (sheetRows + 1) * gap;
    std::vector<uint32_t> sheet(static_cast<std::size_t>(sheetW) * sheetH, 0xFF303030u);
    int rc = 0;
    for (int i = 0; i < count; ++i) {
        Patch patch;
        std::vector<uint32_t> pixels;
        if (!ReadPatch(argv[i + 2], patch) || !Render(patch, pixels) ||
            !WritePng(outDir / (patch.name + ".png"), w, h, pixels)) {
            rc = 1;
            break;
        }
        const int ox = gap + (i % sheetColumns) * (w + gap), oy = gap + (i / sheetColumns) * (h + gap);
        for (int y = 0; y < h; ++y)
            std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * w, w,
                        sheet.begin() + static_cast<std::ptrdiff_t>(oy + y) * sheetW + ox);
    }
    if (rc == 0 && !WritePng(outDir / "all.png", sheetW, sheetH, sheet)) rc = 1;
    ReleaseGraphics();
    return rc;
}
