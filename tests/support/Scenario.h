#pragma once
// The scenario harness: a small play field for tests that runs the game's
// real characters through the real play frame.
//
//   Scenario s({"......",
//               "..#...",
//               "######"},
//              {{'#', 20526}});          // legend: cell character -> type id
//   auto* body = s.Add(std::make_unique<ScenarioBody>(...), Scenario::CellX(1), ...);
//   s.SetPlayer(body);
//   s.Run(30);
//   EXPECT_EQ(body->y, ...);  EXPECT_EQ(s.Sounds(), ...);
//
// - The grid: one row per map row, one character per 400-unit cell; '.' and
//   ' ' are empty, every other character is made with the real
//   CreateCharacter from its legend id and placed at the cell's centre
//   (CellX, CellY), as the stage places map cells (cell (0, 0) spans 0..400).
// - The stage: a fake stage view of the grid's size with the camera at
//   (0, 0) (Stage() to move it), installed in CGameMain for the scenario's
//   life.
// - A fixed seed for the game's random generator (GameSrand).
// - Run(n): n play frames. Each frame counts the game's frame counter,
//   runs beforeFrame (the hook for scripted actions), polls the input
//   object and runs the play state's frame (screens, both character lists'
//   UpdateAll, screen effects, freeze timers).
// - Touches and keys: TouchDown / TouchMove / TouchUp script the mouse that
//   stands in for a finger, and Input() is the scripted input source behind
//   them (keys, pad); the input object reads it at each frame's poll.
// - Sounds: every effect request (PlaySE) is recorded in order.
// - The destructor empties both character lists and takes the fake stage,
//   the input source and the sound recorder out again.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "character/Character.h"
#include "stage/StageView.h"
#include "support/ScriptedInput.h"

namespace testing_support {

// A stage view that tests fill in: playfield size in cells and the camera.
class FakeStageView : public CStageView {
public:
    bool HasStage() override { return present; }
    int32_t GetWidth() override { return width; }
    int32_t GetHeight() override { return height; }
    int32_t GetCameraX() override { return cameraX; }
    int32_t GetCameraY() override { return cameraY; }
    int32_t GetMusic() override { return music; }

    bool present = true;
    int32_t width = 0;
    int32_t height = 0;
    int32_t cameraX = 0;
    int32_t cameraY = 0;
    int32_t music = -1;
};

// A character for scenarios: every record of its table (states 1 to 220,
// so the hurt and defeat states keep it) is one held frame with the boxes
// it is given. Its Update steps its records, runs onUpdate, falls when
// `falls` is set and moves by its speed; terrain contacts and landed
// attacks are counted.
// A box of a test body's records, in world units around its position.
struct BodyBox {
    int32_t left = 0, right = 0, top = 0, bottom = 0;
};

class ScenarioBody : public CCharacter {
public:
    using Box = BodyBox;
    static constexpr int32_t kState = 1;
    static constexpr int32_t kRecords = 221;

    // A body (also its hurt box) and optionally a flat solid.
    explicit ScenarioBody(Box body, Box solid = {});

    void Update() override;
    bool OnTerrainContact(int32_t side) override;
    void OnAttackLanded() override { ++attacksLanded; }

    // Rewrites a box in every record.
    void SetBody(Box b);
    void SetHurtBox(Box b);
    void SetAttackBox(Box b);
    void SetSolid(Box b);

    bool falls = false;
    int32_t attacksLanded = 0;
    std::vector<int32_t> contacts;
    std::function<void(ScenarioBody&)> onUpdate;

private:
    using Field = int32_t FrameRecord::*;
    void SetBox(Box b, Field left, Field right, Field top, Field bottom);
    template <class F>
    void ForEachRecord(F f) {
        for (int32_t i = 1; i < kRecords; ++i) f(*frameTable.Find(i));
    }
};

// The usual walker: 200 wide, 300 tall, its feet at y + 100.
ScenarioBody::Box WalkerBody();

// A body of one side (the enemies' by default) that keeps the kind and
// damage of every hit it takes.
class HitRecorder : public ScenarioBody {
public:
    explicit HitRecorder(Box body = WalkerBody(), int32_t side = 2) : ScenarioBody(body) { group = side; }
    bool OnHit(int32_t kind, int32_t damage, int32_t direction, CCharacter* attacker) override {
        hits.emplace_back(kind, damage);
        return ScenarioBody::OnHit(kind, damage, direction, attacker);
    }
    std::vector<std::pair<int32_t, int32_t>> hits;
};

class Scenario {
public:
    Scenario(std::vector<std::string> grid, std::map<char, int32_t> legend, uint32_t seed = 1);
    ~Scenario();
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    // Centre of a cell in world units.
    static int32_t CellX(int32_t column) { return column * kTileSize + kHalfTile; }
    static int32_t CellY(int32_t row) { return row * kTileSize + kHalfTile; }

    // Makes a character with the factory and places it.
    CCharacter* AddAt(int32_t typeId, int32_t x, int32_t y);
    CCharacter* AddAtCell(int32_t typeId, int32_t column, int32_t row);
    // Puts any character (a test body, a class made by hand) into the world.
    template <class T>
    T* Add(std::unique_ptr<T> character, int32_t x, int32_t y) {
        T* raw = character.release();
        Place(raw, x, y);
        return raw;
    }
    // The character the game treats as the player (conveyors, FacePlayer).
    void SetPlayer(CCharacter* player);

    // The characters the grid made, by cell; null for empty cells.
    CCharacter* At(int32_t column, int32_t row) const;

    void Run(int frames);

    // Scripted touches (the mouse's left button) at client pixels; the
    // next frame's poll reads them. Keys and the pad: Input().
    void TouchDown(int32_t x, int32_t y);
    void TouchMove(int32_t x, int32_t y);
    void TouchUp();

    const std::vector<int32_t>& Sounds() const { return sounds_; }
    void ClearSounds() { sounds_.clear(); }
    ScriptedInput& Input() { return input_; }
    FakeStageView& Stage() { return stage_; }

    std::function<void(Scenario&)> beforeFrame;

private:
    void Place(CCharacter* c, int32_t x, int32_t y);

    FakeStageView stage_;
    ScriptedInput input_;
    std::vector<int32_t> sounds_;
    std::map<std::pair<int32_t, int32_t>, CCharacter*> cells_;
};

}  // namespace testing_support
