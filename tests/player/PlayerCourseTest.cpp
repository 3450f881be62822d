// The ninja, Luka and Ironclaw through three screens of a forest course in
// the style of the first stage (ground, a pit, a bridge, ledges, a wall to
// climb), steered by touches as a player steers them: dashes along the
// ground, up onto ledges, over the pit and up the wall. The view follows the
// player and the cells that come into view are made as the stage makes them.
//
// With PELLUMBRISK_SHOTS set to a folder, every fourth frame is drawn (the
// world list's own drawing, tiles and player from their sheets at 2x) and
// written there as course-<type id>-NNN.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "character/CharacterList.h"
#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/StateLoading.h"
#include "player/CharacterIronclaw.h"
#include "player/CharacterLuka.h"
#include "player/CharacterNinja.h"
#include "support/Scenario.h"
#include "support/Screenshot.h"
#include "win/Graphics.h"
#include "win/Sprite.h"

using testing_support::Scenario;

namespace {

// Scenery behind and blocks in front, one character per 400-unit cell.
const std::vector<std::string> kScenery = {
    "bbaaMabaacabbbaabaacabbbaaMabaacabbb",
    "ddeddddddeddddeddddddeddddeddddddedd",
    "ffgffffffgffffgffffffgffffgffffffgff",
    "hrvsphhrshphhrvsphhrshphhrvsphhrshph",
    "iCCikjlCjlijiCCikjlCjlijiCCikjlCjlij",
    "nwxnqQntnSuKnwxnqQntnSuKnwxnqQntnSuK",
    "FWXByYtBzTuFFWXByYtBzTuFFWXByYtBzTuF",
    "oooooooooooooooooooooooooooooooooooo",
};
const std::vector<std::string> kBlocks = {
    "................................5666",
    "................................8999",
    "........567.....................8999",
    "........123................567..8999",
    "...........................123..8999",
    "................567.............8999",
    "6666667.<==>.56666667..566667...8999",
    "9999990.4..4.89999990..899990...8999",
};
const std::map<char, int32_t> kSceneryLegend = {
    {'a', 30022}, {'b', 30023}, {'c', 30024}, {'M', 30571}, {'d', 30026}, {'e', 30027}, {'f', 30029},
    {'g', 30030}, {'h', 30036}, {'r', 30032}, {'s', 30033}, {'p', 30034}, {'v', 30035}, {'i', 30037},
    {'j', 30038}, {'k', 30039}, {'l', 30040}, {'n', 30050}, {'K', 30051}, {'t', 30052}, {'u', 30053},
    {'w', 30054}, {'x', 30055}, {'W', 30056}, {'X', 30057}, {'B', 30062}, {'F', 30060}, {'y', 30076},
    {'Y', 30077}, {'z', 30078}, {'o', 30066}, {'C', 30048}, {'q', 30074}, {'Q', 30075}, {'S', 30064},
    {'T', 30065},
};
const std::map<char, int32_t> kBlockLegend = {
    {'5', 20065}, {'6', 20066}, {'7', 20067}, {'8', 20068}, {'9', 20069}, {'0', 20070}, {'1', 20071},
    {'2', 20072}, {'3', 20073}, {'4', 20064}, {'<', 20885}, {'=', 20882}, {'>', 20887},
};

constexpr int32_t kColumns = 36;
constexpr int32_t kRows = 8;
// The view keeps the ninja at this x (units) once it has passed it.
constexpr int32_t kFollowX = 1800;
// Cells are made while their centre lies within this reach of the view.
constexpr int32_t kSpawnLeft = -800;
constexpr int32_t kSpawnRight = 5600;

// The course: its cells made as they come into view, the view following
// the player.
template <class P>
class Course {
public:
    Course() {
        ninja = s.Add(std::make_unique<P>(), 1000, 2400);
        s.SetPlayer(ninja);
        ninja->wallHold = 1;
        ninja->SetState(220);
        s.Stage().width = kColumns;
        s.Stage().height = kRows;
        SpawnInView();
    }

    // The ninja's place on the course.
    int32_t StageX() { return ninja->x + s.Stage().cameraX; }

    void Frame() {
        s.Run(1);
        ++frames;
        Follow();
        SpawnInView();
    }

    // A touch at a point given relative to the ninja, held for two frames.
    void Touch(int32_t dx, int32_t dy) {
        s.TouchDown((ninja->x + dx) / 10, (ninja->y + dy) / 10);
        Frame();
        Frame();
        s.TouchUp();
        Frame();
    }

    bool Standing() const { return ninja->frame == 230 || ninja->frame == 231; }
    bool OnWall() const { return ninja->frame == 232 || ninja->frame == 233; }
    // Frames until the ninja stands or holds (or the limit).
    void Settle(int limit = 80) {
        for (int i = 0; i < limit && !Standing() && !OnWall(); ++i) Frame();
    }

    Scenario s{{std::string(kColumns, '.')}, {}};
    P* ninja = nullptr;
    int frames = 0;

private:
    void Follow() {
        const int32_t dx = ninja->x - kFollowX;
        const int32_t room = kColumns * kTileSize - 4800 - s.Stage().cameraX;
        const int32_t shift = std::min(dx, room);
        if (shift <= 0) return;
        s.Stage().cameraX += shift;
        CCharacterList& world = CGameMain::GetInstance()->m_characterList;
        for (int32_t i = 1; i <= world.GetCount(); ++i) {
            CCharacter* c = world.GetAt(i);
            c->x -= shift;
            c->prevX -= shift;
        }
    }

    void SpawnInView() {
        // The cells still in the world.
        std::set<CCharacter*> alive;
        CCharacterList& world = CGameMain::GetInstance()->m_characterList;
        for (int32_t i = 1; i <= world.GetCount(); ++i) alive.insert(world.GetAt(i));
        for (auto it = made.begin(); it != made.end();) it = alive.count(it->second) ? std::next(it) : made.erase(it);
        const int32_t camera = s.Stage().cameraX;
        for (int32_t col = 0; col < kColumns; ++col) {
            const int32_t x = Scenario::CellX(col) - camera;
            if (x < kSpawnLeft || x > kSpawnRight) continue;
            for (int32_t row = 0; row < kRows; ++row) {
                Make(kScenery, kSceneryLegend, col, row, x, 0);
                Make(kBlocks, kBlockLegend, col, row, x, 1);
            }
        }
    }

    void Make(const std::vector<std::string>& grid, const std::map<char, int32_t>& legend, int32_t col,
              int32_t row, int32_t x, int layerKey) {
        const char ch = grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
        const auto id = legend.find(ch);
        const auto key = std::make_tuple(col, row, layerKey);
        if (id == legend.end() || made.count(key)) return;
        made[key] = s.AddAt(id->second, x, Scenario::CellY(row));
    }

    std::map<std::tuple<int32_t, int32_t, int>, CCharacter*> made;
};

// --- Drawing for review -------------------------------------------------------

void WriteShot(const std::string& dir, int32_t typeId, int index) {
    platform::GraphicsDevice* device = GetDevice();
    device->Clear(0xFF2B2140u, 1.0f);
    CGameMain::GetInstance()->m_characterList.DrawAll();
    char name[48];
    std::snprintf(name, sizeof name, "/course-%d-%03d.png", static_cast<int>(typeId), index);
    testing_support::WriteScreenshot(dir + name);
}

// The states each player's run through the course must show: standing,
// landing, falling, its dash, and the wall.
template <class P>
std::vector<int32_t> CourseStates();
template <>
std::vector<int32_t> CourseStates<CCharacterNinja>() { return {230, 236, 290, 320, 321, 322, 232}; }
template <>
std::vector<int32_t> CourseStates<CCharacterLuka>() { return {230, 236, 290, 320, 321, 322, 323, 324, 325, 232}; }
template <>
std::vector<int32_t> CourseStates<CCharacterIronclaw>() { return {230, 236, 290, 320, 321, 325, 232}; }

}  // namespace

template <class P>
class PlayerCourse : public ::testing::Test {};
using CoursePlayers = ::testing::Types<CCharacterNinja, CCharacterLuka, CCharacterIronclaw>;
TYPED_TEST_SUITE(PlayerCourse, CoursePlayers);

TYPED_TEST(PlayerCourse, CrossesThreeScreensOfForestByTouch) {
    const char* shots = std::getenv("PELLUMBRISK_SHOTS");
    if (shots != nullptr) {
        ASSERT_TRUE(InitGraphics());
        for (const TextureSlotRow& row : kTextureSlotRows) LoadTexture(row.slot, row.resourceId, row.size);
    }
    Course<TypeParam> course;
    int shot = 0;
    std::set<int32_t> seen;
    auto frame = [&] {
        seen.insert(course.ninja->frame);
        if (shots != nullptr && course.frames % 4 == 0) WriteShot(shots, course.ninja->typeId, shot++);
    };
    course.s.beforeFrame = [&](Scenario&) { frame(); };

    course.Settle();
    ASSERT_TRUE(course.Standing());
    // The pilot: from the ground a dash up and ahead; falling, the air dash
    // up and ahead again; until the player clings to the wall at the end.
    int touches = 0;
    auto atTheEnd = [&] { return course.OnWall() && course.StageX() > 12000; };
    for (int i = 0; i < 900 && !atTheEnd(); ++i) {
        TypeParam* n = course.ninja;
        const bool falling = (n->frame == 290 || n->frame == 291) && n->vy > 20;
        if (course.OnWall()) {
            // Up along the wall and over it.
            course.Touch(100 * n->facing, -1200);
            ++touches;
        } else if (course.Standing()) {
            course.Touch(1000, -700);
            ++touches;
        } else if (falling && n->airDashes > 0) {
            course.Touch(900, -600);
            ++touches;
        } else {
            course.Frame();
        }
    }
    EXPECT_TRUE(atTheEnd());
    EXPECT_EQ(course.ninja->facing, -1) << "the wall is on the right, behind the turned player";
    EXPECT_EQ(course.StageX(), 32 * 400 - 20);
    EXPECT_LT(touches, 30);

    seen.insert(course.ninja->frame);
    for (int32_t state : CourseStates<TypeParam>()) EXPECT_TRUE(seen.count(state)) << state;
    EXPECT_GT(course.ninja->hp, 0);
    if (shots != nullptr) {
        for (int i = 0; i < 20; ++i) course.Frame();
        ReleaseGraphics();
    }
}
