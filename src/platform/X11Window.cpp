#include "platform/X11Window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(PELLUMBRISK_X11) && defined(SDL_VIDEO_DRIVER_X11)

#include <X11/Xlib.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace platform::x11 {
namespace {

struct Watched {
    Display* display = nullptr;
    ::Window window = 0;
    XErrorHandler previous = nullptr;
    int glxErrorBase = -1;  // -1 without GLX
    std::atomic<bool> gone{false};
    // The window manager's frame while Placement asks about it: a frame
    // that has gone in the meantime only makes the answer unknown.
    ::Window frame = 0;
    bool frameGone = false;
    // The window's size as last announced (0 while unknown); written and
    // read on the main thread, which pumps the X events.
    int width = 0, height = 0;
    // The event filter that was in place before ours.
    SDL_EventFilter previousFilter = nullptr;
    void* previousFilterData = nullptr;
};

// The GLX errors (relative to the extension's first error code) that a
// drawing into a window that no longer exists brings.
constexpr int kGlxBadDrawable = 2;
constexpr int kGlxBadCurrentWindow = 5;
constexpr int kGlxBadWindow = 12;

// The errors that say a window does not exist (any longer).
bool NoSuchWindow(const Watched& w, int code) {
    if (code == BadWindow || code == BadDrawable) return true;
    if (w.glxErrorBase < 0) return false;
    const int glx = code - w.glxErrorBase;
    return glx == kGlxBadDrawable || glx == kGlxBadCurrentWindow || glx == kGlxBadWindow;
}

Watched& State() {
    static Watched w;
    return w;
}

// Errors arrive whenever Xlib reads from the server, inside whichever call
// of SDL's did so; the handler only takes note. Once the window is gone,
// whatever else is said about it (SDL taking down what it made for it) is
// as harmless. The window stays watched after the game destroys it itself.
int OnXError(Display* display, XErrorEvent* error) {
    Watched& w = State();
    const bool aboutWindow = display == w.display && error->resourceid == w.window;
    if (aboutWindow && (w.gone || NoSuchWindow(w, error->error_code))) {
        w.gone = true;
        return 0;
    }
    if (display == w.display && w.frame != 0 && error->resourceid == w.frame && NoSuchWindow(w, error->error_code)) {
        w.frameGone = true;
        return 0;
    }
    return w.previous != nullptr ? w.previous(display, error) : 0;
}

// Every X event reaches SDL's queue as a window-system event while those
// are enabled; this filter reads the watched window's configure events (the
// X server sends one on every change of its size, and the window manager
// one when it refuses a change) and keeps all of them out of the queue, so
// that they neither wake the main loop nor count as messages.
int FilterEvents(void* data, SDL_Event* event) {
    Watched& w = *static_cast<Watched*>(data);
    if (event->type != SDL_SYSWMEVENT) {
        return w.previousFilter != nullptr ? w.previousFilter(w.previousFilterData, event) : 1;
    }
    const SDL_SysWMmsg* message = event->syswm.msg;
    if (message != nullptr && message->subsystem == SDL_SYSWM_X11) {
        const XEvent& x = message->msg.x11.event;
        if (x.type == ConfigureNotify && x.xconfigure.window == w.window && x.xconfigure.display == w.display) {
            w.width = x.xconfigure.width;
            w.height = x.xconfigure.height;
        }
    }
    return 0;
}

void FilterConfigureEvents(Watched& w) {
    SDL_EventFilter current = nullptr;
    void* currentData = nullptr;
    if (!SDL_GetEventFilter(&current, &currentData) || current != &FilterEvents) {
        w.previousFilter = current;
        w.previousFilterData = currentData;
        // Setting a filter drops the events waiting in the queue: the window
        // is not shown yet, so none of them comes from the player.
        SDL_SetEventFilter(&FilterEvents, &w);
    }
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool X11Window(SDL_Window* window, Display*& display, ::Window& xwindow) {
    if (window == nullptr) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "x11") != 0) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return display != nullptr && xwindow != 0;
}

}  // namespace

void WatchWindow(SDL_Window* window) {
    Watched& w = State();
    Display* display = nullptr;
    ::Window xwindow = 0;
    if (!X11Window(window, display, xwindow)) {
        w.display = nullptr;  // nothing to ask the X server about
        w.width = w.height = 0;
        return;
    }
    w.display = display;
    w.window = xwindow;
    w.gone = false;
    int opcode = 0, eventBase = 0, errorBase = 0;
    w.glxErrorBase = XQueryExtension(display, "GLX", &opcode, &eventBase, &errorBase) ? errorBase : -1;
    const XErrorHandler previous = XSetErrorHandler(&OnXError);
    if (previous != &OnXError) w.previous = previous;
    // The size once; every change after this comes with a configure event.
    FilterConfigureEvents(w);
    XWindowAttributes attributes;
    const bool known = XGetWindowAttributes(display, xwindow, &attributes) != 0 && !w.gone;
    w.width = known ? attributes.width : 0;
    w.height = known ? attributes.height : 0;
}

bool WindowGone() { return State().gone; }

bool RealWindowSize(int& w, int& h) {
    const Watched& watched = State();
    if (watched.display == nullptr || watched.gone || watched.width <= 0 || watched.height <= 0) return false;
    w = watched.width;
    h = watched.height;
    return true;
}

bool Placement(int& x, int& y, int& top, int& left, int& bottom, int& right) {
    Watched& watched = State();
    if (watched.display == nullptr || watched.gone) return false;
    Display* display = watched.display;
    // The window's topmost ancestor below the root is the frame a
    // reparenting window manager put it in (the window itself without one).
    ::Window root = 0, parent = 0, frame = watched.window;
    watched.frameGone = false;
    for (;;) {
        ::Window* children = nullptr;
        unsigned count = 0;
        watched.frame = frame != watched.window ? frame : 0;
        const bool answered = XQueryTree(display, frame, &root, &parent, &children, &count) != 0;
        if (children != nullptr) XFree(children);
        if (!answered || watched.frameGone || watched.gone) {
            watched.frame = 0;
            return false;
        }
        if (parent == root || parent == 0) break;
        frame = parent;
    }
    XWindowAttributes client, outer;
    ::Window child = 0;
    const bool answered = XGetWindowAttributes(display, watched.window, &client) != 0 &&
                          XGetWindowAttributes(display, frame, &outer) != 0 &&
                          XTranslateCoordinates(display, watched.window, root, 0, 0, &x, &y, &child);
    watched.frame = 0;
    if (!answered || watched.frameGone || watched.gone) return false;
    if (frame == watched.window) {
        top = left = bottom = right = 0;
        return true;
    }
    // The frame's own border lies outside its size.
    const int frameW = outer.width + 2 * outer.border_width, frameH = outer.height + 2 * outer.border_width;
    left = std::max(0, x - outer.x);
    top = std::max(0, y - outer.y);
    right = std::max(0, outer.x + frameW - (x + client.width));
    bottom = std::max(0, outer.y + frameH - (y + client.height));
    return true;
}

}  // namespace platform::x11

#else

namespace platform::x11 {

void WatchWindow(SDL_Window*) {}
bool WindowGone() { return false; }
bool RealWindowSize(int&, int&) { return false; }
bool Placement(int&, int&, int&, int&, int&, int&) { return false; }

}  // namespace platform::x11

#endif
