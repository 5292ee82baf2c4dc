// Loading a BMP file: the file mapped read-only through the platform's file
// calls, handed to the decoder, and every failure shown once in a message box.
#include <cstdio>
#include <cstring>

#include "image/dib.h"
#include "image/dib_decode.h"
#include "platform/win32.h"

namespace {

const char kCaption[] = "Error";
const char kOpenPrefix[] = "Failed to open DIB file ";
const char kOpenSuffix[] = ".\n";
// Long enough for any real path; longer names are cut, not overflowed.
constexpr std::size_t kMessageCapacity = 1024;

void ShowError(const char *text) {
  MessageBoxA(GetFocus(), text, kCaption, MB_OK);
}

// The decoder's reason in words, for standard error: its message-box texts
// name neither the file nor what is wrong with it.
const char *DibFailureReason(DibFailure failure) {
  switch (failure) {
  case DibFailure::kNone:
    break;
  case DibFailure::kOutOfMemory:
    return "no memory for the decoded picture";
  case DibFailure::kUnknownFormat:
    return "the DIB header is neither 12 nor 40 bytes long";
  case DibFailure::kTruncated:
    return "a header, the colour table or the pixels run past the end";
  case DibFailure::kBadDimensions:
    return "the width or height is out of range";
  case DibFailure::kUnsupportedEncoding:
    return "a bit depth and compression this decoder does not read";
  }
  return "";
}

// Maps, decodes and unmaps an opened file (INVALID_HANDLE_VALUE when the
// open failed). Shows the decoder's message itself, and names the file and
// the reason on standard error; an open, size, mapping or view failure is
// left to the caller, whose message names the file.
ImageRecord *LoadOpenedDib(HANDLE file, const char *name, bool *openFailed) {
  *openFailed = true;
  if (file == INVALID_HANDLE_VALUE)
    return nullptr;
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  std::uint64_t size = (static_cast<std::uint64_t>(high) << 32) | low;
  // An empty file has nothing to map; a size the address space cannot hold
  // could not be viewed whole.
  if ((low == INVALID_FILE_SIZE && high == 0) || size == 0 || size > SIZE_MAX) {
    CloseHandle(file);
    return nullptr;
  }
  HANDLE mapping =
      CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) {
    CloseHandle(file);
    return nullptr;
  }
  LPVOID view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  if (view == nullptr) {
    CloseHandle(mapping);
    CloseHandle(file);
    return nullptr;
  }
  *openFailed = false;

  ImageRecord *image = nullptr;
  DibFailure failure = DecodeDib(static_cast<const unsigned char *>(view),
                                 static_cast<std::size_t>(size), &image);
  if (failure != DibFailure::kNone) {
    std::fprintf(stderr, "%s: %s\n", name, DibFailureReason(failure));
    ShowError(DibFailureMessage(failure));
  }

  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);
  return image;
}

// Wide name to UTF-8, whatever the width of wchar_t (UTF-16 on Windows,
// UTF-32 elsewhere); what cannot be encoded becomes '?'.
void WideToUtf8(const wchar_t *name, char *out, std::size_t capacity) {
  std::size_t used = 0;
  auto put = [&](const char *bytes, std::size_t n) {
    if (used + n >= capacity)
      return false;
    std::memcpy(out + used, bytes, n);
    used += n;
    return true;
  };
  for (const wchar_t *p = name; *p != 0; ++p) {
    std::uint32_t c = static_cast<std::uint32_t>(*p);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF) {
      std::uint32_t low = static_cast<std::uint32_t>(p[1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++p;
      }
    }
    char bytes[4];
    std::size_t n;
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      bytes[0] = '?';
      n = 1;
    } else if (c < 0x80) {
      bytes[0] = static_cast<char>(c);
      n = 1;
    } else if (c < 0x800) {
      bytes[0] = static_cast<char>(0xC0 | (c >> 6));
      bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
      n = 2;
    } else if (c < 0x10000) {
      bytes[0] = static_cast<char>(0xE0 | (c >> 12));
      bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
      n = 3;
    } else {
      bytes[0] = static_cast<char>(0xF0 | (c >> 18));
      bytes[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes[3] = static_cast<char>(0x80 | (c & 0x3F));
      n = 4;
    }
    if (!put(bytes, n))
      break;
  }
  out[used] = '\0';
}

void ShowOpenFailure(const char *name) {
  char text[kMessageCapacity];
  FormatDibOpenFailure(name, text, sizeof(text));
  ShowError(text);
}

} // namespace

const char *DibFailureMessage(DibFailure failure) {
  switch (failure) {
  case DibFailure::kNone:
    return "";
  case DibFailure::kOutOfMemory:
    return "Out of memory.";
  case DibFailure::kUnknownFormat:
    return "Unknown DIB file format.";
  case DibFailure::kTruncated:
  case DibFailure::kBadDimensions:
  case DibFailure::kUnsupportedEncoding:
    break;
  }
  return "Image file conversion error.";
}

void FormatDibOpenFailure(const char *name, char *out, std::size_t capacity) {
  if (capacity == 0)
    return;
  const std::size_t fixed = sizeof(kOpenPrefix) - 1 + sizeof(kOpenSuffix) - 1;
  if (capacity <= fixed) {
    out[0] = '\0';
    return;
  }
  if (name == nullptr)
    name = "(null)";
  std::size_t room = capacity - 1 - fixed;
  std::size_t cut = std::strlen(name);
  if (cut > room) {
    cut = room;
    // Do not leave half of a multi-byte character at the end.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
      --cut;
  }
  std::snprintf(out, capacity, "%s%.*s%s", kOpenPrefix, static_cast<int>(cut),
                name, kOpenSuffix);
}

ImageRecord *LoadDibImage(const char *fileName) {
  HANDLE file =
      fileName == nullptr
          ? INVALID_HANDLE_VALUE
          : CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool openFailed = false;
  ImageRecord *image = LoadOpenedDib(file, fileName, &openFailed);
  if (openFailed)
    ShowOpenFailure(fileName);
  return image;
}

ImageRecord *LoadDibImageW(const wchar_t *fileName) {
  HANDLE file =
      fileName == nullptr
          ? INVALID_HANDLE_VALUE
          : CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  char name[kMessageCapacity];
  if (fileName == nullptr)
    std::snprintf(name, sizeof(name), "(null)");
  else
    WideToUtf8(fileName, name, sizeof(name));
  bool openFailed = false;
  ImageRecord *image = LoadOpenedDib(file, name, &openFailed);
  if (openFailed)
    ShowOpenFailure(name);
  return image;
}
