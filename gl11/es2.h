// The OpenGL ES 2.0 functions the subset draws with, called through pointers
// the platform's loader gives (SDL natively, the browser's GL in a page), so
// nothing here links against a GL library.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

namespace gl11 {

struct Es2 {
#define TVL11_ES2_FUNCTIONS(X)                                                 \
  X(void, ActiveTexture, (GLenum))                                             \
  X(void, AttachShader, (GLuint, GLuint))                                      \
  X(void, BindAttribLocation, (GLuint, GLuint, const GLchar *))                \
  X(void, BindBuffer, (GLenum, GLuint))                                        \
  X(void, BindTexture, (GLenum, GLuint))                                       \
  X(void, BlendFunc, (GLenum, GLenum))                                         \
  X(void, BufferData, (GLenum, GLsizeiptr, const void *, GLenum))              \
  X(void, BufferSubData, (GLenum, GLintptr, GLsizeiptr, const void *))         \
  X(void, Clear, (GLbitfield))                                                 \
  X(void, ClearColor, (GLfloat, GLfloat, GLfloat, GLfloat))                    \
  X(void, ClearDepthf, (GLfloat))                                              \
  X(void, CompileShader, (GLuint))                                             \
  X(GLuint, CreateProgram, ())                                                 \
  X(GLuint, CreateShader, (GLenum))                                            \
  X(void, DeleteShader, (GLuint))                                              \
  X(void, DepthFunc, (GLenum))                                                 \
  X(void, Disable, (GLenum))                                                   \
  X(void, DisableVertexAttribArray, (GLuint))                                  \
  X(void, DrawArrays, (GLenum, GLint, GLsizei))                                \
  X(void, Enable, (GLenum))                                                    \
  X(void, EnableVertexAttribArray, (GLuint))                                   \
  X(void, GenBuffers, (GLsizei, GLuint *))                                     \
  X(void, GenTextures, (GLsizei, GLuint *))                                    \
  X(GLenum, GetError, ())                                                      \
  X(void, GetIntegerv, (GLenum, GLint *))                                      \
  X(void, GetProgramInfoLog, (GLuint, GLsizei, GLsizei *, GLchar *))           \
  X(void, GetProgramiv, (GLuint, GLenum, GLint *))                             \
  X(void, GetShaderInfoLog, (GLuint, GLsizei, GLsizei *, GLchar *))            \
  X(void, GetShaderiv, (GLuint, GLenum, GLint *))                              \
  X(GLint, GetUniformLocation, (GLuint, const GLchar *))                       \
  X(void, LinkProgram, (GLuint))                                               \
  X(void, PixelStorei, (GLenum, GLint))                                        \
  X(void, ReadPixels,                                                          \
    (GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void *))                  \
  X(void, ShaderSource,                                                        \
    (GLuint, GLsizei, const GLchar *const *, const GLint *))                   \
  X(void, TexImage2D,                                                          \
    (GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum,            \
     const void *))                                                            \
  X(void, TexParameteri, (GLenum, GLenum, GLint))                              \
  X(void, Uniform1f, (GLint, GLfloat))                                         \
  X(void, Uniform1i, (GLint, GLint))                                           \
  X(void, Uniform3fv, (GLint, GLsizei, const GLfloat *))                       \
  X(void, Uniform4fv, (GLint, GLsizei, const GLfloat *))                       \
  X(void, UniformMatrix3fv, (GLint, GLsizei, GLboolean, const GLfloat *))      \
  X(void, UniformMatrix4fv, (GLint, GLsizei, GLboolean, const GLfloat *))      \
  X(void, UseProgram, (GLuint))                                                \
  X(void, VertexAttrib3f, (GLuint, GLfloat, GLfloat, GLfloat))                 \
  X(void, VertexAttrib4f, (GLuint, GLfloat, GLfloat, GLfloat, GLfloat))        \
  X(void, VertexAttribPointer,                                                 \
    (GLuint, GLint, GLenum, GLboolean, GLsizei, const void *))                 \
  X(void, Viewport, (GLint, GLint, GLsizei, GLsizei))

#define TVL11_ES2_POINTER(ret, name, args) ret(GLAPIENTRY *name) args = nullptr;
  TVL11_ES2_FUNCTIONS(TVL11_ES2_POINTER)
#undef TVL11_ES2_POINTER
};

// Fills every pointer through the loader; false when one is missing.
bool LoadEs2(Es2 *gl, void *(*loader)(const char *name));

} // namespace gl11
