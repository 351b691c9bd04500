// A play field for the rules' tests: built on an emptied grid, with a test
// design script in a scratch working folder (every CalcScore and interval
// it answers is written to "calls.txt"), distinct sound ids, a memory
// screen for the animations, and helpers to place sprites and fly the shot.
#pragma once

#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "external/timer/TimeManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "src/core/ResourceIds.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/BulletBubbleMoveEffect.h"
#include "src/play/GameAreaWidget.h"
#include "tests/game/play/FieldTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace FieldTests
{

inline constexpr const char* CountingScript = R"(
local function note(text)
  local f = io.open("calls.txt", "a")
  f:write(text, "\n")
  f:close()
end
function CalcScore(n) note("CalcScore " .. n) return n * 10 end
function CalcPushDownInterval(d) note("Interval " .. d) return 8 end
function GetTimeBonus(m) return 0 end
function GetStageFile(id) return "none.dat" end
)";

class RulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SeedEverything(7);
        oldDirectory = std::filesystem::current_path();
        folder = std::filesystem::path(::testing::TempDir()) /
                 ("rules-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "script");
        std::filesystem::current_path(folder);
        WriteScript(CountingScript);
        int32_t id = 1;
        for (int32_t* sound : {&SOUND_BALL_EX, &SOUND_BALL_HIT, &SOUND_BOMB, &SOUND_FIRE, &SOUND_LAVA, &SOUND_EATBALL,
                               &SOUND_PLANTDEATH, &SOUND_TORNADO, &SOUND_MUSHROOM, &SOUND_ICE_HOLE, &SOUND_HITSNOW})
        {
            *sound = id++;
        }
        std::vector<uint32_t> blank(size_t(800 * 600), 0);
        screenImage.SetPixels(blank.data(), 800, 600, true);
        screen = std::make_unique<Framework::Graphics>(&screenImage);
        now = ACE_Time_Value(1000, 0);
        TimeManager::Instance()->SetClock([this] { return now; });
    }

    void TearDown() override
    {
        field.reset();
        SpriteAnimationManager::Release();
        Lumora::EffectManager::Release();
        Lumora::ParticleSystemManager::Release();
        TimeManager::Instance()->Fini();
        TimeManager::Instance()->Init();
        TimeManager::Instance()->SetClock({});
        std::filesystem::current_path(oldDirectory);
        std::filesystem::remove_all(folder);
    }

    void WriteScript(const std::string& text) { std::ofstream(folder / "script" / "design.lua") << text; }

    std::vector<std::string> ScriptCalls() const
    {
        std::vector<std::string> lines;
        std::ifstream in(folder / "calls.txt");
        for (std::string line; std::getline(in, line);)
        {
            lines.push_back(line);
        }
        return lines;
    }

    // A field of the mode with an empty grid; the shot red at the shooter.
    GameAreaWidget& Make(int32_t mode = Game::ModeArcade, int32_t world = Game::WorldEarth)
    {
        host.state.mode = mode;
        host.state.world = world;
        field = std::make_shared<GameAreaWidget>(host, mode == Game::ModeQuest);
        field->ClearGrid();
        Shot()->SetKind(KIND_RED);
        std::remove((folder / "calls.txt").c_str());
        return *field;
    }

    const BubbleGrid::SpritePtr& Shot() const { return field->GetShot(); }

    template <typename S = BubbleSprite, typename... Args>
    std::shared_ptr<S> Put(int32_t row, int32_t column, Args&&... args)
    {
        auto sprite = std::make_shared<S>(std::forward<Args>(args)...);
        field->SetCell(row, column, sprite, true);
        return sprite;
    }

    void PutRow(int32_t row, int32_t kind)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            Put(row, column, kind);
        }
    }

    // The shot's top-left corner at `position`, flying with `velocity`; the
    // landing test once, as the flight asks it after a step.
    bool StepAt(const Lumora::Vector2& position, const Lumora::Vector2& velocity)
    {
        Shot()->SetPosition(position);
        field->GetBulletEffect()->GetAlgorithm()->SetVelocity(velocity);
        field->shotInFlight = true;
        return field->FlightStep();
    }

    // Fires at (x, y) and runs updates until the flight and everything it
    // started has ended (or `limit` updates), drawing the animations after
    // every update.
    void FireAndSettle(int32_t x, int32_t y, int32_t limit = 2000)
    {
        field->MouseDown(x, y, 1);
        Settle(limit);
    }

    void Settle(int32_t limit = 2000)
    {
        for (int32_t i = 0; i < limit && (field->shotInFlight || field->GetBulletEffect()->IsRunning()); ++i)
        {
            Update();
        }
    }

    void Update()
    {
        field->UpdateSmooth(1.0);
        SpriteAnimationManager::Instance().DrawAll(screen.get());
    }

    void DrawAnimations(int32_t count)
    {
        for (int32_t i = 0; i < count; ++i)
        {
            SpriteAnimationManager::Instance().DrawAll(screen.get());
        }
    }

    int32_t CountSound(int32_t id) const { return int32_t(std::count(host.sounds.begin(), host.sounds.end(), id)); }

    FakePlayHost host;
    std::shared_ptr<GameAreaWidget> field;
    std::filesystem::path folder;
    std::filesystem::path oldDirectory;
    Framework::MemoryImage screenImage;
    std::unique_ptr<Framework::Graphics> screen;
    ACE_Time_Value now;
};

} // namespace FieldTests
