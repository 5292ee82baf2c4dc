// Where the game stands: its textures are opened by the relative names
// data/texture/..., so it first moves to a folder that holds them.
#pragma once

// Makes the working folder one that holds data/texture/, trying in order the
// working folder itself, the program's own folder, its parent and the
// parent's parent, then installedFolder (skipped when empty). False when none
// does, after one line on standard error naming the places looked at; the
// working folder is then left as it was.
bool EnterDataFolder(const char *installedFolder);

// Where an installation keeps data/texture/ (the build's install prefix);
// empty where there is none.
extern const char kInstalledDataFolder[];
