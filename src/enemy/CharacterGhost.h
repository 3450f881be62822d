#pragma once
// The small ghost. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterGhost : public CCharacterEnemyStandIn {};
