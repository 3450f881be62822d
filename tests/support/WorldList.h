#pragma once
// Looking into the game's world list from tests: whether a character is
// still listed, and the characters whose current frame lies in a range.
#include <cstdint>
#include <vector>

#include "character/Character.h"
#include "character/CharacterList.h"
#include "framework/GameMain.h"

namespace testing_support {

inline CCharacterList& World() { return CGameMain::GetInstance()->m_characterList; }

inline bool Listed(const CCharacter* c) {
    for (int32_t i = 1; i <= World().GetCount(); ++i)
        if (World().GetAt(i) == c) return true;
    return false;
}

// In list order.
inline std::vector<CCharacter*> InStates(int32_t first, int32_t last) {
    std::vector<CCharacter*> out;
    for (int32_t i = 1; i <= World().GetCount(); ++i)
        if (CCharacter* c = World().GetAt(i); c->frame >= first && c->frame <= last) out.push_back(c);
    return out;
}

}  // namespace testing_support
