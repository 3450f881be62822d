// The two tile kinds of the stage maps: scenery (CCharacterBackground) and
// blocks (CCharacterBlock).
#include "character/CharacterBackground.h"
#include "character/CharacterBlock.h"
#include "framework/GameMain.h"
#include "frames/FrameTables.h"

namespace {

// Identity, life and gravity that both tile kinds start with.
void InitTile(CCharacter& c, const FrameTableData& records) {
    c.typeId = 20000;
    c.hp = c.hpMax = 1;
    c.frame = 0;
    c.gravityNum = c.gravityDen = 1;
    c.auxValue = 1;
    c.layer = 120;
    c.frameTable.Load(records);
}

// Frame and state stepping, then removal outside the spawn window.
void StepTile(CCharacter& c) {
    c.StepAnimation();
    if (!c.IsNearScreen()) c.alive = 0;
}

struct SceneryLook {
    int32_t state;
    int32_t layer;
    int32_t parallax;
    double scale;
    int32_t alpha;      // -1 keeps it
    int32_t blendMode;  // -1 keeps it
};

// Looks of the special scenery states; every other state is drawn in layer
// 56, fixed on the map, at scale 2.0.
constexpr SceneryLook kSceneryLooks[] = {
    {20, 36, 9, 1.0, -1, 2},  {30, 24, 2, 2.0, -1, -1},  {80, 24, 2, 2.0, -1, -1}, {40, 40, 3, 2.0, 192, -1},
    {50, 40, 2, 2.0, 160, -1}, {60, 41, 4, 2.0, -1, -1},  {70, 42, 4, 2.0, -1, -1}, {90, 39, 3, 2.0, -1, -1},
    {100, 40, 5, 2.0, -1, -1}, {110, 41, 0, 2.0, -1, -1}, {130, 200, 0, 1.0, 192, -1}, {150, 42, 0, 2.0, -1, -1},
};
constexpr SceneryLook kPlainScenery = {0, 56, 0, 2.0, -1, -1};
// State 21 leaves its look and drops a fading afterimage of itself.
constexpr int32_t kSceneryAfterimageState = 21;

// Conveyor tiles: banks of 16 records, the first 11 of each bank active.
constexpr int32_t kConveyorBank = 16;
constexpr int32_t kConveyorPieces = 11;
constexpr int32_t kClockwiseFirst = 80;
constexpr int32_t kCounterFirst = 160;
constexpr int32_t kConveyorEnd = 240;
constexpr int32_t kConveyorSpeed = 10;
// Frames per picture of the conveyor animation (five pictures in turn).
constexpr int32_t kConveyorHold = 2;
constexpr int32_t kConveyorCycle = 10;
// The counter-clockwise banks run through their pictures backwards.
constexpr int32_t kCounterBanks[5] = {160, 224, 208, 192, 176};

constexpr int32_t kDamagingFirst = 1364;
constexpr int32_t kDamagingLast = 1383;
constexpr int32_t kDamagingKind = 15;
constexpr int32_t kDamagingDamage = 300;

constexpr int32_t kOneWayFirst = 1456;
constexpr int32_t kOneWayLast = 1465;

// Back tiles, drawn behind the other tiles and the characters.
constexpr int32_t kBackLayer = 57;
constexpr int32_t kBackTileRuns[][2] = {{656, 663}, {666, 673}, {676, 683}, {686, 693},
                                        {720, 727}, {730, 737}, {740, 747}, {750, 757}};

bool IsActiveConveyor(int32_t f, int32_t first) {
    return f >= first && f < first + 5 * kConveyorBank && (f - first) % kConveyorBank < kConveyorPieces;
}

// Moves the player along a conveyor; sign +1 turns clockwise (the top runs
// right), -1 counter-clockwise.
void Convey(CCharacter& tile, CCharacter& player, int32_t sign) {
    const int32_t along = kConveyorSpeed * sign;
    // The face the belt climbs and the one it descends depend on the turn.
    const int32_t risingFace = sign > 0 ? 3 : 2;
    const int32_t fallingFace = sign > 0 ? 2 : 3;
    const int32_t side = player.FirstTouchedSideOf(&tile);
    if (side == 4) {
        player.Move(along, 0);
        if (player.IsAirborne()) player.Move(sign, 0);
    } else if (side == risingFace) {
        player.Move(0, -kConveyorSpeed);
        if (!player.TouchesAnySolid()) player.Move(along, 0);
    } else if (side == 1) {
        player.Move(-along, 0);
    } else if (side == fallingFace) {
        player.Move(0, kConveyorSpeed);
    }
}

}  // namespace

// --- Scenery -----------------------------------------------------------------

CCharacterBackground::CCharacterBackground() { InitTile(*this, kCharacterBackgroundFrames); }

void CCharacterBackground::SetState(int32_t state) {
    if (state == kSceneryAfterimageState) {
        const FrameRecord& r = CurrentRecord();
        SpawnAfterimage(x, y, layer + 1, angle, scaleX, scaleY, 255, 255, 255, 0, 80, 0, 0.003, 0.003, 120, r.u,
                        r.v, r.spriteLeft, r.spriteRight, r.spriteTop, r.spriteBottom, r.textureId);
    } else {
        SceneryLook look = kPlainScenery;
        for (const SceneryLook& l : kSceneryLooks)
            if (l.state == state) look = l;
        layer = look.layer;
        parallaxMode = look.parallax;
        scaleX = scaleY = look.scale;
        if (look.alpha >= 0) alpha = look.alpha;
        if (look.blendMode >= 0) blendMode = look.blendMode;
    }
    CCharacter::SetState(state);
}

void CCharacterBackground::Update() {
    StepTile(*this);
    Move(vx, vy);
}

bool CCharacterBackground::ExtraHook(int32_t, int32_t, int32_t) { return true; }

// --- Blocks ------------------------------------------------------------------

CCharacterBlock::CCharacterBlock() {
    InitTile(*this, kCharacterBlockFrames);
    wallSolid = 1;
}

void CCharacterBlock::SetState(int32_t state) {
    for (const auto& run : kBackTileRuns)
        if (state >= run[0] && state <= run[1]) layer = kBackLayer;
    if ((state >= kDamagingFirst && state <= kDamagingLast) || (state >= kOneWayFirst && state <= kOneWayLast))
        wallSolid = 0;
    scaleX = scaleY = 2.0;
    CCharacter::SetState(state);
}

void CCharacterBlock::Update() {
    CGameMain* game = CGameMain::GetInstance();
    StepAnimation();

    // Animated tiles show their five pictures in step across the whole map:
    // the phase comes from the game's frame counter, not from the tile.
    const int32_t k = (game->m_frameCount % kConveyorCycle + kConveyorCycle) % kConveyorCycle / kConveyorHold;
    if (frame != 0 && frame >= kClockwiseFirst && frame < kCounterFirst)
        frame = kClockwiseFirst + kConveyorBank * k + (frame - kClockwiseFirst) % kConveyorBank;
    if (frame >= kCounterFirst && frame < kConveyorEnd)
        frame = kCounterBanks[k] + (frame - kCounterFirst) % kConveyorBank;

    CCharacter* player = game->m_player;
    if (!IsNearScreen()) alive = 0;
    if (IsActiveConveyor(frame, kClockwiseFirst)) {
        if (player != nullptr) Convey(*this, *player, +1);
    } else if (IsActiveConveyor(frame, kCounterFirst)) {
        if (player != nullptr) Convey(*this, *player, -1);
    } else if (frame >= kDamagingFirst && frame <= kDamagingLast) {
        AttackAll(&game->m_characterList, ~group, kDamagingKind, kDamagingDamage);
    }
    Move(vx, vy);
}

bool CCharacterBlock::ExtraHook(int32_t, int32_t, int32_t) { return true; }
