// The frame-table compiler: turns each class's frame records, kept as a
// readable text table under data/frames/, into a constant array that the
// class's constructor loads (FrameTable::Load).
//
// Table format (one file per class, named after the class, for example
// data/frames/CCharacterBlock.tab):
//
//   # A '#' starts a comment that runs to the end of the line; use comments
//   # to label states and to explain a block of records.
//   records 1568
//   columns u v spriteLeft spriteRight spriteTop spriteBottom textureId
//   240        130  10  -10  9  -10  9  62     # one record
//   241..245   150  10  -10  9  -10  9  62     # the same values for 241 to 245
//
// - `records N` (required, before any record) is the size of the class's
//   table, 1 to 65535.
// - `columns` (required, before any record) names the fields this table
//   gives, in the order its rows give them, by the FrameRecord field names:
//   u v spriteLeft spriteRight spriteTop spriteBottom solidLeft solidRight
//   solidTopLeft solidTopRight solidBottomLeft solidBottomRight bodyLeft
//   bodyRight bodyTop bodyBottom attackLeft attackRight attackTop
//   attackBottom hurtLeft hurtRight hurtTop hurtBottom nextFrame nextState
//   frameDuration stateDuration textureId. A field the table does not name
//   is 0 in every record.
// - Each record line is the record index (or FIRST..LAST for several
//   records with the same values) followed by one value per column.
// - Record 0 is the default record (FrameRecord::Default) unless the table
//   gives it; every record the table leaves out is all zero (it leads to
//   state 0, removal).
//
// Checks (any failure stops the build with file:line): the header lines,
// unknown or repeated column names, the number of values in a row, values
// that are not 32-bit integers, a record index outside 0..N-1, a record
// given twice, textureId outside the 1500 texture slots, nextFrame or
// nextState outside -1..N-1, a negative frameDuration or stateDuration.
//
// Output: OUT_DIR/FrameTables.h declaring `extern const FrameTableData
// k<Name>Frames;` for every table (the leading C of a class name dropped:
// CCharacterBlock gives kCharacterBlockFrames), and OUT_DIR/<Name>.cpp with
// each table's records. Files are only rewritten when their text changes.
//
// Usage: framegen OUT_DIR TABLE.tab...
#include <array>
#include <cctype>
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

#include "ToolText.h"

namespace {

using tooltext::ParseInt;
using tooltext::WriteIfChanged;

constexpr int kFieldCount = 29;
constexpr int kMaxRecords = 65535;
constexpr int kTextureSlots = 1500;

constexpr std::array<const char*, kFieldCount> kFieldNames = {
    "u",          "v",           "spriteLeft",   "spriteRight",   "spriteTop",       "spriteBottom",
    "solidLeft",  "solidRight",  "solidTopLeft", "solidTopRight", "solidBottomLeft", "solidBottomRight",
    "bodyLeft",   "bodyRight",   "bodyTop",      "bodyBottom",    "attackLeft",      "attackRight",
    "attackTop",  "attackBottom", "hurtLeft",    "hurtRight",     "hurtTop",         "hurtBottom",
    "nextFrame",  "nextState",   "frameDuration", "stateDuration", "textureId",
};
enum Field { kNextFrame = 24, kNextState = 25, kFrameDuration = 26, kStateDuration = 27, kTextureId = 28 };

using Record = std::array<int32_t, kFieldCount>;

struct Table {
    std::string name;  // file stem, the class name
    int32_t count = 0;
    std::vector<std::optional<Record>> records;
};

int FieldIndex(const std::string& name) {
    for (int i = 0; i < kFieldCount; ++i)
        if (name == kFieldNames[i]) return i;
    return -1;
}

bool IsIdentifier(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

// kCharacterBlockFrames for CCharacterBlock; kFooFrames for Foo.
std::string SymbolFor(const std::string& name) {
    std::string base = name;
    if (base.size() > 1 && base[0] == 'C' && std::isupper(static_cast<unsigned char>(base[1]))) base = base.substr(1);
    return "k" + base + "Frames";
}

bool ReadTable(const std::filesystem::path& path, Table& table) {
    table.name = path.stem().string();
    if (!IsIdentifier(table.name)) {
        std::cerr << path.string() << ": the file name must be a class name\n";
        return false;
    }
    std::vector<int> columns;
    bool haveColumns = false;
    const bool read = tooltext::ReadWordLines(path, "framegen", [&](const std::vector<std::string>& words, int, auto fail) {
        if (words[0] == "records") {
            if (table.count != 0) return fail("records given twice");
            if (words.size() != 2) return fail("records takes one number");
            const auto n = ParseInt(words[1]);
            if (!n || *n < 1 || *n > kMaxRecords) return fail("records must be 1 to 65535");
            table.count = *n;
            table.records.assign(static_cast<std::size_t>(*n), std::nullopt);
            return true;
        }
        if (words[0] == "columns") {
            if (haveColumns) return fail("columns given twice");
            haveColumns = true;
            for (std::size_t i = 1; i < words.size(); ++i) {
                const int f = FieldIndex(words[i]);
                if (f < 0) return fail("unknown column '" + words[i] + "'");
                for (int c : columns)
                    if (c == f) return fail("column '" + words[i] + "' named twice");
                columns.push_back(f);
            }
            if (columns.empty()) return fail("columns names no field");
            return true;
        }

        // A record line.
        if (table.count == 0 || !haveColumns) return fail("records and columns must come before the first record");
        int32_t first = 0, last = 0;
        const std::size_t dots = words[0].find("..");
        if (dots == std::string::npos) {
            const auto i = ParseInt(words[0]);
            if (!i) return fail("bad record index '" + words[0] + "'");
            first = last = *i;
        } else {
            const auto a = ParseInt(words[0].substr(0, dots));
            const auto b = ParseInt(words[0].substr(dots + 2));
            if (!a || !b || *a > *b) return fail("bad record range '" + words[0] + "'");
            first = *a;
            last = *b;
        }
        if (first < 0 || last >= table.count)
            return fail("record " + words[0] + " lies outside 0.." + std::to_string(table.count - 1));
        if (words.size() - 1 != columns.size())
            return fail("expected " + std::to_string(columns.size()) + " values, found " +
                        std::to_string(words.size() - 1));
        Record r{};
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const auto v = ParseInt(words[c + 1]);
            const char* field = kFieldNames[columns[c]];
            if (!v) return fail(std::string("value of ") + field + " is not a 32-bit integer: '" + words[c + 1] + "'");
            const int f = columns[c];
            if (f == kTextureId && (*v < 0 || *v >= kTextureSlots)) return fail("textureId must be 0 to 1499");
            if ((f == kNextFrame || f == kNextState) && (*v < -1 || *v >= table.count))
                return fail(std::string(field) + " must be -1 to " + std::to_string(table.count - 1));
            if ((f == kFrameDuration || f == kStateDuration) && *v < 0)
                return fail(std::string(field) + " must not be negative");
            r[static_cast<std::size_t>(f)] = *v;
        }
        for (int32_t i = first; i <= last; ++i) {
            auto& slot = table.records[static_cast<std::size_t>(i)];
            if (slot) return fail("record " + std::to_string(i) + " given twice");
            slot = r;
        }
        return true;
    });
    if (!read) return false;
    if (table.count == 0 || !haveColumns) {
        std::cerr << path.string() << ": a table needs its records and columns lines\n";
        return false;
    }
    return true;
}

std::string TableSource(const Table& t) {
    std::ostringstream out;
    out << "// Generated by framegen from data/frames/" << t.name << ".tab. Do not edit.\n";
    out << "#include \"frames/FrameTables.h\"\n\n";
    out << "namespace {\n\n";
    out << "constexpr FrameRecord kRecords[" << t.count << "] = {\n";
    for (int32_t i = 0; i < t.count; ++i) {
        const auto& r = t.records[static_cast<std::size_t>(i)];
        if (!r) {
            out << (i == 0 ? "    FrameRecord::Default(),\n" : "    {},\n");
            continue;
        }
        out << "    {";
        for (int f = 0; f < kFieldCount; ++f) out << (f ? ", " : "") << (*r)[static_cast<std::size_t>(f)];
        out << "},  // " << i << "\n";
    }
    out << "};\n\n}  // namespace\n\n";
    out << "const FrameTableData " << SymbolFor(t.name) << " = {" << t.count << ", kRecords};\n";
    return out.str();
}

std::string HeaderSource(const std::vector<Table>& tables) {
    std::ostringstream out;
    out << "// Generated by framegen from data/frames/*.tab. Do not edit.\n";
    out << "#pragma once\n#include \"character/FrameRecord.h\"\n\n";
    for (const Table& t : tables) out << "extern const FrameTableData " << SymbolFor(t.name) << ";  // " << t.name << "\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: framegen OUT_DIR TABLE.tab...\n";
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    std::vector<Table> tables;
    for (int i = 2; i < argc; ++i) {
        Table t;
        if (!ReadTable(argv[i], t)) return 1;
        for (const Table& other : tables)
            if (other.name == t.name) {
                std::cerr << argv[i] << ": a table named " << t.name << " was given twice\n";
                return 1;
            }
        tables.push_back(std::move(t));
    }
    std::filesystem::create_directories(outDir);
    if (!WriteIfChanged(outDir / "FrameTables.h", HeaderSource(tables), "framegen")) return 1;
    for (const Table& t : tables)
        if (!WriteIfChanged(outDir / (t.name + ".cpp"), TableSource(t), "framegen")) return 1;
    return 0;
}
