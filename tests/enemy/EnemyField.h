#pragma once
// A field for the enemy tests: a floor of real blocks across a screen and a
// half, a player that stands where it is put, and helpers to make enemies
// with the real factory and to find what they released.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "character/CharacterAttackEffect.h"
#include "character/CharacterEffect.h"
#include "character/CreateCharacter.h"
#include "enemy/CharacterEnemy.h"
#include "framework/GameMain.h"
#include "framework/StateLoading.h"
#include "player/CharacterNinja.h"
#include "support/Scenario.h"
#include "support/Screenshot.h"
#include "support/WorldList.h"
#include "win/Graphics.h"

namespace enemy_test {

using testing_support::Scenario;
using testing_support::World;

// A plain block of earth, solid over its whole cell.
constexpr int32_t kFill = 20069;
// The floor's top; a kind standing on it has its position (the body's
// centre) 190 above.
constexpr int32_t kFloor = 3200;
constexpr int32_t kStandY = kFloor - 190;

// The view's extent as IsOnScreen reads it (480 x 320 in the 640 layout).
constexpr int32_t kScreenLeft = -800;
constexpr int32_t kScreenRight = 5600;

// A ninja that keeps whatever frame and place a test gives it, and says it
// is launched when told to.
class StillPlayer : public CCharacterNinja {
public:
    StillPlayer() { frame = 230; }
    void Update() override {}
    bool IsLaunched() override { return launched; }
    bool launched = false;
};

// Twenty columns of floor (the screen shows the first fourteen or so), the
// rows above it empty; optional extra rows of blocks may be given.
inline std::vector<std::string> FloorGrid(std::vector<std::string> above = {}) {
    std::vector<std::string> rows(8, std::string(20, '.'));
    for (std::size_t i = 0; i < above.size() && i < rows.size(); ++i) rows[rows.size() - above.size() + i] = above[i];
    rows.push_back(std::string(20, '#'));
    return rows;
}

// A body of the player's side, large and tough, that keeps every hit it
// takes (what a touch attack deals, before any player's own rules).
class Recorder : public testing_support::HitRecorder {
public:
    Recorder() : HitRecorder({-300, 300, -300, 300}, 1) { hp = hpMax = 1000000; }
};

struct Field {
    Scenario s;
    StillPlayer* player = nullptr;

    // The player standing on the floor at px, facing right.
    explicit Field(int32_t px = 400, std::vector<std::string> grid = FloorGrid(), uint32_t seed = 1)
        : s(std::move(grid), {{'#', kFill}}, seed) {
        CGameMain::GetInstance()->m_vibration = 0;
        CGameMain::GetInstance()->m_groupFreezeTimer = 0;
        player = s.Add(std::make_unique<StillPlayer>(), px, kFloor);
        s.SetPlayer(player);
    }

    template <class T = CCharacterEnemy>
    T* Make(int32_t typeId, int32_t x, int32_t y = kStandY) {
        return dynamic_cast<T*>(s.AddAt(typeId, x, y));
    }
};

// The attack effects and effects in the world, in list order.
inline std::vector<CCharacterAttackEffect*> Shots(int32_t state = -1) {
    std::vector<CCharacterAttackEffect*> out;
    for (int32_t i = 1; i <= World().GetCount(); ++i)
        if (auto* a = dynamic_cast<CCharacterAttackEffect*>(World().GetAt(i)); a && (state < 0 || a->frame == state))
            out.push_back(a);
    return out;
}

inline std::vector<CCharacterEffect*> Effects(int32_t first = 0, int32_t last = 100000) {
    std::vector<CCharacterEffect*> out;
    for (int32_t i = 1; i <= World().GetCount(); ++i)
        if (auto* e = dynamic_cast<CCharacterEffect*>(World().GetAt(i)); e && e->frame >= first && e->frame <= last)
            out.push_back(e);
    return out;
}

// The play frames (counted from 1) of n in which count() grew: when shots of
// a state or enemies of a type appeared.
template <class Count>
std::vector<int> TimesItGrew(Scenario& s, Count count, int n) {
    std::vector<int> times;
    std::size_t seen = count();
    for (int i = 1; i <= n; ++i) {
        s.Run(1);
        const std::size_t now = count();
        if (now > seen) times.push_back(i);
        seen = now;
    }
    return times;
}

// With PELLUMBRISK_SHOTS set to a folder, a test's frames drawn through the
// game's own drawing: every third Frame() writes the world as it stands to
// <folder>/<prefix>-NNN.png. Without it nothing is drawn.
class WorldShots {
public:
    explicit WorldShots(std::string prefix) : prefix_(std::move(prefix)) {
        const char* dir = std::getenv("PELLUMBRISK_SHOTS");
        if (dir == nullptr || !InitGraphics()) return;
        dir_ = dir;
        for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
    }
    ~WorldShots() {
        if (!dir_.empty()) ReleaseGraphics();
    }
    WorldShots(const WorldShots&) = delete;
    WorldShots& operator=(const WorldShots&) = delete;

    void Frame() {
        if (dir_.empty() || frame_++ % 3 != 0) return;
        platform::GraphicsDevice* device = GetDevice();
        device->Clear(0xFF2B2140u, 1.0f);
        device->BeginScene();
        World().DrawAll();
        device->EndScene();
        char name[64];
        std::snprintf(name, sizeof name, "/%s-%03d.png", prefix_.c_str(), shot_++);
        testing_support::WriteScreenshot(dir_ + name);
    }

private:
    std::string prefix_;
    std::string dir_;
    int frame_ = 0;
    int shot_ = 0;
};

// The velocity at `speed` from (x, y) straight at the target's anchor, each
// part truncated toward zero (how aimed shots and homing flyers head).
inline std::pair<int32_t, int32_t> Aim(int32_t x, int32_t y, CCharacter& target, int32_t speed) {
    const double a = std::atan2(static_cast<double>(target.GetAnchorX()) - x, static_cast<double>(target.GetAnchorY()) - y);
    return {static_cast<int32_t>(std::sin(a) * speed), static_cast<int32_t>(std::cos(a) * speed)};
}

inline std::pair<int32_t, int32_t> Velocity(const CCharacter& c) { return {c.vx, c.vy}; }

// Characters of a type id in the world.
inline std::vector<CCharacter*> OfType(int32_t typeId) {
    std::vector<CCharacter*> out;
    for (int32_t i = 1; i <= World().GetCount(); ++i)
        if (World().GetAt(i)->typeId == typeId) out.push_back(World().GetAt(i));
    return out;
}

}  // namespace enemy_test
