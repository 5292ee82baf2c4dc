// The web face's hooks for the page's program (web_hooks.h): plain function
// pointers, so setting them from static constructors needs no order.
#include "platform/web/web_hooks.h"

namespace {

void (*startHook)() = nullptr;
void (*presentedHook)() = nullptr;
bool (*keyStateHook)(int, bool *) = nullptr;

} // namespace

namespace web_face {

void SetStartHook(void (*hook)()) {
  startHook = hook;
}

void SetPresentedHook(void (*hook)()) {
  presentedHook = hook;
}

void SetKeyStateHook(bool (*hook)(int virtualKey, bool *down)) {
  keyStateHook = hook;
}

void RunStartHook() {
  if (startHook != nullptr)
    startHook();
}

void RunPresentedHook() {
  if (presentedHook != nullptr)
    presentedHook();
}

bool HookedKeyState(int virtualKey, bool *down) {
  return keyStateHook != nullptr && keyStateHook(virtualKey, down);
}

} // namespace web_face
