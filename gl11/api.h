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
struct gl11_Quadric;

// GLU's published token values, for the quadric settings the game makes.
#define TVL11_GLU_SMOOTH 100000
#define TVL11_GLU_NONE 100002

extern "C" {

// Server state, passed on to ES 2.0 or kept for the shaders.
void gl11_glEnable(GLenum cap);
void gl11_glDisable(GLenum cap);
void gl11_glPushAttrib(GLbitfield mask); // GL_ENABLE_BIT, GL_CURRENT_BIT
void gl11_glPopAttrib();
void gl11_glShadeModel(GLenum mode); // GL_SMOOTH is all there is
void gl11_glHint(GLenum target, GLenum mode);
void gl11_glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void gl11_glClearDepth(GLclampd depth);
void gl11_glClear(GLbitfield mask);
void gl11_glDepthFunc(GLenum func);
void gl11_glBlendFunc(GLenum sfactor, GLenum dfactor);
void gl11_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
GLenum gl11_glGetError();
void gl11_glPixelStorei(GLenum pname, GLint param);
void gl11_glReadBuffer(GLenum mode);
void gl11_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height,
                       GLenum format, GLenum type, GLvoid *pixels);

// State queries, answered from the subset's own state where it keeps it.
void gl11_glGetIntegerv(GLenum pname, GLint *params);
void gl11_glGetFloatv(GLenum pname, GLfloat *params);
void gl11_glGetDoublev(GLenum pname, GLdouble *params);
GLboolean gl11_glIsEnabled(GLenum cap);
void gl11_glGetLightfv(GLenum light, GLenum pname, GLfloat *params);
void gl11_glGetMaterialfv(GLenum face, GLenum pname, GLfloat *params);
void gl11_glGetTexEnviv(GLenum target, GLenum pname, GLint *params);
GLboolean gl11_glIsTexture(GLuint texture);
void gl11_glGetTexParameteriv(GLenum target, GLenum pname, GLint *params);
void gl11_glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname,
                                   GLint *params);
void gl11_glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type,
                        GLvoid *pixels);

// Matrices.
void gl11_glMatrixMode(GLenum mode);
void gl11_glLoadIdentity();
void gl11_glPushMatrix();
void gl11_glPopMatrix();
void gl11_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void gl11_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void gl11_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear,
                         GLdouble zFar);
void gl11_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ,
                    GLdouble centerX, GLdouble centerY, GLdouble centerZ,
                    GLdouble upX, GLdouble upY, GLdouble upZ);

// Vertices between glBegin and glEnd, and the current attributes.
void gl11_glBegin(GLenum mode);
void gl11_glEnd();
void gl11_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void gl11_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void gl11_glColor3f(GLfloat r, GLfloat g, GLfloat b);
void gl11_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void gl11_glTexCoord2f(GLfloat s, GLfloat t);
void GLAPIENTRY gl11_glMultiTexCoord2fARB(GLenum unit, GLfloat s, GLfloat t);
void GLAPIENTRY gl11_glMultiTexCoord3fARB(GLenum unit, GLfloat s, GLfloat t,
                                          GLfloat r);

// Lighting.
void gl11_glLightfv(GLenum light, GLenum pname, const GLfloat *params);
void gl11_glLightModelfv(GLenum pname, const GLfloat *params);
void gl11_glLightModelf(GLenum pname, GLfloat param);
void gl11_glMaterialfv(GLenum face, GLenum pname, const GLfloat *params);

// Textures and their environments.
void GLAPIENTRY gl11_glActiveTextureARB(GLenum unit);
void gl11_glGenTextures(GLsizei n, GLuint *textures);
void gl11_glBindTexture(GLenum target, GLuint texture);
void gl11_glTexParameteri(GLenum target, GLenum pname, GLint param);
void gl11_glTexImage2D(GLenum target, GLint level, GLint internalFormat,
                       GLsizei width, GLsizei height, GLint border,
                       GLenum format, GLenum type, const GLvoid *pixels);
void gl11_glTexEnvi(GLenum target, GLenum pname, GLint param);
GLint gl11_gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width,
                             GLsizei height, GLenum format, GLenum type,
                             const void *data);

// Quadrics.
gl11_Quadric *gl11_gluNewQuadric();
void gl11_gluQuadricNormals(gl11_Quadric *quadric, GLenum normal);
void gl11_gluQuadricTexture(gl11_Quadric *quadric, GLboolean texture);
void gl11_gluCylinder(gl11_Quadric *quadric, GLdouble base, GLdouble top,
                      GLdouble height, GLint slices, GLint stacks);
void gl11_gluDisk(gl11_Quadric *quadric, GLdouble inner, GLdouble outer,
                  GLint slices, GLint loops);
void gl11_gluSphere(gl11_Quadric *quadric, GLdouble radius, GLint slices,
                    GLint stacks);

// The context the subset draws on, pushed by whoever makes contexts (the
// platform's faces); the subset itself knows no window system.
//
// Makes the subset draw on the context named by key (null: none) with ES
// 2.0 entry points from loader; state per key is made on first use.
void gl11_MakeCurrent(const void *key, void *(*loader)(const char *));
void gl11_ForgetContext(const void *key); // the context is deleted
// The context's GL objects are gone (WebGL context lost): nothing is drawn
// until they are back (restored), when the subset sends its server state
// again and re-creates programs, buffers and textures (from the images and
// parameters it kept) as they are next drawn with, so the next frame draws
// as before. False for a key it holds no state for.
void gl11_ContextLost(const void *key);
bool gl11_ContextRestored(const void *key);

} // extern "C"

// The ARB entry points wglGetProcAddress hands out, by name; null for others.
void (*gl11_ProcAddress(const char *name))();
