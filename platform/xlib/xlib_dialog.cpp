// The question box as a plain X window on its own display connection: the
// text in the core font "fixed" (every X server has it), the buttons in a
// row under it and a help line under them, answered by a button's first
// letter, Return, Escape, a click, closing the box, or whatever the caller's
// otherAnswer reports while the box waits (the SDL face's gamepads). SDL's own
// box is the same in look but answers only Return and Escape. Lacks: wrapping
// of long lines, a window-manager theme, input methods, right-to-left text.
#include "platform/xlib/xlib_dialog.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <poll.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace xlib_dialog {

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 12;
constexpr int kButtonMinWidth = 80;
// How often otherAnswer is asked while no X event comes.
constexpr int kPollMilliseconds = 15;

struct Layout {
  std::vector<std::string> lines;
  int lineHeight = 0;
  int width = 0;
  int height = 0;
  std::vector<XRectangle> buttons;
  int helpTop = 0; // the help line's baseline, 0 for none
};

Layout LayOut(XFontStruct *font, const Question &question) {
  Layout layout;
  const char *start = question.text;
  for (;;) {
    const char *end = std::strchr(start, '\n');
    layout.lines.emplace_back(start, end == nullptr ? std::strlen(start)
                                                    : size_t(end - start));
    if (end == nullptr)
      break;
    start = end + 1;
  }
  layout.lineHeight = font->ascent + font->descent;
  int textWidth = 0;
  for (const std::string &line : layout.lines)
    textWidth = std::max(textWidth, XTextWidth(font, line.c_str(),
                                               static_cast<int>(line.size())));

  const int buttonHeight = layout.lineHeight + 12;
  int rowWidth = 0;
  std::vector<int> widths;
  for (int i = 0; i < question.count; ++i) {
    const char *label = question.choices[i].text;
    const int w = std::max(
        kButtonMinWidth,
        XTextWidth(font, label, static_cast<int>(std::strlen(label))) + 24);
    widths.push_back(w);
    rowWidth += w + (i > 0 ? kGap : 0);
  }
  int helpWidth = 0;
  if (question.help != nullptr)
    helpWidth = XTextWidth(font, question.help,
                           static_cast<int>(std::strlen(question.help)));
  layout.width = std::max({textWidth, rowWidth, helpWidth}) + 2 * kMargin;
  const int buttonTop =
      kMargin + static_cast<int>(layout.lines.size()) * layout.lineHeight +
      kMargin;
  layout.height = buttonTop + buttonHeight + kMargin;
  if (question.help != nullptr) {
    layout.helpTop = layout.height + font->ascent;
    layout.height += layout.lineHeight + kMargin;
  }
  int x = (layout.width - rowWidth) / 2;
  for (int w : widths) {
    layout.buttons.push_back({static_cast<short>(x),
                              static_cast<short>(buttonTop),
                              static_cast<unsigned short>(w),
                              static_cast<unsigned short>(buttonHeight)});
    x += w + kGap;
  }
  return layout;
}

void Draw(Display *display, Window window, GC gc, XFontStruct *font,
          const Layout &layout, const Question &question) {
  XClearWindow(display, window);
  int y = kMargin + font->ascent;
  for (const std::string &line : layout.lines) {
    XDrawString(display, window, gc, kMargin, y, line.c_str(),
                static_cast<int>(line.size()));
    y += layout.lineHeight;
  }
  for (int i = 0; i < question.count; ++i) {
    const XRectangle &r = layout.buttons[i];
    const char *label = question.choices[i].text;
    const int length = static_cast<int>(std::strlen(label));
    XDrawRectangle(display, window, gc, r.x, r.y, r.width, r.height);
    if (question.choices[i].onReturn) // the default button, as Windows marks it
      XDrawRectangle(display, window, gc, r.x - 2, r.y - 2, r.width + 4,
                     r.height + 4);
    XDrawString(display, window, gc,
                r.x + (r.width - XTextWidth(font, label, length)) / 2,
                r.y + (r.height + font->ascent - font->descent) / 2, label,
                length);
  }
  if (layout.helpTop > 0)
    XDrawString(display, window, gc, kMargin, layout.helpTop, question.help,
                static_cast<int>(std::strlen(question.help)));
}

// Waits for the next X event; true with it, false when otherAnswer is to be
// asked first (kPollMilliseconds went by without one).
bool NextEvent(Display *display, bool polling, XEvent *event) {
  if (!polling || XPending(display) > 0) {
    XNextEvent(display, event);
    return true;
  }
  pollfd connection = {ConnectionNumber(display), POLLIN, 0};
  if (poll(&connection, 1, kPollMilliseconds) > 0 && XPending(display) > 0) {
    XNextEvent(display, event);
    return true;
  }
  return false;
}

int ButtonAt(const Layout &layout, int x, int y) {
  for (size_t i = 0; i < layout.buttons.size(); ++i) {
    const XRectangle &r = layout.buttons[i];
    if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height)
      return static_cast<int>(i);
  }
  return -1;
}

int EscapeAnswer(const Question &question) {
  for (int i = 0; i < question.count; ++i)
    if (question.choices[i].onEscape)
      return question.choices[i].id;
  return -1;
}

Window MakeWindow(Display *display, const Layout &layout,
                  const Question &question) {
  const int screen = DefaultScreen(display);
  const int x = (DisplayWidth(display, screen) - layout.width) / 2;
  const int y = (DisplayHeight(display, screen) - layout.height) / 2;
  Window window = XCreateSimpleWindow(
      display, RootWindow(display, screen), x, y, layout.width, layout.height,
      1, BlackPixel(display, screen), WhitePixel(display, screen));
  XSelectInput(display, window,
               ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                   ButtonReleaseMask | StructureNotifyMask);

  // The name twice: the old STRING property and the UTF-8 one that window
  // managers and tools read first.
  XStoreName(display, window, question.caption);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8,
                  PropModeReplace,
                  reinterpret_cast<const unsigned char *>(question.caption),
                  static_cast<int>(std::strlen(question.caption)));
  Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, window,
                  XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM,
                  32, PropModeReplace,
                  reinterpret_cast<unsigned char *>(&dialogType), 1);

  XSizeHints *hints = XAllocSizeHints();
  if (hints != nullptr) {
    hints->flags = PPosition | PMinSize | PMaxSize;
    hints->x = x;
    hints->y = y;
    hints->min_width = hints->max_width = layout.width;
    hints->min_height = hints->max_height = layout.height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
  }
  if (question.owner != 0)
    XSetTransientForHint(display, window, question.owner);
  return window;
}

int IgnoreError(Display *, XErrorEvent *) {
  return 0;
}

// With no window manager nobody else gives the box the keyboard. A server
// may refuse (a reparenting manager can map the box before its frame, when
// it is not yet viewable), and Xlib's own handler would end the program for
// it: the refusal is ignored, the box then takes the focus a click gives it.
void TakeFocus(Display *display, Window window) {
  XSync(display, False);
  const XErrorHandler previous = XSetErrorHandler(IgnoreError);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XSync(display, False);
  XSetErrorHandler(previous);
}

} // namespace

int AnswerForKey(unsigned long keysym, const Choice *choices, int count) {
  const bool isReturn = keysym == XK_Return || keysym == XK_KP_Enter;
  const bool isLetter = keysym < 0x80 && std::isalpha(static_cast<int>(keysym));
  for (int i = 0; i < count; ++i) {
    const Choice &choice = choices[i];
    if ((isReturn && choice.onReturn) ||
        (keysym == XK_Escape && choice.onEscape))
      return choice.id;
    if (isLetter && std::tolower(static_cast<unsigned char>(choice.text[0])) ==
                        std::tolower(static_cast<int>(keysym)))
      return choice.id;
  }
  return -1;
}

bool Ask(const Question &question, int *answer) {
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr)
    return false;
  XFontStruct *font = XLoadQueryFont(display, "fixed");
  if (font == nullptr) {
    XCloseDisplay(display);
    return false;
  }
  const Layout layout = LayOut(font, question);
  Window window = MakeWindow(display, layout, question);
  Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &deleteWindow, 1);
  GC gc = XCreateGC(display, window, 0, nullptr);
  XSetFont(display, gc, font->fid);
  XSetForeground(display, gc, BlackPixel(display, DefaultScreen(display)));
  XMapRaised(display, window);

  // A key answers on its release, and only one pressed here, so the press
  // that brought the box up (or one meant for the game) never answers it.
  KeySym pressedKey = NoSymbol;
  int pressedButton = -1;
  int chosen = -1;
  bool answered = false;
  const bool polling = static_cast<bool>(question.otherAnswer);
  while (!answered) {
    XEvent event;
    if (!NextEvent(display, polling, &event)) {
      chosen = question.otherAnswer();
      answered = chosen >= 0;
      continue;
    }
    switch (event.type) {
    case MapNotify:
      TakeFocus(display, window);
      break;
    case Expose:
      if (event.xexpose.count == 0)
        Draw(display, window, gc, font, layout, question);
      break;
    case KeyPress:
      pressedKey = XLookupKeysym(&event.xkey, 0);
      break;
    case KeyRelease: {
      const KeySym key = XLookupKeysym(&event.xkey, 0);
      if (key == pressedKey) {
        chosen = AnswerForKey(key, question.choices, question.count);
        answered = chosen >= 0;
      }
      break;
    }
    case ButtonPress:
      pressedButton = event.xbutton.button == Button1
                          ? ButtonAt(layout, event.xbutton.x, event.xbutton.y)
                          : -1;
      break;
    case ButtonRelease:
      if (pressedButton >= 0 &&
          ButtonAt(layout, event.xbutton.x, event.xbutton.y) == pressedButton) {
        chosen = question.choices[pressedButton].id;
        answered = true;
      }
      pressedButton = -1;
      break;
    case ClientMessage:
      if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
        chosen = EscapeAnswer(question);
        answered = true;
      }
      break;
    default:
      break;
    }
  }

  XFreeGC(display, gc);
  XDestroyWindow(display, window);
  XFreeFont(display, font);
  XCloseDisplay(display);
  *answer = chosen;
  return true;
}

} // namespace xlib_dialog
