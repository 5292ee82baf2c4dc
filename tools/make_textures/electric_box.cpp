// The electric box's four faces. The box is 0.2 deep, 1 wide and 1 tall;
// the front and back are 1 x 1, each side is 0.2 wide and 1 tall, the top
// 0.2 by 1, so side and top pictures are drawn in world units and stretched.
#include <algorithm>
#include <cmath>

#include "tools/make_textures/glyphs.h"
#include "tools/make_textures/textures.h"

namespace {

constexpr int kSize = 256;

Rgb BodyPaint(float s, float t, float scaleS, float scaleT) {
  const float grain = ValueNoise(101, s * 180 * scaleS, t * 180 * scaleT);
  const float wear = Fbm(102, s * 6 * scaleS, t * 6 * scaleT, 4);
  return Rgb8(178, 182, 174) * (0.93f + 0.05f * grain + 0.06f * wear);
}

// A small domed screw head of radius r at (cx, cy); negative when missed.
float ScrewShade(float s, float t, float cx, float cy, float r) {
  const float d = std::hypot(s - cx, t - cy);
  if (d > r)
    return -1.0f;
  if (std::fabs(s - cx) < r * 0.18f && d < r * 0.75f)
    return 0.35f; // slot
  return 1.25f - 0.5f * (d / r) + 0.3f * (t - cy) / r;
}

// Signed distance to a triangle (negative inside).
float TriangleDistance(float x, float y, const float *xs, const float *ys) {
  float d = 1e9f;
  for (int i = 0, j = 2; i < 3; j = i++)
    d = std::min(d, SegmentDistance(x, y, xs[j], ys[j], xs[i], ys[i]));
  return InsidePolygon(x, y, xs, ys, 3) ? -d : d;
}

// Ink of one centred line of lettering whose glyph cell is `cell` world
// units, with its top at `top`; `mirrored` flips it for faces whose s runs
// to the viewer's left.
bool Lettering(const char *text, float s, float t, float centreS, float top,
               float cell, bool mirrored) {
  const float x = mirrored ? 1.0f - s : s;
  const float col = (x - centreS) / cell + TextCells(text) * 0.5f;
  const float row = (top - t) / cell;
  if (row < -1.0f || row > kGlyphHeight + 1.0f)
    return false;
  return TextDistance(text, col, row) < 0.52f;
}

// ---- front: s runs from z = 4.5 to 3.5, which is left to right for a
// viewer facing it from +x, and t up, so it is drawn unmirrored.

Rgb FrontShade(float s, float t) {
  Rgb colour = BodyPaint(s, t, 1, 1);
  const float door = BoxDistance(s, t, 0.5f, 0.5f, 0.42f, 0.44f, 0.02f);
  if (std::fabs(door) < 0.006f)
    return Rgb8(44, 46, 44); // door seam
  if (door > 0.0f) {
    colour = colour * 0.9f;
  } else if (door > -0.026f) {
    // Pressed edge of the door: lit from above and the left.
    const float dx = std::fabs(s - 0.5f) - 0.42f,
                dy = std::fabs(t - 0.5f) - 0.44f;
    float facing =
        dx > dy ? (s < 0.5f ? 1.12f : 0.88f) : (t > 0.5f ? 1.15f : 0.85f);
    colour = colour * facing;
  }
  // Four screws in the frame corners.
  const float corners[4][2] = {
      {0.04f, 0.03f}, {0.96f, 0.03f}, {0.04f, 0.97f}, {0.96f, 0.97f}};
  for (const auto &c : corners) {
    const float k = ScrewShade(s, t, c[0], c[1], 0.016f);
    if (k > 0.0f)
      return Rgb8(150, 152, 148) * k;
  }
  // Hinges straddling the left seam.
  for (float hy : {0.22f, 0.78f}) {
    const float d = BoxDistance(s, t, 0.08f, hy, 0.014f, 0.05f, 0.006f);
    if (d < 0.0f)
      return Rgb8(92, 94, 92) * (s < 0.08f ? 1.2f : 0.85f);
  }
  // Handle and lock on the right.
  const float handle = BoxDistance(s, t, 0.855f, 0.53f, 0.016f, 0.09f, 0.014f);
  if (handle < 0.0f)
    return Rgb8(40, 40, 44) * (s < 0.85f ? 1.6f : 1.0f);
  const float lock = std::hypot(s - 0.855f, t - 0.37f);
  if (lock < 0.024f) {
    if (std::fabs(s - 0.855f) < 0.004f && std::fabs(t - 0.37f) < 0.013f)
      return Rgb8(20, 20, 20); // key slot
    return Rgb8(196, 196, 188) * (1.15f - 4.0f * lock);
  }
  // Warning sign: yellow triangle, black border, black lightning bolt.
  const float cx = 0.47f, cy = 0.65f, side = 0.36f, h = side * 0.866f;
  const float xs[3] = {cx, cx - side / 2, cx + side / 2};
  const float ys[3] = {cy + 2 * h / 3, cy - h / 3, cy - h / 3};
  const float tri = TriangleDistance(s, t, xs, ys);
  if (tri < 0.02f) {
    if (tri > -0.006f)
      return Rgb8(16, 16, 16);
    const float bs = 0.85f; // bolt scale
    const float bx[7] = {0.035f,  -0.01f, -0.05f, -0.005f,
                         -0.035f, 0.055f, 0.012f};
    const float by[7] = {0.115f, 0.115f, 0.0f, 0.0f, -0.11f, 0.03f, 0.03f};
    float px[7], py[7];
    for (int i = 0; i < 7; ++i) {
      px[i] = cx + bx[i] * bs;
      py[i] = cy + 0.015f + by[i] * bs;
    }
    if (InsidePolygon(s, t, px, py, 7))
      return Rgb8(16, 16, 16);
    return Rgb8(250, 204, 16) *
           (0.96f + 0.06f * ValueNoise(103, s * 90, t * 90));
  }
  // Label plate under the sign.
  const float plate = BoxDistance(s, t, 0.47f, 0.31f, 0.25f, 0.1f, 0.012f);
  if (plate < 0.0f) {
    if (plate > -0.007f)
      return Rgb8(20, 20, 20);
    if (Lettering("DANGER", s, t, 0.47f, 0.385f, 0.0105f, false))
      return Rgb8(196, 28, 22);
    if (Lettering("400 V", s, t, 0.47f, 0.28f, 0.0095f, false))
      return Rgb8(20, 20, 20);
    return Rgb8(240, 236, 224);
  }
  // Vent slots near the foot of the door.
  if (s > 0.28f && s < 0.66f && t > 0.085f && t < 0.175f) {
    const float f = Fract((t - 0.085f) / 0.022f);
    if (f < 0.4f)
      return Rgb8(30, 32, 30);
    if (f < 0.55f)
      return colour * 0.8f;
  }
  return colour;
}

// ---- back: s runs from z = 4.5 to 3.5, which is right to left for a
// viewer facing it from -x, so its tag is drawn mirrored to read correctly.

Rgb BackShade(float s, float t) {
  Rgb colour = BodyPaint(s, t, 1, 1) * 0.95f;
  // Two horizontal stiffening ribs.
  for (float ry : {0.36f, 0.68f}) {
    const float d = t - ry;
    if (std::fabs(d) < 0.012f && s > 0.06f && s < 0.94f)
      colour = colour * (d > 0.0f ? 1.15f : 0.78f);
  }
  const float corners[4][2] = {
      {0.05f, 0.05f}, {0.95f, 0.05f}, {0.05f, 0.95f}, {0.95f, 0.95f}};
  for (const auto &c : corners) {
    const float k = ScrewShade(s, t, c[0], c[1], 0.016f);
    if (k > 0.0f)
      return Rgb8(150, 152, 148) * k;
  }
  // Cable entry at the foot.
  const float gland = std::hypot(s - 0.5f, t - 0.12f);
  if (gland < 0.05f)
    return gland < 0.03f ? Rgb8(24, 24, 26)
                         : Rgb8(70, 72, 70) * (1.2f - 4 * gland);
  const float plate = BoxDistance(s, t, 0.5f, 0.83f, 0.16f, 0.06f, 0.01f);
  if (plate < 0.0f) {
    if (plate > -0.006f)
      return Rgb8(30, 30, 30);
    if (Lettering("EB-07", s, t, 0.5f, 0.868f, 0.0105f, true))
      return Rgb8(24, 24, 24);
    return Rgb8(226, 222, 206);
  }
  return colour;
}

// ---- side: 0.2 wide (s) by 1 tall (t); one side sees it mirrored, so it
// is symmetric in s.

Rgb SideShade(float s, float t) {
  const float across = s * 0.2f; // world units
  const float edge = std::min(across, 0.2f - across);
  Rgb colour = BodyPaint(s, t, 0.2f, 1.0f);
  if (edge < 0.008f)
    return colour * 0.72f; // folded corner of the sheet metal
  if (edge < 0.014f)
    colour = colour * 1.12f;
  // Louvres in the upper part, each a dark slot under a lit hood.
  if (edge > 0.035f && t > 0.6f && t < 0.86f) {
    const float f = Fract((t - 0.6f) / 0.04f);
    if (f > 0.35f && f < 0.7f)
      return Rgb8(28, 30, 28);
    if (f >= 0.7f && f < 0.82f)
      return colour * 1.25f;
  }
  return colour;
}

// ---- top: 0.2 (s) by 1 (t), symmetric in both directions.

Rgb TopShade(float s, float t) {
  const float edge = std::min(std::min(s, 1 - s) * 0.2f, std::min(t, 1 - t));
  Rgb colour = BodyPaint(s, t, 0.2f, 1.0f) * 1.05f;
  if (edge < 0.008f)
    return colour * 0.75f;
  if (edge < 0.016f)
    return colour * 1.15f;
  // A little settled dust.
  return colour * (0.95f + 0.08f * Fbm(104, s * 2, t * 10, 4));
}

Canvas Draw(Rgb (*shade)(float, float)) {
  return Painted(kSize, 4, shade);
}

} // namespace

Canvas MakeElectricBoxFront() {
  return Draw(FrontShade);
}
Canvas MakeElectricBoxBack() {
  return Draw(BackShade);
}
Canvas MakeElectricBoxSide() {
  return Draw(SideShade);
}
Canvas MakeElectricBoxTop() {
  return Draw(TopShade);
}
