#include "src/app/ResourceBinding.h"

#include "framework/app/ResourceManager.h"
#include "src/core/ResourceIds.h"

namespace
{

void Fetch(Framework::ResourceManager& manager, const char* id, Framework::Image*& variable)
{
    variable = manager.RequireImage(id).get();
}

void Fetch(Framework::ResourceManager& manager, const char* id, Framework::Font*& variable)
{
    variable = manager.RequireFont(id);
}

void Fetch(Framework::ResourceManager& manager, const char* id, int32_t& variable)
{
    variable = manager.RequireSound(id);
}

// The manager keeps every loaded image until its group is freed, so the
// variables can reference them without holding a share.
#define FROTHWICK_BIND_RESOURCE(kind, name) Fetch(manager, #name, name);

template <class Body> bool BindAll(Body body)
{
    try
    {
        body();
        return true;
    }
    catch (const Framework::ResourceManagerException&)
    {
        return false;
    }
}

} // namespace

bool BindInitResources(Framework::ResourceManager& manager)
{
    return BindAll([&] { FROTHWICK_INIT_RESOURCES(FROTHWICK_BIND_RESOURCE) });
}

bool BindLoadScreenResources(Framework::ResourceManager& manager)
{
    return BindAll([&] { FROTHWICK_LOADSCREEN_RESOURCES(FROTHWICK_BIND_RESOURCE) });
}

bool BindMediaResources(Framework::ResourceManager& manager)
{
    return BindAll([&] { FROTHWICK_MEDIA_RESOURCES(FROTHWICK_BIND_RESOURCE) });
}

bool BindGameResources(Framework::ResourceManager& manager)
{
    return BindAll([&] { FROTHWICK_GAME_RESOURCES(FROTHWICK_BIND_RESOURCE) });
}
