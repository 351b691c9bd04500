// Loads the game's real manifest and every resource it names from the
// generated data tree, as the game does at start, and times each group.
#include "framework/app/ResourceManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"

using namespace Framework;

namespace
{

// Shared images from the image cache; a sound "loads" when its file exists
// (the sound manager proper is tested on its own).
class DataServices : public ResourceServices
{
public:
    SharedImageCache cache;
    std::vector<std::string> errors;
    SharedImageCache::Result GetSharedImage(const std::string& path, const std::string& variant) override
    {
        return cache.GetSharedImage(path, variant);
    }
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    bool LoadSoundAt(int32_t, const std::string& path) override
    {
        for (const char* extension : {"", ".ogg", ".wav"})
        {
            if (std::filesystem::is_regular_file(path + extension))
                return true;
        }
        return false;
    }
};

// The bytes of every file the group's records name, read raw: the reference
// the group's load time is compared with (same run, warm file cache).
double ReadGroupFilesMs(const ResourceManager& manager, const std::string& group, size_t& bytes)
{
    const auto start = std::chrono::steady_clock::now();
    for (const auto* map : {&manager.Images(), &manager.Sounds(), &manager.Fonts()})
    {
        for (const auto& [id, record] : *map)
        {
            if (record->group != group || record->programMade || record->path.rfind("!", 0) == 0)
                continue;
            for (const char* extension : {"", ".png", ".jpg", ".ogg", ".wav"})
            {
                std::ifstream file(record->path + extension, std::ios::binary);
                if (file)
                {
                    std::vector<char> content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
                    bytes += content.size();
                    break;
                }
            }
        }
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::filesystem::path DataDir()
{
    const char* fromEnv = std::getenv("FROTHWICK_DATA_DIR");
    return fromEnv != nullptr && *fromEnv != 0 ? fromEnv : FROTHWICK_DATA_DIR;
}

} // namespace

TEST(ResourceData, EveryGroupOfTheRealManifestLoads)
{
    const std::filesystem::path dir = DataDir();
    if (!std::filesystem::exists(dir / "properties" / "resources.xml"))
        GTEST_SKIP() << "no data tree in " << dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);

    DataServices services;
    ResourceManager manager(&services);
    ASSERT_TRUE(manager.ReadManifest("properties/resources.xml")) << manager.ErrorText();
    int32_t total = 0;
    for (const char* group : {"Init", "LoadScreen", "Media", "Game"})
    {
        const auto start = std::chrono::steady_clock::now();
        const bool loaded = manager.LoadGroup(group);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(loaded) << group << ": " << manager.ErrorText();
        size_t bytes = 0;
        const double reference = ReadGroupFilesMs(manager, group, bytes);
        std::cout << "group " << group << ": " << manager.CountResources(group) << " resources, " << bytes
                  << " bytes, loaded in " << ms << " ms; raw read " << reference << " ms; ratio "
                  << ms / std::max(reference, 1e-3) << "\n";
        total += manager.CountResources(group);
    }
    EXPECT_EQ(
        total, manager.CountResources("") -
                   [&]
                   {
                       int32_t programMade = 0;
                       for (const auto* map : {&manager.Images(), &manager.Sounds(), &manager.Fonts()})
                           for (const auto& [id, record] : *map)
                               programMade += record->programMade ? 1 : 0;
                       return programMade;
                   }());
    EXPECT_TRUE(services.errors.empty()) << services.errors.front();

    // Every font measures and draws its letters.
    MemoryImage canvas;
    canvas.Allocate(400, 60);
    for (const auto& [id, record] : manager.Fonts())
    {
        Font* font = manager.RequireFont(id);
        ASSERT_NE(font, nullptr) << id;
        EXPECT_GT(font->Height(), 0) << id;
        EXPECT_GT(font->TextWidth("Frothwick 123"), 0) << id;
        canvas.ClearAll();
        Graphics g(&canvas);
        font->DrawText(&g, 5, 40, "Frothwick 123", Color::White(), Rect(0, 0, 400, 60));
        int32_t lit = 0;
        for (int32_t i = 0; i < 400 * 60; ++i)
            lit += (canvas.GetPixels()[i] >> 24) != 0 ? 1 : 0;
        EXPECT_GT(lit, 50) << id;
    }
    manager.FreeGroup("");
    EXPECT_EQ(services.cache.LiveCount(), 0u);
    std::filesystem::current_path(previous);
}
