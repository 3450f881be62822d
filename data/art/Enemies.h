#pragma once
// Pieces shared by the enemy sheets: pose tables (the humanoid columns the
// player poses use, or a line of pose words for any skeleton), cell names
// with a variant prefix, and drawing a pose into a layout's cell.
//
// Every enemy is drawn facing right, lit from the upper left, in the game's
// palette with the rig's ink outline, like the player characters. Ground
// enemies keep their body's centre 10 texels above the floor line in every
// frame (their body box is centred on their position), so their standing,
// walking and jumping frames share the Body anchor; flyers and shots are
// centred on theirs.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "Rig.h"
#include "Sheets.h"

namespace enemies {

// A humanoid pose in the player tables' columns: hip x, y in the cell;
// torso and head angles (180 upright, less leans forward); near arm and
// forearm, far arm and forearm (0 hangs down, 90 points forward, 180 up);
// near thigh, shin, foot and far thigh, shin, foot; then pose words.
struct HumanPose {
    const char* name;
    float hipX, hipY, torso, head;
    float armN, foreN, armF, foreF;
    float legN, shinN, footN, legF, shinF, footF;
    const char* extra;
};

// A pose of any skeleton: a name and a line of pose words.
struct PoseLine {
    const char* name;
    const char* words;
};

// The pose words of a humanoid row.
std::string Words(const HumanPose& p);

[[noreturn]] void FailNoPose(const char* kind, const std::string& name);

// Finds a pose by name in a table; aborts on a name no row has.
template <typename Row, size_t N>
const Row& FindPose(const Row (&table)[N], const std::string& name, const char* kind) {
    for (const Row& r : table)
        if (name == r.name) return r;
    FailNoPose(kind, name);
}

// Cells of a sheet shared by variants name their poses "variant.pose"; a
// name without a dot is the kind's first variant ("").
struct PoseName {
    std::string variant, pose;
};
PoseName SplitPose(const char* cellPose);

// Draws the pose words into a cell of the layout, placed as the words say
// (ground: feet on the floor line; hip: where the root puts it; centre).
Canvas DrawPose(const rig::Model& model, const std::string& words, const Layout& layout, const Cell& cell);
Canvas DrawPose(const rig::Model& model, const HumanPose& pose, const Layout& layout, const Cell& cell);
Canvas DrawPose(const rig::Model& model, const PoseLine& pose, const Layout& layout, const Cell& cell);

// The 16 x 16 cell of a small shot, anchored at its centre.
inline constexpr rig::CellGeometry kShotCell{16, 16, 14, 8, 8, 4, 4};

// A shaded part drawn without the ramp's light rim (small round things:
// eyes, beads, fruit).
rig::Part Flat(rig::Part p);
rig::Part Hidden(rig::Part p);
// A bone that keeps its rest angle to its parent when a pose leaves it out.
rig::Bone Follow(rig::Bone b);
// A polygon part on a bone (points in texels, rest-pose frame).
rig::Part PolyPart(const std::string& name, const std::string& bone, int layer, const rig::Ramp& ramp,
                   std::vector<rig::Vec> points);
// A crescent laid over the figure without an outline (slash trails,
// flying waves, speed lines): radii rIn to rOut around the bone's start,
// swept from `from` (thin, dim) to `to` (thick, bright).
rig::Part ArcPart(const std::string& name, const std::string& bone, int layer, const rig::Ramp& ramp, float rIn, float rOut,
                  float from, float to);
// A hand-drawn sprite part (faces), turning in steps of `snap` degrees.
rig::Part SpritePart(const std::string& name, const std::string& bone, int layer, std::map<std::string, rig::Sprite> sprites,
                     float snap = 90);

}  // namespace enemies
