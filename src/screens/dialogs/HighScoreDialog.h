// HighScoreDialog: one of the twelve ten-place high-score tables, 700 x 555
// (its picture's size) with draw priority 4, placed by the play field at
// (45, 0). Four tabs choose the table of the shown mode: the difficulty in
// arcade and time attack, the world in the quest (air, fire, water, earth).
// Each filled place shows its avatar stretched into 80 x 80 with the frame,
// the name (Chinese names through the name font), the score in the score
// digits and, in the quest, the stage reached; empty places (score 0 or
// less) draw nothing. A place just won is marked until a tab is chosen or
// BACK is pressed.
//
// While viewing during play only BACK shows; at the end of a game BACK TO
// MAIN MENU with CONTINUE (quest, or a won game) or TRY AGAIN, which start
// the next or the same stage through the play field's building blocks.
// Modal while open, holding the game paused.
//
// The dialog copies the shown table and owns the places' pictures (places
// with the same avatar path share one). Built once per game screen; the
// host and the field outlive it. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/graphics/Rect.h"
#include "src/core/GameTypes.h"
#include "src/records/HighScoreTables.h"
#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"
#include "src/screens/common/NameFont.h"

namespace Framework
{
class ButtonWidget;
class DDImage;
} // namespace Framework

class GameDialogHost;
class PlayFieldControls;

class HighScoreDialog : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        BackId = 0,
        TryAgainId = 1,
        ContinueId = 2,
        BackToMainMenuId = 3,
    };
    enum Variant : int32_t
    {
        Viewing = 0,
        GameEnd = 1,
    };
    static constexpr std::array<int32_t, 4> TabX = {127, 235, 344, 452};
    static constexpr int32_t TabY = 58;
    static constexpr int32_t TabSize = 25;

    HighScoreDialog(GameDialogHost& dialogHost, PlayFieldControls& playField);
    ~HighScoreDialog() override;

    // Viewing: BACK only. GameEnd: BACK TO MAIN MENU, and CONTINUE when the
    // game mode is the quest or the stage was won, else TRY AGAIN.
    void SetButtons(int32_t variant);
    // Copies the table, the mode its tables belong to and the place to
    // mark (-1 for none); the tab follows the game's difficulty (arcade,
    // time) or world (quest); the pictures are loaded again.
    void SetData(const HighScoreTable& table, int32_t mode, int32_t newRecordPlace);
    // The tab's table of the shown mode, the mark cleared.
    void SelectTab(int32_t newTab);
    // As the play field opens it: modal on the field, the buttons, the
    // current mode's table with the place to mark, the game paused.
    // Nothing while it is open.
    void Open(Framework::WidgetContainer* field, int32_t variant, int32_t newRecordPlace);
    bool IsOpen() const { return parent != nullptr; }

    // The tab of a quest world (air 0, fire 1, water 2, earth 3); 0 for
    // another world.
    static int32_t QuestTab(int32_t world);
    static int32_t QuestWorld(int32_t questTab);

    void Draw(Framework::Graphics* g) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t clickCount) override;
    using CommonBkgdWidget::MouseDown;
    void ButtonClicked(int32_t id) override;

    HighScoreTable entries{};
    std::array<std::shared_ptr<Framework::DDImage>, 10> entryImages;
    int32_t tableMode = Game::ModeArcade;
    int32_t tab = 0;
    int32_t newRecord = -1;
    std::array<Framework::Rect, 4> tabRects;

    Framework::ButtonWidget* backButton = nullptr;
    Framework::ButtonWidget* tryAgainButton = nullptr;
    Framework::ButtonWidget* continueButton = nullptr;
    Framework::ButtonWidget* backToMainMenuButton = nullptr;

private:
    void ReloadImages();
    void Show(Framework::ButtonWidget* button, bool shown);
    void ContinueGame();
    void TryAgain();
    void Close();

    GameDialogHost& host;
    PlayFieldControls& field;
    NameFontCache nameFont;
};
