#pragma once
// The inventory: one count and one flag (owned, equipped or selected) for
// each item kind, with the names, texts, prices and icons of the kinds.
// Kinds 0 to 11 are the consumable and the equipment, 12 to 14 the gold
// packs, 15 to 18 the four characters. It lives across games and is kept in
// the system record.
#include <cstdint>

namespace ItemKind {
enum : int32_t {
    PotionOfHealing = 0,
    StrawSandals = 1,
    WovenHat = 2,
    AmuletOfProtection = 3,
    CharmOfVitality = 4,
    ClothesOfShinobi = 5,
    CharmOfPower = 6,
    SushiOfStrength = 7,
    Masamune = 8,
    ScrollOfSecrets = 9,
    ScarfOfWind = 10,
    ShurikenOfGale = 11,
    Bullion = 12,
    CakeOfGoldenYellow = 13,
    SenRyoBox = 14,
    Ninja = 15,
    Kunoichi = 16,
    Kusarigama = 17,
    RoboNinja = 18,
};
}  // namespace ItemKind

class CItem {
public:
    static constexpr int32_t kKindCount = 19;
    static constexpr int32_t kFirstCharacterKind = 15;
    static constexpr int32_t kLastCharacterKind = 18;
    static constexpr int32_t kLastEquipmentKind = 11;
    // Texture slot of the icons and the size of an icon cell in pixels.
    static constexpr int32_t kIconSlot = 14;
    static constexpr int32_t kIconSize = 21;

    static CItem* GetInstance();
    static bool IsKind(int32_t kind) { return kind >= 0 && kind < kKindCount; }

    virtual ~CItem() = default;
    // All counts and flags 0, then the default character (kind 15) owned
    // and selected. Returns the number of kinds.
    virtual int32_t Reset();
    // Texts of a kind in the current language; the empty text for a kind
    // outside 0..18.
    virtual const char* GetName(int32_t kind) const;
    virtual const char* GetText3(int32_t kind) const;  // what it does
    virtual const char* GetText4(int32_t kind) const;  // the shop's description
    virtual const char* GetCategoryText(int32_t kind) const;
    virtual const char* GetText6(int32_t kind) const;  // the price label
    // Gold price; -1 for the kinds that are not sold (and outside 0..18).
    virtual int32_t GetPrice(int32_t kind) const;
    // The kind's icon with its top-left corner at (x, y), drawn with the
    // current draw parameters; nothing for a kind outside 0..18.
    virtual void DrawIcon(int32_t kind, int32_t x, int32_t y) const;
    // 0 for a kind outside 0..18.
    virtual int32_t GetCount(int32_t kind) const;
    // Ignored for a kind outside 0..18.
    virtual void SetCount(int32_t kind, int32_t count);
    // 0 for a kind outside 0..18.
    virtual uint8_t GetFlag(int32_t kind) const;
    // Ignored for a kind outside 0..18. Setting a character kind to 1 first
    // clears all four character flags, so at most one character is flagged.
    virtual void SetFlag(int32_t kind, uint8_t flag);
    // True when none of the kinds 0 to 11 is flagged.
    virtual bool HasNoEquipment() const;

    // Top-left corner of a kind's icon cell on the icon sheet (kinds 0..18).
    static void IconCell(int32_t kind, int32_t& u, int32_t& v);

protected:
    CItem();

private:
    int32_t m_counts[kKindCount] = {};
    uint8_t m_flags[kKindCount] = {};
};
