#include "src/screens/players/AvatarPicker.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "framework/app/AppBase.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/profiles/PlayerProfiles.h"
#include "src/screens/players/AvatarBrowser.h"

AvatarPicker::AvatarPicker(Framework::AppBase& application, Framework::Widget& ownerWidget)
    : app(application), owner(ownerWidget), browser(std::make_unique<AvatarBrowser>(application))
{
}

AvatarPicker::~AvatarPicker() = default;

void AvatarPicker::Reset()
{
    avatarIndex = 0;
    std::error_code error;
    avatarPaths = PlayerProfiles::GetAvatarFiles(Game::UserDataDir(), std::filesystem::current_path(error));
    LoadAvatar();
}

void AvatarPicker::ResetTo(const std::string& path)
{
    avatarIndex = 0;
    std::error_code error;
    avatarPaths = PlayerProfiles::GetAvatarFiles(Game::UserDataDir(), std::filesystem::current_path(error));
    const auto last = std::find(avatarPaths.rbegin(), avatarPaths.rend(), path);
    if (last != avatarPaths.rend())
    {
        avatarIndex = static_cast<int32_t>(avatarPaths.rend() - last) - 1;
    }
    LoadAvatar();
}

void AvatarPicker::Step(int32_t delta)
{
    const auto count = static_cast<int32_t>(avatarPaths.size());
    if (count == 0)
    {
        return;
    }
    avatarIndex = ((avatarIndex + delta) % count + count) % count;
    LoadAvatar();
}

void AvatarPicker::Browse()
{
    if (!browser)
    {
        return;
    }
    std::string storedPath;
    if (browser->Browse(storedPath) != AvatarBrowser::Result::Imported)
    {
        return;
    }
    // A picture of a name already listed replaced that one: it is chosen,
    // not listed twice.
    const auto listed = std::find(avatarPaths.begin(), avatarPaths.end(), storedPath);
    if (listed == avatarPaths.end())
    {
        avatarPaths.push_back(storedPath);
        avatarIndex = static_cast<int32_t>(avatarPaths.size()) - 1;
    }
    else
    {
        avatarIndex = static_cast<int32_t>(listed - avatarPaths.begin());
    }
    LoadAvatar();
}

void AvatarPicker::LoadAvatar()
{
    avatarImage.reset();
    if (const std::string* path = ChosenPath())
    {
        avatarImage = app.LoadImageFile(Game::AvatarFile(*path).string(), true);
    }
    owner.MarkDirty();
}

const std::string* AvatarPicker::ChosenPath() const
{
    if (avatarIndex < 0 || static_cast<std::size_t>(avatarIndex) >= avatarPaths.size())
    {
        return nullptr;
    }
    return &avatarPaths[static_cast<std::size_t>(avatarIndex)];
}

void AvatarPicker::Draw(Framework::Graphics* g, int32_t x, int32_t y) const
{
    g->DrawStretched(avatarImage.get(), x, y, 80, 80);
    g->DrawImage(IMAGE_AVATAR_FRAME, x, y);
}

void AvatarPicker::SetBrowser(std::unique_ptr<AvatarBrowser> newBrowser)
{
    browser = std::move(newBrowser);
}
