// GameAreaWidget's update and drawing: the smooth update that moves time,
// the shot, the effects, the sparks, the water world's air bubbles and the
// score; the frame in its fixed order (sunk drops, goal decoration, grid,
// shots, side panel, glow, sparks); the animation list over everything; and
// the side panel's buttons.
#include "src/play/GameAreaWidget.h"

#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "external/util/RuntimeRandom.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/ImageTransform.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/Clock.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/SpriteParticlePool.h"
#include "src/play/GoalDecoration.h"
#include "src/screens/common/InGameScreens.h"
#include "src/sprites/WindCloudSprite.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

namespace
{

int32_t CelCount(const Framework::Image* image)
{
    return image != nullptr ? image->columns * image->rows : 0;
}

// The goal decoration's strip of each world (1 water, 2 fire, 3 earth,
// 4 air); null for another world.
Framework::Image* WorldStrip(int32_t world)
{
    switch (world)
    {
        case Game::WorldWater:
            return IMAGE_ES_WATER;
        case Game::WorldFire:
            return IMAGE_ES_FIRE;
        case Game::WorldEarth:
            return IMAGE_ES_EARTH;
        case Game::WorldAir:
            return IMAGE_ES_AIR;
        default:
            return nullptr;
    }
}

// Adds step to frame and starts it over at 0 once it reaches cels.
void Advance(float& frame, float step, int32_t cels)
{
    frame += step;
    if (frame >= float(cels))
    {
        frame = 0.0f;
    }
}

struct PanelButton
{
    int32_t id;
    Framework::Image* const* strip;
    int32_t width;
    int32_t height;
    int32_t x;
    int32_t y;
};

// Each strip holds four frames side by side: normal, over, down, disabled.
constexpr PanelButton panelButtons[] = {
    {GameAreaWidget::ButtonChangeMode, &IMAGE_BUTTON_CHGMODE, 102, 56, 611, 29},
    {GameAreaWidget::ButtonHighScores, &IMAGE_BUTTON_HIGHSCORES, 158, 35, 582, 224},
    {GameAreaWidget::ButtonPause, &IMAGE_BUTTON_PAUSE, 90, 36, 618, 185},
    {GameAreaWidget::ButtonPlayerSettings, &IMAGE_BUTTON_PLAYERSETTINGS, 125, 56, 603, 128},
    {GameAreaWidget::ButtonTips, &IMAGE_BUTTON_TIPS, 59, 30, 633, 92},
};

} // namespace

GoalDecorationFrames& GoalDecorationFrames::Instance()
{
    static GoalDecorationFrames frames;
    return frames;
}

// --- update ---

void GameAreaWidget::UpdateSmooth(double fraction)
{
    clock->Advance(fraction);
    Lumora::EffectManager::Instance()->Tick();
    Lumora::ParticleSystemManager::Instance()->Tick();
    UpdateWindClouds();
    AddWaterBubbles();
    PlayState& state = host.State();
    if (state.displayedScore < state.score)
    {
        state.displayedScore = std::min(state.displayedScore + 3, state.score);
    }
    MarkDirty();
}

void GameAreaWidget::AddWaterBubbles()
{
    if (host.State().world != Game::WorldWater)
    {
        return;
    }
    RuntimeRandom& random = RuntimeRandom::Global();
    if (IsQuest() && random.Next() % 100 == 0)
    {
        SpriteAnimationManager::Instance().Add(std::make_shared<BubbleEffect>(true, random));
    }
    if (random.Next() % 500 == 0)
    {
        SpriteAnimationManager::Instance().Add(std::make_shared<BubbleEffect>(false, random));
    }
}

void GameAreaWidget::UpdateWindClouds()
{
    const auto occupied = [this](int32_t row, int32_t column) { return BubbleGrid::GetCell(row, column) != nullptr; };
    for (const SpritePtr& cell : grid)
    {
        if (cell && cell->GetKind() == KIND_WIND_CLOUD)
        {
            if (auto* cloud = dynamic_cast<WindCloudSprite*>(cell.get()))
            {
                cloud->Update(occupied);
            }
        }
    }
}

// --- drawing ---

void GameAreaWidget::Draw(Framework::Graphics* g)
{
    particlePool->SetGraphicsAll(g);
    if (host.State().world == Game::WorldWater)
    {
        DrawSunkDrops(g);
    }
    if (IsQuest())
    {
        DrawGoalDecoration(g);
    }
    DrawGrid(g);
    if (shot)
    {
        shot->Draw(g);
    }
    if (nextBubble)
    {
        nextBubble->Draw(g);
    }
    DrawSidePanel(g);
    if (hitEffectVisible)
    {
        DrawBarrierGlow(g);
    }
    Lumora::ParticleSystemManager::Instance()->RenderAllParticleEffects();
    particlePool->ClearGraphics();
    RequestOverlay(3);
}

void GameAreaWidget::DrawOverlay(Framework::Graphics* g)
{
    SpriteAnimationManager::Instance().DrawAll(g);
}

void GameAreaWidget::DrawSunkDrops(Framework::Graphics* g)
{
    for (const SunkDrop& drop : sunkDrops)
    {
        const auto dropX = int32_t(drop.position.x);
        const auto dropY = int32_t(drop.position.y);
        if (IMAGE_WATER != nullptr)
        {
            g->DrawImage(IMAGE_WATER, dropX - 13, dropY - 8);
        }
        if (drop.image != nullptr)
        {
            g->DrawCel(drop.image, dropX, dropY - 3, CelCount(drop.image) - 1);
        }
    }
}

void GameAreaWidget::DrawGrid(Framework::Graphics* g)
{
    for (const SpritePtr& cell : grid)
    {
        if (cell && cell->GetKind() == KIND_WATER_HOLE)
        {
            cell->Draw(g);
        }
    }
    for (const SpritePtr& cell : grid)
    {
        if (cell && IsColourKind(cell->GetKind()))
        {
            cell->Draw(g);
        }
    }
    for (const SpritePtr& cell : grid)
    {
        if (cell && cell->GetKind() != KIND_WATER_HOLE && !IsColourKind(cell->GetKind()))
        {
            cell->Draw(g);
        }
    }
}

void GameAreaWidget::DrawGoalDecoration(Framework::Graphics* g)
{
    if (IMAGE_FEMALEGOD != nullptr)
    {
        g->DrawImage(IMAGE_FEMALEGOD, 190, 0);
    }
    if (!showGoal)
    {
        return;
    }
    const int32_t world = host.State().world;
    Framework::Image* strip = WorldStrip(world);
    if (strip == nullptr)
    {
        return;
    }
    GoalDecorationFrames& frames = GoalDecorationFrames::Instance();
    const int32_t stripCels = CelCount(strip);
    if (frames.stripHold > 0)
    {
        g->DrawCel(strip, 237, 2, stripCels - 1);
        if (--frames.stripHold == 0)
        {
            frames.strip = 0.0f;
        }
    }
    else
    {
        g->DrawCel(strip, 237, 2, int32_t(frames.strip));
        frames.strip += 0.1f;
        if (frames.strip >= float(stripCels))
        {
            // The earth's strip rests on its last cel before it starts over.
            if (world == Game::WorldEarth)
            {
                frames.strip = float(stripCels) - 0.1f;
                frames.stripHold = GoalDecorationFrames::EarthHoldDraws;
            }
            else
            {
                frames.strip = 0.0f;
            }
        }
    }

    if (world == Game::WorldWater && IMAGE_ES_ICE != nullptr)
    {
        g->SetColorModulation(true);
        g->SetColor(Framework::Color(255, 255, 255, 200));
        g->DrawCel(IMAGE_ES_ICE, 253, 6, int32_t(frames.overlay));
        g->SetColorModulation(false);
        Advance(frames.overlay, 0.05f, CelCount(IMAGE_ES_ICE));

        if (frames.sparkleTarget < 0)
        {
            frames.sparkleTarget = RuntimeRandom::Drawing().Next() % 300;
            frames.sparkleCounter = 0;
        }
        if (frames.sparkleCounter == frames.sparkleTarget)
        {
            frames.sparkling = true;
            frames.sparkleCounter += 1;
        }
        else
        {
            frames.sparkleCounter += 2;
            if (frames.sparkleCounter > 1100)
            {
                frames.sparkleCounter = 0;
                frames.sparkleTarget = RuntimeRandom::Drawing().Next() % 300;
            }
        }
        if (frames.sparkling && IMAGE_ES_ICE_L != nullptr)
        {
            g->DrawCel(IMAGE_ES_ICE_L, 255, 8, int32_t(frames.sparkle));
            frames.sparkle += 0.1f;
            if (frames.sparkle >= float(CelCount(IMAGE_ES_ICE_L)))
            {
                frames.sparkle = 0.0f;
                frames.sparkling = false;
            }
        }
    }
    else if (world == Game::WorldAir && IMAGE_TORNADO_UPPER != nullptr)
    {
        g->DrawCel(IMAGE_TORNADO_UPPER, 246, 10, int32_t(frames.overlay));
        Advance(frames.overlay, 0.05f, CelCount(IMAGE_TORNADO_UPPER));
    }

    if (showShine && IMAGE_ES_SHING != nullptr)
    {
        g->DrawCel(IMAGE_ES_SHING, 237, 2, int32_t(frames.shine));
        frames.shine += 0.1f;
        if (frames.shine >= float(CelCount(IMAGE_ES_SHING)))
        {
            frames.shine = 0.0f;
            showShine = false;
        }
    }
}

void GameAreaWidget::DrawBarrierGlow(Framework::Graphics* g)
{
    GoalDecorationFrames& frames = GoalDecorationFrames::Instance();
    if (IMAGE_HIT_ES != nullptr)
    {
        const int32_t cels = CelCount(IMAGE_HIT_ES);
        const int32_t cel = std::clamp(int32_t(frames.glow), 0, cels - 1);
        const int32_t celWidth = IMAGE_HIT_ES->GetCelWidth();
        const int32_t celHeight = IMAGE_HIT_ES->GetCelHeight();
        const Framework::Rect source((cel % IMAGE_HIT_ES->columns) * celWidth,
                                     (cel / IMAGE_HIT_ES->columns) * celHeight, celWidth, celHeight);
        Framework::ImageTransform transform;
        transform.Scale(frames.pulse, frames.pulse);
        g->SetColorModulation(true);
        g->SetColor(Framework::Color(255, 255, 255, std::clamp(hitEffectAlpha, 0, 255)));
        g->DrawTransformed(IMAGE_HIT_ES, transform, 270.0f, 80.0f, source);
        g->SetColorModulation(false);
        Advance(frames.glow, 0.1f, cels);
    }

    frames.glowCounter += 1;
    if (frames.glowCounter > GoalDecorationFrames::GlowFullDraws)
    {
        hitEffectAlpha -= 5;
        if (hitEffectAlpha < 0)
        {
            frames.glowCounter = 0;
            hitEffectAlpha = 255;
            hitEffectVisible = false;
        }
    }

    if (frames.pulseRising)
    {
        frames.pulse += 0.03f;
        if (frames.pulse >= 1.0f)
        {
            frames.pulse = 1.0f;
            frames.pulseRising = false;
        }
    }
    else
    {
        frames.pulse -= 0.03f;
        if (frames.pulse <= 0.7f)
        {
            frames.pulse = 0.7f;
            frames.pulseRising = true;
        }
    }
}

void GameAreaWidget::DrawSidePanel(Framework::Graphics* g)
{
    const PlayState& state = host.State();
    if (state.mode != Game::ModeTime && nextBubble)
    {
        // The digit's art is white: colour modulation tints it red.
        const Lumora::Vector2 preview = nextBubble->GetPosition();
        if (IMAGE_SYMBOL_NUMBER != nullptr)
        {
            g->SetColorModulation(true);
            g->SetColor(Framework::Color(255, 0, 0));
            g->DrawCel(IMAGE_SYMBOL_NUMBER, int32_t(preview.x) + 56, int32_t(preview.y) + 10, state.shotsUntilPushDown);
            g->SetColorModulation(false);
        }
        if (IMAGE_SYMBOL_X != nullptr)
        {
            g->DrawImage(IMAGE_SYMBOL_X, 45, 520);
        }
    }

    if (Framework::Image* avatar = host.AvatarImage())
    {
        g->DrawStretched(avatar, 554, 352, 80, 80);
    }
    if (IMAGE_AVATAR_FRAME != nullptr)
    {
        g->DrawImage(IMAGE_AVATAR_FRAME, 554, 352);
    }

    // Centred by its width in the system font, drawn in the image font.
    if (Framework::Font* font = nameFonts.Get(FONT_VERDANA10BOLD))
    {
        std::string name = host.PlayerName();
        if (!panelNameMeasured || name != panelName)
        {
            panelNameWidth = host.SystemFontBoldWidth(name);
            panelName = std::move(name);
            panelNameMeasured = true;
        }
        g->SetFont(font);
        g->SetColor(Framework::Color(255, 255, 255, 255));
        g->DrawString(panelName, 703 - panelNameWidth / 2, 426);
    }

    DrawNumberStrip(g, state.displayedScore, 627, 442, IMAGE_NUMBER_SCORE, 0);
}

// --- side panel ---

void GameAreaWidget::MakeSidePanelButtons()
{
    for (const PanelButton& button : panelButtons)
    {
        Framework::ButtonWidget* made =
            AddImageButton(button.id, this, *button.strip, button.width, button.height, 4, button.x, button.y);
        // Nothing to open until the game screen hands in its screens.
        made->SetDisabled(true);
    }
}

void GameAreaWidget::SetScreens(InGameScreens* inGameScreens)
{
    screens = inGameScreens;
    for (const PanelButton& button : panelButtons)
    {
        if (Framework::ButtonWidget* made = GetButton(button.id))
        {
            made->SetDisabled(screens == nullptr);
        }
    }
}

Framework::ButtonWidget* GameAreaWidget::GetButton(int32_t id) const
{
    for (const auto& button : buttons)
    {
        if (button->id == id)
        {
            return button.get();
        }
    }
    return nullptr;
}

void GameAreaWidget::ButtonClicked(int32_t id)
{
    if (screens == nullptr)
    {
        return;
    }
    switch (id)
    {
        case ButtonChangeMode:
            screens->ShowChangeMode();
            break;
        case ButtonHighScores:
            screens->ShowHighScores(-1, false);
            break;
        case ButtonPause:
            screens->ShowPause();
            break;
        case ButtonPlayerSettings:
            screens->ShowSettings();
            break;
        case ButtonTips:
            screens->ShowHelp();
            break;
        default:
            break;
    }
}

void GameAreaWidget::ButtonPointerEnter(int32_t)
{
    feedback.Enter();
}

void GameAreaWidget::ButtonPointerMove(int32_t, int32_t, int32_t)
{
    feedback.Move();
}

void GameAreaWidget::ButtonPointerLeave(int32_t)
{
    feedback.Leave();
}

void GameAreaWidget::HostFeedback::PlaySound(int32_t soundId)
{
    host.PlaySound(soundId);
}

void GameAreaWidget::HostFeedback::SetCursor(int32_t cursor)
{
    host.SetCursor(cursor);
}
