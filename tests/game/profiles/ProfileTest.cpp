#include "src/profiles/PlayerProfiles.h"
#include "src/profiles/PlayerRecord.h"
#include "src/profiles/ProfileFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace
{

PlayerRecord MakePlayer(const std::string& name, const std::string& avatar = "images\\avatar\\a.png")
{
    PlayerRecord record;
    EXPECT_TRUE(record.SetName(name));
    EXPECT_TRUE(record.SetAvatarPath(avatar));
    return record;
}

std::vector<unsigned char> Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::int32_t IntAt(const std::vector<unsigned char>& bytes, size_t offset)
{
    return std::int32_t(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                        std::uint32_t(bytes[offset + 3]) << 24);
}

class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::path(FROTHWICK_TEST_TMP_DIR) / "profiles" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = dir / "usr.dat";
    }

    fs::path dir;
    fs::path path;
};

} // namespace

TEST_F(ProfileTest, RecordRoundTripsWithEachFieldAtItsOffset)
{
    PlayerRecord record = MakePlayer("Mia", "images\\avatar\\cat.jpg");
    record.spare = -7;
    record.StageReached(1, 3);  // water
    record.StageReached(2, 5);  // fire
    record.StageReached(3, 9);  // earth
    record.StageReached(4, 15); // air
    ASSERT_TRUE(ProfileFile(path).Rewrite({record}));

    const auto bytes = Bytes(path);
    ASSERT_EQ(bytes.size(), 296u);
    EXPECT_EQ(std::memcmp(bytes.data(), "Mia\0\0", 5), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 20, "images\\avatar\\cat.jpg", 22), 0);
    EXPECT_EQ(IntAt(bytes, 276), -7);
    EXPECT_EQ(IntAt(bytes, 280), 15);
    EXPECT_EQ(IntAt(bytes, 284), 5);
    EXPECT_EQ(IntAt(bytes, 288), 3);
    EXPECT_EQ(IntAt(bytes, 292), 9);
    for (size_t i = 4; i < 20; ++i)
    {
        EXPECT_EQ(bytes[i], 0) << i;
    }

    const auto loaded = ProfileFile(path).Load();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].GetName(), "Mia");
    EXPECT_EQ(loaded[0].GetAvatarPath(), "images\\avatar\\cat.jpg");
    EXPECT_EQ(loaded[0].spare, -7);
    for (int world = 1; world <= 4; ++world)
    {
        EXPECT_EQ(loaded[0].Progress(world), record.Progress(world)) << world;
    }
}

TEST_F(ProfileTest, ProgressOnlyRisesAndOnlyForStagesBelowSixteen)
{
    PlayerRecord record = MakePlayer("P");
    record.StageReached(2, 7);
    record.StageReached(2, 5);
    EXPECT_EQ(record.progressFire, 7);
    record.StageReached(2, 16);
    EXPECT_EQ(record.progressFire, 7);
    record.StageReached(5, 3);
    record.StageReached(0, 3);
    EXPECT_EQ(record.Progress(5), 0);
    EXPECT_EQ(record.progressAir + record.progressWater + record.progressEarth, 0);
}

TEST_F(ProfileTest, UnterminatedFieldsAreCutAtTheFieldEndAndOverlongTextIsRefused)
{
    unsigned char raw[296];
    std::memset(raw, 'N', 20);
    std::memset(raw + 20, 'p', 256);
    std::memset(raw + 276, 0, 20);
    const PlayerRecord record = PlayerRecord::Read(raw);
    EXPECT_EQ(record.GetName(), std::string(20, 'N'));
    EXPECT_EQ(record.GetAvatarPath(), std::string(256, 'p'));

    unsigned char out[296];
    record.Write(out);
    EXPECT_EQ(std::memcmp(raw, out, 296), 0) << "written back as read, never past the fields";

    PlayerRecord edited = MakePlayer("Old");
    EXPECT_FALSE(edited.SetName(std::string(20, 'x')));
    EXPECT_TRUE(edited.SetName(std::string(19, 'x')));
    EXPECT_FALSE(edited.SetAvatarPath(std::string(256, 'y')));
    EXPECT_EQ(edited.GetAvatarPath(), "images\\avatar\\a.png");
    EXPECT_FALSE(edited.SetName(std::string("a\0b", 3)));
}

TEST_F(ProfileTest, TrailingFragmentIsIgnoredAndGoneAfterTheNextWrite)
{
    ProfileFile file(path);
    ASSERT_TRUE(file.Rewrite({MakePlayer("One"), MakePlayer("Two")}));
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << std::string(100, '\x7F');
    }
    EXPECT_EQ(file.Load().size(), 2u);

    // An append must not land behind the fragment, out of step.
    ASSERT_TRUE(file.Append(MakePlayer("Three")));
    EXPECT_EQ(fs::file_size(path), 3u * 296u);
    const auto loaded = file.Load();
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[2].GetName(), "Three");
}

TEST_F(ProfileTest, FailedRewriteLeavesTheOldFileAndNoTemporary)
{
    ProfileFile file(path);
    ASSERT_TRUE(file.Rewrite({MakePlayer("Keep")}));
    const auto before = Bytes(path);
    // A directory where the temporary file would go makes the write fail.
    fs::create_directory(dir / "usr.dat.tmp");
    fs::create_directory(dir / "usr.dat.tmp" / "busy");
    EXPECT_FALSE(file.Rewrite({MakePlayer("Lost")}));
    EXPECT_EQ(Bytes(path), before);

    EXPECT_TRUE(ProfileFile(dir / "missing" / "usr.dat").Load().empty());
    EXPECT_TRUE(ProfileFile(dir / "missing" / "usr.dat").Append(MakePlayer("X"))) << "the folder is made";
    EXPECT_EQ(fs::file_size(dir / "missing" / "usr.dat"), PlayerRecord::Size);
}

TEST_F(ProfileTest, PlayerListKeepsNamesUniqueAndSavesTheCurrentPlayerFirst)
{
    PlayerProfiles profiles{ProfileFile(path)};
    profiles.LoadPlayers();
    EXPECT_TRUE(profiles.players.empty());
    EXPECT_FALSE(profiles.HasCurrentPlayer());

    EXPECT_TRUE(profiles.AddPlayer(MakePlayer("Ann")));
    EXPECT_EQ(fs::file_size(path), 296u);
    EXPECT_TRUE(profiles.AddPlayer(MakePlayer("Bob")));
    EXPECT_TRUE(profiles.AddPlayer(MakePlayer("Cy")));
    EXPECT_FALSE(profiles.AddPlayer(MakePlayer("Bob", "images\\avatar\\other.png")));
    EXPECT_EQ(profiles.players.size(), 3u);
    EXPECT_EQ(fs::file_size(path), 3u * 296u);

    PlayerProfiles later{ProfileFile(path)};
    later.LoadPlayers();
    ASSERT_EQ(later.players.size(), 3u);
    later.SetCurrentPlayer(later.players[1]);
    EXPECT_EQ(later.players.size(), 2u);
    later.StageReached(3, 4);
    EXPECT_EQ(later.WorldProgress(3), 4);
    ASSERT_TRUE(later.SaveCurrentPlayer());
    ASSERT_TRUE(later.SaveCurrentPlayer()); // saving again lists nobody twice

    const auto saved = ProfileFile(path).Load();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].GetName(), "Bob");
    EXPECT_EQ(saved[0].progressEarth, 4);
    EXPECT_EQ(saved[1].GetName(), "Ann");
    EXPECT_EQ(saved[2].GetName(), "Cy");
}

TEST_F(ProfileTest, QuittingWithoutAPlayerLeavesTheFileUntouched)
{
    {
        std::ofstream out(path, std::ios::binary);
        out << std::string(400, 'z');
    }
    const auto before = Bytes(path);
    PlayerProfiles profiles{ProfileFile(path)};
    profiles.LoadPlayers();
    EXPECT_EQ(profiles.players.size(), 1u);
    EXPECT_FALSE(profiles.SaveCurrentPlayer());
    EXPECT_EQ(Bytes(path), before);
}

TEST_F(ProfileTest, AvatarListMatchesExtensionsWithoutRegardToCaseInGroupOrder)
{
    const fs::path avatars = dir / "images" / "avatar";
    fs::create_directories(avatars);
    for (const char* name : {"b.PNG", "a.png", "c.Jpg", "d.gif", "e.bmp", "jpg", "f.jpeg"})
    {
        std::ofstream(avatars / name) << "x";
    }
    fs::create_directory(avatars / "g.jpg");
    std::ofstream(avatars / (std::string(250, 'l') + ".jpg")) << "x";

    EXPECT_EQ(PlayerProfiles::GetAvatarFiles(dir),
              (std::vector<std::string>{"images\\avatar\\c.Jpg", "images\\avatar\\d.gif", "images\\avatar\\a.png",
                                        "images\\avatar\\b.PNG"}));
    EXPECT_TRUE(PlayerProfiles::GetAvatarFiles(dir / "nowhere").empty());
    EXPECT_EQ(PlayerProfiles::NativePath("images\\avatar\\c.Jpg"), fs::path("images/avatar/c.Jpg"));
}
