#pragma once
// The frog. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterFrog : public CCharacterEnemy {};
