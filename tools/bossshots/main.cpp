// Renders the five side-room bosses where they are fought: each stage of the
// castle (1-3), the tower (1-4) and the boss hall (1-5) is started as the
// game starts it, its own enemies are sent away, the boss is made with the
// real factory on the floor of the first view to the right of the player,
// and the real play frame runs its entrance (the camera tour) into its
// fight, the boss held at its place (the stages have no side rooms' walls
// to turn a patrol or a charge). At
// each moment of the boss's script the whole screen is drawn as the game
// draws it, HUD and life bar included, and the moments are put side by
// side: OUT_DIR/<boss>_<stage>.png at 1x and <boss>_<stage>_2x.png.
//
// Usage: bossshots OUT_DIR
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Canvas.h"
#include "HeadlessDraw.h"
#include "boss/CharacterBigGhost.h"
#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/Random.h"
#include "platform/GraphicsDevice.h"
#include "stage/StageView.h"
#include "win/Graphics.h"

namespace {

// One moment: run until the boss shows `frame` (at once when -1), then
// `after` frames more; `strike` first sets the boss's life to that many
// points and starts its defeat.
struct Moment {
    const char* label;
    int32_t frame;
    int32_t after = 0;
    int32_t strike = -1;
};

struct Boss {
    const char* name;
    int32_t typeId;
    int32_t x;       // where it is held on the screen, in units
    int32_t lift;    // its position above the floor
    std::vector<Moment> moments;
    bool lights = false;  // the big ghost shows only in a lit room
    bool hold = false;    // held in the air as well (a bouncing wheel would leave the view)
    bool carries = true;  // its parts ride on it (the grave plot's pieces stand on their own)
};

const std::vector<Boss>& Bosses() {
    static const std::vector<Boss> bosses = {
        {"kappa_tank", 11030, 3300, 660,
         {{"patrol", 220, 30}, {"patrol", 220, 31}, {"warn", 241, 6}, {"shot", 242, 2}, {"defeat", 110, 30, 0}}},
        {"mammoth", 11020, 3300, 590,
         {{"stand", 240, 8}, {"throw", 244, 10}, {"hop", 264, 6}, {"charge", 265, 2}, {"bounce", 267, 4},
          {"defeat", 110, 30, 0}}},
        {"big_ghost", 10290, 3300, 1000,
         {{"drift", 220, 20}, {"drift", 220, 60}, {"drift", 220, 100}, {"drift", 220, 140}, {"vanish", 110, 20, 0}},
         true},
        {"boseki", 10280, 3800, 2000,
         {{"idle", 220, 10}, {"idle", 220, 16}, {"idle", 220, 22}, {"defeat", 110, 30, 0}}, false, false, false},
        {"wanyudo", 11010, 3300, 900, {{"spin", 233, 20}, {"bounce", 220, 20}, {"bounce", 220, 50}, {"defeat", 111, 20, 0}},
         false, true},
    };
    return bosses;
}

CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

// The room's floor below the boss's place, in each stage's first view.
int32_t FloorOf(int32_t mapId) { return mapId == 270 ? 2800 : 2400; }

void Tick() {
    CGameMain* game = CGameMain::GetInstance();
    ++game->m_frameCount;
    CGameStateController::GetInstance()->DoAction();
}

// Where the boss is held, in the stage.
struct Place {
    int32_t x, y;
};

// One play frame with the boss kept at its place, its parts following it
// there.
void TickHeld(const Boss& b, CCharacter* boss, Place place) {
    CCharacter* player = CGameMain::GetInstance()->m_player;
    player->hp = player->hpMax;  // the shots must not end the scene
    if (b.lights && boss->frame >= 220 && boss->frame <= 227) {
        // (Its entrance puts the lights out again once it has shown itself.)
        CCharacterBigGhost::SetLight(CCharacterBigGhost::kFirstLight, true);
        CCharacterBigGhost::SetLight(CCharacterBigGhost::kSecondLight, true);
    }
    Tick();
    // Positions are the view's: the place in the stage less the camera.
    CStageView* view = CGameMain::GetInstance()->GetStageView();
    boss->x = place.x - view->GetCameraX();
    if (b.hold) boss->y = place.y - view->GetCameraY();
    for (int pass = 0; pass < (b.carries ? 2 : 0); ++pass)
        for (int32_t i = 1; i <= World().GetCount(); ++i) {
            CCharacter* c = World().GetAt(i);
            const CCharacter* p = c->linksA[0];
            if (p == boss || (p != nullptr && p->linksA[0] == boss)) c->FollowParent();
        }
}

bool Listed(const CCharacter* c) {
    for (int32_t i = 1; i <= World().GetCount(); ++i)
        if (World().GetAt(i) == c) return true;
    return false;
}

// The boss's moments in one stage, side by side with their labels.
Canvas Shoot(const Boss& b, int32_t mapId) {
    CGameMain* game = CGameMain::GetInstance();
    GameSrand(5);
    game->StartStage(mapId);
    for (int i = 0; i < 60; ++i) Tick();
    // The stage's own enemies go; the player stays.
    for (int32_t i = 1; i <= World().GetCount(); ++i) {
        CCharacter* c = World().GetAt(i);
        if (c != game->m_player && c->group == 2) c->SetState(0);
    }
    Tick();
    const int32_t floor = FloorOf(mapId);
    CCharacter* boss = CreateCharacter(b.typeId);
    // (The boss hall's first view is narrower: the boss stands further left.)
    boss->x = boss->prevX = b.x - (mapId == 270 ? 700 : 0);
    boss->y = boss->prevY = floor - b.lift;
    World().Add(boss);
    CStageView* view = game->GetStageView();
    const Place place{boss->x + view->GetCameraX(), boss->y + view->GetCameraY()};
    const int w = platform::GraphicsDevice::kWidth, h = platform::GraphicsDevice::kHeight;
    Canvas out(static_cast<int>(b.moments.size()) * (w + 4), h + 12, Rgb{20, 16, 28});
    int col = 0;
    for (const Moment& m : b.moments) {
        if (m.strike >= 0) boss->hp = m.strike, boss->SetState(110);
        for (int i = 0; i < 1500 && Listed(boss) && m.frame >= 0 && boss->frame != m.frame; ++i) TickHeld(b, boss, place);
        for (int i = 0; i < m.after && Listed(boss); ++i) TickHeld(b, boss, place);
        game->Draw();
        out.Blit(headless::Screen(), col * (w + 4), 0);
        out.Text(col * (w + 4) + 2, h + 3, std::string(m.label) + " " + std::to_string(boss->frame), Rgb{230, 224, 210});
        ++col;
    }
    CCharacterBigGhost::SetLight(CCharacterBigGhost::kFirstLight, false);
    CCharacterBigGhost::SetLight(CCharacterBigGhost::kSecondLight, false);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bossshots OUT_DIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    if (!headless::OpenGraphics("bossshots")) return 1;
    CGameMain::GetInstance()->LoadTexturePages();
    int rc = 0;
    const std::vector<std::pair<int32_t, const char*>> stages = {{268, "1_3"}, {269, "1_4"}, {270, "1_5"}};
    for (const Boss& b : Bosses())
        for (const auto& [mapId, stage] : stages) {
            const Canvas c = Shoot(b, mapId);
            if (!headless::WriteAt1xAnd2x(c, out, std::string(b.name) + "_" + stage)) rc = 1;
        }
    CGameMain::GetInstance()->GoToTitle();
    ReleaseGraphics();
    return rc;
}
