#include "Sheets.h"

#include <cstdio>

std::vector<SheetDef>& Sheets() {
    static std::vector<SheetDef> sheets;
    return sheets;
}

static std::string g_artDir;
const std::string& ArtDataDir() { return g_artDir; }
void SetArtDataDir(const std::string& dir) { g_artDir = dir; }

Canvas DrawSheet(int resourceId) {
    for (const SheetDef& s : Sheets())
        if (s.resourceId == resourceId) return s.draw();
    return Canvas(1, 1, kKey);
}

std::vector<const Layout*>& Layouts() {
    static std::vector<const Layout*> layouts;
    return layouts;
}

std::vector<const Review*>& Reviews() {
    static std::vector<const Review*> reviews;
    return reviews;
}

const char* AnchorName(Anchor a) {
    switch (a) {
        case Anchor::Feet: return "feet";
        case Anchor::Centre: return "centre";
        case Anchor::Ceiling: return "ceiling";
        case Anchor::Wall: return "wall";
        case Anchor::Body: return "body";
        case Anchor::Underside: return "underside";
    }
    return "?";
}

FramePlace Layout::Place(const Cell& c) const {
    int ax = cell.centreX, ay = cell.floorY;
    switch (c.anchor) {
        case Anchor::Feet: break;
        case Anchor::Centre:
        case Anchor::Body: ay = cell.centreY; break;
        case Anchor::Ceiling: ay = cell.ceilingY; break;
        case Anchor::Wall: ax = cell.wallX; ay = cell.centreY; break;
        case Anchor::Underside:
            ax = cell.floorY;
            ay = cell.w - cell.centreX;
            break;
    }
    FramePlace p;
    p.u = c.x + ax;
    p.v = c.y + ay;
    p.left = -ax;
    p.right = cell.w - 1 - ax;
    p.top = -ay;
    p.bottom = cell.h - 1 - ay;
    return p;
}

const Cell* Layout::Find(const std::string& pose) const {
    for (const Cell& c : cells)
        if (pose == c.pose) return &c;
    return nullptr;
}

std::string Layout::Text() const {
    std::string out;
    char line[256];
    std::snprintf(line, sizeof line,
                  "# Sheet layout of texture slot %d (resource %d), written by artgen from data/art.\n"
                  "# u, v: texture position of the anchor; left right top bottom: the sprite\n"
                  "# rectangle relative to the anchor, inclusive. Anchor kinds: see tools/artgen/Sheets.h.\n",
                  slot, resourceId);
    out += line;
    std::snprintf(line, sizeof line, "%-16s %-4s %4s %4s %5s %5s %4s %6s  %-8s %s\n", "# pose", "slot", "u", "v", "left",
                  "right", "top", "bottom", "anchor", "states");
    out += line;
    for (const Cell& c : cells) {
        const FramePlace p = Place(c);
        std::snprintf(line, sizeof line, "%-16s %-4d %4d %4d %5d %5d %4d %6d  %-8s %s\n", c.pose, slot, p.u, p.v, p.left,
                      p.right, p.top, p.bottom, AnchorName(c.anchor), c.states);
        out += line;
    }
    return out;
}

void PaintLayouts(Canvas& sheet, int resourceId) {
    for (const Layout* l : Layouts())
        if (l->resourceId == resourceId && l->paint)
            for (const Cell& c : l->cells) sheet.Blit(l->paint(*l, c), c.x, c.y);
}

Canvas PaintedSheet(int resourceId, int size) {
    Canvas sheet(size, size, kKey);
    PaintLayouts(sheet, resourceId);
    return sheet;
}
