#include "player/Item.h"

#include "framework/TextTable.h"
#include "win/Sprite.h"

namespace {

constexpr int32_t kNotSold = -1;

// Per kind 0..18.
constexpr int32_t kPrices[CItem::kKindCount] = {1000,  500,    3000,   8000, 30000, 100000, 10000,
                                                80000, 200000, 20000,  100000, 400000, kNotSold, kNotSold,
                                                kNotSold, 0,   10000,  100000, 200000};
constexpr int32_t kNameTexts[CItem::kKindCount] = {125, 50, 51, 52, 53, 54, 55, 56, 57, 58,
                                                   59,  60, 61, 62, 63, 64, 65, 66, 67};
constexpr int32_t kEffectTexts[CItem::kKindCount] = {233, 68, 69, 70, 71, 72, 73, 74, 75, 76,
                                                     77,  78, 79, 80, 81, 82, 83, 84, 85};
constexpr int32_t kShopTexts[CItem::kKindCount] = {111, 92,  93,  94,  95,  96,  97,  98,  99, 100,
                                                   101, 102, 115, 116, 117, 103, 104, 105, 106};
constexpr int32_t kCategoryTexts[CItem::kKindCount] = {143, 144, 144, 144, 144, 144, 144, 144, 144, 144,
                                                       144, 144, 145, 145, 145, 146, 146, 146, 146};
constexpr int32_t kPriceTexts[CItem::kKindCount] = {175, 147, 148, 149, 150, 151, 152, 153, 154, 155,
                                                    156, 157, 158, 159, 160, 161, 162, 163, 164};
// Top-left corners of the icon cells on the icon sheet.
constexpr int32_t kIconCells[CItem::kKindCount][2] = {
    {223, 110}, {244, 110}, {265, 110}, {286, 110}, {223, 131}, {349, 110}, {328, 110},
    {307, 110}, {265, 131}, {202, 110}, {370, 110}, {181, 110}, {160, 131}, {181, 131},
    {202, 131}, {286, 131}, {307, 131}, {328, 131}, {349, 131},
};

const char* TextOf(const int32_t (&table)[CItem::kKindCount], int32_t kind) {
    return CItem::IsKind(kind) ? GetText(table[kind]) : "";
}

}  // namespace

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

const char* CItem::GetName(int32_t kind) const { return TextOf(kNameTexts, kind); }
const char* CItem::GetText3(int32_t kind) const { return TextOf(kEffectTexts, kind); }
const char* CItem::GetText4(int32_t kind) const { return TextOf(kShopTexts, kind); }
const char* CItem::GetCategoryText(int32_t kind) const { return TextOf(kCategoryTexts, kind); }
const char* CItem::GetText6(int32_t kind) const { return TextOf(kPriceTexts, kind); }

int32_t CItem::GetPrice(int32_t kind) const { return IsKind(kind) ? kPrices[kind] : kNotSold; }

void CItem::IconCell(int32_t kind, int32_t& u, int32_t& v) {
    u = kIconCells[kind][0];
    v = kIconCells[kind][1];
}

void CItem::DrawIcon(int32_t kind, int32_t x, int32_t y) const {
    if (!IsKind(kind)) return;
    int32_t u = 0, v = 0;
    IconCell(kind, u, v);
    DrawSprite(x, y, kIconSlot, u, v, kIconSize, kIconSize);
}

int32_t CItem::GetCount(int32_t kind) const { return IsKind(kind) ? m_counts[kind] : 0; }

void CItem::SetCount(int32_t kind, int32_t count) {
    if (IsKind(kind)) m_counts[kind] = count;
}

uint8_t CItem::GetFlag(int32_t kind) const { return IsKind(kind) ? m_flags[kind] : 0; }

void CItem::SetFlag(int32_t kind, uint8_t flag) {
    if (!IsKind(kind)) return;
    if (kind >= kFirstCharacterKind && flag == 1) {
        for (int32_t k = kFirstCharacterKind; k <= kLastCharacterKind; ++k) m_flags[k] = 0;
    }
    m_flags[kind] = flag;
}

bool CItem::HasNoEquipment() const {
    for (int32_t kind = 0; kind <= kLastEquipmentKind; ++kind) {
        if (m_flags[kind] != 0) return false;
    }
    return true;
}
