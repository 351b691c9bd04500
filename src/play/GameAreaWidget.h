// GameAreaWidget: the play field, 791 x 560 pixels, placed by the game
// screen at (15, 37). It owns the grid (BubbleGrid), the shot and the
// preview, the shot's flight effect, the particle pool for the sparks and
// the clock all its effects run on, and it sets up each stage.
//
// Life: one play field per game; it survives stage after stage. It registers
// its flight effect with the process-wide effect manager (and makes its
// clock the manager's clock) and hands its bursts to the process-wide
// particle system manager; its destructor stops and removes the flight and
// removes its bursts, so nothing in those managers points at a destroyed
// field or draws through its pool. The pool gets the drawing context of a
// draw only for that draw.
//
// Time: the clock advances by the update's fraction x 10 ms in
// UpdateSmooth, nothing else moves time; update and draw read no system
// clock and draw chance only from the process's seeded generators.
//
// The host (the application) outlives the field. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "external/lumora/Vector2.h"
#include "src/play/BubbleGrid.h"
#include "src/screens/common/CommonBkgdWidget.h"

namespace Lumora
{
class ParticleSystem;
}

class BulletBubbleMoveEffect;
class Clock;
class PlayHost;
class SpriteParticlePool;

class GameAreaWidget : public CommonBkgdWidget,
                       public BubbleGrid,
                       public std::enable_shared_from_this<GameAreaWidget>
{
public:
    static constexpr int32_t Width = 791;
    static constexpr int32_t Height = 560;
    static constexpr float ShooterX = 250.0f;
    static constexpr float ShooterY = 490.0f;
    static constexpr float PreviewX = 10.0f;
    static constexpr float PreviewY = 510.0f;
    // Pixels per second.
    static constexpr float ShotSpeed = 700.0f;
    // A press must lie at least this far above the shot's centre.
    static constexpr float AimMargin = 15.0f;

    GameAreaWidget(PlayHost& host, bool quest);
    ~GameAreaWidget() override;

    void UpdateSmooth(double fraction) override;
    void Draw(Framework::Graphics* g) override;
    void MouseDown(int32_t pressX, int32_t pressY, int32_t clickCount) override;
    using Framework::Widget::MouseDown;

    // --- stage set-up ---
    // The quest stage the design script names for stageId, below "data".
    void LoadStageFile(int32_t stageId);
    // A stage file's bytes; false (nothing changed) when they hold none.
    bool LoadStageBytes(std::span<const uint8_t> bytes);
    void PlaceStageCell(int32_t row, int32_t column, int32_t code, int32_t parameter);
    void GenerateStage(int32_t world);
    bool PlaceObstacle(const SpritePtr& sprite, int32_t row, int32_t column);

    // --- shots ---
    // Refills the shot (the preview moves to the shooter) and a new preview
    // from the colours present.
    void PrepareShots();
    // The flight's end test, asked after every step of the flight. Until
    // shots land, a flight ends once the shot has left the top (y < 0): the
    // shot is dropped and the next one prepared.
    bool FlightStep();

    // Sparks: `count` of them thrown from `position` (play-field pixels).
    void BurstParticles(const Lumora::Vector2& position, int32_t count);

    const SpritePtr& GetShot() const { return shot; }
    const SpritePtr& GetNextBubble() const { return nextBubble; }
    const std::shared_ptr<BulletBubbleMoveEffect>& GetBulletEffect() const { return bulletEffect; }
    const std::shared_ptr<Clock>& GetClock() const { return clock; }
    const std::shared_ptr<SpriteParticlePool>& GetParticlePool() const { return particlePool; }
    bool IsShotInFlight() const { return shotInFlight; }

    bool shotInFlight = false;
    bool pushDownPending = false;
    bool showShine = true;
    bool showGoal = true;
    bool hitEffectVisible = false;
    int32_t hitEffectAlpha = 255;

protected:
    // One line on standard error with the 240 kinds, when tracing is on;
    // after every set-up, whether or not a stage was loaded.
    void TraceField() const;
    void UpdateWindClouds();
    void DrawGrid(Framework::Graphics* g);

    PlayHost& host;
    SpritePtr shot;
    SpritePtr nextBubble;
    std::shared_ptr<BulletBubbleMoveEffect> bulletEffect;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<SpriteParticlePool> particlePool;
    std::vector<std::weak_ptr<Lumora::ParticleSystem>> bursts;
    bool traceField = false;
};
