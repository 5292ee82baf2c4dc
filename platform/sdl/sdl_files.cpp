// The SDL face's kernel32 file names: straight to the POSIX files.
#include "platform/files_posix.h"

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile) {
  return posix_files::CreateFileA(fileName, access, shareMode, security,
                                  creation, flags, templateFile);
}

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile) {
  return posix_files::CreateFileW(fileName, access, shareMode, security,
                                  creation, flags, templateFile);
}

DWORD GetFileSize(HANDLE file, DWORD *sizeHigh) {
  return posix_files::GetFileSize(file, sizeHigh);
}

HANDLE CreateFileMappingA(HANDLE file, LPVOID security, DWORD protect,
                          DWORD maxSizeHigh, DWORD maxSizeLow, LPCSTR name) {
  return posix_files::CreateFileMappingA(file, security, protect, maxSizeHigh,
                                         maxSizeLow, name);
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh,
                     DWORD offsetLow, SIZE_T bytes) {
  return posix_files::MapViewOfFile(mapping, access, offsetHigh, offsetLow,
                                    bytes);
}

BOOL UnmapViewOfFile(LPCVOID view) {
  return posix_files::UnmapViewOfFile(view);
}

BOOL CloseHandle(HANDLE object) {
  return posix_files::CloseHandle(object);
}
