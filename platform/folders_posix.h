// The kernel32 folder names over POSIX: the program's own path, what a path
// names, and the working folder. Each platform layer exposes these under the
// Win32 names (the scripted twin records the call first).
#pragma once

#include "platform/win32.h"

#include <string>

namespace posix_folders {

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
DWORD GetFileAttributesA(LPCSTR fileName);
BOOL SetCurrentDirectoryA(LPCSTR pathName);
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);

// Fills buffer[size] with path as GetModuleFileNameA does: cut short and
// NUL-terminated when it does not fit; the length, size when cut.
DWORD FillPathBuffer(const std::string &path, LPSTR buffer, DWORD size);

} // namespace posix_folders
