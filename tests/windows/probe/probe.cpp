// A minimal native program that exercises what the game needs from Windows:
// a message box, a window with a 640 x 480 client area, a WGL context, a
// cleared and swapped frame, key polling and a title change. It proves the
// cross-build and the Wine run independently of the game.
#include <windows.h>

#include <GL/gl.h>

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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int answer = MessageBoxA(nullptr, "Open the probe window?", "Probe",
                           MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES && answer != IDNO) {
    return 2;
  }

  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = ProbeWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "Probe";
  if (!RegisterClassA(&windowClass)) {
    return 3;
  }
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  RECT rect = {0, 0, 640, 480};
  AdjustWindowRectEx(&rect, style, FALSE, WS_EX_APPWINDOW);
  HWND window =
      CreateWindowExA(WS_EX_APPWINDOW, "Probe", "Probe window", style, 0, 0,
                      rect.right - rect.left, rect.bottom - rect.top, nullptr,
                      nullptr, instance, nullptr);
  HDC dc = window ? GetDC(window) : nullptr;
  if (!dc) {
    return 4;
  }
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 16;
  pfd.cDepthBits = 16;
  int format = ChoosePixelFormat(dc, &pfd);
  if (!format || !SetPixelFormat(dc, format, &pfd)) {
    return 5;
  }
  HGLRC context = wglCreateContext(dc);
  if (!context || !wglMakeCurrent(dc, context)) {
    return 6;
  }
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

  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(context);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  UnregisterClassA("Probe", instance);
  return static_cast<int>(msg.wParam);
}
