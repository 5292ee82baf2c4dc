// One frame of the lounge, top to bottom: view, lights, room, props, balls,
// then the material every surface of the next frame is lit with.
#include "render/frame.h"

#include "camera/camera.h"
#include "game/game_state.h"
#include "render/scene_parts.h"

// The three lights are the same directional light; set after the view, so
// they stay fixed in the world.
void SetLights() {
  const GLfloat position[] = {1.0f, 1.0f, 1.0f, 0.0f};
  const GLfloat ambient[] = {0.75f, 0.75f, 0.75f, 1.0f};
  const GLfloat diffuse[] = {lightLevel, lightLevel, lightLevel, 1.0f};
  const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 0.0f};
  const GLenum lights[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2};
  for (GLenum light : lights) {
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_DIFFUSE, diffuse);
    glLightfv(light, GL_SPECULAR, specular);
  }
  glEnable(GL_LIGHTING);
  const GLfloat modelAmbient[] = {0.75f, 0.75f, 0.75f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
  glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, 1.0f);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHT2);
}

void DrawRoof() {
  SelectTextureUnit(0);
  glEnable(GL_TEXTURE_2D);
  BindSlot(kSlotRoof);
  DrawRoofTriangles(RoofCoords::kTexCoord);
}

// The glass neither tests nor writes depth, so whatever later passes the
// depth test paints over it, even from behind.
void DrawGlassWalls() {
  SelectTextureUnit(0);
  glEnable(GL_TEXTURE_2D);
  BindSlot(kSlotGlassBlock);
  glEnable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 10.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  DrawGlassWallQuads();
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
}

// The wall at x = +2.5 has no box: the room is left through it.
void WriteGlassWallBoxes() {
  WriteBox(9, -2.4f, 1.6f, 2.6f, -2.6f, -1.6f, -2.6f);
  WriteBox(10, 2.6f, 1.6f, -2.4f, -2.6f, -1.6f, -2.6f);
  WriteBox(11, 2.6f, 1.6f, 2.6f, -2.6f, -1.6f, 2.4f);
}

// Under the view point, the spot the collision tests take as the player.
void DrawMarkerUnderPlayer() {
  glPushMatrix();
  glTranslatef(camera.viewPoint.x, 0.0f, camera.viewPoint.z);
  glRotatef(headingDegrees, 0.0f, 1.0f, 0.0f);
  DrawFloorMarker();
  glPopMatrix();
}

// Upright one unit beyond the view point, turned with the player, so it
// faces the viewer.
void DrawGameOverPicture() {
  SelectTextureUnit(0);
  glEnable(GL_TEXTURE_2D);
  BindSlot(kSlotGameOver);
  glPushMatrix();
  glTranslatef(camera.viewPoint.x, 0.0f, camera.viewPoint.z);
  glRotatef(headingDegrees, 0.0f, 1.0f, 0.0f);
  glTranslatef(0.0f, -1.0f, 0.0f);
  glBegin(GL_QUADS);
  glColor3f(1.0f, 0.0f, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(-1.0f, -0.2f, -0.6f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(-1.0f, 0.49f, -0.6f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-1.0f, 0.49f, 0.6f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-1.0f, -0.2f, 0.6f);
  glEnd();
  glPopMatrix();
  gameOver = true;
}

void DrawFloor() {
  SelectFloorTextures();
  DrawFloorQuad();
}

void DrawWindowStrips() {
  SelectTextureUnit(0);
  BindSlot(kSlotWindowStrip);
  DrawWindowStripQuads();
}

void DrawPillars() {
  SelectTextureUnit(0);
  BindSlot(kSlotPillar);
  DrawPillarCylinders(true);
}

void DrawPillarLamps() {
  SelectTextureUnit(0);
  glEnable(GL_TEXTURE_2D);
  BindSlot(kSlotPillarLight);
  DrawPillarLampShapes();
}

// Nothing before the balls sets a material, so the whole static scene of the
// next frame is lit with this one.
void ResetMaterial() {
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat shininess[] = {1.0f};
  glMaterialfv(GL_FRONT, GL_SPECULAR, white);
  glMaterialfv(GL_FRONT, GL_SHININESS, shininess);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
  glMaterialfv(GL_FRONT, GL_AMBIENT, white);
}

void DrawFloorMarker() {
  glTranslatef(0.0f, -1.0f, 0.0f);
  glBegin(GL_QUADS);
  glColor3f(1.0f, 0.0f, 0.0f);
  glVertex3f(-1.0f, -0.49f, 1.0f);
  glVertex3f(1.0f, -0.49f, 1.0f);
  glVertex3f(1.0f, -0.49f, -1.0f);
  glVertex3f(-1.0f, -0.49f, -1.0f);
  glEnd();
}

void BeginFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  gluLookAt(camera.position.x, camera.position.y, camera.position.z,
            camera.viewPoint.x, camera.viewPoint.y, camera.viewPoint.z,
            camera.upVector.x, camera.upVector.y, camera.upVector.z);
  SetLights();
}

bool DrawScene() {
  BeginFrame();
  DrawRoof();
  if (bumpMappingOn) {
    DrawRoofBumpPass();
  }
  DrawGlassWalls();
  WriteGlassWallBoxes();
  DrawMarkerUnderPlayer();
  if (ballsCollected >= 10) {
    DrawGameOverPicture();
  }
  DrawFloor();
  DrawWindowStrips();
  DrawWoodenBlocks();
  DrawElectricBox();
  DrawLampPosts();
  DrawPillars();
  if (bumpMappingOn) {
    DrawPillarBumpPass();
  }
  DrawPillarLamps();
  glDisable(GL_TEXTURE_2D); // unit 0, still the active unit
  DrawBalls();
  ResetMaterial();
  return true;
}
