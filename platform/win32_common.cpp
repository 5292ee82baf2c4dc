// What both platform layers keep and decide for windows and messages; see
// win32_common.h.
#include "platform/win32_common.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

std::string ClassKey(const char *name) {
  std::string key = name == nullptr ? "" : name;
  for (char &c : key)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

bool InRange(UINT message, UINT low, UINT high) {
  return (low == 0 && high == 0) || (message >= low && message <= high);
}

} // namespace

bool IsResourceId(LPCSTR name) {
  return (reinterpret_cast<UINT_PTR>(name) >> 16) == 0;
}

HINSTANCE ModuleHandle(LPCSTR moduleName) {
  if (moduleName != nullptr)
    return nullptr;
  return MakeHandle<HINSTANCE>(HandleKind::Module, 1);
}

ATOM WindowClasses::Register(const WNDCLASSA *windowClass) {
  if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
      windowClass->lpszClassName == nullptr ||
      IsResourceId(windowClass->lpszClassName))
    return 0;
  const std::string key = ClassKey(windowClass->lpszClassName);
  if (key.empty() || classes_.count(key) != 0)
    return 0; // the name is taken, as Win32 answers for a second class
  classes_[key] = {key, windowClass->lpfnWndProc};
  return ++lastAtom_;
}

const WindowClasses::Entry *WindowClasses::Find(LPCSTR name) const {
  if (name == nullptr || IsResourceId(name))
    return nullptr;
  const auto it = classes_.find(ClassKey(name));
  return it == classes_.end() ? nullptr : &it->second;
}

void InitWindowRecord(WindowRecord *window, const WindowClasses::Entry &cls,
                      LPCSTR windowName, DWORD style, DWORD exStyle, int width,
                      int height, const FrameInsets &frame) {
  window->className = cls.key;
  window->procedure = cls.procedure;
  window->title = windowName == nullptr ? "" : windowName;
  window->style = style;
  window->exStyle = exStyle;
  window->clientWidth = std::max(width - frame.left - frame.right, 0);
  window->clientHeight = std::max(height - frame.top - frame.bottom, 0);
}

LRESULT CallProcedure(const WindowRecord *window, HWND handle, UINT message,
                      WPARAM wParam, LPARAM lParam) {
  if (window == nullptr || window->procedure == nullptr)
    return 0;
  return window->procedure(handle, message, wParam, lParam);
}

void ChangeActivation(WindowRecord *window, HWND handle, bool active,
                      bool minimised) {
  if (window == nullptr ||
      (window->active == active && window->minimised == minimised))
    return;
  window->active = active;
  window->minimised = minimised;
  CallProcedure(window, handle, WM_ACTIVATE,
                static_cast<WPARAM>(MAKELONG(active ? WA_ACTIVE : WA_INACTIVE,
                                             minimised ? 1 : 0)),
                0);
}

HWND MoveFocus(HWND handle, WindowRecord *window, HWND *focus) {
  const HWND previous = *focus;
  if (handle == nullptr) {
    *focus = nullptr; // keys go nowhere until focus is set again
    return previous;
  }
  if (window == nullptr)
    return nullptr;
  *focus = handle;
  ChangeActivation(window, handle, true, window->minimised);
  return previous;
}

ShowKind ShowKindOf(int showCommand) {
  switch (showCommand) {
  case SW_HIDE:
    return ShowKind::Hide;
  case SW_MINIMIZE:
  case SW_SHOWMINIMIZED:
    return ShowKind::Minimise;
  default: // shown, normal, restored: shown and activated
    return ShowKind::Show;
  }
}

BOOL ShowRecord(WindowRecord *window, HWND handle, int showCommand,
                HWND *focus) {
  if (window == nullptr)
    return FALSE;
  const BOOL wasVisible = window->visible ? TRUE : FALSE;
  switch (ShowKindOf(showCommand)) {
  case ShowKind::Hide:
    window->visible = false;
    ChangeActivation(window, handle, false, window->minimised);
    break;
  case ShowKind::Minimise:
    window->visible = true;
    ChangeActivation(window, handle, false, true);
    break;
  case ShowKind::Show:
    window->visible = true;
    *focus = handle;
    ChangeActivation(window, handle, true, false);
    break;
  }
  return wasVisible;
}

void MessageQueue::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        DWORD time) {
  posted_.push_back(MSG{window, message, wParam, lParam, time, {}});
}

bool MessageQueue::Peek(MSG *msg, HWND window, UINT low, UINT high,
                        UINT removeMessage, DWORD time) {
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if ((window != nullptr && it->hwnd != window) ||
        !InRange(it->message, low, high))
      continue;
    *msg = *it;
    if (removeMessage & PM_REMOVE)
      posted_.erase(it);
    return true;
  }
  if (quitPending_ && InRange(WM_QUIT, low, high)) {
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->wParam = static_cast<WPARAM>(quitCode_);
    msg->time = time;
    if (removeMessage & PM_REMOVE)
      quitPending_ = false;
    return true;
  }
  return false;
}

void MessageQueue::PostQuit(int exitCode) {
  quitPending_ = true;
  quitCode_ = exitCode;
}

void MessageQueue::DropFor(HWND window) {
  posted_.erase(
      std::remove_if(posted_.begin(), posted_.end(),
                     [window](const MSG &m) { return m.hwnd == window; }),
      posted_.end());
}

HDC DeviceContexts::For(WindowRecord *window, HWND handle) {
  if (window->deviceContext == nullptr)
    window->deviceContext =
        table_.Add<HDC>(std::make_unique<Entry>(Entry{handle}));
  return window->deviceContext;
}

HWND DeviceContexts::WindowOf(HDC deviceContext) const {
  const Entry *entry = table_.Find(deviceContext);
  return entry == nullptr ? nullptr : entry->window;
}

void DeviceContexts::Forget(WindowRecord *window) {
  if (window != nullptr && window->deviceContext != nullptr) {
    table_.Remove(window->deviceContext);
    window->deviceContext = nullptr;
  }
}

bool IsKeyMessage(const MSG *msg) {
  return msg != nullptr &&
         (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP ||
          msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP);
}

} // namespace platform
