// The program's icon: one of the lounge's blue balls, lit from the upper
// left as the room's lamps light it, on a dark floor.
#include "tools/make_textures/textures.h"

#include <cmath>

namespace {

constexpr float kRadius = 0.42f; // of the picture's width

Rgb IconShade(float s, float t) {
  const float x = (s - 0.5f) / kRadius;
  const float y = (t - 0.5f) / kRadius;
  const float r2 = x * x + y * y;
  if (r2 > 1.0f)
    return Mix(Rgb8(10, 10, 16), Rgb8(44, 48, 66), t);
  const float z = std::sqrt(1.0f - r2);
  // Light from the upper left and in front; the viewer looks along -z.
  const float lx = -0.45f, ly = 0.55f, lz = 0.70f;
  const float diffuse = std::fmax(0.0f, x * lx + y * ly + z * lz);
  // Blinn's half vector between the light and the viewer.
  const float hx = lx, hy = ly, hz = lz + 1.0f;
  const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  const float specular =
      std::pow(std::fmax(0.0f, (x * hx + y * hy + z * hz) / hl), 40.0f);
  const Rgb ambient = Rgb8(0, 0, 51);
  const Rgb ball = {0.0f, 0.2f, 0.7f};
  return ambient + ball * diffuse + Grey(specular);
}

} // namespace

Canvas MakeIcon(int size) {
  return Painted(size, 4, IconShade);
}
