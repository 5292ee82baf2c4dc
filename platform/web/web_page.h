// The page around the canvas (web/page.js): its message box,
// title and status line, full screen, animation frames, the walk in its
// query string and the notice when the game ends.
#pragma once

#include <string>

namespace web_face {

// The page's modal box; the Win32 answer (IDYES, IDNO or IDOK). Suspends
// the game until the player answers.
int AskPage(const char *caption, const char *text, bool yesNo);
// The page's title and the status line under the canvas.
void ShowTitle(const char *text);
// The status line alone.
void ShowStatus(const char *text);
// Full screen on or off; false where the page may not go full screen.
bool PageFullScreen(bool on);
// The drawing buffer's size the page's layout asks for (the canvas's size
// on screen in device pixels, or the size the query string fixes); false
// before the page has laid the canvas out.
bool PageBufferSize(int *width, int *height);
// Suspends the game until the browser draws the next frame.
void AwaitAnimationFrame();
// Suspends the game until the page has put the textures, which arrive
// after the game starts, into the file system at data/texture/.
void AwaitTextures();
// The query string's walk: seed and keys, empty when not given.
std::string WalkSeed();
std::string WalkKeys();
void MarkWalkDone();
void ShowEnded(int exitCode);

} // namespace web_face
