#pragma once
// Character rig: draws posed characters (players, enemies, bosses) into sheet
// cells with the game's look: flat three-tone shading lit from the upper
// left and a 1-pixel ink outline around the whole silhouette, the same bytes
// on every build.
//
// HOW TO USE IT
//
// 1. A Model is a skeleton of Bones plus the Parts drawn on them.
//    - Angles are degrees on screen: 0 points down, 90 points forward (the
//      way the character faces, +x; every sheet draws characters facing
//      right), 180 up, -90 back. A bone's direction is (sin a, cos a).
//    - A Bone starts on its parent (`along` = 0 at the parent's start, 1 at
//      its end) plus `offset`, and has a `length` and a rest `angle`.
//      Offsets are written as seen in the rest pose (x forward, y down) and
//      turn with the parent when it turns away from its rest angle.
//    - The first bone is the root; its start is the pose's `root` point.
//    - A Part draws on one bone, in `layer` order (higher in front):
//        Capsule  a tapered stroke along the bone from `from` to `to`
//                 (fractions of its length), radius r0 at the start, r1 at the end;
//        Ellipse  centred at `from` along the bone, r0 across, r1 along;
//        Poly     points in texels from the bone's start, rest-pose frame;
//        Sprite   a hand-drawn pixel grid (`sprites`, one per variant, ""
//                 the default) with its pivot on the bone point at `from`;
//                 it turns with the bone in steps of `snap` degrees (90
//                 keeps faces crisp; 0 turns freely);
//        Arc      a crescent (slash trail) around the bone's start: radii r0
//                 to r1, swept from `arcFrom` (thin, dim tail) to `arcTo`
//                 (thick, bright head), both added to the bone's angle.
//        Line     a 1-texel line in the ramp's mid tone from the end of its
//                 bone to the end of the bone named `target` (a bowstring
//                 drawn back to the hand, a tether); usually not outlined.
//      Shaded parts use a Ramp (light, mid, dark): the rim facing the upper
//      left gets the light tone, the rim facing the lower right the dark one.
//      Sprites keep their own colours (the model's `legend` maps grid
//      characters to colours; '.' is empty).
//      `edge = true` parts draw a dark line (the dark tone of what lies
//      behind, ink behind a sprite) around themselves where they overlap
//      earlier parts: a near arm over a torso of the same cloth.
//      `outline = false` parts (slash trails, sparks) are laid over the
//      finished figure without ink.  `hidden = true` parts appear only when
//      a pose names them in `show` (a drawn sword, a shout mouth).
//    - A bone that a pose leaves out keeps its rest angle on screen, or,
//      when it `follow`s, its rest angle to its parent (claws on a hand).
//    - `trail` bones (scarves, hair, tails) hang in the wind: when a pose
//      does not set their angle they point along the pose's `wind`
//      direction, waving by `wave` degrees with the pose's `phase`, each
//      further link sagging `sag` degrees nearer straight down.
// 2. A Pose gives the root point in the cell, bone angles (bones it leaves
//    out keep their rest angle), bone shifts, length factors, parts to show
//    or hide, sprite variants ("blink", "hurt") and layer changes (an arm
//    swung in front of the body). Poses are easiest written as a line of
//    pose words (ReadPoseWords below), as data/art/players.cpp does.
// 3. Render(model, pose, w, h) returns a w x h Canvas (colour-key green
//    where empty); DrawPlaced() renders and then moves the figure onto its
//    floor, wall or ceiling line (or centres it) in a cell of a given
//    geometry, and refuses a figure that the cell would cut. Humanoid()
//    builds the standard two-legged skeleton that the player characters
//    use; enemies and bosses build their own skeletons the same way (a bird:
//    body, neck, head, two wing bones; a wheel: a root with spokes) and may
//    be drawn in larger cells (CellGeometry). Where a frame wants a
//    hand-placed pixel or two, draw a small Canvas::Grid over its cell after
//    the rig has drawn it.
// 4. Sheet layouts (Sheets.h): a Layout lists the sheet's cells (pose name,
//    the states it serves, cell position, anchor kind). Register it with
//    ART_LAYOUT so that `art_layouts` writes its machine-readable copy
//    (data/art/layouts), the review can name its cells, and the tests check
//    every cell (inside the sheet, not empty, on the palette, standing on
//    its floor); register animation strips with ART_REVIEW.
//
// Judge the result at 2x: `cmake --build build --target art_review` writes
// build/art_review/*.png (every sheet with a layout, enlarged, its cells
// named and anchors marked; each character's animations as strips at 2x over
// the floor, wall or ceiling they hold, spinning frames turned as the game
// turns them), and build/contact_sheet.png shows all sheets at 2x.
#include <map>
#include <string>
#include <vector>

#include "Canvas.h"

namespace rig {

struct Vec {
    float x = 0, y = 0;
};

// Three tones of one material.
struct Ramp {
    Rgb light, mid, dark;
};

// A hand-drawn pixel grid with the point that sits on its bone.
struct Sprite {
    std::vector<std::string> rows;
    Vec pivot;
};

enum class Kind { Capsule, Ellipse, Poly, Sprite, Arc, Line };

struct Part {
    std::string name;
    std::string bone;
    Kind kind = Kind::Capsule;
    int layer = 0;
    Ramp ramp{};
    float from = 0, to = 1;
    float r0 = 1, r1 = 1;
    std::vector<Vec> poly;
    std::map<std::string, Sprite> sprites;
    float snap = 90;
    float arcFrom = 0, arcTo = 0;
    std::string target;  // Line: the bone whose end the line reaches
    bool hidden = false;
    bool outline = true;
    bool shade = true;
    bool edge = false;  // darkens what it overlaps along its rim
    std::string group;  // parts of one group draw no edge over each other
};

struct Bone {
    std::string name;
    std::string parent;
    float length = 0;
    float along = 1;
    Vec offset;
    float angle = 0;
    bool trail = false;
    float wave = 0;
    float sag = 0;  // each further link of a trail hangs this much nearer straight down
    bool follow = false;  // unposed, it keeps its rest angle to its parent
    // A following bone may keep its rest angle to another bone than the one
    // it sits on (a feather on the arm of a wing that lies along its hand).
    std::string turnsWith;
    // Parts shown and hidden when a pose sets this bone's angle (a sword
    // bone shows the drawn blade and hides the hilt on the back).
    std::vector<std::string> reveals, conceals;
};

// Short forms for building models.
Bone MakeBone(const std::string& name, const std::string& parent, float length, float along, Vec offset, float angle);
Bone TrailBone(const std::string& name, const std::string& parent, float length, float along, Vec offset, float wave,
               float sag);
// A bone that keeps its rest angle to its parent unless a pose sets it.
Bone FollowBone(const std::string& name, const std::string& parent, float length, float along, Vec offset, float angle);
Part CapsulePart(const std::string& name, const std::string& bone, int layer, const Ramp& ramp, float r0, float r1,
                 float from = 0, float to = 1);
Part EllipsePart(const std::string& name, const std::string& bone, int layer, const Ramp& ramp, float across,
                 float along, float at = 0);

struct Model {
    std::string name;
    std::vector<Bone> bones;
    std::vector<Part> parts;
    std::map<char, Rgb> legend;
    Rgb ink = Rgb{0x1A, 0x14, 0x23};  // the palette's ink
    // The outline where it faces the light (the upper left) takes this colour
    // instead of ink: the evening sky's light on the figure's edge, so that a
    // dark figure keeps its shape against a dark stage.
    Rgb rim = Rgb{0x6B, 0x7F, 0xA3};  // the palette's mist

    Bone& AddBone(const Bone& b);
    Part& AddPart(const Part& p);
    Part* FindPart(const std::string& name);
    Bone* FindBone(const std::string& name);
};

struct Pose {
    Vec root;
    std::map<std::string, float> angle;
    std::map<std::string, Vec> shift;
    std::map<std::string, float> stretch;
    // Fans the bones that follow a bone (feathers on a wing, fingers): their
    // rest angles to it are multiplied by the factor (0 folds them together).
    std::map<std::string, float> spread;
    std::vector<std::string> show, hide;
    std::map<std::string, std::string> variant;
    std::map<std::string, int> layer;
    float wind = -90;  // the direction trailing bones blow toward
    float phase = 0;   // wave phase of trailing bones, degrees
};

// Where every bone starts and ends for a pose (for placing effects or
// checking a pose).
struct Joint {
    Vec start, end;
    float angle = 0;
};
std::map<std::string, Joint> Solve(const Model& model, const Pose& pose);

Canvas Render(const Model& model, const Pose& pose, int w, int h);

// The lines and points of a cell that placements and sheet anchors use. The
// defaults are the player characters' 40 x 40 cells: a figure stands with its
// feet just above y = 32 and its body centred on (20, 22); a figure clinging
// to a wall behind it touches x = 10, one hanging from a ceiling y = 12.
struct CellGeometry {
    int w = 40, h = 40;
    int floorY = 32;
    int centreX = 20, centreY = 22;
    int wallX = 10;
    int ceilingY = 12;
};

// How a figure is moved into its cell after rendering: Ground puts its lowest
// pixel on the row above the floor line, Centre centres its box on the centre
// point (for spins, which turn about it), Hip leaves it where the pose's root
// puts it (for runs of frames that must not jitter), Wall puts its hindmost
// pixel on the wall line, Ceiling its topmost on the ceiling line.
enum class Place { Ground, Centre, Hip, Wall, Ceiling };

// Reads pose words into `pose` and returns the placement they name (Ground
// when none). Words, separated by spaces:
//   root:X,Y            where the root bone starts in the cell
//   BONE=A              the bone's angle;  BONE*K  stretches it;  BONE+X,Y  shifts its start
//   BONE~K              fans the bones that follow BONE by K (Pose::spread)
//   A,B=V               (with any of = * + ~) the same for each bone named
//   place:P             ground, centre, hip, wall or ceiling
//   PART:V              sprite variant V of a part (face:blink picks the
//                       head's blink; `face` names the part "head")
//   wind:A  phase:P     where trailing bones blow, and their wave
//   show:a,b  hide:a,b  parts shown or hidden
//   front:a,b  back:a,b parts drawn in front of or behind everything
// Aborts, naming `where`, on a word it does not know or a bone the model lacks.
Place ReadPoseWords(const Model& model, const std::string& words, Pose& pose, const std::string& where);

// A pose written as a row of a table: `columns` names what each value sets
// ("root" takes the point X,Y; a name ending in one of = * + ~ is that pose
// word's start, as "wingN1,wingN2~"; any other name is a bone's angle),
// `values` holds one value per column, and `words` adds pose words. Tables
// of many poses thus write the common bones as numbers under one header:
//   columns "root torso head armN foreN"   values "22,41 172 180 25 80"
// Aborts, naming `where`, when the counts differ or a word is unknown.
Place ReadPoseColumns(const Model& model, const std::string& columns, const std::string& values,
                      const std::string& words, Pose& pose, const std::string& where);

// Renders the pose and moves it into a cell by its placement; aborts, naming
// `what`, when the figure is empty or does not fit the cell.
Canvas DrawPlaced(const Model& model, const Pose& pose, Place place, const CellGeometry& cell, const std::string& what);

// The standard two-legged skeleton. Bones: hip (root, points up), torso,
// head, armN/foreN/handN and armF/foreF/handF (near and far arm), legN/shinN/
// footN and legF/shinF/footF. Parts are named like their bones; near limbs
// are drawn in front of the torso, far limbs behind it and a tone darker.
struct Body {
    float torso = 6;          // hip to neck
    float hipWidth = 2.6f;    // torso radius at the hip
    float chestWidth = 3.0f;  // torso radius at the chest
    float upperArm = 3.2f, foreArm = 3.0f, armRadius = 1.05f;
    float thigh = 3.6f, shin = 3.6f, legRadius = 1.25f;
    float foot = 2.6f, footRadius = 1.0f;
    float handRadius = 1.3f;
    float shoulderDown = 1.2f;  // shoulders below the neck
    Ramp top, sleeve, legs, boots, gloves;
    Ramp farSleeve, farLegs, farBoots, farGloves;  // the far side, a tone darker
    Sprite head;                                    // default head picture
};
Model Humanoid(const std::string& name, const Body& body);

}  // namespace rig
