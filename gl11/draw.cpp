// Drawing with the current state: the program for the state's shader key
// (made once per key and context), its uniforms, and the vertices from a
// streaming buffer or a quadric's own buffer.
#include "gl11/context.h"

#include <cmath>
#include <cstddef>
#include <cstdio>

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

Program Build(const Es2 &gl, const ShaderKey &key) {
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
  p.unit[0] = gl.GetUniformLocation(p.id, "uUnit0");
  p.unit[1] = gl.GetUniformLocation(p.id, "uUnit1");
  gl.UseProgram(p.id);
  for (int i = 0; i < kUnitCount; ++i) {
    gl.Uniform1i(p.unit[i], i);
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

void SetLighting(const Context &c, const Program &p) {
  const Es2 &gl = c.gl;
  const Material &m = c.material;
  float normal[9];
  NormalMatrix(c.modelview.back(), normal);
  gl.UniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, normal);
  float scene[4];
  for (int i = 0; i < 3; ++i) {
    scene[i] = m.emission[i] + c.sceneAmbient[i] * m.ambient[i];
  }
  scene[3] = m.diffuse[3];
  gl.Uniform4fv(p.sceneColour, 1, scene);
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
  gl.Uniform4fv(p.lightPosition, kLightCount, &position[0][0]);
  gl.Uniform3fv(p.lightAmbient, kLightCount, &ambient[0][0]);
  gl.Uniform3fv(p.lightDiffuse, kLightCount, &diffuse[0][0]);
  gl.Uniform3fv(p.lightSpecular, kLightCount, &specular[0][0]);
  gl.Uniform1f(p.shininess, m.shininess);
}

void UseState(Context &c) {
  const ShaderKey key = KeyOf(c);
  const std::uint64_t packed = key.Pack();
  auto found = c.programs.find(packed);
  if (found == c.programs.end()) {
    found = c.programs.emplace(packed, Build(c.gl, key)).first;
  }
  const Program &p = found->second;
  const Es2 &gl = c.gl;
  gl.UseProgram(p.id);
  gl.UniformMatrix4fv(p.modelView, 1, GL_FALSE, c.modelview.back().m);
  gl.UniformMatrix4fv(p.projection, 1, GL_FALSE, c.projection.back().m);
  if (key.lighting) {
    SetLighting(c, p);
  }
}

void Pointer(const Es2 &gl, Attribute a, int size, std::size_t stride,
             std::size_t offset) {
  gl.EnableVertexAttribArray(a);
  gl.VertexAttribPointer(a, size, GL_FLOAT, GL_FALSE,
                         static_cast<GLsizei>(stride),
                         reinterpret_cast<const void *>(offset));
}

} // namespace

void DrawVertices(Context &c, GLenum mode, const Vertex *vertices, int count) {
  if (count == 0) {
    return;
  }
  UseState(c);
  const Es2 &gl = c.gl;
  if (c.streamBuffer == 0) {
    gl.GenBuffers(1, &c.streamBuffer);
  }
  gl.BindBuffer(GL_ARRAY_BUFFER, c.streamBuffer);
  gl.BufferData(GL_ARRAY_BUFFER,
                static_cast<GLsizeiptr>(sizeof(Vertex)) * count, vertices,
                GL_STREAM_DRAW);
  const std::size_t stride = sizeof(Vertex);
  Pointer(gl, kPosition, 3, stride, offsetof(Vertex, position));
  Pointer(gl, kNormal, 3, stride, offsetof(Vertex, normal));
  Pointer(gl, kColour, 4, stride, offsetof(Vertex, colour));
  Pointer(gl, kTexCoord0, 3, stride, offsetof(Vertex, texCoord));
  Pointer(gl, kTexCoord1, 3, stride, offsetof(Vertex, texCoord) + 3 * 4);
  gl.DrawArrays(mode, 0, count);
}

void DrawMesh(Context &c, const Mesh &mesh, bool normals, bool texture) {
  UseState(c);
  const Es2 &gl = c.gl;
  const Current &now = c.current;
  gl.BindBuffer(GL_ARRAY_BUFFER, mesh.vertices);
  const std::size_t stride = sizeof(QuadricVertex);
  Pointer(gl, kPosition, 3, stride, offsetof(QuadricVertex, position));
  // What the quadric does not send comes from the current values.
  if (normals) {
    Pointer(gl, kNormal, 3, stride, offsetof(QuadricVertex, normal));
  } else {
    gl.DisableVertexAttribArray(kNormal);
    gl.VertexAttrib3f(kNormal, now.normal[0], now.normal[1], now.normal[2]);
  }
  gl.DisableVertexAttribArray(kColour);
  gl.VertexAttrib4f(kColour, now.colour[0], now.colour[1], now.colour[2],
                    now.colour[3]);
  if (texture) {
    Pointer(gl, kTexCoord0, 2, stride, offsetof(QuadricVertex, texCoord));
  } else {
    gl.DisableVertexAttribArray(kTexCoord0);
    gl.VertexAttrib3f(kTexCoord0, now.texCoord[0][0], now.texCoord[0][1],
                      now.texCoord[0][2]);
  }
  gl.DisableVertexAttribArray(kTexCoord1);
  gl.VertexAttrib3f(kTexCoord1, now.texCoord[1][0], now.texCoord[1][1],
                    now.texCoord[1][2]);
  for (const QuadricBatch::Range &r : mesh.ranges) {
    gl.DrawArrays(r.fan ? GL_TRIANGLE_FAN : GL_TRIANGLE_STRIP, r.first,
                  r.count);
  }
}

} // namespace gl11
