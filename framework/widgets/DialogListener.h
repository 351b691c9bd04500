// DialogListener: what a message box reports about its buttons. buttonId is
// Dialog::ID_YES / ID_OK (1000) or ID_NO / ID_CANCEL (1001).
#pragma once

#include <cstdint>

namespace Framework
{

class DialogListener
{
public:
    virtual ~DialogListener() = default;
    virtual void DialogButtonPressed(int32_t /*dialogId*/, int32_t /*buttonId*/) {}
    virtual void DialogButtonClicked(int32_t /*dialogId*/, int32_t /*buttonId*/) {}
};

} // namespace Framework
