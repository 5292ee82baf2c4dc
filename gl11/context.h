// One GL context's worth of fixed-function state as the subset keeps it, and
// the ES 2.0 objects it draws with. Internal to gl11/.
#pragma once

#include "gl11/es2.h"
#include "gl11/matrix.h"
#include "gl11/quadric_geometry.h"
#include "gl11/shader_source.h"

#include <cstring>
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
  GLuint bound2D = 0; // the game's names
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

// One image the game gave a texture, as ES 2.0 was given it, kept so the
// texture can be made again when the context's objects are lost.
struct TextureImage {
  GLenum target; // GL_TEXTURE_2D or a cube face
  int level, width, height;
  GLenum format; // GL_RGB or GL_LUMINANCE, tightly packed
  std::vector<unsigned char> pixels;
  GLint internalFormat; // as the game gave it, for glGetTexLevelParameteriv
};

// A texture under the name the game holds: its ES 2.0 object (0 until first
// bound, or after a loss), what GL's completeness rule needs (an incomplete
// texture turns its unit off, where ES 2.0 would sample black), and its
// images and parameters.
struct TextureInfo {
  GLuint es = 0;
  GLenum target = 0;
  int width = 0, height = 0;
  unsigned levels = 0;   // bit per 2D level defined
  unsigned faces = 0;    // bit per cube face defined at level 0
  bool mipmapped = true; // the minifying filter reads mipmaps (GL's default)
  std::vector<TextureImage> images;
  std::map<GLenum, GLint> parameters;
};

// A program, its uniforms' locations, and the values it was last given
// (valid where the bit of the uniform is set in sent).
struct Program {
  GLuint id = 0;
  GLint modelView, projection, normalMatrix, sceneColour, lightPosition,
      lightAmbient, lightDiffuse, lightSpecular, shininess;
  unsigned sent = 0;
  float values[16 + 16 + 9 + 4 + 12 + 9 + 9 + 9 + 1];
};

// A quadric's draws in the shared mesh buffer, and what its last vertex
// leaves behind.
struct Mesh {
  int first = 0; // its first vertex in the buffer
  std::vector<QuadricBatch::Range> ranges;
  QuadricVertex last;
};

// A value ES 2.0 holds, as the subset last sent it; unknown until sent.
template <typename T> struct Sent {
  T value{};
  bool known = false;
  // True when value differs from what was sent, which it then becomes.
  bool Change(const T &now) {
    if (known && value == now) {
      return false;
    }
    value = now;
    known = true;
    return true;
  }
};

struct AttribPointer {
  GLuint buffer;
  int size, stride;
  std::size_t offset;
  bool operator==(const AttribPointer &o) const {
    return buffer == o.buffer && size == o.size && stride == o.stride &&
           offset == o.offset;
  }
};

struct Float4 {
  float v[4];
  bool operator==(const Float4 &o) const {
    return std::memcmp(v, o.v, sizeof v) == 0;
  }
};

// What the subset last sent of ES 2.0's own state, so that what did not
// change is not sent again. Forgotten whole when the context's objects are
// lost.
struct EsState {
  Sent<GLuint> program;
  Sent<GLuint> arrayBuffer;
  Sent<int> activeUnit;
  Sent<GLuint> texture[kUnitCount][2]; // 2D, cube map
  Sent<bool> attribArray[kAttributeCount];
  Sent<AttribPointer> pointer[kAttributeCount];
  Sent<Float4> constant[kAttributeCount];
  Sent<bool> blend, depthTest;
  Sent<GLint> unpackAlignment;
};

// The server state the game set that ES 2.0 keeps, sent again after a loss.
struct Server {
  float clearColour[4] = {0, 0, 0, 0};
  float clearDepth = 1;
  GLenum depthFunc = GL_LESS;
  GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
  GLint viewport[4] = {0, 0, 0, 0};
  bool viewportSet = false;
};

// The stack depths GL lets a program rely on, as the system's GL gives them
// (GL itself requires at least 32, 2, 2 and 16).
constexpr std::size_t kModelviewDepth = 32;
constexpr std::size_t kProjectionDepth = 32;
constexpr std::size_t kTextureDepth = 10;
constexpr std::size_t kAttribDepth = 16;

struct Context {
  Context() {
    for (int k = 0; k < 4; ++k) {
      lights[0].diffuse[k] = lights[0].specular[k] = 1; // GL's light 0
    }
    for (std::vector<Mat4> &stack : texture) {
      stack.assign(1, Mat4());
    }
  }

  Es2 gl;
  std::vector<Mat4> modelview{Mat4()};
  std::vector<Mat4> projection{Mat4()};
  // Kept per unit, as GL keeps them, so that GL_TEXTURE mode never reaches
  // the other stacks; drawing does not apply them.
  std::vector<Mat4> texture[kUnitCount];
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

  // One stream buffer for glBegin/glEnd, filled in turn and orphaned when
  // full; its attribute pointers start at 0 and draws pick their first.
  GLuint streamBuffer = 0;
  int streamCapacity = 0, streamUsed = 0; // vertices
  // Every quadric's vertices in one buffer, also kept here.
  GLuint meshBuffer = 0;
  std::vector<QuadricVertex> meshVertices;
  std::size_t meshVerticesSent = 0;

  std::map<std::uint64_t, Program> programs;
  std::map<GLuint, TextureInfo> textures; // by the game's names
  std::map<QuadricKey, Mesh> meshes;
  int unpackAlignment = 4;
  int packAlignment = 4;
  Server server;
  EsState es;
  bool lost = false; // the context's objects are gone until restored

  GLenum error = GL_NO_ERROR; // the first since glGetError read one

  std::vector<Mat4> &Stack() {
    switch (matrixMode) {
    case GL_PROJECTION:
      return projection;
    case GL_TEXTURE:
      return texture[activeUnit];
    default:
      return modelview;
    }
  }
  Mat4 &Top() { return Stack().back(); }
  std::size_t MaxDepth() const {
    switch (matrixMode) {
    case GL_PROJECTION:
      return kProjectionDepth;
    case GL_TEXTURE:
      return kTextureDepth;
    default:
      return kModelviewDepth;
    }
  }
};

// The state of the context last made current (gl11_MakeCurrent); null when
// none is, or it lacks ES 2.0.
Context *Active();
// The state kept for a context, or null.
Context *StateOf(const void *key);

// The flag of an enable the subset keeps, or null when ES 2.0 keeps it (or
// nothing does) (gl11/state.cpp).
bool *EnableFlag(Context &c, GLenum cap);

// ES 2.0's state, sent only when it differs from what was sent last
// (gl11/es_state.cpp). Attribute arrays read the bound array buffer.
void UseProgram(Context &c, GLuint program);
void BindArrayBuffer(Context &c, GLuint buffer);
void AttribArray(Context &c, Attribute a, int size, int stride,
                 std::size_t offset);
void AttribConstant(Context &c, Attribute a, const float value[4]);
void SelectUnit(Context &c, int unit);
void BindUnitTexture(Context &c, int unit, GLenum target, GLuint es);
void SetCapability(Context &c, GLenum cap, bool on);
void SetUnpackAlignment(Context &c, GLint alignment);
// Forgets what ES 2.0 holds and sends the server state the game set again,
// for a context whose objects and state were lost.
void ResendServer(Context &c);

// Refuses a call as GL does: error (GL_INVALID_ENUM, GL_INVALID_OPERATION,
// a stack error) is kept for glGetError unless one is kept already, and what
// was refused is said on stderr once per call, value and error, in every
// build (gl11/errors.cpp).
void Refuse(Context &c, GLenum error, const char *call, GLenum value);
// Says once on stderr that the subset leaves something undone.
void Warn(const char *what);

// The ES 2.0 object of a texture the game names, made (and its kept images
// uploaded) when it has none (gl11/textures.cpp).
GLuint EsTexture(Context &c, GLuint name);

// Draws vertices with the current state (gl11/draw.cpp).
void DrawVertices(Context &c, GLenum mode, const Vertex *vertices, int count);
void DrawMesh(Context &c, const Mesh &mesh, bool normals, bool texture);

} // namespace gl11
