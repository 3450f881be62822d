#pragma once
// The wanyudo boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterWanyudo : public CCharacterEnemyBoss {};
