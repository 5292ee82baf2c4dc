// Wood, painted lamp-post metal and its cap, the pillar lamps, the window
// strips and the plain white texture.
#include <algorithm>
#include <cmath>

#include "tools/make_textures/textures.h"

namespace {

constexpr int kSize = 256;
constexpr float kPi = 3.14159265f;

// ---- wood: grain runs along s, the long side of every block face ---------

constexpr int kPlanks = 4;

Rgb WoodShade(float s, float t) {
  const float v = t * kPlanks;
  const int plank = int(std::floor(v));
  const float ft = v - plank;
  if (ft < 0.018f || ft > 0.982f)
    return Rgb8(58, 34, 18); // gap between planks
  // Growth rings of a log whose axis lies along the plank, cut a little off
  // centre, drawn as distances from the axis bent by noise.
  const float axis = 0.25f + 0.5f * Hash01(51, plank, 0);
  const float offset = 10.0f * Hash01(52, plank, 1);
  const float bend = 0.35f * (Fbm(53 + plank, s * 2.5f, ft * 2, 4) - 0.5f);
  const float radius =
      std::fabs(ft - axis + bend) * 2.4f + 0.25f * s * Hash01(54, plank, 2);
  const float ring = Fract(radius * 6.0f + offset);
  const float late = std::pow(ring, 2.5f);
  const float fibre = ValueNoise(55, s * 10.0f, t * 360.0f);
  const float fleck = ValueNoise(56, s * 60.0f, t * 500.0f);
  Rgb light = Rgb8(190, 132, 80), dark = Rgb8(116, 68, 34);
  const float plankTone = 0.9f + 0.14f * Hash01(57, plank, 3);
  Rgb wood = Mix(light, dark, Clamp01(0.8f * late + 0.3f * fibre));
  wood = wood * (plankTone * (0.95f + 0.08f * fleck));
  // Slightly darker plank edges read as a bevel.
  const float edge = std::min(ft, 1 - ft);
  return wood * (0.85f + 0.15f * Smoothstep(0.018f, 0.06f, edge));
}

// ---- lamp post: cylinder of radius 0.1, height 0.8 ------------------------
// s wraps once around; t = 0 is the top of the shaft, t = 1 the floor.

Rgb LampPostShade(float s, float t) {
  Rgb paint = Rgb8(36, 50, 42);
  // Vertical streaks in the paint; lattices repeat around the shaft.
  const float streak = Fbm(61, s * 24, t * 3, 3, 24, 0);
  const float fine = ValueNoise(62, s * 256, t * 40, 256, 0);
  float light = 0.8f + 0.35f * streak + 0.08f * fine;
  const bool collar = t < 0.08f;
  const bool foot = t > 0.86f;
  if (collar || foot) {
    paint = Rgb8(46, 60, 52);
    // Raised rings: a bright line with a dark line beside it.
    const float rings[] = {0.02f, 0.075f, 0.865f, 0.905f, 0.965f};
    for (float r : rings) {
      const float d = t - r;
      if (std::fabs(d) < 0.006f)
        light *= d < 0.0f ? 1.6f : 0.55f;
    }
    // Scuffed paint shows a little rust at the foot.
    if (foot && Fbm(63, s * 12, t * 20, 4, 12, 0) > 0.66f)
      paint = Rgb8(112, 64, 34);
  }
  return paint * light;
}

// ---- lamp-post cap: a disk, which shows the circle inscribed in the square

Rgb LampPostCapShade(float s, float t) {
  const float dx = s - 0.5f, dy = t - 0.5f;
  const float r = std::sqrt(dx * dx + dy * dy) / 0.5f; // 1 at the rim
  const float angle = std::atan2(dy, dx);
  Rgb metal = Rgb8(42, 56, 48);
  float light = 0.7f + 0.35f * (1.0f - std::min(1.0f, r) * std::min(1.0f, r));
  // Fine radial brushing; the lattice repeats once around the disk.
  const float turn = (angle + kPi) / (2.0f * kPi);
  light *= 0.94f + 0.08f * ValueNoise(71, turn * 180.0f, r * 4, 180, 0);
  if (r > 0.8f && r < 0.88f)
    light *= 1.35f; // rolled rim
  else if (r >= 0.88f && r < 0.92f)
    light *= 0.5f;
  // Six screws on a circle, and a bolt in the middle.
  for (int i = 0; i < 6; ++i) {
    const float a = i * kPi / 3.0f;
    const float sx = 0.5f + 0.31f * std::cos(a),
                sy = 0.5f + 0.31f * std::sin(a);
    const float d = std::hypot(s - sx, t - sy);
    if (d < 0.026f)
      return Rgb8(130, 134, 126) * (d < 0.018f ? 1.0f : 0.6f);
  }
  if (r < 0.14f) {
    const float dome = 1.0f - r / 0.14f;
    return Mix(Rgb8(96, 100, 94), Rgb8(170, 174, 166), dome);
  }
  return metal * light;
}

// ---- pillar lamp: a cylinder of radius 0.1, height 0.4, with a disk cap ---
// The glowing glass fills the middle; brass rims close both ends of the
// cylinder, and the disk, which shows the centre, gets the hottest glow.

Rgb PillarLightShade(float s, float t) {
  if (t < 0.06f || t > 0.94f) {
    const float e = std::min(t, 1 - t) / 0.06f; // 0 at the end, 1 inside
    const float ridge = 0.75f + 0.45f * std::sin(e * kPi);
    return Rgb8(168, 124, 62) * ridge;
  }
  const float across = 1.0f - std::fabs(t - 0.5f) / 0.44f; // 1 in the middle
  const float glow = std::pow(Clamp01(across), 0.6f);
  const float dx = s - 0.5f, dy = t - 0.5f;
  const float hot = std::exp(-(dx * dx + dy * dy) / 0.025f);
  const float frost = 0.96f + 0.05f * ValueNoise(81, s * 64, t * 64, 64, 0);
  Rgb warm = Mix(Rgb8(255, 178, 92), Rgb8(255, 236, 196), glow);
  warm = Mix(warm, Rgb8(255, 252, 240), hot);
  return warm * frost;
}

// ---- window strips: 4.6 x 0.1 bands --------------------------------------
// On the x walls s runs along the band and t across; on the z walls the
// other way round. The picture is symmetric under swapping s and t, so it
// reads the same on all four walls: a framed, ribbed metal profile whose
// across shape comes from one coordinate and whose segment joints (and end
// caps) come from the other. Round details such as rivets cannot be drawn
// this way: a world-round dot is thin in one coordinate and tall in the
// other, and its mirror image would streak across the other walls' bands.

float StripProfile(float u) {
  // Widths are a compromise between the two scales: 0.01 of u is 0.001
  // world units across a band but 0.046 along it.
  const float e = std::min(u, 1 - u);
  if (e < 0.03f)
    return 0.6f; // outer lip in shadow
  if (e < 0.07f)
    return 1.12f; // bevel catching the light
  // Two grooves with a lit shoulder beside each: ribs across the band, and
  // joints between three segments along it.
  for (float g : {1.0f / 3.0f, 2.0f / 3.0f}) {
    const float d = std::fabs(u - g);
    if (d < 0.008f)
      return 0.68f;
    if (d < 0.02f)
      return 1.07f;
  }
  return 1.0f;
}

Rgb WindowStripShade(float s, float t) {
  Rgb metal = Rgb8(148, 154, 160);
  float light = StripProfile(s) * StripProfile(t);
  // Noise averaged with its mirror keeps the picture symmetric too.
  light *= 0.95f + 0.03f * (ValueNoise(91, s * 128, t * 128) +
                            ValueNoise(91, t * 128, s * 128));
  return metal * light;
}

} // namespace

Canvas MakeWood() {
  return Painted(kSize, 4, WoodShade);
}

Canvas MakeLampPost() {
  return Painted(kSize, 3, LampPostShade);
}

Canvas MakeLampPostCap() {
  return Painted(kSize, 4, LampPostCapShade);
}

Canvas MakePillarLight() {
  return Painted(kSize, 3, PillarLightShade);
}

Canvas MakeWindowStrip() {
  return Painted(kSize, 4, WindowStripShade);
}

Canvas MakeBlank() {
  return MakeCanvas(64, 64, Grey(1));
}
