#include "framework/platform/SettingsStore.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/TestTemp.h"

using Framework::SettingsStore;

namespace
{

class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) /
               ("settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    SettingsStore Store() { return SettingsStore("SOFTWARE\\Tamsery Games\\Frothwick\\", root); }
    std::filesystem::path KeyFile() { return root / "SOFTWARE" / "Tamsery Games" / "Frothwick" / ".values"; }

    void WriteRaw(const std::string& text)
    {
        std::filesystem::create_directories(KeyFile().parent_path());
        std::ofstream(KeyFile(), std::ios::binary) << text;
    }

    std::filesystem::path root;
};

TEST_F(SettingsStoreTest, IntegersAndTextRoundTripWithTheirTypes)
{
    SettingsStore s = Store();
    ASSERT_TRUE(s.WriteInteger("MusicVolume", 85));
    ASSERT_TRUE(s.WriteInteger("PreferredX", -2147483647 - 1));
    const std::string awkward("tab\there\nnew line \\ back\0zero", 30);
    ASSERT_TRUE(s.WriteString("Name", awkward));
    ASSERT_TRUE(s.WriteString("Empty", ""));

    // A fresh store on the same key sees the values: they live in the file.
    SettingsStore again = Store();
    int32_t v = 0;
    EXPECT_TRUE(again.ReadInteger("MusicVolume", v));
    EXPECT_EQ(v, 85);
    EXPECT_TRUE(again.ReadInteger("preferredx", v)) << "names match without regard to case";
    EXPECT_EQ(v, -2147483647 - 1);
    std::string text;
    EXPECT_TRUE(again.ReadString("Name", text));
    EXPECT_EQ(text, awkward);
    EXPECT_TRUE(again.ReadString("Empty", text));
    EXPECT_EQ(text, "");

    ASSERT_TRUE(again.WriteInteger("MusicVolume", 10));
    EXPECT_TRUE(Store().ReadInteger("MusicVolume", v));
    EXPECT_EQ(v, 10);

    bool flag = false;
    ASSERT_TRUE(s.WriteInteger("WaitForVSync", 7));
    EXPECT_TRUE(s.ReadBoolean("WaitForVSync", flag));
    EXPECT_TRUE(flag);
}

TEST_F(SettingsStoreTest, TypeMismatchAndMissingValuesFailAndLeaveTheDefault)
{
    SettingsStore s = Store();
    ASSERT_TRUE(s.WriteString("ScreenMode", "0"));
    int32_t v = 42;
    EXPECT_FALSE(s.ReadInteger("ScreenMode", v));
    EXPECT_FALSE(s.ReadInteger("Missing", v));
    EXPECT_EQ(v, 42);
    std::string text = "keep";
    ASSERT_TRUE(s.WriteInteger("Count", 3));
    EXPECT_FALSE(s.ReadString("Count", text));
    EXPECT_EQ(text, "keep");

    // A buffer too small fails but tells the size needed.
    ASSERT_TRUE(s.WriteString("Long", "0123456789"));
    char small[4];
    uint32_t type = 0, length = sizeof(small);
    EXPECT_FALSE(s.ReadValue("Long", type, small, length));
    EXPECT_EQ(length, 10u);
}

TEST_F(SettingsStoreTest, SubKeysAndErase)
{
    SettingsStore s = Store();
    ASSERT_TRUE(s.WriteInteger("Players\\Anna\\Stage", 12));
    ASSERT_TRUE(s.WriteInteger("Stage", 3));
    EXPECT_TRUE(
        std::filesystem::exists(root / "SOFTWARE" / "Tamsery Games" / "Frothwick" / "Players" / "Anna" / ".values"));
    int32_t v = 0;
    EXPECT_TRUE(s.ReadInteger("Players\\Anna\\Stage", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(s.ReadInteger("Stage", v));
    EXPECT_EQ(v, 3);

    EXPECT_TRUE(s.EraseValue("Players\\Anna\\Stage"));
    EXPECT_FALSE(s.ReadInteger("Players\\Anna\\Stage", v));
    EXPECT_FALSE(s.EraseValue("Players\\Anna\\Stage"));
    EXPECT_TRUE(s.ReadInteger("Stage", v)) << "erasing in a sub-key leaves the parent alone";

    // Names that would leave the store's folder are refused.
    EXPECT_FALSE(s.WriteInteger("..\\..\\Escape", 1));
    EXPECT_FALSE(s.WriteInteger("a\\\\b", 1));
    EXPECT_FALSE(s.WriteInteger("a/b\\c", 1));
    EXPECT_FALSE(s.WriteInteger("Sub\\", 1));
    EXPECT_FALSE(std::filesystem::exists(root / "Escape"));
}

TEST_F(SettingsStoreTest, EmptyKeyTouchesNothing)
{
    SettingsStore s("", root);
    int32_t v = 0;
    EXPECT_FALSE(s.WriteInteger("MusicVolume", 1));
    EXPECT_FALSE(s.ReadInteger("MusicVolume", v));
    EXPECT_FALSE(s.EraseValue("MusicVolume"));
    EXPECT_FALSE(std::filesystem::exists(root));
}

TEST_F(SettingsStoreTest, CorruptOrTruncatedFilesReadAsMissingValues)
{
    int32_t v = 0;
    WriteRaw("garbage\n4\tA\t1\n");
    EXPECT_FALSE(Store().ReadInteger("A", v)) << "a foreign header reads as an empty key";

    WriteRaw("FROTHWICK-SETTINGS 1\n4\tA\t1\n4\tB\tnot-a-number\nx\tC\t3\n4\tD\t99999999999\n1\tE\tbad\\q\n4\tF\t2");
    SettingsStore s = Store();
    EXPECT_TRUE(s.ReadInteger("A", v));
    EXPECT_EQ(v, 1);
    for (const char* name : {"B", "C", "D", "E", "F"})
    {
        EXPECT_FALSE(s.ReadInteger(name, v)) << name;
    }
    std::string text;
    EXPECT_FALSE(s.ReadString("E", text));

    // Writing to a damaged file keeps the good values and drops the rest.
    ASSERT_TRUE(s.WriteInteger("G", 7));
    EXPECT_TRUE(s.ReadInteger("A", v));
    EXPECT_TRUE(s.ReadInteger("G", v));

    // Binary junk never crashes.
    std::string junk;
    for (int i = 0; i < 4096; ++i)
    {
        junk += static_cast<char>((i * 131 + 7) % 256);
    }
    WriteRaw("FROTHWICK-SETTINGS 1\n" + junk);
    EXPECT_FALSE(Store().ReadInteger("A", v));
}

TEST_F(SettingsStoreTest, WritesReplaceTheFileAtomically)
{
    SettingsStore s = Store();
    ASSERT_TRUE(s.WriteInteger("A", 1));
    // Another process reading the old file keeps a consistent copy: the
    // write makes a new file rather than rewriting this one in place.
    std::ifstream oldCopy(KeyFile(), std::ios::binary);
    ASSERT_TRUE(s.WriteInteger("B", 2));
    std::stringstream seen;
    seen << oldCopy.rdbuf();
    EXPECT_EQ(seen.str(), "FROTHWICK-SETTINGS 1\n4\tA\t1\n");
    // No temporary files are left behind.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KeyFile().parent_path()))
    {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);

    // An unwritable folder fails the write and keeps the old values.
    std::filesystem::permissions(KeyFile().parent_path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool superUser = ::geteuid() == 0; // root writes anyway
    EXPECT_EQ(s.WriteInteger("C", 3), superUser);
    std::filesystem::permissions(KeyFile().parent_path(), std::filesystem::perms::owner_all);
    int32_t v = 0;
    EXPECT_TRUE(s.ReadInteger("B", v));
}

} // namespace

TEST(SettingsStoreFileTest, AStoreAtAFileKeepsItsValuesThereAndSubKeysInFoldersBeside)
{
    const std::filesystem::path dir = TestSupport::TestTempDir("atfile") / "frothwick";
    Framework::SettingsStore store = Framework::SettingsStore::AtFile(dir / "settings");
    ASSERT_TRUE(store.Enabled());
    EXPECT_TRUE(store.WriteInteger("MusicVolume", 42));
    EXPECT_TRUE(store.WriteString("Sub\\Name", "text"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "settings"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "Sub" / "settings"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".values"));
    EXPECT_FALSE(store.WriteInteger("settings\\x", 1)) << "a sub-key cannot take the file's own name";
    int32_t v = 0;
    EXPECT_TRUE(Framework::SettingsStore::AtFile(dir / "settings").ReadInteger("musicvolume", v));
    EXPECT_EQ(v, 42);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
    {
        EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << "no temporary file left";
    }
}
