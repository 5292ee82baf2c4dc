// Drawing with the current state: the program for the state's shader key
// (made once per key and context), its uniforms sent when they differ from
// what that program was last given, and the vertices from the one stream
// buffer or the shared quadric mesh buffer. A WebGL call costs the page
// microseconds, so nothing ES 2.0 already holds is sent again.
#include "gl11/context.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

namespace gl11 {
namespace {

GLuint Compile(const Es2 &gl, GLenum type, const std::string &source) {
  const GLuint shader = gl.CreateShader(type);
  const char *text = source.c_str();
  gl.ShaderSource(shader, 1, &text, nullptr);
  gl.CompileShader(shader);
  GLint ok = 0;
  gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "gl11: shader does not compile: %s\n%s", log, text);
  }
  return shader;
}

Program Build(Context &c, const ShaderKey &key) {
  const Es2 &gl = c.gl;
  Program p;
  p.id = gl.CreateProgram();
  const GLuint vs = Compile(gl, GL_VERTEX_SHADER, VertexShaderSource(key));
  const GLuint fs = Compile(gl, GL_FRAGMENT_SHADER, FragmentShaderSource(key));
  gl.AttachShader(p.id, vs);
  gl.AttachShader(p.id, fs);
  const char *names[] = {"aPosition", "aNormal", "aColour", "aTexCoord0",
                         "aTexCoord1"};
  for (GLuint i = 0; i < 5; ++i) {
    gl.BindAttribLocation(p.id, i, names[i]);
  }
  gl.LinkProgram(p.id);
  gl.DeleteShader(vs);
  gl.DeleteShader(fs);
  GLint ok = 0;
  gl.GetProgramiv(p.id, GL_LINK_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    gl.GetProgramInfoLog(p.id, sizeof log, nullptr, log);
    std::fprintf(stderr, "gl11: program does not link: %s\n", log);
  }
  p.modelView = gl.GetUniformLocation(p.id, "uModelView");
  p.projection = gl.GetUniformLocation(p.id, "uProjection");
  p.normalMatrix = gl.GetUniformLocation(p.id, "uNormalMatrix");
  p.sceneColour = gl.GetUniformLocation(p.id, "uSceneColour");
  p.lightPosition = gl.GetUniformLocation(p.id, "uLightPosition");
  p.lightAmbient = gl.GetUniformLocation(p.id, "uLightAmbient");
  p.lightDiffuse = gl.GetUniformLocation(p.id, "uLightDiffuse");
  p.lightSpecular = gl.GetUniformLocation(p.id, "uLightSpecular");
  p.shininess = gl.GetUniformLocation(p.id, "uShininess");
  UseProgram(c, p.id);
  for (int i = 0; i < kUnitCount; ++i) {
    const std::string name = "uUnit" + std::to_string(i);
    gl.Uniform1i(gl.GetUniformLocation(p.id, name.c_str()), i);
  }
  return p;
}

bool Complete(const Context &c, GLuint name, bool cube) {
  const auto found = c.textures.find(name);
  if (found == c.textures.end()) {
    return false;
  }
  const TextureInfo &t = found->second;
  if (cube) {
    return t.faces == 0x3f && !t.mipmapped;
  }
  if ((t.levels & 1) == 0) {
    return false;
  }
  if (!t.mipmapped) {
    return true;
  }
  int size = t.width > t.height ? t.width : t.height;
  for (int level = 0; size > 0; ++level, size /= 2) {
    if ((t.levels & (1u << level)) == 0) {
      return false;
    }
  }
  return true;
}

// Cube maps take precedence over 2D textures on a unit.
TexTarget TargetOf(const Context &c, int unit) {
  const TextureUnit &u = c.units[unit];
  if (u.enabledCube) {
    return Complete(c, u.boundCube, true) ? TexTarget::kCube : TexTarget::kNone;
  }
  if (u.enabled2D) {
    return Complete(c, u.bound2D, false) ? TexTarget::k2D : TexTarget::kNone;
  }
  return TexTarget::kNone;
}

ShaderKey KeyOf(const Context &c) {
  ShaderKey key;
  key.lighting = c.enables.lighting;
  if (key.lighting) {
    key.localViewer = c.localViewer;
    for (int i = 0; i < kLightCount; ++i) {
      key.lightOn[i] = c.enables.light[i];
      key.lightPositional[i] = key.lightOn[i] && c.lights[i].position[3] != 0;
    }
  }
  for (int i = 0; i < kUnitCount; ++i) {
    const TexTarget target = TargetOf(c, i);
    if (target != TexTarget::kNone) {
      key.units[i] = c.units[i].env;
      key.units[i].target = target;
    }
  }
  return key;
}

void Product(const float a[4], const float b[4], float out[3]) {
  for (int i = 0; i < 3; ++i) {
    out[i] = a[i] * b[i];
  }
}

// The uniforms' places in Program::values, and their bits in sent.
enum Uniform {
  kModelView,
  kProjection,
  kNormalMatrix,
  kSceneColour,
  kLightPosition,
  kLightAmbient,
  kLightDiffuse,
  kLightSpecular,
  kShininess,
  kUniformCount
};
constexpr int kUniformSize[kUniformCount] = {16, 16, 9, 4, 12, 9, 9, 9, 1};
static_assert(sizeof(Program::values) / sizeof(float) ==
                  16 + 16 + 9 + 4 + 12 + 9 + 9 + 9 + 1,
              "Program::values holds every uniform");

// True when the program has not been given these values for the uniform,
// which it is then taken to hold.
bool Changed(Program &p, Uniform u, const float *values) {
  int offset = 0;
  for (int i = 0; i < u; ++i) {
    offset += kUniformSize[i];
  }
  float *kept = p.values + offset;
  const std::size_t bytes = sizeof(float) * kUniformSize[u];
  const unsigned bit = 1u << u;
  if ((p.sent & bit) && std::memcmp(kept, values, bytes) == 0) {
    return false;
  }
  std::memcpy(kept, values, bytes);
  p.sent |= bit;
  return true;
}

void SetLighting(const Context &c, Program &p) {
  const Es2 &gl = c.gl;
  const Material &m = c.material;
  float normal[9];
  NormalMatrix(c.modelview.back(), normal);
  if (Changed(p, kNormalMatrix, normal)) {
    gl.UniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, normal);
  }
  float scene[4];
  for (int i = 0; i < 3; ++i) {
    scene[i] = m.emission[i] + c.sceneAmbient[i] * m.ambient[i];
  }
  scene[3] = m.diffuse[3];
  if (Changed(p, kSceneColour, scene)) {
    gl.Uniform4fv(p.sceneColour, 1, scene);
  }
  float position[kLightCount][4], ambient[kLightCount][3],
      diffuse[kLightCount][3], specular[kLightCount][3];
  for (int i = 0; i < kLightCount; ++i) {
    const Light &l = c.lights[i];
    for (int k = 0; k < 4; ++k) {
      position[i][k] = l.position[k];
    }
    if (l.position[3] != 0) {
      for (int k = 0; k < 3; ++k) {
        position[i][k] /= l.position[3];
      }
    } else {
      // A direction: normalised once here rather than per vertex.
      const float length = std::sqrt(position[i][0] * position[i][0] +
                                     position[i][1] * position[i][1] +
                                     position[i][2] * position[i][2]);
      for (int k = 0; k < 3 && length > 0; ++k) {
        position[i][k] /= length;
      }
    }
    Product(l.ambient, m.ambient, ambient[i]);
    Product(l.diffuse, m.diffuse, diffuse[i]);
    Product(l.specular, m.specular, specular[i]);
  }
  if (Changed(p, kLightPosition, &position[0][0])) {
    gl.Uniform4fv(p.lightPosition, kLightCount, &position[0][0]);
  }
  if (Changed(p, kLightAmbient, &ambient[0][0])) {
    gl.Uniform3fv(p.lightAmbient, kLightCount, &ambient[0][0]);
  }
  if (Changed(p, kLightDiffuse, &diffuse[0][0])) {
    gl.Uniform3fv(p.lightDiffuse, kLightCount, &diffuse[0][0]);
  }
  if (Changed(p, kLightSpecular, &specular[0][0])) {
    gl.Uniform3fv(p.lightSpecular, kLightCount, &specular[0][0]);
  }
  if (Changed(p, kShininess, &m.shininess)) {
    gl.Uniform1f(p.shininess, m.shininess);
  }
}

// The program of the state in use with the state's uniforms, and the
// textures of its units bound; the state's key.
ShaderKey UseState(Context &c) {
  const ShaderKey key = KeyOf(c);
  const std::uint64_t packed = key.Pack();
  auto found = c.programs.find(packed);
  if (found == c.programs.end()) {
    found = c.programs.emplace(packed, Build(c, key)).first;
  }
  Program &p = found->second;
  const Es2 &gl = c.gl;
  UseProgram(c, p.id);
  if (Changed(p, kModelView, c.modelview.back().m)) {
    gl.UniformMatrix4fv(p.modelView, 1, GL_FALSE, c.modelview.back().m);
  }
  if (Changed(p, kProjection, c.projection.back().m)) {
    gl.UniformMatrix4fv(p.projection, 1, GL_FALSE, c.projection.back().m);
  }
  if (key.lighting) {
    SetLighting(c, p);
  }
  for (int i = 0; i < kUnitCount; ++i) {
    const TextureUnit &u = c.units[i];
    if (key.units[i].target != TexTarget::kNone &&
        std::memcmp(c.texture[i].back().m, Mat4().m, sizeof(Mat4::m)) != 0) {
      Warn("texture matrices are kept but not applied");
    }
    if (key.units[i].target == TexTarget::k2D) {
      BindUnitTexture(c, i, GL_TEXTURE_2D, EsTexture(c, u.bound2D));
    } else if (key.units[i].target == TexTarget::kCube) {
      BindUnitTexture(c, i, GL_TEXTURE_CUBE_MAP, EsTexture(c, u.boundCube));
    }
  }
  return key;
}

// The first vertex of these in the stream buffer, which is bound, with the
// attributes reading it.
int Stream(Context &c, const Vertex *vertices, int count) {
  const Es2 &gl = c.gl;
  if (c.streamBuffer == 0) {
    gl.GenBuffers(1, &c.streamBuffer);
    c.streamCapacity = c.streamUsed = 0;
  }
  BindArrayBuffer(c, c.streamBuffer);
  if (c.streamUsed + count > c.streamCapacity) {
    // A new store for the buffer: draws still reading the old one keep it.
    c.streamCapacity = std::max({c.streamCapacity, count, 4096});
    gl.BufferData(GL_ARRAY_BUFFER,
                  static_cast<GLsizeiptr>(sizeof(Vertex)) * c.streamCapacity,
                  nullptr, GL_STREAM_DRAW);
    c.streamUsed = 0;
  }
  const int first = c.streamUsed;
  gl.BufferSubData(GL_ARRAY_BUFFER,
                   static_cast<GLintptr>(sizeof(Vertex)) * first,
                   static_cast<GLsizeiptr>(sizeof(Vertex)) * count, vertices);
  c.streamUsed += count;
  const int stride = sizeof(Vertex);
  AttribArray(c, kPosition, 3, stride, offsetof(Vertex, position));
  AttribArray(c, kNormal, 3, stride, offsetof(Vertex, normal));
  AttribArray(c, kColour, 4, stride, offsetof(Vertex, colour));
  AttribArray(c, kTexCoord0, 3, stride, offsetof(Vertex, texCoord));
  AttribArray(c, kTexCoord1, 3, stride, offsetof(Vertex, texCoord) + 3 * 4);
  return first;
}

// The shared mesh buffer bound, with every mesh made so far in it.
void BindMeshes(Context &c) {
  const Es2 &gl = c.gl;
  if (c.meshBuffer == 0) {
    gl.GenBuffers(1, &c.meshBuffer);
    c.meshVerticesSent = 0;
  }
  BindArrayBuffer(c, c.meshBuffer);
  if (c.meshVerticesSent != c.meshVertices.size()) {
    gl.BufferData(
        GL_ARRAY_BUFFER,
        static_cast<GLsizeiptr>(c.meshVertices.size() * sizeof(QuadricVertex)),
        c.meshVertices.data(), GL_STATIC_DRAW);
    c.meshVerticesSent = c.meshVertices.size();
  }
}

} // namespace

// Nothing is drawn while the context's objects are lost.
void DrawVertices(Context &c, GLenum mode, const Vertex *vertices, int count) {
  if (count == 0 || c.lost) {
    return;
  }
  UseState(c);
  const int first = Stream(c, vertices, count);
  c.gl.DrawArrays(mode, first, count);
}

void DrawMesh(Context &c, const Mesh &mesh, bool normals, bool texture) {
  if (c.lost) {
    return;
  }
  const ShaderKey key = UseState(c);
  BindMeshes(c);
  const Current &now = c.current;
  const int stride = sizeof(QuadricVertex);
  AttribArray(c, kPosition, 3, stride, offsetof(QuadricVertex, position));
  // What the quadric does not send comes from the current values, where
  // the program reads it.
  const float *t0 = now.texCoord[0], *t1 = now.texCoord[1];
  const float normal[4] = {now.normal[0], now.normal[1], now.normal[2], 1};
  const float texCoord0[4] = {t0[0], t0[1], t0[2], 1};
  const float texCoord1[4] = {t1[0], t1[1], t1[2], 1};
  if (normals) {
    AttribArray(c, kNormal, 3, stride, offsetof(QuadricVertex, normal));
  } else if (ReadsAttribute(key, kNormal)) {
    AttribConstant(c, kNormal, normal);
  }
  if (ReadsAttribute(key, kColour)) {
    AttribConstant(c, kColour, now.colour);
  }
  if (texture) {
    AttribArray(c, kTexCoord0, 2, stride, offsetof(QuadricVertex, texCoord));
  } else if (ReadsAttribute(key, kTexCoord0)) {
    AttribConstant(c, kTexCoord0, texCoord0);
  }
  if (ReadsAttribute(key, kTexCoord1)) {
    AttribConstant(c, kTexCoord1, texCoord1);
  }
  for (const QuadricBatch::Range &r : mesh.ranges) {
    c.gl.DrawArrays(r.fan ? GL_TRIANGLE_FAN : GL_TRIANGLE_STRIP,
                    mesh.first + r.first, r.count);
  }
}

} // namespace gl11
