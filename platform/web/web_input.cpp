// The page's input and dialogs as Win32 sees them: key events on the page
// become WM_KEYDOWN / WM_KEYUP for the focus window and answer GetKeyState
// (a walk from the query string answers it while it plays), and MessageBoxA
// is the page's modal box. Lacks: mouse messages, WM_CHAR.
#include "platform/web/web_input.h"

#include "platform/emulation.h"
#include "platform/web/web_keys.h"
#include "platform/web/web_page.h"
#include "platform/web/web_walk.h"

#include <emscripten/html5.h>

#include <cstdio>

namespace {

bool keyDown[256] = {};

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent *event, void *) {
  const int virtualKey = web_face::VirtualKeyFromCode(event->code);
  if (virtualKey == 0)
    return EM_FALSE; // the page's own keys (reload, zoom) keep working
  const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
  keyDown[virtualKey] = down;
  // The game reads the key alone, not the repeat and transition bits.
  if (HWND target = GetFocus())
    emulation::Post(target, down ? WM_KEYDOWN : WM_KEYUP,
                    static_cast<WPARAM>(virtualKey), 0);
  return EM_TRUE; // arrows would scroll the page, F1 open help
}

// Keys released while the page had no focus never report their release.
EM_BOOL OnBlur(int, const EmscriptenFocusEvent *, void *) {
  for (bool &down : keyDown)
    down = false;
  return EM_FALSE;
}

} // namespace

namespace web_face {

void ListenToKeys() {
  const char *target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(target, nullptr, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(target, nullptr, EM_TRUE, OnKey);
  emscripten_set_blur_callback(target, nullptr, EM_TRUE, OnBlur);
}

} // namespace web_face

namespace face {

// Events arrive through the callbacks above while the game waits for a
// frame or a dialog.
void PumpEvents() {}

// The walk counts passes by frames presented (web_walk.cpp).
void NothingQueued() {}

} // namespace face

SHORT GetKeyState(int virtualKey) {
  bool down;
  if (web_face::Walking())
    down = web_face::WalkHolds(virtualKey);
  else
    down = virtualKey >= 0 && virtualKey < 256 && keyDown[virtualKey];
  return static_cast<SHORT>(down ? 0xFF80 : 0);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  return web_face::AskPage(caption, text, (type & MB_TYPEMASK) == MB_YESNO);
}
