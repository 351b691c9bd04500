// GameApp's stage state: the reset and end of a stage, the stages reached,
// the obstacle counts of generated stages per mode and difficulty, and the
// names and colour counts the modes and difficulties go by.
#include "src/app/GameApp.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "external/util/RuntimeRandom.h"
#include "framework/graphics/TextureFont.h"
#include "src/effects/PlayFieldServices.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/StageEffects.h"
#include "src/play/GameAreaWidget.h"
#include "src/screens/game/Board.h"
#include "src/script/DesignScript.h"

namespace
{

// One obstacle count: rand() % range + base, or base alone when range is 0.
struct CountRule
{
    int32_t range;
    int32_t base;
};

// Obstacle counts of generated stages per mode (arcade, time) and difficulty,
// in the order of ObstacleIndex.
constexpr CountRule obstacleRules[2][4][ObstacleKinds] = {
    {
        {{0, 0}, {3, 1}, {0, 1}, {2, 2}, {2, 3}, {3, 6}, {0, 1}, {2, 2}, {0, 2}, {2, 2}, {0, 1}},
        {{3, 2}, {2, 1}, {0, 2}, {3, 3}, {2, 2}, {3, 4}, {3, 2}, {2, 3}, {2, 3}, {2, 3}, {3, 2}},
        {{2, 6}, {2, 1}, {2, 3}, {3, 3}, {2, 2}, {3, 2}, {3, 3}, {2, 4}, {2, 5}, {2, 5}, {2, 4}},
        {{3, 8}, {2, 1}, {2, 3}, {3, 4}, {2, 2}, {3, 2}, {4, 6}, {2, 5}, {2, 7}, {2, 7}, {2, 5}},
    },
    {
        {{0, 0}, {3, 1}, {0, 0}, {0, 0}, {2, 3}, {3, 6}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 0}},
        {{0, 0}, {2, 1}, {0, 1}, {0, 0}, {2, 2}, {3, 4}, {0, 2}, {0, 1}, {0, 2}, {0, 2}, {0, 0}},
        {{0, 1}, {2, 1}, {0, 1}, {0, 0}, {2, 2}, {3, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 3}, {0, 0}},
        {{0, 2}, {2, 1}, {0, 1}, {0, 0}, {2, 2}, {3, 2}, {0, 2}, {2, 5}, {2, 7}, {0, 3}, {0, 0}},
    },
};

} // namespace

void GameApp::ResetStage()
{
    if (mode == Game::ModeQuest || !lastStageWon)
    {
        score = 0;
        displayedScore = 0;
    }
    StampStageStart();
    windCloudActive = false;
    wallBurst = false;
    stageOver = false;
    shotsUntilPushDown = Game::ShotsPerPushDown;
    if (gameOverEffect)
    {
        gameOverEffect->SetDone(true);
    }
    highScoreRank = -1;
}

void GameApp::StampStageStart()
{
    stageStartMinute = CurrentMinute();
}

void GameApp::EndStage(bool won)
{
    if (stageOver)
    {
        return;
    }
    stageOver = true;
    PlayStageMusic(won ? Songs::LevelComplete : Songs::LevelFailed);
    StopWindLoop();
    windCloudActive = false;

    // The bonus is asked at every end and counts only for a win; the score
    // never drops below 0 (nor wraps past the largest score).
    const int32_t bonus = DesignScript::GetTimeBonus(CurrentMinute() - stageStartMinute);
    if (won)
    {
        score =
            static_cast<int32_t>(std::clamp<int64_t>(int64_t(score) + bonus, 0, std::numeric_limits<int32_t>::max()));
    }
    displayedScore = score;
    lastStageWon = won;

    SpriteAnimationManager& animations = SpriteAnimationManager::Instance();
    if (gameOverEffect)
    {
        animations.Remove(gameOverEffect.get());
    }
    std::weak_ptr<PlayFieldServices> field;
    if (board)
    {
        field = board->GetPlayField();
    }
    gameOverEffect = std::make_shared<GameOverEffect>(*this, field, won);
    animations.Add(gameOverEffect);

    // A lost quest stage enters no table.
    highScoreRank = -1;
    if (score >= 1 && (won || mode != Game::ModeQuest))
    {
        const PlayerRecord& player = profiles.currentPlayer;
        const HighScoreEntry entry =
            HighScoreEntry::Make(score, player.GetName(), player.GetAvatarPath(), stageId % 10000);
        highScoreRank = highScoreTables.InsertRecord(mode, difficulty, world, entry);
        if (highScoreRank >= 0)
        {
            SaveRecords();
        }
    }
    if (inputTrace)
    {
        std::fprintf(stderr, "trace: stage over %s score %d rank %d\n", won ? "won" : "lost", score, highScoreRank);
    }
}

void GameApp::TraceStageStart()
{
    if (inputTrace)
    {
        std::fprintf(stderr, "trace: stage start %d %d\n", mode, stageId);
    }
}

void GameApp::SetPaused(bool on)
{
    if (inputTrace && on != paused)
    {
        std::fprintf(stderr, "trace: paused %d\n", on ? 1 : 0);
    }
    paused = on;
}

void GameApp::TracePushDown()
{
    if (inputTrace)
    {
        std::fprintf(stderr, "trace: push-down\n");
    }
}

std::string GameApp::PlayerName() const
{
    return profiles.currentPlayer.GetName();
}

int32_t GameApp::SystemFontBoldWidth(const std::string& text) const
{
    return systemFontBold ? systemFontBold->TextWidth(text) : 0;
}

void GameApp::StageReached(int32_t reachedStageId)
{
    const int32_t n = reachedStageId % 10000;
    if (n >= 0 && n < 16)
    {
        stageId = reachedStageId;
        if (world >= 1 && world <= 4)
        {
            profiles.StageReached(world, n);
        }
    }
    else
    {
        stageId = reachedStageId - n;
    }
    SpriteAnimationManager::Instance().Add(std::make_shared<StageTipAnimation>(stageId % 10000));
}

void GameApp::ConfigureObstacles()
{
    int32_t table = -1;
    if (mode == Game::ModeArcade)
    {
        table = 0;
    }
    else if (mode == Game::ModeTime)
    {
        table = 1;
    }
    if (table < 0 || difficulty < 0 || difficulty > 3)
    {
        return;
    }
    for (int32_t i = 0; i < ObstacleKinds; ++i)
    {
        const CountRule& rule = obstacleRules[table][difficulty][i];
        obstacleCounts[i] = rule.range > 0 ? RuntimeRandom::Global().Next() % rule.range + rule.base : rule.base;
    }
}

int32_t GameApp::ObstacleCount(int32_t index) const
{
    return index >= 0 && index < ObstacleKinds ? obstacleCounts[index] : 0;
}

std::string GameApp::ModeName() const
{
    return Game::ModeName(mode);
}

std::string GameApp::DifficultyName() const
{
    return Game::DifficultyName(difficulty);
}

int32_t GameApp::ColourCount() const
{
    switch (difficulty)
    {
        case Game::Normal:
            return 5;
        case Game::Hard:
        case Game::Expert:
            return 6;
        default:
            return 4;
    }
}
