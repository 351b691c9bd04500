#include "src/autoplay/Monkey.h"

#include <algorithm>

#include "framework/platform/VirtualKeys.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Slider.h"
#include "framework/widgets/WidgetManager.h"

namespace Autoplay
{

namespace
{

using Framework::InputEvent;

// The shown widgets under container, depth first.
void CollectShown(const Framework::WidgetContainer& container, std::vector<const Framework::Widget*>& out)
{
    for (const Framework::Widget* child : container.children)
    {
        if (child == nullptr || !child->visible)
        {
            continue;
        }
        out.push_back(child);
        CollectShown(*child, out);
    }
}

InputEvent Event(InputEvent::Type type, int32_t x, int32_t y, int32_t clickCount = 0)
{
    InputEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.clickCount = clickCount;
    return e;
}

InputEvent KeyEvent(InputEvent::Type type, int32_t key)
{
    InputEvent e;
    e.type = type;
    e.key = key;
    return e;
}

} // namespace

Monkey::Monkey(uint64_t seed, int32_t actPace, int32_t screenWidth, int32_t screenHeight)
    : generator(seed), pace(std::max(actPace, 1)), width(std::max(screenWidth, 1)), height(std::max(screenHeight, 1))
{
}

int32_t Monkey::Below(int32_t n)
{
    return n <= 1 ? 0 : static_cast<int32_t>(generator() % static_cast<uint64_t>(n));
}

void Monkey::PointIn(const Framework::Widget& widget, int32_t& px, int32_t& py)
{
    const Framework::Point at = widget.GetScreenPos();
    px = std::clamp(at.x + Below(std::max(widget.width, 1)), 0, width - 1);
    py = std::clamp(at.y + Below(std::max(widget.height, 1)), 0, height - 1);
}

void Monkey::Click(std::vector<InputEvent>& out, int32_t px, int32_t py, int32_t clickCount)
{
    out.push_back(Event(InputEvent::Type::MouseMove, px, py));
    out.push_back(Event(InputEvent::Type::MouseDown, px, py, 1));
    out.push_back(Event(InputEvent::Type::MouseUp, px, py, 1));
    if (clickCount == 2)
    {
        out.push_back(Event(InputEvent::Type::MouseDown, px, py, 2));
        out.push_back(Event(InputEvent::Type::MouseUp, px, py, 1));
    }
}

void Monkey::Drag(std::vector<InputEvent>& out, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY)
{
    out.push_back(Event(InputEvent::Type::MouseMove, fromX, fromY));
    out.push_back(Event(InputEvent::Type::MouseDown, fromX, fromY, 1));
    constexpr int32_t Steps = 4;
    for (int32_t step = 1; step <= Steps; ++step)
    {
        out.push_back(Event(InputEvent::Type::MouseMove, fromX + (toX - fromX) * step / Steps,
                            fromY + (toY - fromY) * step / Steps));
    }
    out.push_back(Event(InputEvent::Type::MouseUp, toX, toY, 1));
}

void Monkey::Type(std::vector<InputEvent>& out)
{
    const int32_t roll = Below(10);
    if (roll < 6)
    {
        // A few letters, as a keyboard sends them.
        const int32_t letters = 1 + Below(4);
        for (int32_t i = 0; i < letters; ++i)
        {
            const int32_t letter = 'a' + Below(26);
            const int32_t key = letter - 'a' + 'A';
            out.push_back(KeyEvent(InputEvent::Type::KeyDown, key));
            out.push_back(KeyEvent(InputEvent::Type::CharTyped, letter));
            out.push_back(KeyEvent(InputEvent::Type::KeyUp, key));
        }
        return;
    }
    static constexpr int32_t editing[] = {Framework::VK_BACK, Framework::VK_BACK, Framework::VK_RETURN,
                                          Framework::VK_ESCAPE};
    const int32_t key = editing[Below(4)];
    out.push_back(KeyEvent(InputEvent::Type::KeyDown, key));
    out.push_back(KeyEvent(InputEvent::Type::KeyUp, key));
}

std::vector<InputEvent> Monkey::Update(const Framework::WidgetManager& screen)
{
    std::vector<InputEvent> out;
    if (Below(pace) != 0)
    {
        return out;
    }
    ++counts.acts;
    // What shows: inside the modal dialog when one is up (most presses
    // elsewhere would reach nothing), else the whole screen.
    std::vector<const Framework::Widget*> shown;
    if (screen.modalWidget != nullptr && Below(5) != 0)
    {
        if (screen.modalWidget->visible)
        {
            shown.push_back(screen.modalWidget);
        }
        CollectShown(*screen.modalWidget, shown);
    }
    else
    {
        CollectShown(screen, shown);
    }
    std::vector<const Framework::ButtonWidget*> buttons;
    std::vector<const Framework::Slider*> sliders;
    // Every shown forbidden button, modal or not: no press may land there.
    std::vector<const Framework::Widget*> allShown;
    CollectShown(screen, allShown);
    std::vector<const Framework::Widget*> avoided;
    for (const Framework::Widget* widget : allShown)
    {
        const auto* button = dynamic_cast<const Framework::ButtonWidget*>(widget);
        if (button != nullptr && forbidden && forbidden(*button))
        {
            avoided.push_back(button);
        }
    }
    const auto avoid = [&avoided](int32_t atX, int32_t atY)
    {
        for (const Framework::Widget* widget : avoided)
        {
            const Framework::Point at = widget->GetScreenPos();
            if (atX >= at.x && atY >= at.y && atX < at.x + widget->width && atY < at.y + widget->height)
            {
                return true;
            }
        }
        return false;
    };
    for (const Framework::Widget* widget : shown)
    {
        if (const auto* button = dynamic_cast<const Framework::ButtonWidget*>(widget))
        {
            if (!button->disabled && !(forbidden && forbidden(*button)))
            {
                buttons.push_back(button);
            }
        }
        else if (const auto* slider = dynamic_cast<const Framework::Slider*>(widget))
        {
            if (!slider->disabled)
            {
                sliders.push_back(slider);
            }
        }
    }

    int32_t px = 0;
    int32_t py = 0;
    const int32_t roll = Below(100);
    if (roll < 55 && !buttons.empty())
    {
        PointIn(*buttons[size_t(Below(int32_t(buttons.size())))], px, py);
        if (avoid(px, py))
        {
            return out;
        }
        Click(out, px, py, 1);
        ++counts.buttons;
    }
    else if (roll < 75)
    {
        px = Below(width);
        py = Below(height);
        if (avoid(px, py))
        {
            return out;
        }
        Click(out, px, py, Below(4) == 0 ? 2 : 1);
        ++counts.clicks;
    }
    else if (roll < 87)
    {
        if (!sliders.empty() && Below(2) == 0)
        {
            PointIn(*sliders[size_t(Below(int32_t(sliders.size())))], px, py);
        }
        else if (!shown.empty())
        {
            PointIn(*shown[size_t(Below(int32_t(shown.size())))], px, py);
        }
        else
        {
            px = Below(width);
            py = Below(height);
        }
        const int32_t toX = std::clamp(px + Below(301) - 150, 0, width - 1);
        const int32_t toY = std::clamp(py + Below(201) - 100, 0, height - 1);
        // A press and a release over the same button would press it.
        if (avoid(px, py) || avoid(toX, toY))
        {
            return out;
        }
        Drag(out, px, py, toX, toY);
        ++counts.drags;
    }
    else if (roll < 97)
    {
        Type(out);
        ++counts.keys;
    }
    else
    {
        InputEvent wheel = Event(InputEvent::Type::MouseWheel, Below(width), Below(height));
        wheel.delta = Below(2) == 0 ? 1 : -1;
        out.push_back(wheel);
        ++counts.wheels;
    }
    return out;
}

} // namespace Autoplay
