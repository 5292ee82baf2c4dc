// The SDL face's table: its own hooks (sdl_face.h) and SDL's context hooks
// (platform/sdl_gl), registered before main runs.
#include "platform/sdl/sdl_face.h"

#include "platform/sdl_gl/sdl_gl_context.h"

namespace {

bool Calling(const char *, const std::function<emulation::CallArgs()> &) {
  return false; // nothing to log, nothing to fail
}

void NothingQueued() {}

constexpr emulation::Face MakeFace() {
  emulation::Face face = {};
  face.name = "sdl";
  face.calling = Calling;
  face.makeSurface = sdl_face::MakeSurface;
  face.showSurface = sdl_face::ShowSurface;
  face.swapSurface = sdl_face::SwapSurface;
  face.retitleSurface = sdl_face::RetitleSurface;
  face.showPointer = sdl_face::ShowPointer;
  face.destroySurface = sdl_face::DestroySurface;
  face.closestMode = sdl_face::ClosestMode;
  face.setFullScreen = sdl_face::SetFullScreen;
  face.ticks = sdl_face::Ticks;
  face.now = sdl_face::Now;
  face.waitUntil = sdl_face::WaitUntil;
  face.pumpEvents = sdl_face::PumpEvents;
  face.nothingQueued = NothingQueued;
  sdl_gl::AddContextHooks(&face);
  face.programPath = sdl_face::ProgramPath;
  face.messageBox = sdl_face::ShowMessageBox;
  face.keyState = sdl_face::KeyState;
  return face;
}

// Constant: registered from a static initialiser, it is whole before any.
constexpr emulation::Face kSdlFace = MakeFace();
[[maybe_unused]] const bool kRegistered = emulation::RegisterFace(&kSdlFace);

} // namespace
