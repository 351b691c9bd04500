#include "tools/art/StageCompiler.h"

#include "tools/art/Canvas.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace Art
{
namespace
{
struct Cell
{
    int code;
    int param;
};

const std::map<std::string, Cell>& Tokens()
{
    static const std::map<std::string, Cell> t = {
        {"LK", {10, 0}}, {"WL", {11, 0}}, {"BM", {12, 0}}, {"SN", {20, 0}}, {"WH", {21, 0}}, {"FL", {30, 0}},
        {"LV", {31, 0}}, {"T<", {40, 1}}, {"T>", {40, 2}}, {"T^", {40, 3}}, {"C<", {41, 1}}, {"C>", {41, 2}},
        {"C^", {41, 3}}, {"PL", {50, 0}}, {"M<", {51, 1}}, {"M>", {51, 2}}, {"M^", {51, 3}},
    };
    return t;
}

int WorldByte(const std::string& name)
{
    if (name == "water")
        return 1;
    if (name == "fire")
        return 2;
    if (name == "earth")
        return 3;
    if (name == "air")
        return 4;
    return 0;
}
} // namespace

bool CompileStages(const std::string& mapPath, const std::string& outDir, int& stageCount, std::string& error)
{
    std::ifstream in(mapPath);
    if (!in)
    {
        error = "cannot open " + mapPath;
        return false;
    }
    std::string world;
    int worldByte = 0;
    int stage = 0;
    std::map<int, std::vector<unsigned char>> files;
    std::set<int> rowsSeen;
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& why)
    {
        error = mapPath + ":" + std::to_string(lineNo) + ": " + why;
        return false;
    };
    while (std::getline(in, line))
    {
        ++lineNo;
        std::istringstream ss(line);
        std::string head;
        if (!(ss >> head) || head[0] == '#')
            continue;
        if (head == "world")
        {
            ss >> world;
            worldByte = WorldByte(world);
            if (worldByte == 0)
                return fail("unknown world " + world);
            continue;
        }
        if (head == "stage")
        {
            if (worldByte == 0)
                return fail("stage before world");
            if (!(ss >> stage) || stage < 1 || stage > 16)
                return fail("stage number must be 1 to 16");
            if (files.count(stage))
                return fail("stage " + std::to_string(stage) + " given twice");
            auto& bytes = files[stage];
            const unsigned char header[] = {0x98, 0x1A, 0x32, 0x01, static_cast<unsigned char>(worldByte)};
            bytes.assign(header, header + 5);
            rowsSeen.clear();
            continue;
        }
        if (stage == 0)
            return fail("row outside a stage");
        int row = 0;
        try
        {
            row = std::stoi(head);
        }
        catch (const std::exception&)
        {
            return fail("expected a row number, got " + head);
        }
        if (row < 0 || row > 14)
            return fail("row outside 0 to 14");
        if (!rowsSeen.insert(row).second)
            return fail("row given twice");
        std::vector<std::string> cells;
        std::string tok;
        while (ss >> tok)
            cells.push_back(tok);
        if (cells.size() != 16)
            return fail("a row needs 16 cells, got " + std::to_string(cells.size()));
        for (int col = 0; col < 16; ++col)
        {
            if (cells[col] == "..")
                continue;
            auto it = Tokens().find(cells[col]);
            if (it == Tokens().end())
                return fail("unknown cell " + cells[col]);
            auto& bytes = files[stage];
            bytes.push_back(static_cast<unsigned char>(row));
            bytes.push_back(static_cast<unsigned char>(col));
            bytes.push_back(static_cast<unsigned char>(it->second.code));
            bytes.push_back(static_cast<unsigned char>(it->second.param));
        }
    }
    if (files.size() != 16)
    {
        lineNo = 0;
        return fail("expected 16 stages, found " + std::to_string(files.size()));
    }
    for (auto& [n, bytes] : files)
    {
        char name[64];
        std::snprintf(name, sizeof name, "/data/%s%02d.dat", world.c_str(), n);
        if (!WriteIfChanged(outDir + name, bytes))
        {
            error = "cannot write " + outDir + name;
            return false;
        }
    }
    stageCount = static_cast<int>(files.size());
    return true;
}

} // namespace Art
