// The scripted twin's Win32 names: each call is recorded with its arguments
// (see scripted.h for the format), may be made to fail, and then goes to
// the shared emulation. Message boxes, key states and the idle and
// before-swap hooks come from the script.
#include "platform/scripted/scripted_internal.h"

using namespace scripted_detail;

namespace {

std::string NameOrResource(LPCSTR name) {
  const auto id = reinterpret_cast<UINT_PTR>(name);
  if (name != nullptr && id <= 0xFFFF)
    return "#" + Dec(static_cast<long long>(id));
  return Text(name);
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

std::vector<std::string> DescriptorArgs(HDC dc,
                                        const PIXELFORMATDESCRIPTOR *pfd) {
  if (pfd == nullptr)
    return {Handle(dc), "null"};
  return {Handle(dc), Hex(pfd->dwFlags), Dec(pfd->cColorBits),
          Dec(pfd->cDepthBits)};
}

} // namespace

// ---- user32: windows --------------------------------------------------------

HINSTANCE GetModuleHandleA(LPCSTR moduleName) {
  Record("GetModuleHandleA", {Text(moduleName)});
  if (ShouldFail("GetModuleHandleA"))
    return nullptr;
  return emulation::GetModuleHandleA(moduleName);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR iconName) {
  Record("LoadIconA", {Handle(instance), NameOrResource(iconName)});
  if (ShouldFail("LoadIconA"))
    return nullptr;
  return emulation::LoadIconA(instance, iconName);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
  Record("LoadCursorA", {Handle(instance), NameOrResource(cursorName)});
  if (ShouldFail("LoadCursorA"))
    return nullptr;
  return emulation::LoadCursorA(instance, cursorName);
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
  return emulation::RegisterClassA(wc);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  Record("UnregisterClassA", {NameOrResource(className), Handle(instance)});
  if (ShouldFail("UnregisterClassA"))
    return FALSE;
  return emulation::UnregisterClassA(className);
}

BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD exStyle) {
  Record("AdjustWindowRectEx",
         {RectText(rect), Hex(style), Dec(menu), Hex(exStyle)});
  if (ShouldFail("AdjustWindowRectEx"))
    return FALSE;
  return emulation::AdjustWindowRectEx(rect, style, menu);
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                     DWORD style, int x, int y, int width, int height,
                     HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  Record("CreateWindowExA",
         {Hex(exStyle), NameOrResource(className), Text(windowName), Hex(style),
          Dec(x), Dec(y), Dec(width), Dec(height), Handle(parent), Handle(menu),
          Handle(instance), param ? "ptr" : "null"});
  if (ShouldFail("CreateWindowExA"))
    return nullptr;
  const HWND window = emulation::CreateWindowExA(
      className, windowName, style, x, y, width, height, parent, menu);
  if (window != nullptr)
    NoteWindow(window);
  return window;
}

BOOL DestroyWindow(HWND window) {
  Record("DestroyWindow", {Handle(window)});
  if (ShouldFail("DestroyWindow"))
    return FALSE;
  return emulation::DestroyWindow(window);
}

BOOL ShowWindow(HWND window, int showCommand) {
  Record("ShowWindow", {Handle(window), Dec(showCommand)});
  if (ShouldFail("ShowWindow"))
    return FALSE;
  return emulation::ShowWindow(window, showCommand);
}

BOOL SetForegroundWindow(HWND window) {
  Record("SetForegroundWindow", {Handle(window)});
  if (ShouldFail("SetForegroundWindow"))
    return FALSE;
  return emulation::SetForegroundWindow(window);
}

HWND SetFocus(HWND window) {
  Record("SetFocus", {Handle(window)});
  if (ShouldFail("SetFocus"))
    return nullptr;
  return emulation::SetFocus(window);
}

HWND GetFocus() {
  Record("GetFocus", {});
  if (ShouldFail("GetFocus"))
    return nullptr;
  return emulation::GetFocus();
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
  Record("SetWindowTextA", {Handle(window), Text(text)});
  if (ShouldFail("SetWindowTextA") || !emulation::SetWindowTextA(window, text))
    return FALSE;
  NoteTitle(window, text == nullptr ? "" : text);
  return TRUE;
}

int ShowCursor(BOOL show) {
  Record("ShowCursor", {Dec(show)});
  const int count = emulation::ShowCursor(show);
  NoteCursor(count);
  return count;
}

LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  Record("ChangeDisplaySettingsA", {ModeText(mode), Hex(flags)});
  if (ShouldFail("ChangeDisplaySettingsA"))
    return DISP_CHANGE_FAILED;
  return emulation::ChangeDisplaySettingsA(mode, flags);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  Record("MessageBoxA", {Handle(owner), Text(text), Text(caption), Hex(type)});
  const int answer = ShouldFail("MessageBoxA") ? 0 : NextAnswer(type);
  NoteMessageBox({Handle(owner), text == nullptr ? "" : text,
                  caption == nullptr ? "" : caption, type, answer});
  return answer;
}

// ---- user32: messages and keys ----------------------------------------------

BOOL PeekMessageA(MSG *msg, HWND window, UINT filterMin, UINT filterMax,
                  UINT removeMessage) {
  Record("PeekMessageA",
         {Handle(window), Hex(filterMin), Hex(filterMax), Hex(removeMessage)});
  if (ShouldFail("PeekMessageA") || msg == nullptr)
    return FALSE;
  if (emulation::PeekMessageA(msg, removeMessage, 0))
    return TRUE;
  // A copy: the hook may replace itself.
  const std::function<void()> hook = IdleHook();
  if (hook)
    hook();
  return FALSE;
}

BOOL TranslateMessage(const MSG *msg) {
  Record("TranslateMessage", {msg ? Hex(msg->message) : "null"});
  if (ShouldFail("TranslateMessage"))
    return FALSE;
  return emulation::TranslateMessage(msg);
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
  return emulation::DispatchMessageA(msg);
}

void PostQuitMessage(int exitCode) {
  Record("PostQuitMessage", {Dec(exitCode)});
  emulation::PostQuitMessage(exitCode);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam,
                       LPARAM lParam) {
  Record("DefWindowProcA",
         {Handle(window), Hex(message), Dec(wParam), Dec(lParam)});
  return emulation::DefWindowProcA(window, message, wParam);
}

SHORT GetKeyState(int virtualKey) {
  Record("GetKeyState", {Dec(virtualKey)});
  if (ShouldFail("GetKeyState"))
    return 0;
  return static_cast<SHORT>(KeyDown(virtualKey) ? 0xFF80 : 0);
}

// ---- gdi32 and WGL ----------------------------------------------------------

HDC GetDC(HWND window) {
  Record("GetDC", {Handle(window)});
  if (ShouldFail("GetDC"))
    return nullptr;
  return emulation::GetDC(window);
}

int ReleaseDC(HWND window, HDC deviceContext) {
  Record("ReleaseDC", {Handle(window), Handle(deviceContext)});
  if (ShouldFail("ReleaseDC"))
    return 0;
  return emulation::ReleaseDC(window, deviceContext);
}

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR *pfd) {
  Record("ChoosePixelFormat", DescriptorArgs(deviceContext, pfd));
  if (ShouldFail("ChoosePixelFormat"))
    return 0;
  return emulation::ChoosePixelFormat(deviceContext, pfd);
}

BOOL SetPixelFormat(HDC deviceContext, int format,
                    const PIXELFORMATDESCRIPTOR *pfd) {
  auto args = DescriptorArgs(deviceContext, pfd);
  args.insert(args.begin() + 1, Dec(format));
  Record("SetPixelFormat", std::move(args));
  if (ShouldFail("SetPixelFormat"))
    return FALSE;
  return emulation::SetPixelFormat(deviceContext, format);
}

HGLRC wglCreateContext(HDC deviceContext) {
  Record("wglCreateContext", {Handle(deviceContext)});
  if (ShouldFail("wglCreateContext"))
    return nullptr;
  return emulation::wglCreateContext(deviceContext);
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext) {
  Record("wglMakeCurrent", {Handle(deviceContext), Handle(renderingContext)});
  if (ShouldFail("wglMakeCurrent"))
    return FALSE;
  return emulation::wglMakeCurrent(deviceContext, renderingContext);
}

BOOL wglDeleteContext(HGLRC renderingContext) {
  Record("wglDeleteContext", {Handle(renderingContext)});
  if (ShouldFail("wglDeleteContext"))
    return FALSE;
  return emulation::wglDeleteContext(renderingContext);
}

PROC wglGetProcAddress(LPCSTR name) {
  Record("wglGetProcAddress", {Text(name)});
  if (ShouldFail("wglGetProcAddress") ||
      (name != nullptr && ProcAddressWithheld(name)))
    return nullptr;
  return emulation::wglGetProcAddress(name);
}

BOOL SwapBuffers(HDC deviceContext) {
  Record("SwapBuffers", {Handle(deviceContext)});
  if (ShouldFail("SwapBuffers"))
    return FALSE;
  return emulation::SwapBuffers(deviceContext);
}
