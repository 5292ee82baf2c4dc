// The kernel32 folder names over POSIX (folders_posix.cpp defines them for
// every face off Windows); here what the faces build them from.
#pragma once

#include "platform/win32.h"

#include <string>

namespace posix_folders {

// The running program's file as /proc/self/exe names it; false where the
// system does not say.
bool RunningProgramPath(std::string *path);

} // namespace posix_folders
