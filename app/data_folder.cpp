// Finding the folder that holds data/texture/, through the Win32 folder
// calls, so that a double-clicked or installed game finds its textures.
#include "app/data_folder.h"

#include "platform/win32.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kDataFolder[] = "data/texture";
// Longer paths than any real installation; a longer program path is skipped.
constexpr DWORD kPathCapacity = 4096;

bool EndsWithSeparator(const std::string &path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

bool HoldsData(const std::string &folder) {
  std::string path = folder;
  if (!path.empty() && !EndsWithSeparator(path))
    path += '/';
  path += kDataFolder;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder a path lies in, for either separator; a root ("/", "C:\") keeps
// its separator and has no parent.
bool ParentOf(const std::string &path, std::string *parent) {
  const std::size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos)
    return false;
  std::string folder = path.substr(0, cut);
  if (folder.empty() || (folder.size() == 2 && folder[1] == ':'))
    folder += path[cut];
  if (folder == path)
    return false;
  *parent = folder;
  return true;
}

// The program's folder and its parents up to two levels, nearest first.
std::vector<std::string> ProgramFolders() {
  std::vector<std::string> folders;
  char path[kPathCapacity];
  const DWORD length = GetModuleFileNameA(nullptr, path, kPathCapacity);
  std::string folder;
  if (length == 0 || length >= kPathCapacity || !ParentOf(path, &folder))
    return folders;
  folders.push_back(folder);
  for (int level = 0; level < 2 && ParentOf(folder, &folder); ++level)
    folders.push_back(folder);
  return folders;
}

std::string WorkingFolder() {
  char path[kPathCapacity];
  const DWORD length = GetCurrentDirectoryA(kPathCapacity, path);
  return length > 0 && length < kPathCapacity ? std::string(path) : ".";
}

} // namespace

const char kInstalledDataFolder[] = TVL_INSTALLED_DATA;

bool EnterDataFolder(const char *installedFolder) {
  if (HoldsData(""))
    return true;
  // A double-clicked program stands in its own folder: look there once.
  std::vector<std::string> places = {WorkingFolder()};
  std::vector<std::string> others = ProgramFolders();
  if (installedFolder != nullptr && *installedFolder != '\0')
    others.push_back(installedFolder);
  for (const std::string &place : others) {
    if (std::find(places.begin(), places.end(), place) == places.end())
      places.push_back(place);
  }
  for (std::size_t i = 1; i < places.size(); ++i) {
    if (HoldsData(places[i]) && SetCurrentDirectoryA(places[i].c_str()))
      return true;
  }
  std::string looked = places[0];
  for (std::size_t i = 1; i < places.size(); ++i)
    looked += ", " + places[i];
  std::fprintf(stderr, "No %s/ folder in any of: %s\n", kDataFolder,
               looked.c_str());
  return false;
}
