#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using platform::InstanceLock;
using platform::InstanceLockResult;

// A scratch folder removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/pellumbrisk-lock-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "";
    }
    ~ScratchFolder() {
        const std::string command = "rm -rf '" + path_ + "'";
        if (!path_.empty() && std::system(command.c_str()) != 0) std::perror("rm");
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

enum class Runtime { Unset, Missing, LockPathIsAFolder, Present };

// Puts XDG_RUNTIME_DIR as a copy of the game would find it.
void SetRuntime(Runtime runtime, const std::string& folder, const std::string& key) {
    switch (runtime) {
        case Runtime::Unset:
            unsetenv("XDG_RUNTIME_DIR");
            break;
        case Runtime::Missing:
            setenv("XDG_RUNTIME_DIR", (folder + "/gone").c_str(), 1);
            break;
        case Runtime::LockPathIsAFolder:
            mkdir((folder + "/" + key + "-" + std::to_string(getuid()) + ".lock").c_str(), 0700);
            setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
            break;
        case Runtime::Present:
            setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
            break;
    }
}

TEST(InstanceLockTest, ASecondCopyFindsTheLockHeldWhateverItsRuntimeFolder) {
    struct Case {
        const char* what;
        Runtime first, second;
        bool sameSaveFolder;
    };
    const Case cases[] = {
        {"no runtime folder", Runtime::Unset, Runtime::Unset, false},
        {"a runtime folder that is missing", Runtime::Missing, Runtime::Missing, false},
        {"a folder on the lock's path", Runtime::LockPathIsAFolder, Runtime::LockPathIsAFolder, false},
        {"one copy with a runtime folder, one without", Runtime::Present, Runtime::Unset, true},
        {"two copies with their own save folders", Runtime::Present, Runtime::Present, false},
    };
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntime = saved ? saved : "";
    const std::string key = "pellumbrisk-test-" + std::to_string(getpid());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder runtime, savesA, savesB;
        const std::string& secondSaves = c.sameSaveFolder ? savesA.Path() : savesB.Path();
        InstanceLock first, second;
        SetRuntime(c.first, runtime.Path(), key);
        EXPECT_EQ(first.Acquire(key.c_str(), savesA.Path()), InstanceLockResult::Acquired);
        SetRuntime(c.second, runtime.Path(), key);
        EXPECT_EQ(second.Acquire(key.c_str(), secondSaves), InstanceLockResult::Busy);
        const std::string firstLock = first.UserLockPath();
        first.Release();
        EXPECT_EQ(second.Acquire(key.c_str(), secondSaves), InstanceLockResult::Acquired) << "the lock is free again";
        const std::string secondLock = second.UserLockPath();
        second.Release();
        // Lock files outside the scratch folder (/run/user or /tmp) go too.
        for (const std::string& lock : {firstLock, secondLock}) std::remove(lock.c_str());
    }
    if (saved) setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
