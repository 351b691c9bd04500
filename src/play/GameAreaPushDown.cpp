// The play field's push-down: the field moves one row down (walled columns
// and water holes stay), a new row enters at the top, and everything that
// moved slides into place over the push-down animation. In the time mode a
// timer task asks for it at the design script's period.
#include "src/play/GameAreaWidget.h"

#include "external/timer/TimeManager.h"
#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"
#include "src/core/PlayHost.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/PushDownBubbleRowTask.h"
#include "src/script/DesignScript.h"

#include <algorithm>

namespace
{
bool IsWaterHole(const BubbleGrid::SpritePtr& sprite)
{
    return sprite && sprite->GetKind() == KIND_WATER_HOLE;
}
} // namespace

std::shared_ptr<PushDownEffect>& GameAreaWidget::EnsurePushDownEffect()
{
    if (!pushDownEffect)
    {
        // Made on first use: the effect holds the field weakly, which needs
        // the field's owner to exist.
        pushDownEffect = std::make_shared<PushDownEffect>(Services());
    }
    // Listed once; again after the list was released under a living field.
    const auto& listed = SpriteAnimationManager::Instance().Animations();
    if (std::find(listed.begin(), listed.end(), pushDownEffect) == listed.end())
    {
        SpriteAnimationManager::Instance().Add(pushDownEffect);
    }
    return pushDownEffect;
}

void GameAreaWidget::PushDown()
{
    if (shotInFlight)
    {
        pushDownPending = true;
        return;
    }
    pushDownPending = false;
    if (CountColourBubbles() == 0)
    {
        return;
    }
    if (CountOccupied(GRID_ROWS - 1) != 0)
    {
        host.EndStage(false);
        return;
    }
    host.TracePushDown();
    PushDownEffect& slide = *EnsurePushDownEffect();

    // Rows 0 to 2 of a quest stage hold its obstacles and never move.
    const int32_t topShifted = IsQuest() ? 4 : 1;
    std::array<bool, GRID_COLUMNS> walled{};
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        walled[size_t(column)] = ColumnHasWall(column);
        if (walled[size_t(column)])
        {
            continue;
        }
        for (int32_t row = GRID_ROWS - 1; row >= topShifted; --row)
        {
            if (IsWaterHole(GetCell(row, column)))
            {
                continue;
            }
            const SpritePtr above = GetCell(row - 1, column);
            if (IsWaterHole(above))
            {
                SetCell(row, column, nullptr, false);
                continue;
            }
            SetCell(row, column, above, false);
            if (above)
            {
                slide.AddSprite(above);
            }
        }
    }

    const PlayState& state = host.State();
    if (!IsQuest() || CountOccupied(4) != 0)
    {
        const std::vector<int32_t> colours = ColoursPresent();
        if (!colours.empty())
        {
            RandomUtil random;
            const auto size = int32_t(colours.size());
            const int32_t newRow = IsQuest() ? 3 : 0;
            for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            {
                if (walled[size_t(column)])
                {
                    continue;
                }
                auto bubble = std::make_shared<BubbleSprite>(colours[size_t(random.Next(0, size))]);
                bubble->SetPosition(IsQuest() ? BubbleGrid::CellToPixel(4, column) - Lumora::Vector2(0.0f, 62.0f)
                                              : Lumora::Vector2(20.0f + 31.0f * float(column), -31.0f));
                SetCell(newRow, column, bubble, false);
                slide.AddSprite(bubble);
            }
        }
    }
    else
    {
        // The quest's colour rows have all gone below: a fresh row of the
        // first colours, as many as the difficulty allows.
        const int32_t colourCount = std::clamp(state.difficulty, Game::Easy, Game::Expert) + 1;
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            auto bubble = std::make_shared<BubbleSprite>(RuntimeRandom::Global().Next() % colourCount + 1);
            bubble->SetPosition({5.0f + 31.0f * float(column), 62.0f});
            SetCell(3, column, bubble, false);
            slide.AddSprite(bubble);
        }
    }

    slide.Start();
    shotInFlight = true;
}

void GameAreaWidget::ScheduleTimedPushDown()
{
    const int32_t interval = DesignScript::CalcPushDownInterval(host.State().difficulty);
    if (interval < 0)
    {
        // A period before now makes no sense: the task keeps what it has.
        return;
    }
    if (pushDownInterval && *pushDownInterval == interval)
    {
        return;
    }
    pushDownInterval = interval;
    // A zero period makes the timer run the task once, never in a loop.
    const ACE_Time_Value period(interval, 0);
    TimeManager::Instance()->ReSchedule(pushDownTask, period, period);
}
