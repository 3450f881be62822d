#pragma once
// The kappa tank boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterKappaTank : public CCharacterEnemyBoss {};
