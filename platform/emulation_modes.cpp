// The shared emulation's display modes: ChangeDisplaySettingsA asks the face
// for the offered mode nearest the request (width and height exact, the
// depth too unless the display cannot change it), and pop-ups go full screen
// in it and back as the mode is set and restored. Lacks: more than one
// display, refresh rates (a mode is its size and depth).
#include "platform/emulation_state.h"

using namespace emulation;

LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
  State &s = Shared();
  if (Calling("ChangeDisplaySettingsA", mode, Flags{flags}))
    return DISP_CHANGE_FAILED;
  if (mode == nullptr) {
    // Back to the desktop's own mode: full-screen windows become windows.
    s.modeChanged = false;
    for (auto &entry : s.windows.Items()) {
      if (entry.second->fullScreen) {
        entry.second->fullScreen = false;
        TheFace().setFullScreen(entry.second.get(), nullptr);
      }
    }
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!TheFace().startVideo(nullptr))
    return DISP_CHANGE_FAILED;
  // The game names all three; a field left out matches no mode.
  const auto field = [mode](DWORD flag, DWORD value) {
    return (mode->dmFields & flag) ? static_cast<int>(value) : 0;
  };
  const DisplayMode wanted = {field(DM_PELSWIDTH, mode->dmPelsWidth),
                              field(DM_PELSHEIGHT, mode->dmPelsHeight),
                              field(DM_BITSPERPEL, mode->dmBitsPerPel)};
  DisplayMode offered = {};
  bool depthFixed = false;
  // Width and height exact, and the depth unless the display cannot change.
  if (!TheFace().closestMode(wanted, &offered, &depthFixed) ||
      offered.width != wanted.width || offered.height != wanted.height ||
      (!depthFixed && offered.bits != wanted.bits))
    return DISP_CHANGE_BADMODE;
  constexpr DWORD kTestOnly = 0x00000002u; // CDS_TEST
  if (flags & kTestOnly)
    return DISP_CHANGE_SUCCESSFUL;
  s.modeChanged = true;
  s.changedMode = offered;
  for (auto &entry : s.windows.Items()) {
    if ((entry.second->style & WS_POPUP) && !entry.second->fullScreen) {
      entry.second->fullScreen = true;
      TheFace().setFullScreen(entry.second.get(), &s.changedMode);
    }
  }
  return DISP_CHANGE_SUCCESSFUL;
}
