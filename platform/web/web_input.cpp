// The page's input and dialogs as Win32 sees them: GetKeyState answers
// the keys the page holds (web_key_export.cpp; a walk from the query string
// answers it while it plays), and MessageBoxA is the page's modal box.
// Lacks: mouse messages, WM_CHAR.
#include "platform/emulation.h"
#include "platform/web/web_key_export.h"
#include "platform/web/web_page.h"
#include "platform/web/web_walk.h"

namespace face {

// The walk counts passes by frames presented (web_walk.cpp).
void NothingQueued() {}

} // namespace face

SHORT GetKeyState(int virtualKey) {
  bool down;
  if (web_face::Walking())
    down = web_face::WalkHolds(virtualKey);
  else
    down = web_face::KeyHeldAnywhere(virtualKey);
  return static_cast<SHORT>(down ? 0xFF80 : 0);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  return web_face::AskPage(caption, text, (type & MB_TYPEMASK) == MB_YESNO);
}
