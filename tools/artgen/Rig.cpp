#include "Rig.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rig {

namespace {

constexpr float kPi = 3.14159265358979f;

float Rad(float deg) { return deg * kPi / 180.0f; }

Vec Dir(float deg) { return {std::sin(Rad(deg)), std::cos(Rad(deg))}; }

// Turns v the way a bone turns when its angle grows by delta.
Vec Turn(Vec v, float delta) {
    const float c = std::cos(Rad(delta)), s = std::sin(Rad(delta));
    return {v.x * c + v.y * s, v.y * c - v.x * s};
}

// Joint positions are kept on a 1/16 texel grid, so that a pose draws the
// same pixels whatever rounding the trigonometry does in its last bits.
float Snap(float v) { return std::round(v * 16.0f) / 16.0f; }

Vec Add(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec Mul(Vec a, float k) { return {a.x * k, a.y * k}; }
float DotV(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

template <typename T>
const T* Lookup(const std::map<std::string, T>& m, const std::string& key) {
    auto it = m.find(key);
    return it == m.end() ? nullptr : &it->second;
}

bool Contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

// One part's pixels before compositing: a mask and a colour per pixel.
struct Layer {
    int w, h;
    std::vector<uint8_t> mask;
    std::vector<Rgb> colour;
    Layer(int w_, int h_) : w(w_), h(h_), mask(static_cast<size_t>(w_) * h_, 0), colour(mask.size(), kKey) {}
    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && mask[static_cast<size_t>(y) * w + x]; }
    void Put(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        mask[static_cast<size_t>(y) * w + x] = 1;
        colour[static_cast<size_t>(y) * w + x] = c;
    }
};

// Pixel-centre coverage of a tapered stroke from a to b.
void FillCapsule(Layer& out, Vec a, Vec b, float r0, float r1, Rgb c) {
    const float rMax = std::max(r0, r1);
    const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - rMax - 1));
    const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + rMax + 1));
    const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - rMax - 1));
    const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + rMax + 1));
    const Vec ab = Sub(b, a);
    const float len2 = DotV(ab, ab);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const Vec p{x + 0.5f, y + 0.5f};
            float t = len2 > 0 ? DotV(Sub(p, a), ab) / len2 : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const Vec q = Add(a, Mul(ab, t));
            const Vec d = Sub(p, q);
            const float r = r0 + (r1 - r0) * t;
            if (DotV(d, d) <= r * r + 0.01f) out.Put(x, y, c);
        }
}

void FillEllipse(Layer& out, Vec centre, float angle, float across, float along, Rgb c) {
    if (across <= 0 || along <= 0) return;
    const Vec ax = Dir(angle), ac = Dir(angle + 90);
    const float r = std::max(across, along) + 1;
    for (int y = static_cast<int>(std::floor(centre.y - r)); y <= static_cast<int>(std::ceil(centre.y + r)); ++y)
        for (int x = static_cast<int>(std::floor(centre.x - r)); x <= static_cast<int>(std::ceil(centre.x + r)); ++x) {
            const Vec d = Sub({x + 0.5f, y + 0.5f}, centre);
            const float u = DotV(d, ac) / across, v = DotV(d, ax) / along;
            if (u * u + v * v <= 1.0f + 0.01f) out.Put(x, y, c);
        }
}

void FillPoly(Layer& out, const std::vector<Vec>& pts, Rgb c) {
    if (pts.size() < 3) return;
    float minY = pts[0].y, maxY = pts[0].y;
    for (const Vec& p : pts) { minY = std::min(minY, p.y); maxY = std::max(maxY, p.y); }
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
        const float sy = y + 0.5f;
        std::vector<float> xs;
        for (size_t i = 0; i < pts.size(); ++i) {
            const Vec a = pts[i], b = pts[(i + 1) % pts.size()];
            if ((a.y <= sy) != (b.y <= sy)) xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(xs[i] - 0.5f)); x + 0.5f <= xs[i + 1]; ++x) out.Put(x, y, c);
    }
}

// A crescent swept from angle `from` (its thin tail) to `to` (its thick,
// bright head) around `centre`.
void FillArc(Layer& out, Vec centre, float rIn, float rOut, float from, float to, const Ramp& ramp) {
    const int r = static_cast<int>(std::ceil(rOut)) + 1;
    const float sweep = to - from;
    if (sweep == 0) return;
    for (int y = static_cast<int>(centre.y) - r; y <= static_cast<int>(centre.y) + r; ++y)
        for (int x = static_cast<int>(centre.x) - r; x <= static_cast<int>(centre.x) + r; ++x) {
            const Vec d = Sub({x + 0.5f, y + 0.5f}, centre);
            const float dist = std::sqrt(DotV(d, d));
            if (dist > rOut) continue;
            float ang = std::atan2(d.x, d.y) * 180.0f / kPi;
            // The angle nearest to the sweep, in its own turn.
            float t = -1;
            for (int k = -2; k <= 2 && t < 0; ++k) {
                const float tt = (ang + 360.0f * k - from) / sweep;
                if (tt >= 0 && tt <= 1) t = tt;
            }
            if (t < 0) continue;
            const float inner = rOut - (rOut - rIn) * t;
            if (dist < inner) continue;
            out.Put(x, y, t > 0.7f ? ramp.light : t > 0.35f ? ramp.mid : ramp.dark);
        }
}

// The texels a thin line from a to b passes through the centres of, one
// per step along its longer axis.
void FillLine(Layer& out, Vec a, Vec b, Rgb c) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const int steps = static_cast<int>(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
    for (int i = 0; i <= steps; ++i) {
        const float t = steps > 0 ? static_cast<float>(i) / static_cast<float>(steps) : 0.0f;
        out.Put(static_cast<int>(std::floor(a.x + dx * t)), static_cast<int>(std::floor(a.y + dy * t)), c);
    }
}

void FillSprite(Layer& out, const Sprite& s, Vec at, float turn, const std::map<char, Rgb>& legend) {
    const int gh = static_cast<int>(s.rows.size());
    int gw = 0;
    for (const std::string& row : s.rows) gw = std::max(gw, static_cast<int>(row.size()));
    const Vec q{std::round(at.x), std::round(at.y)};
    const float reach = static_cast<float>(gw + gh) + 2;
    for (int y = static_cast<int>(q.y - reach); y <= static_cast<int>(q.y + reach); ++y)
        for (int x = static_cast<int>(q.x - reach); x <= static_cast<int>(q.x + reach); ++x) {
            const Vec local = Turn(Sub({x + 0.5f, y + 0.5f}, q), -turn);
            const int gx = static_cast<int>(std::floor(local.x + s.pivot.x));
            const int gy = static_cast<int>(std::floor(local.y + s.pivot.y));
            if (gy < 0 || gy >= gh || gx < 0 || gx >= static_cast<int>(s.rows[gy].size())) continue;
            const char ch = s.rows[gy][gx];
            if (ch == '.' || ch == ' ') continue;
            auto it = legend.find(ch);
            if (it == legend.end()) {
                std::fprintf(stderr, "rig: no colour for '%c'\n", ch);
                std::abort();
            }
            out.Put(x, y, it->second);
        }
}

// Flat shading of one part's mask, lit from the upper left: the rim facing
// the light takes the light tone where the part is thick enough to show it
// (four pixels across the light), the rim facing away the dark tone where it
// is at least two across, the rest the mid tone. Thin limbs thus read as two
// tones, never as stripes.
void Shade(Layer& part, const Ramp& ramp) {
    std::vector<Rgb> tone(part.colour);
    for (int y = 0; y < part.h; ++y)
        for (int x = 0; x < part.w; ++x) {
            if (!part.In(x, y)) continue;
            const bool ul = !part.In(x - 1, y) || !part.In(x, y - 1);
            const bool lr = !part.In(x + 1, y) || !part.In(x, y + 1);
            Rgb c = ramp.mid;
            if (lr && (part.In(x - 1, y - 1) || part.In(x - 1, y) || part.In(x, y - 1))) c = ramp.dark;
            else if (ul && part.In(x + 1, y + 1) && part.In(x + 2, y + 2) && part.In(x + 3, y + 3)) c = ramp.light;
            tone[static_cast<size_t>(y) * part.w + x] = c;
        }
    part.colour = tone;
}

}  // namespace

Bone MakeBone(const std::string& name, const std::string& parent, float length, float along, Vec offset, float angle) {
    Bone b;
    b.name = name;
    b.parent = parent;
    b.length = length;
    b.along = along;
    b.offset = offset;
    b.angle = angle;
    return b;
}

Bone TrailBone(const std::string& name, const std::string& parent, float length, float along, Vec offset, float wave,
               float sag) {
    Bone b = MakeBone(name, parent, length, along, offset, -90);
    b.trail = true;
    b.wave = wave;
    b.sag = sag;
    return b;
}

Bone FollowBone(const std::string& name, const std::string& parent, float length, float along, Vec offset, float angle) {
    Bone b = MakeBone(name, parent, length, along, offset, angle);
    b.follow = true;
    return b;
}

Part CapsulePart(const std::string& name, const std::string& bone, int layer, const Ramp& ramp, float r0, float r1,
                 float from, float to) {
    Part p;
    p.name = name;
    p.bone = bone;
    p.kind = Kind::Capsule;
    p.layer = layer;
    p.ramp = ramp;
    p.r0 = r0;
    p.r1 = r1;
    p.from = from;
    p.to = to;
    return p;
}

Part EllipsePart(const std::string& name, const std::string& bone, int layer, const Ramp& ramp, float across,
                 float along, float at) {
    Part p = CapsulePart(name, bone, layer, ramp, across, along, at, at);
    p.kind = Kind::Ellipse;
    return p;
}

Bone& Model::AddBone(const Bone& b) {
    bones.push_back(b);
    return bones.back();
}

Part& Model::AddPart(const Part& p) {
    parts.push_back(p);
    return parts.back();
}

Part* Model::FindPart(const std::string& n) {
    for (Part& p : parts)
        if (p.name == n) return &p;
    return nullptr;
}

Bone* Model::FindBone(const std::string& n) {
    for (Bone& b : bones)
        if (b.name == n) return &b;
    return nullptr;
}

std::map<std::string, Joint> Solve(const Model& model, const Pose& pose) {
    std::map<std::string, Joint> joints;
    std::map<std::string, const Bone*> bones;
    for (const Bone& b : model.bones) bones[b.name] = &b;
    std::map<std::string, int> trailIndex;
    for (const Bone& b : model.bones) {
        Joint j;
        const Joint* parent = b.parent.empty() ? nullptr : Lookup(joints, b.parent);
        if (!b.parent.empty() && !parent) {
            std::fprintf(stderr, "rig: bone %s of %s comes before its parent %s\n", b.name.c_str(), model.name.c_str(),
                         b.parent.c_str());
            std::abort();
        }
        const Bone* pb = parent ? bones.at(b.parent) : nullptr;
        if (parent) {
            const Vec base = Add(parent->start, Mul(Sub(parent->end, parent->start), b.along));
            j.start = Add(base, Turn(b.offset, parent->angle - pb->angle));
        } else {
            j.start = Add(pose.root, b.offset);
        }
        if (const Vec* s = Lookup(pose.shift, b.name)) j.start = Add(j.start, *s);
        j.start = {Snap(j.start.x), Snap(j.start.y)};

        if (const float* a = Lookup(pose.angle, b.name)) {
            j.angle = *a;
        } else if (b.trail) {
            // A hanging chain: each link a little further round the wave.
            const int* up = Lookup(trailIndex, b.parent);
            const int index = up ? *up + 1 : 0;
            trailIndex[b.name] = index;
            float a = pose.wind + b.wave * std::sin(Rad(pose.phase + 75.0f * index));
            // Sagging toward straight down (0), never past it.
            const float sag = b.sag * static_cast<float>(index);
            a = std::remainder(a, 360.0f);
            a = a < 0 ? std::min(0.0f, a + sag) : std::max(0.0f, a - sag);
            j.angle = a;
        } else if (b.follow && parent) {
            const std::string& refName = b.turnsWith.empty() ? b.parent : b.turnsWith;
            const Joint* ref = Lookup(joints, refName);
            if (!ref) {
                std::fprintf(stderr, "rig: bone %s of %s turns with %s, which comes after it\n", b.name.c_str(),
                             model.name.c_str(), refName.c_str());
                std::abort();
            }
            const float* k = Lookup(pose.spread, refName);
            j.angle = ref->angle + (b.angle - bones.at(refName)->angle) * (k ? *k : 1.0f);
        } else {
            j.angle = b.angle;
        }
        float len = b.length;
        if (const float* k = Lookup(pose.stretch, b.name)) len *= *k;
        j.end = Add(j.start, Mul(Dir(j.angle), len));
        j.end = {Snap(j.end.x), Snap(j.end.y)};
        joints[b.name] = j;
    }
    return joints;
}

Canvas Render(const Model& model, const Pose& pose, int w, int h) {
    const std::map<std::string, Joint> joints = Solve(model, pose);

    struct Entry {
        const Part* part;
        int layer;
    };
    std::vector<std::string> show = pose.show, hide = pose.hide;
    for (const Bone& b : model.bones)
        if (pose.angle.count(b.name)) {
            show.insert(show.end(), b.reveals.begin(), b.reveals.end());
            hide.insert(hide.end(), b.conceals.begin(), b.conceals.end());
        }
    std::vector<Entry> entries;
    for (const Part& p : model.parts) {
        if (p.hidden && !Contains(show, p.name)) continue;
        if (Contains(hide, p.name)) continue;
        const int* l = Lookup(pose.layer, p.name);
        entries.push_back({&p, l ? *l : p.layer});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.layer < b.layer; });

    Canvas figure(w, h, kKey);
    // The ramp of the part seen at each pixel (null for sprites), so that a
    // part in front can darken what it overlaps along its edge.
    std::vector<const Ramp*> under(static_cast<size_t>(w) * h, nullptr);
    std::vector<const std::string*> group(static_cast<size_t>(w) * h, nullptr);
    std::vector<Layer> overlays;
    for (const Entry& e : entries) {
        const Part& p = *e.part;
        const Joint* j = Lookup(joints, p.bone);
        if (!j) {
            std::fprintf(stderr, "rig: part %s of %s on missing bone %s\n", p.name.c_str(), model.name.c_str(), p.bone.c_str());
            std::abort();
        }
        const Bone* bone = &*std::find_if(model.bones.begin(), model.bones.end(), [&](const Bone& b) { return b.name == p.bone; });
        const Vec d = Sub(j->end, j->start);
        const float turn = j->angle - bone->angle;
        Layer layer(w, h);
        switch (p.kind) {
            case Kind::Capsule:
                FillCapsule(layer, Add(j->start, Mul(d, p.from)), Add(j->start, Mul(d, p.to)), p.r0, p.r1, p.ramp.mid);
                break;
            case Kind::Ellipse:
                FillEllipse(layer, Add(j->start, Mul(d, p.from)), j->angle, p.r0, p.r1, p.ramp.mid);
                break;
            case Kind::Poly: {
                std::vector<Vec> pts;
                for (const Vec& v : p.poly) pts.push_back(Add(j->start, Turn(v, turn)));
                FillPoly(layer, pts, p.ramp.mid);
                break;
            }
            case Kind::Sprite: {
                std::string variant;
                if (const std::string* v = Lookup(pose.variant, p.name)) variant = *v;
                const Sprite* s = Lookup(p.sprites, variant);
                if (!s) s = Lookup(p.sprites, std::string());
                if (!s) break;
                const float snapped = p.snap > 0 ? std::round(turn / p.snap) * p.snap : turn;
                FillSprite(layer, *s, Add(j->start, Mul(d, p.from)), snapped, model.legend);
                break;
            }
            case Kind::Arc:
                FillArc(layer, j->start, p.r0, p.r1, j->angle + p.arcFrom, j->angle + p.arcTo, p.ramp);
                break;
            case Kind::Line: {
                const Joint* t = Lookup(joints, p.target);
                if (!t) {
                    std::fprintf(stderr, "rig: line %s of %s to missing bone %s\n", p.name.c_str(), model.name.c_str(),
                                 p.target.c_str());
                    std::abort();
                }
                FillLine(layer, j->end, t->end, p.ramp.mid);
                break;
            }
        }
        if (p.shade && p.kind != Kind::Sprite && p.kind != Kind::Arc && p.kind != Kind::Line) Shade(layer, p.ramp);
        if (!p.outline) {
            overlays.push_back(std::move(layer));
            continue;
        }
        if (p.edge) {
            // A dark line on what lies behind, around the part.
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (layer.In(x, y) || figure.Get(x, y) == kKey) continue;
                    if (!layer.In(x - 1, y) && !layer.In(x + 1, y) && !layer.In(x, y - 1) && !layer.In(x, y + 1)) continue;
                    const std::string* g = group[static_cast<size_t>(y) * w + x];
                    if (g && !p.group.empty() && *g == p.group) continue;
                    const Ramp* r = under[static_cast<size_t>(y) * w + x];
                    figure.Set(x, y, r ? r->dark : model.ink);
                }
        }
        const bool shaded = p.kind != Kind::Sprite;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!layer.In(x, y)) continue;
                figure.Set(x, y, layer.colour[static_cast<size_t>(y) * w + x]);
                under[static_cast<size_t>(y) * w + x] = shaded ? &p.ramp : nullptr;
                group[static_cast<size_t>(y) * w + x] = &p.group;
            }
    }
    const Canvas bare = figure;
    figure.Outline(model.ink);
    // The light rim: outline pixels with the figure below or to the right
    // and open sky above and to the left.
    auto open = [&](int x, int y) { return x < 0 || y < 0 || bare.Get(x, y) == kKey; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!open(x, y) || !open(x - 1, y) || !open(x, y - 1)) continue;
            const bool below = y + 1 < h && !open(x, y + 1), right = x + 1 < w && !open(x + 1, y);
            if (below || right) figure.Set(x, y, model.rim);
        }
    for (const Layer& o : overlays)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (o.In(x, y)) figure.Set(x, y, o.colour[static_cast<size_t>(y) * w + x]);
    return figure;
}

namespace {

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "rig: %s\n", what.c_str());
    std::abort();
}

float Number(const std::string& s, const std::string& where) {
    char* end = nullptr;
    const float v = std::strtof(s.c_str(), &end);
    if (s.empty() || *end) Fail("bad number '" + s + "' in " + where);
    return v;
}

Vec Pair(const std::string& s, const std::string& where) {
    const std::vector<std::string> xy = Split(s, ',');
    if (xy.size() != 2) Fail("bad pair '" + s + "' in " + where);
    return {Number(xy[0], where), Number(xy[1], where)};
}

}  // namespace

Place ReadPoseWords(const Model& model, const std::string& words, Pose& pose, const std::string& where) {
    Place place = Place::Ground;
    for (const std::string& word : Split(words, ' ')) {
        const size_t colon = word.find(':');
        if (colon != std::string::npos) {
            const std::string key = word.substr(0, colon), value = word.substr(colon + 1);
            if (key == "root") {
                pose.root = Pair(value, where);
            } else if (key == "place") {
                const std::map<std::string, Place> places = {{"ground", Place::Ground}, {"centre", Place::Centre},
                                                             {"hip", Place::Hip},       {"wall", Place::Wall},
                                                             {"ceiling", Place::Ceiling}};
                if (!places.count(value)) Fail("unknown placement '" + value + "' in " + where);
                place = places.at(value);
            } else if (key == "wind") {
                pose.wind = Number(value, where);
            } else if (key == "phase") {
                pose.phase = Number(value, where);
            } else if (key == "show" || key == "hide") {
                for (const std::string& n : Split(value, ',')) (key == "show" ? pose.show : pose.hide).push_back(n);
            } else if (key == "front" || key == "back") {
                for (const std::string& n : Split(value, ',')) pose.layer[n] = key == "front" ? 30 : -30;
            } else {
                const std::string part = key == "face" ? "head" : key;
                bool known = false;
                for (const Part& p : model.parts) known = known || p.name == part;
                if (!known) Fail("no part '" + part + "' in " + where);
                pose.variant[part] = value;
            }
            continue;
        }
        const size_t op = word.find_first_of("=*+~");
        if (op == std::string::npos || op == 0) Fail("unknown word '" + word + "' in " + where);
        const std::string value = word.substr(op + 1);
        for (const std::string& bone : Split(word.substr(0, op), ',')) {
            bool known = false;
            for (const Bone& b : model.bones) known = known || b.name == bone;
            if (!known) Fail("no bone '" + bone + "' in " + where);
            if (word[op] == '=') pose.angle[bone] = Number(value, where);
            else if (word[op] == '*') pose.stretch[bone] = Number(value, where);
            else if (word[op] == '~') pose.spread[bone] = Number(value, where);
            else pose.shift[bone] = Pair(value, where);
        }
    }
    return place;
}

Place ReadPoseColumns(const Model& model, const std::string& columns, const std::string& values,
                      const std::string& words, Pose& pose, const std::string& where) {
    const std::vector<std::string> names = Split(columns, ' '), numbers = Split(values, ' ');
    if (names.size() != numbers.size())
        Fail(std::to_string(numbers.size()) + " values for " + std::to_string(names.size()) + " columns in " + where);
    std::string all;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& n = names[i];
        const bool hasOp = std::string("=*+~").find(n.back()) != std::string::npos;
        all += n + (hasOp ? "" : n == "root" ? ":" : "=") + numbers[i] + " ";
    }
    return ReadPoseWords(model, all + words, pose, where);
}

Canvas DrawPlaced(const Model& model, const Pose& pose, Place place, const CellGeometry& cell, const std::string& what) {
    // Drawn with a margin, then moved onto its line and cut to the cell.
    const int margin = std::max(cell.w, cell.h) / 3;
    Pose shifted = pose;
    shifted.root.x += static_cast<float>(margin);
    shifted.root.y += static_cast<float>(margin);
    const Canvas big = Render(model, shifted, cell.w + 2 * margin, cell.h + 2 * margin);
    int minX = big.W(), maxX = -1, minY = big.H(), maxY = -1;
    for (int y = 0; y < big.H(); ++y)
        for (int x = 0; x < big.W(); ++x)
            if (!(big.Get(x, y) == kKey)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    if (maxX < 0) Fail(what + " draws nothing");
    int dx = margin, dy = margin;
    switch (place) {
        case Place::Ground: dy = maxY - (cell.floorY - 1); break;
        case Place::Ceiling: dy = minY - cell.ceilingY; break;
        case Place::Wall: dx = minX - cell.wallX; break;
        case Place::Centre:
            dx = (minX + maxX + 1) / 2 - cell.centreX;
            dy = (minY + maxY + 1) / 2 - cell.centreY;
            break;
        case Place::Hip: break;
    }
    if (minX - dx < 0 || minY - dy < 0 || maxX - dx >= cell.w || maxY - dy >= cell.h)
        Fail(what + " does not fit its cell: it spans x " + std::to_string(minX - dx) + ".." + std::to_string(maxX - dx) +
             ", y " + std::to_string(minY - dy) + ".." + std::to_string(maxY - dy));
    Canvas out(cell.w, cell.h, kKey);
    for (int y = 0; y < cell.h; ++y)
        for (int x = 0; x < cell.w; ++x) out.Set(x, y, big.Get(x + dx, y + dy));
    return out;
}

Model Humanoid(const std::string& name, const Body& body) {
    Model m;
    m.name = name;
    m.AddBone(MakeBone("hip", "", 0, 0, {0, 0}, 180));
    m.AddBone(MakeBone("torso", "hip", body.torso, 0, {0, 0}, 180));
    m.AddBone(MakeBone("head", "torso", 0, 1, {0, 0}, 180));
    m.AddBone(MakeBone("armF", "torso", body.upperArm, 1, {-0.4f, body.shoulderDown}, 0));
    m.AddBone(MakeBone("foreF", "armF", body.foreArm, 1, {0, 0}, 0));
    m.AddBone(MakeBone("handF", "foreF", 0, 1, {0, 0}, 0));
    m.AddBone(MakeBone("armN", "torso", body.upperArm, 1, {0.4f, body.shoulderDown}, 0));
    m.AddBone(MakeBone("foreN", "armN", body.foreArm, 1, {0, 0}, 0));
    m.AddBone(MakeBone("handN", "foreN", 0, 1, {0, 0}, 0));
    m.AddBone(MakeBone("legF", "hip", body.thigh, 0, {-0.8f, 0}, 0));
    m.AddBone(MakeBone("shinF", "legF", body.shin, 1, {0, 0}, 0));
    m.AddBone(MakeBone("footF", "shinF", body.foot, 1, {0, 0}, 90));
    m.AddBone(MakeBone("legN", "hip", body.thigh, 0, {0.8f, 0}, 0));
    m.AddBone(MakeBone("shinN", "legN", body.shin, 1, {0, 0}, 0));
    m.AddBone(MakeBone("footN", "shinN", body.foot, 1, {0, 0}, 90));

    // A limb segment: near parts draw an edge over what lies behind them,
    // except over their own limb.
    auto limb = [&](const char* n, int layer, const Ramp& ramp, float r0, float r1, const char* group) {
        Part p = CapsulePart(n, n, layer, ramp, r0, r1);
        p.group = group;
        p.edge = std::string(group) == "armN";
        m.AddPart(p);
    };
    // Far side behind the torso, near side in front of it.
    limb("armF", -20, body.farSleeve, body.armRadius, body.armRadius, "armF");
    limb("foreF", -20, body.farSleeve, body.armRadius, body.armRadius * 0.95f, "armF");
    limb("handF", -19, body.farGloves, body.handRadius, body.handRadius, "armF");
    limb("legF", -12, body.farLegs, body.legRadius, body.legRadius * 0.95f, "legF");
    limb("shinF", -12, body.farLegs, body.legRadius * 0.95f, body.legRadius * 0.9f, "legF");
    limb("footF", -11, body.farBoots, body.footRadius, body.footRadius * 0.9f, "legF");
    Part torso = CapsulePart("torso", "torso", 0, body.top, body.hipWidth, body.chestWidth);
    torso.edge = true;
    m.AddPart(torso);
    limb("legN", 2, body.legs, body.legRadius, body.legRadius * 0.95f, "legN");
    limb("shinN", 2, body.legs, body.legRadius * 0.95f, body.legRadius * 0.9f, "legN");
    limb("footN", 3, body.boots, body.footRadius, body.footRadius * 0.9f, "legN");
    Part head;
    head.name = "head";
    head.bone = "head";
    head.kind = Kind::Sprite;
    head.layer = 10;
    head.sprites[""] = body.head;
    m.AddPart(head);
    limb("armN", 12, body.sleeve, body.armRadius, body.armRadius, "armN");
    limb("foreN", 12, body.sleeve, body.armRadius, body.armRadius * 0.95f, "armN");
    limb("handN", 13, body.gloves, body.handRadius, body.handRadius, "armN");
    m.FindPart("handN")->edge = false;
    return m;
}

}  // namespace rig
