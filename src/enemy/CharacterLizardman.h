#pragma once
// The lizardman. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterLizardman : public CCharacterEnemy {};
