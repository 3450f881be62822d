#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace {
std::function<uint32_t()>& Source() {
    static std::function<uint32_t()> source;
    return source;
}
}  // namespace

uint32_t timeGetTime() {
    if (auto& s = Source()) return s();
    using namespace std::chrono;
    // Milliseconds of the monotonic clock, wrapping at 2^32 like the system timer.
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The steady clock already has millisecond resolution here; the period calls
// are kept so the callers read as they should.
uint32_t timeBeginPeriod(uint32_t) { return 0; }
uint32_t timeEndPeriod(uint32_t) { return 0; }

namespace platform {
void SetClockSource(std::function<uint32_t()> source) { Source() = std::move(source); }
void SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
}  // namespace platform
