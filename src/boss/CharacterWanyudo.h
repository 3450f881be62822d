#pragma once
// The wanyudo boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterWanyudo : public CCharacterEnemyBossStandIn {};
