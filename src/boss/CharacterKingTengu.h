#pragma once
// The king tengu boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterKingTengu : public CCharacterEnemyBoss {};
