#pragma once
// The single-instance lock: one copy of the game at a time for a user, and
// never two on one folder of save files. Two locks are taken, both released
// by the system when the process ends however it ends:
// - a per-user lock file in the user's runtime folder ($XDG_RUNTIME_DIR),
//   or, where that is unset, missing or its lock path is taken by something
//   that is not a file, in /run/user/<uid>, else in /tmp;
// - a lock on the save folder, which holds whatever the environment of
//   either copy says: a lock file in the folder ("<key>.lock"), which needs
//   only write and search access to the folder (or the file readable), and
//   the folder itself where it can be read (as earlier versions lock it).
#include <string>

namespace platform {

enum class InstanceLockResult {
    Acquired,     // this process is the one copy
    Busy,         // another copy holds one of the locks
    Unavailable,  // no lock could be taken at all
};

class InstanceLock {
public:
    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock() { Release(); }

    // key names the per-user lock file; saveDirectory is the folder of the
    // save files. Acquired when at least one lock was taken and neither is
    // held by another copy.
    InstanceLockResult Acquire(const char* key, const std::string& saveDirectory);
    void Release();
    // The per-user lock file taken, empty when none was.
    const std::string& UserLockPath() const { return userPath_; }
    // The lock file taken in the save folder, empty when none was.
    const std::string& FolderLockPath() const { return folderFilePath_; }

private:
    int userFd_ = -1;
    int folderFileFd_ = -1;
    int folderFd_ = -1;
    std::string userPath_;
    std::string folderFilePath_;
};

}  // namespace platform
