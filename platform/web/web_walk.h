// A walk given in the page's query string, played before the keyboard takes
// over: the snapshot tool's key script, one word's keys per game pass.
#pragma once

#include <string>

namespace web_face {

// Takes the script (the snapshot tool's syntax); false with a reason for a
// script the tool would refuse. An empty script is no walk.
bool StartWalk(const std::string &script, std::string *error);
// Whether the walk is still playing: keys then come from it alone.
bool Walking();
// Whether the walk holds this virtual key in the current pass.
bool WalkHolds(int virtualKey);
// One pass has been presented; after the last one the page is told.
void WalkPassPresented();

} // namespace web_face
