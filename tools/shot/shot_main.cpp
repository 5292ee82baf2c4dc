// tvlounge-shot: the game headless, a key script in, a PNG and the final
// window title out. Exit status 0 on success, 2 for a bad argument (a size
// the GL cannot give included), 3 for a missing texture, 1 when the game or
// the file write fails.
#include "tools/shot/shot_run.h"

#include "app/data_folder.h"

#include <cstdio>
#include <filesystem>

namespace {

// The folder the picture goes to exists and is a folder, checked before a
// walk that can be long.
bool OutputFolderExists(const std::string &path, std::string *error) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) {
    folder = ".";
  }
  std::error_code code;
  if (std::filesystem::is_directory(folder, code)) {
    return true;
  }
  *error = "cannot write " + path + ": no folder " + folder.string();
  return false;
}

} // namespace

int main(int argc, char **argv) {
  ShotOptions options;
  std::string error;
  if (!ParseShotArgs(argc, argv, &options, &error)) {
    std::fprintf(stderr, "tvlounge-shot: %s\n%s", error.c_str(), ShotUsage());
    return 2;
  }
  if (options.helpWanted) {
    std::fputs(ShotUsage(), stdout);
    return 0;
  }
  if (!OutputFolderExists(options.outPath, &error)) {
    std::fprintf(stderr, "tvlounge-shot: %s\n", error.c_str());
    return 1;
  }
  // Like the game, the tool moves to its data (an installed tool runs from
  // anywhere); the picture goes where it was asked for from here.
  std::error_code ignored;
  const std::filesystem::path out =
      std::filesystem::absolute(options.outPath, ignored);
  if (!out.empty())
    options.outPath = out.string();
  EnterDataFolder(kInstalledDataFolder);
  std::string missing;
  if (!CheckTextureFiles(&missing)) {
    std::fprintf(stderr,
                 "tvlounge-shot: missing texture %s (run from the repository "
                 "root, where data/texture/ is, or install the game)\n",
                 missing.c_str());
    return 3;
  }
  ShotResult result;
  if (!RunShot(options, &result, &error)) {
    std::fprintf(stderr, "tvlounge-shot: %s\n", error.c_str());
    return result.sizeRefused ? 2 : 1;
  }
  if (!WritePng(options.outPath, result.frame, &error)) {
    std::fprintf(stderr, "tvlounge-shot: %s\n", error.c_str());
    return 1;
  }
  std::printf("wrote %s (%dx%d, %ld %s)\n", options.outPath.c_str(),
              result.frame.width, result.frame.height, result.passes,
              result.passes == 1 ? "pass" : "passes");
  std::printf("%s\n", result.title.c_str());
  return 0;
}
