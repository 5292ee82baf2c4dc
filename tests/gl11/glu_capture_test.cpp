// The subset's quadrics and GLU matrices against the system's GLU: this
// program defines the GL calls GLU makes, so each GLU call is captured here
// as the primitives and matrices it sends, and compared value by value.
#include "gl11/matrix.h"
#include "gl11/quadric_geometry.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

struct Primitive {
  GLenum mode;
  std::vector<gl11::QuadricVertex> vertices;
};

struct Capture {
  std::vector<Primitive> primitives;
  gl11::QuadricVertex current;
  gl11::Mat4 matrix;
} capture;

void Multiply(const gl11::Mat4 &m) {
  capture.matrix = capture.matrix * m;
}

} // namespace

// The GL entry points the system's GLU calls for quadrics and matrices.
extern "C" {
void glBegin(GLenum mode) {
  capture.primitives.push_back({mode, {}});
}
void glEnd() {}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  capture.current.normal[0] = x;
  capture.current.normal[1] = y;
  capture.current.normal[2] = z;
}
void glNormal3fv(const GLfloat *v) {
  glNormal3f(v[0], v[1], v[2]);
}
void glTexCoord2f(GLfloat s, GLfloat t) {
  capture.current.texCoord[0] = s;
  capture.current.texCoord[1] = t;
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  gl11::QuadricVertex v = capture.current;
  v.position[0] = x;
  v.position[1] = y;
  v.position[2] = z;
  capture.primitives.back().vertices.push_back(v);
}
void glVertex3fv(const GLfloat *v) {
  glVertex3f(v[0], v[1], v[2]);
}
void glVertex2f(GLfloat x, GLfloat y) {
  glVertex3f(x, y, 0);
}
void glVertex2fv(const GLfloat *v) {
  glVertex3f(v[0], v[1], 0);
}
void glMultMatrixd(const GLdouble *m) {
  gl11::Mat4 f;
  for (int i = 0; i < 16; ++i) {
    f.m[i] = static_cast<float>(m[i]);
  }
  Multiply(f);
}
void glMultMatrixf(const GLfloat *m) {
  gl11::Mat4 f;
  std::memcpy(f.m, m, sizeof f.m);
  Multiply(f);
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  Multiply(gl11::Translation(static_cast<float>(x), static_cast<float>(y),
                             static_cast<float>(z)));
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Multiply(gl11::Translation(x, y, z));
}
} // extern "C"

namespace {

using gl11::QuadricKey;
using gl11::QuadricShape;

std::vector<Primitive> SystemGlu(const QuadricKey &k) {
  GLUquadric *q = gluNewQuadric();
  gluQuadricNormals(q, GLU_SMOOTH);
  gluQuadricTexture(q, GL_TRUE);
  capture = Capture();
  switch (k.shape) {
  case QuadricShape::kCylinder:
    gluCylinder(q, k.a, k.b, k.c, k.slices, k.divisions);
    break;
  case QuadricShape::kDisk:
    gluDisk(q, k.a, k.b, k.slices, k.divisions);
    break;
  case QuadricShape::kSphere:
    gluSphere(q, k.a, k.slices, k.divisions);
    break;
  }
  gluDeleteQuadric(q);
  return capture.primitives;
}

void ExpectNear(const float *a, const float *b, int n, const char *what) {
  for (int i = 0; i < n; ++i) {
    EXPECT_NEAR(a[i], b[i], 1e-5) << what << "[" << i << "]";
  }
}

// The game's quadrics, and others that reach the cone's sloped normal, the
// ring disk and a coarse sphere.
TEST(GluCapture, QuadricsSendWhatTheSystemGluSends) {
  const QuadricKey keys[] = {
      {QuadricShape::kCylinder, 0.2, 0.2, 3.0, 32, 32},
      {QuadricShape::kCylinder, 0.1, 0.1, 0.4, 32, 32},
      {QuadricShape::kCylinder, 0.3, 0.1, 2.0, 5, 3},
      {QuadricShape::kDisk, 0.0, 0.1, 32, 32, 32},
      {QuadricShape::kDisk, 0.1, 0.3, 7, 7, 2},
      {QuadricShape::kSphere, 0.1, 0, 0, 32, 32},
      {QuadricShape::kSphere, 2.0, 0, 0, 5, 3},
  };
  for (const QuadricKey &k : keys) {
    SCOPED_TRACE("shape " + std::to_string(static_cast<int>(k.shape)) +
                 ", slices " + std::to_string(k.slices));
    const std::vector<Primitive> glu = SystemGlu(k);
    const std::vector<gl11::QuadricStrip> ours = gl11::QuadricStrips(k);
    ASSERT_EQ(ours.size(), glu.size());
    for (std::size_t p = 0; p < glu.size(); ++p) {
      EXPECT_EQ(glu[p].mode, static_cast<GLenum>(ours[p].fan ? GL_TRIANGLE_FAN
                                                             : GL_QUAD_STRIP));
      ASSERT_EQ(ours[p].vertices.size(), glu[p].vertices.size());
      for (std::size_t v = 0; v < glu[p].vertices.size(); ++v) {
        SCOPED_TRACE("primitive " + std::to_string(p) + ", vertex " +
                     std::to_string(v));
        const gl11::QuadricVertex &a = ours[p].vertices[v];
        const gl11::QuadricVertex &b = glu[p].vertices[v];
        ExpectNear(a.position, b.position, 3, "position");
        ExpectNear(a.normal, b.normal, 3, "normal");
        ExpectNear(a.texCoord, b.texCoord, 2, "texCoord");
      }
    }
  }
}

using Corner = std::array<float, 8>;
using Triangle = std::array<Corner, 3>;

Corner CornerOf(const gl11::QuadricVertex &v) {
  return {v.position[0], v.position[1], v.position[2], v.normal[0],
          v.normal[1],   v.normal[2],   v.texCoord[0], v.texCoord[1]};
}

// A strip's or fan's triangles with area, corners sorted, for comparing
// as sets.
void AddTriangles(const gl11::QuadricVertex *v, int count, bool fan,
                  std::vector<Triangle> *out) {
  for (int i = 2; i < count; ++i) {
    Triangle t = {CornerOf(fan ? v[0] : v[i - 2]), CornerOf(v[i - 1]),
                  CornerOf(v[i])};
    if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) {
      continue;
    }
    std::sort(t.begin(), t.end());
    out->push_back(t);
  }
}

// Joining the bands into one strip adds only triangles without area.
TEST(GluCapture, TheBatchDrawsTheStripsTrianglesAndNoOthers) {
  const QuadricKey keys[] = {{QuadricShape::kDisk, 0.0, 1.0, 0, 6, 3},
                             {QuadricShape::kSphere, 1.0, 0, 0, 5, 4}};
  for (const QuadricKey &k : keys) {
    const std::vector<gl11::QuadricStrip> strips = gl11::QuadricStrips(k);
    std::vector<Triangle> separate, batched;
    for (const gl11::QuadricStrip &s : strips) {
      AddTriangles(s.vertices.data(), static_cast<int>(s.vertices.size()),
                   s.fan, &separate);
    }
    const gl11::QuadricBatch batch = gl11::Batch(strips);
    for (const gl11::QuadricBatch::Range &r : batch.ranges) {
      AddTriangles(&batch.vertices[r.first], r.count, r.fan, &batched);
    }
    std::sort(separate.begin(), separate.end());
    std::sort(batched.begin(), batched.end());
    EXPECT_EQ(batched, separate);
    EXPECT_LE(batch.ranges.size(), 2u);
  }
}

gl11::Mat4 SystemMatrix(void (*call)()) {
  capture = Capture();
  call();
  return capture.matrix;
}

TEST(GluCapture, PerspectiveAndLookAtMatchTheSystemGlu) {
  const gl11::Mat4 perspective =
      SystemMatrix([] { gluPerspective(45.0, 640.0 / 480.0, 0.1, 100.0); });
  ExpectNear(gl11::Perspective(45.0, 640.0 / 480.0, 0.1, 100.0).m,
             perspective.m, 16, "perspective");
  const gl11::Mat4 lookAt = SystemMatrix(
      [] { gluLookAt(1.0, -1.0, 0.5, -2.0, -1.2, 3.0, 0.0, 1.0, 0.0); });
  const double eye[3] = {1.0, -1.0, 0.5}, centre[3] = {-2.0, -1.2, 3.0},
               up[3] = {0.0, 1.0, 0.0};
  ExpectNear(gl11::LookAt(eye, centre, up).m, lookAt.m, 16, "look-at");
}

} // namespace
