// The bubble sprite: kinds and their images, plain drawing and the shake.
#include "src/sprites/BubbleSprite.h"

#include <gtest/gtest.h>

#include "tests/game/sprites/SpriteTestSupport.h"

using namespace SpriteTests;

namespace
{

class BubbleSpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (Framework::Image** variable :
             {&IMAGE_BUBBLE_RED, &IMAGE_BUBBLE_YELLOW, &IMAGE_BUBBLE_BLUE, &IMAGE_BUBBLE_GREEN, &IMAGE_BUBBLE_AQUA,
              &IMAGE_BUBBLE_FUCHSIA, &IMAGE_BUBBLE_BLACK, &IMAGE_ICE, &IMAGE_BOMB})
            art.Make(*variable, 4, 31, 31);
    }

    TestArt art;
    Screen screen;
};

TEST_F(BubbleSpriteTest, KindsWithAnImageTakeItAndEveryOtherCodeLeavesAnEmptyBubble)
{
    const std::pair<int32_t, Framework::Image*> table[] = {
        {KIND_RED, IMAGE_BUBBLE_RED},    {KIND_YELLOW, IMAGE_BUBBLE_YELLOW},
        {KIND_BLUE, IMAGE_BUBBLE_BLUE},  {KIND_GREEN, IMAGE_BUBBLE_GREEN},
        {KIND_AQUA, IMAGE_BUBBLE_AQUA},  {KIND_FUCHSIA, IMAGE_BUBBLE_FUCHSIA},
        {KIND_LOCK, IMAGE_BUBBLE_BLACK}, {KIND_WALL, IMAGE_ICE},
        {KIND_BOMB, IMAGE_BOMB}};
    for (const auto& [kind, image] : table)
    {
        BubbleSprite bubble;
        bubble.SetKind(kind);
        EXPECT_EQ(bubble.GetKind(), kind);
        EXPECT_EQ(bubble.GetImage(), image) << kind;
    }

    BubbleSprite bomb(KIND_BOMB);
    EXPECT_EQ(bomb.GetKind(), KIND_BOMB);
    EXPECT_EQ(bomb.GetImage(), IMAGE_BOMB);
    // Obstacle codes without a SetKind image come only from their classes.
    BubbleSprite snowman(KIND_SNOWMAN);
    EXPECT_EQ(snowman.GetKind(), KIND_NONE);
    EXPECT_EQ(snowman.GetImage(), nullptr);

    for (int32_t code : {7, 20, 0, -1, 41})
    {
        BubbleSprite bubble(KIND_RED);
        bubble.SetKind(code);
        EXPECT_EQ(bubble.GetKind(), KIND_NONE) << code;
        EXPECT_EQ(bubble.GetImage(), nullptr) << code;
        bubble.Draw(screen.G());
        EXPECT_TRUE(screen.Blank()) << code;
    }
}

TEST_F(BubbleSpriteTest, PlainDrawingTruncatesTowardZeroAndDrawsItsCel)
{
    BubbleSprite bubble(KIND_GREEN);
    bubble.SetPosition({100.9f, 50.99f});
    bubble.SetCel(2);
    bubble.Draw(screen.G());
    EXPECT_EQ(screen.Find(art.Colour(IMAGE_BUBBLE_GREEN, 2)), Framework::Rect(100, 50, 31, 31));
    EXPECT_FALSE(screen.Find(art.Colour(IMAGE_BUBBLE_GREEN, 0)).has_value());

    // Negative coordinates truncate toward zero, not down.
    screen.Clear();
    bubble.SetPosition({-10.7f, 20.0f});
    bubble.Draw(screen.G());
    EXPECT_EQ(screen.Find(art.Colour(IMAGE_BUBBLE_GREEN, 2)), Framework::Rect(0, 20, 21, 31));
}

TEST_F(BubbleSpriteTest, ShakeOfAmplitudeOneSwingsForOneHundredAndOneFramesWithCelZero)
{
    BubbleSprite bubble(KIND_RED);
    bubble.SetPosition({100.5f, 40.0f});
    bubble.SetCel(3);
    bubble.Shake({1.0f, 0.0f}, 1.0f);
    std::vector<int32_t> xs;
    for (int32_t frame = 1; frame <= 103; ++frame)
    {
        screen.Clear();
        bubble.Draw(screen.G());
        const bool plain = frame > 101;
        const auto box = screen.Find(art.Colour(IMAGE_BUBBLE_RED, plain ? 3 : 0));
        ASSERT_TRUE(box.has_value()) << "frame " << frame;
        EXPECT_EQ(box->y, 40);
        xs.push_back(box->x);
        EXPECT_EQ(bubble.IsShaking(), frame < 101) << "frame " << frame;
    }
    EXPECT_EQ(xs[0], 106);   // 100.5 + 6.7 - 1
    EXPECT_EQ(xs[9], 97);    // 100.5 + 6.7 - 10
    EXPECT_EQ(xs[10], 96);   // 100.5 - 4.3, then the swing turns
    EXPECT_EQ(xs[11], 97);   // + 0.9
    EXPECT_EQ(xs[100], 101); // 100.5 + 0.7, the last shaken frame
    EXPECT_EQ(xs[101], 100);
    EXPECT_EQ(xs[102], 100);
}

TEST_F(BubbleSpriteTest, ANewShakeRestartsFromItsOwnValues)
{
    BubbleSprite bubble(KIND_RED);
    bubble.SetPosition({100.0f, 100.0f});
    bubble.Shake({1.0f, 0.0f}, 1.0f);
    for (int32_t i = 0; i < 30; ++i)
        bubble.Draw(screen.G());
    bubble.Shake({0.0f, -1.0f}, 0.5f);
    screen.Clear();
    bubble.Draw(screen.G());
    // -6.7 + 0.5 up, no sideways displacement left.
    EXPECT_EQ(screen.Find(art.Colour(IMAGE_BUBBLE_RED, 0)), Framework::Rect(100, 93, 31, 31));
    // Amplitude 0.5: after five reductions the float left is a hair above
    // zero, so a sixth follows: 61 shaken frames.
    int32_t frames = 1;
    while (bubble.IsShaking())
    {
        bubble.Draw(screen.G());
        ++frames;
        ASSERT_LT(frames, 200);
    }
    EXPECT_EQ(frames, 61);
}

TEST_F(BubbleSpriteTest, ShakingWithoutAnImageDrawsNothing)
{
    BubbleSprite empty;
    empty.Shake({1.0f, 0.0f}, 1.0f);
    empty.Draw(screen.G());
    EXPECT_TRUE(screen.Blank());
    EXPECT_TRUE(empty.IsShaking());
}

} // namespace
