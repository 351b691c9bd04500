#include <gtest/gtest.h>

#include "examples/ControlsDemo.h"
#include "widgets/ControlsTestSupport.h"

using namespace Framework;
using TestSupport::ControlScreen;

namespace
{

void ClickCentre(ControlScreen& screen, Widget& widget)
{
    const Point pos = widget.GetScreenPos();
    screen.Click(pos.x + widget.width / 2, pos.y + widget.height / 2);
}

} // namespace

TEST(ControlsDemo, MessageBoxOpensModalAndClosesFromItsOwnButton)
{
    ControlScreen screen;
    ControlsDemo demo(nullptr, nullptr);
    demo.AddTo(&screen.manager);
    EXPECT_EQ(screen.manager.focusWidget, &demo.nameField);

    ClickCentre(screen, demo.askButton);
    ASSERT_TRUE(screen.manager.HasWidget(&demo.dialog));
    EXPECT_EQ(screen.manager.modalWidget, &demo.dialog);
    // The panel's controls are below the box: a click on the link is lost.
    ClickCentre(screen, demo.link);
    EXPECT_NE(demo.Status(), "Link clicked.");

    ClickCentre(screen, *demo.dialog.firstButton);
    EXPECT_FALSE(screen.manager.HasWidget(&demo.dialog));
    EXPECT_FALSE(screen.manager.HasWidget(demo.dialog.firstButton.get()));
    EXPECT_EQ(screen.manager.modalWidget, nullptr);
    EXPECT_EQ(demo.Status(), "Message box answered OK.");
    EXPECT_EQ(screen.manager.focusWidget, &demo.nameField) << "focus comes back after the box";

    ClickCentre(screen, demo.link);
    EXPECT_EQ(demo.Status(), "Link clicked.");
    screen.manager.RunUpdatePass();
    screen.manager.RunDrawPass();
    demo.RemoveFrom(&screen.manager);
    EXPECT_TRUE(screen.manager.children.empty());
}

TEST(ControlsDemo, CheckboxDisablesTheFirstButtonAndTheFieldReportsEnter)
{
    ControlScreen screen;
    ControlsDemo demo(nullptr, nullptr);
    demo.AddTo(&screen.manager);
    ClickCentre(screen, demo.checkbox);
    EXPECT_TRUE(demo.firstButton.disabled);
    ClickCentre(screen, demo.firstButton);
    EXPECT_EQ(demo.Status(), "First button disabled.");

    screen.manager.CharTyped('\xD6');
    screen.manager.CharTyped('\xD0');
    screen.manager.KeyDown(13);
    EXPECT_EQ(demo.Status(), "Entered: \xD6\xD0");
}
