#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "support/FixedWidthFont.h"
#include "support/GraphicsPrinters.h"

using namespace Framework;
using TestSupport::Argb;
using TestSupport::FixedWidthFont;
using TestSupport::PixelNear;

namespace
{

MemoryImage Canvas(int32_t w, int32_t h)
{
    MemoryImage img;
    img.Allocate(w, h);
    return img;
}

MemoryImage Solid(int32_t w, int32_t h, uint32_t pixel)
{
    MemoryImage img;
    std::vector<uint32_t> px(size_t(w) * size_t(h), pixel);
    img.SetPixels(px.data(), w, h, false);
    return img;
}

// Bounding box of the pixels that are not 0.
Rect Drawn(MemoryImage& img)
{
    int32_t x0 = img.width, y0 = img.height, x1 = -1, y1 = -1;
    for (int32_t y = 0; y < img.height; ++y)
    {
        for (int32_t x = 0; x < img.width; ++x)
        {
            if (img.GetPixel(x, y) != 0)
            {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    return x1 < 0 ? Rect() : Rect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

int CountNonZero(MemoryImage& img)
{
    int n = 0;
    for (int32_t y = 0; y < img.height; ++y)
    {
        for (int32_t x = 0; x < img.width; ++x)
        {
            n += img.GetPixel(x, y) != 0 ? 1 : 0;
        }
    }
    return n;
}

} // namespace

TEST(GraphicsTest, InitialStateSaveRestoreAndCopies)
{
    MemoryImage img = Canvas(30, 20);
    Graphics g(&img);
    EXPECT_EQ(g.clipArea, Rect(0, 0, 30, 20));
    EXPECT_EQ(g.color, Color(0, 0, 0, 255));
    EXPECT_TRUE(g.colorCodes);
    EXPECT_FALSE(g.colorModulation || g.fastScaling || g.bilinear);
    EXPECT_EQ(g.font, nullptr);

    g.RestoreState(); // empty stack: nothing changes
    EXPECT_EQ(g.clipArea, Rect(0, 0, 30, 20));

    g.SaveState();
    g.Translate(5, 6);
    g.IntersectClip(0, 0, 10, 10);
    g.SetColor(Color(1, 2, 3, 4));
    EXPECT_EQ(g.clipArea, Rect(5, 6, 10, 10));
    Graphics copy(g);
    EXPECT_EQ(copy.SavedStateCount(), 0u);
    EXPECT_EQ(copy.clipArea, Rect(5, 6, 10, 10));
    auto clone = g.Clone();
    EXPECT_EQ(clone->translateX, 5.0f);
    g.RestoreState();
    EXPECT_EQ(g.clipArea, Rect(0, 0, 30, 20));
    EXPECT_EQ(g.translateX, 0.0f);
    EXPECT_EQ(g.color, Color(0, 0, 0, 255));

    // The clip only ever shrinks.
    g.IntersectClip(2, 2, 5, 5);
    g.IntersectClip(0, 0, 100, 100);
    EXPECT_EQ(g.clipArea, Rect(2, 2, 5, 5));

    // A context for no image draws nowhere, without failing.
    Graphics none;
    none.SetColor(Color(255, 0, 0, 255));
    none.FillRect(0, 0, 10, 10);
    none.DrawImage(&img, 0, 0);
    EXPECT_EQ(none.clipArea, Rect(0, 0, 0, 0));
}

TEST(GraphicsTest, FillRectTranslatesClipsAndSkipsInvisibleColour)
{
    MemoryImage img = Canvas(800, 600);
    Graphics g(&img);
    g.Translate(15, 37);
    g.SetColor(Color(0, 0, 0, 0));
    g.FillRect(-15, -37, 800, 600);
    EXPECT_EQ(CountNonZero(img), 0);
    g.SetColor(Color(9, 9, 9, 255));
    g.FillRect(-15, -37, 800, 600);
    EXPECT_EQ(img.GetPixel(0, 0), Argb(255, 9, 9, 9));
    EXPECT_EQ(img.GetPixel(799, 599), Argb(255, 9, 9, 9));

    // Fractional translations truncate toward zero.
    MemoryImage small = Canvas(10, 10);
    Graphics h(&small);
    h.Translate(2.7f, -0.5f);
    h.SetColor(Color(1, 1, 1, 255));
    h.FillRect(0, 1, 2, 2);
    EXPECT_EQ(Drawn(small), Rect(2, 0, 2, 2));
}

TEST(GraphicsTest, DrawRectCoversWidthPlusOneByHeightPlusOne)
{
    for (const Rect clip : {Rect(0, 0, 20, 20), Rect(0, 0, 8, 20)})
    {
        MemoryImage img = Canvas(20, 20);
        Graphics g(&img);
        g.IntersectClip(clip);
        g.SetColor(Color(255, 0, 0, 255));
        g.DrawRect(0, 0, 10, 5);
        const Rect expected = Rect(0, 0, 11, 6).Intersection(clip);
        EXPECT_EQ(Drawn(img), expected);
        EXPECT_EQ(img.GetPixel(5, 3), 0u);
        // Both the direct outline and the four-fill path draw the same count.
        EXPECT_EQ(CountNonZero(img), clip.width >= 11 ? 30 : 2 * 8 + 4);
    }
}

TEST(GraphicsTest, DrawLineClipsAgainstEachEdge)
{
    MemoryImage img = Canvas(20, 20);
    Graphics g(&img);
    g.IntersectClip(5, 5, 10, 10);
    g.SetColor(Color(0, 255, 0, 255));
    g.DrawLine(0, 10, 30, 10); // crosses left and right
    EXPECT_EQ(Drawn(img), Rect(5, 10, 10, 1));
    img.ClearAll();
    g.DrawLine(8, -10, 8, 40); // crosses top and bottom
    EXPECT_EQ(Drawn(img), Rect(8, 5, 1, 10));
    img.ClearAll();
    g.DrawLine(0, 0, 19, 19); // diagonal through the clip
    EXPECT_EQ(Drawn(img), Rect(5, 5, 10, 10));
    img.ClearAll();
    g.DrawLine(0, 0, 4, 19);   // left of the clip: dropped
    g.DrawLine(15, 0, 19, 19); // right of it
    g.DrawLine(0, 2, 19, 4);   // above it
    EXPECT_EQ(CountNonZero(img), 0);
}

TEST(GraphicsTest, DrawImageClipsTranslatesAndModulates)
{
    MemoryImage src = Solid(4, 4, Argb(255, 200, 100, 50));
    MemoryImage img = Canvas(10, 10);
    Graphics g(&img);
    g.Translate(-2, 8);
    g.DrawImage(&src, 0, 0);
    EXPECT_EQ(Drawn(img), Rect(0, 8, 2, 2));

    img.ClearAll();
    Graphics m(&img);
    m.SetColor(Color(255, 0, 255, 255));
    m.DrawImage(&src, 0, 0); // modulation off: unchanged
    EXPECT_EQ(img.GetPixel(0, 0), Argb(255, 200, 100, 50));
    m.SetColorModulation(true);
    m.DrawImage(&src, 5, 5);
    EXPECT_TRUE(PixelNear(img.GetPixel(5, 5), Argb(255, 200, 0, 50), 1));

    // Source rectangles must lie inside the image.
    img.ClearAll();
    Graphics s(&img);
    s.DrawImage(&src, 0, 0, Rect(2, 2, 3, 1));
    s.DrawImage(&src, 0, 0, Rect(-1, 0, 2, 2));
    EXPECT_EQ(CountNonZero(img), 0);
    s.DrawImage(&src, 3, 3, Rect(2, 2, 2, 1));
    EXPECT_EQ(Drawn(img), Rect(3, 3, 2, 1));

    // Additive blend mode is passed through.
    MemoryImage dark = Solid(2, 2, Argb(255, 10, 10, 10));
    Graphics a(&dark);
    a.blendMode = BLENDMODE_ADDITIVE;
    a.DrawImage(&src, 0, 0);
    EXPECT_EQ(dark.GetPixel(1, 1), Argb(255, 210, 110, 60));
}

TEST(GraphicsTest, DrawCelChecksTheGrid)
{
    // 4 columns x 2 rows of 2x2 cels, cel n coloured n + 1.
    MemoryImage sheet = Canvas(8, 4);
    sheet.columns = 4;
    sheet.rows = 2;
    for (int32_t y = 0; y < 4; ++y)
    {
        for (int32_t x = 0; x < 8; ++x)
        {
            sheet.pixels[size_t(y * 8 + x)] = Argb(255, uint32_t((y / 2) * 4 + x / 2 + 1), 0, 0);
        }
    }
    sheet.PixelsChanged();
    MemoryImage img = Canvas(4, 4);
    Graphics g(&img);
    g.DrawCel(&sheet, 0, 0, 5);
    EXPECT_EQ(img.GetPixel(1, 1), Argb(255, 6, 0, 0));
    EXPECT_EQ(Drawn(img), Rect(0, 0, 2, 2));
    img.ClearAll();
    g.DrawCel(&sheet, 0, 0, 8);
    g.DrawCel(&sheet, 0, 0, -1);
    g.DrawCel(&sheet, 0, 0, 4, 0);
    g.DrawCel(&sheet, 0, 0, 0, 2);
    EXPECT_EQ(CountNonZero(img), 0);
    g.DrawCel(&sheet, 2, 2, 3, 1);
    EXPECT_EQ(img.GetPixel(2, 2), Argb(255, 8, 0, 0));
}

TEST(GraphicsTest, TransformsChooseTheirPaths)
{
    MemoryImage src = Solid(4, 4, Argb(255, 0, 0, 255));

    // Scale only: twice the size, centred on the point.
    MemoryImage img = Canvas(20, 20);
    Graphics g(&img);
    ImageTransform scale;
    scale.Scale(2.0f, 2.0f);
    EXPECT_FALSE(scale.IsComplex());
    g.DrawTransformed(&src, scale, 10.0f, 10.0f);
    EXPECT_EQ(Drawn(img), Rect(6, 6, 8, 8));

    // Rotation only by half a turn: the same square in the same place.
    img.ClearAll();
    ImageTransform rot;
    rot.RotateDegrees(180.0f);
    EXPECT_TRUE(rot.rotated);
    EXPECT_FALSE(rot.IsComplex());
    g.DrawTransformedF(&src, rot, 10.0f, 10.0f);
    EXPECT_EQ(Drawn(img), Rect(8, 8, 4, 4));

    // Rotation then scale takes the matrix path; the result matches a
    // 2x scale of the half-turned square.
    img.ClearAll();
    ImageTransform both;
    both.RotateDegrees(180.0f);
    both.Scale(2.0f, 2.0f);
    EXPECT_TRUE(both.IsComplex());
    g.DrawTransformed(&src, both, 10.0f, 10.0f);
    EXPECT_EQ(Drawn(img), Rect(6, 6, 8, 8));
    EXPECT_TRUE(PixelNear(img.GetPixel(10, 10), Argb(255, 0, 0, 255), 1));

    // A negative scale is complex too: a mirror image.
    ImageTransform mirror;
    mirror.Scale(-1.0f, 1.0f);
    EXPECT_TRUE(mirror.IsComplex());

    // Neither: drawn unscaled with its centre on the point.
    img.ClearAll();
    ImageTransform identity;
    g.DrawTransformed(&src, identity, 5.0f, 5.0f);
    EXPECT_EQ(Drawn(img), Rect(3, 3, 4, 4));

    // Scale after rotate by 90 degrees keeps a quarter-turned matrix.
    ImageTransform quarter;
    quarter.RotateDegrees(90.0f);
    quarter.Scale(3.0f, 1.0f);
    float x = 0, y = 0;
    quarter.GetMatrix().Transform(1.0f, 0.0f, x, y);
    EXPECT_NEAR(x, 0.0f, 1e-5f);
    EXPECT_NEAR(y, -1.0f, 1e-5f);
}

TEST(GraphicsTest, StretchedAndRotatedThroughTheContext)
{
    MemoryImage src = Solid(2, 2, Argb(255, 9, 9, 9));
    MemoryImage img = Canvas(20, 20);
    Graphics g(&img);
    g.Translate(3, 4);
    g.SetFastScaling(true);
    g.DrawStretched(&src, 0, 0, 6, 4);
    EXPECT_EQ(Drawn(img), Rect(3, 4, 6, 4));
    img.ClearAll();
    g.IntersectClip(0, 0, 3, 2);
    g.SetFastScaling(false);
    g.DrawStretched(&src, 0, 0, 6, 4);
    EXPECT_EQ(Drawn(img), Rect(3, 4, 3, 2));

    MemoryImage img2 = Canvas(20, 20);
    Graphics r(&img2);
    r.Translate(5, 5);
    r.DrawRotated(&src, 0, 0, 0.0, 1, 1);
    EXPECT_EQ(Drawn(img2), Rect(5, 5, 2, 2));
    img2.ClearAll();
    r.DrawImageSubpixel(&src, 1.0f, 2.0f, Rect(0, 0, 2, 1));
    EXPECT_EQ(Drawn(img2), Rect(6, 7, 2, 1));
}

TEST(GraphicsTest, FrameBoxKeepsCornersAndTilesTheRest)
{
    // 6x6 frame: 2x2 cels; corners red, edges green, centre blue.
    MemoryImage frame = Canvas(6, 6);
    for (int32_t y = 0; y < 6; ++y)
    {
        for (int32_t x = 0; x < 6; ++x)
        {
            const bool midX = x >= 2 && x < 4;
            const bool midY = y >= 2 && y < 4;
            uint32_t c = Argb(255, 255, 0, 0);
            if (midX && midY)
            {
                c = Argb(255, 0, 0, 255);
            }
            else if (midX || midY)
            {
                c = Argb(255, 0, 255, 0);
            }
            frame.pixels[size_t(y * 6 + x)] = c;
        }
    }
    frame.PixelsChanged();
    MemoryImage img = Canvas(20, 20);
    Graphics g(&img);
    g.DrawFrameBox(Rect(1, 1, 11, 9), &frame);
    EXPECT_EQ(Drawn(img), Rect(1, 1, 11, 9));
    EXPECT_EQ(img.GetPixel(1, 1), Argb(255, 255, 0, 0));
    EXPECT_EQ(img.GetPixel(11, 9), Argb(255, 255, 0, 0));
    EXPECT_EQ(img.GetPixel(10, 1), Argb(255, 255, 0, 0));
    EXPECT_EQ(img.GetPixel(9, 1), Argb(255, 0, 255, 0)); // top edge, last partial tile
    EXPECT_EQ(img.GetPixel(1, 7), Argb(255, 0, 255, 0)); // left edge
    EXPECT_EQ(img.GetPixel(9, 7), Argb(255, 0, 0, 255)); // centre, clipped before the corner
    EXPECT_EQ(img.GetPixel(5, 5), Argb(255, 0, 0, 255));
    EXPECT_EQ(img.GetPixel(12, 5), 0u);
    EXPECT_EQ(CountNonZero(img), 11 * 9);
    // The context's clip was not changed by the tiling.
    EXPECT_EQ(g.clipArea, Rect(0, 0, 20, 20));
}

TEST(GraphicsTest, WriteStringJustifiesAndHonoursColourCodes)
{
    FixedWidthFont font(6);
    MemoryImage img = Canvas(100, 20);
    Graphics g(&img);
    g.SetFont(&font);
    g.SetColor(Color(0, 0, 255, 200));

    EXPECT_EQ(g.WriteString("a^FF0000^b", 0, 10), 12);
    ASSERT_EQ(font.calls.size(), 2u);
    EXPECT_EQ(font.calls[0].text, "a");
    EXPECT_EQ(font.calls[0].color, Color(0, 0, 255, 200));
    EXPECT_EQ(font.calls[1].text, "b");
    EXPECT_EQ(font.calls[1].x, 6);
    EXPECT_EQ(font.calls[1].color, Color(255, 0, 0, 200));

    font.calls.clear();
    g.SetColor(Color(0, 0, 255, 255));
    g.colorCodes = false;
    EXPECT_EQ(g.WriteString("a^FF0000^b", 0, 10), 60);
    ASSERT_EQ(font.calls.size(), 1u);
    EXPECT_EQ(font.calls[0].text, "a^FF0000^b");

    font.calls.clear();
    g.colorCodes = true;
    EXPECT_EQ(g.WriteString("x^^y", 0, 10), 18); // two carets write one
    EXPECT_EQ(font.calls[0].text, "x^y");
    font.calls.clear();
    EXPECT_EQ(g.WriteString("ab^FF00", 0, 10), 12); // a code running past the end ends the text
    EXPECT_EQ(font.calls[0].text, "ab");

    font.calls.clear();
    g.WriteString("abcd", 10, 10, 40, 0); // centred: (40 - 24) / 2
    EXPECT_EQ(font.calls[0].x, 18);
    font.calls.clear();
    g.WriteString("abcd", 10, 10, 40, 1); // right-aligned
    EXPECT_EQ(font.calls[0].x, 26);
    font.calls.clear();
    EXPECT_EQ(g.WriteString("abcdef", 0, 10, -1, -1, false, 2, 3), 18); // measure only, a range
    EXPECT_TRUE(font.calls.empty());
    EXPECT_EQ(g.WriteString("abcdef", 0, 10, -1, -1, false, 4, 100), 12);

    // Without a font nothing happens.
    Graphics none(&img);
    EXPECT_EQ(none.WriteString("abc", 0, 0), 0);
}

TEST(GraphicsTest, WordWrappingBreaksAtSpacesAndNewlines)
{
    FixedWidthFont font(6);
    MemoryImage img = Canvas(200, 200);
    Graphics g(&img);
    g.SetFont(&font);

    // Width 40 holds 6 characters per line.
    int32_t maxWidth = 0;
    const int32_t h = g.WriteWordWrapped(Rect(0, 0, 40, 0), "one two three four", -1, -1, &maxWidth);
    std::vector<std::string> lines;
    std::vector<int32_t> baselines;
    for (const auto& c : font.calls)
    {
        lines.push_back(c.text);
        baselines.push_back(c.y);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(baselines, (std::vector<int32_t>{8, 18, 28, 38}));
    EXPECT_EQ(h, 38 + 2);
    EXPECT_EQ(maxWidth, 30);
    EXPECT_EQ(g.WordWrappedHeight(40, "one two three four"), h);

    // A word longer than a line is cut; a newline forces a break and keeps
    // the spaces after it; a line ends at its last space (spaces before it
    // stay on the line) and the spaces after it are skipped.
    font.calls.clear();
    g.WriteWordWrapped(Rect(0, 0, 40, 0), "abcdefghij\n  xy   z", 12);
    lines.clear();
    for (const auto& c : font.calls)
    {
        lines.push_back(c.text);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"abcdef", "ghij", "  xy  ", "z"}));
    EXPECT_EQ(font.calls[1].y - font.calls[0].y, 12);

    // Colour codes take no width and the starting colour comes back.
    font.calls.clear();
    g.SetColor(Color(1, 2, 3, 255));
    g.WriteWordWrapped(Rect(0, 0, 40, 0), "^FF0000^abcdef gh");
    ASSERT_EQ(font.calls.size(), 2u);
    EXPECT_EQ(font.calls[0].text, "abcdef");
    EXPECT_EQ(font.calls[1].color, Color(255, 0, 0, 255)); // the colour runs on to the next line
    EXPECT_EQ(g.color, Color(1, 2, 3, 255));

    // Centred lines.
    font.calls.clear();
    g.WriteWordWrapped(Rect(10, 0, 40, 0), "ab", -1, 0);
    EXPECT_EQ(font.calls[0].x, 10 + (40 - 12) / 2);

    // An escaped caret is one character wide and never split from its twin.
    font.calls.clear();
    g.WriteWordWrapped(Rect(0, 0, 40, 0), "abcde^^f");
    ASSERT_EQ(font.calls.size(), 2u);
    EXPECT_EQ(font.calls[0].text, "abcde^");
    EXPECT_EQ(font.calls[1].text, "f");

    // Width too small for one character still makes progress.
    EXPECT_EQ(g.WordWrappedHeight(1, "abc"), 30);
    EXPECT_EQ(g.WordWrappedHeight(40, ""), 0);
}

TEST(GraphicsTest, FontDefaultsDeriveFromTextWidthAndMetrics)
{
    struct WidthOnly : Font
    {
        int32_t TextWidth(const std::string& text) override { return int32_t(text.size()) * 3; }
        std::unique_ptr<Font> Clone() override { return std::make_unique<WidthOnly>(*this); }
    } font;
    font.height = 12;
    font.ascent = 9;
    font.lineSpacingOffset = 2;
    EXPECT_EQ(font.Descent(), 3);
    EXPECT_EQ(font.LineSpacing(), 14);
    EXPECT_EQ(font.GlyphWidth('x'), 3);
    EXPECT_EQ(font.GlyphWidthKerned('x', 'y'), 3);
}
