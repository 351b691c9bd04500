// PlayerSelector: the first panel of the menu, 370 x 142 at (219, 362) on the
// menu background. It shows one stored player (avatar and name) with arrows
// to page through the list, START to play as that player and CREATE to open
// the create-player dialog.
//
// index is the shown player's position in the host's player list and is
// kept across visits; it may point past the end after the list shrank, so
// every use of it is checked. avatarImage is owned (null without a player or
// when the picture cannot be loaded); the button images are the resource
// manager's. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/widgets/Widget.h"
#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/NameFont.h"

namespace Framework
{
class ButtonWidget;
class DDImage;
} // namespace Framework

class PlayerScreenHost;
struct PlayerRecord;

class PlayerSelector : public Framework::Widget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        StartId = 0,
        CreateId = 1,
        LeftId = 2,
        RightId = 3,
    };

    explicit PlayerSelector(PlayerScreenHost& screenHost);
    ~PlayerSelector() override;

    // Shows the player at position n and reloads the avatar.
    void SelectIndex(int32_t n);
    // The shown player; null when the list has none at index.
    const PlayerRecord* ShownPlayer();
    void LoadAvatar();

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    int32_t index = 0;
    std::unique_ptr<Framework::DDImage> avatarImage;
    NameFontCache nameFont;
    std::shared_ptr<Framework::ButtonWidget> startButton;
    std::shared_ptr<Framework::ButtonWidget> createButton;
    std::shared_ptr<Framework::ButtonWidget> leftButton;
    std::shared_ptr<Framework::ButtonWidget> rightButton;

private:
    void Start();
    void Step(int32_t delta);

    PlayerScreenHost& host;
};
