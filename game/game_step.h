// The per-pass game step: arrow keys, collisions, collection, title, B D N R.
#pragma once

// One title buffer per arrow key (UP, DOWN, LEFT, RIGHT, in that order); the
// key being handled formats its title into its own buffer.
constexpr int kArrowKeyCount = 4;
constexpr int kTitleTextSize = 60;
extern char titleText[kArrowKeyCount][kTitleTextSize];

void RunGameStep();
