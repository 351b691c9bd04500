// ResourceBinding: fills the resource variables of src/core/ResourceIds.h
// from the resource manager, group by group. Threads as the variables say:
// "Game" is bound on the loading thread before the main thread reads it.
#pragma once

namespace Framework
{
class ResourceManager;
}

// Each binds its group's variables; false at the first identifier that is
// not defined or not loaded (the manager then holds the error text).
bool BindInitResources(Framework::ResourceManager& manager);
bool BindLoadScreenResources(Framework::ResourceManager& manager);
bool BindMediaResources(Framework::ResourceManager& manager);
bool BindGameResources(Framework::ResourceManager& manager);
