#include "ui/StageSelectTable.h"

namespace StageSelectTable {

namespace {

constexpr int32_t kTable[kRows][kColumns] = {
    {275, 276, 277, 8}, {9, 279, 280, 294}, {281, 282, 283, 295},
    {284, 285, 286, 296}, {287, 288, 289, 297}, {290, 291, 292, 298},
};

}  // namespace

int32_t GetStageRow(int32_t mapId) {
    for (int32_t r = 0; r < kRows; ++r)
        for (int32_t c = 0; c < kColumns; ++c)
            if (kTable[r][c] == mapId) return r;
    return -1;
}

int32_t GetStageColumn(int32_t mapId) {
    for (int32_t r = 0; r < kRows; ++r)
        for (int32_t c = 0; c < kColumns; ++c)
            if (kTable[r][c] == mapId) return c;
    return -1;
}

Cell CellFor(int32_t mapId) {
    const int32_t row = GetStageRow(mapId);
    const int32_t column = GetStageColumn(mapId);
    if (row < 0 || column < 0) return Cell{};
    return Cell{row, column};
}

}  // namespace StageSelectTable
