// MathVector's operations and the colour constants. Every result component
// is formed in double precision and rounded to float once, when stored.
#include "image/math_vector.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

float Store(double value) {
  return static_cast<float>(value);
}

double Radians(double degrees) {
  return degrees * kPi / 180.0;
}

} // namespace

const RgbaColour whiteColour(1.0f, 1.0f, 1.0f, 1.0f);
const RgbaColour blackColour(0.0f, 0.0f, 0.0f, 0.0f);
const RgbaColour redColour(1.0f, 0.0f, 0.0f, 1.0f);
const RgbaColour greenColour(0.0f, 1.0f, 0.0f, 1.0f);
const RgbaColour blueColour(0.0f, 0.0f, 1.0f, 1.0f);

float MathVector::length() const {
  double dx = x, dy = y, dz = z;
  return Store(std::sqrt(dx * dx + dy * dy + dz * dz));
}

void MathVector::normalise() {
  float l = length();
  if (l == 1.0f || l == 0.0f)
    return;
  float inverse = Store(1.0 / static_cast<double>(l));
  x = Store(static_cast<double>(inverse) * x);
  y = Store(static_cast<double>(inverse) * y);
  z = Store(static_cast<double>(inverse) * z);
}

MathVector MathVector::normalised() const {
  MathVector copy(*this);
  copy.normalise();
  return copy;
}

float MathVector::dot(const MathVector &other) const {
  return Store(static_cast<double>(x) * other.x +
               static_cast<double>(y) * other.y +
               static_cast<double>(z) * other.z);
}

MathVector MathVector::packedToUnitRange() const {
  MathVector copy(*this);
  copy.normalise();
  const MathVector half(0.5f, 0.5f, 0.5f);
  return copy * 0.5f + half;
}

void MathVector::packToUnitRange() {
  *this = packedToUnitRange();
}

MathVector MathVector::rotatedX(double degrees) const {
  double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  return MathVector(x, Store(c * y - s * z), Store(s * y + c * z));
}

MathVector MathVector::rotatedY(double degrees) const {
  double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  return MathVector(Store(c * x + s * z), y, Store(-s * x + c * z));
}

MathVector MathVector::rotatedZ(double degrees) const {
  double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  return MathVector(Store(c * x - s * y), Store(s * x + c * y), z);
}

MathVector MathVector::rotatedAxis(double degrees,
                                   const MathVector &axis) const {
  // Rodrigues' formula about the normalised axis; a zero axis rotates
  // nothing.
  double ax = axis.x, ay = axis.y, az = axis.z;
  double l = std::sqrt(ax * ax + ay * ay + az * az);
  if (l == 0.0)
    return *this;
  ax /= l;
  ay /= l;
  az /= l;
  double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  double d = ax * x + ay * y + az * z;
  double cx = ay * z - az * y, cy = az * x - ax * z, cz = ax * y - ay * x;
  return MathVector(Store(x * c + cx * s + ax * d * (1.0 - c)),
                    Store(y * c + cy * s + ay * d * (1.0 - c)),
                    Store(z * c + cz * s + az * d * (1.0 - c)));
}

void MathVector::rotateX(double degrees) {
  *this = rotatedX(degrees);
}
void MathVector::rotateY(double degrees) {
  *this = rotatedY(degrees);
}
void MathVector::rotateZ(double degrees) {
  *this = rotatedZ(degrees);
}
void MathVector::rotateAxis(double degrees, const MathVector &axis) {
  *this = rotatedAxis(degrees, axis);
}

MathVector MathVector::operator*(float scale) const {
  return MathVector(Store(static_cast<double>(x) * scale),
                    Store(static_cast<double>(y) * scale),
                    Store(static_cast<double>(z) * scale));
}

MathVector MathVector::operator+(const MathVector &other) const {
  return MathVector(Store(static_cast<double>(x) + other.x),
                    Store(static_cast<double>(y) + other.y),
                    Store(static_cast<double>(z) + other.z));
}

bool MathVector::operator==(const MathVector &other) const {
  return x == other.x && y == other.y && z == other.z;
}

MathVector operator*(float scale, const MathVector &vector) {
  return vector * scale;
}
