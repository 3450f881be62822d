#include "win/SaveFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
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

// Paths found there but unreadable, each reported once; a path leaves the
// set when it reads again.
std::set<std::string>& UnreadablePaths() {
    static std::set<std::string> paths;
    return paths;
}

// What follows a file's name in the names of its temporary files; six
// random letters or digits end the name.
constexpr char kTempMarker[] = ".tmp-pellumbrisk-";
constexpr std::size_t kTempMarkerLength = sizeof kTempMarker - 1;
constexpr std::size_t kTempRandomLength = 6;
constexpr char kTempLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsTempLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string RandomTempLetters() {
    static std::mt19937_64 engine = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), static_cast<unsigned>(getpid()),
                           static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
        return std::mt19937_64(seed);
    }();
    std::string letters(kTempRandomLength, 'A');
    for (char& c : letters) c = kTempLetters[engine() % (sizeof kTempLetters - 1)];
    return letters;
}

// Whether the entry is the name of a temporary file of a write of the file.
bool IsTempNameOf(const std::string& entry, const std::string& name) {
    if (name.empty() || entry.compare(0, name.size(), name) != 0) return false;
    const std::string rest = entry.substr(name.size());
    if (rest == ".tmp") return true;
    if (rest.size() != kTempMarkerLength + kTempRandomLength || rest.compare(0, kTempMarkerLength, kTempMarker) != 0) {
        return false;
    }
    for (std::size_t i = kTempMarkerLength; i < rest.size(); ++i)
        if (!IsTempLetter(rest[i])) return false;
    return true;
}

// Whether the permission bits deny reading to a user without root's
// privileges, when tests ask the files to be judged so.
bool DeniedByTestPrivilege(const struct stat& st) {
    if (InjectedFault() != CSaveFile::Fault::NoPrivilege) return false;
    const mode_t bit = st.st_uid == geteuid() ? S_IRUSR : st.st_gid == getegid() ? S_IRGRP : S_IROTH;
    return (st.st_mode & bit) == 0;
}

// An open error that means no file is there to lose: none at all, no folder
// to hold one, or a link that leads nowhere (dangling, or in a loop), which a
// save replaces with a regular file.
bool IsMissing(int error) { return error == ENOENT || error == ENOTDIR || error == ELOOP; }

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

int CSaveFile::RemoveLeftoverTemps(const std::vector<std::string>& names, int64_t largest) {
    const std::string directory = GetBaseDirectory();
    const std::set<std::string> wanted(names.begin(), names.end());
    std::vector<std::string> leftovers;
    if (DIR* folder = opendir(directory.c_str())) {
        while (const dirent* e = readdir(folder)) {
            const std::string entry = e->d_name;
            // "<name>.tmp" of earlier versions, and "<name>.tmp-pellumbrisk-XXXXXX".
            if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".tmp") == 0 &&
                wanted.count(entry.substr(0, entry.size() - 4)) != 0) {
                leftovers.push_back(entry);
                continue;
            }
            const std::size_t marker = entry.rfind(kTempMarker);
            if (marker == std::string::npos) continue;
            const std::string name = entry.substr(0, marker);
            if (wanted.count(name) != 0 && IsTempNameOf(entry, name)) leftovers.push_back(entry);
        }
        closedir(folder);
    } else {
        // Where the folder cannot be listed, the fixed names of earlier
        // versions are still looked for.
        for (const std::string& name : names)
            if (!name.empty()) leftovers.push_back(name + ".tmp");
    }
    int removed = 0;
    for (const std::string& entry : leftovers) {
        const std::string path = directory + entry;
        struct stat st;
        // A write makes a regular file and fills it with one record at most:
        // a folder, a link, a pipe or a larger file under such a name is not
        // its leftover (and no longer stands in the way of a save, whose
        // temporary files have names of their own).
        if (lstat(path.c_str(), &st) != 0) continue;
        if (!S_ISREG(st.st_mode) || static_cast<int64_t>(st.st_size) > largest) {
            DebugPrintf("save: %s is not what an interrupted save leaves; it stays\n", path.c_str());
            continue;
        }
        if (unlink(path.c_str()) != 0) {
            DebugPrintf("save: cannot remove %s, left by an interrupted save: %s\n", path.c_str(), std::strerror(errno));
            continue;
        }
        DebugPrintf("save: removed %s, left by an interrupted save\n", path.c_str());
        ++removed;
    }
    return removed;
}

bool CSaveFile::LastWriteFailed(const char* name) {
    return name && *name && FailedWrites().count(GetBaseDirectory() + name) != 0;
}

void CSaveFile::ForgetFailedWrites() {
    FailedWrites().clear();
    UnreadablePaths().clear();
}

void CSaveFile::NoteUnreadable(int error) {
    unreadable_ = true;
    if (UnreadablePaths().insert(path_).second) {
        DebugPrintf("save: cannot read %s (%s), so the game will not save over it; it plays on with what it holds "
                    "in memory\n",
                    path_.c_str(), std::strerror(error));
    }
}

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

// The temporary file is made new, under a name of its own: the exclusive,
// link-refusing create fails rather than write into anything already there
// (a file left by a killed run, a link or a folder a user put there), and
// another name is tried. The write thus never reaches another file, and
// nothing under any one name can stop it.
bool CSaveFile::OpenTemp() {
    tempPath_.clear();
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        const std::string candidate = path_ + kTempMarker + RandomTempLetters();
        if (InjectedFault() == Fault::CreateError) {
            fd_ = -1;
            error = EACCES;
            break;
        }
        fd_ = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd_ >= 0) {
            tempPath_ = candidate;
            return true;
        }
        error = errno;
    }
    DebugPrintf("save: cannot create a temporary file beside %s: %s\n", path_.c_str(), std::strerror(error));
    return false;
}

// Whether the file under the path may be replaced: a missing file may, and
// so may one that can be opened for reading. Anything else is there but
// cannot be read, and stays.
bool CSaveFile::TargetMayBeReplaced() {
    if (UnreadablePaths().count(path_) != 0) {
        unreadable_ = true;
        return false;
    }
    const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (IsMissing(errno)) return true;
        NoteUnreadable(errno);
        return false;
    }
    struct stat st;
    const bool denied = fstat(fd, &st) == 0 && DeniedByTestPrivilege(st);
    close(fd);
    if (denied) NoteUnreadable(EACCES);
    return !denied;
}

bool CSaveFile::Open(const char* name, bool write) {
    if (fd_ >= 0) Discard();
    if (!name || !*name) return false;
    path_ = GetBaseDirectory() + name;
    failed_ = false;
    wroteAny_ = false;
    unreadable_ = false;
    if (write) {
        writing_ = false;
        tempPath_.clear();
        // Refused without a word more: the message was given when the file
        // was first found unreadable, and the refusal is no failed write
        // (memory does not win over the file when it reads again).
        if (!TargetMayBeReplaced()) return false;
        writing_ = OpenTemp();
        if (!writing_) NoteWriteResult(false);
        return writing_;
    }
    writing_ = false;
    tempPath_.clear();
    // Only regular files are read, and opening never waits: a FIFO or a
    // device under a save file's name would otherwise hold the game until
    // someone answered at its other end.
    fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) {
        if (!IsMissing(errno)) NoteUnreadable(errno);
        return false;
    }
    struct stat st;
    const bool known = fstat(fd_, &st) == 0;
    if (known && DeniedByTestPrivilege(st)) {
        close(fd_);
        fd_ = -1;
        NoteUnreadable(EACCES);
        return false;
    }
    if (!known || !S_ISREG(st.st_mode)) {
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
            NoteUnreadable(errno);
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
        // Read without fault: a file found unreadable before reads again.
        if (!unreadable_) UnreadablePaths().erase(path_);
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
