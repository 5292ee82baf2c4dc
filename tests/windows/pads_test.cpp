// The Windows gamepad map: each button's key, the stick past half its travel
// (XInput's y grows upwards), and keys added up over pads.
#include "platform/win32/xinput_keys.h"

#include <gtest/gtest.h>

namespace {

using win32_pads::KeysOfPad;

TEST(WindowsPads, ButtonsHoldTheGameKeys) {
  const struct {
    WORD button;
    int key;
  } kMap[] = {{XINPUT_GAMEPAD_A, 'B'},
              {XINPUT_GAMEPAD_RIGHT_SHOULDER, 'D'},
              {XINPUT_GAMEPAD_LEFT_SHOULDER, 'N'},
              {XINPUT_GAMEPAD_X, 'R'},
              {XINPUT_GAMEPAD_Y, VK_F1},
              {XINPUT_GAMEPAD_BACK, VK_ESCAPE},
              {XINPUT_GAMEPAD_DPAD_UP, VK_UP},
              {XINPUT_GAMEPAD_DPAD_RIGHT, VK_RIGHT}};
  for (const auto &entry : kMap) {
    XINPUT_GAMEPAD pad = {};
    pad.wButtons = entry.button;
    bool keys[256] = {};
    KeysOfPad(pad, keys);
    int held = 0;
    for (bool key : keys)
      held += key ? 1 : 0;
    EXPECT_TRUE(keys[entry.key]) << entry.key;
    EXPECT_EQ(held, 1) << entry.key;
  }
  XINPUT_GAMEPAD start = {};
  start.wButtons = XINPUT_GAMEPAD_START;
  bool keys[256] = {};
  KeysOfPad(start, keys);
  for (bool key : keys)
    EXPECT_FALSE(key);
}

TEST(WindowsPads, TheStickWalksPastHalfItsTravel) {
  XINPUT_GAMEPAD pad = {};
  pad.sThumbLY = 12000;
  pad.sThumbLX = -12000;
  bool keys[256] = {};
  KeysOfPad(pad, keys);
  EXPECT_FALSE(keys[VK_UP]);
  EXPECT_FALSE(keys[VK_LEFT]);
  pad.sThumbLY = 30000;
  pad.sThumbLX = -20000;
  KeysOfPad(pad, keys);
  EXPECT_TRUE(keys[VK_UP]);
  EXPECT_TRUE(keys[VK_LEFT]);
  EXPECT_FALSE(keys[VK_DOWN]);
  EXPECT_FALSE(keys[VK_RIGHT]);
}

TEST(WindowsPads, KeysAddUpOverPads) {
  XINPUT_GAMEPAD first = {};
  first.wButtons = XINPUT_GAMEPAD_A;
  XINPUT_GAMEPAD second = {};
  second.sThumbLY = -30000;
  bool keys[256] = {};
  KeysOfPad(first, keys);
  KeysOfPad(second, keys);
  EXPECT_TRUE(keys['B']);
  EXPECT_TRUE(keys[VK_DOWN]);
}

} // namespace
