// Opening and closing the GL window on the scripted platform: each creation
// failure, each teardown failure, the refused mode, the window procedure and
// the viewport.
#include "shell_fixture.h"

#include "app/scene_window.h"
#include "platform/gl.h"

#include <cmath>

namespace {

using Window = ShellTest;

const char kTitle[] = "Quorne Tv lounge by Velmar";

bool OpenWindowed() {
  return OpenSceneWindow(kTitle, 640, 480, 16, false);
}

struct CreationStep {
  const char *call;
  const char *text;
  std::vector<std::string> released; // teardown calls, in order
};

class CreationFailure : public ShellTest,
                        public ::testing::WithParamInterface<CreationStep> {};

TEST_P(CreationFailure, ReleasesWhatExistsThenReports) {
  const CreationStep &step = GetParam();
  scripted::FailCall(step.call, 1);
  EXPECT_FALSE(OpenWindowed());
  // The teardown comes right after the failing call, before the message.
  const auto tail = NamesFrom(step.call);
  std::vector<std::string> want = {step.call};
  want.insert(want.end(), step.released.begin(), step.released.end());
  want.push_back("MessageBoxA");
  EXPECT_EQ(tail, want);
  ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
  const auto &box = scripted::MessageBoxes()[0];
  EXPECT_EQ(box.text, step.text);
  EXPECT_EQ(box.caption, "ERROR");
  EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(box.owner, "null");
  EXPECT_EQ(windowHandle, nullptr);
  EXPECT_EQ(deviceContext, nullptr);
  EXPECT_EQ(renderingContext, nullptr);
  EXPECT_EQ(emulation::Count().windows, 0);
  EXPECT_EQ(emulation::Count().classes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, CreationFailure,
    ::testing::Values(
        CreationStep{
            "CreateWindowExA", "Window Creation Error.", {"UnregisterClassA"}},
        CreationStep{"GetDC",
                     "Can't Create A GL Device Context.",
                     {"DestroyWindow", "UnregisterClassA"}},
        CreationStep{"ChoosePixelFormat",
                     "Can't Find A Suitable PixelFormat.",
                     {"ReleaseDC", "DestroyWindow", "UnregisterClassA"}},
        CreationStep{"SetPixelFormat",
                     "Can't Set The PixelFormat.",
                     {"ReleaseDC", "DestroyWindow", "UnregisterClassA"}},
        CreationStep{"wglCreateContext",
                     "Can't Create A GL Rendering Context.",
                     {"ReleaseDC", "DestroyWindow", "UnregisterClassA"}},
        CreationStep{"wglMakeCurrent",
                     "Can't Activate The GL Rendering Context.",
                     {"wglMakeCurrent", "wglDeleteContext", "ReleaseDC",
                      "DestroyWindow", "UnregisterClassA"}}));

TEST_F(Window, RegistrationFailureReportsWithoutTeardown) {
  scripted::FailCall("RegisterClassA");
  EXPECT_FALSE(OpenWindowed());
  EXPECT_EQ(Names().back(), "MessageBoxA");
  EXPECT_EQ(CountOf("UnregisterClassA"), 0);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{"Failed To Register The Window Class."});
}

TEST_F(Window, FullScreenFailureRestoresTheDisplayBeforeTheMessage) {
  scripted::OfferDisplayMode(640, 480, 16);
  scripted::FailCall("GetDC");
  EXPECT_FALSE(OpenSceneWindow(kTitle, 640, 480, 16, true));
  const auto tail = NamesFrom("GetDC");
  const std::vector<std::string> want = {
      "GetDC",         "ChangeDisplaySettingsA", "ShowCursor",
      "DestroyWindow", "UnregisterClassA",       "MessageBoxA"};
  EXPECT_EQ(tail, want);
  EXPECT_FALSE(emulation::Count().modeChanged);
  EXPECT_TRUE(emulation::Count().cursorShown);
}

TEST_F(Window, FullScreenAsksForTheModeWithTheSizeAndDepth) {
  scripted::OfferDisplayMode(640, 480, 16);
  ASSERT_TRUE(OpenSceneWindow(kTitle, 640, 480, 16, true));
  bool found = false;
  for (const auto &call : scripted::Calls()) {
    if (call.name == "ChangeDisplaySettingsA" && !found) {
      found = true;
      ASSERT_GE(call.args.size(), 2u);
      EXPECT_EQ(call.args[1], "0x4"); // CDS_FULLSCREEN
    }
    if (call.name == "CreateWindowExA") {
      EXPECT_EQ(call.args[0], "0x40000");    // app window
      EXPECT_EQ(call.args[3], "0x86000000"); // pop-up, clip flags
      EXPECT_EQ(call.args[6], "640");        // no frame to add
      EXPECT_EQ(call.args[7], "480");
    }
  }
  EXPECT_TRUE(found);
  EXPECT_FALSE(emulation::Count().cursorShown);
  CloseSceneWindow();
  EXPECT_FALSE(emulation::Count().modeChanged);
  EXPECT_TRUE(emulation::Count().cursorShown);
}

TEST_F(Window, RefusedModeAnsweredYesOpensWindowed) {
  scripted::QueueMessageBoxAnswer(IDYES);
  ASSERT_TRUE(OpenSceneWindow(kTitle, 640, 480, 16, true));
  ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
  const auto &box = scripted::MessageBoxes()[0];
  EXPECT_EQ(box.text, "The Requested Fullscreen Mode Is Not Supported By\n"
                      "Your Video Card. Use Windowed Mode Instead?");
  EXPECT_EQ(box.caption, "OPENGL");
  EXPECT_EQ(box.type, MB_YESNO | MB_ICONEXCLAMATION);
  EXPECT_FALSE(fullScreen);
  EXPECT_TRUE(emulation::Count().cursorShown);
  const int modeChanges = CountOf("ChangeDisplaySettingsA");
  CloseSceneWindow();
  EXPECT_EQ(CountOf("ChangeDisplaySettingsA"), modeChanges);
}

TEST_F(Window, RefusedModeAnsweredNoClosesWithTheClassRegistered) {
  scripted::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(OpenSceneWindow(kTitle, 640, 480, 16, true));
  const std::vector<std::string> want = {
      "The Requested Fullscreen Mode Is Not Supported By\n"
      "Your Video Card. Use Windowed Mode Instead?",
      "Program Will Now Close."};
  EXPECT_EQ(MessageTexts(), want);
  EXPECT_EQ(scripted::MessageBoxes()[1].caption, "ERROR");
  EXPECT_EQ(scripted::MessageBoxes()[1].type, MB_OK | MB_ICONSTOP);
  EXPECT_EQ(emulation::Count().classes, 1);
  EXPECT_EQ(CountOf("CreateWindowExA"), 0);
}

TEST_F(Window, WindowedClientAreaIsTheRequestedSize) {
  ASSERT_TRUE(OpenWindowed());
  RECT rect = {0, 0, 640, 480};
  AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE,
                     WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
  for (const auto &call : scripted::Calls()) {
    if (call.name != "CreateWindowExA")
      continue;
    EXPECT_EQ(call.args[4], "0");
    EXPECT_EQ(call.args[5], "0");
    EXPECT_EQ(call.args[6], std::to_string(rect.right - rect.left));
    EXPECT_EQ(call.args[7], std::to_string(rect.bottom - rect.top));
  }
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
  // Shown, brought forward and focused, in that order, after the context.
  const auto tail = NamesFrom("ShowWindow");
  ASSERT_GE(tail.size(), 3u);
  EXPECT_EQ(tail[1], "SetForegroundWindow");
  EXPECT_EQ(tail[2], "SetFocus");
  CloseSceneWindow();
}

TEST_F(Window, TheCurrentContextIsAskedForVsyncTheWglWay) {
  ASSERT_TRUE(OpenWindowed());
  std::vector<std::string> asked;
  bool current = false;
  for (const auto &call : scripted::Calls()) {
    current = current || call.name == "wglMakeCurrent";
    if (call.name == "ShowWindow")
      break;
    if (current && call.name == "wglGetProcAddress")
      asked.push_back(call.args[0]);
  }
  EXPECT_EQ(asked, (std::vector<std::string>{"wglGetExtensionsStringEXT",
                                             "wglSwapIntervalEXT"}));
  CloseSceneWindow();
}

struct TeardownStep {
  const char *call;
  const char *text;
};

class TeardownFailure : public ShellTest,
                        public ::testing::WithParamInterface<TeardownStep> {};

TEST_P(TeardownFailure, ReportsAndCarriesOn) {
  ASSERT_TRUE(OpenWindowed());
  scripted::FailCall(GetParam().call, 1);
  CloseSceneWindow();
  // A window that could not be destroyed also keeps its class registered.
  const bool windowKept = std::string(GetParam().call) == "DestroyWindow";
  ASSERT_EQ(scripted::MessageBoxes().size(), windowKept ? 2u : 1u);
  if (windowKept) {
    EXPECT_EQ(scripted::MessageBoxes()[1].text, "Could Not Unregister Class.");
  }
  const auto &box = scripted::MessageBoxes()[0];
  EXPECT_EQ(box.text, GetParam().text);
  EXPECT_EQ(box.caption, "SHUTDOWN ERROR");
  EXPECT_EQ(box.type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(CountOf("UnregisterClassA"), 1); // always reached
  EXPECT_EQ(windowHandle, nullptr);
  EXPECT_EQ(deviceContext, nullptr);
  EXPECT_EQ(renderingContext, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EachRelease, TeardownFailure,
    ::testing::Values(
        TeardownStep{"wglMakeCurrent", "Release Of DC And RC Failed."},
        TeardownStep{"wglDeleteContext", "Release Rendering Context Failed."},
        TeardownStep{"ReleaseDC", "Release Device Context Failed."},
        TeardownStep{"DestroyWindow", "Could Not Release hWnd."},
        TeardownStep{"UnregisterClassA", "Could Not Unregister Class."}));

TEST_F(Window, ReopeningAfterCloseNeverReleasesOldHandles) {
  ASSERT_TRUE(OpenWindowed());
  CloseSceneWindow();
  scripted::Reset();
  scripted::FailCall("CreateWindowExA");
  EXPECT_FALSE(OpenWindowed());
  EXPECT_EQ(CountOf("ReleaseDC"), 0);
  EXPECT_EQ(CountOf("DestroyWindow"), 0);
  EXPECT_EQ(CountOf("wglDeleteContext"), 0);
}

TEST_F(Window, ProcedureHandlesItsMessages) {
  HWND w = nullptr;
  EXPECT_EQ(SceneWindowProc(w, WM_ACTIVATE, MAKELONG(WA_INACTIVE, 1), 0), 0);
  EXPECT_FALSE(windowActive);
  // Inactive but not minimised still counts as active.
  EXPECT_EQ(SceneWindowProc(w, WM_ACTIVATE, MAKELONG(WA_INACTIVE, 0), 0), 0);
  EXPECT_TRUE(windowActive);

  scripted::Reset();
  EXPECT_EQ(SceneWindowProc(w, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  EXPECT_EQ(SceneWindowProc(w, WM_SYSCOMMAND, SC_MONITORPOWER, 0), 0);
  EXPECT_EQ(CountOf("DefWindowProcA"), 0);
  SceneWindowProc(w, WM_SYSCOMMAND, 0xF010, 0); // SC_MOVE
  EXPECT_EQ(CountOf("DefWindowProcA"), 1);

  scripted::Reset();
  EXPECT_EQ(SceneWindowProc(w, WM_KEYDOWN, 'B', 0), 0);
  EXPECT_EQ(keyState['B'], 1);
  EXPECT_EQ(CountOf("DefWindowProcA"), 1); // key-down goes on
  EXPECT_EQ(CountOf("PostQuitMessage"), 0);
  EXPECT_EQ(SceneWindowProc(w, WM_KEYUP, 'B', 0), 0);
  EXPECT_EQ(keyState['B'], 0);
  EXPECT_EQ(CountOf("DefWindowProcA"), 1); // key-up does not

  SceneWindowProc(w, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(CountOf("PostQuitMessage"), 1);
  EXPECT_EQ(CountOf("DefWindowProcA"), 2);

  EXPECT_EQ(SceneWindowProc(w, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(CountOf("PostQuitMessage"), 2);
  EXPECT_EQ(CountOf("DestroyWindow"), 0);

  SceneWindowProc(w, 0x0102, 'b', 0); // WM_CHAR
  EXPECT_EQ(CountOf("DefWindowProcA"), 3);
}

TEST_F(Window, ResizeToNoHeightUsesOne) {
  ASSERT_TRUE(OpenWindowed());
  EXPECT_EQ(SceneWindowProc(windowHandle, WM_SIZE, 0, MAKELONG(300, 0)), 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[3], 1);
  EXPECT_EQ(viewport[2], 300);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  // For a perspective matrix, m[5] / m[0] is the aspect ratio.
  EXPECT_NEAR(projection[5] / projection[0], 300.0, 1e-3);
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  CloseSceneWindow();
}

TEST_F(Window, ProjectionUsesAFractionalAspect) {
  ASSERT_TRUE(OpenWindowed());
  ResizeViewport(640, 479);
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  EXPECT_NEAR(m[5] / m[0], 640.0 / 479.0, 1e-6);
  EXPECT_NEAR(m[5], 1.0 / std::tan(22.5 * M_PI / 180.0), 1e-6);
  // m[14] = 2 far near / (near - far): near 0.1, far 100.
  EXPECT_NEAR(m[14], 2 * 100.0 * 0.1 / (0.1 - 100.0), 1e-6);
  CloseSceneWindow();
}

} // namespace
