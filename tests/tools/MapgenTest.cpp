// The map compiler: what it makes of a small stage's three layers and what
// it refuses.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tools/ToolRun.h"

namespace {

namespace fs = std::filesystem;

// A 2 x 2 stage: layers of 12 x 12 cells, the playfield in columns and
// rows 5 and 6.
const char* kRules =
    "# a test stage\n"
    "stage t 2 2\n"
    "allow a 20526 24590\n"
    "allow b 30248\n"
    "allow c 11060\n"
    "fixed a 7 5..6 24590   # the exit, past the right edge\n"
    "run   a 7 20526 20526\n"
    "cells a 14\n"
    "cells b 16\n"
    "cells c 1 11060\n";

struct Layers {
    std::vector<std::string> a, b, c;
    std::string legendA = "# ground and exit\nG 20526 ground\nE 24590 exit\n";
    std::string legendB = "s 30248 sky\n";
    std::string legendC = "l 11060 lizardman\n";
};

// Layers that keep the rules: ground under the playfield, the exit, the
// backdrop over the playfield and its ring, one enemy.
Layers Good() {
    Layers l;
    l.a.assign(12, "............");
    l.b.assign(12, "............");
    l.c.assign(12, "............");
    l.a[7] = "GGGGGGGGGGGG";
    l.a[5][7] = l.a[6][7] = 'E';
    for (int r = 4; r <= 7; ++r) l.b[static_cast<std::size_t>(r)] = "....ssss....";
    l.c[6][5] = 'l';
    return l;
}

using tool_test::Compiled;

Compiled Compile(const std::string& name, const Layers& l, const char* rules = kRules,
                 bool withLayerC = true) {
    const fs::path dir = fs::temp_directory_path() / ("mapgen-test-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir / "out");
    std::ofstream(dir / "stages.txt") << rules;
    auto write = [&](const char* file, const std::string& legend, const std::vector<std::string>& rows) {
        std::ofstream out(dir / file);
        out << legend << "grid\n";
        for (const std::string& r : rows) out << r << "\n";
    };
    write("t_a.txt", l.legendA, l.a);
    write("t_b.txt", l.legendB, l.b);
    std::string files = "'" + (dir / "t_a.txt").string() + "' '" + (dir / "t_b.txt").string() + "'";
    if (withLayerC) {
        write("t_c.txt", l.legendC, l.c);
        files += " '" + (dir / "t_c.txt").string() + "'";
    }
    const std::string command = std::string(PELLUMBRISK_MAPGEN) + " '" + (dir / "out").string() + "' '" +
                                (dir / "stages.txt").string() + "' " + files;
    return tool_test::RunTool(command, dir, "StageMaps.cpp", "StageMaps.h");
}

}  // namespace

TEST(Mapgen, AStageBecomesItsCellArraysAndSizes) {
    const Compiled r = Compile("good", Good());
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.header.find("kStageMapWidths[kStageMapCount] = {2};"), std::string::npos) << r.header;
    EXPECT_NE(r.header.find("kStageMapIndext = 0;"), std::string::npos);
    EXPECT_NE(r.source.find("constexpr StageMapCell kStageMaptA[144]"), std::string::npos);
    EXPECT_NE(r.source.find("{\"t\", 2, 2, kStageMaptA, kStageMaptB, kStageMaptC},"), std::string::npos);
    // Row 7 of layer A is twelve ground cells; the enemy is in row 6.
    EXPECT_NE(r.source.find(" 20526, 20526, 20526, 20526, 20526, 20526, 20526, 20526, 20526, 20526, 20526, 20526,\n"),
              std::string::npos);
    EXPECT_NE(r.source.find(" 0, 0, 0, 0, 0, 11060, 0, 0, 0, 0, 0, 0,\n"), std::string::npos);
    // The half-cell flags of a legend value.
    Layers flagged = Good();
    flagged.legendC = "l 11060+down+right lizardman\n";
    const Compiled f = Compile("flags", flagged);
    ASSERT_EQ(f.status, 0) << f.errors;
    EXPECT_NE(f.source.find(std::to_string(11060 | 0x30000)), std::string::npos);
}

TEST(Mapgen, BrokenMapsStopTheBuild) {
    struct Case {
        const char* name;
        Layers layers;
        const char* message;
    };
    std::vector<Case> cases;
    auto add = [&](const char* name, auto change, const char* message) {
        Layers l = Good();
        change(l);
        cases.push_back({name, l, message});
    };
    add("short", [](Layers& l) { l.a.pop_back(); }, "the grid has 11 rows; stage t needs 12");
    add("narrow", [](Layers& l) { l.b[3] = "..........."; }, "row 3 has 11 cells; stage t needs 12");
    add("fixed", [](Layers& l) { l.a[6][7] = '.'; }, "column 7, row 6 must hold 24590");
    add("run", [](Layers& l) { l.a[7] = "G.G.G.G.G.G."; }, "row 7 lacks the run of 2 ids");
    add("unknown", [](Layers& l) { l.legendA += "X 7 nothing\n"; }, "type id 7 makes nothing");
    add("stays", [](Layers& l) { l.legendA += "L 11060 an enemy\n"; },
        "type id 11060 does not remove itself outside the spawn window");
    add("allowed", [](Layers& l) { l.legendB += "w 30251 wall\n"; }, "type id 30251 is not allowed in layer B");
    add("hole", [](Layers& l) { l.b[5][6] = '.'; }, "column 6 is empty");
    add("count", [](Layers& l) { l.a[8][0] = 'G'; }, "15 cells; stage t holds 14");
    add("beyond", [](Layers& l) { l.b[8][0] = 's'; }, "17 cells; stage t holds 16");
    add("kind", [](Layers& l) { l.c[6][5] = '.'; }, "0 cells of 11060; stage t holds 1");
    add("legend", [](Layers& l) { l.c[6][6] = 'q'; }, "'q' (column 6) is not in the legend");
    add("twice", [](Layers& l) { l.legendA += "G 20526 again\n"; }, "'G' is in the legend twice");
    add("big", [](Layers& l) { l.legendA += "H 70000 huge\n"; }, "bad cell value '70000'");
    add("flag", [](Layers& l) { l.legendA += "H 20526+left\n"; }, "bad cell value '20526+left'");
    for (const Case& c : cases) {
        const Compiled r = Compile(c.name, c.layers);
        EXPECT_NE(r.status, 0) << c.name;
        EXPECT_NE(r.errors.find(c.message), std::string::npos) << c.name << ": " << r.errors;
        EXPECT_TRUE(r.source.empty()) << c.name << ": nothing is generated";
    }
    // A missing layer, and rules that name no stage.
    const Compiled missing = Compile("missing", Good(), kRules, false);
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.errors.find("stage t has no layer C"), std::string::npos) << missing.errors;
    const Compiled rules = Compile("rules", Good(), "allow a 20526\n");
    EXPECT_NE(rules.status, 0);
    EXPECT_NE(rules.errors.find("rules before the first stage line"), std::string::npos) << rules.errors;
    // A layer without allow lines must stay empty.
    const Compiled empty = Compile("empty", Good(), "stage t 2 2\nallow a 20526 24590\nallow b 30248\n");
    EXPECT_NE(empty.status, 0);
    EXPECT_NE(empty.errors.find("type id 11060 is not allowed in layer C"), std::string::npos) << empty.errors;
}
