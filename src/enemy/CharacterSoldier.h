#pragma once
// The soldier. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterSoldier : public CCharacterEnemy {};
