// The pace of the game's passes: at most 60 a second, whatever the display's
// refresh and whether vsync is granted. Every game amount is per pass, so
// this is what keeps a walk the same speed on every display. Plain sums over
// a clock in seconds; the caller owns the clock and the waiting.
#pragma once

namespace pace {

constexpr double kPassSeconds = 1.0 / 60.0;
// A pass this close to its time goes on at once: what keeps a 60 Hz vsync
// (whose frames jitter around the grid) from waiting a whole refresh more.
constexpr double kSlackSeconds = 0.003;

struct Pace {
  bool started = false;
  double due = 0; // when the next pass may begin
};

// A pass has just presented its frame at `now`: the time to wait until
// before the next pass begins (`now` itself for no wait). Passes keep to a
// grid of 1/60 s, so a slightly late pass is evened out by the next one (a
// 75 Hz vsync still gives 60); a pass later than a whole step starts the grid
// afresh, so a stall is never made up by a burst of quick passes.
double NextPassStart(Pace *pace, double now);

} // namespace pace
