// Canvas allocation, the seeded generator, lattice noise and shape distances.
#include "tools/make_textures/canvas.h"

#include <algorithm>
#include <cmath>

Canvas MakeCanvas(int width, int height, Rgb fill) {
  Canvas canvas;
  canvas.width = width;
  canvas.height = height;
  canvas.pixels.assign(std::size_t(width) * std::size_t(height), fill);
  return canvas;
}

std::uint64_t Rng::next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float Rng::uniform() {
  return float(next() >> 40) / float(1u << 24);
}

float Rng::range(float lo, float hi) {
  return lo + (hi - lo) * uniform();
}

int Rng::below(int n) {
  return int(next() % std::uint64_t(n));
}

float Hash01(std::uint32_t seed, std::int32_t x, std::int32_t y) {
  std::uint32_t h = seed * 0x9E3779B1u;
  h ^= std::uint32_t(x) * 0x85EBCA77u;
  h = (h << 13) | (h >> 19);
  h ^= std::uint32_t(y) * 0xC2B2AE3Du;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return float(h >> 8) / float(1u << 24);
}

namespace {

int Wrap(int v, int period) {
  if (period <= 0)
    return v;
  const int m = v % period;
  return m < 0 ? m + period : m;
}

} // namespace

float ValueNoise(std::uint32_t seed, float x, float y, int periodX,
                 int periodY) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const int ix = int(fx);
  const int iy = int(fy);
  float u = x - fx;
  float v = y - fy;
  u = u * u * (3.0f - 2.0f * u);
  v = v * v * (3.0f - 2.0f * v);
  const int x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
  const int y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
  const float a = Hash01(seed, x0, y0), b = Hash01(seed, x1, y0);
  const float c = Hash01(seed, x0, y1), d = Hash01(seed, x1, y1);
  return (a + (b - a) * u) * (1.0f - v) + (c + (d - c) * u) * v;
}

float Fbm(std::uint32_t seed, float x, float y, int octaves, int periodX,
          int periodY) {
  float sum = 0.0f, weight = 0.5f, total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += weight *
           ValueNoise(seed + 101u * std::uint32_t(i), x, y, periodX, periodY);
    total += weight;
    x *= 2.0f;
    y *= 2.0f;
    periodX *= 2;
    periodY *= 2;
    weight *= 0.5f;
  }
  return sum / total;
}

float Clamp01(float v) {
  return std::min(1.0f, std::max(0.0f, v));
}

float Smoothstep(float edge0, float edge1, float v) {
  const float k = Clamp01((v - edge0) / (edge1 - edge0));
  return k * k * (3.0f - 2.0f * k);
}

float Fract(float v) {
  const float f = v - std::floor(v);
  return f >= 1.0f ? 0.0f : f;
}

float BoxDistance(float x, float y, float cx, float cy, float hx, float hy,
                  float r) {
  const float dx = std::fabs(x - cx) - (hx - r);
  const float dy = std::fabs(y - cy) - (hy - r);
  const float ox = std::max(dx, 0.0f), oy = std::max(dy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(dx, dy), 0.0f) - r;
}

float SegmentDistance(float x, float y, float ax, float ay, float bx,
                      float by) {
  const float px = x - ax, py = y - ay;
  const float vx = bx - ax, vy = by - ay;
  const float len2 = vx * vx + vy * vy;
  const float k = len2 > 0.0f ? Clamp01((px * vx + py * vy) / len2) : 0.0f;
  const float dx = px - vx * k, dy = py - vy * k;
  return std::sqrt(dx * dx + dy * dy);
}

bool InsidePolygon(float x, float y, const float *xs, const float *ys,
                   int count) {
  bool inside = false;
  for (int i = 0, j = count - 1; i < count; j = i++) {
    if ((ys[i] > y) != (ys[j] > y) &&
        x < (xs[j] - xs[i]) * (y - ys[i]) / (ys[j] - ys[i]) + xs[i])
      inside = !inside;
  }
  return inside;
}
