// The full-screen drawing size and its steps (sdl_draw_size.h).
#include "platform/sdl/sdl_draw_size.h"

#include "platform/pace.h"

#include <algorithm>

namespace sdl_face {
namespace {

constexpr double kStepScale = 0.8;

double Area(Size size) {
  return static_cast<double>(size.width) * size.height;
}

// The size of the picture's shape whose height is nearest `height`, never
// above it; whole multiples of the shape, so it is exact.
Size OfShape(Size picture, int height) {
  if (picture.width <= 0 || picture.height <= 0)
    return {0, 0};
  int a = picture.width;
  int b = picture.height;
  while (b != 0) {
    const int r = a % b;
    a = b;
    b = r;
  }
  const int unitWidth = picture.width / a;
  const int unitHeight = picture.height / a;
  const int units = std::max(1, height / unitHeight);
  return {units * unitWidth, units * unitHeight};
}

} // namespace

Size BoxOf(Size picture, Size screen) {
  if (picture.width <= 0 || picture.height <= 0)
    return screen;
  // Whichever side runs out first sets the size.
  const long long byHeight =
      static_cast<long long>(screen.height) * picture.width / picture.height;
  const int height =
      byHeight <= screen.width
          ? screen.height
          : static_cast<int>(static_cast<long long>(screen.width) *
                             picture.height / picture.width);
  return OfShape(picture, height);
}

int LadderLength(Size box, Size picture) {
  int length = 1;
  double height = box.height;
  while (height * kStepScale > picture.height && length < 16) {
    height *= kStepScale;
    ++length;
  }
  return box.height > picture.height ? length + 1 : 1;
}

Size LadderSize(Size box, Size picture, int level) {
  const int length = LadderLength(box, picture);
  level = std::clamp(level, 0, length - 1);
  if (level == 0)
    return box;
  if (level == length - 1)
    return picture;
  double height = box.height;
  for (int i = 0; i < level; ++i)
    height *= kStepScale;
  return OfShape(picture, static_cast<int>(height));
}

bool NotePass(Stepper *s, double period, double busy, Size box, Size picture) {
  s->periods += period;
  s->busy += busy;
  if (++s->passes < kWindowPasses)
    return false;
  const double meanPeriod = s->periods / s->passes;
  const double meanBusy = s->busy / s->passes;
  s->passes = 0;
  s->periods = 0;
  s->busy = 0;
  if (s->settling) {
    s->settling = false;
    return false;
  }
  if (s->waitWindows > 0)
    --s->waitWindows;
  const int length = LadderLength(box, picture);
  if (meanPeriod > pace::kPassSeconds * kLate && s->level < length - 1) {
    if (s->lastStepUp) {
      s->upWait =
          std::min(kLongestWait, s->upWait == 0 ? kFirstWait : s->upWait * 2);
      s->waitWindows = s->upWait;
    }
    ++s->level;
    s->lastStepUp = false;
    s->settling = true;
    return true;
  }
  if (s->level > 0 && s->waitWindows == 0) {
    const double grown = Area(LadderSize(box, picture, s->level - 1)) /
                         Area(LadderSize(box, picture, s->level));
    if (meanBusy * grown < pace::kPassSeconds * kUpShare) {
      --s->level;
      s->lastStepUp = true;
      s->settling = true;
      return true;
    }
  }
  return false;
}

} // namespace sdl_face
