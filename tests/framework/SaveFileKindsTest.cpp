// What the file object does with what it finds under a file's name: links,
// folders, pipes, files it may not read, leftovers of interrupted writes;
// and how an unfinished or refused write leaves the old file and the record
// of failed writes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/SaveTestDir.h"
#include "win/DebugLog.h"
#include "win/SaveFile.h"

namespace {

std::vector<uint8_t> Bytes(std::size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 13);
    return bytes;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Makes the named kind of entry at the path.
bool PutUnderName(const std::string& what, const SaveTestDir& temp, const std::string& at) {
    if (what == "a link to a file") return symlink(temp.File("letter").c_str(), at.c_str()) == 0;
    if (what == "a link that leads nowhere") return symlink(temp.File("gone").c_str(), at.c_str()) == 0;
    if (what == "a link to itself") return symlink(at.c_str(), at.c_str()) == 0;
    if (what == "a folder") return mkdir(at.c_str(), 0755) == 0;
    if (what == "a pipe") return mkfifo(at.c_str(), 0600) == 0;
    return false;
}

class SaveFileKindsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CSaveFile::ForgetFailedWrites();
        SetDebugLogSink([this](const char* text) { log += text; });
    }
    void TearDown() override {
        SetDebugLogSink(nullptr);
        CSaveFile::ForgetFailedWrites();
    }

    std::string log;
};

// Only the temporary files of the named files go: "<name>.tmp" of earlier
// versions and "<name>.tmp-pellumbrisk-" with six letters or digits.
TEST_F(SaveFileKindsTest, OnlyTheLeftoversOfTheNamedFilesAreRemoved) {
    SaveTestDir temp;
    struct Entry {
        const char* name;
        bool removed;
    };
    const Entry entries[] = {
        {"save.tmp", true},
        {"save.tmp-pellumbrisk-Ab3xY9", true},
        {"resume03.tmp-pellumbrisk-000000", true},
        {"resume03.tmp", true},
        {"save.tmp-pellumbrisk-Ab3xY", false},    // five letters
        {"save.tmp-pellumbrisk-Ab3xY9z", false},  // seven
        {"save.tmp-pellumbrisk-Ab3x_9", false},   // not a letter or digit
        {"save.tmp-pellumbrisk-Ab3x.9", false},
        {"save.tmp-pellumbrisk-Ab3x 9", false},
        {"save.tmq-pellumbrisk-Ab3xY9", false},
        {"save.tmp-pellumbriskXAb3xY9", false},
        {"notes.tmp", false},  // not one of the names
        {"notes.tmp-pellumbrisk-Ab3xY9", false},
        {".tmp-pellumbrisk-Ab3xY9", false},
        {".tmp", false},
        {"save", false},
        {"resume03", false},
        {"saveslot00.tmp.bak", false},
    };
    for (const Entry& e : entries) temp.Write(e.name, {1, 2, 3});
    // A folder under a leftover's name is no leftover.
    ASSERT_EQ(mkdir(temp.File("saveslot00.tmp-pellumbrisk-FOLDER").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(temp.File("saveslot00.tmp").c_str(), 0755), 0);

    EXPECT_EQ(CSaveFile::RemoveLeftoverTemps({"save", "resume03", "saveslot00", ""}, 65536), 4);
    std::vector<std::string> kept{"saveslot00.tmp-pellumbrisk-FOLDER", "saveslot00.tmp"};
    for (const Entry& e : entries) {
        EXPECT_EQ(temp.Exists(e.name), !e.removed) << e.name;
        if (!e.removed) kept.push_back(e.name);
    }
    EXPECT_EQ(Sorted(temp.List()), Sorted(kept));
    EXPECT_EQ(Count(log, "left by an interrupted save"), 4u) << log;
    EXPECT_EQ(CSaveFile::RemoveLeftoverTemps({"save", "resume03"}, 65536), 0) << "nothing is left the second time";
}

TEST_F(SaveFileKindsTest, AFolderThatCannotBeListedHasNoLeftoversToRemove) {
    SaveTestDir temp;
    temp.Write("save.tmp", {1});
    CSaveFile::SetBaseDirectory(temp.File("missing"));
    EXPECT_EQ(CSaveFile::GetBaseDirectory(), temp.File("missing/")) << "the separator is added";
    EXPECT_EQ(CSaveFile::RemoveLeftoverTemps({"save", ""}, 65536), 0);
    CSaveFile::SetBaseDirectory(temp.Path());
    EXPECT_TRUE(temp.Exists("save.tmp"));
    EXPECT_EQ(CSaveFile::RemoveLeftoverTemps({"save"}, 65536), 1);
}

// Whatever stands under the name when it is read: a link is followed, a
// folder or a pipe is not read, a link that leads nowhere counts as no file.
TEST_F(SaveFileKindsTest, WhatIsReadUnderAFilesName) {
    struct Case {
        const char* what;
        bool opens;
        const char* said;  // in the debug log; empty: nothing
    };
    const Case cases[] = {
        {"a file", true, ""},
        {"a link to a file", true, "is a link; the file it names is read"},
        {"a link that leads nowhere", false, ""},
        {"a link to itself", false, ""},
        {"a folder", false, "is a directory; it is not read, and saves to it fail"},
        {"a pipe", false, "is not a regular file; it is not read"},
        {"a name under a file", false, ""},
    };
    for (const Case& c : cases) {
        const std::string what = c.what;
        SCOPED_TRACE(what);
        SaveTestDir temp;
        log.clear();
        temp.Write("letter", Bytes(40, 7));
        const std::string at = temp.File("save");
        std::string name = "save";
        if (what == "a file") temp.Write("save", Bytes(40, 7));
        if (what != "a file" && what != "a name under a file") {
            ASSERT_TRUE(PutUnderName(what, temp, at));
        }
        if (what == "a name under a file") name = "letter/save";

        CSaveFile file;
        EXPECT_EQ(file.OpenRead(name.c_str()), c.opens);
        EXPECT_EQ(file.IsOpen(), c.opens);
        EXPECT_FALSE(file.FoundUnreadable()) << "nothing here is someone else's file";
        if (c.opens) {
            EXPECT_EQ(file.GetSize(), 40);
            std::vector<uint8_t> back(64, 0);
            uint32_t got = 0;
            EXPECT_TRUE(file.Read(back.data(), 64, &got));
            EXPECT_EQ(got, 40u);
            back.resize(got);
            EXPECT_EQ(back, Bytes(40, 7));
            EXPECT_TRUE(file.Close());
        } else {
            EXPECT_EQ(file.GetSize(), -1);
            EXPECT_FALSE(file.Close());
        }
        if (*c.said) {
            EXPECT_NE(log.find(at + " " + c.said), std::string::npos) << log;
        } else {
            EXPECT_EQ(log, "");
        }
    }
}

// A write puts a regular file in place of a link, a dead link or a pipe; a
// folder stays, and the write fails.
TEST_F(SaveFileKindsTest, AWritePutsARegularFileInPlaceOfAnythingButAFolder) {
    const char* const cases[] = {"a link that leads nowhere", "a link to itself", "a pipe", "a folder"};
    for (const std::string what : cases) {
        SCOPED_TRACE(what);
        SaveTestDir temp;
        const std::string at = temp.File("save");
        ASSERT_TRUE(PutUnderName(what, temp, at));
        const bool folder = what == "a folder";

        CSaveFile file;
        ASSERT_TRUE(file.OpenWriteSave());
        const std::vector<uint8_t> block = Bytes(100, 3);
        uint32_t written = 0;
        EXPECT_TRUE(file.Write(block.data(), 100, &written));
        EXPECT_EQ(file.Close(), !folder);
        EXPECT_EQ(CSaveFile::LastWriteFailed("save"), folder);
        struct stat st;
        ASSERT_EQ(lstat(at.c_str(), &st), 0);
        EXPECT_EQ(S_ISDIR(st.st_mode), folder);
        EXPECT_EQ(S_ISREG(st.st_mode), !folder);
        if (!folder) {
            EXPECT_EQ(temp.Read("save"), block);
        }
        EXPECT_EQ(temp.List(), std::vector<std::string>{"save"}) << "no temporary file is left";
        EXPECT_FALSE(temp.Exists("gone"));
    }
}

// The record of failed writes: a failure marks the file, the next write
// that gets through clears it, and a new process forgets it.
TEST_F(SaveFileKindsTest, AFailedWriteIsRememberedUntilAWriteGetsThrough) {
    SaveTestDir temp;
    const std::vector<uint8_t> old = Bytes(50, 9);
    temp.Write("saveslot05", old);
    EXPECT_FALSE(CSaveFile::LastWriteFailed(nullptr));
    EXPECT_FALSE(CSaveFile::LastWriteFailed(""));
    EXPECT_FALSE(CSaveFile::LastWriteFailed("saveslot05"));

    // The temporary file cannot be made (a folder that refuses new files).
    CSaveFile::SetFaultForTesting(CSaveFile::Fault::CreateError);
    CSaveFile file;
    EXPECT_FALSE(file.OpenWrite("saveslot05"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NE(log.find("cannot create a temporary file beside " + temp.File("saveslot05")), std::string::npos) << log;
    uint32_t written = 7;
    EXPECT_FALSE(file.Write(old.data(), 50, &written));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(file.Close());
    EXPECT_TRUE(CSaveFile::LastWriteFailed("saveslot05"));
    EXPECT_FALSE(CSaveFile::LastWriteFailed("saveslot06")) << "only that file";
    EXPECT_EQ(temp.Read("saveslot05"), old);
    EXPECT_EQ(temp.List(), std::vector<std::string>{"saveslot05"});

    // The same name in another folder is another file.
    {
        SaveTestDir other;
        EXPECT_FALSE(CSaveFile::LastWriteFailed("saveslot05"));
    }
    CSaveFile::SetBaseDirectory(temp.Path());

    CSaveFile::ForgetFailedWrites();
    EXPECT_FALSE(CSaveFile::LastWriteFailed("saveslot05"));

    // A write left open when the file object turns to another file is
    // dropped, and counts as failed.
    ASSERT_TRUE(file.OpenWrite("saveslot05"));
    const std::vector<uint8_t> block = Bytes(80, 1);
    ASSERT_TRUE(file.Write(block.data(), 80, nullptr));
    ASSERT_TRUE(file.OpenRead("saveslot05"));
    EXPECT_TRUE(CSaveFile::LastWriteFailed("saveslot05"));
    EXPECT_EQ(file.GetSize(), 50) << "the old file is read";
    // Opened twice for reading: the first is simply let go.
    ASSERT_TRUE(file.OpenRead("saveslot05"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(temp.List(), std::vector<std::string>{"saveslot05"});

    ASSERT_TRUE(file.OpenWrite("saveslot05"));
    ASSERT_TRUE(file.Write(block.data(), 80, nullptr));
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(CSaveFile::LastWriteFailed("saveslot05"));
    EXPECT_EQ(temp.Read("saveslot05"), block);
}

// Empty reads and writes: a read of nothing succeeds, a write of nothing
// succeeds but leaves nothing to put in place, and no buffer means no
// transfer.
TEST_F(SaveFileKindsTest, ReadsAndWritesOfNothing) {
    SaveTestDir temp;
    const std::vector<uint8_t> old = Bytes(20, 4);
    temp.Write("save", old);
    CSaveFile file;
    ASSERT_TRUE(file.OpenReadSave());
    uint32_t count = 9;
    EXPECT_TRUE(file.Read(nullptr, 0, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(file.Read(nullptr, 10, &count));
    EXPECT_EQ(count, 0u);
    uint8_t buffer[8];
    EXPECT_TRUE(file.Read(buffer, 8, nullptr));
    EXPECT_EQ(buffer[0], old[0]);
    EXPECT_TRUE(file.Close());

    ASSERT_TRUE(file.OpenWriteSave());
    EXPECT_FALSE(file.Read(buffer, 8, &count)) << "a write is not read";
    EXPECT_TRUE(file.Write(nullptr, 0, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(file.Write(nullptr, 10, &count));
    EXPECT_FALSE(file.Close()) << "nothing was written";
    EXPECT_EQ(temp.Read("save"), old);
    EXPECT_TRUE(CSaveFile::LastWriteFailed("save"));
}

// A file the player may not read is never written over: the game says so
// once, refuses every write without a failed-write mark, and takes the file
// again once it reads.
TEST_F(SaveFileKindsTest, AFileThatCannotBeReadIsNeverWrittenOverAndSaidOnce) {
    struct Case {
        const char* what;
        bool readFirst;
    };
    for (const Case& c : {Case{"written before it was read", false}, Case{"read before it was written", true}}) {
        SCOPED_TRACE(c.what);
        SaveTestDir temp;
        log.clear();
        CSaveFile::ForgetFailedWrites();
        const std::vector<uint8_t> old = Bytes(60, 5);
        temp.Write("save", old);
        ASSERT_EQ(chmod(temp.File("save").c_str(), 0000), 0);
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::NoPrivilege);
        CSaveFile file;
        if (c.readFirst) {
            EXPECT_FALSE(file.OpenReadSave());
            EXPECT_TRUE(file.FoundUnreadable());
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(file.OpenWriteSave()) << i;
            EXPECT_TRUE(file.FoundUnreadable()) << i;
            EXPECT_FALSE(file.IsOpen());
        }
        EXPECT_FALSE(file.OpenReadSave());
        EXPECT_FALSE(CSaveFile::LastWriteFailed("save")) << "a refusal is no failed write";
        const std::string message = "cannot read " + temp.File("save") + " (Permission denied), so the game will not "
                                    "save over it";
        EXPECT_EQ(Count(log, message), 1u) << log;
        EXPECT_EQ(temp.List(), std::vector<std::string>{"save"}) << "no temporary file was made";

        // A new process says it again.
        CSaveFile::ForgetFailedWrites();
        EXPECT_FALSE(file.OpenWriteSave());
        EXPECT_EQ(Count(log, message), 2u) << log;

        // Readable again: a read takes it back, and writes go through.
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
        ASSERT_EQ(chmod(temp.File("save").c_str(), 0644), 0);
        EXPECT_EQ(temp.Read("save"), old);
        EXPECT_FALSE(file.OpenWriteSave()) << "still known as unreadable until it is read";
        ASSERT_TRUE(file.OpenReadSave());
        EXPECT_FALSE(file.FoundUnreadable());
        EXPECT_TRUE(file.Close());
        ASSERT_TRUE(file.OpenWriteSave());
        EXPECT_TRUE(file.Write(old.data(), 30, nullptr));
        EXPECT_TRUE(file.Close());
        EXPECT_EQ(temp.Size("save"), 30);
        EXPECT_EQ(Count(log, message), 2u);
    }
}

// The permission bits bind for the owner, the owner's group or everyone
// else, whichever the player is.
TEST_F(SaveFileKindsTest, TheBitsOfThePlayersOwnClassDecideWhetherAFileReads) {
    if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    struct Case {
        bool ownUser, ownGroup;
        mode_t mode;
        bool reads;
    };
    const Case cases[] = {
        {true, true, 0400, true},   {true, true, 0044, false},   {false, true, 0040, true},
        {false, true, 0404, false}, {false, false, 0004, true},  {false, false, 0440, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "own user " << c.ownUser << ", own group " << c.ownGroup << ", mode 0"
                                        << std::oct << c.mode);
        SaveTestDir temp;
        CSaveFile::ForgetFailedWrites();
        temp.Write("resume01", Bytes(10, 1));
        const std::string path = temp.File("resume01");
        const uid_t uid = c.ownUser ? geteuid() : 65534;
        const gid_t gid = c.ownGroup ? getegid() : (getegid() == 65534 ? 65533 : 65534);
        ASSERT_EQ(chown(path.c_str(), uid, gid), 0);
        ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::NoPrivilege);
        CSaveFile file;
        EXPECT_EQ(file.OpenRead("resume01"), c.reads);
        EXPECT_EQ(file.FoundUnreadable(), !c.reads);
        if (c.reads) file.Close();
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
    }
}

}  // namespace
