#pragma once
// Registries of the art tool: each drawing file under data/art registers the
// image resources it draws, the layouts of its character sheets (which cell
// holds which pose, and where its anchor lies) and the animation strips the
// review draws.
#include <string>
#include <vector>

#include "Canvas.h"
#include "Rig.h"

using DrawFn = Canvas (*)();

struct SheetDef {
    int resourceId;
    const char* name;
    DrawFn draw;
};

std::vector<SheetDef>& Sheets();
// Folder of the art sources (for pixel-grid files read at build time).
const std::string& ArtDataDir();
void SetArtDataDir(const std::string& dir);
// Draws the sheet of a resource id (every registered drawing runs once per
// call; the tests use it to compare two drawings).
Canvas DrawSheet(int resourceId);

struct SheetRegistrar {
    SheetRegistrar(int id, const char* name, DrawFn fn) { Sheets().push_back({id, name, fn}); }
};

#define ART_SHEET(id, name)                                   \
    static Canvas DrawSheet_##id();                           \
    static SheetRegistrar registrar_##id(id, name, DrawSheet_##id); \
    static Canvas DrawSheet_##id()

// Where a frame's anchor (the character's position) lies in its cell. Every
// character figure is drawn in its cell as if standing on the cell's floor
// line with its body centred on the centre point (rig::CellGeometry; for the
// 40 x 40 player cells the floor is y = 32 and the centre (20, 22)); the
// anchor kinds pick the point that the character's position stands for:
//   Feet    (centre x, floor)     standing, walking, running, grounded stances, lying
//   Centre  (centre x, centre y)  airborne, spinning, hurt, dashing, striking
//   Ceiling (centre x, ceiling)   hanging: the hands touch the ceiling line (y = 12)
//   Wall    (wall x, centre y)    clinging to the wall behind: the back touches x = 10
//   Body    (centre x, centre y)  a figure standing on the floor line whose
//                                 position is its body's centre, 10 texels up
//                                 (enemies: their body box is centred on the
//                                 position in every state, so standing,
//                                 walking and jumping frames share one point)
//   Underside                     a figure drawn level and pointing forward on
//                                 the floor line, then turned a quarter turn
//                                 counter-clockwise in its (square) cell so that
//                                 it points up, as the game's angle 0 does: the
//                                 game turns it along its flight. Its position
//                                 is where its feet stood, the middle of its
//                                 underside, now on its right: (floor, w - centre x)
// The sprite rectangle always covers the whole cell.
enum class Anchor { Feet, Centre, Ceiling, Wall, Body, Underside };

struct Cell {
    const char* pose;    // the pose drawn into it (unique within its sheet)
    // The frame-table states that show it: numbers and ranges ("300-303");
    // a number marked * is a character's own version of a state whose record
    // takes its picture from another sheet.
    const char* states;
    int x, y;            // top-left corner in the sheet
    Anchor anchor;
};

struct FramePlace {
    int u, v;                       // texture position of the anchor
    int left, right, top, bottom;   // sprite rectangle relative to the anchor (inclusive)
};

struct Layout;
// Draws one cell of a layout: a canvas of the layout's cell size.
using CellPainter = Canvas (*)(const Layout&, const Cell&);

struct Layout {
    int resourceId;
    int slot;
    const char* file;    // data/art/layouts/<file>.txt
    std::vector<Cell> cells;
    int sheetSize = 256;
    rig::CellGeometry cell{};
    // Draws the cells when several layouts (of several characters, or cells
    // of several sizes) share one sheet: PaintLayouts draws every layout of
    // the sheet that has a painter.
    CellPainter paint = nullptr;

    FramePlace Place(const Cell& c) const;
    const Cell* Find(const std::string& pose) const;
    // The machine-readable copy of the layout (data/art/layouts/<file>.txt).
    std::string Text() const;
};

std::vector<const Layout*>& Layouts();
struct LayoutRegistrar {
    explicit LayoutRegistrar(const Layout& l) { Layouts().push_back(&l); }
};
#define ART_LAYOUT(var) static LayoutRegistrar layoutRegistrar_##var(var)

const char* AnchorName(Anchor a);

// Draws the cells of every registered layout of a resource that has a
// painter onto `sheet`; a sheet drawn from its layouts alone is
// PaintedSheet(id).
void PaintLayouts(Canvas& sheet, int resourceId);
Canvas PaintedSheet(int resourceId, int size = 256);

// An animation for the review: frames (pose names from the character's
// sheets, or "RESOURCE:pose" for a frame of another sheet) with their
// lengths in game ticks, turned by `turn` degrees (clockwise) about the
// anchor as the game turns spinning states.
struct ReviewFrame {
    std::string pose;
    int ticks;
    float turn = 0;
};
struct ReviewStrip {
    std::string title;
    std::vector<ReviewFrame> frames;
};
struct Review {
    const char* character;
    std::vector<int> resources;  // the sheets whose layouts the strips name
    std::vector<ReviewStrip> strips;
    // Frames shown in mock screens of the stages (the loading picture at 2x
    // over the ground of each stage theme), beside the player for scale:
    // <character>_dusk.png. Frames standing on the floor stand on the
    // ground; the others float above it, turned by `turn`.
    std::vector<ReviewFrame> lineup = {};
};
std::vector<const Review*>& Reviews();
struct ReviewRegistrar {
    explicit ReviewRegistrar(const Review& r) { Reviews().push_back(&r); }
};
#define ART_REVIEW(var) static ReviewRegistrar reviewRegistrar_##var(var)
