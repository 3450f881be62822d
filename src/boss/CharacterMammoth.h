#pragma once
// The mammoth boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterMammoth : public CCharacterEnemyBossStandIn {};
