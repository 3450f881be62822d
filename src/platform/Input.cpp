#include "platform/Input.h"

#include <SDL.h>

#include <algorithm>

#include "platform/Window.h"

namespace platform {
namespace {

// Mouse, keyboard state and the first joystick through SDL. Events come from
// the main loop's message source through the raw-event observer.
class SdlInputSource : public InputSource {
public:
    WindowHandle GameWindow() override { return HasGameWindow() ? &token_ : nullptr; }

    WindowHandle ForegroundWindow() override {
        if (!HasGameWindow()) return nullptr;
        return SDL_GetKeyboardFocus() != nullptr ? &token_ : nullptr;
    }

    bool OpenMouse() override {
        Observe();
        mouseOpen_ = true;
        count_ = 0;
        return true;
    }

    void GetCursor(int32_t& x, int32_t& y) override {
        int wx = lastX_, wy = lastY_;
        if (SDL_GetMouseFocus() != nullptr) {
            SDL_GetMouseState(&wx, &wy);
        } else if (SDL_Window* window = SDL_GetKeyboardFocus()) {
            // The cursor is outside the window: its place relative to it.
            int gx = 0, gy = 0, left = 0, top = 0;
            SDL_GetGlobalMouseState(&gx, &gy);
            SDL_GetWindowPosition(window, &left, &top);
            wx = gx - left;
            wy = gy - top;
        }
        int cx = 0, cy = 0;
        WindowToClient(wx, wy, cx, cy);
        x = cx;
        y = cy;
    }

    int ReadMouseEvents(MouseButtonEvent* out, int max) override {
        if (!mouseOpen_) return -1;
        if (ForegroundWindow() == nullptr) {
            count_ = 0;
            lost_ = true;
            return -1;
        }
        if (lost_) {
            // Back in front: this read reports the loss, the next one gives
            // what arrived since.
            lost_ = false;
            return -1;
        }
        const int n = std::min(count_, std::max(max, 0));
        std::copy(buffer_, buffer_ + n, out);
        std::copy(buffer_ + n, buffer_ + count_, buffer_);
        count_ -= n;
        return n;
    }

    // A function key that went down since the last read of it counts as
    // down for that read, however quickly it was let go again.
    bool IsKeyDown(uint32_t vk) override {
        if (vk < 0x70 || vk > 0x7B) return false;
        const int i = static_cast<int>(vk - 0x70);
        const bool tapped = functionKeyWentDown_[i];
        functionKeyWentDown_[i] = false;
        int length = 0;
        const Uint8* keys = SDL_GetKeyboardState(&length);
        const int scancode = SDL_SCANCODE_F1 + i;
        return tapped || (keys && scancode < length && keys[scancode] != 0);
    }

    bool OpenPad() override {
        Observe();
        if (!joystickReady_) {
            // Pads are read once per frame (RefreshPads): left to SDL, every
            // event wait would poll them each millisecond instead of sleeping.
            SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
            if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
            SDL_JoystickEventState(SDL_ENABLE);
            joystickReady_ = true;
        }
        if (!pad_) OpenFirstPad();
        return pad_ != nullptr;
    }

    void RefreshPads() override {
        if (joystickReady_) SDL_JoystickUpdate();
    }

    bool HasPad() override { return pad_ != nullptr; }

    bool ReadPad(PadState& out) override {
        if (!pad_) return false;
        if (!SDL_JoystickGetAttached(pad_)) {
            ClosePad();
            return false;
        }
        int32_t* axes[] = {&out.x, &out.y, &out.z, &out.rx, &out.ry, &out.rz, &out.slider[0], &out.slider[1]};
        const int axisCount = std::min(SDL_JoystickNumAxes(pad_), 8);
        for (int i = 0; i < axisCount; ++i) *axes[i] = ScalePadAxis(SDL_JoystickGetAxis(pad_, i));
        const int hatCount = std::min(SDL_JoystickNumHats(pad_), 4);
        for (int i = 0; i < 4; ++i) out.pov[i] = 0xFFFFFFFFu;
        for (int i = 0; i < hatCount; ++i) out.pov[i] = HatToPov(SDL_JoystickGetHat(pad_, i));
        const int buttonCount = std::min(SDL_JoystickNumButtons(pad_), 128);
        for (int i = 0; i < buttonCount; ++i) out.buttons[i] = SDL_JoystickGetButton(pad_, i) ? 0x80 : 0;
        return true;
    }

private:
    void Observe() {
        if (observing_) return;
        observing_ = true;
        SetRawEventObserver([this](const SDL_Event& ev) { OnEvent(ev); });
    }

    void OnEvent(const SDL_Event& ev) {
        switch (ev.type) {
            case SDL_MOUSEMOTION:
                lastX_ = ev.motion.x;
                lastY_ = ev.motion.y;
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                lastX_ = ev.button.x;
                lastY_ = ev.button.y;
                const int button = ButtonNumber(ev.button.button);
                // A full buffer drops what comes after, as a device buffer does.
                if (!mouseOpen_ || button < 0 || count_ >= kMouseBufferSize) break;
                buffer_[count_++] = MouseButtonEvent{static_cast<uint8_t>(button),
                                                     static_cast<uint8_t>(ev.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0)};
                break;
            }
            case SDL_KEYDOWN:
                if (ev.key.keysym.sym >= SDLK_F1 && ev.key.keysym.sym <= SDLK_F12)
                    functionKeyWentDown_[ev.key.keysym.sym - SDLK_F1] = true;
                break;
            case SDL_WINDOWEVENT:
                if (ev.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    count_ = 0;
                    lost_ = true;
                }
                break;
            case SDL_JOYDEVICEADDED:
                if (joystickReady_ && !pad_) OpenFirstPad();
                break;
            case SDL_JOYDEVICEREMOVED:
                if (pad_ && SDL_JoystickInstanceID(pad_) == ev.jdevice.which) {
                    ClosePad();
                    OpenFirstPad();
                }
                break;
            default:
                break;
        }
    }

    static int ButtonNumber(uint8_t sdlButton) {
        switch (sdlButton) {
            case SDL_BUTTON_LEFT: return 0;
            case SDL_BUTTON_RIGHT: return 1;
            case SDL_BUTTON_MIDDLE: return 2;
            case SDL_BUTTON_X1: return 3;
            case SDL_BUTTON_X2: return 4;
            default: return -1;
        }
    }

    static uint32_t HatToPov(Uint8 hat) {
        switch (hat) {
            case SDL_HAT_UP: return 0;
            case SDL_HAT_RIGHTUP: return 4500;
            case SDL_HAT_RIGHT: return 9000;
            case SDL_HAT_RIGHTDOWN: return 13500;
            case SDL_HAT_DOWN: return 18000;
            case SDL_HAT_LEFTDOWN: return 22500;
            case SDL_HAT_LEFT: return 27000;
            case SDL_HAT_LEFTUP: return 31500;
            default: return 0xFFFFFFFFu;
        }
    }

    void OpenFirstPad() {
        const int n = SDL_NumJoysticks();
        for (int i = 0; i < n && !pad_; ++i) pad_ = SDL_JoystickOpen(i);
    }

    void ClosePad() {
        if (pad_) SDL_JoystickClose(pad_);
        pad_ = nullptr;
    }

    char token_ = 0;
    bool observing_ = false;
    bool mouseOpen_ = false;
    bool lost_ = false;
    bool joystickReady_ = false;
    MouseButtonEvent buffer_[kMouseBufferSize];
    int count_ = 0;
    int lastX_ = 0, lastY_ = 0;
    bool functionKeyWentDown_[12] = {};
    SDL_Joystick* pad_ = nullptr;
};

SdlInputSource& SdlSource() {
    static SdlInputSource source;
    return source;
}

InputSource*& Override() {
    static InputSource* source = nullptr;
    return source;
}

}  // namespace

InputSource& GetInputSource() {
    if (InputSource* source = Override()) return *source;
    return SdlSource();
}

void SetInputSource(InputSource* source) { Override() = source; }

int32_t ScalePadAxis(int32_t raw) {
    const int32_t scaled = raw * kPadAxisRange / 32767;
    return std::clamp(scaled, -kPadAxisRange, kPadAxisRange);
}

}  // namespace platform
