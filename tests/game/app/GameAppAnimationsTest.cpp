// GameApp's seams to the running animations: the banner held from the
// start and marked done by a new stage, the stage tip listed by
// StageReached, and the list released with the game's effects.
#include "src/app/GameApp.h"

#include <gtest/gtest.h>

#include "game/app/TestGameApp.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/StageEffects.h"

using FrothwickTest::TestGameApp;

namespace
{

TEST(GameAppAnimations, BannerStageTipAndRelease)
{
    TestGameApp app;
    ASSERT_TRUE(app.gameOverEffect);
    EXPECT_FALSE(app.gameOverEffect->IsDone());
    app.ResetStage();
    EXPECT_TRUE(app.gameOverEffect->IsDone());

    auto& list = SpriteAnimationManager::Instance();
    const size_t before = list.Count();
    app.SetWorld(4);
    app.StageReached(10009);
    ASSERT_EQ(list.Count(), before + 1);
    const auto* tip = dynamic_cast<const StageTipAnimation*>(list.Animations().back().get());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetTens(), 1);
    EXPECT_EQ(tip->GetUnits(), 0);

    app.ReleaseGameEffects();
    EXPECT_EQ(SpriteAnimationManager::Instance().Count(), 0u);
}

} // namespace
