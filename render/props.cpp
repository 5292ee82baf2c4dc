// The free-standing props (wooden blocks, electric box, lamp posts) and the
// balls; each writes its collision entry right after it is drawn.
#include "render/scene_parts.h"

#include "game/game_state.h"

namespace {

// An open-bottomed box from the floor up to y = -1, half-width w in x,
// between the planes z = za (drawn first) and z = zb.
void DrawWoodenBlock(GLfloat w, GLfloat za, GLfloat zb) {
  const TexturedVertex faces[20] = {
      {0.0f, 0.0f, -w, -1.5f, za}, {1.0f, 0.0f, w, -1.5f, za},
      {1.0f, 1.0f, w, -1.0f, za},  {0.0f, 1.0f, -w, -1.0f, za},
      {0.0f, 0.0f, -w, -1.5f, zb}, {1.0f, 0.0f, w, -1.5f, zb},
      {1.0f, 1.0f, w, -1.0f, zb},  {0.0f, 1.0f, -w, -1.0f, zb},
      {0.0f, 0.0f, w, -1.5f, zb},  {1.0f, 0.0f, w, -1.5f, za},
      {1.0f, 1.0f, w, -1.0f, za},  {0.0f, 1.0f, w, -1.0f, zb},
      {0.0f, 0.0f, -w, -1.5f, zb}, {1.0f, 0.0f, -w, -1.5f, za},
      {1.0f, 1.0f, -w, -1.0f, za}, {0.0f, 1.0f, -w, -1.0f, zb},
      {0.0f, 0.0f, w, -1.0f, zb},  {1.0f, 0.0f, -w, -1.0f, zb},
      {1.0f, 1.0f, -w, -1.0f, za}, {0.0f, 1.0f, w, -1.0f, za},
  };
  SendTexturedBatch(GL_QUADS, faces);
}

struct LampPost {
  GLfloat x, z;
  int entry;
};

const LampPost kLampPosts[6] = {{9.0f, -1.2f, 1}, {3.5f, -1.2f, 2},
                                {9.0f, 2.0f, 3},  {5.0f, 1.2f, 4},
                                {5.5f, 5.0f, 5},  {9.0f, 8.0f, 6}};

constexpr GLfloat kLampPostTop = -0.7f;

} // namespace

// Both blocks share one binding; each box is the footprint grown by 0.1.
void DrawWoodenBlocks() {
  SelectTextureUnit(0);
  BindSlot(kSlotWood);
  DrawWoodenBlock(0.75f, -1.75f, -2.25f);
  WriteBox(7, 0.85f, -0.9f, -1.65f, -0.85f, -1.6f, -2.35f);
  DrawWoodenBlock(0.5f, 1.75f, 2.25f);
  WriteBox(8, 0.6f, -0.9f, 2.35f, -0.6f, -1.6f, 1.65f);
}

// x 5.4 .. 5.6, y -1.5 .. -0.5, z 3.5 .. 4.5, one binding per batch.
void DrawElectricBox() {
  const TexturedVertex sides[8] = {
      {0.0f, 0.0f, 5.4f, -1.5f, 3.5f}, {1.0f, 0.0f, 5.6f, -1.5f, 3.5f},
      {1.0f, 1.0f, 5.6f, -0.5f, 3.5f}, {0.0f, 1.0f, 5.4f, -0.5f, 3.5f},
      {0.0f, 0.0f, 5.4f, -1.5f, 4.5f}, {1.0f, 0.0f, 5.6f, -1.5f, 4.5f},
      {1.0f, 1.0f, 5.6f, -0.5f, 4.5f}, {0.0f, 1.0f, 5.4f, -0.5f, 4.5f},
  };
  const TexturedVertex front[4] = {
      {0.0f, 0.0f, 5.6f, -1.5f, 4.5f},
      {1.0f, 0.0f, 5.6f, -1.5f, 3.5f},
      {1.0f, 1.0f, 5.6f, -0.5f, 3.5f},
      {0.0f, 1.0f, 5.6f, -0.5f, 4.5f},
  };
  const TexturedVertex back[4] = {
      {0.0f, 0.0f, 5.4f, -1.5f, 4.5f},
      {1.0f, 0.0f, 5.4f, -1.5f, 3.5f},
      {1.0f, 1.0f, 5.4f, -0.5f, 3.5f},
      {0.0f, 1.0f, 5.4f, -0.5f, 4.5f},
  };
  const TexturedVertex top[4] = {
      {0.0f, 0.0f, 5.6f, -0.5f, 4.5f},
      {1.0f, 0.0f, 5.4f, -0.5f, 4.5f},
      {1.0f, 1.0f, 5.4f, -0.5f, 3.5f},
      {0.0f, 1.0f, 5.6f, -0.5f, 3.5f},
  };
  struct Batch {
    TextureSlot slot;
    const TexturedVertex *corners;
    int count;
  };
  const Batch batches[4] = {{kSlotElectricBoxSide, sides, 8},
                            {kSlotElectricBoxFront, front, 4},
                            {kSlotElectricBoxBack, back, 4},
                            {kSlotElectricBoxTop, top, 4}};
  for (const Batch &batch : batches) {
    SelectTextureUnit(0);
    BindSlot(batch.slot);
    SendTexturedBatch(GL_QUADS, batch.corners, batch.count);
  }
  WriteBox(0, 5.7f, -0.4f, 4.6f, 5.3f, -1.6f, 3.4f);
}

// The rotation turns the quadric's +z to world -y: the shaft runs from
// y = -0.7 down to the floor and the cap closes its top end. The box is
// formed from the post's own values in single precision, which is why its
// top is -0.59999996 and not -0.6.
void DrawLampPosts() {
  for (const LampPost &post : kLampPosts) {
    SelectTextureUnit(0);
    BindSlot(kSlotLampPost);
    glPushMatrix();
    glTranslatef(post.x, kLampPostTop, post.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    gluCylinder(quadric, 0.1, 0.1, 0.8, 32, 32);
    BindSlot(kSlotLampPostTop);
    gluDisk(quadric, 0.0, 0.1, 32, 32);
    glPopMatrix();
    const float radius = 0.1f;
    WriteBox(post.entry, post.x + radius, kLampPostTop + radius,
             post.z + radius, post.x - radius, -1.5f, post.z - radius);
  }
}

// A collected ball is not drawn and its box is emptied again every frame.
// The box's y range lies below the sphere; the hit test ignores y.
void DrawBalls() {
  const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat shininess[] = {32.0f};
  const GLfloat diffuse[] = {0.0f, 0.2f, 0.7f, 1.0f};
  const GLfloat ambient[] = {0.0f, 0.0f, 0.2f, 1.0f};
  for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
    if (ballCollected[i]) {
      DisableBox(i);
      continue;
    }
    const float x = BallCentre(i).x;
    const float z = BallCentre(i).z;
    glPushMatrix();
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_SHININESS, shininess);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glEnable(GL_LIGHTING);
    glTranslatef(x, -1.0f, z);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    gluSphere(quadric, 0.1, 32, 32);
    glDisable(GL_LIGHTING);
    glPopMatrix();
    WriteBox(i, x + 0.1f, -1.1f, z + 0.1f, x - 0.1f, -1.3f, z - 0.1f);
  }
}
