#pragma once
// The Silvy boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterSilvy : public CCharacterEnemyBoss {};
