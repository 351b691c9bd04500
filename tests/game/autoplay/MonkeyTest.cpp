// The soak's monkey over a small screen of real widgets: the same seed gives
// the same hands, every event stays on the screen, a forbidden button is
// never reached by any of its presses (buttons, clicks anywhere, drags),
// and with a modal dialog up the presses go mostly into it.
#include "src/autoplay/Monkey.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Slider.h"
#include "framework/widgets/WidgetManager.h"

namespace
{

using Framework::InputEvent;

class MonkeyTest : public ::testing::Test
{
protected:
    MonkeyTest()
    {
        screen.width = 800;
        screen.height = 600;
        panel.Resize(100, 100, 400, 300);
        screen.AddWidget(&panel);
        yes.Resize(50, 50, 28, 16);
        no.Resize(120, 50, 26, 16);
        slider.Resize(20, 200, 172, 19);
        panel.AddWidget(&yes);
        panel.AddWidget(&no);
        panel.AddWidget(&slider);
        far.Resize(700, 500, 60, 20);
        screen.AddWidget(&far);
    }
    ~MonkeyTest() override
    {
        panel.RemoveAllChildren();
        screen.RemoveAllChildren();
    }

    static bool Inside(const Framework::Widget& widget, int32_t x, int32_t y)
    {
        const Framework::Point at = widget.GetScreenPos();
        return x >= at.x && y >= at.y && x < at.x + widget.width && y < at.y + widget.height;
    }

    std::vector<std::vector<InputEvent>> Run(Autoplay::Monkey& monkey, int32_t updates)
    {
        std::vector<std::vector<InputEvent>> all;
        for (int32_t i = 0; i < updates; ++i)
        {
            all.push_back(monkey.Update(screen));
        }
        return all;
    }

    Framework::WidgetManager screen;
    Framework::Widget panel;
    Framework::ButtonWidget yes{1, nullptr};
    Framework::ButtonWidget no{2, nullptr};
    Framework::Slider slider{nullptr, nullptr, 3, nullptr};
    Framework::ButtonWidget far{4, nullptr};
};

TEST_F(MonkeyTest, OneSeedOneSequenceOfHandsAllOnTheScreen)
{
    Autoplay::Monkey first(17, 3, 800, 600);
    Autoplay::Monkey second(17, 3, 800, 600);
    Autoplay::Monkey other(18, 3, 800, 600);
    const auto a = Run(first, 3000);
    const auto b = Run(second, 3000);
    const auto c = Run(other, 3000);
    size_t events = 0;
    bool differs = false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        ASSERT_EQ(a[i].size(), b[i].size()) << i;
        differs = differs || a[i].size() != c[i].size();
        for (size_t j = 0; j < a[i].size(); ++j)
        {
            EXPECT_EQ(a[i][j].type, b[i][j].type);
            EXPECT_EQ(a[i][j].x, b[i][j].x);
            EXPECT_EQ(a[i][j].y, b[i][j].y);
            EXPECT_EQ(a[i][j].key, b[i][j].key);
            EXPECT_GE(a[i][j].x, 0);
            EXPECT_LT(a[i][j].x, 800);
            EXPECT_GE(a[i][j].y, 0);
            EXPECT_LT(a[i][j].y, 600);
            ++events;
        }
    }
    EXPECT_TRUE(differs) << "another seed, other hands";
    // About one act in three updates, each of every kind.
    const Autoplay::Monkey::Counts& counts = first.GetCounts();
    EXPECT_GT(counts.acts, 800);
    EXPECT_LT(counts.acts, 1200);
    EXPECT_GT(counts.buttons, 0);
    EXPECT_GT(counts.clicks, 0);
    EXPECT_GT(counts.drags, 0);
    EXPECT_GT(counts.keys, 0);
    EXPECT_GT(counts.wheels, 0);
    EXPECT_GT(events, 2000u);
}

TEST_F(MonkeyTest, AForbiddenButtonIsNeverPressedNorReleasedOn)
{
    Autoplay::Monkey monkey(5, 1, 800, 600);
    monkey.forbidden = [this](const Framework::ButtonWidget& button) { return &button == &yes; };
    // The forbidden button covers the panel, so random clicks and drags
    // would land on it (the other buttons there are then out of reach too).
    yes.Resize(0, 0, 400, 300);
    int32_t onFar = 0;
    for (const auto& events : Run(monkey, 5000))
    {
        for (const InputEvent& e : events)
        {
            if (e.type == InputEvent::Type::MouseDown || e.type == InputEvent::Type::MouseUp)
            {
                EXPECT_FALSE(Inside(yes, e.x, e.y)) << e.x << "," << e.y;
            }
            onFar += e.type == InputEvent::Type::MouseDown && Inside(far, e.x, e.y);
        }
    }
    EXPECT_GT(onFar, 0) << "the button outside is still pressed";
}

TEST_F(MonkeyTest, WithAModalDialogUpThePressesGoMostlyIntoIt)
{
    screen.modalWidget = &panel;
    Autoplay::Monkey monkey(9, 1, 800, 600);
    int32_t inside = 0;
    int32_t presses = 0;
    int32_t onFar = 0;
    for (const auto& events : Run(monkey, 4000))
    {
        for (const InputEvent& e : events)
        {
            if (e.type == InputEvent::Type::MouseDown)
            {
                ++presses;
                inside += Inside(panel, e.x, e.y);
                onFar += Inside(far, e.x, e.y);
            }
        }
    }
    screen.modalWidget = nullptr;
    ASSERT_GT(presses, 1000);
    EXPECT_GT(inside * 100 / presses, 60) << inside << " of " << presses;
    EXPECT_GT(onFar, 0) << "now and then outside the dialog too";
}

} // namespace
