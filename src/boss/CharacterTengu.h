#pragma once
// The tengu boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterTengu : public CCharacterEnemyBoss {};
