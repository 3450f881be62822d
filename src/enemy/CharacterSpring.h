#pragma once
// The spring that bounces the player. (Stand-in until the gimmicks land.)
#include "enemy/CharacterYakumono.h"

class CCharacterSpring : public CCharacterYakumono {};
