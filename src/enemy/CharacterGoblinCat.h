#pragma once
// The goblin cat. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterGoblinCat : public CCharacterEnemy {};
