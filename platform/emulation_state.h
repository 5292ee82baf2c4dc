// The shared emulation's process-wide state, for its own files and nothing
// else: windows and messages, contexts and swaps, display modes, keys. Each
// reads and writes this state and calls the face; none calls another's
// functions (keys post messages: the one call across, one way).
#pragma once

#include "platform/emulation.h"
#include "platform/handle_table.h"
#include "platform/pace.h"

#include <bitset>
#include <deque>
#include <map>

namespace emulation {

struct RenderingContext {
  face::Context *context;
  HWND window; // the window whose device context it was made on
};

struct State {
  platform::HandleTable<Window> windows{platform::HandleKind::Window};
  std::map<std::string, WNDPROC> classes;
  HWND focus = nullptr;
  int cursorCount = 0;
  std::deque<MSG> posted;
  bool quitPending = false;
  int quitCode = 0;
  platform::HandleTable<RenderingContext> contexts{
      platform::HandleKind::RenderingContext};
  HGLRC current = nullptr;
  HWND currentWindow = nullptr; // whose surface the current context draws to
  bool modeChanged = false;
  DisplayMode changedMode = {};
  pace::Pace pace; // of every window's swaps: the game has one at a time
  unsigned char keyHolders[256] = {}; // a bit per KeySource holding the key
  std::bitset<256> keysUnseen;        // down since the last pass began
  std::bitset<256> keysLingering;     // let go by every source, not yet seen
};

State &Shared();

} // namespace emulation
