#pragma once
// The debug log: short lines the game writes for its developers. They go to
// standard error; tests may catch them instead.
#include <functional>

// Writes the text as it stands (no line feed is added). Longer texts are cut
// at kDebugLogMaxChars characters.
void DebugOutput(const char* text);
// printf-style variant, formatted into a bounded buffer.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

inline constexpr int kDebugLogMaxChars = 1024;

// Sends every later debug output to the sink instead of standard error; an
// empty function restores standard error.
void SetDebugLogSink(std::function<void(const char*)> sink);
