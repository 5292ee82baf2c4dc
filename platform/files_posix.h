// Read-only files and whole-file mappings over POSIX, behind the kernel32
// names. Each platform layer exposes these under the Win32 names (the
// scripted twin records the call first).
#pragma once

#include "platform/win32.h"

#include <string>

namespace posix_files {

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile);
HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile);
DWORD GetFileSize(HANDLE file, DWORD *sizeHigh);
HANDLE CreateFileMappingA(HANDLE file, LPVOID security, DWORD protect,
                          DWORD maxSizeHigh, DWORD maxSizeLow, LPCSTR name);
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh,
                     DWORD offsetLow, SIZE_T bytes);
BOOL UnmapViewOfFile(LPCVOID view);
BOOL CloseHandle(HANDLE object);

// Open file and mapping handles, and mapped views; for leak checks in tests.
int OpenHandles();
int MappedViews();

// A wide file name as UTF-8 (wchar_t holds UTF-32 here); false for a code
// point outside Unicode or a surrogate.
bool WideToUtf8(LPCWSTR wide, std::string *utf8);

} // namespace posix_files
