// The swap of the native Windows build with the pace every other build keeps
// in the shared emulation (pace.h): at most 60 passes a second, whatever the
// refresh rate and whether the driver grants vsync. The wait sleeps with
// the system timer raised to 1 ms, so a paced game leaves the processor
// idle rather than spinning. A pass is also when the gamepads are read
// (xinput_keys.cpp). Lacks: a pace of its own per window (the game
// has one window at a time).
#include <windows.h>

#include "platform/pace.h"
#include "platform/win32/xinput_keys.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = {};
  if (frequency.QuadPart == 0)
    QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// Sleep's default granularity is the 15.6 ms system tick, a whole pass; 1 ms
// keeps the wait close. Raised for the whole run: Windows puts it back when
// the process ends.
void RaiseTimerResolution() {
  static bool raised = false;
  if (!raised)
    timeBeginPeriod(1);
  raised = true;
}

void WaitUntil(double when) {
  const double left = when - Now();
  if (left <= 0)
    return;
  RaiseTimerResolution();
  // Whole milliseconds, rounded down: a pass up to pace::kSlackSeconds early
  // counts as on time, so no spin makes up the rest.
  Sleep(static_cast<DWORD>(left * 1000.0));
}

pace::Pace swaps;

} // namespace

BOOL PacedSwapBuffers(HDC deviceContext) {
  const BOOL swapped = SwapBuffers(deviceContext);
  win32_pads::PollGamepads(WindowFromDC(deviceContext));
  const double now = Now();
  const double start = pace::NextPassStart(&swaps, now);
  if (start > now)
    WaitUntil(start);
  return swapped;
}
