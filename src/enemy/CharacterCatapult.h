#pragma once
// The catapult that fires the player. (Stand-in until the gimmicks land.)
#include "enemy/CharacterYakumono.h"

class CCharacterCatapult : public CCharacterYakumono {};
