// The frame-table compiler: what it makes of a table and what it refuses.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tools/ToolRun.h"

namespace {

namespace fs = std::filesystem;

using tool_test::Compiled;

// Runs the compiler on one table in a fresh folder.
Compiled Compile(const std::string& name, const std::string& table) {
    const fs::path dir = fs::temp_directory_path() / ("framegen-test-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir / "out");
    const fs::path tab = dir / (name + ".tab");
    std::ofstream(tab) << table;
    const std::string command =
        std::string(PELLUMBRISK_FRAMEGEN) + " '" + (dir / "out").string() + "' '" + tab.string() + "'";
    return tool_test::RunTool(command, dir, name + ".cpp", "FrameTables.h");
}

int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

constexpr const char* kHead = "records 6\ncolumns u v nextState textureId\n";

}  // namespace

TEST(Framegen, ATableBecomesItsRecordsWithDefaultsAndZeros) {
    const Compiled r = Compile("CCharacterThing",
                          "# a comment\n"
                          "records 6   # six records\n"
                          "columns textureId u v   nextState\n"
                          "\n"
                          "1      62 10  20  -1   # a tile\n"
                          "3..4   48 30 -40   5\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.header.find("extern const FrameTableData kCharacterThingFrames;"), std::string::npos) << r.header;
    EXPECT_NE(r.source.find("const FrameTableData kCharacterThingFrames = {6, kRecords};"), std::string::npos);
    // Record 0 is the default record, records 2 and 5 are all zero.
    EXPECT_NE(r.source.find("FrameRecord::Default(),"), std::string::npos);
    EXPECT_EQ(CountOf(r.source, "    {},\n"), 2);
    // The columns land in their fields whatever their order in the table.
    EXPECT_NE(r.source.find("{10, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, 0, 62},"),
              std::string::npos)
        << r.source;
    EXPECT_EQ(CountOf(r.source, "{30, -40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 48},"), 2);

    // A table that gives record 0 keeps it.
    const Compiled given = Compile("Given", std::string(kHead) + "0 1 2 -1 3\n");
    ASSERT_EQ(given.status, 0) << given.errors;
    EXPECT_EQ(given.source.find("FrameRecord::Default()"), std::string::npos);
}

TEST(Framegen, BrokenTablesStopTheBuildWithTheLine) {
    struct Case {
        const char* name;
        std::string table;
        const char* message;
    };
    const Case cases[] = {
        {"NoHeader", "1 2 3\n", "records and columns must come before"},
        {"NoColumns", "records 4\n", "needs its records and columns"},
        {"TooMany", "records 70000\ncolumns u\n", "records must be 1 to 65535"},
        {"Unknown", "records 4\ncolumns u w\n", "unknown column 'w'"},
        {"Twice", "records 4\ncolumns u v u\n", "column 'u' named twice"},
        {"Short", std::string(kHead) + "1 10 20 -1\n", ":3: expected 4 values, found 3"},
        {"Long", std::string(kHead) + "1 10 20 -1 5 6\n", "expected 4 values, found 5"},
        {"NotANumber", std::string(kHead) + "1 10 2x -1 5\n", "value of v is not a 32-bit integer"},
        {"Huge", std::string(kHead) + "1 10 3000000000 -1 5\n", "not a 32-bit integer"},
        {"Beyond", std::string(kHead) + "6 10 20 -1 5\n", "record 6 lies outside 0..5"},
        {"RangeBeyond", std::string(kHead) + "4..6 10 20 -1 5\n", "lies outside"},
        {"Negative", std::string(kHead) + "-1 10 20 -1 5\n", "lies outside"},
        {"Backwards", std::string(kHead) + "4..2 10 20 -1 5\n", "bad record range"},
        {"Duplicate", std::string(kHead) + "2..4 10 20 -1 5\n4 1 1 -1 1\n", ":4: record 4 given twice"},
        {"Slot", std::string(kHead) + "1 10 20 -1 1500\n", "textureId must be 0 to 1499"},
        {"NextState", std::string(kHead) + "1 10 20 6 5\n", "nextState must be -1 to 5"},
        {"NextFrame", "records 4\ncolumns nextFrame\n1 -2\n", "nextFrame must be -1 to 3"},
        {"Duration", "records 4\ncolumns frameDuration\n1 -5\n", "frameDuration must not be negative"},
        {"Bad-Name", std::string(kHead), "must be a class name"},
    };
    for (const Case& c : cases) {
        const Compiled r = Compile(c.name, c.table);
        EXPECT_NE(r.status, 0) << c.name;
        EXPECT_NE(r.errors.find(c.message), std::string::npos) << c.name << ": " << r.errors;
        EXPECT_TRUE(r.source.empty()) << c.name << ": nothing is generated";
    }
}
