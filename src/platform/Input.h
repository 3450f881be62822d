#pragma once
// The input devices under the input object: the mouse as buffered button
// events plus the cursor, the function keys as a live key state, and the
// first game pad. The SDL source is the default; tests put a scripted source
// in its place.
#include <cstdint>

namespace platform {

// Opaque handle of the game window as the input layer knows it.
using WindowHandle = const void*;

// One buffered mouse event: the button number (0 left, 1 right, 2 middle,
// 3 and 4 the side buttons) and its data, whose bit 7 is set while the
// button is down.
struct MouseButtonEvent {
    uint8_t button = 0;
    uint8_t data = 0;
};

// State of the game pad: axes in -1000..1000, hat values (0xFFFFFFFF when
// centred) and buttons, each 0x80 while held.
struct PadState {
    int32_t x = 0, y = 0, z = 0;
    int32_t rx = 0, ry = 0, rz = 0;
    int32_t slider[2] = {};
    uint32_t pov[4] = {};
    uint8_t buttons[128] = {};
};

inline constexpr int kMouseBufferSize = 64;
inline constexpr int32_t kPadAxisRange = 1000;

class InputSource {
public:
    virtual ~InputSource() = default;

    // The game window, or null when there is none.
    virtual WindowHandle GameWindow() = 0;
    // The window that has the keyboard focus now, or null.
    virtual WindowHandle ForegroundWindow() = 0;

    // Starts buffering mouse events; false when the mouse cannot be used.
    virtual bool OpenMouse() = 0;
    // Cursor position in client coordinates of the 480x320 area.
    virtual void GetCursor(int32_t& x, int32_t& y) = 0;
    // Takes up to max buffered mouse events in order of arrival; -1 when the
    // device has been lost (the window lost the focus), which also empties
    // the buffer.
    virtual int ReadMouseEvents(MouseButtonEvent* out, int max) = 0;

    // Live state of a key by virtual-key code (used for F1..F12).
    virtual bool IsKeyDown(uint32_t vk) = 0;

    // Looks for a game pad; true when one is open. A pad plugged in later is
    // opened when it arrives.
    virtual bool OpenPad() = 0;
    // Reads the pads' new state and notices pads plugged in or out; called
    // once per logical frame, before HasPad and ReadPad.
    virtual void RefreshPads() {}
    virtual bool HasPad() = 0;
    // Reads the pad; false when there is none or the read failed.
    virtual bool ReadPad(PadState& out) = 0;
};

// The source in use: the one set by SetInputSource, else the SDL one.
InputSource& GetInputSource();
// Puts a source in place of the SDL one; null restores SDL.
void SetInputSource(InputSource* source);

// Scales a raw SDL axis value (-32768..32767) to -1000..1000.
int32_t ScalePadAxis(int32_t raw);

}  // namespace platform
