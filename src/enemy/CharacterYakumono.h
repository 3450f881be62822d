#pragma once
// The stage-gimmick base. (Stand-in until the gimmicks land.)
#include "enemy/CharacterEnemy.h"

class CCharacterYakumono : public CCharacterEnemy {};
