// MessageBoxA as an SDL message box: the caption, text and buttons asked for
// (OK, or Yes and No), the icon mapped to SDL's error / warning / information
// kinds (a question shows as information; SDL has no question icon), Return
// answering the first button and Escape the No button (OK where OK is the
// only one). Where no dialog can be shown (no display, no fonts) the text
// and SDL's reason go to standard error and the Escape answer is taken:
// nothing waits for a person who cannot see the question, and nobody is
// taken to have agreed to what it offers.
// Lacks: the other button sets, default-button flags, modality flags.
#include "platform/emulation.h"

#include <SDL.h>

#include <cstdio>

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
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
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    std::fprintf(stderr,
                 "%s: %s\n(no dialog could be shown: %s; answered %s)\n",
                 shownCaption, shownText, SDL_GetError(), escape.text);
    return escape.buttonid;
  }
  return answer < 0 ? escape.buttonid : answer;
}
