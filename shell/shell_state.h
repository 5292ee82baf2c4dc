// Process-wide values of the application shell: the window, its device and
// rendering contexts, the mode and activity flags and the key array. They sit
// below game/ and image/, which read them, and are written by app/.
#pragma once

#include "platform/win32.h"

extern HINSTANCE appInstance;
extern HWND windowHandle;
extern HDC deviceContext;
extern HGLRC renderingContext;
extern bool fullScreen;   // true at start
extern bool windowActive; // true at start; false while minimised
extern BYTE keyState[256];

// Every value back to what the process starts with.
void ResetShellState();
