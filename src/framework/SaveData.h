#pragma once
// Save blocks: everything the game keeps between runs lives in blocks of
// exactly 65,536 bytes, written to disk byte for byte (no header, version or
// checksum). Two layouts share the block: the system record (file "save")
// and the save-slot record (files "saveslotNN" and the resume snapshots
// "resumeNN"). Multi-byte values are little-endian signed 32-bit integers.
#include <cstddef>
#include <cstdint>

#include "win/SaveFile.h"

// Byte offsets of the system record.
struct SystemRecord {
    static constexpr std::size_t kReserved0 = 0x000;
    static constexpr std::size_t kReserved4 = 0x004;       // 1 after Clear; never read
    static constexpr std::size_t kClearMarks = 0x008;      // 64 bytes
    static constexpr std::size_t kGameMode = 0x248;        // 0..2
    static constexpr std::size_t kGold = 0x24C;            // 0..999999
    static constexpr std::size_t kItemCounts = 0x250;      // 64 x int32
    static constexpr std::size_t kItemFlags = 0x350;       // 64 bytes
    static constexpr std::size_t kEffectVolume = 0x390;    // percent
    static constexpr std::size_t kMusicVolume = 0x394;     // percent
    static constexpr std::size_t kLanguage = 0x398;        // 1 Japanese, else English
    static constexpr std::size_t kVibration = 0x39C;       // 0 normal, 1 strong, 2 none, 3 mild
    static constexpr std::size_t kEnd = 0x3A0;             // reserved to the end of the block
    static constexpr int kClearMarkCount = 64;
    static constexpr int kItemSlots = 64;

    static constexpr int32_t kDefaultGameMode = 1;
    static constexpr int32_t kDefaultVolume = 80;
    static constexpr int32_t kMaxGold = 999999;
    static constexpr int32_t kMaxItemCount = 999999;
    static constexpr int32_t kMaxVibration = 3;
};

// Byte offsets of the save-slot record (also the resume snapshots).
struct SaveSlotRecord {
    static constexpr std::size_t kMapId = 0x004;
    static constexpr std::size_t kShurikenAmmo = 0x008;
    static constexpr std::size_t kBombAmmo = 0x00C;
    static constexpr std::size_t kReserved10 = 0x010;      // 3 x int32
    static constexpr std::size_t kPotionStocks = 0x01C;    // 4 x int32
    static constexpr std::size_t kEquipSlots = 0x02C;      // 3 x int32
    static constexpr std::size_t kCurrentWeapon = 0x038;
    static constexpr std::size_t kKeyCount = 0x03C;
    static constexpr std::size_t kPlayTime = 0x040;        // frames
    static constexpr std::size_t kScore = 0x044;
    static constexpr std::size_t kGold = 0x044;            // the player's gold, as the player keeps it
    static constexpr std::size_t kFlagTable = 0x048;       // 1024 bytes, one per flag id
    static constexpr std::size_t kResumeFlag = 0x448;      // byte: 1 holds a resume point
    static constexpr std::size_t kResumeHp = 0x44C;
    static constexpr std::size_t kResumeGauge = 0x450;
    static constexpr std::size_t kResumeX = 0x454;         // map coordinates
    static constexpr std::size_t kResumeY = 0x458;
    static constexpr std::size_t kResumeFacing = 0x45C;    // +1 or -1
    static constexpr std::size_t kUsedSize = 0x460;        // the part copied between slot and resume
    static constexpr int kFlagCount = 1024;
    static constexpr int kPotionKinds = 4;
    static constexpr int kEquipSlotCount = 3;

    static constexpr int32_t kFirstMapId = 266;
    static constexpr int32_t kLastMapId = 273;
    static constexpr int32_t kMaxShuriken = 200;
    static constexpr int32_t kMaxBombs = 30;
    static constexpr int32_t kMaxPotions = 9;
    static constexpr int32_t kMaxWeapon = 10;
    static constexpr int32_t kMaxKeys = 999;
    static constexpr int32_t kMaxScore = 999999999;
    static constexpr int32_t kMaxResumeHp = 9999;
    static constexpr int32_t kMaxResumeGauge = 99999;
    static constexpr int kCompletionFlagCount = 278;
};

class CItem;

// The two layouts a block can hold.
enum class SaveLayout { System, Slot };

// Operations on a raw block of CSaveData::kSize bytes; CSaveData uses them,
// and they need nothing else of the game.
namespace SaveBlock {

int32_t GetInt(const uint8_t* block, std::size_t offset);
// Where the field that holds the byte at the offset begins in the layout:
// the first byte of a 32-bit value, else the offset itself (single bytes,
// the flag table, padding and reserved space).
std::size_t FieldStart(SaveLayout layout, std::size_t offset);
void SetInt(uint8_t* block, std::size_t offset, int32_t value);
void Clear(uint8_t* block);
void SetNewGameDefaults(uint8_t* block);
// Copies the first block of data when it holds at least a whole block;
// otherwise false and the block stays as it was.
bool Load(uint8_t* block, const uint8_t* data, std::size_t count);
// Bring values read from disk into their ranges: each returns how many
// values it had to change.
int SanitizeSystemRecord(uint8_t* block);
int SanitizeSlotRecord(uint8_t* block);
// Completion percentage 0..100 of a save-slot record.
int32_t CountCompletion(const uint8_t* block);

// The game-wide values that the system record carries.
struct SystemSettings {
    int32_t clearFlags[SystemRecord::kClearMarkCount] = {};
    int32_t gameMode = SystemRecord::kDefaultGameMode;
    int32_t gold = 0;
    int32_t language = 0;
    int32_t effectVolume = SystemRecord::kDefaultVolume;
    int32_t musicVolume = SystemRecord::kDefaultVolume;
    int32_t vibration = 0;
    int32_t selectedCharacter = 1;
};
// Puts a system record into effect: the settings, the inventory, and the
// selected character (the last flagged character kind; unchanged when none
// is flagged), whose kind is then owned and flagged.
void ApplySystemRecord(const uint8_t* block, SystemSettings& settings, CItem& items);
// Writes the settings and the inventory into a system record; the other
// bytes of the block stay.
void FillSystemRecord(uint8_t* block, const SystemSettings& settings, const CItem& items);

}  // namespace SaveBlock

class CSaveData {
public:
    static constexpr std::size_t kSize = 65536;

    // The construction defaults are those of Clear.
    CSaveData() { SaveBlock::Clear(m_block); }
    virtual ~CSaveData() = default;

    // Zeroes the block, then the system-record defaults: game mode 1, both
    // volumes 80 percent, vibration 0.
    virtual void Clear() { SaveBlock::Clear(m_block); }
    virtual bool WriteDefault();
    // Writes the whole block to the file that the game's file object has
    // open; the name is not used. True only when every byte was written.
    virtual bool Write(const char* name);
    virtual bool ReadDefault();
    // Reads a block from the file that the game's file object has open; the
    // name is not used. A file shorter than a block gives the bytes it has,
    // and the rest of the block stays as it was; a read that fails leaves
    // the whole block as it was and gives false.
    virtual bool Read(const char* name);
    // The new-game values of a save-slot record (stage 266, no ammunition or
    // potions, katana in hand, no keys, no play time, empty flag table, no
    // resume point); offset 0 and the bytes from 0x460 on are kept.
    virtual void SetNewGameDefaults() { SaveBlock::SetNewGameDefaults(m_block); }

    // The same through a given file object.
    bool WriteTo(CSaveFile& file) const;
    bool ReadFrom(CSaveFile& file);

    bool Load(const uint8_t* data, std::size_t count) { return SaveBlock::Load(m_block, data, count); }
    int SanitizeSystemRecord() { return SaveBlock::SanitizeSystemRecord(m_block); }
    int SanitizeSlotRecord() { return SaveBlock::SanitizeSlotRecord(m_block); }
    int32_t CountCompletion() const { return SaveBlock::CountCompletion(m_block); }

    uint8_t* Bytes() { return m_block; }
    const uint8_t* Bytes() const { return m_block; }
    // Offsets beyond the block read 0 and are not written.
    int32_t GetInt(std::size_t offset) const { return SaveBlock::GetInt(m_block, offset); }
    void SetInt(std::size_t offset, int32_t value) { SaveBlock::SetInt(m_block, offset, value); }
    uint8_t GetByte(std::size_t offset) const { return offset < kSize ? m_block[offset] : 0; }
    void SetByte(std::size_t offset, uint8_t value) {
        if (offset < kSize) m_block[offset] = value;
    }
    // Flag table of a save-slot record; ids outside 0..1023 read 0 and are
    // not written.
    uint8_t GetSlotFlag(int32_t flagId) const {
        return IsFlagId(flagId) ? m_block[SaveSlotRecord::kFlagTable + flagId] : 0;
    }
    void SetSlotFlag(int32_t flagId, uint8_t value) {
        if (IsFlagId(flagId)) m_block[SaveSlotRecord::kFlagTable + flagId] = value;
    }
    bool HasResumePoint() const { return m_block[SaveSlotRecord::kResumeFlag] != 0; }

private:
    static bool IsFlagId(int32_t id) { return id >= 0 && id < SaveSlotRecord::kFlagCount; }

    uint8_t m_block[kSize];
};

// Size of the playfield of a stage in map units; false for an id that names
// no stage.
bool GetStagePlayfield(int32_t mapId, int32_t& width, int32_t& height);
