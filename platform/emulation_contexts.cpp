// The shared emulation's contexts, pixel formats and swaps: one device
// context per window (as a class with its own DC gives; its handle carries
// the window's serial), pixel formats from the shared table (a surface is
// remade when the chosen format differs from the one it was made for: its GL
// buffer layout is fixed when it is made), the rendering-context table and
// its checks over the face's contexts, and swaps, where a window that is not
// shown waits one refresh interval so that an idle minimised game does not
// spin, and every swap keeps the pace of at most 60 passes a second. Lacks:
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
  TheFace().makeCurrent(nullptr, nullptr);
  Shared().current = nullptr;
  Shared().currentWindow = nullptr;
}

} // namespace

bool RemakeSurface(HWND handle, const platform::PixelFormat &format) {
  State &s = Shared();
  Window *window = FindWindow(handle);
  if (window == nullptr || !TheFace().makeSurface(window, format))
    return false;
  // A context drawing to the old surface draws to the new one.
  const RenderingContext *rc = s.contexts.Find(s.current);
  if (rc != nullptr && s.currentWindow == handle)
    TheFace().makeCurrent(window, rc->context);
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
  if (TheFace().calling("ChoosePixelFormat",
                        [&] { return DescriptorArgs(deviceContext, pfd); }) ||
      WindowOfDc(deviceContext) == nullptr || pfd == nullptr)
    return 0;
  return platform::ChooseFormat(*pfd);
}

BOOL SetPixelFormat(HDC deviceContext, int format,
                    const PIXELFORMATDESCRIPTOR *pfd) {
  Window *window = WindowOfDc(deviceContext);
  const platform::PixelFormat *chosen = platform::PixelFormatAt(format);
  if (TheFace().calling("SetPixelFormat",
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
  face::Context *context = TheFace().createContext(window);
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
      !TheFace().makeCurrent(const_cast<Window *>(window), rc->context))
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
  TheFace().deleteContext(rc->context);
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
  return TheFace().swapInterval(interval) ? TRUE : FALSE;
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
  return TheFace().procAddress(name);
}

BOOL SwapBuffers(HDC deviceContext) {
  Window *window = WindowOfDc(deviceContext);
  if (Calling("SwapBuffers", deviceContext) || window == nullptr ||
      window->pixelFormat == 0)
    return FALSE;
  if (!window->visible || window->minimised)
    TheFace().waitRefresh(window); // nothing on screen to wait for
  TheFace().swapSurface(window);
  // The one place the game's pace is kept: a pass is a swap.
  const double now = TheFace().now();
  const double start = pace::NextPassStart(&Shared().pace, now);
  if (start > now)
    TheFace().waitUntil(start);
  return TRUE;
}
