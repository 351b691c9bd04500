#include "src/play/GameAreaWidget.h"

#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystem.h"
#include "external/lumora/ParticleSystemManager.h"
#include "external/timer/TimeManager.h"
#include "external/util/RandomUtil.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/BurstParticles.h"
#include "src/effects/Clock.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/StageEffects.h"
#include "src/effects/SpriteParticlePool.h"
#include "src/play/BulletBubbleMoveEffect.h"
#include "src/play/PushDownBubbleRowTask.h"
#include "src/play/StageFile.h"
#include "src/script/DesignScript.h"
#include "src/sprites/WindCloudSprite.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace
{
bool TraceRequested()
{
    const char* value = std::getenv("FROTHWICK_FIELD_TRACE");
    return value != nullptr && std::strcmp(value, "1") == 0;
}
} // namespace

GameAreaWidget::GameAreaWidget(PlayHost& playHost, bool questField)
    : CommonBkgdWidget(nullptr), BubbleGrid(questField), host(playHost), traceField(TraceRequested())
{
    bulletEffect = std::make_shared<BulletBubbleMoveEffect>(this);
    clock = std::make_shared<Clock>();
    pushDownTask = std::make_shared<PushDownBubbleRowTask>(this, host);
    Resize(0, 0, Width, Height);

    if (questField)
    {
        LoadStageFile(host.State().stageId);
    }
    else
    {
        GenerateStage(host.State().world);
    }
    PrepareShots();

    const std::shared_ptr<Lumora::EffectManager> effects = Lumora::EffectManager::Instance();
    effects->SetClock(clock);
    effects->Start();
    bulletEffect->SetName("BulletMoveEffect");
    bulletEffect->SetClock(clock);
    bulletEffect->SetTarget(shot);
    bulletEffect->SetAlgorithm(std::make_shared<BulletAlgorithm>(Lumora::Vector2(500.0f, -100.0f)));
    bulletEffect->SetDuration(10000);
    effects->AddEffect(bulletEffect);

    if (host.State().mode == Game::ModeTime)
    {
        ScheduleTimedPushDown();
    }

    MakeSidePanelButtons();

    particlePool = std::make_shared<SpriteParticlePool>();
    const int32_t sparkCels = IMAGE_PARTICLE_ALL ? IMAGE_PARTICLE_ALL->columns * IMAGE_PARTICLE_ALL->rows : 0;
    particlePool->SetImageAll(IMAGE_PARTICLE_ALL, sparkCels);

    shotInFlight = false;
    showGoal = true;
    pushDownPending = false;
    hitEffectVisible = false;
    hitEffectAlpha = 255;
    showShine = true;
    host.StampStageStart();
}

GameAreaWidget::~GameAreaWidget()
{
    pushDownTask->Detach();
    TimeManager::Instance()->Cancel(pushDownTask);
    if (pushDownEffect)
    {
        SpriteAnimationManager::Instance().Remove(pushDownEffect.get());
    }
    bulletEffect->Detach();
    bulletEffect->Stop();
    Lumora::EffectManager::Instance()->RemoveEffect(bulletEffect);
    Lumora::ParticleSystemManager* particles = Lumora::ParticleSystemManager::Instance();
    for (const auto& burst : bursts)
    {
        if (const std::shared_ptr<Lumora::ParticleSystem> system = burst.lock())
        {
            particles->RemoveParticleSystem(system);
        }
    }
    particlePool->ClearGraphics();
    RemoveAllChildren();
}

// --- stage set-up ---

void GameAreaWidget::LoadStageFile(int32_t stageId)
{
    std::optional<std::vector<uint8_t>> bytes;
    if (const std::optional<std::string> name = DesignScript::GetStageFile(stageId))
    {
        bytes = StageFile::ReadFile(StageFile::StagePath(*name));
    }
    if (bytes)
    {
        LoadStageBytes(*bytes);
        return;
    }
    // Nothing loaded: the grid stays as the caller left it.
    TraceField();
}

bool GameAreaWidget::LoadStageBytes(std::span<const uint8_t> bytes)
{
    const bool loaded = StageFile::LoadStageBytes(*this, host, bytes);
    TraceField();
    return loaded;
}

void GameAreaWidget::PlaceStageCell(int32_t row, int32_t column, int32_t code, int32_t parameter)
{
    StageFile::PlaceStageCell(*this, host, row, column, code, parameter);
}

void GameAreaWidget::GenerateStage(int32_t world)
{
    StageFile::GenerateStage(*this, host, world);
    TraceField();
}

bool GameAreaWidget::PlaceObstacle(const SpritePtr& sprite, int32_t row, int32_t column)
{
    return StageFile::PlaceObstacle(*this, sprite, row, column);
}

void GameAreaWidget::TraceField() const
{
    if (!traceField)
    {
        return;
    }
    std::string line = "field";
    for (const SpritePtr& cell : grid)
    {
        line += ' ';
        line += std::to_string(cell ? cell->GetKind() : 0);
    }
    line += '\n';
    std::fputs(line.c_str(), stderr);
}

// --- shots ---

void GameAreaWidget::PrepareShots()
{
    const std::vector<int32_t> colours = ColoursPresent();
    if (!colours.empty())
    {
        RandomUtil random;
        const auto size = static_cast<int32_t>(colours.size());
        if (!nextBubble || nextBubble->GetKind() == KIND_NONE)
        {
            nextBubble = std::make_shared<BubbleSprite>(colours[size_t(random.Next(0, size))]);
        }
        shot = nextBubble;
        nextBubble = std::make_shared<BubbleSprite>(colours[size_t(random.Next(0, size))]);
    }
    else
    {
        shot = std::make_shared<BubbleSprite>(IsQuest() ? KIND_AQUA : KIND_NONE);
        nextBubble = std::make_shared<BubbleSprite>(KIND_NONE);
    }
    shot->SetPosition({ShooterX, ShooterY});
    nextBubble->SetPosition({PreviewX, PreviewY});
    MarkDirty();
}

void GameAreaWidget::MouseDown(int32_t pressX, int32_t pressY, int32_t clickCount)
{
    const PlayState& state = host.State();
    if (state.stageOver)
    {
        if (state.lastStageWon && !state.paused && clickCount == 1)
        {
            StartNextStage();
        }
        return;
    }
    if (shotInFlight || state.paused || clickCount != 1 || !shot)
    {
        return;
    }
    const Lumora::Vector2 centre = shot->GetPosition() + Lumora::Vector2(15.0f, 15.0f);
    if (float(pressY) > centre.y - AimMargin)
    {
        return;
    }
    const Lumora::Vector2 velocity =
        (Lumora::Vector2(float(pressX), float(pressY)) - centre).normalisedCopy() * ShotSpeed;
    bulletEffect->SetTarget(shot);
    bulletEffect->GetAlgorithm()->SetVelocity(velocity);
    bulletEffect->Start();
    shotInFlight = true;
}

void GameAreaWidget::StartNextStage()
{
    PlayState& state = host.State();
    ClearGrid();
    if (IsQuest())
    {
        // After the last stage of the world the field stays empty.
        if (state.stageId % 10000 >= 15)
        {
            return;
        }
        showShine = true;
        host.StageReached(state.stageId + 1);
        state.stageCounter += 1;
        host.PlayStageMusic(-1);
        LoadStageFile(state.stageId);
        showGoal = true;
    }
    else
    {
        state.stageCounter += 1;
        host.PlayStageMusic(-1);
        GenerateStage(state.world);
        pushDownPending = false;
    }
    SpriteAnimationManager::Instance().Add(std::make_shared<FadeEffect>());
    host.ResetStage();
    PrepareShots();
    sunkDrops.clear();
    pushDownPending = false;
    host.TraceStageStart();
}

void GameAreaWidget::BurstParticles(const Lumora::Vector2& position, int32_t count)
{
    std::erase_if(bursts, [](const std::weak_ptr<Lumora::ParticleSystem>& burst) { return burst.expired(); });
    bursts.push_back(::BurstParticles(clock, particlePool, position, count));
}
