#include "player/Item.h"

CItem* CItem::GetInstance() {
    static CItem instance;
    return &instance;
}

CItem::CItem() { Reset(); }

int32_t CItem::Reset() {
    for (int32_t kind = 0; kind < kKindCount; ++kind) {
        m_counts[kind] = 0;
        m_flags[kind] = 0;
    }
    m_counts[kFirstCharacterKind] = 1;
    m_flags[kFirstCharacterKind] = 1;
    return kKindCount;
}

int32_t CItem::GetCount(int32_t kind) const { return IsKind(kind) ? m_counts[kind] : 0; }

void CItem::SetCount(int32_t kind, int32_t count) {
    if (IsKind(kind)) m_counts[kind] = count;
}

uint8_t CItem::GetFlag(int32_t kind) const { return IsKind(kind) ? m_flags[kind] : 0; }

void CItem::SetFlag(int32_t kind, uint8_t flag) {
    if (!IsKind(kind)) return;
    if (kind >= kFirstCharacterKind && flag != 0) {
        for (int32_t k = kFirstCharacterKind; k <= kLastCharacterKind; ++k) m_flags[k] = 0;
    }
    m_flags[kind] = flag;
}

bool CItem::HasNoEquipment() const {
    for (int32_t kind = 0; kind <= 11; ++kind) {
        if (m_flags[kind] != 0) return false;
    }
    return true;
}
