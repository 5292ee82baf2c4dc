// A window procedure that records every message it is sent, for the tests
// of the emulation and its faces.
#pragma once

#include "platform/win32.h"

#include <vector>

namespace support {

struct SeenMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// What the recording procedures were sent, in order; a test clears it.
extern std::vector<SeenMessage> seen;

// Records the message, then leaves it all to DefWindowProcA.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam);

// The code RecordingGameProc posts its quit with.
constexpr int kRecordedQuitCode = 3;

// Records the message, then answers as a game's procedure does: a close
// posts the quit, size and activation are taken (no default processing, so
// nothing more is called), everything else goes to DefWindowProcA.
LRESULT CALLBACK RecordingGameProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam);

} // namespace support
