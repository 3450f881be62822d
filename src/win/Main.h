#pragma once
// Process entry, the window and the main loop.
#include <cstdint>

#include "platform/Window.h"

extern const char* const kWindowClassName;
extern const char* const kWindowTitle;

// 1 after the game has run; 0 when it did not start: another copy runs, or
// no window could be opened (the single-instance lock is given up again).
int32_t WinMain();
// The single-instance test: false, with one line on standard error, when
// another copy runs (also shown in a box on the desktop) or no lock could be
// had.
bool AcquireSingleInstance();
void ReleaseSingleInstance();
bool CreateMainWindow();
// Start-up, the main loop and EndRun.
void RunGame();
// The end of a run after the main loop: the world is emptied, then the
// graphics and the window go.
void EndRun();

// What the window does with a message the main loop dispatches.
void MainWindowProc(const platform::Message& message);

// One pass of the main loop up to its wait; false once the quit message
// was taken. lastTime is the time of the last working pass. At most one
// pass per millisecond tick works: it takes one message, runs the frame step
// and the sound update.
bool MainLoopPass(uint32_t& lastTime);
// The wait that ends each pass: it sleeps until the earliest of input, a
// sound notification and the next logical frame, so that no pass runs when
// nothing can have changed.
void MainLoopWait(uint32_t lastTime);
// How long that wait may sleep now, in milliseconds: 0 when the next pass
// has work at once, 1 when work waits for the next tick.
uint32_t MainLoopSleepMs(uint32_t lastTime);
