#include "framework/graphics/ImageFont.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/FontDescriptorHost.h"
#include "framework/graphics/Graphics.h"

using namespace Framework;

namespace
{

// Layer images by file name: "main.png" 64 x 16 white, "shadow.png" 64 x 16 black.
class FakeHost : public FontDescriptorHost
{
public:
    std::vector<std::string> errors;
    std::map<std::string, std::shared_ptr<DDImage>> images;

    SharedImageCache::Result GetSharedImage(const std::string& path, const std::string&) override
    {
        SharedImageCache::Result result;
        const std::string name = path.substr(path.find_last_of('/') + 1);
        if (name != "main.png" && name != "shadow.png")
            return result;
        auto& image = images[name];
        result.newlyLoaded = image == nullptr;
        if (image == nullptr)
        {
            image = std::make_shared<DDImage>();
            image->Allocate(64, 16);
            for (int i = 0; i < 64 * 16; ++i)
                image->GetPixels()[i] = name == "main.png" ? 0xFFFFFFFFu : 0xFF000000u;
            image->PixelsChanged();
        }
        result.image = image;
        return result;
    }
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
};

// Records every glyph drawn into it.
class RecordingImage : public MemoryImage
{
public:
    struct Blit
    {
        Image* source;
        int32_t x;
        int32_t y;
        Rect rect;
        Color color;
    };
    std::vector<Blit> blits;

    RecordingImage() { Allocate(200, 50); }
    void BlitImage(Image& src, int32_t x, int32_t y, const Rect& srcRect, const Color& modulation,
                   int32_t blendMode) override
    {
        blits.push_back({&src, x, y, srcRect, modulation});
        MemoryImage::BlitImage(src, x, y, srcRect, modulation, blendMode);
    }
};

struct Loaded
{
    FakeHost host;
    std::shared_ptr<FontData> data = std::make_shared<FontData>();
    bool ok = false;
    explicit Loaded(const std::string& text) { ok = data->LoadText(&host, text, "fonts/test.txt"); }
};

// Two glyphs A and V (and B) on a main layer and a shadow layer.
const char* const kTwoLayers = "Define Chars (\"A\" \"B\" \"V\");\n"
                               "Define Rects ((0 0 8 10) (8 0 8 10) (16 0 8 10));\n"
                               "CreateLayer Shadow;\n"
                               "LayerSetImage Shadow \"shadow.png\";\n"
                               "LayerSetImageMap Shadow Chars Rects;\n"
                               "LayerSetCharWidths Shadow Chars (9 9 9);\n"
                               "LayerSetAscent Shadow 10;\n"
                               "LayerSetOffset Shadow (1 1);\n"
                               "LayerSetBaseOrder Shadow -1;\n"
                               "CreateLayer Main;\n"
                               "LayerSetImage Main 'main.png';\n"
                               "LayerSetImageMap Main Chars Rects;\n"
                               "LayerSetCharWidths Main Chars (9 9 9);\n"
                               "LayerSetAscent Main 10;\n"
                               "SetDefaultPointSize 10;\n";

} // namespace

TEST(FontDescriptor, DefinesListsAndComments)
{
    Loaded font("# a comment line\n"
                "define X 5;\n"
                "Define Name \"semi;colon \\\" quote\";\n"
                "CreateHorzSpanRectList R (0 0 99 20) (10 12);\n"
                "  # indented comment\n"
                "CreateLayer Main; LayerSetSpacing main X;\n"
                "Define Nested (R (1 2));\n"
                "SetCharMap (\"a\") (\"A\")");
    ASSERT_TRUE(font.ok) << font.data->LastError();
    EXPECT_EQ(font.data->layers.at(0)->spacing, 5);
    EXPECT_EQ(font.data->DefineText("x"), "5");
    EXPECT_EQ(font.data->DefineText("NAME"), "semi;colon \" quote");
    EXPECT_EQ(font.data->charMap['a'], 'A');

    const auto* r = dynamic_cast<const ListDataElement*>(font.data->FindDefine("r"));
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->children.size(), 2u);
    std::vector<std::string> flat;
    for (const auto& rect : r->children)
        for (const auto& v : static_cast<const ListDataElement&>(*rect).children)
            flat.push_back(static_cast<const SingleDataElement&>(*v).text);
    EXPECT_EQ(flat, (std::vector<std::string>{"0", "0", "10", "20", "10", "0", "12", "20"}));
    const auto* nested = dynamic_cast<const ListDataElement*>(font.data->FindDefine("Nested"));
    ASSERT_NE(nested, nullptr);
    EXPECT_TRUE(nested->children.at(0)->IsList()); // R was resolved into the list
}

TEST(FontDescriptor, ErrorsStopReadingWithTheirMessage)
{
    struct Case
    {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"CreateLayer L;\nLayerSetSpacing L Y;", "Invalid Paramater Type"},
        {"CreateLayer L (1);", "Invalid Number of Parameters"},
        {"Frobnicate 1;", "Unknown Command"},
        {"LayerSetSpacing Nope 1;", "Undefined Layer"},
        {"Define A x(1);", "Unexpected List Start"},
        {"Define A 1);", "Unexpected List End"},
        {"Define A (1 (2);", "Unterminated List"},
        {"Define A 'x;", "Unterminated Single Quotes"},
        {"Define A \"x;", "Unterminated Double Quotes"},
        {"(Define) A 1;", "Missing Command"},
        {"Define A (B);", "Unable to Dereference \"B\""},
        {"SetCharMap (\"a\" \"b\") (\"c\");", "List Size Mismatch"},
        {"CreateLayer L; LayerSetImageMap L (\"a\") ((0 0 1 1));", "Layer image not set"},
        {"CreateLayer L; LayerSetImage L \"main.png\"; LayerSetImageMap L (\"a\") ((60 0 5 1));",
         "Image rectangle out of bounds"},
        {"CreateLayer L; LayerSetImage L \"none.png\";", "Failed to Load Image"},
        {"CreateLayer L; LayerSetDrawMode L 2;", "Invalid Paramater Type"},
        {"CreateLayer L; LayerSetOffset L (1 2 3);", "Invalid Paramater Type"},
        {"Define 5x 1;", "Invalid Paramater Type"},
    };
    for (const Case& c : cases)
    {
        Loaded font(c.text);
        EXPECT_FALSE(font.ok) << c.text;
        ASSERT_EQ(font.host.errors.size(), 1u) << c.text;
        const std::string& message = font.host.errors[0];
        EXPECT_EQ(message.rfind("Font Descriptor Error in fonts/test.txt\r\n" + std::string(c.error), 0), 0u)
            << c.text << " gave " << message;
        EXPECT_TRUE(font.data->layers.empty());
    }

    Loaded font("CreateLayer L;\n\nLayerSetSpacing\n  L Y;");
    EXPECT_EQ(font.host.errors.at(0), "Font Descriptor Error in fonts/test.txt\r\nInvalid Paramater Type on Line 3:"
                                      "\r\n\r\nLayerSetSpacing\n  L Y");

    // A duplicate layer is reported, and the rest is still read.
    Loaded duplicate("CreateLayer L; CreateLayer l; LayerSetSpacing L 3;");
    EXPECT_TRUE(duplicate.ok);
    ASSERT_EQ(duplicate.host.errors.size(), 1u);
    EXPECT_NE(duplicate.host.errors[0].find("Layer Already Exists"), std::string::npos);
    EXPECT_EQ(duplicate.data->layers.size(), 1u);
    EXPECT_EQ(duplicate.data->layers[0]->spacing, 3);
}

TEST(ImageFont, TagsSelectLayers)
{
    Loaded data(std::string(kTwoLayers) + "LayerRequireTags Shadow (\"bold\");\nLayerExcludeTags Main (\"thin\");\n"
                                          "LayerSetCharWidths Shadow (\"A\") (20);");
    ASSERT_TRUE(data.ok) << data.data->LastError();
    ImageFont font(data.data);
    EXPECT_EQ(font.ActiveLayers().size(), 1u);
    EXPECT_EQ(font.GlyphWidth('A'), 9);
    EXPECT_TRUE(font.AddTag("Bold"));
    EXPECT_FALSE(font.AddTag("BOLD"));
    EXPECT_TRUE(font.HasTag("BOLD"));
    EXPECT_EQ(font.GlyphWidth('A'), 20);
    EXPECT_EQ(font.ActiveLayers().size(), 2u);
    EXPECT_TRUE(font.AddTag("thin"));
    font.Prepare();
    EXPECT_EQ(font.ActiveLayers().size(), 1u);
    EXPECT_TRUE(font.RemoveTag("THIN"));
    EXPECT_FALSE(font.RemoveTag("thin"));

    auto clone = font.Clone();
    auto* copy = dynamic_cast<ImageFont*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetFontData(), font.GetFontData());
    EXPECT_TRUE(copy->HasTag("BOLD"));
    EXPECT_EQ(font.GetFontData().use_count(), 3); // data, font, copy
}

TEST(ImageFont, KerningSpacingAndScaling)
{
    Loaded data(std::string(kTwoLayers) + "LayerSetKerningPairs Main (\"AV\") (-2);\nLayerSetSpacing Main 1;\n"
                                          "LayerRequireTags Shadow (\"shadow\");\n");
    ASSERT_TRUE(data.ok) << data.data->LastError();
    ImageFont font(data.data);
    // After A comes V: 9 + (-2 + 1).
    EXPECT_EQ(font.GlyphWidthKerned('V', 'A'), 8);
    EXPECT_EQ(font.TextWidth("AV"), 9 + 9 - 1);
    EXPECT_EQ(font.TextWidth("VA"), 9 + 9 + 1);
    EXPECT_EQ(font.Ascent(), 10);
    EXPECT_EQ(font.Height(), 10);

    // With the shadow layer the widest advance counts.
    font.AddTag("shadow");
    EXPECT_EQ(font.GlyphWidthKerned('V', 'A'), 9);

    font.SetScale(2.0);
    EXPECT_EQ(font.GlyphWidth('A'), 18);
    EXPECT_EQ(font.Ascent(), 20);
    ASSERT_EQ(font.ActiveLayers().size(), 2u);
    const ActiveFontLayer& scaled = *font.ActiveLayers()[1];
    ASSERT_NE(scaled.ownedImage, nullptr);
    EXPECT_EQ(scaled.rects['A'], Rect(0, 0, 16, 20));
    EXPECT_EQ(scaled.rects['B'], Rect(16, 0, 16, 20));
    EXPECT_EQ(scaled.ownedImage->GetPixel(20, 10), 0xFFFFFFFFu);
}

TEST(ImageFont, ShadowsAreDrawnBeforeLetters)
{
    Loaded data(std::string(kTwoLayers) + "LayerSetColorMult Shadow (0.5 0.5 0.5 1);\n");
    ASSERT_TRUE(data.ok) << data.data->LastError();
    ImageFont font(data.data);
    RecordingImage canvas;
    Graphics g(&canvas);
    g.SetColor(Color(1, 2, 3));
    font.DrawText(&g, 10, 30, "AB", Color(200, 100, 50, 255), Rect(0, 0, 200, 50));
    ASSERT_EQ(canvas.blits.size(), 4u);
    Image* shadow = data.host.images["shadow.png"].get();
    Image* main = data.host.images["main.png"].get();
    EXPECT_EQ(canvas.blits[0].source, shadow);
    EXPECT_EQ(canvas.blits[1].source, shadow);
    EXPECT_EQ(canvas.blits[2].source, main);
    EXPECT_EQ(canvas.blits[3].source, main);
    // Shadow offset (1, 1); the baseline 30 minus the ascent 10.
    EXPECT_EQ(canvas.blits[0].x, 11);
    EXPECT_EQ(canvas.blits[0].y, 21);
    EXPECT_EQ(canvas.blits[1].x, 20);
    EXPECT_EQ(canvas.blits[1].rect, Rect(8, 0, 8, 10));
    EXPECT_EQ(canvas.blits[2].x, 10);
    EXPECT_EQ(canvas.blits[2].y, 20);
    EXPECT_EQ(canvas.blits[0].color, Color(99, 49, 24, 255));
    EXPECT_EQ(canvas.blits[2].color, Color(200, 100, 50, 255));
    // The context's colour and modulation are restored.
    EXPECT_EQ(g.GetColor(), Color(1, 2, 3));
    EXPECT_FALSE(g.GetColorModulation());

    // Glyphs of no advance all land in view: the queue ends at 4096 of 6000.
    Loaded still(std::string(kTwoLayers) + "LayerSetCharWidths Shadow (\"A\") (0);\n"
                                           "LayerSetCharWidths Main (\"A\") (0);\n");
    ImageFont stacked(still.data);
    canvas.blits.clear();
    stacked.DrawText(&g, 0, 30, std::string(3000, 'A'), Color::White(), Rect(0, 0, 200, 50));
    EXPECT_EQ(canvas.blits.size(), ImageFont::MaxQueuedGlyphs);
}

TEST(ImageFont, PointSizeRangesAndLayerSizes)
{
    Loaded data(std::string(kTwoLayers) + "LayerPointRange Shadow 12 14;\nLayerSetPointSize Main 10;\n");
    ASSERT_TRUE(data.ok) << data.data->LastError();
    ImageFont font(data.data);
    EXPECT_EQ(font.GetPointSize(), 10);
    EXPECT_EQ(font.ActiveLayers().size(), 1u);
    font.SetPointSize(15);
    EXPECT_EQ(font.ActiveLayers().size(), 1u);
    EXPECT_EQ(font.GlyphWidth('A'), 13); // trunc(9 * 1.5)
    font.SetPointSize(13);
    font.Prepare();
    EXPECT_EQ(font.ActiveLayers().size(), 2u);
}
