#include "framework/app/CursorHotSpots.h"

#include <fstream>
#include <sstream>

namespace Framework
{

CursorHotSpotTable ParseCursorHotSpots(const std::string& text)
{
    CursorHotSpotTable table;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
    {
        if (line.empty() || line[0] == '#')
        {
            continue;
        }
        std::istringstream fields(line);
        std::string id;
        int32_t x = -1;
        int32_t y = -1;
        std::string rest;
        if (!(fields >> id >> x >> y) || (fields >> rest) || x < 0 || y < 0 || x > 255 || y > 255)
        {
            continue;
        }
        table[id] = Point(x, y);
    }
    return table;
}

bool ReadCursorHotSpots(const std::string& path, CursorHotSpotTable& table)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    table = ParseCursorHotSpots(text.str());
    return true;
}

} // namespace Framework
