// The generated data tree for benchmarks: every resource group loaded and
// bound to the resource variables, the tree's folder made the working
// directory. The tree is looked for in $FROTHWICK_DATA_DIR, then the
// program's FROTHWICK_BENCH_DATA_DIR and FROTHWICK_MAIN_DATA_DIR (compile
// definitions of the benchmark's target).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/app/ResourceManager.h"
#include "framework/graphics/SharedImageCache.h"
#include "src/core/ResourceIds.h"

namespace Bench
{

class ArtServices : public Framework::ResourceServices
{
public:
    Framework::SharedImageCache cache;
    Framework::SharedImageCache::Result GetSharedImage(const std::string& path, const std::string& variant) override
    {
        return cache.GetSharedImage(path, variant);
    }
    void ShowErrorBox(const std::string&) override {}
    bool LoadSoundAt(int32_t, const std::string&) override { return true; }
};

struct Art
{
    std::unique_ptr<ArtServices> services;
    std::unique_ptr<Framework::ResourceManager> manager;
    std::filesystem::path dir;
};

inline void Fetch(Framework::ResourceManager& m, const char* id, Framework::Image*& variable)
{
    variable = m.RequireImage(id).get();
}
inline void Fetch(Framework::ResourceManager& m, const char* id, Framework::Font*& variable)
{
    variable = m.RequireFont(id);
}
inline void Fetch(Framework::ResourceManager&, const char*, int32_t&) {}

// False when no data tree is found or it does not load.
inline bool LoadArt(Art& art)
{
    std::vector<std::filesystem::path> candidates;
    if (const char* env = std::getenv("FROTHWICK_DATA_DIR"); env != nullptr && *env != 0)
    {
        candidates.emplace_back(env);
    }
    candidates.emplace_back(FROTHWICK_BENCH_DATA_DIR);
    candidates.emplace_back(FROTHWICK_MAIN_DATA_DIR);
    for (const auto& dir : candidates)
    {
        if (!std::filesystem::exists(dir / "properties" / "resources.xml"))
        {
            continue;
        }
        std::filesystem::current_path(dir);
        art.dir = dir;
        art.services = std::make_unique<ArtServices>();
        art.manager = std::make_unique<Framework::ResourceManager>(art.services.get());
        if (!art.manager->ReadManifest("properties/resources.xml"))
        {
            return false;
        }
        for (const char* group : {"Init", "LoadScreen", "Media", "Game"})
        {
            if (!art.manager->LoadGroup(group))
            {
                return false;
            }
        }
        Framework::ResourceManager& manager = *art.manager;
#define FROTHWICK_BENCH_BIND(kind, name) Fetch(manager, #name, name);
        try
        {
            FROTHWICK_INIT_RESOURCES(FROTHWICK_BENCH_BIND)
            FROTHWICK_LOADSCREEN_RESOURCES(FROTHWICK_BENCH_BIND)
            FROTHWICK_MEDIA_RESOURCES(FROTHWICK_BENCH_BIND)
            FROTHWICK_GAME_RESOURCES(FROTHWICK_BENCH_BIND)
        }
        catch (const Framework::ResourceManagerException&)
        {
            return false;
        }
#undef FROTHWICK_BENCH_BIND
        return true;
    }
    return false;
}

} // namespace Bench
