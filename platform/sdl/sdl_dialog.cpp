// MessageBoxA as an SDL message box: the caption, text and buttons asked for,
// the icon mapped to SDL's error / warning / information kinds (a question
// shows as information; SDL has no question icon), Return answering the
// default button (the first unless MB_DEFBUTTON2/3 says otherwise) and Escape
// the No or Cancel button (OK where OK is the only one). Where no dialog can
// be shown (no display, no fonts) the text and SDL's reason go to standard
// error and the Escape answer is taken: nothing waits for a person who cannot
// see the question, and nobody is taken to have agreed to what it offers.
// Lacks: MB_ABORTRETRYIGNORE, MB_RETRYCANCEL, help buttons, modality flags.
#include "platform/sdl/sdl_platform.h"

#include <cstdio>
#include <vector>

namespace {

constexpr UINT kDefButton3 = 0x00000200u;

struct Buttons {
  std::vector<int> ids;
  std::vector<const char *> labels;
  int escapeIndex; // the button Escape (and closing the dialog) answers
};

Buttons ButtonsFor(UINT type) {
  switch (type & MB_TYPEMASK) {
  case MB_OKCANCEL:
    return {{IDOK, IDCANCEL}, {"OK", "Cancel"}, 1};
  case MB_YESNOCANCEL:
    return {{IDYES, IDNO, IDCANCEL}, {"Yes", "No", "Cancel"}, 2};
  case MB_YESNO:
    return {{IDYES, IDNO}, {"Yes", "No"}, 1};
  default:
    return {{IDOK}, {"OK"}, 0};
  }
}

int DefaultIndex(UINT type, const Buttons &buttons) {
  int index = 0;
  if ((type & MB_DEFMASK) == MB_DEFBUTTON2)
    index = 1;
  else if ((type & MB_DEFMASK) == kDefButton3)
    index = 2;
  return index < static_cast<int>(buttons.ids.size()) ? index : 0;
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
  const int defaultIndex = DefaultIndex(type, buttons);

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

  const sdl_platform::Window *ownerWindow = sdl_platform::FindWindow(owner);
  SDL_MessageBoxData box = {};
  box.flags = IconFlags(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = ownerWindow == nullptr ? nullptr : ownerWindow->sdl;
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
