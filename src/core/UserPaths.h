// UserPaths: where the game keeps each player's files. The one place that
// names them, so the program, its tests and the tools agree.
//
// Everything a player's runs write lives below the user's data folder,
// $XDG_DATA_HOME/frothwick/ (default ~/.local/share/frothwick/): the profiles
// "data/usr.dat", the high scores "data/game.dat", imported avatar pictures
// in "images/avatar/" and demo files in "demos/". The program's own data tree
// (the working directory) is only read. A variable that is unset, empty or
// not absolute counts as unset. The environment is read at every call, so
// tests may point XDG_DATA_HOME at a folder of their own. Nothing here
// creates a folder. Any thread.
#pragma once

#include <filesystem>
#include <string>

namespace Game
{

std::filesystem::path UserDataDir();   // $XDG_DATA_HOME/frothwick
std::filesystem::path ProfilesPath();  // UserDataDir()/data/usr.dat
std::filesystem::path RecordsPath();   // UserDataDir()/data/game.dat
std::filesystem::path UserAvatarDir(); // UserDataDir()/images/avatar
std::filesystem::path DemosDir();      // UserDataDir()/demos

// The file of a stored avatar path ("images\avatar\NAME"): the user's own
// copy when it exists, else the same path in the program's data tree
// (relative to the working directory). A stored path that is absolute or
// climbs with ".." is only looked up in the data tree, as stored.
std::filesystem::path AvatarFile(const std::string& storedPath);

} // namespace Game
