// An inspection aid: every collision box as a blue wire box. The game never
// calls it; call it after DrawScene to see where the boxes stand.
#pragma once

void DrawCollisionBoxes();
