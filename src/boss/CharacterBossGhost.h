#pragma once
// The ghost boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterBossGhost : public CCharacterEnemyBossStandIn {};
