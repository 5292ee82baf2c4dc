// The entry and main loop, run for real on the scripted platform: the
// start-up question, the modes, the passes, the ways out and F1.
#include "shell_fixture.h"

#include "game/collision.h"

#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

using Shell = ShellTest;

const char kTitle[] = "Quorne Tv lounge by Velmar";

int RunGame() {
  return WinMain(nullptr, nullptr, nullptr, SW_SHOW);
}

TEST_F(Shell, AsksTheStartUpQuestionOnceItHasItsData) {
  scripted::QueueMessageBoxAnswer(IDNO);
  CloseAfterPasses(1);
  ASSERT_EQ(RunGame(), 0);
  ASSERT_GE(Names().size(), 2u);
  EXPECT_EQ(Names()[0], "GetFileAttributesA"); // data/texture/ is here
  EXPECT_EQ(Names()[1], "MessageBoxA");
  const auto &box = scripted::MessageBoxes().front();
  EXPECT_EQ(box.owner, "null");
  EXPECT_EQ(box.text, "Would You Like To Run In Fullscreen Mode?");
  EXPECT_EQ(box.caption, "Start FullScreen?");
  EXPECT_EQ(box.type, MB_YESNO | MB_ICONQUESTION);
}

TEST_F(Shell, AnsweringNoOpensAFramedWindowWithoutAModeChange) {
  scripted::QueueMessageBoxAnswer(IDNO);
  bool sawWindow = false;
  auto passes = std::make_shared<int>(0);
  scripted::SetIdleHook([&sawWindow, passes]() {
    sawWindow = scripted::WindowTitle() == kTitle && !fullScreen;
    if (++*passes == 1)
      scripted::InjectMessage(windowHandle, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunGame(), 0);
  EXPECT_TRUE(sawWindow);
  EXPECT_EQ(CountOf("ChangeDisplaySettingsA"), 0);
  EXPECT_EQ(CountOf("ShowCursor"), 0);
  for (const auto &call : scripted::Calls()) {
    if (call.name != "CreateWindowExA")
      continue;
    ASSERT_GE(call.args.size(), 8u);
    EXPECT_EQ(call.args[0], "0x40100"); // app window, window edge
    EXPECT_EQ(call.args[1], "OpenGL");
    EXPECT_EQ(call.args[2], kTitle);
    EXPECT_EQ(call.args[3], "0x6cf0000"); // overlapped, clip flags
  }
}

TEST_F(Shell, AnsweringYesSwitchesTheDisplayAndHidesTheCursor) {
  scripted::QueueMessageBoxAnswer(IDYES);
  scripted::OfferDisplayMode(640, 480, 16);
  bool sawFullScreen = false;
  scripted::SetIdleHook([&sawFullScreen]() {
    sawFullScreen = emulation::Count().modeChanged &&
                    !emulation::Count().cursorShown && fullScreen;
    scripted::InjectMessage(windowHandle, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(RunGame(), 0);
  EXPECT_TRUE(sawFullScreen);
  EXPECT_FALSE(emulation::Count().modeChanged); // restored at teardown
  EXPECT_TRUE(emulation::Count().cursorShown);
  EXPECT_EQ(scripted::MessageBoxes().size(), 1u);
}

TEST_F(Shell, EscapeEndsTheGameWithExitCodeZero) {
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::SetIdleHook([]() {
    scripted::InjectMessage(windowHandle, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(RunGame(), 0);
  EXPECT_EQ(windowHandle, nullptr);
  EXPECT_EQ(emulation::Count().windows, 0);
  EXPECT_EQ(emulation::Count().classes, 0);
}

TEST_F(Shell, CloseEndsTheGameAndTearsDownInOrder) {
  scripted::QueueMessageBoxAnswer(IDNO);
  CloseAfterPasses(3);
  EXPECT_EQ(RunGame(), 0);
  const auto tail = NamesFrom("wglDeleteContext");
  ASSERT_EQ(tail.size(), 4u);
  EXPECT_EQ(tail[1], "ReleaseDC");
  EXPECT_EQ(tail[2], "DestroyWindow");
  EXPECT_EQ(tail[3], "UnregisterClassA");
}

TEST_F(Shell, EveryIdlePassStepsDrawsAndSwaps) {
  scripted::QueueMessageBoxAnswer(IDNO);
  CloseAfterPasses(5);
  EXPECT_EQ(RunGame(), 0);
  // The pass that posts the close still swaps; the close is then drained.
  EXPECT_EQ(CountOf("SwapBuffers"), 5);
}

TEST_F(Shell, MinimisedWindowDrawsNothingButStillSwaps) {
  scripted::QueueMessageBoxAnswer(IDNO);
  auto passes = std::make_shared<int>(0);
  bool boxesWritten = true;
  scripted::SetIdleHook([passes, &boxesWritten]() {
    ++*passes;
    if (*passes == 1) {
      // Minimised: the high word of wParam is non-zero.
      scripted::InjectMessage(windowHandle, WM_ACTIVATE,
                              static_cast<WPARAM>(MAKELONG(WA_INACTIVE, 1)), 0);
    } else if (*passes == 2) {
      DisableBox(0); // drawn by the first pass; only a new frame rewrites it
    } else if (*passes == 4) {
      boxesWritten = IsPointInBox(0, Vec3(5.5f, -1.0f, 4.0f));
      scripted::InjectMessage(windowHandle, WM_CLOSE, 0, 0);
    }
  });
  EXPECT_EQ(RunGame(), 0);
  EXPECT_FALSE(windowActive);
  // No frame was drawn in passes 2 and 3, so the box is still empty.
  EXPECT_FALSE(boxesWritten);
  EXPECT_EQ(CountOf("SwapBuffers"), 4);
}

TEST_F(Shell, ActiveWindowDrawsTheFrame) {
  scripted::QueueMessageBoxAnswer(IDNO);
  bool boxesWritten = false;
  auto passes = std::make_shared<int>(0);
  scripted::SetIdleHook([passes, &boxesWritten]() {
    if (++*passes == 2) { // one frame has been drawn
      boxesWritten = IsPointInBox(0, Vec3(5.5f, -1.0f, 4.0f));
      scripted::InjectMessage(windowHandle, WM_CLOSE, 0, 0);
    }
  });
  EXPECT_EQ(RunGame(), 0);
  EXPECT_TRUE(boxesWritten);
}

TEST_F(Shell, FailedWindowCreationExitsWithOneWithoutALoop) {
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::FailCall("CreateWindowExA");
  EXPECT_EQ(RunGame(), 1);
  EXPECT_EQ(CountOf("PeekMessageA"), 0);
  EXPECT_EQ(MessageTexts().back(), "Window Creation Error.");
}

TEST_F(Shell, MissingMultitextureShowsTheMessageAndEndsCleanly) {
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::FailProcAddress("glActiveTextureARB");
  int idlePasses = 0;
  scripted::SetIdleHook([&idlePasses]() { ++idlePasses; });
  EXPECT_EQ(RunGame(), 1);  // the game could not start
  EXPECT_EQ(idlePasses, 0); // the posted quit ends the loop before a frame
  ASSERT_EQ(scripted::MessageBoxes().size(), 2u);
  const auto &box = scripted::MessageBoxes()[1];
  EXPECT_EQ(box.text, "This OpenGL version does not support Multitexturing!");
  EXPECT_EQ(box.caption, "ERROR");
  EXPECT_EQ(box.type, MB_OK);
  EXPECT_NE(box.owner, "null"); // owned by the game window
  EXPECT_EQ(emulation::Count().windows, 0);
}

TEST_F(Shell, F1ReopensTheWindowInTheOtherMode) {
  scripted::QueueMessageBoxAnswer(IDNO);
  scripted::OfferDisplayMode(640, 480, 16);
  auto passes = std::make_shared<int>(0);
  std::string titleAfterF1;
  bool fullScreenAfterF1 = false;
  scripted::SetIdleHook([passes, &titleAfterF1, &fullScreenAfterF1]() {
    ++*passes;
    if (*passes == 1) {
      scripted::InjectMessage(windowHandle, WM_KEYDOWN, VK_F1, 0);
    } else if (*passes == 3) {
      titleAfterF1 = scripted::WindowTitle();
      fullScreenAfterF1 = fullScreen && emulation::Count().modeChanged;
      scripted::InjectMessage(windowHandle, WM_CLOSE, 0, 0);
    }
  });
  EXPECT_EQ(RunGame(), 0);
  EXPECT_EQ(titleAfterF1, "ZENTRA TUTORIALS");
  EXPECT_TRUE(fullScreenAfterF1);
  EXPECT_EQ(CountOf("RegisterClassA"), 2);
  EXPECT_EQ(CountOf("wglCreateContext"), 2);
  EXPECT_FALSE(emulation::Count().modeChanged);
  EXPECT_EQ(keyState[VK_F1], 0);
}

} // namespace
