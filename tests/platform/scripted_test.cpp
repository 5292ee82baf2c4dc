// The scripted twin: the call log, message-box answers, failures on demand,
// the queue and its idle hook, and the window procedure re-entered as Win32
// re-enters it.
#include "platform/emulation.h"
#include "platform/scripted/scripted.h"

#include "tests/support/recording_proc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using support::RecordingGameProc;
using support::seen;

class Scripted : public ::testing::Test {
protected:
  void SetUp() override {
    scripted::Reset();
    seen.clear();
  }
  void TearDown() override { scripted::Reset(); }

  static bool Register(const char *name = "OpenGL") {
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = RecordingGameProc;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
  }

  // A framed window whose client area is 640 x 480.
  static HWND MakeWindow(const char *title = "Title") {
    RECT rect = {0, 0, 640, 480};
    AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    return CreateWindowExA(WS_EX_APPWINDOW, "OpenGL", title,
                           WS_OVERLAPPEDWINDOW, 0, 0, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, nullptr,
                           nullptr);
  }
};

// ---- the log
// ------------------------------------------------------------------

TEST_F(Scripted, RecordsEveryCallInOrderWithRenderedArguments) {
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow("Lounge");
  ASSERT_NE(window, nullptr);
  SetWindowTextA(window, "Score 3");
  GetKeyState(VK_UP);

  const auto names = scripted::CallNames();
  const std::vector<std::string> expected = {
      "RegisterClassA", "AdjustWindowRectEx", "CreateWindowExA",
      "SetWindowTextA", "GetKeyState"};
  EXPECT_EQ(names, expected);

  const auto &calls = scripted::Calls();
  EXPECT_EQ(calls[0].args[0], "OpenGL");
  EXPECT_EQ(calls[0].args[1], "0x20");
  EXPECT_EQ(calls[1].args[0], "0,0,640,480"); // the rectangle as passed in
  EXPECT_EQ(calls[1].args[1], "0xcf0000");
  const std::vector<std::string> create = {
      "0x40000", "OpenGL", "Lounge", "0xcf0000", "0",    "0",
      "656",     "519",    "null",   "null",     "null", "null"};
  EXPECT_EQ(calls[2].args, create);
  EXPECT_EQ(calls[3].args, (std::vector<std::string>{"hwnd1", "Score 3"}));
  EXPECT_EQ(calls[4].args, (std::vector<std::string>{"38"}));
  EXPECT_EQ(scripted::WindowTitle(), "Score 3");
}

TEST_F(Scripted, HandlesAreNumberedPerKindAndRestartAfterReset) {
  ASSERT_TRUE(Register());
  const HWND first = MakeWindow();
  const HWND second = MakeWindow();
  GetDC(second);
  EXPECT_EQ(scripted::Calls().back().args[0], "hwnd2");
  scripted::Reset();
  ASSERT_TRUE(Register());
  EXPECT_NE(MakeWindow(), nullptr);
  EXPECT_EQ(emulation::Count().windows, 1);
  GetDC(first); // the same value as the new window's: hwnd1 again
  EXPECT_EQ(scripted::Calls().back().args[0], "hwnd1");
  (void)second;
}

TEST_F(Scripted, ResetForgetsEverything) {
  ASSERT_TRUE(Register());
  MakeWindow();
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::FailCall("GetDC");
  scripted::SetKeyDown(VK_LEFT, true);
  scripted::OfferDisplayMode(640, 480, 16);
  ShowCursor(FALSE);
  PostQuitMessage(0);

  scripted::Reset();
  EXPECT_TRUE(scripted::Calls().empty());
  EXPECT_EQ(emulation::Count().windows, 0);
  EXPECT_EQ(emulation::Count().classes, 0);
  EXPECT_TRUE(emulation::Count().cursorShown);
  EXPECT_EQ(GetKeyState(VK_LEFT), 0);
  EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO), IDYES);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)); // no WM_QUIT
  DEVMODEA mode = {};
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  mode.dmPelsWidth = 640;
  mode.dmPelsHeight = 480;
  mode.dmBitsPerPel = 16;
  EXPECT_NE(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN),
            DISP_CHANGE_SUCCESSFUL);
}

// ---- message boxes
// -----------------------------------------------------------

TEST_F(Scripted, MessageBoxesTakeQueuedAnswersThenTheDefaultButton) {
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::QueueMessageBoxAnswer(IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Full?", "Start", MB_YESNO | MB_ICONQUESTION),
            IDNO);
  EXPECT_EQ(MessageBoxA(window, "Go?", "Q", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Again?", "Q", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "Done.", "ERROR", MB_OK | MB_ICONSTOP), IDOK);

  const auto &boxes = scripted::MessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].owner, "null");
  EXPECT_EQ(boxes[0].text, "Full?");
  EXPECT_EQ(boxes[0].caption, "Start");
  EXPECT_EQ(boxes[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(boxes[0].answer, IDNO);
  EXPECT_EQ(boxes[1].owner, "hwnd1");
  EXPECT_EQ(boxes[2].answer, IDYES);
  EXPECT_EQ(boxes[3].answer, IDOK);
}

// ---- failures on demand
// ------------------------------------------------------

TEST_F(Scripted, FailedCallsReturnTheirFailureValueWithoutEffect) {
  scripted::FailCall("RegisterClassA");
  EXPECT_FALSE(Register());
  EXPECT_EQ(emulation::Count().classes, 0);
  scripted::FailCall("RegisterClassA", 0); // switched off again
  ASSERT_TRUE(Register());

  scripted::FailCall("CreateWindowExA", 1);
  EXPECT_EQ(MakeWindow(), nullptr);
  EXPECT_TRUE(seen.empty()); // no WM_SIZE from a window never made
  const HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);

  scripted::FailCall("DestroyWindow", 2);
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_EQ(emulation::Count().windows, 1);
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(emulation::Count().windows, 0);
  EXPECT_FALSE(DestroyWindow(window)); // gone: a stale handle is refused

  scripted::FailCall("UnregisterClassA");
  EXPECT_FALSE(UnregisterClassA("OpenGL", nullptr));
  EXPECT_EQ(emulation::Count().classes, 1);

  scripted::FailCall("ChangeDisplaySettingsA");
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_FAILED);
  scripted::FailCall("CreateFileA");
  EXPECT_EQ(CreateFileA("CMakeLists.txt", GENERIC_READ, FILE_SHARE_READ,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  // Failed calls are still recorded.
  EXPECT_EQ(scripted::CallNames().back(), "CreateFileA");
}

TEST_F(Scripted, WithRecordingOffCallsGoUnloggedButStillFail) {
  scripted::SetRecording(false);
  scripted::FailCall("RegisterClassA", 1);
  EXPECT_FALSE(Register());
  EXPECT_TRUE(Register());
  EXPECT_TRUE(scripted::Calls().empty());
  scripted::SetRecording(true);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(scripted::CallNames(), std::vector<std::string>{"GetFocus"});
}

// ---- classes and windows
// -----------------------------------------------------

TEST_F(Scripted, ClassNamesAreUniqueWhileRegistered) {
  ASSERT_TRUE(Register("OpenGL"));
  EXPECT_FALSE(Register("OpenGL")); // the name is taken
  EXPECT_FALSE(UnregisterClassA("Other", nullptr));
  const HWND window = MakeWindow();
  EXPECT_FALSE(UnregisterClassA("OpenGL", nullptr)); // it still has a window
  DestroyWindow(window);
  EXPECT_TRUE(UnregisterClassA("OpenGL", nullptr));
  EXPECT_TRUE(Register("OpenGL"));
}

TEST_F(Scripted, CreationSendsTheClientSizeAndShowingActivates) {
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(LOWORD(seen[0].lParam), 640);
  EXPECT_EQ(HIWORD(seen[0].lParam), 480);

  ShowWindow(window, SW_SHOW);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_ACTIVATE));
  EXPECT_EQ(LOWORD(seen[1].wParam), WA_ACTIVE);
  EXPECT_EQ(HIWORD(seen[1].wParam), 0);
  EXPECT_EQ(GetFocus(), window);

  // Already foreground and focused: nothing more is sent.
  SetForegroundWindow(window);
  EXPECT_EQ(SetFocus(window), window);
  EXPECT_EQ(seen.size(), 2u);

  emulation::SetActivation(window, false, true); // the user minimises it
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(LOWORD(seen[2].wParam), WA_INACTIVE);
  EXPECT_EQ(HIWORD(seen[2].wParam), 1); // minimised
}

TEST_F(Scripted, PopUpWindowsHaveNoFrame) {
  ASSERT_TRUE(Register());
  RECT rect = {0, 0, 640, 480};
  AdjustWindowRectEx(&rect, WS_POPUP, FALSE, WS_EX_APPWINDOW);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.right, 640);
  EXPECT_EQ(rect.bottom, 480);
  CreateWindowExA(WS_EX_APPWINDOW, "OpenGL", "t", WS_POPUP, 0, 0, 640, 480,
                  nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].lParam, MAKELONG(640, 480));
}

TEST_F(Scripted, CursorAndDisplayModeFollowTheirCounters) {
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_FALSE(emulation::Count().cursorShown);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_TRUE(emulation::Count().cursorShown);

  DEVMODEA mode = {};
  mode.dmSize = 148;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  mode.dmPelsWidth = 640;
  mode.dmPelsHeight = 480;
  mode.dmBitsPerPel = 16;
  scripted::OfferDisplayMode(640, 480, 32);
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  EXPECT_FALSE(emulation::Count().modeChanged);
  scripted::OfferDisplayMode(640, 480, 16);
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN),
            DISP_CHANGE_SUCCESSFUL);
  EXPECT_TRUE(emulation::Count().modeChanged);
  EXPECT_EQ(scripted::Calls().back().args,
            (std::vector<std::string>{"640x480x16", "0x4"}));
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_FALSE(emulation::Count().modeChanged);
}

// ---- the queue
// ---------------------------------------------------------------

TEST_F(Scripted, InjectedMessagesAreDispatchedToTheClassProcedure) {
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  seen.clear();
  scripted::InjectMessage(window, WM_KEYDOWN, VK_ESCAPE, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_TRUE(TranslateMessage(&msg));
  DispatchMessageA(&msg);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].wParam, static_cast<WPARAM>(VK_ESCAPE));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Scripted, QuitComesAfterThePostedMessagesWithItsCode) {
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  PostQuitMessage(5);
  scripted::InjectMessage(window, WM_KEYUP, 'B', 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 5u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Scripted, TheIdleHookRunsOncePerEmptyPeek) {
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  int idle = 0;
  scripted::SetIdleHook([&idle, window]() {
    if (++idle == 3)
      scripted::InjectMessage(window, WM_CLOSE, 0, 0);
  });
  MSG msg;
  int passes = 0;
  int code = -1;
  while (passes < 100) {
    ++passes;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      continue;
    if (msg.message == WM_QUIT) {
      code = static_cast<int>(msg.wParam);
      break;
    }
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(idle, 3);
  EXPECT_EQ(passes, 5); // three idle, the close, the quit
  EXPECT_EQ(code, support::kRecordedQuitCode); // what the procedure posted
}

TEST_F(Scripted, DefaultProcessingClosesDestroysAndIgnores) {
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  EXPECT_EQ(DefWindowProcA(window, WM_SYSCOMMAND, 0xF060, 0), 0); // SC_CLOSE
  EXPECT_EQ(DefWindowProcA(window, WM_KEYDOWN, VK_ESCAPE, 0), 0);
  EXPECT_EQ(emulation::Count().windows, 1);
  EXPECT_EQ(DefWindowProcA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(emulation::Count().windows, 0);
  // Its own destruction of the window is not a call of the game's.
  EXPECT_EQ(scripted::CallNames().back(), "DefWindowProcA");
}

TEST_F(Scripted, KeyStatesComeFromTheScript) {
  EXPECT_EQ(GetKeyState(VK_UP), 0);
  scripted::SetKeyDown(VK_UP, true);
  EXPECT_LT(GetKeyState(VK_UP), 0); // the 0x80 bit, as a negative SHORT
  EXPECT_TRUE(GetKeyState(VK_UP) & 0x80);
  EXPECT_EQ(GetKeyState(VK_DOWN), 0);
  scripted::SetKeyDown(VK_UP, false);
  EXPECT_EQ(GetKeyState(VK_UP), 0);
}

// ---- the one key path
// ------------------------------------------------------------

TEST_F(Scripted, AKeyIsHeldWhileAnySourceHoldsItAndGoesUpOnce) {
  using emulation::KeySource;
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  ShowWindow(window, SW_SHOW); // the focus window takes the key messages
  const auto keyMessages = [] {
    std::vector<std::pair<UINT, WPARAM>> keys;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)
        keys.push_back({msg.message, msg.wParam});
    return keys;
  };
  keyMessages();
  using Keys = std::vector<std::pair<UINT, WPARAM>>;

  emulation::ChangeKey(VK_UP, true, KeySource::Keyboard);
  emulation::ChangeKey(VK_UP, true, KeySource::Gamepad);
  emulation::ChangeKey(VK_UP, false, KeySource::Keyboard);
  EXPECT_TRUE(emulation::KeyHeld(VK_UP));
  EXPECT_LT(GetKeyState(VK_UP), 0) << "the game sees the pad's hold";
  EXPECT_EQ(keyMessages(), (Keys{{WM_KEYDOWN, VK_UP}, {WM_KEYDOWN, VK_UP}}));

  emulation::ChangeKey('B', true, KeySource::Touch);
  emulation::ReleaseKeys(KeySource::Gamepad);
  EXPECT_FALSE(emulation::KeyHeld(VK_UP));
  EXPECT_EQ(GetKeyState(VK_UP), 0);
  EXPECT_TRUE(emulation::KeyHeld('B')) << "another source's keys stay";
  EXPECT_EQ(keyMessages(), (Keys{{WM_KEYDOWN, 'B'}, {WM_KEYUP, VK_UP}}));

  // Keys outside the virtual-key range are no keys.
  emulation::ChangeKey(0, true, KeySource::Keyboard);
  emulation::ChangeKey(300, true, KeySource::Keyboard);
  EXPECT_TRUE(keyMessages().empty());
  scripted::Reset();
  EXPECT_FALSE(emulation::KeyHeld('B')) << "a fresh twin holds no key";
}

// A pass is what runs after PeekMessageA finds nothing, up to the next call.
TEST_F(Scripted, ATapQueuedBetweenTwoPassesIsSeenByExactlyOnePass) {
  using emulation::KeySource;
  ASSERT_TRUE(Register());
  const HWND window = MakeWindow();
  ShowWindow(window, SW_SHOW);
  std::vector<std::pair<UINT, WPARAM>> keys;
  // Hands out every message, then runs one pass: whether it sees the key.
  const auto pass = [&keys](int key) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)
        keys.push_back({msg.message, msg.wParam});
    return GetKeyState(key) < 0;
  };
  pass(VK_F1);
  using Keys = std::vector<std::pair<UINT, WPARAM>>;

  emulation::ChangeKey(VK_F1, true, KeySource::Keyboard);
  emulation::ChangeKey(VK_F1, false, KeySource::Keyboard);
  EXPECT_TRUE(emulation::KeyHeld(VK_F1)) << "no pass has seen it yet";
  EXPECT_TRUE(pass(VK_F1));
  EXPECT_EQ(keys, (Keys{{WM_KEYDOWN, VK_F1}})) << "its up waits for the pass";
  EXPECT_FALSE(pass(VK_F1));
  EXPECT_FALSE(pass(VK_F1));
  EXPECT_EQ(keys, (Keys{{WM_KEYDOWN, VK_F1}, {WM_KEYUP, VK_F1}}));

  // Two taps before a pass are one press the pass sees; a key held over a
  // pass goes up as soon as it is let go.
  keys.clear();
  for (int tap = 0; tap < 2; ++tap) {
    emulation::ChangeKey('B', true, KeySource::Touch);
    emulation::ChangeKey('B', false, KeySource::Touch);
  }
  EXPECT_TRUE(pass('B'));
  EXPECT_FALSE(pass('B'));
  emulation::ChangeKey('B', true, KeySource::Keyboard);
  EXPECT_TRUE(pass('B'));
  EXPECT_TRUE(pass('B'));
  emulation::ChangeKey('B', false, KeySource::Keyboard);
  EXPECT_FALSE(emulation::KeyHeld('B'));
  pass('B');
  EXPECT_EQ(keys, (Keys{{WM_KEYDOWN, 'B'},
                        {WM_KEYDOWN, 'B'},
                        {WM_KEYUP, 'B'},
                        {WM_KEYDOWN, 'B'},
                        {WM_KEYUP, 'B'}}));
}

} // namespace
