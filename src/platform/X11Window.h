#pragma once
// What only the X server can tell about the game's window: the size it
// really has (SDL keeps believing a size it asked for when the window
// manager refused it), where it stands inside the window manager's frame,
// and that it was destroyed by someone else (a tool or a window manager may
// destroy it instead of asking it to close). Under any other video driver,
// or built without the X11 headers, nothing is known.
struct SDL_Window;

namespace platform::x11 {

// Starts watching the window: from now on an X error that says the window
// no longer exists marks it as gone instead of ending the process. Any
// other X error goes on to the handler installed before.
void WatchWindow(SDL_Window* window);
// The watched window was destroyed, not by the game.
bool WindowGone();
// The watched window's size on the X server, as its last configure event
// told it (asked once when the watch began, then taken from the events the
// X server sends on every change of the window's size or place: no request
// of its own); false when unknown.
bool RealWindowSize(int& w, int& h);
// The watched window's client corner on the screen and the extent of the
// frame around it (the window manager's; 0 without one); false when not
// known. Asks the X server, so it is for rare use (the portrait turn).
bool Placement(int& x, int& y, int& top, int& left, int& bottom, int& right);

}  // namespace platform::x11
