#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace platform {
namespace {

enum class LockTry { Taken, Busy, Failed };

LockTry TryLock(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return LockTry::Taken;
    return errno == EWOULDBLOCK ? LockTry::Busy : LockTry::Failed;
}

bool IsDirectory(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folders that may hold the per-user lock file, in order of preference.
std::vector<std::string> UserLockFolders() {
    std::vector<std::string> folders;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/' && IsDirectory(runtime)) folders.emplace_back(runtime);
    const std::string perUser = "/run/user/" + std::to_string(getuid());
    if (IsDirectory(perUser) && access(perUser.c_str(), W_OK) == 0) folders.push_back(perUser);
    folders.emplace_back("/tmp");
    return folders;
}

// Opens the lock file without following a link, and only a regular file of
// this user (in /tmp anyone could have put something under the name).
int OpenLockFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
        close(fd);
        return -1;
    }
    return fd;
}

// Opens (or makes) the lock file in the save folder. Reading is enough to
// lock a file, so a lock file that another user of a shared folder made
// serves too; it must be a regular file, and a link is not followed.
int OpenFolderLockFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

InstanceLockResult InstanceLock::Acquire(const char* key, const std::string& saveDirectory) {
    Release();
    const std::string name = std::string(key) + "-" + std::to_string(getuid()) + ".lock";
    for (const std::string& folder : UserLockFolders()) {
        const std::string path = folder + "/" + name;
        const int fd = OpenLockFile(path);
        if (fd < 0) continue;
        const LockTry got = TryLock(fd);
        if (got == LockTry::Taken) {
            userFd_ = fd;
            userPath_ = path;
            break;
        }
        close(fd);
        if (got == LockTry::Busy) return InstanceLockResult::Busy;
    }
    std::string directory = saveDirectory.empty() ? "." : saveDirectory;
    if (directory.back() != '/') directory += '/';
    const std::string folderLock = directory + key + ".lock";
    const int file = OpenFolderLockFile(folderLock);
    if (file >= 0) {
        const LockTry got = TryLock(file);
        if (got == LockTry::Taken) {
            folderFileFd_ = file;
            folderFilePath_ = folderLock;
        } else {
            close(file);
            if (got == LockTry::Busy) {
                Release();
                return InstanceLockResult::Busy;
            }
        }
    }
    const int folder = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        const LockTry got = TryLock(folder);
        if (got == LockTry::Taken) {
            folderFd_ = folder;
        } else {
            close(folder);
            if (got == LockTry::Busy) {
                Release();
                return InstanceLockResult::Busy;
            }
        }
    }
    return userFd_ >= 0 || folderFileFd_ >= 0 || folderFd_ >= 0 ? InstanceLockResult::Acquired
                                                                 : InstanceLockResult::Unavailable;
}

void InstanceLock::Release() {
    for (int* fd : {&userFd_, &folderFileFd_, &folderFd_}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
    userPath_.clear();
    folderFilePath_.clear();
}

}  // namespace platform
