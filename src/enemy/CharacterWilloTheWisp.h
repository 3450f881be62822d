#pragma once
// The will-o'-the-wisp, a floating flame. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterWilloTheWisp : public CCharacterEnemy {};
