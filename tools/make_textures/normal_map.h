// Height fields sampled in texture coordinates and their conversion into
// tangent-space normal maps packed as 0.5 n + 0.5 per channel.
#pragma once

#include <vector>

#include "tools/make_textures/canvas.h"

struct HeightField {
  int width = 0;
  int height = 0;
  std::vector<float> values; // row 0 is the top of the picture, like Canvas

  float at(int x, int y) const { return values[std::size_t(y) * width + x]; }
};

// Mean of height(s, t) over n x n points per pixel, t up as in Paint.
template <class Height>
HeightField SampleHeights(int width, int height, int n, Height heightAt) {
  HeightField field;
  field.width = width;
  field.height = height;
  field.values.resize(std::size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float sum = 0.0f;
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
          sum += heightAt((x + (i + 0.5f) / n) / width,
                          1.0f - (y + (j + 0.5f) / n) / height);
      field.values[std::size_t(y) * width + x] = sum / float(n * n);
    }
  }
  return field;
}

// Normals from central differences of the field: red follows +s, green
// follows +t (up the picture), blue points out of the surface. `strength`
// scales height per pixel into slope. Edges wrap where the texture repeats
// on the geometry and clamp elsewhere, so a seam gets no false ridge.
Canvas NormalMapFromHeights(const HeightField &field, float strength,
                            bool wrapS, bool wrapT);
