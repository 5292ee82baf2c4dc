// The scripted twin: the shared emulation under a face that records every
// call and fails the ones the script names, answers message boxes and key
// states from the script, and keeps each window's surface a hidden window of
// SDL's offscreen driver at the client size, made with the chosen pixel
// format, so contexts on it draw for real. Modes are the ones the script
// offers; its clock is simulated (swaps move it) and there are no events.
#include "platform/scripted/scripted.h"

#include "platform/emulation.h"
#include "platform/folders_posix.h"
#include "platform/sdl_gl/sdl_gl_context.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <set>

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
  emulation::Window *newest = nullptr; // the last window made, live
  std::string newestTitle;             // its title, kept after it is gone
  std::string modulePath; // GetModuleFileNameA's answer; empty: the real one
  double clock = 0;       // simulated seconds
  double refreshRate = 0; // simulated display refreshes a second; 0 none
};

Script &TheScript() {
  static Script script;
  return script;
}

// Tests and tools run without a display: unless told otherwise, SDL's
// offscreen driver renders with EGL. Set before anything starts SDL.
[[maybe_unused]] const bool kOffscreenDefault =
    setenv("SDL_VIDEODRIVER", "offscreen", 0) == 0;

void Record(const char *name, emulation::CallArgs args) {
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

} // namespace

// ---- the face's hooks -------------------------------------------------------

namespace {

bool Calling(const char *name,
             const std::function<emulation::CallArgs()> &args) {
  Record(name, TheScript().recording ? args() : emulation::CallArgs{});
  if (std::strcmp(name, "wglGetProcAddress") == 0 &&
      !TheScript().withheldProcs.empty() &&
      TheScript().withheldProcs.count(args().front()) != 0)
    return true;
  return ShouldFail(name);
}

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
  if (platform::SdlWindow(window) == nullptr)
    TheScript().newest = window;
  else
    SDL_DestroyWindow(platform::SdlWindow(window));
  platform::SetSdlWindow(window, made);
  window->surfaceFormat = format;
  return true;
}

void ShowSurface(emulation::Window *, emulation::ShowKind) {}

void SwapSurface(emulation::Window *window) {
  // A copy: the hook may replace itself.
  const std::function<void()> hook = TheScript().beforeSwap;
  if (hook)
    hook();
  // The offscreen driver draws into an EGL pbuffer, which has one colour
  // buffer whatever the format asks: a frame reads back alike before or
  // after the swap. Its swap presents nothing and so never waits for the
  // frame; finishing it here keeps the driver from queueing frame after
  // frame (about 20 KB a pass of memory that is never given back).
  SDL_GL_SwapWindow(platform::SdlWindow(window));
  using Finish = void (*)();
  static const auto finish =
      reinterpret_cast<Finish>(SDL_GL_GetProcAddress("glFinish"));
  if (finish != nullptr)
    finish();
  // Vsync: the swap ends at the display's next refresh.
  const double hz = TheScript().refreshRate;
  if (hz > 0)
    TheScript().clock = (std::floor(TheScript().clock * hz + 1e-9) + 1) / hz;
}

void DestroySurface(emulation::Window *window) {
  if (window == TheScript().newest) {
    TheScript().newestTitle = window->title;
    TheScript().newest = nullptr;
  }
  if (platform::SdlWindow(window) != nullptr)
    SDL_DestroyWindow(platform::SdlWindow(window));
  platform::SetSdlWindow(window, nullptr);
}

void RetitleSurface(emulation::Window *) {}

void ShowPointer(bool) {}

bool ClosestMode(const emulation::DisplayMode &wanted,
                 emulation::DisplayMode *closest, bool *depthFixed) {
  *depthFixed = false;
  // The offered mode of that size and depth, else the last of that size.
  bool found = false;
  for (const emulation::DisplayMode &mode : TheScript().offeredModes) {
    if (mode.width == wanted.width && mode.height == wanted.height &&
        !(found && closest->bits == wanted.bits)) {
      *closest = mode;
      found = true;
    }
  }
  return found;
}

void SetFullScreen(emulation::Window *, const emulation::DisplayMode *) {}

DWORD Ticks() {
  return 0; // the script's messages carry time 0
}

double Now() {
  return TheScript().clock;
}

void WaitUntil(double when) {
  TheScript().clock = std::max(TheScript().clock, when);
}

void PumpEvents() {}

void NothingQueued() {
  // A copy: the hook may replace itself.
  const std::function<void()> hook = TheScript().idleHook;
  if (hook)
    hook();
}

bool ProgramPath(std::string *path) {
  if (TheScript().modulePath.empty())
    return posix_folders::RunningProgramPath(path);
  *path = TheScript().modulePath;
  return true;
}

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  using emulation::ArgText;
  Record("MessageBoxA", {ArgText(owner), ArgText(text), ArgText(caption),
                         ArgText(emulation::Flags{type})});
  int answer = 0;
  auto &answers = TheScript().answers;
  if (!ShouldFail("MessageBoxA")) {
    answer = (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
  }
  TheScript().boxes.push_back({ArgText(owner), text == nullptr ? "" : text,
                               caption == nullptr ? "" : caption, type,
                               answer});
  return answer;
}

SHORT KeyState(int virtualKey) {
  Record("GetKeyState", {emulation::ArgText(virtualKey)});
  if (ShouldFail("GetKeyState"))
    return 0;
  // The script's keys, or any a source holds on the shared key path.
  const bool down = TheScript().keysDown.count(virtualKey) != 0 ||
                    emulation::KeyHeld(virtualKey);
  return static_cast<SHORT>(down ? 0xFF80 : 0);
}

constexpr emulation::Face MakeFace() {
  emulation::Face face = {};
  face.name = "scripted";
  face.calling = Calling;
  face.makeSurface = MakeSurface;
  face.showSurface = ShowSurface;
  face.swapSurface = SwapSurface;
  face.retitleSurface = RetitleSurface;
  face.showPointer = ShowPointer;
  face.destroySurface = DestroySurface;
  face.closestMode = ClosestMode;
  face.setFullScreen = SetFullScreen;
  face.ticks = Ticks;
  face.now = Now;
  face.waitUntil = WaitUntil;
  face.pumpEvents = PumpEvents;
  face.nothingQueued = NothingQueued;
  sdl_gl::AddContextHooks(&face);
  face.programPath = ProgramPath;
  face.messageBox = ShowMessageBox;
  face.keyState = KeyState;
  return face;
}

// Constant: registered from a static initialiser, it is whole before any.
constexpr emulation::Face kScriptedFace = MakeFace();
[[maybe_unused]] const bool kRegistered =
    emulation::RegisterFace(&kScriptedFace);

} // namespace

// ---- the control API --------------------------------------------------------

namespace scripted {

void Reset() {
  emulation::ResetAll();
  TheScript() = Script();
}

void SetModuleFileName(const std::string &path) {
  TheScript().modulePath = path;
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

void SetRefreshRate(double hz) {
  TheScript().refreshRate = hz;
}

double SimulatedSeconds() {
  return TheScript().clock;
}

void AdvanceClock(double seconds) {
  TheScript().clock += seconds;
}

void OfferDisplayMode(int width, int height, int bits) {
  TheScript().offeredModes.push_back({width, height, bits});
}

bool ResizeClient(int width, int height) {
  emulation::Window *window = TheScript().newest;
  int w = 0;
  int h = 0;
  if (window == nullptr)
    return false;
  window->clientWidth = width;
  window->clientHeight = height;
  if (!emulation::RemakeSurface(window->handle, window->surfaceFormat))
    return false;
  SDL_GL_GetDrawableSize(platform::SdlWindow(window), &w, &h);
  if (w != width || h != height)
    return false;
  // Sent at once, as a user's resize sends it.
  emulation::Send(window->handle, WM_SIZE, SIZE_RESTORED,
                  MAKELONG(width, height));
  return true;
}

std::string WindowTitle() {
  const emulation::Window *newest = TheScript().newest;
  return newest != nullptr ? newest->title : TheScript().newestTitle;
}

} // namespace scripted
