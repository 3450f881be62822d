#pragma once
// The hopping umbrella. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterKarakasa : public CCharacterEnemyStandIn {};
