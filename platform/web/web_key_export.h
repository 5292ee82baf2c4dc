// The page's one way in for keys from every source (web_key_export.cpp).
#pragma once

namespace web_face {

// Whether any source (keyboard, touch, gamepad) holds the virtual key.
bool KeyHeldAnywhere(int virtualKey);

} // namespace web_face
