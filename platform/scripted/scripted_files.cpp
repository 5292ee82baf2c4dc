// The scripted twin's files: each call recorded and open to failure, then
// handed to the POSIX implementation the real layer uses too.
#include "platform/scripted/scripted_internal.h"

#include "platform/files_posix.h"

using namespace scripted_detail;

// ---- kernel32: files
// -----------------------------------------------------------

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile) {
  Record("CreateFileA", {Text(fileName), Hex(access), Hex(shareMode),
                         security ? "ptr" : "null", Dec(creation), Hex(flags),
                         Handle(templateFile)});
  if (ShouldFail("CreateFileA"))
    return INVALID_HANDLE_VALUE;
  return posix_files::CreateFileA(fileName, access, shareMode, security,
                                  creation, flags, templateFile);
}

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile) {
  std::string name;
  const bool converted = posix_files::WideToUtf8(fileName, &name);
  Record("CreateFileW",
         {fileName == nullptr ? "null" : (converted ? name : "invalid"),
          Hex(access), Hex(shareMode), security ? "ptr" : "null", Dec(creation),
          Hex(flags), Handle(templateFile)});
  if (ShouldFail("CreateFileW"))
    return INVALID_HANDLE_VALUE;
  return posix_files::CreateFileW(fileName, access, shareMode, security,
                                  creation, flags, templateFile);
}

DWORD GetFileSize(HANDLE file, DWORD *sizeHigh) {
  Record("GetFileSize", {Handle(file), sizeHigh ? "ptr" : "null"});
  if (ShouldFail("GetFileSize"))
    return INVALID_FILE_SIZE;
  return posix_files::GetFileSize(file, sizeHigh);
}

HANDLE CreateFileMappingA(HANDLE file, LPVOID security, DWORD protect,
                          DWORD maxSizeHigh, DWORD maxSizeLow, LPCSTR name) {
  Record("CreateFileMappingA",
         {Handle(file), security ? "ptr" : "null", Hex(protect),
          Dec(maxSizeHigh), Dec(maxSizeLow), Text(name)});
  if (ShouldFail("CreateFileMappingA"))
    return nullptr;
  return posix_files::CreateFileMappingA(file, security, protect, maxSizeHigh,
                                         maxSizeLow, name);
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh,
                     DWORD offsetLow, SIZE_T bytes) {
  Record("MapViewOfFile", {Handle(mapping), Hex(access), Dec(offsetHigh),
                           Dec(offsetLow), Dec(static_cast<long long>(bytes))});
  if (ShouldFail("MapViewOfFile"))
    return nullptr;
  return posix_files::MapViewOfFile(mapping, access, offsetHigh, offsetLow,
                                    bytes);
}

BOOL UnmapViewOfFile(LPCVOID view) {
  Record("UnmapViewOfFile", {view ? "ptr" : "null"});
  if (ShouldFail("UnmapViewOfFile"))
    return FALSE;
  return posix_files::UnmapViewOfFile(view);
}

BOOL CloseHandle(HANDLE object) {
  Record("CloseHandle", {Handle(object)});
  if (ShouldFail("CloseHandle"))
    return FALSE;
  return posix_files::CloseHandle(object);
}
