#pragma once
// The mammoth boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterMammoth : public CCharacterEnemyBoss {};
