// The page's input and dialogs as Win32 sees them: the page's key codes
// (KeyboardEvent.code, from the keyboard, the touch controls or gamepads;
// keys.js listens on the game's element) become virtual keys on the shared
// key path, GetKeyState answers from it (or from the program's key-state
// hook, web_hooks.h), and MessageBoxA is the page's modal box (the face
// table's key-state and message-box hooks). Lacks: mouse messages, WM_CHAR.
#include "platform/web/web_input.h"

#include "platform/emulation.h"
#include "platform/web/web_hooks.h"
#include "platform/web/web_keys.h"
#include "platform/web/web_page.h"

#include <emscripten.h>

#include <iterator>

extern "C" EMSCRIPTEN_KEEPALIVE int tvl_web_key(const char *code, int down,
                                                int source) {
  const int virtualKey = web_face::VirtualKeyFromCode(code);
  if (virtualKey == 0 || source < 0 ||
      source >= static_cast<int>(std::size(input::kSources)))
    return 0;
  emulation::ChangeKey(virtualKey, down != 0,
                       static_cast<emulation::KeySource>(source));
  return 1;
}

namespace web_face {

SHORT KeyState(int virtualKey) {
  bool down = false;
  if (!HookedKeyState(virtualKey, &down))
    down = emulation::KeyHeld(virtualKey);
  return static_cast<SHORT>(down ? 0xFF80 : 0);
}

int ShowMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  return AskPage(caption, text, (type & MB_TYPEMASK) == MB_YESNO);
}

} // namespace web_face
