// Process entry and the polling main loop: ask for the mode, open the window,
// then game step, frame and swap on every pass that finds no message.
#include "app/scene_window.h"
#include "game/game_step.h"
#include "render/frame.h"
#include "shell/shell_state.h"

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr int kFullScreenBits = 16;

// F1 closes the window and opens it again in the other mode, which runs the
// whole scene set-up again in a new context.
bool ReopenInOtherMode() {
  keyState[VK_F1] = 0;
  CloseSceneWindow();
  fullScreen = !fullScreen;
  return OpenSceneWindow("ZENTRA TUTORIALS", kWindowWidth, kWindowHeight,
                         kFullScreenBits, fullScreen);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MSG msg = {};
  bool done = false;

  if (MessageBoxA(nullptr, "Would You Like To Run In Fullscreen Mode?",
                  "Start FullScreen?", MB_YESNO | MB_ICONQUESTION) == IDNO) {
    fullScreen = false;
  }
  if (!OpenSceneWindow("Quorne Tv lounge by Velmar", kWindowWidth,
                       kWindowHeight, kFullScreenBits, fullScreen)) {
    return 0;
  }

  while (!done) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        done = true;
      } else {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      continue;
    }

    // An idle pass. There is no timer: every game amount is per pass.
    RunGameStep();
    bool present = true;
    if (windowActive && !DrawScene()) {
      done = true;
      present = false;
    }
    if (keyState[VK_ESCAPE]) {
      done = true;
      present = false;
    }
    if (present) {
      SwapBuffers(deviceContext); // also while minimised and nothing drawn
    }
    if (keyState[VK_F1] && !ReopenInOtherMode()) {
      return 0;
    }
  }

  CloseSceneWindow();
  // Every quit request posts 0. A loop ended otherwise (a failed frame, a
  // held Escape) has no quit code: the last message's wParam is not an exit
  // status, so report success as every other path does.
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}
