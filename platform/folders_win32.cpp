// The kernel32 folder names of the real platform layer: straight to POSIX.
#include "platform/folders_posix.h"

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  return posix_folders::GetModuleFileNameA(module, buffer, size);
}

DWORD GetFileAttributesA(LPCSTR fileName) {
  return posix_folders::GetFileAttributesA(fileName);
}

BOOL SetCurrentDirectoryA(LPCSTR pathName) {
  return posix_folders::SetCurrentDirectoryA(pathName);
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  return posix_folders::GetCurrentDirectoryA(size, buffer);
}
