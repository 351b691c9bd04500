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

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "external/lumora/Vector2.h"
#include "src/effects/PlayFieldServices.h"
#include "src/play/BubbleGrid.h"
#include "framework/widgets/ButtonListener.h"
#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"
#include "src/screens/common/NameFont.h"

namespace Lumora
{
class ParticleSystem;
}

class BulletBubbleMoveEffect;
class Clock;
class InGameScreens;
class PlayHost;
class PushDownBubbleRowTask;
class PushDownEffect;
class SpriteParticlePool;

class GameAreaWidget : public CommonBkgdWidget,
                       public BubbleGrid,
                       public PlayFieldServices,
                       public Framework::ButtonListener,
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
    // The animation list, over the whole game screen.
    void DrawOverlay(Framework::Graphics* g) override;
    // While playing a press fires; after a won stage a single left press
    // starts the next stage; after a lost one presses do nothing.
    void MouseDown(int32_t pressX, int32_t pressY, int32_t clickCount) override;
    using Framework::Widget::MouseDown;

    // --- side panel ---
    enum SidePanelButton : int32_t
    {
        ButtonChangeMode = 0,
        ButtonHighScores = 1,
        ButtonPause = 2,
        ButtonPlayerSettings = 3,
        ButtonTips = 4,
    };
    // Each opens its screen through `screens`: CHANGE MODE the change-mode
    // dialog, HIGH SCORES the tables to browse, PAUSE the overlay, PLAYER
    // SETTINGS the settings dialog, TIPS the help.
    void ButtonClicked(int32_t id) override;
    void ButtonPointerEnter(int32_t id) override;
    void ButtonPointerMove(int32_t id, int32_t pointerX, int32_t pointerY) override;
    void ButtonPointerLeave(int32_t id) override;
    Framework::ButtonWidget* GetButton(int32_t id) const;
    // The screens the field opens over itself, made by the game screen (the
    // field cannot name them); they outlive the field's use of them. Until
    // they are set the side panel's buttons are disabled and the stage end
    // shows nothing.
    void SetScreens(InGameScreens* inGameScreens);
    InGameScreens* GetScreens() const { return screens; }

    // --- stage flow ---
    // After a won stage: the next stage of the quest (none after stage index
    // 15: the field stays empty) or a new field of the same world, with the
    // fade-in, the stage reset and new shots.
    void StartNextStage();

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
    // The landing test, asked after every step of the flight: true once the
    // flight is over (the shot landed, burst something or was used up by an
    // obstacle, or left the top), false while it flies on.
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

    // --- rules of play ---
    // Landing, matching and dropping. Cells are (row, column); (-1, -1) is
    // no cell. Points go to the host's score; sounds through the host.
    struct SunkDrop
    {
        Lumora::Vector2 position;
        Framework::Image* image = nullptr;
    };

    // The cell whose content the shot touches when it flies with `velocity`:
    // rows 14 up to 0, columns left to right, the first occupied cell whose
    // centre lies within 35 pixels of the shot's centre and within 36
    // degrees of the line of flight, ahead or behind.
    GridCell FindCollision(const Lumora::Vector2& velocity) const;
    // An ordinary landing against the content of the cell.
    void LandShot(int32_t row, int32_t column);
    // Walks from the hit cell in `direction` (1, 2, 6 or 7) to the first free
    // cell and stores the shot there; (-1, -1) when the walk leaves the
    // bottom of the grid (the shot is then discarded).
    GridCell FindLandingCell(int32_t row, int32_t column, int32_t direction);
    // The shot left the top without touching anything: it sticks in row 0.
    void LandAtTop();
    // Bursts the shot's group of three or more, or counts a miss; then drops
    // what hangs loose.
    void MatchAndScore(bool matchSound, bool missSound);
    void FloodSameKind(int32_t row, int32_t column, int32_t kind);
    // Removes (100 points each) everything no longer hanging from row 0 or
    // from a wall.
    void DropFloating();
    void AnchorFrom(int32_t row, int32_t column);
    void NudgeNeighbours(int32_t row, int32_t column);

    // Push-down: one row down, a new row on top (or a pending request while
    // something moves); the time mode's period asked of the design script.
    void PushDown();
    void ScheduleTimedPushDown();

    // Obstacle rules: the hit cell; true when the flight is over.
    bool HitBomb(int32_t row, int32_t column);
    bool HitWaterHole(int32_t row, int32_t column);
    bool HitFlame(int32_t row, int32_t column);
    bool HitLava(int32_t row, int32_t column);
    bool HitPlant(int32_t row, int32_t column);
    bool HitTornado(int32_t row, int32_t column);
    bool HitMushroom(int32_t row, int32_t column);
    // Air world: 1 left, 2 right or 3 up when a blowing cloud's line holds
    // the shot, else 0.
    int32_t WindDirectionAt() const;
    void ApplyWind(int32_t direction);

    // PlayFieldServices
    Lumora::Vector2 CellToPixel(int32_t row, int32_t column) const override
    {
        return BubbleGrid::CellToPixel(row, column);
    }
    SpritePtr GetCell(int32_t row, int32_t column) const override { return BubbleGrid::GetCell(row, column); }
    void SetCell(int32_t row, int32_t column, const SpritePtr& sprite, bool reposition) override
    {
        BubbleGrid::SetCell(row, column, sprite, reposition);
    }
    void BurstCell(int32_t row, int32_t column) override;
    void EndShot() override;
    void RecordSunkBubble(const Lumora::Vector2& position, Framework::Image* image) override;
    void ClearBelowBarrier() override;
    // Through the screens; nothing without them.
    void ShowHighScores(int32_t rank, bool atStageEnd) override;
    void ShowCongratulation() override;

    const std::vector<SpritePtr>& GetMatchList() const { return matchList; }
    const std::shared_ptr<PushDownEffect>& GetPushDownEffect() const { return pushDownEffect; }
    const std::shared_ptr<PushDownBubbleRowTask>& GetPushDownTask() const { return pushDownTask; }
    std::optional<int32_t> GetPushDownInterval() const { return pushDownInterval; }

    std::vector<SunkDrop> sunkDrops;

protected:
    // Removes the cell's content; a blowing wind cloud leaving the grid
    // stops the wind loop and clears the host's flag.
    void EmptyCell(int32_t row, int32_t column);
    // After a rule that may have removed the last colour bubble: the clear
    // test of a landing, once, unless the stage is over or the barrier gone.
    void CheckCleared();
    // Sends the shot on from where it stands with a new velocity.
    void ThrowShot(const Lumora::Vector2& velocity);
    // A push-down asked for while something moved, once it has stopped.
    void RunPendingPushDown();
    // The snowman's hit: its flip-book and its head (or, falling, its body)
    // flying off along the shot's direction.
    void StartSnowManAnimation(const BubbleSprite& snowman, const Lumora::Vector2& flight, bool head);
    std::shared_ptr<PushDownEffect>& EnsurePushDownEffect();
    std::weak_ptr<PlayFieldServices> Services();

    std::vector<SpritePtr> matchList;
    // Cells already in matchList, by index.
    std::array<bool, GRID_CELLS> matched{};
    std::shared_ptr<PushDownBubbleRowTask> pushDownTask;
    std::shared_ptr<PushDownEffect> pushDownEffect;
    // Unset until the time mode first schedules.
    std::optional<int32_t> pushDownInterval;
    // --- end of rules of play ---

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

    // --- drawing (GameAreaDraw.cpp) ---
    void DrawSunkDrops(Framework::Graphics* g);
    void DrawGoalDecoration(Framework::Graphics* g);
    void DrawBarrierGlow(Framework::Graphics* g);
    void DrawSidePanel(Framework::Graphics* g);
    void AddWaterBubbles();
    void MakeSidePanelButtons();

    // The side panel's buttons sound and set cursors through the host.
    class HostFeedback final : public FeedbackSink
    {
    public:
        explicit HostFeedback(PlayHost& playHost) : host(playHost) {}
        void PlaySound(int32_t soundId) override;
        void SetCursor(int32_t cursor) override;

    private:
        PlayHost& host;
    };
    HostFeedback hostFeedback{host};
    ButtonFeedback feedback{hostFeedback, ButtonFeedback::Style::SoundThenHand};
    NameFontCache nameFonts;
    // The name last drawn and its width in the system font, measured once
    // per name rather than per frame.
    std::string panelName;
    int32_t panelNameWidth = 0;
    bool panelNameMeasured = false;
    InGameScreens* screens = nullptr;
};
