#pragma once
// The kappa. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterKappa : public CCharacterEnemy {};
