#include "win/Main.h"

int main() { return WinMain() ? 0 : 0; }
