// The message queue over SDL events: keys and gamepads become virtual keys on
// the shared key path (WM_KEYDOWN / WM_KEYUP and the key state); the close
// button posts WM_CLOSE; size, minimise, restore and focus changes are sent at
// once (WM_SIZE, WM_ACTIVATE), as Win32 sends them inside PeekMessageA; the
// queue itself and default processing are the shared emulation's. Lacks:
// WM_CHAR (TranslateMessage makes none), mouse messages, WM_SYSKEYDOWN (Alt
// chords arrive as WM_KEYDOWN), WM_PAINT, timers.
#include "platform/sdl/sdl_face.h"

#include "platform/emulation.h"
#include "platform/sdl/sdl_full_screen.h"
#include "platform/sdl/sdl_gamepads.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl_gl/sdl_gl_context.h"

namespace {

void TranslateKey(const SDL_KeyboardEvent &key) {
  emulation::ChangeKey(
      sdl_face::VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode),
      key.type == SDL_KEYDOWN, emulation::KeySource::Keyboard);
}

void TranslateWindowEvent(const SDL_WindowEvent &event) {
  const HWND handle = platform::WindowOfSurface(event.windowID);
  emulation::Window *window = emulation::FindWindow(handle);
  if (window == nullptr)
    return;
  switch (event.event) {
  case SDL_WINDOWEVENT_CLOSE:
    emulation::Post(handle, WM_CLOSE, 0, 0);
    break;
  case SDL_WINDOWEVENT_SIZE_CHANGED:
    // Full screen covers the desktop, but the game draws the size the face
    // chose for it (sdl_full_screen); a window, in the drawable's pixels.
    if (!window->fullScreen) {
      SDL_Window *surface = SDL_GetWindowFromID(event.windowID);
      int drawnWidth = event.data1;
      int drawnHeight = event.data2;
      int pointWidth = 0;
      int pointHeight = 0;
      SDL_GetWindowSize(surface, &pointWidth, &pointHeight);
      SDL_GL_GetDrawableSize(surface, &drawnWidth, &drawnHeight);
      if (pointWidth > 0 && pointHeight > 0)
        emulation::ResizeClient(handle, event.data1 * drawnWidth / pointWidth,
                                event.data2 * drawnHeight / pointHeight);
      else
        emulation::ResizeClient(handle, event.data1, event.data2);
    }
    break;
  case SDL_WINDOWEVENT_SHOWN:
    window->visible = true;
    break;
  case SDL_WINDOWEVENT_HIDDEN:
    window->visible = false;
    break;
  case SDL_WINDOWEVENT_MINIMIZED:
    emulation::SetActivation(handle, false, true);
    break;
  case SDL_WINDOWEVENT_RESTORED:
  case SDL_WINDOWEVENT_MAXIMIZED:
    emulation::SetActivation(handle, true, false);
    break;
  case SDL_WINDOWEVENT_FOCUS_GAINED:
    SetFocus(handle); // activates it too
    break;
  case SDL_WINDOWEVENT_FOCUS_LOST:
    // Keys let go elsewhere never report their release here.
    emulation::ReleaseKeys(emulation::KeySource::Keyboard);
    emulation::SetActivation(handle, false, window->minimised);
    break;
  default:
    break;
  }
}

} // namespace

namespace sdl_face {

void PumpEvents() {
  if (!SDL_WasInit(SDL_INIT_VIDEO))
    return;
  sdl_face::StartGamepads();
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (sdl_face::TranslateGamepadEvent(event))
      continue;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_QUIT:
      // An interrupt from the terminal: ask every window to close, as the
      // close button would; with no window, quit outright.
      emulation::CloseAll();
      break;
    default:
      break;
    }
  }
  sdl_face::ApplyDrawSize();
}

SHORT KeyState(int virtualKey) {
  return static_cast<SHORT>(emulation::KeyHeld(virtualKey) ? 0xFF80 : 0);
}

} // namespace sdl_face
