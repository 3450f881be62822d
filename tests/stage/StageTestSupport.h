#pragma once
// Driving the game as play does, for the stage tests: scripted keys and
// mouse under the real input object, play frames through the game-state
// controller (so that a state change in a frame takes effect as in the
// game), the effect sounds heard, and stages built from the real maps or
// from small grids.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "stage/MapTypeIds.h"
#include "stage/StageData.h"
#include "stage/StageWalker.h"
#include "support/ScriptedInput.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace testing_support {

// Virtual-key codes of the keys the tests press.
inline constexpr uint32_t kKeyLeft = 0x25;
inline constexpr uint32_t kKeyRight = 0x27;
inline constexpr uint32_t kKeyZ = 'Z';
inline constexpr uint32_t kKeyP = 'P';
inline constexpr uint32_t kKeyF2 = 0x71;
inline constexpr uint32_t kKeyF10 = 0x79;
inline constexpr uint32_t kKeyF11 = 0x7A;
inline constexpr uint32_t kKeyF12 = 0x7B;

class StagePlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetInputSource(&input);
        CMyInput::GetInstance()->SetWindow(input.GameWindow());
        CMouseDevice::GetInstance()->InitMouse(input.GameWindow());
        SetSoundEffectObserver([this](int32_t slot) { sounds.push_back(slot); });
    }
    void TearDown() override {
        CGameMain* game = CGameMain::GetInstance();
        game->m_stageControl.SetStage(0);
        game->m_characterList.DeleteAll();
        game->m_subCharacterList.DeleteAll();
        game->m_cameraTarget = nullptr;
        SetSoundEffectObserver(nullptr);
        platform::SetInputSource(nullptr);
    }

    static CGameMain* Game() { return CGameMain::GetInstance(); }
    static CStageData* Stage() { return Game()->m_stageControl.GetStage(); }
    static CCharacter* Player() { return Game()->m_player; }

    // One frame as the frame step runs it, without the drawing.
    void Frame(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            ++Game()->m_frameCount;
            CMyInput::GetInstance()->Poll();
            CGameStateController::GetInstance()->DoAction();
        }
    }

    // A game key (arrows, letters) down or up, as the window passes it on.
    void Key(uint32_t vk, bool down) {
        platform::Message m;
        m.type = down ? platform::MessageType::KeyDown : platform::MessageType::KeyUp;
        m.vk = vk;
        CMyInput::GetInstance()->OnKeyMessage(m);
    }
    // A function key is read from the keyboard state at each poll.
    void FunctionKey(uint32_t vk, bool down) {
        if (down) input.keysDown.insert(vk);
        else input.keysDown.erase(vk);
    }
    // The mouse that stands in for a finger, at client pixels; the next
    // frame's poll reads it.
    void TouchDown(int32_t x, int32_t y) {
        input.cursorX = x;
        input.cursorY = y;
        input.events.push_back({0, 0x80});
    }
    void TouchUp() { input.events.push_back({0, 0x00}); }

    // Pressed for one frame, then released.
    void TapFunctionKey(uint32_t vk) {
        FunctionKey(vk, true);
        Frame();
        FunctionKey(vk, false);
    }

    // The enemies and their shots taken out of the play (the spawners make
    // more as the player goes), for runs about the way through a stage.
    static void ClearEnemies() { ClearEnemiesOutOfPlay(); }

    // Map position of the player's feet.
    static int32_t PlayerMapX() { return Player()->x + Stage()->m_cameraX; }
    static int32_t PlayerMapY() { return Player()->y + Stage()->m_cameraY; }

    ScriptedInput input;
    std::vector<int32_t> sounds;
};

// A stage of any size from text grids: one character per layer cell
// (border included), '.' empty, the rest by the legend.
class GridStage : public CStageData {
public:
    GridStage(int32_t width, int32_t height) {
        m_width = width;
        m_height = height;
        const std::size_t n = static_cast<std::size_t>(width + 10) * (height + 10);
        a.assign(n, 0);
        b.assign(n, 0);
        c.assign(n, 0);
        m_layerA = a.data();
        m_layerB = b.data();
        m_layerC = c.data();
    }
    // Every cell of a layer in columns c0..c1, rows r0..r1 (layer cells).
    void Fill(std::vector<StageMapCell>& layer, int32_t c0, int32_t c1, int32_t r0, int32_t r1, StageMapCell v) {
        for (int32_t r = r0; r <= r1; ++r)
            for (int32_t col = c0; col <= c1; ++col) layer[static_cast<std::size_t>(r * (m_width + 10) + col)] = v;
    }
    StageMapCell& At(std::vector<StageMapCell>& layer, int32_t col, int32_t row) {
        return layer[static_cast<std::size_t>(row * (m_width + 10) + col)];
    }

    std::vector<StageMapCell> a, b, c;
};

// Counts the characters of the world list made from the map, by layer.
struct MapCounts {
    int a = 0, b = 0, c = 0;
};
inline MapCounts CountMapCharacters() {
    MapCounts n;
    CCharacterList& list = CGameMain::GetInstance()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i) {
        const CCharacter* ch = list.GetAt(i);
        n.a += ch->fromLayerA;
        n.b += ch->fromLayerB;
        n.c += ch->fromLayerC;
    }
    return n;
}

}  // namespace testing_support
