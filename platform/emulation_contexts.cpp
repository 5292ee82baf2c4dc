// The shared emulation's GL half and display modes: one device context per
// window (as a class with its own DC gives; its handle carries the window's
// serial), pixel formats from the shared table (a surface is remade when the
// chosen format differs from the one it was made for: its GL buffer layout is
// fixed when it is made), the rendering-context table and its checks over the
// face's contexts, and swaps, where a window that is not shown waits one
// refresh interval so that an idle minimised game does not spin, and every
// swap keeps the pace of at most 60 passes a second. Lacks:
// screen and memory DCs, layer planes, sharing lists, DescribePixelFormat.
#include "platform/emulation_state.h"

#include <cstring>
#include <memory>

namespace emulation {
namespace {

// The window a device context's serial names, whatever became of it.
HWND WindowHandleOf(HDC deviceContext) {
  return platform::MakeHandle<HWND>(platform::HandleKind::Window,
                                    platform::SerialOf(deviceContext));
}

Window *WindowOfDc(HDC deviceContext) {
  if (platform::KindOf(deviceContext) != platform::HandleKind::DeviceContext)
    return nullptr;
  Window *window = FindWindow(WindowHandleOf(deviceContext));
  return window != nullptr && window->deviceContext == deviceContext ? window
                                                                     : nullptr;
}

void Release() {
  face::MakeCurrent(nullptr, nullptr);
  Shared().current = nullptr;
  Shared().currentWindow = nullptr;
}

} // namespace

void ResetAll() {
  State &s = Shared();
  Release();
  for (auto &entry : s.contexts.Items())
    face::DeleteContext(entry.second->context);
  for (auto &entry : s.windows.Items())
    face::DestroySurface(entry.second.get());
  s = State();
}

bool RemakeSurface(HWND handle, const platform::PixelFormat &format) {
  State &s = Shared();
  Window *window = FindWindow(handle);
  if (window == nullptr || !face::MakeSurface(window, format))
    return false;
  // A context drawing to the old surface draws to the new one.
  const RenderingContext *rc = s.contexts.Find(s.current);
  if (rc != nullptr && s.currentWindow == handle)
    face::MakeCurrent(window, rc->context);
  return true;
}

} // namespace emulation

// ---- the Win32 calls --------------------------------------------------------

using namespace emulation;

namespace {

CallArgs DescriptorArgs(HDC dc, const PIXELFORMATDESCRIPTOR *pfd) {
  if (pfd == nullptr)
    return {ArgText(dc), "null"};
  return {ArgText(dc), ArgText(Flags{pfd->dwFlags}), ArgText(pfd->cColorBits),
          ArgText(pfd->cDepthBits)};
}

} // namespace

LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  State &s = Shared();
  if (Calling("ChangeDisplaySettingsA", mode, Flags{flags}))
    return DISP_CHANGE_FAILED;
  if (mode == nullptr) {
    // Back to the desktop's own mode: full-screen windows become windows.
    s.modeChanged = false;
    for (auto &entry : s.windows.Items()) {
      if (entry.second->fullScreen) {
        entry.second->fullScreen = false;
        face::SetFullScreen(entry.second.get(), nullptr);
      }
    }
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!face::StartVideo())
    return DISP_CHANGE_FAILED;
  // The game names all three; a field left out matches no mode.
  const auto field = [mode](DWORD flag, DWORD value) {
    return (mode->dmFields & flag) ? static_cast<int>(value) : 0;
  };
  const DisplayMode wanted = {field(DM_PELSWIDTH, mode->dmPelsWidth),
                              field(DM_PELSHEIGHT, mode->dmPelsHeight),
                              field(DM_BITSPERPEL, mode->dmBitsPerPel)};
  DisplayMode offered = {};
  bool depthFixed = false;
  // Width and height exact, and the depth unless the display cannot change.
  if (!face::ClosestMode(wanted, &offered, &depthFixed) ||
      offered.width != wanted.width || offered.height != wanted.height ||
      (!depthFixed && offered.bits != wanted.bits))
    return DISP_CHANGE_BADMODE;
  constexpr DWORD kTestOnly = 0x00000002u; // CDS_TEST
  if (flags & kTestOnly)
    return DISP_CHANGE_SUCCESSFUL;
  s.modeChanged = true;
  s.changedMode = offered;
  for (auto &entry : s.windows.Items()) {
    if ((entry.second->style & WS_POPUP) && !entry.second->fullScreen) {
      entry.second->fullScreen = true;
      face::SetFullScreen(entry.second.get(), &s.changedMode);
    }
  }
  return DISP_CHANGE_SUCCESSFUL;
}

HDC GetDC(HWND handle) {
  Window *window = FindWindow(handle);
  if (Calling("GetDC", handle) || window == nullptr)
    return nullptr; // the screen's DC is not offered
  window->deviceContext = platform::MakeHandle<HDC>(
      platform::HandleKind::DeviceContext, platform::SerialOf(handle));
  return window->deviceContext;
}

int ReleaseDC(HWND handle, HDC deviceContext) {
  if (Calling("ReleaseDC", handle, deviceContext))
    return 0;
  // A window's own DC stays valid until the window goes; releasing it only
  // checks that it is that window's.
  const Window *owner = WindowOfDc(deviceContext);
  return owner != nullptr && owner == FindWindow(handle) ? 1 : 0;
}

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR *pfd) {
  if (face::Calling("ChoosePixelFormat",
                    [&] { return DescriptorArgs(deviceContext, pfd); }) ||
      WindowOfDc(deviceContext) == nullptr || pfd == nullptr)
    return 0;
  return platform::ChooseFormat(*pfd);
}

BOOL SetPixelFormat(HDC deviceContext, int format,
                    const PIXELFORMATDESCRIPTOR *pfd) {
  Window *window = WindowOfDc(deviceContext);
  const platform::PixelFormat *chosen = platform::PixelFormatAt(format);
  if (face::Calling("SetPixelFormat",
                    [&] {
                      CallArgs args = DescriptorArgs(deviceContext, pfd);
                      args.insert(args.begin() + 1, ArgText(format));
                      return args;
                    }) ||
      window == nullptr || chosen == nullptr || window->pixelFormat != 0)
    return FALSE; // a window's pixel format is set once
  // No context exists on the window yet, so a new surface is unseen.
  if (!platform::SameFormat(window->surfaceFormat, *chosen) &&
      !RemakeSurface(WindowHandleOf(deviceContext), *chosen))
    return FALSE;
  window->pixelFormat = format;
  return TRUE;
}

HGLRC wglCreateContext(HDC deviceContext) {
  Window *window = WindowOfDc(deviceContext);
  if (Calling("wglCreateContext", deviceContext) || window == nullptr ||
      window->pixelFormat == 0)
    return nullptr;
  face::Context *context = face::CreateContext(window);
  if (context == nullptr)
    return nullptr;
  return Shared().contexts.Add<HGLRC>(std::make_unique<RenderingContext>(
      RenderingContext{context, WindowHandleOf(deviceContext)}));
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext) {
  if (Calling("wglMakeCurrent", deviceContext, renderingContext))
    return FALSE;
  if (renderingContext == nullptr) {
    Release();
    return TRUE;
  }
  const Window *window = WindowOfDc(deviceContext);
  const RenderingContext *rc = Shared().contexts.Find(renderingContext);
  if (window == nullptr || rc == nullptr || window->pixelFormat == 0 ||
      !face::MakeCurrent(const_cast<Window *>(window), rc->context))
    return FALSE;
  Shared().current = renderingContext;
  Shared().currentWindow = WindowHandleOf(deviceContext);
  return TRUE;
}

BOOL wglDeleteContext(HGLRC renderingContext) {
  State &s = Shared();
  const RenderingContext *rc = s.contexts.Find(renderingContext);
  if (Calling("wglDeleteContext", renderingContext) || rc == nullptr)
    return FALSE;
  if (s.current == renderingContext)
    Release();
  face::DeleteContext(rc->context);
  s.contexts.Remove(renderingContext);
  return TRUE;
}

namespace {

// Vsync asked for the WGL way, answered by the face, so that the game asks
// as it does on Windows. Drivers without it just swap at once.
const char *ExtensionsString() {
  return "WGL_EXT_swap_control";
}

BOOL SwapInterval(int interval) {
  return face::SwapInterval(interval) ? TRUE : FALSE;
}

} // namespace

PROC wglGetProcAddress(LPCSTR name) {
  if (Calling("wglGetProcAddress", name) || name == nullptr ||
      Shared().current == nullptr)
    return nullptr; // entry points belong to a current context
  if (std::strcmp(name, "wglGetExtensionsStringEXT") == 0)
    return reinterpret_cast<PROC>(&ExtensionsString);
  if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
    return reinterpret_cast<PROC>(&SwapInterval);
  return face::ProcAddress(name);
}

BOOL SwapBuffers(HDC deviceContext) {
  Window *window = WindowOfDc(deviceContext);
  if (Calling("SwapBuffers", deviceContext) || window == nullptr ||
      window->pixelFormat == 0)
    return FALSE;
  if (!window->visible || window->minimised)
    face::WaitRefresh(window); // nothing on screen to wait for
  face::SwapSurface(window);
  // The one place the game's pace is kept: a pass is a swap.
  const double now = face::Now();
  const double start = pace::NextPassStart(&Shared().pace, now);
  if (start > now)
    face::WaitUntil(start);
  return TRUE;
}
