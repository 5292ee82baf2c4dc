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
#include <vector>

namespace {

struct Buttons {
  std::vector<int> ids;
  std::vector<const char *> labels;
  int escapeIndex; // the button Escape (and closing the dialog) answers
};

Buttons ButtonsFor(UINT type) {
  switch (type & MB_TYPEMASK) {
  case MB_YESNO:
    return {{IDYES, IDNO}, {"Yes", "No"}, 1};
  default:
    return {{IDOK}, {"OK"}, 0};
  }
}

Uint32 IconFlags(UINT type) {
  switch (type & MB_ICONMASK) {
  case MB_ICONHAND:
    return SDL_MESSAGEBOX_ERROR;
  case MB_ICONEXCLAMATION:
    return SDL_MESSAGEBOX_WARNING;
  default: // information, question, none
    return SDL_MESSAGEBOX_INFORMATION;
  }
}

} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const char *shownText = text == nullptr ? "" : text;
  const char *shownCaption = caption == nullptr ? "Error" : caption;
  const Buttons buttons = ButtonsFor(type);
  const int defaultIndex = 0; // the first button, as the game shows them

  std::vector<SDL_MessageBoxButtonData> data(buttons.ids.size());
  for (std::size_t i = 0; i < data.size(); ++i) {
    data[i].flags = 0;
    if (static_cast<int>(i) == defaultIndex)
      data[i].flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (static_cast<int>(i) == buttons.escapeIndex)
      data[i].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data[i].buttonid = buttons.ids[i];
    data[i].text = buttons.labels[i];
  }

  const emulation::Window *ownerWindow = emulation::FindWindow(owner);
  SDL_MessageBoxData box = {};
  box.flags = IconFlags(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = ownerWindow == nullptr ? nullptr : ownerWindow->surface;
  box.title = shownCaption;
  box.message = shownText;
  box.numbuttons = static_cast<int>(data.size());
  box.buttons = data.data();

  int answer = -1;
  if (SDL_ShowMessageBox(&box, &answer) != 0) {
    std::fprintf(stderr,
                 "%s: %s\n(no dialog could be shown: %s; answered %s)\n",
                 shownCaption, shownText, SDL_GetError(),
                 buttons.labels[buttons.escapeIndex]);
    return buttons.ids[buttons.escapeIndex];
  }
  // A dialog closed from its frame answers like Escape.
  if (answer < 0)
    return buttons.ids[buttons.escapeIndex];
  return answer;
}
