// Canvas: one cairo image surface (premultiplied ARGB32) with its drawing
// context, plus the drawing helpers every painter of the art generator shares.
// A Canvas owns its surface and context; it is not copyable. Sizes are pixels.
// PNG output goes through cairo's writer, which stores straight alpha and no
// time stamp, so the same drawing always yields the same bytes.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Art
{

struct Rgb
{
    double r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB with an optional alpha 0..1.
Rgb Hex(uint32_t rgb, double alpha = 1.0);
Rgb Mix(const Rgb& a, const Rgb& b, double t);
Rgb Lighter(const Rgb& c, double t); // towards white
Rgb Darker(const Rgb& c, double t);  // towards black

enum class Align
{
    Left,
    Centre,
    Right
};

struct TextStyle
{
    std::string family = "DejaVu Sans";
    bool bold = true;
    bool italic = false;
    bool condensed = false;
    double px = 14; // absolute size in pixels
    Rgb fill = Hex(0xFFFFFF);
    Rgb fill2 = Hex(0xFFFFFF, 0); // second colour of a vertical gradient (alpha 0: none)
    double outline = 0;           // stroke width in pixels, 0: none
    Rgb outlineColour = Hex(0x000000);
    double shadow = 0; // drop shadow offset in pixels, 0: none
    Rgb shadowColour = Hex(0x000000, 0.55);
    double letterSpacing = 0;
};

class Canvas
{
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return cr; }
    cairo_surface_t* Surface() const { return surface; }
    int Width() const { return width; }
    int Height() const { return height; }

    // PNG bytes of the surface.
    std::vector<unsigned char> EncodePng() const;

private:
    int width;
    int height;
    cairo_surface_t* surface;
    cairo_t* cr;
};

// Writes bytes to path (creating folders) unless the file already holds
// exactly these bytes, so unchanged outputs keep their time stamps.
// Returns false on an I/O error.
bool WriteIfChanged(const std::string& path, const std::vector<unsigned char>& bytes);
bool WriteIfChanged(const std::string& path, const std::string& text);

// Shapes and fills.
void SetColour(cairo_t* cr, const Rgb& c);
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void FillVertical(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom);
void FillRadial(cairo_t* cr, double cx, double cy, double r, const Rgb& inner, const Rgb& outer);
void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

// Text through pango. (x, y) is the anchor: y is the top of the text's
// logical box for DrawText; the align decides x.
void DrawText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y,
              Align align = Align::Centre);
// Text centred in the box (x, y, w, h), shrunk to fit the width when needed.
void DrawTextInBox(cairo_t* cr, const std::string& text, TextStyle style, double x, double y, double w, double h);
// Logical width and height of the text in pixels.
void MeasureText(cairo_t* cr, const std::string& text, const TextStyle& style, double& w, double& h);
// Paragraph wrapped to width, left aligned; returns the height used.
double DrawParagraph(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y, double width);

// Deterministic pseudo-random numbers (xorshift) for procedural detail.
class Rng
{
public:
    explicit Rng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next();
    double Uniform(double lo, double hi); // [lo, hi)

private:
    uint32_t state;
};

} // namespace Art
