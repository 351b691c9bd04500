// The insertion rule, the table chosen by mode and selector, and the entry's
// text fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "src/core/GameTypes.h"
#include "src/records/HighScoreTables.h"

namespace
{

HighScoreEntry Entry(int32_t score, const std::string& name, int32_t stage = 0)
{
    return HighScoreEntry::Make(score, name, "images\\avatar\\" + name + ".png", stage);
}

std::vector<int32_t> Scores(const HighScoreTable& table)
{
    std::vector<int32_t> scores;
    for (const HighScoreEntry& e : table)
    {
        scores.push_back(e.score);
    }
    return scores;
}

std::vector<std::string> Names(const HighScoreTable& table)
{
    std::vector<std::string> names;
    for (const HighScoreEntry& e : table)
    {
        names.push_back(e.GetName());
    }
    return names;
}

HighScoreTable TableOf(const std::vector<int32_t>& scores)
{
    HighScoreTable table{};
    for (size_t i = 0; i < scores.size(); ++i)
    {
        table[i] = Entry(scores[i], "p" + std::to_string(i));
    }
    return table;
}

TEST(HighScoreInsertTest, EmptyTablesTakeFirstRecordsInOrderAndTiesGoBelowTheTop)
{
    HighScoreTables records;
    EXPECT_EQ(records.InsertRecord(Game::ModeArcade, Game::Easy, 3, Entry(150, "Ada")), 0);
    EXPECT_EQ(records.InsertRecord(Game::ModeArcade, Game::Easy, 3, Entry(150, "Bo")), 1);
    EXPECT_EQ(records.InsertRecord(Game::ModeArcade, Game::Easy, 3, Entry(200, "Cy", 7)), 0);
    const HighScoreTable& t = records.tables[0];
    EXPECT_EQ(Scores(t), (std::vector<int32_t>{200, 150, 150, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Names(t)[0], "Cy");
    EXPECT_EQ(Names(t)[1], "Ada");
    EXPECT_EQ(Names(t)[2], "Bo");
    EXPECT_EQ(t[0].stage, 7);
    EXPECT_EQ(t[1].GetAvatar(), "images\\avatar\\Ada.png") << "moved whole";
}

TEST(HighScoreInsertTest, ATieWithPlaceNineEntersAndPushesItOutButALowerScoreDoesNot)
{
    HighScoreTable table = TableOf({5000, 4000, 3500, 3000, 2500, 2000, 1800, 1500, 1200, 1000});
    const HighScoreTable before = table;
    EXPECT_EQ(HighScoreTables::InsertRecord(table, Entry(999, "low")), -1);
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0);
    EXPECT_EQ(HighScoreTables::InsertRecord(table, Entry(1000, "new")), 9);
    EXPECT_EQ(table[9].GetName(), "new");
    EXPECT_EQ(std::memcmp(&table, &before, 9 * sizeof(HighScoreEntry)), 0) << "places 0 to 8 untouched";
}

TEST(HighScoreInsertTest, BelowTheTopANewRecordGoesAboveOlderEqualScores)
{
    HighScoreTable table = TableOf({500, 300, 300, 100});
    EXPECT_EQ(HighScoreTables::InsertRecord(table, Entry(300, "new")), 1);
    EXPECT_EQ(Scores(table), (std::vector<int32_t>{500, 300, 300, 300, 100, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Names(table), (std::vector<std::string>{"p0", "new", "p1", "p2", "p3", "", "", "", "", ""}));
    // A tie with the top goes below it too; a full table loses its last place.
    table = TableOf({500, 400, 300, 200, 150, 140, 130, 120, 110, 100});
    EXPECT_EQ(HighScoreTables::InsertRecord(table, Entry(500, "tie")), 1);
    EXPECT_EQ(Scores(table), (std::vector<int32_t>{500, 500, 400, 300, 200, 150, 140, 130, 120, 110}));
    EXPECT_EQ(Names(table)[9], "p8");
}

TEST(HighScoreInsertTest, ATableOutOfOrderIsNeverSortedAndTheRuleDecides)
{
    HighScoreTable table = TableOf({100, 500, 50});
    EXPECT_EQ(HighScoreTables::InsertRecord(table, Entry(300, "new")), 0) << "above place 0 goes to the top";
    EXPECT_EQ(Scores(table), (std::vector<int32_t>{300, 100, 500, 50, 0, 0, 0, 0, 0, 0}));

    table = TableOf({300, 500, 500, 500, 500, 500, 500, 500, 500, 200});
    EXPECT_EQ(HighScoreTables::InsertRecord(table, Entry(300, "new")), 9) << "the first i with t[i] >= s >= t[i+1]";
    EXPECT_EQ(Scores(table), (std::vector<int32_t>{300, 500, 500, 500, 500, 500, 500, 500, 500, 300}));

    // Negative scores count as empty places and take records like zeros.
    table = TableOf({-5, -5, -5, -5, -5, -5, -5, -5, -5, -5});
    EXPECT_EQ(HighScoreTables::InsertRecord(table, Entry(1, "one")), 0);
}

TEST(HighScoreInsertTest, EverySelectorHasItsTableAndOthersFallBackToTableZero)
{
    struct Case
    {
        int32_t mode, difficulty, world;
        int table;
    };
    const std::vector<Case> cases = {
        {Game::ModeArcade, 0, 9, 0}, {Game::ModeArcade, 1, 0, 1}, {Game::ModeArcade, 2, 1, 2},
        {Game::ModeArcade, 3, 2, 3}, {Game::ModeTime, 0, 3, 4},   {Game::ModeTime, 1, 4, 5},
        {Game::ModeTime, 2, 0, 6},   {Game::ModeTime, 3, 0, 7},   {Game::ModeQuest, 9, 4, 8},
        {Game::ModeQuest, 0, 2, 9},  {Game::ModeQuest, 1, 1, 10}, {Game::ModeQuest, 2, 3, 11},
    };
    HighScoreTables records;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.table);
        EXPECT_EQ(HighScoreTables::TableIndex(c.mode, c.difficulty, c.world), c.table);
        EXPECT_EQ(&records.CurrentTable(c.mode, c.difficulty, c.world), &records.tables[size_t(c.table)]);
        EXPECT_EQ(records.InsertRecord(c.mode, c.difficulty, c.world, Entry(100 + c.table, "x")), 0);
    }
    for (size_t t = 0; t < HighScoreTables::TableCount; ++t)
    {
        EXPECT_EQ(Scores(records.tables[t]), (std::vector<int32_t>{int32_t(100 + t), 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    }

    const HighScoreTables before = records;
    const std::vector<Case> none = {{Game::ModeArcade, 7, 3, 0},
                                    {Game::ModeTime, -1, 3, 0},
                                    {Game::ModeQuest, 0, 0, 0},
                                    {Game::ModeQuest, 0, 5, 0},
                                    {99, 0, 1, 0},
                                    {0, 0, 0, 0}};
    for (const Case& c : none)
    {
        SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.difficulty) + " " + std::to_string(c.world));
        EXPECT_EQ(HighScoreTables::TableIndex(c.mode, c.difficulty, c.world), -1);
        EXPECT_EQ(&records.CurrentTable(c.mode, c.difficulty, c.world), &records.tables[0]);
        EXPECT_EQ(records.InsertRecord(c.mode, c.difficulty, c.world, Entry(9999, "nobody")), -1);
    }
    EXPECT_EQ(std::memcmp(&records.tables, &before.tables, sizeof records.tables), 0);
}

TEST(HighScoreEntryTest, TextsThatDoNotFitAreStoredEmptyNeverCut)
{
    const std::string path127 = "images\\avatar\\" + std::string(113, 'a');
    ASSERT_EQ(path127.size(), 127u);
    EXPECT_EQ(HighScoreEntry::Make(1, "Ada", path127, 0).GetAvatar(), path127);
    EXPECT_EQ(HighScoreEntry::Make(1, "Ada", path127 + "b", 0).GetAvatar(), "") << "128 bytes leave no terminator";
    const std::string path130 = "images\\avatar\\" + std::string(116, 'p');
    HighScoreEntry entry = HighScoreEntry::Make(5, "Ada", path130, 3);
    EXPECT_EQ(entry.GetAvatar(), "");
    EXPECT_EQ(entry.GetName(), "Ada");
    unsigned char bytes[HighScoreEntry::Size];
    std::memset(bytes, 0xEE, sizeof bytes);
    entry.Write(bytes);
    for (size_t i = 24; i < 152; ++i)
    {
        ASSERT_EQ(bytes[i], 0) << i;
    }
    EXPECT_EQ(bytes[152], 3);

    // A name fills its whole field as a profile may hold it; longer is empty.
    const std::string name20(20, 'N');
    EXPECT_EQ(HighScoreEntry::Make(1, name20, "", 0).GetName(), name20);
    EXPECT_EQ(HighScoreEntry::Make(1, name20 + "X", "", 0).GetName(), "");
    EXPECT_EQ(HighScoreEntry::Make(1, std::string("Bo\0junk", 7), "", 0).GetName(), "Bo");
}

} // namespace
