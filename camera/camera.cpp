// The camera's operations. Values are stored as floats; the turns take sine
// and cosine of the angle widened to double and round each sum once.
#include "camera/camera.h"

#include <cmath>

Camera camera;

void Camera::place(float positionX, float positionY, float positionZ,
                   float viewX, float viewY, float viewZ, float upX, float upY,
                   float upZ) {
  position = Vec3(positionX, positionY, positionZ);
  viewPoint = Vec3(viewX, viewY, viewZ);
  upVector = Vec3(upX, upY, upZ);
}

void Camera::moveAlongView(float speed) {
  const Vec3 d = viewPoint - position;
  // The y components stay: the player never climbs or sinks.
  position.x = position.x + d.x * speed;
  position.z = position.z + d.z * speed;
  viewPoint.x = viewPoint.x + d.x * speed;
  viewPoint.z = viewPoint.z + d.z * speed;
}

namespace {

// Rotates point about the vertical line through pivot by angle radians; both
// new coordinates come from the saved offset, z written first.
void RotateAbout(Vec3 &point, const Vec3 &pivot, float angle) {
  const Vec3 d = point - pivot;
  const double s = std::sin(static_cast<double>(angle));
  const double c = std::cos(static_cast<double>(angle));
  point.z = static_cast<float>(pivot.z + s * d.x + c * d.z);
  point.x = static_cast<float>(pivot.x + c * d.x - s * d.z);
}

} // namespace

void Camera::rotateEyeAboutViewPoint(float angle) {
  RotateAbout(position, viewPoint, angle);
}

void Camera::rotateViewPointAboutEye(float angle) {
  RotateAbout(viewPoint, position, angle);
}
