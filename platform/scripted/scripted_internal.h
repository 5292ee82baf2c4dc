// What the files of the scripted twin share: the call log, failure
// switches, argument rendering and the script's hooks. Not for tests, which
// use scripted.h.
#pragma once

#include "platform/emulation.h"
#include "platform/scripted/scripted.h"

#include <functional>
#include <string>
#include <vector>

namespace scripted_detail {

// Appends to the call log while recording is on.
void Record(const char *name, std::vector<std::string> args);
// True when the script makes this call fail now (and counts the failure).
bool ShouldFail(const char *name);

std::string Handle(const void *handle);
std::string Hex(unsigned long long value);
std::string Dec(long long value);
std::string Text(const char *text);

// What the script set: the idle hook, withheld entry points, held keys,
// message-box answers.
const std::function<void()> &IdleHook();
bool ProcAddressWithheld(const char *name);
bool KeyDown(int virtualKey);
// The next queued answer, or the box's default button.
int NextAnswer(UINT type);
void NoteMessageBox(scripted::MessageBoxRecord box);
// The most recently created window, whose title WindowTitle() reports.
void NoteWindow(HWND window);
void NoteTitle(HWND window, const std::string &title);
void NoteCursor(int count);

} // namespace scripted_detail
