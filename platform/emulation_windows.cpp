// The shared emulation's windows and messages: classes by exact name,
// windows with the frame a style puts around the client area, showing,
// activation and focus (WM_ACTIVATE when activation changes), the queue with
// WM_QUIT handed out once nothing else is left, and default processing.
// Sends what Win32 sends inside these calls: WM_SIZE from CreateWindowExA,
// WM_ACTIVATE from ShowWindow, SetForegroundWindow and SetFocus. Lacks:
// WM_CREATE, WM_DESTROY, non-client messages, child windows, menus, queue
// filters, several threads.
#include "platform/emulation_state.h"

#include <algorithm>
#include <memory>

namespace emulation {
namespace {

// The frame of a current desktop with default metrics: a sizing border of
// 8, a fixed border of 3, a caption of 23, a menu bar of 20; a pop-up has
// none. AdjustWindowRectEx adds it and CreateWindowExA takes it off, so the
// two agree.
RECT FrameFor(DWORD style, bool menu) {
  LONG border = 0;
  if (style & WS_THICKFRAME)
    border = 8;
  else if (style & WS_CAPTION)
    border = 3;
  const LONG caption =
      ((style & WS_CAPTION) == WS_CAPTION ? 23 : 0) + (menu ? 20 : 0);
  return {border, border + caption, border, border};
}

ShowKind ShowKindOf(int showCommand) {
  switch (showCommand) {
  case SW_HIDE:
    return ShowKind::Hide;
  case SW_MINIMIZE:
  case SW_SHOWMINIMIZED:
    return ShowKind::Minimise;
  default: // shown, normal, restored: shown and activated
    return ShowKind::Show;
  }
}

} // namespace

State &Shared() {
  static State state;
  return state;
}

Window *FindWindow(HWND window) {
  return Shared().windows.Find(window);
}

HWND WindowOfSurface(Uint32 sdlWindowId) {
  SDL_Window *surface = SDL_GetWindowFromID(sdlWindowId);
  if (surface == nullptr)
    return nullptr;
  return static_cast<HWND>(SDL_GetWindowData(surface, kWindowKey));
}

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  const Window *window = FindWindow(handle);
  if (window == nullptr || window->procedure == nullptr)
    return 0;
  return window->procedure(handle, message, wParam, lParam);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Shared().posted.push_back(
      MSG{window, message, wParam, lParam, face::Ticks(), {}});
}

void SetActivation(HWND handle, bool active, bool minimised) {
  Window *window = FindWindow(handle);
  if (window == nullptr ||
      (window->active == active && window->minimised == minimised))
    return;
  window->active = active;
  window->minimised = minimised;
  Send(handle, WM_ACTIVATE,
       static_cast<WPARAM>(
           MAKELONG(active ? WA_ACTIVE : WA_INACTIVE, minimised ? 1 : 0)),
       0);
}

void CloseAll() {
  State &s = Shared();
  if (s.windows.Size() == 0)
    PostQuitMessage(0);
  for (auto &entry : s.windows.Items())
    Post(s.windows.HandleOf<HWND>(entry.first), WM_CLOSE, 0, 0);
}

void ResizeClient(HWND handle, int width, int height, WPARAM kind) {
  Window *window = FindWindow(handle);
  if (window == nullptr ||
      (window->clientWidth == width && window->clientHeight == height))
    return;
  window->clientWidth = width;
  window->clientHeight = height;
  Send(handle, WM_SIZE, kind, MAKELONG(width, height));
}

int WindowCount() {
  return Shared().windows.Size();
}

int ClassCount() {
  return static_cast<int>(Shared().classes.size());
}

// ---- the Win32 calls -------------------------------------------------------

HINSTANCE GetModuleHandleA(LPCSTR moduleName) {
  // The process's own module; no other is known.
  if (moduleName != nullptr)
    return nullptr;
  return platform::MakeHandle<HINSTANCE>(platform::HandleKind::Module, 1);
}

namespace {
// System icons and cursors are numbered 32512 and up; their handles carry
// the number.
template <typename H>
H SystemResource(platform::HandleKind kind, HINSTANCE instance, LPCSTR name) {
  const auto id = reinterpret_cast<UINT_PTR>(name);
  if (instance != nullptr || id < 32512 || id > 0xFFFF)
    return nullptr;
  return platform::MakeHandle<H>(kind, id);
}
} // namespace

HICON LoadIconA(HINSTANCE instance, LPCSTR iconName) {
  return SystemResource<HICON>(platform::HandleKind::Icon, instance, iconName);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
  return SystemResource<HCURSOR>(platform::HandleKind::Cursor, instance,
                                 cursorName);
}

ATOM RegisterClassA(const WNDCLASSA *windowClass) {
  if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
      windowClass->lpszClassName == nullptr ||
      *windowClass->lpszClassName == '\0')
    return 0;
  auto &classes = Shared().classes;
  if (!classes.emplace(windowClass->lpszClassName, windowClass->lpfnWndProc)
           .second)
    return 0; // the name is taken
  return static_cast<ATOM>(0xC000 + classes.size());
}

BOOL UnregisterClassA(LPCSTR className) {
  State &s = Shared();
  if (className == nullptr || s.classes.count(className) == 0)
    return FALSE;
  for (auto &entry : s.windows.Items()) {
    if (entry.second->className == className)
      return FALSE; // a class with windows stays, as on Win32
  }
  s.classes.erase(className);
  return TRUE;
}

BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu) {
  if (rect == nullptr)
    return FALSE;
  const RECT frame = FrameFor(style, menu != FALSE);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}

HWND CreateWindowExA(LPCSTR className, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu) {
  State &s = Shared();
  const auto cls =
      className == nullptr ? s.classes.end() : s.classes.find(className);
  if (parent != nullptr || cls == s.classes.end())
    return nullptr; // child windows are not offered
  const RECT frame = FrameFor(style, menu != nullptr);
  auto window = std::make_unique<Window>();
  window->className = cls->first;
  window->procedure = cls->second;
  window->title = windowName == nullptr ? "" : windowName;
  window->style = style;
  window->x = x + frame.left;
  window->y = y + frame.top;
  window->clientWidth = std::max(width - frame.left - frame.right, 0);
  window->clientHeight = std::max(height - frame.top - frame.bottom, 0);
  window->fullScreen = (style & WS_POPUP) != 0 && s.modeChanged;
  const int clientWidth = window->clientWidth;
  const int clientHeight = window->clientHeight;
  const HWND handle = s.windows.Add<HWND>(std::move(window));
  // The format the game asks for, so that setting it needs no new surface.
  if (!StartVideo() || !RemakeSurface(handle, {true, 24, 0, 16, 0})) {
    s.windows.Remove(handle);
    return nullptr;
  }
  Send(handle, WM_SIZE, SIZE_RESTORED, MAKELONG(clientWidth, clientHeight));
  if (FindWindow(handle) != nullptr && (style & WS_VISIBLE))
    emulation::ShowWindow(handle, SW_SHOW);
  return FindWindow(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
  State &s = Shared();
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  s.posted.erase(
      std::remove_if(s.posted.begin(), s.posted.end(),
                     [handle](const MSG &m) { return m.hwnd == handle; }),
      s.posted.end());
  if (s.focus == handle)
    s.focus = nullptr;
  face::DestroySurface(window);
  s.windows.Remove(handle);
  return TRUE;
}

BOOL ShowWindow(HWND handle, int showCommand) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  const BOOL wasVisible = window->visible ? TRUE : FALSE;
  const ShowKind kind = ShowKindOf(showCommand);
  // The surface first: WM_ACTIVATE may run game code.
  face::ShowSurface(window, kind);
  window->visible = kind != ShowKind::Hide;
  switch (kind) {
  case ShowKind::Hide:
    SetActivation(handle, false, window->minimised);
    break;
  case ShowKind::Minimise:
    SetActivation(handle, false, true);
    break;
  case ShowKind::Show:
    Shared().focus = handle;
    SetActivation(handle, true, false);
    break;
  }
  return wasVisible;
}

BOOL SetForegroundWindow(HWND handle) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  SetActivation(handle, true, window->minimised);
  return TRUE;
}

HWND SetFocus(HWND handle) {
  State &s = Shared();
  const HWND previous = s.focus;
  if (handle == nullptr) {
    s.focus = nullptr; // keys go nowhere until focus is set again
    return previous;
  }
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return nullptr;
  s.focus = handle;
  SetActivation(handle, true, window->minimised);
  return previous;
}

HWND GetFocus() {
  return Shared().focus;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  window->title = text == nullptr ? "" : text;
  return TRUE;
}

int ShowCursor(BOOL show) {
  return Shared().cursorCount += show ? 1 : -1;
}

BOOL PeekMessageA(MSG *msg, UINT removeMessage, DWORD time) {
  State &s = Shared();
  if (!s.posted.empty()) {
    *msg = s.posted.front();
    if (removeMessage & PM_REMOVE)
      s.posted.pop_front();
    return TRUE;
  }
  if (!s.quitPending)
    return FALSE;
  *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0, time, {}};
  if (removeMessage & PM_REMOVE)
    s.quitPending = false;
  return TRUE;
}

BOOL TranslateMessage(const MSG *msg) {
  // No character messages are made; the answer says whether it was a key.
  return msg != nullptr &&
                 (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)
             ? TRUE
             : FALSE;
}

LRESULT DispatchMessageA(const MSG *msg) {
  if (msg == nullptr)
    return 0;
  return Send(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  Shared().quitPending = true;
  Shared().quitCode = exitCode;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam) {
  switch (message) {
  case WM_CLOSE:
    emulation::DestroyWindow(window);
    return 0;
  case WM_SYSCOMMAND:
    // The low four bits of a system command are the system's own.
    if ((wParam & 0xFFF0) == SC_CLOSE)
      Post(window, WM_CLOSE, 0, 0);
    else if ((wParam & 0xFFF0) == SC_MINIMIZE)
      emulation::ShowWindow(window, SW_MINIMIZE);
    return 0;
  default:
    return 0;
  }
}

} // namespace emulation
