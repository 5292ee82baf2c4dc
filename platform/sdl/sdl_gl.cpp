// Device contexts, pixel formats and GL rendering contexts over SDL2: one
// device context per window (as a class with its own DC gives), pixel formats
// from the shared table put into SDL's GL attributes, compatibility-profile
// contexts (no profile asked for, so Mesa gives its highest compatibility
// version with the legacy pipeline and the ARB extensions), swaps with vsync
// where the driver offers it. Lacks: screen DCs, memory DCs, layer planes,
// sharing lists, DescribePixelFormat.
#include "platform/sdl/sdl_platform.h"

#include "platform/gl_flavour.h"
#include "platform/handle_table.h"
#include "platform/sdl_gl_context.h"

#include <memory>

namespace sdl_platform {
namespace {

struct RenderingContext {
  SDL_GLContext context;
  HWND window; // the window whose DC it was made on
};

platform::DeviceContexts &DeviceContexts() {
  static platform::DeviceContexts table;
  return table;
}

platform::HandleTable<RenderingContext> &RenderingContexts() {
  static platform::HandleTable<RenderingContext> table(
      platform::HandleKind::RenderingContext);
  return table;
}

HGLRC current = nullptr;

Window *WindowOfDc(HDC deviceContext) {
  return FindWindow(DeviceContexts().WindowOf(deviceContext));
}

} // namespace

void ForgetWindowGl(HWND handle) {
  DeviceContexts().Forget(FindWindow(handle));
}

} // namespace sdl_platform

using namespace sdl_platform;

HDC GetDC(HWND handle) {
  Window *window = FindWindow(handle);
  if (window == nullptr)
    return nullptr; // the screen's DC is not offered
  return DeviceContexts().For(window, handle);
}

int ReleaseDC(HWND handle, HDC deviceContext) {
  // A window's own DC stays valid until the window goes; releasing it only
  // checks that it is that window's.
  const HWND owner = DeviceContexts().WindowOf(deviceContext);
  return owner != nullptr && owner == handle ? 1 : 0;
}

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR *pfd) {
  if (WindowOfDc(deviceContext) == nullptr || pfd == nullptr)
    return 0;
  return platform::ChooseFormat(*pfd);
}

BOOL SetPixelFormat(HDC deviceContext, int format,
                    const PIXELFORMATDESCRIPTOR *) {
  Window *window = WindowOfDc(deviceContext);
  const platform::PixelFormat *chosen = platform::PixelFormatAt(format);
  if (window == nullptr || chosen == nullptr || window->pixelFormat != 0)
    return FALSE; // a window's pixel format is set once
  const platform::PixelFormat &had = window->sdlFormat;
  const bool same = had.doubleBuffer == chosen->doubleBuffer &&
                    had.colourBits == chosen->colourBits &&
                    had.alphaBits == chosen->alphaBits &&
                    had.depthBits == chosen->depthBits &&
                    had.stencilBits == chosen->stencilBits;
  // No context exists on the window yet, so a new SDL window is unseen.
  if (!same && !MakeSdlWindow(window, *chosen))
    return FALSE;
  window->pixelFormat = format;
  return TRUE;
}

HGLRC wglCreateContext(HDC deviceContext) {
  Window *window = WindowOfDc(deviceContext);
  if (window == nullptr || window->pixelFormat == 0)
    return nullptr;
  platform::ApplyGlAttributes(window->sdlFormat);
  SDL_GLContext context = platform::CreateContextKeepingCurrent(window->sdl);
  if (context == nullptr)
    return nullptr;
  return RenderingContexts().Add<HGLRC>(std::make_unique<RenderingContext>(
      RenderingContext{context, DeviceContexts().WindowOf(deviceContext)}));
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext) {
  if (renderingContext == nullptr) {
    SDL_GL_MakeCurrent(nullptr, nullptr);
    current = nullptr;
    return TRUE;
  }
  Window *window = WindowOfDc(deviceContext);
  const RenderingContext *rc = RenderingContexts().Find(renderingContext);
  if (window == nullptr || rc == nullptr || window->pixelFormat == 0)
    return FALSE;
  if (SDL_GL_MakeCurrent(window->sdl, rc->context) != 0)
    return FALSE;
  current = renderingContext;
  // The game advances one step per frame: without vsync it would run at
  // thousands of steps a second. Drivers without it just swap at once.
  SDL_GL_SetSwapInterval(1);
  return TRUE;
}

BOOL wglDeleteContext(HGLRC renderingContext) {
  const RenderingContext *rc = RenderingContexts().Find(renderingContext);
  if (rc == nullptr)
    return FALSE;
  if (current == renderingContext) {
    SDL_GL_MakeCurrent(nullptr, nullptr);
    current = nullptr;
  }
  platform::ForgetGlContext(rc->context);
  SDL_GL_DeleteContext(rc->context);
  RenderingContexts().Remove(renderingContext);
  return TRUE;
}

PROC wglGetProcAddress(LPCSTR name) {
  if (name == nullptr || current == nullptr)
    return nullptr; // entry points belong to a current context
  return reinterpret_cast<PROC>(platform::GlProcAddress(name));
}

BOOL SwapBuffers(HDC deviceContext) {
  Window *window = WindowOfDc(deviceContext);
  if (window == nullptr || window->pixelFormat == 0)
    return FALSE;
  SDL_GL_SwapWindow(window->sdl);
  return TRUE;
}
