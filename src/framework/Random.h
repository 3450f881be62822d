#pragma once
// The game's one random generator. Every range in the game is written as
// GameRand() % (hi - lo + 1) + lo against a 15-bit generator (0..32767), so
// the generator keeps that width on every platform. It is seeded from the
// clock at start-up; tests seed it to get repeatable sequences.
#include <cstdint>

constexpr int32_t kGameRandMax = 32767;

// Next value, 0 to kGameRandMax.
int32_t GameRand();

// Starts the sequence again from the given seed.
void GameSrand(uint32_t seed);

// Seeds the generator from the millisecond clock.
void GameSeedFromClock();
