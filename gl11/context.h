// One GL context's worth of fixed-function state as the subset keeps it, and
// the ES 2.0 objects it draws with. Internal to gl11/.
#pragma once

#include "gl11/es2.h"
#include "gl11/matrix.h"
#include "gl11/quadric_geometry.h"
#include "gl11/shader_source.h"

#include <map>
#include <memory>
#include <vector>

namespace gl11 {

struct Light {
  float position[4] = {0, 0, 1, 0}; // eye space, as set
  float ambient[4] = {0, 0, 0, 1};
  float diffuse[4] = {0, 0, 0, 1};
  float specular[4] = {0, 0, 0, 1};
};

struct Material {
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
  float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
  float specular[4] = {0, 0, 0, 1};
  float emission[4] = {0, 0, 0, 1};
  float shininess = 0;
};

struct TextureUnit {
  bool enabled2D = false;
  bool enabledCube = false;
  GLuint bound2D = 0;
  GLuint boundCube = 0;
  UnitKey env; // target filled in at draw time
};

// The enables and current values glPushAttrib saves.
struct Enables {
  bool lighting = false;
  bool light[kLightCount] = {};
  bool blend = false;
  bool depthTest = false;
  bool texture2D[kUnitCount] = {};
  bool textureCube[kUnitCount] = {};
};

struct Current {
  float colour[4] = {1, 1, 1, 1};
  float normal[3] = {0, 0, 1};
  float texCoord[kUnitCount][3] = {};
};

struct Vertex {
  float position[3];
  float normal[3];
  float colour[4];
  float texCoord[kUnitCount][3];
};

// What a texture needs for GL's completeness rule: an incomplete texture
// turns its unit off, where ES 2.0 would sample black.
struct TextureInfo {
  GLenum target = 0;
  int width = 0, height = 0;
  unsigned levels = 0;   // bit per 2D level defined
  unsigned faces = 0;    // bit per cube face defined at level 0
  bool mipmapped = true; // the minifying filter reads mipmaps (GL's default)
};

struct Program {
  GLuint id = 0;
  GLint modelView, projection, normalMatrix, sceneColour, lightPosition,
      lightAmbient, lightDiffuse, lightSpecular, shininess, unit[kUnitCount];
};

// A quadric's vertices in a buffer, its draws, and what its last vertex
// leaves behind.
struct Mesh {
  GLuint vertices = 0;
  std::vector<QuadricBatch::Range> ranges;
  QuadricVertex last;
};

struct Context {
  Context() {
    for (int k = 0; k < 4; ++k) {
      lights[0].diffuse[k] = lights[0].specular[k] = 1; // GL's light 0
    }
  }

  Es2 gl;
  std::vector<Mat4> modelview{Mat4()};
  std::vector<Mat4> projection{Mat4()};
  GLenum matrixMode = GL_MODELVIEW;
  Light lights[kLightCount];
  float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
  bool localViewer = false;
  Material material;
  TextureUnit units[kUnitCount];
  int activeUnit = 0;
  Enables enables;
  Current current;
  std::vector<std::pair<Enables, Current>> attribStack;
  std::vector<unsigned> attribMasks;

  bool inBegin = false;
  GLenum primitive = 0;
  std::vector<Vertex> batch;
  std::vector<Vertex> triangles; // quads turned into triangles
  GLuint streamBuffer = 0;

  std::map<std::uint64_t, Program> programs;
  std::map<GLuint, TextureInfo> textures;
  std::map<QuadricKey, Mesh> meshes;
  int unpackAlignment = 4;
  int packAlignment = 4;

  Mat4 &Top() {
    return matrixMode == GL_PROJECTION ? projection.back() : modelview.back();
  }
};

// The state of the context last made current (tvl11_MakeCurrent); null when
// none is, or it lacks ES 2.0.
Context *Active();
// The state kept for a context, or null.
Context *StateOf(const void *key);

// Draws vertices with the current state (gl11/draw.cpp).
void DrawVertices(Context &c, GLenum mode, const Vertex *vertices, int count);
void DrawMesh(Context &c, const Mesh &mesh, bool normals, bool texture);

} // namespace gl11
