#pragma once
// The rooms of the side-room bosses' tests: a walled arena (walls at both
// ends, a ceiling on request) on the boss field, a blade to strike a boss
// with the player's group, and counters of what the fights leave about.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "boss/BossField.h"
#include "support/Scenario.h"

namespace boss_test {

// Eight rows over the floor, `width` columns; walls of blocks in the first
// and last columns, a ceiling of blocks in the first row when asked.
inline std::vector<std::string> RoomGrid(int32_t width = 20, bool walls = true, bool ceiling = false) {
    std::vector<std::string> rows(8, std::string(width, '.'));
    for (std::string& r : rows)
        if (walls) r.front() = r.back() = '#';
    if (ceiling) rows.front() = std::string(width, '#');
    rows.push_back(std::string(width, '#'));
    return rows;
}

struct SideRoom : BossField {
    testing_support::ScenarioBody* blade = nullptr;

    explicit SideRoom(int32_t px = 800, std::vector<std::string> grid = RoomGrid()) : BossField(px, std::move(grid)) {
        player->invulnerableTimer = -1;  // the fights must not end the test
        blade = s.Add(std::make_unique<testing_support::ScenarioBody>(testing_support::BodyBox{}), 0, 0);
        blade->group = 1;
        blade->SetAttackBox({-4000, 4000, -4000, 4000});
    }

    // A blow of the player's group on whatever stands round the boss; true
    // when the boss was hit.
    bool Strike(CCharacter* boss, int32_t damage) {
        blade->x = boss->x;
        blade->y = boss->y;
        return blade->AttackAll(nullptr, ~1, 1, damage) == boss;
    }

    // Sounds of a slot made so far.
    int Heard(int32_t slot) const {
        return static_cast<int>(std::count(s.Sounds().begin(), s.Sounds().end(), slot));
    }
};

}  // namespace boss_test
