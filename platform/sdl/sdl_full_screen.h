// What size the SDL face's game window draws at: full screen, the box of the
// screen (sdl_draw_size) kept by the pace; in a window, the drawable's own
// pixels (more than the window's size on a scaled desktop). The game learns
// it through WM_SIZE, as a resized window does.
#pragma once

#include "platform/emulation.h"
#include "platform/sdl/sdl_draw_size.h"

namespace sdl_face {

// A frame of the window is about to be presented on a drawable of this
// size, in a window of this size in the desktop's points: the pass is timed,
// and the size it should draw at worked out.
void NoteSwap(emulation::Window *window, Size drawable, Size points);
// The pace slept this long between passes: not the renderer's time.
void NoteSleep(double seconds);
// Inside PeekMessageA: a size worked out since is sent as WM_SIZE.
void ApplyDrawSize();

} // namespace sdl_face
