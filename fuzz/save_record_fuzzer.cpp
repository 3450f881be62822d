// Feeds arbitrary bytes to the save-record loaders: as the raw contents of a
// file (which must hold a whole block to be taken) or laid over a default
// record, then as a system record or a save-slot record. Whatever the bytes,
// the values that reach the game must be in their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/SaveData.h"
#include "player/Item.h"

namespace {

#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) std::abort(); \
    } while (0)

bool InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

void CheckSystem(uint8_t* block) {
    using S = SystemRecord;
    SaveBlock::SanitizeSystemRecord(block);
    FUZZ_CHECK(SaveBlock::SanitizeSystemRecord(block) == 0);

    CItem* items = CItem::GetInstance();
    items->Reset();
    SaveBlock::SystemSettings settings;
    SaveBlock::ApplySystemRecord(block, settings, *items);
    FUZZ_CHECK(InRange(settings.gameMode, 0, 2));
    FUZZ_CHECK(InRange(settings.gold, 0, S::kMaxGold));
    FUZZ_CHECK(InRange(settings.effectVolume, 0, 100));
    FUZZ_CHECK(InRange(settings.musicVolume, 0, 100));
    FUZZ_CHECK(InRange(settings.vibration, 0, S::kMaxVibration));
    FUZZ_CHECK(InRange(settings.selectedCharacter, 1, 4));
    int characters = 0;
    for (int32_t kind = 0; kind < CItem::kKindCount; ++kind) {
        FUZZ_CHECK(InRange(items->GetCount(kind), 0, S::kMaxItemCount));
        FUZZ_CHECK(items->GetFlag(kind) <= 1);
        if (kind >= CItem::kFirstCharacterKind && items->GetFlag(kind)) ++characters;
    }
    FUZZ_CHECK(characters == 1);
    FUZZ_CHECK(items->GetFlag(CItem::kFirstCharacterKind + settings.selectedCharacter - 1) == 1);
    for (int i = 0; i < S::kClearMarkCount; ++i) FUZZ_CHECK(InRange(settings.clearFlags[i], 0, 255));

    // What is saved again loads the same.
    std::vector<uint8_t> again(block, block + CSaveData::kSize);
    SaveBlock::FillSystemRecord(again.data(), settings, *items);
    SaveBlock::SystemSettings reread;
    SaveBlock::ApplySystemRecord(again.data(), reread, *items);
    FUZZ_CHECK(std::memcmp(&reread, &settings, sizeof settings) == 0);
}

void CheckSlot(uint8_t* block) {
    using R = SaveSlotRecord;
    SaveBlock::SanitizeSlotRecord(block);
    FUZZ_CHECK(SaveBlock::SanitizeSlotRecord(block) == 0);
    const int32_t mapId = SaveBlock::GetInt(block, R::kMapId);
    int32_t width = 0, height = 0;
    FUZZ_CHECK(GetStagePlayfield(mapId, width, height));
    FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kShurikenAmmo), -1, R::kMaxShuriken));
    FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kBombAmmo), -1, R::kMaxBombs));
    for (int i = 0; i < R::kPotionKinds; ++i) {
        FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kPotionStocks + 4 * i), -1, R::kMaxPotions));
    }
    for (int i = 0; i < R::kEquipSlotCount; ++i) {
        FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kEquipSlots + 4 * i), 0, R::kMaxWeapon));
    }
    FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kCurrentWeapon), 1, R::kMaxWeapon));
    FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kKeyCount), 0, R::kMaxKeys));
    FUZZ_CHECK(SaveBlock::GetInt(block, R::kPlayTime) >= 0);
    FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kScore), 0, R::kMaxScore));
    for (int f = 0; f < R::kFlagCount; ++f) FUZZ_CHECK(block[R::kFlagTable + f] <= 1);
    FUZZ_CHECK(block[R::kResumeFlag] <= 1);
    if (block[R::kResumeFlag]) {
        FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kResumeHp), 1, R::kMaxResumeHp));
        FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kResumeGauge), 0, R::kMaxResumeGauge));
        FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kResumeX), 0, width));
        FUZZ_CHECK(InRange(SaveBlock::GetInt(block, R::kResumeY), 0, height));
        const int32_t facing = SaveBlock::GetInt(block, R::kResumeFacing);
        FUZZ_CHECK(facing == 1 || facing == -1);
    }
    FUZZ_CHECK(InRange(SaveBlock::CountCompletion(block), 0, 100));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static std::vector<uint8_t> block(CSaveData::kSize);
    if (size == 0) return 0;
    const uint8_t mode = data[0];
    ++data;
    --size;
    const bool slot = (mode & 1) != 0;
    SaveBlock::Clear(block.data());
    if (slot) SaveBlock::SetNewGameDefaults(block.data());
    if ((mode & 2) == 0) {
        // The bytes are a whole file: shorter than a block it counts as
        // missing and the record keeps its defaults.
        std::vector<uint8_t> before = block;
        if (!SaveBlock::Load(block.data(), data, size)) {
            FUZZ_CHECK(before == block);
            return 0;
        }
    } else {
        // The bytes replace the start of a default record, where the fields are.
        std::memcpy(block.data(), data, size < CSaveData::kSize ? size : CSaveData::kSize);
    }
    if (slot) {
        CheckSlot(block.data());
    } else {
        CheckSystem(block.data());
    }
    return 0;
}
