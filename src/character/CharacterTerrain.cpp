// Movement and terrain contact. There is no tile map: every character whose
// current record has solid geometry is terrain for every other character's
// body box. Everything here is integer arithmetic in world units (tenths of
// a pixel, y growing downward), with positions relative to the camera.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "character/Character.h"
#include "character/CharacterList.h"
#include "framework/GameMain.h"
#include "stage/StageView.h"

namespace {

struct Span {
    int32_t lo;
    int32_t hi;
};

Span Ordered(int32_t a, int32_t b) { return a <= b ? Span{a, b} : Span{b, a}; }
bool Overlap(Span a, Span b) { return RangesOverlap(a.lo, a.hi, b.lo, b.hi); }

bool HasBody(const CCharacter& c) {
    const FrameRecord& r = c.CurrentRecord();
    return r.bodyLeft != r.bodyRight && r.bodyTop != r.bodyBottom;
}

bool HasSolid(const FrameRecord& r) {
    if (r.solidLeft == r.solidRight) return false;
    return r.solidTopLeft != 0 || r.solidTopRight != 0 || r.solidBottomLeft != 0 || r.solidBottomRight != 0;
}

bool HasSolid(const CCharacter& c) { return HasSolid(c.CurrentRecord()); }

Span BodyX(const CCharacter& c) {
    const FrameRecord& r = c.CurrentRecord();
    return Ordered(r.bodyLeft * c.facing + c.x, r.bodyRight * c.facing + c.x);
}

Span BodyY(const CCharacter& c) {
    const FrameRecord& r = c.CurrentRecord();
    return Ordered(r.bodyTop + c.y, r.bodyBottom + c.y);
}

// The solid's horizontal span; r is c's current record.
Span SolidX(const CCharacter& c, const FrameRecord& r) {
    return Ordered(r.solidLeft * c.facing + c.x, r.solidRight * c.facing + c.x);
}

Span SolidX(const CCharacter& c) { return SolidX(c, c.CurrentRecord()); }

// Height of a solid's surface at a sample x: the left height left of the
// solid (whose span is s), the right height right of it, and the straight
// line between them across it. The heights are not mirrored by facing.
int32_t SurfaceAt(const CCharacter& c, Span s, int32_t sampleX, int32_t leftHeight, int32_t rightHeight) {
    if (sampleX < s.lo || s.hi == s.lo) return leftHeight + c.y;
    if (sampleX > s.hi) return rightHeight + c.y;
    const int64_t t = static_cast<int64_t>(sampleX) - s.lo;
    const int64_t w = static_cast<int64_t>(s.hi) - s.lo;
    return static_cast<int32_t>(leftHeight + static_cast<int64_t>(rightHeight - leftHeight) * t / w + c.y);
}

int32_t TopAt(const CCharacter& c, int32_t sampleX) {
    const FrameRecord& r = c.CurrentRecord();
    return SurfaceAt(c, SolidX(c, r), sampleX, r.solidTopLeft, r.solidTopRight);
}

int32_t BottomAt(const CCharacter& c, int32_t sampleX) {
    const FrameRecord& r = c.CurrentRecord();
    return SurfaceAt(c, SolidX(c, r), sampleX, r.solidBottomLeft, r.solidBottomRight);
}

// Whether a body box (bx, by), belonging to a position whose x is sampleX,
// overlaps the solid of h (its current record r, its span sx).
bool BoxOverlapsSolid(Span bx, Span by, int32_t sampleX, const CCharacter& h, const FrameRecord& r, Span sx) {
    if (!Overlap(bx, sx)) return false;
    return Overlap(by, Ordered(SurfaceAt(h, sx, sampleX, r.solidTopLeft, r.solidTopRight),
                               SurfaceAt(h, sx, sampleX, r.solidBottomLeft, r.solidBottomRight)));
}

// The world list, its cursor reset for a walk.
CCharacterList& WalkWorld() {
    CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    world.cursor = 0;
    return world;
}

// Vertical reach of the ground search below the stage's bottom edge, and
// its step limit when no stage is current.
constexpr int32_t kDropMargin = 2 * kTileSize;
constexpr int32_t kDropStep = 100;
constexpr int32_t kMaxDropSteps = 1000;

// Ground stick: how far and in which steps a grounded walker looks down.
constexpr int32_t kStickProbes = 28;
constexpr int32_t kStickStep = 10;
// Slope climb: how often and how far a blocked walker tries to rise.
constexpr int32_t kClimbRaises = 6;
constexpr int32_t kClimbStep = 50;
constexpr int32_t kSettleStep = 10;
// A sub-step of Move.
constexpr int32_t kSubStep = 100;
// How far, at most, a body found inside terrain is taken to a free place:
// this much farther on either axis than the body is wide or tall.
constexpr int32_t kWayOutReach = 3 * kTileSize;

// Whether the body, put at (px, py), overlaps the other's solid.
bool OverlapsSolidAt(CCharacter& c, CCharacter* other, int32_t px, int32_t py) {
    const int32_t ox = c.x, oy = c.y;
    c.x = px;
    c.y = py;
    const bool overlaps = c.OverlapsSolid(other);
    c.x = ox;
    c.y = oy;
    return overlaps;
}

// A solid around a body that is being taken out of terrain: the box it
// fills (the box around it when its surfaces slope).
struct NearSolid {
    CCharacter* c;
    Span x, y;
    bool flat;
};

// Whether the straight line from p to p + d runs through the inside of the
// box (its faces not counted).
bool LineCrosses(Span bx, Span by, double px, double py, double dx, double dy) {
    double t0 = 0.0, t1 = 1.0;
    auto clip = [&](double p, double d, Span s) {
        if (d == 0.0) return s.lo < p && p < s.hi;
        const double a = (s.lo - p) / d, b = (s.hi - p) / d;
        t0 = std::max(t0, std::min(a, b));
        t1 = std::min(t1, std::max(a, b));
        return t0 < t1;
    };
    return clip(px, dx, bx) && clip(py, dy, by);
}

// A body taken out of terrain: how far it went on either axis, and which
// of its sides then touch a solid. Or, when it found no way out, stuck.
struct PushOut {
    int32_t x = 0, y = 0;
    bool floor = false, ceiling = false, leftWall = false, rightWall = false;
    bool stuck = false;
};

// A way out of terrain: the offset, and what orders ways of one length
// (straight up, down, left, right, then the slanted ones).
struct WayOut {
    int32_t dx, dy;
    int64_t length2;
    int32_t rank;
};

// Takes a body found inside terrain to the nearest free place around it
// that the middle of its body, from where its step began at (fromX, fromY),
// reaches in a straight line without crossing a solid (other than one the
// middle was in already there): out of a floor, a ceiling or a wall on the
// side it is nearest to, but never through a block to the block's far side,
// nor from one block into the next of a column or a row. The places tried
// put the body against a face of the solids around it, on either axis or
// both. Below the stage's bottom edge there is no place to go: a body is
// never taken down so that its middle ends under the edge (unless it was
// under it already), so one in the ground there goes up onto it or to a
// side. False, and the body left where it is, when no such place lies
// within reach (kWayOutReach beyond the body's own size).
bool LeaveTerrain(CCharacter& c, int32_t fromX, int32_t fromY, PushOut& out) {
    const Span bx = BodyX(c), by = BodyY(c);
    const int32_t reachX = kWayOutReach + (bx.hi - bx.lo), reachY = kWayOutReach + (by.hi - by.lo);
    CStageView* stage = CGameMain::GetInstance()->GetStageView();
    const int32_t stageBottom = stage->HasStage() ? stage->GetHeight() * kTileSize - stage->GetCameraY() : INT32_MAX;
    std::vector<NearSolid> near;
    CCharacterList& world = WalkWorld();
    while (CCharacter* h = world.GetNext()) {
        if (h == &c || h->notSolid) continue;
        const FrameRecord& r = h->CurrentRecord();
        if (!HasSolid(r)) continue;
        const Span sx = SolidX(*h, r);
        const Span sy{std::min({r.solidTopLeft, r.solidTopRight, r.solidBottomLeft, r.solidBottomRight}) + h->y,
                      std::max({r.solidTopLeft, r.solidTopRight, r.solidBottomLeft, r.solidBottomRight}) + h->y};
        if (sx.hi < bx.lo - reachX || sx.lo > bx.hi + reachX || sy.hi < by.lo - reachY || sy.lo > by.hi + reachY)
            continue;
        near.push_back({h, sx, sy, r.solidTopLeft == r.solidTopRight && r.solidBottomLeft == r.solidBottomRight});
    }

    // Offsets that bring the body's edges to the solids' faces.
    auto faces = [](std::vector<int32_t>& out, int32_t reach) {
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        std::erase_if(out, [reach](int32_t d) { return std::abs(d) > reach; });
    };
    std::vector<int32_t> xs{0};
    for (const NearSolid& s : near) {
        xs.push_back(s.x.lo - bx.hi);
        xs.push_back(s.x.hi - bx.lo);
    }
    faces(xs, reachX);
    std::vector<WayOut> ways;
    std::vector<int32_t> ys;
    for (int32_t dx : xs) {
        // The heights of a sloped solid are taken where the body would be.
        ys.assign(1, 0);
        for (const NearSolid& s : near) {
            Span sy = s.y;
            if (!s.flat) {
                const FrameRecord& r = s.c->CurrentRecord();
                sy = Ordered(SurfaceAt(*s.c, s.x, c.x + dx, r.solidTopLeft, r.solidTopRight),
                             SurfaceAt(*s.c, s.x, c.x + dx, r.solidBottomLeft, r.solidBottomRight));
            }
            ys.push_back(sy.lo - by.hi);
            ys.push_back(sy.hi - by.lo);
        }
        faces(ys, reachY);
        for (int32_t dy : ys) {
            if (dx == 0 && dy == 0) continue;
            const int32_t rank = dx == 0 ? (dy < 0 ? 0 : 1) : dy == 0 ? (dx < 0 ? 2 : 3) : 4;
            ways.push_back({dx, dy, int64_t{dx} * dx + int64_t{dy} * dy, rank});
        }
    }
    std::sort(ways.begin(), ways.end(), [](const WayOut& a, const WayOut& b) {
        return std::tie(a.length2, a.rank, a.dy, a.dx) < std::tie(b.length2, b.rank, b.dy, b.dx);
    });

    // Where the middle of the body was when its step began, in half units.
    const int64_t fromMiddleX = int64_t{bx.lo} + bx.hi - 2 * int64_t{c.x - fromX};
    const int64_t fromMiddleY = int64_t{by.lo} + by.hi - 2 * int64_t{c.y - fromY};
    const bool underStage = fromMiddleY >= 2 * int64_t{stageBottom};
    // Free: the body, moved by the way, overlaps no solid, and its middle
    // is not taken down under the stage.
    auto isFree = [&](const WayOut& w) {
        const Span wx{bx.lo + w.dx, bx.hi + w.dx}, wy{by.lo + w.dy, by.hi + w.dy};
        if (!underStage && w.dy > 0 && int64_t{wy.lo} + wy.hi > 2 * int64_t{stageBottom}) return false;
        for (const NearSolid& s : near) {
            if (!Overlap(wx, s.x)) continue;
            if (s.flat ? Overlap(wy, s.y) : OverlapsSolidAt(c, s.c, c.x + w.dx, c.y + w.dy)) return false;
        }
        return true;
    };
    // Reached: the line of its middle from where the step began, in half
    // units and a quarter unit off so that it never runs along the face
    // where two solids meet, crosses no solid it did not start in.
    const double mx = static_cast<double>(fromMiddleX) + 0.5, my = static_cast<double>(fromMiddleY) + 0.5;
    auto isReached = [&](const WayOut& w) {
        for (const NearSolid& s : near) {
            const Span sx{2 * s.x.lo, 2 * s.x.hi}, sy{2 * s.y.lo, 2 * s.y.hi};
            if (sx.lo < mx && mx < sx.hi && sy.lo < my && my < sy.hi) continue;
            if (LineCrosses(sx, sy, mx, my, 2.0 * (c.x + w.dx - fromX), 2.0 * (c.y + w.dy - fromY))) return false;
        }
        return true;
    };
    for (const WayOut& w : ways) {
        if (!isFree(w) || !isReached(w)) continue;
        c.x += w.dx;
        c.y += w.dy;
        out.x = w.dx;
        out.y = w.dy;
        // The faces it now touches: a floor under it, a ceiling over it,
        // walls beside it.
        const Span nx{bx.lo + w.dx, bx.hi + w.dx}, ny{by.lo + w.dy, by.hi + w.dy};
        for (const NearSolid& s : near) {
            if (Overlap(nx, s.x)) {
                Span sy = s.y;
                if (!s.flat) {
                    const FrameRecord& r = s.c->CurrentRecord();
                    sy = Ordered(SurfaceAt(*s.c, s.x, c.x, r.solidTopLeft, r.solidTopRight),
                                 SurfaceAt(*s.c, s.x, c.x, r.solidBottomLeft, r.solidBottomRight));
                }
                out.floor = out.floor || sy.lo == ny.hi;
                out.ceiling = out.ceiling || sy.hi == ny.lo;
            }
            if (Overlap(ny, s.y)) {
                out.leftWall = out.leftWall || s.x.hi == nx.lo;
                out.rightWall = out.rightWall || s.x.lo == nx.hi;
            }
        }
        return true;
    }
    return false;
}

// The first solid (in world order) that a sub-step from (fromX, fromY)
// entered: one the body overlaps now but did not overlap there. Pushed back
// toward where its step began, the body is out of such a solid by the time
// it is back there, so a push-out never carries it farther than its own
// step, along a row or a column of solids.
//
// A body that was inside terrain already where the step began (its body
// changed, its bob or a push put it there) ran into nothing, whichever
// solid it is in now: it is taken out to the nearest free place (the way is
// kept in `out`) and nothing is returned. When there is no such place it
// goes back to where the step began and stays there, stuck, rather than
// sinking deeper or working its way through.
CCharacter* FindEnteredBlock(CCharacter& c, int32_t fromX, int32_t fromY, PushOut& out) {
    if (!HasBody(c)) return nullptr;
    const Span bx = BodyX(c), by = BodyY(c);
    const Span fromBX{bx.lo + fromX - c.x, bx.hi + fromX - c.x}, fromBY{by.lo + fromY - c.y, by.hi + fromY - c.y};
    CCharacter* entered = nullptr;
    bool overlaps = false, inside = false;
    CCharacterList& world = WalkWorld();
    while (CCharacter* h = world.GetNext()) {
        if (h == &c || h->notSolid) continue;
        const FrameRecord& r = h->CurrentRecord();
        if (!HasSolid(r)) continue;
        const Span sx = SolidX(*h, r);
        const bool now = BoxOverlapsSolid(bx, by, c.x, *h, r, sx);
        if (BoxOverlapsSolid(fromBX, fromBY, fromX, *h, r, sx)) inside = true;
        else if (now && entered == nullptr) entered = h;
        overlaps = overlaps || now;
    }
    if (!inside || !overlaps) return entered;
    if (!LeaveTerrain(c, fromX, fromY, out)) {
        c.x = fromX;
        c.y = fromY;
        out.stuck = true;
    }
    return nullptr;
}

}  // namespace

bool RangesOverlap(int32_t a0, int32_t a1, int32_t b0, int32_t b1) {
    return (b0 < a1 && a0 < b1) || (a0 == b0 && a1 == b1);
}

// --- Gravity, hover and horizontal speed -----------------------------------

bool CCharacter::ApplyGravity() {
    const bool airborne = IsAirborne();
    if (!airborne) {
        gravityAcc = 0;
        vy = 0;
    } else if (vy < maxFall) {
        vy += GravityTicks();
        if (vy > maxFall) vy = maxFall;
    }
    return airborne;
}

namespace {

// Whole ticks of a rate num/den, the remainder carried in the accumulator.
// A rate without a positive denominator gives none (instead of counting
// forever).
int32_t RateTicks(int32_t& acc, int32_t num, int32_t den) {
    if (den < 1) return 0;
    acc += num;
    int32_t ticks = 0;
    while (acc >= den) {
        acc -= den;
        ++ticks;
    }
    return ticks;
}

}  // namespace

int32_t CCharacter::GravityTicks() { return RateTicks(gravityAcc, gravityNum, gravityDen); }
int32_t CCharacter::HoverTicks() { return RateTicks(hoverAcc, hoverNum, hoverDen); }

bool CCharacter::UpdateHover() {
    hoverSpeed += HoverTicks() * hoverDir;
    if (hoverSpeed * hoverDir > hoverAmplitude) hoverDir = -hoverDir;
    y += hoverSpeed;
    return true;
}

void CCharacter::AccelerateX(int32_t target, int32_t step, bool absolute, bool slowDown) {
    const int32_t t = absolute ? target : target * facing;
    if (vx < t) {
        // Without slowDown a speed beyond a leftward target stays.
        if (t < 0 && !slowDown) return;
        vx += step;
        if (vx > t) vx = t;
    }
    if (vx > t) {
        if (t > 0 && !slowDown) return;
        vx -= step;
        if (vx < t) vx = t;
    }
}

// --- Geometry tests ----------------------------------------------------------

bool CCharacter::OverlapsSolid(CCharacter* other) {
    if (other == nullptr || other == this || !HasBody(*this)) return false;
    // The other's record is looked up once for all the tests below.
    const FrameRecord& r = other->CurrentRecord();
    if (!HasSolid(r)) return false;
    return BoxOverlapsSolid(BodyX(*this), BodyY(*this), x, *other, r, SolidX(*other, r));
}

CCharacter* CCharacter::FindBlockOverlap() {
    if (!HasBody(*this)) return nullptr;
    CCharacterList& world = WalkWorld();
    while (CCharacter* c = world.GetNext()) {
        if (c == this || c->notSolid || !HasSolid(*c)) continue;
        if (OverlapsSolid(c)) return c;
    }
    return nullptr;
}

bool CCharacter::BodyTouches(CCharacter* other) {
    if (other == nullptr || other == this || !HasBody(*this) || !HasBody(*other)) return false;
    return Overlap(BodyX(*this), BodyX(*other)) && Overlap(BodyY(*this), BodyY(*other));
}

bool CCharacter::TouchesSolidOf(CCharacter* other, int32_t side) {
    if (other == nullptr || other == this || !HasBody(*this) || !HasSolid(*other)) return false;
    const FrameRecord& body = CurrentRecord();
    const FrameRecord& solid = other->CurrentRecord();
    switch (side) {
        case 1:  // own top against the other's bottom surface
            return body.bodyTop + y == BottomAt(*other, x) && Overlap(BodyX(*this), SolidX(*other));
        case 4:  // own bottom against the other's top surface
            return body.bodyBottom + y == TopAt(*other, x) && Overlap(BodyX(*this), SolidX(*other));
        case 2: {  // own left edge against the other's right end
            const int32_t left = facing == 1 ? x + body.bodyLeft : x + body.bodyRight * facing;
            if (left != solid.solidRight * other->facing + other->x) return false;
            return Overlap(BodyY(*this), Ordered(solid.solidTopRight + other->y, solid.solidBottomRight + other->y));
        }
        case 3: {  // own right edge against the other's left end
            const int32_t right = facing == 1 ? x + body.bodyRight : x + body.bodyLeft * facing;
            if (right != solid.solidLeft * other->facing + other->x) return false;
            return Overlap(BodyY(*this), Ordered(solid.solidTopLeft + other->y, solid.solidBottomLeft + other->y));
        }
        default:
            return false;
    }
}

bool CCharacter::TouchesSolid(int32_t side) {
    CCharacterList& world = WalkWorld();
    while (CCharacter* c = world.GetNext()) {
        if (c == this || !HasSolid(*c)) continue;
        // A solid without the wall flag is only a floor here.
        if (side != 4 && !c->wallSolid) continue;
        if (TouchesSolidOf(c, side)) return true;
    }
    return false;
}

bool CCharacter::IsAirborne() {
    if (vy < 0 || !HasBody(*this)) return true;
    const int32_t feet = CurrentRecord().bodyBottom + y;
    const Span bodyX = BodyX(*this);
    CCharacterList& world = WalkWorld();
    while (CCharacter* c = world.GetNext()) {
        if (c == this) continue;
        // One look at the record, and the side test before the surface's
        // height (which divides): most solids lie off to the side.
        const FrameRecord& r = c->CurrentRecord();
        if (!HasSolid(r)) continue;
        const Span solidX = SolidX(*c, r);
        if (Overlap(solidX, bodyX) && SurfaceAt(*c, solidX, x, r.solidTopLeft, r.solidTopRight) == feet) return false;
    }
    return true;
}

bool CCharacter::IsRiderOn(CCharacter* other) {
    if (other == nullptr || other == this || !HasSolid(*this)) return false;
    const FrameRecord& r = other->CurrentRecord();
    if ((r.bodyLeft == 0 && r.bodyRight == 0) || (r.bodyTop == 0 && r.bodyBottom == 0)) return false;
    return r.bodyBottom + other->y == TopAt(*this, other->x) && Overlap(BodyX(*other), SolidX(*this));
}

void CCharacter::CarryRiders(CCharacterList* list) {
    if (list == nullptr) return;
    for (int32_t i = 1; i <= list->GetCount(); ++i) {
        CCharacter* rider = list->GetAt(i);
        if (IsRiderOn(rider)) rider->Move(vx, vy);
    }
}

// --- Move --------------------------------------------------------------------

bool CCharacter::OnTerrainContact(int32_t) { return false; }

void CCharacter::Move(int32_t dx, int32_t dy) {
    const int32_t sx = dx >= 0 ? 1 : -1;
    const int32_t sy = dy >= 0 ? 1 : -1;
    int32_t ax = std::abs(dx);
    int32_t ay = std::abs(dy);
    bool grounded = !IsAirborne();
    prevX = x;
    prevY = y;

    // A grounded walker that lost its floor looks for one up to 280 units
    // below and stands on it; otherwise it stays where it was.
    auto stickToGround = [this] {
        if (!IsAirborne()) return;
        for (int32_t probe = 0; probe < kStickProbes; ++probe) {
            y += kStickStep;
            if (FindBlockOverlap() != nullptr) {
                while (FindBlockOverlap() != nullptr) --y;
                return;
            }
        }
        y -= kStickProbes * kStickStep;
    };

    int32_t px = 0;
    int32_t py = 0;
    // A blocked sub-step meets the solid: a floor or a ceiling ends the
    // vertical motion only when the sub-step was its last one, a wall ends
    // the horizontal motion at once. True when the contact ends the move.
    auto meetVertically = [&] {
        if (vy > 0 && !grounded) grounded = true;  // landed
        if (OnTerrainContact(dy > 0 ? 4 : 1)) return true;
        if (py == ay) {
            vy = 0;
            py = ay = 0;
        }
        return false;
    };
    auto meetHorizontally = [&] {
        if (OnTerrainContact(dx > 0 ? 3 : 2)) return true;
        vx = 0;
        px = ax = 0;
        return false;
    };
    // A body taken out of terrain against its motion meets the solid as a
    // move into it would when it ends against it: up onto a floor it falls
    // onto, down under a ceiling it rises into, back beside a wall it moves
    // into. A stuck body's move ends where it is.
    auto meetOnWayOut = [&](const PushOut& out) {
        if (out.stuck) return true;
        if (((out.y < 0 && dy > 0 && out.floor) || (out.y > 0 && dy < 0 && out.ceiling)) && meetVertically())
            return true;
        return ((out.x < 0 && dx > 0 && out.rightWall) || (out.x > 0 && dx < 0 && out.leftWall)) &&
               meetHorizontally();
    };

    while (px + py < ax + ay) {
        // The axis lagging behind its share moves next; y goes first.
        const bool yStep =
            ay != 0 && (ax == 0 || static_cast<int64_t>(px) * 100 / ax >= static_cast<int64_t>(py) * 100 / ay);
        // Where this sub-step begins.
        const int32_t fromX = x;
        const int32_t fromY = y;
        PushOut out;
        if (yStep) {
            y += kSubStep * sy;
            py += kSubStep;
            if (py > ay) {
                y -= (py - ay) * sy;
                py = ay;
            }
            for (CCharacter* h = FindEnteredBlock(*this, fromX, fromY, out); h != nullptr;
                 h = FindEnteredBlock(*this, fromX, fromY, out)) {
                while (OverlapsSolid(h)) y -= sy;
                if (meetVertically()) return UpdateAfterimages();
            }
            if (meetOnWayOut(out)) return UpdateAfterimages();
            continue;
        }

        x += kSubStep * sx;
        px += kSubStep;
        if (px > ax) {
            x -= (px - ax) * sx;
            px = ax;
        }
        bool climbed = false;
        for (CCharacter* h = FindEnteredBlock(*this, fromX, fromY, out); h != nullptr;
             h = FindEnteredBlock(*this, fromX, fromY, out)) {
            if (grounded) {
                // Rise in steps until the body is free, then settle on the
                // solid that blocked last.
                const int32_t startY = y;
                CCharacter* b = h;
                for (int32_t raise = 0; raise < kClimbRaises && !climbed; ++raise) {
                    y -= kClimbStep;
                    if (OverlapsSolid(b)) continue;
                    CCharacter* other = FindBlockOverlap();
                    if (other == nullptr) climbed = true;
                    else b = other;
                }
                if (climbed) {
                    for (int32_t i = 0; i < kClimbRaises * kClimbStep / kSettleStep + 1 && !OverlapsSolid(b); ++i)
                        y += kSettleStep;
                    while (OverlapsSolid(b)) --y;
                    break;
                }
                y = startY;
            }
            while (OverlapsSolid(h)) x -= sx;
            if (meetHorizontally()) return UpdateAfterimages();
        }
        if (meetOnWayOut(out)) return UpdateAfterimages();
        if (grounded) stickToGround();
    }
    UpdateAfterimages();
}

void CCharacter::DropToGround() {
    // Falls in steps until it stands. Where nothing lies below it stops at
    // the stage's bottom edge plus a margin, or after a bounded number of
    // steps when no stage is current, instead of falling forever.
    CStageView* stage = CGameMain::GetInstance()->GetStageView();
    const bool bounded = stage->HasStage();
    const int32_t limit = bounded ? stage->GetHeight() * kTileSize - stage->GetCameraY() + kDropMargin : 0;
    for (int32_t step = 0; step < kMaxDropSteps && IsAirborne(); ++step) {
        if (bounded && y > limit) break;
        Move(0, kDropStep);
    }
}

// --- Stage and view ----------------------------------------------------------

bool CCharacter::ClampToStage() {
    CGameMain* game = CGameMain::GetInstance();
    CStageView* stage = game->GetStageView();
    if (!stage->HasStage()) return true;
    const FrameRecord& r = CurrentRecord();
    const int32_t left = -stage->GetCameraX();
    int32_t right = stage->GetWidth() * kTileSize - stage->GetCameraX();
    if (right > game->GetViewWidth() * 10) right = game->GetViewWidth() * 10;
    if (facing == 1) {
        if (x + r.bodyLeft < left) x = left - r.bodyLeft;
        if (x + r.bodyRight > right) x = right - r.bodyRight;
    } else {
        if (x - r.bodyRight < left) x = left + r.bodyRight;
        if (x - r.bodyLeft > right) x = right + r.bodyLeft;
    }
    return true;
}

bool CCharacter::IsOnScreen() {
    const CGameMain* game = CGameMain::GetInstance();
    const int32_t l = game->GetViewLeft(), t = game->GetViewTop();
    const int32_t w = game->GetViewWidth(), h = game->GetViewHeight();
    return -l * 10 <= x && x <= (l + w) * 10 && -t * 10 <= y && y <= (t + h) * 10;
}

bool CCharacter::IsNearScreen() {
    // The spawn window: 160 pixels more than the layout space on every side.
    constexpr int32_t kMargin = 160;
    const CGameMain* game = CGameMain::GetInstance();
    const int32_t l = game->GetViewLeft() + kMargin, t = game->GetViewTop() + kMargin;
    const int32_t w = game->GetViewWidth(), h = game->GetViewHeight();
    return -l * 10 <= x && x <= (l + w) * 10 && -t * 10 <= y && y <= (t + h) * 10;
}

bool CCharacter::IsInsideStage() {
    CStageView* stage = CGameMain::GetInstance()->GetStageView();
    const int32_t sx = GetStageX(), sy = GetStageY();
    return 0 <= sx && sx <= stage->GetWidth() * kTileSize && 0 <= sy && sy <= stage->GetHeight() * kTileSize;
}

int32_t CCharacter::GetStageX() { return x + CGameMain::GetInstance()->GetStageView()->GetCameraX(); }
int32_t CCharacter::GetStageY() { return y + CGameMain::GetInstance()->GetStageView()->GetCameraY(); }
void CCharacter::SetStageX(int32_t sx) { x = sx - CGameMain::GetInstance()->GetStageView()->GetCameraX(); }
void CCharacter::SetStageY(int32_t sy) { y = sy - CGameMain::GetInstance()->GetStageView()->GetCameraY(); }

// --- Aiming and steering -----------------------------------------------------

void CCharacter::AimAt(CCharacter* target, int32_t speed) {
    if (target == nullptr) return;
    const double dx = static_cast<double>(target->GetAnchorX()) - x;
    const double dy = static_cast<double>(target->GetAnchorY()) - y;
    const double a = std::atan2(dx, dy);
    vx = static_cast<int32_t>(std::sin(a) * speed);
    vy = static_cast<int32_t>(std::cos(a) * speed);
}

bool CCharacter::SteerToward(CCharacter* target, int32_t speed, double maxTurn) {
    constexpr double kPi = 3.14159265358979323846;
    const double current = std::atan2(static_cast<double>(vx), static_cast<double>(vy));
    double wanted;
    if (target != nullptr) {
        wanted = std::atan2(static_cast<double>(target->GetAnchorX()) - x, static_cast<double>(target->GetAnchorY()) - y);
    } else {
        wanted = std::atan2(static_cast<double>(facing), 0.0);
    }
    double d = wanted - current;
    while (d < 0.0) d += 2.0 * kPi;
    double next;
    if (d < kPi) next = d < maxTurn ? wanted : current + maxTurn;
    else next = d + maxTurn > 2.0 * kPi ? wanted : current - maxTurn;
    vx = static_cast<int32_t>(std::sin(next) * speed);
    vy = static_cast<int32_t>(std::cos(next) * speed);
    return true;
}
