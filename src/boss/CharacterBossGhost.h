#pragma once
// The ghost boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterBossGhost : public CCharacterEnemyBoss {};
