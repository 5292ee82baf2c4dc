// What the files of the SDL layer share: the window records, starting the
// video subsystem, sending and posting messages, and the SDL window behind a
// game window. Not for game code, which sees only platform/win32.h.
#pragma once

#include "platform/pixel_format.h"
#include "platform/win32.h"
#include "platform/win32_common.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace sdl_platform {

struct Window : platform::WindowRecord {
  SDL_Window *sdl = nullptr;
  int x = 0; // client position on the screen
  int y = 0;
  bool fullScreen = false;
  platform::PixelFormat sdlFormat = {}; // what the SDL window was made for
};

// Starts SDL's video subsystem once; false (with SDL's reason) when no video
// device can be opened. Keeps the GL library loaded for the whole process:
// unloading it at exit turns the driver's reachable memory into leak reports
// that point into an unloaded module.
bool StartVideo(std::string *reason = nullptr);

Window *FindWindow(HWND window);
HWND WindowFromSdlId(Uint32 sdlWindowId);
std::vector<HWND> LiveWindows();

// Makes (or remakes) the SDL window behind a game window for a pixel format;
// the GL buffer layout of an SDL window is fixed when it is made.
bool MakeSdlWindow(Window *window, const platform::PixelFormat &format);

// Calls the window's class procedure now, as a sent message does.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends to this thread's queue, as a posted message.
void PostToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Forgets queued messages for a destroyed window.
void DropQueuedFor(HWND window);

// Activation as the window manager reports it; sends WM_ACTIVATE on change.
void SetActivation(HWND window, bool active, bool minimised);

// Drops the GL side of a window that is being destroyed.
void ForgetWindowGl(HWND window);

// Display modes, as SDL lists them for the first display.
using platform::DisplayMode;
// True when the list has WxH, at that depth where depths can be told apart:
// when every listed mode has the same depth (X11 and Wayland list only the
// desktop's own, which cannot change) the depth is not knowable and any
// depth matches.
bool ModeOffered(const std::vector<DisplayMode> &modes, int width, int height,
                 int bits);
// The mode a full-screen pop-up takes, when ChangeDisplaySettingsA set one.
bool ChangedDisplayMode(SDL_DisplayMode *mode);

} // namespace sdl_platform
