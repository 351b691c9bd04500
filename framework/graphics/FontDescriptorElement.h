// Values of the font descriptor language: a single token (its text, and
// whether it was written in quotes) or an ordered list of values, possibly
// nested. Elements own their children; Duplicate makes a deep copy.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace Framework
{

class DataElement
{
public:
    DataElement() = default;
    DataElement(const DataElement&) = delete;
    DataElement& operator=(const DataElement&) = delete;
    virtual ~DataElement() = default;
    virtual bool IsList() const = 0;
    virtual std::unique_ptr<DataElement> Duplicate() const = 0;
};

class SingleDataElement : public DataElement
{
public:
    std::string text; // escapes resolved, quotes removed
    bool quoted = false;

    SingleDataElement() = default;
    SingleDataElement(std::string value, bool wasQuoted) : text(std::move(value)), quoted(wasQuoted) {}
    bool IsList() const override { return false; }
    std::unique_ptr<DataElement> Duplicate() const override
    {
        return std::make_unique<SingleDataElement>(text, quoted);
    }
};

class ListDataElement : public DataElement
{
public:
    std::vector<std::unique_ptr<DataElement>> children;

    bool IsList() const override { return true; }
    std::unique_ptr<DataElement> Duplicate() const override
    {
        auto copy = std::make_unique<ListDataElement>();
        for (const auto& child : children)
        {
            copy->children.push_back(child->Duplicate());
        }
        return copy;
    }
};

} // namespace Framework
