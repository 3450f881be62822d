#pragma once
// The thunderer. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterThunderer : public CCharacterEnemyStandIn {};
