// The floor's night light map: moonlight everywhere, warm pools under the
// six lamp posts and the four pillar lamps, a soft glow over the glass room.
#include <cmath>

#include "tools/make_textures/textures.h"

namespace {

constexpr int kSize = 256;

// The floor quad maps world x -4..11 to s 0..1 and z 11..-4 to t 0..1.
constexpr float kFloorMin = -4.0f, kFloorMax = 11.0f;

struct FloorPoint {
  float x, z;
};

constexpr FloorPoint kLampPosts[] = {{9.0f, -1.2f}, {3.5f, -1.2f},
                                     {9.0f, 2.0f},  {5.0f, 1.2f},
                                     {5.5f, 5.0f},  {9.0f, 8.0f}};
constexpr FloorPoint kPillarLamps[] = {
    {2.7f, -2.5f}, {-2.7f, -2.5f}, {-2.7f, 2.5f}, {2.7f, 2.5f}};

// Until the floor is drawn, every frame samples this map at unit 1's
// coordinate (0, 0) or (0, 1); with repeat wrapping that blends the four
// corner texels, which tint all the other surfaces at night. The corners
// are kept at this moonlight level so the rest of the scene stays visible.
Rgb Moonlight() {
  return Rgb8(50, 56, 86);
}

Rgb LightShade(float s, float t) {
  const float x = kFloorMin + (kFloorMax - kFloorMin) * s;
  const float z = kFloorMax - (kFloorMax - kFloorMin) * t;
  Rgb light = Moonlight();
  const Rgb warm = Rgb8(255, 212, 150);
  for (const FloorPoint &p : kLampPosts) {
    const float d = std::hypot(x - p.x, z - p.z);
    // A bright core with a wide, faint skirt.
    const float pool =
        0.9f * std::exp(-(d * d) / 0.7f) + 0.08f * std::exp(-(d * d) / 3.0f);
    light = light + warm * pool;
  }
  for (const FloorPoint &p : kPillarLamps) {
    const float d = std::hypot(x - p.x, z - p.z);
    light = light + warm * (0.35f * std::exp(-(d * d) / 0.6f));
  }
  // The lit room spills through its glass walls.
  const float room = BoxDistance(x, z, 0.0f, 0.0f, 2.5f, 2.5f);
  const float glow = room <= 0.0f ? 1.0f : std::exp(-(room * room) / 0.8f);
  light = light + Rgb8(190, 200, 230) * (0.34f * glow);
  return {Clamp01(light.r), Clamp01(light.g), Clamp01(light.b)};
}

} // namespace

Canvas MakeFloorLightMap() {
  return Painted(kSize, 2, LightShade);
}
