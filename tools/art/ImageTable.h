// ImageTable: the readable list of every picture the generator draws
// (assets/art/images.txt). One line per image:
//   ID  GROUP  FILE  PAINTER  WIDTHxHEIGHT  COLS  [key=value ...]
// WIDTHxHEIGHT is one cel; the image is COLS cels side by side in one row.
// GROUP is the manifest group, or "-" for files the manifest does not list
// (avatars, the splash picture, the icon). Values may be double-quoted.
// '#' starts a comment line. Parsing errors name the line.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace Art
{

struct ImageSpec
{
    std::string id;    // without the IMAGE_ prefix
    std::string group; // "Init", "LoadScreen", "Game" or "-"
    std::string file;  // relative to the data tree
    std::string painter;
    int celWidth = 0;
    int celHeight = 0;
    int cols = 1;
    std::map<std::string, std::string> options;
    int line = 0;

    std::string Opt(const std::string& key, const std::string& fallback = "") const;
    int OptInt(const std::string& key, int fallback) const;
    int Width() const { return celWidth * cols; }
    int Height() const { return celHeight; }
};

// Reads the table; on failure returns false and sets error.
bool ReadImageTable(const std::string& path, std::vector<ImageSpec>& out, std::string& error);

} // namespace Art
