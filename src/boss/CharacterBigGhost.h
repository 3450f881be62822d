#pragma once
// The big ghost boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterBigGhost : public CCharacterEnemyBossStandIn {};
