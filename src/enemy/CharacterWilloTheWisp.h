#pragma once
// The will-o'-the-wisp, a floating flame. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterWilloTheWisp : public CCharacterEnemyStandIn {};
