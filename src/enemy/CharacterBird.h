#pragma once
// The bird. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterBird : public CCharacterEnemy {};
