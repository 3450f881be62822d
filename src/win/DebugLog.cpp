#include "win/DebugLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::function<void(const char*)>& Sink() {
    static std::function<void(const char*)> sink;
    return sink;
}

}  // namespace

void DebugOutput(const char* text) {
    if (!text) return;
    const std::size_t length = strnlen(text, kDebugLogMaxChars);
    if (Sink()) {
        if (text[length] == '\0') {
            Sink()(text);
        } else {
            const std::string cut(text, length);
            Sink()(cut.c_str());
        }
        return;
    }
    std::fwrite(text, 1, length, stderr);
    std::fflush(stderr);
}

void DebugPrintf(const char* format, ...) {
    char buffer[kDebugLogMaxChars + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    DebugOutput(buffer);
}

void SetDebugLogSink(std::function<void(const char*)> sink) { Sink() = std::move(sink); }
