#pragma once
// The fox. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterFox : public CCharacterEnemy {};
