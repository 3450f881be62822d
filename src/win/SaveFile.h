#pragma once
// The game's one file object: opens a file beside the executable, reads or
// writes raw bytes and closes it. A write goes to a new temporary file next
// to the target ("<name>.tmp-pellumbrisk-" and six random letters or
// digits, created afresh so that it is never a file or link that was already
// there), which replaces the target only when the whole write and its flush
// succeeded, so a failed save never damages the previous one and the target
// always ends as a regular file.
//
// A file that is there but cannot be read (another user's, or one without
// read permission) is never written over: what it holds cannot be known, so
// the game says once that it will not save over it, and plays on with what
// memory holds.
#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

class CSaveFile {
public:
    CSaveFile() = default;
    CSaveFile(const CSaveFile&) = delete;
    CSaveFile& operator=(const CSaveFile&) = delete;
    // Closes a file still open; an unfinished write is dropped.
    virtual ~CSaveFile();

    // Existing files only. False also when the file is there but cannot be
    // read: FoundUnreadable then tells the two apart.
    virtual bool OpenRead(const char* name);
    virtual bool OpenReadSave();
    // The file is created when missing; the old one stays until Close. False
    // without any write when the file is there but cannot be read.
    virtual bool OpenWrite(const char* name);
    virtual bool OpenWriteSave();
    virtual bool OpenReadScore();
    virtual bool OpenWriteScore();
    virtual bool OpenReadIdentify();
    virtual bool OpenWriteIdentify();
    // Ends the read or write. For a write: flushes the new contents to disk
    // and puts them in place of the old file; false (old file untouched)
    // when a write, the flush or the replacement failed, or nothing was
    // written.
    virtual bool Close();
    // True when the read worked; countRead may be less than count at the end
    // of the file.
    virtual bool Read(void* buffer, uint32_t count, uint32_t* countRead);
    // True only when all count bytes were written.
    virtual bool Write(const void* buffer, uint32_t count, uint32_t* countWritten);

    bool IsOpen() const { return fd_ >= 0; }
    // Bytes in the open file; -1 when none is open.
    int64_t GetSize() const;
    // Whether the last open, or a read since, found the file there but could
    // not read it (rather than finding no file).
    bool FoundUnreadable() const { return unreadable_; }

    // The directory that holds the files, with its trailing separator: the
    // executable's own directory unless SetBaseDirectory chose another.
    static std::string GetBaseDirectory();
    // Tests keep their files in a directory of their own; empty restores
    // the executable's directory.
    static void SetBaseDirectory(const std::string& directory);

    // Removes the temporary files that interrupted writes of the named files
    // left behind: "<name>.tmp" of earlier versions and "<name>.tmp-
    // pellumbrisk-XXXXXX", each only when it is a regular file (a link is not
    // followed) of at most largest bytes, the most such a write makes;
    // nothing else. Returns how many went.
    static int RemoveLeftoverTemps(const std::vector<std::string>& names, int64_t largest);
    // The names in the directory of the files that begin with one of the
    // prefixes, in lower case (so that a directory that ignores case is
    // listed whole); false (and none) when it cannot be read whole.
    static bool ListBaseDirectory(std::initializer_list<const char*> prefixes, std::set<std::string>& names);
    // Whether the last write of the file (in the current directory of the
    // files) failed: what memory holds for it is then newer than the disk.
    // A successful write clears the mark.
    static bool LastWriteFailed(const char* name);
    // Forgets the failed writes and the files found unreadable (whose
    // message is then given again), as a new process starts.
    static void ForgetFailedWrites();

    // Failures that tests can make the next opens and writes suffer.
    // NoPrivilege makes the permission bits of the files bind as they do for
    // a user without root's privileges: a file whose bits deny this user
    // reading cannot be opened for reading.
    enum class Fault { None, ShortWrite, WriteError, FlushError, RenameError, CreateError, NoPrivilege };
    static void SetFaultForTesting(Fault fault);

private:
    bool Open(const char* name, bool write);
    bool OpenTemp();
    bool TargetMayBeReplaced();
    void Discard();
    void NoteWriteResult(bool ok) const;
    void NoteUnreadable(int error);

    int fd_ = -1;
    bool writing_ = false;
    bool failed_ = false;
    bool wroteAny_ = false;
    bool unreadable_ = false;
    std::string path_;
    std::string tempPath_;
};
