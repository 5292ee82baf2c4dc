// Where the game looks for data/texture/ before it starts, on the scripted
// platform with a scripted program path: the working folder, the program's
// folder and two parents, the installed folder, and none of them.
#include "app/data_folder.h"
#include "shell_fixture.h"

#include <filesystem>
#include <unistd.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

namespace fs = std::filesystem;

class DataFolder : public ShellTest {
protected:
  void SetUp() override {
    ShellTest::SetUp();
    start_ = fs::current_path();
    char pattern[] = "/tmp/tvl-data-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "elsewhere");
    fs::current_path(root_ / "elsewhere");
    // The program three levels down: game/bin/x86/tvlounge.
    fs::create_directories(root_ / "game/bin/x86");
    scripted::SetModuleFileName((root_ / "game/bin/x86/tvlounge").string());
  }
  void TearDown() override {
    fs::current_path(start_);
    fs::remove_all(root_);
    ShellTest::TearDown();
  }

  void PutData(const fs::path &folder) {
    fs::create_directories(root_ / folder / "data/texture");
  }
  // The working folder, relative to the test's root.
  std::string Here() const {
    return fs::relative(fs::current_path(), root_).string();
  }
  std::string Installed() const { return (root_ / "installed").string(); }

  fs::path start_;
  fs::path root_;
};

TEST_F(DataFolder, AWorkingFolderWithDataIsKept) {
  PutData("elsewhere");
  PutData("game/bin/x86");
  EXPECT_TRUE(EnterDataFolder(Installed().c_str()));
  EXPECT_EQ(Here(), "elsewhere");
  EXPECT_EQ(CountOf("SetCurrentDirectoryA"), 0);
  EXPECT_EQ(CountOf("GetModuleFileNameA"), 0);
}

TEST_F(DataFolder, TheProgramsFolderAndTwoParentsNearestFirst) {
  PutData("game");
  PutData("game/bin");
  EXPECT_TRUE(EnterDataFolder(Installed().c_str()));
  EXPECT_EQ(Here(), "game/bin");

  fs::remove_all(root_ / "game/bin/data");
  fs::current_path(root_ / "elsewhere");
  EXPECT_TRUE(EnterDataFolder(Installed().c_str()));
  EXPECT_EQ(Here(), "game");
}

TEST_F(DataFolder, ThreeLevelsUpIsTooFarButTheInstalledFolderIsTried) {
  PutData(".");
  EXPECT_FALSE(EnterDataFolder(""));
  EXPECT_EQ(Here(), "elsewhere");

  PutData("installed");
  EXPECT_TRUE(EnterDataFolder(Installed().c_str()));
  EXPECT_EQ(Here(), "installed");
}

TEST_F(DataFolder, NoneSaysWhereItLookedAndLeavesTheFolder) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(EnterDataFolder(Installed().c_str()));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Here(), "elsewhere");
  const std::string r = root_.string();
  EXPECT_EQ(said, "No data/texture/ folder in any of: " + r + "/elsewhere, " +
                      r + "/game/bin/x86, " + r + "/game/bin, " + r +
                      "/game, " + r + "/installed\n");

  // Started in its own folder (a double click), that folder is named once.
  scripted::SetModuleFileName(r + "/elsewhere/tvlounge");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(EnterDataFolder(""));
  EXPECT_EQ(
      testing::internal::GetCapturedStderr().rfind(
          "No data/texture/ folder in any of: " + r + "/elsewhere, " + r + ", ",
          0),
      0u);
}

// Without data the game shows the first texture's missing-file message
// before asking anything, and ends with status 1.
TEST_F(DataFolder, WithoutDataTheGameSaysSoAndExitsWithOne) {
  scripted::FailCall("GetFileAttributesA");
  testing::internal::CaptureStderr();
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, SW_SHOW), 1);
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
  const auto &box = scripted::MessageBoxes()[0];
  EXPECT_EQ(box.text,
            "Failed to open DIB file data/texture/electricbox_F.bmp.\n");
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.type, MB_OK);
  EXPECT_EQ(CountOf("CreateWindowExA"), 0);
}

} // namespace
