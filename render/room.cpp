// The room's geometry: pyramid roof, glass walls, floor, window strips,
// pillars and pillar lamps. Hand-built faces send no normal: they take the
// one the last quadric left.
#include "render/scene_parts.h"

namespace {

// The apex sits off the square's centre line.
constexpr GLfloat kApexX = 0.044556f;
constexpr GLfloat kApexY = 3.603399f;
constexpr GLfloat kApexZ = -0.230243f;

const TexturedVertex kRoof[12] = {
    // facing +z
    {0.0f, 0.0f, -3.5f, 1.5f, 3.5f},
    {1.0f, 0.0f, 3.5f, 1.5f, 3.5f},
    {0.5f, 1.0f, kApexX, kApexY, kApexZ},
    // facing -z
    {0.5f, 1.0f, kApexX, kApexY, kApexZ},
    {1.0f, 0.0f, 3.5f, 1.5f, -3.5f},
    {0.0f, 0.0f, -3.5f, 1.5f, -3.5f},
    // facing +x
    {0.0f, 0.0f, 3.5f, 1.5f, 3.5f},
    {1.0f, 0.0f, 3.5f, 1.5f, -3.5f},
    {0.5f, 1.0f, kApexX, kApexY, kApexZ},
    // facing -x
    {1.0f, 0.0f, -3.5f, 1.5f, -3.5f},
    {0.0f, 0.0f, -3.5f, 1.5f, 3.5f},
    {0.5f, 1.0f, kApexX, kApexY, kApexZ},
};

const TexturedVertex kGlassWalls[16] = {
    // z = 2.5
    {0.0f, 0.0f, -2.5f, -1.5f, 2.5f},
    {1.0f, 0.0f, 2.5f, -1.5f, 2.5f},
    {1.0f, 1.0f, 2.5f, 1.5f, 2.5f},
    {0.0f, 1.0f, -2.5f, 1.5f, 2.5f},
    // z = -2.5
    {0.0f, 0.0f, -2.5f, -1.5f, -2.5f},
    {1.0f, 0.0f, 2.5f, -1.5f, -2.5f},
    {1.0f, 1.0f, 2.5f, 1.5f, -2.5f},
    {0.0f, 1.0f, -2.5f, 1.5f, -2.5f},
    // x = 2.5
    {1.0f, 0.0f, 2.5f, -1.5f, 2.5f},
    {0.0f, 0.0f, 2.5f, -1.5f, -2.5f},
    {0.0f, 1.0f, 2.5f, 1.5f, -2.5f},
    {1.0f, 1.0f, 2.5f, 1.5f, 2.5f},
    // x = -2.5
    {1.0f, 0.0f, -2.5f, -1.5f, 2.5f},
    {0.0f, 0.0f, -2.5f, -1.5f, -2.5f},
    {0.0f, 1.0f, -2.5f, 1.5f, -2.5f},
    {1.0f, 1.0f, -2.5f, 1.5f, 2.5f},
};

// The whole floor picture once over the 15 x 15 quad.
const TexturedVertex kFloor[4] = {
    {0.0f, 0.0f, -4.0f, -1.5f, 11.0f},
    {1.0f, 0.0f, 11.0f, -1.5f, 11.0f},
    {1.0f, 1.0f, 11.0f, -1.5f, -4.0f},
    {0.0f, 1.0f, -4.0f, -1.5f, -4.0f},
};

// Two bands per wall, 0.005 outside the glass so they show from both sides.
const TexturedVertex kWindowStrips[32] = {
    // x = 2.505, upper
    {1.0f, 1.0f, 2.505f, 0.45f, 2.3f},
    {1.0f, 0.0f, 2.505f, 0.55f, 2.3f},
    {0.0f, 0.0f, 2.505f, 0.55f, -2.3f},
    {0.0f, 1.0f, 2.505f, 0.45f, -2.3f},
    // x = 2.505, lower
    {1.0f, 1.0f, 2.505f, -0.55f, 2.3f},
    {1.0f, 0.0f, 2.505f, -0.45f, 2.3f},
    {0.0f, 0.0f, 2.505f, -0.45f, -2.3f},
    {0.0f, 1.0f, 2.505f, -0.55f, -2.3f},
    // z = 2.505, lower
    {1.0f, 1.0f, 2.3f, -0.45f, 2.505f},
    {1.0f, 0.0f, -2.3f, -0.45f, 2.505f},
    {0.0f, 0.0f, -2.3f, -0.55f, 2.505f},
    {0.0f, 1.0f, 2.3f, -0.55f, 2.505f},
    // z = 2.505, upper
    {1.0f, 1.0f, 2.3f, 0.55f, 2.505f},
    {1.0f, 0.0f, -2.3f, 0.55f, 2.505f},
    {0.0f, 0.0f, -2.3f, 0.45f, 2.505f},
    {0.0f, 1.0f, 2.3f, 0.45f, 2.505f},
    // x = -2.505, lower
    {1.0f, 1.0f, -2.505f, -0.55f, 2.3f},
    {1.0f, 0.0f, -2.505f, -0.45f, 2.3f},
    {0.0f, 0.0f, -2.505f, -0.45f, -2.3f},
    {0.0f, 1.0f, -2.505f, -0.55f, -2.3f},
    // x = -2.505, upper
    {1.0f, 1.0f, -2.505f, 0.45f, 2.3f},
    {1.0f, 0.0f, -2.505f, 0.55f, 2.3f},
    {0.0f, 0.0f, -2.505f, 0.55f, -2.3f},
    {0.0f, 1.0f, -2.505f, 0.45f, -2.3f},
    // z = -2.505, lower
    {1.0f, 1.0f, 2.3f, -0.45f, -2.505f},
    {1.0f, 0.0f, -2.3f, -0.45f, -2.505f},
    {0.0f, 0.0f, -2.3f, -0.55f, -2.505f},
    {0.0f, 1.0f, 2.3f, -0.55f, -2.505f},
    // z = -2.505, upper
    {1.0f, 1.0f, 2.3f, 0.55f, -2.505f},
    {1.0f, 0.0f, -2.3f, 0.55f, -2.505f},
    {0.0f, 0.0f, -2.3f, 0.45f, -2.505f},
    {0.0f, 1.0f, 2.3f, 0.45f, -2.505f},
};

struct FloorSpot {
  GLfloat x, z;
};

const FloorSpot kPillars[4] = {
    {-2.5f, 2.5f}, {-2.5f, -2.5f}, {2.5f, 2.5f}, {2.5f, -2.5f}};
// Each on the outer side of a pillar, 0.2 from its axis.
const FloorSpot kPillarLamps[4] = {
    {2.7f, -2.5f}, {-2.7f, -2.5f}, {-2.7f, 2.5f}, {2.7f, 2.5f}};

} // namespace

void SendTexturedBatch(GLenum mode, const TexturedVertex *vertices, int count) {
  glBegin(mode);
  for (int i = 0; i < count; ++i) {
    glTexCoord2f(vertices[i].s, vertices[i].t);
    glVertex3f(vertices[i].x, vertices[i].y, vertices[i].z);
  }
  glEnd();
}

void DrawRoofTriangles(RoofCoords coords) {
  glBegin(GL_TRIANGLES);
  for (const TexturedVertex &v : kRoof) {
    if (coords == RoofCoords::kTexCoord) {
      glTexCoord2f(v.s, v.t);
    } else {
      glMultiTexCoord2fARB(GL_TEXTURE0_ARB, v.s, v.t);
    }
    glVertex3f(v.x, v.y, v.z);
  }
  glEnd();
}

void DrawGlassWallQuads() {
  SendTexturedBatch(GL_QUADS, kGlassWalls);
}

// Both units get the same coordinate, unit 0 first.
void DrawFloorQuad() {
  glBegin(GL_QUADS);
  for (const TexturedVertex &v : kFloor) {
    glMultiTexCoord2fARB(GL_TEXTURE0_ARB, v.s, v.t);
    glMultiTexCoord2fARB(GL_TEXTURE1_ARB, v.s, v.t);
    glVertex3f(v.x, v.y, v.z);
  }
  glEnd();
}

void DrawWindowStripQuads() {
  SendTexturedBatch(GL_QUADS, kWindowStrips);
}

// The rotation turns the quadric's +z to world -y: each pillar runs from the
// eaves down to the floor, without caps. Unit 1's coordinate fixed here stays
// (0, 0) until the next frame's floor, which is what the bump pass and the
// balls sample it at.
void DrawPillarCylinders(bool fixFirstPillarCoords) {
  bool first = true;
  for (const FloorSpot &p : kPillars) {
    glPushMatrix();
    glTranslatef(p.x, 1.5f, p.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    if (first && fixFirstPillarCoords) {
      glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0.0f, 0.0f);
      glMultiTexCoord2fARB(GL_TEXTURE1_ARB, 0.0f, 0.0f);
    }
    first = false;
    gluCylinder(quadric, 0.2, 0.2, 3.0, 32, 32);
    glPopMatrix();
  }
}

// Each lamp hangs from y = 1 to 0.6; its cap closes the top end.
void DrawPillarLampShapes() {
  for (const FloorSpot &p : kPillarLamps) {
    glPushMatrix();
    glTranslatef(p.x, 1.0f, p.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.1, 0.1, 0.4, 32, 32);
    gluDisk(quadric, 0.0, 0.1, 32, 32);
    glPopMatrix();
  }
}
