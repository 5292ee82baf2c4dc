// Draws the collision table as blue wire boxes: a loop at the bottom and at
// the top of each box, joined by its four vertical edges.
#include "render/collision_debug.h"

#include "game/collision.h"
#include "platform/gl.h"

namespace {

void DrawLoopAtHeight(const CollisionBox &b, float y) {
  glBegin(GL_LINE_LOOP);
  glVertex3f(b.min.x, y, b.min.z);
  glVertex3f(b.max.x, y, b.min.z);
  glVertex3f(b.max.x, y, b.max.z);
  glVertex3f(b.min.x, y, b.max.z);
  glEnd();
}

} // namespace

void DrawCollisionBoxes() {
  // Plain blue whatever the frame left enabled; the caller's state comes back.
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glColor3f(0.0f, 0.0f, 1.0f);
  for (const CollisionBox &b : collisionTable) {
    // A disabled box spans a million units inside out; it holds nothing.
    if (b.min.x > b.max.x || b.min.z > b.max.z) {
      continue;
    }
    DrawLoopAtHeight(b, b.min.y);
    DrawLoopAtHeight(b, b.max.y);
    glBegin(GL_LINES);
    glVertex3f(b.min.x, b.min.y, b.min.z);
    glVertex3f(b.min.x, b.max.y, b.min.z);
    glVertex3f(b.max.x, b.min.y, b.min.z);
    glVertex3f(b.max.x, b.max.y, b.min.z);
    glVertex3f(b.max.x, b.min.y, b.max.z);
    glVertex3f(b.max.x, b.max.y, b.max.z);
    glVertex3f(b.min.x, b.min.y, b.max.z);
    glVertex3f(b.min.x, b.max.y, b.max.z);
    glEnd();
  }
  glPopAttrib();
}
