// The exit-table compiler: turns data/maps/exits.txt, the table that room and
// door exits read their destination from, into a constant array.
//
// Format: '#' starts a comment that runs to the end of the line. Every other
// line is one row: the type id, then the 15 columns of the row in the order
// of ExitTableRow (start state, warp extra, destination stage, destination
// x / 10, y / 10, facing, transition kind, transition frames, and the door's
// picture: u, v, sprite left, right, top, bottom, texture slot).
//
// Checks (any failure stops the build with file:line):
// - the rows are the type ids 23800 to 24609, each once, in order, with 15
//   whole numbers each;
// - the start state is 240 (room exit), 250 (door exit) or 0 (no object);
// - a row that makes an object leads to a stage of this game (266 to 273);
// - the pairing: transition 5 only in even rows with facing +1, transition 6
//   only in odd rows with facing -1, transition 1 (doors) with facing +1 or
//   -1; room-exit rows (transition 5 or 6) carry no picture, door rows a
//   picture on a texture slot below 1500;
// - the fade lasts at least one frame.
//
// Output: OUT_DIR/ExitTable.h (the row type and `kExitTable`) and
// OUT_DIR/ExitTable.cpp, written only when their text changes.
//
// Usage: exitgen OUT_DIR exits.txt
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "ToolText.h"

namespace {

namespace fs = std::filesystem;
using tooltext::ParseInt;
using tooltext::WriteIfChanged;

constexpr int32_t kFirstId = 23800;
constexpr int32_t kRowCount = 810;
constexpr int kColumns = 15;
constexpr int32_t kFirstStage = 266;
constexpr int32_t kLastStage = 273;
constexpr int32_t kTextureSlots = 1500;

enum Column {
    kStart, kExtra, kDest, kDestX, kDestY, kFacing, kTransition, kFrames,
    kU, kV, kLeft, kRight, kTop, kBottom, kTexture
};
constexpr std::array<const char*, kColumns> kNames = {
    "startState", "warpExtra", "destMapId", "destX10", "destY10", "facing", "transitionType", "transitionFrames",
    "spriteU", "spriteV", "spriteLeft", "spriteRight", "spriteTop", "spriteBottom", "textureId",
};

using Row = std::array<int32_t, kColumns>;

// The reason a row breaks the rules, or empty.
std::string CheckRow(int32_t id, const Row& r) {
    if (r[kStart] != 0 && r[kStart] != 240 && r[kStart] != 250) return "start state must be 240, 250 or 0";
    if (r[kStart] != 0 && (r[kDest] < kFirstStage || r[kDest] > kLastStage))
        return "a row that makes an exit must lead to a stage of this game (266 to 273); use start state 0";
    if (r[kFrames] < 1) return "the fade must last at least one frame";
    const bool even = id % 2 == 0;
    bool picture = false;
    for (int c = kU; c <= kTexture; ++c) picture = picture || r[c] != 0;
    switch (r[kTransition]) {
        case 5:
            if (!even || r[kFacing] != 1) return "transition 5 is the rightward exit of an even row, facing +1";
            break;
        case 6:
            if (even || r[kFacing] != -1) return "transition 6 is the leftward exit of an odd row, facing -1";
            break;
        case 1:
            if (r[kStart] == 240) return "a room exit uses transition 5 or 6";
            if (r[kFacing] != 1 && r[kFacing] != -1) return "a door's facing is +1 or -1";
            if (r[kTexture] < 1 || r[kTexture] >= kTextureSlots) return "a door's picture needs a texture slot";
            if (r[kLeft] > r[kRight] || r[kTop] > r[kBottom]) return "a door's sprite rectangle is empty";
            return "";
        default:
            return "transition must be 5 (rightward), 6 (leftward) or 1 (door)";
    }
    if (r[kStart] == 250) return "a door row uses transition 1";
    if (picture) return "a room exit has no picture";
    return "";
}

bool ReadTable(const fs::path& path, std::vector<Row>& rows) {
    const bool read = tooltext::ReadWordLines(path, "exitgen", [&](const std::vector<std::string>& words, int, auto fail) {
        if (words.size() != kColumns + 1)
            return fail("expected the type id and " + std::to_string(kColumns) + " values, found " +
                        std::to_string(words.size()) + " words");
        std::array<int32_t, kColumns + 1> v{};
        for (std::size_t i = 0; i < words.size(); ++i) {
            const auto n = ParseInt(words[i]);
            if (!n) return fail("not a whole number: " + words[i]);
            v[i] = *n;
        }
        const int32_t expected = kFirstId + static_cast<int32_t>(rows.size());
        if (expected >= kFirstId + kRowCount) return fail("more than " + std::to_string(kRowCount) + " rows");
        if (v[0] != expected) return fail("expected the row of type id " + std::to_string(expected));
        Row row{};
        for (int c = 0; c < kColumns; ++c) row[c] = v[static_cast<std::size_t>(c) + 1];
        const std::string wrong = CheckRow(v[0], row);
        if (!wrong.empty()) return fail(wrong);
        rows.push_back(row);
        return true;
    });
    if (!read) return false;
    if (rows.size() != kRowCount) {
        std::cerr << path.string() << ": " << rows.size() << " rows; the table has " << kRowCount
                  << " (type ids 23800 to 24609)\n";
        return false;
    }
    return true;
}

std::string HeaderSource() {
    std::ostringstream s;
    s << "// Generated by exitgen from data/maps/exits.txt; do not edit.\n#pragma once\n#include <cstdint>\n\n"
         "// One row of the exit table: what a room or door exit of a type id leads to.\nstruct ExitTableRow {\n";
    for (const char* name : kNames) s << "    int32_t " << name << ";\n";
    s << "};\n\n// Row r is type id kExitTableFirstId + r.\n"
      << "constexpr int32_t kExitTableFirstId = " << kFirstId << ";\n"
      << "constexpr int32_t kExitTableRows = " << kRowCount << ";\n"
      << "extern const ExitTableRow kExitTable[kExitTableRows];\n";
    return s.str();
}

std::string TableSource(const std::vector<Row>& rows) {
    std::ostringstream s;
    s << "// Generated by exitgen from data/maps/exits.txt; do not edit.\n#include \"maps/ExitTable.h\"\n\n"
         "const ExitTableRow kExitTable[kExitTableRows] = {\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        s << "    {";
        for (int c = 0; c < kColumns; ++c) s << (c ? ", " : "") << rows[i][c];
        s << "},  // " << kFirstId + static_cast<int32_t>(i) << "\n";
    }
    s << "};\n";
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: exitgen OUT_DIR exits.txt\n";
        return 2;
    }
    std::vector<Row> rows;
    if (!ReadTable(argv[2], rows)) return 1;
    const fs::path outDir = argv[1];
    fs::create_directories(outDir);
    if (!WriteIfChanged(outDir / "ExitTable.h", HeaderSource(), "exitgen")) return 1;
    if (!WriteIfChanged(outDir / "ExitTable.cpp", TableSource(rows), "exitgen")) return 1;
    return 0;
}
