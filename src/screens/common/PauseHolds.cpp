#include "src/screens/common/PauseHolds.h"

#include <algorithm>
#include <utility>

PauseHolds::PauseHolds(std::function<void(bool)> applyPaused) : apply(std::move(applyPaused)) {}

void PauseHolds::Begin()
{
    holders.clear();
    inGame = true;
    apply(false);
}

void PauseHolds::End()
{
    holders.clear();
    inGame = false;
    apply(false);
}

void PauseHolds::Hold(const void* holder)
{
    if (!inGame)
    {
        return;
    }
    if (!IsHeldBy(holder))
    {
        holders.push_back(holder);
    }
    apply(true);
}

void PauseHolds::Release(const void* holder)
{
    const auto found = std::find(holders.begin(), holders.end(), holder);
    if (found == holders.end())
    {
        return;
    }
    holders.erase(found);
    if (holders.empty())
    {
        apply(false);
    }
}

void PauseHolds::ReleaseAll()
{
    holders.clear();
    apply(false);
}

bool PauseHolds::IsHeldBy(const void* holder) const
{
    return std::find(holders.begin(), holders.end(), holder) != holders.end();
}
