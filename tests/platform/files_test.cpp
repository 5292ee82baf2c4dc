// Files mapped read-only through the kernel32 names: a real file, a missing
// one, an empty one, wide names, stale handles.
#include "platform/files_posix.h"
#include "platform/scripted/scripted.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

class Files : public ::testing::Test {
protected:
  void SetUp() override {
    scripted::Reset();
    char pattern[] = "/tmp/tvl-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    for (const auto &name : made)
      std::remove(name.c_str());
    rmdir(dir.c_str());
    EXPECT_EQ(posix_files::OpenHandles(), 0);
    EXPECT_EQ(posix_files::MappedViews(), 0);
  }

  std::string Make(const std::string &name, const std::string &bytes) {
    const std::string path = dir + "/" + name;
    FILE *file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    made.push_back(path);
    return path;
  }

  static HANDLE Open(const std::string &path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  std::string dir;
  std::vector<std::string> made;
};

TEST_F(Files, AFileMapsWholeAndReadsBack) {
  const std::string path = Make("a.bmp", "BM-file-bytes");
  HANDLE file = Open(path);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD high = 7;
  EXPECT_EQ(GetFileSize(file, &high), 13u);
  EXPECT_EQ(high, 0u);
  HANDLE mapping =
      CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  // The mapping outlives the file handle, as on Windows.
  EXPECT_TRUE(CloseHandle(file));
  const void *view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(std::memcmp(view, "BM-file-bytes", 13), 0);
  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_FALSE(UnmapViewOfFile(view));
  EXPECT_TRUE(CloseHandle(mapping));
  EXPECT_FALSE(CloseHandle(mapping)); // a stale handle is refused
  EXPECT_EQ(scripted::Calls().front().args[0], path);
  EXPECT_EQ(scripted::Calls()[1].args[0], "file1");
}

TEST_F(Files, AMissingFileIsAnInvalidHandle) {
  EXPECT_EQ(Open(dir + "/missing.bmp"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open(dir), INVALID_HANDLE_VALUE); // a directory is no file
  EXPECT_EQ(GetFileSize(INVALID_HANDLE_VALUE, nullptr), INVALID_FILE_SIZE);
  EXPECT_EQ(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0,
                               0, nullptr),
            nullptr);
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

TEST_F(Files, AnEmptyFileOpensButCannotBeMapped) {
  HANDLE file = Open(Make("empty.bmp", ""));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileSize(file, nullptr), 0u);
  EXPECT_EQ(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr),
            nullptr);
  EXPECT_TRUE(CloseHandle(file));
}

TEST_F(Files, ViewsAndMappingsCannotOutgrowTheFile) {
  HANDLE file = Open(Make("short.bmp", "1234"));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 5, nullptr),
            nullptr);
  HANDLE mapping =
      CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 5), nullptr);
  const void *view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4);
  EXPECT_NE(view, nullptr);
  EXPECT_TRUE(UnmapViewOfFile(view));
  // Handles of one kind are not taken for the other.
  EXPECT_EQ(MapViewOfFile(file, FILE_MAP_READ, 0, 0, 0), nullptr);
  EXPECT_EQ(GetFileSize(mapping, nullptr), INVALID_FILE_SIZE);
  CloseHandle(mapping);
  CloseHandle(file);
}

TEST_F(Files, WriteAccessIsRefused) {
  const std::string path = Make("w.bmp", "x");
  EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_READ | 0x40000000u, 0, nullptr,
                        OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, 2 /* CREATE */,
                        0, nullptr),
            INVALID_HANDLE_VALUE);
}

TEST_F(Files, WideNamesAreConvertedToUtf8) {
  const std::string path = Make("caf\xC3\xA9-\xF0\x9F\x93\xBA.bmp", "wide");
  std::wstring wide(dir.begin(), dir.end());
  wide += L"/caf\u00e9-\U0001F4FA.bmp";
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileSize(file, nullptr), 4u);
  EXPECT_EQ(scripted::Calls().front().args[0], path);
  CloseHandle(file);

  const wchar_t surrogate[] = {L'a', static_cast<wchar_t>(0xD800), 0};
  EXPECT_EQ(CreateFileW(surrogate, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                        nullptr),
            INVALID_HANDLE_VALUE);
}

} // namespace
