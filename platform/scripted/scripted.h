// The scripted twin of the platform layer, for tests and headless tools: the
// shared emulation (platform/emulation.h) without a display. Every call is
// recorded in order (unless recording is off), message-box answers and key
// states come from the script, any named call can be made to fail, and
// messages are injected into the queue. Its GL is real: each window's surface
// is a hidden window of SDL's offscreen driver, so scene set-up and drawing
// run for real. That driver draws into an EGL pbuffer, which has a single
// colour buffer whatever the pixel format asks: a frame is read back from it
// before or after the swap alike.
//
// Recorded arguments are strings, as emulation.h renders them; handle
// serials restart at 1 after Reset(). Records: RECT as "l,t,r,b"; DEVMODEA
// as "WxHxBITS" with "-" for a field dmFields leaves out; a pixel-format
// descriptor as dwFlags (hex), cColorBits, cDepthBits; a window procedure as
// "proc". Calls the emulation makes itself (DefWindowProcA destroying a
// window on WM_CLOSE) are not recorded. The messages sent during calls are
// those win32.h names.
#pragma once

#include "platform/win32.h"

#include <functional>
#include <string>
#include <vector>

namespace scripted {

struct Call {
  std::string name;
  std::vector<std::string> args;
};

struct MessageBoxRecord {
  std::string owner; // rendered like a handle argument: "null", "hwnd1"
  std::string text;
  std::string caption;
  UINT type;
  int answer;
};

// Back to a fresh state: log and message boxes cleared, answer and message
// queues emptied, failures and offered modes cleared, keys up, hooks removed,
// windows, classes and device contexts forgotten, GL contexts destroyed,
// cursor shown, display mode restored, the real program path answered.
void Reset();

const std::vector<Call> &Calls();
std::vector<std::string> CallNames();
// Whether calls are logged (on after Reset()). Long runs (the snapshot tool,
// the soak) turn it off: the log grows by every call of every pass.
void SetRecording(bool on);

// Answers for MessageBoxA, taken in order; with none queued a box answers
// its default button (IDOK for MB_OK, IDYES for MB_YESNO).
void QueueMessageBoxAnswer(int id);
const std::vector<MessageBoxRecord> &MessageBoxes();

// The named function returns its failure value, without effect, for the next
// `times` calls (-1: always). Failure values: null handles and pointers, 0,
// FALSE, INVALID_HANDLE_VALUE for CreateFileA/W, INVALID_FILE_SIZE for
// GetFileSize, DISP_CHANGE_FAILED for ChangeDisplaySettingsA, 0 for
// MessageBoxA.
void FailCall(const std::string &name, int times = -1);
// wglGetProcAddress answers null for this entry point only.
void FailProcAddress(const std::string &glName);

// What GetKeyState reports for a virtual key (0x80 bit, as a negative SHORT),
// without a message; keys held on the shared key path (emulation::ChangeKey)
// are reported down too.
void SetKeyDown(int virtualKey, bool down);

// Appended to the queue that PeekMessageA reads (a posted message).
void InjectMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Called by PeekMessageA each time it finds no message, before it returns
// FALSE: one call per idle pass of a polling loop.
void SetIdleHook(std::function<void()> hook);
// Called by SwapBuffers before the swap, with the frame still in the back
// buffer and its context current.
void SetBeforeSwapHook(std::function<void()> hook);

// ChangeDisplaySettingsA succeeds only for offered modes (none by default).
void OfferDisplayMode(int width, int height, int bits);

// The most recently created window's client area takes the size, as a
// user's resize gives it: a new surface of that size (its context moves
// along) and WM_SIZE sent at once. False when there is no such window or the
// GL cannot give a drawable of that size.
bool ResizeClient(int width, int height);

// The program path GetModuleFileNameA answers, so that a test can place the
// program anywhere; empty (after Reset) answers the real one.
void SetModuleFileName(const std::string &path);

// The title of the most recently created window (kept after it is gone).
std::string WindowTitle();
// What the emulation holds (windows, classes, contexts, cursor, mode) is
// emulation::Count().

} // namespace scripted
