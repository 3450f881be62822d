#pragma once
// What a map cell may name: the type-id space of the character factory by
// kind, as the map compiler (tools/mapgen) and the stage tests see it. The
// factory (character/CreateCharacter.cpp) is the truth; a test walks every
// 16-bit id and checks that this table makes exactly the same ids and the
// same classes.
//
// Layers A and B are spawned cell by cell as the camera moves and rely on
// their characters deleting themselves when they leave the spawn window;
// only the kinds for which LeavesWithSpawnWindow holds may stand there.
// Layer C is created whole at the stage's start and may hold any kind.
#include <cstddef>
#include <cstdint>
#include <iterator>

enum class MapObjectKind {
    None,         // the factory makes nothing
    Player,       // 1-6
    Actor,        // the princess
    Enemy,        // enemies, spawners and bosses
    StageObject,  // switches, gates, locks, doors, save and shop points ...
    RoomExit,     // room and door exits
    Hazard,       // hazard blocks
    Gimmick,      // springs, spikes, catapults
    Block,        // solid tiles
    Scenery,      // backdrop tiles
    Item,         // pick-ups
    Effect,       // map coins and the stock effects
};

struct TypeIdRange {
    int32_t first;
    int32_t last;
    MapObjectKind kind;
};

inline constexpr TypeIdRange kTypeIdRanges[] = {
    {1, 6, MapObjectKind::Player},
    {101, 101, MapObjectKind::Actor},
    {10001, 10006, MapObjectKind::Enemy},
    {10011, 10012, MapObjectKind::Enemy},
    {10021, 10024, MapObjectKind::Enemy},
    {10031, 10032, MapObjectKind::Enemy},
    {10041, 10044, MapObjectKind::Enemy},
    {10050, 10054, MapObjectKind::Enemy},
    {10060, 10063, MapObjectKind::Enemy},
    {10070, 10074, MapObjectKind::Enemy},
    {10080, 10083, MapObjectKind::Enemy},
    {10091, 10092, MapObjectKind::Enemy},
    {10121, 10123, MapObjectKind::Enemy},
    {10131, 10132, MapObjectKind::Enemy},
    {10151, 10152, MapObjectKind::Enemy},
    {10161, 10162, MapObjectKind::Enemy},
    {10171, 10174, MapObjectKind::Enemy},
    {10181, 10182, MapObjectKind::Enemy},
    {10190, 10192, MapObjectKind::StageObject},
    {10210, 10213, MapObjectKind::Enemy},
    {10221, 10227, MapObjectKind::Enemy},
    {10231, 10233, MapObjectKind::Enemy},
    {10250, 10253, MapObjectKind::Enemy},
    {10260, 10263, MapObjectKind::Enemy},
    {10270, 10273, MapObjectKind::Enemy},
    {10280, 10284, MapObjectKind::Enemy},
    {10290, 10290, MapObjectKind::Enemy},
    {10300, 10301, MapObjectKind::Effect},
    {10340, 10340, MapObjectKind::StageObject},
    {10350, 10350, MapObjectKind::StageObject},
    {10360, 10459, MapObjectKind::StageObject},
    {10550, 10652, MapObjectKind::StageObject},
    {10660, 10809, MapObjectKind::StageObject},
    {11000, 11005, MapObjectKind::Enemy},
    {11010, 11040, MapObjectKind::Enemy},
    {11050, 11051, MapObjectKind::Enemy},
    {11060, 11061, MapObjectKind::Enemy},
    {11070, 11073, MapObjectKind::Enemy},
    {11080, 11081, MapObjectKind::Enemy},
    {11090, 11091, MapObjectKind::Enemy},
    {11100, 11101, MapObjectKind::Enemy},
    {20020, 20299, MapObjectKind::Block},
    {20320, 20479, MapObjectKind::Block},
    {20520, 20699, MapObjectKind::Block},
    {20770, 20789, MapObjectKind::Gimmick},
    {20800, 20819, MapObjectKind::Gimmick},
    {20820, 20830, MapObjectKind::Block},
    {20832, 20842, MapObjectKind::Block},
    {20850, 20860, MapObjectKind::Block},
    {20862, 20872, MapObjectKind::Block},
    {20880, 21019, MapObjectKind::Block},
    {21030, 21149, MapObjectKind::Block},
    {21150, 21153, MapObjectKind::Hazard},
    {21160, 21161, MapObjectKind::Block},
    {21170, 21170, MapObjectKind::Block},
    {22900, 22952, MapObjectKind::StageObject},
    {23001, 23015, MapObjectKind::Item},
    {23030, 23069, MapObjectKind::Item},
    {23080, 23119, MapObjectKind::Item},
    {23130, 23179, MapObjectKind::Item},
    {23800, 24609, MapObjectKind::RoomExit},
    {30000, 30509, MapObjectKind::Scenery},
    {30520, 30589, MapObjectKind::Scenery},
    {40000, 40000, MapObjectKind::Effect},
    {50000, 50001, MapObjectKind::Effect},
};

constexpr MapObjectKind KindOfTypeId(int32_t id) {
    for (const TypeIdRange& r : kTypeIdRanges)
        if (id >= r.first && id <= r.last) return r.kind;
    return MapObjectKind::None;
}

// Kinds whose characters delete themselves outside the spawn window, so
// that a cell re-entering the window makes one character again, not two.
constexpr bool LeavesWithSpawnWindow(MapObjectKind kind) {
    switch (kind) {
        case MapObjectKind::Block:
        case MapObjectKind::Scenery:
        case MapObjectKind::RoomExit:
        case MapObjectKind::Hazard:
        case MapObjectKind::Gimmick:
            return true;
        default:
            return false;
    }
}

constexpr bool TypeIdRangesAscend() {
    for (std::size_t i = 0; i < std::size(kTypeIdRanges); ++i) {
        if (kTypeIdRanges[i].first > kTypeIdRanges[i].last) return false;
        if (i > 0 && kTypeIdRanges[i].first <= kTypeIdRanges[i - 1].last) return false;
    }
    return true;
}
static_assert(TypeIdRangesAscend(), "type-id ranges must ascend without overlapping");
