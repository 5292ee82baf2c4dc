// The scripted twin's state and control API, its windows, classes, cursor,
// display modes and message boxes; the queue is in scripted_messages.cpp,
// files in scripted_files.cpp, GL in scripted_gl.cpp. See scripted.h for what
// is recorded and which messages are sent during which calls. Lacks: WM_CHAR,
// mouse input, child windows, several threads (one queue for the process).
#include "platform/scripted/scripted_internal.h"

#include "platform/handle_table.h"
#include "platform/window_frame.h"

#include <cstdio>
#include <deque>
#include <map>
#include <memory>

namespace scripted_detail {
namespace {

struct State {
  std::vector<scripted::Call> calls;
  std::vector<scripted::MessageBoxRecord> boxes;
  std::deque<int> answers;
  std::map<std::string, int> failures; // name -> calls left, -1 always
  MessageState messages;
  platform::HandleTable<Window> windows{platform::HandleKind::Window};
  platform::WindowClasses classes;
  HWND focus = nullptr;
  std::string lastTitle;
  HWND lastWindow = nullptr;
  int cursorCount = 0;
  std::vector<platform::DisplayMode> offeredModes;
  bool modeChanged = false;
};

State &S() {
  static State state;
  return state;
}

std::string NameOrResource(LPCSTR name) {
  if (name == nullptr)
    return "null";
  if (platform::IsResourceId(name))
    return "#" + Dec(static_cast<long long>(reinterpret_cast<UINT_PTR>(name)));
  return name;
}

std::string RectText(const RECT *rect) {
  if (rect == nullptr)
    return "null";
  return Dec(rect->left) + "," + Dec(rect->top) + "," + Dec(rect->right) + "," +
         Dec(rect->bottom);
}

std::string ModeText(const DEVMODEA *mode) {
  if (mode == nullptr)
    return "null";
  auto field = [mode](DWORD flag, DWORD value) {
    return (mode->dmFields & flag) ? Dec(value) : std::string("-");
  };
  return field(DM_PELSWIDTH, mode->dmPelsWidth) + "x" +
         field(DM_PELSHEIGHT, mode->dmPelsHeight) + "x" +
         field(DM_BITSPERPEL, mode->dmBitsPerPel);
}

} // namespace

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  return platform::CallProcedure(FindWindow(handle), handle, message, wParam,
                                 lParam);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Messages().queue.Post(window, message, wParam, lParam, 0);
}

namespace {
void SetActivation(HWND handle, bool active, bool minimised) {
  platform::ChangeActivation(FindWindow(handle), handle, active, minimised);
}
} // namespace

bool DestroyWindowNow(HWND handle) {
  if (FindWindow(handle) == nullptr)
    return false;
  ForgetWindowGl(handle);
  Messages().queue.DropFor(handle);
  if (S().focus == handle)
    S().focus = nullptr;
  S().windows.Remove(handle);
  return true;
}

BOOL ShowWindowNow(HWND handle, int showCommand) {
  return platform::ShowRecord(FindWindow(handle), handle, showCommand,
                              &S().focus);
}

namespace {

int DefaultAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
  case MB_YESNO:
  case MB_YESNOCANCEL:
    return IDYES;
  default:
    return IDOK;
  }
}

} // namespace

void Record(const char *name, std::vector<std::string> args) {
  S().calls.push_back({name, std::move(args)});
}

bool ShouldFail(const char *name) {
  auto &failures = S().failures;
  const auto it = failures.find(name);
  if (it == failures.end())
    return false;
  if (it->second > 0 && --it->second == 0)
    failures.erase(it);
  return true;
}

std::string Handle(const void *handle) {
  if (handle == nullptr)
    return "null";
  if (handle == INVALID_HANDLE_VALUE)
    return "invalid";
  const UINT_PTR serial = platform::SerialOf(handle);
  switch (platform::KindOf(handle)) {
  case platform::HandleKind::Window:
    return "hwnd" + Dec(serial);
  case platform::HandleKind::DeviceContext:
    return "hdc" + Dec(serial);
  case platform::HandleKind::RenderingContext:
    return "hglrc" + Dec(serial);
  case platform::HandleKind::File:
    return "file" + Dec(serial);
  case platform::HandleKind::Mapping:
    return "mapping" + Dec(serial);
  case platform::HandleKind::Module:
    return "hinstance" + Dec(serial);
  case platform::HandleKind::Icon:
    return "hicon" + Dec(serial);
  case platform::HandleKind::Cursor:
    return "hcursor" + Dec(serial);
  default:
    return "ptr";
  }
}

MessageState &Messages() {
  return S().messages;
}

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

std::string Dec(long long value) {
  return std::to_string(value);
}

std::string Text(const char *text) {
  return text == nullptr ? "null" : text;
}

Window *FindWindow(HWND window) {
  return S().windows.Find(window);
}

} // namespace scripted_detail

using namespace scripted_detail;

// ---- the control API --------------------------------------------------------

namespace scripted {

void Reset() {
  ResetGl();
  ResetFolders();
  State &s = S();
  s = State();
}

const std::vector<Call> &Calls() {
  return S().calls;
}

void ClearCalls() {
  S().calls.clear();
}

std::vector<std::string> CallNames() {
  std::vector<std::string> names;
  for (const Call &call : S().calls)
    names.push_back(call.name);
  return names;
}

void QueueMessageBoxAnswer(int id) {
  S().answers.push_back(id);
}

const std::vector<MessageBoxRecord> &MessageBoxes() {
  return S().boxes;
}

void FailCall(const std::string &name, int times) {
  if (times == 0) {
    S().failures.erase(name);
    return;
  }
  S().failures[name] = times < 0 ? -1 : times;
}

void FailProcAddress(const std::string &glName) {
  SetFailingProcAddress(glName);
}

void SetBeforeSwapHook(std::function<void()> hook) {
  SetBeforeSwap(std::move(hook));
}

void OfferDisplayMode(int width, int height, int bits) {
  S().offeredModes.push_back({width, height, bits});
}

std::string WindowTitle() {
  const Window *window = FindWindow(S().lastWindow);
  return window != nullptr ? window->title : S().lastTitle;
}

bool CursorVisible() {
  return S().cursorCount >= 0;
}
bool DisplayModeChanged() {
  return S().modeChanged;
}
int LiveWindows() {
  return S().windows.Size();
}
int RegisteredClasses() {
  return S().classes.Count();
}
int LiveContexts() {
  return LiveContextCount();
}
bool ContextCurrent() {
  return AnyContextCurrent();
}

} // namespace scripted

// ---- user32: windows
// ---------------------------------------------------------

HINSTANCE GetModuleHandleA(LPCSTR moduleName) {
  Record("GetModuleHandleA", {Text(moduleName)});
  if (ShouldFail("GetModuleHandleA"))
    return nullptr;
  return platform::ModuleHandle(moduleName);
}

namespace {
template <typename H>
H LoadSystemResource(const char *name, platform::HandleKind kind,
                     HINSTANCE instance, LPCSTR resource) {
  Record(name, {Handle(instance), NameOrResource(resource)});
  if (ShouldFail(name))
    return nullptr;
  return platform::SystemResource<H>(kind, instance, resource);
}
} // namespace

HICON LoadIconA(HINSTANCE instance, LPCSTR iconName) {
  return LoadSystemResource<HICON>("LoadIconA", platform::HandleKind::Icon,
                                   instance, iconName);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
  return LoadSystemResource<HCURSOR>(
      "LoadCursorA", platform::HandleKind::Cursor, instance, cursorName);
}

ATOM RegisterClassA(const WNDCLASSA *wc) {
  if (wc == nullptr) {
    Record("RegisterClassA", {"null"});
    return 0;
  }
  Record("RegisterClassA",
         {NameOrResource(wc->lpszClassName), Hex(wc->style),
          wc->lpfnWndProc ? "proc" : "null", Handle(wc->hInstance),
          Handle(wc->hIcon), Handle(wc->hCursor)});
  if (ShouldFail("RegisterClassA"))
    return 0;
  return S().classes.Register(wc);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  Record("UnregisterClassA", {NameOrResource(className), Handle(instance)});
  if (ShouldFail("UnregisterClassA"))
    return FALSE;
  return S().classes.Unregister(className, S().windows) ? TRUE : FALSE;
}

BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD exStyle) {
  Record("AdjustWindowRectEx",
         {RectText(rect), Hex(style), Dec(menu), Hex(exStyle)});
  if (ShouldFail("AdjustWindowRectEx") || rect == nullptr)
    return FALSE;
  platform::AddFrame(rect, platform::FrameFor(style, menu != FALSE));
  return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                     DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  Record("CreateWindowExA",
         {Hex(exStyle), NameOrResource(className), Text(windowName), Hex(style),
          Dec(x), Dec(y), Dec(width), Dec(height), Handle(parent), Handle(menu),
          Handle(instance), param ? "ptr" : "null"});
  if (ShouldFail("CreateWindowExA") || parent != nullptr)
    return nullptr;
  const platform::WindowClasses::Entry *cls = S().classes.Find(className);
  if (cls == nullptr)
    return nullptr;
  auto window = std::make_unique<Window>();
  platform::InitWindowRecord(window.get(), *cls, windowName, style, exStyle,
                             width, height,
                             platform::FrameFor(style, menu != nullptr));
  const int clientWidth = window->clientWidth;
  const int clientHeight = window->clientHeight;
  S().lastTitle = window->title;
  const HWND handle = S().windows.Add<HWND>(std::move(window));
  S().lastWindow = handle;
  Send(handle, WM_SIZE, SIZE_RESTORED, MAKELONG(clientWidth, clientHeight));
  if (FindWindow(handle) != nullptr && (style & WS_VISIBLE))
    ShowWindowNow(handle, SW_SHOW);
  return FindWindow(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND window) {
  Record("DestroyWindow", {Handle(window)});
  if (ShouldFail("DestroyWindow"))
    return FALSE;
  return DestroyWindowNow(window) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int showCommand) {
  Record("ShowWindow", {Handle(window), Dec(showCommand)});
  if (ShouldFail("ShowWindow"))
    return FALSE;
  return ShowWindowNow(window, showCommand);
}

BOOL SetForegroundWindow(HWND handle) {
  Record("SetForegroundWindow", {Handle(handle)});
  Window *window = FindWindow(handle);
  if (ShouldFail("SetForegroundWindow") || window == nullptr)
    return FALSE;
  SetActivation(handle, true, window->minimised);
  return TRUE;
}

HWND SetFocus(HWND handle) {
  Record("SetFocus", {Handle(handle)});
  if (ShouldFail("SetFocus"))
    return nullptr;
  return platform::MoveFocus(handle, FindWindow(handle), &S().focus);
}

HWND GetFocus() {
  Record("GetFocus", {});
  if (ShouldFail("GetFocus"))
    return nullptr;
  return S().focus;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
  Record("SetWindowTextA", {Handle(handle), Text(text)});
  Window *window = FindWindow(handle);
  if (ShouldFail("SetWindowTextA") || window == nullptr)
    return FALSE;
  window->title = text == nullptr ? "" : text;
  if (handle == S().lastWindow)
    S().lastTitle = window->title;
  return TRUE;
}

int ShowCursor(BOOL show) {
  Record("ShowCursor", {Dec(show)});
  S().cursorCount += show ? 1 : -1;
  return S().cursorCount;
}

LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  Record("ChangeDisplaySettingsA", {ModeText(mode), Hex(flags)});
  if (ShouldFail("ChangeDisplaySettingsA"))
    return DISP_CHANGE_FAILED;
  if (mode == nullptr) {
    S().modeChanged = false;
    return DISP_CHANGE_SUCCESSFUL;
  }
  for (const platform::DisplayMode &offered : S().offeredModes) {
    const bool width = !(mode->dmFields & DM_PELSWIDTH) ||
                       static_cast<int>(mode->dmPelsWidth) == offered.width;
    const bool height = !(mode->dmFields & DM_PELSHEIGHT) ||
                        static_cast<int>(mode->dmPelsHeight) == offered.height;
    const bool bits = !(mode->dmFields & DM_BITSPERPEL) ||
                      static_cast<int>(mode->dmBitsPerPel) == offered.bits;
    if (width && height && bits) {
      if (!(flags & platform::kChangeTestOnly))
        S().modeChanged = true;
      return DISP_CHANGE_SUCCESSFUL;
    }
  }
  return DISP_CHANGE_BADMODE;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  Record("MessageBoxA", {Handle(owner), Text(text), Text(caption), Hex(type)});
  int answer = 0;
  if (!ShouldFail("MessageBoxA")) {
    if (S().answers.empty()) {
      answer = DefaultAnswer(type);
    } else {
      answer = S().answers.front();
      S().answers.pop_front();
    }
  }
  S().boxes.push_back({Handle(owner), text == nullptr ? "" : text,
                       caption == nullptr ? "" : caption, type, answer});
  return answer;
}
