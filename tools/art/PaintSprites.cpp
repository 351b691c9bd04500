// Bubbles and obstacle sprites. Cel sizes and the bubble's place inside a
// larger cel follow the offsets at which the sprites draw themselves: a
// bubble cell is 31 x 31 and an image drawn at (x - dx, y - dy) holds the
// cell at (dx, dy).
#include "tools/art/Painters.h"

#include <cmath>

namespace Art
{
namespace
{
double Phase(int cel, int cels)
{
    return double(cel) / cels;
}

void Bubble(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    DrawBubble(cr, w / 2, h / 2, 15, s.OptInt("colour", 1));
}

void Lock(cairo_t* cr, const ImageSpec&, int cel, double w, double h)
{
    // A dark steel bubble with a padlock; a glint travels across it.
    double cx = w / 2, cy = h / 2;
    DrawBubble(cr, cx, cy, 15, 0, false);
    cairo_set_source_rgba(cr, 0.95, 0.78, 0.3, 1);
    RoundRect(cr, cx - 6, cy - 2, 12, 9, 1.5);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy - 2, 4, M_PI, 2 * M_PI);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy + 2, 1.4, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.25, 0.15, 0.02);
    cairo_fill(cr);
    double t = Phase(cel, 8);
    cairo_save(cr);
    cairo_arc(cr, cx, cy, 14.5, 0, 2 * M_PI);
    cairo_clip(cr);
    double gx = -10 + t * 52;
    cairo_move_to(cr, gx, 0);
    cairo_line_to(cr, gx + 5, 0);
    cairo_line_to(cr, gx - 8, h);
    cairo_line_to(cr, gx - 13, h);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Drop(cairo_t* cr, const ImageSpec& s, int cel, double w, double, int cels)
{
    // The shot sinks into a water hole: it slides down, squashes and fades.
    double t = double(cel) / (cels - 1);
    double cy = 15.5 + t * 14;
    double r = 15 * (1 - 0.45 * t);
    cairo_save(cr);
    cairo_push_group(cr);
    DrawBubble(cr, w / 2, cy, r, s.OptInt("colour", 1), t < 0.6);
    // the water surface swallows the lower part
    cairo_rectangle(cr, 0, 30, w, 10);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 1 - 0.55 * t);
    cairo_restore(cr);
    // ripple
    Ellipse(cr, w / 2, 33, 8 + t * 6, 2 + t);
    cairo_set_source_rgba(cr, 0.8, 0.95, 1, 0.6 * (1 - t * 0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Bomb(cairo_t* cr, const ImageSpec&, int cel, double, double)
{
    // The cell sits at (3, 4); a lit fuse sparkles.
    double cx = 3 + 15.5, cy = 4 + 15.5;
    cairo_arc(cr, cx, cy + 1, 13, 0, 2 * M_PI);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - 5, cy - 4, 1, cx, cy, 14);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.55, 0.65);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.06, 0.06, 0.1);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    RoundRect(cr, cx + 4, cy - 14, 8, 6, 1.5);
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.42);
    cairo_fill(cr);
    cairo_move_to(cr, cx + 8, cy - 13);
    cairo_curve_to(cr, cx + 10, cy - 18, cx + 14, cy - 18, cx + 15, cy - 16);
    cairo_set_source_rgb(cr, 0.75, 0.6, 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    double flick = 0.6 + 0.4 * std::sin(cel * 2.1);
    Star(cr, cx + 15, cy - 16, 3 + 2.5 * flick, 1.2, 6, cel * 0.4);
    FillRadial(cr, cx + 15, cy - 16, 6, Hex(0xffffff), Hex(0xff8a00, 0.7));
    cairo_new_path(cr);
    Ellipse(cr, cx - 5, cy - 5, 4, 2.5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
    cairo_fill(cr);
}

void Ice(cairo_t* cr, const ImageSpec&, int cel, double w, double h)
{
    // Ice block wall; a faint shimmer runs over the facets.
    RoundRect(cr, 1, 1, w - 2, h - 2, 5);
    FillVertical(cr, 0, h, Hex(0xe6f8ff), Hex(0x5fb2e6));
    cairo_set_source_rgba(cr, 0.15, 0.4, 0.7, 1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 4, 10);
    cairo_line_to(cr, 14, 5);
    cairo_line_to(cr, 27, 12);
    cairo_move_to(cr, 14, 5);
    cairo_line_to(cr, 16, 26);
    cairo_move_to(cr, 5, 22);
    cairo_line_to(cr, 16, 26);
    cairo_line_to(cr, 27, 20);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
    cairo_stroke(cr);
    double t = Phase(cel, 8);
    cairo_arc(cr, 6 + t * 18, 8 + t * 12, 2.5, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
}

void IceLight(cairo_t* cr, const ImageSpec&, int cel, double w, double h)
{
    // Glint over the ice: a star that grows and fades.
    double t = Phase(cel, 8);
    double a = std::sin(t * M_PI);
    Star(cr, w * 0.35 + t * 8, h * 0.35 + t * 4, 3 + 8 * a, 1.2, 4, t);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3 + 0.7 * a);
    cairo_fill(cr);
    cairo_move_to(cr, 0, h * (1 - t) * 1.2);
    cairo_line_to(cr, w * (1.2 - t), 0);
    cairo_set_line_width(cr, 3);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35 * a);
    cairo_stroke(cr);
}

void Snowman(cairo_t* cr, double cx, double cy, bool head, bool body, bool blink)
{
    if (body)
    {
        cairo_arc(cr, cx, cy + 5, 10.5, 0, 2 * M_PI);
        FillRadial(cr, cx - 3, cy + 2, 12, Hex(0xffffff), Hex(0xa9cbe6));
        cairo_set_source_rgb(cr, 0.4, 0.55, 0.75);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        for (int i = 0; i < 2; ++i)
        {
            cairo_arc(cr, cx, cy + 3 + i * 5, 1.3, 0, 2 * M_PI);
            cairo_set_source_rgb(cr, 0.2, 0.2, 0.3);
            cairo_fill(cr);
        }
    }
    if (head)
    {
        double hy = cy - 7;
        cairo_arc(cr, cx, hy, 7.5, 0, 2 * M_PI);
        FillRadial(cr, cx - 2, hy - 2, 9, Hex(0xffffff), Hex(0xb5d4ee));
        cairo_set_source_rgb(cr, 0.4, 0.55, 0.75);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        // hat
        cairo_rectangle(cr, cx - 6, hy - 8, 12, 2);
        cairo_rectangle(cr, cx - 4, hy - 14, 8, 6);
        cairo_set_source_rgb(cr, 0.15, 0.2, 0.45);
        cairo_fill(cr);
        cairo_rectangle(cr, cx - 4, hy - 10, 8, 1.5);
        cairo_set_source_rgb(cr, 0.85, 0.2, 0.2);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.15);
        if (blink)
        {
            cairo_set_line_width(cr, 1);
            cairo_move_to(cr, cx - 4, hy - 1);
            cairo_line_to(cr, cx - 1.5, hy - 1);
            cairo_move_to(cr, cx + 1.5, hy - 1);
            cairo_line_to(cr, cx + 4, hy - 1);
            cairo_stroke(cr);
        }
        else
        {
            cairo_arc(cr, cx - 2.7, hy - 1.5, 1.1, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + 2.7, hy - 1.5, 1.1, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        cairo_move_to(cr, cx, hy + 0.5);
        cairo_line_to(cr, cx + 6, hy + 2);
        cairo_line_to(cr, cx, hy + 2.5);
        cairo_set_source_rgb(cr, 1, 0.55, 0.1);
        cairo_fill(cr);
    }
}

void SnowmanSprite(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    std::string part = s.Opt("part");
    if (part == "whole")
        Snowman(cr, w / 2, h / 2 + 2, true, true, cel == 1);
    else if (part == "body")
    {
        Snowman(cr, w / 2, h / 2 + 2, false, true, false);
        // a few chips of the lost head
        cairo_arc(cr, w / 2 - 4, h / 2 - 6, 1.5, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, w / 2 + 3, h / 2 - 7, 1.2, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.95, 0.98, 1);
        cairo_fill(cr);
    }
    else if (part == "bodyfly")
        Snowman(cr, w / 2, h / 2 - 3, false, true, false);
    else
        Snowman(cr, w / 2, h / 2 + 9, true, false, false);
}

void WaterHole(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    // The cell sits at (13, 8): a pool with a swirl that swallows shots.
    double cx = w / 2, cy = 8 + 15.5 + 2;
    Ellipse(cr, cx, cy, 26, 17);
    FillRadial(cr, cx, cy, 26, Hex(0x02152f), Hex(0x2a86c8));
    cairo_new_path(cr);
    Ellipse(cr, cx, cy, 26, 17);
    cairo_set_source_rgba(cr, 0.85, 0.96, 1, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i)
    {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, 1, 0.62);
        cairo_arc(cr, 0, 0, 6 + i * 6, i * 1.9, i * 1.9 + 2.6);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0.7, 0.9, 1, 0.5);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    (void)h;
}

void WallFire(cairo_t* cr, const ImageSpec&, int cel, double w, double h)
{
    // A basalt block whose cracks glow brighter through the flourish.
    RoundRect(cr, 1, 1, w - 2, h - 2, 4);
    FillVertical(cr, 0, h, Hex(0x4a3b38), Hex(0x1c1412));
    cairo_set_source_rgb(cr, 0.1, 0.05, 0.04);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    double glow = double(cel) / 6;
    cairo_move_to(cr, 4, 8);
    cairo_line_to(cr, 12, 13);
    cairo_line_to(cr, 10, 22);
    cairo_line_to(cr, 18, 27);
    cairo_move_to(cr, 12, 13);
    cairo_line_to(cr, 22, 10);
    cairo_line_to(cr, 27, 18);
    cairo_set_line_width(cr, 1.6 + glow * 1.4);
    cairo_set_source_rgba(cr, 1, 0.45 + 0.4 * glow, 0.1 + 0.3 * glow, 0.55 + 0.45 * glow);
    cairo_stroke(cr);
    RoundRect(cr, 3, 2, w - 6, 6, 3);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.1);
    cairo_fill(cr);
}

void FlameShape(cairo_t* cr, double cx, double base, double height, double width, double sway)
{
    cairo_move_to(cr, cx - width / 2, base);
    cairo_curve_to(cr, cx - width * 0.7, base - height * 0.5, cx - width * 0.1 + sway, base - height * 0.7,
                   cx + sway * 1.6, base - height);
    cairo_curve_to(cr, cx + width * 0.2 + sway, base - height * 0.6, cx + width * 0.7, base - height * 0.45,
                   cx + width / 2, base);
    cairo_close_path(cr);
}

void Flame(cairo_t* cr, const ImageSpec&, int cel, double w, double h)
{
    // A burning bubble: the cell at (1, 3) wrapped in flickering fire.
    double cx = 1 + 15.5, cy = 3 + 15.5;
    double sway = 2.2 * std::sin(cel * 2 * M_PI / 7);
    double tall = 1 + 0.08 * std::sin(cel * 4 * M_PI / 7 + 1);
    FlameShape(cr, cx, cy + 14, 33 * tall, 30, sway);
    FillVertical(cr, cy - 20, cy + 14, Hex(0xffe27a, 0.95), Hex(0xe03a10, 0.95));
    cairo_new_path(cr);
    FlameShape(cr, cx, cy + 12, 22 * tall, 18, -sway * 0.7);
    FillVertical(cr, cy - 10, cy + 12, Hex(0xffffff, 0.95), Hex(0xffb640, 0.9));
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy + 4, 8, 0, 2 * M_PI);
    FillRadial(cr, cx, cy + 4, 8, Hex(0xffffff, 0.9), Hex(0xffd060, 0));
    cairo_new_path(cr);
    (void)w;
    (void)h;
}

void LavaBlob(cairo_t* cr, double cx, double cy, double r, double t, double crust)
{
    cairo_new_path(cr);
    for (int i = 0; i <= 24; ++i)
    {
        double a = i * 2 * M_PI / 24;
        double rr = r * (1 + 0.06 * std::sin(a * 3 + t * 2 * M_PI) + 0.04 * std::cos(a * 5 - t * 4 * M_PI));
        double x = cx + rr * std::cos(a), y = cy + rr * 0.92 * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - 3, cy - 3, 1, cx, cy, r * 1.1);
    cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.95, 0.55);
    cairo_pattern_add_color_stop_rgb(p, 0.45, 1, 0.5, 0.08);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.55, 0.08, 0.02);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 0.25, 0.03, 0.01, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (crust > 0)
    {
        // dark crust plates
        Rng rng(7);
        for (int i = 0; i < 7; ++i)
        {
            double a = rng.Uniform(0, 2 * M_PI), d = rng.Uniform(0, r * 0.7);
            Ellipse(cr, cx + d * std::cos(a), cy + d * std::sin(a) * 0.9, r * 0.22, r * 0.16);
        }
        cairo_set_source_rgba(cr, 0.22, 0.1, 0.08, crust);
        cairo_fill(cr);
    }
}

void Lava(cairo_t* cr, const ImageSpec&, int cel, double, double)
{
    // The cell sits at (4, 0): a bubbling lava ball with a cooling crust.
    double t = Phase(cel, 8);
    LavaBlob(cr, 4 + 15.5, 16, 15, t, 0.55);
    double by = 22 - 14 * t;
    cairo_arc(cr, 14 + 8 * std::sin(t * 6), by, 1.6 + t, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 0.9, 0.5, 0.9 * (1 - t));
    cairo_fill(cr);
}

void HpMark(cairo_t* cr, double w, double h, int hp, bool green, double alpha)
{
    // A small badge "x2" or "x1" in the lower right of the obstacle.
    double bx = w - 16, by = h - 13;
    RoundRect(cr, bx, by, 15, 12, 5);
    if (green)
        FillVertical(cr, by, by + 12, Hex(0xd9ff9a, alpha), Hex(0x2f8a1c, alpha));
    else
        FillVertical(cr, by, by + 12, Hex(0xfff0a0, alpha), Hex(0xd8401a, alpha));
    cairo_set_source_rgba(cr, 0.1, 0.05, 0, alpha);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    TextStyle t;
    t.px = 10;
    t.fill = Hex(0xffffff, alpha);
    t.outline = 0.8;
    t.outlineColour = Hex(0x200800, alpha);
    DrawTextInBox(cr, "x" + std::to_string(hp), t, bx, by, 15, 12);
}

void HpMarkPainter(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    HpMark(cr, w, h, s.OptInt("hp", 2), s.OptInt("green", 0) != 0, 1);
}

void HpAnim(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // "x2" flips to "x1": shrink, swap, grow.
    bool green = s.OptInt("green", 0) != 0;
    double t = double(cel) / 7;
    int hp = t < 0.5 ? 2 : 1;
    double sc = std::abs(std::cos(t * M_PI));
    cairo_save(cr);
    cairo_translate(cr, w - 8.5, h - 7);
    cairo_scale(cr, 1, std::max(0.08, sc));
    cairo_translate(cr, -(w - 8.5), -(h - 7));
    HpMark(cr, w, h, hp, green, 1);
    cairo_restore(cr);
}

void WallEarth(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    // A stump with roots, the cell at (5, -2): a log wall.
    RoundRect(cr, 4, 4, w - 8, h - 6, 6);
    FillVertical(cr, 0, h, Hex(0x9a6a34), Hex(0x4a2c12));
    cairo_set_source_rgb(cr, 0.2, 0.1, 0.03);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Ellipse(cr, w / 2, 8, w / 2 - 5, 5);
    FillRadial(cr, w / 2, 8, w / 2 - 5, Hex(0xe8c38a), Hex(0xb07a3c));
    cairo_new_path(cr);
    for (int i = 1; i <= 2; ++i)
    {
        Ellipse(cr, w / 2, 8, (w / 2 - 5) * i / 3.0, 5.0 * i / 3.0);
        cairo_set_source_rgba(cr, 0.45, 0.25, 0.08, 0.7);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 4; ++i)
    {
        cairo_move_to(cr, 10 + i * 7, 16);
        cairo_curve_to(cr, 11 + i * 7, 21, 9 + i * 7, 25, 10 + i * 7, h - 4);
    }
    cairo_set_source_rgba(cr, 0.25, 0.12, 0.03, 0.6);
    cairo_stroke(cr);
    // moss and leaves
    for (int i = 0; i < 3; ++i)
    {
        Ellipse(cr, 8 + i * 12, h - 5, 5, 2.5);
        cairo_set_source_rgb(cr, 0.3, 0.6, 0.18);
        cairo_fill(cr);
    }
}

void Plant(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // A carnivorous plant; the cell sits at (12, 13). idle: the jaws open and
    // close slowly (11 cels); eat: they snap and chew (10); gone: it wilts
    // and sinks away (22).
    std::string mode = s.Opt("mode");
    double cx = 12 + 15.5, cy = 13 + 15.5;
    double open = 0.5, sink = 0, fade = 1, wilt = 0;
    int cels = s.cols;
    double t = cels > 1 ? double(cel) / (cels - 1) : 0;
    if (mode == "idle")
        open = 0.25 + 0.55 * t;
    else if (mode == "eat")
        open = std::abs(std::sin(t * 3 * M_PI)) * 0.9;
    else
    {
        open = 0.2;
        wilt = t;
        sink = t * 18;
        fade = 1 - t * 0.9;
    }
    cairo_push_group(cr);
    // leaves
    for (int side = -1; side <= 1; side += 2)
    {
        cairo_move_to(cr, cx, h - 3);
        cairo_curve_to(cr, cx + side * 8, h - 12 - 0 * wilt, cx + side * 22, h - 10 + wilt * 8, cx + side * 24,
                       h - 4 + wilt * 4);
        cairo_curve_to(cr, cx + side * 14, h - 2, cx + side * 6, h - 1, cx, h - 3);
        cairo_set_source_rgb(cr, 0.22 + wilt * 0.3, 0.55 - wilt * 0.2, 0.14);
        cairo_fill(cr);
    }
    // head: two jaws hinged at the back
    double hy = cy - 2 + sink;
    double gap = open * 11;
    for (int jaw = 0; jaw < 2; ++jaw)
    {
        double dir = jaw == 0 ? -1 : 1;
        cairo_save(cr);
        cairo_translate(cr, cx, hy + dir * gap * 0.5);
        cairo_scale(cr, 1, 0.55);
        cairo_arc(cr, 0, 0, 15, jaw == 0 ? M_PI : 0, jaw == 0 ? 2 * M_PI : M_PI);
        cairo_close_path(cr);
        cairo_restore(cr);
        FillVertical(cr, hy - 12, hy + 12, Mix(Hex(0x6ccf3a), Hex(0x8a7a3a), wilt),
                     Mix(Hex(0x1f6a18), Hex(0x4a3a1a), wilt));
        cairo_set_source_rgb(cr, 0.08, 0.25, 0.05);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        // teeth
        for (int i = -3; i <= 3; ++i)
        {
            double tx = cx + i * 3.8;
            double ty = hy + dir * gap * 0.5;
            cairo_move_to(cr, tx - 1.4, ty);
            cairo_line_to(cr, tx, ty - dir * 3.2);
            cairo_line_to(cr, tx + 1.4, ty);
        }
        cairo_set_source_rgb(cr, 1, 1, 0.9);
        cairo_fill(cr);
    }
    // mouth interior
    if (gap > 1)
    {
        Ellipse(cr, cx, hy, 12, gap * 0.45);
        cairo_set_source_rgb(cr, 0.55, 0.05, 0.12);
        cairo_fill(cr);
    }
    // spots
    cairo_arc(cr, cx - 6, hy - gap * 0.5 - 4, 1.6, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + 5, hy - gap * 0.5 - 5, 1.3, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 0.9, 0.3, 0.9);
    cairo_fill(cr);
    // stem
    cairo_move_to(cr, cx, hy + gap * 0.5 + 6);
    cairo_curve_to(cr, cx - 2, hy + 14, cx + 2, h - 8, cx, h - 3);
    cairo_set_source_rgb(cr, 0.2, 0.5, 0.12);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, fade);
    (void)w;
}

void Mushroom(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // A springy toadstool, the cell at (9, 6); its cap leans towards the
    // direction it bounces shots and squashes while bouncing.
    int dir = s.OptInt("dir", 3);
    bool bounce = s.OptInt("bounce", 0) != 0;
    double lean = dir == 1 ? -0.35 : dir == 2 ? 0.35 : 0;
    double squash = bounce ? std::sin(double(cel) / (s.cols - 1) * M_PI) : 0;
    double cx = 9 + 15.5, base = h - 2;
    // stem
    RoundRect(cr, cx - 5, base - 17 + squash * 4, 10, 17 - squash * 4, 4);
    FillVertical(cr, base - 17, base, Hex(0xfff4de), Hex(0xd8c0a0));
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, base - 16 + squash * 5);
    cairo_rotate(cr, lean);
    cairo_scale(cr, 1 + squash * 0.15, 1 - squash * 0.3);
    cairo_arc(cr, 0, 0, 17, M_PI, 2 * M_PI);
    cairo_curve_to(cr, 17, 5, -17, 5, -17, 0);
    cairo_close_path(cr);
    FillVertical(cr, -17, 4, Hex(0xff6a5a), Hex(0xb8121a));
    cairo_set_source_rgb(cr, 0.35, 0.02, 0.05);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double spots[][3] = {{-9, -7, 3}, {2, -11, 3.5}, {10, -5, 2.5}, {-2, -3, 2}};
    for (auto& sp : spots)
    {
        cairo_new_sub_path(cr);
        cairo_arc(cr, sp[0], sp[1], sp[2], 0, 2 * M_PI);
    }
    cairo_set_source_rgb(cr, 1, 0.97, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    // the direction arrow on the stem
    cairo_set_source_rgba(cr, 0.45, 0.25, 0.1, 0.85);
    double ay = base - 8;
    if (dir == 3)
    {
        cairo_move_to(cr, cx, ay - 4);
        cairo_line_to(cr, cx + 3.5, ay + 2);
        cairo_line_to(cr, cx - 3.5, ay + 2);
    }
    else
    {
        double d = dir == 1 ? -1 : 1;
        cairo_move_to(cr, cx + d * 4, ay);
        cairo_line_to(cr, cx - d * 2, ay - 3.5);
        cairo_line_to(cr, cx - d * 2, ay + 3.5);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
    (void)w;
}

void WallAir(cairo_t* cr, const ImageSpec&, int cel, double w, double h)
{
    // A cloud block, the cell at (3, -3), drifting gently.
    double t = Phase(cel, 8) * 2 * M_PI;
    double cx = w / 2, cy = h / 2 - 2;
    const double puffs[][3] = {{-9, 2, 8}, {0, -3, 10}, {9, 1, 8}, {-4, 6, 7}, {5, 6, 7}};
    for (int pass = 0; pass < 2; ++pass)
    {
        for (int i = 0; i < 5; ++i)
        {
            double dx = std::sin(t + i) * 0.9, dy = std::cos(t + i * 1.7) * 0.7;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + puffs[i][0] + dx, cy + puffs[i][1] + dy, puffs[i][2] + (pass ? 0 : 1), 0, 2 * M_PI);
        }
        if (pass == 0)
            cairo_set_source_rgba(cr, 0.35, 0.45, 0.7, 0.9);
        else
        {
            cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - 12, 0, cy + 14);
            cairo_pattern_add_color_stop_rgb(p, 0, 1, 1, 1);
            cairo_pattern_add_color_stop_rgb(p, 1, 0.75, 0.83, 0.97);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
            continue;
        }
        cairo_fill(cr);
    }
}

void Tornado(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // A spinning funnel, the cell at (7, 17). Its tip points the way it
    // throws: left, right or up.
    int dir = s.OptInt("dir", 3);
    double t = Phase(cel, 8);
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    if (dir == 1)
        cairo_rotate(cr, 0.45);
    else if (dir == 2)
        cairo_rotate(cr, -0.45);
    cairo_translate(cr, -w / 2, -h / 2);
    for (int i = 0; i < 9; ++i)
    {
        double y = 4 + i * 4.6;
        double rw = 19 - i * 1.7;
        double sway = std::sin(t * 2 * M_PI + i * 0.6) * (1 + i * 0.25);
        Ellipse(cr, w / 2 + sway, y, rw, 3.2);
        cairo_set_source_rgba(cr, 0.25, 0.32, 0.55, 0.8);
        cairo_set_line_width(cr, 3.2);
        cairo_stroke_preserve(cr);
        cairo_set_source_rgba(cr, 0.88, 0.93, 1, 0.95);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        // streaks that rotate
        double a = t * 2 * M_PI + i;
        cairo_arc(cr, w / 2 + sway + rw * std::cos(a), y + 3.2 * std::sin(a), 1.3, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // direction arrow at the bottom
    TextStyle ts = UiText(10);
    const char* arrow = dir == 1 ? "\u25C0" : dir == 2 ? "\u25B6" : "\u25B2";
    DrawTextInBox(cr, arrow, ts, w / 2 - 8, h - 13, 16, 12);
}

void Wind(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // A cloud face in the cell at (58, 66); while blowing, streams of wind
    // run out of its mouth towards its direction across the large cel.
    int dir = s.OptInt("dir", 0);
    double t = Phase(cel, 8);
    double cx = 58 + 15.5, cy = 66 + 15.5;
    if (dir != 0)
    {
        double dx = dir == 1 ? -1 : dir == 2 ? 1 : 0, dy = dir == 3 ? -1 : 0;
        for (int i = 0; i < 5; ++i)
        {
            double off = (i - 2) * 7;
            double len = 40 + 10 * std::sin(t * 2 * M_PI + i);
            double start = 14 + std::fmod(t * 60 + i * 13, 30);
            double x0 = cx + dx * start + dy * off * -1 * 0 + (dy != 0 ? off : 0);
            double y0 = cy + dy * start + (dx != 0 ? off : 0);
            double x1 = x0 + dx * len, y1 = y0 + dy * len;
            cairo_move_to(cr, x0, y0);
            if (dx != 0)
                cairo_curve_to(cr, (x0 + x1) / 2, y0 - 4, (x0 + x1) / 2, y0 + 4, x1, y0);
            else
                cairo_curve_to(cr, x0 - 4, (y0 + y1) / 2, x0 + 4, (y0 + y1) / 2, x0, y1);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_source_rgba(cr, 0.3, 0.4, 0.65, 0.35);
            cairo_set_line_width(cr, 4.5);
            cairo_stroke_preserve(cr);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.9 - i % 2 * 0.2);
            cairo_set_line_width(cr, 2.4);
            cairo_stroke(cr);
        }
    }
    const double puffs[][3] = {{-10, 2, 9}, {0, -5, 11}, {11, 1, 9}, {-4, 8, 8}, {6, 8, 8}};
    double bob = std::sin(t * 2 * M_PI) * 1.2;
    for (int pass = 0; pass < 2; ++pass)
    {
        for (auto& p : puffs)
        {
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + p[0], cy + p[1] + bob, p[2] + (pass ? 0 : 1), 0, 2 * M_PI);
        }
        if (pass == 0)
            cairo_set_source_rgba(cr, 0.3, 0.4, 0.65, 0.95);
        else
            cairo_set_source_rgb(cr, 0.96, 0.98, 1);
        cairo_fill(cr);
    }
    // face: closed eyes at rest, puffed cheeks and an open mouth while blowing
    cairo_set_source_rgb(cr, 0.2, 0.25, 0.45);
    cairo_set_line_width(cr, 1.2);
    for (int e = -1; e <= 1; e += 2)
    {
        if (dir == 0)
        {
            cairo_arc(cr, cx + e * 5, cy - 1 + bob, 2, 0.2, M_PI - 0.2);
            cairo_stroke(cr);
        }
        else
        {
            cairo_arc(cr, cx + e * 5, cy - 2 + bob, 1.4, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    if (dir != 0)
    {
        double mx = cx + (dir == 1 ? -7 : dir == 2 ? 7 : 0), my = cy + (dir == 3 ? -4 : 5) + bob;
        cairo_arc(cr, mx, my, 2.6, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    (void)w;
    (void)h;
}
} // namespace

void RegisterSpritePainters(std::map<std::string, Painter>& t)
{
    t["bubble"] = Bubble;
    t["lock"] = Lock;
    t["drop"] = [](cairo_t* cr, const ImageSpec& s, int cel, double w, double h) { Drop(cr, s, cel, w, h, s.cols); };
    t["bomb"] = Bomb;
    t["ice"] = Ice;
    t["icelight"] = IceLight;
    t["snowman"] = SnowmanSprite;
    t["waterhole"] = WaterHole;
    t["wallfire"] = WallFire;
    t["flame"] = Flame;
    t["lava"] = Lava;
    t["hpmark"] = HpMarkPainter;
    t["hpanim"] = HpAnim;
    t["wallearth"] = WallEarth;
    t["plant"] = Plant;
    t["mushroom"] = Mushroom;
    t["wallair"] = WallAir;
    t["tornado"] = Tornado;
    t["wind"] = Wind;
}

// Exposed for the effects that reuse them.
void PaintLavaBlob(cairo_t* cr, double cx, double cy, double r, double t, double crust)
{
    LavaBlob(cr, cx, cy, r, t, crust);
}
void PaintSnowman(cairo_t* cr, double cx, double cy, bool head, bool body)
{
    Snowman(cr, cx, cy, head, body, false);
}
void PaintFlame(cairo_t* cr, double cx, double base, double height, double width, double sway)
{
    FlameShape(cr, cx, base, height, width, sway);
}

} // namespace Art
