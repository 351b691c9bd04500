// Board: the game screen, one per game (GameApp::StartGame makes a new one).
// It holds the play field, its child at (15, 37), built with the board (a
// quest field in the quest mode), shows the world's background once told
// the world, and comes out of black: the fade starts at 255 and loses 3 per
// smooth update (85 updates), drawn as an overlay of priority 2, under the
// play field's animations (priority 3). Its smooth update is the one place
// the timer's due tasks run (the time mode's push-down).
//
// The board makes the play field's change-mode dialog with the menus'
// host, when it has one, and, once given the dialogs' host (MakeDialogs),
// the title bar, the pause overlay and the in-game dialogs (GameDialogs),
// which the field then opens through its side panel and at stage ends.
// The hosts outlive the board. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/widgets/Widget.h"

namespace Framework
{
class Image;
}

class ChangeModeDialog;
class FieldControls;
class GameAreaWidget;
class GameDialogHost;
class GameDialogs;
class MenuHost;
class PlayHost;

class Board : public Framework::Widget
{
public:
    static constexpr int32_t FadeStep = 3;

    // menus: the host of the change-mode dialog; null makes none.
    Board(PlayHost& application, MenuHost* menus);
    ~Board() override;

    // world: 1 water, 2 fire, 3 earth, 4 air; any other leaves the
    // background as it was.
    void ShowWorldBackground(int32_t world);
    // The background of a world, null for a world outside 1 to 4 or before
    // the images are bound.
    static Framework::Image* WorldBackground(int32_t world);

    // The title bar, the overlay and the dialogs, made once; the field's
    // side panel opens them from then on.
    void MakeDialogs(GameDialogHost& dialogHost);
    // The pause overlay over the board, the PAUSE button hidden until
    // RESUME; nothing before MakeDialogs.
    void ShowOverlay();
    GameDialogs* GetDialogs() const { return dialogs.get(); }
    ChangeModeDialog* GetChangeModeDialog() const { return changeModeDialog.get(); }

    void UpdateSmooth(double fraction) override;
    void Draw(Framework::Graphics* g) override;
    void DrawOverlay(Framework::Graphics* g) override;

    const std::shared_ptr<GameAreaWidget>& GetPlayField() const { return playField; }
    Framework::Image* GetBackground() const { return background; }
    int32_t GetFade() const { return fade; }

protected:
    PlayHost& app;
    std::shared_ptr<GameAreaWidget> playField;
    std::shared_ptr<ChangeModeDialog> changeModeDialog;
    std::unique_ptr<FieldControls> fieldControls;
    // Goes before the field and the controls it uses.
    std::unique_ptr<GameDialogs> dialogs;
    Framework::Image* background = nullptr;
    int32_t fade = 255;
};
