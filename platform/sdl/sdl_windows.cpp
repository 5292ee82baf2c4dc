// The SDL face: a game window's surface is an SDL window (hidden until shown,
// borderless for a pop-up, resizable with a sizing frame, full screen while a
// display mode is set), display modes are SDL's, and the Win32 names of
// windows and GL go to the shared emulation. Display depths: X11 and Wayland
// list only the desktop's own depth, which cannot change, so there any depth
// matches a listed size. Lacks: more than one display.
#include "platform/emulation.h"

#include "platform/sdl_gl_context.h"

#include <algorithm>

namespace {

// The SDL mode behind the mode ChangeDisplaySettingsA set last.
SDL_DisplayMode chosenMode = {};

int BitsOf(const SDL_DisplayMode &mode) {
  return static_cast<int>(SDL_BITSPERPIXEL(mode.format));
}

} // namespace

namespace face {

bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format) {
  platform::ApplyGlAttributes(format);
  Uint32 flags = SDL_WINDOW_OPENGL;
  if (!window->visible)
    flags |= SDL_WINDOW_HIDDEN;
  if (window->style & WS_POPUP)
    flags |= SDL_WINDOW_BORDERLESS;
  if (window->style & WS_THICKFRAME)
    flags |= SDL_WINDOW_RESIZABLE;
  if (window->fullScreen)
    flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window *made =
      SDL_CreateWindow(window->title.c_str(), window->x, window->y,
                       std::max(window->clientWidth, 1),
                       std::max(window->clientHeight, 1), flags);
  if (made == nullptr)
    return false;
  if (window->fullScreen)
    SDL_SetWindowDisplayMode(made, &chosenMode);
  DestroySurface(window);
  window->surface = made;
  window->surfaceFormat = format;
  return true;
}

void ShowSurface(emulation::Window *window, emulation::ShowKind kind) {
  switch (kind) {
  case emulation::ShowKind::Hide:
    SDL_HideWindow(window->surface);
    break;
  case emulation::ShowKind::Minimise:
    SDL_ShowWindow(window->surface);
    SDL_MinimizeWindow(window->surface);
    break;
  case emulation::ShowKind::Show:
    SDL_ShowWindow(window->surface);
    if (window->minimised)
      SDL_RestoreWindow(window->surface);
    break;
  }
}

void SwapSurface(emulation::Window *window) {
  SDL_GL_SwapWindow(window->surface);
}

void DestroySurface(emulation::Window *window) {
  if (window->surface != nullptr)
    SDL_DestroyWindow(window->surface);
  window->surface = nullptr;
}

bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    return false;
  *depthFixed = true;
  bool listed = false; // drivers without a list (offscreen) list a 0x0 mode
  for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w <= 0)
      continue;
    listed = true;
    *depthFixed = *depthFixed && BitsOf(mode) == BitsOf(desktop);
  }
  SDL_DisplayMode asked = {};
  asked.w = wanted.width;
  asked.h = wanted.height;
  asked.format =
      wanted.bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  // The desktop's own mode is always one the display can take.
  if (!listed || SDL_GetClosestDisplayMode(0, &asked, &chosenMode) == nullptr ||
      chosenMode.w != wanted.width || chosenMode.h != wanted.height)
    chosenMode = desktop;
  *closest = {chosenMode.w, chosenMode.h, BitsOf(chosenMode)};
  return true;
}

emulation::DisplayMode DesktopMode() {
  SDL_DisplayMode desktop = {};
  SDL_GetDesktopDisplayMode(0, &desktop);
  return {desktop.w, desktop.h, BitsOf(desktop)};
}

void SetFullScreen(emulation::Window *window,
                   const emulation::DisplayMode *mode) {
  if (mode != nullptr)
    SDL_SetWindowDisplayMode(window->surface, &chosenMode);
  SDL_SetWindowFullscreen(window->surface,
                          mode != nullptr ? SDL_WINDOW_FULLSCREEN : 0);
}

DWORD Ticks() {
  return SDL_GetTicks();
}

} // namespace face

// ---- the Win32 names of windows and GL --------------------------------------

HINSTANCE GetModuleHandleA(LPCSTR moduleName) {
  return emulation::GetModuleHandleA(moduleName);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR iconName) {
  return emulation::LoadIconA(instance, iconName);
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
  return emulation::LoadCursorA(instance, cursorName);
}

ATOM RegisterClassA(const WNDCLASSA *windowClass) {
  return emulation::RegisterClassA(windowClass);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  return emulation::UnregisterClassA(className);
}

BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu, DWORD) {
  return emulation::AdjustWindowRectEx(rect, style, menu);
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style,
                     int x, int y, int width, int height, HWND parent,
                     HMENU menu, HINSTANCE, LPVOID) {
  return emulation::CreateWindowExA(className, windowName, style, x, y, width,
                                    height, parent, menu);
}

BOOL DestroyWindow(HWND window) {
  return emulation::DestroyWindow(window);
}

BOOL ShowWindow(HWND window, int showCommand) {
  return emulation::ShowWindow(window, showCommand);
}

BOOL SetForegroundWindow(HWND handle) {
  if (emulation::Window *window = emulation::FindWindow(handle))
    SDL_RaiseWindow(window->surface);
  return emulation::SetForegroundWindow(handle);
}

HWND SetFocus(HWND window) {
  return emulation::SetFocus(window);
}

HWND GetFocus() {
  return emulation::GetFocus();
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
  if (!emulation::SetWindowTextA(handle, text))
    return FALSE;
  const emulation::Window *window = emulation::FindWindow(handle);
  SDL_SetWindowTitle(window->surface, window->title.c_str());
  return TRUE;
}

int ShowCursor(BOOL show) {
  const int count = emulation::ShowCursor(show);
  if (emulation::StartVideo())
    SDL_ShowCursor(count >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return count;
}

LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  return emulation::ChangeDisplaySettingsA(mode, flags);
}

HDC GetDC(HWND window) {
  return emulation::GetDC(window);
}

int ReleaseDC(HWND window, HDC deviceContext) {
  return emulation::ReleaseDC(window, deviceContext);
}

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR *pfd) {
  return emulation::ChoosePixelFormat(deviceContext, pfd);
}

BOOL SetPixelFormat(HDC deviceContext, int format,
                    const PIXELFORMATDESCRIPTOR *) {
  return emulation::SetPixelFormat(deviceContext, format);
}

HGLRC wglCreateContext(HDC deviceContext) {
  return emulation::wglCreateContext(deviceContext);
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext) {
  return emulation::wglMakeCurrent(deviceContext, renderingContext);
}

BOOL wglDeleteContext(HGLRC renderingContext) {
  return emulation::wglDeleteContext(renderingContext);
}

PROC wglGetProcAddress(LPCSTR name) {
  return emulation::wglGetProcAddress(name);
}

BOOL SwapBuffers(HDC deviceContext) {
  return emulation::SwapBuffers(deviceContext);
}
