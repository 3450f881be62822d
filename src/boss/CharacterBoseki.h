#pragma once
// The boseki boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterBoseki : public CCharacterEnemyBossStandIn {};
