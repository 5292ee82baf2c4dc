// Points the game's GL and GLU calls at the shader subset (gl11/api.h).
// Included by platform/gl.h when the build selects the subset; the ARB
// multitexture functions are not renamed: the game fetches them by name.
#pragma once

#include "gl11/api.h"

#define GLUquadricObj tvl11_Quadric
#define GLU_SMOOTH TVL11_GLU_SMOOTH
#define GLU_NONE TVL11_GLU_NONE

#define glEnable tvl11_glEnable
#define glDisable tvl11_glDisable
#define glPushAttrib tvl11_glPushAttrib
#define glPopAttrib tvl11_glPopAttrib
#define glShadeModel tvl11_glShadeModel
#define glHint tvl11_glHint
#define glClearColor tvl11_glClearColor
#define glClearDepth tvl11_glClearDepth
#define glClear tvl11_glClear
#define glDepthFunc tvl11_glDepthFunc
#define glBlendFunc tvl11_glBlendFunc
#define glViewport tvl11_glViewport
#define glGetIntegerv tvl11_glGetIntegerv
#define glGetFloatv tvl11_glGetFloatv
#define glGetDoublev tvl11_glGetDoublev
#define glIsEnabled tvl11_glIsEnabled
#define glGetLightfv tvl11_glGetLightfv
#define glGetMaterialfv tvl11_glGetMaterialfv
#define glGetTexEnviv tvl11_glGetTexEnviv
#define glIsTexture tvl11_glIsTexture
#define glGetTexParameteriv tvl11_glGetTexParameteriv
#define glGetTexLevelParameteriv tvl11_glGetTexLevelParameteriv
#define glGetTexImage tvl11_glGetTexImage
#define glGetError tvl11_glGetError
#define glPixelStorei tvl11_glPixelStorei
#define glReadBuffer tvl11_glReadBuffer
#define glReadPixels tvl11_glReadPixels
#define glMatrixMode tvl11_glMatrixMode
#define glLoadIdentity tvl11_glLoadIdentity
#define glPushMatrix tvl11_glPushMatrix
#define glPopMatrix tvl11_glPopMatrix
#define glTranslatef tvl11_glTranslatef
#define glRotatef tvl11_glRotatef
#define gluPerspective tvl11_gluPerspective
#define gluLookAt tvl11_gluLookAt
#define glBegin tvl11_glBegin
#define glEnd tvl11_glEnd
#define glVertex3f tvl11_glVertex3f
#define glNormal3f tvl11_glNormal3f
#define glColor3f tvl11_glColor3f
#define glColor4f tvl11_glColor4f
#define glTexCoord2f tvl11_glTexCoord2f
#define glLightfv tvl11_glLightfv
#define glLightModelfv tvl11_glLightModelfv
#define glLightModelf tvl11_glLightModelf
#define glMaterialfv tvl11_glMaterialfv
#define glGenTextures tvl11_glGenTextures
#define glBindTexture tvl11_glBindTexture
#define glTexParameteri tvl11_glTexParameteri
#define glTexImage2D tvl11_glTexImage2D
#define glTexEnvi tvl11_glTexEnvi
#define gluBuild2DMipmaps tvl11_gluBuild2DMipmaps
#define gluNewQuadric tvl11_gluNewQuadric
#define gluQuadricNormals tvl11_gluQuadricNormals
#define gluQuadricTexture tvl11_gluQuadricTexture
#define gluCylinder tvl11_gluCylinder
#define gluDisk tvl11_gluDisk
#define gluSphere tvl11_gluSphere
