#pragma once
// The spider. (Stand-in until the enemies land.)
#include "enemy/CharacterEnemy.h"

class CCharacterSpider : public CCharacterEnemy {};
