#pragma once
// The tengu boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterTengu : public CCharacterEnemyBossStandIn {};
