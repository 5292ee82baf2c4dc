// The Win32 emulation every face shares: classes, windows, showing and
// focus, the message queue and default processing, device and rendering
// contexts, pixel formats, buffer swaps, display modes and files. It defines
// the Win32 names of win32.h itself, except MessageBoxA and GetKeyState,
// which each face defines; a face supplies the native side through the hooks
// in namespace face (surfaces, GL contexts, display modes, events, the
// clock), and sees every call first (the scripted twin records it and may
// make it fail). Nothing here knows a face's toolkit or the browser. Not for
// game code, which sees only platform/win32.h.
#pragma once

#include "platform/pixel_format.h"
#include "platform/win32.h"

#include <functional>
#include <string>
#include <vector>

namespace face {
struct Context; // a face's GL context, opaque to the emulation
struct Surface; // a face's native window, opaque to the emulation
} // namespace face

namespace emulation {

struct Window {
  HWND handle = nullptr;
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
  bool fullScreen = false;          // a pop-up while a display mode is set
  HDC deviceContext = nullptr;      // made by the first GetDC
  int pixelFormat = 0;              // 0 until SetPixelFormat
  face::Surface *surface = nullptr; // the face's native window, if it has one
  platform::PixelFormat surfaceFormat = {}; // what it was made for
};

struct DisplayMode {
  int width;
  int height;
  int bits;
};

enum class ShowKind { Show, Raise };

Window *FindWindow(HWND window);
// Calls the window's class procedure now (a sent message); 0 for none.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends to the queue (a posted message), stamped with the face's clock.
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Activation as the window manager reports it; WM_ACTIVATE on change.
void SetActivation(HWND window, bool active, bool minimised);
// A WM_CLOSE for every window; with none, a quit request.
void CloseAll();
// A user's resize of the client area: the record, then WM_SIZE at once.
void ResizeClient(HWND window, int width, int height);

// The one key path: every face turns its native key into a virtual key and
// hands it here, whatever the source.
enum class KeySource { Keyboard, Touch, Gamepad };
// A key went down or up from one source: WM_KEYDOWN (again on every repeat)
// or WM_KEYUP (once no source holds it) posted to the focus window, and the
// state KeyHeld answers (held while any source holds it).
void ChangeKey(int virtualKey, bool down, KeySource source);
bool KeyHeld(int virtualKey);
// Lets go of every key a source holds (focus lost, pad unplugged).
void ReleaseKeys(KeySource source);
// PeekMessageA found nothing: an idle pass begins, and sees every key down.
void BeginPass();
// PeekMessageA is called again: the keys a pass has seen since every source
// let go of them go up now (WM_KEYUP, and KeyHeld false).
void EndPass();

// A new surface as the record says, a context current on the old one moved.
bool RemakeSurface(HWND window, const platform::PixelFormat &format);
// Forgets everything, destroying contexts and surfaces, for a fresh twin.
void ResetAll();

// What the emulation holds now, for tests' leak and state checks.
struct Census {
  int windows;
  int classes;
  int contexts;
  bool contextCurrent;
  bool cursorShown; // the ShowCursor counter is 0 or more
  bool modeChanged; // by ChangeDisplaySettingsA, not yet restored
  DisplayMode mode; // the mode it set, while modeChanged
};
Census Count();

// A call's arguments as text, for the face's log: numbers in decimal, Flags
// (flags and message numbers) in hex with 0x, strings verbatim ("#n" for a
// resource number), null pointers "null", handles as a kind and a serial
// ("hwnd1", "hdc1", "hglrc1", "hinstance1", "file1", "mapping1",
// "hicon32517"), INVALID_HANDLE_VALUE "invalid", any other Pointer "ptr".
using CallArgs = std::vector<std::string>;
struct Flags {
  unsigned long long bits;
};
struct Pointer {
  const void *address;
};
std::string ArgText(long long number);
std::string ArgText(Flags flags);
std::string ArgText(Pointer pointer);
std::string ArgText(const char *text);
std::string ArgText(const void *handle);
// A rectangle as "l,t,r,b"; a display mode as "WxHxBITS", "-" for a field
// dmFields leaves out.
std::string ArgText(const RECT *rect);
std::string ArgText(const DEVMODEA *mode);

} // namespace emulation

// What a face supplies: the native surface behind a window, the display's
// modes, its clock, its events, and a look at every call.
namespace face {

// Called first by every shared Win32 call with its name and its arguments on
// demand; true makes the call return its failure value (null, 0, FALSE,
// INVALID_HANDLE_VALUE, INVALID_FILE_SIZE, DISP_CHANGE_FAILED) unacted.
bool Calling(const char *name,
             const std::function<emulation::CallArgs()> &args);

// Makes the window's surface for the format, or remakes it (replacing
// window->surface; the record says size, style, visibility and mode).
bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format);
// Shows (restoring it if minimised) or raises it, before WM_ACTIVATE.
void ShowSurface(emulation::Window *window, emulation::ShowKind kind);
// Presents the frame drawn into it.
void SwapSurface(emulation::Window *window);
// Shows the window's title in its frame.
void RetitleSurface(emulation::Window *window);
// Shows or hides the pointer over the game's windows.
void ShowPointer(bool shown);
// Destroys it as its window goes.
void DestroySurface(emulation::Window *window);
// The offered mode nearest the request, false for none of its size;
// depthFixed: the display cannot change depth (its modes share one).
bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed);
// A pop-up goes full screen in the set mode (null: back to a window).
void SetFullScreen(emulation::Window *window,
                   const emulation::DisplayMode *mode);
// Milliseconds, for message times.
DWORD Ticks();
// Seconds on a steady clock, for the pace of swaps (platform/pace.h).
double Now();
// Returns once Now() has reached `when`, without spinning; the page returns
// at the first animation frame within pace::kSlackSeconds of it.
void WaitUntil(double when);
// Before PeekMessageA looks: the face's own events become messages.
void PumpEvents();
// When PeekMessageA found nothing: one call per idle pass of the loop.
void NothingQueued();

// Starts the face's video once; false (with the reason) when it cannot.
bool StartVideo(std::string *reason = nullptr);
// A GL context for the window's surface and pixel format, leaving the
// current one current (WGL does); null, with the reason on standard error,
// when none can be made.
Context *CreateContext(emulation::Window *window);
// Makes the context current on the window's surface; null for both
// releases the current one.
bool MakeCurrent(emulation::Window *window, Context *context);
void DeleteContext(Context *context);
// What wglGetProcAddress hands the game for an entry point's name.
PROC ProcAddress(const char *name);
// Swaps of the current context wait for this many refreshes (0: none);
// false where the driver cannot say.
bool SwapInterval(int interval);
// A swap of a window that is not on screen waits one refresh interval, so
// that an idle minimised game does not spin.
void WaitRefresh(emulation::Window *window);

// The running program's file, for GetModuleFileNameA; false for none.
bool ProgramPath(std::string *path);

} // namespace face

namespace emulation {

// Shows the face a call; its arguments become text only when the face looks.
template <typename... Args>
bool Calling(const char *name, const Args &...args) {
  return face::Calling(name, [&] { return CallArgs{ArgText(args)...}; });
}

} // namespace emulation
