#pragma once
// The input object: keyboard, mouse (its left button stands in for a finger
// on a touch screen) and game pad turned into per-frame histories that game
// code queries. Poll runs once at the start of every logical frame; the rest
// only reads.
#include <cstdint>

#include "platform/Input.h"
#include "platform/Window.h"

// 60 samples of one input, index 0 = this frame, i = i frames ago.
// 0 up, 1 down, 2 down and already used by play; screens mark a press they
// took with kInputConsumed, which stays while the press is held.
inline constexpr int kInputHistoryLength = 60;
using InputHistory = int8_t[kInputHistoryLength];
inline constexpr int8_t kInputConsumed = -1;  // 0xFF

inline constexpr int kGameKeyCount = 14;
inline constexpr int kFunctionKeyCount = 12;
inline constexpr int kPadMappedButtons = 10;

// The mouse: cursor in client pixels and the buttons as the buffered events
// left them.
class CMouseDevice {
public:
    static CMouseDevice* GetInstance();
    virtual ~CMouseDevice() = default;

    // Stores the window and starts the buffered mouse; 0 when it is ready.
    int32_t InitMouse(platform::WindowHandle window);
    // Cursor position now, then the buffered button events. After the device
    // was lost with the focus, every button reads as up until its next event.
    // A click that went down and up again between two polls (a quick tap on
    // a touchpad) reads as down for this poll and up at the next, so no
    // frame misses it.
    void PollMouse();

    int32_t m_x = 0;
    int32_t m_y = 0;
    uint8_t m_buttons[8] = {};
    platform::WindowHandle m_window = nullptr;

private:
    // Buttons whose release arrived in the same read as their press.
    uint8_t m_deferredRelease[8] = {};

public:

private:
    CMouseDevice() = default;
};

// Looks for the first game pad (or takes one plugged in later); 1 when a pad
// is open now, else 0.
int32_t InitJoystick(platform::WindowHandle window);
// Clears the state's axes, hats and first 32 buttons, then reads the pad
// into it when there is one.
void PollJoystick(platform::PadState& state);

class CMyInput {
public:
    static CMyInput* GetInstance();
    virtual ~CMyInput() = default;

    // Key-down and key-up messages of the window (also their system-key
    // forms) set and clear the key's state; key codes of 256 and up are
    // ignored. A key that went down since the last Poll reads as down at the
    // next one even when it is up again by then.
    void OnKeyMessage(const platform::Message& message);
    void SetWindow(platform::WindowHandle window) { m_window = window; }
    void Poll();

    // Queries; every one is false while m_inputAvailable is 0.
    bool IsActionKeyDown() const;
    bool IsActionKeyPressed() const;
    bool IsTouchPressed() const;
    bool IsTouchTapped() const;
    bool IsSwipe() const;
    int32_t GetSwipeDX() const;
    int32_t GetSwipeDY() const;

    platform::PadState m_padState;
    platform::PadState m_padPreviousState;
    int32_t m_inputAvailable = 0;
    int32_t m_dirUp = 0;
    int32_t m_dirDown = 0;
    int32_t m_dirLeft = 0;
    int32_t m_dirRight = 0;
    InputHistory m_keyHistory[kGameKeyCount] = {};
    InputHistory m_functionKeyHistory[kFunctionKeyCount] = {};
    InputHistory m_touchHistory = {};
    int32_t m_pointerXHistory[kInputHistoryLength] = {};
    int32_t m_pointerYHistory[kInputHistoryLength] = {};
    int32_t m_touchStartX = 0;
    int32_t m_touchStartY = 0;
    uint8_t m_keyState[256] = {};
    int32_t m_keyMap[kGameKeyCount] = {};
    uint8_t m_padButtonMap[kPadMappedButtons][kPadMappedButtons] = {};
    platform::WindowHandle m_window = nullptr;
    int32_t m_touchMoved = 0;

private:
    // Keys that went down since the last Poll.
    uint8_t m_keyWentDown[256] = {};

    CMyInput();
    // Index of the first 0 among entries from..to of the history, or -1.
    static int FirstUp(const InputHistory& history, int from, int to);
    static bool IsFreshPress(const InputHistory& history);
    // Length index of a swipe (the first up entry), or -1 when there is none.
    int SwipeIndex() const;
};
