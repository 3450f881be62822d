#include "character/CreateCharacter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "boss/CharacterBigGhost.h"
#include "boss/CharacterBoseki.h"
#include "boss/CharacterBossGhost.h"
#include "boss/CharacterKappaTank.h"
#include "boss/CharacterKingTengu.h"
#include "boss/CharacterKingTengu2nd.h"
#include "boss/CharacterKingTengu2ndEye.h"
#include "boss/CharacterMammoth.h"
#include "boss/CharacterOneEyedMonster.h"
#include "boss/CharacterSilvy.h"
#include "boss/CharacterTengu.h"
#include "boss/CharacterWanyudo.h"
#include "character/Character.h"
#include "character/CharacterAttackEffect.h"
#include "character/CharacterBackground.h"
#include "character/CharacterBlock.h"
#include "character/CharacterEffect.h"
#include "character/CharacterList.h"
#include "enemy/CharacterArcher.h"
#include "enemy/CharacterBat.h"
#include "enemy/CharacterBird.h"
#include "enemy/CharacterCatapult.h"
#include "enemy/CharacterChouchin.h"
#include "enemy/CharacterCrowBilledGoblin.h"
#include "enemy/CharacterDragon.h"
#include "enemy/CharacterEnemyMaker.h"
#include "enemy/CharacterEnemyNinja.h"
#include "enemy/CharacterFlower.h"
#include "enemy/CharacterFox.h"
#include "enemy/CharacterFrog.h"
#include "enemy/CharacterGhost.h"
#include "enemy/CharacterGoblinCat.h"
#include "enemy/CharacterKappa.h"
#include "enemy/CharacterKarakasa.h"
#include "enemy/CharacterLivingArmor.h"
#include "enemy/CharacterLizardman.h"
#include "enemy/CharacterPrincess.h"
#include "enemy/CharacterSnake.h"
#include "enemy/CharacterSnowFairy.h"
#include "enemy/CharacterSoldier.h"
#include "enemy/CharacterSpider.h"
#include "enemy/CharacterSpike.h"
#include "enemy/CharacterSpring.h"
#include "enemy/CharacterThunderer.h"
#include "enemy/CharacterWilloTheWisp.h"
#include "enemy/CharacterZenPriest.h"
#include "framework/GameMain.h"
#include "player/CharacterIronclaw.h"
#include "player/CharacterItem.h"
#include "player/CharacterKunoichi.h"
#include "player/CharacterKusarigama.h"
#include "player/CharacterLuka.h"
#include "player/CharacterNinja.h"
#include "player/CharacterRobo.h"
#include "stage/CharacterStageObject.h"
#include "support/FailingAllocations.h"

namespace {

// What the factory must make, written out range by range.
enum class Init { None, TypeId, State, Object, RoomExit };

struct Expected {
    int32_t first;
    int32_t last;
    std::type_index cls;
    Init init;
    // TypeId: the argument for `first` (it grows with the id).
    // State: the state for `first`, growing with the id when `stateGrows`.
    // None, Object: the type id the object carries.
    int32_t value;
    bool stateGrows;
    int32_t pushX;
    int32_t pushY;
    std::vector<int32_t> objectStates = {};  // Object: allowed start states
};

template <class T>
std::type_index Cls() {
    return std::type_index(typeid(T));
}

Expected None(int32_t id, std::type_index cls, int32_t typeId) { return {id, id, cls, Init::None, typeId, false, 0, 0}; }
// A range whose objects all keep their class's own type id.
Expected Kept(int32_t first, int32_t last, std::type_index cls, int32_t typeId) {
    return {first, last, cls, Init::None, typeId, false, 0, 0};
}
Expected Type(int32_t first, int32_t last, std::type_index cls, int32_t argFirst, int32_t px = 0, int32_t py = 0) {
    return {first, last, cls, Init::TypeId, argFirst, false, px, py};
}
Expected Fixed(int32_t first, int32_t last, std::type_index cls, int32_t state, int32_t py = 0) {
    return {first, last, cls, Init::State, state, false, 0, py};
}
Expected Tile(int32_t first, int32_t last, std::type_index cls, int32_t firstState, int32_t lastState, int32_t py = 0) {
    EXPECT_EQ(lastState - firstState, last - first) << first;
    return {first, last, cls, Init::State, firstState, true, 0, py};
}
Expected Object(int32_t first, int32_t last, int32_t typeId, std::vector<int32_t> states) {
    return {first, last, Cls<CCharacterStageObject>(), Init::Object, typeId, false, 0, 0, std::move(states)};
}

std::vector<Expected> ExpectedTable() {
    const auto so = Cls<CCharacterStageObject>();
    const auto block = Cls<CCharacterBlock>();
    const auto bg = Cls<CCharacterBackground>();
    const auto fx = Cls<CCharacterEffect>();
    return {
        None(1, Cls<CCharacterNinja>(), 1),
        None(2, Cls<CCharacterKunoichi>(), 2),
        None(3, Cls<CCharacterKusarigama>(), 3),
        None(4, Cls<CCharacterRobo>(), 4),
        None(5, Cls<CCharacterLuka>(), 5),
        None(6, Cls<CCharacterIronclaw>(), 6),
        None(101, Cls<CCharacterPrincess>(), 101),
        Fixed(10300, 10300, fx, 120),
        Fixed(10301, 10301, fx, 120, 200),
        None(40000, Cls<CCharacterAttackEffect>(), 40000),
        None(50000, fx, 50000),
        Fixed(50001, 50001, fx, 590),

        Type(10001, 10002, Cls<CCharacterWilloTheWisp>(), 10001),
        Type(10006, 10006, Cls<CCharacterWilloTheWisp>(), 10006),
        Type(10003, 10004, Cls<CCharacterWilloTheWisp>(), 10001, 0, 200),
        Type(10005, 10005, Cls<CCharacterEnemyMaker>(), 10005),
        Type(10074, 10074, Cls<CCharacterEnemyMaker>(), 10074),
        Type(11072, 11072, Cls<CCharacterEnemyMaker>(), 11072),
        Type(10011, 10012, Cls<CCharacterKarakasa>(), 10011),
        Type(10021, 10022, Cls<CCharacterChouchin>(), 10021),
        Type(10023, 10024, Cls<CCharacterChouchin>(), 10021, 0, 200),
        Type(10031, 10032, Cls<CCharacterSnake>(), 10031),
        Type(10041, 10042, Cls<CCharacterKappa>(), 10041),
        Type(10043, 10044, Cls<CCharacterKappa>(), 10041, 200, 0),
        Type(10050, 10053, Cls<CCharacterBossGhost>(), 10050),
        Kept(10054, 10054, Cls<CCharacterGhost>(), 10050),
        Type(10060, 10061, Cls<CCharacterSnowFairy>(), 10060),
        Type(10063, 10063, Cls<CCharacterSnowFairy>(), 10063),
        Type(10062, 10062, Cls<CCharacterSnowFairy>(), 10062, 200, 0),
        Type(10070, 10073, Cls<CCharacterCrowBilledGoblin>(), 10070),
        Type(10080, 10083, Cls<CCharacterTengu>(), 10080),
        Type(10091, 10092, Cls<CCharacterEnemyNinja>(), 10091),
        Type(10121, 10123, Cls<CCharacterLivingArmor>(), 10121),
        Type(10131, 10132, Cls<CCharacterFox>(), 10131),
        Type(10151, 10152, Cls<CCharacterSpider>(), 10151),
        Type(10161, 10162, Cls<CCharacterZenPriest>(), 10161),
        Type(10171, 10172, Cls<CCharacterThunderer>(), 10171),
        Type(10173, 10174, Cls<CCharacterThunderer>(), 10171, 0, 200),
        Type(10181, 10182, Cls<CCharacterGoblinCat>(), 10181),
        Type(10210, 10213, Cls<CCharacterOneEyedMonster>(), 10210),
        Type(10221, 10223, Cls<CCharacterBat>(), 10221),
        Type(10227, 10227, Cls<CCharacterBat>(), 10227),
        Type(10224, 10226, Cls<CCharacterBat>(), 10221, 0, 200),
        Type(10231, 10232, Cls<CCharacterFrog>(), 10231),
        // A frog of no variant: it goes at once.
        Kept(10233, 10233, Cls<CCharacterFrog>(), 10233),
        Kept(10250, 10253, Cls<CCharacterKingTengu>(), 10250),
        Kept(11040, 11040, Cls<CCharacterKingTengu>(), 10250),
        Type(10260, 10263, Cls<CCharacterKingTengu2nd>(), 10260),
        Type(10270, 10273, Cls<CCharacterKingTengu2ndEye>(), 10270),
        Type(10280, 10284, Cls<CCharacterBoseki>(), 10280),
        Type(10290, 10290, Cls<CCharacterBigGhost>(), 10290),
        Type(11000, 11005, Cls<CCharacterSoldier>(), 11000),
        Type(11010, 11019, Cls<CCharacterWanyudo>(), 11010),
        Type(11020, 11029, Cls<CCharacterMammoth>(), 11020),
        Type(11030, 11039, Cls<CCharacterKappaTank>(), 11030),
        Type(11050, 11051, Cls<CCharacterArcher>(), 11050),
        Type(11060, 11061, Cls<CCharacterLizardman>(), 11060),
        Type(11070, 11071, Cls<CCharacterDragon>(), 11070),
        Type(11073, 11073, Cls<CCharacterDragon>(), 11073),
        Type(11080, 11081, Cls<CCharacterFlower>(), 11080),
        Type(11090, 11091, Cls<CCharacterBird>(), 11090),
        Kept(11100, 11101, Cls<CCharacterSilvy>(), 11100),
        Type(20770, 20774, Cls<CCharacterSpring>(), 20770),
        Type(20775, 20779, Cls<CCharacterSpring>(), 20770, 0, 200),
        Type(20780, 20784, Cls<CCharacterSpike>(), 20780),
        Type(20785, 20789, Cls<CCharacterSpike>(), 20780, 0, 200),
        Type(20800, 20809, Cls<CCharacterCatapult>(), 20800),
        Type(20810, 20819, Cls<CCharacterCatapult>(), 20800, 0, 200),
        Type(23001, 23015, Cls<CCharacterItem>(), 23001),
        Type(23030, 23069, Cls<CCharacterItem>(), 23030),
        Type(23080, 23119, Cls<CCharacterItem>(), 23080),
        Type(23130, 23179, Cls<CCharacterItem>(), 23130),

        Fixed(10190, 10192, so, 350),
        Fixed(10340, 10340, so, 230),
        Fixed(10350, 10350, so, 280),
        Object(10360, 10389, 23800, {310, 311}),
        Object(10390, 10399, 23800, {320, 321}),
        Object(10400, 10449, 23800, {300, 0}),  // 10448 and 10449 have no row: no object
        Object(10450, 10459, 23800, {260}),
        Object(10550, 10599, 23800, {340}),
        Object(10600, 10649, 23800, {330}),
        Fixed(10650, 10650, so, 370),
        Fixed(10651, 10651, so, 380),
        Fixed(10652, 10652, so, 390),
        Object(10660, 10709, 10660, {400}),
        Object(10710, 10759, 10710, {410}),
        Object(10760, 10809, 23800, {420}),
        Fixed(21150, 21150, so, 430),
        Fixed(21151, 21151, so, 434),
        Fixed(21152, 21152, so, 430, 200),
        Fixed(21153, 21153, so, 434, 200),
        Object(22900, 22949, 23800, {290}),
        Fixed(22950, 22950, so, 360),
        Fixed(22951, 22951, so, 361),
        Fixed(22952, 22952, so, 362),
        {23800, 24609, so, Init::RoomExit, 0, false, 0, 0},

        Tile(20020, 20059, block, 16, 55),
        Tile(20060, 20099, block, 240, 279),
        Tile(20100, 20109, block, 304, 313),
        Tile(20110, 20119, block, 304, 313, 200),
        Tile(20120, 20159, block, 336, 375),
        Tile(20160, 20199, block, 400, 439),
        Tile(20200, 20239, block, 464, 503),
        Tile(20240, 20259, block, 528, 547),
        Tile(20260, 20299, block, 592, 631),
        Tile(20320, 20359, block, 656, 695),
        Tile(20360, 20399, block, 720, 759),
        Tile(20400, 20439, block, 784, 823),
        Tile(20440, 20479, block, 848, 887),
        Tile(20520, 20559, block, 912, 951),
        Tile(20560, 20599, block, 976, 1015),
        Tile(20600, 20639, block, 1040, 1079),
        Tile(20640, 20699, block, 1104, 1163),
        Tile(20820, 20830, block, 80, 90),
        Tile(20832, 20842, block, 160, 170),
        Tile(20850, 20860, block, 80, 90, 200),
        Tile(20862, 20872, block, 160, 170, 200),
        Tile(20880, 20899, block, 1200, 1219),
        Tile(20900, 20919, block, 1200, 1219, 200),
        Tile(20920, 20939, block, 1264, 1283),
        Tile(20940, 20959, block, 1264, 1283, 200),
        Tile(20960, 20989, block, 1296, 1325),
        Tile(20990, 21019, block, 1296, 1325, 200),
        Tile(21030, 21069, block, 1344, 1383),
        Tile(21070, 21109, block, 1344, 1383, 200),
        Tile(21110, 21129, block, 1408, 1427),
        Tile(21130, 21149, block, 1408, 1427, 200),
        Fixed(21160, 21160, block, 1456),
        Fixed(21161, 21161, block, 1456, 200),
        Fixed(21170, 21170, block, 1472),

        Tile(30000, 30019, bg, 160, 179),
        Tile(30020, 30119, bg, 192, 291),
        Tile(30120, 30169, bg, 352, 401),
        Tile(30170, 30219, bg, 432, 481),
        Tile(30220, 30259, bg, 512, 551),
        Tile(30260, 30309, bg, 576, 625),
        Tile(30310, 30339, bg, 656, 685),
        Tile(30340, 30369, bg, 704, 733),
        Tile(30370, 30449, bg, 752, 831),
        Tile(30450, 30479, bg, 880, 909),
        Tile(30480, 30509, bg, 928, 957),
        Tile(30520, 30559, bg, 976, 1015),
        Tile(30560, 30589, bg, 1040, 1069),
    };
}

const Expected* Lookup(const std::vector<Expected>& table, int32_t id) {
    for (const Expected& e : table)
        if (id >= e.first && id <= e.last) return &e;
    return nullptr;
}

// The type id that a class made by SetState keeps from its constructor.
int32_t ConstructorTypeId(std::type_index cls) {
    if (cls == Cls<CCharacterBlock>() || cls == Cls<CCharacterBackground>()) return 20000;
    if (cls == Cls<CCharacterEffect>()) return 50000;
    return 23800;  // stage objects
}

}  // namespace

TEST(CreateCharacter, SweepOverTheWholeIdSpace) {
    const std::vector<Expected> table = ExpectedTable();
    const CCharacterList& world = CGameMain::GetInstance()->m_characterList;
    // Whatever an earlier test left in the world stays as it was.
    int32_t listed = world.GetCount();
    int32_t made = 0;
    for (int32_t id = -1; id <= 50002; ++id) {
        std::unique_ptr<CCharacter> c(CreateCharacter(id));
        const Expected* e = Lookup(table, id);
        if (e == nullptr) {
            ASSERT_EQ(c, nullptr) << "id " << id << " should make nothing";
            continue;
        }
        ASSERT_NE(c, nullptr) << "id " << id;
        ++made;
        {
            // Out of memory the factory makes nothing, and says so.
            testing_support::FailingAllocations full;
            EXPECT_EQ(CreateCharacter(id), nullptr) << "id " << id;
        }
        ASSERT_EQ(std::type_index(typeid(*c)), e->cls) << "id " << id;
        EXPECT_EQ(c->alive, 1) << "id " << id;
        EXPECT_EQ(c->pushX, e->pushX) << "id " << id;
        EXPECT_EQ(c->pushY, e->pushY) << "id " << id;
        switch (e->init) {
            case Init::None:
                EXPECT_EQ(c->typeId, e->value) << "id " << id;
                // Players and the princess are ready for use; the effects
                // wait for their spawner to give them a state.
                if (id < 1000) {
                    EXPECT_NE(c->frame, 0) << "id " << id << " starts in no state";
                }
                break;
            case Init::TypeId:
                EXPECT_EQ(c->typeId, e->value + (id - e->first)) << "id " << id;
                EXPECT_NE(c->frame, 0) << "id " << id << " starts in no state";
                break;
            case Init::State: {
                const int32_t state = e->stateGrows ? e->value + (id - e->first) : e->value;
                EXPECT_EQ(c->frame, state) << "id " << id;
                EXPECT_EQ(c->pendingState, state) << "id " << id;
                EXPECT_EQ(c->typeId, ConstructorTypeId(e->cls)) << "id " << id;
                break;
            }
            case Init::Object: {
                EXPECT_EQ(c->typeId, e->value) << "id " << id;
                bool allowed = false;
                for (int32_t s : e->objectStates) allowed = allowed || c->frame == s;
                EXPECT_TRUE(allowed) << "id " << id << " starts in " << c->frame;
                break;
            }
            case Init::RoomExit:
                EXPECT_TRUE(c->typeId == id || c->typeId == 23800) << "id " << id;
                EXPECT_TRUE(c->frame == 240 || c->frame == 250 || c->frame == 0) << "id " << id;
                break;
        }
        // A switch made lit brings its light (which goes at its next update);
        // nothing else goes into the world.
        if (id >= 10360 && id <= 10399 && (c->frame == 311 || c->frame == 321)) {
            ASSERT_EQ(world.GetCount(), listed + 1) << "id " << id;
            EXPECT_EQ(world.GetAt(++listed)->typeId, 50005) << "id " << id;
            world.GetAt(listed)->SetState(0);
        }
        ASSERT_EQ(world.GetCount(), listed) << "the factory puts nothing into the world list";
    }
    EXPECT_GT(made, 3000);
}

TEST(CreateCharacter, IdsOfNothingGiveNull) {
    for (int32_t id : {0, 7, 100, 102, 10000, 10007, 10301 + 1, 20000, 20831, 22953, 24610, 30510, 39999, 40001,
                       49999, 50002, -1, -10001})
        EXPECT_EQ(CreateCharacter(id), nullptr) << id;
}

TEST(CreateCharacter, SecondVariantsArePushedHalfACellInTheirFirstUpdate) {
    std::unique_ptr<CCharacter> wisp(CreateCharacter(10003));
    ASSERT_NE(wisp, nullptr);
    EXPECT_NE(dynamic_cast<CCharacterWilloTheWisp*>(wisp.get()), nullptr);
    EXPECT_EQ(wisp->typeId, 10001);
    wisp->SetPosition(1000, 2000);
    wisp->Frame();
    EXPECT_EQ(wisp->x, 1000);
    EXPECT_EQ(wisp->y, 2200);
    EXPECT_EQ(wisp->pushY, 0);
    wisp->Frame();
    EXPECT_LT(std::abs(wisp->y - 2200), 100) << "only its bob moves it now";

    std::unique_ptr<CCharacter> kappa(CreateCharacter(10043));
    ASSERT_NE(kappa, nullptr);
    EXPECT_NE(dynamic_cast<CCharacterKappa*>(kappa.get()), nullptr);
    EXPECT_EQ(kappa->typeId, 10041);
    // Off screen, where it sleeps: only the push moves it.
    kappa->SetPosition(-9000, 2000);
    kappa->Frame();
    EXPECT_EQ(kappa->x, -8800);
    EXPECT_EQ(kappa->y, 2000);

    std::unique_ptr<CCharacter> lower(CreateCharacter(20900));
    std::unique_ptr<CCharacter> tile(CreateCharacter(20880));
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(lower->frame, 1200);
    EXPECT_EQ(tile->frame, 1200);
    EXPECT_EQ(lower->pushY, 200);
    EXPECT_EQ(tile->pushY, 0);
}

TEST(CreateCharacter, SceneAndRoomStatesHoldWhatCallersSet) {
    struct Case {
        int32_t id;
        std::vector<int32_t> states;
    };
    const std::vector<Case> cases = {
        {11060, {350, 356}},
        {10250, {420, 421}},
        {11100, {113, 114, 115, 117, 426}},
        {23800, {250, 251, 350}},
    };
    for (const Case& k : cases) {
        for (int32_t state : k.states) {
            std::unique_ptr<CCharacter> c(CreateCharacter(k.id));
            ASSERT_NE(c, nullptr);
            c->SetState(state);
            for (int i = 0; i < 1500; ++i) c->Frame();
            EXPECT_EQ(c->alive, 1) << "id " << k.id << " state " << state;
            EXPECT_EQ(c->frame, state) << "id " << k.id << " state " << state;
        }
    }
}
