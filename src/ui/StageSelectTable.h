#pragma once
// The stage-select grid: six rows of four stage ids, and where a stage id
// stands in it. The stage-clear screen reads it for its share text and to
// put the stage-select cursor back on the stage just played.
//
// The grid's ids are names kept from the game's stage list; the stages this
// game builds are 266 to 270, which stand on the first five cells (row 0,
// then row 1 column 0). Every other cell starts nothing.
#include <cstdint>

namespace StageSelectTable {

inline constexpr int32_t kRows = 6;
inline constexpr int32_t kColumns = 4;

// The grid's id of a cell; 0 for a cell outside the grid.
int32_t GetStageId(int32_t row, int32_t column);
// The row (0 to 5) and column (0 to 3) of a grid id; -1 for an id that is
// not in the grid.
int32_t GetStageRow(int32_t mapId);
int32_t GetStageColumn(int32_t mapId);

// The stage a cell starts: 266 to 270 on the first five cells, else 0.
int32_t PlayableStage(int32_t row, int32_t column);
// Whether a cell starts this stage (the scene rooms after the last stage
// are no cell's).
bool IsPlayableStage(int32_t mapId);

struct Cell {
    int32_t row = 0;
    int32_t column = 0;
};
// The cell of a grid id or of a stage a cell starts, or the first cell for
// any other id: always a cell the cursor can stand on.
Cell CellFor(int32_t mapId);

// The source of a cell's 160 x 80 preview picture; the first cell's for a
// cell outside the grid.
struct Preview {
    int32_t slot = 0;
    int32_t srcX = 0;
    int32_t srcY = 0;
};
Preview PreviewOf(int32_t row, int32_t column);
inline constexpr int32_t kPreviewWidth = 160;
inline constexpr int32_t kPreviewHeight = 80;

}  // namespace StageSelectTable
