#pragma once
// A scripted mouse, keyboard state and pad in place of SDL: tests queue
// button events, move the cursor, hold keys and set the pad, and the input
// object's next Poll reads them as it would read the devices.
#include <deque>
#include <set>

#include "platform/Input.h"

namespace testing_support {

class ScriptedInput : public platform::InputSource {
public:
    platform::WindowHandle GameWindow() override { return &window; }
    platform::WindowHandle ForegroundWindow() override { return focused ? &window : nullptr; }
    bool OpenMouse() override { return true; }
    void GetCursor(int32_t& x, int32_t& y) override {
        x = cursorX;
        y = cursorY;
    }
    int ReadMouseEvents(platform::MouseButtonEvent* out, int max) override {
        if (!focused) {
            events.clear();
            lost = true;
            return -1;
        }
        if (lost) {
            lost = false;
            return -1;
        }
        int n = 0;
        while (n < max && !events.empty()) {
            out[n++] = events.front();
            events.pop_front();
        }
        return n;
    }
    bool IsKeyDown(uint32_t vk) override { return keysDown.count(vk) != 0; }
    bool OpenPad() override { return padPresent; }
    bool HasPad() override { return padPresent; }
    bool ReadPad(platform::PadState& out) override {
        if (!padPresent) return false;
        out = pad;
        return true;
    }

    // The focus went away and came back between two reads.
    void LoseFocusBriefly() {
        events.clear();
        lost = true;
    }

    char window = 0;
    bool focused = true;
    bool lost = false;
    int32_t cursorX = 0, cursorY = 0;
    std::deque<platform::MouseButtonEvent> events;
    std::set<uint32_t> keysDown;
    bool padPresent = false;
    platform::PadState pad;
};

}  // namespace testing_support
