// What the two files of the scripted twin share: the call log, failure
// switches, argument rendering, the window records. Not for tests, which use
// scripted.h.
#pragma once

#include "platform/scripted/scripted.h"
#include "platform/win32_common.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace scripted_detail {

void Record(const char *name, std::vector<std::string> args);
// True when the script makes this call fail now (and counts the failure).
bool ShouldFail(const char *name);

std::string Handle(const void *handle);
std::string Hex(unsigned long long value);
std::string Dec(long long value);
std::string Text(const char *text);

using Window = platform::WindowRecord;

Window *FindWindow(HWND window);

// Calls the window's class procedure now (a sent message).
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends to the queue (a posted message).
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// What DestroyWindow and ShowWindow do, without recording a call.
bool DestroyWindowNow(HWND window);
BOOL ShowWindowNow(HWND window, int showCommand);

struct MessageState {
  platform::MessageQueue queue;
  std::function<void()> idleHook;
  std::set<int> keysDown;
};
MessageState &Messages();

// The folder calls (scripted_folders.cpp).
void ResetFolders();

// The GL half (scripted_gl.cpp).
void ForgetWindowGl(HWND window);
void ResetGl();
void SetFailingProcAddress(const std::string &name);
void SetBeforeSwap(std::function<void()> hook);
int LiveContextCount();
bool AnyContextCurrent();

} // namespace scripted_detail
