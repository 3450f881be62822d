#pragma once
// The spider. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterSpider : public CCharacterEnemyStandIn {};
