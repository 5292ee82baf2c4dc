// Floor tiles, glass blocks, roof tiles and pillar stone, with the height
// fields behind the roof and pillar normal maps. Sizes are worked out in
// world units from the surfaces each picture is stretched over.
#include <algorithm>
#include <cmath>

#include "tools/make_textures/normal_map.h"
#include "tools/make_textures/textures.h"

namespace {

constexpr int kSize = 256;
constexpr float kPi = 3.14159265f;

// ---- floor: the one picture covers the 15 x 15 floor once ----------------

constexpr int kFloorTiles = 16;           // about 0.94 world units per tile
constexpr float kFloorGroutHalf = 0.045f; // in tile units

Rgb FloorShade(float s, float t) {
  const float u = s * kFloorTiles, v = t * kFloorTiles;
  const int ix = int(std::floor(u)), iy = int(std::floor(v));
  const float fx = u - ix, fy = v - iy;
  const float edge = std::min(std::min(fx, 1 - fx), std::min(fy, 1 - fy));
  const float dirt = 0.94f + 0.08f * Fbm(15, s * 5, t * 5, 4);
  if (edge < kFloorGroutHalf) {
    const float grain = 0.9f + 0.2f * ValueNoise(16, s * 400, t * 400);
    return Rgb8(118, 112, 102) * (grain * dirt);
  }
  // Each tile gets its own shade and a faint warm or cool cast.
  const float tone = 0.9f + 0.16f * Hash01(11, ix, iy);
  const float cast = Hash01(12, ix, iy) - 0.5f;
  Rgb base = Rgb8(200, 190, 170) * tone;
  base = base + Rgb{0.03f * cast, 0.0f, -0.03f * cast};
  // Marble veins: a distorted sine band, sharpened so it stays subtle.
  const float warp = Fbm(13, s * 20, t * 20, 5);
  const float vein =
      std::pow(1.0f - std::fabs(std::sin((u * 0.8f + v * 0.45f) * 1.7f +
                                         warp * 9.0f + Hash01(17, ix, iy) * 6)),
               6.0f);
  const float speck = 0.96f + 0.08f * ValueNoise(14, s * 512, t * 512);
  // Rounded tile edges catch less light.
  const float bevel =
      0.88f + 0.12f * Smoothstep(kFloorGroutHalf, kFloorGroutHalf + 0.1f, edge);
  return Mix(base, Rgb8(150, 140, 128), 0.35f * vein) * (speck * bevel * dirt);
}

// ---- glass blocks: 5 x 3 wall, the whole picture once --------------------

constexpr float kGlassWallWidth = 5.0f, kGlassWallHeight = 3.0f;
constexpr float kBlock = 0.5f;        // world size of one block
constexpr float kGlassMortar = 0.04f; // half joint, block units
constexpr float kGlassBevel = 0.14f;  // bevel width, block units

Rgb GlassShade(float s, float t) {
  const float u = s * kGlassWallWidth / kBlock;
  const float v = t * kGlassWallHeight / kBlock;
  const int bx = int(std::floor(u)), by = int(std::floor(v));
  const float fx = u - bx, fy = v - by;
  const float ex = std::min(fx, 1 - fx), ey = std::min(fy, 1 - fy);
  const float edge = std::min(ex, ey);
  if (edge < kGlassMortar) {
    const float grain = 0.92f + 0.12f * ValueNoise(21, s * 300, t * 180);
    return Rgb8(206, 208, 204) * grain;
  }
  Rgb glass = Rgb8(112, 146, 170) * (0.94f + 0.1f * Hash01(22, bx, by));
  float light = 1.0f;
  if (edge < kGlassMortar + kGlassBevel) {
    // The rim bulges: faces turned to the upper left are lit, the others
    // shaded, like light from above the lounge.
    const float k = 1.0f - (edge - kGlassMortar) / kGlassBevel;
    float facing;
    if (ex < ey)
      facing = fx < 0.5f ? 0.55f : -0.45f;
    else
      facing = fy > 0.5f ? 0.7f : -0.55f;
    light += facing * k * 0.6f;
  }
  // Rippled centre: concentric square waves, slightly wobbly.
  const float d = std::max(std::fabs(fx - 0.5f), std::fabs(fy - 0.5f));
  const float wobble = Fbm(23, s * 30, t * 18, 3);
  light += 0.045f * std::sin(d * 2 * kPi * 7.0f + wobble * 2.5f);
  // A soft glint near the upper-left of every block.
  const float gx = fx - 0.32f, gy = fy - 0.7f;
  const float glint = std::exp(-(gx * gx + gy * gy) / 0.012f);
  return glass * light + Grey(0.35f * glint);
}

// ---- roof: courses of overlapping tiles, eaves at t = 0, apex at t = 1 ---

constexpr int kRoofCourses = 12;
constexpr int kRoofTiles = 20;     // tiles per course across the base
constexpr float kRoofDrop = 0.35f; // rounded tile ends, in course units

struct RoofSpot {
  int course = 0, tile = 0;
  float across = 0; // -1 .. 1 across the tile
  float above = 0;  // course units above the tile's own lower edge
  float below = 0;  // course units below the lower edge of the course above
};

// Lower edge of a course at s, in course units: straight at the tile sides,
// dipping by kRoofDrop at each tile's middle.
float RoofLowerEdge(int course, float s, int *tile, float *across) {
  const float u = s * kRoofTiles + ((course & 1) ? 0.5f : 0.0f);
  const float fu = std::floor(u);
  const float x = (u - fu) * 2.0f - 1.0f;
  if (tile)
    *tile = int(fu);
  if (across)
    *across = x;
  return float(course) - kRoofDrop * std::sqrt(std::max(0.0f, 1.0f - x * x));
}

RoofSpot LocateRoof(float s, float t) {
  const float v = t * kRoofCourses;
  int course = int(std::floor(v));
  // The course above lies on top, so it owns the point once its rounded
  // ends reach down past it.
  if (v >= RoofLowerEdge(course + 1, s, nullptr, nullptr))
    ++course;
  RoofSpot spot;
  spot.course = course;
  spot.above = v - RoofLowerEdge(course, s, &spot.tile, &spot.across);
  spot.below = RoofLowerEdge(course + 1, s, nullptr, nullptr) - v;
  return spot;
}

Rgb RoofShade(float s, float t) {
  const RoofSpot spot = LocateRoof(s, t);
  const float pick = Hash01(31, spot.tile, spot.course);
  Rgb clay = Rgb8(156, 66, 42);
  if (pick < 0.25f)
    clay = Rgb8(124, 52, 36);
  else if (pick > 0.8f)
    clay = Rgb8(176, 88, 54);
  clay = clay * (0.92f + 0.12f * Hash01(32, spot.tile, spot.course));
  float light = 0.78f + 0.22f * std::cos(spot.across * kPi * 0.5f);
  if (spot.above < 0.07f)
    light *= 1.15f; // the rounded end catches the light
  light *= 1.0f - 0.55f * std::exp(-std::max(0.0f, spot.below) / 0.12f);
  if (std::fabs(spot.across) > 0.93f)
    light *= 0.45f; // gap between neighbouring tiles
  const float weather = 0.85f + 0.25f * Fbm(33, s * 40, t * 30, 4);
  const float speck = 0.94f + 0.1f * ValueNoise(34, s * 500, t * 500);
  return clay * (light * weather * speck);
}

float RoofHeight(float s, float t) {
  const RoofSpot spot = LocateRoof(s, t);
  // Each tile rests on the course below, so it is thickest at its lower end
  // and runs under the next course; tiles are slightly barrel shaped.
  float h = 1.0f - 0.5f * Clamp01(spot.above / (1.0f + kRoofDrop));
  h += 0.2f * std::cos(spot.across * kPi * 0.5f);
  if (std::fabs(spot.across) > 0.93f)
    h -= 0.25f;
  h += 0.03f * ValueNoise(35, s * 300, t * 300);
  return h;
}

// ---- pillar: a cylinder of radius 0.2 and height 3 ------------------------
// The texture wraps once around it; t = 0 is at the eaves and t = 1 at the
// floor, because the cylinder is drawn downward from the top.

constexpr float kPillarAround = 2.0f * kPi * 0.2f;
constexpr float kPillarHeight = 3.0f;
constexpr int kPillarBlocks = 4;      // blocks around
constexpr float kCapitalEnd = 0.04f;  // t where the top band ends
constexpr float kPlinthStart = 0.94f; // t where the floor band starts
constexpr int kPillarCourses = 9;
constexpr float kPillarJoint = 0.008f; // half joint, world units

struct PillarSpot {
  int band = 0; // 0 stone blocks, 1 top band, 2 floor band
  int block = 0, course = 0;
  float edge = 0; // world distance to the nearest joint or band line
};

PillarSpot LocatePillar(float s, float t) {
  PillarSpot spot;
  if (t < kCapitalEnd || t >= kPlinthStart) {
    spot.band = t < kCapitalEnd ? 1 : 2;
    const float line = t < kCapitalEnd ? kCapitalEnd : kPlinthStart;
    spot.edge = std::fabs(t - line) * kPillarHeight;
    return spot;
  }
  const float v =
      (t - kCapitalEnd) / (kPlinthStart - kCapitalEnd) * kPillarCourses;
  spot.course = int(std::floor(v));
  const float fy = v - spot.course;
  const float u = s * kPillarBlocks + ((spot.course & 1) ? 0.5f : 0.0f);
  spot.block = int(std::floor(u)) % kPillarBlocks;
  const float fx = u - std::floor(u);
  const float courseHeight =
      (kPlinthStart - kCapitalEnd) * kPillarHeight / kPillarCourses;
  spot.edge = std::min(std::min(fx, 1 - fx) * kPillarAround / kPillarBlocks,
                       std::min(fy, 1 - fy) * courseHeight);
  return spot;
}

Rgb PillarShade(float s, float t) {
  const PillarSpot spot = LocatePillar(s, t);
  // Noise lattices repeat around the pillar so the wrap has no seam.
  const float grain = Fbm(41, s * 16, t * 38, 4, 16, 0);
  const float speck = 0.93f + 0.1f * ValueNoise(42, s * 256, t * 256, 256, 0);
  if (spot.band != 0) {
    Rgb stone = Rgb8(150, 140, 124) * (0.9f + 0.2f * grain) * speck;
    if (spot.edge < 0.012f)
      stone = stone * 0.55f; // the line where the band meets the blocks
    else if (spot.edge < 0.03f)
      stone = stone * 1.1f;
    return stone;
  }
  if (spot.edge < kPillarJoint) {
    return Rgb8(112, 106, 96) * speck;
  }
  const float tone = 0.88f + 0.18f * Hash01(43, spot.block, spot.course);
  Rgb stone = Mix(Rgb8(196, 182, 156), Rgb8(176, 160, 136),
                  Hash01(44, spot.block, spot.course));
  const float chamfer =
      0.82f + 0.18f * Smoothstep(kPillarJoint, kPillarJoint + 0.02f, spot.edge);
  return stone * (tone * (0.86f + 0.24f * grain) * speck * chamfer);
}

float PillarHeight(float s, float t) {
  const PillarSpot spot = LocatePillar(s, t);
  const float rough = 0.04f * ValueNoise(45, s * 128, t * 128, 128, 0);
  if (spot.band != 0)
    return (spot.edge < 0.012f ? 0.6f : 1.2f) + rough;
  if (spot.edge < kPillarJoint)
    return 0.2f + rough;
  return 0.4f +
         0.6f * Smoothstep(kPillarJoint, kPillarJoint + 0.02f, spot.edge) +
         rough;
}

} // namespace

Canvas MakeFloor() {
  return Painted(kSize, 4, FloorShade);
}

Canvas MakeGlassBlocks() {
  return Painted(kSize, 4, GlassShade);
}

Canvas MakeRoof() {
  return Painted(kSize, 4, RoofShade);
}

Canvas MakeRoofBump() {
  return NormalMapFromHeights(SampleHeights(kSize, kSize, 3, RoofHeight), 5.0f,
                              true, false);
}

Canvas MakePillar() {
  return Painted(kSize, 4, PillarShade);
}

Canvas MakePillarBump() {
  return NormalMapFromHeights(SampleHeights(kSize, kSize, 3, PillarHeight),
                              4.0f, true, false);
}
