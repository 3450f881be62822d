#pragma once
// The character factory: turns a type id into a new character of its class,
// gives it its variant and, for the ids that stand for the same object half
// a cell lower or further right, a one-frame push. The character is in no
// list yet: the caller appends it to the world list. Ids that name nothing
// give null, and every caller checks for it.
#include <cstdint>

class CCharacter;

[[nodiscard]] CCharacter* CreateCharacter(int32_t typeId);
