#pragma once
// The fox. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterFox : public CCharacterEnemyStandIn {};
