#pragma once
// The archer. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterArcher : public CCharacterEnemy {};
