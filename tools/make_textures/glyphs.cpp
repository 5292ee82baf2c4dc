// The bitmap font table and the stroke-distance lettering built on it.
#include "tools/make_textures/glyphs.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tools/make_textures/canvas.h"

namespace {

struct Glyph {
  char letter;
  const char *rows[kGlyphHeight];
};

const Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
};

const Glyph *FindGlyph(char letter) {
  for (const Glyph &glyph : kGlyphs)
    if (glyph.letter == letter)
      return &glyph;
  return nullptr; // space and anything unknown draw nothing
}

bool Set(const Glyph *glyph, int x, int y) {
  if (!glyph || x < 0 || y < 0 || x >= kGlyphWidth || y >= kGlyphHeight)
    return false;
  return glyph->rows[y][x] == '#';
}

// Nearest stroke of one glyph whose top-left corner is at the origin.
float GlyphDistance(const Glyph *glyph, float col, float row) {
  float best = 1e9f;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      if (!Set(glyph, x, y))
        continue;
      const float cx = x + 0.5f, cy = y + 0.5f;
      best = std::min(best, std::hypot(col - cx, row - cy));
      // Right and down neighbours join by straight strokes; diagonals only
      // where no straight path already links the two cells, so corners stay
      // crisp and slanted letters (V, X, N, Z) stay continuous.
      if (Set(glyph, x + 1, y))
        best = std::min(best, SegmentDistance(col, row, cx, cy, cx + 1, cy));
      if (Set(glyph, x, y + 1))
        best = std::min(best, SegmentDistance(col, row, cx, cy, cx, cy + 1));
      for (int dx = -1; dx <= 1; dx += 2) {
        if (Set(glyph, x + dx, y + 1) && !Set(glyph, x + dx, y) &&
            !Set(glyph, x, y + 1))
          best = std::min(best,
                          SegmentDistance(col, row, cx, cy, cx + dx, cy + 1));
      }
    }
  }
  return best;
}

} // namespace

int TextCells(const char *text) {
  const int n = int(std::strlen(text));
  return n == 0 ? 0 : n * kGlyphAdvance - 1;
}

float TextDistance(const char *text, float col, float row) {
  const int n = int(std::strlen(text));
  float best = 1e9f;
  const int centre = int(std::floor(col / kGlyphAdvance));
  // A stroke reaches at most about a cell beyond its glyph, so the glyph
  // under the point and its two neighbours are enough.
  for (int i = centre - 1; i <= centre + 1; ++i) {
    if (i < 0 || i >= n)
      continue;
    const Glyph *glyph = FindGlyph(text[i]);
    if (glyph)
      best = std::min(
          best, GlyphDistance(glyph, col - float(i * kGlyphAdvance), row));
  }
  return best;
}
