#pragma once
// The one-eyed monster boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBossStandIn.h"

class CCharacterOneEyedMonster : public CCharacterEnemyBossStandIn {};
