#pragma once
// The thunderer. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterThunderer : public CCharacterEnemy {};
