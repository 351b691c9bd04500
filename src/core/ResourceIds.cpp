#include "src/core/ResourceIds.h"

#include <cstring>
#include <iterator>

#define FROTHWICK_DEFINE_RESOURCE(kind, name) kind##_VARIABLE_TYPE name{};
FROTHWICK_INIT_RESOURCES(FROTHWICK_DEFINE_RESOURCE)
FROTHWICK_LOADSCREEN_RESOURCES(FROTHWICK_DEFINE_RESOURCE)
FROTHWICK_MEDIA_RESOURCES(FROTHWICK_DEFINE_RESOURCE)
FROTHWICK_GAME_RESOURCES(FROTHWICK_DEFINE_RESOURCE)

namespace
{

#define FROTHWICK_RESOURCE_NAME(kind, name) #name,
const char* const initIds[] = {FROTHWICK_INIT_RESOURCES(FROTHWICK_RESOURCE_NAME)};
const char* const loadScreenIds[] = {FROTHWICK_LOADSCREEN_RESOURCES(FROTHWICK_RESOURCE_NAME)};
const char* const mediaIds[] = {FROTHWICK_MEDIA_RESOURCES(FROTHWICK_RESOURCE_NAME)};
const char* const gameIds[] = {FROTHWICK_GAME_RESOURCES(FROTHWICK_RESOURCE_NAME)};

} // namespace

#define FROTHWICK_RESET_RESOURCE(kind, name) name = {};
void ResetResourceVariables()
{
    FROTHWICK_INIT_RESOURCES(FROTHWICK_RESET_RESOURCE)
    FROTHWICK_LOADSCREEN_RESOURCES(FROTHWICK_RESET_RESOURCE)
    FROTHWICK_MEDIA_RESOURCES(FROTHWICK_RESET_RESOURCE)
    FROTHWICK_GAME_RESOURCES(FROTHWICK_RESET_RESOURCE)
}

const char* const* ResourceGroupIds(const char* group, int32_t& count)
{
    struct Entry
    {
        const char* name;
        const char* const* ids;
        int32_t count;
    };
    static const Entry groups[] = {
        {"Init", initIds, int32_t(std::size(initIds))},
        {"LoadScreen", loadScreenIds, int32_t(std::size(loadScreenIds))},
        {"Media", mediaIds, int32_t(std::size(mediaIds))},
        {"Game", gameIds, int32_t(std::size(gameIds))},
    };
    for (const Entry& e : groups)
    {
        if (std::strcmp(e.name, group) == 0)
        {
            count = e.count;
            return e.ids;
        }
    }
    count = 0;
    return nullptr;
}
