// kernel32 file access over POSIX: open for reading, size, and a read-only
// mapping of the whole file. Lacks: writing, creating files, partial views,
// sharing modes (POSIX has none), and sizes past 4 GiB in a mapping view.
#include "platform/files_posix.h"

#include "platform/emulation.h"

#include "platform/handle_table.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <memory>

namespace posix_files {
namespace {

// An open file, or a mapping of one: a mapping holds a duplicate descriptor,
// so it outlives CloseHandle on its file.
struct Descriptor {
  int fd = -1;
  std::uint64_t size = 0; // a mapping's length
  ~Descriptor() {
    if (fd >= 0)
      close(fd);
  }
};

// Both kinds share the one HANDLE type and CloseHandle, as on Windows.
platform::HandleTable<Descriptor> &Files() {
  static platform::HandleTable<Descriptor> table(platform::HandleKind::File);
  return table;
}

platform::HandleTable<Descriptor> &Mappings() {
  static platform::HandleTable<Descriptor> table(platform::HandleKind::Mapping);
  return table;
}

// Views by address, with their lengths for munmap.
std::map<const void *, std::size_t> &Views() {
  static std::map<const void *, std::size_t> views;
  return views;
}

HANDLE OpenForReading(const char *path, DWORD access, DWORD creation) {
  // Only reading an existing file is offered; anything else is refused
  // rather than quietly opened read-only.
  constexpr DWORD kGenericWrite = 0x40000000u;
  if (path == nullptr || (access & GENERIC_READ) == 0 ||
      (access & kGenericWrite) != 0 || creation != OPEN_EXISTING)
    return INVALID_HANDLE_VALUE;
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return INVALID_HANDLE_VALUE;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd); // directories and devices are not files to map
    return INVALID_HANDLE_VALUE;
  }
  auto file = std::make_unique<Descriptor>();
  file->fd = fd;
  return Files().Add<HANDLE>(std::move(file));
}

bool FileLength(int fd, std::uint64_t *length) {
  struct stat info;
  if (fstat(fd, &info) != 0 || info.st_size < 0)
    return false;
  *length = static_cast<std::uint64_t>(info.st_size);
  return true;
}

void AppendUtf8(char32_t c, std::string *out) {
  // A lead byte marking the length, then six bits a byte, highest first.
  static const unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
  const int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  out->push_back(static_cast<char>(kLead[more] | (c >> (6 * more))));
  for (int i = more - 1; i >= 0; --i)
    out->push_back(static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F)));
}

} // namespace

bool WideToUtf8(LPCWSTR wide, std::string *utf8) {
  static_assert(sizeof(wchar_t) == 4, "wide names are UTF-32 here");
  utf8->clear();
  if (wide == nullptr)
    return false;
  for (; *wide != 0; ++wide) {
    const auto c = static_cast<char32_t>(*wide);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
      return false;
    AppendUtf8(c, utf8);
  }
  return true;
}

int OpenHandles() {
  return Files().Size() + Mappings().Size();
}

int MappedViews() {
  return static_cast<int>(Views().size());
}

} // namespace posix_files

// ---- the kernel32 names -----------------------------------------------------

using emulation::Calling;
using emulation::Flags;
using emulation::Pointer;
using namespace posix_files;

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile) {
  if (Calling("CreateFileA", fileName, Flags{access}, Flags{shareMode},
              Pointer{security}, creation, Flags{flags}, templateFile))
    return INVALID_HANDLE_VALUE;
  return OpenForReading(fileName, access, creation);
}

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode,
                   LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile) {
  std::string path;
  const bool converted = WideToUtf8(fileName, &path);
  const std::string shown = fileName == nullptr ? "null"
                            : converted         ? path
                                                : "invalid";
  if (Calling("CreateFileW", shown.c_str(), Flags{access}, Flags{shareMode},
              Pointer{security}, creation, Flags{flags}, templateFile) ||
      !converted)
    return INVALID_HANDLE_VALUE;
  return OpenForReading(path.c_str(), access, creation);
}

DWORD GetFileSize(HANDLE file, DWORD *sizeHigh) {
  const Descriptor *open = Files().Find(file);
  if (Calling("GetFileSize", file, Pointer{sizeHigh}))
    return INVALID_FILE_SIZE;
  std::uint64_t length = 0;
  if (open == nullptr || !FileLength(open->fd, &length)) {
    if (sizeHigh != nullptr)
      *sizeHigh = 0;
    return INVALID_FILE_SIZE;
  }
  if (sizeHigh != nullptr)
    *sizeHigh = static_cast<DWORD>(length >> 32);
  return static_cast<DWORD>(length & 0xFFFFFFFFu);
}

HANDLE CreateFileMappingA(HANDLE file, LPVOID security, DWORD protect,
                          DWORD maxSizeHigh, DWORD maxSizeLow, LPCSTR name) {
  const Descriptor *open = Files().Find(file);
  if (Calling("CreateFileMappingA", file, Pointer{security}, Flags{protect},
              maxSizeHigh, maxSizeLow, name) ||
      open == nullptr || protect != PAGE_READONLY || name != nullptr)
    return nullptr;
  std::uint64_t length = 0;
  if (!FileLength(open->fd, &length))
    return nullptr;
  const std::uint64_t wanted =
      (static_cast<std::uint64_t>(maxSizeHigh) << 32) | maxSizeLow;
  // A read-only mapping cannot grow the file, and an empty file has nothing
  // to map: Windows refuses both.
  if (wanted > length || length == 0)
    return nullptr;
  auto mapping = std::make_unique<Descriptor>();
  mapping->fd = fcntl(open->fd, F_DUPFD_CLOEXEC, 0);
  if (mapping->fd < 0)
    return nullptr;
  mapping->size = wanted == 0 ? length : wanted;
  return Mappings().Add<HANDLE>(std::move(mapping));
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh,
                     DWORD offsetLow, SIZE_T bytes) {
  const Descriptor *source = Mappings().Find(mapping);
  if (Calling("MapViewOfFile", mapping, Flags{access}, offsetHigh, offsetLow,
              bytes) ||
      source == nullptr || access != FILE_MAP_READ || offsetHigh != 0 ||
      offsetLow != 0)
    return nullptr;
  // 0 bytes asks for the whole mapping; a view cannot be longer than it.
  const std::uint64_t length = bytes == 0 ? source->size : bytes;
  if (length > source->size || length > SIZE_MAX)
    return nullptr;
  const auto size = static_cast<std::size_t>(length);
  void *view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, source->fd, 0);
  if (view == MAP_FAILED)
    return nullptr;
  Views()[view] = size;
  return view;
}

BOOL UnmapViewOfFile(LPCVOID view) {
  const auto it = Views().find(view);
  if (Calling("UnmapViewOfFile", Pointer{view}) || it == Views().end())
    return FALSE;
  munmap(const_cast<void *>(it->first), it->second);
  Views().erase(it);
  return TRUE;
}

BOOL CloseHandle(HANDLE object) {
  if (Calling("CloseHandle", object))
    return FALSE;
  if (Files().Remove(object) || Mappings().Remove(object))
    return TRUE;
  return FALSE;
}
