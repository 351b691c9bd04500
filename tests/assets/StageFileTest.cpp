// The quest stage files: binary layout and the rules every stage keeps so
// that it loads, shows its goal and can be won.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

struct Record
{
    int row, column, code, parameter;
};

struct Stage
{
    std::string name;
    int world = 0;
    std::vector<Record> records;
    bool wellFormed = false;
    std::string problem;
};

Stage Load(const fs::path& path)
{
    Stage s;
    s.name = path.filename().string();
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 5)
    {
        s.problem = "shorter than its header";
        return s;
    }
    uint32_t magic = b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24);
    if (magic != 0x01321A98u)
    {
        s.problem = "wrong magic";
        return s;
    }
    if ((b.size() - 5) % 4 != 0)
    {
        s.problem = "trailing fragment";
        return s;
    }
    s.world = static_cast<signed char>(b[4]);
    for (size_t i = 5; i < b.size(); i += 4)
        s.records.push_back({static_cast<signed char>(b[i]), static_cast<signed char>(b[i + 1]),
                             static_cast<signed char>(b[i + 2]), static_cast<signed char>(b[i + 3])});
    s.wellFormed = true;
    return s;
}

std::map<std::string, std::vector<Stage>> LoadAll()
{
    std::map<std::string, std::vector<Stage>> byWorld;
    for (const char* world : {"water", "fire", "earth", "air"})
        for (int n = 1; n <= 16; ++n)
        {
            char name[32];
            std::snprintf(name, sizeof name, "%s%02d.dat", world, n);
            byWorld[world].push_back(Load(fs::path(FROTHWICK_DATA_DIR) / "data" / name));
        }
    return byWorld;
}

const std::map<std::string, int> kWorldByte = {{"water", 1}, {"fire", 2}, {"earth", 3}, {"air", 4}};
const std::map<int, std::set<int>> kWorldCodes = {{1, {20, 21}}, {2, {30, 31}}, {3, {50, 51}}, {4, {40, 41}}};

int Depth(const Stage& s)
{
    int depth = 3;
    for (const Record& r : s.records)
        depth = std::max(depth, r.row);
    return depth;
}

int ObstaclesBelowBarrier(const Stage& s)
{
    int n = 0;
    for (const Record& r : s.records)
        n += r.row > 2;
    return n;
}
} // namespace

TEST(StageFiles, EveryWorldHasSixteenWellFormedStagesOfItsOwnWorld)
{
    for (const auto& [world, stages] : LoadAll())
    {
        ASSERT_EQ(stages.size(), 16u);
        for (const Stage& s : stages)
        {
            ASSERT_TRUE(s.wellFormed) << s.name << ": " << s.problem;
            EXPECT_EQ(s.world, kWorldByte.at(world)) << s.name;
        }
    }
}

TEST(StageFiles, RecordsStayInsideTheGridWithKnownCodesAndDirections)
{
    const std::set<int> known = {10, 11, 12, 20, 21, 30, 31, 40, 41, 50, 51};
    for (const auto& [world, stages] : LoadAll())
        for (const Stage& s : stages)
        {
            std::set<int> cells;
            for (const Record& r : s.records)
            {
                EXPECT_TRUE(r.row >= 0 && r.row <= 14 && r.column >= 0 && r.column <= 15)
                    << s.name << " (" << r.row << "," << r.column << ")";
                EXPECT_TRUE(known.count(r.code)) << s.name << " code " << r.code;
                bool directed = r.code == 40 || r.code == 41 || r.code == 51;
                if (directed)
                    EXPECT_TRUE(r.parameter >= 1 && r.parameter <= 3) << s.name << " direction " << r.parameter;
                else
                    EXPECT_EQ(r.parameter, 0) << s.name;
                EXPECT_TRUE(cells.insert(r.row * 16 + r.column).second)
                    << s.name << " lists (" << r.row << "," << r.column << ") twice";
                bool common = r.code == 10 || r.code == 11 || r.code == 12;
                EXPECT_TRUE(common || kWorldCodes.at(s.world).count(r.code))
                    << s.name << ": code " << r.code << " belongs to another world";
            }
        }
}

TEST(StageFiles, KeepTheBarrierTheGoalAndAClearableRowThree)
{
    for (const auto& [world, stages] : LoadAll())
        for (const Stage& s : stages)
        {
            std::set<int> barrier;
            for (const Record& r : s.records)
            {
                if (r.row == 2)
                {
                    EXPECT_EQ(r.code, 11) << s.name << ": the barrier row holds only walls";
                    barrier.insert(r.column);
                }
                if (r.row <= 1)
                {
                    EXPECT_FALSE(r.column >= 5 && r.column <= 10)
                        << s.name << ": (" << r.row << "," << r.column << ") covers the goal";
                }
                EXPECT_NE(r.row, 3) << s.name << ": row 3 decides the clear and holds only colours";
            }
            EXPECT_EQ(barrier.size(), 16u) << s.name << ": the barrier spans the row";
            EXPECT_LE(Depth(s), 10) << s.name << ": too deep to leave room to shoot";
        }
}

TEST(StageFiles, DifficultyRisesThroughEachWorld)
{
    for (const auto& [world, stages] : LoadAll())
    {
        for (size_t i = 1; i < stages.size(); ++i)
            EXPECT_GE(Depth(stages[i]), Depth(stages[i - 1])) << stages[i].name << " is shallower than the one before";
        int early = 0, late = 0;
        for (int i = 0; i < 4; ++i)
        {
            early += ObstaclesBelowBarrier(stages[i]);
            late += ObstaclesBelowBarrier(stages[12 + i]);
        }
        EXPECT_GT(late, early * 2) << world;
        EXPECT_GT(Depth(stages[15]), Depth(stages[0])) << world;
    }
}

