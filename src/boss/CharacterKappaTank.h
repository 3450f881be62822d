#pragma once
// The kappa tank boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterKappaTank : public CCharacterEnemyBossStandIn {};
