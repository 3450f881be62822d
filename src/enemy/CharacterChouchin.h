#pragma once
// The lantern ghost. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterChouchin : public CCharacterEnemy {};
