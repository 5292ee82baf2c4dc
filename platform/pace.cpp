// The pace of passes: the grid of 1/60 s steps and its fresh starts.
#include "platform/pace.h"

namespace pace {

double NextPassStart(Pace *pace, double now) {
  double start = now;
  double base = now;
  if (pace->started) {
    if (now < pace->due - kSlackSeconds) {
      start = pace->due; // early: wait for its time
      base = pace->due;
    } else if (now <= pace->due + kPassSeconds) {
      base = pace->due; // on time, or late by less than a step
    }
  }
  pace->started = true;
  pace->due = base + kPassSeconds;
  return start;
}

} // namespace pace
