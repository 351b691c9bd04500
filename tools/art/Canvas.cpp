#include "tools/art/Canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace Art
{

Rgb Hex(uint32_t rgb, double alpha)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgb Mix(const Rgb& a, const Rgb& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgb Lighter(const Rgb& c, double t)
{
    Rgb w{1, 1, 1, c.a};
    return Mix(c, w, t);
}

Rgb Darker(const Rgb& c, double t)
{
    Rgb k{0, 0, 0, c.a};
    return Mix(c, k, t);
}

Canvas::Canvas(int w, int h)
    : width(w), height(h), surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)), cr(cairo_create(surface))
{
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
}

Canvas::~Canvas()
{
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

namespace
{
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}
} // namespace

std::vector<unsigned char> Canvas::EncodePng() const
{
    cairo_surface_flush(surface);
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes);
    return bytes;
}

bool WriteIfChanged(const std::string& path, const std::vector<unsigned char>& bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    {
        std::ifstream in(path, std::ios::binary);
        if (in)
        {
            std::vector<unsigned char> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (old == bytes)
                return true;
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteIfChanged(const std::string& path, const std::string& text)
{
    return WriteIfChanged(path, std::vector<unsigned char>(text.begin(), text.end()));
}

void SetColour(cairo_t* cr, const Rgb& c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r, const Rgb& inner, const Rgb& outer)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, inner.a);
    cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, outer.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation)
{
    for (int i = 0; i < points * 2; ++i)
    {
        double r = (i % 2) ? inner : outer;
        double a = rotation - M_PI / 2 + i * M_PI / points;
        if (i == 0)
            cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else
            cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    if (rx <= 0 || ry <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

namespace
{
PangoLayout* MakeLayout(cairo_t* cr, const std::string& text, const TextStyle& style)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout), opts);
    pango_layout_context_changed(layout);
    cairo_font_options_destroy(opts);

    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, style.family.c_str());
    pango_font_description_set_weight(desc, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc, style.italic ? PANGO_STYLE_OBLIQUE : PANGO_STYLE_NORMAL);
    if (style.condensed)
        pango_font_description_set_stretch(desc, PANGO_STRETCH_CONDENSED);
    pango_font_description_set_absolute_size(desc, style.px * PANGO_SCALE);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    if (style.letterSpacing != 0)
    {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(int(style.letterSpacing * PANGO_SCALE)));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

void RenderLayout(cairo_t* cr, PangoLayout* layout, const TextStyle& style, double x, double y, double h)
{
    if (style.shadow > 0)
    {
        cairo_save(cr);
        cairo_move_to(cr, x + style.shadow, y + style.shadow);
        pango_cairo_layout_path(cr, layout);
        SetColour(cr, style.shadowColour);
        if (style.outline > 0)
        {
            cairo_set_line_width(cr, style.outline * 2);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(cr);
        }
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_save(cr);
    cairo_move_to(cr, x, y);
    pango_cairo_layout_path(cr, layout);
    if (style.outline > 0)
    {
        SetColour(cr, style.outlineColour);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    if (style.fill2.a > 0)
        FillVertical(cr, y + h * 0.15, y + h * 0.85, style.fill, style.fill2);
    else
    {
        SetColour(cr, style.fill);
        cairo_fill_preserve(cr);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
}
} // namespace

void MeasureText(cairo_t* cr, const std::string& text, const TextStyle& style, double& w, double& h)
{
    PangoLayout* layout = MakeLayout(cr, text, style);
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    w = double(logical.width) / PANGO_SCALE;
    h = double(logical.height) / PANGO_SCALE;
    g_object_unref(layout);
}

void DrawText(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y, Align align)
{
    PangoLayout* layout = MakeLayout(cr, text, style);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    double w = double(logical.width) / PANGO_SCALE;
    double h = double(logical.height) / PANGO_SCALE;
    if (align == Align::Centre)
        x -= w / 2;
    else if (align == Align::Right)
        x -= w;
    RenderLayout(cr, layout, style, x, y, h);
    g_object_unref(layout);
}

void DrawTextInBox(cairo_t* cr, const std::string& text, TextStyle style, double x, double y, double w, double h)
{
    double tw, th;
    MeasureText(cr, text, style, tw, th);
    double room = w - 2 * style.outline - style.shadow - 2;
    if (tw > room && tw > 0)
    {
        style.px *= room / tw;
        MeasureText(cr, text, style, tw, th);
    }
    // Centre the ink of capitals rather than the logical box, which carries
    // descender room below the baseline.
    PangoLayout* layout = MakeLayout(cr, text, style);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    double ty = y + (h - ink.height) / 2 - ink.y;
    RenderLayout(cr, layout, style, x + (w - logical.width) / 2, std::round(ty), logical.height);
    g_object_unref(layout);
}

double DrawParagraph(cairo_t* cr, const std::string& text, const TextStyle& style, double x, double y, double width)
{
    PangoLayout* layout = MakeLayout(cr, text, style);
    pango_layout_set_width(layout, int(width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    RenderLayout(cr, layout, style, x, y, logical.height);
    g_object_unref(layout);
    return logical.height;
}

uint32_t Rng::Next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

double Rng::Uniform(double lo, double hi)
{
    return lo + (hi - lo) * (Next() / 4294967296.0);
}

} // namespace Art
