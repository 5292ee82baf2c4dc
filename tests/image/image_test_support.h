// Shared pieces of the image tests that touch files: a temporary directory
// and file writing. JPEG files and the GL window come from tests/support.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gl.h"
#include "platform/scripted/scripted.h"
#include "tests/support/gl_window.h"
#include "tests/support/jpeg_writer.h"

namespace image_test {

class TempDir {
public:
  TempDir() {
    char pattern[] = "/tmp/tvl-image-XXXXXX";
    char *made = mkdtemp(pattern);
    EXPECT_NE(made, nullptr);
    path_ = made ? made : "/tmp";
  }
  ~TempDir() {
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0)
      ADD_FAILURE() << "could not remove " << path_;
  }
  std::string File(const std::string &name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

inline void WriteFile(const std::string &path,
                      const std::vector<unsigned char> &bytes) {
  std::FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  if (!bytes.empty()) {
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  }
  std::fclose(f);
}

} // namespace image_test
