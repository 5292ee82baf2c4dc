// The per-pass game step: arrow keys, collisions, collection, title, B D N R.
#pragma once

// One title buffer per arrow key (UP, DOWN, LEFT, RIGHT, in that order); the
// key being handled formats its title into its own buffer.
constexpr int kArrowKeyCount = 4;
constexpr int kTitleTextSize = 60;
extern char titleText[kArrowKeyCount][kTitleTextSize];

// Key R draws the scene again at once, because the renderer writes the new
// layout's collision boxes while it draws and the next step tests them. The
// renderer sits above the game, so whoever runs the step with one hands it
// over here; without it, R leaves the boxes to the next frame.
using SceneRedraw = bool (*)();
void SetSceneRedraw(SceneRedraw redraw);

void RunGameStep();
