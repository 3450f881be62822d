#pragma once
// The compiled stage maps seen as grids, for the map tests: cells by
// column and row, and where layer A is solid (a block whose frame has solid
// width, as the real block classes say).
#include <cstdint>
#include <memory>
#include <vector>

#include "character/Character.h"
#include "character/CreateCharacter.h"
#include "maps/StageMaps.h"
#include "stage/MapTypeIds.h"
#include "stage/StageMap.h"

namespace testing_support {

class MapGrid {
public:
    explicit MapGrid(const StageMapData& map) : m(map), columns(map.width + 10), rows(map.height + 10) {
        solid.assign(static_cast<std::size_t>(columns * rows), false);
        for (int32_t i = 0; i < columns * rows; ++i) {
            const int32_t id = static_cast<int32_t>(map.layerA[i] & kMapCellTypeMask);
            if (KindOfTypeId(id) != MapObjectKind::Block) continue;
            std::unique_ptr<CCharacter> block(CreateCharacter(id));
            solid[static_cast<std::size_t>(i)] =
                block && block->CurrentRecord().solidLeft != block->CurrentRecord().solidRight;
        }
    }
    StageMapCell A(int32_t c, int32_t r) const { return Inside(c, r) ? m.layerA[r * columns + c] : 0; }
    StageMapCell B(int32_t c, int32_t r) const { return Inside(c, r) ? m.layerB[r * columns + c] : 0; }
    StageMapCell C(int32_t c, int32_t r) const { return Inside(c, r) ? m.layerC[r * columns + c] : 0; }
    bool Solid(int32_t c, int32_t r) const { return Inside(c, r) && solid[static_cast<std::size_t>(r * columns + c)]; }
    bool Inside(int32_t c, int32_t r) const { return c >= 0 && c < columns && r >= 0 && r < rows; }

    // Layer cell of a map position.
    static int32_t ColumnOf(int32_t x) { return (x + 2000) / 400; }
    static int32_t RowOf(int32_t y) { return (y + 2000) / 400; }

    const StageMapData& m;
    const int32_t columns, rows;

private:
    std::vector<bool> solid;
};

}  // namespace testing_support
