// LoadDibImage and its wide twin on real files through the scripted
// platform: what they return, the one message box per failure, the file
// calls made, and that every handle and view is released.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/dib.h"
#include "image/dib_decode.h"
#include "platform/files_posix.h"
#include "tests/image/bmp_writer.h"
#include "tests/image/image_test_support.h"

using namespace bmp_test;
using image_test::TempDir;
using image_test::WriteFile;

namespace {

class DibLoad : public ::testing::Test {
protected:
  void SetUp() override { scripted::Reset(); }
  void TearDown() override {
    EXPECT_EQ(posix_files::OpenHandles(), 0) << "a file or mapping was left";
    EXPECT_EQ(posix_files::MappedViews(), 0) << "a view was left mapped";
    scripted::Reset();
  }

  std::string Write(const std::string &name, const Bytes &bytes) {
    std::string path = dir_.File(name);
    WriteFile(path, bytes);
    return path;
  }

  // Loads a file expected to fail and returns the one message's text.
  std::string FailingLoad(const std::string &path) {
    ImageRecord *image = LoadDibImage(path.c_str());
    EXPECT_EQ(image, nullptr);
    const auto &boxes = scripted::MessageBoxes();
    EXPECT_EQ(boxes.size(), 1u) << "exactly one message per failed call";
    if (boxes.empty())
      return "";
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].type, MB_OK);
    return boxes[0].text;
  }

  TempDir dir_;
};

void FreeImage(ImageRecord *image) {
  std::free(image->pixels);
  std::free(image);
}

const char kConversion[] = "Image file conversion error.";

} // namespace

// ---- Files that load --------------------------------------------------------

TEST_F(DibLoad, TwentyFourBitFileLoadsBottomRowFirst) {
  std::string path = Write("gradient.bmp", Gradient24(5, 4));
  ImageRecord *image = LoadDibImage(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 5);
  EXPECT_EQ(image->height, 4);
  // Bottom-left first, then (1, 0); the top-right pixel last.
  EXPECT_EQ(image->pixels[0], 0);
  EXPECT_EQ(image->pixels[3], 7);
  EXPECT_EQ(image->pixels[3 * 19], 28);
  EXPECT_EQ(image->pixels[3 * 19 + 1], 15);
  EXPECT_EQ(image->pixels[3 * 19 + 2], 7);
  FreeImage(image);
  EXPECT_TRUE(scripted::MessageBoxes().empty());
}

TEST_F(DibLoad, OpensReadOnlySharedExistingAndMapsTheWholeFile) {
  std::string path = Write("small.bmp", Gradient24(2, 2));
  ImageRecord *image = LoadDibImage(path.c_str());
  ASSERT_NE(image, nullptr);
  FreeImage(image);
  std::vector<std::string> fileCalls;
  for (const scripted::Call &call : scripted::Calls()) {
    if (call.name == "CreateFileA") {
      ASSERT_GE(call.args.size(), 5u);
      EXPECT_EQ(call.args[0], path);
      EXPECT_EQ(call.args[1], "0x80000000"); // GENERIC_READ
      EXPECT_EQ(call.args[2], "0x1");        // FILE_SHARE_READ
      EXPECT_EQ(call.args[4], "3");          // OPEN_EXISTING
    }
    if (call.name == "CreateFileMappingA") {
      ASSERT_GE(call.args.size(), 5u);
      EXPECT_EQ(call.args[2], "0x2"); // PAGE_READONLY
      EXPECT_EQ(call.args[3], "0");   // whole file
      EXPECT_EQ(call.args[4], "0");
    }
    if (call.name == "MapViewOfFile") {
      ASSERT_GE(call.args.size(), 2u);
      EXPECT_EQ(call.args[1], "0x4"); // FILE_MAP_READ
    }
    if (call.name != "GetFocus")
      fileCalls.push_back(call.name);
  }
  EXPECT_EQ(fileCalls, (std::vector<std::string>{
                           "CreateFileA", "GetFileSize", "CreateFileMappingA",
                           "MapViewOfFile", "UnmapViewOfFile", "CloseHandle",
                           "CloseHandle"}));
}

TEST_F(DibLoad, PackedDibWithoutFileHeaderLoads) {
  BmpLayout layout;
  layout.fileHeader = false;
  layout.headerSize = 12;
  layout.bitCount = 8;
  layout.width = 2;
  layout.palette = GreyPalette(256);
  layout.pixels = PackRows(8, {{255, 0}});
  ImageRecord *image =
      LoadDibImage(Write("packed.dib", WriteBmp(layout)).c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixels[0], layout.palette[255].r);
  EXPECT_EQ(image->pixels[3], layout.palette[0].r);
  FreeImage(image);
}

TEST_F(DibLoad, WideTwinLoadsAndReportsTheWideName) {
  // U+00E9 and U+1F600 in the name: two- and four-byte UTF-8.
  std::string utf8Name = "caf\xC3\xA9-\xF0\x9F\x98\x80.bmp";
  Write(utf8Name, Gradient24(3, 3));
  std::string dir = dir_.File("");
  std::wstring wide(dir.begin(), dir.end());
  wide += L"caf\u00E9-";
  wide.push_back(static_cast<wchar_t>(0x1F600));
  wide += L".bmp";
  ImageRecord *image = LoadDibImageW(wide.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 3);
  FreeImage(image);
  EXPECT_TRUE(scripted::MessageBoxes().empty());

  std::wstring missing = wide + L".gone";
  EXPECT_EQ(LoadDibImageW(missing.c_str()), nullptr);
  ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
  EXPECT_EQ(scripted::MessageBoxes()[0].text,
            "Failed to open DIB file " + dir + utf8Name + ".gone.\n");
}

// ---- Files that cannot be opened -------------------------------------------

TEST_F(DibLoad, MissingFileNamesTheFileWithItsLineBreak) {
  std::string path = dir_.File("nothere.bmp");
  EXPECT_EQ(FailingLoad(path), "Failed to open DIB file " + path + ".\n");
  EXPECT_EQ(scripted::MessageBoxes()[0].owner, "null"); // nothing has focus
}

TEST_F(DibLoad, MessageIsOwnedByTheFocusedWindow) {
  support::GlWindow context;
  ASSERT_TRUE(context.Open("ImageTest", 64, 64));
  SetFocus(context.Window());
  FailingLoad(dir_.File("nothere.bmp"));
  EXPECT_EQ(scripted::MessageBoxes()[0].owner, "hwnd1");
}

TEST_F(DibLoad, EmptyFileIsAnOpenFailure) {
  std::string path = Write("empty.bmp", {});
  EXPECT_EQ(FailingLoad(path), "Failed to open DIB file " + path + ".\n");
}

TEST_F(DibLoad, MappingOrViewFailureIsAnOpenFailure) {
  std::string path = Write("ok.bmp", Gradient24(2, 2));
  for (const char *call :
       {"GetFileSize", "CreateFileMappingA", "MapViewOfFile", "CreateFileA"}) {
    scripted::Reset();
    scripted::FailCall(call, 1);
    EXPECT_EQ(FailingLoad(path), "Failed to open DIB file " + path + ".\n")
        << call;
    EXPECT_EQ(posix_files::OpenHandles(), 0) << call;
  }
}

TEST_F(DibLoad, LongNameIsCutToFitAndKeepsTheEnding) {
  std::string path = dir_.File(std::string(5000, 'x') + ".bmp");
  std::string text = FailingLoad(path);
  EXPECT_LT(text.size(), 1024u);
  EXPECT_EQ(text.rfind("Failed to open DIB file " + dir_.File("xxx"), 0), 0u);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), ".\n");
}

TEST_F(DibLoad, NullNameIsAnOpenFailure) {
  EXPECT_EQ(LoadDibImage(nullptr), nullptr);
  ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
  EXPECT_EQ(scripted::MessageBoxes()[0].text,
            "Failed to open DIB file (null).\n");
}

// ---- Files that open but do not decode -------------------------------------

TEST_F(DibLoad, LaterHeaderVersionsAreAnUnknownFormat) {
  for (std::uint32_t size : {108u, 124u}) {
    scripted::Reset();
    BmpLayout layout;
    layout.headerSize = size;
    layout.pixels = {1, 2, 3, 0};
    EXPECT_EQ(FailingLoad(Write("v.bmp", WriteBmp(layout))),
              "Unknown DIB file format.")
        << size;
  }
}

TEST_F(DibLoad, HostileFilesGiveOneConversionError) {
  BmpLayout offsetPastEnd;
  offsetPastEnd.pixels = {1, 2, 3, 0};
  offsetPastEnd.overridePixelOffset = true;
  offsetPastEnd.pixelOffset = 0x7FFFFFF0;
  BmpLayout huge;
  huge.width = 32768;
  huge.height = 32768;
  huge.pixels = {1, 2, 3, 0};
  BmpLayout wide;
  wide.width = 40000;
  BmpLayout negativeWidth;
  negativeWidth.width = -4;
  BmpLayout rleOverrun;
  rleOverrun.bitCount = 8;
  rleOverrun.compression = 1;
  rleOverrun.width = 2;
  rleOverrun.height = 2;
  rleOverrun.palette = GreyPalette(256);
  rleOverrun.pixels = {0, 200, 1, 2}; // absolute run of 200, 2 bytes given
  Bytes truncatedHeader = Gradient24(2, 2);
  truncatedHeader.resize(30);
  struct Case {
    const char *name;
    Bytes bytes;
    const char *text;
  } cases[] = {{"one-byte", {0x42}, kConversion},
               {"truncated-header", truncatedHeader, kConversion},
               {"offset-past-end", WriteBmp(offsetPastEnd), kConversion},
               {"huge", WriteBmp(huge), kConversion},
               {"wide", WriteBmp(wide), kConversion},
               {"negative-width", WriteBmp(negativeWidth), kConversion}};
  for (const Case &c : cases) {
    scripted::Reset();
    EXPECT_EQ(FailingLoad(Write(c.name, c.bytes)), c.text) << c.name;
  }
  // A run that overruns its data still decodes, unset pixels black.
  scripted::Reset();
  ImageRecord *image =
      LoadDibImage(Write("rle.bmp", WriteBmp(rleOverrun)).c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(scripted::MessageBoxes().empty());
  FreeImage(image);
}

// ---- Message texts ---------------------------------------------------------

TEST(DibMessages, EachReasonHasTheLoaderText) {
  EXPECT_STREQ(DibFailureMessage(DibFailure::kOutOfMemory), "Out of memory.");
  EXPECT_STREQ(DibFailureMessage(DibFailure::kUnknownFormat),
               "Unknown DIB file format.");
  EXPECT_STREQ(DibFailureMessage(DibFailure::kTruncated), kConversion);
  EXPECT_STREQ(DibFailureMessage(DibFailure::kBadDimensions), kConversion);
  EXPECT_STREQ(DibFailureMessage(DibFailure::kUnsupportedEncoding),
               kConversion);
}

TEST(DibMessages, OpenFailureTextIsBounded) {
  char text[40];
  FormatDibOpenFailure("abc", text, sizeof(text));
  EXPECT_STREQ(text, "Failed to open DIB file abc.\n");
  FormatDibOpenFailure("0123456789abcdefghij", text, sizeof(text));
  EXPECT_STREQ(text, "Failed to open DIB file 0123456789abc.\n");
  // A two-byte character that does not fit whole is dropped whole.
  FormatDibOpenFailure("0123456789ab\xC3\xA9", text, sizeof(text));
  EXPECT_STREQ(text, "Failed to open DIB file 0123456789ab.\n");
  char tiny[10];
  FormatDibOpenFailure("abc", tiny, sizeof(tiny));
  EXPECT_STREQ(tiny, "");
}

// ---- The game's own texture files -------------------------------------------

TEST_F(DibLoad, EveryGameTextureDecodesWithPowerOfTwoSides) {
  // Relative to the repository root, where the suites run.
  const char *const names[] = {
      "electricbox_F", "electricbox_B", "electricbox_S", "glassblock1",
      "floor",         "lamppost",      "pillar",        "pillarlight",
      "windowstrip",   "wood",          "roof",          "electricbox_T",
      "lamppost_T",    "blank",         "floorLM",       "roofbump",
      "pillarbump",    "gameover"};
  for (const char *name : names) {
    std::string path = std::string("data/texture/") + name + ".bmp";
    ImageRecord *image = LoadDibImage(path.c_str());
    ASSERT_NE(image, nullptr) << path;
    EXPECT_GT(image->width, 0) << path;
    EXPECT_EQ(image->width & (image->width - 1), 0) << path;
    EXPECT_EQ(image->height & (image->height - 1), 0) << path;
    FreeImage(image);
  }
  EXPECT_TRUE(scripted::MessageBoxes().empty());
}
