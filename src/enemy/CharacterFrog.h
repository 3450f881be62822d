#pragma once
// The frog. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterFrog : public CCharacterEnemyStandIn {};
