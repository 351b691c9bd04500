// The avatar import's pieces that touch the system: finding and running the
// desktop's chooser (stand-in scripts) and copying the picture with its
// path limits.
#include "src/screens/players/AvatarBrowser.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/AppBaseTestApp.h"
#include "framework/platform/QuitSignals.h"
#include "support/TestTemp.h"

namespace fs = std::filesystem;

namespace
{

void WriteScript(const fs::path& path, const std::string& body)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all);
}

// The test's scratch folder, emptied.
fs::path FreshDir()
{
    const fs::path dir = TestSupport::TestTempDir("scratch");
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string Text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(AvatarBrowserTest, ChooserIsFoundOnTheSearchPathZenityFirst)
{
    const fs::path dir = FreshDir();
    WriteScript(dir / "a" / "kdialog", "exit 0\n");
    WriteScript(dir / "b" / "zenity", "exit 0\n");
    std::ofstream(dir / "c" / "zenity") << "not executable";
    fs::create_directories(dir / "d" / "zenity");
    const std::string a = (dir / "a").string();
    const std::string b = (dir / "b").string();
    const std::string c = (dir / "c").string();
    const std::string d = (dir / "d").string();

    EXPECT_EQ(AvatarBrowser::FindProgram(a + ":" + b, {"zenity", "kdialog"}), b + "/zenity");
    EXPECT_EQ(AvatarBrowser::FindProgram(c + ":" + d + ":" + a, {"zenity", "kdialog"}), a + "/kdialog");
    EXPECT_EQ(AvatarBrowser::FindProgram(c + "::" + d, {"zenity", "kdialog"}), "");
    // Relative entries (the working directory) are never searched.
    const fs::path old = fs::current_path();
    fs::current_path(dir);
    EXPECT_EQ(AvatarBrowser::FindProgram(":.:b", {"zenity"}), "");
    fs::current_path(old);
}

TEST(AvatarBrowserTest, ChooserRunsWithoutAShellAndItsAnswerIsRead)
{
    const fs::path dir = FreshDir();
    const fs::path log = dir / "args.txt";
    // Every argument on a line of its own, then the answer.
    WriteScript(dir / "bin" / "zenity", "for a in \"$@\"; do echo \"$a\" >> '" + log.string() +
                                            "'; done\n"
                                            "echo '/tmp/My Pictures/cat; rm -rf x.png'\necho second line\n");
    WriteScript(dir / "bin" / "kdialog", "exit 1\n");
    FrothwickTest::TestApp app;
    AvatarBrowser browser(app);

    std::string chosen;
    ASSERT_TRUE(browser.RunChooser((dir / "bin" / "zenity").string(), chosen));
    EXPECT_EQ(chosen, "/tmp/My Pictures/cat; rm -rf x.png");
    EXPECT_EQ(Text(log), "--file-selection\n--title=Choose a picture\n"
                         "--file-filter=Image Files(*.jpg;*.png;*.gif) | *.jpg *.png *.gif *.JPG *.PNG *.GIF\n");

    chosen = "kept";
    EXPECT_FALSE(browser.RunChooser((dir / "bin" / "kdialog").string(), chosen)) << "cancelled";
    EXPECT_FALSE(browser.RunChooser((dir / "bin" / "nothing").string(), chosen));
    EXPECT_EQ(chosen, "kept");

    const auto kde = AvatarBrowser::ChooserArguments("kdialog", "/home/p");
    EXPECT_EQ(kde, (std::vector<std::string>{"--title", "Choose a picture", "--getopenfilename", "/home/p",
                                             "*.jpg *.png *.gif *.JPG *.PNG *.GIF|Image Files(*.jpg;*.png;*.gif)"}));
}

TEST(AvatarBrowserTest, CopyReplacesTheAvatarOfThatNameAndRefusesPathsBeyondTheirBuffers)
{
    const fs::path dir = FreshDir();
    const fs::path work = dir / "w";
    fs::create_directories(work / "images" / "avatar");
    std::ofstream(work / "images" / "avatar" / "cat.png") << "old";
    std::ofstream(dir / "cat.png") << "new picture";

    std::string stored;
    ASSERT_TRUE(AvatarBrowser::CopyIntoAvatars(work, (dir / "cat.png").string(), stored));
    EXPECT_EQ(stored, "images\\avatar\\cat.png");
    EXPECT_EQ(Text(work / "images" / "avatar" / "cat.png"), "new picture");

    // A picture already in place is taken as it is, not emptied.
    stored.clear();
    ASSERT_TRUE(AvatarBrowser::CopyIntoAvatars(work, (work / "images" / "avatar" / "cat.png").string(), stored));
    EXPECT_EQ(stored, "images\\avatar\\cat.png");
    EXPECT_EQ(Text(work / "images" / "avatar" / "cat.png"), "new picture");

    // A missing avatar folder is made.
    const fs::path fresh = dir / "fresh";
    fs::create_directories(fresh);
    EXPECT_TRUE(AvatarBrowser::CopyIntoAvatars(fresh, (dir / "cat.png").string(), stored));
    EXPECT_TRUE(fs::exists(fresh / "images" / "avatar" / "cat.png"));

    stored = "untouched";
    EXPECT_FALSE(AvatarBrowser::CopyIntoAvatars(work, (dir / "none.png").string(), stored));
    EXPECT_FALSE(AvatarBrowser::CopyIntoAvatars(work, dir.string(), stored)) << "a folder is no picture";
    EXPECT_FALSE(AvatarBrowser::CopyIntoAvatars(work, "", stored));
    std::ofstream(dir / "a\\b.png") << "x";
    EXPECT_FALSE(AvatarBrowser::CopyIntoAvatars(work, (dir / "a\\b.png").string(), stored));

    // The destination (working folder + "/images/avatar/" + name) must fit
    // 255 bytes and its zero.
    const std::string prefix = work.string() + "/images/avatar/";
    ASSERT_LT(prefix.size(), 200u);
    const std::string fits = std::string(255 - prefix.size() - 4, 'f') + ".png";
    const std::string tooLong = std::string(256 - prefix.size() - 4, 'g') + ".png";
    std::ofstream(dir / fits) << "fits";
    std::ofstream(dir / tooLong) << "too long";
    if ((dir / tooLong).string().size() < AvatarBrowser::PathBufferSize)
    {
        EXPECT_FALSE(AvatarBrowser::CopyIntoAvatars(work, (dir / tooLong).string(), stored));
        EXPECT_FALSE(fs::exists(work / "images" / "avatar" / tooLong));
    }
    EXPECT_EQ(stored, "untouched");
    if ((dir / fits).string().size() < AvatarBrowser::PathBufferSize)
    {
        EXPECT_TRUE(AvatarBrowser::CopyIntoAvatars(work, (dir / fits).string(), stored));
        EXPECT_EQ(stored, "images\\avatar\\" + fits);
    }

    // The chosen path itself must fit 255 bytes and its zero.
    fs::path deep = dir;
    while (deep.string().size() < 250)
    {
        deep /= "dddddddddddddddddddd";
    }
    fs::create_directories(deep);
    std::ofstream(deep / "x.png") << "deep";
    ASSERT_GE((deep / "x.png").string().size(), AvatarBrowser::PathBufferSize);
    EXPECT_FALSE(AvatarBrowser::CopyIntoAvatars(work, (deep / "x.png").string(), stored));
}

namespace
{

// Counts the loop's turns while the chooser runs, and what the window got.
class CountingBrowser : public AvatarBrowser
{
public:
    using AvatarBrowser::AvatarBrowser;
    void WhileChooserRuns() override
    {
        ++turns;
        AvatarBrowser::WhileChooserRuns();
    }
    int turns = 0;
};

} // namespace

TEST(AvatarBrowserTest, WhileTheChooserRunsTheWindowIsDrawnAndTakesNoInputAndYadIsTheLastChoice)
{
    const fs::path dir = FreshDir();
    WriteScript(dir / "bin" / "yad", "sleep 0.4\necho /tmp/picked.png\n");
    FrothwickTest::TestApp app;
    app.Initialise();
    CountingBrowser browser(app);
    Framework::InputEvent click;
    click.type = Framework::InputEvent::Type::MouseDown;
    app.fake->pendingInput = {click};
    const int drawsBefore = app.draws;

    std::string chosen;
    ASSERT_TRUE(browser.RunChooser((dir / "bin" / "yad").string(), chosen));
    EXPECT_EQ(chosen, "/tmp/picked.png");
    EXPECT_GE(browser.turns, 10) << "polled about every 20 ms, not waited on";
    app.fake->pendingInput.clear();
    EXPECT_GE(app.draws, drawsBefore + browser.turns) << "the window is drawn on every turn";
    EXPECT_FALSE(app.HandleQueuedInput(false)) << "the input that came meanwhile was dropped";
    EXPECT_EQ(app.inputs, 0);

    EXPECT_EQ(AvatarBrowser::FindProgram((dir / "bin").string(), {"zenity", "kdialog", "yad"}),
              (dir / "bin" / "yad").string());
    EXPECT_EQ(AvatarBrowser::ChooserArguments("yad", "/home/p"),
              (std::vector<std::string>{"--file", "--title=Choose a picture",
                                        "--file-filter=Image Files(*.jpg;*.png;*.gif) | *.jpg *.png *.gif *.JPG "
                                        "*.PNG *.GIF"}));
}

TEST(AvatarBrowserTest, AQuitSignalClosesTheChooserAndImportsNothing)
{
    const fs::path dir = FreshDir();
    WriteScript(dir / "bin" / "zenity", "exec sleep 20\n");
    FrothwickTest::TestApp app;
    CountingBrowser browser(app);
    Framework::QuitSignals::Clear();
    std::string chosen = "kept";
    const auto start = std::chrono::steady_clock::now();
    std::thread signal(
        []
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            Framework::QuitSignals::Raise(SIGTERM);
        });
    EXPECT_FALSE(browser.RunChooser((dir / "bin" / "zenity").string(), chosen));
    signal.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(chosen, "kept");
    EXPECT_EQ(Framework::QuitSignals::Pending(), SIGTERM) << "left for the loop to act on";
    Framework::QuitSignals::Clear();
}
