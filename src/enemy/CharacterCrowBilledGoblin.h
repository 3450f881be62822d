#pragma once
// The crow-billed goblin. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterCrowBilledGoblin : public CCharacterEnemy {};
