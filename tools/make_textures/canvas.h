// Float RGB pictures painted in texture coordinates, plus the seeded noise
// and shape helpers every texture of the generator is drawn with.
#pragma once

#include <cstdint>
#include <vector>

struct Rgb {
  float r, g, b;
};

inline Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(Rgb a, float k) {
  return {a.r * k, a.g * k, a.b * k};
}
inline Rgb operator*(Rgb a, Rgb b) {
  return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb Mix(Rgb a, Rgb b, float k) {
  return a * (1.0f - k) + b * k;
}
inline Rgb Grey(float v) {
  return {v, v, v};
}
// Colours are written as 0..255 triples in the code; this keeps them readable.
inline Rgb Rgb8(int r, int g, int b) {
  return {r / 255.0f, g / 255.0f, b / 255.0f};
}

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels; // row 0 is the TOP of the picture

  Rgb &at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
  const Rgb &at(int x, int y) const {
    return pixels[std::size_t(y) * width + x];
  }
};

Canvas MakeCanvas(int width, int height, Rgb fill);

// Stores in every pixel the mean of shade(s, t) over n x n points inside it.
// t grows upward (t = 1 is the top row), the way the game samples textures,
// so each picture is written directly in the coordinates the geometry uses.
template <class Shade> void Paint(Canvas &canvas, int n, Shade shade) {
  const float inv = 1.0f / float(n * n);
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      Rgb sum{0, 0, 0};
      for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
          const float s = (x + (i + 0.5f) / n) / canvas.width;
          const float t = 1.0f - (y + (j + 0.5f) / n) / canvas.height;
          sum = sum + shade(s, t);
        }
      }
      canvas.at(x, y) = sum * inv;
    }
  }
}

// A new size x size picture painted from shade with n x n samples a pixel.
template <class Shade> Canvas Painted(int size, int n, Shade shade) {
  Canvas canvas = MakeCanvas(size, size, Grey(0));
  Paint(canvas, n, shade);
  return canvas;
}

// splitmix64: a tiny, well-mixed generator whose sequence depends on the
// seed alone, so every run draws the same pictures.
class Rng {
public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  float uniform();                 // [0, 1)
  float range(float lo, float hi); // [lo, hi)
  int below(int n);                // 0 .. n-1

private:
  std::uint64_t state_;
};

// A stateless hash of a lattice point to [0, 1), for per-tile variation and
// noise lattices that must not depend on the order pixels are visited.
float Hash01(std::uint32_t seed, std::int32_t x, std::int32_t y);

// Smooth value noise in [0, 1) over a unit lattice. The lattice repeats every
// periodX by periodY cells (0 = no repeat), so a texture that wraps around a
// cylinder has no seam.
float ValueNoise(std::uint32_t seed, float x, float y, int periodX = 0,
                 int periodY = 0);
// Sum of `octaves` noise layers, each twice the frequency and half the weight
// of the one before; the result stays in [0, 1) and keeps the repeat.
float Fbm(std::uint32_t seed, float x, float y, int octaves, int periodX = 0,
          int periodY = 0);

float Clamp01(float v);
float Smoothstep(float edge0, float edge1, float v);
// Fractional part, always in [0, 1), also for negative values.
float Fract(float v);

// Signed distance from (x, y) to an axis-aligned box of centre (cx, cy) and
// half sizes (hx, hy), rounded by radius r (negative inside).
float BoxDistance(float x, float y, float cx, float cy, float hx, float hy,
                  float r = 0.0f);
// Distance from (x, y) to the segment (ax, ay)-(bx, by).
float SegmentDistance(float x, float y, float ax, float ay, float bx, float by);
// Even-odd point-in-polygon test; xs/ys hold `count` corners.
bool InsidePolygon(float x, float y, const float *xs, const float *ys,
                   int count);
