#include "tools/art/Painters.h"

#include <cmath>

namespace Art
{

const std::map<std::string, Painter>& PainterTable()
{
    static const std::map<std::string, Painter> table = []
    {
        std::map<std::string, Painter> t;
        RegisterUiPainters(t);
        RegisterDialogPainters(t);
        RegisterSpritePainters(t);
        RegisterEffectPainters(t);
        RegisterScenePainters(t);
        RegisterAppIconPainters(t);
        return t;
    }();
    return table;
}

Palette WorldPalette(const std::string& world)
{
    if (world == "water")
        return {Hex(0x06284f), Hex(0x1c6cb0), Hex(0x9fe0ff), Hex(0xffffff)};
    if (world == "fire")
        return {Hex(0x2e0805), Hex(0xa8240d), Hex(0xffa640), Hex(0xffe48a)};
    if (world == "earth")
        return {Hex(0x18260d), Hex(0x4c7a28), Hex(0xbadb6a), Hex(0x9a6a34)};
    if (world == "air")
        return {Hex(0x34508f), Hex(0x79a8e6), Hex(0xeaf4ff), Hex(0xc9b8ff)};
    // menu, loader and the dialogs share the night-sea theme of the game
    return {Hex(0x141a44), Hex(0x2f3f95), Hex(0x9fe3ff), Hex(0xffd76a)};
}

Rgb BubbleColour(int kind)
{
    switch (kind)
    {
        case 1:
            return Hex(0xe8302c);
        case 2:
            return Hex(0xf7c81e);
        case 3:
            return Hex(0x2d62e0);
        case 4:
            return Hex(0x3cb83a);
        case 5:
            return Hex(0x28d2d6);
        case 6:
            return Hex(0xd23cc8);
        default:
            return Hex(0x3a3a46);
    }
}

namespace
{
// The colour-blind aid: every colour carries its own small shape.
void BubbleMark(cairo_t* cr, double cx, double cy, double r, int kind)
{
    double s = r * 0.36;
    cairo_new_path(cr);
    switch (kind)
    {
        case 1: // heart
            cairo_move_to(cr, cx, cy + s * 0.95);
            cairo_curve_to(cr, cx - s * 1.5, cy - s * 0.1, cx - s * 0.7, cy - s * 1.25, cx, cy - s * 0.45);
            cairo_curve_to(cr, cx + s * 0.7, cy - s * 1.25, cx + s * 1.5, cy - s * 0.1, cx, cy + s * 0.95);
            break;
        case 2: // five-pointed star
            Star(cr, cx, cy + s * 0.08, s * 1.05, s * 0.45, 5, 0);
            break;
        case 3: // diamond
            cairo_move_to(cr, cx, cy - s * 1.05);
            cairo_line_to(cr, cx + s * 0.8, cy);
            cairo_line_to(cr, cx, cy + s * 1.05);
            cairo_line_to(cr, cx - s * 0.8, cy);
            cairo_close_path(cr);
            break;
        case 4: // leaf
            cairo_move_to(cr, cx - s * 0.9, cy + s * 0.9);
            cairo_curve_to(cr, cx - s * 1.0, cy - s * 0.6, cx + s * 0.3, cy - s * 1.1, cx + s * 0.95, cy - s * 0.95);
            cairo_curve_to(cr, cx + s * 1.0, cy + s * 0.3, cx - s * 0.1, cy + s * 1.0, cx - s * 0.9, cy + s * 0.9);
            break;
        case 5: // drop
            cairo_move_to(cr, cx, cy - s * 1.1);
            cairo_curve_to(cr, cx + s * 0.5, cy - s * 0.3, cx + s * 0.8, cy + s * 0.1, cx + s * 0.8, cy + s * 0.4);
            cairo_arc(cr, cx, cy + s * 0.4, s * 0.8, 0, M_PI);
            cairo_curve_to(cr, cx - s * 0.8, cy + s * 0.1, cx - s * 0.5, cy - s * 0.3, cx, cy - s * 1.1);
            break;
        case 6: // crescent moon
            cairo_arc(cr, cx, cy, s * 0.95, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, cx + s * 0.45, cy - s * 0.25, s * 0.75, 2 * M_PI, 0);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
            break;
        default:
            return;
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.78);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 0.8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_stroke(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}
} // namespace

void DrawBubble(cairo_t* cr, double cx, double cy, double r, int kind, bool mark)
{
    Rgb c = BubbleColour(kind);
    cairo_save(cr);
    // soft contact shadow
    Ellipse(cr, cx + 0.6, cy + 1.0, r, r);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill(cr);
    // body: bright upper left, deep lower right
    cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * M_PI);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.05);
    Rgb hi = Lighter(c, 0.55), lo = Darker(c, 0.45);
    cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, c.r, c.g, c.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Rgb rim = Darker(c, 0.6);
    cairo_set_source_rgba(cr, rim.r, rim.g, rim.b, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    if (mark)
        BubbleMark(cr, cx + r * 0.05, cy + r * 0.08, r, kind);
    // glossy highlight and rim light
    Ellipse(cr, cx - r * 0.38, cy - r * 0.45, r * 0.36, r * 0.22);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r * 0.78, M_PI * 0.15, M_PI * 0.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawPanel(cairo_t* cr, double x, double y, double w, double h, double radius, const Palette& p)
{
    cairo_save(cr);
    RoundRect(cr, x + 1, y + 2, w - 2, h - 2, radius);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    RoundRect(cr, x + 0.5, y + 0.5, w - 2, h - 2.5, radius);
    FillVertical(cr, y, y + h, Lighter(p.mid, 0.08), p.deep);
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, Mix(p.light, p.mid, 0.3));
    cairo_stroke(cr);
    RoundRect(cr, x + 3, y + 3, w - 8, h - 8, std::max(1.0, radius - 2.5));
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_stroke(cr);
    // a gloss band over the top third
    RoundRect(cr, x + 4, y + 4, w - 10, std::min(h * 0.32, 40.0), std::max(1.0, radius - 3));
    FillVertical(cr, y + 4, y + 4 + std::min(h * 0.32, 40.0), Hex(0xffffff, 0.13), Hex(0xffffff, 0.0));
    cairo_new_path(cr);
    cairo_restore(cr);
}

void DrawInset(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    cairo_save(cr);
    RoundRect(cr, x, y, w, h, radius);
    FillVertical(cr, y, y + h, Hex(0x070a22, 0.9), Hex(0x1b2358, 0.9));
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
}

TextStyle UiText(double px)
{
    TextStyle s;
    s.px = px;
    s.fill = Hex(0xfff6d8);
    s.outline = px >= 14 ? 1.6 : 1.1;
    s.outlineColour = Hex(0x0b0f2e);
    return s;
}

TextStyle GoldText(double px)
{
    TextStyle s;
    s.px = px;
    s.fill = Hex(0xfff3b0);
    s.fill2 = Hex(0xf0a020);
    s.outline = std::max(1.5, px / 14);
    s.outlineColour = Hex(0x3a1c06);
    s.shadow = std::max(1.0, px / 16);
    return s;
}

} // namespace Art
