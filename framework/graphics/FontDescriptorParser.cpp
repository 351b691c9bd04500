#include "framework/graphics/FontDescriptorParser.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "framework/platform/FileReplace.h"

namespace Framework
{

namespace
{

// A descriptor is a few kilobytes of text; far larger is not one.
constexpr uint64_t MaxDescriptorBytes = uint64_t(16) << 20;

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',';
}

} // namespace

bool DescParser::LoadDescriptor(const std::string& path)
{
    std::string fsPath = path;
    for (char& c : fsPath)
    {
        if (c == '\\')
            c = '/';
    }
    // Only a regular file: a folder would read as an empty descriptor and a
    // FIFO would block the loading for good.
    std::vector<uint8_t> bytes;
    if (!Framework::ReadRegularFile(fsPath, MaxDescriptorBytes, bytes))
    {
        return Error("Unable to open file");
    }
    return LoadDescriptorText(std::string(bytes.begin(), bytes.end()));
}

bool DescParser::LoadDescriptorText(const std::string& text)
{
    std::string command;
    int32_t line = 1;
    int32_t commandLine = 1;
    char quote = 0;
    bool escaped = false;
    bool atLineStart = true;
    bool inComment = false;

    for (char c : text)
    {
        if (c == '\r')
        {
            continue;
        }
        if (inComment)
        {
            if (c == '\n')
            {
                inComment = false;
                atLineStart = true;
                ++line;
            }
            continue;
        }
        if (quote != 0)
        {
            command += c;
            if (c == '\n')
                ++line;
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '\n')
        {
            ++line;
            atLineStart = true;
            if (!command.empty())
                command += c;
            continue;
        }
        if (c == ' ' || c == '\t')
        {
            if (!command.empty())
                command += c;
            continue;
        }
        if (c == '#' && atLineStart)
        {
            inComment = true;
            continue;
        }
        atLineStart = false;
        if (c == ';')
        {
            if (!command.empty() && !ExecuteCommand(command))
                return false;
            command.clear();
            continue;
        }
        if (command.empty())
            commandLine = line;
        if (c == '"' || c == '\'')
            quote = c;
        command += c;
        currentLine = commandLine;
    }
    if (!command.empty())
    {
        currentLine = commandLine;
        return ExecuteCommand(command);
    }
    return true;
}

bool DescParser::ExecuteCommand(const std::string& command)
{
    currentCommand = command;
    inCommand = true;
    ListDataElement params;
    std::string error;
    bool ok = false;
    if (!Tokenize(command, params, error))
    {
        ok = Error(error);
    }
    else if (params.children.empty())
    {
        ok = true;
    }
    else if (params.children[0]->IsList())
    {
        ok = Error("Missing Command");
    }
    else
    {
        ok = HandleCommand(params);
    }
    inCommand = false;
    return ok;
}

bool DescParser::Tokenize(const std::string& command, ListDataElement& out, std::string& error)
{
    std::vector<ListDataElement*> stack{&out};
    std::vector<std::unique_ptr<ListDataElement>> open;
    std::string token;
    bool haveToken = false;

    auto flush = [&]()
    {
        if (haveToken)
        {
            stack.back()->children.push_back(std::make_unique<SingleDataElement>(token, false));
            token.clear();
            haveToken = false;
        }
    };

    for (size_t i = 0; i < command.size(); ++i)
    {
        const char c = command[i];
        if (IsSeparator(c))
        {
            flush();
        }
        else if (c == '(')
        {
            if (haveToken)
            {
                error = "Unexpected List Start";
                return false;
            }
            if (stack.size() > size_t(MaxListDepth))
            {
                error = "Unterminated List";
                return false;
            }
            open.push_back(std::make_unique<ListDataElement>());
            stack.push_back(open.back().get());
        }
        else if (c == ')')
        {
            flush();
            if (open.empty())
            {
                error = "Unexpected List End";
                return false;
            }
            std::unique_ptr<ListDataElement> done = std::move(open.back());
            open.pop_back();
            stack.pop_back();
            stack.back()->children.push_back(std::move(done));
        }
        else if (c == '"' || c == '\'')
        {
            flush();
            std::string value;
            size_t j = i + 1;
            bool closed = false;
            for (; j < command.size(); ++j)
            {
                if (command[j] == '\\' && j + 1 < command.size())
                {
                    value += command[++j];
                }
                else if (command[j] == c)
                {
                    closed = true;
                    break;
                }
                else
                {
                    value += command[j];
                }
            }
            if (!closed)
            {
                error = c == '"' ? "Unterminated Double Quotes" : "Unterminated Single Quotes";
                return false;
            }
            stack.back()->children.push_back(std::make_unique<SingleDataElement>(value, true));
            i = j;
        }
        else
        {
            token += c;
            haveToken = true;
        }
    }
    flush();
    if (!open.empty())
    {
        error = "Unterminated List";
        return false;
    }
    return true;
}

bool DescParser::Error(const std::string& text)
{
    std::string message = errorHeader + text;
    if (inCommand)
    {
        message += " on Line " + std::to_string(currentLine) + ":\r\n\r\n" + currentCommand;
    }
    lastError = message;
    ReportError(message);
    return false;
}

std::string DescParser::Upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool DescParser::IsImmediate(const SingleDataElement& element)
{
    if (element.quoted)
        return true;
    if (element.text.empty())
        return false;
    const char c = element.text[0];
    return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '"' || c == '\'';
}

const DataElement* DescParser::FindDefine(const std::string& name) const
{
    auto it = defines.find(Upper(name));
    return it == defines.end() ? nullptr : it->second.get();
}

void DescParser::SetDefine(const std::string& name, std::unique_ptr<DataElement> value)
{
    defines[Upper(name)] = std::move(value);
}

const DataElement& DescParser::Resolve(const DataElement& element) const
{
    if (!element.IsList())
    {
        const auto& single = static_cast<const SingleDataElement&>(element);
        if (!single.quoted)
        {
            if (const DataElement* define = FindDefine(single.text))
                return *define;
        }
    }
    return element;
}

bool DescParser::ParseInt(const std::string& text, int32_t& out)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-')
    {
        negative = true;
        ++i;
    }
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
    {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    int64_t value = 0;
    for (; i < text.size(); ++i)
    {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        value = value * base + digit;
        // Keep within 32 bits: larger values wrap as the stored integer would.
        value &= 0xFFFFFFFFLL;
    }
    const auto word = uint32_t(value);
    out = negative ? int32_t(0u - word) : int32_t(word);
    return true;
}

bool DescParser::ParseDouble(const std::string& text, double& out)
{
    size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    const size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == digitsStart)
        return false;
    if (i < text.size() && text[i] == '.')
    {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
    }
    if (i != text.size())
        return false;
    out = std::strtod(text.c_str(), nullptr);
    return true;
}

bool DescParser::DataToInt(const DataElement& element, int32_t& out)
{
    const DataElement& value = Resolve(element);
    if (value.IsList())
        return false;
    return ParseInt(static_cast<const SingleDataElement&>(value).text, out);
}

bool DescParser::DataToDouble(const DataElement& element, double& out)
{
    const DataElement& value = Resolve(element);
    if (value.IsList())
        return false;
    return ParseDouble(static_cast<const SingleDataElement&>(value).text, out);
}

bool DescParser::DataToString(const DataElement& element, std::string& out)
{
    const DataElement& value = Resolve(element);
    if (value.IsList())
        return false;
    out = static_cast<const SingleDataElement&>(value).text;
    return true;
}

bool DescParser::ResolveList(const ListDataElement& list, ListDataElement& out, int depth)
{
    if (depth > MaxListDepth)
        return false;
    for (const auto& child : list.children)
    {
        if (child->IsList())
        {
            auto nested = std::make_unique<ListDataElement>();
            if (!ResolveList(static_cast<const ListDataElement&>(*child), *nested, depth + 1))
                return false;
            out.children.push_back(std::move(nested));
            continue;
        }
        const auto& single = static_cast<const SingleDataElement&>(*child);
        if (IsImmediate(single))
        {
            out.children.push_back(single.Duplicate());
            continue;
        }
        const DataElement* define = FindDefine(single.text);
        if (define == nullptr)
        {
            dereferenceError = "Unable to Dereference \"" + Upper(single.text) + "\"";
            return false;
        }
        // Defines are stored resolved, so their copies need no further work.
        out.children.push_back(define->Duplicate());
    }
    return true;
}

bool DescParser::DataToList(const DataElement& element, std::unique_ptr<ListDataElement>& out)
{
    dereferenceError.clear();
    const DataElement& value = Resolve(element);
    if (!value.IsList())
        return false;
    out = std::make_unique<ListDataElement>();
    return ResolveList(static_cast<const ListDataElement&>(value), *out, 0);
}

bool DescParser::DataToStringVector(const DataElement& element, std::vector<std::string>& out)
{
    std::unique_ptr<ListDataElement> list;
    if (!DataToList(element, list))
        return false;
    out.clear();
    for (const auto& child : list->children)
    {
        if (child->IsList())
            return false;
        out.push_back(static_cast<const SingleDataElement&>(*child).text);
    }
    return true;
}

bool DescParser::DataToIntVector(const DataElement& element, std::vector<int32_t>& out)
{
    std::unique_ptr<ListDataElement> list;
    if (!DataToList(element, list))
        return false;
    out.clear();
    for (const auto& child : list->children)
    {
        int32_t value = 0;
        if (child->IsList() || !ParseInt(static_cast<const SingleDataElement&>(*child).text, value))
            return false;
        out.push_back(value);
    }
    return true;
}

bool DescParser::DataToDoubleVector(const DataElement& element, std::vector<double>& out)
{
    std::unique_ptr<ListDataElement> list;
    if (!DataToList(element, list))
        return false;
    out.clear();
    for (const auto& child : list->children)
    {
        double value = 0;
        if (child->IsList() || !ParseDouble(static_cast<const SingleDataElement&>(*child).text, value))
            return false;
        out.push_back(value);
    }
    return true;
}

} // namespace Framework
