// A question box drawn as a plain X window, so that its buttons' first
// letters answer it (Y, N) as a Windows message box's do, besides Return,
// Escape and the mouse.
#pragma once

#include <functional>

namespace xlib_dialog {

struct Choice {
  int id;           // what Ask answers when this button is chosen
  const char *text; // its label; the first letter is its key
  bool onReturn;    // Return chooses it
  bool onEscape;    // Escape and closing the box choose it
};

struct Question {
  const char *caption = "";
  const char *text = ""; // lines split at '\n'
  const Choice *choices = nullptr;
  int count = 0;
  unsigned long owner = 0;    // the X window it is asked over, or 0
  const char *help = nullptr; // a line under the buttons: what answers
  // Asked about every few milliseconds while the box waits: a choice's id
  // answers the box, -1 nothing (other devices than the keyboard and mouse).
  std::function<int()> otherAnswer;
};

// Shows the box on the X display and waits for an answer. False when no box
// can be shown (no X display, no font): the caller asks another way.
bool Ask(const Question &question, int *answer);

// The choice a released key (an X keysym) makes, or -1 for none.
int AnswerForKey(unsigned long keysym, const Choice *choices, int count);

} // namespace xlib_dialog
