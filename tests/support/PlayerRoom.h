#pragma once
// A room of real blocks with the ninja in it, for the player's scenario
// tests: ceiling (bottom at 400), walls (inner faces at 400 and 3600) and a
// floor (top at 2000), driven through the real play frame by scripted
// touches.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "player/CharacterNinja.h"
#include "support/Scenario.h"

namespace player_room {

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

constexpr int32_t kFill = 20069;  // a plain block of earth, solid over its whole cell

inline const std::vector<std::string> kRoom = {
    "##########",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "##########",
};
constexpr int32_t kFloor = 2000;
constexpr int32_t kCeiling = 400;
constexpr int32_t kLeftWall = 400;
constexpr int32_t kRightWall = 3600;

// A test body of the enemies' group that remembers every hit it takes.
class Foe : public ScenarioBody {
public:
    struct Hit {
        int32_t kind, damage;
        CCharacter* attacker;
    };
    Foe() : ScenarioBody(WalkerBody()) { group = 2; }
    bool OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) override {
        hits.push_back({kind, damage, attacker});
        return ScenarioBody::OnHit(kind, damage, direction, attacker);
    }
    std::vector<Hit> hits;
};

struct Room {
    Scenario s{kRoom, {{'#', kFill}}};
    CCharacterNinja* ninja = nullptr;

    // The ninja at (x, y): standing when its feet are on the floor.
    explicit Room(int32_t x = Scenario::CellX(2), int32_t y = kFloor) {
        ninja = s.Add(std::make_unique<CCharacterNinja>(), x, y);
        s.SetPlayer(ninja);
        ninja->SetState(220);
    }

    // The frame after each of n play frames.
    std::vector<int32_t> Trace(int n) {
        std::vector<int32_t> frames;
        for (int i = 0; i < n; ++i) {
            s.Run(1);
            frames.push_back(ninja->frame);
        }
        return frames;
    }

    // A touch at play-field units (pixels x 10), held.
    void TouchAt(int32_t x, int32_t y) { s.TouchDown(x / 10, y / 10); }
    // A tap: the frame it goes down, and up again for the next.
    void Tap(int32_t x, int32_t y) {
        TouchAt(x, y);
        s.Run(1);
        s.TouchUp();
    }

    Foe* Enemy(int32_t x, int32_t y) { return s.Add(std::make_unique<Foe>(), x, y); }
};

inline bool IsStanding(int32_t f) { return f == 230 || f == 231; }

inline bool Contains(const std::vector<int32_t>& v, int32_t x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// Index of the first occurrence, or -1.
inline int IndexOf(const std::vector<int32_t>& v, int32_t x) {
    const auto it = std::find(v.begin(), v.end(), x);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

}  // namespace player_room
