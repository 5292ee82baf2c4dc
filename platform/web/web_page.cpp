// The JavaScript half of the face is web/page.js (Module.page); these are
// the calls into it. The asynchronous ones suspend the game's own loop
// through ASYNCIFY, so WinMain keeps its shape and the page stays
// responsive.
#include "platform/web/web_page.h"

#include "platform/win32.h"

#include <emscripten.h>

#include <cstdlib>

namespace {

// The bodies are JavaScript.
// clang-format off
EM_ASYNC_JS(int, PageAsk, (const char *caption, const char *text, int yesNo), {
  const answer = await Module.page.ask(UTF8ToString(caption),
                                       UTF8ToString(text), yesNo != 0);
  return answer === "yes" ? 6 : answer === "no" ? 7 : 1;
});

EM_ASYNC_JS(void, PageNextFrame, (), { await Module.page.nextFrame(); });

EM_ASYNC_JS(void, PageTextures, (), { await Module.page.textures(); });

EM_JS(void, PageTitle, (const char *text),
      { Module.page.setTitle(UTF8ToString(text)); });

EM_JS(void, PageStatus, (const char *text),
      { Module.page.setStatus(UTF8ToString(text)); });

EM_JS(int, PageFullScreen_, (int on), { return Module.page.fullScreen(on != 0); });

EM_JS(int, PageBufferSize_, (int *size), {
  const wanted = Module.page.bufferSize();
  if (!wanted) return 0;
  HEAP32[size >> 2] = wanted[0];
  HEAP32[(size >> 2) + 1] = wanted[1];
  return 1;
});

EM_JS(char *, PageWalk, (int seed), {
  return allocateUTF8(seed ? Module.page.walkSeed() : Module.page.walkKeys());
});

EM_JS(void, PageWalkDone, (), { Module.page.walkDone(); });

EM_JS(void, PageEnded, (int code), { Module.page.ended(code); });
// clang-format on

std::string TakeString(char *text) {
  std::string copy = text ? text : "";
  std::free(text);
  return copy;
}

} // namespace

namespace web_face {

int AskPage(const char *caption, const char *text, bool yesNo) {
  const int answer = PageAsk(caption ? caption : "", text ? text : "", yesNo);
  static_assert(IDYES == 6 && IDNO == 7 && IDOK == 1, "the page's answers");
  return answer;
}

void ShowTitle(const char *text) {
  PageTitle(text ? text : "");
}

void ShowStatus(const char *text) {
  PageStatus(text ? text : "");
}

bool PageFullScreen(bool on) {
  return PageFullScreen_(on) != 0;
}

bool PageBufferSize(int *width, int *height) {
  int size[2] = {0, 0};
  if (!PageBufferSize_(size) || size[0] < 1 || size[1] < 1)
    return false;
  *width = size[0];
  *height = size[1];
  return true;
}

void AwaitAnimationFrame() {
  PageNextFrame();
}

void AwaitTextures() {
  PageTextures();
}

std::string WalkSeed() {
  return TakeString(PageWalk(1));
}

std::string WalkKeys() {
  return TakeString(PageWalk(0));
}

void MarkWalkDone() {
  PageWalkDone();
}

void ShowEnded(int exitCode) {
  PageEnded(exitCode);
}

} // namespace web_face
