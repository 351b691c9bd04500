#include "tools/art/FontBaker.h"

#include "tools/art/Canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>
#include <vector>

namespace Art
{
namespace
{
struct Glyph
{
    int code;
    int advance;
    int inkLeft; // relative to the pen
    int inkRight;
};

PangoLayout* GlyphLayout(cairo_t* cr, const FontRecipe& r, const std::string& text)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), opts);
    pango_layout_context_changed(layout);
    cairo_font_options_destroy(opts);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, r.family.c_str());
    pango_font_description_set_weight(desc, r.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc, r.italic ? PANGO_STYLE_OBLIQUE : PANGO_STYLE_NORMAL);
    if (r.condensed)
        pango_font_description_set_stretch(desc, PANGO_STRETCH_CONDENSED);
    pango_font_description_set_absolute_size(desc, r.px * PANGO_SCALE);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

// A character as a quoted element of the descriptor language.
std::string Quoted(int c)
{
    if (c == '"')
        return "'\"'";
    if (c == '\\')
        return "\"\\\\\"";
    return std::string("\"") + char(c) + "\"";
}

std::string Rects(const std::vector<std::array<int, 4>>& rects)
{
    std::ostringstream o;
    o << "(";
    for (size_t i = 0; i < rects.size(); ++i)
        o << (i % 8 == 0 ? "\n    " : " ") << "(" << rects[i][0] << " " << rects[i][1] << " " << rects[i][2] << " "
          << rects[i][3] << ")";
    o << ")";
    return o.str();
}
} // namespace

bool BakeFont(const FontRecipe& r, const std::string& outDir, std::string& error)
{
    Canvas probe(4, 4);
    // Line metrics from a layout of tall and deep letters.
    PangoLayout* line = GlyphLayout(probe.Cr(), r, "Ag|");
    int ascent = pango_layout_get_baseline(line) / PANGO_SCALE;
    PangoRectangle lineLogical;
    pango_layout_get_pixel_extents(line, nullptr, &lineLogical);
    g_object_unref(line);
    int height = lineLogical.height;
    if (r.maxHeight > 0 && height > r.maxHeight)
        height = r.maxHeight;
    const int pad = 1;
    const int o = static_cast<int>(std::ceil(r.outline));

    std::vector<Glyph> glyphs;
    for (int c = 32; c < 127; ++c)
    {
        PangoLayout* l = GlyphLayout(probe.Cr(), r, std::string(1, char(c)));
        PangoRectangle ink, logical;
        pango_layout_get_pixel_extents(l, &ink, &logical);
        g_object_unref(l);
        Glyph g{c, logical.width, ink.width > 0 ? ink.x : 0, ink.width > 0 ? ink.x + ink.width : 1};
        glyphs.push_back(g);
    }

    // Layer images: glyphs side by side, 1 px apart.
    auto bake = [&](bool outlineLayer, std::vector<std::array<int, 4>>& rects, std::vector<std::array<int, 2>>& offsets,
                    std::vector<unsigned char>& png)
    {
        int grow = outlineLayer ? o : 0;
        int cellH = height + 2 * grow;
        int total = 0;
        for (const Glyph& g : glyphs)
            total += (g.inkRight - g.inkLeft) + 2 * (pad + grow) + 1;
        Canvas canvas(total, cellH);
        cairo_t* cr = canvas.Cr();
        int x = 0;
        for (const Glyph& g : glyphs)
        {
            int w = (g.inkRight - g.inkLeft) + 2 * (pad + grow);
            PangoLayout* l = GlyphLayout(cr, r, std::string(1, char(g.code)));
            cairo_save(cr);
            cairo_rectangle(cr, x, 0, w, cellH);
            cairo_clip(cr);
            // the layout's top sits `ascent` above the baseline; the cell's top
            // is `ascent + grow` above it
            cairo_move_to(cr, x + pad + grow - g.inkLeft, grow);
            if (outlineLayer)
            {
                pango_cairo_layout_path(cr, l);
                cairo_set_source_rgb(cr, 0, 0, 0);
                cairo_set_line_width(cr, r.outline * 2);
                cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                cairo_stroke_preserve(cr);
                cairo_fill(cr);
            }
            else
            {
                cairo_set_source_rgb(cr, 1, 1, 1);
                pango_cairo_show_layout(cr, l);
            }
            cairo_restore(cr);
            g_object_unref(l);
            rects.push_back({x, 0, w, cellH});
            offsets.push_back({g.inkLeft - pad - grow, -grow});
            x += w + 1;
        }
        png = canvas.EncodePng();
    };

    std::vector<std::array<int, 4>> mainRects, outRects;
    std::vector<std::array<int, 2>> mainOffsets, outOffsets;
    std::vector<unsigned char> mainPng, outPng;
    bake(false, mainRects, mainOffsets, mainPng);
    if (o > 0)
        bake(true, outRects, outOffsets, outPng);

    std::ostringstream d;
    d << "# Image font " << r.id << ": " << r.family << (r.bold ? " Bold" : "") << (r.italic ? " Oblique" : "") << ", "
      << r.px << " px, printable ASCII.\n";
    d << "# Glyphs are white; the caller's colour tints them. y is the baseline.\n\n";
    d << "Define Chars (";
    for (size_t i = 0; i < glyphs.size(); ++i)
        d << (i % 16 == 0 ? "\n    " : " ") << Quoted(glyphs[i].code);
    d << ");\n";
    d << "Define Widths (";
    for (size_t i = 0; i < glyphs.size(); ++i)
        d << (i % 24 == 0 ? "\n    " : " ") << glyphs[i].advance;
    d << ");\n";
    auto offsetList = [](const std::vector<std::array<int, 2>>& offs)
    {
        std::ostringstream s;
        s << "(";
        for (size_t i = 0; i < offs.size(); ++i)
            s << (i % 12 == 0 ? "\n    " : " ") << "(" << offs[i][0] << " " << offs[i][1] << ")";
        s << ")";
        return s.str();
    };
    d << "Define MainRects " << Rects(mainRects) << ";\n";
    d << "Define MainOffsets " << offsetList(mainOffsets) << ";\n";
    if (o > 0)
    {
        d << "Define OutlineRects " << Rects(outRects) << ";\n";
        d << "Define OutlineOffsets " << offsetList(outOffsets) << ";\n";
    }
    d << "\nSetDefaultPointSize " << static_cast<int>(r.px) << ";\n\n";
    auto layer = [&](const std::string& name, const std::string& image, const std::string& rects,
                     const std::string& offsets, int order, const std::string& mult, int shift)
    {
        d << "CreateLayer " << name << ";\n";
        d << "LayerSetImage " << name << " \"" << image << "\";\n";
        d << "LayerSetAscent " << name << " " << ascent << ";\n";
        d << "LayerSetImageMap " << name << " Chars " << rects << ";\n";
        d << "LayerSetCharOffsets " << name << " Chars " << offsets << ";\n";
        d << "LayerSetCharWidths " << name << " Chars Widths;\n";
        if (!mult.empty())
            d << "LayerSetColorMult " << name << " " << mult << ";\n";
        if (shift != 0)
            d << "LayerSetOffset " << name << " (" << shift << " " << shift << ");\n";
        d << "LayerSetBaseOrder " << name << " " << order << ";\n\n";
    };
    if (r.shadow > 0)
        layer("Shadow", r.file + ".png", "MainRects", "MainOffsets", -2, "(0 0 0 0.6)", r.shadow);
    if (o > 0)
        layer("Outline", r.file + "_outline.png", "OutlineRects", "OutlineOffsets", -1, "", 0);
    layer("Main", r.file + ".png", "MainRects", "MainOffsets", 0, "", 0);

    std::string base = outDir + "/fonts/" + r.file;
    if (!WriteIfChanged(base + ".png", mainPng) || (o > 0 && !WriteIfChanged(base + "_outline.png", outPng)) ||
        !WriteIfChanged(base + ".txt", d.str()))
    {
        error = "cannot write " + base;
        return false;
    }
    return true;
}

} // namespace Art
