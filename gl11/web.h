// The subset in a page: one state per WebGL context, as native.cpp keeps
// one per SDL context.
#pragma once

namespace gl11 {

// Drops what the subset keeps for a WebGL context that is being destroyed.
void ForgetWebContext(int handle);

} // namespace gl11
