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

} // namespace

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  const Window *window = FindWindow(handle);
  if (window == nullptr || window->procedure == nullptr)
    return 0;
  return window->procedure(handle, message, wParam, lParam);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Shared().posted.push_back(
      MSG{window, message, wParam, lParam, TheFace().ticks(), {}});
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

void ResizeClient(HWND handle, int width, int height) {
  Window *window = FindWindow(handle);
  if (window == nullptr ||
      (window->clientWidth == width && window->clientHeight == height))
    return;
  window->clientWidth = width;
  window->clientHeight = height;
  Send(handle, WM_SIZE, SIZE_RESTORED, MAKELONG(width, height));
}

// Showing and destroying as the emulation does them itself, unseen by the
// face's look at calls.
BOOL ShowNow(HWND handle, int showCommand) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return FALSE;
  const BOOL wasVisible = window->visible ? TRUE : FALSE;
  // The game hides and minimises nothing itself; the window manager does.
  if (showCommand != SW_SHOW)
    return wasVisible;
  // The surface first: WM_ACTIVATE may run game code.
  TheFace().showSurface(window, ShowKind::Show);
  window->visible = true;
  Shared().focus = handle;
  SetActivation(handle, true, false);
  return wasVisible;
}

BOOL DestroyNow(HWND handle) {
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
  TheFace().destroySurface(window);
  s.windows.Remove(handle);
  return TRUE;
}

} // namespace emulation

// ---- the Win32 calls --------------------------------------------------------

using namespace emulation;

namespace {

// System icons and cursors are numbered 32512 and up; their handles carry
// the number. The process has none of its own.
template <typename H>
H SystemResource(platform::HandleKind kind, HINSTANCE instance, LPCSTR name) {
  const auto id = reinterpret_cast<UINT_PTR>(name);
  return instance == nullptr && id >= 32512 && id <= 0xFFFF
             ? platform::MakeHandle<H>(kind, id)
             : nullptr;
}

} // namespace

HINSTANCE GetModuleHandleA(LPCSTR moduleName) {
  if (Calling("GetModuleHandleA", moduleName) || moduleName != nullptr)
    return nullptr; // the process's own module; no other is known
  return platform::MakeHandle<HINSTANCE>(platform::HandleKind::Module, 1);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR iconName) {
  if (Calling("LoadIconA", instance, iconName))
    return nullptr;
  return SystemResource<HICON>(platform::HandleKind::Icon, instance, iconName);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
  if (Calling("LoadCursorA", instance, cursorName))
    return nullptr;
  return SystemResource<HCURSOR>(platform::HandleKind::Cursor, instance,
                                 cursorName);
}

ATOM RegisterClassA(const WNDCLASSA *wc) {
  if (TheFace().calling("RegisterClassA",
                        [&] {
                          if (wc == nullptr)
                            return CallArgs{"null"};
                          return CallArgs{ArgText(wc->lpszClassName),
                                          ArgText(Flags{wc->style}),
                                          wc->lpfnWndProc ? "proc" : "null",
                                          ArgText(wc->hInstance),
                                          ArgText(wc->hIcon),
                                          ArgText(wc->hCursor)};
                        }) ||
      wc == nullptr || wc->lpfnWndProc == nullptr ||
      wc->lpszClassName == nullptr || *wc->lpszClassName == '\0')
    return 0;
  auto &classes = Shared().classes;
  if (!classes.emplace(wc->lpszClassName, wc->lpfnWndProc).second)
    return 0; // the name is taken
  return static_cast<ATOM>(0xC000 + classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  State &s = Shared();
  if (Calling("UnregisterClassA", className, instance) ||
      className == nullptr || s.classes.count(className) == 0)
    return FALSE;
  for (auto &entry : s.windows.Items()) {
    if (entry.second->className == className)
      return FALSE; // a class with windows stays, as on Win32
  }
  s.classes.erase(className);
  return TRUE;
}

BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (Calling("AdjustWindowRectEx", rect, Flags{style}, menu, Flags{exStyle}) ||
      rect == nullptr)
    return FALSE;
  const RECT frame = FrameFor(style, menu != FALSE);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                     DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  State &s = Shared();
  if (Calling("CreateWindowExA", Flags{exStyle}, className, windowName,
              Flags{style}, x, y, width, height, parent, menu, instance,
              Pointer{param}))
    return nullptr;
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
  Window *record = window.get();
  const HWND handle = s.windows.Add<HWND>(std::move(window));
  record->handle = handle;
  // The format the game asks for, so that setting it needs no new surface.
  // No context can draw to a window this new: the surface is made alone.
  if (!TheFace().startVideo(nullptr) ||
      !TheFace().makeSurface(record, {true, 24, 0, 16, 0})) {
    s.windows.Remove(handle);
    return nullptr;
  }
  Send(handle, WM_SIZE, SIZE_RESTORED, MAKELONG(clientWidth, clientHeight));
  if (FindWindow(handle) != nullptr && (style & WS_VISIBLE))
    ShowNow(handle, SW_SHOW);
  return FindWindow(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND window) {
  if (Calling("DestroyWindow", window))
    return FALSE;
  return DestroyNow(window);
}

BOOL ShowWindow(HWND window, int showCommand) {
  if (Calling("ShowWindow", window, showCommand))
    return FALSE;
  return ShowNow(window, showCommand);
}

BOOL SetForegroundWindow(HWND handle) {
  Window *window = FindWindow(handle);
  if (Calling("SetForegroundWindow", handle) || window == nullptr)
    return FALSE;
  TheFace().showSurface(window, ShowKind::Raise);
  SetActivation(handle, true, window->minimised);
  return TRUE;
}

HWND SetFocus(HWND handle) {
  State &s = Shared();
  if (Calling("SetFocus", handle))
    return nullptr;
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
  if (Calling("GetFocus"))
    return nullptr;
  return Shared().focus;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
  Window *window = FindWindow(handle);
  if (Calling("SetWindowTextA", handle, text) || window == nullptr)
    return FALSE;
  window->title = text == nullptr ? "" : text;
  TheFace().retitleSurface(window);
  return TRUE;
}

int ShowCursor(BOOL show) {
  Calling("ShowCursor", show);
  const int count = Shared().cursorCount += show ? 1 : -1;
  TheFace().showPointer(count >= 0);
  return count;
}

BOOL PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax,
                  UINT removeMessage) {
  State &s = Shared();
  if (Calling("PeekMessageA", window, Flags{filterMin}, Flags{filterMax},
              Flags{removeMessage}) ||
      msg == nullptr)
    return FALSE;
  EndPass();
  TheFace().pumpEvents();
  if (!s.posted.empty()) {
    *msg = s.posted.front();
    if (removeMessage & PM_REMOVE)
      s.posted.pop_front();
    return TRUE;
  }
  if (s.quitPending) {
    *msg = MSG{nullptr, WM_QUIT,           static_cast<WPARAM>(s.quitCode),
               0,       TheFace().ticks(), {}};
    s.quitPending = (removeMessage & PM_REMOVE) == 0;
    return TRUE;
  }
  TheFace().nothingQueued();
  BeginPass();
  return FALSE;
}

BOOL TranslateMessage(const MSG *msg) {
  if (TheFace().calling("TranslateMessage", [&] {
        return CallArgs{msg ? ArgText(Flags{msg->message}) : "null"};
      }))
    return FALSE;
  // No character messages are made; the answer says whether it was a key.
  return msg != nullptr &&
                 (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)
             ? TRUE
             : FALSE;
}

LRESULT DispatchMessageA(const MSG *msg) {
  if (TheFace().calling("DispatchMessageA",
                        [&] {
                          if (msg == nullptr)
                            return CallArgs{"null"};
                          return CallArgs{
                              ArgText(msg->hwnd), ArgText(Flags{msg->message}),
                              ArgText(msg->wParam), ArgText(msg->lParam)};
                        }) ||
      msg == nullptr)
    return 0;
  return Send(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  Calling("PostQuitMessage", exitCode);
  Shared().quitPending = true;
  Shared().quitCode = exitCode;
}

// The face's own answers: its question box, and its keys' state.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return TheFace().messageBox(owner, text, caption, type);
}

SHORT GetKeyState(int virtualKey) {
  return TheFace().keyState(virtualKey);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam,
                       LPARAM lParam) {
  Calling("DefWindowProcA", window, Flags{message}, wParam, lParam);
  // Nothing here sends system commands or paints: closing is all there is.
  if (message == WM_CLOSE)
    DestroyNow(window);
  return 0;
}
