// The game-over picture. It is stretched over a quad 1.2 wide and 0.69 tall
// that faces the player, with s running left to right on screen and t up,
// so the lettering is laid out in world units and drawn unmirrored.
#include <algorithm>
#include <cmath>

#include "tools/make_textures/glyphs.h"
#include "tools/make_textures/textures.h"

namespace {

constexpr int kSize = 256;
constexpr float kQuadWidth = 1.2f, kQuadHeight = 0.69f;

struct Line {
  const char *text;
  float top;  // world units down from the quad's top edge
  float cell; // world size of one glyph cell
};

constexpr Line kTitle[] = {{"GAME", 0.065f, 0.027f}, {"OVER", 0.322f, 0.027f}};
constexpr Line kHint = {"R: NEW GAME", 0.548f, 0.0115f};

float LineDistance(const Line &line, float u, float v, float dx, float dy) {
  const float col =
      (u - kQuadWidth * 0.5f) / line.cell + TextCells(line.text) * 0.5f - dx;
  const float row = (v - line.top) / line.cell - dy;
  if (row < -3.0f || row > kGlyphHeight + 3.0f)
    return 1e9f;
  return TextDistance(line.text, col, row);
}

Rgb GameOverShade(float s, float t) {
  const float u = s * kQuadWidth;           // right from the left edge
  const float v = (1.0f - t) * kQuadHeight; // down from the top edge
  // Dark background, a touch lighter in the middle.
  const float cx = u / kQuadWidth - 0.5f, cy = v / kQuadHeight - 0.5f;
  const float vignette = 1.0f - 0.6f * (cx * cx + cy * cy) * 2.0f;
  Rgb colour =
      Mix(Rgb8(14, 16, 40), Rgb8(34, 10, 22), v / kQuadHeight) * vignette;
  // Gold frame with a thin inner line.
  const float frame =
      BoxDistance(u, v, kQuadWidth * 0.5f, kQuadHeight * 0.5f,
                  kQuadWidth * 0.5f - 0.03f, kQuadHeight * 0.5f - 0.03f, 0.03f);
  if (std::fabs(frame) < 0.012f) {
    const float bevel = 1.0f - 0.35f * std::fabs(frame) / 0.012f;
    return Rgb8(236, 186, 58) * bevel;
  }
  if (frame > 0.012f)
    return Rgb8(60, 40, 12);
  if (std::fabs(frame + 0.03f) < 0.003f)
    return Rgb8(180, 140, 48);

  for (const Line &line : kTitle) {
    const float d = LineDistance(line, u, v, 0.0f, 0.0f);
    if (d < 0.5f) {
      const float row = (v - line.top) / line.cell / kGlyphHeight;
      return Mix(Rgb8(255, 252, 214), Rgb8(255, 164, 36), Clamp01(row));
    }
    if (d < 0.78f)
      return Rgb8(110, 8, 8); // outline
    // Drop shadow down and to the right, then a red glow.
    if (LineDistance(line, u, v, 0.45f, 0.45f) < 0.6f)
      return Rgb8(0, 0, 0);
    if (d < 2.2f)
      colour = colour + Rgb8(90, 10, 8) * (1.0f - d / 2.2f);
  }
  if (LineDistance(kHint, u, v, 0.0f, 0.0f) < 0.55f)
    return Rgb8(214, 224, 255);
  return colour;
}

} // namespace

Canvas MakeGameOver() {
  return Painted(kSize, 4, GameOverShade);
}
