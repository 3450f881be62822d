#pragma once
// The big ghost boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterBigGhost : public CCharacterEnemyBoss {};
