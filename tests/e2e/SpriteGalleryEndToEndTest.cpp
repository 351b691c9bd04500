// The sprite gallery in a real X server (Xvfb), checked on its screenshots:
// every coloured bubble of rows 0 to 2 shows its art's centre colour at its
// cell's centre, every obstacle cell holds art, and a click on a cell shakes
// the bubbles around it while a far one stays still.
//
// Skipped, with the reason, where Xvfb, xdotool or ImageMagick's import are
// missing, the X server cannot start, or there is no generated data tree.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "E2eFixture.h"
#include "E2eSupport.h"
#include "framework/graphics/ImageLoader.h"
#include "support/ProgramTree.h"

namespace
{

using namespace E2e;

// The field's backing colour in the gallery.
constexpr uint32_t FieldColour = 0x1E2A46;

class SpriteGalleryEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string why = WhyNot({"Xvfb", "xdotool", "import"}, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
        folder = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) /
                 ("e2e-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "config");

        if (const std::string why = server.Start(folder, 1024, 768, false); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
    }

    void TearDown() override
    {
        E2e::Stop(program);
        server.Stop();
    }

    // Starts a copy of the gallery with its own data tree.
    void StartGallery()
    {
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_GALLERY_PROGRAM, "e2e-tree");
        log = folder / "gallery.log";
        std::vector<std::string> environment = server.ProgramEnvironment();
        environment.insert(environment.end(),
                           {"XDG_CONFIG_HOME=" + (folder / "config").string(), "XDG_RUNTIME_DIR=" + folder.string(),
                            "FROTHWICK_GALLERY=sprites", "FROTHWICK_INPUT_TRACE=1", "FROTHWICK_EXIT_AFTER_TICKS=6000"});
        program = Spawn({tree->Program().string()}, environment, log.string());
        ASSERT_GT(program, 0);
        ASSERT_TRUE(WaitFor([&] { return !server.FindWindow().empty(); }, 20s)) << "no window appeared\n"
                                                                                << ReadFile(log);
        window = server.FindWindow();
    }

    bool Capture(Shot& shot) { return server.Capture(window, shot) && shot.Width() == 800 && shot.Height() == 600; }

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
    XServer server;
    std::string window;
    pid_t program = -1;
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
        WaitFor([&] { return Capture(still) && Near(still.At(CellCentreX(0, 0), CellCentreY(0)), centres[0], 3); }, 20s))
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
        },
        20s))
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
    server.Click(window, CellCentreX(1, 5), CellCentreY(1));
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
