#pragma once
// The stage-select grid: six rows of four stage ids, and where a stage id
// stands in it. The stage-clear screen reads it for its share text and to
// put the stage-select cursor back on the stage just played.
#include <cstdint>

namespace StageSelectTable {

inline constexpr int32_t kRows = 6;
inline constexpr int32_t kColumns = 4;

// The row (0 to 5) and column (0 to 3) of a stage id; -1 for an id that is
// not in the grid.
int32_t GetStageRow(int32_t mapId);
int32_t GetStageColumn(int32_t mapId);

struct Cell {
    int32_t row = 0;
    int32_t column = 0;
};
// The cell of a stage id, or the first cell for an id that is not in the
// grid: always a cell the cursor can stand on.
Cell CellFor(int32_t mapId);

}  // namespace StageSelectTable
