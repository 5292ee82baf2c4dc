// The SDL face's hooks, by the file that holds them; sdl_face.cpp puts them
// into the face's table (emulation::Face has their contracts).
#pragma once

#include "platform/emulation.h"

#include <string>

namespace sdl_face {

// sdl_windows.cpp: surfaces, display modes, the clock, the program's path.
bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format);
void ShowSurface(emulation::Window *window, emulation::ShowKind kind);
void SwapSurface(emulation::Window *window);
void RetitleSurface(emulation::Window *window);
void ShowPointer(bool shown);
void DestroySurface(emulation::Window *window);
bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed);
void SetFullScreen(emulation::Window *window,
                   const emulation::DisplayMode *mode);
DWORD Ticks();
double Now();
void WaitUntil(double when);
bool ProgramPath(std::string *path);

// sdl_messages.cpp: SDL's events as messages, and the keys' state.
void PumpEvents();
SHORT KeyState(int virtualKey);

// sdl_dialog.cpp: the question box.
int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

} // namespace sdl_face
