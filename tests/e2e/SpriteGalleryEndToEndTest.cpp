// The sprite gallery in a real X server (Xvfb), checked on its screenshots:
// every coloured bubble of rows 0 to 2 shows its art's centre colour at its
// cell's centre, every obstacle cell holds art, and a click on a cell shakes
// the bubbles around it while a far one stays still.
//
// Skipped, with the reason, where Xvfb, xdotool or ImageMagick's import are
// missing, the X server cannot start, or there is no generated data tree.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/graphics/ImageLoader.h"
#include "support/ProgramTree.h"

namespace
{

using namespace std::chrono_literals;

bool OnPath(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment,
            const std::string& logFile, int keepFd = -1)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    for (const std::string& e : environment)
    {
        if (e[0] == '-')
            unsetenv(e.c_str() + 1);
        else
        {
            const size_t eq = e.find('=');
            setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
        }
    }
    const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log >= 0)
    {
        dup2(log, 1);
        dup2(log, 2);
    }
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd)
            close(fd);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void Stop(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i)
    {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
        {
            pid = -1;
            return;
        }
        std::this_thread::sleep_for(20ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 20s)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end)
    {
        if (done())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return done();
}

// An 8-bit binary PPM as 0xRRGGBB words.
struct Shot
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height ? rgb[size_t(y * width + x)] : 0xFFFFFFFFu;
    }
};

bool ReadPpm(const std::filesystem::path& path, Shot& shot)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    if (!in || magic != "P6" || maxValue != 255 || shot.width <= 0 || shot.height <= 0)
        return false;
    std::vector<unsigned char> bytes(size_t(shot.width) * size_t(shot.height) * 3);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!in)
        return false;
    shot.rgb.resize(size_t(shot.width) * size_t(shot.height));
    for (size_t i = 0; i < shot.rgb.size(); ++i)
        shot.rgb[i] = uint32_t(bytes[i * 3]) << 16 | uint32_t(bytes[i * 3 + 1]) << 8 | bytes[i * 3 + 2];
    return true;
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

// The gallery's layout: the field at (15, 37), cells 31 pixels, odd rows
// half a cell to the right, the field's backing colour.
constexpr int FieldX = 15;
constexpr int FieldY = 37;
constexpr uint32_t FieldColour = 0x1E2A46;

int CellCentreX(int row, int column)
{
    return FieldX + 5 + column * 31 + (row % 2 == 1 ? 15 : 0) + 15;
}
int CellCentreY(int row)
{
    return FieldY + row * 31 + 15;
}

class SpriteGalleryEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* tool : {"Xvfb", "xdotool", "import"})
            if (!OnPath(tool))
                GTEST_SKIP() << "end-to-end test skipped: " << tool
                             << " is not installed (scripts/install-deps.sh installs it)";
        if (!std::filesystem::exists(TestSupport::DataTreeDir() / "properties" / "resources.xml"))
            GTEST_SKIP() << "no data tree in " << TestSupport::DataTreeDir();
        folder = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) /
                 ("e2e-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "config");

        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        xvfb = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                     {}, (folder / "xvfb.log").string(), fds[1]);
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            GTEST_SKIP() << "end-to-end test skipped: Xvfb could not start: " << ReadFile(folder / "xvfb.log");
        display = ":" + number;
    }

    void TearDown() override
    {
        Stop(program);
        Stop(xvfb);
    }

    std::string X(const std::string& command)
    {
        std::string output;
        FILE* pipe = popen(("DISPLAY=" + display + " timeout 20 " + command + " 2>/dev/null").c_str(), "r");
        if (!pipe)
            return output;
        char buffer[256];
        while (fgets(buffer, sizeof(buffer), pipe))
            output += buffer;
        pclose(pipe);
        return output;
    }

    std::string FindWindow()
    {
        std::string id = X("xdotool search --onlyvisible --name '^Frothwick( - .*)?$'");
        const size_t end = id.find('\n');
        return end == std::string::npos ? id : id.substr(0, end);
    }

    // Starts a copy of the gallery with its own data tree.
    void StartGallery()
    {
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_GALLERY_PROGRAM, "e2e-tree");
        log = folder / "gallery.log";
        program = Spawn({tree->Program().string()},
                        {"DISPLAY=" + display, "-SDL_VIDEODRIVER", "-WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy",
                         "XDG_CONFIG_HOME=" + (folder / "config").string(), "XDG_RUNTIME_DIR=" + folder.string(),
                         "FROTHWICK_GALLERY=sprites", "FROTHWICK_INPUT_TRACE=1", "FROTHWICK_EXIT_AFTER_TICKS=6000"},
                        log.string());
        ASSERT_GT(program, 0);
        ASSERT_TRUE(WaitFor([&] { return !FindWindow().empty(); })) << "no window appeared\n" << ReadFile(log);
        window = FindWindow();
    }

    bool Capture(Shot& shot)
    {
        const std::filesystem::path file = folder / ("shot" + std::to_string(shots++) + ".ppm");
        X("import -window " + window + " -depth 8 " + file.string());
        return ReadPpm(file, shot) && shot.width == 800 && shot.height == 600;
    }

    // Whether the 31 x 31 square of a cell differs between two shots.
    static bool CellChanged(const Shot& a, const Shot& b, int row, int column)
    {
        for (int y = -15; y <= 15; ++y)
            for (int x = -15; x <= 15; ++x)
                if (a.At(CellCentreX(row, column) + x, CellCentreY(row) + y) !=
                    b.At(CellCentreX(row, column) + x, CellCentreY(row) + y))
                    return true;
        return false;
    }

    std::unique_ptr<TestSupport::ProgramTree> tree;
    std::filesystem::path folder;
    std::filesystem::path log;
    std::string display;
    std::string window;
    pid_t xvfb = -1;
    pid_t program = -1;
    int shots = 0;
};

TEST_F(SpriteGalleryEndToEndTest, BubblesShowTheirArtAtTheirCentresAndAClickShakesTheNeighbours)
{
    // The colour each bubble's art has at its centre, over the field's colour.
    std::vector<uint32_t> centres;
    for (const char* name : {"red", "yellow", "blue", "green", "aqua", "fuchsia"})
    {
        const auto art = Framework::ImageLoader::LoadImageFile(
            (TestSupport::DataTreeDir() / "images" / "bubble" / name).string() + ".png", false);
        ASSERT_TRUE(art && art->width == 31 && art->height == 31) << name;
        const uint32_t p = art->pixels[size_t(15 * 31 + 15)];
        const uint32_t a = p >> 24;
        uint32_t mixed = 0;
        for (int shift = 0; shift < 24; shift += 8)
        {
            const uint32_t s = (p >> shift) & 0xFF;
            const uint32_t d = (FieldColour >> shift) & 0xFF;
            mixed |= ((s * a + d * (255 - a) + 127) / 255) << shift;
        }
        centres.push_back(mixed);
    }

    StartGallery();
    Shot still;
    ASSERT_TRUE(
        WaitFor([&] { return Capture(still) && Near(still.At(CellCentreX(0, 0), CellCentreY(0)), centres[0], 3); }))
        << "the gallery never showed its first bubble\n"
        << ReadFile(log);
    // Whatever still fades in is done once two shots in a row agree on the
    // bubbles' rows.
    Shot last = still;
    ASSERT_TRUE(WaitFor(
        [&]
        {
            if (!Capture(still))
                return false;
            bool same = true;
            for (int row = 0; row < 3 && same; ++row)
                for (int column = 0; column < 16 && same; ++column)
                    same = !CellChanged(last, still, row, column);
            last = still;
            return same;
        }))
        << "the gallery's picture never came to rest\n"
        << ReadFile(log);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 16; ++column)
        {
            const uint32_t expected = centres[size_t((row * 16 + column) % 6)];
            const uint32_t seen = still.At(CellCentreX(row, column), CellCentreY(row));
            EXPECT_TRUE(Near(seen, expected, 3))
                << "cell (" << row << ", " << column << "): " << std::hex << seen << " expected " << expected;
        }

    // Every obstacle cell shows art around its centre.
    int obstacleCells = 0;
    for (int row : {4, 7, 10})
        for (int column = 0; column < 16; column += 3)
        {
            int lit = 0;
            for (int y = -5; y <= 5; ++y)
                for (int x = -5; x <= 5; ++x)
                    lit += still.At(CellCentreX(row, column) + x, CellCentreY(row) + y) != FieldColour ? 1 : 0;
            EXPECT_GT(lit, 30) << "obstacle cell (" << row << ", " << column << ") looks empty";
            ++obstacleCells;
        }
    EXPECT_EQ(obstacleCells, 18);

    // A click on (1, 5): its six neighbours swing for about a second.
    const std::string release =
        "trace: release " + std::to_string(CellCentreX(1, 5)) + "," + std::to_string(CellCentreY(1));
    X("xdotool mousemove --window " + window + " " + std::to_string(CellCentreX(1, 5)) + " " +
      std::to_string(CellCentreY(1)) + " click 1");
    ASSERT_TRUE(WaitFor([&] { return ReadFile(log).find(release) != std::string::npos; }, 10s))
        << "the click never arrived\n"
        << ReadFile(log);
    Shot shaken;
    int moved = 0;
    WaitFor(
        [&]
        {
            if (!Capture(shaken))
                return false;
            moved = 0;
            for (const auto& [row, column] : {std::pair{1, 4}, {1, 6}, {0, 5}, {0, 6}, {2, 5}, {2, 6}})
                moved += CellChanged(still, shaken, row, column) ? 1 : 0;
            return moved >= 5;
        },
        2s);
    EXPECT_GE(moved, 5) << "neighbours of (1, 5) that moved";
    EXPECT_FALSE(CellChanged(still, shaken, 0, 15)) << "a far bubble stays";
}

} // namespace
