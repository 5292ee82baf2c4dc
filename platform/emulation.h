// The Win32 emulation every face shares: classes, windows, showing and
// focus, the message queue and default processing, device and rendering
// contexts, pixel formats, buffer swaps and display modes. The functions
// below carry the Win32 names in namespace emulation; a face defines the
// global names over them (the SDL face forwards, the scripted twin records
// and may fail first) and supplies the native side through the hooks in
// namespace face. GL contexts are SDL's on the face's SDL window. Not for
// game code, which sees only platform/win32.h.
#pragma once

#include "platform/pixel_format.h"
#include "platform/win32.h"

#include <SDL.h>

#include <string>

namespace emulation {

struct Window {
  WNDPROC procedure = nullptr;
  std::string className;
  std::string title;
  DWORD style = 0;
  int x = 0; // client position on the screen
  int y = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  bool visible = false;
  bool active = false;
  bool minimised = false;
  bool fullScreen = false;       // a pop-up while a display mode is set
  HDC deviceContext = nullptr;   // made by the first GetDC
  int pixelFormat = 0;           // 0 until SetPixelFormat
  SDL_Window *surface = nullptr; // the face's, GL-capable
  platform::PixelFormat surfaceFormat = {}; // what it was made for
};

struct DisplayMode {
  int width;
  int height;
  int bits;
};

enum class ShowKind { Hide, Minimise, Show };

// The key under which a surface carries its window's handle.
constexpr char kWindowKey[] = "tvlounge.hwnd";

Window *FindWindow(HWND window);
// The window whose surface has this SDL id; null for none.
HWND WindowOfSurface(Uint32 sdlWindowId);
// Calls the window's class procedure now (a sent message); 0 for none.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends to the queue (a posted message), stamped with the face's clock.
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Activation as the window manager reports it; WM_ACTIVATE on change.
void SetActivation(HWND window, bool active, bool minimised);
// A WM_CLOSE for every window; with none, a quit request.
void CloseAll();
// The client area takes a new size (a user's resize): the record, then
// WM_SIZE at once. The surface is the face's business.
void ResizeClient(HWND window, int width, int height, WPARAM kind);

// Makes the window a new surface for the format (the size, style and mode
// in its record), moving a context current on the old one to it.
bool RemakeSurface(HWND window, const platform::PixelFormat &format);
// Starts SDL's video once; false (with SDL's reason) when it cannot. Keeps
// the GL library loaded for the whole process: unloading it at exit turns
// the driver's reachable memory into leak reports into an unloaded module.
bool StartVideo(std::string *reason = nullptr);
// The mode a full-screen pop-up takes while ChangeDisplaySettingsA has set
// one; false when none is set.
bool ChangedMode(DisplayMode *mode);
// Whether a mode the display offers answers a request: width and height
// exactly, and the depth too unless the display cannot change it.
bool ModeAnswers(const DisplayMode &offered, const DisplayMode &wanted,
                 bool depthFixed);
// Forgets every window, class, message, context and mode (contexts and
// surfaces destroyed), for a fresh twin.
void ResetAll();
int WindowCount();
int ClassCount();
int ContextCount();
bool ContextCurrent();

// ---- the Win32 calls, as the faces expose them -----------------------------

HINSTANCE GetModuleHandleA(LPCSTR moduleName);
HICON LoadIconA(HINSTANCE instance, LPCSTR iconName);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName);
ATOM RegisterClassA(const WNDCLASSA *windowClass);
BOOL UnregisterClassA(LPCSTR className);
BOOL AdjustWindowRectEx(RECT *rect, DWORD style, BOOL menu);
HWND CreateWindowExA(LPCSTR className, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu);
BOOL DestroyWindow(HWND window);
BOOL ShowWindow(HWND window, int showCommand);
BOOL SetForegroundWindow(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
BOOL SetWindowTextA(HWND window, LPCSTR text);
int ShowCursor(BOOL show);
LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags);
BOOL PeekMessageA(MSG *msg, UINT removeMessage, DWORD time);
BOOL TranslateMessage(const MSG *msg);
LRESULT DispatchMessageA(const MSG *msg);
void PostQuitMessage(int exitCode);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC deviceContext);
int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR *pfd);
BOOL SetPixelFormat(HDC deviceContext, int format);
HGLRC wglCreateContext(HDC deviceContext);
BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext);
BOOL wglDeleteContext(HGLRC renderingContext);
PROC wglGetProcAddress(LPCSTR name);
BOOL SwapBuffers(HDC deviceContext);

} // namespace emulation

// What a face supplies: the native surface behind a window, the display's
// modes and its clock.
namespace face {

// Makes the window's surface for the format, or remakes it (replacing
// window->surface; the record says size, style, visibility and mode).
bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format);
// Shows, minimises or hides it, before the record's WM_ACTIVATE.
void ShowSurface(emulation::Window *window, emulation::ShowKind kind);
// Presents the frame drawn into it.
void SwapSurface(emulation::Window *window);
// Destroys it as its window goes.
void DestroySurface(emulation::Window *window);
// The offered mode nearest to the request; false when none has its size.
// depthFixed: the display cannot change depth (all its modes share one).
bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed);
// The mode in use when no other is set.
emulation::DisplayMode DesktopMode();
// A pop-up goes full screen in the set mode (null: back to a window).
void SetFullScreen(emulation::Window *window,
                   const emulation::DisplayMode *mode);
// Milliseconds, for message times.
DWORD Ticks();

} // namespace face
