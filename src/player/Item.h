#pragma once
// The inventory: one count and one flag (owned, equipped or selected) for
// each item kind; kinds 15 to 18 are the four characters. It lives across
// games and is kept in the system record.
#include <cstdint>

class CItem {
public:
    static constexpr int32_t kKindCount = 19;
    static constexpr int32_t kFirstCharacterKind = 15;
    static constexpr int32_t kLastCharacterKind = 18;

    static CItem* GetInstance();
    virtual ~CItem() = default;

    // All counts and flags 0, then the default character (kind 15) owned
    // and selected. Returns the number of kinds.
    virtual int32_t Reset();
    // 0 for a kind outside 0..18.
    virtual int32_t GetCount(int32_t kind) const;
    // Ignored for a kind outside 0..18.
    virtual void SetCount(int32_t kind, int32_t count);
    // 0 for a kind outside 0..18.
    virtual uint8_t GetFlag(int32_t kind) const;
    // Ignored for a kind outside 0..18. Setting a character kind first
    // clears all four character flags, so at most one character is flagged.
    virtual void SetFlag(int32_t kind, uint8_t flag);
    // True when none of the kinds 0 to 11 is flagged.
    virtual bool HasNoEquipment() const;

protected:
    CItem();

private:
    static bool IsKind(int32_t kind) { return kind >= 0 && kind < kKindCount; }

    int32_t m_counts[kKindCount] = {};
    uint8_t m_flags[kKindCount] = {};
};
