// The high-score dialog with the generated art, beside a memcpy of the
// 800 x 600 screen's 1.92 MB in the same run:
//   - the whole game screen (the world's background, the play field with
//     its side panel, the title bar) drawn with the dialog open over the
//     field, ten places filled, each with a shipped avatar stretched into
//     80 x 80;
//   - a tab press: the tab's ten places copied from the tables and their
//     pictures loaded again (three different avatars among the ten).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/BenchArt.h"
#include "bench/support/BenchPlayHost.h"
#include "bench/support/BenchReference.h"
#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "external/timer/TimeManager.h"
#include "framework/app/AppBase.h"
#include "framework/app/ResourceManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImageCache.h"
#include "framework/widgets/WidgetManager.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/GameAreaWidget.h"
#include "src/profiles/PlayerProfiles.h"
#include "src/records/HighScoreTables.h"
#include "src/screens/common/PauseHolds.h"
#include "src/screens/dialogs/GameDialogHost.h"
#include "src/screens/dialogs/HighScoreDialog.h"
#include "src/screens/dialogs/PlayFieldControls.h"
#include "src/screens/game/GameDialogs.h"

namespace
{

class BenchHost final : public GameDialogHost
{
public:
    Framework::AppBase app;
    Bench::PlayHostStub play;
    PlayerProfiles profiles;
    HighScoreTables tables;
    PauseHolds holds{[this](bool on) { play.state.paused = on; }};

    Framework::AppBase& Application() override { return app; }
    PlayerProfiles& Profiles() override { return profiles; }
    bool AddPlayer(const PlayerRecord&) override { return false; }
    void SetCurrentPlayer(const PlayerRecord&) override {}
    void ReloadAvatarImage() override {}
    void ShowWarning(int32_t) override {}
    void ShowPanel(int32_t, bool) override {}
    int32_t ShownPanel() override { return -1; }
    void ShowCreatePlayer() override {}
    void BeginQuit() override {}
    void SetPaused(bool on) override { play.state.paused = on; }
    PauseHolds* GamePauses() override { return &holds; }
    void PlaySound(int32_t) override {}
    void SetCursor(int32_t) override {}
    PlayHost& Play() override { return play; }
    void PlayStageMusic(int32_t) override {}
    void ShowMainMenu(int32_t, bool) override {}
    void ShowExitDialog() override {}
    HighScoreTables& HighScores() override { return tables; }
};

class NoField final : public PlayFieldControls
{
public:
    void ClearGrid() override {}
    void LoadStageFile(int32_t) override {}
    void GenerateStage(int32_t) override {}
    void PrepareShots() override {}
    void SetShowGoal(bool) override {}
    void SetShowShine(bool) override {}
    void SetPushDownPending(bool) override {}
    void ClearSunkDrops() override {}
    void AddFadeIn() override {}
};

// Ten places in every table, three shipped avatars among them.
void FillTables(HighScoreTables& tables)
{
    const std::vector<std::string> avatars = PlayerProfiles::GetAvatarFiles(std::filesystem::current_path());
    for (HighScoreTable& table : tables.tables)
        for (size_t place = 0; place < table.size(); ++place)
        {
            const std::string avatar = avatars.empty() ? "" : avatars[place % std::min<size_t>(3, avatars.size())];
            table[place] = HighScoreEntry::Make(int32_t(99000 - place * 7919), "Player " + std::to_string(place),
                                                avatar, int32_t(place));
        }
}

// The game screen's backdrop: the world's background under the field.
class Backdrop : public Framework::Widget
{
public:
    void Draw(Framework::Graphics* g) override { g->DrawImage(IMAGE_BG_FIRE, 0, 0); }
};

struct Screen
{
    Screen()
    {
        TimeManager::Instance()->Init();
        screen.Allocate(SCREEN_WIDTH, SCREEN_HEIGHT);
        manager.width = SCREEN_WIDTH;
        manager.height = SCREEN_HEIGHT;
        manager.screenImage = &screen;
        host.play.state.world = Game::WorldFire;
        host.play.state.difficulty = Game::Hard;
        FillTables(host.tables);
        board.Resize(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        field = std::make_shared<GameAreaWidget>(host.play, false);
        field->Move(15, 37);
        board.AddWidget(field.get());
        manager.AddWidget(&board);
        dialogs = std::make_unique<GameDialogs>(host, board, *field, noField);
        host.holds.Begin();
        dialogs->ShowHighScores(7, true);
        dialog = dialogs->highScoreDialog.get();
    }
    ~Screen()
    {
        manager.RemoveAllChildren();
        dialogs.reset();
        board.RemoveAllChildren();
        field.reset();
        SpriteAnimationManager::Release();
        Lumora::ParticleSystemManager::Release();
        Lumora::EffectManager::Release();
        TimeManager::Instance()->Fini();
    }

    BenchHost host;
    NoField noField;
    Framework::MemoryImage screen;
    Framework::WidgetManager manager;
    Backdrop board;
    std::shared_ptr<GameAreaWidget> field;
    std::unique_ptr<GameDialogs> dialogs;
    HighScoreDialog* dialog = nullptr;
};

void BM_GameScreenWithHighScores(benchmark::State& state)
{
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    {
        Screen s;
        for (auto _ : state)
        {
            s.board.MarkSubtreeDirty();
            s.manager.RunDrawPass();
            benchmark::DoNotOptimize(s.screen.GetPixels());
            benchmark::ClobberMemory();
        }
    }
    ResetResourceVariables();
}
BENCHMARK(BM_GameScreenWithHighScores)->Unit(benchmark::kMicrosecond);

void BM_HighScoreTabPress(benchmark::State& state)
{
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    {
        Screen s;
        int32_t tab = 0;
        for (auto _ : state)
        {
            s.dialog->SelectTab(tab);
            tab = (tab + 1) % 4;
            benchmark::DoNotOptimize(s.dialog->entryImages.data());
        }
        int32_t pictures = 0;
        for (const auto& image : s.dialog->entryImages)
            pictures += image ? 1 : 0;
        state.counters["pictures"] = pictures;
    }
    ResetResourceVariables();
}
BENCHMARK(BM_HighScoreTabPress)->Unit(benchmark::kMicrosecond);

BENCHMARK(Bench::ReferenceMemcpyScreen)->Unit(benchmark::kMicrosecond);

} // namespace
