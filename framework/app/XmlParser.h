// XMLParser: a small pull parser for the framework's XML-like text files
// (chiefly the resource manifest). Each NextElement call hands out one start
// tag with its attributes, end tag, run of text, processing instruction or
// (when allowed) comment. It keeps the path of open elements, checks that end
// tags match, counts lines for error messages and decodes a fixed set of
// entities. It is not a general XML processor: no DTD, namespaces or
// encodings, and its own rules for quotes, blanks and empty elements:
//   - a double quote toggles quoting; quoted text keeps blanks, "<" and ">";
//   - runs of blanks inside text become one space, leading and trailing
//     blanks vanish;
//   - "/" directly after the tag name or the last attribute value makes an
//     empty element (its end tag is returned by the next call); a "/" after a
//     blank is ignored.
// Input is untrusted: every malformed file ends in a failure with one of the
// fixed messages below, never in undefined behaviour. After a failure every
// further NextElement returns false.
//
// One parser is used by one thread at a time; it owns its input.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Framework
{

struct XMLElement
{
    enum Type : int32_t
    {
        TYPE_NONE = 0,
        TYPE_START = 1,
        TYPE_END = 2,
        TYPE_ELEMENT = 3, // a run of text
        TYPE_INSTRUCTION = 4,
        TYPE_COMMENT = 5,
    };

    int32_t type = TYPE_NONE;
    // Names of the open elements joined with "/" when this element was read
    // (a start tag's own name not yet included, an end tag's included).
    std::string section;
    // Tag name, the text, or "!--" for a comment.
    std::string value;
    // Content of a processing instruction or comment.
    std::string instruction;
    std::map<std::string, std::string> attributes;
    // Attribute names in the order they were first given.
    std::vector<std::string> attributeOrder;
};

class XMLParser
{
public:
    XMLParser() = default;
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;
    virtual ~XMLParser() = default;

    // Reads the whole file (path separators "\" turned into "/"). On failure
    // the line number becomes 0 and the error "Unable to open file " + path.
    bool OpenFile(const std::string& path);
    // Parses text held in memory as if it were a file called `name`.
    void OpenText(const std::string& text, const std::string& name = std::string());

    // Reads the next element; false at the end of the input (quietly, when it
    // ends between elements) or on an error.
    bool NextElement(XMLElement& element);

    const std::string& GetErrorText() const { return errorText; }
    int32_t GetCurrentLineNum() const { return lineNum; }
    const std::string& GetFileName() const { return fileName; }
    bool HasFailed() const { return hasFailed; }
    void AllowComments(bool allow) { allowComments = allow; }

private:
    // The next character (push-back buffer first), or -1 at the end.
    int NextChar();
    void PushBack(const std::string& text);
    bool Fail(const std::string& message);
    // One element into `element`; true when complete.
    bool ReadElement(XMLElement& element);
    static std::string DecodeEntities(const std::string& text);

    std::string fileName;
    std::string errorText;
    std::string input;
    size_t inputPos = 0;
    bool isOpen = false;
    int32_t lineNum = 0;
    bool hasFailed = false;
    bool allowComments = false;
    std::string pushBack; // read from the back
    std::string section;
};

} // namespace Framework
