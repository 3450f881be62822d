#pragma once
// The crow-billed goblin. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterCrowBilledGoblin : public CCharacterEnemyStandIn {};
