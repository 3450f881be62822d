#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstddef>
#include <functional>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "framework/GameMain.h"
#include "framework/SaveData.h"
#include "framework/SaveTestDir.h"
#include "player/CharacterNinja.h"
#include "player/Item.h"
#include "win/DebugLog.h"
#include "win/SaveFile.h"
#include "win/SoundManager.h"

namespace {

using R = SaveSlotRecord;
using S = SystemRecord;

class SaveGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugLogSink([this](const char* text) { log += text; });
        game = CGameMain::GetInstance();
        StartFresh();
    }
    void TearDown() override { SetDebugLogSink(nullptr); }

    // What a new process holds before it loads: construction values.
    void StartFresh() {
        game->ResetGameData();
        game->m_systemData.Clear();
        for (CSaveData& r : game->m_resumeData) r.SetNewGameDefaults();
        CItem::GetInstance()->Reset();
        CSoundManager::GetInstance()->SetMusicVolume(80);
        CSoundManager::GetInstance()->SetSEVolume(80);
    }
    void Restart() {
        StartFresh();
        game->LoadAllSlots();
    }

    // The sequence a save point runs, all in one frame.
    void TouchSavePoint(CCharacterPlayer& player, int32_t x, int32_t y) {
        CSaveData& record = game->m_slotData[game->m_currentSlot];
        record.SetInt(R::kMapId, game->m_mapId);
        game->ResetResumeRecord();
        game->SaveResumeRecords();
        player.StoreStatus();
        record.SetInt(R::kResumeX, x);
        record.SetInt(R::kResumeY, y);
        game->SaveGlobalData();
    }

    // A snapshot of the slot in play on the given stage, taken with a player.
    void SnapshotIn(int32_t slot, int32_t mapId) {
        game->m_currentSlot = slot;
        game->m_mapId = mapId;
        CCharacterNinja player;
        game->m_player = &player;
        game->TakeResumeSnapshot();
        game->m_player = nullptr;
    }

    std::vector<uint8_t> Block(const CSaveData& data) {
        return std::vector<uint8_t>(data.Bytes(), data.Bytes() + CSaveData::kSize);
    }

    SaveTestDir dir;
    CGameMain* game = nullptr;
    std::string log;
};

TEST_F(SaveGameTest, BuildingTheGameWritesNoFile) {
    EXPECT_TRUE(dir.List().empty());
    EXPECT_EQ(game->m_slotData[15].GetInt(R::kMapId), 266);
}

TEST_F(SaveGameTest, AFirstRunWithoutFilesKeepsTheDefaults) {
    game->m_language = 0;
    // Progress only in memory (the title's re-read after the files went):
    // a missing file gives new-game values all the same.
    game->m_slotData[15].SetInt(R::kMapId, 270);
    game->m_slotData[15].SetSlotFlag(12, 1);
    game->m_resumeData[15].SetInt(R::kMapId, 271);
    game->m_resumeData[15].SetByte(R::kResumeFlag, 1);
    game->LoadAllSlots();
    EXPECT_EQ(game->m_resumeData[15].GetInt(R::kMapId), 266);
    EXPECT_FALSE(game->m_resumeData[15].HasResumePoint());
    EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 80);
    EXPECT_EQ(CSoundManager::GetInstance()->GetSEVolume(), 80);
    EXPECT_EQ(game->m_gameMode, 1);
    EXPECT_EQ(game->m_selectedCharacter, 1);
    for (int slot = 0; slot < 16; ++slot) {
        EXPECT_EQ(game->m_slotData[slot].GetInt(R::kMapId), 266);
        EXPECT_EQ(game->CountCompletion(slot), 0);
    }
    EXPECT_TRUE(dir.List().empty()) << "loading writes nothing";
    EXPECT_NE(log.find("no \"save\""), std::string::npos) << log;
}

TEST_F(SaveGameTest, SlotProgressSurvivesALostSystemFile) {
    // "save" gone (deleted, or unreadable): the slots still load, and the
    // next save keeps their progress.
    CCharacterNinja player;
    game->m_currentSlot = 2;
    game->m_mapId = 270;
    game->m_slotData[2].SetSlotFlag(12, 1);
    TouchSavePoint(player, 1200, 800);
    game->m_currentSlot = 5;
    game->m_player = &player;
    game->TakeResumeSnapshot();
    game->m_player = nullptr;
    ASSERT_TRUE(dir.Exists("saveslot02"));
    std::remove(dir.File("save").c_str());

    Restart();
    EXPECT_NE(log.find("no \"save\""), std::string::npos) << log;
    EXPECT_EQ(game->m_slotData[2].GetInt(R::kMapId), 270);
    EXPECT_EQ(game->m_slotData[2].GetSlotFlag(12), 1);
    EXPECT_TRUE(game->m_slotData[5].HasResumePoint());
    EXPECT_TRUE(game->m_resumeData[5].HasResumePoint());
    game->m_currentSlot = 2;
    TouchSavePoint(player, 1200, 800);
    Restart();
    EXPECT_EQ(game->m_slotData[2].GetSlotFlag(12), 1);
    EXPECT_EQ(game->m_slotData[2].GetInt(R::kMapId), 270);
}

TEST_F(SaveGameTest, OnlyRegularFilesAreReadAndNothingWaitsOnAPipe) {
    // A pipe under the name "save" and a device under "resume05": loading
    // neither waits for a writer nor reads the device's bytes as a record.
    ASSERT_EQ(mkfifo(dir.File("save").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/urandom", dir.File("resume05").c_str()), 0);
    std::atomic<bool> done{false};
    std::thread loader([&] {
        Restart();
        done = true;
    });
    for (int i = 0; i < 200 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool finished = done;
    if (!finished) {
        // Free the loader: a writer appears and leaves at once.
        const int fd = open(dir.File("save").c_str(), O_WRONLY);
        if (fd >= 0) close(fd);
    }
    loader.join();
    EXPECT_TRUE(finished) << "loading waited on the pipe";
    EXPECT_NE(log.find("not a regular file"), std::string::npos) << log;
    CSaveData fresh;
    fresh.SetNewGameDefaults();
    EXPECT_EQ(Block(game->m_resumeData[5]), Block(fresh));
    EXPECT_EQ(game->m_gold, 0);
}

TEST_F(SaveGameTest, AnOverlongFileIsReadByItsFirstBlockAndReported) {
    SnapshotIn(1, 271);
    std::vector<uint8_t> bytes = dir.Read("resume01");
    ASSERT_EQ(bytes.size(), CSaveData::kSize);
    bytes.resize(CSaveData::kSize + 100, 0xAB);
    dir.Write("resume01", bytes);
    log.clear();

    Restart();
    EXPECT_EQ(game->m_resumeData[1].GetInt(R::kMapId), 271);
    EXPECT_TRUE(game->m_resumeData[1].HasResumePoint());
    EXPECT_NE(log.find("\"resume01\" holds 65636 bytes"), std::string::npos) << log;
}

TEST_F(SaveGameTest, TheSystemRecordSurvivesARestart) {
    game->m_gameMode = 2;
    game->m_gold = 4321;
    game->m_language = 1;
    game->m_vibration = 3;
    game->m_clearFlags[0] = 8 | 4;
    game->m_clearFlags[5] = 0x1FF;
    CItem::GetInstance()->SetCount(2, 3);
    CItem::GetInstance()->SetFlag(2, 1);
    CItem::GetInstance()->SetCount(17, 1);
    CItem::GetInstance()->SetFlag(17, 1);
    CSoundManager::GetInstance()->SetMusicVolume(40);
    CSoundManager::GetInstance()->SetSEVolume(10);
    game->SaveGlobalData();
    ASSERT_EQ(dir.Size("save"), 65536);
    const std::vector<uint8_t> bytes = dir.Read("save");
    EXPECT_EQ(bytes[0x248], 2);
    EXPECT_EQ(bytes[0x24C] | bytes[0x24D] << 8, 4321);
    EXPECT_EQ(bytes[0x008 + 5], 0xFF);
    EXPECT_EQ(bytes[0x390], 10);
    EXPECT_EQ(bytes[0x394], 40);

    Restart();
    EXPECT_EQ(game->m_gameMode, 2);
    EXPECT_EQ(game->m_gold, 4321);
    EXPECT_EQ(game->m_language, 1);
    EXPECT_EQ(game->m_vibration, 3);
    EXPECT_EQ(game->m_clearFlags[0], 12);
    EXPECT_EQ(game->m_clearFlags[5], 0xFF);
    EXPECT_EQ(game->m_selectedCharacter, 3);
    EXPECT_EQ(CItem::GetInstance()->GetCount(2), 3);
    EXPECT_EQ(CItem::GetInstance()->GetFlag(17), 1);
    EXPECT_EQ(CItem::GetInstance()->GetFlag(15), 0);
    EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 40);
    EXPECT_EQ(CSoundManager::GetInstance()->GetSEVolume(), 10);

    // No character flagged in the file: the selection stays, and its kind
    // is owned.
    std::vector<uint8_t> none = dir.Read("save");
    for (int kind = 15; kind <= 18; ++kind) none[0x350 + kind] = 0;
    dir.Write("save", none);
    StartFresh();
    game->m_selectedCharacter = 4;
    game->LoadAllSlots();
    EXPECT_EQ(game->m_selectedCharacter, 4);
    EXPECT_EQ(CItem::GetInstance()->GetFlag(18), 1);
    EXPECT_EQ(CItem::GetInstance()->GetCount(18), 1);
}

TEST_F(SaveGameTest, ASavePointsProgressSurvivesARestart) {
    game->LoadAllSlots();
    CCharacterNinja player;
    game->m_currentSlot = 3;
    game->m_mapId = 268;
    game->m_slotData[3].SetSlotFlag(9, 1);
    game->m_slotData[3].SetInt(R::kKeyCount, 2);
    player.shurikenAmmo = 17;
    TouchSavePoint(player, 5000, 2400);
    EXPECT_TRUE(dir.Exists("saveslot03"));
    EXPECT_FALSE(dir.Exists("saveslot02"));
    ASSERT_EQ(dir.Size("resume03"), 65536);
    EXPECT_FALSE(dir.Read("resume03")[0x448]) << "the save point drops the snapshot";

    Restart();
    const CSaveData& slot = game->m_slotData[3];
    EXPECT_EQ(slot.GetInt(R::kMapId), 268);
    EXPECT_EQ(slot.GetSlotFlag(9), 1);
    EXPECT_EQ(slot.GetInt(R::kKeyCount), 2);
    EXPECT_EQ(slot.GetInt(R::kShurikenAmmo), 17);
    EXPECT_EQ(slot.GetInt(R::kResumeX), 5000);
    EXPECT_EQ(game->CountCompletion(3), 100 / 278);
}

TEST_F(SaveGameTest, AnEraseSurvivesARestartAndClearsTheKeys) {
    game->LoadAllSlots();
    CCharacterNinja player;
    game->m_currentSlot = 1;
    game->m_mapId = 270;
    game->m_slotData[1].SetInt(R::kKeyCount, 5);
    game->m_slotData[1].SetSlotFlag(50, 1);
    TouchSavePoint(player, 100, 100);
    ++game->m_frameCount;

    // The save-slot screen's erase.
    game->ResetResumeRecordAt(1);
    game->SaveResumeRecords();
    game->NewGameInSlot(1);
    game->SaveGlobalData();

    Restart();
    EXPECT_EQ(game->m_slotData[1].GetInt(R::kMapId), 266);
    EXPECT_EQ(game->m_slotData[1].GetInt(R::kKeyCount), 0);
    EXPECT_EQ(game->m_slotData[1].GetSlotFlag(50), 0);
}

TEST_F(SaveGameTest, APauseChoiceKeepsUnsavedProgressOffTheDisk) {
    game->LoadAllSlots();
    CCharacterNinja player;
    game->m_currentSlot = 0;
    game->m_mapId = 267;
    TouchSavePoint(player, 100, 100);
    ++game->m_frameCount;

    game->m_slotData[0].SetSlotFlag(30, 1);  // collected after the save
    game->ResetResumeRecord();                // a choice on the pause screen
    game->SaveResumeRecords();
    ++game->m_frameCount;
    game->SaveGlobalData();  // e.g. the stage-clear screen, frames later

    Restart();
    EXPECT_EQ(game->m_slotData[0].GetSlotFlag(30), 0);
    EXPECT_EQ(game->m_slotData[0].GetInt(R::kMapId), 267);
}

TEST_F(SaveGameTest, ASnapshotHoldsTheSlotThePlayerAndItsPlace) {
    game->SaveGlobalData();
    game->LoadAllSlots();
    CCharacterNinja player;
    game->m_player = &player;
    game->m_currentSlot = 5;
    game->m_mapId = 267;
    game->m_slotData[5].SetSlotFlag(851, 1);
    game->m_slotData[5].SetInt(R::kPlayTime, 999);
    game->m_slotData[5].SetInt(R::kKeyCount, 3);
    player.hp = 2300;      // full life with all twenty life tanks
    player.gauge = 23000;  // a full gauge with all twenty scrolls
    player.x = 3000;
    player.y = 2000;
    player.facing = -1;
    player.bombAmmo = 4;
    game->TakeResumeSnapshot();

    CSaveData onDisk;
    ASSERT_EQ(dir.Size("resume05"), 65536);
    ASSERT_TRUE(onDisk.Load(dir.Read("resume05").data(), dir.Size("resume05")));
    // Each field at its place in the file, little-endian.
    struct Field {
        std::size_t offset;
        int32_t value;
    };
    const Field fields[] = {{0x004, 267},   {0x00C, 4},       {0x03C, 3},    {0x040, 999}, {0x44C, 2300},
                            {0x450, 23000}, {0x454, 3000},    {0x458, 2000}, {0x45C, -1}};
    auto at = [](const std::vector<uint8_t>& b, std::size_t o) {
        return static_cast<int32_t>(static_cast<uint32_t>(b[o]) | static_cast<uint32_t>(b[o + 1]) << 8 |
                                    static_cast<uint32_t>(b[o + 2]) << 16 | static_cast<uint32_t>(b[o + 3]) << 24);
    };
    const std::vector<uint8_t> file = dir.Read("resume05");
    for (const Field& f : fields) EXPECT_EQ(at(file, f.offset), f.value) << std::hex << f.offset;
    EXPECT_EQ(file[0x048 + 851], 1);
    EXPECT_EQ(file[0x448], 1) << "the resume flag";
    EXPECT_EQ(std::memcmp(onDisk.Bytes(), game->m_slotData[5].Bytes(), R::kUsedSize), 0);
    for (int slot = 0; slot < 16; ++slot) {
        char name[16];
        std::snprintf(name, sizeof name, "resume%02d", slot);
        EXPECT_EQ(dir.Size(name), 65536) << name;
    }

    Restart();
    EXPECT_TRUE(game->m_slotData[5].HasResumePoint());
    EXPECT_EQ(game->m_slotData[5].GetSlotFlag(851), 1);
    EXPECT_EQ(std::memcmp(game->m_resumeData[5].Bytes(), game->m_slotData[5].Bytes(), R::kUsedSize), 0);
    // The load keeps every value as the snapshot stored it.
    const std::vector<uint8_t> loaded = Block(game->m_resumeData[5]);
    for (const Field& f : fields) EXPECT_EQ(at(loaded, f.offset), f.value) << std::hex << f.offset;

    // Without "save" the snapshot still loads.
    std::remove(dir.File("save").c_str());
    Restart();
    EXPECT_TRUE(game->m_slotData[5].HasResumePoint());
}

TEST_F(SaveGameTest, ASlotShowsAResumePointOnlyWhileItsSnapshotHoldsOne) {
    game->SaveGlobalData();
    game->LoadAllSlots();
    CCharacterNinja player;
    game->m_player = &player;
    game->m_currentSlot = 2;
    game->m_mapId = 266;
    game->TakeResumeSnapshot();
    ++game->m_frameCount;
    game->ResetResumeRecord();  // the continue screen
    game->SaveResumeRecords();
    Restart();
    EXPECT_FALSE(game->m_slotData[2].HasResumePoint());

    game->m_currentSlot = 4;
    game->TakeResumeSnapshot();
    std::remove(dir.File("resume04").c_str());
    Restart();
    EXPECT_FALSE(game->m_slotData[4].HasResumePoint()) << "a missing snapshot file clears the mark";
}

TEST_F(SaveGameTest, AFailedSaveKeepsThePreviousFile) {
    game->m_gold = 10;
    game->SaveGlobalData();
    const std::vector<uint8_t> before = dir.Read("save");
    ASSERT_EQ(before.size(), 65536u);
    game->m_gold = 20;
    log.clear();
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::ShortWrite);
    game->SaveGlobalData();
    EXPECT_EQ(dir.Read("save"), before);
    EXPECT_NE(log.find("was not saved"), std::string::npos);
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::FlushError);
    game->SaveResumeRecords();
    EXPECT_FALSE(dir.Exists("resume00"));
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
    Restart();
    EXPECT_EQ(game->m_gold, 10);
}

TEST_F(SaveGameTest, TempFilesOfAKilledRunAreRemovedAtStart) {
    const std::vector<uint8_t> users(100, 7);
    // The user's files, some named much like the game's temporary files.
    const std::vector<std::string> kept = {"letter.txt",
                                           "notes.tmp",
                                           "save.tmp-backup",
                                           "save.tmp-pellumbrisk-abc",
                                           "save.tmp-pellumbrisk-AAAAAA.txt",
                                           "score.tmp-pellumbrisk-AAAAAA",
                                           "saveslot16.tmp-pellumbrisk-AAAAAA"};
    for (const std::string& name : kept) dir.Write(name, users);
    // Under the temporary files' names, only a regular file of one block
    // (65,536 bytes) at most is what a killed save leaves: folders, links
    // (to a file or nowhere), pipes and larger files stay.
    struct Entry {
        const char* name;
        const char* kind;
        std::size_t size;  // of a file
        bool removed;
    };
    const Entry entries[] = {
        {"save.tmp", "file", 30000, true},
        {"saveslot15.tmp", "file", 0, true},
        {"save.tmp-pellumbrisk-x7Q2aZ", "file", 65536, true},
        {"resume15.tmp-pellumbrisk-000000", "file", 0, true},
        {"resume03.tmp", "file", 65537, false},
        {"saveslot04.tmp-pellumbrisk-CCCCCC", "file", 1000000, false},
        {"resume02.tmp", "folder", 0, false},
        {"saveslot02.tmp-pellumbrisk-BBBBBB", "folder", 0, false},
        {"resume07.tmp", "link to a file", 0, false},
        {"saveslot00.tmp-pellumbrisk-ZZZZZZ", "link to a file", 0, false},
        {"resume08.tmp", "link that leads nowhere", 0, false},
        {"saveslot09.tmp", "pipe", 0, false},
    };
    const auto make = [&](const Entry& e) {
        const std::string kind = e.kind, at = dir.File(e.name);
        if (kind == "file") dir.Write(e.name, std::vector<uint8_t>(e.size, 1));
        if (kind == "folder") return mkdir(at.c_str(), 0755) == 0;
        if (kind == "link to a file") return symlink(dir.File("letter.txt").c_str(), at.c_str()) == 0;
        if (kind == "link that leads nowhere") return symlink(dir.File("gone").c_str(), at.c_str()) == 0;
        if (kind == "pipe") return mkfifo(at.c_str(), 0600) == 0;
        return dir.Size(e.name) == static_cast<long>(e.size);
    };
    for (const Entry& e : entries) ASSERT_TRUE(make(e)) << e.name;
    Restart();
    std::vector<std::string> left = dir.List();
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = kept;
    for (const Entry& e : entries)
        if (!e.removed) expected.push_back(e.name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected) << "only the game's own are removed";
    EXPECT_EQ(dir.Read("letter.txt"), users);
    EXPECT_NE(log.find("save.tmp, left by an interrupted save"), std::string::npos) << log;
}

// The first offset in from..to at which the two differ; -1 when none does.
long FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (i >= a.size() || i >= b.size() || a[i] != b[i]) return static_cast<long>(i);
    }
    return -1;
}

// Progress worth keeping in all three kinds of file: settings and money in
// "save", a save point and then a snapshot in slot 3.
void SaveSomeProgress(CGameMain* game, const std::function<void(CCharacterPlayer&, int32_t, int32_t)>& touch) {
    game->m_gold = 4321;
    game->m_clearFlags[0] = 2 | 8;
    game->m_clearFlags[7] = 1;
    game->m_language = 1;
    CSoundManager::GetInstance()->SetMusicVolume(40);
    CItem::GetInstance()->SetCount(2, 3);
    CCharacterNinja player;
    player.shurikenAmmo = 17;
    player.bombAmmo = 4;
    player.hp = 250;
    player.x = 1500;
    player.y = 800;
    player.facing = -1;
    game->m_currentSlot = 3;
    game->m_mapId = 271;
    game->m_slotData[3].SetSlotFlag(9, 1);
    game->m_slotData[3].SetSlotFlag(951, 1);  // the last flag within 1,024 bytes
    game->m_slotData[3].SetInt(R::kKeyCount, 2);
    touch(player, 5000, 2400);
    game->m_player = &player;
    game->TakeResumeSnapshot();
    game->m_player = nullptr;
}

TEST_F(SaveGameTest, AShortFileKeepsItsFieldsThroughALoadAndASave) {
    // "save" cut at 1,024 bytes still holds every field (they end at 0x3A0);
    // a slot record cut inside its flag table; a snapshot cut after its
    // resume point. Each is loaded, then written again by the save that
    // comes next in play: the option screen's "BACK", a pick-up in the slot,
    // a snapshot in another slot (which writes every resume file). From
    // `kept` on, the bytes in the short file reach the new one unchanged.
    struct Case {
        const char* file;
        std::size_t cut;
        std::size_t kept;
    };
    const Case cases[] = {{"save", 1024, 0}, {"saveslot03", 1024, 0x048}, {"resume03", 0x460, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string file = c.file;
        SaveTestDir folder;
        StartFresh();
        SaveSomeProgress(game, [this](CCharacterPlayer& p, int32_t x, int32_t y) { TouchSavePoint(p, x, y); });
        const std::vector<uint8_t> whole = folder.Read(file);
        ASSERT_EQ(whole.size(), 65536u);
        ASSERT_EQ(truncate(folder.File(file).c_str(), static_cast<off_t>(c.cut)), 0);
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(c.cut));

        StartFresh();
        CSaveData& record = file == "save"         ? game->m_systemData
                            : file == "saveslot03" ? game->m_slotData[3]
                                                   : game->m_resumeData[3];
        const std::vector<uint8_t> before = Block(record);
        log.clear();
        EXPECT_TRUE(game->LoadAllSlots());
        EXPECT_NE(log.find("\"" + file + "\" holds " + std::to_string(c.cut) + " bytes, less than a save block"),
                  std::string::npos)
            << log;
        EXPECT_EQ(log.find("missing"), std::string::npos) << log;
        // The file's bytes, and past its end what the record held before the
        // read: at start-up, what a new process holds.
        const std::vector<uint8_t> loaded = Block(record);
        EXPECT_EQ(FirstDifference(loaded, cut, 0, c.cut), -1);
        EXPECT_EQ(FirstDifference(loaded, before, c.cut, 65536), -1);
        // What the title shows.
        EXPECT_EQ(game->m_gold, 4321);
        EXPECT_EQ(game->m_clearFlags[0], 10);
        EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 40);
        EXPECT_EQ(game->m_slotData[3].GetSlotFlag(9), 1);
        EXPECT_EQ(game->m_slotData[3].GetSlotFlag(951), 1);
        EXPECT_EQ(game->m_slotData[3].GetInt(R::kKeyCount), 2);
        EXPECT_EQ(game->m_resumeData[3].GetInt(R::kMapId), 271);
        EXPECT_TRUE(game->m_resumeData[3].HasResumePoint());

        if (file == "save") {
            EXPECT_TRUE(game->SaveGlobalData());
        } else if (file == "saveslot03") {
            SnapshotIn(3, 271);
        } else {
            SnapshotIn(5, 266);
        }
        const std::vector<uint8_t> saved = folder.Read(file);
        ASSERT_EQ(saved.size(), 65536u);
        EXPECT_EQ(FirstDifference(saved, cut, c.kept, c.cut), -1);
        Restart();
        EXPECT_EQ(game->m_gold, 4321);
        EXPECT_EQ(game->m_slotData[3].GetSlotFlag(951), 1);
        EXPECT_TRUE(game->m_resumeData[3].HasResumePoint());
    }
}

// A file that ends inside a 32-bit value: that value keeps what memory
// holds at the title's re-read (not the file's first bytes over memory's
// last ones: gold 74,565 in the file and 999 in memory, cut at byte 589,
// would load 837), while a value the file holds whole is read.
TEST_F(SaveGameTest, AValueTheFileEndsInsideKeepsWhatMemoryHolds) {
    struct Case {
        const char* file;
        std::size_t offset, cut;
        int32_t inFile, inMemory, loaded;
    };
    const Case cases[] = {
        {"save", 0x24C, 589, 74565, 999, 999},             // gold
        {"save", 0x24C, 0x250, 74565, 999, 74565},         // gold held whole
        {"save", 0x258, 0x25B, 300, 7, 7},                 // the count of item kind 2
        {"save", 0x394, 0x396, 30, 80, 80},                // music volume
        {"saveslot02", 0x004, 0x006, 270, 268, 268},       // stage
        {"saveslot02", 0x03C, 0x03D, 700, 5, 5},           // keys
        {"saveslot02", 0x040, 0x043, 123456, 9000, 9000},  // play time
        {"resume02", 0x454, 0x457, 5000, 1500, 1500},      // resume x
        {"resume02", 0x454, 0x458, 5000, 1500, 5000},      // resume x held whole
    };
    for (const Case& c : cases) {
        const std::string file = c.file;
        SCOPED_TRACE(file + " cut at " + std::to_string(c.cut));
        CSaveData& record = file == "save"         ? game->m_systemData
                            : file == "saveslot02" ? game->m_slotData[2]
                                                   : game->m_resumeData[2];
        CSaveData written;
        if (file != "save") written.SetNewGameDefaults();
        written.SetInt(c.offset, c.inFile);
        dir.Write(file, std::vector<uint8_t>(written.Bytes(), written.Bytes() + c.cut));
        record.SetInt(c.offset, c.inMemory);
        game->LoadAllSlots();
        EXPECT_EQ(record.GetInt(c.offset), c.loaded);
        if (c.offset == 0x24C) {
            EXPECT_EQ(game->m_gold, c.loaded);
        }
    }
}

TEST_F(SaveGameTest, AFileThePlayerCannotReadIsNeverSavedOver) {
    // The player's own file with mode 000, or another user's with mode 0600,
    // judged as for a player without root's privileges.
    struct Case {
        const char* file;
        bool otherUser;
    };
    const Case cases[] = {{"save", false}, {"save", true}, {"saveslot03", false}, {"resume03", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.otherUser ? ", another user's" : ", the player's own"));
        const std::string file = c.file;
        SaveTestDir folder;
        StartFresh();
        SaveSomeProgress(game, [this](CCharacterPlayer& p, int32_t x, int32_t y) { TouchSavePoint(p, x, y); });
        const std::string path = folder.File(file);
        const std::vector<uint8_t> bytes = folder.Read(file);
        ASSERT_EQ(bytes.size(), 65536u);
        // Only root can give a file to another user.
        if (c.otherUser && (geteuid() != 0 || chown(path.c_str(), 65534, 65534) != 0)) continue;
        ASSERT_EQ(chmod(path.c_str(), c.otherUser ? 0600 : 0000), 0);
        struct stat before;
        ASSERT_EQ(stat(path.c_str(), &before), 0);

        // Found unreadable by the title's re-read while the game runs: slot
        // 3 and its snapshot keep what memory holds, byte for byte, rather
        // than fall back to a new game.
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::NoPrivilege);
        const auto bytesOf = [](const CSaveData& r) { return std::vector<uint8_t>(r.Bytes(), r.Bytes() + 65536); };
        const std::vector<uint8_t> slotHeld = bytesOf(game->m_slotData[3]);
        const std::vector<uint8_t> resumeHeld = bytesOf(game->m_resumeData[3]);
        ASSERT_EQ(game->m_slotData[3].GetSlotFlag(9), 1);
        game->LoadAllSlots();
        EXPECT_EQ(game->m_slotData[3].GetSlotFlag(9), 1);
        EXPECT_TRUE(bytesOf(game->m_slotData[3]) == slotHeld) << "the slot record keeps what memory holds";
        EXPECT_TRUE(bytesOf(game->m_resumeData[3]) == resumeHeld) << "the resume record keeps what memory holds";
        // A new run knows nothing of this one's unreadable files.
        CSaveFile::ForgetFailedWrites();

        StartFresh();
        log.clear();
        EXPECT_EQ(game->LoadAllSlots(), file != "save");
        EXPECT_EQ(game->m_gold, file == "save" ? 0 : 4321) << "an unreadable \"save\" leaves the settings in memory";
        // The title's saves: "CONFIG" then "BACK"; a new game in slot 3; the
        // title again, and "BACK" again.
        CSoundManager::GetInstance()->SetMusicVolume(30);
        game->SaveGlobalData();
        game->ResetResumeRecordAt(3);
        game->SaveResumeRecords();
        game->NewGameInSlot(3);
        game->SaveGlobalData();
        game->LoadAllSlots();
        EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 30);
        game->SaveGlobalData();

        struct stat after;
        ASSERT_EQ(stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << "not replaced";
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_size, 65536);
        const std::string message =
            "cannot read " + path + " (Permission denied), so the game will not save over it; it plays on";
        const std::size_t said = log.find(message);
        EXPECT_NE(said, std::string::npos) << log;
        EXPECT_EQ(log.find(message, said + 1), std::string::npos) << "said once: " << log;
        EXPECT_EQ(log.find("\"" + file + "\" was not saved"), std::string::npos) << log;
        for (const char* other : {"save", "saveslot03", "resume03"}) {
            if (file != other) {
                EXPECT_EQ(folder.Size(other), 65536) << other << " is saved as ever";
            }
        }

        // Readable again: the title reads it, and saves go on as ever.
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
        ASSERT_EQ(chmod(path.c_str(), 0644), 0);
        EXPECT_EQ(folder.Read(file), bytes) << "byte for byte as it was";
        game->LoadAllSlots();
        if (file == "save") {
            EXPECT_EQ(game->m_gold, 4321);
        }
        if (file == "saveslot03") {
            EXPECT_EQ(game->m_slotData[3].GetSlotFlag(9), 1);
        }
        if (file == "resume03") {
            EXPECT_TRUE(game->m_resumeData[3].HasResumePoint());
        }
        EXPECT_TRUE(game->SaveGlobalData());
        EXPECT_TRUE(game->SaveResumeRecords());
    }
}

TEST_F(SaveGameTest, AFailedSaveKeepsWhatMemoryHoldsThroughTheTitlesReRead) {
    // Each way a write fails, a read-only folder's refused create among them.
    for (CSaveFile::Fault fault : {CSaveFile::Fault::CreateError, CSaveFile::Fault::ShortWrite,
                                   CSaveFile::Fault::WriteError, CSaveFile::Fault::FlushError,
                                   CSaveFile::Fault::RenameError}) {
        SCOPED_TRACE(static_cast<int>(fault));
        SaveTestDir folder;
        Restart();
        game->SaveGlobalData();
        SnapshotIn(3, 267);
        const std::vector<uint8_t> onDisk = folder.Read("save");
        ASSERT_EQ(onDisk.size(), 65536u);
        CSaveFile::SetFaultForTesting(fault);
        CSoundManager::GetInstance()->SetMusicVolume(70);  // the option screen
        EXPECT_FALSE(game->SaveGlobalData());
        game->m_slotData[3].SetSlotFlag(40, 1);  // a pick-up
        EXPECT_FALSE(game->TakeResumeSnapshot());
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);

        game->LoadAllSlots();  // back at the title
        EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 70);
        EXPECT_EQ(game->m_resumeData[3].GetSlotFlag(40), 1);
        EXPECT_NE(log.find("memory is newer than \"save\", "), std::string::npos) << log;
        EXPECT_EQ(folder.Read("save"), onDisk) << "the disk still holds the old settings";
        // Once a save of the file gets through, the file counts again.
        EXPECT_TRUE(game->SaveGlobalData());
        CSoundManager::GetInstance()->SetMusicVolume(20);
        game->LoadAllSlots();
        EXPECT_EQ(CSoundManager::GetInstance()->GetMusicVolume(), 70);
    }
}

TEST_F(SaveGameTest, UnknownSlotNumbersAreIgnored) {
    game->m_currentSlot = 16;
    game->ResetResumeRecord();
    game->TakeResumeSnapshot();
    game->ResetResumeRecordAt(-1);
    game->NewGameInSlot(99);
    EXPECT_EQ(game->CountCompletion(-5), 0);
    EXPECT_EQ(game->CountCompletion(16), 0);
    EXPECT_TRUE(dir.List().empty());
}

// Contents of a damaged or foreign file, and whether it holds none of the
// fields (the record then keeps what it held).
struct Corruption {
    const char* name;
    std::vector<uint8_t> bytes;
    bool noFields;
};

std::vector<Corruption> Corruptions() {
    std::mt19937 rng(1234);
    std::vector<uint8_t> noise(65536);
    for (uint8_t& b : noise) b = static_cast<uint8_t>(rng());
    std::vector<uint8_t> long70k(70000);
    for (uint8_t& b : long70k) b = static_cast<uint8_t>(rng());
    std::vector<uint8_t> minimum(65536, 0x00), maximum(65536, 0xFF), highest(65536, 0);
    // Every 32-bit field at INT32_MIN (0x80000000), or at INT32_MAX.
    for (std::size_t i = 0; i + 4 <= 65536; i += 4) {
        minimum[i + 3] = 0x80;
        highest[i] = highest[i + 1] = highest[i + 2] = 0xFF;
        highest[i + 3] = 0x7F;
    }
    return {
        {"empty", {}, true},
        {"one byte", {1}, true},
        {"one byte short", std::vector<uint8_t>(65535, 1), false},
        {"70,000 bytes", long70k, false},
        {"random bytes", noise, false},
        {"every field at its minimum", minimum, false},
        {"every field at its maximum", highest, false},
        {"every byte 0xFF", maximum, false},
    };
}

void ExpectSaneGame(CGameMain* game, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_GE(game->m_gameMode, 0);
    EXPECT_LE(game->m_gameMode, 2);
    EXPECT_GE(game->m_gold, 0);
    EXPECT_LE(game->m_gold, 999999);
    EXPECT_GE(game->m_vibration, 0);
    EXPECT_LE(game->m_vibration, 3);
    EXPECT_GE(game->m_selectedCharacter, 1);
    EXPECT_LE(game->m_selectedCharacter, 4);
    for (int32_t v : {CSoundManager::GetInstance()->GetMusicVolume(), CSoundManager::GetInstance()->GetSEVolume()}) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 100);
    }
    int characters = 0;
    for (int kind = 0; kind < 19; ++kind) {
        EXPECT_GE(CItem::GetInstance()->GetCount(kind), 0);
        EXPECT_LE(CItem::GetInstance()->GetFlag(kind), 1);
        if (kind >= 15 && CItem::GetInstance()->GetFlag(kind)) ++characters;
    }
    EXPECT_EQ(characters, 1);
    for (const CSaveData* r : {&game->m_slotData[0], &game->m_resumeData[0]}) {
        EXPECT_GE(r->GetInt(R::kMapId), 266);
        EXPECT_LE(r->GetInt(R::kMapId), 273);
        EXPECT_GE(r->GetInt(R::kShurikenAmmo), -1);
        EXPECT_LE(r->GetInt(R::kShurikenAmmo), 200);
        for (int i = 0; i < 3; ++i) {
            EXPECT_GE(r->GetInt(R::kEquipSlots + 4 * i), 0);
            EXPECT_LE(r->GetInt(R::kEquipSlots + 4 * i), 10);
        }
        EXPECT_GE(r->GetInt(R::kCurrentWeapon), 1);
        EXPECT_LE(r->GetInt(R::kCurrentWeapon), 10);
        EXPECT_GE(r->GetInt(R::kKeyCount), 0);
        EXPECT_GE(r->GetInt(R::kPlayTime), 0);
        for (int f = 0; f < 1024; ++f) ASSERT_LE(r->GetSlotFlag(f), 1) << f;
        if (r->HasResumePoint()) {
            EXPECT_EQ(r->GetByte(R::kResumeFlag), 1);
            EXPECT_GE(r->GetInt(R::kResumeHp), 1);
            EXPECT_TRUE(r->GetInt(R::kResumeFacing) == 1 || r->GetInt(R::kResumeFacing) == -1);
            int32_t w = 0, h = 0;
            ASSERT_TRUE(GetStagePlayfield(r->GetInt(R::kMapId), w, h));
            EXPECT_GE(r->GetInt(R::kResumeX), 0);
            EXPECT_LE(r->GetInt(R::kResumeX), w);
            EXPECT_GE(r->GetInt(R::kResumeY), 0);
            EXPECT_LE(r->GetInt(R::kResumeY), h);
        }
    }
    if (game->m_slotData[0].HasResumePoint()) {
        EXPECT_TRUE(game->m_resumeData[0].HasResumePoint());
    }
    const int32_t completion = game->CountCompletion(0);
    EXPECT_GE(completion, 0);
    EXPECT_LE(completion, 100);
}

TEST_F(SaveGameTest, DamagedFilesLoadIntoSaneValues) {
    for (const Corruption& c : Corruptions()) {
        for (const char* file : {"save", "saveslot00", "resume00"}) {
            SCOPED_TRACE(std::string(c.name) + " in " + file);
            // Start from a good set of files with something worth keeping.
            game->m_gold = 777;
            game->SaveGlobalData();
            SnapshotIn(0, 269);
            dir.Write(file, c.bytes);
            log.clear();

            Restart();
            ExpectSaneGame(game, std::string(c.name) + " in " + file);
            if (c.bytes.size() < 65536) {
                EXPECT_NE(log.find("less than a save block"), std::string::npos) << log;
            }
            if (c.noFields) {
                if (std::string(file) == "save") {
                    EXPECT_EQ(game->m_gold, 0) << "the settings stay at their defaults";
                } else {
                    EXPECT_EQ(game->m_slotData[0].GetInt(R::kMapId), std::string(file) == "saveslot00" ? 266 : 269);
                    EXPECT_FALSE(game->m_slotData[0].HasResumePoint());
                }
            }
        }
    }
}

}  // namespace

TEST_F(SaveGameTest, SaveOperationsReportWhatReachedTheDisk) {
    EXPECT_FALSE(game->LoadAllSlots());  // no "save" yet
    EXPECT_TRUE(game->SaveGlobalData());
    EXPECT_TRUE(game->SaveResumeRecords());
    EXPECT_TRUE(game->LoadAllSlots());
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::RenameError);
    EXPECT_FALSE(game->SaveGlobalData());
    EXPECT_FALSE(game->SaveResumeRecords());
    EXPECT_FALSE(game->TakeResumeSnapshot());
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
    EXPECT_TRUE(game->TakeResumeSnapshot());
    // "save" gets through, but the slot file of the save point cannot be
    // written (a folder stands under its name).
    ASSERT_EQ(mkdir(dir.File("saveslot06").c_str(), 0755), 0);
    game->ResetResumeRecordAt(6);  // the save-slot screen's new game
    game->SaveResumeRecords();
    game->NewGameInSlot(6);
    EXPECT_FALSE(game->SaveGlobalData());
    EXPECT_EQ(dir.Size("save"), 65536);
    game->m_currentSlot = 6;
    EXPECT_FALSE(game->TakeResumeSnapshot()) << "its slot file cannot be written";
    // One resume file of the sixteen cannot be written.
    std::remove(dir.File("resume03").c_str());
    ASSERT_EQ(mkdir(dir.File("resume03").c_str(), 0755), 0);
    EXPECT_FALSE(game->SaveResumeRecords());
    // "save" itself cannot be written (a folder stands under its name): the
    // save point reports the failure, yet its slot file still gets the
    // progress.
    std::remove(dir.File("save").c_str());
    ASSERT_EQ(mkdir(dir.File("save").c_str(), 0755), 0);
    game->m_currentSlot = 7;
    game->m_mapId = 270;
    game->m_slotData[7].SetSlotFlag(12, 1);
    game->m_slotData[7].SetInt(R::kMapId, 270);
    game->ResetResumeRecord();
    game->SaveResumeRecords();
    EXPECT_FALSE(game->SaveGlobalData());
    const std::vector<uint8_t> slot = dir.Read("saveslot07");
    ASSERT_EQ(slot.size(), 65536u);
    EXPECT_EQ(slot[0x004] | slot[0x005] << 8, 270);
    EXPECT_EQ(slot[0x048 + 12], 1);
    // A snapshot while "resume03" still cannot be written: reported, yet its
    // own resume file and slot file get the resume point.
    game->m_currentSlot = 8;
    game->m_mapId = 268;
    EXPECT_FALSE(game->TakeResumeSnapshot());
    for (const char* name : {"resume08", "saveslot08"}) {
        const std::vector<uint8_t> bytes = dir.Read(name);
        ASSERT_EQ(bytes.size(), 65536u) << name;
        EXPECT_EQ(bytes[0x004] | bytes[0x005] << 8, 268) << name;
        EXPECT_EQ(bytes[0x448], 1) << name;
    }
}
