// The JPEG loader on files made here with libjpeg's compressor: strides,
// row order, missing and corrupt files (which must not end the process).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "image/jpeg.h"
#include "shell/shell_state.h"
#include "tests/image/image_test_support.h"

using image_test::TempDir;
using image_test::WriteFile;

namespace {

std::vector<unsigned char> ReadAll(const std::string &path) {
  std::vector<unsigned char> bytes;
  std::FILE *f = std::fopen(path.c_str(), "rb");
  int c;
  while (f != nullptr && (c = std::fgetc(f)) != EOF)
    bytes.push_back(static_cast<unsigned char>(c));
  if (f != nullptr)
    std::fclose(f);
  return bytes;
}

void FreeJpeg(JpegImageRecord *image) {
  std::free(image->pixels);
  std::free(image);
}

class JpegLoad : public ::testing::Test {
protected:
  void SetUp() override { scripted::Reset(); }
  void TearDown() override { scripted::Reset(); }

  // A file that must not load: null, and one message owned by the game
  // window, captioned "ERROR".
  void ExpectRefused(const std::string &path) {
    EXPECT_EQ(LoadJpegImage(path.c_str()), nullptr) << path;
    const auto &boxes = scripted::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << path;
    EXPECT_EQ(boxes[0].text, "Error loading jpg file.");
    EXPECT_EQ(boxes[0].caption, "ERROR");
    EXPECT_EQ(boxes[0].type, MB_OK);
  }

  TempDir dir_;
};

// Picture rows top first: eight red, eight green, eight blue.
std::vector<std::vector<unsigned char>> ColourBands() {
  std::vector<std::vector<unsigned char>> rows;
  for (int band = 0; band < 3; ++band)
    for (int r = 0; r < 8; ++r)
      rows.push_back({static_cast<unsigned char>(band == 0 ? 250 : 10),
                      static_cast<unsigned char>(band == 1 ? 250 : 10),
                      static_cast<unsigned char>(band == 2 ? 250 : 10)});
  return rows;
}

} // namespace

TEST_F(JpegLoad, ColourWidthFiveHasStrideFifteenBottomRowFirst) {
  std::string path = dir_.File("colour.jpg");
  const auto rows = ColourBands();
  ASSERT_TRUE(support::WriteJpeg(path.c_str(), 5, rows));
  JpegImageRecord *image = LoadJpegImage(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->stride, 15);
  EXPECT_EQ(image->width, 5);
  EXPECT_EQ(image->height, 24);
  EXPECT_TRUE(scripted::MessageBoxes().empty());
  // Buffer row r holds picture row height - 1 - r: blue first, red last.
  for (int r = 0; r < 24; ++r) {
    const auto &want = rows[23 - r];
    for (int x = 0; x < 5; ++x)
      for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(image->pixels[r * 15 + x * 3 + c], want[c], 12)
            << "row " << r << " x " << x << " channel " << c;
  }
  FreeJpeg(image);
}

TEST_F(JpegLoad, GreyscaleStrideIsTheWidth) {
  std::string path = dir_.File("grey.jpg");
  std::vector<std::vector<unsigned char>> rows(8, {20});
  rows.resize(16, {220});
  ASSERT_TRUE(support::WriteJpeg(path.c_str(), 7, rows));
  JpegImageRecord *image = LoadJpegImage(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->stride, 7);
  EXPECT_EQ(image->height, 16);
  EXPECT_NEAR(image->pixels[0], 220, 4); // bottom row first
  EXPECT_NEAR(image->pixels[15 * 7 + 6], 20, 4);
  FreeJpeg(image);
}

TEST_F(JpegLoad, MissingFileShowsTheMessageOwnedByTheGameWindow) {
  support::GlWindow context;
  ASSERT_TRUE(context.Open("ImageTest", 64, 64));
  windowHandle = context.Window();
  ExpectRefused(dir_.File("missing.jpg"));
  EXPECT_EQ(scripted::MessageBoxes()[0].owner, "hwnd1");
  windowHandle = nullptr;
}

TEST_F(JpegLoad, CorruptFilesReturnNullAndTheProcessLives) {
  std::string good = dir_.File("good.jpg");
  ASSERT_TRUE(support::WriteJpeg(good.c_str(), 16, ColourBands()));
  std::vector<unsigned char> bytes = ReadAll(good);
  ASSERT_GT(bytes.size(), 200u);

  std::vector<std::pair<std::string, std::vector<unsigned char>>> bad = {
      {"empty.jpg", {}},
      {"text.jpg", {'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'}},
      {"header-cut.jpg",
       std::vector<unsigned char>(bytes.begin(), bytes.begin() + 20)}};
  // Frame header claiming zero height: a fatal error inside libjpeg.
  std::vector<unsigned char> zeroHeight = bytes;
  for (std::size_t i = 0; i + 8 < zeroHeight.size(); ++i) {
    if (zeroHeight[i] == 0xFF && zeroHeight[i + 1] == 0xC0) {
      zeroHeight[i + 5] = 0;
      zeroHeight[i + 6] = 0;
      break;
    }
  }
  bad.push_back({"zero-height.jpg", zeroHeight});
  for (const auto &file : bad) {
    scripted::Reset();
    std::string path = dir_.File(file.first);
    WriteFile(path, file.second);
    ExpectRefused(path);
  }
}

TEST_F(JpegLoad, TruncatedDataIsOnlyAWarning) {
  std::string good = dir_.File("good.jpg");
  ASSERT_TRUE(support::WriteJpeg(good.c_str(), 16, ColourBands()));
  std::vector<unsigned char> bytes = ReadAll(good);
  // Cut inside the entropy-coded data, after the start-of-scan header.
  std::size_t scan = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA)
      scan = i;
  ASSERT_GT(scan, 0u);
  ASSERT_GT(bytes.size(), scan + 30);
  bytes.resize(scan + 30);
  std::string path = dir_.File("cut.jpg");
  WriteFile(path, bytes);
  JpegImageRecord *image = LoadJpegImage(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 16);
  EXPECT_TRUE(scripted::MessageBoxes().empty());
  FreeJpeg(image);
}
