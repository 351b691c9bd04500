// The game recorded and played back through its real loop on the fake
// platform and clock, with the generated data tree: a new player walks the
// menus into an arcade game and fires shots while the clock stalls and
// catches up and loading ends late; the playback, at real time and as fast
// as it runs, matches every checkpoint, ends on the same screen, and leaves
// the player's files alone.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/AppBaseFakes.h"
#include "framework/app/DemoFile.h"
#include "framework/graphics/DDImage.h"
#include "src/app/GameApp.h"
#include "src/app/LoadScreen.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/play/GameAreaWidget.h"
#include "src/screens/game/Board.h"
#include "support/TestTemp.h"

namespace fs = std::filesystem;
using Framework::InputEvent;

namespace
{

const fs::path dataDir = FROTHWICK_DATA_DIR;

std::vector<uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DemoGameApp : public GameApp
{
public:
    std::shared_ptr<FrothwickTest::FakeClock> fakeClock = std::make_shared<FrothwickTest::FakeClock>();
    FrothwickTest::FakePlatform* fake = nullptr;
    bool recording = false;
    int32_t step = 0;    // of the player's script
    uint32_t stepAt = 0; // the update the step began at
    uint32_t stopAt = 0; // recording: the update the run ends at
    int32_t gameStartedAt = -1;
    std::vector<uint32_t> screen;

    DemoGameApp(const std::string& switches, const fs::path& settings)
    {
        clock = fakeClock;
        auto p = std::make_unique<FrothwickTest::FakePlatform>();
        fake = p.get();
        platform = std::move(p);
        settingsRoot = settings;
        instanceLockDir = TestSupport::TestTempDir("runtime");
        onlyOneInstance = false;
        commandLineParsed = true;
        SplitCommandLine(switches);
    }
    ~DemoGameApp() override
    {
        StopApplication();
        WaitForLoadingThread();
    }
    [[noreturn]] void ExitProcess(int code) override { throw Framework::AppExit{code}; }
    bool WorkingDirectoryHook(const fs::path&) override { return true; }

    void Tick() override
    {
        GameApp::Tick();
        if (recording && !shutdown)
        {
            Script();
        }
    }
    void DrawDirty() override
    {
        GameApp::DrawDirty();
        if (display && display->GetScreenImage())
        {
            Framework::DDImage* image = display->GetScreenImage();
            const uint32_t* pixels = image->GetPixels();
            screen.assign(pixels, pixels + size_t(image->GetWidth()) * size_t(image->GetHeight()));
        }
    }

    void Click(int32_t x, int32_t y)
    {
        InputEvent e;
        e.type = InputEvent::Type::MouseMove;
        e.x = x;
        e.y = y;
        fake->pendingInput.push_back(e);
        e.type = InputEvent::Type::MouseDown;
        e.clickCount = 1;
        fake->pendingInput.push_back(e);
        e.type = InputEvent::Type::MouseUp;
        fake->pendingInput.push_back(e);
    }
    void Type(char c)
    {
        InputEvent e;
        e.type = InputEvent::Type::CharTyped;
        e.key = c;
        fake->pendingInput.push_back(e);
    }

    // A newcomer: NEW PLAYER, "Ada", CREATE, START, ARCADE, EASY, the earth
    // world, then shots across the field, two seconds of play apart.
    void Script()
    {
        const uint32_t n = DemoUpdates();
        if (n % 97 == 0)
        {
            fakeClock->now += 350; // a stall
        }
        if (step == 0 && !(loaded && (!loadScreen || !loadScreen->manager)))
        {
            stepAt = n;
            return;
        }
        if (n - stepAt < 200)
        {
            return;
        }
        stepAt = n;
        switch (step++)
        {
            case 0:
                Click(508, 465);
                break;
            case 1:
                Type('A');
                Type('d');
                Type('a');
                break;
            case 2:
                Click(344, 330);
                break;
            case 3:
                Click(383, 465);
                break;
            case 4:
                Click(402, 424);
                break;
            case 5:
                Click(400, 424);
                break;
            case 6:
                Click(669, 450);
                break;
            default:
                if (board && gameStartedAt < 0)
                {
                    gameStartedAt = int32_t(n);
                }
                if (step < 20)
                {
                    Click(60 + (step * 37) % 380, 200 + (step * 53) % 200);
                }
                else
                {
                    StopApplication();
                }
                break;
        }
    }
};

class GameDemoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!fs::exists(dataDir / "properties/resources.xml"))
        {
            GTEST_SKIP() << "no data tree at " << dataDir;
        }
        ResetResourceVariables();
        work = TestSupport::TestTempDir("tree");
        fs::remove_all(work);
        fs::create_directories(work);
        for (const char* folder : {"fonts", "sounds", "music", "data", "script", "images", "properties"})
        {
            fs::create_directory_symlink(dataDir / folder, work / folder);
        }
        started = fs::current_path();
        fs::current_path(work);
        settings = TestSupport::TestTempDir("settings");
        fs::remove_all(settings);
        fs::create_directories(settings);
    }
    void TearDown() override
    {
        ResetResourceVariables();
        if (!started.empty())
        {
            fs::current_path(started);
        }
    }
    fs::path work;
    fs::path started;
    fs::path settings;
};

TEST_F(GameDemoTest, AnArcadeGameRecordedPlaysBackWithEveryCheckpointAndTheSameScreen)
{
    const fs::path demoFile = TestSupport::TestTempDir() / "game.dmo";
    std::vector<uint32_t> recordedScreen;
    int32_t recordedScore = 0;
    {
        DemoGameApp app("-record -demofile=" + demoFile.string(), settings);
        app.recording = true;
        app.Initialise();
        app.Run();
        ASSERT_GE(app.gameStartedAt, 0) << "the script never reached a game";
        recordedScreen = app.screen;
        recordedScore = app.score;
    }
    ResetResourceVariables();

    Framework::DemoContent content;
    std::string error;
    ASSERT_TRUE(Framework::ReadDemo(ReadBytes(demoFile), content, error)) << error;
    ASSERT_TRUE(content.hasEnd);
    uint32_t checkpoints = 0;
    bool sawArcadeField = false;
    for (const Framework::DemoRecord& r : content.records)
    {
        if (r.kind == Framework::DemoRecord::Kind::Checkpoint)
        {
            ++checkpoints;
            sawArcadeField |= r.checkpoint.mode == 100 && r.checkpoint.gridCrc != 0 && r.checkpoint.shot != 0;
        }
    }
    EXPECT_TRUE(sawArcadeField) << "a checkpoint of the arcade field";
    EXPECT_FALSE(content.header.dataFiles.empty());

    const fs::path players = Game::ProfilesPath();
    ASSERT_TRUE(fs::exists(players)) << "the recording made the player";
    const std::vector<uint8_t> playersBefore = ReadBytes(players);
    const auto playersStamp = fs::last_write_time(players);
    const fs::path settingsFile = settings / "frothwick" / "settings";
    const std::vector<uint8_t> settingsBefore = ReadBytes(settingsFile);

    const std::string dataHome = std::getenv("XDG_DATA_HOME");
    for (double speed : {0.0, 1.0})
    {
        SCOPED_TRACE(speed);
        // The playback makes its scratch folder the user's data folder.
        struct Restore
        {
            std::string value;
            ~Restore() { setenv("XDG_DATA_HOME", value.c_str(), 1); }
        } restore{dataHome};
        DemoGameApp app("-play -demofile=" + demoFile.string(), settings);
        app.demoSpeed = speed;
        app.Initialise();
        app.Run();
        EXPECT_EQ(app.exitCode, 0);
        EXPECT_EQ(app.DemoCheckpointsMatched(), checkpoints);
        EXPECT_EQ(app.score, recordedScore);
        EXPECT_TRUE(app.screen == recordedScreen) << "the final screen differs";
        ResetResourceVariables();
        EXPECT_EQ(ReadBytes(players), playersBefore);
        EXPECT_EQ(fs::last_write_time(players), playersStamp);
        EXPECT_EQ(ReadBytes(settingsFile), settingsBefore);
    }
}

} // namespace
