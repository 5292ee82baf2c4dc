// The kernel32 folder names over POSIX (folders_posix.cpp defines them for
// every face off Windows); here what the faces build them from.
#pragma once

#include "platform/win32.h"

#include <string>

namespace posix_folders {

// The running program's file as /proc/self/exe names it; false where the
// system does not say.
bool RunningProgramPath(std::string *path);

// Fills buffer[size] with path as GetModuleFileNameA does: cut short and
// NUL-terminated when it does not fit; the length, size when cut.
DWORD FillPathBuffer(const std::string &path, LPSTR buffer, DWORD size);

} // namespace posix_folders
