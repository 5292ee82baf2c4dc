// The viewer: eye, the point looked at (the player's location) and up vector,
// with the operations that place, walk and turn it. No GL, no platform.
#pragma once

struct Vec3 {
  float x, y, z;

  // Sets nothing, so objects in static storage start at (0, 0, 0).
  Vec3() = default;
  Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  Vec3 operator-(const Vec3 &b) const {
    return Vec3(x - b.x, y - b.y, z - b.z);
  }
};

struct Camera {
  Vec3 position;  // the eye
  Vec3 viewPoint; // the point looked at
  Vec3 upVector;

  void place(float positionX, float positionY, float positionZ, float viewX,
             float viewY, float viewZ, float upX, float upY, float upZ);
  // Moves eye and view point together along the horizontal part of the line
  // of sight, by speed times the eye-to-view-point distance.
  void moveAlongView(float speed);
  // Swings the eye about the vertical line through the view point (radians).
  void rotateEyeAboutViewPoint(float angle);
  // Swings the view point about the vertical line through the eye (radians).
  void rotateViewPointAboutEye(float angle);
};

// The one camera of the process: all zero until the scene places it.
extern Camera camera;
