// Full screen without a mode switch: while a full-screen window is larger
// than the game's client area, the picture is shown in the middle with
// black bars. At the full box (1:1) the game draws straight into the
// middle: the first frame after it sets its viewport, drawn in the
// window's bottom-left corner, is copied there (glCopyPixels, GL 1.1,
// which reads before it writes, so the corner and the middle may overlap),
// and the viewport is then moved into the box, so later frames cost no
// more than the bars' clears; llvmpipe keeps the pace at 1200 x 900 that
// way. A smaller client area, scaled up, is drawn into a framebuffer
// object of its size instead, bound between swaps, and blitted, filtered,
// into the middle at each swap; a context without framebuffer objects and
// blits (GL before 3.0 without the extensions) copies its corner zoomed.
// The copies are placed with glWindowPos, or before GL 1.4 with
// glRasterPos, so a GL 1.1 context shows the picture the same.
// Only the game's viewport is moved, and only at the full box; the state
// the blit, copy and clears use is put back. Lacks: ES 2.0 contexts,
// multisampled surfaces.
#include "platform/sdl/sdl_letterbox.h"

#include <SDL_opengl.h>

#include <initializer_list>

namespace sdl_face {
namespace {

struct Entries {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
  PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
  PFNGLBLITFRAMEBUFFERPROC blitFramebuffer;
};

template <typename T> bool Fetch(const char *name, T *entry) {
  *entry = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
  return *entry != nullptr;
}

// Whether the current context is of GL major.minor or later, or has the
// extension: names resolve to entry points whatever the driver offers.
bool Offers(char major, char minor, const char *extension) {
  const char *version = reinterpret_cast<const char *>(glGetString(GL_VERSION));
  const bool recent =
      version != nullptr && version[0] >= '1' && version[0] <= '9' &&
      version[1] == '.' &&
      (version[0] > major || (version[0] == major && version[2] >= minor));
  return recent || SDL_GL_ExtensionSupported(extension);
}

// Looked up once: with GLX and EGL the entry points do not depend on the
// context.
const Entries *Gl() {
  static Entries entries;
  static const bool found =
      Fetch("glGenFramebuffers", &entries.genFramebuffers) &&
      Fetch("glDeleteFramebuffers", &entries.deleteFramebuffers) &&
      Fetch("glBindFramebuffer", &entries.bindFramebuffer) &&
      Fetch("glGenRenderbuffers", &entries.genRenderbuffers) &&
      Fetch("glDeleteRenderbuffers", &entries.deleteRenderbuffers) &&
      Fetch("glBindRenderbuffer", &entries.bindRenderbuffer) &&
      Fetch("glRenderbufferStorage", &entries.renderbufferStorage) &&
      Fetch("glFramebufferRenderbuffer", &entries.framebufferRenderbuffer) &&
      Fetch("glCheckFramebufferStatus", &entries.checkFramebufferStatus) &&
      Fetch("glBlitFramebuffer", &entries.blitFramebuffer);
  if (!found)
    return nullptr;
  static SDL_GLContext asked = nullptr;
  static bool offered = false;
  const SDL_GLContext current = SDL_GL_GetCurrentContext();
  if (current != asked) {
    asked = current;
    offered = Offers('3', '0', "GL_ARB_framebuffer_object") ||
              (SDL_GL_ExtensionSupported("GL_EXT_framebuffer_object") &&
               SDL_GL_ExtensionSupported("GL_EXT_framebuffer_blit"));
  }
  return offered ? &entries : nullptr;
}

using WindowPos2i = void(APIENTRY *)(GLint, GLint);

// glWindowPos2i, GL 1.4; null where the current context is older.
WindowPos2i WindowPos() {
  static const auto entry =
      reinterpret_cast<WindowPos2i>(SDL_GL_GetProcAddress("glWindowPos2i"));
  static SDL_GLContext asked = nullptr;
  static bool offered = false;
  const SDL_GLContext current = SDL_GL_GetCurrentContext();
  if (current != asked) {
    asked = current;
    offered = entry != nullptr && Offers('1', '4', "GL_ARB_window_pos");
  }
  return offered ? entry : nullptr;
}

// Puts the raster position at a pixel of the surface: with glWindowPos
// where there is one, else (GL 1.1) at the viewport's corner through
// identity matrices, then moved by an empty glBitmap, which may leave the
// viewport; a quarter pixel in, so rounding keeps it on that pixel.
void PlaceRaster(int x, int y) {
  if (const WindowPos2i windowPos = WindowPos()) {
    windowPos(x, y);
    return;
  }
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRasterPos2f(-1, -1);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glBitmap(0, 0, 0, 0, static_cast<GLfloat>(x - viewport[0]) + 0.25f,
           static_cast<GLfloat>(y - viewport[1]) + 0.25f, nullptr);
}

// The bars around a box: the screen's rows below and above it, then the
// columns left and right of it.
void ClearBars(const Box &box, int screenWidth, int screenHeight) {
  glEnable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  const Box bars[] = {
      {0, 0, screenWidth, box.y},
      {0, box.y + box.height, screenWidth, screenHeight - box.y - box.height},
      {0, box.y, box.x, box.height},
      {box.x + box.width, box.y, screenWidth - box.x - box.width, box.height}};
  for (const Box &bar : bars) {
    if (bar.width <= 0 || bar.height <= 0)
      continue;
    glScissor(bar.x, bar.y, bar.width, bar.height);
    glClear(GL_COLOR_BUFFER_BIT);
  }
}

// The offscreen buffer, of one context: a context of a window that is gone
// took its objects with it, and its names mean nothing in another.
struct Buffer {
  SDL_GLContext context = nullptr;
  GLuint framebuffer = 0;
  GLuint color = 0;
  GLuint depth = 0;
  int width = 0;
  int height = 0;
};
Buffer buffer;

// The viewport moved into the box, of one context: while the game's
// viewport is still that, it draws in place.
struct Placed {
  SDL_GLContext context = nullptr;
  Box box = {0, 0, 0, 0};
};
Placed placed;

bool Same(const Box &a, const Box &b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool ViewportIs(const Box &box) {
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  return Same({viewport[0], viewport[1], viewport[2], viewport[3]}, box);
}

// The game's viewport back in the corner, where the game set it, if it was
// moved in this context and is still where it was put.
void Unplace(SDL_GLContext current) {
  if (current == nullptr || placed.context != current)
    return;
  if (ViewportIs(placed.box))
    glViewport(0, 0, placed.box.width, placed.box.height);
  placed = {};
}

GLint BoundFramebuffer() {
  GLint bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
  return bound;
}

bool Ours(SDL_GLContext current) {
  return buffer.framebuffer != 0 && buffer.context == current &&
         BoundFramebuffer() == static_cast<GLint>(buffer.framebuffer);
}

void Delete(const Entries &gl) {
  gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
  gl.deleteFramebuffers(1, &buffer.framebuffer);
  gl.deleteRenderbuffers(1, &buffer.color);
  gl.deleteRenderbuffers(1, &buffer.depth);
  buffer = {};
}

// Makes the buffer and starts it with what the game drew before it existed,
// so the first scaled frame is whole: the window's corner of the buffer's
// size, or all of the buffer of the old size, scaled.
bool Make(const Entries &gl, SDL_GLContext current, int width, int height,
          const Buffer &from) {
  buffer = {};
  buffer.context = current;
  buffer.width = width;
  buffer.height = height;
  gl.genRenderbuffers(1, &buffer.color);
  gl.bindRenderbuffer(GL_RENDERBUFFER, buffer.color);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  gl.genRenderbuffers(1, &buffer.depth);
  gl.bindRenderbuffer(GL_RENDERBUFFER, buffer.depth);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
  gl.genFramebuffers(1, &buffer.framebuffer);
  gl.bindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                             GL_RENDERBUFFER, buffer.color);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT,
                             GL_RENDERBUFFER, buffer.depth);
  if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    Delete(gl);
    return false;
  }
  gl.bindFramebuffer(GL_READ_FRAMEBUFFER, from.framebuffer);
  if (from.framebuffer == 0)
    gl.blitFramebuffer(0, 0, width, height, 0, 0, width, height,
                       GL_COLOR_BUFFER_BIT, GL_NEAREST);
  else
    gl.blitFramebuffer(0, 0, from.width, from.height, 0, 0, width, height,
                       GL_COLOR_BUFFER_BIT, GL_LINEAR);
  gl.bindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
  return true;
}

} // namespace

Box FitInside(int width, int height, int screenWidth, int screenHeight) {
  if (width <= 0 || height <= 0)
    return {0, 0, screenWidth, screenHeight};
  // Whichever side runs out first sets the scale; the other gets bars.
  Box box = {0, 0, screenWidth, screenHeight};
  if (static_cast<long long>(screenWidth) * height >
      static_cast<long long>(screenHeight) * width)
    box.width =
        static_cast<int>(static_cast<long long>(screenHeight) * width / height);
  else
    box.height =
        static_cast<int>(static_cast<long long>(screenWidth) * height / width);
  box.x = (screenWidth - box.width) / 2;
  box.y = (screenHeight - box.height) / 2;
  return box;
}

namespace {

// A frame to show: the client area the game drew, the surface's size, and
// the box it goes into.
struct Frame {
  SDL_Window *surface;
  int width;
  int height;
  int screenWidth;
  int screenHeight;
  Box box;
};

Frame FrameOf(SDL_Window *surface, int width, int height) {
  Frame frame = {surface, width, height, 0, 0, {0, 0, 0, 0}};
  SDL_GL_GetDrawableSize(surface, &frame.screenWidth, &frame.screenHeight);
  frame.box = FitInside(width, height, frame.screenWidth, frame.screenHeight);
  return frame;
}

// The client area shows 1:1 in the surface: the full box.
bool Whole(const Frame &frame) {
  return frame.box.width == frame.width && frame.box.height == frame.height;
}

// The game draws into an offscreen buffer of the client size (from this
// swap on), shown scaled into the box. False without framebuffer objects.
bool PresentScaled(const Frame &frame, SDL_GLContext current) {
  const Entries *gl = Gl();
  if (gl == nullptr)
    return false;
  if (!Ours(current) || buffer.width != frame.width ||
      buffer.height != frame.height) {
    if (Ours(current))
      Delete(*gl);
    if (!Make(*gl, current, frame.width, frame.height, Buffer{}))
      return false;
  }
  const Box &box = frame.box;
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl->bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  gl->blitFramebuffer(0, 0, frame.width, frame.height, box.x, box.y,
                      box.x + box.width, box.y + box.height,
                      GL_COLOR_BUFFER_BIT, GL_LINEAR);
  SDL_GL_SwapWindow(frame.surface);
  gl->bindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
  glPopAttrib();
  return true;
}

// The game drew into the surface's bottom-left corner, which is copied into
// the box (zoomed when smaller), the rest cleared black.
void PresentCopied(const Frame &frame) {
  const Box &box = frame.box;
  // Every state a copied fragment passes through, and the clears', is put
  // back by the pop.
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  GLint units = 1;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
  using ActiveTexture = void(APIENTRY *)(GLenum);
  static const auto activeTexture =
      reinterpret_cast<ActiveTexture>(SDL_GL_GetProcAddress("glActiveTexture"));
  for (GLint unit = units - 1; unit >= 0; --unit) {
    if (activeTexture != nullptr)
      activeTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    else if (unit > 0)
      continue;
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
  }
  for (GLenum cap :
       {GL_DEPTH_TEST, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_BLEND, GL_FOG,
        GL_LIGHTING, GL_SCISSOR_TEST, GL_COLOR_LOGIC_OP, GL_DITHER})
    glDisable(cap);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  glPixelZoom(static_cast<GLfloat>(box.width) / frame.width,
              static_cast<GLfloat>(box.height) / frame.height);
  PlaceRaster(box.x, box.y);
  glCopyPixels(0, 0, frame.width, frame.height, GL_COLOR);
  ClearBars(box, frame.screenWidth, frame.screenHeight);
  glPopAttrib();
  SDL_GL_SwapWindow(frame.surface);
}

// The full box: drawn in place once the game's viewport is moved into it.
// Until then (the first frame after the game sets its viewport, drawn in
// the corner) the frame is copied, and the viewport moved.
void PresentPlaced(const Frame &frame, SDL_GLContext current) {
  const Box &box = frame.box;
  if (placed.context == current && ViewportIs(placed.box)) {
    // A screen that changed size under the placed picture: this one frame
    // shows it where it was drawn.
    if (!Same(placed.box, box)) {
      glViewport(box.x, box.y, box.width, box.height);
      placed.box = box;
    }
    // The game's clear may have coloured the bars.
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    ClearBars(box, frame.screenWidth, frame.screenHeight);
    glPopAttrib();
    SDL_GL_SwapWindow(frame.surface);
    return;
  }
  PresentCopied(frame);
  // Only the viewport the game gave is moved: another one is its own.
  if (ViewportIs({0, 0, frame.width, frame.height})) {
    glViewport(box.x, box.y, frame.width, frame.height);
    placed = {current, box};
  }
}

} // namespace

bool Present(SDL_Window *surface, int clientWidth, int clientHeight) {
  const SDL_GLContext current = SDL_GL_GetCurrentContext();
  if (current == nullptr || clientWidth <= 0 || clientHeight <= 0)
    return false;
  const Frame frame = FrameOf(surface, clientWidth, clientHeight);
  if (!Ours(current) && Whole(frame)) {
    PresentPlaced(frame, current);
    return true;
  }
  Unplace(current);
  if (!PresentScaled(frame, current))
    PresentCopied(frame);
  return true;
}

void ResizeScaling(SDL_Window *surface, int width, int height) {
  const Entries *gl = Gl();
  const SDL_GLContext current = SDL_GL_GetCurrentContext();
  if (gl == nullptr || current == nullptr || !Ours(current) ||
      (buffer.width == width && buffer.height == height) || width <= 0 ||
      height <= 0)
    return;
  if (Whole(FrameOf(surface, width, height))) {
    Delete(*gl);
    return;
  }
  Buffer old = buffer;
  const bool made = Make(*gl, current, width, height, old);
  const Buffer kept = buffer;
  buffer = old;
  Delete(*gl);
  if (made) {
    buffer = kept;
    gl->bindFramebuffer(GL_FRAMEBUFFER, buffer.framebuffer);
  }
}

void StopScaling() {
  const Entries *gl = Gl();
  const SDL_GLContext current = SDL_GL_GetCurrentContext();
  Unplace(current);
  if (gl != nullptr && current != nullptr && Ours(current))
    Delete(*gl);
}

} // namespace sdl_face
