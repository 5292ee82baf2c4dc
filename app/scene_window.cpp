// The game window and its GL context: creation step by step with a message
// for each failure, teardown in reverse, the window procedure, the viewport.
#include "app/scene_window.h"

#include "app/scene_init.h"
#include "platform/gl.h"
#include "shell/shell_state.h"

namespace {

const char kClassName[] = "OpenGL";

const PIXELFORMATDESCRIPTOR scenePixelFormat = {
    40, // nSize: the size of this record
    1,  // nVersion
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
    PFD_TYPE_RGBA,
    24, // colour bits, whatever the display depth
    0,
    0,
    0,
    0,
    0,
    0, // colour bits and shifts ignored
    0,
    0, // no alpha buffer
    0,
    0,
    0,
    0,
    0,  // no accumulation buffer
    16, // depth bits
    0,  // no stencil
    0,  // no auxiliary buffers
    PFD_MAIN_PLANE,
    0, // reserved
    0,
    0,
    0, // layer masks ignored
};

void ShowCreationError(const char *text) {
  MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONEXCLAMATION);
}

// From window creation on, a failure releases what exists before it reports.
bool FailAfterTeardown(const char *text) {
  CloseSceneWindow();
  ShowCreationError(text);
  return false;
}

void ShowShutdownError(const char *text) {
  MessageBoxA(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

bool RegisterSceneClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = SceneWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = appInstance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = nullptr;
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

// Asks for the full-screen display mode; on refusal offers windowed mode.
// False when the user declines, after telling them the program will close.
bool EnterFullScreenMode(int width, int height, int bits) {
  DEVMODEA mode = {};
  mode.dmSize = 148; // the layout that ends with dmReserved2
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = static_cast<DWORD>(bits);
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) {
    return true;
  }
  if (MessageBoxA(nullptr,
                  "The Requested Fullscreen Mode Is Not Supported By\nYour "
                  "Video Card. Use Windowed Mode Instead?",
                  "OPENGL", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
    fullScreen = false;
    return true;
  }
  MessageBoxA(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONSTOP);
  return false;
}

} // namespace

bool OpenSceneWindow(const char *title, int width, int height, int bits,
                     bool fullScreenWanted) {
  RECT windowRect = {0, 0, width, height};
  fullScreen = fullScreenWanted;
  appInstance = GetModuleHandleA(nullptr);

  if (!RegisterSceneClass()) {
    ShowCreationError("Failed To Register The Window Class.");
    return false;
  }
  if (fullScreen && !EnterFullScreenMode(width, height, bits)) {
    return false; // the class stays registered
  }

  DWORD exStyle;
  DWORD style;
  if (fullScreen) {
    exStyle = WS_EX_APPWINDOW;
    style = WS_POPUP;
    ShowCursor(FALSE);
  } else {
    exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    style = WS_OVERLAPPEDWINDOW;
  }
  AdjustWindowRectEx(&windowRect, style, FALSE, exStyle);

  windowHandle = CreateWindowExA(
      exStyle, kClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
      0, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top,
      nullptr, nullptr, appInstance, nullptr);
  if (!windowHandle) {
    return FailAfterTeardown("Window Creation Error.");
  }
  deviceContext = GetDC(windowHandle);
  if (!deviceContext) {
    return FailAfterTeardown("Can't Create A GL Device Context.");
  }
  const int format = ChoosePixelFormat(deviceContext, &scenePixelFormat);
  if (format == 0) {
    return FailAfterTeardown("Can't Find A Suitable PixelFormat.");
  }
  if (!SetPixelFormat(deviceContext, format, &scenePixelFormat)) {
    return FailAfterTeardown("Can't Set The PixelFormat.");
  }
  renderingContext = wglCreateContext(deviceContext);
  if (!renderingContext) {
    return FailAfterTeardown("Can't Create A GL Rendering Context.");
  }
  if (!wglMakeCurrent(deviceContext, renderingContext)) {
    return FailAfterTeardown("Can't Activate The GL Rendering Context.");
  }
  AskForVsync();

  ShowWindow(windowHandle, SW_SHOW);
  SetForegroundWindow(windowHandle);
  SetFocus(windowHandle);
  ResizeViewport(width, height);

  if (!InitScene()) {
    return FailAfterTeardown("Initialization Failed.");
  }
  return true;
}

void CloseSceneWindow() {
  if (fullScreen) {
    ChangeDisplaySettingsA(nullptr, 0); // back to the stored mode
    ShowCursor(TRUE);
  }
  if (renderingContext) {
    if (!wglMakeCurrent(nullptr, nullptr)) {
      ShowShutdownError("Release Of DC And RC Failed.");
    }
    if (!wglDeleteContext(renderingContext)) {
      ShowShutdownError("Release Rendering Context Failed.");
    }
    renderingContext = nullptr;
  }
  if (deviceContext) {
    if (!ReleaseDC(windowHandle, deviceContext)) {
      ShowShutdownError("Release Device Context Failed.");
    }
    deviceContext = nullptr;
  }
  if (windowHandle) {
    if (!DestroyWindow(windowHandle)) {
      ShowShutdownError("Could Not Release hWnd.");
    }
    windowHandle = nullptr;
  }
  if (!UnregisterClassA(kClassName, appInstance)) {
    ShowShutdownError("Could Not Unregister Class.");
  }
}

LRESULT CALLBACK SceneWindowProc(HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  switch (message) {
  case WM_ACTIVATE:
    // Active whenever not minimised, also while another window has focus.
    windowActive = HIWORD(wParam) == 0;
    return 0;
  case WM_SYSCOMMAND:
    // No screen saver and no monitor power-down while the game runs.
    if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) {
      return 0;
    }
    break;
  case WM_CLOSE:
    PostQuitMessage(0); // the window is destroyed by the teardown
    return 0;
  case WM_KEYDOWN:
    // Recording key-down lets the loop see a held Escape and F1.
    if (wParam < sizeof keyState) {
      keyState[wParam] = 1;
    }
    if (wParam == VK_ESCAPE) {
      PostQuitMessage(0);
    }
    break; // every key-down goes on to default processing
  case WM_KEYUP:
    if (wParam < sizeof keyState) {
      keyState[wParam] = 0;
    }
    return 0;
  case WM_SIZE:
    ResizeViewport(LOWORD(lParam), HIWORD(lParam));
    return 0;
  default:
    break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void ResizeViewport(int width, int height) {
  if (height == 0) {
    height = 1; // no division by zero for a window shrunk to no height
  }
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / height, 0.1f, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
