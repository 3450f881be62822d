#pragma once
// Platform services that the game's other platforms offer: a rating prompt,
// sharing a text, a leaderboard and opening a web page. Here each service
// only writes its command line to the debug log; nothing is sent and no
// state changes.
#include <cstdint>

class CNetwork {
public:
    static CNetwork* GetInstance();
    virtual ~CNetwork() = default;

    virtual void RateThis();
    virtual void Tweet(const char* text);
    // One line "SendScore:<key><score>", the key directly followed by the
    // score; cut to 127 characters.
    virtual void SendScore(const char* leaderboardKey, int32_t score);
    virtual void ShowLeaderboard();
    virtual void RateMe();
    virtual void OpenURL(const char* address);
    virtual bool IsAvailable() { return true; }
    virtual void Notify(int32_t) {}

protected:
    CNetwork() = default;
};
