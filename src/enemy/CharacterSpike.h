#pragma once
// The spikes. (Stand-in until the gimmicks land.)
#include "enemy/CharacterYakumono.h"

class CCharacterSpike : public CCharacterYakumono {};
