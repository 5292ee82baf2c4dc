// The scripted twin's state, its control API and its face hooks: a window's
// surface is a hidden window of SDL's offscreen driver at the client size,
// made with the chosen pixel format, so contexts on it draw for real; modes
// are the ones the script offers; there is no clock. The recorded Win32
// names are in scripted_calls.cpp, files in scripted_files.cpp.
#include "platform/scripted/scripted_internal.h"

#include "platform/handle_table.h"
#include "platform/sdl_gl_context.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>

namespace scripted_detail {
namespace {

struct Script {
  bool recording = true;
  std::vector<scripted::Call> calls;
  std::vector<scripted::MessageBoxRecord> boxes;
  std::deque<int> answers;
  std::map<std::string, int> failures; // name -> calls left, -1 always
  std::set<std::string> withheldProcs;
  std::set<int> keysDown;
  std::function<void()> idleHook;
  std::function<void()> beforeSwap;
  std::vector<emulation::DisplayMode> offeredModes;
  std::string lastTitle;
  HWND lastWindow = nullptr;
  int cursorCount = 0;
};

Script &TheScript() {
  static Script script;
  return script;
}

// Tests and tools run without a display: unless told otherwise, SDL's
// offscreen driver renders with EGL. Set before anything starts SDL.
[[maybe_unused]] const bool kOffscreenDefault =
    setenv("SDL_VIDEODRIVER", "offscreen", 0) == 0;

} // namespace

void Record(const char *name, std::vector<std::string> args) {
  if (TheScript().recording)
    TheScript().calls.push_back({name, std::move(args)});
}

bool ShouldFail(const char *name) {
  auto &failures = TheScript().failures;
  const auto it = failures.find(name);
  if (it == failures.end())
    return false;
  if (it->second > 0 && --it->second == 0)
    failures.erase(it);
  return true;
}

std::string Handle(const void *handle) {
  if (handle == nullptr)
    return "null";
  if (handle == INVALID_HANDLE_VALUE)
    return "invalid";
  static const std::map<platform::HandleKind, const char *> kNames = {
      {platform::HandleKind::Window, "hwnd"},
      {platform::HandleKind::DeviceContext, "hdc"},
      {platform::HandleKind::RenderingContext, "hglrc"},
      {platform::HandleKind::File, "file"},
      {platform::HandleKind::Mapping, "mapping"},
      {platform::HandleKind::Module, "hinstance"},
      {platform::HandleKind::Icon, "hicon"},
      {platform::HandleKind::Cursor, "hcursor"}};
  const auto it = kNames.find(platform::KindOf(handle));
  if (it == kNames.end())
    return "ptr";
  return it->second + Dec(static_cast<long long>(platform::SerialOf(handle)));
}

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

std::string Dec(long long value) {
  return std::to_string(value);
}

std::string Text(const char *text) {
  return text == nullptr ? "null" : text;
}

const std::function<void()> &IdleHook() {
  return TheScript().idleHook;
}

bool ProcAddressWithheld(const char *name) {
  return TheScript().withheldProcs.count(name) != 0;
}

bool KeyDown(int virtualKey) {
  return TheScript().keysDown.count(virtualKey) != 0;
}

int NextAnswer(UINT type) {
  auto &answers = TheScript().answers;
  if (answers.empty())
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void NoteMessageBox(scripted::MessageBoxRecord box) {
  TheScript().boxes.push_back(std::move(box));
}

void NoteWindow(HWND window) {
  TheScript().lastWindow = window;
  NoteTitle(window, emulation::FindWindow(window)->title);
}

void NoteCursor(int count) {
  TheScript().cursorCount = count;
}

void NoteTitle(HWND window, const std::string &title) {
  if (window == TheScript().lastWindow)
    TheScript().lastTitle = title;
}

} // namespace scripted_detail

// ---- the face hooks ---------------------------------------------------------

namespace face {

bool MakeSurface(emulation::Window *window,
                 const platform::PixelFormat &format) {
  platform::ApplyGlAttributes(format);
  SDL_Window *made = SDL_CreateWindow(
      "scripted", 0, 0, std::max(window->clientWidth, 1),
      std::max(window->clientHeight, 1), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (made == nullptr) {
    std::fprintf(stderr, "scripted platform: %s\n", SDL_GetError());
    return false;
  }
  DestroySurface(window);
  window->surface = made;
  window->surfaceFormat = format;
  return true;
}

void ShowSurface(emulation::Window *, emulation::ShowKind) {}

void SwapSurface(emulation::Window *window) {
  // A copy: the hook may replace itself.
  const std::function<void()> hook = scripted_detail::TheScript().beforeSwap;
  if (hook)
    hook();
  // The offscreen driver draws into an EGL pbuffer, which has one colour
  // buffer whatever the format asks: a frame reads back alike before or
  // after the swap.
  SDL_GL_SwapWindow(window->surface);
}

void DestroySurface(emulation::Window *window) {
  if (window->surface != nullptr)
    SDL_DestroyWindow(window->surface);
  window->surface = nullptr;
}

bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed) {
  *depthFixed = false;
  const auto &offered = scripted_detail::TheScript().offeredModes;
  const emulation::DisplayMode *sameSize = nullptr;
  for (const emulation::DisplayMode &mode : offered) {
    if (mode.width != wanted.width || mode.height != wanted.height)
      continue;
    sameSize = &mode;
    if (mode.bits == wanted.bits)
      break;
  }
  if (sameSize != nullptr)
    *closest = *sameSize;
  return sameSize != nullptr;
}

emulation::DisplayMode DesktopMode() {
  return {640, 480, 32};
}

void SetFullScreen(emulation::Window *, const emulation::DisplayMode *) {}

DWORD Ticks() {
  return 0; // the script's messages carry time 0
}

} // namespace face

// ---- the control API --------------------------------------------------------

using scripted_detail::TheScript;

namespace scripted {

void Reset() {
  emulation::ResetAll();
  TheScript() = scripted_detail::Script();
}

void SetRecording(bool on) {
  TheScript().recording = on;
}

const std::vector<Call> &Calls() {
  return TheScript().calls;
}

std::vector<std::string> CallNames() {
  std::vector<std::string> names;
  for (const Call &call : TheScript().calls)
    names.push_back(call.name);
  return names;
}

void ClearCalls() {
  TheScript().calls.clear();
}

void QueueMessageBoxAnswer(int id) {
  TheScript().answers.push_back(id);
}

const std::vector<MessageBoxRecord> &MessageBoxes() {
  return TheScript().boxes;
}

void FailCall(const std::string &name, int times) {
  if (times == 0)
    TheScript().failures.erase(name);
  else
    TheScript().failures[name] = times < 0 ? -1 : times;
}

void FailProcAddress(const std::string &glName) {
  TheScript().withheldProcs.insert(glName);
}

void SetKeyDown(int virtualKey, bool down) {
  if (down)
    TheScript().keysDown.insert(virtualKey);
  else
    TheScript().keysDown.erase(virtualKey);
}

void InjectMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  emulation::Post(window, message, wParam, lParam);
}

void SetIdleHook(std::function<void()> hook) {
  TheScript().idleHook = std::move(hook);
}

void SetBeforeSwapHook(std::function<void()> hook) {
  TheScript().beforeSwap = std::move(hook);
}

void OfferDisplayMode(int width, int height, int bits) {
  TheScript().offeredModes.push_back({width, height, bits});
}

bool ResizeClient(int width, int height) {
  const HWND handle = TheScript().lastWindow;
  emulation::Window *window = emulation::FindWindow(handle);
  if (window == nullptr)
    return false;
  window->clientWidth = width;
  window->clientHeight = height;
  int w = 0;
  int h = 0;
  if (!emulation::RemakeSurface(handle, window->surfaceFormat))
    return false;
  SDL_GL_GetDrawableSize(window->surface, &w, &h);
  if (w != width || h != height)
    return false;
  // Sent at once, as a user's resize sends it.
  emulation::Send(handle, WM_SIZE, SIZE_RESTORED, MAKELONG(width, height));
  return true;
}

std::string WindowTitle() {
  return TheScript().lastTitle;
}

bool CursorVisible() {
  return TheScript().cursorCount >= 0;
}

bool DisplayModeChanged() {
  emulation::DisplayMode mode;
  return emulation::ChangedMode(&mode);
}

int LiveWindows() {
  return emulation::WindowCount();
}

int RegisteredClasses() {
  return emulation::ClassCount();
}

int LiveContexts() {
  return emulation::ContextCount();
}

bool ContextCurrent() {
  return emulation::ContextCurrent();
}

} // namespace scripted
