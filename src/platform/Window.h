#pragma once
// The game's one window and its message source: SDL events turned into the
// few kinds of message the main loop distinguishes, with Windows virtual-key
// codes for keys.
#include <cstdint>
#include <functional>

union SDL_Event;

namespace platform {

enum class MessageType { Quit, SysKeyDown, SysKeyUp, KeyDown, KeyUp, Close, Other };

struct Message {
    MessageType type = MessageType::Other;
    uint32_t vk = 0;      // virtual-key code for key messages
    bool repeat = false;  // auto-repeat of a held key
};

// Opens the window on a desktop, at the factor StartFactor gives; the player
// may size it. Only a video driver that shows a window is taken (SDL would
// otherwise fall back on one that draws nowhere), unless SDL_VIDEODRIVER
// names one. False, with the reason on standard error, when no window
// opened.
bool CreateGameWindow(const char* title, int clientWidth, int clientHeight);
// Gives the client area a new size (the window keeps its place): the window
// takes the new shape at the factor it shows the picture at (TurnWindow).
// Frames of that size are presented from then on. Without a window only the
// size is kept.
void ResizeGameWindow(int clientWidth, int clientHeight);
void GetGameWindowClientSize(int& clientWidth, int& clientHeight);
void DestroyGameWindow();
bool HasGameWindow();
// The whole factor the window keeps for the client area: the one it opened
// at, or the one the player sized it to (see TurnWindow).
int WindowScale();

// Takes at most one pending message; false when there is none.
bool PeekMessage(Message& out);
// True when a message waits to be taken.
bool HasPendingMessage();
// Queues a quit message (the window was closed).
void PostQuitMessage();
// Sleeps until input arrives, WakeMainThread is called or ms milliseconds
// have passed; returns at once for 0 or when a wake is already pending.
void WaitForInput(uint32_t ms);
// Ends a WaitForInput in progress (or keeps the next one from sleeping) and
// marks that the main loop should run a pass. Safe from any thread: the
// sound mixer calls it when a stream notification fires.
void WakeMainThread();
// Whether a wake is pending; Take also clears it.
bool WakeRequested();
bool TakeWakeRequest();

// Shows a frame. `repeated` says it is the very picture of the frame
// before: the window then sends nothing unless it lost what it showed (it
// was exposed, or took another size or shape since).
void PresentToWindow(const uint32_t* argb, int width, int height, bool repeated = false);
void ShowMessageBox(const char* text, const char* caption);
// A message for a start that opens no window of its own: a box on the
// desktop, shown by a child process so that the caller ends at once and a
// display that never answers holds nothing up. Nothing is shown without a
// display, or when SDL_VIDEODRIVER asks for a driver that shows no window.
void ShowNoticeBox(const char* text, const char* caption);

// Every event taken from the queue is shown to this observer first (the
// mouse and game pad read their events here).
void SetRawEventObserver(std::function<void(const SDL_Event&)> observer);

// The window as the picture is fitted into it: its size in the points that
// mouse positions are given in, its drawable size in pixels (larger on a
// HiDPI screen) and the size of the game's picture (the client size).
struct WindowGeometry {
    int pointsW = 0, pointsH = 0;
    int pixelsW = 0, pixelsH = 0;
    int pictureW = 0, pictureH = 0;
};

// A rectangle in the window's pixels.
struct PictureRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Where the picture is shown: scaled by the largest whole factor that fits
// the window, else (a window smaller than the picture) by the largest factor
// that fits, keeping its shape, and centred; the rest of the window is black.
// Drawing and the mouse both go through this one rectangle.
PictureRect FitPicture(const WindowGeometry& g);
// The desktop a window opens on: its usable size (without panels) in the
// units window sizes are given in, 0 when unknown, and what tells how dense
// its pixels are.
struct Desktop {
    int usableW = 0, usableH = 0;
    float dpi = 0;          // horizontal dots per inch; 0 when unknown
    int desktopScale = 0;   // the desktop's own scale (GDK_SCALE); 0 when unset
    int usableX = 0, usableY = 0;  // the usable area's corner
};

// Where the window stands: the corner of its client area on the desktop and
// the frame the window manager draws around it (all 0 without one). Known
// only where the window system tells it and lets a window be moved.
struct WindowPlace {
    bool known = false;
    int x = 0, y = 0;
    int top = 0, left = 0, bottom = 0, right = 0;
};

// The whole factor the window opens at: the largest whose window takes no
// more than about two thirds (seven tenths) of the usable desktop in either
// direction, but not below the display's HiDPI scale (dots per inch over 96,
// or the desktop's own scale) where that fits the desktop; 1 at the least.
int StartFactor(int pictureW, int pictureH, const Desktop& desktop);

// The window when the picture changes shape (the portrait turn): the factor
// is kept, reduced only while the new shape, with the window's frame, would
// not fit the desktop. The factor kept is the one the window opened at, or
// the one the window shows now once the player has sized it. The window
// keeps its place unless the new shape would reach off the usable desktop;
// then it moves (up or left, or back onto the desktop where it stood partly
// off it) just far enough to stand wholly on it.
struct TurnedWindow {
    int factor = 1;     // the factor kept from now on
    int w = 0, h = 0;   // the window's new size, in points
    bool move = false;  // the window is to be moved to (x, y)
    int x = 0, y = 0;   // the client area's new corner
};
TurnedWindow TurnWindow(int keptFactor, const WindowGeometry& now, int newPictureW, int newPictureH,
                        const Desktop& desktop, const WindowPlace& place = {});

// The size the window really has (as the window system last announced it),
// followed frame by frame against the size SDL believes it has. A window
// manager may refuse a size the game asks for (a tiling one refuses every
// size), and SDL then goes on believing the size it asked for, drawing
// into a buffer of that size at the window's corner; a size granted may
// also be reported a little later. So the picture is fitted into the real
// size; while SDL's size differs from it no frame is shown, and once the
// real size has stood still for kSettleFrames frames SDL is given it again.
class WindowSizeFollower {
public:
    static constexpr int kSettleFrames = 8;
    struct Step {
        int w = 0, h = 0;       // the size to fit the picture into
        bool show = true;       // SDL draws at that size: the frame may be shown
        bool tellSdl = false;   // SDL is to be given (w, h), the size the window has
    };
    // One frame: the size SDL reports and the real one (0 by 0 when the
    // window system does not tell it; SDL's size counts then).
    Step Observe(int sdlW, int sdlH, int realW, int realH);

private:
    int lastW_ = 0, lastH_ = 0;
    int stillFrames_ = 0;
};

// A position in window points to picture pixels through FitPicture; true
// when it lies on the picture. A position in the margins maps to a point
// outside the picture (below 0 or at the picture's size and beyond).
bool WindowToPicture(const WindowGeometry& g, int wx, int wy, int& cx, int& cy);
// The game window's geometry now (without a window: the client size shown
// at the window's scale).
WindowGeometry CurrentWindowGeometry();
// Converts a position in the game window's points to client coordinates.
void WindowToClient(int wx, int wy, int& cx, int& cy);

// SDL key code to a Windows virtual-key code (0 when the key has none).
uint32_t VirtualKeyFromSdl(int32_t sdlKey);

}  // namespace platform
