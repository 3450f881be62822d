#pragma once
// The goblin cat. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterGoblinCat : public CCharacterEnemyStandIn {};
