// The scripted twin's folder calls: each recorded and open to failure, then
// handed to the POSIX implementation the real layer uses too; the program's
// own path can be scripted.
#include "platform/scripted/scripted_internal.h"

#include "platform/folders_posix.h"

using namespace scripted_detail;

namespace {

std::string &ModulePath() {
  static std::string path;
  return path;
}

} // namespace

namespace scripted_detail {

void ResetFolders() {
  ModulePath().clear();
}

} // namespace scripted_detail

void scripted::SetModuleFileName(const std::string &path) {
  ModulePath() = path;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  Record("GetModuleFileNameA",
         {Handle(module), buffer ? "ptr" : "null", Dec(size)});
  if (ShouldFail("GetModuleFileNameA"))
    return 0;
  const std::string &path = ModulePath();
  if (path.empty() || module != nullptr)
    return posix_folders::GetModuleFileNameA(module, buffer, size);
  return posix_folders::FillPathBuffer(path, buffer, size);
}

DWORD GetFileAttributesA(LPCSTR fileName) {
  Record("GetFileAttributesA", {Text(fileName)});
  if (ShouldFail("GetFileAttributesA"))
    return INVALID_FILE_ATTRIBUTES;
  return posix_folders::GetFileAttributesA(fileName);
}

BOOL SetCurrentDirectoryA(LPCSTR pathName) {
  Record("SetCurrentDirectoryA", {Text(pathName)});
  if (ShouldFail("SetCurrentDirectoryA"))
    return FALSE;
  return posix_folders::SetCurrentDirectoryA(pathName);
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  Record("GetCurrentDirectoryA", {Dec(size), buffer ? "ptr" : "null"});
  if (ShouldFail("GetCurrentDirectoryA"))
    return 0;
  return posix_folders::GetCurrentDirectoryA(size, buffer);
}
