#include "framework/app/XmlParser.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <sstream>
#include <vector>

#include "framework/platform/FileReplace.h"

namespace Framework
{

namespace
{

bool IsBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

bool XMLParser::OpenFile(const std::string& path)
{
    std::string fsPath = path;
    std::replace(fsPath.begin(), fsPath.end(), '\\', '/');
    // Only a regular file: a FIFO in its place would block the loading for
    // good, a folder would read as an empty document.
    constexpr uint64_t MaxDocumentBytes = uint64_t(64) << 20;
    std::vector<uint8_t> bytes;
    if (!ReadRegularFile(fsPath, MaxDocumentBytes, bytes))
    {
        isOpen = false;
        lineNum = 0;
        errorText = "Unable to open file " + path;
        hasFailed = true;
        return false;
    }
    OpenText(std::string(bytes.begin(), bytes.end()), path);
    return true;
}

void XMLParser::OpenText(const std::string& text, const std::string& name)
{
    input = text;
    inputPos = 0;
    isOpen = true;
    fileName = name;
    section.clear();
    errorText.clear();
    pushBack.clear();
    lineNum = 1;
    hasFailed = false;
}

int XMLParser::NextChar()
{
    int c = -1;
    if (!pushBack.empty())
    {
        c = static_cast<unsigned char>(pushBack.back());
        pushBack.pop_back();
    }
    else if (isOpen && inputPos < input.size())
    {
        c = static_cast<unsigned char>(input[inputPos++]);
    }
    if (c == '\n')
    {
        ++lineNum;
    }
    return c;
}

void XMLParser::PushBack(const std::string& text)
{
    // The buffer is read from its back: push in reverse so `text` reads forwards.
    pushBack.append(text.rbegin(), text.rend());
}

bool XMLParser::Fail(const std::string& message)
{
    hasFailed = true;
    errorText = message;
    return false;
}

std::string XMLParser::DecodeEntities(const std::string& text)
{
    if (text.find('&') == std::string::npos)
    {
        return text;
    }
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
    {
        if (text[i] != '&')
        {
            out += text[i++];
            continue;
        }
        const size_t semi = text.find(';', i + 1);
        if (semi == std::string::npos)
        {
            out.append(text, i, std::string::npos);
            break;
        }
        const std::string name = text.substr(i + 1, semi - i - 1);
        if (name == "lt")
            out += '<';
        else if (name == "amp")
            out += '&';
        else if (name == "gt")
            out += '>';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name == "nbsp")
            out += ' ';
        else if (name == "cr")
            out += '\n';
        else
            out += '&';
        i = semi + 1;
    }
    return out;
}

bool XMLParser::NextElement(XMLElement& element)
{
    while (true)
    {
        if (hasFailed)
        {
            return false;
        }
        if (!ReadElement(element))
        {
            return false;
        }
        if (element.type != XMLElement::TYPE_COMMENT || allowComments)
        {
            return true;
        }
    }
}

bool XMLParser::ReadElement(XMLElement& element)
{
    element.type = XMLElement::TYPE_NONE;
    element.section = section;
    element.value.clear();
    element.instruction.clear();
    element.attributes.clear();
    element.attributeOrder.clear();

    bool quoting = false;
    bool blankSeen = false;
    // Start-tag attribute state: the name has ended once a blank followed it.
    bool inAttributes = false;
    std::string attrName;
    std::string attrValue;
    bool afterEquals = false;
    bool valueQuoted = false;
    std::string lastStored;
    bool anyStored = false;

    auto storeAttribute = [&]()
    {
        if (element.attributes.find(attrName) == element.attributes.end())
        {
            element.attributeOrder.push_back(attrName);
        }
        element.attributes[attrName] = attrValue;
        lastStored = attrName;
        anyStored = true;
        attrName.clear();
        attrValue.clear();
        afterEquals = false;
        valueQuoted = false;
    };

    auto ordinary = [&](char c)
    {
        if (element.type == XMLElement::TYPE_NONE)
        {
            element.type = XMLElement::TYPE_ELEMENT;
        }
        if (element.type == XMLElement::TYPE_START)
        {
            if (!inAttributes && blankSeen)
            {
                inAttributes = true;
                blankSeen = false;
            }
            if (!inAttributes)
            {
                element.value += c;
                return;
            }
            if (blankSeen && (!attrValue.empty() || valueQuoted))
            {
                storeAttribute();
            }
            blankSeen = false;
            if (c == '=' && !afterEquals && !quoting)
            {
                afterEquals = true;
            }
            else if (afterEquals)
            {
                attrValue += c;
            }
            else
            {
                attrName += c;
            }
            return;
        }
        if (element.type == XMLElement::TYPE_ELEMENT && blankSeen)
        {
            element.value += ' ';
        }
        blankSeen = false;
        element.value += c;
    };

    while (true)
    {
        const int ch = NextChar();
        if (ch < 0)
        {
            if (element.type == XMLElement::TYPE_NONE)
            {
                return false;
            }
            return Fail("Unexpected End of File");
        }
        const char c = static_cast<char>(ch);

        if (element.type == XMLElement::TYPE_COMMENT)
        {
            element.instruction += c;
            if (c == '>' && EndsWith(element.instruction, "-->"))
            {
                element.instruction.resize(element.instruction.size() - 3);
                break;
            }
            continue;
        }
        if (element.type == XMLElement::TYPE_INSTRUCTION)
        {
            element.instruction += c;
            if (c == '>' && EndsWith(element.instruction, "?>"))
            {
                element.instruction.resize(element.instruction.size() - 2);
                break;
            }
            continue;
        }

        if (c == '"')
        {
            quoting = !quoting;
            if (element.type == XMLElement::TYPE_START || element.type == XMLElement::TYPE_END)
            {
                if (!quoting && inAttributes)
                {
                    valueQuoted = true;
                }
            }
            else
            {
                ordinary(c);
            }
            continue;
        }
        if (quoting)
        {
            ordinary(c);
            continue;
        }
        if (c == '<')
        {
            if (element.type == XMLElement::TYPE_ELEMENT)
            {
                PushBack("<");
                break;
            }
            if (element.type != XMLElement::TYPE_NONE)
            {
                return Fail("Unexpected '<'");
            }
            element.type = XMLElement::TYPE_START;
            continue;
        }
        if (c == '>')
        {
            if (element.type == XMLElement::TYPE_START)
            {
                if (inAttributes && (!attrName.empty() || afterEquals || valueQuoted) && attrName != "/")
                {
                    storeAttribute();
                }
                bool empty = false;
                if (anyStored)
                {
                    std::string& last = element.attributes[lastStored];
                    if (!last.empty() && last.back() == '/')
                    {
                        last.pop_back();
                        empty = true;
                    }
                }
                else if (!element.value.empty() && element.value.back() == '/')
                {
                    element.value.pop_back();
                    empty = true;
                }
                if (empty)
                {
                    PushBack("</" + element.value + ">");
                }
                section += section.empty() ? element.value : "/" + element.value;
                break;
            }
            if (element.type == XMLElement::TYPE_END)
            {
                if (section.empty())
                {
                    return Fail("Unexpected End");
                }
                const size_t slash = section.rfind('/');
                const std::string component = slash == std::string::npos ? section : section.substr(slash + 1);
                if (component != element.value)
                {
                    return Fail("End '" + element.value + "' Doesn't Match Start '" + component + "'");
                }
                section.resize(slash == std::string::npos ? 0 : slash);
                break;
            }
            return Fail("Unexpected '>'");
        }
        if (element.type == XMLElement::TYPE_START && element.value.empty() && !inAttributes)
        {
            if (c == '/')
            {
                element.type = XMLElement::TYPE_END;
                continue;
            }
            if (c == '?')
            {
                element.type = XMLElement::TYPE_INSTRUCTION;
                continue;
            }
        }
        if (IsBlank(ch))
        {
            if (!element.value.empty())
            {
                blankSeen = true;
            }
            if (element.type == XMLElement::TYPE_START && element.value == "!--" && !inAttributes)
            {
                element.type = XMLElement::TYPE_COMMENT;
            }
            continue;
        }
        if (ch < '!')
        {
            return Fail("Illegal Character");
        }
        ordinary(c);
    }

    element.value = DecodeEntities(element.value);
    if (!element.attributes.empty())
    {
        std::map<std::string, std::string> decoded;
        for (std::string& name : element.attributeOrder)
        {
            std::string key = DecodeEntities(name);
            decoded[key] = DecodeEntities(element.attributes[name]);
            name = std::move(key);
        }
        // Decoding may make two names equal: keep the first position only.
        std::vector<std::string> order;
        for (const std::string& name : element.attributeOrder)
        {
            if (std::find(order.begin(), order.end(), name) == order.end())
            {
                order.push_back(name);
            }
        }
        element.attributes = std::move(decoded);
        element.attributeOrder = std::move(order);
    }
    return true;
}

} // namespace Framework
