// Renders every enemy kind in its main states (those no stage map places
// yet as well): each
// variant is made with the real factory on a patch of forest ground, a
// ninja stands a little way off, and the real play frame runs the enemy's
// behaviour; at each moment of its script (a state reached, a hit, a
// defeat) the screen is drawn through the game's sprite drawing and a
// panel around the enemy is cut out. One strip per kind, one row per
// variant, written at 2x to OUT_DIR/<kind>.png.
//
// Usage: enemystrips OUT_DIR
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "StripWorld.h"
#include "character/Character.h"
#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "enemy/CharacterEnemy.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "framework/StateLoading.h"
#include "platform/GraphicsDevice.h"
#include "stage/StageView.h"
#include "win/Graphics.h"

namespace {

constexpr int kPanelW = 240;
constexpr int kPanelH = 116;
constexpr int kLabelH = 12;
constexpr int kScale = 2;

// The ground: forest blocks with their top at 2800 across the view.
constexpr int32_t kGroundTop = 2800;
constexpr int32_t kStand = kGroundTop - 190;

using strips::Add;
using strips::Listed;
using strips::World;

// One moment of a script: run until the enemy's frame is `frame` (or a
// number of frames when `frame` is -1), then `after` frames more, then
// draw. `hit` first hurts the enemy (1) or defeats it (2).
struct Moment {
    const char* label;
    int32_t frame;
    int32_t after = 0;
    int32_t hit = 0;
};

struct Variant {
    int32_t id;
    int32_t x;
    int32_t y;
    int32_t playerX;
    std::vector<Moment> moments;
    // Blocks above the ground (a wall to jump), as cell columns.
    std::vector<int32_t> wall = {};
    // A row of blocks along the view's top (what a hanging bat hangs from).
    bool ceiling = false;
};

struct Kind {
    const char* name;
    std::vector<Variant> variants;
};

void BuildGround(const std::vector<int32_t>& wall, bool ceiling = false) {
    strips::BuildGround(kGroundTop);
    if (ceiling)
        for (int32_t col = 0; col < 14; ++col) Add(20069, col * 400 + 200, 1400);
    for (int32_t col : wall) Add(20069, col * 400 + 200, kGroundTop - 200);
}

void Step() {
    CGameMain* game = CGameMain::GetInstance();
    ++game->m_frameCount;
    game->m_subCharacterList.UpdateAll();
    World().UpdateAll();
    game->TickFreezeTimer();
    game->TickGroupFreezeTimer();
}

void RenderVariant(const Variant& v, Canvas& strip, int row) {
    World().DeleteAll();
    CGameMain* game = CGameMain::GetInstance();
    game->m_groupFreezeTimer = 0;
    GameSrand(11);
    BuildGround(v.wall, v.ceiling);
    CCharacter* player = Add(1, v.playerX, kGroundTop);
    player->hp = player->hpMax = 1000000;
    player->SetState(220);
    game->m_player = player;
    auto* enemy = dynamic_cast<CCharacterEnemy*>(Add(v.id, v.x, v.y));
    if (enemy == nullptr) return;
    int col = 0;
    for (const Moment& m : v.moments) {
        if (!Listed(enemy)) break;
        if (m.hit == 1) enemy->OnHit(15, 1, enemy->x < player->x ? 1 : -1, player);
        if (m.hit == 2) enemy->OnHit(15, 100000, enemy->x < player->x ? 1 : -1, player);
        if (m.frame >= 0) {
            for (int i = 0; i < 600 && Listed(enemy) && enemy->frame != m.frame; ++i) Step();
        }
        for (int i = 0; i < m.after && Listed(enemy); ++i) Step();
        if (!Listed(enemy)) break;
        const int ox = col * (kPanelW + 4), oy = 14 + row * (kPanelH + kLabelH + 6);
        strips::Cut(strip, ox, oy, enemy->x / 10, enemy->y / 10 - 12, kPanelW, kPanelH);
        strip.Text(ox + 2, oy + kPanelH + 2, std::to_string(v.id) + " " + m.label, Rgb{230, 224, 210});
        ++col;
    }
}

const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds = {
        {"kappa",
         {{10041, 2600, kStand, 600,
           {{"stand 230", 230, 4}, {"wind 231", 231, 4}, {"throw 232", 232, 3}, {"plate out", 232, 10}, {"plate back", 232, 78},
            {"catch 233", 233, 2}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}},
          {10042, 2600, kGroundTop + 200, 1600,
           {{"lurk 250", 250, 2}, {"rise 251", 251, 6}, {"drop 252", 252, 6}, {"landed 253", 253, 4},
            {"throw 255", 255, 5}, {"crouch 257", 257, 4}, {"sink 258", 258, 6}, {"hurt 10", -1, 2, 1}}}}},
        {"enemy_ninja",
         {{10091, 2200, kStand, 4400,
           {{"walk 230", 230, 2}, {"walk 232", 232, 2}, {"jump 234", 234, 4}, {"wind 235", 235, 2},
            {"throw 236", 236, 6}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}},
           {8}},
          {10092, 3000, kStand, 600,
           {{"stand 250", 250, 4}, {"wind 251", 251, 2}, {"lob 252", 252, 8}, {"flames", 252, 30}, {"flames", 252, 35},
            {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}}}},
        {"living_armour",
         {{10121, 2400, kStand, 600,
           {{"walk 230", 230, 2}, {"walk 233", 233, 2}, {"raise 235", 235, 4}, {"strike 236", 236, 1},
            {"slash", 236, 5}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}},
          {10122, 3000, kStand, 600,
           {{"stand 250", 250, 4}, {"raise 251", 251, 4}, {"strike 252", 252, 2}, {"hurt 10", -1, 2, 1}}},
          {10123, 3000, kStand, 600,
           {{"stand 270", 270, 4}, {"raise 271", 271, 4}, {"charge 272", 272, 4}, {"throw 273", 273, 4},
            {"wave", 273, 6}, {"hurt 10", -1, 2, 1}}}}},
        {"archer",
         {{11050, 3000, kStand, 600,
           {{"stand 230", 230, 4}, {"draw 231", 231, 4}, {"aim 232", 232, 4}, {"loose 233", 233, 4},
            {"arrow", 233, 6}, {"hurt 10", -1, 2, 1}}},
          {11051, 3000, kStand, 1400,
           {{"draw 251", 251, 4}, {"aim 252", 252, 4}, {"loose 253", 253, 6}, {"lob 257", 257, 10},
            {"lob 261", 261, 14}}},
          {11050, 3000, kStand, 600,
           {{"stand", 230, 2}, {"sparks 111", -1, 4, 2}, {"sparks", -1, 20}, {"hop 112", 112, 4},
            {"body 113", 113, 30}}}}},
        {"flower",
         {{11080, 3000, kStand, 600,
           {{"ready 230", 230, 4}, {"hop 231", 231, 6}, {"top", 231, 12}, {"hurt 10", -1, 2, 1},
            {"wilt 111", -1, 4, 2}}},
          {11081, 3000, kStand, 600, {{"ready 250", 250, 4}, {"hop 251", 251, 8}, {"hop again", 251, 60}}}}},
        {"dragon",
         {{11070, 3400, 1400, 600,
           {{"fly 230", 230, 1}, {"fly 231", 231, 1}, {"breathe 232", 232, 2}, {"fire", 232, 12},
            {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}},
          {11071, 3400, 1400, 600, {{"hover 250", 250, 3}, {"breathe 252", 252, 8}, {"fire", 252, 20}}}}},
        {"bird",
         {{11090, 3600, 1200, 600,
           {{"flap 230", 230, 1}, {"flap 231", 231, 1}, {"egg", -1, 33}, {"hurt 10", -1, 2, 1},
            {"burst 111", -1, 4, 2}}},
          {11091, 2800, 1600, 1800,
           {{"hover 250", 250, 1}, {"dive 252", 252, 1}, {"diving", -1, 5}, {"diving", -1, 5},
            {"diving", -1, 5}}}}},
        {"lizardman",
         {{11060, 3600, kStand, 1000,
           {{"jump 234", 234, 4}, {"apex", 234, 22}, {"landing", 234, 40}, {"hurt 10", -1, 2, 1},
            {"burst 111", -1, 4, 2}}},
          {11061, 3600, kStand, 600,
           {{"walk 250", 250, 1}, {"walk 251", 251, 1}, {"walk 253", 253, 1}, {"hop 254", 254, 4},
            {"hurt 10", -1, 2, 1}}},
          {11060, 3000, kStand, 600, {{"guard 350", -1, 1}, {"laugh 356", -1, 1}}}}},
        {"wisp",
         {{10006, 3600, 1800, 1200,
           {{"spark 290", 290, 4}, {"spark 291", 291, 1}, {"kindle 292", 292, 4}, {"home 294", 294, 2},
            {"home 295", 295, 2}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}},
          {10002, 3600, 1800, 600, {{"drift 250", 250, 2}, {"drift 251", 251, 2}}}}},
        {"ghost",
         {{10054, 3400, 1800, 800,
           {{"fade in 230", 230, 6}, {"float 231", 231, 2}, {"gather 232", 232, 4}, {"shoot 233", 233, 2},
            {"fire", 233, 8}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}, {"blasts", -1, 16}}}}},
        {"karakasa",
         {{10011, 3000, kStand, 800,
           {{"stand 231", 231, 4}, {"spring 232", 232, 0}, {"hop 230", 230, 8}, {"top", 230, 18},
            {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}},
          {10012, 3000, kStand, 800, {{"drift 250", 250, 2}, {"drift 251", 251, 2}}}}},
        {"chouchin",
         {{10021, 3200, 1800, 800,
           {{"float 230", 230, 4}, {"swell 231", 231, 0}, {"open 232", 232, 0}, {"spit 233", 233, 0},
            {"fire", 233, 10}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}}}},
        {"snake",
         {{10031, 3000, kStand, 800,
           {{"crawl 230", 230, 2}, {"crawl 231", 231, 2}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}}}},
        {"fox",
         {{10131, 3400, kStand, 600,
           {{"sit 230", 230, 2}, {"sit 231", 231, 2}, {"crouch 232", 232, 2}, {"cast 233", 233, 2},
            {"fox-fire", 233, 20}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}}}},
        {"spider",
         {{10151, 3000, 1000, 800,
           {{"down 230", 230, 30}, {"aim 232", 232, 4}, {"burst 233", 233, 4}, {"balls", 233, 10},
            {"up 236", 236, 20}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}}}},
        {"zen_priest",
         {{10161, 3600, kStand, 600,
           {{"walk 230", 230, 2}, {"walk 232", 232, 2}, {"pray 235", 235, 6}, {"fan", 236, 12},
            {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}},
           {6}},
          {10162, 3000, kStand, 600, {{"stand 250", 250, 4}, {"fan 251", 251, 10}, {"fan", 252, 20}}}}},
        {"thunderer",
         {{10172, 3000, 1200, 800,
           {{"hover 250", 250, 2}, {"drum 252", 252, 1}, {"strike 254", 254, 0}, {"bolt", 254, 3},
            {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}}}},
        {"goblin_cat",
         {{10181, 3600, kStand, 600,
           {{"run 230", 230, 2}, {"run 231", 231, 2}, {"leap", -1, 30}, {"hurt 10", -1, 2, 1},
            {"burst 111", -1, 4, 2}}},
          {10182, 3000, kStand, 600, {{"sit 250", 250, 4}, {"spiral 251", 251, 10}, {"spiral", 252, 24}}}}},
        {"bat",
         {{10221, 3600, 1600, 600, {{"fly 230", 230, 1}, {"fly 231", 231, 1}, {"hurt 10", -1, 2, 1}}},
          {10222, 3000, 1600, 600, {{"circle 250", 250, 6}, {"circle", 250, 40}}},
          {10227, 3000, 2000, 600, {{"hang 290", 290, 2}, {"hurt 10", -1, 2, 1}}, {}, true},
          {10227, 3000, 2000, 2400, {{"hang 290", 290, 0}, {"wake 270", 270, 4}, {"home", 271, 12}}, {}, true}}},
        {"frog",
         {{10231, 3000, kStand, 800,
           {{"sit 230", 230, 2}, {"hop 231", 231, 6}, {"hurt 10", -1, 2, 1}, {"burst 111", -1, 4, 2}}},
          {10232, 3000, kStand, 800, {{"sit 250", 250, 4}, {"spiral 251", 251, 12}, {"spiral", 252, 20}}}}},
    };
    return kinds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: enemystrips OUT_DIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    strips::StripStage stage;
    if (!strips::OpenGraphics("enemystrips", stage)) return 1;
    int rc = 0;
    for (const Kind& kind : Kinds()) {
        std::size_t columns = 0;
        for (const Variant& v : kind.variants) columns = std::max(columns, v.moments.size());
        Canvas strip(static_cast<int>(columns) * (kPanelW + 4),
                     14 + static_cast<int>(kind.variants.size()) * (kPanelH + kLabelH + 6), Rgb{20, 16, 28});
        strip.Text(2, 2, kind.name, Rgb{250, 240, 200});
        for (std::size_t r = 0; r < kind.variants.size(); ++r) {
            const Variant& v = kind.variants[r];
            RenderVariant(v, strip, static_cast<int>(r));
            // The scene poses are set by hand, as the scenes do.
            if (v.moments.size() == 2 && v.id == 11060 && std::string(v.moments[0].label) == "guard 350") {
                for (int k = 0; k < 2; ++k) {
                    World().DeleteAll();
                    BuildGround({});
                    CCharacter* liz = Add(11060, v.x, v.y);
                    CGameMain::GetInstance()->m_player = nullptr;
                    liz->SetState(k == 0 ? 350 : 356);
                    Step();
                    const int ox = k * (kPanelW + 4), oy = 14 + static_cast<int>(r) * (kPanelH + kLabelH + 6);
                    strips::Cut(strip, ox, oy, liz->x / 10, liz->y / 10 - 12, kPanelW, kPanelH);
                    strip.Text(ox + 2, oy + kPanelH + 2, std::string("11060 ") + v.moments[k].label,
                               Rgb{230, 224, 210});
                }
            }
        }
        if (!strip.Scaled(kScale).WritePng((out / (std::string(kind.name) + ".png")).string())) rc = 1;
        std::printf("enemystrips: %s\n", kind.name);
    }
    strips::CloseGraphics();
    return rc;
}
