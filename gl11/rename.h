// Points the game's GL and GLU calls at the shader subset (gl11/api.h).
// Included by platform/gl.h when the build selects the subset; the ARB
// multitexture functions are not renamed: the game fetches them by name.
#pragma once

#include "gl11/api.h"

#define GLUquadricObj gl11_Quadric
#define GLU_SMOOTH TVL11_GLU_SMOOTH
#define GLU_NONE TVL11_GLU_NONE

#define glEnable gl11_glEnable
#define glDisable gl11_glDisable
#define glPushAttrib gl11_glPushAttrib
#define glPopAttrib gl11_glPopAttrib
#define glShadeModel gl11_glShadeModel
#define glHint gl11_glHint
#define glClearColor gl11_glClearColor
#define glClearDepth gl11_glClearDepth
#define glClear gl11_glClear
#define glDepthFunc gl11_glDepthFunc
#define glBlendFunc gl11_glBlendFunc
#define glViewport gl11_glViewport
#define glGetIntegerv gl11_glGetIntegerv
#define glGetFloatv gl11_glGetFloatv
#define glGetDoublev gl11_glGetDoublev
#define glIsEnabled gl11_glIsEnabled
#define glGetLightfv gl11_glGetLightfv
#define glGetMaterialfv gl11_glGetMaterialfv
#define glGetTexEnviv gl11_glGetTexEnviv
#define glIsTexture gl11_glIsTexture
#define glGetTexParameteriv gl11_glGetTexParameteriv
#define glGetTexLevelParameteriv gl11_glGetTexLevelParameteriv
#define glGetTexImage gl11_glGetTexImage
#define glGetError gl11_glGetError
#define glPixelStorei gl11_glPixelStorei
#define glReadBuffer gl11_glReadBuffer
#define glReadPixels gl11_glReadPixels
#define glMatrixMode gl11_glMatrixMode
#define glLoadIdentity gl11_glLoadIdentity
#define glPushMatrix gl11_glPushMatrix
#define glPopMatrix gl11_glPopMatrix
#define glTranslatef gl11_glTranslatef
#define glRotatef gl11_glRotatef
#define gluPerspective gl11_gluPerspective
#define gluLookAt gl11_gluLookAt
#define glBegin gl11_glBegin
#define glEnd gl11_glEnd
#define glVertex3f gl11_glVertex3f
#define glNormal3f gl11_glNormal3f
#define glColor3f gl11_glColor3f
#define glColor4f gl11_glColor4f
#define glTexCoord2f gl11_glTexCoord2f
#define glLightfv gl11_glLightfv
#define glLightModelfv gl11_glLightModelfv
#define glLightModelf gl11_glLightModelf
#define glMaterialfv gl11_glMaterialfv
#define glGenTextures gl11_glGenTextures
#define glBindTexture gl11_glBindTexture
#define glTexParameteri gl11_glTexParameteri
#define glTexImage2D gl11_glTexImage2D
#define glTexEnvi gl11_glTexEnvi
#define gluBuild2DMipmaps gl11_gluBuild2DMipmaps
#define gluNewQuadric gl11_gluNewQuadric
#define gluQuadricNormals gl11_gluQuadricNormals
#define gluQuadricTexture gl11_gluQuadricTexture
#define gluCylinder gl11_gluCylinder
#define gluDisk gl11_gluDisk
#define gluSphere gl11_gluSphere
