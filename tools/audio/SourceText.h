// Reading the generator's text sources: lines split into words, a "#" at
// the start of a word starts a comment, and "key=value" parameter words.
// Mistakes in a source are reported as SourceError with the file and line,
// so a typo in a parameter name stops the build instead of silently falling
// back to a default.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace AudioGen
{

class SourceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct SourceLine
{
    int number = 0;                 // 1-based line number in the file
    std::vector<std::string> words; // never empty
};

// Reads a whole file; throws SourceError when it cannot be opened.
std::string ReadTextFile(const std::string& path);

// The non-empty lines of `text` with comments removed.
std::vector<SourceLine> SplitLines(const std::string& text);

// "key=value" words of one line. Every key must be read (Number, Text) or
// checked (Has) before Finish(), which rejects the keys nobody asked for.
class ParamList
{
public:
    // Parses words[first..]; `where` prefixes error messages ("file:line").
    ParamList(const std::vector<std::string>& words, std::size_t first, std::string where);

    bool Has(const std::string& key);
    double Number(const std::string& key, double fallback);
    std::string Text(const std::string& key, const std::string& fallback);
    void Finish() const;

    const std::string& Where() const { return where; }

private:
    std::map<std::string, std::string> values;
    std::map<std::string, bool> used;
    std::string where;
};

// Parses a whole decimal number; throws SourceError naming `where`.
double ParseNumber(const std::string& text, const std::string& where);

} // namespace AudioGen
