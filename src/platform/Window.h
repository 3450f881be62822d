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

// Converts a window pixel position to client (480x320) coordinates.
void WindowToClient(int wx, int wy, int& cx, int& cy);

// SDL key code to a Windows virtual-key code (0 when the key has none).
uint32_t VirtualKeyFromSdl(int32_t sdlKey);

}  // namespace platform
