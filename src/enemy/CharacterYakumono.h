#pragma once
// The stage-gimmick base. (Stand-in until the gimmicks land.)
#include "enemy/CharacterEnemyStandIn.h"

class CCharacterYakumono : public CCharacterEnemyStandIn {};
