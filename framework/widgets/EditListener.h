// EditListener: what a text field reports to its owner and asks of it.
// Texts are GBK byte strings.
#pragma once

#include <cstdint>
#include <string>

namespace Framework
{

class EditListener
{
public:
    virtual ~EditListener() = default;
    // Enter was pressed in the field.
    virtual void EditTextEntered(int32_t /*id*/, const std::string& /*text*/) {}
    // Asked before a key code (not a typed character) is handled; false
    // drops the key.
    virtual bool AcceptKey(int32_t /*id*/, int32_t /*key*/) { return true; }
    // Not asked by the text field; kept for owners that filter characters
    // themselves.
    virtual bool AcceptChar(int32_t /*id*/, char /*c*/) { return true; }
    // Asked after every edit with the new text; false undoes the edit.
    virtual bool AcceptText(int32_t /*id*/, const std::string& /*newText*/) { return true; }
};

} // namespace Framework
