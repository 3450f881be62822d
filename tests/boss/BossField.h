#pragma once
// A field for the boss tests: the enemies' floor, a player that stands
// where it is put, a recorder of the music requests, and the shared
// services (director, life bar, stage switch, screen effect) put back to
// rest before and after each test.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "boss/CharacterEnemyBoss.h"
#include "enemy/EnemyField.h"
#include "framework/Effect.h"
#include "framework/GameMain.h"
#include "stage/Event.h"
#include "ui/Lifebar.h"
#include "win/SoundTables.h"

namespace boss_test {

using enemy_test::kFloor;
using enemy_test::Shots;
using testing_support::Scenario;
using testing_support::World;

// The frames of the camera tour of the ground fighters: 30 there, 120 on
// the boss, 30 back; the first of them is the one in which it starts.
constexpr int32_t kTourFrames = 180;

inline void RestServices() {
    CEvent::GetInstance()->Reset();
    CLifebarController::GetInstance()->SetEnemyBar(nullptr);
    CLifebarEnemy::GetInstance()->m_target = nullptr;
    CGameMain* game = CGameMain::GetInstance();
    game->m_stageControl.m_nextStage = 0;
    // No stage of an earlier test scrolls the field after the camera tours.
    game->m_stageControl.SetStage(0);
    game->m_mapId = 270;
    CEffect* effect = CEffect::GetInstance();
    effect->m_shakeFrames = 0;
    effect->m_fade = effect->m_fadeTarget = effect->m_fadeStep = 0;
    SetMusicObserver(nullptr);
}

// A body of the player's group, 300 across, that keeps every blow it takes
// (kind, damage) and is never harmed by one: it takes the blows of every
// frame of a contact.
class Victim : public testing_support::ScenarioBody {
public:
    Victim() : ScenarioBody({-150, 150, -150, 150}) { group = 1; }
    bool OnHit(int32_t kind, int32_t damage, int32_t, CCharacter*) override {
        blows.push_back({kind, damage});
        return false;
    }
    std::vector<std::pair<int32_t, int32_t>> blows;
};

struct BossField : enemy_test::Field {
    std::vector<int32_t> music;  // entries asked for; kMusicStopped for a stop

    explicit BossField(int32_t px = 800, std::vector<std::string> grid = enemy_test::FloorGrid())
        : enemy_test::Field(px, std::move(grid)) {
        RestServices();
        player->controlled = 1;
        SetMusicObserver([this](int32_t entry) { music.push_back(entry); });
    }
    ~BossField() { RestServices(); }

    // A boss of the factory standing on the floor at x (its body reaching
    // `halfHeight` below its position).
    template <class T>
    T* MakeBoss(int32_t typeId, int32_t x, int32_t halfHeight) {
        return dynamic_cast<T*>(s.AddAt(typeId, x, kFloor - halfHeight));
    }

    // Runs until the boss leaves its entrance (at most `limit` frames);
    // the frames it took.
    int RunEntrance(CCharacter* boss, int limit = 400) {
        int n = 0;
        while (n < limit && boss->frame >= EnemyState::Entrance && boss->frame <= 239) {
            s.Run(1);
            ++n;
        }
        return n;
    }

    // Runs until `done` (at most `limit` frames); the frames it took.
    template <class Pred>
    int RunUntil(Pred done, int limit) {
        int n = 0;
        for (; n < limit && !done(); ++n) s.Run(1);
        return n;
    }

    // A victim standing on the floor at x.
    Victim* AddVictim(int32_t x) { return s.Add(std::make_unique<Victim>(), x, kFloor - 150); }

    int Count(int32_t effectState) const { return static_cast<int>(enemy_test::Effects(effectState, effectState).size()); }
};

}  // namespace boss_test
