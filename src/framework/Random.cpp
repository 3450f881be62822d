#include "framework/Random.h"

#include "platform/Clock.h"

namespace {

// The classic linear congruential generator with a 15-bit output.
uint32_t g_randState = 1;

}  // namespace

int32_t GameRand() {
    g_randState = g_randState * 214013u + 2531011u;
    return static_cast<int32_t>((g_randState >> 16) & 0x7FFFu);
}

void GameSrand(uint32_t seed) { g_randState = seed; }

void GameSeedFromClock() { GameSrand(timeGetTime()); }
