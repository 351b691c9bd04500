// The menu panels driven through the widget manager: the main menu, the
// difficulty selector, the world selector with its spheres, and the quest
// stage chooser.
#include <gtest/gtest.h>

#include "framework/widgets/ButtonWidget.h"
#include "game/screens/common/MenuTestSupport.h"
#include "src/screens/menu/ChooseStageDialog.h"
#include "src/screens/menu/DifficultySelector.h"
#include "src/screens/menu/MainMenu.h"
#include "src/screens/menu/WorldSelector.h"
#include "src/screens/menu/WorldSphere.h"

using TestSupport::Calls;
using TestSupport::TestSoundBtonOn;
using TestSupport::TestSoundSelectW;

namespace
{

// The button with the id among a screen's children.
Framework::ButtonWidget& ButtonOf(Framework::Widget& screen, int32_t id)
{
    for (Framework::Widget* child : screen.children)
    {
        auto* button = dynamic_cast<Framework::ButtonWidget*>(child);
        if (button != nullptr && button->id == id)
        {
            return *button;
        }
    }
    ADD_FAILURE() << "no button " << id;
    static Framework::ButtonWidget none(-1, nullptr);
    return none;
}

class MainMenuTest : public TestSupport::MenuBench
{
};
class DifficultyTest : public TestSupport::MenuBench
{
};
class WorldSelectorTest : public TestSupport::MenuBench
{
protected:
    WorldSelectorTest()
    {
        manager.AddWidget(&selector);
        selector.ResetWorldSelector();
    }
    WorldSelector selector{host};
};

} // namespace

TEST_F(MainMenuTest, EachButtonLeadsWhereTheMenuPromises)
{
    MainMenu menu(host);
    manager.AddWidget(&menu);
    EXPECT_EQ(menu.x, 301);
    EXPECT_EQ(menu.y, 363);
    EXPECT_EQ(menu.width, 196) << "the menu takes its picture's size";

    struct Row
    {
        int32_t id;
        Calls expected;
    };
    const Row rows[] = {
        {MainMenu::ButtonArcade, {"mode 100", "panel 2"}},     {MainMenu::ButtonQuest, {"mode 101", "panel 3"}},
        {MainMenu::ButtonTimeAttack, {"mode 102", "panel 2"}}, {MainMenu::ButtonSetting, {"settings"}},
        {MainMenu::ButtonQuitGame, {"exit dialog"}},
    };
    for (const Row& row : rows)
    {
        host.calls.clear();
        ClickOn(ButtonOf(menu, row.id));
        EXPECT_EQ(host.calls, row.expected) << "button " << row.id;
    }
    // The time attack strip has a disabled frame, the others none.
    EXPECT_FALSE(ButtonOf(menu, MainMenu::ButtonArcade).HasDisabledFrame());
    EXPECT_TRUE(ButtonOf(menu, MainMenu::ButtonTimeAttack).HasDisabledFrame());
}

TEST_F(MainMenuTest, PressingAndLeavingWithoutReleaseDoesNothing)
{
    MainMenu menu(host);
    manager.AddWidget(&menu);
    const Framework::Point at = ButtonOf(menu, MainMenu::ButtonArcade).GetScreenPos();
    manager.MouseMove(at.x + 3, at.y + 3);
    manager.MouseDown(at.x + 3, at.y + 3, 1);
    manager.MouseDrag(10, 10);
    manager.MouseUp(10, 10, 1);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(MainMenuTest, ButtonsGiveTheHoverSoundThenTheHandAndNoClickSound)
{
    MainMenu menu(host);
    manager.AddWidget(&menu);
    const Framework::Point at = ButtonOf(menu, MainMenu::ButtonQuest).GetScreenPos();
    manager.MouseMove(at.x + 2, at.y + 2);
    EXPECT_EQ(host.sounds, (std::vector<int32_t>{TestSoundBtonOn}));
    manager.MouseMove(at.x + 3, at.y + 2);
    ASSERT_FALSE(host.cursors.empty());
    EXPECT_EQ(host.cursors, std::vector<int32_t>(host.cursors.size(), 1)) << "the hand while over it";
    manager.MouseDown(at.x + 3, at.y + 2, 1);
    manager.MouseUp(at.x + 3, at.y + 2, 1);
    EXPECT_EQ(host.sounds.size(), 1U) << "no sound on the click";
    manager.MouseMove(5, 5);
    EXPECT_EQ(host.cursors.back(), 0);
}

TEST_F(DifficultyTest, DifficultiesGoToTheWorldsAndBackToTheMainMenu)
{
    DifficultySelector selector(host);
    manager.AddWidget(&selector);
    EXPECT_EQ(selector.GetRect(), Framework::Rect(301, 363, 196, 190));
    for (int32_t id = 0; id < 4; ++id)
    {
        host.calls.clear();
        ClickOn(ButtonOf(selector, id));
        EXPECT_EQ(host.calls, (Calls{"difficulty " + std::to_string(id), "panel 3"}));
    }
    host.calls.clear();
    ClickOn(ButtonOf(selector, DifficultySelector::ButtonBack));
    EXPECT_EQ(host.calls, (Calls{"panel 1"}));
}

TEST_F(WorldSelectorTest, BackLeadsToTheMainMenuInQuestAndToTheDifficultiesOtherwise)
{
    for (int32_t mode : {100, 101, 102})
    {
        host.mode = mode;
        host.calls.clear();
        ClickOn(ButtonOf(selector, WorldSelector::ButtonBack));
        EXPECT_EQ(host.calls, (Calls{mode == 101 ? "panel 1" : "panel 2"})) << "mode " << mode;
    }
    EXPECT_TRUE(host.sounds.empty()) << "the world selector's button is silent";
    EXPECT_TRUE(host.cursors.empty());
}

TEST_F(WorldSelectorTest, SpheresAppearOneAfterAnotherAndGrowToFullSize)
{
    WorldSphere& air = *selector.SphereOf(4);
    WorldSphere& fire = *selector.SphereOf(2);
    WorldSphere& water = *selector.SphereOf(1);
    WorldSphere& earth = *selector.SphereOf(3);
    EXPECT_EQ(air.GetRect(), Framework::Rect(43, 153, 172, 175));
    EXPECT_EQ(earth.GetRect(), Framework::Rect(583, 153, 172, 175));

    Updates(1);
    EXPECT_GT(air.scale, 0.0f) << "air grows at once";
    EXPECT_EQ(fire.scale, 0.0f);
    Updates(9);
    EXPECT_GT(fire.scale, 0.0f) << "fire after 10 updates";
    EXPECT_EQ(water.scale, 0.0f);
    Updates(10);
    EXPECT_GT(water.scale, 0.0f) << "water after 20";
    EXPECT_EQ(earth.scale, 0.0f);
    EXPECT_EQ(air.scale, 1.0f) << "20 steps of 0.05 reach full size and stop there";
    Updates(10);
    EXPECT_GT(earth.scale, 0.0f) << "earth after 30";
    EXPECT_GT(earth.delay, -1) << "the delay does not run on below zero";

    // Entering the panel again hides them all behind their delays.
    selector.ResetWorldSelector();
    EXPECT_EQ(air.scale, 0.0f);
    EXPECT_EQ(earth.delay, 30);
    EXPECT_EQ(air.labelAlpha, 0);
}

TEST_F(WorldSelectorTest, TitleSwellsToTwiceItsSizeThenSettlesJustBelowOne)
{
    float largest = 0.0f;
    int32_t updates = 0;
    while (selector.titleActive && updates < 100)
    {
        Updates(1);
        ++updates;
        largest = std::max(largest, selector.titleScale);
    }
    EXPECT_FALSE(selector.titleActive);
    EXPECT_GT(largest, 2.0f);
    EXPECT_LT(largest, 2.0f + 0.071f);
    EXPECT_LT(selector.titleScale, 1.0f);
    EXPECT_GT(selector.titleScale, 1.0f - 0.071f);
    EXPECT_TRUE(selector.titleGrowing);
    const float settled = selector.titleScale;
    Updates(5);
    EXPECT_EQ(selector.titleScale, settled);
    selector.ResetWorldSelector();
    EXPECT_TRUE(selector.titleActive);
    EXPECT_EQ(selector.titleScale, 1.0f);
}

TEST_F(WorldSelectorTest, SphereHoverSwitchesTheLookAndSoundsOnlyOnEntering)
{
    WorldSphere& fire = *selector.SphereOf(2);
    const Framework::Point at = fire.GetScreenPos();
    manager.MouseMove(at.x + 10, at.y + 10);
    manager.MouseMove(at.x + 20, at.y + 10);
    EXPECT_FALSE(fire.normalLook);
    EXPECT_EQ(host.sounds, (std::vector<int32_t>{TestSoundBtonOn}));
    manager.MouseMove(2, 2);
    EXPECT_TRUE(fire.normalLook);
    EXPECT_EQ(host.sounds.size(), 1U);
}

TEST_F(WorldSelectorTest, OnlyASingleLeftPressInsideTheSpherePicksTheWorld)
{
    WorldSphere& water = *selector.SphereOf(1);
    const Framework::Point at = water.GetScreenPos();
    host.mode = 100;
    for (int32_t clickCount : {2, -1, -2, 3})
    {
        Click(at.x + 50, at.y + 50, clickCount);
    }
    EXPECT_TRUE(host.calls.empty()) << "double, right and middle presses do nothing";
    Click(at.x + 172, at.y + 50);
    EXPECT_TRUE(host.calls.empty()) << "just outside the 172 x 175 rectangle";

    host.sounds.clear();
    Click(at.x + 171, at.y + 174);
    EXPECT_EQ(host.calls, (Calls{"world 1", "start"}));
    EXPECT_EQ(host.sounds, (std::vector<int32_t>{TestSoundBtonOn, TestSoundSelectW}));
}

TEST_F(WorldSelectorTest, InQuestASphereOpensTheChooserOverHiddenSpheres)
{
    host.mode = 101;
    host.progress = 2;
    ClickOn(*selector.SphereOf(3));
    EXPECT_EQ(host.calls, (Calls{"world 3"})) << "no game yet";
    ASSERT_TRUE(selector.IsStageChooserOpen());
    for (const auto& sphere : selector.spheres)
    {
        EXPECT_FALSE(sphere->visible);
    }
    ChooseStageDialog& chooser = *selector.stageChooser;
    EXPECT_EQ(chooser.GetScreenPos().x, 178);
    EXPECT_EQ(chooser.GetScreenPos().y, 200 + 24);
    // The whole panel, and so every stage button, lies on the 800 x 600 screen
    // (full screen letterboxes the same picture).
    const Framework::Rect whole(0, 0, 800, 600);
    const Framework::Point at = chooser.GetScreenPos();
    const Framework::Rect panel(at.x, at.y, chooser.width, chooser.height);
    EXPECT_EQ(panel.Intersection(whole), panel);
    for (int32_t n = 0; n < ChooseStageDialog::StageCount; ++n)
    {
        const Framework::Rect button = chooser.StageButton(n)->GetRect();
        const Framework::Rect onScreen(at.x + button.x, at.y + button.y, button.width, button.height);
        EXPECT_EQ(onScreen.Intersection(whole), onScreen) << "stage " << n + 1;
    }
    EXPECT_FALSE(chooser.StageButton(2)->disabled);
    EXPECT_TRUE(chooser.StageButton(3)->disabled);
}

TEST_F(WorldSelectorTest, StageButtonsOpenUpToOnePastTheProgress)
{
    ChooseStageDialog& chooser = *selector.stageChooser;
    struct Row
    {
        int32_t progress;
        int32_t open;
    };
    // A damaged profile may hold anything: below 0 still opens stage 1.
    for (const Row row : {Row{0, 1}, Row{7, 8}, Row{14, 15}, Row{15, 16}, Row{99, 16}, Row{-3, 1}})
    {
        host.progress = row.progress;
        selector.OpenStageChooser();
        for (int32_t n = 0; n < ChooseStageDialog::StageCount; ++n)
        {
            EXPECT_EQ(chooser.StageButton(n)->disabled, n >= row.open)
                << "progress " << row.progress << ", stage " << n + 1;
        }
    }
}

TEST_F(WorldSelectorTest, StageButtonsStartTheStageOfTheWorldAndCloseTheChooser)
{
    host.mode = 101;
    host.progress = 15;
    struct Row
    {
        int32_t world;
        int32_t stage;
        int32_t id;
    };
    for (const Row row : {Row{3, 15, 40015}, Row{4, 0, 10000}, Row{2, 9, 20009}, Row{1, 8, 30008}})
    {
        manager.RemoveAllChildren();
        manager.AddWidget(&selector);
        selector.ResetWorldSelector();
        ClickOn(*selector.SphereOf(row.world));
        ASSERT_TRUE(selector.IsStageChooserOpen());
        host.calls.clear();
        ClickOn(*selector.stageChooser->StageButton(row.stage));
        EXPECT_EQ(host.calls, (Calls{"stage " + std::to_string(row.id), "start"}));
        EXPECT_FALSE(selector.IsStageChooserOpen());
    }
    // Stage buttons sit in two columns: 1-9 at x 217, 10-16 at x 257.
    EXPECT_EQ(selector.stageChooser->StageButton(8)->GetRect(), Framework::Rect(217, 333, 37, 43));
    EXPECT_EQ(selector.stageChooser->StageButton(15)->GetRect(), Framework::Rect(257, 301, 37, 43));
}

TEST_F(WorldSelectorTest, ALockedStageCannotBeStarted)
{
    host.mode = 101;
    host.progress = 0;
    ClickOn(*selector.SphereOf(2));
    host.calls.clear();
    ClickOn(*selector.stageChooser->StageButton(1));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(selector.IsStageChooserOpen());
}

TEST_F(WorldSelectorTest, ClosingTheChooserBringsTheSpheresBackWithTheirDelays)
{
    host.mode = 101;
    ClickOn(*selector.SphereOf(4));
    Updates(40);
    ClickOn(ButtonOf(*selector.stageChooser, ChooseStageDialog::ButtonClose));
    EXPECT_FALSE(selector.IsStageChooserOpen());
    EXPECT_EQ(host.calls, (Calls{"world 4"}));
    for (const auto& sphere : selector.spheres)
    {
        EXPECT_TRUE(sphere->visible);
        EXPECT_EQ(sphere->scale, 0.0f);
    }
    EXPECT_EQ(selector.SphereOf(4)->delay, 0);
    EXPECT_EQ(selector.SphereOf(2)->delay, 10);
    EXPECT_EQ(selector.SphereOf(1)->delay, 20);
    EXPECT_EQ(selector.SphereOf(3)->delay, 30);
}

TEST_F(WorldSelectorTest, EnteringThePanelAgainNeverShowsSpheresUnderAnOpenChooser)
{
    // Leaving by BACK with the chooser open, then coming back.
    host.mode = 101;
    ClickOn(*selector.SphereOf(1));
    ClickOn(ButtonOf(selector, WorldSelector::ButtonBack));
    selector.ResetWorldSelector();
    EXPECT_FALSE(selector.IsStageChooserOpen());
    EXPECT_TRUE(selector.SphereOf(1)->visible);
}
