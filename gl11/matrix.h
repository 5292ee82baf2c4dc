// 4 x 4 matrices in GL's column-major order, and the ones GL and GLU build.
#pragma once

namespace gl11 {

struct Mat4 {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  // Element at row r, column c.
  float &at(int r, int c) { return m[c * 4 + r]; }
  float at(int r, int c) const { return m[c * 4 + r]; }
};

Mat4 operator*(const Mat4 &a, const Mat4 &b);

// a * (x, y, z, w)
void Transform(const Mat4 &a, const float in[4], float out[4]);

Mat4 Translation(float x, float y, float z);
// Degrees about the axis (x, y, z), normalised first, as glRotatef.
Mat4 Rotation(float degrees, float x, float y, float z);
Mat4 Perspective(double fovyDegrees, double aspect, double zNear, double zFar);
Mat4 LookAt(const double eye[3], const double centre[3], const double up[3]);

// The inverse transpose of the upper left 3 x 3, column-major, which carries
// normals into eye space; the identity if that part is singular.
void NormalMatrix(const Mat4 &modelview, float out[9]);

} // namespace gl11
