// Central-difference normals of a height field, normalised and packed.
#include "tools/make_textures/normal_map.h"

#include <algorithm>
#include <cmath>

namespace {

int Neighbour(int v, int size, bool wrap) {
  if (wrap)
    return (v + size) % size;
  return std::min(size - 1, std::max(0, v));
}

} // namespace

Canvas NormalMapFromHeights(const HeightField &field, float strength,
                            bool wrapS, bool wrapT) {
  Canvas canvas = MakeCanvas(field.width, field.height, Rgb{0.5f, 0.5f, 1});
  for (int y = 0; y < field.height; ++y) {
    for (int x = 0; x < field.width; ++x) {
      const int left = Neighbour(x - 1, field.width, wrapS);
      const int right = Neighbour(x + 1, field.width, wrapS);
      const int up = Neighbour(y - 1, field.height, wrapT); // higher t
      const int down = Neighbour(y + 1, field.height, wrapT);
      // A clamped edge leaves a one-pixel step instead of two.
      const float spanS = wrapS ? 2.0f : float(std::max(1, right - left));
      const float spanT = wrapT ? 2.0f : float(std::max(1, down - up));
      const float ds = (field.at(right, y) - field.at(left, y)) / spanS;
      const float dt = (field.at(x, up) - field.at(x, down)) / spanT;
      float nx = -strength * ds, ny = -strength * dt, nz = 1.0f;
      const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
      nx /= len;
      ny /= len;
      nz /= len;
      canvas.at(x, y) = {0.5f * nx + 0.5f, 0.5f * ny + 0.5f, 0.5f * nz + 0.5f};
    }
  }
  return canvas;
}
