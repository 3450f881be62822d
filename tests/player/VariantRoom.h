// A small world of real blocks for one player character, driven by touches
// through the real play frame: the room and open field the players' tests
// share, and a foe of the enemies' group that keeps every hit it takes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "player/CharacterPlayer.h"
#include "player/Item.h"
#include "player/TouchPad.h"
#include "support/Scenario.h"
#include "ui/GameInput.h"

namespace variant_room {

using testing_support::Scenario;
using testing_support::ScenarioBody;
using testing_support::WalkerBody;

constexpr int32_t kFill = 20069;  // a plain block of earth

// Walls with inner faces at 400 and 4400, a ceiling whose bottom is at 400,
// a floor whose top is at 2000.
const std::vector<std::string> kRoom = {
    "############",
    "#..........#",
    "#..........#",
    "#..........#",
    "#..........#",
    "############",
};
const std::vector<std::string> kField = {
    "............",
    "............",
    "............",
    "............",
    "............",
    "############",
};
constexpr int32_t kFloor = 2000;

// A body of the enemies' group that keeps every hit it takes.
class Foe : public testing_support::HitRecorder {
public:
    Foe() { hp = hpMax = 1000000; }
};

struct Room {
    Room(int32_t typeId, int32_t x, int32_t y, const std::vector<std::string>& grid = kField)
        : s(grid, {{'#', kFill}}) {
        CGameInputController::GetInstance()->SetInput(ScreenId::Main);
        // The touches reach the player straight from the input object, however
        // an earlier test left the HUD's pad; no equipment of an earlier test.
        CTouchPad::SetCurrent(nullptr);
        CItem::GetInstance()->Reset();
        player = static_cast<CCharacterPlayer*>(s.AddAt(typeId, x, y));
        s.SetPlayer(player);
        player->SetState(220);
        s.Run(4);
    }
    // A touch at play-field units, held until TouchUp.
    void TouchAt(int32_t x, int32_t y) { s.TouchDown(x / 10, y / 10); }
    void Tap(int32_t x, int32_t y) {
        TouchAt(x, y);
        s.Run(1);
        s.TouchUp();
    }
    bool RunUntil(const std::function<bool()>& done, int limit = 300) {
        for (int i = 0; i < limit && !done(); ++i) s.Run(1);
        return done();
    }
    bool RunUntilFrame(int32_t f, int limit = 300) {
        return RunUntil([&] { return player->frame == f; }, limit);
    }
    Foe* Enemy(int32_t x, int32_t y) { return s.Add(std::make_unique<Foe>(), x, y); }

    ~Room() { CTouchPad::SetCurrent(pad); }

    CTouchPad* pad = CTouchPad::GetCurrent();
    Scenario s;
    CCharacterPlayer* player = nullptr;
};

}  // namespace variant_room
