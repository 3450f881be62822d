// Draws every registered sheet into rcdata_<id>.png and lays them side by
// side, at 2x with their resource ids, on one contact sheet for review.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "Palette.h"
#include "Sheets.h"

std::vector<SheetDef>& Sheets() {
    static std::vector<SheetDef> sheets;
    return sheets;
}

static std::string g_artDir;

// The image resources the game loads into its texture slots.
static const int kImageResourceIds[] = {
    100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119,
    120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139,
    140, 141, 150, 160, 161, 162, 163, 164, 165, 166, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179,
    180, 181, 300, 301, 302, 303, 304, 305, 306, 307, 308, 309, 400, 401, 402,
};
static_assert(sizeof(kImageResourceIds) / sizeof(int) == 75);
const std::string& ArtDataDir() { return g_artDir; }

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: artgen OUT_DIR CONTACT_SHEET [ART_DIR]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    if (argc > 3) g_artDir = argv[3];
    std::filesystem::create_directories(out);
    auto& sheets = Sheets();
    // A drawn sheet replaces the placeholder of its id; two drawings of one
    // id are a mistake.
    std::set<int> drawnIds;
    for (const SheetDef& s : sheets)
        if (!s.placeholder) drawnIds.insert(s.resourceId);
    std::erase_if(sheets, [&](const SheetDef& s) { return s.placeholder && drawnIds.count(s.resourceId) != 0; });
    for (size_t i = 0; i < sheets.size(); ++i)
        for (size_t j = i + 1; j < sheets.size(); ++j)
            if (sheets[i].resourceId == sheets[j].resourceId) {
                std::fprintf(stderr, "artgen: sheets \"%s\" and \"%s\" both draw resource %d\n", sheets[i].name,
                             sheets[j].name, sheets[i].resourceId);
                return 1;
            }
    std::sort(sheets.begin(), sheets.end(), [](const SheetDef& a, const SheetDef& b) { return a.resourceId < b.resourceId; });

    std::vector<std::pair<int, Canvas>> drawn;
    for (const SheetDef& s : sheets) {
        Canvas c = s.draw();
        if (!c.WritePng((out / ("rcdata_" + std::to_string(s.resourceId) + ".png")).string())) return 1;
        drawn.emplace_back(s.resourceId, std::move(c));
    }
    // Every image resource the game loads exists: one without drawing yet is
    // an empty page. The glyph pages (102 to 110) come from the font tool.
    for (int id : kImageResourceIds) {
        if (id >= 102 && id <= 110) continue;
        bool have = false;
        for (const SheetDef& s : sheets) have = have || s.resourceId == id;
        if (!have && !Canvas(8, 8, kKey).WritePng((out / ("rcdata_" + std::to_string(id) + ".png")).string())) return 1;
    }

    // Contact sheet: rows of sheets at 2x, each labelled with its id.
    const int maxRowWidth = 2400;
    int x = 0, y = 0, rowH = 0, width = 0;
    std::vector<std::tuple<int, int, size_t>> places;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const int w = std::max(std::min(drawn[i].second.W(), 512) * 2 + 8, 64), h = std::min(drawn[i].second.H(), 512) * 2 + 20;
        if (x + w > maxRowWidth && x > 0) { x = 0; y += rowH; rowH = 0; }
        places.emplace_back(x, y, i);
        x += w;
        rowH = std::max(rowH, h);
        width = std::max(width, x);
    }
    Canvas sheet(std::max(width, 1), std::max(y + rowH, 1), kInk);
    for (auto& [px, py, i] : places) {
        const Canvas& c = drawn[i].second;
        Canvas big(std::min(c.W(), 512) * 2, std::min(c.H(), 512) * 2, kCheckA);
        for (int j = 0; j < big.H(); ++j)
            for (int k = 0; k < big.W(); ++k) {
                const Rgb v = c.Get(k / 2, j / 2);
                big.Set(k, j, v == kKey ? (((k / 16) + (j / 16)) % 2 ? kCheckA : kCheckB) : v);
            }
        sheet.Text(px + 2, py + 4, std::to_string(drawn[i].first), kCream, 2);
        sheet.Blit(big, px, py + 18);
    }
    return sheet.WritePng(argv[2]) ? 0 : 1;
}
