// SDL keys to virtual-key codes: the keys the game reads, letters by layout,
// digits by position, modifiers as their shared codes.
#include "platform/sdl/sdl_keys.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace {

using sdl_face::VirtualKeyFromSdl;

TEST(SdlKeys, TheGameKeysMapToTheirVirtualKeys) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UP, SDL_SCANCODE_UP), VK_UP);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN, SDL_SCANCODE_DOWN), VK_DOWN);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT, SDL_SCANCODE_LEFT), VK_LEFT);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RIGHT, SDL_SCANCODE_RIGHT), VK_RIGHT);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), VK_ESCAPE);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1, SDL_SCANCODE_F1), VK_F1);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12, SDL_SCANCODE_F12), VK_F1 + 11);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_b, SDL_SCANCODE_B), 'B');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_d, SDL_SCANCODE_D), 'D');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_n, SDL_SCANCODE_N), 'N');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_r, SDL_SCANCODE_R), 'R');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN, SDL_SCANCODE_RETURN), VK_RETURN);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_SPACE, SDL_SCANCODE_SPACE), VK_SPACE);
}

TEST(SdlKeys, LettersFollowTheLayoutAndDigitsThePosition) {
  // An AZERTY board: the key where QWERTY has Q types A.
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_a, SDL_SCANCODE_Q), 'A');
  // Its digit row types '&' unshifted; Win32 still reports '1'.
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_AMPERSAND, SDL_SCANCODE_1), '1');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_0, SDL_SCANCODE_0), '0');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_9, SDL_SCANCODE_9), '9');
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a + i,
                                static_cast<SDL_Scancode>(SDL_SCANCODE_A + i)),
              'A' + i);
  }
}

TEST(SdlKeys, ModifiersUseTheSharedCodesOfBothSides) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), VK_SHIFT);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), VK_SHIFT);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LCTRL, SDL_SCANCODE_LCTRL), VK_CONTROL);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RCTRL, SDL_SCANCODE_RCTRL), VK_CONTROL);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LALT, SDL_SCANCODE_LALT), VK_MENU);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RALT, SDL_SCANCODE_RALT), VK_MENU);
}

TEST(SdlKeys, KeysWithoutAVirtualKeyGiveZero) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY), 0);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0, SDL_SCANCODE_KP_0), 0);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

} // namespace
