// A small maths library of value types: MathVector (three floats) with the
// operations the cube-map builder needs and a few more, and RgbaColour.
// Each operation computes in double and stores its components as floats.
#pragma once

class MathVector {
public:
  MathVector() : x(0.0f), y(0.0f), z(0.0f) {}
  MathVector(float xValue, float yValue, float zValue)
      : x(xValue), y(yValue), z(zValue) {}

  void setX(float value) { x = value; }
  void setY(float value) { y = value; }
  void setZ(float value) { z = value; }
  float getX() const { return x; }
  float getY() const { return y; }
  float getZ() const { return z; }

  float length() const;
  // A zero vector, or one whose length is exactly 1, is left as it is.
  void normalise();
  MathVector normalised() const;
  float dot(const MathVector &other) const;

  // 0.5 * normalised + (0.5, 0.5, 0.5): a unit vector's components in 0..1.
  MathVector packedToUnitRange() const;
  void packToUnitRange();

  // Right-handed rotations by an angle in degrees.
  void rotateX(double degrees);
  void rotateY(double degrees);
  void rotateZ(double degrees);
  void rotateAxis(double degrees, const MathVector &axis);
  MathVector rotatedX(double degrees) const;
  MathVector rotatedY(double degrees) const;
  MathVector rotatedZ(double degrees) const;
  MathVector rotatedAxis(double degrees, const MathVector &axis) const;

  MathVector operator*(float scale) const;
  MathVector operator+(const MathVector &other) const;
  bool operator==(const MathVector &other) const;
  bool operator!=(const MathVector &other) const { return !(*this == other); }

private:
  float x;
  float y;
  float z;
};

MathVector operator*(float scale, const MathVector &vector);

struct RgbaColour {
  RgbaColour(float red, float green, float blue, float alpha)
      : r(red), g(green), b(blue), a(alpha) {}
  float r;
  float g;
  float b;
  float a;
};

extern const RgbaColour whiteColour; // (1, 1, 1, 1)
extern const RgbaColour blackColour; // (0, 0, 0, 0): alpha 0
extern const RgbaColour redColour;   // (1, 0, 0, 1)
extern const RgbaColour greenColour; // (0, 1, 0, 1)
extern const RgbaColour blueColour;  // (0, 0, 1, 1)
