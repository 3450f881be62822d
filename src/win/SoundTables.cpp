#include "win/SoundTables.h"

#include "win/SoundManager.h"

const int32_t SoundEffectTable[kSoundEffectCount] = {
    1000010, 1000011, 1000012, 1000013, 1000014, 1000015, 1000016, 1000017, 1000018, 1000019, 1000020,
    1000021, 1000300, 1000400, 1000500, 1000510, 1000520, 1000530, 1000540, 1000550, 1000560, 1000600,
    1000610, 1000200, 1002000, 1002010, 1002020, 1002030, 1002040, 1002050, 1002060, 1001000, 1001010,
    1003010, 1003100, 1004000, 1004010, 1004100, 1004200, 1004300, 1004310, 1004320, 1004330, 1004340,
    1004350, 1004360, 1004361, 1004370, 1004380, 1004390, 1004391, 1004392, 1004400, 1004401, 1004402,
    1004403, 1004404, 1004440, 1004441, 1004442, 1004443, 1004470, 1004480, 1004490, 1004500, 1004510,
    1004530, 1004540, 1004541, 1004550, 1004551, 1004560, 1004570, 1004571, 1004580, 1004590, 1004592,
    1004593, 1004600, 1004610, 1004620,
};

const MusicTableRow MusicTable[kMusicEntryCount] = {
    {211680, 1411200, 10442880, 2001010, 100, "WAVE"},  // opening scene (no piece)
    {0, 1058400, 15876000, 2001020, 100, "WAVE"},       // (no piece)
    {0, 1411200, 12700800, 2001021, 70, "WAVE"},        // the stages
    {0, 1085520, 7598760, 2001030, 100, "WAVE"},        // (no piece)
    {0, 564480, 9031680, 2001031, 100, "WAVE"},         // (no piece)
    {0, 1167840, 4671540, 2001032, 100, "WAVE"},        // (no piece)
    {0, 588000, 5292000, 2001033, 100, "WAVE"},         // (no piece)
    {0, 0, 9769800, 2001050, 100, "WAVE"},              // save slots, stage select (no piece)
    {0, 2116800, 8467200, 2001040, 100, "WAVE"},        // boss fights
    {0, 705600, 6350400, 2001060, 80, "WAVE"},          // some boss fights (no piece)
    {0, 1953960, 9769800, 2001170, 100, "WAVE"},        // endings (no piece)
    {3072, 9216, 58368, 2000021, 400, "MIDI"},          // stage clear
};

namespace {
constexpr int kStageClearEntry = 11;

bool IsMidiRow(const MusicTableRow& row) {
    const char* t = row.type;
    return t[0] == 'M' && t[1] == 'I' && t[2] == 'D' && t[3] == 'I' && t[4] == '\0';
}

// Makes the MIDI entry's segment from its row and sets it to repeat forever.
void PrepareMidiEntry(int32_t entry) {
    CSoundManager* sm = CSoundManager::GetInstance();
    const MusicTableRow& row = MusicTable[entry];
    sm->LoadMusic(entry, row.start, static_cast<int32_t>(row.soundId), row.type, 1.0f, row.loopStart,
                  row.loopEnd);
    if (sm->HasMusicSegment(entry)) sm->SetMusicRepeats(entry, -1);
}
}  // namespace

void LoadAllSE() {
    CSoundManager* sm = CSoundManager::GetInstance();
    for (int slot = 0; slot < kSoundEffectCount; ++slot) sm->LoadSE(slot, SoundEffectTable[slot]);
}

void LoadStageClearMidi() {
    PrepareMidiEntry(kStageClearEntry);
    CSoundManager::GetInstance()->SetEntryVolume(kStageClearEntry, 400);
}

void PlaySE(int32_t slot) {
    CSoundManager::GetInstance()->PlaySE(slot, 0);
}

void PlayMusic(int32_t entry) {
    if (MusicObserver()) MusicObserver()(entry);
    if (entry < 0 || entry >= kMusicEntryCount) return;
    CSoundManager* sm = CSoundManager::GetInstance();
    const MusicTableRow& row = MusicTable[entry];
    if (!IsMidiRow(row)) {
        sm->LoadMusic(entry, row.start, static_cast<int32_t>(row.soundId), row.type, 1.0f, row.loopStart,
                      row.loopEnd);
    } else if (!sm->HasMusicSegment(entry)) {
        // Released by an earlier change of music: made again, so the piece
        // is heard every time it is asked for.
        PrepareMidiEntry(entry);
    }
    if (sm->HasMusicSegment(entry)) sm->SetMusicRepeats(entry, -1);
    sm->SetEntryVolume(entry, static_cast<int32_t>(row.volume));
    sm->StartMusic(entry);
}

void StopMusic(int32_t) {
    if (MusicObserver()) MusicObserver()(kMusicStopped);
    CSoundManager::GetInstance()->StopAllMusic();
}
