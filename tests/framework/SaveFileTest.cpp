#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "framework/SaveData.h"
#include "framework/SaveTestDir.h"
#include "win/DebugLog.h"
#include "win/SaveFile.h"

namespace {

std::vector<uint8_t> Pattern(std::size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

// Temporary files of writes still in the folder.
int WriteTempsLeft(const SaveTestDir& dir) {
    int n = 0;
    for (const std::string& entry : dir.List()) n += entry.find(".tmp-pellumbrisk-") != std::string::npos;
    return n;
}

bool WriteBlock(CSaveFile& file, const char* name, const std::vector<uint8_t>& bytes) {
    if (!file.OpenWrite(name)) return false;
    uint32_t written = 0;
    const bool wrote = file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written);
    const bool closed = file.Close();
    return wrote && closed;
}

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugLogSink([this](const char* text) { log += text; });
    }
    void TearDown() override { SetDebugLogSink(nullptr); }

    std::string log;
};

TEST_F(SaveFileTest, FilesLieBesideTheExecutableUnlessTestsChooseADirectory) {
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(n, 0);
    std::string dir(exe, static_cast<std::size_t>(n));
    dir.erase(dir.rfind('/') + 1);
    EXPECT_EQ(CSaveFile::GetBaseDirectory(), dir);
    {
        SaveTestDir temp;
        EXPECT_EQ(CSaveFile::GetBaseDirectory(), temp.Path());
    }
    EXPECT_EQ(CSaveFile::GetBaseDirectory(), dir);
}

TEST_F(SaveFileTest, ABlockWrittenIsReadBackWholeEvenWithSpacesAndNonAsciiInThePath) {
    SaveTestDir temp("dir with spaces ぺるん");
    CSaveFile file;
    const std::vector<uint8_t> block = Pattern(CSaveData::kSize, 3);
    ASSERT_TRUE(WriteBlock(file, "save", block));
    EXPECT_EQ(temp.Read("save"), block);

    std::vector<uint8_t> back(CSaveData::kSize + 10, 0);
    ASSERT_TRUE(file.OpenReadSave());
    uint32_t got = 0;
    EXPECT_TRUE(file.Read(back.data(), static_cast<uint32_t>(back.size()), &got));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(got, CSaveData::kSize) << "a read stops at the end of the file";
    EXPECT_TRUE(std::equal(block.begin(), block.end(), back.begin()));
    EXPECT_EQ(temp.List(), std::vector<std::string>{"save"}) << "no temporary file is left";
}

TEST_F(SaveFileTest, AMissingFileCannotBeOpenedForReading) {
    SaveTestDir temp;
    CSaveFile file;
    EXPECT_FALSE(file.OpenRead("saveslot00"));
    EXPECT_FALSE(file.OpenRead(""));
    EXPECT_FALSE(file.OpenRead(nullptr));
    EXPECT_TRUE(temp.List().empty());
    EXPECT_TRUE(log.empty()) << "a missing file is the normal first run";
}

// The listing a load of the saves works from: every name under the prefixes
// (whatever kind of entry it is, in lower case), nothing else, and no
// listing at all rather than a partial one.
TEST_F(SaveFileTest, TheDirectoryListingHoldsTheNamesUnderThePrefixes) {
    SaveTestDir temp;
    for (const char* name : {"save", "saveslot03", "resume07.tmp", "notes.txt", "xsave", "Resume01"})
        temp.Write(name, {1});
    ASSERT_EQ(mkdir(temp.File("savedir").c_str(), 0755), 0);
    std::set<std::string> names{"stale"};
    ASSERT_TRUE(CSaveFile::ListBaseDirectory({"save", "resume"}, names));
    EXPECT_EQ(names, (std::set<std::string>{"save", "saveslot03", "resume07.tmp", "resume01", "savedir"}));
    ASSERT_TRUE(CSaveFile::ListBaseDirectory({"resume"}, names));
    EXPECT_EQ(names, (std::set<std::string>{"resume07.tmp", "resume01"}));
    rmdir(temp.File("savedir").c_str());

    CSaveFile::SetBaseDirectory(temp.File("missing/"));
    EXPECT_FALSE(CSaveFile::ListBaseDirectory({"save"}, names));
    EXPECT_TRUE(names.empty());
}

TEST_F(SaveFileTest, AWriteReplacesALongerFileWhole) {
    SaveTestDir temp;
    temp.Write("resume03", Pattern(70000, 9));
    CSaveFile file;
    ASSERT_TRUE(WriteBlock(file, "resume03", Pattern(CSaveData::kSize, 1)));
    EXPECT_EQ(temp.Size("resume03"), static_cast<long>(CSaveData::kSize));
    // However little is written, it is a write.
    for (std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{16}}) {
        EXPECT_TRUE(WriteBlock(file, "resume03", Pattern(size, 4))) << size;
        EXPECT_EQ(temp.Read("resume03"), Pattern(size, 4)) << size;
    }
}

TEST_F(SaveFileTest, AFailedWriteKeepsTheOldFileAndReportsFailure) {
    const CSaveFile::Fault faults[] = {CSaveFile::Fault::ShortWrite, CSaveFile::Fault::WriteError,
                                       CSaveFile::Fault::FlushError, CSaveFile::Fault::RenameError};
    for (CSaveFile::Fault fault : faults) {
        SaveTestDir temp;
        const std::vector<uint8_t> old = Pattern(CSaveData::kSize, 42);
        temp.Write("save", old);
        CSaveFile::SetFaultForTesting(fault);
        CSaveFile file;
        log.clear();
        EXPECT_FALSE(WriteBlock(file, "save", Pattern(CSaveData::kSize, 1))) << static_cast<int>(fault);
        EXPECT_EQ(temp.Read("save"), old) << static_cast<int>(fault);
        EXPECT_EQ(temp.List(), std::vector<std::string>{"save"}) << "the temporary file is removed";
        EXPECT_NE(log.find("save"), std::string::npos) << "the failure is written to the debug log";
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
        EXPECT_TRUE(WriteBlock(file, "save", Pattern(CSaveData::kSize, 1))) << "the next write works again";
    }
}

TEST_F(SaveFileTest, ALinkUnderTheTempOrTheTargetNameLeavesTheFileItNamesAlone) {
    // A symbolic or hard link to a file of the user's where the save writes
    // its temporary file, or under the save's own name.
    const std::pair<const char*, bool> cases[] = {{"save.tmp", true}, {"save.tmp", false}, {"save", true}, {"save", false}};
    for (const auto& [linkName, symbolic] : cases) {
        SCOPED_TRACE(std::string(linkName) + (symbolic ? " symbolic" : " hard"));
        SaveTestDir temp;
        temp.Write("letter.txt", Pattern(300, 11));
        const std::string target = temp.File("letter.txt"), link = temp.File(linkName);
        ASSERT_EQ(symbolic ? symlink(target.c_str(), link.c_str()) : ::link(target.c_str(), link.c_str()), 0);
        CSaveFile file;
        EXPECT_TRUE(WriteBlock(file, "save", Pattern(CSaveData::kSize, 1)));
        EXPECT_EQ(temp.Read("letter.txt"), Pattern(300, 11)) << "the linked file is untouched";
        struct stat st;
        ASSERT_EQ(lstat(temp.File("save").c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode) && st.st_nlink == 1u);
        EXPECT_EQ(temp.Read("save"), Pattern(CSaveData::kSize, 1));
        EXPECT_EQ(WriteTempsLeft(temp), 0);
    }
}

TEST_F(SaveFileTest, NothingUnderTheOldTempNameStopsAWrite) {
    // What a user or a killed run may leave at "save.tmp": a folder with a
    // file in it (which cannot be removed), a pipe, a link to a folder.
    const char* const cases[] = {"folder", "pipe", "link to a folder"};
    for (const std::string what : cases) {
        SCOPED_TRACE(what);
        SaveTestDir temp;
        const std::string at = temp.File("save.tmp");
        if (what == "folder") {
            ASSERT_EQ(mkdir(at.c_str(), 0755), 0);
            temp.Write("save.tmp/inside", Pattern(10, 3));
        } else if (what == "pipe") {
            ASSERT_EQ(mkfifo(at.c_str(), 0600), 0);
        } else {
            ASSERT_EQ(mkdir(temp.File("elsewhere").c_str(), 0755), 0);
            ASSERT_EQ(symlink(temp.File("elsewhere").c_str(), at.c_str()), 0);
        }
        CSaveFile file;
        EXPECT_TRUE(WriteBlock(file, "save", Pattern(65536, 5)));
        EXPECT_TRUE(WriteBlock(file, "save", Pattern(65536, 6))) << "and again";
        EXPECT_EQ(temp.Read("save"), Pattern(65536, 6));
        EXPECT_EQ(WriteTempsLeft(temp), 0);
        struct stat st;
        EXPECT_EQ(lstat(at.c_str(), &st), 0) << "what was there stays";
        if (what == "folder") {
            EXPECT_EQ(temp.Read("save.tmp/inside"), Pattern(10, 3));
        }
    }
}

TEST_F(SaveFileTest, AShortWriteTellsHowMuchGotThrough) {
    SaveTestDir temp;
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::ShortWrite);
    CSaveFile file;
    ASSERT_TRUE(file.OpenWrite("saveslot01"));
    const std::vector<uint8_t> block = Pattern(CSaveData::kSize, 0);
    uint32_t written = 0;
    EXPECT_FALSE(file.Write(block.data(), CSaveData::kSize, &written));
    EXPECT_EQ(written, CSaveData::kSize / 2);
    EXPECT_NE(log.find("cannot write " + temp.File("saveslot01.tmp-pellumbrisk-")), std::string::npos)
        << "the message names the file that filled the disk: " << log;
    EXPECT_NE(log.find(": No space left"), std::string::npos) << log;
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(temp.Exists("saveslot01")) << "no half block is put in place";
}

TEST_F(SaveFileTest, ClosingAWriteWithNothingWrittenKeepsTheOldFile) {
    SaveTestDir temp;
    const std::vector<uint8_t> old = Pattern(100, 5);
    temp.Write("save", old);
    CSaveFile file;
    ASSERT_TRUE(file.OpenWriteSave());
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(temp.Read("save"), old);
    {
        CSaveFile dropped;
        ASSERT_TRUE(dropped.OpenWriteSave());
        uint32_t written = 0;
        const std::vector<uint8_t> block = Pattern(CSaveData::kSize, 8);
        ASSERT_TRUE(dropped.Write(block.data(), CSaveData::kSize, &written));
    }  // destroyed without Close: the write is dropped
    EXPECT_EQ(temp.Read("save"), old);
    EXPECT_EQ(temp.List().size(), 1u);
}

// A write abandoned part way (the file object destroyed, or opened again
// before Close) counts as a failed write: the old file stays byte for byte
// and the failure is remembered for the file, until a write of it succeeds.
TEST_F(SaveFileTest, AnAbandonedWriteIsAFailedWriteAndKeepsTheOldFile) {
    const char* const ways[] = {"destroyed", "opened again for reading", "opened again for writing"};
    for (const std::string way : ways) {
        SCOPED_TRACE(way);
        SaveTestDir temp;
        const std::vector<uint8_t> old = Pattern(CSaveData::kSize, 21);
        temp.Write("saveslot03", old);
        temp.Write("resume01", Pattern(16, 2));
        EXPECT_FALSE(CSaveFile::LastWriteFailed("saveslot03"));
        {
            CSaveFile file;
            ASSERT_TRUE(file.OpenWrite("saveslot03"));
            uint32_t written = 0;
            const std::vector<uint8_t> block = Pattern(CSaveData::kSize, 8);
            ASSERT_TRUE(file.Write(block.data(), 65536, &written));
            if (way == "opened again for reading") {
                ASSERT_TRUE(file.OpenRead("resume01"));
                EXPECT_TRUE(file.Close());
            } else if (way == "opened again for writing") {
                EXPECT_TRUE(file.OpenWrite("resume01"));
                EXPECT_TRUE(CSaveFile::LastWriteFailed("saveslot03")) << "failed as soon as it is dropped";
                EXPECT_FALSE(file.Close()) << "nothing written to the second file";
            }
        }
        EXPECT_TRUE(CSaveFile::LastWriteFailed("saveslot03"));
        EXPECT_EQ(temp.Read("saveslot03"), old);
        EXPECT_EQ(temp.Read("resume01"), Pattern(16, 2));
        EXPECT_EQ(WriteTempsLeft(temp), 0);
        CSaveFile again;
        EXPECT_TRUE(WriteBlock(again, "saveslot03", Pattern(65536, 9)));
        EXPECT_FALSE(CSaveFile::LastWriteFailed("saveslot03")) << "a good write clears the mark";
        EXPECT_EQ(temp.Read("saveslot03"), Pattern(65536, 9));
    }
}

TEST_F(SaveFileTest, ReadsAndWritesNeedTheMatchingOpen) {
    SaveTestDir temp;
    temp.Write("resume00", Pattern(16, 1));
    CSaveFile file;
    uint8_t buffer[16];
    uint32_t count = 99;
    EXPECT_FALSE(file.Read(buffer, sizeof buffer, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(file.Write(buffer, sizeof buffer, &count));
    EXPECT_FALSE(file.Close());
    ASSERT_TRUE(file.OpenRead("resume00"));
    EXPECT_FALSE(file.Write(buffer, sizeof buffer, &count));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(temp.Read("resume00"), Pattern(16, 1));
}

TEST_F(SaveFileTest, SaveDataTakesWhatAShortFileHoldsAndKeepsTheRestOfTheBlock) {
    SaveTestDir temp;
    CSaveFile file;
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{1024}, CSaveData::kSize - 1}) {
        SCOPED_TRACE(size);
        CSaveData data;
        std::memset(data.Bytes(), 0xEE, CSaveData::kSize);
        const std::vector<uint8_t> bytes = Pattern(size, 77);
        temp.Write("saveslot02", bytes);
        ASSERT_EQ(temp.Size("saveslot02"), static_cast<long>(size));
        ASSERT_TRUE(file.OpenRead("saveslot02"));
        EXPECT_TRUE(data.ReadFrom(file));
        file.Close();
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), data.Bytes()));
        for (std::size_t i = size; i < 65536; ++i) ASSERT_EQ(data.GetByte(i), 0xEE) << i;
    }
    CSaveData data;
    temp.Write("saveslot02", Pattern(70000, 77));
    ASSERT_TRUE(file.OpenRead("saveslot02"));
    EXPECT_TRUE(data.ReadFrom(file));
    file.Close();
    EXPECT_EQ(data.GetByte(0), 77);
    EXPECT_EQ(data.GetByte(65536 - 1), Pattern(65536, 77).back());

    ASSERT_TRUE(file.OpenWrite("saveslot04"));
    EXPECT_TRUE(data.WriteTo(file));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(temp.Size("saveslot04"), static_cast<long>(CSaveData::kSize));
}

}  // namespace
