// The page's keys as Win32 messages and key state (web_input.cpp).
#pragma once

namespace web_face {

// Starts turning the page's key events into messages.
void ListenToKeys();

} // namespace web_face
