#include "tools/audio/SourceText.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace AudioGen
{

std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        throw SourceError("cannot open " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<SourceLine> SplitLines(const std::string& text)
{
    std::vector<SourceLine> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw))
    {
        ++number;
        // "#" starts a comment only at the start of a word: "c#5" is a note.
        for (std::size_t i = 0; i < raw.size(); ++i)
        {
            if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t'))
            {
                raw.erase(i);
                break;
            }
        }
        std::istringstream words(raw);
        SourceLine line;
        line.number = number;
        std::string word;
        while (words >> word)
        {
            line.words.push_back(word);
        }
        if (!line.words.empty())
        {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

double ParseNumber(const std::string& text, const std::string& where)
{
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size())
    {
        throw SourceError(where + ": not a number: \"" + text + "\"");
    }
    return value;
}

ParamList::ParamList(const std::vector<std::string>& words, std::size_t first, std::string whereText)
    : where(std::move(whereText))
{
    for (std::size_t i = first; i < words.size(); ++i)
    {
        std::size_t eq = words[i].find('=');
        if (eq == std::string::npos || eq == 0)
        {
            throw SourceError(where + ": expected key=value, got \"" + words[i] + "\"");
        }
        std::string key = words[i].substr(0, eq);
        if (values.count(key) != 0)
        {
            throw SourceError(where + ": \"" + key + "\" given twice");
        }
        values[key] = words[i].substr(eq + 1);
        used[key] = false;
    }
}

bool ParamList::Has(const std::string& key)
{
    auto it = values.find(key);
    if (it == values.end())
    {
        return false;
    }
    used[key] = true;
    return true;
}

double ParamList::Number(const std::string& key, double fallback)
{
    if (!Has(key))
    {
        return fallback;
    }
    return ParseNumber(values[key], where + ": " + key);
}

std::string ParamList::Text(const std::string& key, const std::string& fallback)
{
    return Has(key) ? values[key] : fallback;
}

void ParamList::Finish() const
{
    for (const auto& [key, wasUsed] : used)
    {
        if (!wasUsed)
        {
            throw SourceError(where + ": unknown parameter \"" + key + "\"");
        }
    }
}

} // namespace AudioGen
