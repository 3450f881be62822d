#include "character/FrameRecord.h"

#include <algorithm>

void FrameTable::Allocate(int32_t count) {
    Release();
    if (count < 1) return;
    owned_ = std::make_unique<FrameRecord[]>(static_cast<std::size_t>(count));
    owned_[0] = FrameRecord::Default();
    records_ = owned_.get();
    count_ = count;
}

void FrameTable::Load(const FrameTableData& data) {
    Release();
    if (data.count < 1 || data.records == nullptr) return;
    records_ = data.records;
    count_ = data.count;
}

void FrameTable::Release() {
    owned_.reset();
    overlay_.reset();
    records_ = nullptr;
    count_ = 0;
}

const FrameRecord& FrameTable::Zero() {
    static const FrameRecord kZero{};
    return kZero;
}

void FrameTable::CopyAll() {
    owned_ = std::make_unique<FrameRecord[]>(static_cast<std::size_t>(count_));
    std::copy(records_, records_ + count_, owned_.get());
    if (overlay_) {
        for (int32_t i = 0; i < overlay_->count; ++i)
            owned_[static_cast<std::size_t>(overlay_->index[i])] = overlay_->records[i];
        overlay_.reset();
    }
    records_ = owned_.get();
}

FrameRecord* FrameTable::Find(int32_t index) {
    if (!Contains(index)) return nullptr;
    if (owned_) return &owned_[static_cast<std::size_t>(index)];
    // Class data: the record goes into the overlay while it has room.
    if (!overlay_) overlay_ = std::make_unique<Overlay>();
    Overlay& o = *overlay_;
    for (int32_t i = 0; i < o.count; ++i)
        if (o.index[i] == index) return &o.records[i];
    if (o.count < kOverlaySize) {
        o.index[o.count] = index;
        o.records[o.count] = records_[static_cast<std::size_t>(index)];
        return &o.records[o.count++];
    }
    CopyAll();
    return &owned_[static_cast<std::size_t>(index)];
}
