#include "src/effects/StageEffects.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/ImageTransform.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/PlayFieldServices.h"

FadeEffect::FadeEffect() : SpriteAnimation(nullptr, 0, 0, 0, 0.0f) {}

void FadeEffect::Draw(Framework::Graphics* g)
{
    if (g != nullptr)
    {
        g->SetColor({0, 0, 0, alpha});
        g->FillRect(-15, -37, 800, 600);
    }
    alpha -= 3;
    if (alpha < 0)
    {
        done = true;
    }
}

StageTipAnimation::StageTipAnimation(int32_t stageIndex)
    : SpriteAnimation(nullptr, 0, 0, 0, 0.0f), tens((stageIndex + 1) / 10), units((stageIndex + 1) % 10)
{
}

void StageTipAnimation::Draw(Framework::Graphics* g)
{
    if (g != nullptr)
    {
        g->SetColorModulation(true);
        g->SetColor({255, 255, 255, alpha});
        int32_t penX = 180;
        if (IMAGE_TEXT_STAGE != nullptr)
        {
            g->DrawImage(IMAGE_TEXT_STAGE, 180, 400);
            penX += IMAGE_TEXT_STAGE->GetWidth();
        }
        if (IMAGE_STAGE_NUMBER != nullptr)
        {
            if (tens != 0)
            {
                g->DrawCel(IMAGE_STAGE_NUMBER, penX, 400, tens);
                penX += 30;
            }
            g->DrawCel(IMAGE_STAGE_NUMBER, penX, 400, units);
        }
        g->SetColorModulation(false);
    }
    if (counter > 60)
    {
        alpha -= 10;
    }
    counter += 1;
    if (alpha <= 0)
    {
        done = true;
    }
}

GameOverEffect::GameOverEffect(PlayHost& playHost, std::weak_ptr<PlayFieldServices> playField, bool stageWon)
    : SpriteAnimation(nullptr, 8, 0, 0, 0.0f), host(&playHost), field(std::move(playField)), won(stageWon),
      delay(stageWon ? 100 : 20)
{
    if (!won)
    {
        image = IMAGE_GAMEOVER;
    }
    else
    {
        image = host->State().IsQuest() ? IMAGE_STAGECLEAR : IMAGE_YOUWIN;
    }
}

bool GameOverEffect::IsLastQuestStage() const
{
    // Outside the quest stageId keeps the last quest stage played.
    const PlayState& state = host->State();
    return state.IsQuest() && state.stageId % 10000 >= 15;
}

void GameOverEffect::Draw(Framework::Graphics* g)
{
    const auto services = field.lock();
    if (!services)
    {
        done = true;
        return;
    }
    delay -= 1;
    if (delay > 0)
    {
        return;
    }
    if (delay == 0 && won && !IsLastQuestStage())
    {
        host->PlaySound(SOUND_STAGECLEAR);
    }
    if (delay == -100)
    {
        const PlayState& state = host->State();
        const bool ranked = state.score > 0 && (won || !state.IsQuest());
        services->ShowHighScores(ranked ? state.highScoreRank : -1, true);
    }
    scale -= 0.4f;
    if (scale < 1.0f)
    {
        scale = 1.0f;
    }
    if (swingLimit >= 0.0f)
    {
        if (swingUp)
        {
            angle += 2.0f;
            if (angle >= swingLimit)
            {
                swingUp = false;
            }
        }
        else
        {
            angle -= 2.0f;
            if (angle <= -swingLimit)
            {
                swingUp = true;
                swingLimit -= 3.0f;
            }
        }
    }
    else
    {
        angle = 0.0f;
        if (won && IsLastQuestStage())
        {
            services->ShowCongratulation();
            host->PlaySound(SOUND_ALLCLEAR);
            done = true;
        }
    }
    if (image != nullptr && g != nullptr)
    {
        Framework::ImageTransform transform;
        transform.RotateDegrees(angle);
        transform.Scale(scale, scale);
        g->DrawTransformed(image, transform, 250.0f, 250.0f);
    }
}
