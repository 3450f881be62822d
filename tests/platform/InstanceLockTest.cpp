#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
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

}  // namespace
