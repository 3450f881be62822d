#pragma once
// The one-eyed monster boss. (Stand-in until the bosses land.)
#include "boss/CharacterEnemyBoss.h"

class CCharacterOneEyedMonster : public CCharacterEnemyBoss {};
