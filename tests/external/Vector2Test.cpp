#include "external/lumora/Vector2.h"
#include "external/lumora/Math.h"

#include <gtest/gtest.h>

using Lumora::Math;
using Lumora::Vector2;

TEST(Vector2Test, NormaliseReturnsFormerLengthAndLeavesZeroAlone)
{
    Vector2 v(3.0f, -4.0f);
    EXPECT_FLOAT_EQ(v.normalise(), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, -0.8f);

    Vector2 zero;
    EXPECT_FLOAT_EQ(zero.normalise(), 0.0f);
    EXPECT_EQ(zero, Vector2::ZERO);

    const Vector2 w(0.0f, 2.0f);
    EXPECT_EQ(w.normalisedCopy(), Vector2(0.0f, 1.0f));
    EXPECT_EQ(w, Vector2(0.0f, 2.0f));
}

TEST(Vector2Test, ComparisonsHoldOnlyWhenBothComponentsAgree)
{
    const Vector2 a(1.0f, 1.0f);
    EXPECT_TRUE(a < Vector2(2.0f, 2.0f));
    EXPECT_FALSE(a < Vector2(2.0f, 1.0f));
    EXPECT_FALSE(a < Vector2(0.0f, 5.0f));
    EXPECT_TRUE(a >= Vector2(1.0f, 0.0f));
    EXPECT_FALSE(a >= Vector2(0.0f, 2.0f));
    EXPECT_TRUE(a > Vector2(0.0f, 0.0f));
    EXPECT_FALSE(a > Vector2(0.0f, 1.0f));
    EXPECT_TRUE(a != Vector2(1.0f, 2.0f));
}

TEST(MathTest, RangeRandomStaysBetweenBoundsInEitherOrderAndRepeatsUnderASeed)
{
    Math::SeedRandom(42);
    float first[8];
    for (float& f : first)
    {
        f = Math::RangeRandom(-0.08f, -0.09f);
        EXPECT_LE(f, -0.08f);
        EXPECT_GE(f, -0.09f);
    }
    Math::SeedRandom(42);
    for (float f : first)
    {
        EXPECT_EQ(Math::RangeRandom(-0.08f, -0.09f), f);
    }
    for (int i = 0; i < 1000; ++i)
    {
        const float u = Math::UnitRandom();
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
    }
    EXPECT_FLOAT_EQ(Math::DegreesToRadians(180.0f), Math::PI);
}
