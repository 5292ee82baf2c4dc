// The page's key codes to virtual-key codes: the keys the game reads, the
// families by their numbers, and codes that must not turn into keys.
#include "platform/web/web_keys.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace {

using web_face::VirtualKeyFromCode;

TEST(WebKeys, TheGameKeysMapToTheirVirtualKeys) {
  EXPECT_EQ(VirtualKeyFromCode("ArrowUp"), VK_UP);
  EXPECT_EQ(VirtualKeyFromCode("ArrowDown"), VK_DOWN);
  EXPECT_EQ(VirtualKeyFromCode("ArrowLeft"), VK_LEFT);
  EXPECT_EQ(VirtualKeyFromCode("ArrowRight"), VK_RIGHT);
  EXPECT_EQ(VirtualKeyFromCode("Escape"), VK_ESCAPE);
  EXPECT_EQ(VirtualKeyFromCode("F1"), VK_F1);
  EXPECT_EQ(VirtualKeyFromCode("KeyB"), 'B');
  EXPECT_EQ(VirtualKeyFromCode("KeyD"), 'D');
  EXPECT_EQ(VirtualKeyFromCode("KeyN"), 'N');
  EXPECT_EQ(VirtualKeyFromCode("KeyR"), 'R');
}

TEST(WebKeys, LettersDigitsAndFunctionKeysRunInOrder) {
  EXPECT_EQ(VirtualKeyFromCode("KeyA"), 'A');
  EXPECT_EQ(VirtualKeyFromCode("KeyZ"), 'Z');
  EXPECT_EQ(VirtualKeyFromCode("Digit0"), '0');
  EXPECT_EQ(VirtualKeyFromCode("Digit9"), '9');
  EXPECT_EQ(VirtualKeyFromCode("F10"), VK_F1 + 9);
  EXPECT_EQ(VirtualKeyFromCode("F12"), VK_F1 + 11);
}

TEST(WebKeys, OtherCodesAreNoKeys) {
  for (const char *code : {"", "F0", "F13", "F1x", "Key", "Keya", "KeyAB",
                           "Digit", "DigitX", "Numpad5", "MediaPlayPause"}) {
    EXPECT_EQ(VirtualKeyFromCode(code), 0) << code;
  }
  EXPECT_EQ(VirtualKeyFromCode(nullptr), 0);
}

} // namespace
