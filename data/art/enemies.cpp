#include <cstdio>
#include <cstdlib>

#include "Enemies.h"

namespace enemies {

std::string Words(const HumanPose& p) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "root:%g,%g torso=%g head=%g armN=%g foreN=%g armF=%g foreF=%g legN=%g shinN=%g footN=%g legF=%g "
                  "shinF=%g footF=%g ",
                  p.hipX, p.hipY, p.torso, p.head, p.armN, p.foreN, p.armF, p.foreF, p.legN, p.shinN, p.footN, p.legF,
                  p.shinF, p.footF);
    return line + std::string(p.extra);
}

void FailNoPose(const char* kind, const std::string& name) {
    std::fprintf(stderr, "%s: no pose named %s\n", kind, name.c_str());
    std::abort();
}

PoseName SplitPose(const char* cellPose) {
    const std::string s = cellPose;
    const size_t dot = s.find('.');
    if (dot == std::string::npos) return {"", s};
    return {s.substr(0, dot), s.substr(dot + 1)};
}

Canvas DrawPose(const rig::Model& model, const std::string& words, const Layout& layout, const Cell& cell) {
    rig::Pose pose;
    const std::string what = std::string("pose ") + cell.pose + " of " + layout.file;
    const rig::Place place = rig::ReadPoseWords(model, words, pose, what);
    return rig::DrawPlaced(model, pose, place, layout.cell, what);
}

Canvas DrawPose(const rig::Model& model, const HumanPose& pose, const Layout& layout, const Cell& cell) {
    return DrawPose(model, Words(pose), layout, cell);
}

Canvas DrawPose(const rig::Model& model, const PoseLine& pose, const Layout& layout, const Cell& cell) {
    return DrawPose(model, std::string(pose.words), layout, cell);
}

rig::Part ArcPart(const std::string& name, const std::string& bone, int layer, const rig::Ramp& ramp, float rIn, float rOut,
                  float from, float to) {
    rig::Part p;
    p.name = name;
    p.bone = bone;
    p.kind = rig::Kind::Arc;
    p.layer = layer;
    p.ramp = ramp;
    p.r0 = rIn;
    p.r1 = rOut;
    p.arcFrom = from;
    p.arcTo = to;
    p.outline = false;
    return p;
}

rig::Part Flat(rig::Part p) {
    p.shade = false;
    return p;
}

rig::Part Hidden(rig::Part p) {
    p.hidden = true;
    return p;
}

rig::Bone Follow(rig::Bone b) {
    b.follow = true;
    return b;
}

rig::Part PolyPart(const std::string& name, const std::string& bone, int layer, const rig::Ramp& ramp,
                   std::vector<rig::Vec> points) {
    rig::Part p;
    p.name = name;
    p.bone = bone;
    p.kind = rig::Kind::Poly;
    p.layer = layer;
    p.ramp = ramp;
    p.poly = std::move(points);
    return p;
}

rig::Part SpritePart(const std::string& name, const std::string& bone, int layer, std::map<std::string, rig::Sprite> sprites,
                     float snap) {
    rig::Part p;
    p.name = name;
    p.bone = bone;
    p.kind = rig::Kind::Sprite;
    p.layer = layer;
    p.sprites = std::move(sprites);
    p.snap = snap;
    return p;
}

}  // namespace enemies
