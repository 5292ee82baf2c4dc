// What the SDL layer and the scripted twin both keep and decide: the window
// record, the class registry, system resource handles, showing and activating
// a window, the message queue and its filters, display modes.
#pragma once

#include "platform/handle_table.h"
#include "platform/win32.h"
#include "platform/window_frame.h"

#include <deque>
#include <map>
#include <memory>
#include <string>

namespace platform {

struct WindowRecord {
  std::string className; // the class's lower-case name
  WNDPROC procedure = nullptr;
  std::string title;
  DWORD style = 0;
  DWORD exStyle = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  bool visible = false;
  bool active = false;
  bool minimised = false;
  HDC deviceContext = nullptr; // one per window (class or own DC)
  int pixelFormat = 0;         // 0 until SetPixelFormat
};

// A class or resource name below 0x10000 is a number, not a string.
bool IsResourceId(LPCSTR name);

// The process's own module; GetModuleHandleA knows no other.
HINSTANCE ModuleHandle(LPCSTR moduleName);

// System icons and cursors are numbered 32512 and up; their handles carry
// the number. Null for anything else.
template <typename H>
H SystemResource(HandleKind kind, HINSTANCE instance, LPCSTR name) {
  const auto id = reinterpret_cast<UINT_PTR>(name);
  if (instance != nullptr || !IsResourceId(name) || id < 32512)
    return nullptr;
  return MakeHandle<H>(kind, id);
}

// Registered window classes by case-folded name, as Win32 compares them.
class WindowClasses {
public:
  struct Entry {
    std::string key; // the lower-case name
    WNDPROC procedure;
  };

  // The class's atom; 0 for a malformed class or a name that is taken.
  ATOM Register(const WNDCLASSA *windowClass);
  // False for an unknown class and for one that still has windows, which
  // stays, as on Win32.
  template <typename Windows> bool Unregister(LPCSTR name, Windows &windows) {
    const Entry *cls = Find(name);
    if (cls == nullptr)
      return false;
    const std::string key = cls->key;
    for (auto &entry : windows.Items()) {
      if (entry.second->className == key)
        return false;
    }
    classes_.erase(key);
    return true;
  }
  // Null for a name that is no registered class's.
  const Entry *Find(LPCSTR name) const;
  int Count() const { return static_cast<int>(classes_.size()); }

private:
  std::map<std::string, Entry> classes_;
  ATOM lastAtom_ = 0xC000; // where Win32 starts class atoms
};

// A new window's record from CreateWindowExA's arguments: the outer size
// less the style's frame is the client size.
void InitWindowRecord(WindowRecord *window, const WindowClasses::Entry &cls,
                      LPCSTR windowName, DWORD style, DWORD exStyle, int width,
                      int height, const FrameInsets &frame);

// Calls the window's class procedure now, as a sent message does; 0 for a
// window that is gone.
LRESULT CallProcedure(const WindowRecord *window, HWND handle, UINT message,
                      WPARAM wParam, LPARAM lParam);

// Sets activation and sends WM_ACTIVATE when it changes; nothing for null.
void ChangeActivation(WindowRecord *window, HWND handle, bool active,
                      bool minimised);

// SetFocus: focus moves to the window (null: to none) and activates it.
// The window that had focus; null for a window that is gone.
HWND MoveFocus(HWND handle, WindowRecord *window, HWND *focus);

// The three things ShowWindow can do with a window.
enum class ShowKind { Hide, Minimise, Show };
ShowKind ShowKindOf(int showCommand);

// ShowWindow on the record: visibility, focus, activation (with
// WM_ACTIVATE). Whether the window was visible before; FALSE for null.
BOOL ShowRecord(WindowRecord *window, HWND handle, int showCommand,
                HWND *focus);

// A thread's posted messages and its pending WM_QUIT, which is handed out
// only once no other message is left, as on Win32.
class MessageQueue {
public:
  void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
            DWORD time);
  // PeekMessageA on the queue: the first message for the window (any window
  // for null) within [low, high] (anything for 0, 0). A WM_QUIT handed out
  // is stamped with the time.
  bool Peek(MSG *msg, HWND window, UINT low, UINT high, UINT removeMessage,
            DWORD time);
  void PostQuit(int exitCode);
  // Forgets the messages of a destroyed window.
  void DropFor(HWND window);

private:
  std::deque<MSG> posted_;
  bool quitPending_ = false;
  int quitCode_ = 0;
};

// What TranslateMessage answers: whether the message is a key message.
bool IsKeyMessage(const MSG *msg);

// Device contexts: one per window, made by the first GetDC and kept until
// the window goes.
class DeviceContexts {
public:
  // GetDC for a live window.
  HDC For(WindowRecord *window, HWND handle);
  // The window a device context belongs to, null for an unknown one.
  HWND WindowOf(HDC deviceContext) const;
  // Drops the window's device context as the window goes.
  void Forget(WindowRecord *window);
  void Clear() { table_.Clear(); }

private:
  struct Entry {
    HWND window;
  };
  HandleTable<Entry> table_{HandleKind::DeviceContext};
};

struct DisplayMode {
  int width;
  int height;
  int bits;
};

// ChangeDisplaySettingsA's flag for asking without changing.
constexpr DWORD kChangeTestOnly = 0x00000002u;

} // namespace platform
