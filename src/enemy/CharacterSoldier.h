#pragma once
// The soldier. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterSoldier : public CCharacterEnemyStandIn {};
