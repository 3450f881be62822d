#include "win/Main.h"

// 0 once the game has run; 1 when it did not start (another copy runs, or
// no window could be opened).
int main() { return WinMain() != 0 ? 0 : 1; }
