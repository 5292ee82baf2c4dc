// The GL 1.1 + GLU entry points the game calls, implemented over OpenGL ES
// 2.0 shaders (WebGL 1 in a browser). Declared under their own names, so a
// program can hold them beside the system's GL; gl11/rename.h points the
// game's calls here. GL types and tokens come from the system's GL headers.
//
// Has: modelview, projection and (per unit) texture matrix stacks;
// glBegin/glEnd for every primitive ES 2.0 draws, plus quads, quad strips
// and convex polygons; per-vertex lighting with three lights, front
// material, scene ambient and local viewer; two units of 2D or cube-map
// textures with MODULATE, REPLACE and COMBINE (REPLACE, MODULATE, DOT3_RGB,
// DOT3_RGBA of texture, previous and primary colour); GL's texture
// completeness rule; GLU mipmaps and smooth quadrics; glPushAttrib of the
// enables and current values; GL's stack limits and errors through
// glGetError for what it refuses, each distinct refusal said once on stderr;
// the queries of the state it keeps.
// Lacks (the game uses none of it): display lists, flat shading, fog,
// applying texture matrices, q coordinates, textures with alpha (refused),
// spot lights and attenuation, two-sided lighting, colour material,
// GL_NORMALIZE, depth read-back. An ES 3 context filters cube maps across
// faces; GL 1.1 clamps at each face.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

// The quadric object of gluNewQuadric (gl11/quadrics.cpp).
struct tvl11_Quadric;

// GLU's published token values, for the quadric settings the game makes.
#define TVL11_GLU_SMOOTH 100000
#define TVL11_GLU_NONE 100002

extern "C" {

// Server state, passed on to ES 2.0 or kept for the shaders.
void tvl11_glEnable(GLenum cap);
void tvl11_glDisable(GLenum cap);
void tvl11_glPushAttrib(GLbitfield mask); // GL_ENABLE_BIT, GL_CURRENT_BIT
void tvl11_glPopAttrib();
void tvl11_glShadeModel(GLenum mode); // GL_SMOOTH is all there is
void tvl11_glHint(GLenum target, GLenum mode);
void tvl11_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void tvl11_glClearDepth(GLclampd depth);
void tvl11_glClear(GLbitfield mask);
void tvl11_glDepthFunc(GLenum func);
void tvl11_glBlendFunc(GLenum sfactor, GLenum dfactor);
void tvl11_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
GLenum tvl11_glGetError();
void tvl11_glPixelStorei(GLenum pname, GLint param);
void tvl11_glReadBuffer(GLenum mode);
void tvl11_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, GLvoid *pixels);

// State queries, answered from the subset's own state where it keeps it.
void tvl11_glGetIntegerv(GLenum pname, GLint *params);
void tvl11_glGetFloatv(GLenum pname, GLfloat *params);
void tvl11_glGetDoublev(GLenum pname, GLdouble *params);
GLboolean tvl11_glIsEnabled(GLenum cap);
void tvl11_glGetLightfv(GLenum light, GLenum pname, GLfloat *params);
void tvl11_glGetMaterialfv(GLenum face, GLenum pname, GLfloat *params);
void tvl11_glGetTexEnviv(GLenum target, GLenum pname, GLint *params);
GLboolean tvl11_glIsTexture(GLuint texture);
void tvl11_glGetTexParameteriv(GLenum target, GLenum pname, GLint *params);
void tvl11_glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname,
                                    GLint *params);
void tvl11_glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type,
                         GLvoid *pixels);

// Matrices.
void tvl11_glMatrixMode(GLenum mode);
void tvl11_glLoadIdentity();
void tvl11_glPushMatrix();
void tvl11_glPopMatrix();
void tvl11_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void tvl11_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void tvl11_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear,
                          GLdouble zFar);
void tvl11_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ,
                     GLdouble centerX, GLdouble centerY, GLdouble centerZ,
                     GLdouble upX, GLdouble upY, GLdouble upZ);

// Vertices between glBegin and glEnd, and the current attributes.
void tvl11_glBegin(GLenum mode);
void tvl11_glEnd();
void tvl11_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void tvl11_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void tvl11_glColor3f(GLfloat r, GLfloat g, GLfloat b);
void tvl11_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void tvl11_glTexCoord2f(GLfloat s, GLfloat t);
void GLAPIENTRY tvl11_glMultiTexCoord2fARB(GLenum unit, GLfloat s, GLfloat t);
void GLAPIENTRY tvl11_glMultiTexCoord3fARB(GLenum unit, GLfloat s, GLfloat t,
                                           GLfloat r);

// Lighting.
void tvl11_glLightfv(GLenum light, GLenum pname, const GLfloat *params);
void tvl11_glLightModelfv(GLenum pname, const GLfloat *params);
void tvl11_glLightModelf(GLenum pname, GLfloat param);
void tvl11_glMaterialfv(GLenum face, GLenum pname, const GLfloat *params);

// Textures and their environments.
void GLAPIENTRY tvl11_glActiveTextureARB(GLenum unit);
void tvl11_glGenTextures(GLsizei n, GLuint *textures);
void tvl11_glBindTexture(GLenum target, GLuint texture);
void tvl11_glTexParameteri(GLenum target, GLenum pname, GLint param);
void tvl11_glTexImage2D(GLenum target, GLint level, GLint internalFormat,
                        GLsizei width, GLsizei height, GLint border,
                        GLenum format, GLenum type, const GLvoid *pixels);
void tvl11_glTexEnvi(GLenum target, GLenum pname, GLint param);
GLint tvl11_gluBuild2DMipmaps(GLenum target, GLint internalFormat,
                              GLsizei width, GLsizei height, GLenum format,
                              GLenum type, const void *data);

// Quadrics.
tvl11_Quadric *tvl11_gluNewQuadric();
void tvl11_gluQuadricNormals(tvl11_Quadric *quadric, GLenum normal);
void tvl11_gluQuadricTexture(tvl11_Quadric *quadric, GLboolean texture);
void tvl11_gluCylinder(tvl11_Quadric *quadric, GLdouble base, GLdouble top,
                       GLdouble height, GLint slices, GLint stacks);
void tvl11_gluDisk(tvl11_Quadric *quadric, GLdouble inner, GLdouble outer,
                   GLint slices, GLint loops);
void tvl11_gluSphere(tvl11_Quadric *quadric, GLdouble radius, GLint slices,
                     GLint stacks);

// The context the subset draws on, pushed by whoever makes contexts (the
// platform's faces); the subset itself knows no window system.
//
// Makes the subset draw on the context named by key (null: none) with ES
// 2.0 entry points from loader; state per key is made on first use.
void tvl11_MakeCurrent(const void *key, void *(*loader)(const char *));
void tvl11_ForgetContext(const void *key); // the context is deleted
// The context's GL objects are gone (WebGL context lost): nothing is drawn
// until they are back (restored), when the subset sends its server state
// again and re-creates programs, buffers and textures (from the images and
// parameters it kept) as they are next drawn with, so the next frame draws
// as before. False for a key it holds no state for.
void tvl11_ContextLost(const void *key);
bool tvl11_ContextRestored(const void *key);

} // extern "C"

// The ARB entry points wglGetProcAddress hands out, by name; null for others.
void (*tvl11_ProcAddress(const char *name))();
