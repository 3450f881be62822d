#pragma once
// The game's data resources, linked into the executable at build time and
// found by type and resource id.
#include <cstddef>
#include <cstdint>

enum class ResourceType : int { RcData = 10, Wave = 1, Midi = 2 };

struct ResourceEntry {
    ResourceType type;
    int id;
    unsigned offset;
    unsigned size;
};

struct ResourceBlob {
    const uint8_t* data = nullptr;
    size_t size = 0;
    explicit operator bool() const { return data != nullptr; }
};

// Null blob when the executable holds no resource of that type and id.
ResourceBlob FindResourceBlob(ResourceType type, int id);

extern const unsigned char* const kResourceBlob;
extern const ResourceEntry kResourceEntries[];
extern const unsigned kResourceEntryCount;
