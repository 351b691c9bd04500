// UserFolders: where a program keeps its user's files on a Linux desktop
// (the XDG base directories) and where it finds its own read-only data tree.
//
// Every function reads the environment when called, so a test may point the
// XDG variables at its own folders at any time. A variable that is unset,
// empty or not an absolute path counts as unset and gives the usual default
// below $HOME ("~/.local/share", "~/.config", "~/.cache"); without a usable
// $HOME the defaults fall below the system's temporary folder. Nothing here
// creates a folder.
//
// "app" is the program's folder name below each base directory
// (lower-case, e.g. "frothwick").
//
// Threads: callable from any thread (reads the environment only).
#pragma once

#include <filesystem>
#include <string>

namespace Framework::UserFolders
{

std::filesystem::path DataHome();   // $XDG_DATA_HOME, else ~/.local/share
std::filesystem::path ConfigHome(); // $XDG_CONFIG_HOME, else ~/.config
std::filesystem::path CacheHome();  // $XDG_CACHE_HOME, else ~/.cache
// $XDG_RUNTIME_DIR, else the system's temporary folder.
std::filesystem::path RuntimeDir();

// The program's own folders below the base directories.
std::filesystem::path DataDir(const std::string& app);   // profiles, records, imported pictures
std::filesystem::path ConfigDir(const std::string& app); // settings
std::filesystem::path CacheDir(const std::string& app);  // disposable decoded data

// A relative path of the game's own form ("images\avatar\x.png", "data/usr.dat")
// turned into one below base, "\" read as a separator. Empty when the path is
// absolute or climbs out of base with "..".
std::filesystem::path Below(const std::filesystem::path& base, const std::string& relative);

// The folder of the running program (/proc/self/exe), empty when unknown.
std::filesystem::path ProgramDir();

// The program's data tree for a program in programDir: programDir itself
// when it holds marker (a relative path such as "properties/resources.xml",
// the build tree), else programDir/../share/<app> (an installed prefix), when
// that holds the marker; else programDir.
std::filesystem::path DataTreeFor(const std::filesystem::path& programDir, const std::string& app,
                                  const std::string& marker);

} // namespace Framework::UserFolders
