// What the page's program hangs on the web face, as the scripted twin
// offers its hooks: a start (before WinMain), a look at every frame
// presented, and an answer for GetKeyState ahead of the keys. The program
// sets them from a static object's constructor, before main runs.
#pragma once

namespace web_face {

// Runs once in main, before WinMain.
void SetStartHook(void (*hook)());
// Runs after each frame the browser was handed (one per swap).
void SetPresentedHook(void (*hook)());
// Asked first by GetKeyState: true when it answers (down set), false to
// leave the key to the shared key path.
void SetKeyStateHook(bool (*hook)(int virtualKey, bool *down));

// For the face itself.
void RunStartHook();
void RunPresentedHook();
bool HookedKeyState(int virtualKey, bool *down);

} // namespace web_face
