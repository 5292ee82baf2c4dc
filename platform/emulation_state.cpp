// The shared emulation's state and its face: the one registered face table,
// the lookups every file of the emulation makes, the census for tests, and
// the reset of the whole emulation for a fresh twin.
#include "platform/emulation_state.h"

#include <cstdio>
#include <cstdlib>

namespace emulation {
namespace {

const Face *registered = nullptr; // constant-initialised: faces register
                                  // from static initialisers

} // namespace

bool RegisterFace(const Face *face) {
  // A hook left out would crash at its first use, far from the cause.
  const bool whole =
      face->name && face->calling && face->makeSurface && face->showSurface &&
      face->swapSurface && face->retitleSurface && face->showPointer &&
      face->destroySurface && face->closestMode && face->setFullScreen &&
      face->ticks && face->now && face->waitUntil && face->pumpEvents &&
      face->nothingQueued && face->startVideo && face->createContext &&
      face->makeCurrent && face->deleteContext && face->procAddress &&
      face->swapInterval && face->waitRefresh && face->programPath &&
      face->messageBox && face->keyState;
  if (!whole) {
    std::fprintf(stderr, "platform: face %s lacks a hook\n",
                 face->name ? face->name : "(unnamed)");
    std::abort();
  }
  registered = face;
  return true;
}

const Face &TheFace() {
  if (registered == nullptr) {
    std::fprintf(stderr, "platform: no face registered before a Win32 call\n");
    std::abort();
  }
  return *registered;
}

State &Shared() {
  static State state;
  return state;
}

Window *FindWindow(HWND window) {
  return Shared().windows.Find(window);
}

Census Count() {
  const State &s = Shared();
  return {s.windows.Size(),   static_cast<int>(s.classes.size()),
          s.contexts.Size(),  s.current != nullptr,
          s.cursorCount >= 0, s.modeChanged,
          s.changedMode};
}

void ResetAll() {
  State &s = Shared();
  TheFace().makeCurrent(nullptr, nullptr);
  for (auto &entry : s.contexts.Items())
    TheFace().deleteContext(entry.second->context);
  for (auto &entry : s.windows.Items())
    TheFace().destroySurface(entry.second.get());
  s = State();
}

} // namespace emulation
