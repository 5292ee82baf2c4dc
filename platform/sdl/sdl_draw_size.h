// The size a full-screen game draws at: the largest box of the picture's
// shape the screen holds, 1:1, unless the passes cannot keep their pace at
// it; then a smaller size of the same shape, scaled up to the box. The
// steps follow measured pass times, with hysteresis.
#pragma once

namespace sdl_face {

struct Size {
  int width;
  int height;
};

// The largest size of the picture's shape inside the screen.
Size BoxOf(Size picture, Size screen);

// The sizes full screen may draw at, largest first: the box, then each
// about 4/5 of the one before, the last the picture's own size (or the box,
// where that is smaller). Every size has the picture's shape.
int LadderLength(Size box, Size picture);
Size LadderSize(Size box, Size picture, int level);

// How the size is kept. Passes are judged in windows of kWindowPasses: a
// window whose passes came slower than 60 a second (by more than kLate)
// steps down one size; one whose busy time (the pass less the pace's wait),
// scaled by the larger size's area, would still leave a third of a pass to
// spare steps up. The window after a step is not judged (the step itself
// costs), and a step up that had to be taken back doubles the wait before
// the next step up (from kFirstWait windows), so sizes never alternate.
struct Stepper {
  int level = 0;
  int passes = 0;
  double periods = 0; // seconds, summed over the window
  double busy = 0;
  bool settling = true; // a new window's first passes pay for its start
  bool lastStepUp = false;
  int waitWindows = 0; // before a step up is allowed
  int upWait = 0;      // the wait a taken-back step up sets, 0 at first
};

constexpr int kWindowPasses = 30;
constexpr double kLate = 1.06;    // periods above 1/60 s times this
constexpr double kUpShare = 0.66; // of a pass, predicted at the larger size
constexpr int kFirstWait = 4;     // windows
constexpr int kLongestWait = 128; // windows: about a minute

// A pass took `period` seconds from the last swap, `busy` of it working;
// true when the level changed.
bool NotePass(Stepper *stepper, double period, double busy, Size box,
              Size picture);

} // namespace sdl_face
