#pragma once
// The small ghost. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterGhost : public CCharacterEnemy {};
