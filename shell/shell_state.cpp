// The shell's process-wide values; zero or null at start unless stated.
#include "shell/shell_state.h"

#include <cstring>

HINSTANCE appInstance = nullptr;
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;
bool fullScreen = true;
bool windowActive = true;
BYTE keyState[256] = {};

void ResetShellState() {
  appInstance = nullptr;
  windowHandle = nullptr;
  deviceContext = nullptr;
  renderingContext = nullptr;
  fullScreen = true;
  windowActive = true;
  std::memset(keyState, 0, sizeof keyState);
}
