#pragma once
// The king tengu's second form. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterKingTengu2nd : public CCharacterEnemyBossStandIn {};
