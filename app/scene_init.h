// One-time scene set-up for a new GL context: GL state, quadric, entry points,
// camera, textures, cube map, first game reset.
#pragma once

bool InitScene();

// The game advances one step per frame: without vsync it would run at
// thousands of steps a second. Asks the current context for it where the
// driver offers WGL_EXT_swap_control.
void AskForVsync();
