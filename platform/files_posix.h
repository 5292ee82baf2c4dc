// Read-only files and whole-file mappings over POSIX, behind the kernel32
// names of win32.h (files_posix.cpp defines them for every face); here what
// tests look at besides.
#pragma once

#include "platform/win32.h"

#include <string>

namespace posix_files {

// Open file and mapping handles, and mapped views; for leak checks in tests.
int OpenHandles();
int MappedViews();

// A wide file name as UTF-8 (wchar_t holds UTF-32 here); false for a code
// point outside Unicode or a surrogate.
bool WideToUtf8(LPCWSTR wide, std::string *utf8);

} // namespace posix_files
