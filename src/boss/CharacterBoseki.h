#pragma once
// The boseki boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterBoseki : public CCharacterEnemyBoss {};
