#pragma once
// Frame records: one animation frame of a character (sprite, solid
// geometry, boxes, frame and state chaining), and the per-character table
// that holds them. A state number is the index of the state's first record.
//
// Every class keeps its records as data: a text table per class under
// data/frames/ that the frame-table compiler (tools/framegen) checks and
// turns into a constant FrameTableData at build time; the class's
// constructor hands it to FrameTable::Load. See tools/framegen/main.cpp for
// the table format.
#include <cstdint>
#include <memory>

struct FrameRecord {
    int32_t u = 0;  // texture x of the anchor
    int32_t v = 0;  // texture y of the anchor
    int32_t spriteLeft = 0;
    int32_t spriteRight = 0;  // inclusive
    int32_t spriteTop = 0;
    int32_t spriteBottom = 0;  // inclusive
    int32_t solidLeft = 0;
    int32_t solidRight = 0;
    int32_t solidTopLeft = 0;
    int32_t solidTopRight = 0;
    int32_t solidBottomLeft = 0;
    int32_t solidBottomRight = 0;
    int32_t bodyLeft = 0;
    int32_t bodyRight = 0;
    int32_t bodyTop = 0;
    int32_t bodyBottom = 0;
    int32_t attackLeft = 0;
    int32_t attackRight = 0;
    int32_t attackTop = 0;
    int32_t attackBottom = 0;
    int32_t hurtLeft = 0;
    int32_t hurtRight = 0;
    int32_t hurtTop = 0;
    int32_t hurtBottom = 0;
    int32_t nextFrame = 0;      // -1 holds the frame
    int32_t nextState = 0;      // -1 holds the state; 0 removes the character
    int32_t frameDuration = 0;  // ticks in this frame
    int32_t stateDuration = 0;  // ticks in the state, counted from SetState
    int32_t textureId = 0;      // texture slot

    static constexpr int kFieldCount = 29;

    // The record every table starts with: a 64 x 64 sprite at (0, 0) of
    // slot 0 that leads to state 0 after one tick.
    static constexpr FrameRecord Default() {
        FrameRecord r;
        r.u = 32;
        r.v = 32;
        r.spriteLeft = -32;
        r.spriteRight = 31;
        r.spriteTop = -32;
        r.spriteBottom = 31;
        r.frameDuration = 1;
        r.stateDuration = 1;
        return r;
    }

    bool operator==(const FrameRecord&) const = default;
};
static_assert(sizeof(FrameRecord) == FrameRecord::kFieldCount * sizeof(int32_t));

// A class's records as the frame-table compiler emits them: count records
// in index order (record 0 the default record unless the table gives it,
// every record the table leaves out all zero).
struct FrameTableData {
    int32_t count;
    const FrameRecord* records;
};

// The records of one character. Every character owns its own copy, so it
// may rewrite its records at run time. Reads outside the table see the
// all-zero record (which leads straight to removal), writes outside it go
// nowhere: a state number from a map, a save or a bad table can never reach
// past the records.
//
// A table loaded from class data reads the constant records until the
// first write: hundreds of tiles share one set of records, and a character
// that rewrites a record still changes only its own. The first few records
// written are kept in a small overlay of their own (an afterimage or a
// spark rewrites one record of a table of a thousand); a table written in
// more places than that becomes a whole copy.
class FrameTable {
public:
    FrameTable() = default;
    FrameTable(FrameTable&&) noexcept = default;
    FrameTable& operator=(FrameTable&&) noexcept = default;
    FrameTable(const FrameTable&) = delete;
    FrameTable& operator=(const FrameTable&) = delete;

    // Replaces the table by count records: record 0 the default record,
    // every other record all zero. A count below 1 leaves an empty table.
    void Allocate(int32_t count);
    // Replaces the table by the class data's records.
    void Load(const FrameTableData& data);
    void Release();

    int32_t Count() const { return count_; }
    bool Contains(int32_t index) const { return index >= 0 && index < count_; }

    // The record at index, or the all-zero record outside the table.
    const FrameRecord& Get(int32_t index) const {
        if (!Contains(index)) return Zero();
        if (overlay_) {
            for (int32_t i = 0; i < overlay_->count; ++i)
                if (overlay_->index[i] == index) return overlay_->records[i];
        }
        return records_[static_cast<std::size_t>(index)];
    }
    // The record at index for writing, or null outside the table. The
    // pointer is good until the next Find.
    FrameRecord* Find(int32_t index);

private:
    static constexpr int32_t kOverlaySize = 4;
    struct Overlay {
        int32_t count = 0;
        int32_t index[kOverlaySize] = {};
        FrameRecord records[kOverlaySize];
    };
    static const FrameRecord& Zero();
    void CopyAll();

    std::unique_ptr<FrameRecord[]> owned_;
    std::unique_ptr<Overlay> overlay_;       // written records of class data
    const FrameRecord* records_ = nullptr;  // owned_ or the class data
    int32_t count_ = 0;
};
