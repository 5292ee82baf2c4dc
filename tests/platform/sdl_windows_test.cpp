// What only the SDL face does, on the offscreen driver: display modes as SDL
// lists them, the SDL window behind a game window with a real GL context,
// SDL events turned into messages, the cursor, and message boxes where no
// dialog can be shown. The shared emulation is tested through the twin.
#include "platform/emulation.h"
#include "platform/gl.h"
#include "platform/sdl_gl/sdl_gl_context.h"

#include "tests/support/recording_proc.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using support::RecordingProc;
using support::seen;

SDL_Window *SurfaceOf(HWND window) {
  return platform::SdlWindow(emulation::FindWindow(window));
}

class SdlLayer : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::string reason;
    ASSERT_TRUE(sdl_gl::StartVideo(&reason)) << reason;
  }

  void SetUp() override {
    seen.clear();
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "SdlTest";
    ASSERT_NE(RegisterClassA(&wc), 0);
  }

  void TearDown() override {
    if (window != nullptr)
      DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("SdlTest", nullptr));
    ChangeDisplaySettingsA(nullptr, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  HWND MakeWindow(int clientWidth = 64, int clientHeight = 48) {
    RECT rect = {0, 0, clientWidth, clientHeight};
    EXPECT_TRUE(AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0));
    window = CreateWindowExA(0, "SdlTest", "Lounge", WS_OVERLAPPEDWINDOW, 0, 0,
                             rect.right - rect.left, rect.bottom - rect.top,
                             nullptr, nullptr, nullptr, nullptr);
    return window;
  }

  static void Drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  HWND window = nullptr;
};

TEST_F(SdlLayer, OffersEverySizeTheDesktopHoldsAndNoLarger) {
  SDL_DisplayMode desktop;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  DEVMODEA mode = {};
  mode.dmSize = 148;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  mode.dmBitsPerPel = 16;
  mode.dmPelsWidth = static_cast<DWORD>(desktop.w + 1);
  mode.dmPelsHeight = static_cast<DWORD>(desktop.h);
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  EXPECT_FALSE(emulation::Count().modeChanged);
  // No mode is switched: a smaller size is shown scaled up in a window at
  // the desktop's size, so the game gets the size it asked for. The
  // desktop's depth is the only one, so a 16-bit request is taken.
  mode.dmPelsWidth = 123;
  mode.dmPelsHeight = 45;
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN),
            DISP_CHANGE_SUCCESSFUL);
  ASSERT_TRUE(emulation::Count().modeChanged);
  EXPECT_EQ(emulation::Count().mode.width, 123);
  EXPECT_EQ(emulation::Count().mode.height, 45);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(emulation::Count().modeChanged);
}

TEST_F(SdlLayer, TheSdlWindowHasTheClientSizeTitleAndVisibility) {
  ASSERT_NE(MakeWindow(200, 100), nullptr);
  SDL_Window *surface = SurfaceOf(window);
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(surface, &w, &h);
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 100);
  EXPECT_STREQ(SDL_GetWindowTitle(surface), "Lounge");
  EXPECT_TRUE(SDL_GetWindowFlags(surface) & SDL_WINDOW_OPENGL);
  EXPECT_TRUE(SDL_GetWindowFlags(surface) & SDL_WINDOW_HIDDEN);
  // Events name the window by its SDL window's id.
  EXPECT_EQ(platform::WindowOfSurface(SDL_GetWindowID(surface)), window);
  SetWindowTextA(window, "Balls collected so far: 1");
  EXPECT_STREQ(SDL_GetWindowTitle(surface), "Balls collected so far: 1");
  ShowWindow(window, SW_SHOW);
  EXPECT_TRUE(SDL_GetWindowFlags(surface) & SDL_WINDOW_SHOWN);
}

TEST_F(SdlLayer, AGlContextOnTheWindowDrawsAndSwaps) {
  ASSERT_NE(MakeWindow(), nullptr);
  HDC dc = GetDC(window);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDC(window), dc); // the window's own DC
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.cColorBits = 24;
  pfd.cDepthBits = 16;
  const int format = ChoosePixelFormat(dc, &pfd);
  ASSERT_GT(format, 0);
  ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
  HGLRC rc = wglCreateContext(dc);
  ASSERT_NE(rc, nullptr);
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr); // not made current yet
  ASSERT_TRUE(wglMakeCurrent(dc, rc));
  EXPECT_NE(wglGetProcAddress("glActiveTextureARB"), nullptr);
  // Vsync is asked for as on Windows, and SDL gives it where it can.
  const auto swapInterval =
      reinterpret_cast<BOOL (*)(int)>(wglGetProcAddress("wglSwapIntervalEXT"));
  ASSERT_NE(swapInterval, nullptr);
  swapInterval(1);

  // A compatibility context: the fixed-function pipeline works.
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  std::array<unsigned char, 4> pixel = {};
  glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_EQ(pixel[1], 255);
  EXPECT_EQ(pixel[0], 0);
  GLint depth = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  EXPECT_GE(depth, 16);
  ShowWindow(window, SW_SHOW);
  EXPECT_TRUE(SwapBuffers(dc));

  // A window that is not shown has nothing to wait for: its swap waits one
  // refresh interval instead of returning at once, so an idle minimised
  // game does not spin.
  SDL_HideWindow(SurfaceOf(window)); // as the window manager hides it
  Drain();
  const auto before = std::chrono::steady_clock::now();
  EXPECT_TRUE(SwapBuffers(dc));
  EXPECT_GE(std::chrono::steady_clock::now() - before,
            std::chrono::milliseconds(5));

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(wglDeleteContext(rc));
}

TEST_F(SdlLayer, KeyEventsArePostedAsVirtualKeys) {
  ASSERT_NE(MakeWindow(), nullptr);
  ShowWindow(window, SW_SHOW);
  Drain();
  SDL_Event event = {};
  event.type = SDL_KEYDOWN;
  event.key.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.windowID = SDL_GetWindowID(SurfaceOf(window));
  event.key.keysym.sym = SDLK_UP;
  event.key.keysym.scancode = SDL_SCANCODE_UP;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
  event.type = event.key.type = SDL_KEYUP;
  event.key.state = SDL_RELEASED;
  event.key.keysym.sym = SDLK_r;
  event.key.keysym.scancode = SDL_SCANCODE_R;
  ASSERT_EQ(SDL_PushEvent(&event), 1);

  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_UP));
  EXPECT_TRUE(TranslateMessage(&msg));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('R'));
  seen.clear();
  DispatchMessageA(&msg);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_KEYUP));
}

TEST_F(SdlLayer, WindowEventsBecomeCloseSizeAndActivation) {
  ASSERT_NE(MakeWindow(), nullptr);
  ShowWindow(window, SW_SHOW);
  Drain();
  seen.clear();
  const Uint32 id = SDL_GetWindowID(SurfaceOf(window));
  auto push = [id](Uint8 what, int a = 0, int b = 0) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = id;
    event.window.event = what;
    event.window.data1 = a;
    event.window.data2 = b;
    SDL_PushEvent(&event);
  };
  push(SDL_WINDOWEVENT_SIZE_CHANGED, 320, 200);
  push(SDL_WINDOWEVENT_MINIMIZED);
  push(SDL_WINDOWEVENT_RESTORED);
  push(SDL_WINDOWEVENT_CLOSE);

  // Size and activation are sent during the peek; the close is posted.
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(LOWORD(seen[0].lParam), 320);
  EXPECT_EQ(HIWORD(seen[0].lParam), 200);
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(LOWORD(seen[1].wParam), WA_INACTIVE);
  EXPECT_EQ(HIWORD(seen[1].wParam), 1);
  EXPECT_EQ(LOWORD(seen[2].wParam), WA_ACTIVE);
  EXPECT_EQ(HIWORD(seen[2].wParam), 0);

  // Default processing of the close destroys the window, as on Win32.
  DispatchMessageA(&msg);
  EXPECT_EQ(emulation::FindWindow(window), nullptr);
  window = nullptr;
}

TEST_F(SdlLayer, CursorCounterHidesBelowZero) {
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

// Nobody can see the question, so nobody agreed to what it offers: the
// answer that changes nothing, and SDL's reason beside the text.
TEST_F(SdlLayer, WithoutADisplayAMessageBoxPrintsWhyAndTakesTheEscapeAnswer) {
  unsetenv("DISPLAY"); // so that no real dialog can wait for a person
  unsetenv("WAYLAND_DISPLAY");
  testing::internal::CaptureStderr();
  const int answer =
      MessageBoxA(nullptr, "Would You Like?", "Start FullScreen?",
                  MB_YESNO | MB_ICONQUESTION);
  const int ok = MessageBoxA(nullptr, "Done.", "ERROR", MB_OK | MB_ICONSTOP);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(ok, IDOK);
  EXPECT_NE(printed.find("Start FullScreen?: Would You Like?\n"
                         "(no dialog could be shown: "),
            std::string::npos);
  EXPECT_NE(printed.find("; answered No)\n"), std::string::npos);
  EXPECT_EQ(printed.find("shown: ;"), std::string::npos); // a reason is given
  EXPECT_NE(printed.find("ERROR: Done.\n"), std::string::npos);
}

} // namespace
