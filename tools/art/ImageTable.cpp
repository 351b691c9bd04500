#include "tools/art/ImageTable.h"

#include <fstream>
#include <set>
#include <sstream>

namespace Art
{

std::string ImageSpec::Opt(const std::string& key, const std::string& fallback) const
{
    auto it = options.find(key);
    return it == options.end() ? fallback : it->second;
}

int ImageSpec::OptInt(const std::string& key, int fallback) const
{
    auto it = options.find(key);
    return it == options.end() ? fallback : std::stoi(it->second);
}

namespace
{
// Splits a line into blank-separated tokens; double quotes group blanks.
std::vector<std::string> Tokens(const std::string& line)
{
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false, any = false;
    for (char c : line)
    {
        if (c == '"')
        {
            quoted = !quoted;
            any = true;
        }
        else if (!quoted && (c == ' ' || c == '\t'))
        {
            if (any)
                out.push_back(cur);
            cur.clear();
            any = false;
        }
        else
        {
            cur += c;
            any = true;
        }
    }
    if (any)
        out.push_back(cur);
    return out;
}
} // namespace

bool ReadImageTable(const std::string& path, std::vector<ImageSpec>& out, std::string& error)
{
    std::ifstream in(path);
    if (!in)
    {
        error = "cannot open " + path;
        return false;
    }
    std::set<std::string> ids;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line))
    {
        ++lineNo;
        auto t = Tokens(line);
        if (t.empty() || t[0][0] == '#')
            continue;
        auto fail = [&](const std::string& why)
        {
            error = path + ":" + std::to_string(lineNo) + ": " + why;
            return false;
        };
        if (t.size() < 6)
            return fail("expected ID GROUP FILE PAINTER WxH COLS");
        ImageSpec s;
        s.line = lineNo;
        s.id = t[0];
        s.group = t[1];
        s.file = t[2];
        s.painter = t[3];
        auto x = t[4].find('x');
        if (x == std::string::npos)
            return fail("bad size " + t[4]);
        try
        {
            s.celWidth = std::stoi(t[4].substr(0, x));
            s.celHeight = std::stoi(t[4].substr(x + 1));
            s.cols = std::stoi(t[5]);
        }
        catch (const std::exception&)
        {
            return fail("bad number");
        }
        if (s.celWidth <= 0 || s.celHeight <= 0 || s.cols <= 0)
            return fail("sizes must be positive");
        for (size_t i = 6; i < t.size(); ++i)
        {
            auto eq = t[i].find('=');
            if (eq == std::string::npos)
                return fail("expected key=value, got " + t[i]);
            s.options[t[i].substr(0, eq)] = t[i].substr(eq + 1);
        }
        if (!ids.insert(s.id).second)
            return fail("duplicate id " + s.id);
        out.push_back(std::move(s));
    }
    return true;
}

} // namespace Art
