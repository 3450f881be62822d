#pragma once
// The snow fairy. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterSnowFairy : public CCharacterEnemy {};
