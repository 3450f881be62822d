#include "platform/Window.h"

#include <SDL.h>
#include <fcntl.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/X11Window.h"

namespace platform {
namespace {

struct WindowState {
    SDL_Window* window = nullptr;
    // The frame reaches the window either through a renderer's streaming
    // texture (when a GPU does the scaling and the copy) or by writing the
    // window's own surface (when the renderer would only be the CPU again).
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool useSurface = false;
    int scale = 1;
    int clientW = 480, clientH = 320;
    // The window's real size as the last frame found it (0 while unknown),
    // and what follows it against SDL's idea of the size.
    int realW = 0, realH = 0;
    WindowSizeFollower sizeFollower;
    // What the window shows: valid while it holds the last frame presented,
    // with its margins, in a buffer of this size and place.
    struct Shown {
        bool valid = false;
        const void* target = nullptr;  // the surface or texture written
        int w = 0, h = 0;              // its size in pixels
        PictureRect rect;
        bool Same(const Shown& o) const {
            return valid && o.valid && target == o.target && w == o.w && h == o.h && rect.x == o.rect.x &&
                   rect.y == o.rect.y && rect.w == o.rect.w && rect.h == o.rect.h;
        }
    } shown;
    bool quitPosted = false;
    // A window destroyed from outside is reported once, as a close request.
    bool goneReported = false;
    std::function<void(const SDL_Event&)> observer;
};

WindowState& State() {
    static WindowState s;
    return s;
}

// The main thread's wake-up: a flag any thread may raise, seen by the wait.
// Under a video driver that can block on its event source, a private event
// pushed into SDL's queue ends the wait; the drivers without one (dummy,
// offscreen) wait on the condition variable instead.
struct Wake {
    std::atomic<bool> requested{false};
    std::atomic<uint32_t> eventType{0};  // 0 while no window can be woken
    std::mutex mutex;
    std::condition_variable changed;
};

Wake& WakeState() {
    static Wake w;
    return w;
}

bool DriverBlocksOnEvents() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

// The desktop of the display the window is on (the first before it opens).
Desktop CurrentDesktop(SDL_Window* window) {
    Desktop d;
    const int display = window ? std::max(0, SDL_GetWindowDisplayIndex(window)) : 0;
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(display, &bounds) == 0) {
        d.usableX = bounds.x;
        d.usableY = bounds.y;
        d.usableW = bounds.w;
        d.usableH = bounds.h;
    }
    float ddpi = 0, hdpi = 0, vdpi = 0;
    if (SDL_GetDisplayDPI(display, &ddpi, &hdpi, &vdpi) == 0) d.dpi = hdpi;
    if (const char* gdk = std::getenv("GDK_SCALE")) d.desktopScale = std::atoi(gdk);
    return d;
}

// The video drivers that put a window on a desktop. Left to itself SDL
// falls back on drivers that draw nowhere (offscreen, dummy) when no
// display answers, and the game would run unseen.
constexpr const char* kWindowDrivers[] = {"x11", "wayland"};

bool ShowsWindows(const char* driver) {
    for (const char* d : kWindowDrivers)
        if (driver && SDL_strcasecmp(driver, d) == 0) return true;
    return false;
}

// The drivers SDL_VIDEODRIVER names (a comma-separated list); empty when it
// names none.
std::string AskedVideoDrivers() {
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked ? asked : "";
}

bool AnyShowsWindows(const std::string& drivers) {
    size_t start = 0;
    while (start <= drivers.size()) {
        const size_t end = std::min(drivers.find(',', start), drivers.size());
        if (ShowsWindows(drivers.substr(start, end - start).c_str())) return true;
        start = end + 1;
    }
    return false;
}

// This SDL build's drivers that show a window, in SDL's order, as a list
// for SDL_VIDEODRIVER; empty when it has none.
std::string WindowDriversOfThisBuild() {
    std::string list;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!ShowsWindows(driver)) continue;
        if (!list.empty()) list += ',';
        list += driver;
    }
    return list;
}

std::string DisplayVariables() {
    std::string text;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!text.empty()) text += ", ";
        const char* value = std::getenv(name);
        text += value && *value ? std::string(name) + " is \"" + value + "\"" : std::string(name) + " is not set";
    }
    return text;
}

// Starts SDL's video on a driver that shows a window; false, with the reason
// on standard error, when none could be started.
bool StartVideo() {
    const std::string asked = AskedVideoDrivers();
    if (asked.empty()) {
        const std::string drivers = WindowDriversOfThisBuild();
        if (drivers.empty()) {
            std::fputs("Pellumbrisk cannot open its window: this SDL has no video driver that shows one.\n", stderr);
            return false;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Pellumbrisk cannot open its window: no display answers (%s; %s).\n",
                     DisplayVariables().c_str(), SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!asked.empty() || ShowsWindows(driver)) return true;
    std::fprintf(stderr, "Pellumbrisk cannot open its window: the video driver \"%s\" shows none (%s).\n",
                 driver ? driver : "", DisplayVariables().c_str());
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return false;
}

// Whether an OpenGL renderer name is one of Mesa's software rasterisers
// (llvmpipe also draws on a pool of threads of its own).
bool SoftwareRasteriser(const char* name) {
    for (const char* soft : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer", "SWR"}) {
        if (std::strstr(name, soft)) return true;
    }
    return false;
}

// Whether the accelerated renderer SDL would choose draws on a GPU. It is
// tried on a hidden window of its own, so that the game window never holds a
// context it does not use.
bool AcceleratedRendererOnGpu() {
    SDL_Window* probe = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 16, 16, SDL_WINDOW_HIDDEN);
    if (!probe) return false;
    bool gpu = false;
    if (SDL_Renderer* renderer = SDL_CreateRenderer(probe, -1, SDL_RENDERER_ACCELERATED)) {
        SDL_RendererInfo info;
        if (SDL_GetRendererInfo(renderer, &info) == 0 && std::strcmp(info.name, "software") != 0) {
            if (std::strncmp(info.name, "opengl", 6) == 0) {
                // The renderer's context is current: ask it who draws.
                using GetString = const unsigned char* (*)(unsigned);
                constexpr unsigned kGlRenderer = 0x1F01;
                auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
                const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
                gpu = name && !SoftwareRasteriser(reinterpret_cast<const char*>(name));
            } else {
                gpu = true;
            }
        }
        SDL_DestroyRenderer(renderer);
    }
    SDL_DestroyWindow(probe);
    return gpu;
}

// Sets up the cheapest way to the screen: a renderer on a GPU, else the
// window surface, else whatever renderer SDL offers. A render driver named
// by the user (SDL_RENDER_DRIVER) is always taken as asked.
void ChoosePresentPath(WindowState& s) {
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool userChoice = asked && *asked;
    if (!userChoice && !AcceleratedRendererOnGpu()) {
        // Without this SDL would put the surface on a GL texture again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_GetWindowSurface(s.window)) {
            s.useSurface = true;
            return;
        }
    }
    s.renderer = SDL_CreateRenderer(s.window, -1, 0);
    if (!s.renderer) s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_SOFTWARE);
    if (s.renderer) {
        s.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, s.clientW,
                                      s.clientH);
    }
}

// Copies the frame into a 32-bit surface at (left, top), each pixel
// repeated scale times in both directions.
void CopyScaled(const uint32_t* argb, int width, int height, int scale, SDL_Surface* surface, int left, int top) {
    auto* dst = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(top) * surface->pitch +
                static_cast<size_t>(left) * 4;
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = argb + static_cast<size_t>(y) * width;
        auto* row = reinterpret_cast<uint32_t*>(dst + static_cast<size_t>(y) * scale * surface->pitch);
        if (scale == 1) {
            std::memcpy(row, src, static_cast<size_t>(width) * 4);
            continue;
        }
        int x = 0;
#ifdef __SSE2__
        if (scale == 2) {
            // The common doubled window: four pixels become eight at a time.
            for (; x + 4 <= width; x += 4) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 2 * x), _mm_unpacklo_epi32(v, v));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 2 * x + 4), _mm_unpackhi_epi32(v, v));
            }
        }
#endif
        for (; x < width; ++x)
            for (int k = 0; k < scale; ++k) row[x * scale + k] = src[x];
        for (int k = 1; k < scale; ++k)
            std::memcpy(dst + (static_cast<size_t>(y) * scale + k) * surface->pitch, row, static_cast<size_t>(width) * scale * 4);
    }
}

// The black margins around the picture.
void FillMargins(SDL_Surface* surface, const PictureRect& r) {
    const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
    const SDL_Rect margins[] = {{0, 0, surface->w, r.y},
                                {0, r.y + r.h, surface->w, surface->h - r.y - r.h},
                                {0, r.y, r.x, r.h},
                                {r.x + r.w, r.y, surface->w - r.x - r.w, r.h}};
    for (const SDL_Rect& m : margins)
        if (m.w > 0 && m.h > 0) SDL_FillRect(surface, &m, black);
}

void PresentToSurface(WindowState& s, const uint32_t* argb, int width, int height, bool repeated) {
    const WindowState::Shown before = s.shown;
    s.shown.valid = false;
    SDL_Surface* surface = SDL_GetWindowSurface(s.window);
    if (!surface) return;
    // A buffer of another size than the window (SDL has yet to follow it)
    // takes no frame.
    const WindowGeometry g = CurrentWindowGeometry();
    if (s.realW > 0 && (surface->w != g.pixelsW || surface->h != g.pixelsH)) return;
    const PictureRect r = FitPicture(g);
    if (r.w <= 0 || r.h <= 0) return;
    const WindowState::Shown now{true, surface, surface->w, surface->h, r};
    // The margins stand as they were sent while the window keeps its buffer
    // and the picture its place.
    const bool marginsShown = now.Same(before);
    if (repeated && marginsShown) {
        s.shown = now;
        return;
    }
    const Uint32 format = surface->format->format;
    const bool sameLayout = format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888;
    const int scale = r.w / width;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    if (!marginsShown) FillMargins(surface, r);
    if (sameLayout && r.w == width * scale && r.h == height * scale) {
        CopyScaled(argb, width, height, scale, surface, r.x, r.y);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    } else {
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        // Any other depth or a picture smaller than the frame: SDL converts
        // and scales.
        SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height, 32, width * 4,
                                                                SDL_PIXELFORMAT_ARGB8888);
        if (!frame) return;
        SDL_Rect to{r.x, r.y, r.w, r.h};
        SDL_BlitScaled(frame, nullptr, surface, &to);
        SDL_FreeSurface(frame);
    }
    if (marginsShown) {
        const SDL_Rect picture{r.x, r.y, r.w, r.h};
        SDL_UpdateWindowSurfaceRects(s.window, &picture, 1);
    } else {
        SDL_UpdateWindowSurface(s.window);
    }
    s.shown = now;
}

}  // namespace

bool CreateGameWindow(const char* title, int clientWidth, int clientHeight) {
    auto& s = State();
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (!StartVideo()) return false;
    s.clientW = clientWidth;
    s.clientH = clientHeight;
    s.scale = StartFactor(clientWidth, clientHeight, CurrentDesktop(nullptr));
    s.window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth * s.scale,
                                clientHeight * s.scale, SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE);
    if (!s.window) {
        std::fprintf(stderr, "Pellumbrisk cannot open its window: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return false;
    }
    ChoosePresentPath(s);
    x11::WatchWindow(s.window);
    SDL_ShowWindow(s.window);
    if (WakeState().eventType == 0 && DriverBlocksOnEvents()) {
        const Uint32 type = SDL_RegisterEvents(1);
        if (type != static_cast<Uint32>(-1)) WakeState().eventType = type;
    }
    return true;
}

void ResizeGameWindow(int clientWidth, int clientHeight) {
    auto& s = State();
    if (s.window) {
        WindowPlace place;
        if (x11::Placement(place.x, place.y, place.top, place.left, place.bottom, place.right)) place.known = true;
        const TurnedWindow turned = TurnWindow(s.scale, CurrentWindowGeometry(), clientWidth, clientHeight,
                                               CurrentDesktop(s.window), place);
        s.scale = turned.factor;
        SDL_SetWindowSize(s.window, turned.w, turned.h);
        if (turned.move) SDL_SetWindowPosition(s.window, turned.x, turned.y);
    }
    s.clientW = clientWidth;
    s.clientH = clientHeight;
    s.shown = {};
    if (s.renderer) {
        if (s.texture) SDL_DestroyTexture(s.texture);
        s.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, clientWidth,
                                      clientHeight);
    }
}

void GetGameWindowClientSize(int& clientWidth, int& clientHeight) {
    clientWidth = State().clientW;
    clientHeight = State().clientH;
}

void DestroyGameWindow() {
    auto& s = State();
    // A window destroyed from outside: SDL first hears that it was unmapped,
    // or it would wait for that in vain while taking it down.
    if (s.window && x11::WindowGone()) SDL_PumpEvents();
    if (s.texture) SDL_DestroyTexture(s.texture);
    if (s.renderer) SDL_DestroyRenderer(s.renderer);
    if (s.window) SDL_DestroyWindow(s.window);
    s.texture = nullptr;
    s.renderer = nullptr;
    s.window = nullptr;
    s.useSurface = false;
    s.realW = s.realH = 0;
    s.sizeFollower = WindowSizeFollower{};
    s.shown = {};
    s.goneReported = false;
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

namespace {

// The window was destroyed by someone else and the game has not heard yet.
bool GoneUnreported(const WindowState& s) { return s.window && !s.goneReported && x11::WindowGone(); }

}  // namespace

bool PeekMessage(Message& out) {
    auto& s = State();
    if (s.quitPosted) {
        s.quitPosted = false;
        out = Message{MessageType::Quit, 0, false};
        return true;
    }
    if (GoneUnreported(s)) {
        // As if the player had closed it.
        s.goneReported = true;
        out = Message{MessageType::Close, 0, false};
        return true;
    }
    if (!s.window) return false;
    SDL_Event ev;
    // Take the event straight from the queue: a plain poll stops at SDL's
    // own sentinel marker even when events wait behind it, which would hold
    // a waiting message back for a pass. The marker itself is skipped.
    constexpr Uint32 kPollSentinel = 0x7F00;
    SDL_PumpEvents();
    const uint32_t wakeType = WakeState().eventType;
    // Wake-ups are no messages: they only ended a wait.
    do {
        if (SDL_PeepEvents(&ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return false;
    } while (ev.type == kPollSentinel || (wakeType != 0 && ev.type == wakeType));
    if (s.observer) s.observer(ev);
    out = Message{};
    switch (ev.type) {
        case SDL_QUIT:
            out.type = MessageType::Close;
            break;
        case SDL_WINDOWEVENT:
            // Exposed, shown again or sized: the next frame is sent whole.
            s.shown.valid = false;
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

bool HasPendingMessage() {
    auto& s = State();
    if (s.quitPosted || GoneUnreported(s)) return true;
    if (!s.window) return false;
    SDL_PumpEvents();
    const uint32_t wakeType = WakeState().eventType;
    if (wakeType == 0) return SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
    return SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, wakeType - 1) > 0 ||
           SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, wakeType + 1, SDL_LASTEVENT) > 0;
}

void WaitForInput(uint32_t ms) {
    if (ms == 0) return;
    Wake& w = WakeState();
    const uint32_t wakeType = w.eventType;
    if (State().window && wakeType != 0) {
        // Wake-ups already taken into account must not end this wait; one
        // raised since is seen in the flag, which is set before its event.
        SDL_FlushEvent(wakeType);
        if (w.requested) return;
        SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
        return;
    }
    std::unique_lock<std::mutex> lock(w.mutex);
    w.changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return w.requested.load(); });
}

void WakeMainThread() {
    Wake& w = WakeState();
    if (w.requested.exchange(true)) return;  // the main thread has yet to see the last one
    {
        std::lock_guard<std::mutex> lock(w.mutex);
    }
    w.changed.notify_one();
    if (const uint32_t type = w.eventType) {
        SDL_Event e;
        SDL_zero(e);
        e.type = type;
        SDL_PushEvent(&e);
    }
}

bool WakeRequested() { return WakeState().requested; }
bool TakeWakeRequest() { return WakeState().requested.exchange(false); }

void PresentToWindow(const uint32_t* argb, int width, int height, bool repeated) {
    auto& s = State();
    if (!s.window || x11::WindowGone() || width != s.clientW || height != s.clientH) {
        // A frame not shown: the window no longer holds the last one.
        s.shown.valid = false;
        return;
    }
    int sdlW = 0, sdlH = 0;
    SDL_GetWindowSize(s.window, &sdlW, &sdlH);
    if (!x11::RealWindowSize(s.realW, s.realH)) s.realW = s.realH = 0;
    const WindowSizeFollower::Step step = s.sizeFollower.Observe(sdlW, sdlH, s.realW, s.realH);
    // Asking for the size the window has changes nothing on the screen; it
    // only brings SDL's buffer back to that size.
    if (step.tellSdl) SDL_SetWindowSize(s.window, step.w, step.h);
    if (!step.show) {
        s.shown.valid = false;
        return;
    }
    if (s.useSurface) {
        PresentToSurface(s, argb, width, height, repeated);
        return;
    }
    const WindowState::Shown before = s.shown;
    s.shown.valid = false;
    if (!s.renderer || !s.texture) return;
    const WindowGeometry g = CurrentWindowGeometry();
    const PictureRect r = FitPicture(g);
    const WindowState::Shown now{true, s.texture, g.pixelsW, g.pixelsH, r};
    s.shown = now;
    if (repeated && now.Same(before)) return;
    SDL_UpdateTexture(s.texture, nullptr, argb, width * 4);
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    const SDL_Rect to{r.x, r.y, r.w, r.h};
    SDL_RenderCopy(s.renderer, s.texture, nullptr, &to);
    SDL_RenderPresent(s.renderer);
}

void ShowMessageBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s\n", text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, State().window);
}

void ShowNoticeBox(const char* text, const char* caption) {
    const std::string asked = AskedVideoDrivers();
    if (!asked.empty() && !AnyShowsWindows(asked)) return;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!(x11 && *x11) && !(wayland && *wayland)) return;
    std::fflush(nullptr);
    if (fork() != 0) return;  // the caller goes on (also when no child could be made)
    // The child holds no terminal or pipe of the caller's open while the box
    // waits for its button.
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
        for (int fd = 0; fd <= 2; ++fd) dup2(devNull, fd);
        if (devNull > 2) close(devNull);
    }
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, nullptr);
    _exit(0);
}

void SetRawEventObserver(std::function<void(const SDL_Event&)> observer) { State().observer = std::move(observer); }

PictureRect FitPicture(const WindowGeometry& g) {
    if (g.pictureW <= 0 || g.pictureH <= 0 || g.pixelsW <= 0 || g.pixelsH <= 0) return {};
    int w = 0, h = 0;
    const int whole = std::min(g.pixelsW / g.pictureW, g.pixelsH / g.pictureH);
    if (whole >= 1) {
        w = g.pictureW * whole;
        h = g.pictureH * whole;
    } else if (static_cast<int64_t>(g.pixelsW) * g.pictureH <= static_cast<int64_t>(g.pixelsH) * g.pictureW) {
        w = g.pixelsW;  // the width limits
        h = static_cast<int>(static_cast<int64_t>(g.pixelsW) * g.pictureH / g.pictureW);
    } else {
        h = g.pixelsH;
        w = static_cast<int>(static_cast<int64_t>(g.pixelsH) * g.pictureW / g.pictureH);
    }
    return {(g.pixelsW - w) / 2, (g.pixelsH - h) / 2, w, h};
}

namespace {

// The largest factor up to `factor` at which the picture, with the window's
// frame around it, fits the usable desktop (when its size is known); 1 at
// the least.
int FitDesktop(int factor, int pictureW, int pictureH, const Desktop& d, const WindowPlace& frame = {}) {
    factor = std::max(1, factor);
    if (d.usableW <= 0 || d.usableH <= 0) return factor;
    const int roomW = d.usableW - frame.left - frame.right;
    const int roomH = d.usableH - frame.top - frame.bottom;
    while (factor > 1 && (pictureW * factor > roomW || pictureH * factor > roomH)) --factor;
    return factor;
}

// The client area's corner along one axis: where it is, unless the window
// (client `size`, frame `before` and `after` it) would reach past an end of
// the area; it then moves just far enough, and where it cannot fit at all
// its start stays on the area.
int KeepOnArea(int at, int size, int before, int after, int areaStart, int areaSize) {
    const int last = areaStart + areaSize - after - size;
    if (at > last) at = last;
    return std::max(at, areaStart + before);
}

}  // namespace

int StartFactor(int pictureW, int pictureH, const Desktop& d) {
    if (pictureW <= 0 || pictureH <= 0) return 1;
    int hidpi = d.dpi > 0 ? std::max(1, static_cast<int>(std::lround(d.dpi / 96.0f))) : 1;
    if (d.desktopScale > hidpi && d.desktopScale <= 8) hidpi = d.desktopScale;
    hidpi = FitDesktop(hidpi, pictureW, pictureH, d);
    if (d.usableW <= 0 || d.usableH <= 0) return hidpi;
    // Seven tenths of the desktop: the window with its frame stays well
    // inside it.
    const int roomy = std::min(d.usableW * 7 / (pictureW * 10), d.usableH * 7 / (pictureH * 10));
    return std::max(hidpi, roomy);
}

TurnedWindow TurnWindow(int keptFactor, const WindowGeometry& now, int newPictureW, int newPictureH,
                        const Desktop& desktop, const WindowPlace& place) {
    TurnedWindow t;
    t.factor = std::max(1, keptFactor);
    if (now.pictureW > 0 && now.pictureH > 0) {
        // The factor the window shows the picture at now differs from the one
        // kept (as far as the desktop let it be used) only when the player has
        // sized the window since: that size is the one to keep.
        const int shown = std::max(1, std::min(now.pointsW / now.pictureW, now.pointsH / now.pictureH));
        if (shown != FitDesktop(t.factor, now.pictureW, now.pictureH, desktop, place)) t.factor = shown;
    }
    const int f = FitDesktop(t.factor, newPictureW, newPictureH, desktop, place);
    t.w = newPictureW * f;
    t.h = newPictureH * f;
    if (place.known && desktop.usableW > 0 && desktop.usableH > 0) {
        t.x = KeepOnArea(place.x, t.w, place.left, place.right, desktop.usableX, desktop.usableW);
        t.y = KeepOnArea(place.y, t.h, place.top, place.bottom, desktop.usableY, desktop.usableH);
        t.move = t.x != place.x || t.y != place.y;
    }
    if (!t.move) {
        t.x = place.x;
        t.y = place.y;
    }
    return t;
}

WindowSizeFollower::Step WindowSizeFollower::Observe(int sdlW, int sdlH, int realW, int realH) {
    if (realW <= 0 || realH <= 0) {
        stillFrames_ = 0;
        return {sdlW, sdlH, true, false};
    }
    Step step{realW, realH, true, false};
    const bool still = realW == lastW_ && realH == lastH_;
    lastW_ = realW;
    lastH_ = realH;
    if (realW == sdlW && realH == sdlH) {
        stillFrames_ = 0;
        return step;
    }
    stillFrames_ = still ? stillFrames_ + 1 : 0;
    step.show = false;
    if (stillFrames_ >= kSettleFrames) {
        step.tellSdl = true;
        step.show = true;
        stillFrames_ = 0;
    }
    return step;
}

namespace {

// a / b rounded toward minus infinity (b > 0).
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

bool WindowToPicture(const WindowGeometry& g, int wx, int wy, int& cx, int& cy) {
    const PictureRect r = FitPicture(g);
    if (r.w <= 0 || r.h <= 0 || g.pointsW <= 0 || g.pointsH <= 0) {
        cx = cy = -1;
        return false;
    }
    // Points to pixels, then pixels of the window to pixels of the picture.
    const int64_t px = FloorDiv(static_cast<int64_t>(wx) * g.pixelsW, g.pointsW);
    const int64_t py = FloorDiv(static_cast<int64_t>(wy) * g.pixelsH, g.pointsH);
    cx = static_cast<int>(FloorDiv((px - r.x) * g.pictureW, r.w));
    cy = static_cast<int>(FloorDiv((py - r.y) * g.pictureH, r.h));
    return cx >= 0 && cx < g.pictureW && cy >= 0 && cy < g.pictureH;
}

WindowGeometry CurrentWindowGeometry() {
    const auto& s = State();
    WindowGeometry g;
    g.pictureW = s.clientW;
    g.pictureH = s.clientH;
    g.pointsW = g.pixelsW = s.clientW * s.scale;
    g.pointsH = g.pixelsH = s.clientH * s.scale;
    if (!s.window) return g;
    if (s.realW > 0 && s.realH > 0) {
        // The X server's size, in pixels, which are its points as well.
        g.pointsW = g.pixelsW = s.realW;
        g.pointsH = g.pixelsH = s.realH;
        return g;
    }
    SDL_GetWindowSize(s.window, &g.pointsW, &g.pointsH);
    if (s.renderer) {
        SDL_GetRendererOutputSize(s.renderer, &g.pixelsW, &g.pixelsH);
    } else if (SDL_Surface* surface = s.useSurface ? SDL_GetWindowSurface(s.window) : nullptr) {
        g.pixelsW = surface->w;
        g.pixelsH = surface->h;
    } else {
        SDL_GetWindowSizeInPixels(s.window, &g.pixelsW, &g.pixelsH);
    }
    return g;
}

void WindowToClient(int wx, int wy, int& cx, int& cy) { WindowToPicture(CurrentWindowGeometry(), wx, wy, cx, cy); }

}  // namespace platform
