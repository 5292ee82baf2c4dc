// The page's input and dialogs as Win32 sees them: the page's key codes
// (KeyboardEvent.code, from the keyboard, the touch controls or gamepads)
// become virtual keys on the shared key path, GetKeyState answers from it
// (or from the program's key-state hook, web_hooks.h), and MessageBoxA is
// the page's modal box. Lacks: mouse messages, WM_CHAR.
#include "platform/web/web_input.h"

#include "platform/emulation.h"
#include "platform/web/web_hooks.h"
#include "platform/web/web_keys.h"
#include "platform/web/web_page.h"

#include <emscripten.h>
#include <emscripten/html5.h>

namespace {

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent *event, void *) {
  // Keys the game lacks go on to the page (reload, zoom); the game's own
  // stop there (arrows would scroll the page, F1 open help).
  return tvl_web_key(event->code, type == EMSCRIPTEN_EVENT_KEYDOWN, 0) != 0
             ? EM_TRUE
             : EM_FALSE;
}

// Keys released while the page had no focus never report their release.
EM_BOOL OnBlur(int, const EmscriptenFocusEvent *, void *) {
  emulation::ReleaseKeys(emulation::KeySource::Keyboard);
  return EM_FALSE;
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE int tvl_web_key(const char *code, int down,
                                                int source) {
  const int virtualKey = web_face::VirtualKeyFromCode(code);
  if (virtualKey == 0 || source < 0 || source > 2)
    return 0;
  emulation::ChangeKey(virtualKey, down != 0,
                       static_cast<emulation::KeySource>(source));
  return 1;
}

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

void NothingQueued() {}

} // namespace face

SHORT GetKeyState(int virtualKey) {
  bool down = false;
  if (!web_face::HookedKeyState(virtualKey, &down))
    down = emulation::KeyHeld(virtualKey);
  return static_cast<SHORT>(down ? 0xFF80 : 0);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  return web_face::AskPage(caption, text, (type & MB_TYPEMASK) == MB_YESNO);
}
