// Binding of the resource variables: order, the first failure ending a group,
// and the identifier lists against the real manifest.
#include "src/app/ResourceBinding.h"
#include "src/core/ResourceIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "framework/app/ResourceManager.h"
#include "framework/graphics/DDImage.h"
#include "support/FixedWidthFont.h"

namespace
{

class NullServices : public Framework::ResourceServices
{
public:
    Framework::SharedImageCache::Result GetSharedImage(const std::string&, const std::string&) override { return {}; }
    void ShowErrorBox(const std::string&) override {}
};

// Hands out stand-ins for the names it knows and fails like the real manager
// for every other name, counting the lookups.
class ScriptedManager : public Framework::ResourceManager
{
public:
    explicit ScriptedManager(Framework::ResourceServices* host) : ResourceManager(host) {}

    std::set<std::string> known;
    std::vector<std::string> asked;
    int32_t nextSound = 7;
    TestSupport::FixedWidthFont font;

    std::shared_ptr<Framework::DDImage> RequireImage(const std::string& id) override
    {
        Check(id);
        images.push_back(std::make_shared<Framework::DDImage>());
        return images.back();
    }
    int32_t RequireSound(const std::string& id) override
    {
        Check(id);
        return nextSound++;
    }
    Framework::Font* RequireFont(const std::string& id) override
    {
        Check(id);
        return &font;
    }

    std::vector<std::shared_ptr<Framework::DDImage>> images;

private:
    void Check(const std::string& id)
    {
        asked.push_back(id);
        if (!known.count(id))
        {
            RecordError("Resource not found: " + id);
            throw Framework::ResourceManagerException(ErrorText());
        }
    }
};

class ResourceBinding : public ::testing::Test
{
protected:
    void SetUp() override { ResetResourceVariables(); }
    void TearDown() override { ResetResourceVariables(); }

    NullServices services;
    ScriptedManager manager{&services};

    void KnowGroup(const char* group)
    {
        int32_t count = 0;
        const char* const* ids = ResourceGroupIds(group, count);
        for (int32_t i = 0; i < count; ++i)
        {
            manager.known.insert(ids[i]);
        }
    }
};

TEST_F(ResourceBinding, CompleteGroupsBindEveryVariable)
{
    KnowGroup("Init");
    KnowGroup("Media");
    ASSERT_TRUE(BindInitResources(manager));
    EXPECT_EQ(FONT_BAUHAUS9310, &manager.font);
    EXPECT_EQ(IMAGE_CORVANE_LOGO, manager.images.back().get());
    ASSERT_TRUE(BindMediaResources(manager));
    EXPECT_EQ(SOUND_ALLCLEAR, 7);
    EXPECT_EQ(SOUND_WALL_TREE, 26); // the twentieth sound, bound last
    EXPECT_EQ(manager.asked.size(), 31u);
}

TEST_F(ResourceBinding, FirstMissingIdentifierEndsTheGroupAndKeepsEarlierBindings)
{
    KnowGroup("Game");
    manager.known.erase("IMAGE_BUBBLE_RED");
    EXPECT_FALSE(BindGameResources(manager));
    EXPECT_NE(IMAGE_AIR1, nullptr);
    EXPECT_NE(IMAGE_BUBBLE_GREEN, nullptr); // bound just before the failure
    EXPECT_EQ(IMAGE_BUBBLE_RED, nullptr);
    EXPECT_EQ(IMAGE_BUBBLE_YELLOW, nullptr); // never asked for
    EXPECT_EQ(IMAGE_YOUWIN, nullptr);
    EXPECT_EQ(manager.asked.back(), "IMAGE_BUBBLE_RED");
    EXPECT_EQ(manager.ErrorText(), "Resource not found: IMAGE_BUBBLE_RED");
}

TEST_F(ResourceBinding, GroupsFailIndependentlyAndResetClearsAll)
{
    KnowGroup("Init");
    EXPECT_FALSE(BindLoadScreenResources(manager));
    EXPECT_EQ(manager.asked.size(), 1u);
    EXPECT_TRUE(BindInitResources(manager));
    EXPECT_NE(IMAGE_CUSTOM_TEXT, nullptr);
    ResetResourceVariables();
    EXPECT_EQ(IMAGE_CUSTOM_TEXT, nullptr);
    EXPECT_EQ(FONT_DEFAULT, nullptr);
}

TEST(ResourceIdLists, GroupSizesAndUnknownGroup)
{
    int32_t count = -1;
    ResourceGroupIds("Init", count);
    EXPECT_EQ(count, 11);
    ResourceGroupIds("LoadScreen", count);
    EXPECT_EQ(count, 3);
    ResourceGroupIds("Media", count);
    EXPECT_EQ(count, 20);
    const char* const* game = ResourceGroupIds("Game", count);
    EXPECT_EQ(count, 193);
    EXPECT_STREQ(game[135], "IMAGE_STAGE01");
    EXPECT_STREQ(game[150], "IMAGE_STAGE16");
    EXPECT_EQ(ResourceGroupIds("Music", count), nullptr);
    EXPECT_EQ(count, 0);
}

// Every identifier is defined letter for letter in its own group of the
// real manifest, and each group of the manifest holds nothing else.
TEST(ResourceIdLists, MatchTheRealManifest)
{
    const std::filesystem::path manifest = std::filesystem::path(FROTHWICK_DATA_DIR) / "properties/resources.xml";
    if (!std::filesystem::exists(manifest))
    {
        GTEST_SKIP() << "no data tree at " << manifest;
    }
    NullServices services;
    Framework::ResourceManager manager(&services);
    ASSERT_TRUE(manager.ReadManifest(manifest.string())) << manager.ErrorText();
    for (const char* group : {"Init", "LoadScreen", "Media", "Game"})
    {
        int32_t count = 0;
        const char* const* ids = ResourceGroupIds(group, count);
        EXPECT_EQ(manager.CountResources(group), count) << group;
        for (int32_t i = 0; i < count; ++i)
        {
            const std::string id = ids[i];
            const Framework::BaseRes* record = nullptr;
            if (id.rfind("IMAGE_", 0) == 0)
                record = manager.FindImage(id);
            else if (id.rfind("FONT_", 0) == 0)
                record = manager.FindFont(id);
            else
                record = manager.FindSound(id);
            ASSERT_NE(record, nullptr) << id;
            EXPECT_EQ(record->group, group) << id;
        }
    }
}

} // namespace
