// The message queue over SDL events: keys become WM_KEYDOWN / WM_KEYUP with
// virtual-key codes and are posted to the focus window; the close button
// posts WM_CLOSE; size, minimise, restore and focus changes are sent at once
// (WM_SIZE, WM_ACTIVATE), as Win32 sends them inside PeekMessageA. WM_QUIT
// is a flag handed out once the queue is empty, as on Win32. Also the key
// state and default processing. Lacks: WM_CHAR (TranslateMessage makes
// none), mouse messages, WM_SYSKEYDOWN (Alt chords arrive as WM_KEYDOWN),
// WM_PAINT, timers.
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_platform.h"

namespace sdl_platform {
namespace {

// Each thread has its own queue, as on Win32 (the game uses one thread).
platform::MessageQueue &Q() {
  thread_local platform::MessageQueue queue;
  return queue;
}

// Bits 30 (key was down) and 31 (released) of a key message, count 1.
LPARAM KeyFlags(bool down, bool repeat) {
  LPARAM flags = 1;
  if (repeat || !down)
    flags |= LPARAM{1} << 30;
  if (!down)
    flags |= LPARAM{1} << 31;
  return flags;
}

void TranslateKey(const SDL_KeyboardEvent &key) {
  const int virtualKey = VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
  HWND target = GetFocus();
  if (target == nullptr)
    target = WindowFromSdlId(key.windowID);
  if (virtualKey == 0 || target == nullptr)
    return;
  const bool down = key.type == SDL_KEYDOWN;
  PostToQueue(target, down ? WM_KEYDOWN : WM_KEYUP,
              static_cast<WPARAM>(virtualKey), KeyFlags(down, key.repeat != 0));
}

void TranslateWindowEvent(const SDL_WindowEvent &event) {
  const HWND handle = WindowFromSdlId(event.windowID);
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return;
  switch (event.event) {
  case SDL_WINDOWEVENT_CLOSE:
    PostToQueue(handle, WM_CLOSE, 0, 0);
    break;
  case SDL_WINDOWEVENT_SIZE_CHANGED:
    if (event.data1 != window->clientWidth ||
        event.data2 != window->clientHeight) {
      window->clientWidth = event.data1;
      window->clientHeight = event.data2;
      const bool maximised =
          (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_MAXIMIZED) != 0;
      SendToWindow(handle, WM_SIZE, maximised ? SIZE_MAXIMIZED : SIZE_RESTORED,
                   MAKELONG(event.data1, event.data2));
    }
    break;
  case SDL_WINDOWEVENT_MOVED:
    window->x = event.data1;
    window->y = event.data2;
    break;
  case SDL_WINDOWEVENT_SHOWN:
    window->visible = true;
    break;
  case SDL_WINDOWEVENT_HIDDEN:
    window->visible = false;
    break;
  case SDL_WINDOWEVENT_MINIMIZED:
    SetActivation(handle, false, true);
    break;
  case SDL_WINDOWEVENT_RESTORED:
  case SDL_WINDOWEVENT_MAXIMIZED:
    SetActivation(handle, true, false);
    break;
  case SDL_WINDOWEVENT_FOCUS_GAINED:
    SetFocus(handle); // activates it too
    break;
  case SDL_WINDOWEVENT_FOCUS_LOST:
    SetActivation(handle, false, window->minimised);
    break;
  default:
    break;
  }
}

void PumpSdlEvents() {
  if (!SDL_WasInit(SDL_INIT_VIDEO))
    return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_QUIT: {
      // An interrupt from the terminal: ask every window to close, as the
      // close button would; with no window, quit outright.
      const auto windows = LiveWindows();
      for (HWND window : windows)
        PostToQueue(window, WM_CLOSE, 0, 0);
      if (windows.empty())
        PostQuitMessage(0);
      break;
    }
    default:
      break;
    }
  }
}

} // namespace

LRESULT SendToWindow(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  return platform::CallProcedure(FindWindow(handle), handle, message, wParam,
                                 lParam);
}

void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Q().Post(window, message, wParam, lParam, SDL_GetTicks());
}

void DropQueuedFor(HWND window) {
  Q().DropFor(window);
}

} // namespace sdl_platform

using namespace sdl_platform;

BOOL PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax,
                  UINT removeMessage) {
  if (msg == nullptr)
    return FALSE;
  PumpSdlEvents();
  return Q().Peek(msg, window, filterMin, filterMax, removeMessage,
                  SDL_GetTicks())
             ? TRUE
             : FALSE;
}

BOOL TranslateMessage(const MSG *msg) {
  // No character messages are made; the answer says whether it was a key.
  return platform::IsKeyMessage(msg) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG *msg) {
  if (msg == nullptr)
    return 0;
  return SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  Q().PostQuit(exitCode);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
  case WM_CLOSE:
    DestroyWindow(window);
    return 0;
  case WM_SYSCOMMAND:
    // The low four bits of a system command are the system's own.
    if ((wParam & 0xFFF0) == SC_CLOSE)
      PostToQueue(window, WM_CLOSE, 0, 0);
    else if ((wParam & 0xFFF0) == SC_MINIMIZE)
      ShowWindow(window, SW_MINIMIZE);
    return 0;
  default:
    return 0;
  }
}

SHORT GetKeyState(int virtualKey) {
  if (!SDL_WasInit(SDL_INIT_VIDEO))
    return 0;
  // Side-specific codes (VK_LSHIFT 0xA0 .. VK_RMENU 0xA5) name one key.
  static const SDL_Scancode kSided[] = {
      SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_LCTRL,
      SDL_SCANCODE_RCTRL,  SDL_SCANCODE_LALT,   SDL_SCANCODE_RALT};
  int count = 0;
  const Uint8 *keys = SDL_GetKeyboardState(&count);
  bool down = false;
  if (virtualKey >= 0xA0 && virtualKey <= 0xA5) {
    down = keys[kSided[virtualKey - 0xA0]] != 0;
  } else {
    for (int i = 0; i < count && !down; ++i) {
      if (keys[i] == 0)
        continue;
      const auto scancode = static_cast<SDL_Scancode>(i);
      down = VirtualKeyFromSdl(SDL_GetKeyFromScancode(scancode), scancode) ==
             virtualKey;
    }
  }
  // The low bit is the toggle of the lock keys (caps, num, scroll).
  const SDL_Keymod mods = SDL_GetModState();
  int toggled = 0;
  if ((virtualKey == 0x14 && (mods & KMOD_CAPS)) ||
      (virtualKey == 0x90 && (mods & KMOD_NUM)) ||
      (virtualKey == 0x91 && (mods & KMOD_SCROLL)))
    toggled = 1;
  return static_cast<SHORT>((down ? 0xFF80 : 0) | toggled);
}
