// The web face: a game window's surface is the page's one canvas, whose
// drawing buffer follows the space the page gives it (the window learns it
// through WM_SIZE, as a resized desktop window does); GL contexts are WebGL 1
// contexts on it drawn through the shader subset, a swap waits for the
// browser's next animation frame (and further frames while the game's pass
// is not yet due, so a fast display still gets 60 passes a second), the
// title is the page's, and full screen is the page's Fullscreen API; the
// Win32 names are the shared emulation's. Lacks: more than one surface on
// screen at once (the page has one canvas), display modes other than the
// game's 640 x 480 and the screen's own, a pointer to hide.
#include "platform/emulation.h"
#include "platform/pace.h"
#include "platform/web/web_hooks.h"
#include "platform/web/web_input.h"
#include "platform/web/web_page.h"

#include "gl11/api.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr char kCanvas[] = "#canvas";

// The window whose surface the canvas is, while it has one.
HWND canvasWindow = nullptr;

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE HandleOf(face::Context *context) {
  return static_cast<EMSCRIPTEN_WEBGL_CONTEXT_HANDLE>(
      reinterpret_cast<std::intptr_t>(context));
}

// The screen the page is on; its own size is a mode it always offers.
emulation::DisplayMode ScreenMode() {
  int width = 0;
  int height = 0;
  emscripten_get_screen_size(&width, &height);
  return {width, height, 32};
}

void *WebGlLoad(const char *name) {
  return emscripten_webgl1_get_proc_address(name);
}

// A lost WebGL context comes back only if the loss is taken (true here);
// the subset then makes its objects again from what it kept, and the next
// frame draws as before.
EM_BOOL ContextLost(int, const void *, void *context) {
  gl11_ContextLost(context);
  return EM_TRUE;
}

// A context deleted since is unknown to the subset, which then does nothing.
EM_BOOL ContextRestored(int, const void *, void *context) {
  gl11_ContextRestored(context);
  return EM_TRUE;
}

// The game starts before its textures are in (the page streams them on
// while the start-up question is shown): the first file it opens waits for
// them, and every file after that is there.
bool Calling(const char *name, const std::function<emulation::CallArgs()> &) {
  static bool texturesIn = false;
  if (!texturesIn && (std::strcmp(name, "CreateFileA") == 0 ||
                      std::strcmp(name, "CreateFileW") == 0)) {
    web_face::AwaitTextures();
    texturesIn = true;
  }
  return false;
}

bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format) {
  emscripten_set_canvas_element_size(kCanvas, std::max(window->clientWidth, 1),
                                     std::max(window->clientHeight, 1));
  web_face::ShowTitle(window->title.c_str());
  window->surfaceFormat = format;
  canvasWindow = window->handle;
  // The mode was set before the window existed: the new pop-up is what goes
  // full screen, while the click or key that asked for it still counts.
  web_face::PageFullScreen(window->fullScreen);
  return true;
}

void ShowSurface(emulation::Window *, emulation::ShowKind) {}

void RetitleSurface(emulation::Window *window) {
  web_face::ShowTitle(window->title.c_str());
}

void ShowPointer(bool) {}

void SwapSurface(emulation::Window *) {
  // The browser shows what was drawn once the game yields to it.
  web_face::AwaitAnimationFrame();
  web_face::RunPresentedHook();
}

void DestroySurface(emulation::Window *window) {
  if (window->handle == canvasWindow)
    canvasWindow = nullptr;
}

// The page's size changes become WM_SIZE before the game looks at its
// queue; the drawing buffer changes with it, so no frame is drawn stretched.
void PumpEvents() {
  int width = 0;
  int height = 0;
  emulation::Window *window = emulation::FindWindow(canvasWindow);
  if (window == nullptr || !web_face::PageBufferSize(&width, &height) ||
      (width == window->clientWidth && height == window->clientHeight))
    return;
  emscripten_set_canvas_element_size(kCanvas, width, height);
  emulation::ResizeClient(canvasWindow, width, height);
}

// The game's mode is offered at any depth: the canvas keeps its size and the
// page scales it to the screen.
bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed) {
  const emulation::DisplayMode desktop = ScreenMode();
  *depthFixed = true;
  const bool game = wanted.width == 640 && wanted.height == 480;
  const bool screen =
      wanted.width == desktop.width && wanted.height == desktop.height;
  if (!game && !screen)
    return false;
  *closest = {wanted.width, wanted.height, desktop.bits};
  return true;
}

void SetFullScreen(emulation::Window *, const emulation::DisplayMode *mode) {
  web_face::PageFullScreen(mode != nullptr);
}

DWORD Ticks() {
  return static_cast<DWORD>(emscripten_get_now());
}

double Now() {
  return emscripten_get_now() / 1000.0;
}

// Frames come at the display's rate (120 Hz on some phones and laptops):
// the game sits out whole frames until its pass is due.
void WaitUntil(double when) {
  while (Now() < when - pace::kSlackSeconds)
    web_face::AwaitAnimationFrame();
}

bool StartVideo(std::string *) {
  return true;
}

face::Context *CreateContext(emulation::Window *window) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = window->surfaceFormat.alphaBits > 0;
  attributes.depth = window->surfaceFormat.depthBits > 0;
  attributes.stencil = window->surfaceFormat.stencilBits > 0;
  attributes.antialias = false;
  attributes.majorVersion = 1;
  attributes.minorVersion = 0;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
      emscripten_webgl_create_context(kCanvas, &attributes);
  if (context <= 0) {
    std::fprintf(stderr, "WebGL context: error %d\n",
                 static_cast<int>(context));
    return nullptr;
  }
  face::Context *made =
      reinterpret_cast<face::Context *>(static_cast<std::intptr_t>(context));
  emscripten_set_webglcontextlost_callback(kCanvas, made, EM_FALSE,
                                           ContextLost);
  emscripten_set_webglcontextrestored_callback(kCanvas, made, EM_FALSE,
                                               ContextRestored);
  return made;
}

bool MakeCurrent(emulation::Window *, face::Context *context) {
  if (emscripten_webgl_make_context_current(HandleOf(context)) !=
      EMSCRIPTEN_RESULT_SUCCESS)
    return false;
  // The handle, a small number, is the subset's key for the context.
  gl11_MakeCurrent(context, WebGlLoad);
  return true;
}

void DeleteContext(face::Context *context) {
  gl11_ForgetContext(context);
  emscripten_webgl_destroy_context(HandleOf(context));
}

PROC ProcAddress(const char *name) {
  return reinterpret_cast<PROC>(gl11_ProcAddress(name));
}

// The page runs no program file: the data sits in the working folder.
bool ProgramPath(std::string *) {
  return false;
}

// Swaps wait for the browser's frames whatever the game asks.
bool SwapInterval(int) {
  return true;
}

// A hidden page draws no frames, and the swap waits for the next one.
void WaitRefresh(emulation::Window *) {}

void NothingQueued() {}

constexpr emulation::Face MakeFace() {
  emulation::Face face = {};
  face.name = "web";
  face.calling = Calling;
  face.makeSurface = MakeSurface;
  face.showSurface = ShowSurface;
  face.swapSurface = SwapSurface;
  face.retitleSurface = RetitleSurface;
  face.showPointer = ShowPointer;
  face.destroySurface = DestroySurface;
  face.closestMode = ClosestMode;
  face.setFullScreen = SetFullScreen;
  face.ticks = Ticks;
  face.now = Now;
  face.waitUntil = WaitUntil;
  face.pumpEvents = PumpEvents;
  face.nothingQueued = NothingQueued;
  face.startVideo = StartVideo;
  face.createContext = CreateContext;
  face.makeCurrent = MakeCurrent;
  face.deleteContext = DeleteContext;
  face.procAddress = ProcAddress;
  face.swapInterval = SwapInterval;
  face.waitRefresh = WaitRefresh;
  face.programPath = ProgramPath;
  face.messageBox = web_face::ShowMessageBox;
  face.keyState = web_face::KeyState;
  return face;
}

// Constant: registered from a static initialiser, it is whole before any.
constexpr emulation::Face kWebFace = MakeFace();
[[maybe_unused]] const bool kRegistered = emulation::RegisterFace(&kWebFace);

} // namespace
