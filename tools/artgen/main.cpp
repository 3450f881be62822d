// Draws every registered sheet into rcdata_<id>.png and lays them side by
// side, at 2x with their resource ids, on one contact sheet for review.
//   artgen OUT_DIR CONTACT_SHEET [ART_DIR]   the resources and the contact sheet
//   artgen --review OUT_DIR [ART_DIR]        review strips of the characters
//   artgen --layouts DIR                     the machine-readable sheet layouts
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Palette.h"
#include "Review.h"
#include "Sheets.h"

// The image resources the game loads into its texture slots.
static const int kImageResourceIds[] = {
    100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119,
    120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139,
    140, 141, 150, 160, 161, 162, 163, 164, 165, 166, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179,
    180, 181, 300, 301, 302, 303, 304, 305, 306, 307, 308, 309, 400, 401, 402,
};
static_assert(sizeof(kImageResourceIds) / sizeof(int) == 75);

static int WriteLayouts(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    for (const Layout* l : Layouts()) {
        std::ofstream f(dir / (std::string(l->file) + ".txt"), std::ios::binary);
        f << l->Text();
        if (!f) {
            std::fprintf(stderr, "cannot write the layout %s\n", l->file);
            return 1;
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--layouts") return WriteLayouts(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "--review") {
        if (argc > 3) SetArtDataDir(argv[3]);
        return WriteReview(argv[2]);
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: artgen OUT_DIR CONTACT_SHEET [ART_DIR] | --review OUT_DIR [ART_DIR] | --layouts DIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    if (argc > 3) SetArtDataDir(argv[3]);
    std::filesystem::create_directories(out);
    auto& sheets = Sheets();
    std::sort(sheets.begin(), sheets.end(), [](const SheetDef& a, const SheetDef& b) { return a.resourceId < b.resourceId; });
    // Two drawings of one resource would overwrite each other unseen.
    for (size_t i = 1; i < sheets.size(); ++i)
        if (sheets[i].resourceId == sheets[i - 1].resourceId) {
            std::fprintf(stderr, "resource %d is drawn by both \"%s\" and \"%s\"\n", sheets[i].resourceId,
                         sheets[i - 1].name, sheets[i].name);
            return 1;
        }

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
