#pragma once
// The snow fairy. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterSnowFairy : public CCharacterEnemyStandIn {};
