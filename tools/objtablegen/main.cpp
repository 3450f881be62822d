// The stage objects' table compiler: turns data/maps/stageobjects.txt, the
// set-up rows that switches, flag gates, locked doors and enemy locks read by
// type id, into constant arrays.
//
// Format: '#' starts a comment that runs to the end of the line. Every other
// line is one row: the table's name (switch, gate, door, enemylock), the type
// id, then the row's columns in the order of its row type.
//
// Checks (any failure stops the build with file:line):
// - each table holds its type ids in order, each once, all of them
//   (switch 10360-10399, gate 10400-10447, door 10450-10459, enemylock
//   10550-10599), with its number of whole numbers;
// - every flag is -1 or a flag id 0 to 1023 (a gate's conditions 0 to 1023,
//   0 being no condition); sounds are -1 or an effect slot 0 to 80;
// - a switch starts in its own looks (310/311 below 10390, 320/321 from
//   there), keeps its flag or not (0 or 1), has the polarity 0 or 1 and
//   stays on for -1 (ever) or a positive number of frames;
// - a gate's tour is 0 or 1; a door starts in 260, faces +1 or -1 and fades
//   for at least one frame;
// - an enemy lock's reward is 0 or a pick-up (23001 to 23179).
//
// Output: OUT_DIR/StageObjectTables.h and .cpp, written only when their text
// changes.
//
// Usage: objtablegen OUT_DIR stageobjects.txt
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ToolText.h"

namespace {

namespace fs = std::filesystem;
using tooltext::ParseInt;
using tooltext::WriteIfChanged;

using Row = std::vector<int32_t>;

struct Table {
    const char* name;     // the word that starts its lines
    const char* type;     // the row type
    const char* array;    // the array's name
    const char* prefix;   // of the constants
    int32_t firstId;
    int32_t rows;
    std::vector<const char*> columns;
    std::string (*check)(int32_t id, const Row& r);
    std::vector<Row> read;
};

bool IsFlag(int32_t v) { return v >= -1 && v < 1024; }
bool IsSound(int32_t v) { return v >= -1 && v <= 80; }

std::string CheckSwitch(int32_t id, const Row& r) {
    if (r[0] != 0 && r[0] != 1) return "keepFlag is 0 or 1";
    if (r[1] != 0 && r[1] != 1) return "invert is 0 or 1";
    if (r[2] != -1 && r[2] < 1) return "onFrames is -1 (never off by itself) or at least 1";
    if (!IsFlag(r[3]) || r[3] < 0) return "a switch needs a flag id 0 to 1023";
    const int32_t off = id < 10390 ? 310 : 320;
    if ((r[4] != off && r[4] != off + 1) || (r[5] != off && r[5] != off + 1))
        return "the switch's states are " + std::to_string(off) + " and " + std::to_string(off + 1);
    return "";
}

std::string CheckGate(int32_t, const Row& r) {
    if (r[0] != 0 && r[0] != 1) return "startsTour is 0 or 1";
    if (!IsSound(r[1])) return "openSound is -1 or an effect slot 0 to 80";
    for (std::size_t i = 2; i < r.size(); ++i)
        if (r[i] < 0 || r[i] > 1023) return "a condition is a flag id 0 to 1023 (0: none)";
    return "";
}

std::string CheckDoor(int32_t, const Row& r) {
    if (r[0] != 260) return "a locked door starts in state 260";
    if (r[5] != 1 && r[5] != -1) return "a door's facing is +1 or -1";
    if (r[7] < 1) return "the fade must last at least one frame";
    for (std::size_t i = 15; i < 18; ++i)
        if (!IsFlag(r[i])) return "flags are -1 or a flag id 0 to 1023";
    return "";
}

std::string CheckEnemyLock(int32_t, const Row& r) {
    if (!IsFlag(r[0]) || r[0] < 0) return "an enemy lock needs a flag id 0 to 1023";
    if (r[1] != 0 && (r[1] < 23001 || r[1] > 23179)) return "the reward is 0 or a pick-up (23001 to 23179)";
    if (!IsSound(r[2])) return "openSound is -1 or an effect slot 0 to 80";
    return "";
}

std::vector<Table> MakeTables() {
    return {
        {"switch", "SwitchTableRow", "kSwitchTable", "kSwitchTable", 10360, 40,
         {"keepFlag", "invert", "onFrames", "flagId", "stateWhenExpected", "stateOtherwise"}, CheckSwitch, {}},
        {"gate", "FlagGateTableRow", "kFlagGateTable", "kFlagGateTable", 10400, 48,
         {"startsTour", "openSound", "conditionFlags[8]"}, CheckGate, {}},
        {"door", "LockedDoorTableRow", "kLockedDoorTable", "kLockedDoorTable", 10450, 10,
         {"state", "warpExtra", "destMapId", "destX10", "destY10", "facing", "transitionType", "transitionFrames",
          "spriteU", "spriteV", "spriteLeft", "spriteRight", "spriteTop", "spriteBottom", "textureId", "flagId",
          "keyFlag1", "keyFlag2"},
         CheckDoor, {}},
        {"enemylock", "EnemyLockTableRow", "kEnemyLockTable", "kEnemyLockTable", 10550, 50,
         {"flagId", "rewardTypeId", "openSound"}, CheckEnemyLock, {}},
    };
}

// The number of values a column stands for ("name[8]" is eight).
int Width(const std::string& column) {
    const std::size_t open = column.find('[');
    return open == std::string::npos ? 1 : std::stoi(column.substr(open + 1));
}

int Values(const Table& t) {
    int n = 0;
    for (const char* c : t.columns) n += Width(c);
    return n;
}

bool ReadTables(const fs::path& path, std::vector<Table>& tables) {
    std::map<std::string, Table*> byName;
    for (Table& t : tables) byName[t.name] = &t;
    const bool read = tooltext::ReadWordLines(path, "objtablegen", [&](const std::vector<std::string>& words, int,
                                                                       auto fail) {
        const auto found = byName.find(words[0]);
        if (found == byName.end()) return fail("unknown table: " + words[0]);
        Table& t = *found->second;
        const std::size_t expected = static_cast<std::size_t>(Values(t)) + 2;
        if (words.size() != expected)
            return fail("a " + std::string(t.name) + " row has the type id and " + std::to_string(expected - 2) +
                        " values, found " + std::to_string(words.size() - 1) + " words");
        Row v;
        for (std::size_t i = 1; i < words.size(); ++i) {
            const auto n = ParseInt(words[i]);
            if (!n) return fail("not a whole number: " + words[i]);
            v.push_back(*n);
        }
        const int32_t id = t.firstId + static_cast<int32_t>(t.read.size());
        if (static_cast<int32_t>(t.read.size()) >= t.rows)
            return fail(std::string("more than ") + std::to_string(t.rows) + " " + t.name + " rows");
        if (v[0] != id) return fail("expected the " + std::string(t.name) + " row of type id " + std::to_string(id));
        const Row row(v.begin() + 1, v.end());
        const std::string wrong = t.check(id, row);
        if (!wrong.empty()) return fail(wrong);
        t.read.push_back(row);
        return true;
    });
    if (!read) return false;
    for (const Table& t : tables) {
        if (static_cast<int32_t>(t.read.size()) != t.rows) {
            std::cerr << path.string() << ": " << t.read.size() << " " << t.name << " rows; the table has " << t.rows
                      << " (type ids " << t.firstId << " to " << t.firstId + t.rows - 1 << ")\n";
            return false;
        }
    }
    return true;
}

std::string HeaderSource(const std::vector<Table>& tables) {
    std::ostringstream s;
    s << "// Generated by objtablegen from data/maps/stageobjects.txt; do not edit.\n#pragma once\n"
         "#include <cstdint>\n";
    for (const Table& t : tables) {
        s << "\n// Row r is type id " << t.prefix << "FirstId + r.\nstruct " << t.type << " {\n";
        for (const char* c : t.columns) s << "    int32_t " << c << ";\n";
        s << "};\nconstexpr int32_t " << t.prefix << "FirstId = " << t.firstId << ";\nconstexpr int32_t " << t.prefix
          << "Rows = " << t.rows << ";\nextern const " << t.type << " " << t.array << "[" << t.prefix << "Rows];\n";
    }
    return s.str();
}

std::string TableSource(const std::vector<Table>& tables) {
    std::ostringstream s;
    s << "// Generated by objtablegen from data/maps/stageobjects.txt; do not edit.\n"
         "#include \"maps/StageObjectTables.h\"\n";
    for (const Table& t : tables) {
        s << "\nconst " << t.type << " " << t.array << "[" << t.prefix << "Rows] = {\n";
        for (std::size_t i = 0; i < t.read.size(); ++i) {
            s << "    {";
            std::size_t value = 0;
            for (std::size_t c = 0; c < t.columns.size(); ++c) {
                const int width = Width(t.columns[c]);
                s << (c ? ", " : "") << (width > 1 ? "{" : "");
                for (int k = 0; k < width; ++k) s << (k ? ", " : "") << t.read[i][value++];
                s << (width > 1 ? "}" : "");
            }
            s << "},  // " << t.firstId + static_cast<int32_t>(i) << "\n";
        }
        s << "};\n";
    }
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: objtablegen OUT_DIR stageobjects.txt\n";
        return 2;
    }
    std::vector<Table> tables = MakeTables();
    if (!ReadTables(argv[2], tables)) return 1;
    const fs::path outDir = argv[1];
    fs::create_directories(outDir);
    if (!WriteIfChanged(outDir / "StageObjectTables.h", HeaderSource(tables), "objtablegen")) return 1;
    if (!WriteIfChanged(outDir / "StageObjectTables.cpp", TableSource(tables), "objtablegen")) return 1;
    return 0;
}
