// GLU's quadric entry points: each call's triangles are made once per
// context and kept in the context's mesh buffer, then drawn with the current
// state; the call leaves the current normal and texture coordinate as its last
// vertex did.
#include "gl11/api.h"
#include "gl11/context.h"

using namespace gl11;

struct gl11_Quadric {
  bool normals = true; // GLU_SMOOTH, GLU's default
  bool texture = false;
};

namespace {

// Strips, not triangles: the vertex shader runs about once per vertex GLU
// would send, and a few draws cover the whole quadric. Every mesh goes into
// the one shared buffer, so draws of different quadrics change no pointer.
Mesh MakeMesh(Context &c, const std::vector<QuadricStrip> &strips) {
  const QuadricBatch batch = Batch(strips);
  Mesh mesh;
  mesh.first = static_cast<int>(c.meshVertices.size());
  mesh.ranges = batch.ranges;
  if (!strips.empty() && !strips.back().vertices.empty()) {
    mesh.last = strips.back().vertices.back();
  }
  c.meshVertices.insert(c.meshVertices.end(), batch.vertices.begin(),
                        batch.vertices.end());
  return mesh;
}

void Draw(gl11_Quadric *quadric, const QuadricKey &key) {
  Context *c = Active();
  if (!c || !quadric) {
    return;
  }
  auto found = c->meshes.find(key);
  if (found == c->meshes.end()) {
    found = c->meshes.emplace(key, MakeMesh(*c, QuadricStrips(key))).first;
  }
  const Mesh &mesh = found->second;
  DrawMesh(*c, mesh, quadric->normals, quadric->texture);
  if (quadric->normals) {
    gl11_glNormal3f(mesh.last.normal[0], mesh.last.normal[1],
                    mesh.last.normal[2]);
  }
  if (quadric->texture) {
    gl11_glTexCoord2f(mesh.last.texCoord[0], mesh.last.texCoord[1]);
  }
}

} // namespace

extern "C" {

// Never freed: the game keeps its one quadric for the life of the process.
gl11_Quadric *gl11_gluNewQuadric() {
  return new gl11_Quadric;
}

void gl11_gluQuadricNormals(gl11_Quadric *quadric, GLenum normal) {
  if (quadric) {
    quadric->normals = normal != TVL11_GLU_NONE;
  }
}

void gl11_gluQuadricTexture(gl11_Quadric *quadric, GLboolean texture) {
  if (quadric) {
    quadric->texture = texture != GL_FALSE;
  }
}

void gl11_gluCylinder(gl11_Quadric *quadric, GLdouble base, GLdouble top,
                      GLdouble height, GLint slices, GLint stacks) {
  if (slices >= 2 && stacks >= 1 && height != 0) {
    Draw(quadric, {QuadricShape::kCylinder, base, top, height, slices, stacks});
  }
}

void gl11_gluDisk(gl11_Quadric *quadric, GLdouble inner, GLdouble outer,
                  GLint slices, GLint loops) {
  if (slices >= 3 && loops >= 1 && outer > 0 && inner >= 0 && inner < outer) {
    Draw(quadric, {QuadricShape::kDisk, inner, outer, 0, slices, loops});
  }
}

void gl11_gluSphere(gl11_Quadric *quadric, GLdouble radius, GLint slices,
                    GLint stacks) {
  if (slices >= 2 && stacks >= 1) {
    Draw(quadric, {QuadricShape::kSphere, radius, 0, 0, slices, stacks});
  }
}

} // extern "C"
