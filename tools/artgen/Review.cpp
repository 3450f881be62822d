#include "Review.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "Palette.h"
#include "Sheets.h"

namespace {

constexpr int kZoom = 2;
constexpr int kMarginX = 8, kMarginTop = 12, kMarginBottom = 8;  // around the cell in a panel
constexpr int kLabelH = 12;

const Rgb kBack = Hex(0x35304A);
const Rgb kBackGrid = Hex(0x3C3752);
const Rgb kFloor = Hex(0x5A5470);

std::string Printable(std::string s) {
    for (char& c : s)
        if (c == '_') c = ' ';
    return s;
}

int PanelW(const rig::CellGeometry& g) { return g.w + 2 * kMarginX; }
int PanelH(const rig::CellGeometry& g) { return g.h + kMarginTop + kMarginBottom; }

// One frame in a panel at 2x: the cell placed so that its floor line is the
// panel's floor (where a standing figure's feet are, whatever the anchor),
// with the wall or ceiling it holds, turned about its anchor as the game
// turns spinning states, and its anchor marked.
void DrawFrame(Canvas& out, int px, int py, const Layout& layout, const Cell& cell, const Canvas& sheet, int ticks,
               float turn) {
    const rig::CellGeometry& g = layout.cell;
    const int pw = PanelW(g), ph = PanelH(g);
    out.Rect(px, py, pw * kZoom, ph * kZoom, kBack);
    for (int y = 0; y < ph; y += 4)
        for (int x = (y / 4) % 2 * 4; x < pw; x += 8) out.Rect(px + x * kZoom, py + y * kZoom, 4 * kZoom, 4 * kZoom, kBackGrid);
    const int ox = kMarginX, oy = kMarginTop;
    out.Rect(px, py + (oy + g.floorY) * kZoom, pw * kZoom, (ph - oy - g.floorY) * kZoom, kFloor);
    if (cell.anchor == Anchor::Ceiling) out.Rect(px, py, pw * kZoom, (oy + g.ceilingY) * kZoom, kFloor);
    if (cell.anchor == Anchor::Wall) out.Rect(px, py, (ox + g.wallX) * kZoom, (oy + g.floorY) * kZoom, kFloor);
    const FramePlace p = layout.Place(cell);
    const int anchorX = p.u - cell.x, anchorY = p.v - cell.y;
    const float rad = turn * 3.14159265f / 180.0f, cs = std::cos(rad), sn = std::sin(rad);
    const float pivotX = static_cast<float>((ox + anchorX) * kZoom), pivotY = static_cast<float>((oy + anchorY) * kZoom);
    // A figure drawn pointing up is shown with its anchor where the feet of
    // a standing one are, so that turned level it lies in the panel.
    const bool pointsUp = cell.anchor == Anchor::Underside;
    const float placeX = pointsUp ? static_cast<float>((ox + g.centreX) * kZoom) : pivotX;
    const float placeY = pointsUp ? static_cast<float>((oy + g.floorY) * kZoom) : pivotY;
    for (int sy = 0; sy < ph * kZoom; ++sy)
        for (int sx = 0; sx < pw * kZoom; ++sx) {
            const float dx = sx + 0.5f - placeX, dy = sy + 0.5f - placeY;
            const float rx = dx * cs + dy * sn, ry = -dx * sn + dy * cs;
            const int cx = static_cast<int>(std::floor((rx + pivotX) / kZoom)) - ox;
            const int cy = static_cast<int>(std::floor((ry + pivotY) / kZoom)) - oy;
            if (cx < 0 || cy < 0 || cx >= g.w || cy >= g.h) continue;
            const Rgb c = sheet.Get(cell.x + cx, cell.y + cy);
            if (!(c == kKey)) out.Set(px + sx, py + sy, c);
        }
    const int ax = px + static_cast<int>(placeX), ay = py + static_cast<int>(placeY);
    out.Rect(ax - 3, ay, 7, 1, kGold);
    out.Rect(ax, ay - 3, 1, 7, kGold);
    std::string label = Printable(cell.pose);
    if (ticks > 0) {
        label += ' ';
        label += std::to_string(ticks);
    }
    out.Text(px + 2, py + ph * kZoom + 2, label, kCream);
}

struct Found {
    const Layout* layout = nullptr;
    const Cell* cell = nullptr;
};

// A frame named by a review: a pose of the review's sheets, or
// "RESOURCE:pose" for a frame of another sheet.
Found FindFrame(const Review& r, const std::string& name) {
    std::string pose = name;
    std::vector<int> ids = r.resources;
    if (const size_t colon = pose.find(':'); colon != std::string::npos) {
        ids = {std::atoi(pose.substr(0, colon).c_str())};
        pose = pose.substr(colon + 1);
    }
    Found found;
    for (int id : ids)
        for (const Layout* l : Layouts())
            if (l->resourceId == id && !found.cell && (found.cell = l->Find(pose))) found.layout = l;
    if (!found.cell) std::fprintf(stderr, "review %s: no cell named %s\n", r.character, name.c_str());
    return found;
}

// The ground of each stage theme, drawn from `top` down in a 240 x 160
// screen of texels: forest grass on earth, a stone river bank over water,
// castle wall stones.
void ForestGround(Canvas& c, int top) {
    c.Rect(0, top, c.W(), c.H() - top, kEarth);
    for (int x = 0; x < c.W(); ++x) {
        c.Set(x, top, x % 5 == 2 ? kLeaf : kGrass);
        c.Set(x, top + 1, kGrass);
        if (x % 3 == 0) c.Set(x, top + 2, kPine);
        if ((x * 7) % 11 == 3) c.Set(x, top + 6 + (x % 4) * 3, kEarthDark);
    }
}

void RiverGround(Canvas& c, int top) {
    c.Rect(0, top, c.W(), 12, kStone);
    for (int x = 0; x < c.W(); ++x) {
        c.Set(x, top, kStoneLight);
        if (x % 16 == 0) c.Rect(x, top + 1, 1, 11, kStoneDark);
    }
    c.Rect(0, top + 6, c.W(), 1, kStoneDark);
    c.Rect(0, top + 12, c.W(), c.H() - top - 12, kWaterDeep);
    for (int x = 0; x < c.W(); ++x) {
        if (x % 9 < 4) c.Set(x, top + 13, kFoam);
        if ((x + 4) % 13 < 5) c.Set(x, top + 18, kWater);
    }
}

void CastleGround(Canvas& c, int top) {
    c.Rect(0, top, c.W(), c.H() - top, kStone);
    for (int x = 0; x < c.W(); ++x) {
        c.Set(x, top, kStoneLight);
        for (int row = 0; row < 4; ++row)
            if ((x + row * 10) % 20 == 0) c.Rect(x, top + 1 + row * 7, 1, 7, kStoneDark);
    }
    for (int row = 1; row < 4; ++row) c.Rect(0, top + row * 7, c.W(), 1, kStoneDark);
}

// Copies a frame's cell into `out` with its anchor at (ax, ay), turned by
// `turn` degrees (clockwise) about the anchor.
void PutFrame(Canvas& out, const Canvas& sheet, const Layout& l, const Cell& c, int ax, int ay, float turn) {
    const FramePlace p = l.Place(c);
    const float rad = turn * 3.14159265f / 180.0f, cs = std::cos(rad), sn = std::sin(rad);
    const int reach = l.cell.w + l.cell.h;
    for (int y = -reach; y <= reach; ++y)
        for (int x = -reach; x <= reach; ++x) {
            const float rx = (x + 0.5f) * cs + (y + 0.5f) * sn, ry = -(x + 0.5f) * sn + (y + 0.5f) * cs;
            const int sx = p.u + static_cast<int>(std::floor(rx)), sy = p.v + static_cast<int>(std::floor(ry));
            if (sx < p.u + p.left || sx > p.u + p.right || sy < p.v + p.top || sy > p.v + p.bottom) continue;
            const Rgb v = sheet.Get(sx, sy);
            if (!(v == kKey)) out.Set(ax + x, ay + y, v);
        }
}

// The review's lineup over the loading picture on each stage theme's
// ground, the Ninja standing at the left for scale, all at 2x as the game
// shows them.
template <typename SheetOf>
int WriteMockScreens(const Review& r, SheetOf&& sheetOf, const std::string& outDir) {
    // The loading picture is drawn at half size and doubled: back to texels.
    const Canvas& picture = sheetOf(111);
    const int w = 240, h = 160, ground = 140;
    const int shrink = std::max(1, picture.W() / w);
    Canvas backdrop(w, h, kNight);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) backdrop.Set(x, y, picture.Get(x * shrink, y * shrink));
    void (*grounds[])(Canvas&, int) = {ForestGround, RiverGround, CastleGround};
    std::vector<ReviewFrame> figures = {{"120:stand_a", 0}};
    figures.insert(figures.end(), r.lineup.begin(), r.lineup.end());
    Canvas out(w * kZoom, static_cast<int>(std::size(grounds)) * h * kZoom, kInk);
    for (size_t g = 0; g < std::size(grounds); ++g) {
        Canvas screen(w, h, kNight);
        screen.Blit(backdrop, 0, 0);
        grounds[g](screen, ground);
        const int step = (w - 24) / static_cast<int>(figures.size());
        for (size_t i = 0; i < figures.size(); ++i) {
            const Found f = FindFrame(r, figures[i].pose);
            if (!f.cell) return 1;
            const FramePlace p = f.layout->Place(*f.cell);
            const int x = 12 + step / 2 + static_cast<int>(i) * step;
            // Standing frames put their floor line on the ground; the rest
            // hang in the air above it.
            const bool standing = f.cell->anchor == Anchor::Feet || f.cell->anchor == Anchor::Body;
            const int y = standing ? ground - (f.cell->y + f.layout->cell.floorY - p.v) : ground - 40 + (i % 2) * 8;
            PutFrame(screen, sheetOf(f.layout->resourceId), *f.layout, *f.cell, x, y, figures[i].turn);
        }
        out.Blit(screen.Scaled(kZoom), 0, static_cast<int>(g) * h * kZoom);
    }
    return out.WritePng((std::filesystem::path(outDir) / (std::string(r.character) + "_dusk.png")).string()) ? 0 : 1;
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

    // Each sheet with a layout at 3x, its cells framed and named and their
    // anchors marked.
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
            out.Frame(c.x * z, 16 + c.y * z, l->cell.w * z, l->cell.h * z, kMist);
            out.Text(c.x * z + 2, 16 + c.y * z + 2, Printable(c.pose), kGold);
            const FramePlace p = l->Place(c);
            out.Rect(p.u * z - 2, 16 + p.v * z, 5, 1, kRed);
            out.Rect(p.u * z, 16 + p.v * z - 2, 1, 5, kRed);
        }
        if (!out.WritePng((std::filesystem::path(outDir) / (std::string("sheet_") + l->file + ".png")).string())) return 1;
    }

    // Each character's animations as strips of frames.
    for (const Review* r : Reviews()) {
        std::vector<std::vector<Found>> rows;
        int panelW = 0, panelH = 0;
        size_t longest = 0;
        for (const ReviewStrip& s : r->strips) {
            std::vector<Found> row;
            for (const ReviewFrame& f : s.frames) {
                const Found found = FindFrame(*r, f.pose);
                if (!found.cell) return 1;
                panelW = std::max(panelW, PanelW(found.layout->cell) * kZoom);
                panelH = std::max(panelH, PanelH(found.layout->cell) * kZoom);
                row.push_back(found);
            }
            longest = std::max(longest, row.size());
            rows.push_back(row);
        }
        const int titleW = 110, rowH = panelH + kLabelH + 6;
        Canvas out(titleW + static_cast<int>(longest) * (panelW + 4), 20 + static_cast<int>(rows.size()) * rowH, kInk);
        out.Text(4, 4, r->character, kCream, 2);
        int y = 22;
        for (size_t i = 0; i < rows.size(); ++i) {
            out.Text(4, y + 4, Printable(r->strips[i].title), kCream);
            int x = titleW;
            for (size_t k = 0; k < rows[i].size(); ++k) {
                const ReviewFrame& f = r->strips[i].frames[k];
                const Found& found = rows[i][k];
                DrawFrame(out, x, y, *found.layout, *found.cell, sheetOf(found.layout->resourceId), f.ticks, f.turn);
                x += panelW + 4;
            }
            y += rowH;
        }
        if (!out.WritePng((std::filesystem::path(outDir) / (std::string(r->character) + ".png")).string())) return 1;
        if (!r->lineup.empty() && WriteMockScreens(*r, sheetOf, outDir) != 0) return 1;
    }
    return 0;
}
