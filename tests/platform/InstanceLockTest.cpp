#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/SaveTestDir.h"

namespace {

using platform::InstanceLockResult;

TEST(InstanceLockTest, ASecondCopyFindsTheLockHeldWhateverItsRuntimeFolder) {
    // The runtime folder each copy sees: "-" none, "gone" missing, "taken"
    // with a folder on the lock file's path, "run" a good one.
    struct Case {
        const char *first, *second;
        bool sameSaves;
    };
    const Case cases[] = {
        {"-", "-", false}, {"gone", "gone", false}, {"taken", "taken", false}, {"run", "-", true}, {"run", "run", false}};
    const char* was = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = was ? was : "";
    const std::string key = "pellumbrisk-test-" + std::to_string(getpid());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " then " + c.second);
        SaveTestDir temp;
        const std::string folders[] = {"run", "taken", "taken/" + key + "-" + std::to_string(getuid()) + ".lock", "a", "b"};
        for (const std::string& sub : folders) mkdir(temp.File(sub).c_str(), 0700);
        auto setRuntime = [&](const std::string& r) {
            if (r == "-") unsetenv("XDG_RUNTIME_DIR");
            else setenv("XDG_RUNTIME_DIR", temp.File(r).c_str(), 1);
        };
        platform::InstanceLock first, second;
        setRuntime(c.first);
        EXPECT_EQ(first.Acquire(key.c_str(), temp.File("a")), InstanceLockResult::Acquired);
        setRuntime(c.second);
        const std::string secondSaves = temp.File(c.sameSaves ? "a" : "b");
        EXPECT_EQ(second.Acquire(key.c_str(), secondSaves), InstanceLockResult::Busy);
        const std::string firstLock = first.UserLockPath();
        first.Release();
        EXPECT_EQ(second.Acquire(key.c_str(), secondSaves), InstanceLockResult::Acquired) << "free once the first ends";
        // Lock files outside the test's folder (/run/user or /tmp) go too.
        for (const std::string& lock : {firstLock, second.UserLockPath()}) std::remove(lock.c_str());
    }
    if (was) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

TEST(InstanceLockTest, TheSaveFolderIsLockedByAFileInItThatNeedsNoReadAccess) {
    // Two copies on one save folder that can be written but not listed
    // (mode 0311), each with a runtime folder of its own: only the save
    // folder's lock stands between them, and it is a lock file in the folder
    // (opening the folder itself would need read access).
    const char* was = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = was ? was : "";
    const std::string key = "pellumbrisk-test-" + std::to_string(getpid());
    SaveTestDir temp;
    for (const char* sub : {"run1", "run2", "run3", "saves"}) ASSERT_EQ(mkdir(temp.File(sub).c_str(), 0700), 0);
    const std::string saves = temp.File("saves");
    ASSERT_EQ(chmod(saves.c_str(), 0311), 0);
    const std::string lockFile = saves + "/" + key + ".lock";

    platform::InstanceLock first, second;
    setenv("XDG_RUNTIME_DIR", temp.File("run1").c_str(), 1);
    ASSERT_EQ(first.Acquire(key.c_str(), saves), InstanceLockResult::Acquired);
    EXPECT_EQ(first.FolderLockPath(), lockFile);
    setenv("XDG_RUNTIME_DIR", temp.File("run2").c_str(), 1);
    EXPECT_EQ(second.Acquire(key.c_str(), saves), InstanceLockResult::Busy);
    EXPECT_EQ(second.FolderLockPath(), "");

    // The lock file alone keeps a copy out: here the test holds it, as a
    // copy that could not open the folder would.
    first.Release();
    const int held = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    setenv("XDG_RUNTIME_DIR", temp.File("run3").c_str(), 1);
    EXPECT_EQ(second.Acquire(key.c_str(), saves), InstanceLockResult::Busy);
    close(held);
    EXPECT_EQ(second.Acquire(key.c_str(), saves + "/"), InstanceLockResult::Acquired) << "free once it is let go";
    EXPECT_EQ(second.FolderLockPath(), lockFile);
    // Held while the copy runs: another opening of the file cannot lock it.
    const int probe = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(probe, 0);
    EXPECT_NE(flock(probe, LOCK_EX | LOCK_NB), 0);
    close(probe);
    second.Release();

    chmod(saves.c_str(), 0700);
    if (was) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
