#pragma once
// Text helpers the build-time compilers share: words of a line, strict
// integers, and output files written only when their text changes (so that
// nothing downstream rebuilds for nothing).
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace tooltext {

inline std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

// Reads a text source a line at a time: '#' starts a comment that runs to
// the end of the line, and every line left with words goes to
// onLine(words, lineNo, fail), which returns false to stop; fail(what)
// reports what is wrong with the file and line named and returns false.
template <class OnLine>
bool ReadWordLines(const std::filesystem::path& path, const char* tool, OnLine onLine) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << tool << ": cannot read " << path.string() << "\n";
        return false;
    }
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        const std::vector<std::string> words = Split(line);
        if (words.empty()) continue;
        auto fail = [&](const std::string& what) {
            std::cerr << path.string() << ":" << lineNo << ": " << what << "\n";
            return false;
        };
        if (!onLine(words, lineNo, fail)) return false;
    }
    return true;
}

// A whole decimal int32, nothing else.
inline std::optional<int32_t> ParseInt(const std::string& text) {
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(v);
}

// False (with a message naming the tool) when the file cannot be written.
inline bool WriteIfChanged(const std::filesystem::path& path, const std::string& text, const char* tool) {
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::ostringstream old;
            old << in.rdbuf();
            if (old.str() == text) return true;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        std::cerr << tool << ": cannot write " << path.string() << "\n";
        return false;
    }
    return true;
}

}  // namespace tooltext
