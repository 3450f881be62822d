#include "character/CreateCharacter.h"

#include <algorithm>
#include <iterator>
#include <new>

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
#include "player/CharacterIronclaw.h"
#include "player/CharacterItem.h"
#include "player/CharacterKunoichi.h"
#include "player/CharacterKusarigama.h"
#include "player/CharacterLuka.h"
#include "player/CharacterNinja.h"
#include "player/CharacterRobo.h"
#include "stage/CharacterStageObject.h"

namespace {

using MakeFn = CCharacter* (*)();
using InitFn = void (*)(CCharacter*, int32_t);

template <class T>
CCharacter* Make() {
    return new (std::nothrow) T();
}

void InitTypeId(CCharacter* c, int32_t arg) { c->SetTypeId(arg); }
void InitState(CCharacter* c, int32_t arg) { c->SetState(arg); }

template <void (CCharacterStageObject::*Init)(int32_t)>
void InitStageObject(CCharacter* c, int32_t arg) {
    (static_cast<CCharacterStageObject*>(c)->*Init)(arg);
}

// One range of ids: the class to build, the initialisation call and its
// argument (the id minus argBase when argFromId, else argBase itself), and
// the push that places the object half a cell lower or further right.
struct FactoryRow {
    int32_t first;
    int32_t last;
    MakeFn make;
    InitFn init;
    int32_t argBase;
    bool argFromId;
    int32_t pushX;
    int32_t pushY;
};

constexpr int32_t kDown = kHalfTile;
constexpr int32_t kRight = kHalfTile;

// Built with nothing further.
constexpr FactoryRow Plain(int32_t first, int32_t last, MakeFn make) {
    return {first, last, make, nullptr, 0, false, 0, 0};
}
// SetTypeId(id - k).
constexpr FactoryRow TypeId(int32_t first, int32_t last, MakeFn make, int32_t k = 0, int32_t pushX = 0,
                            int32_t pushY = 0) {
    return {first, last, make, &InitTypeId, k, true, pushX, pushY};
}
// SetState(state).
constexpr FactoryRow State(int32_t first, int32_t last, MakeFn make, int32_t state, int32_t pushY = 0) {
    return {first, last, make, &InitState, state, false, 0, pushY};
}
// SetState(id - k).
constexpr FactoryRow StateFrom(int32_t first, int32_t last, MakeFn make, int32_t k, int32_t pushY = 0) {
    return {first, last, make, &InitState, k, true, 0, pushY};
}
// One of the stage objects' initialisations, with the id.
constexpr FactoryRow StageInit(int32_t first, int32_t last, InitFn init) {
    return {first, last, &Make<CCharacterStageObject>, init, 0, true, 0, 0};
}

constexpr MakeFn kBlock = &Make<CCharacterBlock>;
constexpr MakeFn kScenery = &Make<CCharacterBackground>;
constexpr MakeFn kStageObject = &Make<CCharacterStageObject>;

// The whole id space, in ascending order; ids outside every row make
// nothing.
constexpr FactoryRow kRows[] = {
    // Player characters and the princess.
    Plain(1, 1, &Make<CCharacterNinja>),
    Plain(2, 2, &Make<CCharacterKunoichi>),
    Plain(3, 3, &Make<CCharacterKusarigama>),
    Plain(4, 4, &Make<CCharacterRobo>),
    Plain(5, 5, &Make<CCharacterLuka>),
    Plain(6, 6, &Make<CCharacterIronclaw>),
    Plain(101, 101, &Make<CCharacterPrincess>),

    // Enemies, spawners, bosses and some stage objects.
    TypeId(10001, 10002, &Make<CCharacterWilloTheWisp>),
    TypeId(10003, 10004, &Make<CCharacterWilloTheWisp>, 2, 0, kDown),
    TypeId(10005, 10005, &Make<CCharacterEnemyMaker>),
    TypeId(10006, 10006, &Make<CCharacterWilloTheWisp>),
    TypeId(10011, 10012, &Make<CCharacterKarakasa>),
    TypeId(10021, 10022, &Make<CCharacterChouchin>),
    TypeId(10023, 10024, &Make<CCharacterChouchin>, 2, 0, kDown),
    TypeId(10031, 10032, &Make<CCharacterSnake>),
    TypeId(10041, 10042, &Make<CCharacterKappa>),
    TypeId(10043, 10044, &Make<CCharacterKappa>, 2, kRight, 0),
    TypeId(10050, 10053, &Make<CCharacterBossGhost>),
    TypeId(10054, 10054, &Make<CCharacterGhost>),
    TypeId(10060, 10061, &Make<CCharacterSnowFairy>),
    TypeId(10062, 10062, &Make<CCharacterSnowFairy>, 0, kRight, 0),
    TypeId(10063, 10063, &Make<CCharacterSnowFairy>),
    TypeId(10070, 10073, &Make<CCharacterCrowBilledGoblin>),
    TypeId(10074, 10074, &Make<CCharacterEnemyMaker>),
    TypeId(10080, 10083, &Make<CCharacterTengu>),
    TypeId(10091, 10092, &Make<CCharacterEnemyNinja>),
    TypeId(10121, 10123, &Make<CCharacterLivingArmor>),
    TypeId(10131, 10132, &Make<CCharacterFox>),
    TypeId(10151, 10152, &Make<CCharacterSpider>),
    TypeId(10161, 10162, &Make<CCharacterZenPriest>),
    TypeId(10171, 10172, &Make<CCharacterThunderer>),
    TypeId(10173, 10174, &Make<CCharacterThunderer>, 2, 0, kDown),
    TypeId(10181, 10182, &Make<CCharacterGoblinCat>),
    State(10190, 10192, kStageObject, 350),
    TypeId(10210, 10213, &Make<CCharacterOneEyedMonster>),
    TypeId(10221, 10223, &Make<CCharacterBat>),
    TypeId(10224, 10226, &Make<CCharacterBat>, 3, 0, kDown),
    TypeId(10227, 10227, &Make<CCharacterBat>),
    TypeId(10231, 10233, &Make<CCharacterFrog>),
    TypeId(10250, 10253, &Make<CCharacterKingTengu>),
    TypeId(10260, 10263, &Make<CCharacterKingTengu2nd>),
    TypeId(10270, 10273, &Make<CCharacterKingTengu2ndEye>),
    TypeId(10280, 10284, &Make<CCharacterBoseki>),
    TypeId(10290, 10290, &Make<CCharacterBigGhost>),
    State(10300, 10300, &Make<CCharacterEffect>, 120),
    State(10301, 10301, &Make<CCharacterEffect>, 120, kDown),
    State(10340, 10340, kStageObject, 230),
    State(10350, 10350, kStageObject, 280),
    StageInit(10360, 10389, &InitStageObject<&CCharacterStageObject::InitSwitch>),
    StageInit(10390, 10399, &InitStageObject<&CCharacterStageObject::InitSwitchAlt>),
    StageInit(10400, 10449, &InitStageObject<&CCharacterStageObject::InitFlagGate>),
    StageInit(10450, 10459, &InitStageObject<&CCharacterStageObject::InitLockedDoor>),
    StageInit(10550, 10599, &InitStageObject<&CCharacterStageObject::InitEnemyLock>),
    StageInit(10600, 10649, &InitStageObject<&CCharacterStageObject::InitTarget>),
    State(10650, 10650, kStageObject, 370),
    State(10651, 10651, kStageObject, 380),
    State(10652, 10652, kStageObject, 390),
    StageInit(10660, 10709, &InitStageObject<&CCharacterStageObject::InitBreakableBlock>),
    StageInit(10710, 10759, &InitStageObject<&CCharacterStageObject::InitSealedBlock>),
    StageInit(10760, 10809, &InitStageObject<&CCharacterStageObject::InitFallingBlock>),
    TypeId(11000, 11005, &Make<CCharacterSoldier>),
    TypeId(11010, 11019, &Make<CCharacterWanyudo>),
    TypeId(11020, 11029, &Make<CCharacterMammoth>),
    TypeId(11030, 11039, &Make<CCharacterKappaTank>),
    TypeId(11040, 11040, &Make<CCharacterKingTengu>),
    TypeId(11050, 11051, &Make<CCharacterArcher>),
    TypeId(11060, 11061, &Make<CCharacterLizardman>),
    TypeId(11070, 11071, &Make<CCharacterDragon>),
    TypeId(11072, 11072, &Make<CCharacterEnemyMaker>),
    TypeId(11073, 11073, &Make<CCharacterDragon>),
    TypeId(11080, 11081, &Make<CCharacterFlower>),
    TypeId(11090, 11091, &Make<CCharacterBird>),
    TypeId(11100, 11101, &Make<CCharacterSilvy>),

    // Blocks, gimmicks and stage objects.
    StateFrom(20020, 20059, kBlock, 20004),
    StateFrom(20060, 20099, kBlock, 19820),
    StateFrom(20100, 20109, kBlock, 19796),
    StateFrom(20110, 20119, kBlock, 19806, kDown),
    StateFrom(20120, 20159, kBlock, 19784),
    StateFrom(20160, 20199, kBlock, 19760),
    StateFrom(20200, 20239, kBlock, 19736),
    StateFrom(20240, 20259, kBlock, 19712),
    StateFrom(20260, 20299, kBlock, 19668),
    StateFrom(20320, 20359, kBlock, 19664),
    StateFrom(20360, 20399, kBlock, 19640),
    StateFrom(20400, 20439, kBlock, 19616),
    StateFrom(20440, 20479, kBlock, 19592),
    StateFrom(20520, 20559, kBlock, 19608),
    StateFrom(20560, 20599, kBlock, 19584),
    StateFrom(20600, 20639, kBlock, 19560),
    StateFrom(20640, 20699, kBlock, 19536),
    TypeId(20770, 20774, &Make<CCharacterSpring>),
    TypeId(20775, 20779, &Make<CCharacterSpring>, 5, 0, kDown),
    TypeId(20780, 20784, &Make<CCharacterSpike>),
    TypeId(20785, 20789, &Make<CCharacterSpike>, 5, 0, kDown),
    TypeId(20800, 20809, &Make<CCharacterCatapult>),
    TypeId(20810, 20819, &Make<CCharacterCatapult>, 10, 0, kDown),
    StateFrom(20820, 20830, kBlock, 20740),
    StateFrom(20832, 20842, kBlock, 20672),
    StateFrom(20850, 20860, kBlock, 20770, kDown),
    StateFrom(20862, 20872, kBlock, 20702, kDown),
    StateFrom(20880, 20899, kBlock, 19680),
    StateFrom(20900, 20919, kBlock, 19700, kDown),
    StateFrom(20920, 20939, kBlock, 19656),
    StateFrom(20940, 20959, kBlock, 19676, kDown),
    StateFrom(20960, 20989, kBlock, 19664),
    StateFrom(20990, 21019, kBlock, 19694, kDown),
    StateFrom(21030, 21069, kBlock, 19686),
    StateFrom(21070, 21109, kBlock, 19726, kDown),
    StateFrom(21110, 21129, kBlock, 19702),
    StateFrom(21130, 21149, kBlock, 19722, kDown),
    State(21150, 21150, kStageObject, 430),
    State(21151, 21151, kStageObject, 434),
    State(21152, 21152, kStageObject, 430, kDown),
    State(21153, 21153, kStageObject, 434, kDown),
    State(21160, 21160, kBlock, 1456),
    State(21161, 21161, kBlock, 1456, kDown),
    State(21170, 21170, kBlock, 1472),
    StageInit(22900, 22949, &InitStageObject<&CCharacterStageObject::InitKeyLock>),
    State(22950, 22950, kStageObject, 360),
    State(22951, 22951, kStageObject, 361),
    State(22952, 22952, kStageObject, 362),

    // Pick-ups and room exits.
    TypeId(23001, 23015, &Make<CCharacterItem>),
    TypeId(23030, 23069, &Make<CCharacterItem>),
    TypeId(23080, 23119, &Make<CCharacterItem>),
    TypeId(23130, 23179, &Make<CCharacterItem>),
    TypeId(23800, 24609, kStageObject),

    // Scenery.
    StateFrom(30000, 30019, kScenery, 29840),
    StateFrom(30020, 30119, kScenery, 29828),
    StateFrom(30120, 30169, kScenery, 29768),
    StateFrom(30170, 30219, kScenery, 29738),
    StateFrom(30220, 30259, kScenery, 29708),
    StateFrom(30260, 30309, kScenery, 29684),
    StateFrom(30310, 30339, kScenery, 29654),
    StateFrom(30340, 30369, kScenery, 29636),
    StateFrom(30370, 30449, kScenery, 29618),
    StateFrom(30450, 30479, kScenery, 29570),
    StateFrom(30480, 30509, kScenery, 29552),
    StateFrom(30520, 30559, kScenery, 29544),
    StateFrom(30560, 30589, kScenery, 29520),

    // Attack effects and effects.
    Plain(40000, 40000, &Make<CCharacterAttackEffect>),
    Plain(50000, 50000, &Make<CCharacterEffect>),
    State(50001, 50001, &Make<CCharacterEffect>, 590),
};

constexpr bool RowsAscendAndDoNotOverlap() {
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (kRows[i].first > kRows[i].last) return false;
        if (i > 0 && kRows[i].first <= kRows[i - 1].last) return false;
    }
    return true;
}
static_assert(RowsAscendAndDoNotOverlap(), "factory rows must ascend without overlapping");

const FactoryRow* FindRow(int32_t typeId) {
    const FactoryRow* end = std::end(kRows);
    // The first row that starts after the id; the row before it may hold it.
    const FactoryRow* after =
        std::upper_bound(std::begin(kRows), end, typeId, [](int32_t id, const FactoryRow& row) { return id < row.first; });
    if (after == std::begin(kRows)) return nullptr;
    const FactoryRow* row = after - 1;
    return typeId <= row->last ? row : nullptr;
}

}  // namespace

CCharacter* CreateCharacter(int32_t typeId) {
    const FactoryRow* row = FindRow(typeId);
    if (row == nullptr) return nullptr;
    CCharacter* c = row->make();
    if (c == nullptr) return nullptr;
    if (row->init != nullptr) row->init(c, row->argFromId ? typeId - row->argBase : row->argBase);
    if (row->pushX != 0) c->pushX = row->pushX;
    if (row->pushY != 0) c->pushY = row->pushY;
    return c;
}
