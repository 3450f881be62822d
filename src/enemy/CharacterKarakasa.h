#pragma once
// The hopping umbrella. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterKarakasa : public CCharacterEnemy {};
