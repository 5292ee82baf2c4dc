// One complete frame of the lounge; also keeps boxes 0-21 and gameOver current.
#pragma once

// Always true; the main loop ends on false.
bool DrawScene();
// The frame's opening: clear, the view from the camera, the lights.
void BeginFrame();
// The red marker square under the player, in the current coordinate frame.
void DrawFloorMarker();
