#include "tests/support/recording_proc.h"

namespace support {

std::vector<SeenMessage> seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
  seen.push_back({message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK RecordingGameProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  seen.push_back({message, wParam, lParam});
  switch (message) {
  case WM_CLOSE:
    PostQuitMessage(kRecordedQuitCode);
    return 0;
  case WM_SIZE:
  case WM_ACTIVATE:
    return 0;
  default:
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

} // namespace support
