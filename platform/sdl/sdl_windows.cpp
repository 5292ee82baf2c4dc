// Window classes, windows, activation and focus, the title, the cursor and
// display modes over SDL2. Sends the messages Win32 sends during these calls:
// WM_SIZE (client size) from CreateWindowExA, WM_ACTIVATE from ShowWindow,
// SetForegroundWindow and SetFocus when activation changes. Lacks: WM_CREATE,
// WM_DESTROY and the non-client messages, child windows, menus, more than one
// display. Display modes: the depth of a mode is matched only where SDL lists
// modes of more than one depth; X11 and Wayland list only the desktop's own
// depth, which cannot change, so there any depth matches a listed WxH.
#include "platform/sdl/sdl_platform.h"

#include "platform/handle_table.h"
#include "platform/window_frame.h"

#include "platform/sdl_gl_context.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace sdl_platform {
namespace {

struct State {
  bool videoStarted = false;
  std::string videoError;
  platform::HandleTable<Window> windows{platform::HandleKind::Window};
  platform::WindowClasses classes;
  HWND focus = nullptr;
  int cursorCount = 0;
  bool modeChanged = false;
  SDL_DisplayMode changedMode = {};
};

State &S() {
  static State state;
  return state;
}

// The format a window gets before SetPixelFormat names one: the one the game
// asks for, so that setting it needs no second SDL window.
const platform::PixelFormat kFirstFormat = {true, 24, 0, 16, 0};

} // namespace

bool StartVideo(std::string *reason) {
  State &s = S();
  if (!s.videoStarted) {
    // Closing the last window is a WM_CLOSE for the game to act on, not a
    // request to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      s.videoError = SDL_GetError();
      if (reason != nullptr)
        *reason = s.videoError;
      return false;
    }
    s.videoStarted = true;
    // One reference that is never dropped keeps the GL library loaded after
    // the last GL window is gone (see the header).
    if (SDL_GL_LoadLibrary(nullptr) != 0)
      std::fprintf(stderr, "OpenGL library: %s\n", SDL_GetError());
  }
  return true;
}

Window *FindWindow(HWND window) {
  return S().windows.Find(window);
}

HWND WindowFromSdlId(Uint32 sdlWindowId) {
  for (auto &entry : S().windows.Items()) {
    if (entry.second->sdl && SDL_GetWindowID(entry.second->sdl) == sdlWindowId)
      return S().windows.HandleOf<HWND>(entry.first);
  }
  return nullptr;
}

std::vector<HWND> LiveWindows() {
  std::vector<HWND> handles;
  for (auto &entry : S().windows.Items())
    handles.push_back(S().windows.HandleOf<HWND>(entry.first));
  return handles;
}

bool MakeSdlWindow(Window *window, const platform::PixelFormat &format) {
  platform::ApplyGlAttributes(format);
  Uint32 flags = SDL_WINDOW_OPENGL;
  if (!window->visible)
    flags |= SDL_WINDOW_HIDDEN;
  if (window->style & WS_POPUP)
    flags |= SDL_WINDOW_BORDERLESS;
  if (window->style & WS_THICKFRAME)
    flags |= SDL_WINDOW_RESIZABLE;
  if (window->fullScreen)
    flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window *made =
      SDL_CreateWindow(window->title.c_str(), window->x, window->y,
                       std::max(window->clientWidth, 1),
                       std::max(window->clientHeight, 1), flags);
  if (made == nullptr)
    return false;
  if (window->fullScreen)
    SDL_SetWindowDisplayMode(made, &S().changedMode);
  if (window->sdl != nullptr)
    SDL_DestroyWindow(window->sdl);
  window->sdl = made;
  window->sdlFormat = format;
  return true;
}

void SetActivation(HWND handle, bool active, bool minimised) {
  platform::ChangeActivation(FindWindow(handle), handle, active, minimised);
}

bool ModeOffered(const std::vector<DisplayMode> &modes, int width, int height,
                 int bits) {
  bool depthsDiffer = false;
  for (const DisplayMode &mode : modes)
    depthsDiffer = depthsDiffer || mode.bits != modes.front().bits;
  for (const DisplayMode &mode : modes) {
    if (mode.width == width && mode.height == height &&
        (!depthsDiffer || mode.bits == bits))
      return true;
  }
  return false;
}

bool ChangedDisplayMode(SDL_DisplayMode *mode) {
  if (!S().modeChanged)
    return false;
  *mode = S().changedMode;
  return true;
}

} // namespace sdl_platform

using namespace sdl_platform;

HINSTANCE GetModuleHandleA(LPCSTR moduleName) {
  return platform::ModuleHandle(moduleName);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR iconName) {
  return platform::SystemResource<HICON>(platform::HandleKind::Icon, instance,
                                         iconName);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
  return platform::SystemResource<HCURSOR>(platform::HandleKind::Cursor,
                                           instance, cursorName);
}

ATOM RegisterClassA(const WNDCLASSA *windowClass) {
  return S().classes.Register(windowClass);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  return S().classes.Unregister(className, S().windows) ? TRUE : FALSE;
}

BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD) {
  if (rect == nullptr)
    return FALSE;
  platform::AddFrame(rect, platform::FrameFor(style, menu != FALSE));
  return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                     DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menu, HINSTANCE, LPVOID) {
  if (parent != nullptr)
    return nullptr; // child windows are not offered
  const platform::WindowClasses::Entry *cls = S().classes.Find(className);
  if (cls == nullptr || !StartVideo())
    return nullptr;

  const platform::FrameInsets frame =
      platform::FrameFor(style, menu != nullptr);
  auto window = std::make_unique<Window>();
  platform::InitWindowRecord(window.get(), *cls, windowName, style, exStyle,
                             width, height, frame);
  window->x = x + frame.left;
  window->y = y + frame.top;
  window->fullScreen = (style & WS_POPUP) != 0 && S().modeChanged;
  if (!MakeSdlWindow(window.get(), kFirstFormat))
    return nullptr;

  const int clientWidth = window->clientWidth;
  const int clientHeight = window->clientHeight;
  const HWND handle = S().windows.Add<HWND>(std::move(window));
  SendToWindow(handle, WM_SIZE, SIZE_RESTORED,
               MAKELONG(clientWidth, clientHeight));
  if (FindWindow(handle) != nullptr && (style & WS_VISIBLE))
    ShowWindow(handle, SW_SHOW);
  return FindWindow(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  ForgetWindowGl(handle);
  DropQueuedFor(handle);
  if (S().focus == handle)
    S().focus = nullptr;
  SDL_Window *sdl = window->sdl;
  S().windows.Remove(handle);
  if (sdl != nullptr)
    SDL_DestroyWindow(sdl);
  return TRUE;
}

BOOL ShowWindow(HWND handle, int showCommand) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  // The SDL window first: the record's WM_ACTIVATE may run game code.
  switch (platform::ShowKindOf(showCommand)) {
  case platform::ShowKind::Hide:
    SDL_HideWindow(window->sdl);
    break;
  case platform::ShowKind::Minimise:
    SDL_ShowWindow(window->sdl);
    SDL_MinimizeWindow(window->sdl);
    break;
  case platform::ShowKind::Show:
    SDL_ShowWindow(window->sdl);
    if (window->minimised)
      SDL_RestoreWindow(window->sdl);
    break;
  }
  return platform::ShowRecord(window, handle, showCommand, &S().focus);
}

BOOL SetForegroundWindow(HWND handle) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  SDL_RaiseWindow(window->sdl);
  SetActivation(handle, true, window->minimised);
  return TRUE;
}

HWND SetFocus(HWND handle) {
  return platform::MoveFocus(handle, FindWindow(handle), &S().focus);
}

HWND GetFocus() {
  return S().focus;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  window->title = text == nullptr ? "" : text;
  SDL_SetWindowTitle(window->sdl, window->title.c_str());
  return TRUE;
}

int ShowCursor(BOOL show) {
  State &s = S();
  s.cursorCount += show ? 1 : -1;
  if (StartVideo())
    SDL_ShowCursor(s.cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return s.cursorCount;
}

LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  State &s = S();
  if (mode == nullptr) {
    // Back to the desktop's own mode: full-screen windows become windows.
    s.modeChanged = false;
    for (auto &entry : s.windows.Items()) {
      if (entry.second->fullScreen) {
        entry.second->fullScreen = false;
        SDL_SetWindowFullscreen(entry.second->sdl, 0);
      }
    }
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!StartVideo())
    return DISP_CHANGE_FAILED;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    return DISP_CHANGE_FAILED;
  // Fields the record leaves out keep the desktop's values.
  const int width = (mode->dmFields & DM_PELSWIDTH)
                        ? static_cast<int>(mode->dmPelsWidth)
                        : desktop.w;
  const int height = (mode->dmFields & DM_PELSHEIGHT)
                         ? static_cast<int>(mode->dmPelsHeight)
                         : desktop.h;
  const int bits = (mode->dmFields & DM_BITSPERPEL)
                       ? static_cast<int>(mode->dmBitsPerPel)
                       : static_cast<int>(SDL_BITSPERPIXEL(desktop.format));

  // The desktop's own mode is always one the display can take; drivers
  // without a mode list (offscreen) list a zero-sized one, which is no mode.
  std::vector<DisplayMode> modes;
  std::vector<SDL_DisplayMode> sdlModes;
  auto add = [&modes, &sdlModes](const SDL_DisplayMode &listed) {
    const DisplayMode mode = {
        listed.w, listed.h, static_cast<int>(SDL_BITSPERPIXEL(listed.format))};
    if (mode.width <= 0 || mode.height <= 0)
      return;
    for (const DisplayMode &known : modes) {
      if (known.width == mode.width && known.height == mode.height &&
          known.bits == mode.bits)
        return;
    }
    modes.push_back(mode);
    sdlModes.push_back(listed);
  };
  for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
    SDL_DisplayMode listed;
    if (SDL_GetDisplayMode(0, i, &listed) == 0)
      add(listed);
  }
  add(desktop);
  if (!ModeOffered(modes, width, height, bits))
    return DISP_CHANGE_BADMODE;
  if (flags & platform::kChangeTestOnly)
    return DISP_CHANGE_SUCCESSFUL;
  // SDL lists the best refresh rate first: take the first of that size,
  // or the first of that size and depth when there is one.
  std::size_t chosen = modes.size();
  for (std::size_t i = 0; i < modes.size(); ++i) {
    if (modes[i].width != width || modes[i].height != height)
      continue;
    if (chosen == modes.size() ||
        (modes[i].bits == bits && modes[chosen].bits != bits))
      chosen = i;
  }
  s.changedMode = sdlModes[chosen]; // ModeOffered found one of that size
  s.modeChanged = true;
  for (auto &entry : s.windows.Items()) {
    if ((entry.second->style & WS_POPUP) && !entry.second->fullScreen) {
      entry.second->fullScreen = true;
      SDL_SetWindowDisplayMode(entry.second->sdl, &s.changedMode);
      SDL_SetWindowFullscreen(entry.second->sdl, SDL_WINDOW_FULLSCREEN);
    }
  }
  return DISP_CHANGE_SUCCESSFUL;
}
