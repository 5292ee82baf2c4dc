// A 5 x 7 capital-letter font defined in code, drawn as rounded strokes so
// lettering stays smooth when a texture scales it up.
#pragma once

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6; // one empty column between letters

// Width of a line of text in cells; the last glyph has no trailing gap.
int TextCells(const char *text);

// Distance, in cells, from the point (col, row) to the nearest stroke of the
// text line: col runs right from the left edge of the first glyph, row runs
// down from the top of the line (the glyphs fill rows 0 to 7). Strokes join
// the centres of neighbouring set cells, so thresholding the distance at
// about 0.5 gives letters of even weight with rounded ends. Letters outside
// A-Z, 0-9 and " -.:!/" are blank.
float TextDistance(const char *text, float col, float row);
