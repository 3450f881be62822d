#pragma once
// A fresh directory for one test's save files, made the save directory for
// the test's lifetime and removed afterwards.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win/SaveFile.h"

class SaveTestDir {
public:
    explicit SaveTestDir(const std::string& suffix = "") {
        // Memory-backed when the system has it: saves flush every file.
        struct stat shm;
        const bool useShm = stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode) && access("/dev/shm", W_OK) == 0;
        char pattern[64];
        std::snprintf(pattern, sizeof pattern, "%s/pellumbrisk-save-XXXXXX", useShm ? "/dev/shm" : "/tmp");
        const char* made = mkdtemp(pattern);
        made_ = made != nullptr;
        root_ = made ? made : "/tmp";
        path_ = root_;
        if (!suffix.empty()) {
            path_ += "/" + suffix;
            mkdir(path_.c_str(), 0755);
        }
        path_ += "/";
        CSaveFile::SetBaseDirectory(path_);
    }
    ~SaveTestDir() {
        CSaveFile::SetBaseDirectory("");
        CSaveFile::SetFaultForTesting(CSaveFile::Fault::None);
        std::string command = "rm -rf '" + root_ + "'";
        if (made_ && std::system(command.c_str()) != 0) std::perror("rm");
    }
    SaveTestDir(const SaveTestDir&) = delete;
    SaveTestDir& operator=(const SaveTestDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

    bool Exists(const std::string& name) const {
        struct stat st;
        return stat(File(name).c_str(), &st) == 0;
    }
    long Size(const std::string& name) const {
        struct stat st;
        return stat(File(name).c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
    }
    std::vector<uint8_t> Read(const std::string& name) const {
        std::vector<uint8_t> bytes;
        if (FILE* f = std::fopen(File(name).c_str(), "rb")) {
            int c;
            while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
            std::fclose(f);
        }
        return bytes;
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        if (FILE* f = std::fopen(File(name).c_str(), "wb")) {
            if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    // Names of the files in the directory.
    std::vector<std::string> List() const {
        std::vector<std::string> names;
        if (DIR* d = opendir(path_.c_str())) {
            while (dirent* e = readdir(d)) {
                const std::string n = e->d_name;
                if (n != "." && n != "..") names.push_back(n);
            }
            closedir(d);
        }
        return names;
    }

private:
    bool made_ = false;
    std::string root_;
    std::string path_;
};
