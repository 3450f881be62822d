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
    records_ = nullptr;
    count_ = 0;
}

const FrameRecord& FrameTable::Get(int32_t index) const {
    static const FrameRecord kZero{};
    return Contains(index) ? records_[static_cast<std::size_t>(index)] : kZero;
}

FrameRecord* FrameTable::Find(int32_t index) {
    if (!Contains(index)) return nullptr;
    if (!owned_) {
        // First write: take a copy of the class data.
        owned_ = std::make_unique<FrameRecord[]>(static_cast<std::size_t>(count_));
        std::copy(records_, records_ + count_, owned_.get());
        records_ = owned_.get();
    }
    return &owned_[static_cast<std::size_t>(index)];
}
