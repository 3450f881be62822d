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

// Opens the window on a desktop. Only a video driver that shows a window is
// taken (SDL would otherwise fall back on one that draws nowhere), unless
// SDL_VIDEODRIVER names one. False, with the reason on standard error, when
// no window opened.
bool CreateGameWindow(const char* title, int clientWidth, int clientHeight);
// Gives the client area a new size (the window keeps its place); frames of
// that size are presented from then on. Without a window only the size is
// kept.
void ResizeGameWindow(int clientWidth, int clientHeight);
void GetGameWindowClientSize(int& clientWidth, int& clientHeight);
void DestroyGameWindow();
bool HasGameWindow();
// Integer factor by which the window shows the client area (HiDPI).
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

void PresentToWindow(const uint32_t* argb, int width, int height);
void ShowMessageBox(const char* text, const char* caption);

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
