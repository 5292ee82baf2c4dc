// The scripted twin's GL half: device contexts and pixel formats are
// recorded and checked like the SDL layer's, while every rendering context is
// real: an SDL GL context on its own hidden window of the offscreen driver,
// sized to the game window's client area and made with the chosen pixel
// format. SDL's video is started once for the process and never shut down
// (see sdl_platform.h for why the GL library stays loaded).
#include "platform/scripted/scripted_internal.h"

#include "platform/gl_flavour.h"
#include "platform/handle_table.h"
#include "platform/pixel_format.h"
#include "platform/sdl_gl_context.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

namespace scripted_detail {
namespace {

struct RenderingContext {
  SDL_Window *surface = nullptr; // hidden, the context's drawable
  SDL_GLContext context = nullptr;
  HWND window = nullptr;
  ~RenderingContext() {
    if (context != nullptr) {
      platform::ForgetGlContext(context);
      SDL_GL_DeleteContext(context);
    }
    if (surface != nullptr)
      SDL_DestroyWindow(surface);
  }
};

struct GlState {
  platform::DeviceContexts dcs;
  platform::HandleTable<RenderingContext> rcs{
      platform::HandleKind::RenderingContext};
  HGLRC current = nullptr;
  std::set<std::string> failingProcs;
  std::function<void()> beforeSwap;
};

GlState &G() {
  static GlState state;
  return state;
}

bool StartVideo() {
  static int started = -1;
  if (started < 0) {
    // Tests run without a display; the offscreen driver renders with EGL.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 ? 1 : 0;
    if (started == 0) {
      std::fprintf(stderr, "scripted platform: no SDL video: %s\n",
                   SDL_GetError());
    } else if (SDL_GL_LoadLibrary(nullptr) != 0) {
      std::fprintf(stderr, "scripted platform: no GL: %s\n", SDL_GetError());
    }
  }
  return started == 1;
}

Window *WindowOfDc(HDC deviceContext) {
  return FindWindow(G().dcs.WindowOf(deviceContext));
}

void Release() {
  if (G().current != nullptr) {
    SDL_GL_MakeCurrent(nullptr, nullptr);
    G().current = nullptr;
  }
}

std::vector<std::string> DescriptorArgs(HDC dc,
                                        const PIXELFORMATDESCRIPTOR *pfd) {
  if (pfd == nullptr)
    return {Handle(dc), "null"};
  return {Handle(dc), Hex(pfd->dwFlags), Dec(pfd->cColorBits),
          Dec(pfd->cDepthBits)};
}

} // namespace

void ForgetWindowGl(HWND handle) {
  G().dcs.Forget(FindWindow(handle));
}

void ResetGl() {
  Release();
  GlState &g = G();
  g.rcs.Clear(); // deletes the contexts and their windows
  g.dcs.Clear();
  g.failingProcs.clear();
  g.beforeSwap = nullptr;
}

void SetFailingProcAddress(const std::string &name) {
  G().failingProcs.insert(name);
}

void SetBeforeSwap(std::function<void()> hook) {
  G().beforeSwap = std::move(hook);
}

int LiveContextCount() {
  return G().rcs.Size();
}
bool AnyContextCurrent() {
  return G().current != nullptr;
}

} // namespace scripted_detail

using namespace scripted_detail;

HDC GetDC(HWND handle) {
  Record("GetDC", {Handle(handle)});
  Window *window = FindWindow(handle);
  if (ShouldFail("GetDC") || window == nullptr)
    return nullptr;
  return G().dcs.For(window, handle);
}

int ReleaseDC(HWND handle, HDC deviceContext) {
  Record("ReleaseDC", {Handle(handle), Handle(deviceContext)});
  if (ShouldFail("ReleaseDC"))
    return 0;
  const HWND owner = G().dcs.WindowOf(deviceContext);
  return owner != nullptr && owner == handle ? 1 : 0;
}

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR *pfd) {
  Record("ChoosePixelFormat", DescriptorArgs(deviceContext, pfd));
  if (ShouldFail("ChoosePixelFormat") || WindowOfDc(deviceContext) == nullptr ||
      pfd == nullptr)
    return 0;
  return platform::ChooseFormat(*pfd);
}

BOOL SetPixelFormat(HDC deviceContext, int format,
                    const PIXELFORMATDESCRIPTOR *pfd) {
  auto args = DescriptorArgs(deviceContext, pfd);
  args.insert(args.begin() + 1, Dec(format));
  Record("SetPixelFormat", std::move(args));
  Window *window = WindowOfDc(deviceContext);
  if (ShouldFail("SetPixelFormat") || window == nullptr ||
      platform::PixelFormatAt(format) == nullptr || window->pixelFormat != 0)
    return FALSE; // a window's pixel format is set once
  window->pixelFormat = format;
  return TRUE;
}

HGLRC wglCreateContext(HDC deviceContext) {
  Record("wglCreateContext", {Handle(deviceContext)});
  Window *window = WindowOfDc(deviceContext);
  if (ShouldFail("wglCreateContext") || window == nullptr ||
      window->pixelFormat == 0 || !StartVideo())
    return nullptr;
  platform::ApplyGlAttributes(*platform::PixelFormatAt(window->pixelFormat));
  auto rc = std::make_unique<RenderingContext>();
  rc->window = G().dcs.WindowOf(deviceContext);
  rc->surface = SDL_CreateWindow(
      "scripted", 0, 0, std::max(window->clientWidth, 1),
      std::max(window->clientHeight, 1), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (rc->surface == nullptr) {
    std::fprintf(stderr, "scripted platform: %s\n", SDL_GetError());
    return nullptr;
  }
  rc->context = platform::CreateContextKeepingCurrent(rc->surface);
  if (rc->context == nullptr) {
    std::fprintf(stderr, "scripted platform: %s\n", SDL_GetError());
    return nullptr;
  }
  return G().rcs.Add<HGLRC>(std::move(rc));
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext) {
  Record("wglMakeCurrent", {Handle(deviceContext), Handle(renderingContext)});
  if (ShouldFail("wglMakeCurrent"))
    return FALSE;
  if (renderingContext == nullptr) {
    Release();
    return TRUE;
  }
  const Window *window = WindowOfDc(deviceContext);
  const RenderingContext *rc = G().rcs.Find(renderingContext);
  if (window == nullptr || rc == nullptr || window->pixelFormat == 0)
    return FALSE;
  if (SDL_GL_MakeCurrent(rc->surface, rc->context) != 0)
    return FALSE;
  G().current = renderingContext;
  return TRUE;
}

BOOL wglDeleteContext(HGLRC renderingContext) {
  Record("wglDeleteContext", {Handle(renderingContext)});
  if (ShouldFail("wglDeleteContext") ||
      G().rcs.Find(renderingContext) == nullptr)
    return FALSE;
  if (G().current == renderingContext)
    Release();
  G().rcs.Remove(renderingContext);
  return TRUE;
}

PROC wglGetProcAddress(LPCSTR name) {
  Record("wglGetProcAddress", {Text(name)});
  if (ShouldFail("wglGetProcAddress") || name == nullptr ||
      G().current == nullptr || G().failingProcs.count(name) != 0)
    return nullptr;
  return reinterpret_cast<PROC>(platform::GlProcAddress(name));
}

BOOL SwapBuffers(HDC deviceContext) {
  Record("SwapBuffers", {Handle(deviceContext)});
  const HWND owner = G().dcs.WindowOf(deviceContext);
  const Window *window = FindWindow(owner);
  if (ShouldFail("SwapBuffers") || window == nullptr ||
      window->pixelFormat == 0)
    return FALSE;
  const std::function<void()> hook = G().beforeSwap;
  if (hook)
    hook();
  // The current context's drawable, when it belongs to this window.
  const RenderingContext *rc = G().rcs.Find(G().current);
  if (rc != nullptr && rc->window == owner)
    SDL_GL_SwapWindow(rc->surface);
  return TRUE;
}
