#include "src/screens/players/PlayerSelector.h"

#include <string>

#include "framework/app/AppBase.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/profiles/PlayerProfiles.h"
#include "src/screens/players/PlayerScreenHost.h"

PlayerSelector::PlayerSelector(PlayerScreenHost& screenHost)
    : FeedbackButtonListener(screenHost, ButtonFeedback::Style::SoundThenHand), host(screenHost)
{
    Resize(219, 362, 370, 142);
    startButton = MakeStripButton(this, StartId, this, IMAGE_START, 103, 88, 122, 30, false);
    createButton = MakeStripButton(this, CreateId, this, IMAGE_CREAT, 227, 88, 122, 30, false);
    leftButton = MakeStripButton(this, LeftId, this, IMAGE_PAGE_LEFT, 172, 65, 14, 18, true);
    rightButton = MakeStripButton(this, RightId, this, IMAGE_PAGE_RIGHT, 339, 65, 14, 18, true);
    LoadAvatar();
}

PlayerSelector::~PlayerSelector()
{
    RemoveAllChildren();
}

void PlayerSelector::SelectIndex(int32_t n)
{
    index = n;
    LoadAvatar();
}

const PlayerRecord* PlayerSelector::ShownPlayer()
{
    const std::vector<PlayerRecord>& players = host.Profiles().players;
    if (index < 0 || static_cast<std::size_t>(index) >= players.size())
    {
        return nullptr;
    }
    return &players[static_cast<std::size_t>(index)];
}

void PlayerSelector::LoadAvatar()
{
    avatarImage.reset();
    if (const PlayerRecord* player = ShownPlayer())
    {
        avatarImage =
            host.Application().LoadImageFile(Game::AvatarFile(player->GetAvatarPath()).string(), true);
    }
    MarkDirty();
}

void PlayerSelector::Draw(Framework::Graphics* g)
{
    g->DrawImage(IMAGE_LOGIN_UI, 0, 0);
    const PlayerRecord* player = ShownPlayer();
    if (host.ShownPanel() == 0 && player != nullptr)
    {
        g->DrawStretched(avatarImage.get(), 15, 42, 80, 80);
        if (Framework::Font* font = nameFont.Get(FONT_VERDANA10BOLD))
        {
            const std::string name = player->GetName();
            g->SetFont(font);
            g->SetColor(Framework::Color(255, 255, 255, 255));
            g->DrawString(name, 261 - font->TextWidth(name) / 2, 77);
        }
    }
    g->DrawImage(IMAGE_AVATAR_FRAME, 15, 42);
}

void PlayerSelector::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case StartId:
            Start();
            break;
        case CreateId:
            host.ShowCreatePlayer();
            break;
        case LeftId:
            Step(-1);
            break;
        case RightId:
            Step(1);
            break;
        default:
            break;
    }
}

void PlayerSelector::Start()
{
    const std::size_t count = host.Profiles().players.size();
    if (count == 0)
    {
        host.ShowWarning(2);
        return;
    }
    if (ShownPlayer() == nullptr)
    {
        SelectIndex(static_cast<int32_t>(count) - 1);
    }
    const PlayerRecord* player = ShownPlayer();
    // SetCurrentPlayer takes the record out of the list it lives in.
    const PlayerRecord chosen = *player;
    host.ShowPanel(1, false);
    host.SetCurrentPlayer(chosen);
    host.ReloadAvatarImage();
}

void PlayerSelector::Step(int32_t delta)
{
    const auto count = static_cast<int32_t>(host.Profiles().players.size());
    if (count == 0)
    {
        return;
    }
    const int32_t from = index < count ? index : count - 1;
    SelectIndex(((from + delta) % count + count) % count);
}
