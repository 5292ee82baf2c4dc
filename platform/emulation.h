// The Win32 emulation every face shares, built once: classes, windows,
// showing and focus, the message queue and default processing, device and
// rendering contexts, pixel formats, buffer swaps, display modes and files.
// It defines every Win32 name of win32.h; a face supplies the native side
// as a table of functions (Face) that it registers before the first call
// (surfaces, GL contexts, display modes, events, the clock, message boxes,
// key states), and sees every call first (the scripted twin records it and
// may make it fail). Nothing here knows a face's toolkit or the browser. Not
// for game code, which sees only platform/win32.h.
#pragma once

#include "input/input_map.h"
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
// hands it here, whatever the source (the input map's sources, whose numbers
// the page passes too).
using KeySource = input::Source;
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

// What a face supplies: a table of its functions, as a video driver gives,
// registered once (RegisterFace) before the first Win32 call. The shared
// emulation calls a face only through it, and a face calls the emulation's
// functions above, so the emulation is one library every face links.
struct Face {
  const char *name; // for messages: "sdl", "scripted", "web"

  // Called first by every shared Win32 call with its name and its arguments
  // on demand; true makes the call return its failure value (null, 0,
  // FALSE, INVALID_HANDLE_VALUE, INVALID_FILE_SIZE, DISP_CHANGE_FAILED)
  // unacted.
  bool (*calling)(const char *name, const std::function<CallArgs()> &args);

  // -- surfaces: the native window behind a game window
  // Makes the window's surface for the format, or remakes it (replacing
  // window->surface; the record says size, style, visibility and mode).
  bool (*makeSurface)(Window *window, const platform::PixelFormat &format);
  // Shows (restoring it if minimised) or raises it, before WM_ACTIVATE.
  void (*showSurface)(Window *window, ShowKind kind);
  // Presents the frame drawn into it.
  void (*swapSurface)(Window *window);
  // Shows the window's title in its frame.
  void (*retitleSurface)(Window *window);
  // Shows or hides the pointer over the game's windows.
  void (*showPointer)(bool shown);
  // Destroys it as its window goes.
  void (*destroySurface)(Window *window);

  // -- display modes
  // The offered mode nearest the request, false for none of its size;
  // depthFixed: the display cannot change depth (its modes share one).
  bool (*closestMode)(const DisplayMode &wanted, DisplayMode *closest,
                      bool *depthFixed);
  // A pop-up goes full screen in the set mode (null: back to a window).
  void (*setFullScreen)(Window *window, const DisplayMode *mode);

  // -- the clock and events
  // Milliseconds, for message times.
  DWORD (*ticks)();
  // Seconds on a steady clock, for the pace of swaps (platform/pace.h).
  double (*now)();
  // Returns once now() has reached `when`, without spinning; the page
  // returns at the first animation frame within pace::kSlackSeconds of it.
  void (*waitUntil)(double when);
  // Before PeekMessageA looks: the face's own events become messages.
  void (*pumpEvents)();
  // When PeekMessageA found nothing: one call per idle pass of the loop.
  void (*nothingQueued)();

  // -- GL contexts
  // Starts the face's video once; false (with the reason, when asked) when
  // it cannot.
  bool (*startVideo)(std::string *reason);
  // A GL context for the window's surface and pixel format, leaving the
  // current one current (WGL does); null, with the reason on standard
  // error, when none can be made.
  face::Context *(*createContext)(Window *window);
  // Makes the context current on the window's surface; null for both
  // releases the current one.
  bool (*makeCurrent)(Window *window, face::Context *context);
  void (*deleteContext)(face::Context *context);
  // What wglGetProcAddress hands the game for an entry point's name.
  PROC (*procAddress)(const char *name);
  // Swaps of the current context wait for this many refreshes (0: none);
  // false where the driver cannot say.
  bool (*swapInterval)(int interval);
  // A swap of a window that is not on screen waits one refresh interval,
  // so that an idle minimised game does not spin.
  void (*waitRefresh)(Window *window);

  // -- the rest of Win32 that only the face can answer
  // The running program's file, for GetModuleFileNameA; false for none.
  bool (*programPath)(std::string *path);
  // MessageBoxA: the question shown and its answer (IDOK, IDYES, IDNO).
  int (*messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
  // GetKeyState: the 0x80 bit (a negative SHORT) while the key is down.
  SHORT (*keyState)(int virtualKey);
};

// Makes the face the one every call goes to; true, so that a face can
// register from a static object's initialiser. Every hook must be set.
bool RegisterFace(const Face *face);
// The registered face; without one the process stops with a message.
const Face &TheFace();

// Shows the face a call; its arguments become text only when the face looks.
template <typename... Args>
bool Calling(const char *name, const Args &...args) {
  return TheFace().calling(name, [&] { return CallArgs{ArgText(args)...}; });
}

} // namespace emulation
