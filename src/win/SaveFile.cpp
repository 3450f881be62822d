#include "win/SaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

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

CSaveFile::~CSaveFile() {
    if (fd_ >= 0) Discard();
}

void CSaveFile::Discard() {
    if (fd_ >= 0) close(fd_);
    if (writing_ && !tempPath_.empty()) unlink(tempPath_.c_str());
    fd_ = -1;
    writing_ = false;
    failed_ = false;
    wroteAny_ = false;
}

bool CSaveFile::Open(const char* name, bool write) {
    if (fd_ >= 0) Discard();
    if (!name || !*name) return false;
    path_ = GetBaseDirectory() + name;
    // Only regular files are read or written, and opening never waits: a
    // FIFO or a device under a save file's name would otherwise hold the
    // game until someone answered at its other end.
    if (write) {
        tempPath_ = path_ + ".tmp";
        fd_ = open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0644);
        if (fd_ < 0) DebugPrintf("save: cannot create %s: %s\n", tempPath_.c_str(), std::strerror(errno));
    } else {
        tempPath_.clear();
        fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0 && errno != ENOENT) {
            DebugPrintf("save: cannot open %s: %s\n", path_.c_str(), std::strerror(errno));
        }
    }
    struct stat st;
    if (fd_ >= 0 && (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
        DebugPrintf("save: %s is not a regular file; it is left alone\n", write ? tempPath_.c_str() : path_.c_str());
        close(fd_);
        fd_ = -1;
    }
    writing_ = write && fd_ >= 0;
    failed_ = false;
    wroteAny_ = false;
    return fd_ >= 0;
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
    if (!ok && fd_ >= 0) {
        DebugPrintf("save: cannot write %s: %s\n", path_.c_str(), std::strerror(errno));
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
    writing_ = false;
    failed_ = false;
    wroteAny_ = false;
    return ok;
}
