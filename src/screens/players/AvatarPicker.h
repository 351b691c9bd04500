// AvatarPicker: choosing a player's picture, shared by the create-player and
// the settings dialogs -- the avatar list read from disk (the user's
// imported pictures and the shipped ones), the chosen entry, its picture,
// the arrows' stepping and BROWSE's import (AvatarBrowser, which switches a
// full-screen game to a window first). The dialogs keep their own buttons
// and call in; the picker draws the picture stretched into 80 x 80 with the
// frame over it.
//
// avatarImage is owned (null when the entry's picture cannot be loaded or
// the list is empty); the owner is marked dirty whenever the picture
// changes. The owner and the application outlive the picker. Main thread
// only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Framework
{
class AppBase;
class DDImage;
class Graphics;
class Widget;
} // namespace Framework

class AvatarBrowser;

class AvatarPicker
{
public:
    AvatarPicker(Framework::AppBase& application, Framework::Widget& ownerWidget);
    ~AvatarPicker();
    AvatarPicker(const AvatarPicker&) = delete;
    AvatarPicker& operator=(const AvatarPicker&) = delete;

    // The list read again from disk, its first entry chosen.
    void Reset();
    // Reset, then the last entry equal to path (byte for byte) chosen; the
    // first when none is.
    void ResetTo(const std::string& path);
    // The previous (-1) or next (+1) entry, wrapping; nothing on an empty
    // list.
    void Step(int32_t delta);
    // Imports a picture and chooses it; an imported name already listed is
    // chosen, not listed twice. Nothing changes when the import fails.
    void Browse();
    void LoadAvatar();
    // The chosen entry; null when the list is empty.
    const std::string* ChosenPath() const;

    // The picture stretched into (x, y, 80, 80), then IMAGE_AVATAR_FRAME at
    // (x, y).
    void Draw(Framework::Graphics* g, int32_t x, int32_t y) const;

    // Replaces the picture importer (tests give a scripted one).
    void SetBrowser(std::unique_ptr<AvatarBrowser> newBrowser);
    AvatarBrowser* GetBrowser() const { return browser.get(); }

    std::vector<std::string> avatarPaths;
    int32_t avatarIndex = 0;
    std::unique_ptr<Framework::DDImage> avatarImage;

private:
    Framework::AppBase& app;
    Framework::Widget& owner;
    std::unique_ptr<AvatarBrowser> browser;
};
