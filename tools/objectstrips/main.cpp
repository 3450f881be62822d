// Renders every kind of stage furniture in its states: each kind is made
// with the real factory on a patch of forest ground beside a ninja, and the
// real behaviour runs while the script gives what play would give (a key,
// a flag, an attack kind, the ninja stepping up to it); at each moment the
// screen is drawn through the game's sprite drawing and a panel around the
// object is cut out. One row per kind, written at 2x to
// OUT_DIR/stage_objects.png.
//
// Usage: objectstrips OUT_DIR
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "StripWorld.h"
#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "framework/SaveData.h"
#include "framework/StateLoading.h"
#include "platform/GraphicsDevice.h"
#include "stage/CharacterStageObject.h"
#include "stage/Event.h"
#include "stage/StageView.h"
#include "win/Graphics.h"

namespace {

using strips::Add;
using strips::Listed;
using strips::World;

constexpr int kPanelW = 150;
constexpr int kPanelH = 170;
constexpr int kLabelH = 12;
constexpr int kScale = 2;

constexpr int32_t kGroundTop = 2800;
constexpr int32_t kObjectX = 2400;

CSaveData& Slot() { return CGameMain::GetInstance()->m_slotData[0]; }

// One play frame of the world; a camera tour ends at once (the strip's
// camera stays put).
void Step() {
    CGameMain* game = CGameMain::GetInstance();
    ++game->m_frameCount;
    game->m_subCharacterList.UpdateAll();
    World().UpdateAll();
    CEvent::GetInstance()->Reset();
    game->ClearFreezeTimer();
    game->ClearGroupFreezeTimer();
}

using Action = std::function<void(CCharacterStageObject&, CCharacter&)>;

// One moment: what play gives, then frames run, then the picture.
struct Moment {
    const char* label;
    int32_t frames;
    Action act = nullptr;
};

struct Row {
    int32_t id;
    int32_t y;  // where the object stands
    std::vector<Moment> moments;
};

Action Hit(int32_t kind) {
    return [kind](CCharacterStageObject& o, CCharacter& p) { o.OnHit(kind, 100, 1, &p); };
}
Action Flag(int32_t id, uint8_t v) {
    return [id, v](CCharacterStageObject&, CCharacter&) { Slot().SetSlotFlag(id, v); };
}
Action StepUp(int32_t dx) {
    return [dx](CCharacterStageObject& o, CCharacter& p) { p.x = o.x + dx; };
}

const std::vector<Row>& Rows() {
    // y: a one-cell object on the ground stands at ground - 200.
    constexpr int32_t kCell = kGroundTop - 200;
    static const std::vector<Row> rows = {
        {10350, kGroundTop - 400, {{"save 280", 2}, {"hovers", 20}, {"touched", 1, StepUp(0)}}},
        {10190, kGroundTop - 200, {{"shop 350", 2}, {"ninja at it", 3, StepUp(-600)}}},
        {10340, kGroundTop - 600, {{"goal 230", 2}, {"232", 22}, {"finish 234", 6, [](CCharacterStageObject& o, CCharacter&) { o.SetState(110); }}, {"fading", 40}}},
        {10450, kCell,
         {{"locked 260", 2}, {"keys: 261", 10, [](CCharacterStageObject&, CCharacter&) {
              Slot().SetSlotFlag(201, 1);
              Slot().SetSlotFlag(202, 1);
          }},
          {"262", 60}, {"264", 30}, {"open 250", 40}, {"ninja at it", 3, StepUp(-200)}}},
        {22900, kGroundTop - 1000,
         {{"lock 290", 2}, {"key: 291", 6, [](CCharacterStageObject& o, CCharacter& p) {
              Slot().SetInt(SaveSlotRecord::kKeyCount, 1);
              p.x = o.x - 200 - p.CurrentRecord().bodyRight;  // against its bars
          }},
          {"rising", 14}, {"almost gone", 18}}},
        {10402, kGroundTop - 1400,
         {{"closing 300", 8}, {"closed 301", 20}, {"flag: 302", 20, Flag(199, 1)}, {"opening", 40}, {"open 303", 30}}},
        {10361, kCell - 400, {{"off 310", 2}, {"kind 6: 311", 2, Hit(6)}, {"312", 4}, {"kind 8: 314", 3, Hit(8)}, {"316", 10}}},
        {10391, kCell - 400, {{"flag 1: 320", 2, Flag(230, 1)}, {"flag 0: 321", 2, Flag(230, 0)}, {"322", 4}, {"kind 10: 324", 3, Hit(10)}}},
        {10600, kCell - 400, {{"target 330", 2}, {"kind 9: 332", 3, Hit(9)}}},
        {10550, kCell - 400, {{"cleared 342", 2}, {"343: key", 75}}},
        {10661, kGroundTop, {{"block 400", 2}, {"kind 4", 2, Hit(4)}, {"pieces", 10}}},
        {10711, kCell, {{"sealed 410", 2}, {"flag 6, kind 1", 2, [](CCharacterStageObject& o, CCharacter& p) {
              Slot().SetSlotFlag(6, 1);
              o.OnHit(1, 100, 1, &p);
          }},
          {"pieces", 10}}},
        {10761, kGroundTop - 1600, {{"hanging 420", 2}, {"kind 7: 421", 10, Hit(7)}, {"falling", 10}, {"landed", 40}}},
        {21150, kCell, {{"hazard 430", 1}, {"431", 12}, {"432", 12}, {"433", 12}}},
        {21151, kCell, {{"hazard 434", 1}, {"435", 12}, {"436", 12}, {"437", 12}}},
        {10650, kCell, {{"deco 370", 2}}},
        {10651, kCell, {{"deco 380", 2}}},
        {10652, kCell, {{"deco 390", 2}}},
        {22950, kCell, {{"deco 360", 2}}},
        {22951, kCell, {{"deco 361", 2}}},
        {22952, kCell, {{"deco 362", 2}}},
    };
    return rows;
}

void RenderRow(const Row& r, Canvas& strip, int row) {
    World().DeleteAll();
    CGameMain* game = CGameMain::GetInstance();
    game->m_currentSlot = 0;
    Slot().SetNewGameDefaults();
    GameSrand(11);
    strips::BuildGround(kGroundTop);
    CCharacter* player = Add(1, 600, kGroundTop);
    player->hp = player->hpMax = 1000000;
    player->SetState(220);
    game->m_player = player;
    auto* object = dynamic_cast<CCharacterStageObject*>(Add(r.id, kObjectX, r.y));
    if (object == nullptr) return;
    int col = 0;
    for (const Moment& m : r.moments) {
        if (m.act) m.act(*object, *player);
        for (int i = 0; i < m.frames; ++i) Step();
        const int ox = col * (kPanelW + 4), oy = 14 + row * (kPanelH + kLabelH + 6);
        strips::Cut(strip, ox, oy, kObjectX / 10, kGroundTop / 10 - kPanelH / 2 + 20, kPanelW, kPanelH);
        strip.Text(ox + 2, oy + kPanelH + 2, std::to_string(r.id) + " " + m.label, Rgb{230, 224, 210});
        ++col;
        if (!Listed(object)) break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: objectstrips OUT_DIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    strips::StripStage stage;
    if (!strips::OpenGraphics("objectstrips", stage)) return 1;
    std::size_t columns = 0;
    for (const Row& r : Rows()) columns = std::max(columns, r.moments.size());
    Canvas strip(static_cast<int>(columns) * (kPanelW + 4),
                 14 + static_cast<int>(Rows().size()) * (kPanelH + kLabelH + 6), Rgb{20, 16, 28});
    strip.Text(2, 2, "stage objects", Rgb{250, 240, 200});
    for (std::size_t r = 0; r < Rows().size(); ++r) RenderRow(Rows()[r], strip, static_cast<int>(r));
    const int rc = strip.Scaled(kScale).WritePng((out / "stage_objects.png").string()) ? 0 : 1;
    Slot().SetNewGameDefaults();
    strips::CloseGraphics();
    return rc;
}
