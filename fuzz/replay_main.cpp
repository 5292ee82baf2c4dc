// Replays saved inputs (files or directories of files) through the fuzz
// entry point without libFuzzer, for regression runs and debugging.
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size);

namespace {

bool ReplayFile(const std::string &path) {
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return false;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof(chunk), file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(file);
  // An exact-size heap copy, so that a read past the end is caught.
  std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
  return true;
}

} // namespace

int main(int argc, char **argv) {
  int replayed = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    struct stat info;
    if (stat(argv[i], &info) != 0) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      ok = false;
      continue;
    }
    if (!S_ISDIR(info.st_mode)) {
      ok = ReplayFile(argv[i]) && ok;
      replayed += 1;
      continue;
    }
    DIR *dir = opendir(argv[i]);
    while (dir != nullptr) {
      dirent *entry = readdir(dir);
      if (entry == nullptr)
        break;
      std::string path = std::string(argv[i]) + "/" + entry->d_name;
      if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        ok = ReplayFile(path) && ok;
        replayed += 1;
      }
    }
    if (dir != nullptr)
      closedir(dir);
  }
  std::printf("replayed %d inputs\n", replayed);
  return ok ? 0 : 1;
}
