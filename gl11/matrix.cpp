// Matrix products and the matrices of glTranslatef, glRotatef, gluPerspective
// and gluLookAt, as their reference pages define them.
#include "gl11/matrix.h"

#include <cmath>

namespace gl11 {

Mat4 operator*(const Mat4 &a, const Mat4 &b) {
  Mat4 out;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) {
        sum += a.at(r, k) * b.at(k, c);
      }
      out.at(r, c) = sum;
    }
  }
  return out;
}

void Transform(const Mat4 &a, const float in[4], float out[4]) {
  for (int r = 0; r < 4; ++r) {
    out[r] = a.at(r, 0) * in[0] + a.at(r, 1) * in[1] + a.at(r, 2) * in[2] +
             a.at(r, 3) * in[3];
  }
}

Mat4 Translation(float x, float y, float z) {
  Mat4 t;
  t.at(0, 3) = x;
  t.at(1, 3) = y;
  t.at(2, 3) = z;
  return t;
}

Mat4 Rotation(float degrees, float x, float y, float z) {
  Mat4 r;
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) {
    return r;
  }
  x /= length;
  y /= length;
  z /= length;
  const float radians = degrees * static_cast<float>(M_PI) / 180.0f;
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  const float k = 1 - c;
  r.at(0, 0) = x * x * k + c;
  r.at(0, 1) = x * y * k - z * s;
  r.at(0, 2) = x * z * k + y * s;
  r.at(1, 0) = y * x * k + z * s;
  r.at(1, 1) = y * y * k + c;
  r.at(1, 2) = y * z * k - x * s;
  r.at(2, 0) = x * z * k - y * s;
  r.at(2, 1) = y * z * k + x * s;
  r.at(2, 2) = z * z * k + c;
  return r;
}

Mat4 Perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
  const double f = 1.0 / std::tan(fovyDegrees * M_PI / 360.0);
  Mat4 p;
  p.at(0, 0) = static_cast<float>(f / aspect);
  p.at(1, 1) = static_cast<float>(f);
  p.at(2, 2) = static_cast<float>((zFar + zNear) / (zNear - zFar));
  p.at(2, 3) = static_cast<float>(2 * zFar * zNear / (zNear - zFar));
  p.at(3, 2) = -1;
  p.at(3, 3) = 0;
  return p;
}

namespace {

void Normalise(double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0) {
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
  }
}

void Cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

} // namespace

Mat4 LookAt(const double eye[3], const double centre[3], const double up[3]) {
  double f[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
  Normalise(f);
  double s[3], u[3];
  Cross(f, up, s);
  Normalise(s);
  Cross(s, f, u);
  Mat4 m;
  for (int c = 0; c < 3; ++c) {
    m.at(0, c) = static_cast<float>(s[c]);
    m.at(1, c) = static_cast<float>(u[c]);
    m.at(2, c) = static_cast<float>(-f[c]);
  }
  return m * Translation(static_cast<float>(-eye[0]),
                         static_cast<float>(-eye[1]),
                         static_cast<float>(-eye[2]));
}

void NormalMatrix(const Mat4 &a, float out[9]) {
  // Cofactors of the 3 x 3 part: the inverse transpose is cofactor / det.
  float cof[3][3];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int r1 = (r + 1) % 3, r2 = (r + 2) % 3;
      const int c1 = (c + 1) % 3, c2 = (c + 2) % 3;
      cof[r][c] = a.at(r1, c1) * a.at(r2, c2) - a.at(r1, c2) * a.at(r2, c1);
    }
  }
  const float det =
      a.at(0, 0) * cof[0][0] + a.at(0, 1) * cof[0][1] + a.at(0, 2) * cof[0][2];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      out[c * 3 + r] = det != 0 ? cof[r][c] / det : (r == c ? 1.0f : 0.0f);
    }
  }
}

} // namespace gl11
