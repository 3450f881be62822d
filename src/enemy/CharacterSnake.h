#pragma once
// The snake. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterSnake : public CCharacterEnemy {};
