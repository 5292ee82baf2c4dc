// The web face's process entry: the program's start hook (web_hooks.h),
// then the game's own WinMain, whose loop yields to the browser at every
// swap and dialog; when it returns the page says so and offers a new game.
#include "platform/web/web_hooks.h"
#include "platform/web/web_page.h"
#include "platform/win32.h"

int main() {
  web_face::RunStartHook();
  const int code = WinMain(GetModuleHandleA(nullptr), nullptr,
                           const_cast<char *>(""), SW_SHOW);
  web_face::ShowEnded(code);
  return code;
}
