// One-time scene set-up for a new GL context: GL state, quadric, entry points,
// camera, textures, cube map, first game reset.
#pragma once

bool InitScene();
