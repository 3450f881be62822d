#include "platform/Window.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>

namespace platform {
namespace {

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int scale = 1;
    int clientW = 480, clientH = 320;
    bool quitPosted = false;
    std::function<void(const SDL_Event&)> observer;
};

WindowState& State() {
    static WindowState s;
    return s;
}

int ChooseScale(int clientW, int clientH) {
    int scale = 1;
    float ddpi = 0, hdpi = 0, vdpi = 0;
    if (SDL_GetDisplayDPI(0, &ddpi, &hdpi, &vdpi) == 0 && hdpi > 0) {
        scale = std::max(1, static_cast<int>(std::lround(hdpi / 96.0f)));
    }
    if (const char* gdk = std::getenv("GDK_SCALE")) {
        int s = std::atoi(gdk);
        if (s > scale && s <= 8) scale = s;
    }
    // Never larger than the desktop.
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(0, &bounds) == 0) {
        while (scale > 1 && (clientW * scale > bounds.w || clientH * scale > bounds.h)) --scale;
    }
    return scale;
}

}  // namespace

bool AcquireSingleInstance(const char* key) {
    static int fd = -1;
    if (fd >= 0) return true;
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string path = std::string(dir && *dir ? dir : "/tmp") + "/" + key + "-" + std::to_string(getuid()) + ".lock";
    fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no lock file possible: do not refuse to run
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        fd = -1;
        return false;
    }
    return true;
}

bool CreateGameWindow(const char* title, int clientWidth, int clientHeight) {
    auto& s = State();
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "window: %s\n", SDL_GetError());
        return false;
    }
    s.clientW = clientWidth;
    s.clientH = clientHeight;
    s.scale = ChooseScale(clientWidth, clientHeight);
    s.window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth * s.scale,
                                clientHeight * s.scale, SDL_WINDOW_ALLOW_HIGHDPI);
    if (!s.window) {
        std::fprintf(stderr, "window: %s\n", SDL_GetError());
        return false;
    }
    s.renderer = SDL_CreateRenderer(s.window, -1, 0);
    if (!s.renderer) s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_SOFTWARE);
    if (s.renderer) {
        SDL_RenderSetLogicalSize(s.renderer, clientWidth, clientHeight);
        s.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                      clientWidth, clientHeight);
    }
    SDL_ShowWindow(s.window);
    return true;
}

void DestroyGameWindow() {
    auto& s = State();
    if (s.texture) SDL_DestroyTexture(s.texture);
    if (s.renderer) SDL_DestroyRenderer(s.renderer);
    if (s.window) SDL_DestroyWindow(s.window);
    s.texture = nullptr;
    s.renderer = nullptr;
    s.window = nullptr;
}

bool HasGameWindow() { return State().window != nullptr; }
int WindowScale() { return State().scale; }

uint32_t VirtualKeyFromSdl(int32_t key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    switch (key) {
        case SDLK_LEFT: return 0x25;
        case SDLK_UP: return 0x26;
        case SDLK_RIGHT: return 0x27;
        case SDLK_DOWN: return 0x28;
        case SDLK_ESCAPE: return 0x1B;
        case SDLK_RETURN: case SDLK_KP_ENTER: return 0x0D;
        case SDLK_SPACE: return 0x20;
        case SDLK_TAB: return 0x09;
        case SDLK_BACKSPACE: return 0x08;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
        case SDLK_LALT: case SDLK_RALT: return 0x12;
        case SDLK_PAUSE: return 0x13;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        case SDLK_HOME: return 0x24;
        case SDLK_END: return 0x23;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        default: return 0;
    }
}

bool PeekMessage(Message& out) {
    auto& s = State();
    if (s.quitPosted) {
        s.quitPosted = false;
        out = Message{MessageType::Quit, 0, false};
        return true;
    }
    if (!s.window) return false;
    SDL_Event ev;
    // Take the event straight from the queue: a plain poll stops at SDL's
    // own sentinel marker even when events wait behind it, which would hold
    // a waiting message back for a pass. The marker itself is skipped.
    constexpr Uint32 kPollSentinel = 0x7F00;
    SDL_PumpEvents();
    do {
        if (SDL_PeepEvents(&ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return false;
    } while (ev.type == kPollSentinel);
    if (s.observer) s.observer(ev);
    out = Message{};
    switch (ev.type) {
        case SDL_QUIT:
            out.type = MessageType::Close;
            break;
        case SDL_WINDOWEVENT:
            if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
                // Alt+F4 reaches us as a close request when the window manager
                // passes it on; the game ignores it as it ignores system keys.
                const Uint8* keys = SDL_GetKeyboardState(nullptr);
                const bool altF4 = (SDL_GetModState() & KMOD_ALT) && keys[SDL_SCANCODE_F4];
                out.type = altF4 ? MessageType::Other : MessageType::Close;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const bool down = ev.type == SDL_KEYDOWN;
            const int32_t sym = ev.key.keysym.sym;
            out.vk = VirtualKeyFromSdl(sym);
            out.repeat = ev.key.repeat != 0;
            const bool sys = (ev.key.keysym.mod & KMOD_ALT) || sym == SDLK_F10 || sym == SDLK_LALT ||
                             sym == SDLK_RALT;
            if (sys) out.type = down ? MessageType::SysKeyDown : MessageType::SysKeyUp;
            else out.type = down ? MessageType::KeyDown : MessageType::KeyUp;
            break;
        }
        default:
            break;
    }
    return true;
}

void PostQuitMessage() { State().quitPosted = true; }

void WaitForInput(uint32_t ms) {
    if (State().window) SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
    else SDL_Delay(ms);
}

void PresentToWindow(const uint32_t* argb, int width, int height) {
    auto& s = State();
    if (!s.renderer || !s.texture || width != s.clientW || height != s.clientH) return;
    SDL_UpdateTexture(s.texture, nullptr, argb, width * 4);
    SDL_RenderClear(s.renderer);
    SDL_RenderCopy(s.renderer, s.texture, nullptr, nullptr);
    SDL_RenderPresent(s.renderer);
}

void ShowMessageBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s\n", text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, State().window);
}

void SetRawEventObserver(std::function<void(const SDL_Event&)> observer) { State().observer = std::move(observer); }

void WindowToClient(int wx, int wy, int& cx, int& cy) {
    const int scale = State().scale > 0 ? State().scale : 1;
    cx = wx / scale;
    cy = wy / scale;
}

}  // namespace platform
