// The map compiler: turns the stage maps, kept as text grids under
// data/maps/, into the constant cell arrays the stages read.
//
// The rules file (data/maps/stages.txt) lists the stages in order and what
// their maps must hold:
//
//   stage NAME WIDTH HEIGHT     a stage and its playfield size in cells; its
//                               maps are NAME_a.txt, NAME_b.txt, NAME_c.txt
//   allow LAYER ID|FIRST-LAST ...   ids that layer may hold; a layer without
//                               allow lines must be empty
//   fixed LAYER COLUMN ROW ID   the cell holds ID; COLUMN and ROW may be
//                               ranges FIRST..LAST (every cell of the range)
//   run LAYER ROW ID ID ...     the row holds these ids side by side
//   cells LAYER COUNT [ID|FIRST-LAST]   the layer holds exactly COUNT cells
//                               (of these ids, when given; else of any id)
//
// LAYER is a, b or c; columns and rows count layer cells, border included.
// '#' starts a comment.
//
// A map file (data/maps/NAME_LAYER.txt):
//
//   # comments
//   G 20066 grass top           legend: one character, the cell value
//   f 20069 earth               (type id, optionally +down / +right for the
//   grid                        half-cell flags), then any description
//   ....GGGG....                the grid: HEIGHT + 10 rows of WIDTH + 10
//   ....ffff....                characters; '.' is an empty cell
//
// Checks (any failure stops the build with file:line): the file names, the
// legend (one character other than '.', a type id of 1 to 65535, each
// character once), the grid's size, characters missing from the legend,
// type ids the character factory does not make, in layers A and B kinds that
// do not delete themselves outside the spawn window (src/stage/MapTypeIds.h),
// ids outside the stage's allow lines, missing fixed cells and runs, counts
// of cells other than the cells lines give, and
// layer B leaving a hole in columns 4 to WIDTH + 5 of rows 4 to HEIGHT + 5
// (the playfield and the ring of border cells around it).
//
// Output: OUT_DIR/StageMaps.h (the sizes and `kStageMaps`, one
// StageMapData per stage in the order of the rules file) and
// OUT_DIR/StageMaps.cpp (the cells), written only when their text changes.
//
// Usage: mapgen OUT_DIR RULES.txt MAP.txt...
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "stage/MapTypeIds.h"
#include "stage/StageMap.h"

#include "ToolText.h"

namespace {

using tooltext::ParseInt;
using tooltext::Split;
using tooltext::WriteIfChanged;

namespace fs = std::filesystem;

struct Range {
    int32_t first = 0, last = 0;
};

struct FixedCells {
    int layer = 0;
    Range columns, rows;
    int32_t id = 0;
    int line = 0;
};

struct Run {
    int layer = 0;
    int32_t row = 0;
    std::vector<int32_t> ids;
    int line = 0;
};

struct CellCount {
    int layer = 0;
    int32_t count = 0;
    std::optional<Range> ids;  // every non-empty cell when not given
    int line = 0;
};

struct Layer {
    std::string file;
    std::vector<StageMapCell> cells;
    std::vector<int> cellLines;  // the grid line of each row, for messages
    bool present = false;
};

struct Stage {
    std::string name;
    int32_t width = 0, height = 0;
    std::vector<Range> allow[3];
    std::vector<FixedCells> fixed;
    std::vector<Run> runs;
    std::vector<CellCount> counts;
    Layer layers[3];
    int32_t Columns() const { return width + 2 * kMapBorder; }
    int32_t Rows() const { return height + 2 * kMapBorder; }
};

// "7" or "4..11".
std::optional<Range> ParseSpan(const std::string& text) {
    const std::size_t dots = text.find("..");
    if (dots == std::string::npos) {
        const auto v = ParseInt(text);
        if (!v) return std::nullopt;
        return Range{*v, *v};
    }
    const auto a = ParseInt(text.substr(0, dots)), b = ParseInt(text.substr(dots + 2));
    if (!a || !b || *a > *b) return std::nullopt;
    return Range{*a, *b};
}

// "20064" or "20064-20073".
std::optional<Range> ParseIdRange(const std::string& text) {
    const std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
        const auto v = ParseInt(text);
        if (!v) return std::nullopt;
        return Range{*v, *v};
    }
    const auto a = ParseInt(text.substr(0, dash)), b = ParseInt(text.substr(dash + 1));
    if (!a || !b || *a > *b) return std::nullopt;
    return Range{*a, *b};
}

int LayerIndex(const std::string& s) {
    if (s == "a") return 0;
    if (s == "b") return 1;
    if (s == "c") return 2;
    return -1;
}

const char* LayerName(int layer) { return layer == 0 ? "A" : layer == 1 ? "B" : "C"; }

bool ReadRules(const fs::path& path, std::vector<Stage>& stages) {
    const bool read = tooltext::ReadWordLines(path, "mapgen", [&](const std::vector<std::string>& w, int lineNo, auto fail) {
        if (w[0] == "stage") {
            if (w.size() != 4) return fail("stage takes a name, a width and a height");
            Stage s;
            s.name = w[1];
            for (char ch : s.name)
                if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_') return fail("bad stage name");
            const auto width = ParseInt(w[2]), height = ParseInt(w[3]);
            if (!width || !height || *width < 1 || *height < 1 || *width > 1000 || *height > 1000)
                return fail("the size must be 1 to 1000 cells each way");
            s.width = *width;
            s.height = *height;
            for (const Stage& other : stages)
                if (other.name == s.name) return fail("stage " + s.name + " given twice");
            stages.push_back(s);
            return true;
        }
        if (stages.empty()) return fail("rules before the first stage line");
        Stage& s = stages.back();
        if (w.size() < 2 || LayerIndex(w[1]) < 0) return fail(w[0] + " needs a layer a, b or c");
        const int layer = LayerIndex(w[1]);
        if (w[0] == "allow") {
            if (w.size() < 3) return fail("allow names no id");
            for (std::size_t i = 2; i < w.size(); ++i) {
                const auto r = ParseIdRange(w[i]);
                if (!r) return fail("bad id or id range '" + w[i] + "'");
                s.allow[layer].push_back(*r);
            }
        } else if (w[0] == "fixed") {
            if (w.size() != 5) return fail("fixed takes a layer, a column, a row and an id");
            const auto c = ParseSpan(w[2]), r = ParseSpan(w[3]);
            const auto id = ParseInt(w[4]);
            if (!c || !r || !id) return fail("bad fixed cell");
            if (c->first < 0 || c->last >= s.Columns() || r->first < 0 || r->last >= s.Rows())
                return fail("the fixed cells lie outside the layer");
            s.fixed.push_back({layer, *c, *r, *id, lineNo});
        } else if (w[0] == "run") {
            if (w.size() < 4) return fail("run takes a layer, a row and ids");
            const auto row = ParseInt(w[2]);
            if (!row || *row < 0 || *row >= s.Rows()) return fail("bad row");
            Run run{layer, *row, {}, lineNo};
            for (std::size_t i = 3; i < w.size(); ++i) {
                const auto id = ParseInt(w[i]);
                if (!id) return fail("bad id '" + w[i] + "'");
                run.ids.push_back(*id);
            }
            s.runs.push_back(run);
        } else if (w[0] == "cells") {
            if (w.size() != 3 && w.size() != 4) return fail("cells takes a layer, a count and optionally ids");
            const auto count = ParseInt(w[2]);
            if (!count || *count < 0) return fail("bad count '" + w[2] + "'");
            CellCount c{layer, *count, std::nullopt, lineNo};
            if (w.size() == 4) {
                c.ids = ParseIdRange(w[3]);
                if (!c.ids) return fail("bad id or id range '" + w[3] + "'");
            }
            s.counts.push_back(c);
        } else {
            return fail("unknown rule '" + w[0] + "'");
        }
        return true;
    });
    if (!read) return false;
    if (stages.empty()) {
        std::cerr << path.string() << ": no stage\n";
        return false;
    }
    return true;
}

// "20066", "20066+down", "20066+right+down".
std::optional<StageMapCell> ParseCellValue(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t plus = text.find('+'); plus != std::string::npos; plus = text.find('+', start)) {
        parts.push_back(text.substr(start, plus - start));
        start = plus + 1;
    }
    parts.push_back(text.substr(start));
    const auto id = ParseInt(parts[0]);
    if (!id || *id < 1 || *id > static_cast<int32_t>(kMapCellTypeMask)) return std::nullopt;
    StageMapCell v = static_cast<StageMapCell>(*id);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (parts[i] == "down") v |= kMapCellHalfDown;
        else if (parts[i] == "right") v |= kMapCellHalfRight;
        else return std::nullopt;
    }
    return v;
}

bool Allowed(const Stage& s, int layer, int32_t id) {
    for (const Range& r : s.allow[layer])
        if (id >= r.first && id <= r.last) return true;
    return false;
}

bool ReadLayer(const fs::path& path, Stage& s, int layer) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "mapgen: cannot read " << path.string() << "\n";
        return false;
    }
    Layer& out = s.layers[layer];
    out.file = path.string();
    out.present = true;
    std::map<char, StageMapCell> legend;
    std::map<char, int> legendLine;
    std::vector<std::string> rows;
    std::string line;
    int lineNo = 0;
    bool inGrid = false;
    auto fail = [&](int at, const std::string& what) {
        std::cerr << path.string() << ":" << at << ": " << what << "\n";
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inGrid) {
            if (line.empty()) continue;
            rows.push_back(line);
            out.cellLines.push_back(lineNo);
            continue;
        }
        if (!line.empty() && line[0] == '#') continue;
        const std::vector<std::string> w = Split(line);
        if (w.empty()) continue;
        if (w[0] == "grid" && w.size() == 1) {
            inGrid = true;
            continue;
        }
        if (w[0].size() != 1 || w[0][0] == '.' || w.size() < 2)
            return fail(lineNo, "a legend line is one character (not '.') and a type id");
        const char ch = w[0][0];
        const auto value = ParseCellValue(w[1]);
        if (!value) return fail(lineNo, "bad cell value '" + w[1] + "' (a type id of 1 to 65535, +down, +right)");
        if (legend.count(ch)) return fail(lineNo, std::string("'") + ch + "' is in the legend twice");
        legend[ch] = *value;
        legendLine[ch] = lineNo;
    }
    if (!inGrid) return fail(lineNo, "no grid line");
    if (static_cast<int32_t>(rows.size()) != s.Rows())
        return fail(lineNo, "the grid has " + std::to_string(rows.size()) + " rows; stage " + s.name + " needs " +
                                std::to_string(s.Rows()) + " (height " + std::to_string(s.height) + " + 10)");
    out.cells.assign(static_cast<std::size_t>(s.Columns()) * s.Rows(), 0);
    for (int32_t r = 0; r < s.Rows(); ++r) {
        const std::string& row = rows[static_cast<std::size_t>(r)];
        const int at = out.cellLines[static_cast<std::size_t>(r)];
        if (static_cast<int32_t>(row.size()) != s.Columns())
            return fail(at, "row " + std::to_string(r) + " has " + std::to_string(row.size()) + " cells; stage " +
                                s.name + " needs " + std::to_string(s.Columns()) + " (width " +
                                std::to_string(s.width) + " + 10)");
        for (int32_t c = 0; c < s.Columns(); ++c) {
            const char ch = row[static_cast<std::size_t>(c)];
            if (ch == '.') continue;
            const auto it = legend.find(ch);
            if (it == legend.end()) return fail(at, std::string("'") + ch + "' (column " + std::to_string(c) + ") is not in the legend");
            out.cells[static_cast<std::size_t>(r) * s.Columns() + c] = it->second;
        }
    }
    // The kinds of the legend's ids, checked once per id it uses.
    for (const auto& [ch, value] : legend) {
        const int32_t id = static_cast<int32_t>(value & kMapCellTypeMask);
        const int at = legendLine[ch];
        const MapObjectKind kind = KindOfTypeId(id);
        if (kind == MapObjectKind::None) return fail(at, "type id " + std::to_string(id) + " makes nothing");
        if (layer != 2 && !LeavesWithSpawnWindow(kind))
            return fail(at, "type id " + std::to_string(id) + " does not remove itself outside the spawn window; it " +
                                "cannot stand in layer " + LayerName(layer));
        if (!Allowed(s, layer, id))
            return fail(at, "type id " + std::to_string(id) + " is not allowed in layer " + LayerName(layer) +
                                " of stage " + s.name);
    }
    return true;
}

bool CheckStage(const Stage& s, const fs::path& rules) {
    bool ok = true;
    auto cell = [&](int layer, int32_t c, int32_t r) {
        return s.layers[layer].cells[static_cast<std::size_t>(r) * s.Columns() + c];
    };
    for (const FixedCells& f : s.fixed)
        for (int32_t r = f.rows.first; r <= f.rows.last; ++r)
            for (int32_t c = f.columns.first; c <= f.columns.last; ++c)
                if ((cell(f.layer, c, r) & kMapCellTypeMask) != static_cast<StageMapCell>(f.id)) {
                    std::cerr << s.layers[f.layer].file << ": column " << c << ", row " << r << " must hold " << f.id
                              << " (" << rules.string() << ":" << f.line << ")\n";
                    ok = false;
                }
    for (const Run& run : s.runs) {
        bool found = false;
        const int32_t n = static_cast<int32_t>(run.ids.size());
        for (int32_t c = 0; c + n <= s.Columns() && !found; ++c) {
            found = true;
            for (int32_t k = 0; k < n; ++k)
                if ((cell(run.layer, c + k, run.row) & kMapCellTypeMask) != static_cast<StageMapCell>(run.ids[static_cast<std::size_t>(k)]))
                    found = false;
        }
        if (!found) {
            std::cerr << s.layers[run.layer].file << ": row " << run.row << " lacks the run of "
                      << run.ids.size() << " ids side by side (" << rules.string() << ":" << run.line << ")\n";
            ok = false;
        }
    }
    for (const CellCount& want : s.counts) {
        int32_t found = 0;
        for (const StageMapCell v : s.layers[want.layer].cells) {
            const int32_t id = static_cast<int32_t>(v & kMapCellTypeMask);
            found += v != 0 && (!want.ids || (id >= want.ids->first && id <= want.ids->last));
        }
        if (found != want.count) {
            std::cerr << s.layers[want.layer].file << ": " << found << " cells";
            if (want.ids) {
                std::cerr << " of " << want.ids->first;
                if (want.ids->last != want.ids->first) std::cerr << "-" << want.ids->last;
            }
            std::cerr << "; stage " << s.name << " holds " << want.count << " (" << rules.string() << ":" << want.line
                      << ")\n";
            ok = false;
        }
    }
    for (int32_t r = kMapBorder - 1; r <= s.height + kMapBorder; ++r)
        for (int32_t c = kMapBorder - 1; c <= s.width + kMapBorder; ++c)
            if (cell(1, c, r) == 0) {
                std::cerr << s.layers[1].file << ":" << s.layers[1].cellLines[static_cast<std::size_t>(r)]
                          << ": column " << c << " is empty; scenery covers the playfield and the ring around it\n";
                ok = false;
            }
    return ok;
}

std::string Symbol(const Stage& s, int layer) { return "kStageMap" + s.name + LayerName(layer); }

std::string HeaderSource(const std::vector<Stage>& stages) {
    std::ostringstream out;
    out << "// Generated by mapgen from data/maps. Do not edit.\n#pragma once\n#include \"stage/StageMap.h\"\n\n";
    out << "inline constexpr int kStageMapCount = " << stages.size() << ";\n\n";
    out << "// Playfield sizes in cells, in the order of kStageMaps.\n";
    out << "inline constexpr int32_t kStageMapWidths[kStageMapCount] = {";
    for (std::size_t i = 0; i < stages.size(); ++i) out << (i ? ", " : "") << stages[i].width;
    out << "};\ninline constexpr int32_t kStageMapHeights[kStageMapCount] = {";
    for (std::size_t i = 0; i < stages.size(); ++i) out << (i ? ", " : "") << stages[i].height;
    out << "};\n\n";
    for (std::size_t i = 0; i < stages.size(); ++i)
        out << "inline constexpr int kStageMapIndex" << stages[i].name << " = " << i << ";\n";
    out << "\nextern const StageMapData kStageMaps[kStageMapCount];\n";
    return out.str();
}

std::string CellsSource(const std::vector<Stage>& stages) {
    std::ostringstream out;
    out << "// Generated by mapgen from data/maps. Do not edit.\n#include \"maps/StageMaps.h\"\n\nnamespace {\n";
    for (const Stage& s : stages)
        for (int layer = 0; layer < 3; ++layer) {
            out << "\n// data/maps/" << fs::path(s.layers[layer].file).filename().string()
                << "\nconstexpr StageMapCell " << Symbol(s, layer) << "[" << s.Columns() * s.Rows() << "] = {\n";
            for (int32_t r = 0; r < s.Rows(); ++r) {
                out << "   ";
                for (int32_t c = 0; c < s.Columns(); ++c)
                    out << " " << s.layers[layer].cells[static_cast<std::size_t>(r) * s.Columns() + c] << ",";
                out << "\n";
            }
            out << "};\n";
        }
    out << "\n}  // namespace\n\nconst StageMapData kStageMaps[kStageMapCount] = {\n";
    for (const Stage& s : stages)
        out << "    {\"" << s.name << "\", " << s.width << ", " << s.height << ", " << Symbol(s, 0) << ", "
            << Symbol(s, 1) << ", " << Symbol(s, 2) << "},\n";
    out << "};\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: mapgen OUT_DIR RULES.txt MAP.txt...\n";
        return 2;
    }
    const fs::path outDir = argv[1];
    const fs::path rules = argv[2];
    std::vector<Stage> stages;
    if (!ReadRules(rules, stages)) return 1;
    for (int i = 3; i < argc; ++i) {
        const fs::path path = argv[i];
        const std::string stem = path.stem().string();
        const std::size_t cut = stem.rfind('_');
        const int layer = cut == std::string::npos ? -1 : LayerIndex(stem.substr(cut + 1));
        Stage* stage = nullptr;
        if (layer >= 0)
            for (Stage& s : stages)
                if (s.name == stem.substr(0, cut)) stage = &s;
        if (stage == nullptr) {
            std::cerr << path.string() << ": the name must be STAGE_a, STAGE_b or STAGE_c of a stage in "
                      << rules.string() << "\n";
            return 1;
        }
        if (stage->layers[layer].present) {
            std::cerr << path.string() << ": layer " << LayerName(layer) << " of stage " << stage->name
                      << " given twice\n";
            return 1;
        }
        if (!ReadLayer(path, *stage, layer)) return 1;
    }
    bool ok = true;
    for (const Stage& s : stages) {
        bool complete = true;
        for (int layer = 0; layer < 3; ++layer)
            if (!s.layers[layer].present) {
                std::cerr << "mapgen: stage " << s.name << " has no layer " << LayerName(layer) << " (" << s.name
                          << "_" << static_cast<char>('a' + layer) << ".txt)\n";
                complete = ok = false;
            }
        if (complete && !CheckStage(s, rules)) ok = false;
    }
    if (!ok) return 1;
    fs::create_directories(outDir);
    if (!WriteIfChanged(outDir / "StageMaps.h", HeaderSource(stages), "mapgen")) return 1;
    if (!WriteIfChanged(outDir / "StageMaps.cpp", CellsSource(stages), "mapgen")) return 1;
    return 0;
}
