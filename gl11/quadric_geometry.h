// The geometry of GLU's cylinder, disk and sphere as plain vertex lists, with
// no GL involved: positions, smooth normals and texture coordinates of each
// strip in the order GLU sends them, and the triangles they make.
#pragma once

#include <tuple>
#include <vector>

namespace gl11 {

struct QuadricVertex {
  float position[3] = {0, 0, 0};
  float normal[3] = {0, 0, 1};
  float texCoord[2] = {0, 0};
};

enum class QuadricShape { kCylinder, kDisk, kSphere };

// One call's parameters: a, b, c are (base, top, height), (inner, outer, -)
// or (radius, -, -); divisions are (slices, stacks) or (slices, loops).
struct QuadricKey {
  QuadricShape shape;
  double a, b, c;
  int slices, divisions;
  bool operator<(const QuadricKey &o) const {
    return std::tie(shape, a, b, c, slices, divisions) <
           std::tie(o.shape, o.a, o.b, o.c, o.slices, o.divisions);
  }
};

// Strips in sending order; a strip is a triangle strip (pairs of vertices
// across the band) or, when fan is set, a fan round its first vertex.
struct QuadricStrip {
  bool fan = false;
  std::vector<QuadricVertex> vertices;
};

std::vector<QuadricStrip> QuadricStrips(const QuadricKey &key);

// The strips ready for few draws: each fan a range of its own, and all the
// bands joined into one triangle strip, each join made of two repeated
// vertices, whose triangles have no area.
struct QuadricBatch {
  struct Range {
    bool fan;
    int first, count;
  };
  std::vector<QuadricVertex> vertices;
  std::vector<Range> ranges;
};

QuadricBatch Batch(const std::vector<QuadricStrip> &strips);

} // namespace gl11
