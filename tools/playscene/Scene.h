#pragma once
// A busy play field built from the game's own characters: the forest stage's
// tiles, a player dashing with its afterimage, a rival taking hits, and a
// steady stream of sparks, smoke, coins, score orbs with their pop-up
// numbers, shots, bombs, missiles and chains, all made by the game's spawn
// functions and run by the world list's real update. The scene render tool
// draws it to PNG for review; the play-frame benchmark times it.
#include <cstdint>

#include "stage/StageView.h"

class CCharacter;

namespace playscene {

// The stage the scene stands on: 12 x 8 cells, the camera at the origin.
class SceneStage : public CStageView {
public:
    bool HasStage() override { return true; }
    int32_t GetWidth() override { return 12; }
    int32_t GetHeight() override { return 8; }
    int32_t GetCameraX() override { return 0; }
    int32_t GetCameraY() override { return 0; }
};

class Scene {
public:
    // Builds the tiles, the player and the rival in the game's world list
    // and installs the scene's stage; the random generator is seeded so the
    // scene is the same every run.
    Scene();
    // Empties the world list and takes the stage out again.
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // One play frame's logic: the frame counter, the scene's own spawns and
    // moves (what enemies and players would do), then the world list's
    // update. Returns nothing; Count() tells how busy the field is.
    void Step();
    // The world list's drawing, layer by layer, onto a cleared screen.
    void Draw();
    // Only the parts of Step and Draw that the game itself runs, for timing:
    // the scene's spawns, then UpdateAll; and DrawAll.
    void Spawn();
    void UpdateAll();
    void DrawAll();

    int32_t Count() const;
    int32_t Frame() const { return frame_; }

private:
    void BuildTiles();
    void MovePlayer();

    SceneStage stage_;
    CCharacter* player_ = nullptr;
    CCharacter* rival_ = nullptr;
    int32_t frame_ = 0;
};

// Loads every texture slot from the game's resources and the text styles'
// metrics; false when the graphics device cannot be made.
bool LoadGraphics();

}  // namespace playscene
