// The scripted twin's message queue: posted and injected messages, WM_QUIT
// handed out once the queue has no other message (as on Win32), the idle
// hook on every empty peek, default processing, and key states from the
// script.
#include "platform/scripted/scripted_internal.h"

using namespace scripted_detail;

namespace scripted {

void SetKeyDown(int virtualKey, bool down) {
  if (down)
    Messages().keysDown.insert(virtualKey);
  else
    Messages().keysDown.erase(virtualKey);
}

void InjectMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Post(window, message, wParam, lParam);
}

void SetIdleHook(std::function<void()> hook) {
  Messages().idleHook = std::move(hook);
}

} // namespace scripted

// ---- user32: messages and keys
// -----------------------------------------------

BOOL PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax,
                  UINT removeMessage) {
  Record("PeekMessageA",
         {Handle(window), Hex(filterMin), Hex(filterMax), Hex(removeMessage)});
  if (ShouldFail("PeekMessageA") || msg == nullptr)
    return FALSE;
  // No clock: the script's messages carry time 0.
  if (Messages().queue.Peek(msg, window, filterMin, filterMax, removeMessage,
                            0))
    return TRUE;
  // A copy: the hook may replace itself.
  const std::function<void()> hook = Messages().idleHook;
  if (hook)
    hook();
  return FALSE;
}

BOOL TranslateMessage(const MSG *msg) {
  Record("TranslateMessage", {msg ? Hex(msg->message) : "null"});
  if (ShouldFail("TranslateMessage"))
    return FALSE;
  return platform::IsKeyMessage(msg) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG *msg) {
  if (msg == nullptr) {
    Record("DispatchMessageA", {"null"});
    return 0;
  }
  Record("DispatchMessageA", {Handle(msg->hwnd), Hex(msg->message),
                              Dec(msg->wParam), Dec(msg->lParam)});
  if (ShouldFail("DispatchMessageA"))
    return 0;
  return Send(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
  Record("PostQuitMessage", {Dec(exitCode)});
  Messages().queue.PostQuit(exitCode);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam,
                       LPARAM lParam) {
  Record("DefWindowProcA",
         {Handle(window), Hex(message), Dec(wParam), Dec(lParam)});
  switch (message) {
  case WM_CLOSE:
    DestroyWindowNow(window);
    return 0;
  case WM_SYSCOMMAND:
    if ((wParam & 0xFFF0) == SC_CLOSE)
      Post(window, WM_CLOSE, 0, 0);
    else if ((wParam & 0xFFF0) == SC_MINIMIZE)
      ShowWindowNow(window, SW_MINIMIZE);
    return 0;
  default:
    return 0;
  }
}

SHORT GetKeyState(int virtualKey) {
  Record("GetKeyState", {Dec(virtualKey)});
  if (ShouldFail("GetKeyState"))
    return 0;
  return static_cast<SHORT>(Messages().keysDown.count(virtualKey) ? 0xFF80 : 0);
}
