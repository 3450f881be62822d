#pragma once
// The millisecond clock of the game (multimedia-timer style), replaceable by
// tests with a clock of their own.
#include <cstdint>
#include <functional>

uint32_t timeGetTime();
uint32_t timeBeginPeriod(uint32_t periodMs);
uint32_t timeEndPeriod(uint32_t periodMs);

namespace platform {
// Replaces the clock; an empty function restores the real one.
void SetClockSource(std::function<uint32_t()> source);
// Sleeps for up to ms milliseconds (used by the main loop's wait).
void SleepMs(uint32_t ms);
}  // namespace platform
