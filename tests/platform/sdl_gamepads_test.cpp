// Gamepads through SDL's virtual joystick on the offscreen driver: buttons,
// the d-pad and the stick hold the game's keys, the stick's dead zone, a
// pad unplugged while held lets go and can be plugged in again, and the
// question boxes take A and B (on X, the game's whole boxes).
#include "platform/emulation.h"
#include "platform/sdl/sdl_gamepads.h"
#include "platform/sdl/sdl_pad_answers.h"
#include "platform/sdl_gl/sdl_gl_context.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The pad's events become keys, then a pass of the game runs: a press and a
// release with no pass between would be a tap the key path holds.
void Pass() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// A virtual joystick laid out as SDL's game controller: button i is
// SDL_GameControllerButton i, axis i is SDL_GameControllerAxis i.
class VirtualPad {
public:
  VirtualPad() {
    index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                       SDL_CONTROLLER_AXIS_MAX,
                                       SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index_ < 0)
      return;
    if (!SDL_IsGameController(index_))
      AddMapping();
    joystick_ = SDL_JoystickOpen(index_);
  }
  ~VirtualPad() { Unplug(); }
  bool Ready() const { return joystick_ != nullptr; }

  // The button's state alone, for a reader other than the game's pump.
  void Set(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
  }
  void Press(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
    Pass();
  }
  void Tilt(SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, value);
    Pass();
  }
  void Unplug() {
    if (joystick_ == nullptr)
      return;
    SDL_JoystickDetachVirtual(index_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    Pass();
  }

private:
  void AddMapping() {
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index_), guid,
                              sizeof guid);
    const std::string mapping =
        std::string(guid) +
        ",Virtual pad,a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,start:b6,"
        "leftstick:b7,rightstick:b8,leftshoulder:b9,rightshoulder:b10,"
        "dpup:b11,dpdown:b12,dpleft:b13,dpright:b14,leftx:a0,lefty:a1,"
        "rightx:a2,righty:a3,lefttrigger:a4,righttrigger:a5,";
    SDL_GameControllerAddMapping(mapping.c_str());
  }

  int index_ = -1;
  SDL_Joystick *joystick_ = nullptr;
};

class SdlGamepads : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::string reason;
    ASSERT_TRUE(sdl_gl::StartVideo(&reason)) << reason;
    emulation::TheFace().pumpEvents(); // starts the pads
  }
  // Keys other suites left held by the keyboard would hide the pad's.
  void SetUp() override {
    emulation::ReleaseKeys(emulation::KeySource::Keyboard);
  }
};

TEST_F(SdlGamepads, ButtonsHoldTheGameKeys) {
  VirtualPad pad;
  ASSERT_TRUE(pad.Ready()) << SDL_GetError();
  emulation::TheFace().pumpEvents();
  const struct {
    SDL_GameControllerButton button;
    int key;
  } kMap[] = {{SDL_CONTROLLER_BUTTON_A, 'B'},
              {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 'D'},
              {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 'N'},
              {SDL_CONTROLLER_BUTTON_X, 'R'},
              {SDL_CONTROLLER_BUTTON_Y, VK_F1},
              {SDL_CONTROLLER_BUTTON_BACK, VK_ESCAPE},
              {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_UP},
              {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_LEFT}};
  for (const auto &entry : kMap) {
    EXPECT_EQ(sdl_face::VirtualKeyOfButton(entry.button), entry.key);
    pad.Press(entry.button, true);
    EXPECT_TRUE(emulation::KeyHeld(entry.key)) << entry.key;
    pad.Press(entry.button, false);
    EXPECT_FALSE(emulation::KeyHeld(entry.key)) << entry.key;
  }
  EXPECT_EQ(sdl_face::VirtualKeyOfButton(SDL_CONTROLLER_BUTTON_START), 0);
}

TEST_F(SdlGamepads, TheStickWalksPastHalfItsTravel) {
  VirtualPad pad;
  ASSERT_TRUE(pad.Ready()) << SDL_GetError();
  emulation::TheFace().pumpEvents();
  pad.Tilt(SDL_CONTROLLER_AXIS_LEFTY, -12000);
  EXPECT_FALSE(emulation::KeyHeld(VK_UP));
  pad.Tilt(SDL_CONTROLLER_AXIS_LEFTY, -30000);
  EXPECT_TRUE(emulation::KeyHeld(VK_UP));
  pad.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 20000);
  EXPECT_TRUE(emulation::KeyHeld(VK_RIGHT));
  EXPECT_FALSE(emulation::KeyHeld(VK_LEFT));

  // The d-pad holds up too: letting the stick go keeps it held.
  pad.Press(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  pad.Tilt(SDL_CONTROLLER_AXIS_LEFTY, 0);
  EXPECT_TRUE(emulation::KeyHeld(VK_UP));
  pad.Press(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
  EXPECT_FALSE(emulation::KeyHeld(VK_UP));
  pad.Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0);
  EXPECT_FALSE(emulation::KeyHeld(VK_RIGHT));
}

TEST_F(SdlGamepads, UnpluggingLetsGoAndAPadPluggedAgainWorks) {
  {
    VirtualPad pad;
    ASSERT_TRUE(pad.Ready()) << SDL_GetError();
    emulation::TheFace().pumpEvents();
    pad.Tilt(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    pad.Press(SDL_CONTROLLER_BUTTON_A, true);
    ASSERT_TRUE(emulation::KeyHeld(VK_LEFT));
    ASSERT_TRUE(emulation::KeyHeld('B'));
    pad.Unplug();
    EXPECT_FALSE(emulation::KeyHeld(VK_LEFT));
    EXPECT_FALSE(emulation::KeyHeld('B'));
  }
  // A key the keyboard holds is not the pad's to let go.
  emulation::ChangeKey(VK_UP, true, emulation::KeySource::Keyboard);
  VirtualPad again;
  ASSERT_TRUE(again.Ready()) << SDL_GetError();
  emulation::TheFace().pumpEvents();
  again.Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
  EXPECT_TRUE(emulation::KeyHeld('D'));
  again.Unplug();
  EXPECT_FALSE(emulation::KeyHeld('D'));
  EXPECT_TRUE(emulation::KeyHeld(VK_UP));
  emulation::ChangeKey(VK_UP, false, emulation::KeySource::Keyboard);
}

TEST_F(SdlGamepads, OfTwoPadsTheOneUnpluggedLetsGoOnlyOfItsOwnKeys) {
  VirtualPad first;
  VirtualPad second;
  ASSERT_TRUE(first.Ready() && second.Ready()) << SDL_GetError();
  emulation::TheFace().pumpEvents();
  first.Press(SDL_CONTROLLER_BUTTON_A, true);
  second.Press(SDL_CONTROLLER_BUTTON_A, true);
  second.Press(SDL_CONTROLLER_BUTTON_X, true);
  second.Unplug();
  EXPECT_TRUE(emulation::KeyHeld('B'));
  EXPECT_FALSE(emulation::KeyHeld('R'));
  first.Unplug();
  EXPECT_FALSE(emulation::KeyHeld('B'));
}

// A question box's pads: A answers its first button and B its Escape one,
// each on its release after a press made while the box is shown; a pad
// plugged in meanwhile answers too; the game's keys are not touched.
TEST_F(SdlGamepads, AQuestionBoxTakesAAndBPressedWhileItIsShown) {
  using sdl_face::PadAnswer;
  VirtualPad pad;
  ASSERT_TRUE(pad.Ready()) << SDL_GetError();
  Pass();
  pad.Set(SDL_CONTROLLER_BUTTON_A, true); // held as the box comes up
  sdl_face::PadWatch watch;
  sdl_face::BeginPadWatch(&watch);
  const auto step = [&](SDL_GameControllerButton button, bool down) {
    pad.Set(button, down);
    return sdl_face::PollPadWatch(&watch);
  };
  EXPECT_EQ(sdl_face::PollPadWatch(&watch), PadAnswer::None);
  EXPECT_EQ(step(SDL_CONTROLLER_BUTTON_A, false), PadAnswer::None)
      << "a press from before the box";
  EXPECT_EQ(step(SDL_CONTROLLER_BUTTON_A, true), PadAnswer::None);
  EXPECT_EQ(step(SDL_CONTROLLER_BUTTON_A, false), PadAnswer::First);
  EXPECT_EQ(step(SDL_CONTROLLER_BUTTON_B, true), PadAnswer::None);
  EXPECT_EQ(step(SDL_CONTROLLER_BUTTON_B, false), PadAnswer::Escape);
  EXPECT_EQ(step(SDL_CONTROLLER_BUTTON_X, true), PadAnswer::None);
  EXPECT_EQ(step(SDL_CONTROLLER_BUTTON_X, false), PadAnswer::None);

  VirtualPad plugged;
  ASSERT_TRUE(plugged.Ready()) << SDL_GetError();
  EXPECT_EQ(sdl_face::PollPadWatch(&watch), PadAnswer::None);
  plugged.Set(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(sdl_face::PollPadWatch(&watch), PadAnswer::None);
  plugged.Set(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(sdl_face::PollPadWatch(&watch), PadAnswer::First);
  EXPECT_FALSE(emulation::KeyHeld('B')) << "the box's A is not the game's";
  sdl_face::EndPadWatch(&watch);

  // The game's pads still hold keys after the box.
  pad.Press(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_TRUE(emulation::KeyHeld('B'));
  pad.Press(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_FALSE(emulation::KeyHeld('B'));
}

// A press and release of one button from SDL's timer thread, once the box
// has had time to come up.
struct TimedPress {
  VirtualPad *pad;
  SDL_GameControllerButton button;
  bool down = false;
};

Uint32 PressStep(Uint32, void *param) {
  auto *press = static_cast<TimedPress *>(param);
  press->down = !press->down;
  press->pad->Set(press->button, press->down);
  return press->down ? 100 : 0;
}

// The whole box on X: the game's own MessageBoxA, answered by the pad alone.
// Needs an X display; tests/e2e/pad_question_e2e.sh runs it under Xvfb.
TEST_F(SdlGamepads, OnXTheGamesBoxesAreAnsweredByThePadAlone) {
  const char *driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "x11") != 0)
    GTEST_SKIP() << "needs SDL on X";
  VirtualPad pad;
  ASSERT_TRUE(pad.Ready()) << SDL_GetError();
  Pass();
  const auto answer = [&](SDL_GameControllerButton button, LPCSTR text,
                          LPCSTR caption, UINT type) {
    TimedPress press = {&pad, button};
    const SDL_TimerID timer = SDL_AddTimer(300, PressStep, &press);
    const int answered = MessageBoxA(nullptr, text, caption, type);
    SDL_RemoveTimer(timer);
    pad.Set(button, false);
    return answered;
  };
  EXPECT_EQ(answer(SDL_CONTROLLER_BUTTON_A,
                   "Would You Like To Run In Fullscreen Mode?",
                   "Start FullScreen?", MB_YESNO | MB_ICONQUESTION),
            IDYES);
  EXPECT_EQ(answer(SDL_CONTROLLER_BUTTON_B,
                   "Would You Like To Run In Fullscreen Mode?",
                   "Start FullScreen?", MB_YESNO | MB_ICONQUESTION),
            IDNO);
  EXPECT_EQ(answer(SDL_CONTROLLER_BUTTON_A, "Could not load a texture.",
                   "Error", MB_OK | MB_ICONEXCLAMATION),
            IDOK);
}

} // namespace
