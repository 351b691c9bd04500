// The play field's frame on a memory screen, pixel by pixel: the score's
// digits, the red miss counter (none in the time mode), the avatar and its
// frame, the name centred by the system font's width, the grid's three
// passes, the quest's goal decoration (the shine once, the earth strip's
// rest), the barrier glow; and the smooth update's score roll and the water
// world's air bubbles.
#include "src/play/GameAreaWidget.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "framework/graphics/Graphics.h"
#include "src/core/ResourceIds.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/GoalDecoration.h"
#include "src/sprites/BubbleSprite.h"
#include "support/FixedWidthFont.h"
#include "tests/game/play/FieldTestSupport.h"
#include "tests/game/play/PanelTestSupport.h"

using PanelTests::NumberedStrip;
using PanelTests::PanelHost;
using PanelTests::Screen;
using PanelTests::Strip;

namespace
{

// A cell's content that paints a 31 x 31 square of its colour and notes its
// kind when drawn.
class PaintedSprite final : public BubbleSprite
{
public:
    PaintedSprite(int32_t spriteKind, uint32_t argb, std::vector<int32_t>& drawOrder)
        : BubbleSprite(KIND_NONE), paintedKind(spriteKind), colour(argb), order(drawOrder)
    {
    }
    int32_t GetKind() const override { return paintedKind; }
    void Draw(Framework::Graphics* g) override
    {
        order.push_back(GetKind());
        g->SetColor(Framework::Color(int32_t(colour >> 16 & 0xFF), int32_t(colour >> 8 & 0xFF), int32_t(colour & 0xFF),
                                     int32_t(colour >> 24)));
        g->FillRect(int32_t(GetPosition().x), int32_t(GetPosition().y), 31, 31);
    }

private:
    int32_t paintedKind;
    uint32_t colour;
    std::vector<int32_t>& order;
};

class GameAreaDrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FieldTests::SeedEverything(7);
        GoalDecorationFrames::Reset();
        SpriteAnimationManager::Release();
        scoreDigits = NumberedStrip(10, 12, 16, 0x300000);
        IMAGE_NUMBER_SCORE = scoreDigits.get();
        // White art, a different red level per cel: the tint keeps only red.
        missDigits = Strip(10, 8, 10, [](int32_t n) { return 0xFF00FFFFu | uint32_t(200 + 5 * n) << 16; });
        IMAGE_SYMBOL_NUMBER = missDigits.get();
        cross = NumberedStrip(1, 9, 9, 0x00AA00);
        IMAGE_SYMBOL_X = cross.get();
        // A frame of 84 x 84 with a clear middle from (2, 2) to (81, 81).
        frame = Strip(1, 84, 84, [](int32_t) { return 0xFF445566u; });
        for (int32_t y = 2; y < 82; ++y)
        {
            for (int32_t x = 2; x < 82; ++x)
            {
                frame->GetPixels()[size_t(y * 84 + x)] = 0;
            }
        }
        frame->PixelsChanged();
        IMAGE_AVATAR_FRAME = frame.get();
        FONT_VERDANA10BOLD = &font;
    }

    void TearDown() override
    {
        field.reset();
        Lumora::EffectManager::Release();
        Lumora::ParticleSystemManager::Release();
        SpriteAnimationManager::Release();
        ResetResourceVariables();
    }

    GameAreaWidget& Make(int32_t mode, int32_t world = Game::WorldEarth)
    {
        host.state.mode = mode;
        host.state.world = world;
        field = std::make_shared<GameAreaWidget>(host, mode == Game::ModeQuest);
        field->ClearGrid();
        return *field;
    }

    void Draw()
    {
        screen.Clear();
        auto g = screen.FieldContext();
        field->Draw(g.get());
    }

    PanelHost host;
    Screen screen;
    TestSupport::FixedWidthFont font;
    std::unique_ptr<Framework::MemoryImage> scoreDigits;
    std::unique_ptr<Framework::MemoryImage> missDigits;
    std::unique_ptr<Framework::MemoryImage> cross;
    std::unique_ptr<Framework::MemoryImage> frame;
    std::shared_ptr<GameAreaWidget> field;
};

} // namespace

TEST_F(GameAreaDrawTest, TheScoreIsDrawnDigitByDigitFrom627)
{
    Make(Game::ModeArcade);
    host.state.displayedScore = 0;
    Draw();
    EXPECT_EQ(screen.Field(627, 442), 0xFF300000u);
    EXPECT_EQ(screen.Field(627 + 11, 442 + 15), 0xFF300000u);
    EXPECT_EQ(screen.Field(627 + 12, 442), Screen::Backdrop) << "one digit for 0";

    // The shown score is drawn, not the score it rolls towards.
    host.state.displayedScore = 1205;
    host.state.score = 9999;
    Draw();
    const uint32_t digits[] = {1, 2, 0, 5};
    for (int32_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(screen.Field(627 + 12 * i, 442), 0xFF300000u + digits[i]) << "digit " << i;
        EXPECT_EQ(screen.Field(627 + 12 * i + 11, 457), 0xFF300000u + digits[i]) << "digit " << i;
    }
    EXPECT_EQ(screen.Field(627 + 48, 442), Screen::Backdrop);
    EXPECT_EQ(screen.Field(626, 442), Screen::Backdrop);
}

TEST_F(GameAreaDrawTest, TheMissCounterIsTintedRedBesideThePreviewOutsideTheTimeMode)
{
    Make(Game::ModeArcade);
    for (int32_t misses = 6; misses >= 1; --misses)
    {
        host.state.shotsUntilPushDown = misses;
        Draw();
        // (66, 520): the preview's place + (56, 10).
        EXPECT_EQ(screen.Field(66, 520), 0xFF000000u | uint32_t(200 + 5 * misses) << 16) << misses;
        EXPECT_EQ(screen.Field(73, 529), 0xFF000000u | uint32_t(200 + 5 * misses) << 16) << misses;
        EXPECT_EQ(screen.Field(45, 520), 0xFF00AA00u) << "the cross, untinted";
    }

    field.reset();
    Make(Game::ModeTime);
    host.state.shotsUntilPushDown = 6;
    Draw();
    EXPECT_EQ(screen.Field(66, 520), Screen::Backdrop);
    EXPECT_EQ(screen.Field(45, 520), Screen::Backdrop);
}

TEST_F(GameAreaDrawTest, TheAvatarIsStretchedIntoItsFrameAndTheFrameAloneWithoutOne)
{
    Make(Game::ModeArcade);
    Draw();
    EXPECT_EQ(screen.Field(554, 352), 0xFF445566u);
    EXPECT_EQ(screen.Field(554 + 48, 352 + 48), Screen::Backdrop) << "no avatar: the frame's middle stays clear";

    auto avatar = NumberedStrip(1, 4, 4, 0x00C0C0);
    host.avatar = avatar.get();
    Draw();
    EXPECT_EQ(screen.Field(554 + 48, 352 + 48), 0xFF00C0C0u);
    EXPECT_EQ(screen.Field(554 + 79, 352 + 79), 0xFF00C0C0u) << "80 x 80";
    EXPECT_EQ(screen.Field(554 + 80, 352 + 40), Screen::Backdrop) << "80 x 80";
    EXPECT_EQ(screen.Field(554 + 1, 352 + 40), 0xFF445566u) << "the frame over the picture";
    EXPECT_EQ(screen.Field(554 + 83, 352 + 40), 0xFF445566u);
}

TEST_F(GameAreaDrawTest, TheNameIsCentredByTheSystemFontsWidthInWhite)
{
    Make(Game::ModeArcade);
    host.name = "Ada";
    Draw();
    // Width 3 x 7 = 21 in the system font: x = 703 - 10, baseline 426. The
    // image font draws it: 5 x 8 blocks 6 pixels apart above the baseline.
    EXPECT_EQ(screen.Field(693, 418), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Field(697, 425), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Field(692, 420), Screen::Backdrop);
    EXPECT_EQ(screen.Field(693, 426), Screen::Backdrop);
    EXPECT_EQ(screen.Field(705, 420), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Field(710, 420), Screen::Backdrop) << "three characters: 18 pixels";

    // A new name is measured again: 70 wide, from 703 - 35.
    host.name = "Wilhelmina";
    Draw();
    EXPECT_EQ(screen.Field(668, 420), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Field(667, 420), Screen::Backdrop);
}

TEST_F(GameAreaDrawTest, WaterHolesThenColoursThenEverythingElseWhateverTheirCells)
{
    GameAreaWidget& f = Make(Game::ModeArcade);
    std::vector<int32_t> order;
    const auto put = [&](int32_t row, int32_t column, int32_t kind, uint32_t colour)
    {
        auto sprite = std::make_shared<PaintedSprite>(kind, colour, order);
        f.SetCell(row, column, sprite, false);
        sprite->SetPosition({100.0f, 100.0f});
    };
    put(0, 0, KIND_LOCK, 0xFF0000AAu);
    put(0, 1, KIND_RED, 0xFFAA0000u);
    put(5, 3, KIND_WATER_HOLE, 0xFF00AA00u);
    put(14, 15, KIND_WATER_HOLE, 0xFF00BB00u);
    put(14, 14, KIND_BLUE, 0xFFBB0000u);
    put(7, 7, KIND_BOMB, 0xFF0000BBu);
    Draw();
    EXPECT_EQ(order,
              (std::vector<int32_t>{KIND_WATER_HOLE, KIND_WATER_HOLE, KIND_RED, KIND_BLUE, KIND_LOCK, KIND_BOMB}));
    EXPECT_EQ(screen.Field(110, 110), 0xFF0000BBu) << "the last obstacle pass on top";
}

TEST_F(GameAreaDrawTest, TheShinePlaysOncePerFieldAndTheGoalOnlyInTheQuest)
{
    auto strip = NumberedStrip(4, 20, 20, 0x000100);
    auto shine = NumberedStrip(3, 20, 20, 0x000200);
    auto goddess = NumberedStrip(1, 10, 10, 0x000300);
    IMAGE_ES_EARTH = strip.get();
    IMAGE_ES_SHING = shine.get();
    IMAGE_FEMALEGOD = goddess.get();

    Make(Game::ModeArcade);
    Draw();
    EXPECT_EQ(screen.Field(190, 0), Screen::Backdrop) << "no goal outside the quest";

    GameAreaWidget& f = Make(Game::ModeQuest);
    ASSERT_TRUE(f.showShine);
    int32_t shown = 0;
    for (int32_t i = 0; i < 100; ++i)
    {
        Draw();
        EXPECT_EQ(screen.Field(190, 0), 0xFF000300u);
        shown += (screen.Field(237, 2) & 0xFFFF00u) == 0x000200u ? 1 : 0;
    }
    // 3 cels at 0.1 a draw: thirty float steps of 0.1 stay just below 3,
    // so the last cel shows once more (31 draws), then never again.
    EXPECT_EQ(shown, 31);
    EXPECT_FALSE(f.showShine);

    // Without the goal only the goddess shows.
    f.showGoal = false;
    Draw();
    EXPECT_EQ(screen.Field(237, 2), Screen::Backdrop);

    // A new field (the next game) shines once more.
    Make(Game::ModeQuest);
    Draw();
    EXPECT_EQ(screen.Field(237, 2) & 0xFFFF00u, 0x000200u);
}

TEST_F(GameAreaDrawTest, TheEarthStripRestsOnItsLastCelForAHundredDraws)
{
    auto strip = NumberedStrip(2, 20, 20, 0x000100);
    IMAGE_ES_EARTH = strip.get();
    IMAGE_ES_FIRE = strip.get();
    Make(Game::ModeQuest, Game::WorldEarth);
    std::string cels;
    for (int32_t i = 0; i < 140; ++i)
    {
        Draw();
        cels += char('0' + (screen.Field(237, 2) & 0xFF));
    }
    EXPECT_EQ(cels, std::string(10, '0') + std::string(110, '1') + std::string(10, '0') + std::string(10, '1'));

    // Other worlds start over at once; the counters carry on from the
    // earth's (one set for the process).
    GoalDecorationFrames::Reset();
    Make(Game::ModeQuest, Game::WorldFire);
    cels.clear();
    for (int32_t i = 0; i < 40; ++i)
    {
        Draw();
        cels += char('0' + (screen.Field(237, 2) & 0xFF));
    }
    EXPECT_EQ(cels, std::string(10, '0') + std::string(10, '1') + std::string(10, '0') + std::string(10, '1'));
}

TEST_F(GameAreaDrawTest, TheBarrierGlowFadesAfterThreeHundredDrawsAndHidesItself)
{
    auto glow = NumberedStrip(2, 40, 40, 0x0F0000);
    IMAGE_HIT_ES = glow.get();
    GameAreaWidget& f = Make(Game::ModeQuest);
    f.hitEffectVisible = true;
    Draw();
    // The first draw at 0.7 of its size, centred on (270, 80).
    EXPECT_EQ(screen.Field(270, 80), 0xFF0F0000u);
    EXPECT_EQ(screen.Field(270 - 12, 80), 0xFF0F0000u);
    EXPECT_EQ(screen.Field(270 - 16, 80), Screen::Backdrop);
    int32_t draws = 1;
    while (f.hitEffectVisible && draws < 1000)
    {
        Draw();
        ++draws;
    }
    // 300 at full strength, then 5 less a draw until the alpha is below 0.
    EXPECT_EQ(draws, 300 + 52);
    EXPECT_EQ(f.hitEffectAlpha, 255);
    Draw();
    EXPECT_EQ(screen.Field(270, 80), Screen::Backdrop);
}

TEST_F(GameAreaDrawTest, TheShownScoreRollsTowardsTheScoreByThree)
{
    GameAreaWidget& f = Make(Game::ModeArcade);
    host.state.score = 7;
    std::vector<int32_t> shown;
    for (int32_t i = 0; i < 4; ++i)
    {
        f.UpdateSmooth(1.0);
        shown.push_back(host.state.displayedScore);
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{3, 6, 7, 7}));
}

TEST_F(GameAreaDrawTest, AirBubblesRiseOnlyInTheWaterWorldAndFromTheVentOnlyInTheQuest)
{
    const auto count = [&](int32_t mode, int32_t world, int32_t& vent, int32_t& plain)
    {
        SpriteAnimationManager::Release();
        Make(mode, world);
        for (int32_t i = 0; i < 3000; ++i)
        {
            field->UpdateSmooth(1.0);
        }
        vent = plain = 0;
        for (const auto& animation : SpriteAnimationManager::Instance().Animations())
        {
            if (const auto* bubbles = dynamic_cast<const BubbleEffect*>(animation.get()))
            {
                // The vent's bubbles start at y 55, the others at 535.
                (bubbles->Bubbles()[0].position.y < 100.0f ? vent : plain) += 1;
            }
        }
    };
    int32_t vent = 0;
    int32_t plain = 0;
    count(Game::ModeArcade, Game::WorldEarth, vent, plain);
    EXPECT_EQ(vent + plain, 0);
    count(Game::ModeArcade, Game::WorldWater, vent, plain);
    EXPECT_EQ(vent, 0);
    EXPECT_GT(plain, 0);
    count(Game::ModeQuest, Game::WorldWater, vent, plain);
    EXPECT_GT(vent, plain) << "1 in 100 updates from the vent, 1 in 500 from the bottom";
    EXPECT_GT(plain, 0);
}
