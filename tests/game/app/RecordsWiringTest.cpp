// The high-score tables inside the running game: read from the user's folder
// when the main screen is built, and a failed save said once per run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/app/TestGameApp.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "support/FixedWidthFont.h"

namespace fs = std::filesystem;

namespace
{

class BoxRecordingApp : public FrothwickTest::TestGameApp
{
public:
    std::vector<std::string> boxes;

    int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override
    {
        boxes.push_back(text);
        return FrothwickTest::TestGameApp::ShowMessageBox(text, caption, flags);
    }
};

class RecordsWiringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = TestSupport::TestTempDir("game");
        fs::remove_all(dir);
        fs::create_directories(dir / "data");
        fs::remove_all(Game::UserDataDir());
        oldDirectory = fs::current_path();
        fs::current_path(dir);
        FONT_VERDANA10BOLD = &font;
        app = std::make_unique<BoxRecordingApp>();
        app->widgetManager->width = 800;
        app->widgetManager->height = 600;
    }

    void TearDown() override
    {
        app.reset();
        ResetResourceVariables();
        fs::current_path(oldDirectory);
    }

    fs::path dir;
    fs::path oldDirectory;
    TestSupport::FixedWidthFont font;
    std::unique_ptr<BoxRecordingApp> app;
};

} // namespace

TEST_F(RecordsWiringTest, TheMainScreenReadsTheUsersRecordsAndASaveWritesThemBack)
{
    HighScoreTables stored;
    stored.tables[5][0] = HighScoreEntry::Make(4200, "Wren", "images\\avatar\\owl.png", 3007);
    ASSERT_TRUE(stored.SaveRecords(Game::RecordsPath()));
    // A records file below the program's tree is never read.
    HighScoreTables decoy;
    decoy.tables[5][0] = HighScoreEntry::Make(1, "Decoy", "", 1);
    ASSERT_TRUE(decoy.SaveRecords(dir / "data/game.dat"));

    app->ShowMainScreen();
    EXPECT_EQ(app->highScoreTables.tables[5][0].score, 4200);
    EXPECT_EQ(app->highScoreTables.tables[5][0].GetName(), "Wren");
    EXPECT_EQ(app->highScoreTables.tables[5][0].stage, 3007);

    app->highScoreTables.tables[0][0] = HighScoreEntry::Make(900, "Ann", "", 12);
    EXPECT_TRUE(app->SaveRecords());
    EXPECT_TRUE(app->boxes.empty());
    HighScoreTables again;
    ASSERT_TRUE(again.LoadRecords(Game::RecordsPath()));
    EXPECT_EQ(again.tables[0][0].GetName(), "Ann");
    EXPECT_EQ(again.tables[5][0].score, 4200);
}

TEST_F(RecordsWiringTest, AFolderInTheRecordsPlaceIsSaidOncePerRunAndLeftAsItWas)
{
    const fs::path file = Game::RecordsPath();
    fs::create_directories(file / "inside");
    std::ofstream(file / "inside/keep.txt") << "kept";
    app->ShowMainScreen();
    EXPECT_EQ(app->highScoreTables.tables[0][0].score, 0) << "a folder is no records file";

    app->highScoreTables.tables[0][0] = HighScoreEntry::Make(900, "Ann", "", 12);
    EXPECT_FALSE(app->SaveRecords());
    EXPECT_FALSE(app->SaveRecords());
    ASSERT_EQ(app->boxes.size(), 1u);
    EXPECT_EQ(app->boxes[0], "Frothwick could not save the high scores to " + fs::absolute(file).string() + ": " +
                                 app->highScoreTables.LastError());
    EXPECT_FALSE(app->highScoreTables.LastError().empty());
    EXPECT_TRUE(fs::is_directory(file));
    std::vector<fs::path> entries;
    for (const auto& e : fs::recursive_directory_iterator(file))
    {
        entries.push_back(e.path());
    }
    EXPECT_EQ(entries.size(), 2u) << "the folder holds what it held";
    std::ifstream in(file / "inside/keep.txt");
    std::string text;
    in >> text;
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}
