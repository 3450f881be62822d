#pragma once
// A player new to the game, played by touches: it holds its finger ahead of
// the player towards the exit, taps the nearest enemy it may strike (the
// enemies the game marks in reach), and swipes up before a step, a wall or
// the edge of a pit it sees on screen. It knows nothing of the map beyond
// what the view shows: the characters of the world list inside the view and
// the blocks among them. Its skill is fixed (a look every few frames, its
// gestures' sizes); a stage is measured by the hits it takes and whether it
// reaches the exit. Whoever drives the frames and the mouse hands in how.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <set>
#include <utility>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "stage/StageData.h"

namespace testing_support {

class NaivePlayer {
public:
    struct Driver {
        std::function<void()> frame;
        // The finger down, moved or up at client pixels; the next frame
        // reads it.
        std::function<void(int32_t, int32_t)> touchDown;
        std::function<void(int32_t, int32_t)> touchMove;
        std::function<void()> touchUp;
    };
    struct Result {
        bool cleared = false;
        bool fell = false;
        int hits = 0;
        int32_t hp = 0;  // left at the end; 100 to a heart
        int frames = 0;
    };

    // Its skill. It looks at the screen every kLookEvery frames (a new
    // player's reaction, about 0.15 s) and acts on what it saw.
    static constexpr int kLookEvery = 6;
    // The player's state after a fall out of the stage.
    static constexpr int32_t kFellOut = 120;
    // The held finger: this far ahead of the player, on the ground a little
    // below its feet (so that the dashes run along the ground).
    static constexpr int32_t kHoldAhead = 1500;
    static constexpr int32_t kHoldBelow = 150;
    // How far ahead it looks for a step, a wall or a pit edge; with one in
    // sight it holds kStopShort before it, and within kNear of it, once
    // standing, it swipes up.
    static constexpr int32_t kLookAhead = 2000;
    static constexpr int32_t kStopShort = 450;
    static constexpr int32_t kNear = 700;
    // The swipe up begins over the ground it sees beyond (kOnto onto it,
    // kOverTop above its top, and at least kJumpUp above the feet; without
    // ground in sight kJumpAhead ahead) and slides up kSwipeRise pixels
    // over kSwipeFrames frames. As the jump's dash runs out it holds on that
    // ground. It looks for it kLookFar beyond the edge, at most kClimb up.
    static constexpr int32_t kOnto = 200;
    static constexpr int32_t kOverTop = 300;
    static constexpr int32_t kJumpUp = 700;
    static constexpr int32_t kJumpAhead = 700;
    static constexpr int kSwipeFrames = 5;
    static constexpr int32_t kSwipeRise = 30;
    static constexpr int32_t kLookFar = 1600;
    static constexpr int32_t kClimb = 1000;
    // It never holds nearer to the player than this.
    static constexpr int32_t kThere = 150;

    explicit NaivePlayer(Driver d) : driver(std::move(d)) {}

    static CGameMain* Game() { return CGameMain::GetInstance(); }
    static CCharacterPlayer* Player() { return static_cast<CCharacterPlayer*>(Game()->m_player); }
    static CStageData* Stage() { return Game()->m_stageControl.GetStage(); }

    // Plays the current stage until it leaves it, loses the player or runs
    // out of frames.
    Result Play(int frameLimit) {
        Result result;
        const int32_t stage = Game()->m_mapId;
        // The tower is climbed; the roads run to the right.
        tower = Stage()->m_height > Stage()->m_width;
        int32_t hp = Player()->hp;
        for (; result.frames < frameLimit; ++result.frames) {
            if (Game()->m_mapId != stage) {
                result.cleared = true;
                break;
            }
            if (Player()->hp <= 0) break;
            if (result.frames % kLookEvery == 0) Look();
            Gesture();
            driver.frame();
            if (Game()->m_player == nullptr) break;
            // A fall out of the stage takes the life in one go: not a hit.
            if (Player()->frame == kFellOut) {
                result.fell = true;
                break;
            }
            if (Player()->hp < hp) ++result.hits;
            hp = Player()->hp;
        }
        if (down) driver.touchUp();
        down = false;
        result.hp = Game()->m_player != nullptr ? std::max(0, Player()->hp) : 0;
        return result;
    }

private:
    enum class Act { Hold, Tap, Swipe };

    // Map units to client pixels, kept on the screen.
    static int32_t PixelX(int32_t x) { return std::clamp((x - Stage()->m_cameraX) / 10, 1, Game()->GetViewWidth() - 1); }
    static int32_t PixelY(int32_t y) { return std::clamp((y - Stage()->m_cameraY) / 10, 1, Game()->GetViewHeight() - 1); }
    static int32_t MapX(const CCharacter* c) { return c->x + Stage()->m_cameraX; }
    static int32_t MapY(const CCharacter* c) { return c->y + Stage()->m_cameraY; }

    static bool Striking() { return Player()->frame >= 330 && Player()->frame <= 349; }
    static bool Dashing() { return Player()->frame >= 320 && Player()->frame <= 329; }
    static bool Standing() {
        const int32_t f = Player()->frame;
        return (f == 230 || f == 231 || f == 236) && !Player()->IsAirborne();
    }

    // The solid blocks in the view, by the map cell they fill.
    void SeeBlocks() {
        solid.clear();
        const int32_t w = 10 * Game()->GetViewWidth(), h = 10 * Game()->GetViewHeight();
        CCharacterList& list = Game()->m_characterList;
        for (int32_t i = 1; i <= list.GetCount(); ++i) {
            CCharacter* c = list.GetAt(i);
            if (!c->fromLayerA) continue;
            const FrameRecord& r = c->CurrentRecord();
            if (r.solidLeft == r.solidRight) continue;
            if (c->x < -kHalfTile || c->x > w + kHalfTile || c->y < -kHalfTile || c->y > h + kHalfTile) continue;
            solid.insert(Cell(MapX(c), MapY(c)));
        }
    }
    // The map cell of a map point (layer columns and rows).
    static std::pair<int32_t, int32_t> Cell(int32_t x, int32_t y) { return {(x + 2000) / kTileSize, (y + 2000) / kTileSize}; }
    static int32_t CellTop(int32_t y) { return (y + 2000) / kTileSize * kTileSize - 2000; }
    bool SolidAt(int32_t x, int32_t y) const { return solid.count(Cell(x, y)) != 0; }
    // The top of the solid column at (x, y): the first free height above.
    int32_t TopAbove(int32_t x, int32_t y) const {
        while (SolidAt(x, y) && y > 0) y -= kTileSize;
        return CellTop(y) + kTileSize;
    }

    // The nearest enemy the game marks in reach, or null.
    static CCharacter* EnemyInReach() {
        CCharacterPlayer* p = Player();
        CCharacter* best = nullptr;
        int64_t nearest = 0;
        CCharacterList& list = Game()->m_characterList;
        for (int32_t i = 1; i <= list.GetCount(); ++i) {
            CCharacter* c = list.GetAt(i);
            if ((c->group & 2) == 0 || c->hp < 1 || !c->IsOnScreen() || !c->IsTargetable()) continue;
            const FrameRecord& r = c->CurrentRecord();
            if (r.hurtLeft == r.hurtRight || !p->IsInHomingRange(c)) continue;
            const int64_t dx = c->x - p->x, dy = c->y - p->y;
            if (best == nullptr || dx * dx + dy * dy < nearest) {
                best = c;
                nearest = dx * dx + dy * dy;
            }
        }
        return best;
    }

    // What it does next, from what it sees now.
    void Look() {
        if (act != Act::Hold) return;  // a tap or a swipe is under way
        CCharacterPlayer* p = Player();
        // A strike under way plays out before the next touch.
        if (Striking()) return;
        if (CCharacter* enemy = EnemyInReach(); enemy != nullptr && enemy != p->target) {
            landingY = 0;
            Start(Act::Tap, enemy->GetAnchorX() + Stage()->m_cameraX, enemy->GetAnchorY() + Stage()->m_cameraY);
            return;
        }
        SeeBlocks();
        const int32_t px = MapX(p), py = MapY(p);
        if (landingY != 0) {
            // After a jump, once its dash has run out: onto the ground it
            // jumped for.
            const int32_t lx = landingX, ly = landingY + kHoldBelow;
            if (p->IsAirborne()) {
                if (Dashing()) return;
                return Hold(lx, ly);
            }
            landingY = 0;
        }
        if (tower) {
            // The tower: from ledge to ledge while one is in sight above,
            // then to the right, where the exit is.
            if (!Ledge(px, py)) {
                landingY = 0;
                return Hold(px + kHoldAhead, py + kHoldBelow);
            }
            if (Standing()) return Jump(landingEdge, landingY - kOverTop);
            landingY = 0;
            return Release();
        }
        // The road: ahead up to the next step, wall or pit edge it sees, and
        // there a swipe up towards the ground beyond.
        const int32_t edge = ObstacleAhead(px, py);
        if (edge == 0 || edge > kNear) return Hold(px + std::min(kHoldAhead, edge == 0 ? kHoldAhead : edge - kStopShort), py + kHoldBelow);
        if (!Standing()) return Release();
        if (Beyond(px, py, edge)) return Jump(landingX, std::min(landingY - kOverTop, py - kJumpUp));
        Jump(px + kJumpAhead, py - kJumpUp);
    }

    // The top of a solid with room over it in a column, the one nearest to
    // the height `near` within `reach` of it; 0 when there is none.
    int32_t SurfaceAt(int32_t x, int32_t near, int32_t reach) const {
        int32_t best = 0;
        for (int32_t y = CellTop(near - reach) + kHalfTile; y <= near + reach; y += kTileSize) {
            if (!SolidAt(x, y) || SolidAt(x, y - kTileSize)) continue;
            if (best == 0 || std::abs(CellTop(y) - near) < std::abs(best - near)) best = CellTop(y);
        }
        return best;
    }

    // How far ahead the next step, wall or end of the ground is (0: none in
    // sight from where it stands).
    int32_t ObstacleAhead(int32_t px, int32_t py) const {
        // Measured from the ground under it, in the air too.
        int32_t y = py - kHalfTile / 2;
        while (y < py + kLookFar && !SolidAt(px, y)) y += kHalfTile / 2;
        if (!SolidAt(px, y)) return 0;
        py = CellTop(y);
        for (int32_t ax = 100; ax <= kLookAhead; ax += 100)
            if (SolidAt(px + ax, py - 100) || !SolidAt(px + ax, py + 100)) return ax;
        return 0;
    }
    // The ground it sees past an obstacle: where it begins and its top.
    bool Beyond(int32_t px, int32_t py, int32_t edge) {
        if (SolidAt(px + edge, py - 100)) {
            // A step or a wall: its top.
            landingX = px + edge + kOnto;
            landingY = TopAbove(px + edge, py - 100);
            return true;
        }
        for (int32_t ax = edge; ax <= edge + kLookFar; ax += 100) {
            const int32_t top = SurfaceAt(px + ax, py, kLookFar);
            if (top == 0 || top < py - kClimb) continue;
            landingX = px + ax + kOnto;
            landingY = top;
            return true;
        }
        return false;
    }

    // In the tower: the nearest ledge above in sight (a solid top with room
    // over it), and beside its nearer end the point to swipe up to.
    bool Ledge(int32_t px, int32_t py) {
        int64_t best = -1;
        for (const auto& [c, r] : solid) {
            const int32_t x = c * kTileSize - 1800, top = r * kTileSize - 2000;
            if (SolidAt(x, top - kHalfTile) || top > py - kTileSize || py - top > kClimb) continue;
            const int64_t dx = x - px, dy = top - py, d = dx * dx + dy * dy;
            if (best >= 0 && d >= best) continue;
            best = d;
            landingX = x;
            landingY = top;
            // The end of the ledge on the player's side, and just past it.
            const int32_t side = px < x ? -1 : 1;
            int32_t e = x;
            while (SolidAt(e + side * kTileSize, top + kHalfTile) && !SolidAt(e + side * kTileSize, top - kHalfTile))
                e += side * kTileSize;
            landingEdge = e + side * (kHalfTile + 150);
        }
        return best >= 0;
    }

    void Jump(int32_t x, int32_t y) { Start(Act::Swipe, x, y); }

    // The finger held on a spot of the stage (kept on it as the view
    // scrolls).
    void Hold(int32_t x, int32_t y) {
        // Never on the player itself.
        if (std::abs(x - MapX(Player())) < kThere && std::abs(y - MapY(Player())) < kThere) return Release();
        holdX = x;
        holdY = y;
        if (!down) driver.touchDown(PixelX(x), PixelY(y));
        down = true;
    }
    void Release() {
        if (down) driver.touchUp();
        down = false;
    }

    void Start(Act a, int32_t x, int32_t y) {
        // A fresh touch: the finger comes up for a frame first.
        Release();
        act = a;
        step = 0;
        gx = PixelX(x);
        gy = PixelY(y);
    }

    // The tap and the swipe, a frame at a time; back to holding after.
    void Gesture() {
        if (act == Act::Hold) {
            if (down) driver.touchMove(PixelX(holdX), PixelY(holdY));
            return;
        }
        if (step == 0) {
            ++step;  // the frame with the finger up
            return;
        }
        if (step == 1) {
            driver.touchDown(gx, gy);
            down = true;
        } else if (act == Act::Swipe && step <= kSwipeFrames) {
            driver.touchMove(gx, std::max(1, gy - kSwipeRise * (step - 1) / (kSwipeFrames - 1)));
        } else {
            driver.touchUp();
            down = false;
            act = Act::Hold;
        }
        ++step;
    }

    Driver driver;
    std::set<std::pair<int32_t, int32_t>> solid;
    Act act = Act::Hold;
    int step = 0;
    int32_t gx = 0, gy = 0;
    int32_t holdX = 0, holdY = 0;
    bool down = false;
    bool tower = false;
    // The ground a jump is for (its top; 0 when none), and in the tower
    // the point beside the ledge's end.
    int32_t landingX = 0, landingY = 0, landingEdge = 0;
};

}  // namespace testing_support
