// DescParser: reads a font descriptor, a small command language: commands end
// with ";" outside quotes, "#" at the start of a line comments out the line,
// single or double quotes make one token (a backslash escapes the next
// character), "(" ... ")" make nested lists, and blanks and commas separate
// tokens. Each command is tokenized and handed to HandleCommand; the first
// failure stops the reading. Defines (names compared without regard to case)
// give values names that later commands use.
//
// The input is untrusted: any text gives either a result or one of the fixed
// error messages, never undefined behaviour. Nesting is limited to
// MaxListDepth levels.
//
// Not thread-safe: one reader per descriptor, used by one thread.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/FontDescriptorElement.h"

namespace Framework
{

class DescParser
{
public:
    static constexpr int MaxListDepth = 64;

    DescParser() = default;
    DescParser(const DescParser&) = delete;
    DescParser& operator=(const DescParser&) = delete;
    virtual ~DescParser() = default;

    // Reads the file (false when it cannot be opened or a command failed).
    bool LoadDescriptor(const std::string& path);
    // Reads descriptor text held in memory.
    bool LoadDescriptorText(const std::string& text);

    // Splits a command into elements; false with the error text set.
    static bool Tokenize(const std::string& command, ListDataElement& out, std::string& error);

    // The define's value, or null (name compared without regard to case).
    const DataElement* FindDefine(const std::string& name) const;

    const std::string& LastError() const { return lastError; }

protected:
    // Executes one command (params[0] is the command name); false stops.
    virtual bool HandleCommand(const ListDataElement& params) = 0;
    // Called with the full message of each error.
    virtual void ReportError(const std::string& message) = 0;

    // Reports text with the header, line and command; always false.
    bool Error(const std::string& text);

    // Conversions of command parameters (defines resolved); false on a type
    // error (the error is not reported here).
    bool DataToInt(const DataElement& element, int32_t& out);
    bool DataToDouble(const DataElement& element, double& out);
    bool DataToString(const DataElement& element, std::string& out);
    // A list with every name replaced by its define; sets the error text to
    // "Unable to Dereference ..." when a name has no define.
    bool DataToList(const DataElement& element, std::unique_ptr<ListDataElement>& out);
    bool DataToStringVector(const DataElement& element, std::vector<std::string>& out);
    bool DataToIntVector(const DataElement& element, std::vector<int32_t>& out);
    bool DataToDoubleVector(const DataElement& element, std::vector<double>& out);

    static bool ParseInt(const std::string& text, int32_t& out);
    static bool ParseDouble(const std::string& text, double& out);
    static std::string Upper(std::string text);
    // Starts with a digit, "-", "+" or a quote: a literal, never a name.
    static bool IsImmediate(const SingleDataElement& element);

    void SetDefine(const std::string& name, std::unique_ptr<DataElement> value);

    std::string errorHeader;
    std::string currentCommand;
    int32_t currentLine = 0;
    bool inCommand = false;
    std::string lastError;
    // Set by DataToList when a name has no define.
    std::string dereferenceError;

private:
    bool ExecuteCommand(const std::string& command);
    bool ResolveList(const ListDataElement& list, ListDataElement& out, int depth);
    const DataElement& Resolve(const DataElement& element) const;

    std::map<std::string, std::unique_ptr<DataElement>> defines;
};

} // namespace Framework
