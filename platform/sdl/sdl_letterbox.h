// The game's picture at the size it asked for, scaled into a full-screen
// window at the desktop's own size: what a display mode of that size looks
// like on a wider screen, without switching the display.
#pragma once

#include <SDL.h>

namespace sdl_face {

struct Box {
  int x; // from the left
  int y; // from the bottom, as GL counts
  int width;
  int height;
};

// The largest box of the picture's shape inside the screen, centred.
Box FitInside(int width, int height, int screenWidth, int screenHeight);

// Presents a frame of a window whose surface is larger than the client area
// the game draws, shown in FitInside's box with black bars. At the full box
// the game's viewport is moved into the box, after the one frame drawn in
// the corner is copied there, so that it draws in place from then on; a
// smaller area is drawn into an offscreen buffer of its size and scaled, or
// where there are no framebuffer objects copied from the corner, zoomed.
// False without a current context: the frame is to be swapped as drawn.
bool Present(SDL_Window *surface, int clientWidth, int clientHeight);

// The drawing size is about to change to this, before the game draws at it:
// the current context's offscreen buffer, if any, is made at the new size
// now, holding the last frame scaled, so that the game's first frame at the
// new size is drawn whole into it (made at the next swap instead, it would
// start from the screen's corner, bar and all, and show that for a frame).
// At the full box the buffer goes instead: the game draws into the corner.
void ResizeScaling(SDL_Window *surface, int width, int height);

// The game draws into the window itself again (back to a window, or the
// surface is the client's size): the offscreen buffer of the current
// context goes, and a viewport moved into the box goes back to the corner.
void StopScaling();

} // namespace sdl_face
