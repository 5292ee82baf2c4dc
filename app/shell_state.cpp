// The shell's process-wide values; zero or null at start unless stated.
#include "app/shell_state.h"

HINSTANCE appInstance = nullptr;
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;
bool fullScreen = true;
bool windowActive = true;
BYTE keyState[256] = {};
