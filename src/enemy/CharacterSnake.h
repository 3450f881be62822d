#pragma once
// The snake. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterSnake : public CCharacterEnemyStandIn {};
