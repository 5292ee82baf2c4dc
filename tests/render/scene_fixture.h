// A fresh game window on the scripted platform for each render test: the
// real scene set-up on a real llvmpipe context (over either GL), fresh game
// values, and the frame's matrices and pixels read back.
#pragma once

#include "app/scene_window.h"
#include "camera/camera.h"
#include "game/game_state.h"
#include "platform/gl.h"
#include "platform/scripted/scripted.h"
#include "render/frame.h"
#include "shell/shell_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

struct Rgb {
  int r, g, b;
  int Sum() const { return r + g + b; }
};

class SceneTest : public ::testing::Test {
protected:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  void SetUp() override {
    scripted::Reset();
    ResetProcessValues();
    FixResetSeed(7);
    ASSERT_TRUE(OpenSceneWindow("render test", kWidth, kHeight, 16, false));
    // Every ball far out of the way unless a test places it.
    for (int i = kFirstBallEntry; i < kFirstBallEntry + kBallCount; ++i) {
      ballOffsetX[i] = 4.0f;
      ballOffsetZ[i] = 4.0f;
    }
  }

  void TearDown() override {
    CloseSceneWindow();
    scripted::Reset();
    UseClockResetSeed();
  }

  // The values a process starts with; they live on across tests otherwise.
  static void ResetProcessValues() {
    ResetGameValues();
    ResetShellState();
    fullScreen = false; // the scene opens windowed
  }

  static void PlaceCamera(float ex, float ey, float ez, float vx, float vy,
                          float vz) {
    camera.place(ex, ey, ez, vx, vy, vz, 0.0f, 1.0f, 0.0f);
  }

  static void PlaceBall(int entry, float offsetX, float offsetZ) {
    ballOffsetX[entry] = offsetX;
    ballOffsetZ[entry] = offsetZ;
  }

  // Draws one frame; the matrices are read back, to project points with.
  void Draw() {
    ASSERT_TRUE(DrawScene());
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview_.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection_.data());
    glGetIntegerv(GL_VIEWPORT, viewport_.data());
  }

  // Presents the frame as the main loop does, so the next one starts anew.
  static void Swap() { SwapBuffers(deviceContext); }

  Rgb PixelAt(int x, int y) const {
    unsigned char rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
  }

  std::array<double, 16> modelview_{};
  std::array<double, 16> projection_{};
  std::array<GLint, 4> viewport_{};
};
