#include "ui/StageSelectTable.h"

#include "framework/GameMain.h"

namespace StageSelectTable {

namespace {

constexpr int32_t kTable[kRows][kColumns] = {
    {275, 276, 277, 8}, {9, 279, 280, 294}, {281, 282, 283, 295},
    {284, 285, 286, 296}, {287, 288, 289, 297}, {290, 291, 292, 298},
};

// The stages this game builds, cell by cell.
constexpr int32_t kPlayable[kRows][kColumns] = {
    {266, 267, 268, 269}, {270, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0},
};

constexpr int32_t kPreviewSheet = 14;
constexpr int32_t kPreviews[kRows][kColumns][2] = {
    {{0, 240}, {320, 240}, {160, 240}, {160, 240}},   {{320, 160}, {320, 400}, {0, 400}, {160, 320}},
    {{160, 400}, {320, 320}, {0, 400}, {160, 400}},   {{160, 240}, {160, 320}, {160, 320}, {320, 240}},
    {{320, 160}, {320, 240}, {0, 400}, {0, 400}},     {{0, 320}, {0, 400}, {0, 320}, {0, 320}},
};

bool InGrid(int32_t row, int32_t column) { return row >= 0 && row < kRows && column >= 0 && column < kColumns; }

// The cell holding `id` in `table`, if any.
bool Find(const int32_t (&table)[kRows][kColumns], int32_t id, Cell& cell) {
    for (int32_t r = 0; r < kRows; ++r)
        for (int32_t c = 0; c < kColumns; ++c)
            if (table[r][c] == id) {
                cell = Cell{r, c};
                return true;
            }
    return false;
}

}  // namespace

int32_t GetStageId(int32_t row, int32_t column) { return InGrid(row, column) ? kTable[row][column] : 0; }

int32_t GetStageRow(int32_t mapId) {
    Cell cell;
    return Find(kTable, mapId, cell) ? cell.row : -1;
}

int32_t GetStageColumn(int32_t mapId) {
    Cell cell;
    return Find(kTable, mapId, cell) ? cell.column : -1;
}

int32_t PlayableStage(int32_t row, int32_t column) {
    if (!InGrid(row, column)) return 0;
    const int32_t id = kPlayable[row][column];
    return IsBuildableStage(id) ? id : 0;
}

bool IsPlayableStage(int32_t mapId) {
    Cell cell;
    return IsBuildableStage(mapId) && Find(kPlayable, mapId, cell);
}

Cell CellFor(int32_t mapId) {
    Cell cell;
    if (Find(kTable, mapId, cell)) return cell;
    if (IsPlayableStage(mapId)) Find(kPlayable, mapId, cell);
    return cell;
}

Preview PreviewOf(int32_t row, int32_t column) {
    if (!InGrid(row, column)) row = column = 0;
    return Preview{kPreviewSheet, kPreviews[row][column][0], kPreviews[row][column][1]};
}

}  // namespace StageSelectTable
