#include "framework/app/XmlParser.h"

#include <gtest/gtest.h>

#include <vector>

using Framework::XMLElement;
using Framework::XMLParser;

namespace
{

// Every element of text, stopping at the end or the first failure.
std::vector<XMLElement> ReadAll(XMLParser& parser, const std::string& text)
{
    parser.OpenText(text, "test.xml");
    std::vector<XMLElement> out;
    XMLElement element;
    while (parser.NextElement(element))
        out.push_back(element);
    return out;
}

} // namespace

TEST(XmlParser, QuotedAttributesAndEmptyElements)
{
    XMLParser parser;
    auto e = ReadAll(parser, "<R><Image id=\"A B\" path=\"x/y.png\"/></R>");
    ASSERT_FALSE(parser.HasFailed()) << parser.GetErrorText();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[1].type, XMLElement::TYPE_START);
    EXPECT_EQ(e[1].value, "Image");
    EXPECT_EQ(e[1].section, "R");
    EXPECT_EQ(e[1].attributes.at("id"), "A B");
    EXPECT_EQ(e[1].attributes.at("path"), "x/y.png");
    EXPECT_EQ(e[1].attributeOrder, (std::vector<std::string>{"id", "path"}));
    EXPECT_EQ(e[2].type, XMLElement::TYPE_END);
    EXPECT_EQ(e[2].value, "Image");
    EXPECT_EQ(e[2].section, "R/Image");
    EXPECT_EQ(e[3].section, "R");

    // A blank before "/" makes no empty element: the real end tag is needed.
    e = ReadAll(parser, "<R><Image a=\"1\" b=\"2\" /><X/></R>");
    EXPECT_EQ(parser.GetErrorText(), "End 'R' Doesn't Match Start 'Image'");
    ASSERT_GE(e.size(), 3u);
    EXPECT_EQ(e[1].attributes.size(), 2u);
    EXPECT_EQ(e[2].value, "X");
    EXPECT_EQ(e[2].section, "R/Image");

    e = ReadAll(parser, "<SetDefaults/>");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].value, "SetDefaults");
    EXPECT_TRUE(e[0].attributes.empty());
    EXPECT_EQ(e[1].type, XMLElement::TYPE_END);

    // Empty quoted values count, blanks around "=" are allowed, repeats overwrite.
    e = ReadAll(parser, "<a x=\"\" y = \"2\" x=\"3\" z=4></a>");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].attributes.at("x"), "3");
    EXPECT_EQ(e[0].attributes.at("y"), "2");
    EXPECT_EQ(e[0].attributes.at("z"), "4");
    EXPECT_EQ(e[0].attributeOrder, (std::vector<std::string>{"x", "y", "z"}));
}

TEST(XmlParser, TextFoldsBlanksExceptInQuotes)
{
    XMLParser parser;
    auto e = ReadAll(parser, "<t>   two \t\n  words   </t>");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[1].type, XMLElement::TYPE_ELEMENT);
    EXPECT_EQ(e[1].value, "two words");
    EXPECT_EQ(parser.GetCurrentLineNum(), 2);

    e = ReadAll(parser, "<t>\"a  b\"</t>");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[1].value, "\"a  b\"");

    e = ReadAll(parser, "<t>\"x<y>\"</t>");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[1].value, "\"x<y>\"");
}

TEST(XmlParser, CommentsAndInstructions)
{
    XMLParser parser;
    auto e = ReadAll(parser, "<?xml version=\"1.0\"?><a><!-- note -- here --></a>");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].type, XMLElement::TYPE_INSTRUCTION);
    EXPECT_EQ(e[0].instruction, "xml version=\"1.0\"");
    EXPECT_EQ(e[2].type, XMLElement::TYPE_END);

    parser.AllowComments(true);
    e = ReadAll(parser, "<a><!-- note -- here --></a>");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[1].type, XMLElement::TYPE_COMMENT);
    EXPECT_EQ(e[1].value, "!--");
    EXPECT_EQ(e[1].instruction, "note -- here ");
}

TEST(XmlParser, EntitiesDecodeOnce)
{
    XMLParser parser;
    auto e = ReadAll(parser, "<a v=\"&lt;&gt;&quot;&apos;&nbsp;&cr;&bogus;&amp;lt;&\">x&amp;y</a>");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].attributes.at("v"), "<>\"' \n&&lt;&");
    EXPECT_EQ(e[1].value, "x&y");
}

TEST(XmlParser, Failures)
{
    struct Case
    {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"<a><b></a>", "End 'a' Doesn't Match Start 'b'"},
        {"<a x=\"1\"", "Unexpected End of File"},
        {"<a>text", "Unexpected End of File"},
        {"</a>", "Unexpected End"},
        {"<a<b>", "Unexpected '<'"},
        {">", "Unexpected '>'"},
        {"<a>\x01</a>", "Illegal Character"},
    };
    for (const Case& c : cases)
    {
        XMLParser parser;
        ReadAll(parser, c.text);
        EXPECT_TRUE(parser.HasFailed()) << c.text;
        EXPECT_EQ(parser.GetErrorText(), c.error) << c.text;
        XMLElement element;
        EXPECT_FALSE(parser.NextElement(element));
    }

    XMLParser quiet;
    EXPECT_EQ(ReadAll(quiet, "<a></a>  \n ").size(), 2u);
    EXPECT_FALSE(quiet.HasFailed());

    XMLParser missing;
    EXPECT_FALSE(missing.OpenFile("/nonexistent/file.xml"));
    EXPECT_EQ(missing.GetErrorText(), "Unable to open file /nonexistent/file.xml");
    EXPECT_EQ(missing.GetCurrentLineNum(), 0);
}
