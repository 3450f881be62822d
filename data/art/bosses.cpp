// Drawing the bosses' cells: poses from their tables, shots from pixel grids.
#include <cstdio>
#include <cstdlib>

#include "Bosses.h"
#include "Palette.h"

namespace bosses {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "bosses: %s\n", what.c_str());
    std::abort();
}

}  // namespace

Canvas DrawCell(const Cast& cast, const Cell& cell, const rig::CellGeometry& geometry) {
    std::string name = cell.pose;
    if (const size_t dot = name.find('.'); dot != std::string::npos) name = name.substr(dot + 1);
    for (const PoseLine& line : cast.poses) {
        if (name != line.name) continue;
        const std::string where = std::string("pose ") + line.name + " of " + cast.model.name;
        rig::Pose pose;
        const rig::Place place = rig::ReadPoseColumns(cast.model, cast.columns, line.values, line.words, pose, where);
        return rig::DrawPlaced(cast.model, pose, place, geometry, where);
    }
    Fail(std::string("no pose named ") + cell.pose + " for " + cast.model.name);
}

void DrawCells(Canvas& sheet, const Cast& cast, const Layout& layout) {
    for (const Cell& c : layout.cells) sheet.Blit(DrawCell(cast, c, layout.cell), c.x, c.y);
}

void DrawPictures(Canvas& sheet, const Layout& layout, const std::vector<Picture>& pictures,
                  const std::map<char, Rgb>& legend) {
    for (const Cell& c : layout.cells) {
        const Picture* found = nullptr;
        for (const Picture& p : pictures)
            if (c.pose == std::string(p.name)) found = &p;
        if (!found) Fail(std::string("no picture named ") + c.pose);
        const int h = static_cast<int>(found->rows.size()), w = static_cast<int>(found->rows[0].size());
        // A shot that runs along the floor stands on the floor line.
        const int x = c.x + layout.cell.centreX - w / 2;
        const int y = c.anchor == Anchor::Body ? c.y + layout.cell.floorY - h : c.y + layout.cell.centreY - h / 2;
        if (x < c.x || y < c.y || x + w > c.x + layout.cell.w || y + h > c.y + layout.cell.h)
            Fail(std::string("picture ") + c.pose + " does not fit its cell");
        sheet.Grid(x, y, found->rows, [&](char ch, Rgb& out) {
            auto it = legend.find(ch);
            if (it == legend.end()) Fail(std::string("no colour for '") + ch + "' in picture " + c.pose);
            out = it->second;
            return true;
        });
    }
}

const std::map<char, Rgb>& ShotLegend() {
    static const std::map<char, Rgb> legend = {
        {'k', kInk},   {'n', kNight},  {'d', kDusk},   {'m', kMauve},      {'r', kRose},     {'c', kCoral},
        {'a', kAmber}, {'g', kGold},   {'e', kCream},  {'w', kWhite},      {'i', kMist},     {'s', kSlate},
        {'v', kViolet}, {'f', kFoam},  {'b', kWater},  {'B', kWaterDeep},  {'l', kLeaf},     {'G', kGrass},
        {'p', kPine},  {'E', kEarth},  {'D', kEarthDark}, {'o', kWood},    {'S', kSand},     {'t', kStone},
        {'T', kStoneLight}, {'K', kStoneDark}, {'R', kRed}, {'C', kCrimson},
    };
    return legend;
}

}  // namespace bosses
