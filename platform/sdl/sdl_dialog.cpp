// MessageBoxA: the caption, text and buttons asked for (OK, or Yes and No),
// Return answering the first button and Escape the No button (OK where OK is
// the only one). On X the box is our own (xlib_dialog), so Y and N answer it
// as on Windows, and so do the gamepads (A the first button, B the Escape
// one), read while it waits, with a help line under the buttons saying so;
// elsewhere it is SDL's message box, which blocks with no way in for a pad, the
// icon mapped to SDL's error / warning / information kinds (a question shows as
// information; SDL has no question icon). Where no dialog can be shown (no
// display, no fonts) the text and SDL's reason go to standard error and the
// Escape answer is taken: nothing waits for a person who cannot see the
// question, and nobody is taken to have agreed to what it offers. Lacks: the
// other button sets, default-button flags, modality flags.
#include "platform/sdl/sdl_face.h"

#include "platform/emulation.h"
#include "platform/sdl/sdl_pad_answers.h"
#include "platform/sdl_gl/sdl_gl_context.h"
#include "platform/xlib/xlib_dialog.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstring>

namespace {

// Our own box only where SDL's windows are X windows, or would be: not
// under another video driver (tests run on the offscreen one).
bool OnX() {
  const char *driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr)
    driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return driver == nullptr || driver[0] == '\0' ||
         std::strcmp(driver, "x11") == 0;
}

unsigned long XWindowOf(SDL_Window *window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
      info.subsystem != SDL_SYSWM_X11)
    return 0;
  return info.info.x11.window;
}

// Which keys and pad buttons answer, under the box's own text.
const char *HelpLine(int buttons) {
  return buttons < 2 ? "Return, Escape or O; pad A or B: OK"
                     : "Y or Return, pad A: Yes.   N or Escape, pad B: No.";
}

bool AskOnX(const SDL_MessageBoxData &box, int *answer) {
  xlib_dialog::Choice choices[2] = {};
  for (int i = 0; i < box.numbuttons && i < 2; ++i) {
    const SDL_MessageBoxButtonData &b = box.buttons[i];
    choices[i] = {b.buttonid, b.text,
                  (b.flags & SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT) != 0,
                  (b.flags & SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT) != 0};
  }
  const int count = box.numbuttons < 2 ? box.numbuttons : 2;
  int escapeId = -1;
  for (int i = 0; i < count; ++i)
    if (choices[i].onEscape)
      escapeId = choices[i].id;
  sdl_face::PadWatch pads;
  sdl_face::BeginPadWatch(&pads);
  xlib_dialog::Question question;
  question.caption = box.title;
  question.text = box.message;
  question.choices = choices;
  question.count = count;
  question.owner = XWindowOf(box.window);
  question.help = HelpLine(count);
  question.otherAnswer = [&pads, &choices, escapeId] {
    switch (sdl_face::PollPadWatch(&pads)) {
    case sdl_face::PadAnswer::First:
      return choices[0].id;
    case sdl_face::PadAnswer::Escape:
      return escapeId;
    default:
      return -1;
    }
  };
  const bool asked = xlib_dialog::Ask(question, answer);
  sdl_face::EndPadWatch(&pads);
  return asked;
}

} // namespace

namespace sdl_face {

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const char *shownText = text == nullptr ? "" : text;
  const char *shownCaption = caption == nullptr ? "Error" : caption;
  constexpr Uint32 kReturn = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
  constexpr Uint32 kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  const SDL_MessageBoxButtonData yesNo[] = {{kReturn, IDYES, "Yes"},
                                            {kEscape, IDNO, "No"}};
  const SDL_MessageBoxButtonData ok[] = {{kReturn | kEscape, IDOK, "OK"}};
  const bool asksYesNo = (type & MB_TYPEMASK) == MB_YESNO;
  const SDL_MessageBoxButtonData &escape = asksYesNo ? yesNo[1] : ok[0];

  Uint32 icon = SDL_MESSAGEBOX_INFORMATION;
  if ((type & MB_ICONMASK) == MB_ICONHAND)
    icon = SDL_MESSAGEBOX_ERROR;
  else if ((type & MB_ICONMASK) == MB_ICONEXCLAMATION)
    icon = SDL_MESSAGEBOX_WARNING;

  const emulation::Window *ownerWindow = emulation::FindWindow(owner);
  SDL_MessageBoxData box = {};
  box.flags = icon | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window =
      ownerWindow == nullptr ? nullptr : platform::SdlWindow(ownerWindow);
  box.title = shownCaption;
  box.message = shownText;
  box.numbuttons = asksYesNo ? 2 : 1;
  box.buttons = asksYesNo ? yesNo : ok;

  int answer = -1;
  if (OnX() && AskOnX(box, &answer))
    return answer < 0 ? escape.buttonid : answer;
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    std::fprintf(stderr,
                 "%s: %s\n(no dialog could be shown: %s; answered %s)\n",
                 shownCaption, shownText, SDL_GetError(), escape.text);
    return escape.buttonid;
  }
  return answer < 0 ? escape.buttonid : answer;
}

} // namespace sdl_face
