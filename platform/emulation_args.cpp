// A call's arguments as the text a face's log shows (emulation.h): numbers,
// flags, strings, handles by kind and serial, rectangles and display modes.
#include "platform/emulation.h"
#include "platform/handle_table.h"

#include <cstdio>
#include <iterator>

namespace emulation {

std::string ArgText(long long number) {
  return std::to_string(number);
}

std::string ArgText(Flags flags) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", flags.bits);
  return text;
}

std::string ArgText(Pointer pointer) {
  return pointer.address == nullptr ? "null" : "ptr";
}

std::string ArgText(const char *text) {
  // A class or resource name below 0x10000 is a number.
  const auto id = reinterpret_cast<UINT_PTR>(text);
  if (text == nullptr)
    return "null";
  return id <= 0xFFFF ? "#" + std::to_string(id) : text;
}

std::string ArgText(const void *handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
    return handle == nullptr ? "null" : "invalid";
  static const char *const kNames[] = {"ptr",       "hwnd",  "hdc",
                                       "hglrc",     "file",  "mapping",
                                       "hinstance", "hicon", "hcursor"};
  const auto kind = static_cast<std::size_t>(platform::KindOf(handle));
  if (kind == 0 || kind >= std::size(kNames))
    return "ptr";
  return kNames[kind] + std::to_string(platform::SerialOf(handle));
}

std::string ArgText(const RECT *rect) {
  if (rect == nullptr)
    return "null";
  return ArgText(rect->left) + "," + ArgText(rect->top) + "," +
         ArgText(rect->right) + "," + ArgText(rect->bottom);
}

std::string ArgText(const DEVMODEA *mode) {
  if (mode == nullptr)
    return "null";
  const auto field = [mode](DWORD flag, DWORD value) {
    return (mode->dmFields & flag) ? ArgText(value) : std::string("-");
  };
  return field(DM_PELSWIDTH, mode->dmPelsWidth) + "x" +
         field(DM_PELSHEIGHT, mode->dmPelsHeight) + "x" +
         field(DM_BITSPERPEL, mode->dmBitsPerPel);
}

} // namespace emulation
