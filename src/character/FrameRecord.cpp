#include "character/FrameRecord.h"

FrameRecord FrameRecord::Default() {
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

void FrameTable::Allocate(int32_t count) {
    Release();
    if (count < 1) return;
    records_ = std::make_unique<FrameRecord[]>(static_cast<std::size_t>(count));
    count_ = count;
    records_[0] = FrameRecord::Default();
}

void FrameTable::Release() {
    records_.reset();
    count_ = 0;
}

const FrameRecord& FrameTable::Get(int32_t index) const {
    static const FrameRecord kZero{};
    return Contains(index) ? records_[static_cast<std::size_t>(index)] : kZero;
}

FrameRecord* FrameTable::Find(int32_t index) {
    return Contains(index) ? &records_[static_cast<std::size_t>(index)] : nullptr;
}
