#pragma once
// The lantern ghost. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterChouchin : public CCharacterEnemyStandIn {};
