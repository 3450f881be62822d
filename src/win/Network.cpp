#include "win/Network.h"

#include <cstdio>

#include "win/DebugLog.h"

namespace {

constexpr int kScoreLineSize = 128;

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

CNetwork* CNetwork::GetInstance() {
    static CNetwork instance;
    return &instance;
}

void CNetwork::RateThis() { DebugOutput("RateThis\n"); }

void CNetwork::Tweet(const char* text) {
    DebugOutput("Tweet:");
    DebugOutput(OrEmpty(text));
    DebugOutput("\n");
}

void CNetwork::SendScore(const char* leaderboardKey, int32_t score) {
    char line[kScoreLineSize];
    std::snprintf(line, sizeof line, "SendScore:%s%d\n", OrEmpty(leaderboardKey), static_cast<int>(score));
    DebugOutput(line);
}

void CNetwork::ShowLeaderboard() { DebugOutput("ShowLeaderboard\n"); }

void CNetwork::RateMe() { DebugOutput("RateMe\n"); }

void CNetwork::OpenURL(const char* address) {
    DebugOutput("OpenURL:");
    DebugOutput(OrEmpty(address));
    DebugOutput("\n");
}
