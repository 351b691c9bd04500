#include "src/screens/dialogs/HighScoreDialog.h"

#include <map>
#include <string>

#include "framework/app/AppBase.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/screens/dialogs/GameDialogHost.h"
#include "src/screens/dialogs/PlayFieldControls.h"
#include "src/screens/dialogs/StageRestart.h"

namespace
{
// Quest tabs in order: air, fire, water, earth.
constexpr int32_t kQuestWorlds[4] = {Game::WorldAir, Game::WorldFire, Game::WorldWater, Game::WorldEarth};
} // namespace

HighScoreDialog::HighScoreDialog(GameDialogHost& dialogHost, PlayFieldControls& playField)
    : CommonBkgdWidget(IMAGE_HIGHSCORE), FeedbackButtonListener(dialogHost, ButtonFeedback::Style::SoundThenHand),
      host(dialogHost), field(playField)
{
    drawPriority = 4;
    Move(45, 0);
    for (size_t i = 0; i < tabRects.size(); ++i)
    {
        tabRects[i] = Framework::Rect(TabX[i], TabY, TabSize, TabSize);
    }
    backButton = AddImageButton(BackId, this, IMAGE_BUTTON_BACK, 40, 16, 3, 318, 530);
    tryAgainButton = AddImageButton(TryAgainId, this, IMAGE_TRY_AGAIN, 102, 27, 4, 210, 523);
    continueButton = AddImageButton(ContinueId, this, IMAGE_HIGHSCORE_CONTINUE, 102, 27, 4, 210, 523);
    backToMainMenuButton = AddImageButton(BackToMainMenuId, this, IMAGE_BACK_TO_MAINMENU, 191, 27, 4, 324, 523);
    SetButtons(Viewing);
}

HighScoreDialog::~HighScoreDialog()
{
    RemoveAllChildren();
}

void HighScoreDialog::Show(Framework::ButtonWidget* button, bool shown)
{
    const bool isChild = HasWidget(button);
    if (shown && !isChild)
    {
        AddWidget(button);
    }
    else if (!shown && isChild)
    {
        RemoveWidget(button);
    }
}

void HighScoreDialog::SetButtons(int32_t variant)
{
    if (variant == GameEnd)
    {
        const PlayState& state = host.Play().State();
        const bool continues = state.IsQuest() || state.lastStageWon;
        Show(backButton, false);
        Show(backToMainMenuButton, true);
        Show(continueButton, continues);
        Show(tryAgainButton, !continues);
    }
    else
    {
        Show(backButton, true);
        Show(tryAgainButton, false);
        Show(continueButton, false);
        Show(backToMainMenuButton, false);
    }
    MarkDirty();
}

int32_t HighScoreDialog::QuestTab(int32_t world)
{
    for (int32_t i = 0; i < 4; ++i)
    {
        if (kQuestWorlds[i] == world)
        {
            return i;
        }
    }
    return 0;
}

int32_t HighScoreDialog::QuestWorld(int32_t questTab)
{
    return questTab >= 0 && questTab < 4 ? kQuestWorlds[questTab] : 0;
}

void HighScoreDialog::SetData(const HighScoreTable& table, int32_t mode, int32_t newRecordPlace)
{
    entries = table;
    tableMode = mode;
    newRecord = newRecordPlace;
    const PlayState& state = host.Play().State();
    tab = mode == Game::ModeQuest ? QuestTab(state.world) : state.difficulty;
    ReloadImages();
    MarkDirty();
}

void HighScoreDialog::SelectTab(int32_t newTab)
{
    if (newTab < 0 || newTab > 3)
    {
        return;
    }
    tab = newTab;
    newRecord = -1;
    const bool quest = tableMode == Game::ModeQuest;
    entries = host.HighScores().CurrentTable(tableMode, quest ? 0 : tab, quest ? QuestWorld(tab) : 0);
    ReloadImages();
    MarkDirty();
}

void HighScoreDialog::ReloadImages()
{
    // One picture per path: a player with several places loads once.
    std::map<std::string, std::shared_ptr<Framework::DDImage>> loaded;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        entryImages[i].reset();
        if (entries[i].score <= 0)
        {
            continue;
        }
        const std::string path = entries[i].GetAvatar();
        if (path.empty())
        {
            continue;
        }
        auto found = loaded.find(path);
        if (found == loaded.end())
        {
            std::shared_ptr<Framework::DDImage> image =
                host.Application().LoadImageFile(Game::AvatarFile(path).string(), true);
            found = loaded.emplace(path, std::move(image)).first;
        }
        entryImages[i] = found->second;
    }
}

void HighScoreDialog::Open(Framework::WidgetContainer* fieldWidget, int32_t variant, int32_t newRecordPlace)
{
    if (fieldWidget == nullptr || parent != nullptr)
    {
        return;
    }
    Framework::WidgetManager* widgets = host.Application().widgetManager.get();
    fieldWidget->AddWidget(this);
    if (widgets != nullptr)
    {
        widgets->PushModal(this);
    }
    SetButtons(variant);
    const PlayState& state = host.Play().State();
    SetData(host.HighScores().CurrentTable(state.mode, state.difficulty, state.world), state.mode, newRecordPlace);
    host.HoldGame(this);
}

void HighScoreDialog::Draw(Framework::Graphics* g)
{
    CommonBkgdWidget::Draw(g);
    if (tableMode == Game::ModeQuest)
    {
        g->DrawImage(IMAGE_HIGHSCORE_WORLD, 125, 56);
    }
    else
    {
        g->DrawImage(IMAGE_HIGHSCORE_DIFF, 147, 59);
    }
    if (tab >= 0 && tab < 4)
    {
        g->DrawImage(IMAGE_FULLMARK, tabRects[size_t(tab)].x + 7, tabRects[size_t(tab)].y + 7);
    }
    Framework::Font* font = nameFont.Get(FONT_VERDANA10BOLD);
    for (int32_t place = 0; place < 10; ++place)
    {
        const HighScoreEntry& entry = entries[size_t(place)];
        if (entry.score <= 0)
        {
            continue;
        }
        const int32_t x0 = place < 5 ? 145 : 475;
        const int32_t y0 = 140 + 88 * (place % 5);
        g->DrawStretched(entryImages[size_t(place)].get(), x0 - 85, y0 - 50, 80, 80);
        g->DrawImage(IMAGE_AVATAR_FRAME, x0 - 85, y0 - 50);
        if (font != nullptr)
        {
            g->SetFont(font);
            g->SetColor(Framework::Color(255, 255, 255, 255));
            g->DrawString(entry.GetName(), x0, y0 - 30);
            if (tableMode == Game::ModeQuest)
            {
                g->DrawString("Stage - " + std::to_string(entry.stage + 1), x0, y0 - 10);
            }
        }
        DrawNumberStrip(g, entry.score, x0, y0, IMAGE_NUMBER_SCORE, 0);
    }
    if (newRecord >= 0 && newRecord <= 9)
    {
        g->DrawImage(IMAGE_HIGHSCORE_NEWRECORD, (newRecord / 5) * 330 + 12, (newRecord % 5) * 88 + 90);
    }
}

void HighScoreDialog::MouseDown(int32_t localX, int32_t localY, int32_t clickCount)
{
    CommonBkgdWidget::MouseDown(localX, localY, clickCount);
    for (int32_t i = 0; i < 4; ++i)
    {
        const Framework::Rect& r = tabRects[size_t(i)];
        // Strictly inside: a press on the border chooses nothing.
        if (localX > r.x && localX < r.x + r.width && localY > r.y && localY < r.y + r.height)
        {
            SelectTab(i);
            return;
        }
    }
}

void HighScoreDialog::ContinueGame()
{
    PlayHost& play = host.Play();
    PlayState& state = play.State();
    if (state.IsQuest())
    {
        field.ClearGrid();
        field.SetShowShine(true);
        if (state.lastStageWon)
        {
            play.StageReached(state.stageId + 1);
            state.stageCounter += 1;
        }
        else
        {
            play.StageReached(state.stageId);
        }
        field.LoadStageFile(state.stageId);
        field.SetShowGoal(true);
    }
    else
    {
        state.stageCounter += 1;
        host.PlayStageMusic(-1);
        field.ClearGrid();
        field.GenerateStage(state.world);
        field.SetPushDownPending(false);
    }
    field.AddFadeIn();
    play.ResetStage();
    field.PrepareShots();
    field.ClearSunkDrops();
    field.SetPushDownPending(false);
    host.PlayStageMusic(-1);
    play.TraceStageStart();
}

void HighScoreDialog::TryAgain()
{
    RestartStage(host, field);
}

void HighScoreDialog::Close()
{
    host.ReleaseGame(this);
    if (Framework::WidgetManager* widgets = host.Application().widgetManager.get())
    {
        widgets->PopModal(this);
    }
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

void HighScoreDialog::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case BackId:
            newRecord = -1;
            Close();
            return;
        case ContinueId:
            ContinueGame();
            break;
        case TryAgainId:
            TryAgain();
            break;
        case BackToMainMenuId:
            host.ShowMainMenu(Panels::MainMenu, true);
            break;
        default:
            return;
    }
    host.Play().ResetStage();
    field.ClearSunkDrops();
    Close();
}
