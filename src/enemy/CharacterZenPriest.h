#pragma once
// The zen priest. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterZenPriest : public CCharacterEnemyStandIn {};
