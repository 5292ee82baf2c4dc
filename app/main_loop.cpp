// Process entry and the polling main loop: find the data, ask for the mode,
// open the window, then game step, frame and swap on every pass that finds
// no message. A start-up that fails ends with status 1.
#include "app/data_folder.h"
#include "app/scene_window.h"
#include "game/game_step.h"
#include "image/dib.h"
#include "image/texture_slots.h"
#include "render/frame.h"
#include "shell/shell_state.h"

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr int kFullScreenBits = 16;
constexpr int kStartFailed = 1;

// Without its data the game could not load its first texture: the loader's
// own message for it, before any question is asked.
void ShowMissingData() {
  char text[1024];
  FormatDibOpenFailure(kTextureFiles[0].fileName, text, sizeof(text));
  MessageBoxA(nullptr, text, "Error", MB_OK);
}

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
  SetSceneRedraw(DrawScene);

  if (!EnterDataFolder(kInstalledDataFolder)) {
    ShowMissingData();
    return kStartFailed;
  }
  if (MessageBoxA(nullptr, "Would You Like To Run In Fullscreen Mode?",
                  "Start FullScreen?", MB_YESNO | MB_ICONQUESTION) == IDNO) {
    fullScreen = false;
  }
  if (!OpenSceneWindow("Quorne Tv lounge by Velmar", kWindowWidth,
                       kWindowHeight, kFullScreenBits, fullScreen)) {
    return kStartFailed; // the failure has been shown
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
      return kStartFailed;
    }
  }

  CloseSceneWindow();
  // A quit request posts 0, or 1 when the scene set-up failed. A loop ended
  // otherwise (a failed frame, a held Escape) has no quit code: the last
  // message's wParam is not an exit status, so report success.
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}
