// GLU's quadrics, from the reference's description: the cylinder stands on
// z = 0 and rises to z = height, its radius going from base to top; the disk
// lies in z = 0 facing +z; the sphere is centred on the origin. Slices go
// round the z axis, starting on +y and turning towards +x; s falls from 1 to
// 0 round the way, t rises from 0 at the bottom (z = 0, or the sphere's -z
// pole) to 1 at the top; a disk's (s, t) is its (x, y) mapped from
// [-outer, outer] onto [0, 1]. Stacks run from the bottom up, except the
// sphere's, which run from the top pole down; the disk's loops run from the
// outer edge in, a solid centre closing as a fan. Normals point outwards.
#include "gl11/quadric_geometry.h"

#include <cmath>

namespace gl11 {
namespace {

// Angles of slice j, in float as the sines and cosines are sent.
void SliceAngle(int j, int slices, float *sine, float *cosine) {
  const float angle = j == slices ? 0.0f
                                  : 2.0f * static_cast<float>(M_PI) * j /
                                        static_cast<float>(slices);
  *sine = std::sin(angle);
  *cosine = std::cos(angle);
}

QuadricVertex CylinderVertex(const QuadricKey &k, int j, int i) {
  const double base = k.a, top = k.b, height = k.c;
  float sine, cosine;
  SliceAngle(j, k.slices, &sine, &cosine);
  const float along = static_cast<float>(i) / static_cast<float>(k.divisions);
  const float radius = static_cast<float>(base + (top - base) * along);
  // The side's slope tips the normal along z.
  float nz = static_cast<float>((base - top) / height);
  const float length = std::sqrt(1 + nz * nz);
  QuadricVertex v;
  v.position[0] = radius * sine;
  v.position[1] = radius * cosine;
  v.position[2] = static_cast<float>(height) * along;
  v.normal[0] = sine / length;
  v.normal[1] = cosine / length;
  v.normal[2] = nz / length;
  v.texCoord[0] = 1.0f - static_cast<float>(j) / static_cast<float>(k.slices);
  v.texCoord[1] = along;
  return v;
}

QuadricVertex DiskVertex(const QuadricKey &k, int j, float radius) {
  float sine, cosine;
  SliceAngle(j, k.slices, &sine, &cosine);
  const float outer = static_cast<float>(k.b);
  QuadricVertex v;
  v.position[0] = radius * sine;
  v.position[1] = radius * cosine;
  v.texCoord[0] = 0.5f + v.position[0] / (2 * outer);
  v.texCoord[1] = 0.5f + v.position[1] / (2 * outer);
  return v;
}

// Ring r of the sphere: 0 at the -z pole, stacks at the +z pole.
QuadricVertex SphereVertex(const QuadricKey &k, int j, int ring) {
  float sine, cosine;
  SliceAngle(j, k.slices, &sine, &cosine);
  const float polar =
      static_cast<float>(M_PI) *
      (1.0f - static_cast<float>(ring) / static_cast<float>(k.divisions));
  const float radius = static_cast<float>(k.a);
  QuadricVertex v;
  v.normal[0] = std::sin(polar) * sine;
  v.normal[1] = std::sin(polar) * cosine;
  v.normal[2] = std::cos(polar);
  for (int c = 0; c < 3; ++c) {
    v.position[c] = radius * v.normal[c];
  }
  v.texCoord[0] = 1.0f - static_cast<float>(j) / static_cast<float>(k.slices);
  v.texCoord[1] = static_cast<float>(ring) / static_cast<float>(k.divisions);
  return v;
}

// The band between two rings (stacks of a cylinder, rings of a sphere),
// lower ring first at each slice.
QuadricStrip Band(const QuadricKey &k,
                  QuadricVertex (*vertexAt)(const QuadricKey &, int, int),
                  int lower) {
  QuadricStrip band;
  for (int j = 0; j <= k.slices; ++j) {
    band.vertices.push_back(vertexAt(k, j, lower));
    band.vertices.push_back(vertexAt(k, j, lower + 1));
  }
  return band;
}

std::vector<QuadricStrip> DiskStrips(const QuadricKey &k) {
  std::vector<QuadricStrip> strips;
  const double inner = k.a, outer = k.b;
  const int loops = k.divisions;
  auto radiusOf = [&](int loop) {
    return static_cast<float>(outer - (outer - inner) * loop / loops);
  };
  const bool solid = inner == 0;
  if (solid) {
    QuadricStrip fan;
    fan.fan = true;
    fan.vertices.push_back(DiskVertex(k, 0, 0.0f));
    for (int j = k.slices; j >= 0; --j) {
      fan.vertices.push_back(DiskVertex(k, j, radiusOf(loops - 1)));
    }
    strips.push_back(fan);
  }
  for (int loop = 0; loop < loops - (solid ? 1 : 0); ++loop) {
    QuadricStrip band;
    for (int j = 0; j <= k.slices; ++j) {
      band.vertices.push_back(DiskVertex(k, j, radiusOf(loop)));
      band.vertices.push_back(DiskVertex(k, j, radiusOf(loop + 1)));
    }
    strips.push_back(band);
  }
  return strips;
}

} // namespace

std::vector<QuadricStrip> QuadricStrips(const QuadricKey &k) {
  std::vector<QuadricStrip> strips;
  switch (k.shape) {
  case QuadricShape::kCylinder:
    for (int stack = 0; stack < k.divisions; ++stack) {
      strips.push_back(Band(k, CylinderVertex, stack));
    }
    break;
  case QuadricShape::kDisk:
    strips = DiskStrips(k);
    break;
  case QuadricShape::kSphere:
    for (int ring = k.divisions - 1; ring >= 0; --ring) {
      strips.push_back(Band(k, SphereVertex, ring));
    }
    break;
  }
  return strips;
}

QuadricBatch Batch(const std::vector<QuadricStrip> &strips) {
  QuadricBatch batch;
  auto append = [&batch](const std::vector<QuadricVertex> &v) {
    batch.vertices.insert(batch.vertices.end(), v.begin(), v.end());
  };
  for (const QuadricStrip &s : strips) {
    if (s.fan) {
      batch.ranges.push_back({true, static_cast<int>(batch.vertices.size()),
                              static_cast<int>(s.vertices.size())});
      append(s.vertices);
    }
  }
  const int first = static_cast<int>(batch.vertices.size());
  for (const QuadricStrip &s : strips) {
    if (s.fan || s.vertices.empty()) {
      continue;
    }
    if (static_cast<int>(batch.vertices.size()) > first) {
      // Bands have an even count, so the join keeps the strip's turn.
      batch.vertices.push_back(batch.vertices.back());
      batch.vertices.push_back(s.vertices.front());
    }
    append(s.vertices);
  }
  const int count = static_cast<int>(batch.vertices.size()) - first;
  if (count > 0) {
    batch.ranges.push_back({false, first, count});
  }
  return batch;
}

} // namespace gl11
