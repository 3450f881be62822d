#pragma once
// The zen priest. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterZenPriest : public CCharacterEnemy {};
