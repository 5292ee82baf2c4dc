// The passes of one frame, drawn in the order DrawScene calls them, and the
// small helpers they share. Internal to render/.
#pragma once

#include "game/collision.h"
#include "image/texture_slots.h"
#include "platform/gl.h"
#include "render/gl_objects.h"

// ---- Helpers ----------------------------------------------------------------

// Unit n is GL_TEXTURE0_ARB + n.
inline void SelectTextureUnit(int unit) {
  glActiveTextureARB(GL_TEXTURE0_ARB + unit);
}

// Binds a slot's texture to GL_TEXTURE_2D of the active unit.
inline void BindSlot(TextureSlot slot) {
  glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
}

// A corner of a hand-built face: texture coordinates, then position.
struct TexturedVertex {
  GLfloat s, t;
  GLfloat x, y, z;
};

// glBegin(mode), each vertex's glTexCoord2f and glVertex3f, glEnd (room.cpp).
void SendTexturedBatch(GLenum mode, const TexturedVertex *vertices, int count);
template <int N>
void SendTexturedBatch(GLenum mode, const TexturedVertex (&vertices)[N]) {
  SendTexturedBatch(mode, vertices, N);
}

// ---- The frame's steps (frame.cpp), in the order DrawScene runs them ------

void SetLights();
void DrawRoof();
void DrawGlassWalls();
void WriteGlassWallBoxes();
void DrawMarkerUnderPlayer();
void DrawGameOverPicture(); // also sets gameOver
void DrawFloor();
void DrawWindowStrips();
void DrawPillars();
void DrawPillarLamps();
void ResetMaterial();

// ---- Room (room.cpp)
// ----------------------------------------------------------

// How the roof's texture coordinates are sent: glTexCoord2f in the base pass,
// glMultiTexCoord2fARB for unit 0 in the bump pass.
enum class RoofCoords { kTexCoord, kUnit0 };

void DrawRoofTriangles(RoofCoords coords);
void DrawGlassWallQuads();
void DrawFloorQuad();
void DrawWindowStripQuads();
// The base pass fixes both units' coordinates before the first cylinder; the
// bump pass repeats the cylinders without that.
void DrawPillarCylinders(bool fixFirstPillarCoords);
void DrawPillarLampShapes();

// ---- Two-unit passes (passes.cpp)
// ----------------------------------------------

void DrawRoofBumpPass();
void DrawPillarBumpPass();
void SelectFloorTextures();

// ---- Props and balls (props.cpp)
// ------------------------------------------------

void DrawWoodenBlocks();
void DrawElectricBox();
void DrawLampPosts();
void DrawBalls();
