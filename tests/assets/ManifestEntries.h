// The generated resource manifest as the art tests read it: ManifestTest.cpp
// holds the reader, which enforces the game parser's stricter rules.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ManifestEntry
{
    std::string type;  // Image, Sound, Font
    std::string group; // id of the enclosing Resources
    std::string id;    // full identifier, prefix included
    std::string path;  // default path + path attribute
    std::map<std::string, std::string> attributes;
};

// Reads the manifest at path; false with a reason on any construct the
// game's parser would reject or misread.
bool ReadManifestFile(const std::string& path, std::vector<ManifestEntry>& out, std::string& error);
