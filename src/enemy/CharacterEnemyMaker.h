#pragma once
// The spawner that releases enemies. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterEnemyMaker : public CCharacterEnemy {};
