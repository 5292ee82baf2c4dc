// Which offered pixel format a descriptor picks.
#include "platform/pixel_format.h"

#include <gtest/gtest.h>

namespace {

PIXELFORMATDESCRIPTOR Descriptor(DWORD flags, int colour, int depth) {
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | flags;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = static_cast<BYTE>(colour);
  pfd.cDepthBits = static_cast<BYTE>(depth);
  return pfd;
}

const platform::PixelFormat &Chosen(const PIXELFORMATDESCRIPTOR &pfd) {
  const int index = platform::ChooseFormat(pfd);
  EXPECT_GE(index, 1);
  static const platform::PixelFormat none = {};
  const platform::PixelFormat *format = platform::PixelFormatAt(index);
  return format != nullptr ? *format : none;
}

TEST(PixelFormat, TheGameGetsDoubleBufferedTrueColourWithSixteenBitDepth) {
  const auto &format = Chosen(Descriptor(PFD_DOUBLEBUFFER, 24, 16));
  EXPECT_TRUE(format.doubleBuffer);
  EXPECT_EQ(format.colourBits, 24);
  EXPECT_EQ(format.depthBits, 16); // no more than asked where that exists
  EXPECT_EQ(format.alphaBits, 0);
}

TEST(PixelFormat, DepthIsAtLeastWhatIsAskedAndBufferingAsAsked) {
  EXPECT_EQ(Chosen(Descriptor(PFD_DOUBLEBUFFER, 24, 24)).depthBits, 24);
  EXPECT_GE(Chosen(Descriptor(PFD_DOUBLEBUFFER, 24, 20)).depthBits, 20);
  EXPECT_FALSE(Chosen(Descriptor(0, 24, 16)).doubleBuffer);
  EXPECT_EQ(Chosen(Descriptor(PFD_DOUBLEBUFFER, 32, 16)).colourBits, 24);
  EXPECT_EQ(Chosen(Descriptor(PFD_DOUBLEBUFFER, 16, 16)).colourBits, 16);
}

TEST(PixelFormat, MalformedOrUnofferedDescriptorsFindNone) {
  PIXELFORMATDESCRIPTOR pfd = Descriptor(PFD_DOUBLEBUFFER, 24, 16);
  pfd.nSize = 39;
  EXPECT_EQ(platform::ChooseFormat(pfd), 0);
  pfd = Descriptor(PFD_DOUBLEBUFFER, 8, 16);
  pfd.iPixelType = 1; // colour index
  EXPECT_EQ(platform::ChooseFormat(pfd), 0);
  EXPECT_EQ(platform::ChooseFormat(Descriptor(PFD_DOUBLEBUFFER, 24, 32)), 0);
  EXPECT_EQ(platform::PixelFormatAt(0), nullptr);
  EXPECT_EQ(platform::PixelFormatAt(platform::PixelFormatCount() + 1), nullptr);
}

} // namespace
