// The question box's keys: Return and Escape their marked buttons, a letter
// the button whose label starts with it, in either case; other keys nothing.
#include "platform/win32.h"
#include "platform/xlib/xlib_dialog.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

using xlib_dialog::AnswerForKey;
using xlib_dialog::Choice;

const Choice kYesNo[] = {{IDYES, "Yes", true, false},
                         {IDNO, "No", false, true}};
const Choice kOk[] = {{IDOK, "OK", true, true}};

TEST(X11Dialog, YesNoAnswersToItsLettersReturnAndEscape) {
  EXPECT_EQ(AnswerForKey(XK_y, kYesNo, 2), IDYES);
  EXPECT_EQ(AnswerForKey(XK_Y, kYesNo, 2), IDYES);
  EXPECT_EQ(AnswerForKey(XK_n, kYesNo, 2), IDNO);
  EXPECT_EQ(AnswerForKey(XK_Return, kYesNo, 2), IDYES);
  EXPECT_EQ(AnswerForKey(XK_KP_Enter, kYesNo, 2), IDYES);
  EXPECT_EQ(AnswerForKey(XK_Escape, kYesNo, 2), IDNO);
}

TEST(X11Dialog, OtherKeysDoNotAnswer) {
  EXPECT_EQ(AnswerForKey(XK_x, kYesNo, 2), -1);
  EXPECT_EQ(AnswerForKey(XK_space, kYesNo, 2), -1);
  EXPECT_EQ(AnswerForKey(XK_F1, kYesNo, 2), -1);
  EXPECT_EQ(AnswerForKey(XK_y, kOk, 1), -1);
}

TEST(X11Dialog, AnOkBoxTakesReturnEscapeAndO) {
  EXPECT_EQ(AnswerForKey(XK_Return, kOk, 1), IDOK);
  EXPECT_EQ(AnswerForKey(XK_Escape, kOk, 1), IDOK);
  EXPECT_EQ(AnswerForKey(XK_o, kOk, 1), IDOK);
}

} // namespace
