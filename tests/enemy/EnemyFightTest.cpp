// The ninja fights a kappa, a lizardman and an archer on a screen of forest
// ground, steered by touches as a player steers it: a touch on the nearest
// enemy starts the katana's homing attack. Every enemy hurts the ninja and
// is cut down in its turn: the kappa and the lizardman burst, pay their
// coins (the kappa) and go; the archer leaves his body.
//
// With PELLUMBRISK_SHOTS set to a folder, every third frame is drawn through
// the game's own drawing and written there as fight-NNN.png.
#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>

#include "enemy/CharacterArcher.h"
#include "enemy/CharacterKappa.h"
#include "enemy/CharacterLizardman.h"
#include "enemy/EnemyField.h"

using namespace enemy_test;
using testing_support::Listed;

namespace {

const std::vector<std::string> kGround = {
    "............", "............", "............", "............",
    "............", "............", "666666666666", "999999999999",
};
constexpr int32_t kGroundTop = 2400;

bool Beaten(const CCharacter* e) { return !Listed(e) || (e->frame >= 110 && e->frame <= 119); }

}  // namespace

TEST(EnemyFight, TheNinjaCutsDownAKappaALizardmanAndAnArcherByTouch) {
    WorldShots shots("fight");
    Scenario s(kGround, {{'6', 20066}, {'9', 20069}}, 3);
    auto* ninja = s.Add(std::make_unique<CCharacterNinja>(), 600, kGroundTop);
    s.SetPlayer(ninja);
    ninja->hp = ninja->hpMax = 3000;
    ninja->SetState(220);
    const int32_t stand = kGroundTop - 190;
    CCharacter* kappa = s.AddAt(10041, 2400, stand);
    CCharacter* lizard = s.AddAt(11061, 3200, stand);
    CCharacter* archer = s.AddAt(11050, 4200, stand);
    const std::vector<CCharacter*> enemies = {kappa, lizard, archer};

    size_t mostCoins = 0;
    s.beforeFrame = [&](Scenario&) {
        shots.Frame();
        mostCoins = std::max(mostCoins, Effects(140, 140 + 23).size());
    };
    int touches = 0;
    int32_t lowest = ninja->hp;
    for (int i = 0; i < 3000; ++i) {
        CCharacter* target = nullptr;
        for (CCharacter* e : enemies)
            if (!Beaten(e) && (target == nullptr || std::abs(e->x - ninja->x) < std::abs(target->x - ninja->x)))
                target = e;
        if (target == nullptr) break;
        if (ninja->frame == 230 || ninja->frame == 231) {
            s.TouchDown(target->x / 10, target->y / 10);
            s.Run(2);
            s.TouchUp();
            ++touches;
        }
        s.Run(1);
        lowest = std::min(lowest, ninja->hp);
    }
    s.Run(60);
    EXPECT_FALSE(Listed(kappa));
    EXPECT_FALSE(Listed(lizard));
    ASSERT_TRUE(Listed(archer));
    EXPECT_EQ(archer->frame, 113);
    EXPECT_GE(mostCoins, 3u) << "the kappa paid its coins";
    EXPECT_LT(lowest, 3000) << "the enemies fought back";
    EXPECT_GT(ninja->hp, 0);
    EXPECT_LT(touches, 40);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), 31), 3);
}
