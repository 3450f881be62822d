#pragma once
// Plays the player through a real stage to its exit wall by touches, hop by
// hop along a way the map allows (the Reach planner of MapGrid.h), choosing
// the next hop afresh from wherever the last one ended, until the exit
// switches the stage. Whoever drives the frames and the mouse (the stage
// fixture without drawing, or the whole game object) hands in how.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "character/Character.h"
#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "stage/MapGrid.h"
#include "stage/MapTypeIds.h"
#include "stage/StageData.h"

namespace testing_support {

// The enemies and their shots taken out of the play (the spawners make more
// as the player goes), for runs about the way through a stage.
inline void ClearEnemiesOutOfPlay() {
    CCharacterList& list = CGameMain::GetInstance()->m_characterList;
    for (int32_t i = 1; i <= list.GetCount(); ++i) {
        CCharacter* c = list.GetAt(i);
        if (KindOfTypeId(c->typeId) == MapObjectKind::Enemy || (c->group & 2) != 0) c->SetState(0);
    }
}

class StageWalker {
public:
    struct Driver {
        // One frame of the game, with whatever the driver does around it.
        std::function<void()> frame;
        // The mouse button down at client pixels, or up; the next frame
        // reads it.
        std::function<void(int32_t, int32_t)> touchDown;
        std::function<void()> touchUp;
    };
    // How far into the floor the second dash aims, so that it meets it.
    static constexpr int32_t kIntoFloor = 40;
    // How far below a wall or ceiling hold the touch that lets go aims.
    static constexpr int32_t kLetGoDrop = 400;

    explicit StageWalker(Driver d) : driver(std::move(d)) {}

    static CGameMain* Game() { return CGameMain::GetInstance(); }
    static CCharacter* Player() { return Game()->m_player; }
    static CStageData* Stage() { return Game()->m_stageControl.GetStage(); }
    static int32_t PlayerMapX() { return Player()->x + Stage()->m_cameraX; }
    static int32_t PlayerMapY() { return Player()->y + Stage()->m_cameraY; }

    bool Standing() {
        const int32_t f = Player()->frame;
        return (f == 230 || f == 231 || f == 236) && !Player()->IsAirborne();
    }
    // A move attack under way (the ninja's 320 and 321, the runners' 321 to
    // 325, the other ninjas' dash, pull and drill charge up to 329).
    bool Dashing() { return Player()->frame >= 320 && Player()->frame <= 329; }

    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            lastMapY = PlayerMapY();
            driver.frame();
        }
    }

    // A tap at a map position: the frame it goes down, up the next.
    void TapAt(int32_t mapX, int32_t mapY) {
        driver.touchDown((mapX - Stage()->m_cameraX) / 10, (mapY - Stage()->m_cameraY) / 10);
        Step();
        driver.touchUp();
    }

    // Frames until the player stands (or the limit); false when it fell.
    bool Settle(int limit = 200) {
        for (int i = 0; i < limit && !Standing(); ++i) {
            if (Player()->hp <= 0) return false;
            // The other ninjas cling to any wall or ceiling they meet: a touch
            // below lets go toward the floor (and a frame with the finger up
            // keeps the next touch a fresh one).
            const int32_t f = Player()->frame;
            if (f >= 232 && f <= 235) TapAt(PlayerMapX(), PlayerMapY() + kLetGoDrop);
            Step();
        }
        return Standing();
    }

    // One hop: the dash to the waypoint, and as it ends the air dash onto
    // the target's floor (straight down from where it is, for a drop).
    void Hop(const Reach::Hop& h) {
        TapAt(h.wx, h.wy);
        for (int i = 0; i < 40 && Dashing(); ++i) Step();
        auto* player = static_cast<CCharacterPlayer*>(Player());
        if (player->IsAirborne() && player->airDashes > 0) {
            // Aimed a little into the floor, along the line that meets the
            // floor's surface right at the target.
            const int32_t px = PlayerMapX(), py = PlayerMapY();
            const int32_t tx = h.down ? px : h.tx;
            const int32_t drop = std::max(1, h.ty - py);
            TapAt(tx + (tx - px) * kIntoFloor / drop, h.ty + kIntoFloor);
        }
        Settle(300);
    }

    // Plays the current stage to its exit wall.
    void PlayToTheExit() {
        const int32_t stage = Game()->m_mapId;
        const MapGrid grid(kStageMaps[stage - 266]);
        const Reach reach(grid);
        ASSERT_TRUE(Settle()) << "the player has nothing to stand on in " << stage;
        for (int hops = 0; hops < 120; ++hops) {
            // A hop that ends against the right edge may take the exit itself.
            if (Game()->m_mapId != stage) return;
            ASSERT_GT(Player()->hp, 0) << "stage " << stage << ": fell at map " << PlayerMapX() << ", " << PlayerMapY();
            ASSERT_TRUE(Standing()) << "stage " << stage << ": not standing at " << PlayerMapX() << ", " << PlayerMapY();
            const int32_t c = MapGrid::ColumnOf(PlayerMapX()), r = MapGrid::RowOf(PlayerMapY() - 1);
            if (reach.TouchesExit(c, r)) {
                // Along the floor against the right edge, onto the exit.
                TapAt(Stage()->m_cameraX + (Game()->GetViewWidth() - 5) * 10, PlayerMapY());
                for (int i = 0; i < 40 && Game()->m_mapId == stage; ++i) Step();
                ASSERT_NE(Game()->m_mapId, stage) << "the exit did not take the player at " << PlayerMapX();
                return;
            }
            const auto way = reach.PathTo(c, r, [&](int32_t tc, int32_t tr) { return reach.TouchesExit(tc, tr); });
            ASSERT_GE(way.size(), 2u) << "stage " << stage << ": no way to the exit from column " << c << ", row " << r;
            const auto hopsThere = reach.Hops(c, r, way[1].first, way[1].second);
            ASSERT_FALSE(hopsThere.empty());
            Hop(hopsThere.front());
        }
        FAIL() << "stage " << stage << ": no exit after 120 hops";
    }

    // The player's height on the map before the last frame.
    int32_t lastMapY = 0;

private:
    Driver driver;
};

}  // namespace testing_support
