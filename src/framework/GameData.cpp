// Loading and saving the game data: the system record in "save", the slot
// records in "saveslotNN" and the resume snapshots in "resumeNN", all beside
// the executable.
//
// A slot record reaches its file whenever it is changed on purpose: at a
// save point, a new game or an erase, and a resume snapshot. Save points, the
// opening scene and the new-game and erase choices of the save-slot screen
// all drop the slot's resume point and save the global data within one
// frame; SaveGlobalData therefore also writes the slot records whose resume
// point was dropped in the current frame. A pause or continue choice drops
// the resume point too, but nothing saves the global data in that frame, so
// progress made since the last save stays off the disk. NewGameInSlot itself
// only resets the record in memory: the construction of the game object
// calls it for all sixteen slots before anything has been loaded.
//
// Every opening of the title reads the files again, replacing what memory
// holds; but where the last write of a file failed (a read-only folder, a
// full disk) memory is newer than that file, so its records stay as they are
// until a write of it succeeds. A file that is there but cannot be read is
// neither read nor saved over: its record keeps what memory holds until the
// file reads again.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "framework/GameMain.h"
#include "player/CharacterPlayer.h"
#include "player/Item.h"
#include "win/DebugLog.h"
#include "win/SoundManager.h"

namespace {

struct SlotSaveMark {
    bool marked = false;
    int32_t frame = 0;
};

SlotSaveMark g_resumeDropped[CGameMain::kSlotCount];

bool IsSlot(int32_t slot) { return slot >= 0 && slot < CGameMain::kSlotCount; }

void FileName(char (&name)[16], const char* prefix, int32_t slot) {
    std::snprintf(name, sizeof name, "%s%02d", prefix, static_cast<int>(slot));
}

void ClearMarks() {
    for (SlotSaveMark& mark : g_resumeDropped) mark.marked = false;
}

// What the directory of the files holds, listed once for a whole load: of
// the 33 files most are usually missing, and one listing costs far less than
// a failed open of each. When the directory cannot be listed, every name is
// tried.
class SaveFolder {
public:
    SaveFolder() : listed_(CSaveFile::ListBaseDirectory({"save", "resume"}, names_)) {}
    // False only when the listing shows the file missing (in any case: the
    // game's names are lower case, the listing is).
    bool MayHold(const std::string& name) const { return !listed_ || names_.count(name) != 0; }

private:
    std::set<std::string> names_;
    bool listed_;
};

enum class RecordRead {
    Missing,     // no file, or none that could be a save (a pipe, a device)
    Unreadable,  // a file is there but cannot be read: it is kept as it is
    Read,
};

// Reads the named file into the record. A longer file gives its first
// block. A file shorter than a block gives the fields it holds whole, and the
// rest of the record keeps what it held before the read, a value the file
// ends inside included: at start-up that is the construction defaults (the
// system and resume records) or the new-game values (the slot records); at
// the title's re-read, what memory holds. A file that cannot be read leaves
// the whole record as it was.
RecordRead ReadRecord(CSaveFile& file, CSaveData& record, const char* name, SaveLayout layout,
                      const SaveFolder& folder) {
    if (!folder.MayHold(name)) return RecordRead::Missing;
    if (!file.OpenRead(name)) return file.FoundUnreadable() ? RecordRead::Unreadable : RecordRead::Missing;
    const int64_t size = file.GetSize();
    const auto block = static_cast<int64_t>(CSaveData::kSize);
    // The first bytes of a value the file ends inside, as memory holds them.
    const std::size_t end = size >= 0 && size < block ? static_cast<std::size_t>(size) : 0;
    const std::size_t cutValue = SaveBlock::FieldStart(layout, end);
    uint8_t held[4] = {};
    std::memcpy(held, record.Bytes() + cutValue, end - cutValue);
    const bool ok = record.ReadDefault();
    file.Close();
    // A failed read was reported by the file object.
    if (!ok) return RecordRead::Unreadable;
    std::memcpy(record.Bytes() + cutValue, held, end - cutValue);
    if (size >= 0 && size < block) {
        DebugPrintf("save: \"%s\" holds %lld bytes, less than a save block; the fields in them are read, and the rest "
                    "of the record stays as it was\n",
                    name, static_cast<long long>(size));
    } else if (size > block) {
        DebugPrintf("save: \"%s\" holds %lld bytes, more than a save block; only the first %u count\n", name,
                    static_cast<long long>(size), static_cast<unsigned>(CSaveData::kSize));
    }
    return RecordRead::Read;
}

bool WriteRecord(CSaveFile& file, CSaveData& record, const char* name) {
    if (!file.OpenWrite(name)) {
        // An unreadable file is not saved over; the file object said so once.
        if (!file.FoundUnreadable()) DebugPrintf("save: \"%s\" was not saved\n", name);
        return false;
    }
    bool ok = record.WriteDefault();
    ok = file.Close() && ok;
    if (!ok) DebugPrintf("save: \"%s\" was not saved; the previous file stays\n", name);
    return ok;
}

// Adds the file to the list of those kept from memory when its last write
// failed; true when it is kept.
bool KeptFromMemory(const char* name, std::string& kept) {
    if (!CSaveFile::LastWriteFailed(name)) return false;
    kept += kept.empty() ? "\"" : ", \"";
    kept += name;
    kept += '"';
    return true;
}

// Takes away the temporary files an interrupted save left: regular files of
// one record at most under the names of its temporary files. Only this
// process writes the folder (the instance lock), and no write is under way
// while the files are loaded, so any of them is such a leftover.
void RemoveLeftoverTemps() {
    std::vector<std::string> names{"save"};
    char name[16];
    for (const char* prefix : {"saveslot", "resume"}) {
        for (int32_t slot = 0; slot < CGameMain::kSlotCount; ++slot) {
            FileName(name, prefix, slot);
            names.emplace_back(name);
        }
    }
    CSaveFile::RemoveLeftoverTemps(names, static_cast<int64_t>(CSaveData::kSize));
}

// Loads one slot-layout record from its file: new-game values when the file
// is missing, and no change when memory is newer or the file cannot be read.
void LoadSlotLayoutRecord(CSaveFile& file, CSaveData& record, const char* name, const SaveFolder& folder,
                          std::string& kept) {
    if (KeptFromMemory(name, kept)) return;
    switch (ReadRecord(file, record, name, SaveLayout::Slot, folder)) {
        case RecordRead::Missing:
            record.SetNewGameDefaults();
            break;
        case RecordRead::Unreadable:
            break;
        case RecordRead::Read:
            if (const int fixed = record.SanitizeSlotRecord()) {
                DebugPrintf("save: \"%s\" held %d value(s) out of range\n", name, fixed);
            }
            break;
    }
}

// Puts the system record just read into effect.
void ApplySystemRecord(CGameMain& game) {
    if (const int fixed = game.m_systemData.SanitizeSystemRecord()) {
        DebugPrintf("save: \"save\" held %d value(s) out of range\n", fixed);
    }
    SaveBlock::SystemSettings settings;
    settings.selectedCharacter = game.m_selectedCharacter;
    SaveBlock::ApplySystemRecord(game.m_systemData.Bytes(), settings, *CItem::GetInstance());
    std::memcpy(game.m_clearFlags, settings.clearFlags, sizeof game.m_clearFlags);
    game.m_gameMode = settings.gameMode;
    game.m_gold = settings.gold;
    game.m_language = settings.language;
    CSoundManager::GetInstance()->SetMusicVolume(settings.musicVolume);
    CSoundManager::GetInstance()->SetSEVolume(settings.effectVolume);
    game.m_vibration = settings.vibration;
    game.m_selectedCharacter = settings.selectedCharacter;
}

void LoadSlotRecord(CGameMain& game, int32_t slot, const SaveFolder& folder, std::string& kept) {
    char name[16];
    FileName(name, "saveslot", slot);
    CSaveData& record = game.m_slotData[slot];
    LoadSlotLayoutRecord(game.m_saveFile, record, name, folder, kept);
    FileName(name, "resume", slot);
    CSaveData& resume = game.m_resumeData[slot];
    LoadSlotLayoutRecord(game.m_saveFile, resume, name, folder, kept);
    // A slot shows a resume point only while its snapshot holds one.
    if (!resume.HasResumePoint()) record.SetByte(SaveSlotRecord::kResumeFlag, 0);
}

bool WriteSlotRecord(CGameMain& game, int32_t slot) {
    char name[16];
    FileName(name, "saveslot", slot);
    return WriteRecord(game.m_saveFile, game.m_slotData[slot], name);
}

}  // namespace

bool CGameMain::LoadAllSlots() {
    ClearMarks();
    RemoveLeftoverTemps();
    const SaveFolder folder;
    std::string kept;
    // The slot and resume files are read whatever became of "save": without
    // them every slot would fall back to a new game here, and the next save
    // would write that over the progress on disk.
    bool systemRead = true;  // memory newer than the file counts as read
    if (!KeptFromMemory("save", kept)) {
        // An unreadable "save" leaves the settings as they are, as a missing
        // one does.
        const RecordRead got = ReadRecord(m_saveFile, m_systemData, "save", SaveLayout::System, folder);
        if (got == RecordRead::Missing) DebugPrintf("save: no \"save\" to read; the settings stay as they are\n");
        systemRead = got == RecordRead::Read;
        if (systemRead) ApplySystemRecord(*this);
    }
    for (int32_t slot = 0; slot < kSlotCount; ++slot) LoadSlotRecord(*this, slot, folder, kept);
    if (!kept.empty()) {
        DebugPrintf("save: memory is newer than %s, whose last save failed; it is kept, not read\n", kept.c_str());
    }
    return systemRead;
}

bool CGameMain::SaveGlobalData() {
    bool saved = false;
    if (m_saveFile.OpenWriteSave()) {
        SaveBlock::SystemSettings settings;
        std::memcpy(settings.clearFlags, m_clearFlags, sizeof settings.clearFlags);
        settings.gameMode = m_gameMode;
        settings.gold = m_gold;
        settings.language = m_language;
        settings.effectVolume = CSoundManager::GetInstance()->GetSEVolume();
        settings.musicVolume = CSoundManager::GetInstance()->GetMusicVolume();
        settings.vibration = m_vibration;
        SaveBlock::FillSystemRecord(m_systemData.Bytes(), settings, *CItem::GetInstance());
        bool ok = m_systemData.WriteDefault();
        ok = m_saveFile.Close() && ok;
        if (!ok) DebugPrintf("save: \"save\" was not saved; the previous file stays\n");
        saved = ok;
    } else if (!m_saveFile.FoundUnreadable()) {
        // (An unreadable "save" is not saved over; the file object said so once.)
        DebugPrintf("save: \"save\" was not saved\n");
    }
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        SlotSaveMark& mark = g_resumeDropped[slot];
        if (mark.marked && mark.frame == m_frameCount) saved = WriteSlotRecord(*this, slot) && saved;
        mark.marked = false;
    }
    return saved;
}

bool CGameMain::SaveResumeRecords() {
    char name[16];
    bool saved = true;
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        FileName(name, "resume", slot);
        saved = WriteRecord(m_saveFile, m_resumeData[slot], name) && saved;
    }
    return saved;
}

bool CGameMain::TakeResumeSnapshot() {
    const int32_t slot = m_currentSlot;
    if (!IsSlot(slot)) return false;
    CSaveData& record = m_slotData[slot];
    CSaveData& resume = m_resumeData[slot];
    std::memcpy(resume.Bytes(), record.Bytes(), SaveSlotRecord::kUsedSize);
    resume.SetInt(SaveSlotRecord::kMapId, m_mapId);
    if (auto* player = dynamic_cast<CCharacterPlayer*>(m_player)) {
        player->WriteStatus(resume);
        resume.SetInt(SaveSlotRecord::kResumeHp, player->hp);
        resume.SetInt(SaveSlotRecord::kResumeGauge, player->gauge);
        // The resume point is kept in map coordinates: the camera's place
        // plus the player's place in the view.
        resume.SetInt(SaveSlotRecord::kResumeX, player->GetStageX());
        resume.SetInt(SaveSlotRecord::kResumeY, player->GetStageY());
        resume.SetInt(SaveSlotRecord::kResumeFacing, player->facing);
    }
    resume.SetByte(SaveSlotRecord::kResumeFlag, 1);
    bool saved = SaveResumeRecords();
    std::memcpy(record.Bytes(), resume.Bytes(), SaveSlotRecord::kUsedSize);
    saved = WriteSlotRecord(*this, slot) && saved;
    g_resumeDropped[slot].marked = false;
    return saved;
}

void CGameMain::ResetResumeRecord() { ResetResumeRecordAt(m_currentSlot); }

void CGameMain::ResetResumeRecordAt(int32_t slot) {
    if (!IsSlot(slot)) return;
    m_resumeData[slot].SetNewGameDefaults();
    m_slotData[slot].SetByte(SaveSlotRecord::kResumeFlag, 0);
    g_resumeDropped[slot] = SlotSaveMark{true, m_frameCount};
}

void CGameMain::NewGameInSlot(int32_t slot) {
    if (!IsSlot(slot)) return;
    m_slotData[slot].SetNewGameDefaults();
}

int32_t CGameMain::CountCompletion(int32_t slot) { return IsSlot(slot) ? m_slotData[slot].CountCompletion() : 0; }
