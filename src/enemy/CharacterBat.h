#pragma once
// The bat. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterBat : public CCharacterEnemyStandIn {};
