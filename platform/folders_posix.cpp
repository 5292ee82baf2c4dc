// The kernel32 folder names over POSIX: the program's own path (the face's
// answer), what a path names, and the working folder. Only the process's own
// module is known. Lacks: other modules, last-error codes.
#include "platform/folders_posix.h"

#include "platform/emulation.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace posix_folders {

bool RunningProgramPath(std::string *path) {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer));
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof(buffer))
    return false;
  path->assign(buffer, static_cast<std::size_t>(n));
  return true;
}

} // namespace posix_folders

using emulation::Calling;
using emulation::Pointer;

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  std::string path;
  if (Calling("GetModuleFileNameA", module, Pointer{buffer}, size) ||
      module != nullptr || buffer == nullptr || size == 0 ||
      !emulation::TheFace().programPath(&path))
    return 0;
  // A path too long is cut short, NUL-terminated, and answers the size.
  const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
  std::memcpy(buffer, path.data(), n);
  buffer[n] = '\0';
  return n == path.size() ? static_cast<DWORD>(n) : size;
}

DWORD GetFileAttributesA(LPCSTR fileName) {
  struct stat info;
  if (Calling("GetFileAttributesA", fileName) || fileName == nullptr ||
      stat(fileName, &info) != 0)
    return INVALID_FILE_ATTRIBUTES;
  return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY
                               : FILE_ATTRIBUTE_NORMAL;
}

BOOL SetCurrentDirectoryA(LPCSTR pathName) {
  if (Calling("SetCurrentDirectoryA", pathName))
    return FALSE;
  return pathName != nullptr && chdir(pathName) == 0 ? TRUE : FALSE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  char path[PATH_MAX];
  if (Calling("GetCurrentDirectoryA", size, Pointer{buffer}) ||
      getcwd(path, sizeof(path)) == nullptr)
    return 0;
  const std::size_t length = std::strlen(path);
  if (buffer == nullptr || length >= size)
    return static_cast<DWORD>(length + 1);
  std::memcpy(buffer, path, length + 1);
  return static_cast<DWORD>(length);
}
