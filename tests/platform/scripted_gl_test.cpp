// The scripted twin's GL: pixel formats as asked, real contexts on the
// offscreen driver that draw and read back, the swap hook, entry points.
#include "platform/emulation.h"
#include "platform/gl.h"
#include "platform/scripted/scripted.h"

#include <gtest/gtest.h>

#include <array>

namespace {

LRESULT CALLBACK QuietProc(HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

const PIXELFORMATDESCRIPTOR kGameFormat = {
    40,
    1,
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
    PFD_TYPE_RGBA,
    24,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    16,
    0,
    0,
    PFD_MAIN_PLANE,
    0,
    0,
    0,
    0};

class ScriptedGl : public ::testing::Test {
protected:
  void SetUp() override {
    scripted::Reset();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = QuietProc;
    wc.lpszClassName = "OpenGL";
    ASSERT_NE(RegisterClassA(&wc), 0);
    window = CreateWindowExA(0, "OpenGL", "gl", WS_POPUP, 0, 0, 64, 48, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
  }
  void TearDown() override { scripted::Reset(); }

  HGLRC MakeCurrentContext() {
    const int format = ChoosePixelFormat(dc, &kGameFormat);
    EXPECT_GT(format, 0);
    EXPECT_TRUE(SetPixelFormat(dc, format, &kGameFormat));
    HGLRC rc = wglCreateContext(dc);
    EXPECT_NE(rc, nullptr);
    EXPECT_FALSE(
        emulation::Count().contextCurrent); // creating is not activating
    EXPECT_TRUE(wglMakeCurrent(dc, rc));
    return rc;
  }

  HWND window = nullptr;
  HDC dc = nullptr;
};

TEST_F(ScriptedGl, AContextClearsAndReadsBackARealFrame) {
  ASSERT_NE(MakeCurrentContext(), nullptr);
  ASSERT_TRUE(emulation::Count().contextCurrent);
  glViewport(0, 0, 64, 48);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  std::array<unsigned char, 4> pixel = {};
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_EQ(pixel[0], 255);
  EXPECT_EQ(pixel[1], 0);
  EXPECT_EQ(pixel[2], 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ScriptedGl, TheContextHasTheAskedDepthAndTheClientSize) {
  ASSERT_NE(MakeCurrentContext(), nullptr);
  GLint depth = 0;
  GLint viewport[4] = {};
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  glGetIntegerv(GL_VIEWPORT, viewport); // starts as the drawable's size
  // (The offscreen driver's drawable is a pbuffer: one colour buffer, so a
  // double-buffer request cannot be checked here.)
  EXPECT_GE(depth, 16);
  EXPECT_EQ(viewport[2], 64);
  EXPECT_EQ(viewport[3], 48);
}

TEST_F(ScriptedGl, AResizedClientIsDrawnWholeByTheSameContext) {
  ASSERT_NE(MakeCurrentContext(), nullptr);
  // Larger than the window was made: the drawable grows with it.
  ASSERT_TRUE(scripted::ResizeClient(300, 200));
  EXPECT_TRUE(emulation::Count().contextCurrent);
  glViewport(0, 0, 300, 200);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  std::array<unsigned char, 4> pixel = {};
  glReadPixels(299, 199, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_EQ(pixel[1], 255);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  scripted::Reset();
  EXPECT_FALSE(scripted::ResizeClient(300, 200)); // no window to resize
}

TEST_F(ScriptedGl, TheSwapHookSeesTheFinishedFrame) {
  ASSERT_NE(MakeCurrentContext(), nullptr);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  std::array<unsigned char, 4> pixel = {};
  int hooks = 0;
  scripted::SetBeforeSwapHook([&pixel, &hooks]() {
    ++hooks;
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  });
  EXPECT_TRUE(SwapBuffers(dc));
  EXPECT_EQ(hooks, 1);
  EXPECT_EQ(pixel[2], 255);
  EXPECT_EQ(pixel[0], 0);
}

TEST_F(ScriptedGl, EntryPointsNeedACurrentContextAndCanBeWithheld) {
  EXPECT_EQ(wglGetProcAddress("glActiveTextureARB"), nullptr);
  ASSERT_NE(MakeCurrentContext(), nullptr);
  EXPECT_NE(wglGetProcAddress("glActiveTextureARB"), nullptr);
  EXPECT_NE(wglGetProcAddress("glMultiTexCoord2fARB"), nullptr);
  scripted::FailProcAddress("glActiveTextureARB");
  EXPECT_EQ(wglGetProcAddress("glActiveTextureARB"), nullptr);
  EXPECT_NE(wglGetProcAddress("glMultiTexCoord2fARB"), nullptr);
}

TEST_F(ScriptedGl, APixelFormatIsSetOnceAndMalformedDescriptorsFindNone) {
  PIXELFORMATDESCRIPTOR bad = kGameFormat;
  bad.nSize = 12;
  EXPECT_EQ(ChoosePixelFormat(dc, &bad), 0);
  EXPECT_EQ(wglCreateContext(dc), nullptr); // no pixel format yet
  const int format = ChoosePixelFormat(dc, &kGameFormat);
  EXPECT_TRUE(SetPixelFormat(dc, format, &kGameFormat));
  EXPECT_FALSE(SetPixelFormat(dc, format, &kGameFormat));
  EXPECT_EQ(scripted::Calls().back().args,
            (std::vector<std::string>{"hdc1", std::to_string(format), "0x25",
                                      "24", "16"}));
}

TEST_F(ScriptedGl, ReleasingDeletingAndResetEndContexts) {
  HGLRC rc = MakeCurrentContext();
  ASSERT_NE(rc, nullptr);
  EXPECT_EQ(ReleaseDC(window, dc), 1);
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_FALSE(emulation::Count().contextCurrent);
  EXPECT_TRUE(wglDeleteContext(rc));
  EXPECT_FALSE(wglDeleteContext(rc)); // already gone
  EXPECT_EQ(emulation::Count().contexts, 0);

  rc = wglCreateContext(dc);
  ASSERT_NE(rc, nullptr);
  ASSERT_TRUE(wglMakeCurrent(dc, rc));
  scripted::Reset();
  EXPECT_EQ(emulation::Count().contexts, 0);
  EXPECT_FALSE(emulation::Count().contextCurrent);
}

TEST_F(ScriptedGl, FailedContextCallsLeaveTheContextAlone) {
  HGLRC rc = MakeCurrentContext();
  scripted::FailCall("wglMakeCurrent", 1);
  EXPECT_FALSE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(emulation::Count().contextCurrent);
  scripted::FailCall("wglDeleteContext", 1);
  EXPECT_FALSE(wglDeleteContext(rc));
  EXPECT_EQ(emulation::Count().contexts, 1);
  scripted::FailCall("wglCreateContext");
  EXPECT_EQ(wglCreateContext(dc), nullptr);
  scripted::FailCall("ReleaseDC");
  EXPECT_EQ(ReleaseDC(window, dc), 0);
}

} // namespace
