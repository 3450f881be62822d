#pragma once
// Process entry, the window and the main loop.
#include <cstdint>

#include "platform/Window.h"

extern const char* const kWindowClassName;  // also the single-instance key
extern const char* const kWindowTitle;

int32_t WinMain();
bool CreateMainWindow();
void RunGame();

// What the window does with a message the main loop dispatches.
void MainWindowProc(const platform::Message& message);

// One pass of the main loop; false once the quit message was taken.
// lastTime is the time of the last working pass.
bool MainLoopPass(uint32_t& lastTime);
