// GLU's quadric entry points: each call's triangles are made once per
// context and kept in a buffer, then drawn with the current state; the call
// leaves the current normal and texture coordinate as its last vertex did.
#include "gl11/api.h"
#include "gl11/context.h"

using namespace gl11;

struct tvl11_Quadric {
  bool normals = true; // GLU_SMOOTH, GLU's default
  bool texture = false;
};

namespace {

void Draw(tvl11_Quadric *quadric, const QuadricKey &key) {
  Context *c = Active();
  if (!c || !quadric) {
    return;
  }
  auto found = c->meshes.find(key);
  if (found == c->meshes.end()) {
    const std::vector<QuadricStrip> strips = QuadricStrips(key);
    const std::vector<QuadricVertex> triangles = Triangles(strips);
    Mesh mesh;
    mesh.count = static_cast<int>(triangles.size());
    if (!strips.empty() && !strips.back().vertices.empty()) {
      mesh.last = strips.back().vertices.back();
    }
    c->gl.GenBuffers(1, &mesh.buffer);
    c->gl.BindBuffer(GL_ARRAY_BUFFER, mesh.buffer);
    c->gl.BufferData(
        GL_ARRAY_BUFFER,
        static_cast<GLsizeiptr>(triangles.size() * sizeof(QuadricVertex)),
        triangles.data(), GL_STATIC_DRAW);
    found = c->meshes.emplace(key, mesh).first;
  }
  const Mesh &mesh = found->second;
  DrawMesh(*c, mesh, quadric->normals, quadric->texture);
  if (quadric->normals) {
    tvl11_glNormal3f(mesh.last.normal[0], mesh.last.normal[1],
                     mesh.last.normal[2]);
  }
  if (quadric->texture) {
    tvl11_glTexCoord2f(mesh.last.texCoord[0], mesh.last.texCoord[1]);
  }
}

} // namespace

extern "C" {

// Never freed: the game keeps its one quadric for the life of the process.
tvl11_Quadric *tvl11_gluNewQuadric() {
  return new tvl11_Quadric;
}

void tvl11_gluQuadricNormals(tvl11_Quadric *quadric, GLenum normal) {
  if (quadric) {
    quadric->normals = normal != TVL11_GLU_NONE;
  }
}

void tvl11_gluQuadricTexture(tvl11_Quadric *quadric, GLboolean texture) {
  if (quadric) {
    quadric->texture = texture != GL_FALSE;
  }
}

void tvl11_gluCylinder(tvl11_Quadric *quadric, GLdouble base, GLdouble top,
                       GLdouble height, GLint slices, GLint stacks) {
  if (slices >= 2 && stacks >= 1 && height != 0) {
    Draw(quadric, {QuadricShape::kCylinder, base, top, height, slices, stacks});
  }
}

void tvl11_gluDisk(tvl11_Quadric *quadric, GLdouble inner, GLdouble outer,
                   GLint slices, GLint loops) {
  if (slices >= 3 && loops >= 1 && outer > 0 && inner >= 0 && inner < outer) {
    Draw(quadric, {QuadricShape::kDisk, inner, outer, 0, slices, loops});
  }
}

void tvl11_gluSphere(tvl11_Quadric *quadric, GLdouble radius, GLint slices,
                     GLint stacks) {
  if (slices >= 2 && stacks >= 1) {
    Draw(quadric, {QuadricShape::kSphere, radius, 0, 0, slices, stacks});
  }
}

} // extern "C"
