// The two layouts of a save block: defaults, loading from raw bytes, range
// checks of what was read, completion, and the system record's settings and
// inventory.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "framework/SaveData.h"
#include "maps/StageMaps.h"
#include "player/Item.h"

namespace {

struct FlagRange {
    int16_t first, last;
};

// Abilities, life tanks, scrolls, rooms and treasures that count toward a
// slot's completion.
constexpr FlagRange kCompletionRanges[] = {
    {0, 7},     {9, 21},    {29, 41},   {402, 407}, {409, 444}, {448, 494}, {497, 513},
    {517, 522}, {524, 524}, {526, 586}, {588, 595}, {597, 598}, {600, 615}, {618, 626},
    {631, 631}, {633, 660}, {851, 851}, {853, 854}, {856, 858},
};

constexpr std::array<int16_t, SaveSlotRecord::kCompletionFlagCount> BuildCompletionFlags() {
    std::array<int16_t, SaveSlotRecord::kCompletionFlagCount> flags{};
    std::size_t n = 0;
    for (const FlagRange& r : kCompletionRanges) {
        for (int f = r.first; f <= r.last; ++f) flags[n++] = static_cast<int16_t>(f);
    }
    return flags;
}

constexpr int CountRanges() {
    int n = 0;
    for (const FlagRange& r : kCompletionRanges) n += r.last - r.first + 1;
    return n;
}
static_assert(CountRanges() == SaveSlotRecord::kCompletionFlagCount);

constexpr std::array<int16_t, SaveSlotRecord::kCompletionFlagCount> kCompletionTable = BuildCompletionFlags();

// Playfield sizes of the eight stages in cells (width, height).
constexpr int32_t kTileSize = 400;

// Clamps the int at the offset into lo..hi; counts a change.
void Clamp(uint8_t* block, std::size_t offset, int32_t lo, int32_t hi, int& changes) {
    const int32_t v = SaveBlock::GetInt(block, offset);
    const int32_t c = std::clamp(v, lo, hi);
    if (c != v) {
        SaveBlock::SetInt(block, offset, c);
        ++changes;
    }
}

// Puts the fallback in place of a value outside lo..hi.
void Replace(uint8_t* block, std::size_t offset, int32_t lo, int32_t hi, int32_t fallback, int& changes) {
    const int32_t v = SaveBlock::GetInt(block, offset);
    if (v < lo || v > hi) {
        SaveBlock::SetInt(block, offset, fallback);
        ++changes;
    }
}

// A flag byte that is not 0 counts as set and is stored as 1.
void NormaliseFlag(uint8_t* block, std::size_t offset, int& changes) {
    if (block[offset] > 1) {
        block[offset] = 1;
        ++changes;
    }
}

}  // namespace

bool GetStagePlayfield(int32_t mapId, int32_t& width, int32_t& height) {
    static_assert(SaveSlotRecord::kLastMapId - SaveSlotRecord::kFirstMapId + 1 == kStageMapCount);
    if (mapId < SaveSlotRecord::kFirstMapId || mapId > SaveSlotRecord::kLastMapId) return false;
    const int i = mapId - SaveSlotRecord::kFirstMapId;
    width = kStageMapWidths[i] * kTileSize;
    height = kStageMapHeights[i] * kTileSize;
    return true;
}

namespace SaveBlock {

std::size_t FieldStart(SaveLayout layout, std::size_t offset) {
    struct Run {
        std::size_t from, to;  // 32-bit values from `from` up to `to`
    };
    static constexpr Run kSystemValues[] = {{SystemRecord::kReserved0, SystemRecord::kClearMarks},
                                            {SystemRecord::kGameMode, SystemRecord::kItemFlags},
                                            {SystemRecord::kEffectVolume, SystemRecord::kEnd}};
    static constexpr Run kSlotValues[] = {{0, SaveSlotRecord::kFlagTable},
                                          {SaveSlotRecord::kResumeHp, SaveSlotRecord::kUsedSize}};
    const std::span<const Run> runs = layout == SaveLayout::System ? std::span<const Run>(kSystemValues)
                                                                   : std::span<const Run>(kSlotValues);
    for (const Run& run : runs) {
        if (offset >= run.from && offset < run.to) return offset - (offset - run.from) % 4;
    }
    return offset;
}

int32_t GetInt(const uint8_t* block, std::size_t offset) {
    if (offset > CSaveData::kSize - 4) return 0;
    const uint32_t v = static_cast<uint32_t>(block[offset]) | static_cast<uint32_t>(block[offset + 1]) << 8 |
                       static_cast<uint32_t>(block[offset + 2]) << 16 | static_cast<uint32_t>(block[offset + 3]) << 24;
    return static_cast<int32_t>(v);
}

void SetInt(uint8_t* block, std::size_t offset, int32_t value) {
    if (offset > CSaveData::kSize - 4) return;
    const uint32_t v = static_cast<uint32_t>(value);
    block[offset] = static_cast<uint8_t>(v);
    block[offset + 1] = static_cast<uint8_t>(v >> 8);
    block[offset + 2] = static_cast<uint8_t>(v >> 16);
    block[offset + 3] = static_cast<uint8_t>(v >> 24);
}

void Clear(uint8_t* block) {
    std::memset(block, 0, CSaveData::kSize);
    SetInt(block, SystemRecord::kReserved4, 1);
    SetInt(block, SystemRecord::kGameMode, SystemRecord::kDefaultGameMode);
    SetInt(block, SystemRecord::kEffectVolume, SystemRecord::kDefaultVolume);
    SetInt(block, SystemRecord::kMusicVolume, SystemRecord::kDefaultVolume);
    SetInt(block, SystemRecord::kVibration, 0);
}

void SetNewGameDefaults(uint8_t* block) {
    using R = SaveSlotRecord;
    SetInt(block, R::kMapId, R::kFirstMapId);
    SetInt(block, R::kShurikenAmmo, -1);
    SetInt(block, R::kBombAmmo, -1);
    for (int i = 0; i < 3; ++i) SetInt(block, R::kReserved10 + 4 * i, 0);
    for (int i = 0; i < R::kPotionKinds; ++i) SetInt(block, R::kPotionStocks + 4 * i, -1);
    SetInt(block, R::kEquipSlots, 1);
    SetInt(block, R::kEquipSlots + 4, 0);
    SetInt(block, R::kEquipSlots + 8, 0);
    SetInt(block, R::kCurrentWeapon, 1);
    // A new game also starts without keys, as its flag table starts without
    // the collected-key flags.
    SetInt(block, R::kKeyCount, 0);
    SetInt(block, R::kPlayTime, 0);
    SetInt(block, R::kScore, 0);
    std::memset(block + R::kFlagTable, 0, R::kFlagCount);
    block[R::kResumeFlag] = 0;
    SetInt(block, R::kResumeHp, 0);
    SetInt(block, R::kResumeGauge, 0);
    SetInt(block, R::kResumeX, 0);
    SetInt(block, R::kResumeY, 0);
    SetInt(block, R::kResumeFacing, 0);
}

bool Load(uint8_t* block, const uint8_t* data, std::size_t count) {
    if (!data || count < CSaveData::kSize) return false;
    std::memcpy(block, data, CSaveData::kSize);
    return true;
}

int SanitizeSystemRecord(uint8_t* block) {
    using R = SystemRecord;
    int changes = 0;
    Replace(block, R::kGameMode, 0, 2, R::kDefaultGameMode, changes);
    Clamp(block, R::kGold, 0, R::kMaxGold, changes);
    for (int kind = 0; kind < CItem::kKindCount; ++kind) {
        Clamp(block, R::kItemCounts + 4 * kind, 0, R::kMaxItemCount, changes);
        NormaliseFlag(block, R::kItemFlags + kind, changes);
    }
    Clamp(block, R::kEffectVolume, 0, 100, changes);
    Clamp(block, R::kMusicVolume, 0, 100, changes);
    Replace(block, R::kVibration, 0, R::kMaxVibration, 0, changes);
    return changes;
}

int SanitizeSlotRecord(uint8_t* block) {
    using R = SaveSlotRecord;
    int changes = 0;
    Replace(block, R::kMapId, R::kFirstMapId, R::kLastMapId, R::kFirstMapId, changes);
    Clamp(block, R::kShurikenAmmo, -1, R::kMaxShuriken, changes);
    Clamp(block, R::kBombAmmo, -1, R::kMaxBombs, changes);
    for (int i = 0; i < R::kPotionKinds; ++i) Clamp(block, R::kPotionStocks + 4 * i, -1, R::kMaxPotions, changes);
    // An equipment slot holds a weapon or is empty; the weapon in hand is one
    // of the weapons.
    const int32_t newGameSlots[R::kEquipSlotCount] = {1, 0, 0};
    for (int i = 0; i < R::kEquipSlotCount; ++i) {
        Replace(block, R::kEquipSlots + 4 * i, 0, R::kMaxWeapon, newGameSlots[i], changes);
    }
    Replace(block, R::kCurrentWeapon, 1, R::kMaxWeapon, 1, changes);
    Clamp(block, R::kKeyCount, 0, R::kMaxKeys, changes);
    Clamp(block, R::kPlayTime, 0, INT32_MAX, changes);
    Clamp(block, R::kScore, 0, R::kMaxScore, changes);
    for (int f = 0; f < R::kFlagCount; ++f) NormaliseFlag(block, R::kFlagTable + f, changes);
    NormaliseFlag(block, R::kResumeFlag, changes);
    if (block[R::kResumeFlag] != 0) {
        int32_t width = 0, height = 0;
        GetStagePlayfield(GetInt(block, R::kMapId), width, height);
        Clamp(block, R::kResumeHp, 1, R::kMaxResumeHp, changes);
        Clamp(block, R::kResumeGauge, 0, R::kMaxResumeGauge, changes);
        Clamp(block, R::kResumeX, 0, width, changes);
        Clamp(block, R::kResumeY, 0, height, changes);
        const int32_t facing = GetInt(block, R::kResumeFacing);
        if (facing != 1 && facing != -1) {
            SetInt(block, R::kResumeFacing, facing < 0 ? -1 : 1);
            ++changes;
        }
    }
    return changes;
}

int32_t CountCompletion(const uint8_t* block) {
    int32_t count = 0;
    for (int16_t flag : kCompletionTable) {
        if (block[SaveSlotRecord::kFlagTable + flag] != 0) ++count;
    }
    return count * 100 / SaveSlotRecord::kCompletionFlagCount;
}

void ApplySystemRecord(const uint8_t* block, SystemSettings& settings, CItem& items) {
    using R = SystemRecord;
    for (int i = 0; i < R::kItemSlots; ++i) {
        settings.clearFlags[i] = block[R::kClearMarks + i];
        items.SetCount(i, GetInt(block, R::kItemCounts + 4 * i));
        items.SetFlag(i, block[R::kItemFlags + i] != 0 ? 1 : 0);
    }
    settings.gameMode = GetInt(block, R::kGameMode);
    settings.gold = GetInt(block, R::kGold);
    settings.language = GetInt(block, R::kLanguage);
    settings.musicVolume = GetInt(block, R::kMusicVolume);
    settings.effectVolume = GetInt(block, R::kEffectVolume);
    settings.vibration = GetInt(block, R::kVibration);
    for (int32_t kind = CItem::kFirstCharacterKind; kind <= CItem::kLastCharacterKind; ++kind) {
        if (items.GetFlag(kind) != 0) settings.selectedCharacter = kind - CItem::kFirstCharacterKind + 1;
    }
    const int32_t kind = settings.selectedCharacter + CItem::kFirstCharacterKind - 1;
    if (kind >= CItem::kFirstCharacterKind && kind <= CItem::kLastCharacterKind) {
        items.SetCount(kind, 1);
        items.SetFlag(kind, 1);
    }
}

void FillSystemRecord(uint8_t* block, const SystemSettings& settings, const CItem& items) {
    using R = SystemRecord;
    for (int i = 0; i < R::kItemSlots; ++i) {
        block[R::kClearMarks + i] = static_cast<uint8_t>(settings.clearFlags[i]);
        SetInt(block, R::kItemCounts + 4 * i, items.GetCount(i));
        block[R::kItemFlags + i] = items.GetFlag(i);
    }
    SetInt(block, R::kGameMode, settings.gameMode);
    SetInt(block, R::kGold, settings.gold);
    SetInt(block, R::kLanguage, settings.language);
    SetInt(block, R::kEffectVolume, settings.effectVolume);
    SetInt(block, R::kMusicVolume, settings.musicVolume);
    SetInt(block, R::kVibration, settings.vibration);
}

}  // namespace SaveBlock
