// The kernel32 folder names over POSIX. Only the process's own module is
// known: /proc/self/exe names it, as GetModuleFileNameA(nullptr) does.
// Lacks: other modules, last-error codes.
#include "platform/folders_posix.h"

#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace posix_folders {

DWORD FillPathBuffer(const std::string &path, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0)
    return 0;
  const std::size_t n = path.size() < size ? path.size() : size - 1;
  std::memcpy(buffer, path.data(), n);
  buffer[n] = '\0';
  return n == path.size() ? static_cast<DWORD>(n) : size;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (module != nullptr)
    return 0;
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof(path));
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof(path))
    return 0;
  return FillPathBuffer(std::string(path, static_cast<std::size_t>(n)), buffer,
                        size);
}

DWORD GetFileAttributesA(LPCSTR fileName) {
  struct stat info;
  if (fileName == nullptr || stat(fileName, &info) != 0)
    return INVALID_FILE_ATTRIBUTES;
  return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY
                               : FILE_ATTRIBUTE_NORMAL;
}

BOOL SetCurrentDirectoryA(LPCSTR pathName) {
  return pathName != nullptr && chdir(pathName) == 0 ? TRUE : FALSE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  char path[PATH_MAX];
  if (getcwd(path, sizeof(path)) == nullptr)
    return 0;
  const std::size_t length = std::strlen(path);
  if (buffer == nullptr || length >= size)
    return static_cast<DWORD>(length + 1);
  std::memcpy(buffer, path, length + 1);
  return static_cast<DWORD>(length);
}

} // namespace posix_folders
