#include "Review.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "Palette.h"
#include "Sheets.h"

namespace {

constexpr int kZoom = 2;
// A frame panel: room for a 40 x 40 cell placed by any anchor kind.
constexpr int kPanelW = 56, kPanelH = 60;
constexpr int kRefX = 28, kRefY = 44;  // where the anchor of a feet frame goes
constexpr int kLabelH = 12;

const Rgb kBack = Hex(0x35304A);
const Rgb kBackGrid = Hex(0x3C3752);
const Rgb kFloor = Hex(0x5A5470);

std::string Printable(std::string s) {
    for (char& c : s)
        if (c == '_') c = ' ';
    return s;
}

// One frame: the cell copied so that its anchor lands where a figure of its
// anchor kind would stand on the panel's floor, wall or ceiling.
void DrawFrame(Canvas& out, int px, int py, const Layout& layout, const Cell& cell, const Canvas& sheet, int ticks,
               float turn) {
    out.Rect(px, py, kPanelW * kZoom, kPanelH * kZoom, kBack);
    for (int y = 0; y < kPanelH; y += 4)
        for (int x = (y / 4) % 2 * 4; x < kPanelW; x += 8) out.Rect(px + x * kZoom, py + y * kZoom, 4 * kZoom, 4 * kZoom, kBackGrid);
    // Every figure is drawn as if its feet were on the cell's line y = 32:
    // the floor band shows where that is, whatever the anchor.
    const int floorY = kRefY;
    out.Rect(px, py + floorY * kZoom, kPanelW * kZoom, (kPanelH - floorY) * kZoom, kFloor);
    const FramePlace p = layout.Place(cell);
    const int anchorX = p.u - cell.x, anchorY = p.v - cell.y;
    // Cell origin so that the standing feet line (cell y 32) is the floor.
    const int ox = kRefX - 20, oy = kRefY - 32;
    if (cell.anchor == Anchor::Ceiling) out.Rect(px, py, kPanelW * kZoom, (oy + 12) * kZoom, kFloor);
    if (cell.anchor == Anchor::Wall) out.Rect(px, py, (ox + 10) * kZoom, floorY * kZoom, kFloor);
    // Screen pixels of the panel, sampled back into the cell, turned about
    // the anchor as the game turns the sprite.
    const float rad = turn * 3.14159265f / 180.0f, cs = std::cos(rad), sn = std::sin(rad);
    const float pivotX = static_cast<float>((ox + anchorX) * kZoom), pivotY = static_cast<float>((oy + anchorY) * kZoom);
    for (int sy = 0; sy < kPanelH * kZoom; ++sy)
        for (int sx = 0; sx < kPanelW * kZoom; ++sx) {
            const float dx = sx + 0.5f - pivotX, dy = sy + 0.5f - pivotY;
            const float rx = dx * cs + dy * sn, ry = -dx * sn + dy * cs;
            const int cx = static_cast<int>(std::floor((rx + pivotX) / kZoom)) - ox;
            const int cy = static_cast<int>(std::floor((ry + pivotY) / kZoom)) - oy;
            if (cx < 0 || cy < 0 || cx >= layout.cellSize || cy >= layout.cellSize) continue;
            const Rgb c = sheet.Get(cell.x + cx, cell.y + cy);
            if (!(c == kKey)) out.Set(px + sx, py + sy, c);
        }
    // The anchor: a small cross.
    const int ax = px + (ox + anchorX) * kZoom, ay = py + (oy + anchorY) * kZoom;
    out.Rect(ax - 3, ay, 7, 1, kGold);
    out.Rect(ax, ay - 3, 1, 7, kGold);
    std::string label = Printable(cell.pose);
    if (ticks > 0) label += " " + std::to_string(ticks);
    out.Text(px + 2, py + kPanelH * kZoom + 2, label, kCream);
}

}  // namespace

int WriteReview(const std::string& outDir) {
    std::filesystem::create_directories(outDir);
    std::map<int, Canvas> sheets;
    auto sheetOf = [&](int id) -> const Canvas& {
        auto it = sheets.find(id);
        if (it == sheets.end()) it = sheets.emplace(id, DrawSheet(id)).first;
        return it->second;
    };

    // Each sheet with a layout at 2x, its cells framed and named.
    for (const Layout* l : Layouts()) {
        const Canvas& sheet = sheetOf(l->resourceId);
        const int z = 3;
        Canvas out(l->sheetSize * z, l->sheetSize * z + 16, kInk);
        out.Text(4, 4, "SLOT " + std::to_string(l->slot) + "  RESOURCE " + std::to_string(l->resourceId) + "  " + l->file, kCream);
        for (int y = 0; y < l->sheetSize; ++y)
            for (int x = 0; x < l->sheetSize; ++x) {
                const Rgb c = sheet.Get(x, y);
                out.Rect(x * z, 16 + y * z, z, z, c == kKey ? (((x / 8) + (y / 8)) % 2 ? kCheckA : kCheckB) : c);
            }
        for (const Cell& c : l->cells) {
            out.Frame(c.x * z, 16 + c.y * z, l->cellSize * z, l->cellSize * z, kMist);
            out.Text(c.x * z + 2, 16 + c.y * z + 2, Printable(c.pose), kGold);
            const FramePlace p = l->Place(c);
            out.Rect(p.u * z - 2, 16 + p.v * z, 5, 1, kRed);
            out.Rect(p.u * z, 16 + p.v * z - 2, 1, 5, kRed);
        }
        if (!out.WritePng((std::filesystem::path(outDir) / (std::string("sheet_") + l->file + ".png")).string())) return 1;
    }

    for (const Review* r : Reviews()) {
        size_t longest = 0;
        for (const ReviewStrip& s : r->strips) longest = std::max(longest, s.frames.size());
        const int titleW = 110;
        const int rowH = (kPanelH * kZoom) + kLabelH + 6;
        Canvas out(titleW + static_cast<int>(longest) * (kPanelW * kZoom + 4), 20 + static_cast<int>(r->strips.size()) * rowH, kInk);
        out.Text(4, 4, r->character, kCream, 2);
        int y = 22;
        for (const ReviewStrip& s : r->strips) {
            out.Text(4, y + 4, Printable(s.title), kCream);
            int x = titleW;
            for (const ReviewFrame& f : s.frames) {
                const Layout* found = nullptr;
                const Cell* cell = nullptr;
                std::string pose = f.pose;
                std::vector<int> ids = r->resources;
                if (const size_t colon = pose.find(':'); colon != std::string::npos) {
                    ids = {std::atoi(pose.substr(0, colon).c_str())};
                    pose = pose.substr(colon + 1);
                }
                for (int id : ids)
                    for (const Layout* l : Layouts())
                        if (l->resourceId == id && !cell && (cell = l->Find(pose))) found = l;
                if (!cell) {
                    std::fprintf(stderr, "review %s: no cell named %s\n", r->character, f.pose);
                    return 1;
                }
                DrawFrame(out, x, y, *found, *cell, sheetOf(found->resourceId), f.ticks, f.turn);
                x += kPanelW * kZoom + 4;
            }
            y += rowH;
        }
        if (!out.WritePng((std::filesystem::path(outDir) / (std::string(r->character) + ".png")).string())) return 1;
    }
    return 0;
}
