#include "win/SaveFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

#include "win/DebugLog.h"

namespace {

std::string& BaseOverride() {
    static std::string directory;
    return directory;
}

CSaveFile::Fault& InjectedFault() {
    static CSaveFile::Fault fault = CSaveFile::Fault::None;
    return fault;
}

// Paths whose last write failed.
std::set<std::string>& FailedWrites() {
    static std::set<std::string> paths;
    return paths;
}

std::string ExecutableDirectory() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    path[n] = '\0';
    char* slash = std::strrchr(path, '/');
    if (!slash) return "./";
    slash[1] = '\0';
    return path;
}

// Makes a rename inside the directory durable.
void SyncDirectory(const std::string& filePath) {
    const std::size_t slash = filePath.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : filePath.substr(0, slash + 1);
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::string CSaveFile::GetBaseDirectory() {
    std::string directory = BaseOverride();
    if (directory.empty()) {
        static const std::string executableDirectory = ExecutableDirectory();
        return executableDirectory;
    }
    if (directory.back() != '/') directory += '/';
    return directory;
}

void CSaveFile::SetBaseDirectory(const std::string& directory) { BaseOverride() = directory; }

void CSaveFile::SetFaultForTesting(Fault fault) { InjectedFault() = fault; }

bool CSaveFile::ListBaseDirectory(std::initializer_list<const char*> prefixes, std::set<std::string>& names) {
    names.clear();
    DIR* dir = opendir(GetBaseDirectory().c_str());
    if (!dir) return false;
    bool whole = true;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            whole = errno == 0;
            break;
        }
        std::string name = entry->d_name;
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const char* prefix : prefixes) {
            if (name.compare(0, std::strlen(prefix), prefix) == 0) {
                names.insert(std::move(name));
                break;
            }
        }
    }
    closedir(dir);
    if (!whole) names.clear();
    return whole;
}

bool CSaveFile::RemoveLeftoverTemp(const char* name) {
    if (!name || !*name) return false;
    const std::string temp = GetBaseDirectory() + name + ".tmp";
    struct stat st;
    if (lstat(temp.c_str(), &st) != 0) return false;
    if (unlink(temp.c_str()) != 0) {
        DebugPrintf("save: cannot remove %s, left by an interrupted save: %s\n", temp.c_str(), std::strerror(errno));
        return false;
    }
    DebugPrintf("save: removed %s, left by an interrupted save\n", temp.c_str());
    return true;
}

bool CSaveFile::LastWriteFailed(const char* name) {
    return name && *name && FailedWrites().count(GetBaseDirectory() + name) != 0;
}

void CSaveFile::ForgetFailedWrites() { FailedWrites().clear(); }

void CSaveFile::NoteWriteResult(bool ok) const {
    if (ok) FailedWrites().erase(path_);
    else FailedWrites().insert(path_);
}

CSaveFile::~CSaveFile() {
    if (fd_ >= 0) Discard();
}

void CSaveFile::Discard() {
    if (fd_ >= 0) close(fd_);
    if (writing_ && !tempPath_.empty()) {
        unlink(tempPath_.c_str());
        NoteWriteResult(false);
    }
    fd_ = -1;
    writing_ = false;
    failed_ = false;
    wroteAny_ = false;
}

// The temporary file is made new: whatever lies under its name (a file left
// by a killed run, or a link a user put there) is removed first, and the
// exclusive, link-refusing create fails rather than write into anything that
// appears there meanwhile. The write thus never reaches another file.
bool CSaveFile::OpenTemp() {
    tempPath_ = path_ + ".tmp";
    if (unlink(tempPath_.c_str()) != 0 && errno != ENOENT) {
        DebugPrintf("save: cannot remove the old %s: %s\n", tempPath_.c_str(), std::strerror(errno));
    }
    fd_ = open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0) DebugPrintf("save: cannot create %s: %s\n", tempPath_.c_str(), std::strerror(errno));
    return fd_ >= 0;
}

bool CSaveFile::Open(const char* name, bool write) {
    if (fd_ >= 0) Discard();
    if (!name || !*name) return false;
    path_ = GetBaseDirectory() + name;
    failed_ = false;
    wroteAny_ = false;
    if (write) {
        writing_ = OpenTemp();
        if (!writing_) NoteWriteResult(false);
        return writing_;
    }
    writing_ = false;
    tempPath_.clear();
    // Only regular files are read, and opening never waits: a FIFO or a
    // device under a save file's name would otherwise hold the game until
    // someone answered at its other end.
    fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        if (errno != ENOENT) DebugPrintf("save: cannot open %s: %s\n", path_.c_str(), std::strerror(errno));
        return false;
    }
    struct stat st;
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        // A save replaces whatever stands under the name, except a directory.
        struct stat own;
        const bool directory = lstat(path_.c_str(), &own) == 0 && S_ISDIR(own.st_mode);
        DebugPrintf(directory ? "save: %s is a directory; it is not read, and saves to it fail\n"
                              : "save: %s is not a regular file; it is not read, and the next save of it "
                                "puts a regular file in its place\n",
                    path_.c_str());
        close(fd_);
        fd_ = -1;
        return false;
    }
    struct stat own;
    if (lstat(path_.c_str(), &own) == 0 && S_ISLNK(own.st_mode)) {
        DebugPrintf("save: %s is a link; the file it names is read, and the next save of it puts a regular file "
                    "in place of the link\n",
                    path_.c_str());
    }
    return true;
}

int64_t CSaveFile::GetSize() const {
    struct stat st;
    if (fd_ < 0 || fstat(fd_, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool CSaveFile::OpenRead(const char* name) { return Open(name, false); }
bool CSaveFile::OpenReadSave() { return Open("save", false); }
bool CSaveFile::OpenWrite(const char* name) { return Open(name, true); }
bool CSaveFile::OpenWriteSave() { return Open("save", true); }
bool CSaveFile::OpenReadScore() { return Open("score", false); }
bool CSaveFile::OpenWriteScore() { return Open("score", true); }
bool CSaveFile::OpenReadIdentify() { return Open("identify", false); }
bool CSaveFile::OpenWriteIdentify() { return Open("identify", true); }

bool CSaveFile::Read(void* buffer, uint32_t count, uint32_t* countRead) {
    uint32_t done = 0;
    bool ok = fd_ >= 0 && !writing_ && (buffer || count == 0);
    while (ok && done < count) {
        const ssize_t n = read(fd_, static_cast<char*>(buffer) + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            DebugPrintf("save: cannot read %s: %s\n", path_.c_str(), std::strerror(errno));
            ok = false;
        } else if (n == 0) {
            break;
        } else {
            done += static_cast<uint32_t>(n);
        }
    }
    if (countRead) *countRead = done;
    return ok;
}

bool CSaveFile::Write(const void* buffer, uint32_t count, uint32_t* countWritten) {
    uint32_t done = 0;
    bool ok = fd_ >= 0 && writing_ && (buffer || count == 0);
    const Fault fault = InjectedFault();
    // A short write stops halfway, as a full disk would.
    const uint32_t limit = fault == Fault::ShortWrite ? count / 2 : count;
    if (ok && fault == Fault::WriteError) {
        errno = EIO;
        ok = false;
    }
    while (ok && done < limit) {
        const ssize_t n = write(fd_, static_cast<const char*>(buffer) + done, limit - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
        } else {
            done += static_cast<uint32_t>(n);
        }
    }
    if (ok && done < count) {
        errno = ENOSPC;
        ok = false;
    }
    if (!ok && writing_) {
        DebugPrintf("save: cannot write %s: %s\n", tempPath_.c_str(), std::strerror(errno));
        failed_ = true;
    }
    if (done > 0) wroteAny_ = true;
    if (countWritten) *countWritten = done;
    return ok;
}

bool CSaveFile::Close() {
    if (fd_ < 0) return false;
    if (!writing_) {
        close(fd_);
        fd_ = -1;
        return true;
    }
    bool ok = !failed_ && wroteAny_;
    if (ok && (InjectedFault() == Fault::FlushError || fsync(fd_) != 0)) {
        if (InjectedFault() == Fault::FlushError) errno = EIO;
        DebugPrintf("save: cannot flush %s: %s\n", tempPath_.c_str(), std::strerror(errno));
        ok = false;
    }
    if (close(fd_) != 0 && ok) {
        DebugPrintf("save: cannot close %s: %s\n", tempPath_.c_str(), std::strerror(errno));
        ok = false;
    }
    fd_ = -1;
    if (ok && (InjectedFault() == Fault::RenameError || rename(tempPath_.c_str(), path_.c_str()) != 0)) {
        if (InjectedFault() == Fault::RenameError) errno = EACCES;
        DebugPrintf("save: cannot replace %s: %s\n", path_.c_str(), std::strerror(errno));
        ok = false;
    }
    if (ok) {
        SyncDirectory(path_);
    } else {
        unlink(tempPath_.c_str());
    }
    NoteWriteResult(ok);
    writing_ = false;
    failed_ = false;
    wroteAny_ = false;
    return ok;
}
