#include "framework/widgets/ControlHost.h"

#include "framework/widgets/WidgetManager.h"

namespace Framework
{

ControlHost* FindControlHost(const WidgetContainer* widget)
{
    if (widget == nullptr || widget->manager == nullptr)
    {
        return nullptr;
    }
    return dynamic_cast<ControlHost*>(widget->manager->app);
}

void SetControlCursor(const WidgetContainer* widget, int32_t number)
{
    if (ControlHost* host = FindControlHost(widget))
    {
        host->SetCursor(number);
    }
}

} // namespace Framework
