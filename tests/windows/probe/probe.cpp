// A minimal native program that exercises what the game needs from Windows:
// a message box, a window with a 640 x 480 client area, a WGL context, a
// cleared and swapped frame, key polling and a title change. It proves the
// cross-build and the Wine run independently of the game.
#include <windows.h>

#include <GL/gl.h>

#include "tests/support/gl_window.h"

namespace {

bool quit = false;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  if (message == WM_CLOSE || (message == WM_KEYDOWN && wParam == VK_ESCAPE)) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int answer = MessageBoxA(nullptr, "Open the probe window?", "Probe",
                           MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES && answer != IDNO) {
    return 2;
  }

  support::GlWindow probe;
  if (!probe.Open("Probe", 640, 480, ProbeWindowProc)) {
    return 4;
  }
  HWND window = probe.Window();
  HDC dc = probe.Dc();
  SetWindowTextA(window, "Probe window"); // what tests/windows/e2e.sh finds
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(window);

  bool titled = false;
  MSG msg = {};
  while (!quit) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
      } else {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      continue;
    }
    if (!titled && (GetKeyState(VK_UP) & 0x80)) {
      SetWindowTextA(window, "Probe saw the up arrow");
      titled = true;
    }
    // Blue when the answer was No, green when Yes: the screenshot tells
    // which answer reached the program.
    glClearColor(0.0f, answer == IDYES ? 0.8f : 0.0f,
                 answer == IDNO ? 0.8f : 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers(dc);
    Sleep(10);
  }

  probe.Close();
  return static_cast<int>(msg.wParam);
}
