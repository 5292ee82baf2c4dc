// The per-pass game step: arrow keys, collisions, collection, title, B D N R.
#pragma once

void RunGameStep();
