// The file paths of the image loaders on the real Windows API, run under
// Wine: the DIB loader's CreateFileA/MapViewOfFile path must hand the same
// bytes to the decoder as a plain read does, and the cross-built libjpeg must
// decode through the MinGW C runtime's FILE streams. Failure paths show
// message boxes, which no one answers here; they are tested on Linux.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/dib.h"
#include "image/dib_decode.h"
#include "image/jpeg.h"
#include "tests/support/jpeg_writer.h"

namespace {

std::vector<unsigned char> ReadAll(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void FreeImage(ImageRecord *image) {
  std::free(image->pixels);
  std::free(image);
}

// Every committed texture, as the game loads them at start.
std::vector<std::filesystem::path> TextureFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto &entry : std::filesystem::directory_iterator("data/texture"))
    if (entry.path().extension() == ".bmp")
      files.push_back(entry.path());
  return files;
}

void ExpectSameImage(const ImageRecord &got, const ImageRecord &want,
                     const std::string &name) {
  ASSERT_EQ(got.width, want.width) << name;
  ASSERT_EQ(got.height, want.height) << name;
  const std::size_t bytes = static_cast<std::size_t>(want.width) *
                            static_cast<std::size_t>(want.height) * 3;
  EXPECT_EQ(std::vector<unsigned char>(got.pixels, got.pixels + bytes),
            std::vector<unsigned char>(want.pixels, want.pixels + bytes))
      << name;
}

// A temporary file name in the system's temporary folder, removed with the
// object.
class TempFile {
public:
  TempFile() {
    char folder[MAX_PATH];
    char name[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    EXPECT_GT(length, 0u);
    EXPECT_NE(GetTempFileNameA(folder, "tvl", 0, name), 0u);
    path_ = name;
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  const char *Path() const { return path_.c_str(); }

private:
  std::string path_;
};

} // namespace

TEST(WindowsDibFiles, EveryTextureLoadsAsTheDecoderReadsItsBytes) {
  const auto files = TextureFiles();
  ASSERT_EQ(files.size(), 18u);
  for (const auto &file : files) {
    const std::string name = file.generic_string();
    const auto bytes = ReadAll(file);
    ImageRecord *want = nullptr;
    ASSERT_EQ(DecodeDib(bytes.data(), bytes.size(), &want), DibFailure::kNone)
        << name;
    ImageRecord *got = LoadDibImage(name.c_str());
    ASSERT_NE(got, nullptr) << name;
    ExpectSameImage(*got, *want, name);
    FreeImage(got);
    FreeImage(want);
  }
}

TEST(WindowsDibFiles, TheWideNameTwinOpensTheSameFile) {
  const std::string name = "data/texture/floor.bmp";
  ImageRecord *narrow = LoadDibImage(name.c_str());
  ImageRecord *wide = LoadDibImageW(L"data\\texture\\floor.bmp");
  ASSERT_NE(narrow, nullptr);
  ASSERT_NE(wide, nullptr);
  ExpectSameImage(*wide, *narrow, name);
  FreeImage(narrow);
  FreeImage(wide);
}

TEST(WindowsJpegFiles, ColourBandsComeBackBottomRowFirst) {
  // Top first: eight red rows, eight green, eight blue.
  std::vector<std::vector<unsigned char>> rows;
  for (int band = 0; band < 3; ++band)
    for (int r = 0; r < 8; ++r)
      rows.push_back({static_cast<unsigned char>(band == 0 ? 250 : 10),
                      static_cast<unsigned char>(band == 1 ? 250 : 10),
                      static_cast<unsigned char>(band == 2 ? 250 : 10)});
  TempFile file;
  ASSERT_TRUE(support::WriteJpeg(file.Path(), 6, rows));

  JpegImageRecord *image = LoadJpegImage(file.Path());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 6);
  EXPECT_EQ(image->height, 24);
  EXPECT_EQ(image->stride, 18);
  for (int r = 0; r < 24; ++r)
    for (int x = 0; x < 6; ++x)
      for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(image->pixels[r * 18 + x * 3 + c], rows[23 - r][c], 12)
            << "row " << r << " x " << x << " channel " << c;
  std::free(image->pixels);
  std::free(image);
}
