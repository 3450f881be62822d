// The lineup: what a player meets in the shipped game, drawn headless through
// the game's own code for an art review. Each of the eight stages is started
// as the game starts it and run by the real play frame; the camera is sent to
// a few places along the stage (start, middle, end; heights in the tower),
// where the six playable characters are made with the real factory and stand
// side by side on the stage's ground, among the enemies its map placed. Each
// stage also gets a cast view: the kinds of enemy its map places, one of
// each, standing on the ground of its first view. Then Silvy in her hall at a
// few moments of her fight, the title screen and the title's shop. Every
// picture is the whole screen as the game draws it (HUD included), at 1x and
// enlarged twice.
//
// Usage: lineup OUT_DIR   (writes OUT_DIR/<stage>_<n>_<place>.png and
// _2x.png for stages 1_1 to 1_8, <stage>_cast.png, silvy_<n>.png, title.png
// and title_shop.png, each with its _2x.png)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <utility>
#include <set>
#include <string>
#include <vector>

#include "Canvas.h"
#include "HeadlessDraw.h"
#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/GameState.h"
#include "framework/Random.h"
#include "maps/StageMaps.h"
#include "stage/MapTypeIds.h"
#include "stage/StageData.h"
#include "stage/StageDataControl.h"
#include "stage/StageView.h"
#include "ui/GameInput.h"
#include "win/Graphics.h"

namespace {

constexpr int32_t kCellUnits = 400;
constexpr int32_t kFirstMapId = 266;
constexpr int32_t kViewW = 4800, kViewH = 3200;  // the 480 x 320 screen, in units

// A place the camera is sent to: the view's centre in map units, and where
// across the map the player is let fall (the view's middle unless given),
// whom the camera then follows down to the floor it lands on.
struct Place {
    const char* label;
    int32_t x, y;
    int32_t playerX = -1;
};

struct StageViews {
    int32_t mapId;
    std::vector<Place> places;
};

// Road stages are 150 x 8 cells (60000 x 3200 units), the tower 12 x 40
// (4800 x 16000), the hall and the rooms one to two views wide.
const std::vector<StageViews>& Stages() {
    static const std::vector<StageViews> stages = {
        {266, {{"start", 2400, 1600}, {"third", 20000, 1600}, {"middle", 30000, 1600}, {"twothirds", 40000, 1600},
               {"end", 57600, 1600}}},
        {267, {{"start", 2400, 1600}, {"third", 20000, 1600}, {"middle", 30000, 1600}, {"twothirds", 40000, 1600},
               {"end", 57600, 1600}}},
        {268, {{"start", 2400, 1600}, {"gate", 15200, 1600}, {"third", 20000, 1600}, {"middle", 30000, 1600},
               {"twothirds", 40000, 1600}, {"end", 57600, 1600}}},
        {269, {{"foot", 2400, 14400}, {"low", 2400, 11000}, {"middle", 2400, 8000}, {"high", 2400, 4800},
               {"top", 2400, 1600, 4200}}},
        {270, {{"hall", 2400, 1600}}},
        {271, {{"start", 2400, 1600}, {"end", 9600, 1600}}},
        {272, {{"start", 2400, 1600}, {"end", 9600, 1600}}},
        {273, {{"room", 1800, 1600}}},
    };
    return stages;
}

CGameMain* Game() { return CGameMain::GetInstance(); }
CCharacterList& World() { return Game()->m_characterList; }

void Tick() {
    ++Game()->m_frameCount;
    CGameStateController::GetInstance()->DoAction();
}

// One play frame with the player kept alive and out of harm.
void TickSafe() {
    if (CCharacter* p = Game()->m_player) {
        p->hp = p->hpMax;
        p->SetInvulnerable(2);
    }
    Tick();
}

Canvas Drawn() {
    Game()->Draw();
    return headless::Screen();
}

// Whether layer A's cell holds a block something can stand on.
bool Solid(const StageMapData& map, int32_t column, int32_t row) {
    const int32_t columns = map.width + 2 * kMapBorder, rows = map.height + 2 * kMapBorder;
    if (column < 0 || column >= columns || row < 0 || row >= rows) return false;
    const int32_t id = static_cast<int32_t>(map.layerA[row * columns + column] & kMapCellTypeMask);
    if (KindOfTypeId(id) != MapObjectKind::Block) return false;
    const std::unique_ptr<CCharacter> block(CreateCharacter(id));
    if (!block) return false;
    const FrameRecord& r = block->CurrentRecord();
    return r.solidLeft < r.solidRight;
}

// The map height of the lowest floor at map x in the view from `top` down:
// a solid cell under an open one; -1 when there is none.
int32_t FloorUnder(const StageMapData& map, int32_t x, int32_t top) {
    const int32_t column = x / kCellUnits + kMapBorder;
    const int32_t first = std::max(top / kCellUnits + kMapBorder, 1);
    const int32_t last = (top + kViewH) / kCellUnits + kMapBorder - 1;
    for (int32_t row = last; row >= first; --row)
        if (Solid(map, column, row) && !Solid(map, column, row - 1)) return (row - kMapBorder) * kCellUnits;
    return -1;
}

// A place to stand near map x in the view: x itself, or the nearest cell
// to either side with a floor (a pit has none); (x, -1) when none is near.
std::pair<int32_t, int32_t> StandingPlace(const StageMapData& map, int32_t x, int32_t top) {
    for (int32_t d = 0; d <= 4 * kCellUnits; d += kCellUnits)
        for (int32_t nx : {x - d, x + d}) {
            const int32_t floor = FloorUnder(map, nx, top);
            if (floor >= 0) return {nx, floor};
        }
    return {x, -1};
}

// Starts the stage, lets the fade-in pass, scrolls the camera to the place
// as far as the stage allows, puts the player in the middle of the view
// there and lets the real frame run on a little.
void GoTo(int32_t mapId, const Place& place) {
    GameSrand(5);
    Game()->StartStage(mapId);
    for (int i = 0; i < 60; ++i) TickSafe();
    auto* control = dynamic_cast<CStageDataControl*>(Game()->GetStageView());
    if (control != nullptr && control->GetStage() != nullptr) {
        CStageData* stage = control->GetStage();
        stage->ScrollClamped(place.x - kViewW / 2 - stage->m_cameraX, place.y - kViewH / 2 - stage->m_cameraY);
    }
    if (CCharacter* p = Game()->m_player) {
        p->x = place.playerX >= 0 ? place.playerX - Game()->GetStageView()->GetCameraX() : kViewW / 2;
        p->y = kViewH / 2;
        p->vx = p->vy = 0;
    }
    for (int i = 0; i < 30; ++i) TickSafe();
}

// Makes each id with the factory and stands it on the floor, spread evenly
// across the view; the player the stage made steps out of the picture.
void StandInView(const StageMapData& map, const std::vector<int32_t>& ids) {
    CStageView* view = Game()->GetStageView();
    const int32_t camX = view->GetCameraX(), camY = view->GetCameraY();
    if (CCharacter* p = Game()->m_player) p->alpha = 0;
    const int32_t step = (kViewW - 800) / static_cast<int32_t>(std::max<std::size_t>(ids.size(), 1));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        CCharacter* c = CreateCharacter(ids[i]);
        if (c == nullptr) continue;
        const auto [x, floor] = StandingPlace(map, camX + 400 + step / 2 + static_cast<int32_t>(i) * step, camY);
        c->x = c->prevX = x - camX;
        c->y = c->prevY = (floor >= 0 ? floor : camY + kViewH / 2) - camY;
        c->facing = i % 2 == 0 ? 1 : -1;
        c->controlled = 0;
        World().Add(c);
        // A few frames of its own so that it settles into its standing
        // picture (a player's first state only chooses between standing and
        // falling).
        for (int f = 0; f < 4; ++f) c->Update();
    }
}

// The enemy kinds a stage's map places, each id once.
std::vector<int32_t> EnemiesOf(const StageMapData& map) {
    std::set<int32_t> ids;
    const int32_t cells = (map.width + 2 * kMapBorder) * (map.height + 2 * kMapBorder);
    for (int32_t i = 0; i < cells; ++i) {
        const int32_t id = static_cast<int32_t>(map.layerC[i] & kMapCellTypeMask);
        if (id != 0 && KindOfTypeId(id) == MapObjectKind::Enemy) ids.insert(id);
    }
    return {ids.begin(), ids.end()};
}

const std::vector<int32_t> kPlayable = {1, 2, 3, 4, 5, 6};  // the four ninjas, Luka, Ironclaw

bool DrawStages(const std::filesystem::path& out) {
    bool ok = true;
    for (const StageViews& s : Stages()) {
        const StageMapData& map = kStageMaps[s.mapId - kFirstMapId];
        for (std::size_t i = 0; i < s.places.size(); ++i) {
            GoTo(s.mapId, s.places[i]);
            StandInView(map, kPlayable);
            ok &= headless::WriteAt1xAnd2x(Drawn(), out,
                                           std::string(map.name) + "_" + std::to_string(i + 1) + "_" + s.places[i].label);
        }
        const std::vector<int32_t> cast = EnemiesOf(map);
        if (cast.empty() || s.mapId == 270) continue;
        GoTo(s.mapId, s.places[0]);
        // The stage's own enemies step aside for the cast.
        for (int32_t i = 1; i <= World().GetCount(); ++i)
            if (World().GetAt(i)->group == 2) World().GetAt(i)->alpha = 0;
        StandInView(map, cast);
        ok &= headless::WriteAt1xAnd2x(Drawn(), out, std::string(map.name) + "_cast");
    }
    return ok;
}

// Silvy in the boss hall: her entrance and her fight at a few moments.
bool DrawSilvy(const std::filesystem::path& out) {
    GameSrand(5);
    Game()->StartStage(270);
    bool ok = true;
    int frame = 0;
    for (int at : {60, 150, 260, 400}) {
        for (; frame < at; ++frame) TickSafe();
        ok &= headless::WriteAt1xAnd2x(Drawn(), out, "silvy_" + std::to_string(at));
    }
    return ok;
}

bool DrawTitle(const std::filesystem::path& out) {
    Game()->GoToTitle();
    for (int i = 0; i < 90; ++i) Tick();
    bool ok = headless::WriteAt1xAnd2x(Drawn(), out, "title");
    CGameInputController::GetInstance()->SetInput(ScreenId::TitleShop);
    for (int i = 0; i < 60; ++i) Tick();
    ok &= headless::WriteAt1xAnd2x(Drawn(), out, "title_shop");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lineup OUT_DIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    if (!headless::OpenGraphics("lineup")) return 1;
    Game()->LoadTexturePages();
    bool ok = DrawStages(out);
    ok &= DrawSilvy(out);
    ok &= DrawTitle(out);
    Game()->GoToTitle();
    ReleaseGraphics();
    return ok ? 0 : 1;
}
