// Gamepads answering a question box: A (the pad's south button) for the
// box's first button (Yes, OK), B (east) for its Escape button (No; OK where
// OK is the only one).
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

namespace sdl_face {

enum class PadAnswer { None, First, Escape };

// The pads a box reads, and which of A and B went down while it was shown.
struct PadWatch {
  std::vector<SDL_GameController *> pads; // its own references
  bool southDown = false;
  bool eastDown = false;
  bool southArmed = false; // pressed while the box was shown
  bool eastArmed = false;
  std::string backgroundHint; // SDL's hint as it was, put back at the end
  bool hadHint = false;
};

// Starts reading the pads for a box (SDL's game controllers, even with no
// SDL window focused): buttons already down answer nothing until let go and
// pressed again.
void BeginPadWatch(PadWatch *watch);
// Reads the pads now, opening any plugged in meanwhile: a button pressed and
// let go while the box is shown answers, on its release, as a key does (a
// press held on would reach the game). SDL's event queue is left to the game,
// whose key path then follows what the pads hold.
PadAnswer PollPadWatch(PadWatch *watch);
// The box is gone: its pad references go, SDL's hint is put back.
void EndPadWatch(PadWatch *watch);

} // namespace sdl_face
