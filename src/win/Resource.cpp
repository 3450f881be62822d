#include "win/Resource.h"

ResourceBlob FindResourceBlob(ResourceType type, int id) {
    // The table is sorted by type name and id; it is small, a scan will do.
    for (unsigned i = 0; i < kResourceEntryCount; ++i) {
        const ResourceEntry& e = kResourceEntries[i];
        if (e.type == type && e.id == id) {
            return ResourceBlob{reinterpret_cast<const uint8_t*>(kResourceBlob) + e.offset, e.size};
        }
    }
    return {};
}
