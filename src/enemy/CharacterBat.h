#pragma once
// The bat. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterBat : public CCharacterEnemy {};
